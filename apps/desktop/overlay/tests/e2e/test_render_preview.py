"""The checker's PNG preview against the real overlay under Wine.

For the geometry frames of test_screen.py (every block of the seven, four anchors), `tolmin-frame render`
and the overlay's screenshot agree on every pixel of the window: those frames draw no text (their texts are
empty), and their blocks are opaque, so Wine's missing layer opacity plays no part either. One difference is
Wine's: it fills the Hud dot without antialiasing (a pixel is the dot's when its centre is inside), so a pixel
of the dot's rim, which the preview blends, is on the screen whichever of the two colours the blend is nearer.
"""

import json
import subprocess

from PIL import Image, ImageChops

from expect import MONITOR, PANEL_HUD, expected_layout, near, wall_ms
from screen import GREEN, geometry_frame, geometry_probes, wait_for_picture


def on_the_dot_rim(layout, x, y, blended, shown) -> bool:
    hud = layout.block("hud")  # scale 1, stroke 1: the dot's centre at (25, h / 2), radius 6
    if abs(x - (hud.x - layout.window.x + 25)) > 7 or abs(y - (hud.y - layout.window.y + hud.h / 2)) > 7:
        return False
    return near(shown, min((GREEN, PANEL_HUD), key=lambda c: sum(abs(a - b) for a, b in zip(c, blended))))


def test_the_preview_matches_the_screen_for_the_geometry_frames(overlay, frame_tool, fonts_dir, tmp_path):
    program = overlay.start()
    for anchor in ["top-left", "top-right", "bottom-left", "bottom-right"]:
        now = wall_ms()
        frame = geometry_frame(anchor, now)
        layout = expected_layout(frame, now)
        program.send_json(frame)
        shot = wait_for_picture(overlay, geometry_probes(layout), box=layout.box(),
                                save_to=tmp_path / f"{anchor}-screen.png")
        done = subprocess.run([str(frame_tool), "render", f"--monitor={MONITOR}", f"--now={now!r}",
                               f"--fonts={fonts_dir}", f"--out={tmp_path}"],
                              input=(json.dumps(frame) + "\n").encode(), capture_output=True, timeout=60)
        assert done.returncode == 0, done.stderr
        preview = Image.open(tmp_path / "0001.png")
        window = layout.window
        assert preview.size == (window.w, window.h)
        # The layered window over Xvfb's black root: the preview laid over black.
        on_black = Image.alpha_composite(Image.new("RGBA", preview.size, (0, 0, 0, 255)), preview).convert("RGB")
        screen = shot.convert("RGB").crop((window.x, window.y, window.x + window.w, window.y + window.h))
        difference = ImageChops.difference(on_black, screen)
        off = [(x, y) for x, y in ((i % window.w, i // window.w) for i, p in enumerate(difference.getdata())
                                   if max(p) > 2)
               if not on_the_dot_rim(layout, x, y, on_black.getpixel((x, y)), screen.getpixel((x, y)))]
        if off:
            on_black.save(tmp_path / f"{anchor}-preview.png")
            screen.save(tmp_path / f"{anchor}-shot.png")
        assert not off, f"{anchor}: {len(off)} pixels differ by more than 2, first {off[:5]} (see {tmp_path})"
    assert overlay.finish(program).status == 0
