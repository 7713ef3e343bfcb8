# A host that never reads the overlay's standard error (a pipe it holds, as with stderr=PIPE and no reader) is
# never held up by the overlay: its writes complete, its frames are drawn and the overlay ends with its input.
# The host is bench/wine/unread_stderr.py's, which also measures what an unread pipe costs.
#
# Under Wine the pipe a Linux host hands over is the Windows program's standard error itself: WriteFile is a
# blocking write(2) on it, which stops once the pipe's 64 KiB are full. So 20,000 rejected lines (2.6 MB of
# diagnostics) fill it many times over.

import fcntl
import os
import subprocess
import sys

import pytest

from expect import APP, CAPTURE_WARNING
from wine_session import wine_path

sys.path.insert(0, str(APP / "bench/wine"))
from unread_stderr import READINGS, check, run_host  # noqa: E402

COUNT = 20_000


@pytest.mark.parametrize("reading", READINGS)
def test_a_host_that_does_not_read_standard_error_is_never_held_up(overlay, reading):
    command = overlay.wine.command(overlay.exe, ["--fonts", wine_path(overlay.fonts)])
    check(run_host(command, overlay.wine.env(), overlay.xserver.screenshot, COUNT, reading), COUNT, CAPTURE_WARNING)


def test_version_ends_even_when_its_output_pipe_is_full(helper):
    read_end, write_end = os.pipe()
    os.write(write_end, b"x" * fcntl.fcntl(write_end, fcntl.F_GETPIPE_SZ))  # full: the helper's write blocks
    proc = subprocess.Popen(helper.wine.command(helper.exe, ["--version"]), env=helper.wine.env(),
                            stdin=subprocess.DEVNULL, stdout=write_end, stderr=subprocess.DEVNULL)
    os.close(write_end)
    assert proc.wait(timeout=30) == 0  # (a helper that hangs is ended with the session's wineserver)
    os.close(read_end)
