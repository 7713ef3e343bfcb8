"""The screen inside the overlay window equals `tolmin-frame render` of the same frame laid over the backdrop,
for each anchor, on both monitors, at the scale the Xft.dpi resource gives, and after each step of a run
painted in parts; outside it the backdrop shows unchanged."""

import json
import subprocess
import time

import pytest
from PIL import Image, ImageChops
from Xlib import display
from Xlib.ext import damage

from conftest import FONTS, overlay_window
from expect import FRAME_TOOL, checker_layout, painted_in_parts, wall_ms
from x_desktop import BACKDROP, checker_monitors

TOLERANCE = 2  # per channel: the compositor blends premultiplied pixels, PIL the PNG's straight alpha


def scene(anchor: str, monitor: str | None, now: float) -> dict:
    alive = {"born": now - 10_000, "dies": now + 600_000}
    return {"anchor": anchor, "monitor": monitor,
            "hud": {"dot": "#C8FF00", "state": "LIVE", "elapsed": "01:24:09", "presence": "3 here"},
            "night": {"tag": "NIGHT", "title": "Quiet hours until 07:00"},
            "alerts": [{"bar": "#FF2E55", "title": "Disk almost full", "detail": "C: 97 %"}],
            "toasts": [{"kind": "marker", "title": "Marker set", "count": 3, "time": "12:04", "detail": "Round two",
                        **alive},
                       {"kind": "caller", "index": "1", "title": "Ana is calling", "time": "now", **alive}]}


def expected_screen(frame: dict, now: float, monitors: list[str], tmp_path, screen=(1280, 720),
                    backdrop=BACKDROP) -> tuple[Image.Image, tuple]:
    """The whole screen as it should look: the render laid over the backdrop, at the window's place."""
    done = subprocess.run([str(FRAME_TOOL), "render", *[f"--monitor={m}" for m in monitors], f"--now={now!r}",
                           f"--fonts={FONTS}", f"--out={tmp_path}"], input=(json.dumps(frame) + "\n").encode(),
                          capture_output=True, timeout=60)
    assert done.returncode == 0, done.stderr
    report = json.loads(done.stdout)
    window = report["window"]
    picture = Image.open(report["file"]).convert("RGBA")
    shown = Image.new("RGBA", screen, backdrop + (255,))
    shown.alpha_composite(picture, (window["x"], window["y"]))
    return shown.convert("RGB"), (window["x"], window["y"], window["width"], window["height"])


def differing(shot: Image.Image, expected: Image.Image) -> list:
    difference = ImageChops.difference(shot, expected)
    return [(i % shot.width, i // shot.width) for i, p in enumerate(difference.getdata()) if max(p) > TOLERANCE]


def show_and_compare(overlay, program, frame, now, monitors, tmp_path, name):
    expected, window = expected_screen(frame, now, monitors, tmp_path)
    program.send_json(frame)
    shot = overlay.wait_for(lambda im: not differing(im, expected), timeout=10)
    if shot is None:
        shot = overlay.screenshot()
        shot.save(tmp_path / f"{name}-screen.png")
        expected.save(tmp_path / f"{name}-expected.png")
        off = differing(shot, expected)
        pytest.fail(f"{name}: {len(off)} pixels differ (window {window}), first {off[:5]} (see {tmp_path})")
    return window


@pytest.mark.parametrize("anchor, monitor", [("top-left", None), ("top-right", "HDMI-1"),
                                             ("bottom-left", "HDMI-1"), ("bottom-right", "DP-1")])
def test_each_anchor_on_each_monitor_matches_the_render(overlay, anchor, monitor, tmp_path):
    program = overlay.start()
    now = wall_ms()
    frame = scene(anchor, monitor, now)
    show_and_compare(overlay, program, frame, now, checker_monitors(), tmp_path, anchor)
    assert overlay.finish(program).returncode == 0


def test_the_xft_dpi_scales_the_blocks_also_when_it_changes_while_running(overlay, desktop, tmp_path):
    program = overlay.start()
    now = wall_ms()
    frame = scene("top-right", None, now)
    show_and_compare(overlay, program, frame, now, checker_monitors(), tmp_path, "before")
    try:
        desktop.set_dpi(144)  # the scale is 1.5 then
        assert checker_layout(frame, now, checker_monitors(144))["scale"] == 1.5
        expected, _ = expected_screen(frame, now, checker_monitors(144), tmp_path)
        assert overlay.wait_for(lambda im: not differing(im, expected), timeout=10) is not None
    finally:
        desktop.set_dpi(None)
    assert overlay.finish(program).returncode == 0


def test_a_run_painted_in_parts_shows_after_each_step_what_a_whole_paint_shows(overlay, desktop, tmp_path):
    """Also what reaches the window (X DAMAGE's rectangles): the Hud's elapsed time alone puts only the Hud's
    rectangle, the same frame again puts nothing."""
    program = overlay.start()
    now = wall_ms()
    first = scene("bottom-right", "DP-1", now)
    show_and_compare(overlay, program, first, now, checker_monitors(), tmp_path, "first")
    watch = display.Display(desktop.display)
    watch.damage_query_version()
    watch.create_resource_object("window", overlay_window(desktop).id).damage_create(damage.DamageReportRawRectangles)
    try:
        for step, frame, at in painted_in_parts(first, "HDMI-1"):
            watch.sync()
            while watch.pending_events():
                watch.next_event()
            show_and_compare(overlay, program, frame, at, checker_monitors(), tmp_path, step)
            time.sleep(0.3)  # the same frame again shows no change to wait for
            watch.sync()
            put = [watch.next_event().area for _ in range(watch.pending_events())]
            # The checker's layout measures texts its own way: the Hud's right edge, top and height are the
            # overlay's, its width is Pango's.
            hud = next(b for b in checker_layout(frame, at, checker_monitors())["layout"]["blocks"] if b["kind"] == "hud")
            if step == "elapsed":
                assert [(a.x + a.width, a.y, a.height) for a in put] == [(hud["x"] + hud["w"], hud["y"], hud["h"])]
            if step == "same":
                assert put == []
    finally:
        watch.close()
    assert overlay.finish(program).returncode == 0
