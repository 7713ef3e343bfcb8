"""Screenshots of one running overlay, fed frame after frame (each stands alone): the blocks at each
anchor, texts in their faces and colours, hiding, and a rejected line that leaves the picture as it was."""

import time

import pytest
from PIL import ImageChops

from conftest import Overlay
from expect import PANEL_ROW, expected_layout, wall_ms
from screen import edged, geometry_frame, geometry_probes, wait_for_picture


@pytest.fixture(scope="module")
def live(wine, xserver, exe, fonts_dir, frame_tool):
    """One overlay with its input open for the whole module; it must end with status 0 and leave no picture."""
    runner = Overlay(wine, xserver, exe, fonts_dir)
    assert runner.wait_black() is not None, "the screen was not black before the overlay started"
    program = runner.start()
    yield runner, program
    done = runner.finish(program)
    runner.stop_all()
    assert done.status == 0, done.stderr
    assert runner.wait_black() is not None, "the picture outlived the process"


def show_geometry(live, anchor, tmp_path=None):
    runner, program = live
    now = wall_ms()
    layout = expected_layout(geometry_frame(anchor, now), now)
    program.send_json(geometry_frame(anchor, now))
    return wait_for_picture(runner, geometry_probes(layout), box=layout.box(),
                            save_to=tmp_path and tmp_path / f"{anchor}.png")


@pytest.mark.parametrize("anchor", ["top-left", "top-right", "bottom-left", "bottom-right"])
def test_blocks_land_on_the_layout_rectangles(live, anchor, tmp_path):
    show_geometry(live, anchor, tmp_path)


def colour_count(image, box, test) -> int:
    return sum(1 for pixel in image.crop(box).getdata() if test(pixel))


def test_texts_are_drawn_in_their_faces_and_colours(live, tmp_path):
    runner, program = live
    frame = {"alerts": [{"title": "HELLO OVERLAY", "title_color": "#00FFFF", "detail": "12:34",
                         "detail_color": "#FFFF00"}]}
    alert = expected_layout(frame, wall_ms()).block("alert", 0)
    program.send_json(frame)
    image = wait_for_picture(runner, edged(alert, "alert", PANEL_ROW),
                             box=(alert.x, alert.y, alert.x + alert.w, alert.y + alert.h))
    image.save(tmp_path / "texts.png")
    # The title (Barlow Condensed) starts at 31 px; the detail (JetBrains Mono) ends at 441 px.
    title_area = (alert.x + 31, alert.y + 2, alert.x + 300, alert.bottom - 1)
    detail_area = (alert.x + 300, alert.y + 2, alert.x + 442, alert.bottom - 1)
    cyan = lambda p: p[0] < 60 and p[1] > 128 and p[2] > 128  # noqa: E731
    assert colour_count(image, title_area, cyan) >= 30
    assert colour_count(image, detail_area, lambda p: p[0] > 128 and p[1] > 128 and p[2] < 60) >= 15
    assert colour_count(image, detail_area, cyan) == 0


def test_a_frame_with_nothing_to_show_hides_the_window(live):
    show_geometry(live, "bottom-right")
    live[1].send("{}")
    assert live[0].wait_black() is not None, "the window stayed on screen"


def test_a_rejected_line_leaves_the_picture_and_says_why(live):
    runner, program = live
    before = show_geometry(live, "top-right")
    seen = len(program.stderr)
    program.send('{"v":2,"hud":{}}')
    deadline = time.monotonic() + 10
    while b"\n" not in program.stderr[seen:] and time.monotonic() < deadline:
        time.sleep(0.05)
    assert program.stderr[seen:] == b"tolmin-overlay: render model v2 (this helper draws v1)\n"
    time.sleep(0.5)  # time enough for a (wrong) repaint to land
    assert ImageChops.difference(before, runner.screenshot()).getbbox() is None, "the picture changed"
