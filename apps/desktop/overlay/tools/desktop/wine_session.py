"""A private Xvfb and Wine prefix for running Windows programs with binary pipes, and screenshots of the
root window. Shared by the test suites, the desktops beside it, the benchmarks and scripts/wine-run; knows
nothing of the overlay."""

from __future__ import annotations

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
    """A Linux absolute path as Wine's Z: drive shows it."""
    text = os.fspath(path)
    if not text.startswith("/"):
        raise ValueError(f"not an absolute path: {text}")
    return "Z:" + text.replace("/", "\\")


class XServer:
    """Xvfb on the first free display of `numbers`, 24 bits, black root. With several screens Xinerama joins
    them without RandR, so that Wine lists one monitor per screen (all at 0,0)."""

    def __init__(self, numbers=range(90, 100), log_dir: Path | None = None, screens=(SCREEN,), options=()):
        self.numbers, self.log_dir, self.screens, self.options = numbers, log_dir, screens, tuple(options)
        self.number: int | None = None
        self.proc: subprocess.Popen | None = None

    @property
    def display(self) -> str:
        return f":{self.number}"

    def start(self, timeout: float = 10.0) -> "XServer":
        for n in self.numbers:
            if os.path.exists(f"/tmp/.X{n}-lock") or os.path.exists(f"/tmp/.X11-unix/X{n}"):
                continue
            argv = ["Xvfb", f":{n}", "-br", "-nolisten", "tcp", *self.options]
            for i, (w, h) in enumerate(self.screens):
                argv += ["-screen", str(i), f"{w}x{h}x24"]
            if len(self.screens) > 1:
                argv += ["+xinerama", "-extension", "RANDR"]
            log = open(self.log_dir / f"xvfb-{n}.log", "wb") if self.log_dir else subprocess.DEVNULL
            proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
            deadline = time.monotonic() + timeout
            while time.monotonic() < deadline and proc.poll() is None:  # a lost race ends it: try the next
                if os.path.exists(f"/tmp/.X11-unix/X{n}") and self._answers(f":{n}"):
                    self.number, self.proc = n, proc
                    return self
                time.sleep(0.05)
            if proc.poll() is None:
                proc.kill()
                proc.wait()
        raise SessionError(f"no Xvfb could be started on displays {self.numbers.start}..{self.numbers.stop - 1}")

    @staticmethod
    def _answers(display: str) -> bool:
        try:
            ImageGrab.grab(xdisplay=display)
            return True
        except OSError:
            return False

    def stop(self) -> None:
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(timeout=5)
        self.proc = None

    def screenshot(self) -> Image.Image:
        return ImageGrab.grab(xdisplay=self.display).convert("RGB")


class WinePrefix:
    """A 64-bit Wine prefix of our own, with a persistent wineserver while the session lasts."""

    def __init__(self, path: Path, display: str):
        self.path, self.display = Path(path), display
        self.server: subprocess.Popen | None = None

    def env(self) -> dict:
        env = {k: v for k, v in os.environ.items() if k != "WAYLAND_DISPLAY"}
        # No Mono or Gecko prompts, and no debugger: a crashing program ends (status 5) instead of waiting.
        env.update({"WINEPREFIX": str(self.path), "WINEDEBUG": "-all", "DISPLAY": self.display,
                    "WINEDLLOVERRIDES": "mscoree,mshtml=;winedbg.exe=d", "LC_ALL": "C.UTF-8"})
        return env

    def prepare(self, timeout: float = 120.0) -> "WinePrefix":
        """Creates the prefix once (wineboot -i), then keeps one wineserver running for it."""
        self.path.parent.mkdir(parents=True, exist_ok=True)
        if not (self.path / "system.reg").exists():
            if self.quiet(["wineboot", "-i"], timeout) != 0:
                raise SessionError(f"wineboot -i failed for {self.path}")
            self.wait_server(timeout)
        self.start_server(timeout)
        return self

    def start_server(self, timeout: float = 120.0) -> None:
        self.server = subprocess.Popen([WINESERVER, "-p", "-f"], env=self.env(), stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        try:
            # The first program starts the prefix's services, which inherit its standard handles: on /dev/null.
            if self.quiet(["cmd", "/c", "echo", "ready"], timeout) != 0:
                raise SessionError("the prefix does not run programs")
            self.set_log_pixels(None)  # 96 DPI, whatever an interrupted run left behind
        except BaseException:
            self.shutdown()
            raise

    def restart(self, display: str) -> None:
        """The prefix on another X display: its server and services start afresh and see its monitors."""
        self.shutdown()
        self.display = display
        self.start_server()

    def quiet(self, argv, timeout: float = 60.0) -> int:
        return subprocess.run(self.command(argv[0], argv[1:]), env=self.env(), stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout).returncode

    def set_log_pixels(self, dpi: int | None) -> None:
        """The DPI Wine reports for every monitor to processes started later (None: the default, 96)."""
        key = "HKCU\\Control Panel\\Desktop"
        if dpi is None:
            self.quiet(["reg", "delete", key, "/v", "LogPixels", "/f"])
        elif self.quiet(["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"]) != 0:
            raise SessionError(f"cannot set LogPixels to {dpi}")

    def wait_server(self, timeout: float = 60.0) -> None:
        subprocess.run([WINESERVER, "-w"], env=self.env(), timeout=timeout, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def shutdown(self) -> None:
        subprocess.run([WINESERVER, "-k"], env=self.env(), timeout=30, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        if self.server:
            self.server.wait(timeout=10)
            self.server = None

    def command(self, program: str | Path, args=()) -> list[str]:
        return [WINE_LOADER, os.fspath(program), *args]

    def run(self, argv, input: bytes = b"", timeout: float = 60.0, cwd=None) -> subprocess.CompletedProcess:
        """Runs a program to its end with `input` as its whole standard input."""
        program = self.popen(argv, cwd=cwd)
        try:
            try:
                program.send_raw(input)
                program.close_input()
            except BrokenPipeError:
                pass  # it ended without reading all of it
            status = program.wait(timeout)
        finally:
            program.stop()
        return subprocess.CompletedProcess(argv, status, program.stdout, program.stderr)

    def popen(self, argv, cwd=None) -> "Program":
        return Program(subprocess.Popen(self.command(argv[0], argv[1:]), env=self.env(), cwd=cwd,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE))

    def processes(self) -> list[int]:
        """Ids of the Linux processes that run in this prefix (wineserver included)."""
        needle, found = f"WINEPREFIX={self.path}".encode(), []
        for entry in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{entry}/environ", "rb") as f:
                    if needle in f.read().split(b"\0"):
                        found.append(int(entry))
            except OSError:
                continue
        return found


class Program:
    """A running Windows program. Its output is read without blocking whenever it is looked at, not by
    threads waiting for the end of the pipes: under Wine that end comes about a second after the process."""

    def __init__(self, proc: subprocess.Popen):
        self.proc = proc
        self._out, self._err = bytearray(), bytearray()
        for stream in (proc.stdout, proc.stderr):
            os.set_blocking(stream.fileno(), False)

    def _pump(self) -> None:
        for stream, sink in ((self.proc.stdout, self._out), (self.proc.stderr, self._err)):
            while not stream.closed:
                try:
                    chunk = os.read(stream.fileno(), 65536)
                except BlockingIOError:
                    break
                if not chunk:
                    stream.close()
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
        self.send_raw((line.encode() if isinstance(line, str) else line) + b"\n")

    def send_json(self, value) -> None:
        self.send(json.dumps(value, separators=(",", ":"), ensure_ascii=False))

    def send_raw(self, data: bytes) -> None:
        for at in range(0, len(data), 65536):  # in pieces, so that the program's output keeps flowing
            self.proc.stdin.write(data[at:at + 65536])
            self.proc.stdin.flush()
            self._pump()

    def close_input(self) -> None:
        try:
            self.proc.stdin.close()
        except BrokenPipeError:
            pass

    def wait(self, timeout: float) -> int:
        """Exit status; raises subprocess.TimeoutExpired if the program still runs."""
        deadline = time.monotonic() + timeout
        while self.proc.poll() is None:
            self._pump()
            if time.monotonic() > deadline:
                raise subprocess.TimeoutExpired(self.proc.args, timeout)
            time.sleep(0.02)
        self._pump()
        return self.proc.returncode

    def running(self) -> bool:
        return self.proc.poll() is None

    def wait_for_stderr(self, text: bytes, timeout: float) -> bool:
        deadline = time.monotonic() + timeout
        while text not in self.stderr and time.monotonic() < deadline:
            time.sleep(0.05)
        return text in self.stderr

    def stop(self) -> None:
        """Ends the program if it still runs (its input closed first, then killed)."""
        if self.running():
            self.close_input()
            try:
                self.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.send_signal(signal.SIGKILL)
                self.proc.wait()
        self._pump()
        for stream in (self.proc.stdin, self.proc.stdout, self.proc.stderr):
            stream.close()


def have_tools() -> list[str]:
    """The outside programs the session needs that are missing."""
    missing = [] if shutil.which("Xvfb") else ["Xvfb"]
    return missing + [p for p in (WINE_LOADER, WINESERVER) if not os.access(p, os.X_OK)]
