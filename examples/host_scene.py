#!/usr/bin/env python3
"""A host for tolmin-overlay: spawns the helper, plays a short scene on it, and ends it.

Copy this file as the start of your own host. It uses the Python 3 standard library only.

    Windows:  py examples\\host_scene.py tolmin-overlay.exe --fonts fonts
    Linux:    python3 examples/host_scene.py path/to/tolmin-overlay --fonts build/fonts   (the native X11 build)
    Wine:     python3 examples/host_scene.py --launcher /usr/lib/wine/wine64 path/to/tolmin-overlay.exe --fonts build/fonts

How a host talks to the helper:
  * It starts the helper with its standard input as a pipe and keeps that pipe open for as long as the overlay
    should live. Closing it (end of input) makes the helper exit with status 0.
  * It writes one render model per line: a JSON object and a line feed, flushed at once. Every line is the
    whole picture: a key left out takes its default, never the previous line's value. So the host keeps its
    own scene state and writes all of it whenever anything changes.
  * Toasts carry their own timing, `born` and `dies`, in wall-clock milliseconds since 1970. The helper fades
    them in, fades them out and removes them by itself; the host needs to write nothing for that.
  * The helper writes its diagnostics on standard error, one line each beginning "tolmin-overlay: ". A host
    reads them on a thread of its own (as here, copying them to this script's standard error) or discards them
    (stderr=subprocess.DEVNULL). Never read them on the thread that writes frames: a full pipe must not stop
    the host. The helper itself never waits for a reader; lines that find its queue full are dropped and
    counted in one line ("tolmin-overlay: N diagnostics dropped ...") once the reader reads again.

This script also announces the key moments of the scene on its standard output as "moment: <name>" so that a
wrapper (scripts/demo) can take a screenshot of each.
"""

import argparse
import json
import os
import subprocess
import sys
import threading
import time

# Colours of the overlay's palette that this scene uses ("#RRGGBB"; anything else falls back to a default).
LIME = "#C8FF00"
SIGNAL = "#FF2E55"
AMBER = "#FFB020"
SKY = "#3399FF"

SCENE_SECONDS = 15.5


def wall_ms() -> float:
    """The clock in which toasts are timed: milliseconds since 1970-01-01 00:00 UTC."""
    return time.time() * 1000.0


class Helper:
    """The overlay process and the one thing a host does with it: write frames."""

    def __init__(self, command: list[str]):
        # stdout is not used by the overlay mode; stderr is read by a thread of its own.
        # CREATE_NO_WINDOW (Windows only): no console window pops up for the helper when the host has none.
        self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE,
                                        creationflags=getattr(subprocess, "CREATE_NO_WINDOW", 0))
        threading.Thread(target=self.relay_diagnostics, daemon=True).start()

    def relay_diagnostics(self) -> None:
        """Copies the helper's diagnostics to this script's standard error until the helper ends."""
        for line in self.process.stderr:
            try:
                sys.stderr.buffer.write(line)
                sys.stderr.flush()
            except (OSError, ValueError):
                pass  # our own standard error is gone; keep reading, so the helper's pipe never fills

    def show(self, frame: dict) -> None:
        # Compact JSON, UTF-8, one line. json.dumps never writes a raw line feed inside a value.
        line = json.dumps(frame, separators=(",", ":"), ensure_ascii=False) + "\n"
        self.process.stdin.write(line.encode("utf-8"))
        self.process.stdin.flush()  # the helper draws a line as soon as it has all of it

    def close(self, timeout: float = 10.0) -> int:
        """Ends the input; the helper takes that as its cue to exit. Returns its exit status."""
        self.process.stdin.close()
        return self.process.wait(timeout=timeout)


class Scene:
    """The host's own state; frame() turns all of it into one render model."""

    def __init__(self, start_ms: float):
        self.start_ms = start_ms
        self.state = "CONNECTING"
        self.state_color = AMBER
        self.dot = AMBER
        self.presence = None  # None: no presence text at all (a narrower Hud)
        self.night = None
        self.alerts = []
        self.toasts = []

    def elapsed_text(self, now_ms: float) -> str:
        seconds = int((now_ms - self.start_ms) // 1000)
        return f"{seconds // 60:02d}:{seconds % 60:02d}"

    def frame(self, now_ms: float) -> dict:
        hud = {"dot": self.dot, "state": self.state, "state_color": self.state_color,
               "elapsed": self.elapsed_text(now_ms)}
        if self.presence is not None:
            hud["presence"] = self.presence
        frame = {"v": 1, "anchor": "bottom-right", "hud": hud, "alerts": self.alerts,
                 # A host may keep toasts after they died (the helper skips them); dropping them keeps lines short.
                 "toasts": [t for t in self.toasts if t["dies"] > now_ms]}
        if self.night is not None:
            frame["night"] = self.night
        return frame

    def add_toast(self, now_ms: float, lifetime_ms: float, **fields) -> None:
        self.toasts.append({"born": now_ms, "dies": now_ms + lifetime_ms, **fields})


# The timeline: (seconds after the start, what changes, the moment announced afterwards or None).
def go_live(scene, now):
    scene.state, scene.state_color, scene.dot, scene.presence = "LIVE", LIME, LIME, "2 here"


def night_falls(scene, now):
    scene.night = {"tag": "NIGHT", "title": "Quiet hours until 07:00"}


def disk_alert(scene, now):
    scene.alerts.append({"id": "disk", "bar": SIGNAL, "title": "Disk almost full", "detail": "C: 97 %"})


def battery_alert(scene, now):
    scene.alerts.append({"id": "battery", "bar": AMBER, "title": "Battery low", "title_color": AMBER,
                         "detail": "12 % \u00b7 40 min"})


def marker_toast(scene, now):
    # A marker: tick bar, title, count label (a number shows as "×3"), time, and a second line of detail.
    scene.add_toast(now, 6000, id="marker-1", kind="marker", tick=SKY, title="Marker set", count=3,
                    time="12:04", detail="Round two, left side")


def caller_toast(scene, now):
    # A caller: a lime card with a big index, the title and a time.
    scene.add_toast(now, 6500, id="call-1", kind="caller", index="1", title="Ana is calling", time="now")


def same_toast(scene, now):
    # The same caller again: a dark card with a lime edge, the index, the title and a detail on the right.
    scene.add_toast(now, 5400, id="call-2", kind="same", index="2", title="Ana again", detail="2nd call")


def alerts_cleared(scene, now):
    scene.alerts = [a for a in scene.alerts if a["id"] != "disk"]


def stand_by(scene, now):
    scene.state, scene.state_color, scene.dot, scene.presence = "STANDBY", SIGNAL, SIGNAL, None
    scene.night = None


TIMELINE = [
    (0.0, None, "starting"),
    (1.0, go_live, "hud"),
    (2.5, night_falls, "night"),
    (4.0, disk_alert, None),
    (4.8, battery_alert, "alerts"),
    (6.0, marker_toast, "marker-toast"),
    (7.3, caller_toast, "caller-toast"),
    (8.6, same_toast, "three-toasts"),
    (11.0, alerts_cleared, None),
    (12.2, None, "marker-left"),  # the marker faded out and went at 12 s, with no line from the host
    (14.3, stand_by, "toasts-gone"),
    (SCENE_SECONDS, None, None),  # the end: the input is closed and the helper exits
]


def announce(moment: str) -> None:
    try:
        print(f"moment: {moment}", flush=True)
    except BrokenPipeError:
        # Whoever read our output has gone; the scene itself goes on.
        sys.stdout = open(os.devnull, "w")


def play(helper: Helper, lead_in: float = 0.0) -> None:
    scene = Scene(wall_ms())
    helper.show(scene.frame(wall_ms()))  # "CONNECTING" while the helper starts up
    time.sleep(lead_in)
    start = wall_ms()
    scene.start_ms = start
    pending = list(TIMELINE)
    last_elapsed = None
    while pending:
        now = wall_ms()
        changed = False
        announcements = []
        while pending and now >= start + pending[0][0] * 1000:
            _, change, moment = pending.pop(0)
            if change is not None:
                change(scene, now)
                changed = True
            if moment is not None:
                announcements.append(moment)
        elapsed = scene.elapsed_text(now)
        if changed or elapsed != last_elapsed:  # the Hud's clock ticks once a second
            helper.show(scene.frame(now))
            last_elapsed = elapsed
        if announcements:
            time.sleep(0.35)  # let the helper draw the line and a fresh toast finish its 120 ms fade-in
            for moment in announcements:
                announce(moment)
        time.sleep(0.05)


def main() -> int:
    parser = argparse.ArgumentParser(description="Play a short scene on tolmin-overlay.")
    parser.add_argument("overlay", help="path to tolmin-overlay.exe")
    parser.add_argument("--fonts", help="directory with the Barlow Condensed and JetBrains Mono .ttf files")
    parser.add_argument("--launcher", default="",
                        help="a program to start the .exe with, e.g. /usr/lib/wine/wine64 on Linux")
    parser.add_argument("--lead-in", type=float, default=0.0, metavar="SECONDS",
                        help="time to leave the helper before the scene starts (Direct2D under Wine takes a while)")
    args = parser.parse_args()

    command = args.launcher.split() + [args.overlay]
    if args.fonts:
        command += ["--fonts", args.fonts]
    helper = Helper(command)
    try:
        play(helper, args.lead_in)
    except BrokenPipeError:
        print("host_scene: the overlay ended before the scene did", file=sys.stderr)
        return helper.process.wait() or 1
    except BaseException:
        helper.process.kill()
        raise
    status = helper.close()
    print(f"overlay exit status: {status}", flush=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
