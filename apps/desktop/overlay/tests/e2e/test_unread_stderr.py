"""A host that never reads the overlay's standard error (a pipe it holds, as with stderr=PIPE and no reader)
never waits on the overlay: its writes complete, its frames are drawn and the overlay ends with its input.

Under Wine the pipe a Linux host hands over is the Windows program's standard error itself: WriteFile is a
blocking write(2) on it, which stops once the pipe's 64 KiB are full. So 20,000 rejected lines (2.6 MB of
diagnostics) fill it many times over."""

import fcntl
import os
import re
import select
import subprocess
import threading
import time

import pytest

from expect import CAPTURE_WARNING, expected_layout, wall_ms
from screen import GREEN, Probe, wait_for_picture
from wine_session import wine_path

COUNT = 20_000
DROPPED = re.compile(rb"tolmin-overlay: (\d+) diagnostics dropped \(standard error was not being read\)")


REJECTION = (b"tolmin-overlay: unknown variant `r%05d`, expected one of `top-left`, `top-right`, `bottom-left`, "
             b"`bottom-right` at line 1 column 19")


def send(fd: int, data: bytes) -> float:
    """Writes all of `data` to a non-blocking pipe; the seconds it took. Fails when a write waits over 1 s."""
    start = time.monotonic()
    while data:
        if not select.select([], [fd], [], 1.0)[1]:
            pytest.fail(f"a write to the overlay's input waited more than 1 s ({data[:40]!r})")
        data = data[os.write(fd, data):]
    return time.monotonic() - start


def read_to_end(fd: int, into: bytearray) -> None:
    while chunk := os.read(fd, 1 << 20):
        into.extend(chunk)


@pytest.mark.parametrize("reading", ["never", "after its input", "always", "closed"])
def test_a_host_that_does_not_read_standard_error_is_never_held_up(overlay, reading):
    read_end, write_end = os.pipe()
    capacity = fcntl.fcntl(write_end, fcntl.F_GETPIPE_SZ)
    argv = overlay.wine.command(overlay.exe, ["--fonts", wine_path(overlay.fonts)])
    proc = subprocess.Popen(argv, env=overlay.wine.env(), stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                            stderr=write_end)
    os.close(write_end)
    received = bytearray()
    reader = threading.Thread(target=read_to_end, args=(read_end, received), daemon=True)
    try:
        if reading == "closed":
            os.close(read_end)
        if reading == "always":
            reader.start()
        stdin = proc.stdin.fileno()
        os.set_blocking(stdin, False)
        hud = expected_layout({"hud": {}}, wall_ms()).block("hud")
        send(stdin, b'{"hud":{"dot":"#0000FF"}}\n')  # Direct2D takes seconds to start under Wine
        wait_for_picture(overlay, [Probe(hud.x + 25, hud.y + 26, (0, 0, 255), "Hud dot")], timeout=60)

        slowest = max(send(stdin, b'{"anchor":"r%05d"}\n' % i) for i in range(COUNT))
        assert slowest < 1.0
        send(stdin, b'{"hud":{"dot":"#00FF00"}}\n')
        wait_for_picture(overlay, [Probe(hud.x + 25, hud.y + 26, GREEN, "Hud dot")], timeout=2)
        proc.stdin.close()
        if reading == "after its input":
            reader.start()
        assert proc.wait(timeout=3) == 0
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
    if reading == "closed":
        return
    if reading == "never":
        received.extend(os.read(read_end, 2 * capacity))  # all that the full pipe holds
    if reader.ident is not None:
        reader.join(timeout=30)
    os.close(read_end)

    assert received.startswith(CAPTURE_WARNING) and received.endswith(b"\n")
    lines = bytes(received[len(CAPTURE_WARNING):-1]).split(b"\n")
    expected = [REJECTION % i for i in range(COUNT)]
    if reading == "always":
        assert lines == expected
        return
    # The count of dropped lines reaches a host that reads again; one that never does has only its full pipe.
    counted = [int(m[1]) for m in map(DROPPED.fullmatch, lines[-1:]) if m]
    shown = lines[:-1] if counted else lines
    assert shown == expected[:len(shown)]
    assert counted == ([COUNT - len(shown)] if reading == "after its input" else [])
    assert len(received) > capacity * 3 // 4  # the pipe did fill: the helper was held at it


@pytest.mark.parametrize("mode", ["--version", "--probe"])
def test_the_one_line_modes_end_even_when_their_output_pipe_is_full(helper, mode):
    read_end, write_end = os.pipe()
    os.write(write_end, b"x" * fcntl.fcntl(write_end, fcntl.F_GETPIPE_SZ))  # full: the helper's write blocks
    proc = subprocess.Popen(helper.wine.command(helper.exe, [mode]), env=helper.wine.env(),
                            stdin=subprocess.DEVNULL, stdout=write_end, stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        assert proc.wait(timeout=30) == 0
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
        os.close(read_end)
