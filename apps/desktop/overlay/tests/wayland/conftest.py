"""Fixtures of the Wayland suite: the native tolmin-overlay on a private headless sway (tools/desktop/sway_desktop.py),
and what each output should show: `tolmin-frame render` of the same frame over the background. TOLMIN_LINUX_OVERLAY
and TOLMIN_FRAME override the binaries."""

from __future__ import annotations

import json
import shutil
import subprocess
import sys
import time
from pathlib import Path

import pytest
from PIL import Image, ImageChops

HERE = Path(__file__).resolve().parent
sys.path[:0] = [str(HERE), str(HERE.parents[1] / "tools/desktop"), str(HERE.parent / "e2e")]

from expect import FRAME_TOOL, ROOT  # noqa: E402
from linux_overlay import FONTS, OVERLAY, LinuxOverlay  # noqa: E402
from sway_desktop import BACKGROUND, OUTPUTS, SIZE, TEST_CLIENT, SwayDesktop, checker_monitors  # noqa: E402
from wine_session import Program  # noqa: E402

CAPTURE_WARNING = b"tolmin-overlay: Wayland cannot keep the overlay out of a capture; it will show in screen captures\n"
TOLERANCE = 2  # per channel: the compositor blends premultiplied pixels, PIL the PNG's straight alpha


def expected_output(frame: dict, now: float, tmp_path: Path, monitors=None) -> tuple[Image.Image, tuple]:
    """The frame's output as it should look, and the window's rectangle on it in pixels. `monitors` (the
    checker's notation) are the outputs' when not given."""
    monitors = monitors or checker_monitors()
    done = subprocess.run([str(FRAME_TOOL), "render", *[f"--monitor={m}" for m in monitors],
                           f"--now={now!r}", f"--fonts={FONTS}", f"--out={tmp_path}"],
                          input=(json.dumps(frame) + "\n").encode(), capture_output=True, timeout=60)
    assert done.returncode == 0, done.stderr
    report = json.loads(done.stdout)
    window = report["window"]
    origins = {m.split("=")[0]: int(m.split("+")[1]) for m in monitors}
    x = window["x"] - origins.get(frame.get("monitor"), next(iter(origins.values())))
    shown = Image.new("RGBA", SIZE, BACKGROUND + (255,))
    shown.alpha_composite(Image.open(report["file"]).convert("RGBA"), (x, window["y"]))
    return shown.convert("RGB"), (x, window["y"], window["width"], window["height"])


def differing(shot: Image.Image, expected: Image.Image) -> list:
    difference = ImageChops.difference(shot, expected)
    return [(i % shot.width, i // shot.width) for i, p in enumerate(difference.getdata()) if max(p) > TOLERANCE]


class Overlay(LinuxOverlay):
    """Runs the overlay on the desktop and looks at what the outputs show."""

    def wait_for(self, output: str, condition, timeout: float = 10.0):
        """Screenshots of `output` until condition(image) holds: that image, or None after the timeout."""
        deadline = time.monotonic() + timeout
        while not condition(image := self.desktop.screenshot(output)):
            if time.monotonic() > deadline:
                return None
            time.sleep(0.02)
        return image

    def wait_clear(self, output: str, timeout: float = 10.0):
        return self.wait_for(output, lambda im: im.getcolors(1) == [(im.width * im.height, BACKGROUND)], timeout)

    def show(self, program: Program, frame: dict, now: float, tmp_path: Path, name: str = "frame") -> tuple:
        """Sends the frame and waits until its output shows exactly the render: the window's rectangle."""
        expected, window = expected_output(frame, now, tmp_path)
        output = frame.get("monitor") or OUTPUTS[0][0]
        program.send_json(frame)
        if self.wait_for(output, lambda im: not differing(im, expected)) is None:
            (shot := self.desktop.screenshot(output)).save(tmp_path / f"{name}-screen.png")
            off = differing(shot, expected)
            pytest.fail(f"{name}: {len(off)} pixels differ (window {window}), first {off[:5]} (see {tmp_path})")
        return window


@pytest.fixture(scope="session")
def desktop(tmp_path_factory):
    missing = [p for p in ("sway", "grim", "swaymsg", "setpriv") if shutil.which(p) is None]
    if missing or not all(p.is_file() for p in (OVERLAY, FRAME_TOOL, TEST_CLIENT)):
        pytest.fail(f"missing {missing} (run scripts/setup) or the native build ({OVERLAY}, {TEST_CLIENT})")
    if len(list(FONTS.glob("*.ttf"))) < 6:
        subprocess.run([str(ROOT / "scripts/setup")], check=True)
    session = SwayDesktop(tmp_path_factory.mktemp("sway")).start()
    yield session
    session.stop()


@pytest.fixture
def overlay(desktop):
    """Starts on outputs showing the background alone and leaves no overlay."""
    runner = Overlay(desktop)
    yield runner
    for program in runner.started:
        program.stop()
    for name, _, _ in OUTPUTS:
        assert runner.wait_clear(name) is not None, f"{name} still shows more than the background"
