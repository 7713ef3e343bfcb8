"""Screenshots of one running overlay: block rectangles for each anchor, colours, text, hiding, rejected lines.

Every frame here is complete on its own (the overlay keeps nothing from earlier lines), so the tests share
one overlay process, fed frame after frame, and its exit is checked when the module is done.
"""

import re
import time

import pytest
from PIL import ImageChops

from expect import DIM, LIME, PANEL_HUD, PANEL_ROW, SIGNAL, expected_layout, wall_ms
from screen import Probe, edged, outline, wait_for_picture

GREEN = (0, 255, 0)
BLUE = (0x33, 0x99, 0xFF)
ANCHORS = ["top-left", "top-right", "bottom-left", "bottom-right"]


@pytest.fixture(scope="module")
def live(wine, xserver, exe, fonts_dir, frame_tool):
    """One overlay with --fonts build/fonts and its input open, for the whole module."""
    from conftest import Overlay

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


def geometry_frame(anchor: str, now: float) -> dict:
    """A frame whose block sizes do not depend on any text width: empty Hud and Night texts, rows only."""
    alive = {"born": now - 10_000, "dies": now + 600_000}
    return {
        "anchor": anchor,
        "hud": {"dot": "#00FF00"},
        "night": {"title": ""},
        "alerts": [{"id": "blue", "bar": "#3399FF"}, {"id": "red", "bar": "red"}],
        "toasts": [{"id": "m", "kind": "marker", **alive},
                   {"id": "c", "kind": "caller", **alive},
                   {"id": "s", "kind": "same", **alive}],
    }


def geometry_probes(layout) -> list[Probe]:
    hud, night = layout.block("hud"), layout.block("night")
    blue, red = layout.block("alert", 0), layout.block("alert", 1)
    marker, caller, same = (layout.block("toast", i) for i in range(3))
    probes = edged(hud, "Hud", PANEL_HUD) + edged(night, "Night", PANEL_HUD)
    probes += [Probe(hud.x + 25, hud.y + 26, GREEN, "Hud dot centre"),
               Probe(hud.x + 24, hud.y + 25, GREEN, "Hud dot centre")]
    for rect, name, bar in ((blue, "alert 0", BLUE), (red, "alert 1", SIGNAL)):
        probes += edged(rect, name, PANEL_ROW)
        probes += [Probe(rect.x + 6, rect.y + 26, bar, f"{name} bar"),
                   Probe(rect.x + 13, rect.y + 26, PANEL_ROW, f"{name}: right of the bar")]
    # A marker toast has no edge lines: its tick bar (DIM, 8 wide) on the left, the panel elsewhere.
    probes += outline(marker, "marker toast", PANEL_ROW, PANEL_ROW)
    for p in probes:
        if p.what == "marker toast corner" and p.x == marker.x:
            p.colour, p.what = DIM, "marker tick"
    probes.append(Probe(marker.x + 8, marker.bottom, PANEL_ROW, "right of the marker tick"))
    probes += outline(caller, "caller toast", LIME, LIME)
    probes += outline(same, "same toast", LIME, PANEL_ROW) + [Probe(same.x + 1, same.y + 1, PANEL_ROW,
                                                                    "same toast inside its lime edge")]
    return probes


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
