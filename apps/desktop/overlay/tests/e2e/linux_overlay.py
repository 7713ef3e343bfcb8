"""The native Linux tolmin-overlay as the X11 and the Wayland suites run it on their desktops: started with its
input held open (stopped by the suite's fixture), or run to its end. TOLMIN_LINUX_OVERLAY overrides the binary."""

from __future__ import annotations

import os
import subprocess
from pathlib import Path

import pytest
from expect import APP, ROOT
from wine_session import Program

OVERLAY = Path(os.environ.get("TOLMIN_LINUX_OVERLAY", APP / "build/native/tolmin-overlay")).resolve()
FONTS = ROOT / "build/fonts"


class LinuxOverlay:
    """Results are CompletedProcess-like: returncode, stdout, stderr."""

    def __init__(self, desktop):
        self.desktop, self.started = desktop, []

    def popen(self, argv: list[str], env: dict | None = None) -> Program:
        self.started.append(Program(subprocess.Popen(argv, env=env or self.desktop.env(), stdin=subprocess.PIPE,
                                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE)))
        return self.started[-1]

    def start(self, *args: str, env: dict | None = None) -> Program:
        """Starts it with --fonts build/fonts and its input held open."""
        return self.popen([str(OVERLAY), "--fonts", str(FONTS), *args], env)

    def run(self, *args: str, input: bytes = b"", env: dict | None = None, timeout: float = 30):
        return subprocess.run([str(OVERLAY), *args], input=input, env=env or self.desktop.env(), capture_output=True,
                              timeout=timeout)

    def finish(self, program: Program, timeout: float = 1.0):
        """Closes the input; the overlay must end on its own within `timeout` seconds."""
        program.close_input()
        try:
            return subprocess.CompletedProcess([], program.wait(timeout), program.stdout, program.stderr)
        except subprocess.TimeoutExpired:
            program.stop()
            pytest.fail(f"the overlay did not end within {timeout} s of the end of its input")
