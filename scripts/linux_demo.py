#!/usr/bin/env python3
"""The Linux demo (scripts/demo linux): plays examples/host_scene.py on the native tolmin-overlay on a private X
desktop (Xvfb on :40..:49, two monitors, picom) and saves a screenshot at every moment the scene announces:
build/demo-linux/NN-<moment>.png, the whole 1280x720 screen, and NN-<moment>-corner.png, the primary monitor's
bottom-right corner where the overlay stands."""

import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
APP = ROOT / "apps/desktop/overlay"
sys.path.insert(0, str(APP / "tools/desktop"))

from x_desktop import BACKDROP, Desktop  # noqa: E402

OUT = ROOT / "build/demo-linux"


def main() -> int:
    OUT.mkdir(parents=True, exist_ok=True)
    for old in OUT.glob("[0-9][0-9]-*.png"):
        old.unlink()
    desktop = Desktop(OUT).start()
    drawn = count = 0
    try:
        scene = subprocess.Popen([sys.executable, "examples/host_scene.py", str(APP / "build/native/tolmin-overlay"),
                                  "--fonts", "build/fonts"], cwd=ROOT, env=desktop.env(), stdout=subprocess.PIPE,
                                 text=True)
        for line in scene.stdout:
            print(line, end="", flush=True)
            if not line.startswith("moment: "):
                continue
            count += 1
            name = f"{count:02d}-{line.removeprefix('moment: ').strip()}"
            shot = desktop.screenshot()
            shot.save(OUT / f"{name}.png")
            corner = shot.crop((0, 160, 640, 720))
            corner.save(OUT / f"{name}-corner.png")
            drawn += corner.getcolors(1) != [(corner.width * corner.height, BACKDROP)]
            print(OUT / f"{name}.png", OUT / f"{name}-corner.png", sep="\n", flush=True)
        status = scene.wait(timeout=30)
    finally:
        desktop.stop()
    if status != 0 or count == 0 or drawn == 0:
        print(f"demo: the scene ended with status {status}, {count} moments, {drawn} with the overlay on screen",
              file=sys.stderr)
        return 1
    print(f"demo: {count} moments, {drawn} with the overlay on screen")
    return 0


if __name__ == "__main__":
    sys.exit(main())
