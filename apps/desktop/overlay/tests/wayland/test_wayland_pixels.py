"""The output inside the layer surface equals `tolmin-frame render` of the same frame over the background, for each
anchor, on the output at scale 1 and the one at scale 2 (the checker drawing at the matching DPI 192), also where
the window's edges fall between the logical pixels of the scale-2 output, and after each step of a run painted in
parts; outside it the background shows."""

import re
import time

import pytest

from conftest import OUTPUTS
from expect import checker_layout, painted_in_parts, wall_ms
from sway_desktop import checker_monitors


def scene(anchor: str, monitor: str | None, now: float, **extra) -> dict:
    alive = {"born": now - 10_000, "dies": now + 600_000}
    return {"anchor": anchor, "monitor": monitor, **extra,
            "hud": {"dot": "#C8FF00", "state": "LIVE", "elapsed": "01:24:09", "presence": "3 here"},
            "night": {"tag": "NIGHT", "title": "Quiet hours until 07:00"},
            "alerts": [{"bar": "#FF2E55", "title": "Disk almost full", "detail": "C: 97 %"}],
            "toasts": [{"kind": "marker", "title": "Marker set", "count": 3, "time": "12:04", **alive},
                       {"kind": "caller", "index": "1", "title": "Ana is calling", "time": "now", **alive}]}


@pytest.mark.parametrize("anchor, monitor, extra", [
    ("top-left", None, {}), ("top-right", "HEADLESS-2", {}), ("bottom-left", "HEADLESS-2", {}),
    ("bottom-right", "HEADLESS-1", {}),
    # scale 2.5 on the scale-2 output: an odd margin and size, so the picture stands off the logical grid
    ("bottom-left", "HEADLESS-2", {"scale": 1.25, "offset": 17})], ids=lambda v: str(v) if v else "-")
def test_each_anchor_on_each_output_matches_the_render(overlay, anchor, monitor, extra, tmp_path):
    program = overlay.start()
    now = wall_ms()
    overlay.show(program, scene(anchor, monitor, now, **extra), now, tmp_path, anchor)
    other = next(name for name, _, _ in OUTPUTS if name != (monitor or OUTPUTS[0][0]))
    assert overlay.desktop.clear(other)
    done = overlay.finish(program)
    assert (done.returncode, done.stdout) == (0, b"")


def test_a_run_painted_in_parts_shows_after_each_step_what_a_whole_paint_shows(overlay, tmp_path):
    """From buffers that take turns, each brought up to date before it is drawn into. Also the damage the surface is
    given (the client's requests): the Hud's rectangle alone for its elapsed time, all of a new surface's buffer on
    another output, no picture at all for the same frame again. On the scale-2 output the window stands one pixel
    off the logical grid both ways, so the picture stands at (1, 1) in the buffer."""
    program = overlay.start(env={**overlay.desktop.env(), "WAYLAND_DEBUG": "client"})
    now = wall_ms()
    first = {**scene("bottom-left", "HEADLESS-2", now, offset=17.5), "night": None}
    first["toasts"] = first["toasts"][:1]
    overlay.show(program, first, now, tmp_path, "first")
    for step, frame, at in painted_in_parts(first, "HEADLESS-1"):
        sent = len(program.stderr)
        overlay.show(program, frame, at, tmp_path, step)
        time.sleep(0.3)  # the same frame again shows no change to wait for
        requests = program.stderr[sent:].decode()
        damage = [tuple(map(int, d)) for d in re.findall(r"\.damage_buffer\((\d+), (\d+), (\d+), (\d+)\)", requests)]
        layout = checker_layout(frame, at, checker_monitors())["layout"]
        hud = next(b for b in layout["blocks"] if b["kind"] == "hud")
        if step == "elapsed":  # not its width: that is Pango's, and the checker measures texts its own way
            assert [(x, y, h) for x, y, _, h in damage] == [(1 + hud["x"], 1 + hud["y"], hud["h"])]
        if step == "monitor":
            assert damage == [(0, 0, layout["width"], layout["height"])]
        if step == "same":
            assert ".attach(" not in requests and not damage
    assert overlay.finish(program).returncode == 0
