"""A private X desktop for the Linux overlay: Xvfb (displays :40..:49, -noreset) with two RandR monitors side
by side, a backdrop window of known colour that logs the clicks reaching it, a compositing manager (picom)
that can be stopped and started, the Xft.dpi resource, and screenshots of what the screen shows. Where the Linux
overlay is run on a desktop of known facts: scripts/demo linux, bench/linux and the Linux suite (tests/linux)."""

from __future__ import annotations

import os
import subprocess
import sys
import time
from pathlib import Path

from PIL import Image, ImageGrab
from Xlib import X, display
from Xlib.error import BadMatch
from Xlib.protocol import rq

from wine_session import Program, XServer

SCREEN = (1280, 720)
BACKDROP = (0x33, 0x66, 0x99)
MONITORS = (("DP-1", 0, True), ("HDMI-1", 640, False))  # 640x720 each, side by side; the first primary


def checker_monitors(dpi: int = 96) -> list[str]:
    """MONITORS in tolmin-frame's --monitor notation."""
    return [f"{name}=640x720@{dpi}+{x}+0" + (",primary" if primary else "") for name, x, primary in MONITORS]


class _ReleaseOverlayWindow(rq.Request):  # Composite's, which python-xlib lacks
    _request = rq.Struct(rq.Card8("opcode"), rq.Opcode(8), rq.RequestLength(), rq.Window("window"))


def display_numbers(default: range) -> range:
    """The X displays to try: `default`, or TOLMIN_X_DISPLAYS ("70-79") where a machine is shared."""
    first, _, last = os.environ.get("TOLMIN_X_DISPLAYS", "").partition("-")
    return range(int(first), int(last or first) + 1) if first else default


def wait_until(condition, timeout: float):
    deadline = time.monotonic() + timeout
    while not (result := condition()) and time.monotonic() < deadline:
        time.sleep(0.05)
    return result


class Desktop:
    def __init__(self, log_dir: Path, numbers: range = range(40, 50)):
        self.xserver = XServer(numbers=display_numbers(numbers), log_dir=log_dir, screens=(SCREEN,),
                               options=("-noreset",))
        self.compositor: subprocess.Popen | None = None
        self.backdrop: Program | None = None
        self.x: display.Display | None = None

    @property
    def display(self) -> str:
        return self.xserver.display

    def env(self) -> dict:
        return {**{k: v for k, v in os.environ.items() if k != "WAYLAND_DISPLAY"}, "DISPLAY": self.display,
                "LC_ALL": "C.UTF-8"}

    def run(self, *argv: str, input: bytes | None = None) -> None:
        subprocess.run(argv, env=self.env(), input=input, check=True, capture_output=True, timeout=30)

    def start(self) -> "Desktop":
        self.xserver.start()
        self.x = display.Display(self.display)
        for name, x, primary in MONITORS:
            self.run("xrandr", "--setmonitor", ("*" if primary else "") + name, f"640/170x720/190+{x}+0",
                     "screen" if primary else "none")
        colour = "%02X%02X%02X" % BACKDROP
        self.backdrop = Program(subprocess.Popen([sys.executable, str(Path(__file__).parent / "backdrop.py"), colour],
                                                 env=self.env(), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                                 stderr=subprocess.PIPE))
        if not wait_until(lambda: b"ready\n" in self.backdrop.stdout, 10):
            raise RuntimeError(f"the backdrop window did not come up: {self.backdrop.stderr!r}")
        self.start_compositor()
        return self

    def stop(self) -> None:
        self.stop_compositor()
        if self.backdrop:
            self.backdrop.proc.kill()
            self.backdrop.stop()
        self.x.close()
        self.xserver.stop()

    def start_compositor(self) -> None:
        if self.compositor is None:
            self.compositor = subprocess.Popen(["picom", "--backend", "xrender", "--config", "/dev/null"],
                                               env=self.env(), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL, start_new_session=True)
            if not wait_until(self.compositing, 10):
                raise RuntimeError("picom did not take the compositing manager selection")

    def stop_compositor(self) -> None:
        if self.compositor is not None:
            self.compositor.terminate()
            self.compositor.wait(timeout=10)
            self.compositor = None
            wait_until(lambda: not self.compositing(), 10)

    def compositing(self) -> bool:
        return self.x.get_selection_owner(self.x.intern_atom("_NET_WM_CM_S0")) != X.NONE

    def set_dpi(self, dpi: int | None) -> None:
        """The Xft.dpi resource (None: no resources at all)."""
        self.run("xrdb", *(("-merge",) if dpi else ("-remove",)), input=f"Xft.dpi: {dpi}\n".encode() if dpi else None)

    def screenshot(self) -> Image.Image:
        """What the screen shows. With a compositing manager that is its composite overlay window: a GetImage of
        the root shows a redirected window's own pixels there, not their blend."""
        if self.compositor is None:
            return ImageGrab.grab(xdisplay=self.display).convert("RGB")
        root = self.x.screen().root
        for attempt in range(100):
            cow = root.composite_get_overlay_window().overlay_window
            try:
                image = cow.get_image(0, 0, *SCREEN, X.ZPixmap, 0xFFFFFFFF)
                return Image.frombytes("RGB", SCREEN, image.data, "raw", "BGRX")
            except BadMatch:  # not mapped yet: the compositing manager has only just started
                if attempt == 99:
                    raise
                time.sleep(0.05)
            finally:
                _ReleaseOverlayWindow(display=self.x.display, window=root,
                                      opcode=self.x.display.get_extension_major("Composite"))
                self.x.sync()
