# A host that never reads the overlay's standard error (a pipe it holds, as with stderr=PIPE and no reader) is
# never held up by the overlay: its writes complete, its frames are drawn and the overlay ends with its input.
# The host is bench/wine/unread_stderr.py's, which also measures what an unread pipe costs.
#
# Under Wine the pipe a Linux host hands over is the Windows program's standard error itself: WriteFile is a
# blocking write(2) on it, which stops once the pipe's 64 KiB are full. So 20,000 rejected lines (2.6 MB of
# diagnostics) fill it many times over.

import fcntl
import os
import re
import subprocess
import sys

import pytest

from expect import APP, CAPTURE_WARNING

sys.path.insert(0, str(APP / "bench/wine"))
from unread_stderr import READINGS, run_host  # noqa: E402

COUNT = 20_000
REJECTION = (b"tolmin-overlay: unknown variant `r%05d`, expected one of `top-left`, `top-right`, `bottom-left`, "
             b"`bottom-right` at line 1 column 19")
DROPPED = re.compile(rb"tolmin-overlay: (\d+) diagnostics dropped \(standard error was not being read\)")


@pytest.mark.parametrize("reading", READINGS)
def test_a_host_that_does_not_read_standard_error_is_never_held_up(overlay, reading):
    run = run_host(overlay.wine, overlay.xserver, overlay.exe, overlay.fonts, COUNT, reading)
    assert run.slowest_write < 1.0 and run.drawn_seconds < 2.0 and run.status == 0 and run.exit_seconds < 3.0, run
    if reading == "closed":
        return
    assert run.received.startswith(CAPTURE_WARNING) and run.received.endswith(b"\n")
    lines = run.received[len(CAPTURE_WARNING):-1].split(b"\n")
    counted = [int(m[1]) for m in map(DROPPED.fullmatch, lines[-1:]) if m]
    shown = lines[:-1] if counted else lines
    assert shown == [REJECTION % i for i in range(len(shown))]
    # The count of dropped lines reaches a host that reads again; one that never does has only its full pipe.
    assert counted == ([COUNT - len(shown)] if reading == "after its input" else [])
    assert len(shown) == COUNT if reading == "always" else len(run.received) > run.capacity * 3 // 4


def test_version_ends_even_when_its_output_pipe_is_full(helper):
    read_end, write_end = os.pipe()
    os.write(write_end, b"x" * fcntl.fcntl(write_end, fcntl.F_GETPIPE_SZ))  # full: the helper's write blocks
    proc = subprocess.Popen(helper.wine.command(helper.exe, ["--version"]), env=helper.wine.env(),
                            stdin=subprocess.DEVNULL, stdout=write_end, stderr=subprocess.DEVNULL)
    os.close(write_end)
    assert proc.wait(timeout=30) == 0  # (a helper that hangs is ended with the session's wineserver)
    os.close(read_end)
