"""The output inside the layer surface equals `tolmin-frame render` of the same frame over the background, for each
anchor, on the output at scale 1 and the one at scale 2 (the checker drawing at the matching DPI 192), also where
the window's edges fall between the logical pixels of the scale-2 output; outside it the background shows."""

import pytest

from conftest import OUTPUTS
from expect import wall_ms


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
