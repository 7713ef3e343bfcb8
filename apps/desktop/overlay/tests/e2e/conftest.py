"""Fixtures of the end-to-end suite: the real tolmin-overlay.exe under Wine on a private Xvfb, one run at a
time. TOLMIN_OVERLAY_EXE, TOLMIN_FRAME and TOLMIN_E2E_PREFIX override the binaries and the prefix."""

from __future__ import annotations

import os
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

import pytest

HERE = Path(__file__).resolve().parent
sys.path[:0] = [str(HERE), str(HERE.parents[1] / "tools/desktop")]

from expect import APP, FRAME_TOOL, ROOT  # noqa: E402
from wine_session import SCREEN, Program, WinePrefix, XServer, have_tools, wine_path  # noqa: E402

EXE = Path(os.environ.get("TOLMIN_OVERLAY_EXE", APP / "build/windows/tolmin-overlay.exe")).resolve()
PREFIX = Path(os.environ.get("TOLMIN_E2E_PREFIX", APP / "build/wine-e2e")).resolve()
FONTS = ROOT / "build/fonts"


@pytest.fixture(scope="session")
def fonts_dir() -> Path:
    """build/fonts with the six test faces (scripts/setup prepares it)."""
    if len(list(FONTS.glob("*.ttf"))) < 6:
        subprocess.run([str(ROOT / "scripts/setup")], check=True)
    return FONTS


@pytest.fixture(scope="session")
def exe() -> Path:
    if not EXE.is_file():
        pytest.fail(f"no overlay executable at {EXE} (build the windows preset or set TOLMIN_OVERLAY_EXE)")
    return EXE


@pytest.fixture(scope="session")
def frame_tool() -> Path:
    if not FRAME_TOOL.is_file():
        pytest.fail(f"no frame checker at {FRAME_TOOL} (build the native preset or set TOLMIN_FRAME)")
    return FRAME_TOOL


@pytest.fixture(scope="session")
def xserver(tmp_path_factory):
    if have_tools():
        pytest.fail(f"missing programs for the end-to-end suite: {have_tools()} (run scripts/setup)")
    server = XServer(log_dir=tmp_path_factory.mktemp("xvfb")).start()
    yield server
    server.stop()


@pytest.fixture(scope="session")
def wine(xserver):
    prefix = WinePrefix(PREFIX, xserver.display).prepare()
    yield prefix
    prefix.shutdown()


@dataclass
class Finished:
    status: int
    stdout: bytes
    stderr: bytes


class Overlay:
    """Runs the overlay and looks at what lands on the screen."""

    def __init__(self, wine: WinePrefix, xserver: XServer, exe: Path, fonts: Path):
        self.wine, self.xserver, self.exe, self.fonts = wine, xserver, exe, fonts
        self.started: list[Program] = []
        self.shot_started_ms = 0.0

    def run(self, *args: str, input: bytes = b"", timeout: float = 30.0) -> Finished:
        """Runs to the end with `input` as the whole of standard input."""
        done = self.wine.run([str(self.exe), *args], input=input, timeout=timeout)
        return Finished(done.returncode, done.stdout, done.stderr)

    def start(self, *args: str, fonts: bool = True) -> Program:
        """Starts it with its input held open (and --fonts build/fonts unless fonts=False)."""
        argv = [str(self.exe), *(["--fonts", wine_path(self.fonts)] if fonts else []), *args]
        self.started.append(self.wine.popen(argv))
        return self.started[-1]

    def finish(self, program: Program, timeout: float = 5.0) -> Finished:
        """Closes the input and waits for the overlay to end on its own."""
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
        """The screen now; `shot_started_ms` is the wall-clock time at which this screenshot began."""
        self.shot_started_ms = time.time() * 1000.0
        return self.xserver.screenshot()

    def wait_for(self, condition, timeout: float = 30.0):
        """Screenshots until condition(image) holds: that image, or None after the timeout."""
        deadline = time.monotonic() + timeout
        while not condition(image := self.screenshot()):
            if time.monotonic() > deadline:
                return None
            time.sleep(0.05)
        return image

    def wait_black(self, timeout: float = 10.0):
        return self.wait_for(lambda im: im.getbbox() is None, timeout)


@pytest.fixture
def helper(wine, xserver, exe, fonts_dir):
    """The runner for runs that show nothing (command line, probe, font messages)."""
    runner = Overlay(wine, xserver, exe, fonts_dir)
    yield runner
    runner.stop_all()


@pytest.fixture
def overlay(wine, xserver, exe, fonts_dir, frame_tool):
    """The runner for screen tests: starts on a black screen and leaves no overlay behind."""
    runner = Overlay(wine, xserver, exe, fonts_dir)
    if runner.wait_black() is None:
        pytest.fail("the screen was not black before the test (an earlier overlay is still shown)")
    yield runner
    runner.stop_all()
    runner.wait_black()


def pytest_report_header(config):
    return [f"overlay: {EXE}", f"frame checker: {FRAME_TOOL}", f"wine prefix: {PREFIX}", f"screen: {SCREEN}"]
