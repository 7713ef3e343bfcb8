"""A private Wayland desktop for the Linux overlay: headless sway (pixman renderer, no input devices) as the
unprivileged user nobody in a runtime directory of its own, with two outputs of 1280x720 pixels side by side,
HEADLESS-1 at scale 1 and HEADLESS-2 at scale 2, over a solid background; on each a backdrop client that logs
the presses reaching it (tests/wayland/client). Screenshots with grim, the rest with swaymsg. Where the Linux
overlay is run on Wayland: the Wayland suite (tests/wayland) and bench/linux."""

from __future__ import annotations

import io
import json
import os
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

from PIL import Image

from wine_session import Program

APP = Path(__file__).resolve().parents[2]
TEST_CLIENT = APP / "build/native/wayland_test_client"
BACKGROUND = (0x20, 0x30, 0x40)
SIZE = (1280, 720)  # pixels of each output
OUTPUTS = (("HEADLESS-1", 0, 1), ("HEADLESS-2", 1280, 2))  # name, x in the layout (logical pixels), scale
NOBODY = 65534


def checker_monitors() -> list[str]:
    """OUTPUTS as the overlay lists them, in tolmin-frame's --monitor notation."""
    return [f"{name}={SIZE[0]}x{SIZE[1]}@{96 * scale}+{x}+0" for name, x, scale in OUTPUTS]


def wait_until(condition, timeout: float):
    deadline = time.monotonic() + timeout
    while not (result := condition()) and time.monotonic() < deadline:
        time.sleep(0.05)
    return result


class SwayDesktop:
    def __init__(self, log_dir: Path):
        self.log_dir = log_dir
        self.home: Path | None = None  # sway's config and runtime directory, reachable for nobody
        self.proc: subprocess.Popen | None = None
        self.backdrops: dict[str, Program] = {}

    @property
    def runtime(self) -> Path:
        return self.home / "run"

    def socket(self) -> str | None:
        found = sorted(p.name for p in self.runtime.glob("wayland-*") if not p.name.endswith(".lock"))
        return found[0] if found else None

    def env(self) -> dict:
        plain = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK")}
        ipc = next(self.runtime.glob("sway-ipc.*.sock"), None)
        return {**plain, "XDG_RUNTIME_DIR": str(self.runtime), "WAYLAND_DISPLAY": self.socket() or "",
                "SWAYSOCK": str(ipc or ""), "LC_ALL": "C.UTF-8"}

    def start(self, timeout: float = 20.0) -> "SwayDesktop":
        self.home = Path(tempfile.mkdtemp(prefix="tolmin-sway-"))  # /tmp itself: nobody can reach it there
        self.home.chmod(0o755)
        self.runtime.mkdir(mode=0o700)
        os.chown(self.runtime, NOBODY, NOBODY)
        colour = "#%02X%02X%02X" % BACKGROUND
        config = ["xwayland disable", f"output * mode {SIZE[0]}x{SIZE[1]} bg {colour} solid_color"] + [
            f"output {name} position {x} 0 scale {scale}" for name, x, scale in OUTPUTS]
        (self.home / "config").write_text("\n".join(config) + "\n")
        log = open(self.log_dir / "sway.log", "ab")
        env = {"PATH": os.environ["PATH"], "XDG_RUNTIME_DIR": str(self.runtime), "WLR_BACKENDS": "headless",
               "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman", "WLR_HEADLESS_OUTPUTS": str(len(OUTPUTS))}
        self.proc = subprocess.Popen(["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "sway",
                                      "-d", "-c", str(self.home / "config")], env=env, stdin=subprocess.DEVNULL,
                                     stdout=log, stderr=log, start_new_session=True)
        if not wait_until(lambda: self.socket() and self.outputs_ready() or self.proc.poll() is not None, timeout) \
                or self.proc.poll() is not None:
            raise RuntimeError(f"sway did not come up (see {self.log_dir / 'sway.log'})")
        for name, _, _ in OUTPUTS:
            backdrop = Program(subprocess.Popen([str(TEST_CLIENT), "backdrop", name], env=self.env(),
                                                stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE))
            if not wait_until(lambda: b"ready\n" in backdrop.stdout, 10):
                raise RuntimeError(f"the backdrop on {name} did not come up: {backdrop.stderr!r}")
            self.backdrops[name] = backdrop
        if not wait_until(lambda: all(self.clear(name) for name, _, _ in OUTPUTS), timeout):
            raise RuntimeError("the outputs never showed their background")
        return self

    def outputs_ready(self) -> bool:
        try:
            listed = {o["name"]: o for o in self.swaymsg("-t", "get_outputs")}
        except (subprocess.CalledProcessError, json.JSONDecodeError):
            return False
        return all(name in listed and listed[name]["scale"] == scale for name, _, scale in OUTPUTS)

    def swaymsg(self, *args: str):
        done = subprocess.run(["swaymsg", "-r", *args], env=self.env(), capture_output=True, timeout=30, check=True)
        return json.loads(done.stdout)

    def screenshot(self, output: str) -> Image.Image:
        done = subprocess.run(["grim", "-o", output, "-"], env=self.env(), capture_output=True, timeout=30,
                              check=True)
        return Image.open(io.BytesIO(done.stdout)).convert("RGB")

    def clear(self, output: str) -> bool:
        image = self.screenshot(output)
        return image.getcolors(1) == [(image.width * image.height, BACKGROUND)]

    def presses(self, output: str) -> list[tuple[int, int]]:
        lines = self.backdrops[output].stdout.decode().splitlines()
        return [tuple(int(v) for v in line.split()[1:]) for line in lines if line.startswith("press ")]

    def click(self, x: int, y: int) -> None:
        """Left click at (x, y) of the layout, in logical pixels."""
        width = max(x + SIZE[0] // scale for _, x, scale in OUTPUTS)
        subprocess.run([str(TEST_CLIENT), "click", str(x), str(y), str(width), str(SIZE[1])], env=self.env(),
                       check=True, timeout=30)

    def log(self) -> str:
        return (self.log_dir / "sway.log").read_text(errors="replace")

    def stop(self) -> None:
        for backdrop in self.backdrops.values():
            backdrop.proc.kill()
            backdrop.stop()
        self.backdrops = {}
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc = None
        if self.home:
            shutil.rmtree(self.home, ignore_errors=True)
