"""What the overlay should show: its palette, and block rectangles from the overlay's own layout code.

The rectangles come from the native checker (`tolmin-frame layout`), which runs the same layout as the
overlay; nothing of the layout is computed again here.
"""

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

# The monitor Xvfb gives Wine, in the checker's notation.
MONITOR = "\\\\.\\DISPLAY1=1920x1080@96+0+0,primary"

# Wine refuses WDA_EXCLUDEFROMCAPTURE, so every run that makes the window starts with this line on stderr.
CAPTURE_WARNING = (b"tolmin-overlay: this Windows cannot keep the overlay out of a capture (needs 10 2004); "
                   b"it will flash rather than hold a HUD\n")

# The overlay's palette (8-bit channels).
PANEL = (13, 13, 17)
EDGE = (38, 38, 46)
SIGNAL = (255, 46, 85)
BRIGHT = (242, 242, 245)
DIM = (139, 139, 150)
LIME = (200, 255, 0)
BLACK = (0, 0, 0)


def over_black(rgb, alpha):
    """A colour at some opacity as it lands on the black root window (premultiplied)."""
    return tuple(round(c * alpha) for c in rgb)


PANEL_HUD = over_black(PANEL, 0.92)  # Hud and Night backgrounds: (12, 12, 16)
PANEL_ROW = over_black(PANEL, 0.94)  # alert and toast backgrounds: (12, 12, 16)


def wall_ms() -> float:
    """The wall clock in the unit of a toast's born and dies."""
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
        """The last column inside."""
        return self.x + self.w - 1

    @property
    def bottom(self) -> int:
        """The last row inside."""
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
    report: dict  # the checker's line, as parsed
    window: Rect  # on the screen
    blocks: list[Placed]

    def block(self, kind: str, index: int | None = None) -> Rect:
        for b in self.blocks:
            if b.kind == kind and (index is None or b.index == index):
                return b.rect
        raise KeyError((kind, index))

    def box(self) -> tuple[int, int, int, int]:
        """The bounding box of the drawn blocks as PIL's getbbox() gives it (right and bottom exclusive).

        A block of opacity 0 (a toast before its born time) takes room in the window but draws nothing.
        """
        rects = [b.rect for b in self.blocks if b.alpha > 0]
        return (min(r.x for r in rects), min(r.y for r in rects),
                max(r.x + r.w for r in rects), max(r.y + r.h for r in rects))


def checker_layout(frame: dict | str, now_ms: float, monitors=(MONITOR,)) -> dict:
    """The checker's report line for one frame on the given monitors (default: the Xvfb screen) at a time."""
    if not FRAME_TOOL.is_file():
        raise FileNotFoundError(f"no frame checker at {FRAME_TOOL} (build the native preset or set TOLMIN_FRAME)")
    line = frame if isinstance(frame, str) else json.dumps(frame, ensure_ascii=False)
    options = [f"--monitor={m}" for m in monitors]
    done = subprocess.run([str(FRAME_TOOL), "layout", *options, f"--now={now_ms!r}"],
                          input=(line + "\n").encode(), stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
    out = done.stdout.decode()
    if done.returncode != 0:
        raise AssertionError(f"the checker rejects the frame: {out} {done.stderr.decode(errors='replace')}")
    return json.loads(out.splitlines()[0])


def expected_layout(frame: dict | str, now_ms: float, monitors=(MONITOR,)) -> ExpectedLayout:
    """Screen rectangles of the blocks of a frame that shows something."""
    report = checker_layout(frame, now_ms, monitors)
    layout = report["layout"]
    if report["window"] is None:
        raise AssertionError(f"the checker shows nothing for {frame}")
    wx, wy = report["window"]["x"], report["window"]["y"]
    blocks = [Placed(b["kind"], b.get("index"), Rect(wx + b["x"], wy + b["y"], b["w"], b["h"]), b["alpha"],
                     b["slide"]) for b in layout["blocks"]]
    return ExpectedLayout(report, Rect(wx, wy, layout["width"], layout["height"]), blocks)
