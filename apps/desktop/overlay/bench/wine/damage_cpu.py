#!/usr/bin/env python3
"""CPU of two tolmin-overlay.exe builds under Wine + Xvfb on two workloads that keep a HUD busy, measured in
one run, rounds alternating (reference, candidate, reference, candidate, ...).

A measurement, not a test. Both workloads show a full frame (Hud, Night, four alerts, three toasts):
  fade     the host re-sends the frame every 250 ms with one toast born anew, so one block always fades in
           (the overlay repaints every 16 ms while it does);
  elapsed  the host re-sends the frame every second with only the Hud's elapsed time moved on.
For each run it counts utime + stime (/proc/<pid>/stat) of the overlay's process and of the prefix's
wineserver over the window, after the first paint, and the pictures that reach the screen (X DAMAGE reports on
the top-level windows). It prints each round, the medians, the CPU per frame sent and per picture shown, and the
ratios candidate / reference of the medians. On a busy machine a build whose repaint tick is slow skips ticks of
a fade (the 16 ms timer waits for the tick before), so the CPU per picture is the fairer figure for the fade.
Wine's Direct3D (under Direct2D) hands drawing to a command stream thread that spins for a while after each
picture before it sleeps, and the program's thread spins waiting for it: much of the CPU of a busy overlay under
Wine is that spinning, a cost of Wine's Direct3D rather than of the drawing. --no-csmt turns that thread off in
the prefix (both builds alike), so that the figures measure the drawing.

    /usr/bin/python3 apps/desktop/overlay/bench/wine/damage_cpu.py REFERENCE.exe CANDIDATE.exe
        [--seconds 8] [--rounds 3] [--fonts DIR] [--displays 60-69] [--no-csmt]
"""

from __future__ import annotations

import argparse
import json
import statistics
import sys
import threading
import time
from pathlib import Path

try:
    from Xlib import display as xdisplay
    from Xlib.ext import damage as xdamage
except ImportError:
    sys.exit("damage_cpu.py counts the pictures shown with python3-xlib: apt-get install python3-xlib")

sys.path.insert(0, str(Path(__file__).resolve().parent))

from idle_cpu import APP, ROOT, TICKS, end_run, total, wait_for_paint  # noqa: E402
from wine_session import WinePrefix, XServer, wine_path  # noqa: E402

FADE_PERIOD_S = 0.25
ELAPSED_PERIOD_S = 1.0
LIVE = {"born": 1_000_000_000_000, "dies": 4_000_000_000_000}


def full_frame(now_ms: float, reborn_ms: float, second: int) -> dict:
    elapsed = f"{second // 3600:02}:{second // 60 % 60:02}:{second % 60:02}"
    return {"hud": {"dot": "#00FF66", "state": "LIVE", "elapsed": elapsed, "presence": "3 watching"},
            "night": {"tag": "MATCHDAY 12", "title": "Evening session at the north stand"},
            "alerts": [{"title": "Stream bitrate dropped below the target", "bar": "#3399FF", "detail": "2.1 Mbit/s"},
                       {"title": "Audio", "detail": "muted for 12 seconds"}, {"title": "Camera 2 disconnected"},
                       {"title": "Chat is in slow mode", "detail": "30 s"}],
            "toasts": [{"kind": "marker", "title": "Goal by number nine", "count": 3, "time": "12:04",
                        "detail": "Assisted by the left back", **LIVE},
                       {"kind": "same", "title": "Same play as last week", "detail": "replay", "index": "2", **LIVE},
                       {"kind": "caller", "title": "Incoming call from the studio", "time": "00:42", "index": "1",
                        "born": reborn_ms, "dies": now_ms + 3_600_000}]}


class PictureCounter(threading.Thread):
    """Counts DamageNotify events of every top-level window: one for each picture put on the screen (the damage
    is taken off again at once, so the next picture reports anew)."""

    def __init__(self, name: str):
        super().__init__(daemon=True)
        self.connection = xdisplay.Display(name)
        self.connection.set_error_handler(lambda *_: None)  # a window gone before it was watched
        self.connection.damage_query_version()
        self.notify = self.connection.query_extension(xdamage.extname).first_event + xdamage.DamageNotifyCode
        self.pictures, self.running, self.watched = 0, True, {}

    def run(self) -> None:
        root = self.connection.screen().root
        while self.running:
            for window in root.query_tree().children:
                if window.id not in self.watched:
                    self.watched[window.id] = window.damage_create(xdamage.DamageReportNonEmpty)
            while self.connection.pending_events():
                event = self.connection.next_event()
                if event.type == self.notify:
                    self.pictures += 1
                    self.connection.damage_subtract(event.damage)
            self.connection.flush()
            time.sleep(0.002)

    def stop(self) -> None:
        self.running = False
        self.join(timeout=5)
        self.connection.close()


def run(prefix: WinePrefix, xserver: XServer, exe: Path, fonts: Path, workload: str, seconds: float):
    """CPU seconds of the overlay + its wineserver over `seconds` of the workload, the frames sent and the
    pictures shown."""
    program = prefix.popen([str(exe), "--fonts", wine_path(fonts)])
    period = FADE_PERIOD_S if workload == "fade" else ELAPSED_PERIOD_S
    born = time.time() * 1000.0 - 10_000
    sent = 0

    def send():
        nonlocal born, sent
        now = time.time() * 1000.0
        if workload == "fade":
            born = now
        program.send(json.dumps(full_frame(now, born, sent if workload == "elapsed" else 0)))
        sent += 1

    try:
        send()
        wait_for_paint(xserver)
        time.sleep(1.0)  # start-up work (fonts, first layouts) out of the window
        pids = [program.pid, prefix.server.pid]
        counter = PictureCounter(xserver.display)
        counter.start()
        time.sleep(0.2)
        sent, shown, start, began = 0, counter.pictures, total(pids), time.monotonic()
        while (elapsed := time.monotonic() - began) < seconds:
            send()
            time.sleep(max(0.0, min(period * sent - (time.monotonic() - began), seconds - elapsed)))
        cpu = (total(pids) - start) / TICKS
        shown = counter.pictures - shown
        counter.stop()
        if not program.running():
            raise RuntimeError(f"the overlay ended during the measurement: {program.stderr!r}")
        return cpu, sent, shown
    finally:
        end_run(program, xserver)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("reference", type=Path)
    parser.add_argument("candidate", type=Path)
    parser.add_argument("--seconds", type=float, default=8.0)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--fonts", type=Path, default=ROOT / "build/fonts")
    parser.add_argument("--prefix", type=Path, default=APP / "build/wine-bench-damage")
    parser.add_argument("--displays", default="60-69", help="X display numbers to try, FIRST-LAST")
    parser.add_argument("--no-csmt", action="store_true",
                        help="Wine's Direct3D without its command stream thread, which spins for a while after "
                             "every picture it is given (the registry value HKCU\\Software\\Wine\\Direct3D csmt=0)")
    args = parser.parse_args()
    first, last = (int(n) for n in args.displays.split("-"))
    exes = {"reference": args.reference.resolve(), "candidate": args.candidate.resolve()}

    xserver = XServer(numbers=range(first, last + 1)).start()
    prefix = None
    results = {(w, name): [] for w in ("fade", "elapsed") for name in exes}
    try:
        prefix = WinePrefix(args.prefix.resolve(), xserver.display).prepare()
        csmt = ["HKCU\\Software\\Wine\\Direct3D", "/v", "csmt", "/f"]  # the prefix is kept from run to run
        prefix.quiet(["reg", "add", *csmt, "/t", "REG_DWORD", "/d", "0"] if args.no_csmt else ["reg", "delete", *csmt])
        print(f"display {xserver.display}; {args.rounds} rounds of {args.seconds:.0f} s per build and workload; "
              f"CPU = overlay + wineserver ({TICKS} clock ticks per second)")
        for workload in ("fade", "elapsed"):
            for round_number in range(1, args.rounds + 1):
                for name, exe in exes.items():
                    cpu, sent, shown = run(prefix, xserver, exe, args.fonts.resolve(), workload, args.seconds)
                    results[(workload, name)].append((cpu, sent, shown))
                    print(f"  {workload:<8} round {round_number} {name:<9} {cpu:7.3f} CPU s, {sent} frames sent, "
                          f"{shown} pictures shown", flush=True)
    finally:
        if prefix is not None:
            prefix.shutdown()
        xserver.stop()

    for workload in ("fade", "elapsed"):
        medians, pictures = {}, {}
        for name in exes:
            runs = results[(workload, name)]
            medians[name] = statistics.median(cpu for cpu, _, _ in runs)
            per_update = statistics.median(cpu / sent for cpu, sent, _ in runs) * 1000
            pictures[name] = statistics.median(cpu / max(shown, 1) for cpu, _, shown in runs) * 1000
            print(f"{workload} {name}: median {medians[name]:.3f} CPU s in {args.seconds:.0f} s "
                  f"({100 * medians[name] / args.seconds:.1f} % of one core), {per_update:.2f} CPU ms per frame "
                  f"sent, {pictures[name]:.2f} CPU ms per picture shown")

        def ratio(figures):
            return figures["candidate"] / figures["reference"] if figures["reference"] > 0 else float("nan")
        print(f"{workload}: candidate / reference = {ratio(medians):.3f} of the CPU, "
              f"{ratio(pictures):.3f} of the CPU per picture shown")
    return 0


if __name__ == "__main__":
    sys.exit(main())
