#!/usr/bin/env python3
"""Cost of the Linux tolmin-overlay beside the Windows build under Wine, on one private X desktop (Xvfb on
:40..:49 with picom), same workload, same run. A measurement, not a test.

For each program:
  start-up    seconds from its start to the first picture on the screen (a static Hud);
  animation   CPU seconds per second while a toast is always fading in (the host writes a fresh toast every
              100 ms, so the 16 ms repaint timer never stops): the program (under Wine: with the wineserver),
              and apart the X server and picom, which composite what it puts;
  idle        resident memory (VmRSS) after a few seconds of a static Hud.
Ratios are Linux / Wine.

    /usr/bin/python3 apps/desktop/overlay/bench/linux/overlay_cost.py [--seconds 10] [--no-wine]
"""

from __future__ import annotations

import argparse
import json
import subprocess
import sys
import time
from pathlib import Path

APP = Path(__file__).resolve().parents[2]
ROOT = APP.parents[2]
sys.path[:0] = [str(APP / "tools/desktop"), str(APP / "tests/e2e"), str(APP / "bench/wine")]

from idle_cpu import HUD, TICKS, cpu_ticks  # noqa: E402
from wine_session import Program, WinePrefix, wine_path  # noqa: E402
from x_desktop import BACKDROP, Desktop  # noqa: E402

LINUX = APP / "build/native/tolmin-overlay"
EXE = APP / "build/windows/tolmin-overlay.exe"
FONTS = ROOT / "build/fonts"


def rss_kib(pid: int) -> int:
    with open(f"/proc/{pid}/status") as f:
        return next(int(line.split()[1]) for line in f if line.startswith("VmRSS"))


def frame(animated: bool) -> str:
    now = time.time() * 1000.0
    toast = {"kind": "marker", "title": "Fading in", "born": now, "dies": now + 60_000}
    return json.dumps({"hud": HUD, **({"toasts": [toast]} if animated else {})})


def measure(name, desktop: Desktop, start, extra_pids, seconds: float) -> dict:
    began = time.monotonic()
    program = start()
    program.send(frame(False))
    while desktop.screenshot().getcolors(1) == [(1280 * 720, BACKDROP)]:
        if time.monotonic() - began > 120:
            raise RuntimeError(f"{name} never drew: {program.stderr!r}")
        time.sleep(0.005)
    startup = time.monotonic() - began
    time.sleep(3)
    rss = rss_kib(program.pid)
    groups = {"program": [program.pid, *extra_pids], "xvfb": [desktop.xserver.proc.pid],
              "picom": [desktop.compositor.pid]}
    before = {k: sum(cpu_ticks(p) or 0 for p in v) for k, v in groups.items()}
    began = time.monotonic()
    while time.monotonic() - began < seconds:
        program.send(frame(True))
        time.sleep(0.1)
    wall = time.monotonic() - began
    cpu = {k: (sum(cpu_ticks(p) or 0 for p in v) - before[k]) / TICKS / wall for k, v in groups.items()}
    program.close_input()
    program.wait(30)
    program.stop()
    print(f"{name}: start-up {startup:.3f} s; animation {cpu['program']:.4f} CPU s/s (X server {cpu['xvfb']:.4f}, "
          f"picom {cpu['picom']:.4f}); idle resident {rss / 1024:.1f} MiB", flush=True)
    return {"startup": startup, "cpu": cpu["program"], "xvfb": cpu["xvfb"], "picom": cpu["picom"], "rss": rss}


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--no-wine", action="store_true")
    args = parser.parse_args()
    log = APP / "build/bench-linux"
    log.mkdir(parents=True, exist_ok=True)
    desktop = Desktop(log).start()
    prefix = None
    try:
        def start_linux():
            return Program(subprocess.Popen([str(LINUX), "--fonts", str(FONTS)], env=desktop.env(),
                                            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE))

        linux = measure("linux", desktop, start_linux, [], args.seconds)
        if args.no_wine:
            return 0
        prefix = WinePrefix((APP / "build/wine-bench").resolve(), desktop.display).prepare()
        measure("wine (warm-up)", desktop, lambda: prefix.popen([str(EXE), "--fonts", wine_path(FONTS)]),
                [prefix.server.pid], 1)
        wine = measure("wine", desktop, lambda: prefix.popen([str(EXE), "--fonts", wine_path(FONTS)]),
                       [prefix.server.pid], args.seconds)
        print(f"ratios linux / wine: animation CPU {linux['cpu'] / wine['cpu']:.3f}, "
              f"with X server and picom {(linux['cpu'] + linux['xvfb'] + linux['picom']) / (wine['cpu'] + wine['xvfb'] + wine['picom']):.3f}, "
              f"start-up {linux['startup'] / wine['startup']:.3f}, idle resident memory {linux['rss'] / wine['rss']:.3f}")
    finally:
        if prefix is not None:
            prefix.shutdown()
        desktop.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
