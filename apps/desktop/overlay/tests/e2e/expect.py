"""What the overlay should show: its palette, and block rectangles from the native checker
(`tolmin-frame layout`), which runs the overlay's own layout; nothing of the layout is computed here."""

from __future__ import annotations

import json
import os
import subprocess
import time
from dataclasses import dataclass
from pathlib import Path

APP = Path(__file__).resolve().parents[2]
ROOT = APP.parents[2]
FRAME_TOOL = Path(os.environ.get("TOLMIN_FRAME", APP / "build/native/tolmin-frame")).resolve()
MONITOR = "\\\\.\\DISPLAY1=1920x1080@96+0+0,primary"  # the Xvfb screen, in the checker's notation

# Wine refuses WDA_EXCLUDEFROMCAPTURE, so every run that makes the window starts with this line on stderr.
CAPTURE_WARNING = (b"tolmin-overlay: this Windows cannot keep the overlay out of a capture (needs 10 2004); "
                   b"it will flash rather than hold a HUD\n")

PANEL, EDGE, SIGNAL = (13, 13, 17), (38, 38, 46), (255, 46, 85)
BRIGHT, DIM, LIME, BLACK = (242, 242, 245), (139, 139, 150), (200, 255, 0), (0, 0, 0)


def over_black(rgb, alpha):
    """A colour at some opacity as it lands on the black root window."""
    return tuple(round(c * alpha) for c in rgb)


PANEL_HUD = over_black(PANEL, 0.92)  # Hud and Night backgrounds
PANEL_ROW = over_black(PANEL, 0.94)  # alert and toast backgrounds


def wall_ms() -> float:
    return time.time() * 1000.0


def near(pixel, expected, tolerance=2) -> bool:
    return all(abs(int(a) - int(b)) <= tolerance for a, b in zip(pixel, expected))


@dataclass
class Rect:
    x: int
    y: int
    w: int
    h: int

    @property
    def right(self) -> int:
        return self.x + self.w - 1  # the last column inside

    @property
    def bottom(self) -> int:
        return self.y + self.h - 1


@dataclass
class Placed:
    kind: str
    index: int | None
    rect: Rect  # on the screen
    alpha: float
    slide: float


@dataclass
class ExpectedLayout:
    report: dict  # the checker's line
    window: Rect
    blocks: list[Placed]

    def block(self, kind: str, index: int | None = None) -> Rect:
        return next(b.rect for b in self.blocks if b.kind == kind and index in (None, b.index))

    def box(self) -> tuple[int, int, int, int]:
        """The drawn blocks' bounding box as PIL's getbbox() gives it (a block of opacity 0 draws nothing)."""
        rects = [b.rect for b in self.blocks if b.alpha > 0]
        return (min(r.x for r in rects), min(r.y for r in rects), max(r.x + r.w for r in rects),
                max(r.y + r.h for r in rects))


def checker_layout(frame: dict | str, now_ms: float, monitors=(MONITOR,)) -> dict:
    """The checker's report line for one frame at a time on the given monitors."""
    line = frame if isinstance(frame, str) else json.dumps(frame, ensure_ascii=False)
    done = subprocess.run([str(FRAME_TOOL), "layout", *[f"--monitor={m}" for m in monitors], f"--now={now_ms!r}"],
                          input=(line + "\n").encode(), capture_output=True, timeout=30)
    assert done.returncode == 0, f"the checker rejects the frame: {done.stdout} {done.stderr}"
    return json.loads(done.stdout.decode().splitlines()[0])


def expected_layout(frame: dict | str, now_ms: float, monitors=(MONITOR,)) -> ExpectedLayout:
    """Screen rectangles of the blocks of a frame that shows something."""
    report = checker_layout(frame, now_ms, monitors)
    assert report["window"] is not None, f"the checker shows nothing for {frame}"
    layout, wx, wy = report["layout"], report["window"]["x"], report["window"]["y"]
    blocks = [Placed(b["kind"], b.get("index"), Rect(wx + b["x"], wy + b["y"], b["w"], b["h"]), b["alpha"],
                     b["slide"]) for b in layout["blocks"]]
    return ExpectedLayout(report, Rect(wx, wy, layout["width"], layout["height"]), blocks)


def painted_in_parts(first: dict, other_monitor: str):
    """Frames after `first` that the overlay paints in parts, each as (step, frame, the time to render its
    picture at): a toast fading in (born 200 ms after the step begins, drawn at every tick of its fade), the
    Hud's elapsed time alone, an alert added, another monitor, and the same frame again."""
    born = wall_ms() + 200
    toast = {"kind": "same", "title": "Fading in", "index": "2", "born": born, "dies": born + 600_000}
    frame = {**first, "toasts": [*first["toasts"], toast]}
    yield "fade", frame, born + 1000
    frame = {**frame, "hud": {**frame["hud"], "elapsed": "01:24:10"}}
    yield "elapsed", frame, born + 1000
    frame = {**frame, "alerts": [*frame["alerts"], {"title": "Camera 2 disconnected"}]}
    yield "alert", frame, born + 1000
    frame = {**frame, "monitor": other_monitor}
    yield "monitor", frame, born + 1000
    yield "same", frame, born + 1000
