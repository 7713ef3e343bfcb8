"""A private X display and Wine prefix for running tolmin-overlay.exe on Linux.

Shared by the end-to-end suite (conftest.py) and the idle-cost measurement (bench/wine/idle_cpu.py).
Nothing here knows about the overlay's behaviour: it starts Xvfb, prepares a Wine prefix, runs Windows
programs with binary pipes, and takes screenshots of the root window.
"""

from __future__ import annotations

import io
import json
import os
import shutil
import signal
import subprocess
import time
from pathlib import Path

from PIL import Image, ImageGrab

WINE_LOADER = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64"
SCREEN = (1920, 1080)


class SessionError(RuntimeError):
    """The display or the prefix could not be brought up."""


def wine_path(path: Path | str) -> str:
    """A Linux absolute path as Wine's Z: drive shows it (what `winepath -w` prints for such a path)."""
    text = os.fspath(path)
    if not text.startswith("/"):
        raise ValueError(f"not an absolute path: {text}")
    return "Z:" + text.replace("/", "\\")


class XServer:
    """One Xvfb on the first free display number of a range, 1920x1080 at 24 bits, black root.

    With more screens, Xinerama joins them and RandR is left out, so that Wine lists one monitor per screen
    (Xvfb puts every screen at 0,0).
    """

    def __init__(self, numbers=range(90, 100), log_dir: Path | None = None, screens=(SCREEN,)):
        self.numbers = numbers
        self.log_dir = log_dir
        self.screens = screens
        self.number: int | None = None
        self.proc: subprocess.Popen | None = None

    @property
    def display(self) -> str:
        return f":{self.number}"

    def start(self, timeout: float = 10.0) -> "XServer":
        for n in self.numbers:
            if os.path.exists(f"/tmp/.X{n}-lock") or os.path.exists(f"/tmp/.X11-unix/X{n}"):
                continue
            log = open(self.log_dir / f"xvfb-{n}.log", "wb") if self.log_dir else subprocess.DEVNULL
            argv = ["Xvfb", f":{n}"]
            for i, (w, h) in enumerate(self.screens):
                argv += ["-screen", str(i), f"{w}x{h}x24"]
            if len(self.screens) > 1:
                argv += ["+xinerama", "-extension", "RANDR"]
            proc = subprocess.Popen(argv + ["-br", "-nolisten", "tcp"],
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
            if log is not subprocess.DEVNULL:
                log.close()
            deadline = time.monotonic() + timeout
            while time.monotonic() < deadline:
                if proc.poll() is not None:
                    break  # lost the race for this number to someone else; try the next one
                if os.path.exists(f"/tmp/.X11-unix/X{n}") and self._answers(n):
                    self.number, self.proc = n, proc
                    return self
                time.sleep(0.05)
            if proc.poll() is None:
                proc.kill()
                proc.wait()
        raise SessionError(f"no Xvfb could be started on displays {self.numbers.start}..{self.numbers.stop - 1}")

    @staticmethod
    def _answers(n: int) -> bool:
        probe = subprocess.run(["xwd", "-root", "-display", f":{n}", "-silent"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return probe.returncode == 0

    def stop(self) -> None:
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc = None

    def screenshot(self) -> Image.Image:
        """The whole root window as an RGB image.

        Pillow reads it straight from the X server (XCB), a few times faster than `xwd | convert`, which stays
        as the way for a Pillow built without XCB.
        """
        try:
            return ImageGrab.grab(xdisplay=self.display).convert("RGB")
        except OSError:
            pass
        grab = subprocess.run(["xwd", "-root", "-display", self.display, "-silent"],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True)
        png = subprocess.run(["convert", "xwd:-", "png:-"], input=grab.stdout,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True)
        return Image.open(io.BytesIO(png.stdout)).convert("RGB")


class WinePrefix:
    """A 64-bit Wine prefix of our own, with a persistent wineserver while the session lasts."""

    def __init__(self, path: Path, display: str):
        self.path = Path(path)
        self.display = display
        self.server: subprocess.Popen | None = None

    def env(self) -> dict:
        env = dict(os.environ)
        env.update({
            "WINEPREFIX": str(self.path),
            "WINEDEBUG": "-all",
            # No Mono or Gecko prompts; and no debugger: a crashing program ends (status 5) instead of waiting
            # behind winedbg's crash dialog.
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winedbg.exe=d",
            "DISPLAY": self.display,
            "LC_ALL": "C.UTF-8",
        })
        env.pop("WAYLAND_DISPLAY", None)
        return env

    def prepare(self, timeout: float = 120.0) -> "WinePrefix":
        """Creates the prefix once (wineboot -i, about 7-10 s), then keeps one wineserver running for it."""
        self.path.parent.mkdir(parents=True, exist_ok=True)
        if not (self.path / "system.reg").exists():
            # On /dev/null: the services it starts would hold pipes open.
            status = self.quiet(["wineboot", "-i"], timeout)
            if status != 0:
                raise SessionError(f"wineboot -i failed for {self.path} (status {status})")
            self.wait_server(timeout)
        self.start_server(timeout)
        return self

    def start_server(self, timeout: float = 120.0) -> None:
        """A persistent wineserver for the prefix, on the current display, with the services started."""
        self.server = subprocess.Popen([WINESERVER, "-p", "-f"], env=self.env(), stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                       start_new_session=True)
        try:
            # The first program of a prefix starts its services (services.exe, winedevice.exe...). They inherit
            # the program's standard handles, so they are started here on /dev/null, not on a test's pipes.
            warm = self.quiet(["cmd", "/c", "echo", "ready"], timeout)
            if warm != 0:
                raise SessionError(f"the prefix does not run programs (cmd /c echo: {warm})")
            self.set_log_pixels(None)  # the default 96 DPI, whatever an interrupted run left behind
        except BaseException:
            self.shutdown()
            raise

    def restart(self, display: str) -> None:
        """The prefix on another X display: the server and services start afresh and see its monitors."""
        self.shutdown()
        self.display = display
        self.start_server()

    def quiet(self, argv, timeout: float = 60.0) -> int:
        """Runs a program on /dev/null; its exit status."""
        return subprocess.run(self.command(argv[0], argv[1:]), env=self.env(), stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout).returncode

    def set_log_pixels(self, dpi: int | None) -> None:
        """The system DPI that Wine reports for every monitor (None: the default, 96); read at process start."""
        key = "HKCU\\Control Panel\\Desktop"
        if dpi is None:
            self.quiet(["reg", "delete", key, "/v", "LogPixels", "/f"])  # fails harmlessly when absent
        elif self.quiet(["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"]) != 0:
            raise SessionError(f"cannot set LogPixels to {dpi}")

    def wait_server(self, timeout: float = 60.0) -> None:
        subprocess.run([WINESERVER, "-w"], env=self.env(), timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def shutdown(self) -> None:
        """Ends every process of this prefix (wineserver -k) and the server itself."""
        subprocess.run([WINESERVER, "-k"], env=self.env(), timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.server:
            try:
                self.server.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()
            self.server = None

    def command(self, program: str | Path, args=()) -> list[str]:
        return [WINE_LOADER, os.fspath(program), *args]

    def run(self, argv, input: bytes = b"", timeout: float = 60.0, cwd=None) -> subprocess.CompletedProcess:
        """Runs a program to its end with `input` as its whole standard input."""
        program = self.popen(argv, cwd=cwd)
        try:
            try:
                if input:
                    program.send_raw(input)
                program.close_input()
            except BrokenPipeError:
                pass  # the program ended without reading all of it
            status = program.wait(timeout)
        except BaseException:
            program.stop()
            raise
        return subprocess.CompletedProcess(argv, status, program.stdout, program.stderr)

    def popen(self, argv, cwd=None) -> "Program":
        return Program(subprocess.Popen(self.command(argv[0], argv[1:]), env=self.env(), cwd=cwd,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE))

    def processes(self) -> list[int]:
        """Process ids of every Linux process that runs in this prefix (wineserver included)."""
        found = []
        needle = f"WINEPREFIX={self.path}".encode()
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open(f"/proc/{entry}/environ", "rb") as f:
                    if needle in f.read().split(b"\0"):
                        found.append(int(entry))
            except OSError:
                continue
        return found


class Program:
    """A running Windows program with binary pipes.

    Its output is read without blocking whenever it is looked at (and while waiting), not by reader threads
    waiting for the end of the pipes: under Wine that end comes about a second after the process has gone.
    """

    def __init__(self, proc: subprocess.Popen):
        self.proc = proc
        self._out = bytearray()
        self._err = bytearray()
        for stream in (proc.stdout, proc.stderr):
            os.set_blocking(stream.fileno(), False)

    def _pump(self) -> None:
        for stream, sink in ((self.proc.stdout, self._out), (self.proc.stderr, self._err)):
            if stream.closed:
                continue
            while True:
                try:
                    chunk = os.read(stream.fileno(), 65536)
                except BlockingIOError:
                    break
                if not chunk:
                    stream.close()
                    break
                sink.extend(chunk)

    @property
    def pid(self) -> int:
        return self.proc.pid

    @property
    def stdout(self) -> bytes:
        self._pump()
        return bytes(self._out)

    @property
    def stderr(self) -> bytes:
        self._pump()
        return bytes(self._err)

    def send(self, line: bytes | str) -> None:
        """Writes one line (a line feed is added) and flushes it to the program."""
        data = line.encode() if isinstance(line, str) else line
        self.send_raw(data + b"\n")

    def send_json(self, value) -> None:
        """Writes a value as one line of compact JSON."""
        self.send(json.dumps(value, separators=(",", ":"), ensure_ascii=False))

    def send_raw(self, data: bytes) -> None:
        view = memoryview(data)
        while view:  # in pieces, so that the program's output keeps flowing meanwhile
            self.proc.stdin.write(view[:65536])
            self.proc.stdin.flush()
            view = view[65536:]
            self._pump()

    def close_input(self) -> None:
        if not self.proc.stdin.closed:
            try:
                self.proc.stdin.close()
            except BrokenPipeError:
                pass

    def wait(self, timeout: float) -> int:
        """Exit status; raises subprocess.TimeoutExpired if the program is still running."""
        deadline = time.monotonic() + timeout
        while True:
            self._pump()
            try:
                status = self.proc.wait(timeout=0.02)
                break
            except subprocess.TimeoutExpired:
                if time.monotonic() > deadline:
                    raise
        self._pump()  # everything it wrote is in the pipes by now
        return status

    def running(self) -> bool:
        return self.proc.poll() is None

    def wait_for_stderr(self, text: bytes, timeout: float) -> bool:
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if text in self.stderr:
                return True
            time.sleep(0.05)
        return text in self.stderr

    def stop(self) -> None:
        """Ends the program if it still runs (closing its input first, then killing it)."""
        if self.proc.poll() is None:
            self.close_input()
            try:
                self.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.send_signal(signal.SIGKILL)
                self.proc.wait()
        self._pump()
        for stream in (self.proc.stdin, self.proc.stdout, self.proc.stderr):
            try:
                stream.close()
            except OSError:
                pass


def have_tools() -> list[str]:
    """Names of the outside programs the session needs that are missing."""
    needed = ["Xvfb", "xwd", "convert"]
    missing = [name for name in needed if shutil.which(name) is None]
    missing += [p for p in (WINE_LOADER, WINESERVER) if not os.access(p, os.X_OK)]
    return missing
