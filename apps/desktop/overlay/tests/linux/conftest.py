"""Fixtures of the Linux suite: the native tolmin-overlay on a private X desktop (tools/desktop/x_desktop.py),
one run at a time. TOLMIN_LINUX_OVERLAY and TOLMIN_FRAME override the binaries."""

from __future__ import annotations

import shutil
import subprocess
import sys
import time
from pathlib import Path

import pytest

HERE = Path(__file__).resolve().parent
sys.path[:0] = [str(HERE), str(HERE.parents[1] / "tools/desktop"), str(HERE.parent / "e2e")]

from expect import FRAME_TOOL, ROOT  # noqa: E402
from linux_overlay import FONTS, OVERLAY, LinuxOverlay  # noqa: E402
from Xlib import X  # noqa: E402
from x_desktop import BACKDROP, Desktop  # noqa: E402

CAPTURE_WARNING = b"tolmin-overlay: X11 cannot keep the overlay out of a capture; it will show in screen captures\n"


def overlay_window(desktop: Desktop):
    """The one window of class tolmin-overlay, once it is there."""
    def find():
        return [w for w in desktop.x.screen().root.query_tree().children
                if (w.get_wm_class() or ("",))[0] == "tolmin-overlay"]
    deadline = time.monotonic() + 10
    while not (windows := find()) and time.monotonic() < deadline:
        time.sleep(0.05)
    assert len(windows) == 1, f"{len(windows)} overlay windows"
    return windows[0]


def mapped(window) -> bool:
    return window.get_attributes().map_state == X.IsViewable


class Overlay(LinuxOverlay):
    """Runs the overlay on the desktop and looks at what it shows."""

    def __init__(self, desktop: Desktop):
        super().__init__(desktop)
        self.shot_started_ms = 0.0

    def screenshot(self):
        self.shot_started_ms = time.time() * 1000.0
        return self.desktop.screenshot()

    def wait_for(self, condition, timeout: float = 10.0):
        """Screenshots until condition(image) holds: that image, or None after the timeout."""
        deadline = time.monotonic() + timeout
        while not condition(image := self.screenshot()):
            if time.monotonic() > deadline:
                return None
            time.sleep(0.02)
        return image

    def wait_clear(self, timeout: float = 10.0):
        """The screen showing the backdrop alone."""
        return self.wait_for(lambda im: im.getcolors(1) == [(im.width * im.height, BACKDROP)], timeout)


@pytest.fixture(scope="session")
def desktop(tmp_path_factory):
    missing = [p for p in ("Xvfb", "picom", "xrandr", "xrdb", "xdotool") if shutil.which(p) is None]
    if missing or not OVERLAY.is_file() or not FRAME_TOOL.is_file():
        pytest.fail(f"missing {missing} (run scripts/setup) or the native build ({OVERLAY}, {FRAME_TOOL})")
    if len(list(FONTS.glob("*.ttf"))) < 6:
        subprocess.run([str(ROOT / "scripts/setup")], check=True)
    session = Desktop(tmp_path_factory.mktemp("xvfb")).start()
    yield session
    session.stop()


@pytest.fixture
def overlay(desktop):
    """Starts on a screen showing the backdrop alone (with a compositing manager) and leaves no overlay."""
    desktop.start_compositor()
    runner = Overlay(desktop)
    if runner.wait_clear() is None:
        pytest.fail("the screen showed more than the backdrop before the test")
    yield runner
    for program in runner.started:
        program.stop()
    runner.wait_clear()
