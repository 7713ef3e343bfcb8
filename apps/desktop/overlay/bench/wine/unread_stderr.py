#!/usr/bin/env python3
"""A host of tolmin-overlay that may not read the helper's standard error, and what that costs it under Wine +
Xvfb. The end-to-end suite (tests/e2e/test_unread_stderr.py, the .exe under Wine) and the Linux suite
(tests/linux/test_unread_stderr.py, the native program on X11) drive the same host and check what it saw.

The host starts the helper with standard error on a pipe of its own and, after a first frame was drawn (a blue
Hud dot), writes rejected lines (about 130 bytes of diagnostics each) to a non-blocking input, one at a time, a
write that waits over 1 s being an error; then one good frame (a green Hud dot), whose picture it waits for, and
the end of input. It reads the pipe `never` (only after the exit), `after its input` ended, `always` (a thread of
its own, as it should), or closes it at once (`closed`).

As a measurement, two runs on one private X display and Wine prefix: always (the reference) and never. For each
it prints the seconds spent writing the lines, the helper's resident memory (VmRSS and VmHWM of its process) once
they are written, and the diagnostics that reached the host; then never / always.

    /usr/bin/python3 apps/desktop/overlay/bench/wine/unread_stderr.py [--lines 20000] [--exe PATH]
"""

from __future__ import annotations

import argparse
import fcntl
import os
import re
import select
import subprocess
import sys
import threading
import time
from dataclasses import dataclass, field
from pathlib import Path

APP = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(APP / "tools/desktop"))

from wine_session import WinePrefix, XServer, wine_path  # noqa: E402

READINGS = ("never", "after its input", "always", "closed")
REJECTION = (b"tolmin-overlay: unknown variant `r%05d`, expected one of `top-left`, `top-right`, `bottom-left`, "
             b"`bottom-right` at line 1 column 19")
DROPPED = re.compile(rb"tolmin-overlay: (\d+) diagnostics dropped \(standard error was not being read\)")


@dataclass
class HostRun:
    reading: str
    capacity: int  # bytes the standard error pipe holds
    slowest_write: float = 0.0  # seconds, the longest write of one line
    write_seconds: float = 0.0  # all the rejected lines
    drawn_seconds: float = 0.0  # from writing the good frame until its Hud is on the screen
    exit_seconds: float = 0.0  # from the end of input until the exit
    status: int | None = None
    memory: dict = field(default_factory=dict)  # KiB once the lines are written
    received: bytes = field(default=b"", repr=False)  # standard error as the host got it


def memory_kib(pid: int) -> dict[str, int]:
    with open(f"/proc/{pid}/status") as f:
        return {k: int(v.split()[0]) for k, v in (l.split(":", 1) for l in f) if k in ("VmRSS", "VmHWM")}


def send(fd: int, data: bytes) -> float:
    """Writes all of `data` to a non-blocking pipe; the seconds it took."""
    start = time.monotonic()
    while data:
        if not select.select([], [fd], [], 1.0)[1]:
            raise TimeoutError(f"a write to the helper's input waited over 1 s: {data!r}")
        data = data[os.write(fd, data):]
    return time.monotonic() - start


def read_all(fd: int, into: bytearray) -> None:
    while chunk := os.read(fd, 1 << 20):
        into.extend(chunk)


def wait_until(condition, timeout: float) -> float:
    start = time.monotonic()
    while not condition():
        if time.monotonic() - start > timeout:
            raise TimeoutError("the picture did not appear")
        time.sleep(0.02)
    return time.monotonic() - start


def shows(screenshot, colour: tuple) -> bool:
    return any(c == colour for _, c in screenshot().getcolors(1 << 22))


def run_host(command: list[str], env: dict, screenshot, lines: int, reading: str) -> HostRun:
    """Runs the helper as `command` with `env`; `screenshot()` is what the screen shows."""
    read_end, write_end = os.pipe()
    run = HostRun(reading, fcntl.fcntl(write_end, fcntl.F_GETPIPE_SZ))
    proc = subprocess.Popen(command, env=env, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=write_end)
    os.close(write_end)
    received = bytearray()
    reader = threading.Thread(target=read_all, args=(read_end, received), daemon=True)
    try:
        if reading == "closed":
            os.close(read_end)
        if reading == "always":
            reader.start()
        stdin = proc.stdin.fileno()
        os.set_blocking(stdin, False)
        send(stdin, b'{"hud":{"dot":"#0000FF"}}\n')
        wait_until(lambda: shows(screenshot, (0, 0, 255)), 60)  # Direct2D takes seconds to start under Wine
        start = time.monotonic()
        run.slowest_write = max(send(stdin, b'{"anchor":"r%05d"}\n' % i) for i in range(lines))
        run.write_seconds = time.monotonic() - start
        run.memory = memory_kib(proc.pid)
        send(stdin, b'{"hud":{"dot":"#00FF00"}}\n')
        run.drawn_seconds = wait_until(lambda: shows(screenshot, (0, 255, 0)), 30)
        proc.stdin.close()
        start = time.monotonic()
        if reading == "after its input":
            reader.start()
        run.status = proc.wait(timeout=30)
        run.exit_seconds = time.monotonic() - start
    finally:
        proc.kill()
        proc.wait()
    if reading == "never":
        received.extend(os.read(read_end, 2 * run.capacity))  # all that the full pipe holds
    if reader.ident is not None:
        reader.join(timeout=30)
    if reading != "closed":
        os.close(read_end)
    run.received = bytes(received)
    return run


def check(run: HostRun, lines: int, warning: bytes) -> None:
    """What every host must see: its writes and the helper's exit never held up, the good frame drawn at once;
    on the pipe (unless closed) `warning`, then whole rejections in order and, for a host that reads again after
    its input, the count of those dropped; a host that always reads gets every line."""
    assert run.slowest_write < 1.0 and run.drawn_seconds < 2.0 and run.status == 0 and run.exit_seconds < 3.0, run
    if run.reading == "closed":
        return
    assert run.received.startswith(warning) and run.received.endswith(b"\n")
    received = run.received[len(warning):-1].split(b"\n")
    counted = [int(m[1]) for m in map(DROPPED.fullmatch, received[-1:]) if m]
    shown = received[:-1] if counted else received
    assert shown == [REJECTION % i for i in range(len(shown))]
    # The count of dropped lines reaches a host that reads again; one that never does has only its full pipe.
    assert counted == ([lines - len(shown)] if run.reading == "after its input" else [])
    assert len(shown) == lines if run.reading == "always" else len(run.received) > run.capacity * 3 // 4


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lines", type=int, default=20_000)
    parser.add_argument("--exe", type=Path, default=APP / "build/windows/tolmin-overlay.exe")
    parser.add_argument("--fonts", type=Path, default=APP.parents[2] / "build/fonts")
    parser.add_argument("--prefix", type=Path, default=APP / "build/wine-bench")
    args = parser.parse_args()
    xserver = XServer().start()
    prefix = None
    try:
        prefix = WinePrefix(args.prefix.resolve(), xserver.display).prepare()
        runs = {}
        for reading in ("always", "never"):
            command = prefix.command(args.exe.resolve(), ["--fonts", wine_path(args.fonts.resolve())])
            runs[reading] = run_host(command, prefix.env(), xserver.screenshot, args.lines, reading)
            wait_until(lambda: xserver.screenshot().getbbox() is None, 30)
    finally:
        if prefix is not None:
            prefix.shutdown()
        xserver.stop()
    for name, r in runs.items():
        received = r.received.count(b"\n")
        print(f"{name:>6}: {args.lines} lines written in {r.write_seconds:.3f} s (slowest {r.slowest_write:.3f} s), "
              f"VmRSS {r.memory['VmRSS']} KiB, VmHWM {r.memory['VmHWM']} KiB, {received} diagnostic lines "
              f"received, exit status {r.status} {r.exit_seconds:.2f} s after the end of input")
    always, never = runs["always"], runs["never"]
    print(f"never / always: write time {never.write_seconds / always.write_seconds:.3f}, "
          f"VmRSS {never.memory['VmRSS'] / always.memory['VmRSS']:.4f}, "
          f"VmHWM {never.memory['VmHWM'] / always.memory['VmHWM']:.4f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
