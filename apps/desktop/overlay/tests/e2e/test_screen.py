"""Screenshots of one running overlay: block rectangles for each anchor, colours, text, hiding, rejected lines.

Every frame here is complete on its own (the overlay keeps nothing from earlier lines), so the tests share
one overlay process, fed frame after frame, and its exit is checked when the module is done.
"""

import re
import time

import pytest
from PIL import ImageChops

from conftest import Overlay
from expect import PANEL_ROW, expected_layout, wall_ms
from screen import edged, geometry_frame, geometry_probes, wait_for_picture

ANCHORS = ["top-left", "top-right", "bottom-left", "bottom-right"]


@pytest.fixture(scope="module")
def live(wine, xserver, exe, fonts_dir, frame_tool):
    """One overlay with --fonts build/fonts and its input open, for the whole module."""
    runner = Overlay(wine, xserver, exe, fonts_dir)
    if runner.wait_black() is None:
        pytest.fail("the screen was not black before the overlay started")
    program = runner.start()
    yield runner, program
    assert program.running(), f"the overlay ended early: {program.stderr!r}"
    done = runner.finish(program)
    runner.stop_all()
    assert done.status == 0, done.stderr
    assert runner.wait_black() is not None, "the overlay's picture outlived the process"


@pytest.mark.parametrize("anchor", ANCHORS)
def test_blocks_land_on_the_layout_rectangles(live, anchor, tmp_path):
    runner, program = live
    now = wall_ms()
    frame = geometry_frame(anchor, now)
    layout = expected_layout(frame, now)
    assert [b.kind for b in layout.blocks] == ["hud", "night", "alert", "alert", "toast", "toast", "toast"]
    assert layout.block("hud").w == 204 and layout.block("night").w == 38
    program.send_json(frame)
    wait_for_picture(runner, geometry_probes(layout), box=layout.box(), save_to=tmp_path / f"{anchor}.png")


def colour_count(image, box, test) -> int:
    return sum(1 for pixel in image.crop(box).getdata() if test(pixel))


def test_texts_are_drawn_in_their_faces_and_colours(live, tmp_path):
    runner, program = live
    now = wall_ms()
    frame = {"anchor": "bottom-right",
             "alerts": [{"title": "HELLO OVERLAY", "title_color": "#00FFFF", "detail": "12:34", "detail_color": "#FFFF00"}]}
    alert = expected_layout(frame, now).block("alert", 0)
    program.send_json(frame)
    wait_for_picture(runner, edged(alert, "alert", PANEL_ROW), box=(alert.x, alert.y, alert.x + alert.w,
                                                                     alert.y + alert.h))
    image = runner.screenshot()
    image.save(tmp_path / "texts.png")
    # The title (Barlow Condensed) starts at 31 px; the detail (JetBrains Mono) ends at 441 px.
    title_area = (alert.x + 31, alert.y + 2, alert.x + 300, alert.bottom - 1)
    detail_area = (alert.x + 300, alert.y + 2, alert.x + 442, alert.bottom - 1)
    cyan = colour_count(image, title_area, lambda p: p[0] < 60 and p[1] > 128 and p[2] > 128)
    yellow = colour_count(image, detail_area, lambda p: p[0] > 128 and p[1] > 128 and p[2] < 60)
    assert cyan >= 30, f"title pixels in {title_area}: {cyan}"
    assert yellow >= 15, f"detail pixels in {detail_area}: {yellow}"
    # The title's colour stays out of the detail's place.
    assert colour_count(image, detail_area, lambda p: p[0] < 60 and p[1] > 128 and p[2] > 128) == 0


@pytest.mark.parametrize("empty", ['{}', '{"hud":null,"alerts":[]}', "expired-toast"],
                         ids=["empty-object", "null-hud-no-alerts", "expired-toast"])
def test_a_frame_with_nothing_to_show_hides_the_window(live, empty):
    runner, program = live
    now = wall_ms()
    frame = geometry_frame("bottom-right", now)
    layout = expected_layout(frame, now)
    program.send_json(frame)
    wait_for_picture(runner, geometry_probes(layout), box=layout.box())
    if empty == "expired-toast":
        empty = '{"toasts":[{"kind":"caller","born":%r,"dies":%r}]}' % (now - 5000, now - 1000)
    program.send(empty)
    assert runner.wait_black(timeout=10) is not None, "the window stayed on screen"


@pytest.mark.parametrize("line, message", [
    ('{"v":2,"hud":{}}', rb"tolmin-overlay: render model v2 \(this helper draws v1\)"),
    ('{"anchor":"top-center","hud":{}}', rb"tolmin-overlay: unknown variant `top-center`, expected one of "
                                         rb"`top-left`, `top-right`, `bottom-left`, `bottom-right` at line 1 column \d+"),
    ('{"hud":{}', rb"tolmin-overlay: [^\n]+ at line 1 column \d+"),
], ids=["other-version", "unknown-anchor", "unfinished-object"])
def test_a_rejected_line_leaves_the_picture_and_says_why(live, line, message):
    runner, program = live
    now = wall_ms()
    frame = geometry_frame("top-right", now)
    layout = expected_layout(frame, now)
    program.send_json(frame)
    before = wait_for_picture(runner, geometry_probes(layout), box=layout.box())
    seen = len(program.stderr)
    program.send(line)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline and b"\n" not in program.stderr[seen:]:
        time.sleep(0.05)
    new = program.stderr[seen:]
    assert re.fullmatch(message + rb"\n", new), new
    time.sleep(0.5)  # time enough for a (wrong) repaint to land
    after = runner.screenshot()
    assert ImageChops.difference(before, after).getbbox() is None, "the picture changed after a rejected line"
