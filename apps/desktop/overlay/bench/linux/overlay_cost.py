#!/usr/bin/env python3
"""Cost of the Linux tolmin-overlay on X11 and on Wayland beside the Windows build under Wine, same workload, same
run: on one private X desktop (Xvfb on :40..:49 with picom) and on headless sway. A measurement, not a test.

For each program:
  start-up    seconds from its start to the first picture on the screen (a static Hud);
  animation   CPU seconds per second while a toast is always fading in (the host writes a fresh toast every
              100 ms, so the 16 ms repaint timer never stops): the program (under Wine: with the wineserver),
              and apart the display server(s) that composite what it puts (Xvfb and picom, or sway);
  idle        resident memory (VmRSS) after a few seconds of a static Hud.
Ratios are against Wine, and Wayland against X11.

With --reference (another build of the Linux tolmin-overlay, e.g. from an older commit) it measures instead the
CPU seconds per second of both builds, in alternating rounds, on two workloads of a full frame (Hud, Night, four
alerts, three toasts; bench/wine/damage_cpu.py's): `fade`, the frame re-sent every 250 ms with one toast born
anew, so that one block always fades in; `elapsed`, the frame re-sent every second with only the Hud's elapsed
time moved on. It prints the medians and the ratios this build / reference, on X11 and on Wayland.

    /usr/bin/python3 apps/desktop/overlay/bench/linux/overlay_cost.py [--seconds 10] [--no-wine] [--no-wayland]
        [--exe tolmin-overlay.exe] [--reference OTHER/tolmin-overlay [--rounds 3]]
"""

from __future__ import annotations

import argparse
import json
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

APP = Path(__file__).resolve().parents[2]
ROOT = APP.parents[2]
sys.path[:0] = [str(APP / "tools/desktop"), str(APP / "bench/wine")]

from damage_cpu import ELAPSED_PERIOD_S, FADE_PERIOD_S, full_frame  # noqa: E402
from idle_cpu import HUD, TICKS, cpu_ticks  # noqa: E402
from sway_desktop import SwayDesktop  # noqa: E402
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


def measure(name, start, drawn, servers: dict[str, list[int]], seconds: float, helpers=()) -> dict:
    """`drawn()`: whether the screen shows more than its background; `servers`: the display's processes;
    `helpers`: processes counted with the program (the wineserver)."""
    began = time.monotonic()
    program = start()
    program.send(frame(False))
    while not drawn():
        if time.monotonic() - began > 120:
            raise RuntimeError(f"{name} never drew: {program.stderr!r}")
        time.sleep(0.005)
    startup = time.monotonic() - began
    time.sleep(3)
    rss = rss_kib(program.pid)
    groups = {"program": [program.pid, *helpers], **servers}
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
    shown = ", ".join(f"{k} {v:.4f}" for k, v in cpu.items() if k != "program")
    print(f"{name}: start-up {startup:.3f} s; animation {cpu['program']:.4f} CPU s/s ({shown}); "
          f"idle resident {rss / 1024:.1f} MiB", flush=True)
    return {"startup": startup, "cpu": cpu["program"], "all": sum(cpu.values()), "rss": rss}


def cpu_ns(pid: int) -> int:
    """Nanoseconds on a CPU of the process's threads (schedstat: a frame costs far less than a clock tick)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread that has just ended
    return total


def workload_cpu(start, drawn, servers: dict[str, list[int]], workload: str, seconds: float) -> dict:
    """CPU seconds per second of the program and of the display's processes while the host sends `workload`."""
    program = start()
    period = FADE_PERIOD_S if workload == "fade" else ELAPSED_PERIOD_S
    born, sent = time.time() * 1000.0 - 10_000, 0

    def send():
        nonlocal born, sent
        now = time.time() * 1000.0
        born = now if workload == "fade" else born
        program.send(json.dumps(full_frame(now, born, sent if workload == "elapsed" else 0)))
        sent += 1

    try:
        send()
        while not drawn():
            time.sleep(0.01)
        time.sleep(1.0)  # start-up work (fonts, first layouts) out of the window
        groups = {"program": [program.pid], **servers}
        before = {k: sum(cpu_ns(p) for p in v) for k, v in groups.items()}
        sent, began = 0, time.monotonic()
        while (elapsed := time.monotonic() - began) < seconds:
            send()
            time.sleep(max(0.0, min(period * sent - (time.monotonic() - began), seconds - elapsed)))
        wall = time.monotonic() - began
        return {k: (sum(cpu_ns(p) for p in v) - before[k]) / 1e9 / wall for k, v in groups.items()}
    finally:
        program.close_input()
        program.wait(30)
        program.stop()


def compare(name: str, builds: dict, drawn, clear, servers: dict, seconds: float, rounds: int) -> None:
    """The two workloads on `builds` ({"reference": start, "this": start}) in alternating rounds."""
    for workload in ("fade", "elapsed"):
        runs = {build: [] for build in builds}
        for _ in range(rounds):
            for build, start in builds.items():
                runs[build].append(workload_cpu(start, drawn, servers, workload, seconds))
                while not clear():
                    time.sleep(0.05)
        median = {b: {k: statistics.median(r[k] for r in runs[b]) for k in runs[b][0]} for b in builds}
        for build, cpu in median.items():
            print(f"{name} {workload} {build}: " + ", ".join(f"{k} {v:.4f}" for k, v in cpu.items()) + " CPU s/s",
                  flush=True)
        this, reference = median["this"], median["reference"]
        print(f"ratio {name} {workload} this / reference: program {this['program'] / reference['program']:.3f}, "
              f"with the display server(s) {sum(this.values()) / sum(reference.values()):.3f}", flush=True)


def ratios(what: str, a: dict, b: dict) -> None:
    print(f"ratios {what}: animation CPU {a['cpu'] / b['cpu']:.3f}, with the display server(s) "
          f"{a['all'] / b['all']:.3f}, start-up {a['startup'] / b['startup']:.3f}, "
          f"idle resident memory {a['rss'] / b['rss']:.3f}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--no-wine", action="store_true")
    parser.add_argument("--no-wayland", action="store_true")
    parser.add_argument("--exe", type=Path, default=EXE, help="the Windows overlay to run under Wine")
    parser.add_argument("--reference", type=Path, help="another Linux build to compare this one with")
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    log = APP / "build/bench-linux"
    log.mkdir(parents=True, exist_ok=True)
    desktop = Desktop(log).start()
    sway = None
    prefix = None
    try:
        def start_linux(env, program=LINUX):
            return Program(subprocess.Popen([str(program), "--fonts", str(FONTS)], env=env, stdin=subprocess.PIPE,
                                            stdout=subprocess.PIPE, stderr=subprocess.PIPE))

        x_servers = {"xvfb": [desktop.xserver.proc.pid], "picom": [desktop.compositor.pid]}
        x_drawn = lambda: desktop.screenshot().getcolors(1) != [(1280 * 720, BACKDROP)]  # noqa: E731
        if args.reference:
            def builds(env):
                return {"reference": lambda: start_linux(env, args.reference.resolve()),
                        "this": lambda: start_linux(env)}
            compare("x11", builds(desktop.env()), x_drawn, lambda: not x_drawn(), x_servers, args.seconds,
                    args.rounds)
            if not args.no_wayland:
                sway = SwayDesktop(log).start()
                compare("wayland", builds(sway.env()), lambda: not sway.clear("HEADLESS-1"),
                        lambda: sway.clear("HEADLESS-1"), {"sway": [sway.proc.pid]}, args.seconds, args.rounds)
            return 0
        x11 = measure("x11", lambda: start_linux(desktop.env()), x_drawn, x_servers, args.seconds)
        if not args.no_wayland:
            sway = SwayDesktop(log).start()
            wayland = measure("wayland", lambda: start_linux(sway.env()), lambda: not sway.clear("HEADLESS-1"),
                              {"sway": [sway.proc.pid]}, args.seconds)
            ratios("wayland / x11", wayland, x11)
        if args.no_wine:
            return 0
        prefix = WinePrefix((APP / "build/wine-bench").resolve(), desktop.display).prepare()
        exe = [str(args.exe.resolve()), "--fonts", wine_path(FONTS)]
        measure("wine (warm-up)", lambda: prefix.popen(exe), x_drawn, x_servers, 1, [prefix.server.pid])
        wine = measure("wine", lambda: prefix.popen(exe), x_drawn, x_servers, args.seconds, [prefix.server.pid])
        ratios("x11 / wine", x11, wine)
        if not args.no_wayland:
            ratios("wayland / wine", wayland, wine)
    finally:
        if prefix is not None:
            prefix.shutdown()
        if sway is not None:
            sway.stop()
        desktop.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
