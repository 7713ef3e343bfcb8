"""The native Linux tolmin-overlay as the X11 and the Wayland suites run it on their desktops: started with its
input held open (stopped by the suite's fixture), or run to its end. TOLMIN_LINUX_OVERLAY overrides the binary."""

from __future__ import annotations

import os
import subprocess
import time
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

    def sleeps_then_ends(self, program: Program, stderr: bytes) -> None:
        """Shown and idle, the overlay does not wake up for 3 s; at the end of its input it ends at once, with
        status 0, nothing on standard output and `stderr` on standard error."""
        time.sleep(0.3)
        before = voluntary_switches(program.pid)
        time.sleep(3)
        assert voluntary_switches(program.pid) - before == 0, "the overlay woke up while nothing changed"
        started = time.monotonic()
        done = self.finish(program, timeout=1.0)
        assert (done.returncode, done.stdout, done.stderr) == (0, b"", stderr)
        assert time.monotonic() - started < 1.0


def voluntary_switches(pid: int) -> int:
    """Times any thread of the process went to sleep and was woken: its wake-ups."""
    return sum(int(line.split()[1]) for task in os.listdir(f"/proc/{pid}/task")
               for line in open(f"/proc/{pid}/task/{task}/status") if line.startswith("voluntary_ctxt_switches"))
