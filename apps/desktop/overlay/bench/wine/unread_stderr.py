#!/usr/bin/env python3
"""What an unread standard error costs a host of tolmin-overlay.exe under Wine + Xvfb.

A measurement, not a test. Two runs on one private X display and Wine prefix, each writing 20,000 rejected
lines (about 2.6 MB of diagnostics) with plain blocking writes after a first frame was drawn:
  read       the reference: a thread of the host reads the helper's standard error as it comes;
  unread     the host holds the pipe and never reads it.
For each run it prints the seconds the host spent writing, the helper's resident memory (VmRSS and VmHWM of
its process) once the lines are written, and the diagnostics that reached the host; then unread / read.

    /usr/bin/python3 apps/desktop/overlay/bench/wine/unread_stderr.py [--lines 20000] [--exe PATH]
"""

from __future__ import annotations

import argparse
import os
import subprocess
import sys
import threading
import time
from pathlib import Path

APP = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(APP / "tests/e2e"))

from wine_session import WinePrefix, XServer  # noqa: E402


def memory_kib(pid: int) -> dict[str, int]:
    with open(f"/proc/{pid}/status") as f:
        return {k: int(v.split()[0]) for k, v in (l.split(":", 1) for l in f) if k in ("VmRSS", "VmHWM")}


def read_all(fd: int, into: bytearray) -> None:
    while chunk := os.read(fd, 1 << 20):
        into.extend(chunk)


def run(prefix: WinePrefix, xserver: XServer, exe: Path, lines: int, read: bool) -> dict:
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(prefix.command(exe), env=prefix.env(), stdin=subprocess.PIPE,
                            stdout=subprocess.DEVNULL, stderr=write_end)
    os.close(write_end)
    received = bytearray()
    reader = threading.Thread(target=read_all, args=(read_end, received), daemon=True)
    if read:
        reader.start()
    try:
        proc.stdin.write(b'{"hud":{}}\n')
        proc.stdin.flush()
        while xserver.screenshot().getbbox() is None:  # the first frame is drawn: start-up is over
            time.sleep(0.1)
        start = time.monotonic()
        for i in range(lines):
            proc.stdin.write(b'{"anchor":"r%05d"}\n' % i)
            proc.stdin.flush()
        result = {"seconds": time.monotonic() - start, **memory_kib(proc.pid)}
        proc.stdin.close()
        result["status"] = proc.wait(timeout=30)
        if read:
            reader.join(timeout=30)
        result["lines"] = received.count(b"\n")
        return result
    finally:
        if proc.poll() is None:
            proc.kill()
        os.close(read_end)
        while xserver.screenshot().getbbox() is not None:
            time.sleep(0.1)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--lines", type=int, default=20_000)
    parser.add_argument("--exe", type=Path, default=APP / "build/windows/tolmin-overlay.exe")
    parser.add_argument("--prefix", type=Path, default=APP / "build/wine-bench")
    args = parser.parse_args()
    xserver = XServer().start()
    prefix = None
    try:
        prefix = WinePrefix(args.prefix.resolve(), xserver.display).prepare()
        runs = {name: run(prefix, xserver, args.exe.resolve(), args.lines, read=name == "read")
                for name in ("read", "unread")}
    finally:
        if prefix is not None:
            prefix.shutdown()
        xserver.stop()
    for name, r in runs.items():
        print(f"{name:>6}: {args.lines} lines written in {r['seconds']:.3f} s, VmRSS {r['VmRSS']} KiB, "
              f"VmHWM {r['VmHWM']} KiB, {r['lines']} diagnostic lines received, exit status {r['status']}")
    read, unread = runs["read"], runs["unread"]
    print(f"unread / read: write time {unread['seconds'] / read['seconds']:.3f}, "
          f"VmRSS {unread['VmRSS'] / read['VmRSS']:.4f}, VmHWM {unread['VmHWM'] / read['VmHWM']:.4f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
