"""Fixtures of the Linux suite: the native tolmin-overlay on a private X desktop (x_desktop.py), one run at a
time. TOLMIN_LINUX_OVERLAY and TOLMIN_FRAME override the binaries."""

from __future__ import annotations

import os
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))

from expect import APP, FRAME_TOOL, ROOT  # noqa: E402
from wine_session import Program  # noqa: E402
from x_desktop import BACKDROP, Desktop  # noqa: E402

OVERLAY = Path(os.environ.get("TOLMIN_LINUX_OVERLAY", APP / "build/native/tolmin-overlay")).resolve()
FONTS = ROOT / "build/fonts"
CAPTURE_WARNING = b"tolmin-overlay: X11 cannot keep the overlay out of a capture; it will show in screen captures\n"


@dataclass
class Finished:
    status: int
    stdout: bytes
    stderr: bytes


@pytest.fixture(scope="session")
def desktop(tmp_path_factory):
    for program in ("Xvfb", "picom", "xrandr", "xrdb", "xdotool"):
        if subprocess.run(["which", program], capture_output=True).returncode != 0:
            pytest.fail(f"{program} is missing (run scripts/setup)")
    if not OVERLAY.is_file() or not FRAME_TOOL.is_file():
        pytest.fail(f"build the native preset first: {OVERLAY}, {FRAME_TOOL}")
    if len(list(FONTS.glob("*.ttf"))) < 6:
        subprocess.run([str(ROOT / "scripts/setup")], check=True)
    session = Desktop(tmp_path_factory.mktemp("xvfb")).start()
    yield session
    session.stop()


class Overlay:
    """Runs the overlay on the desktop and looks at what it shows."""

    def __init__(self, desktop: Desktop):
        self.desktop = desktop
        self.started: list[Program] = []
        self.shot_started_ms = 0.0

    def popen(self, argv: list[str], env: dict | None = None) -> Program:
        program = Program(subprocess.Popen(argv, env=env or self.desktop.env(), stdin=subprocess.PIPE,
                                           stdout=subprocess.PIPE, stderr=subprocess.PIPE))
        self.started.append(program)
        return program

    def start(self, *args: str, fonts: bool = True) -> Program:
        """Starts it with its input held open (and --fonts build/fonts unless fonts=False)."""
        return self.popen([str(OVERLAY), *(["--fonts", str(FONTS)] if fonts else []), *args])

    def run(self, *args: str, input: bytes = b"", env: dict | None = None, timeout: float = 30) -> Finished:
        done = subprocess.run([str(OVERLAY), *args], input=input, env=env or self.desktop.env(),
                              capture_output=True, timeout=timeout)
        return Finished(done.returncode, done.stdout, done.stderr)

    def finish(self, program: Program, timeout: float = 1.0) -> Finished:
        """Closes the input; the overlay must end on its own within `timeout` seconds."""
        program.close_input()
        try:
            return Finished(program.wait(timeout), program.stdout, program.stderr)
        except subprocess.TimeoutExpired:
            program.stop()
            pytest.fail(f"the overlay did not end within {timeout} s of the end of its input")

    def stop_all(self) -> None:
        for program in self.started:
            program.stop()
        self.started.clear()

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


@pytest.fixture
def overlay(desktop):
    """Starts on a screen showing the backdrop alone and leaves no overlay behind."""
    desktop.start_compositor()
    runner = Overlay(desktop)
    if runner.wait_clear() is None:
        pytest.fail("the screen showed more than the backdrop before the test")
    yield runner
    runner.stop_all()
    runner.wait_clear()
