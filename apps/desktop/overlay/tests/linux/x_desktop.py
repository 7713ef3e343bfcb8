"""A private X desktop for the Linux overlay: Xvfb (displays :40..:49, -noreset) with two RandR monitors side
by side, a backdrop window of known colour that logs the clicks reaching it, a compositing manager that can be
stopped and started, the Xft.dpi resource, screenshots and the overlay window's X facts."""

from __future__ import annotations

import os
import subprocess
import sys
import time
from pathlib import Path

from PIL import Image, ImageGrab
from Xlib import X, display
from Xlib.error import BadMatch
from Xlib.ext import shape
from Xlib.protocol import rq

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))

from wine_session import Program, XServer  # noqa: E402

HERE = Path(__file__).resolve().parent
SCREEN = (1280, 720)
BACKDROP = (0x33, 0x66, 0x99)
# Two monitors side by side, the left one primary; in the checker's --monitor notation at a given DPI.
MONITORS = (("DP-1", 0, True), ("HDMI-1", 640, False))


def checker_monitors(dpi: int = 96) -> list[str]:
    return [f"{name}=640x720@{dpi}+{x}+0" + (",primary" if primary else "") for name, x, primary in MONITORS]


class _ReleaseOverlayWindow(rq.Request):
    """Composite's ReleaseOverlayWindow, which python-xlib does not offer."""
    _request = rq.Struct(rq.Card8("opcode"), rq.Opcode(8), rq.RequestLength(), rq.Window("window"))


def wait_until(condition, timeout: float, step: float = 0.05):
    deadline = time.monotonic() + timeout
    while not (result := condition()):
        if time.monotonic() > deadline:
            return result
        time.sleep(step)
    return result


class Desktop:
    def __init__(self, log_dir: Path):
        self.xserver = XServer(numbers=range(40, 50), log_dir=log_dir, screens=(SCREEN,), options=("-noreset",))
        self.compositor: subprocess.Popen | None = None
        self.backdrop: Program | None = None
        self.x: display.Display | None = None

    @property
    def display(self) -> str:
        return self.xserver.display

    def env(self) -> dict:
        env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "XAUTHORITY")}
        env.update({"DISPLAY": self.display, "LC_ALL": "C.UTF-8"})
        return env

    def run(self, *argv: str, input: bytes | None = None) -> None:
        subprocess.run(argv, env=self.env(), input=input, check=True, capture_output=True, timeout=30)

    def start(self) -> "Desktop":
        self.xserver.start()
        self.x = display.Display(self.display)
        self.run("xrandr", "--setmonitor", f"*{MONITORS[0][0]}", "640/170x720/190+0+0", "screen")
        self.run("xrandr", "--setmonitor", MONITORS[1][0], "640/170x720/190+640+0", "none")
        self.backdrop = Program(subprocess.Popen([sys.executable, str(HERE / "backdrop.py"), "%02X%02X%02X" % BACKDROP],
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
        if self.x:
            self.x.close()
        self.xserver.stop()

    # The compositing manager: picom, which draws into the composite overlay window.
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
        selection = self.x.intern_atom(f"_NET_WM_CM_S{self.x.get_default_screen()}")
        return self.x.get_selection_owner(selection) != X.NONE

    def set_dpi(self, dpi: int | None) -> None:
        """The Xft.dpi resource (None: not set)."""
        if dpi is None:
            self.run("xrdb", "-remove")
        else:
            self.run("xrdb", "-merge", input=f"Xft.dpi: {dpi}\n".encode())

    def screenshot(self) -> Image.Image:
        """What the screen shows. With a compositing manager that is the composite overlay window: a plain
        GetImage of the root shows a redirected window's own pixels, not their blend."""
        if self.compositor is None:
            return ImageGrab.grab(xdisplay=self.display).convert("RGB")
        root = self.x.screen().root
        for attempt in range(100):
            cow = root.composite_get_overlay_window().overlay_window
            try:
                image = cow.get_image(0, 0, *SCREEN, X.ZPixmap, 0xFFFFFFFF)
                return Image.frombytes("RGB", SCREEN, image.data, "raw", "BGRX")
            except BadMatch:  # not mapped yet: the compositor has only just started
                if attempt == 99:
                    raise
                time.sleep(0.05)
            finally:
                _ReleaseOverlayWindow(display=self.x.display,
                                      opcode=self.x.display.get_extension_major("Composite"), window=root)
                self.x.sync()

    # The overlay window as X sees it.
    def overlay_windows(self) -> list:
        found = []
        for window in self.x.screen().root.query_tree().children:
            try:
                if (window.get_wm_class() or ("",))[0] == "tolmin-overlay":
                    found.append(window)
            except Exception:  # noqa: BLE001 - a window that went away meanwhile
                continue
        return found

    def overlay_window(self):
        windows = wait_until(self.overlay_windows, 10)
        assert len(windows) == 1, f"{len(windows)} overlay windows"
        return windows[0]

    def mapped(self, window) -> bool:
        return window.get_attributes().map_state == X.IsViewable

    def input_rectangles(self, window) -> list:
        return window.shape_get_rectangles(shape.SK.Input).rectangles

    def atoms(self, window, name: str) -> list[str]:
        prop = window.get_full_property(self.x.intern_atom(name), X.AnyPropertyType)
        return [self.x.get_atom_name(a) for a in prop.value] if prop else []
