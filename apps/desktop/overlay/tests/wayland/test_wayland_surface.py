"""The layer surface as the compositor and the protocol see it: overlay layer, namespace, anchor, size and
margins (sway's log), no keyboard, no exclusive zone, an empty input region and the first configure acknowledged
before the first picture (the client's requests); clicks through it; made again on another output by name and
when outputs come and go."""

import re
import time

from conftest import OUTPUTS, differing, expected_output
from expect import wall_ms
from test_wayland_pixels import scene

ANCHOR_BITS = {"top-left": 1 | 4, "top-right": 1 | 8, "bottom-left": 2 | 4, "bottom-right": 2 | 8}


def requests(stderr: bytes) -> list[str]:
    """The requests the overlay sent, as WAYLAND_DEBUG=client writes them, without the object ids."""
    return [re.sub(r"@\d+", "", line.split(" -> ", 1)[1]) for line in stderr.decode().splitlines() if " -> " in line]


def surface_line(frame: dict, window: tuple, scale: int) -> str:
    x, y, w, h = window
    # The margins of the anchored edges, on both sides (top, right, bottom, left): the others do not count.
    side = (1280 - x - w if "right" in frame["anchor"] else x) // scale
    end = (y if "top" in frame["anchor"] else 720 - y - h) // scale
    return (f"new layer surface: namespace tolmin-overlay layer 3 anchor {ANCHOR_BITS[frame['anchor']]} size "
            f"{w // scale}x{h // scale} margin {end},{side},{end},{side},")


def test_the_surface_facts_and_its_move_to_another_output_by_name(overlay, tmp_path):
    desktop = overlay.desktop
    logged = len(desktop.log())
    program = overlay.start(env={**desktop.env(), "WAYLAND_DEBUG": "client"})
    now = wall_ms()
    first = scene("top-right", "HEADLESS-1", now)
    window = overlay.show(program, first, now, tmp_path, "first")
    moved = {**scene("bottom-left", "HEADLESS-2", now), "alerts": []}
    moved_window = overlay.show(program, moved, now, tmp_path, "moved")
    assert overlay.wait_clear("HEADLESS-1") is not None
    done = overlay.finish(program)
    assert done.returncode == 0

    log = [line.split("] ", 2)[-1] for line in desktop.log()[logged:].splitlines() if "tolmin-overlay" in line]
    assert log == [surface_line(first, window, 1), "Layer surface destroyed (tolmin-overlay)",
                   surface_line(moved, moved_window, 2), "Layer surface destroyed (tolmin-overlay)"]
    sent = requests(done.stderr)
    made = sent.index('zwlr_layer_shell_v1.get_layer_surface(new id zwlr_layer_surface_v1, wl_surface, wl_output, '
                      '3, "tolmin-overlay")')
    region = sent.index("wl_compositor.create_region(new id wl_region)", made)
    assert sent[made + 1:region] == ["zwlr_layer_surface_v1.set_keyboard_interactivity(0)",
                                     "zwlr_layer_surface_v1.set_exclusive_zone(-1)"]
    assert sent[region + 1:region + 3] == ["wl_surface.set_input_region(wl_region)", "wl_region.destroy()"]
    first_attach = next(i for i, r in enumerate(sent) if r.startswith("wl_surface.attach("))
    assert any(r.startswith("zwlr_layer_surface_v1.ack_configure(") for r in sent[made:first_attach])
    assert not any(r.startswith(("wl_seat.", "wl_keyboard.", "wl_pointer.")) for r in sent)


def test_a_click_on_a_panel_reaches_the_surface_below(overlay, tmp_path):
    desktop = overlay.desktop
    for name, origin, scale in OUTPUTS:
        program = overlay.start()
        now = wall_ms()
        x, y, w, h = overlay.show(program, scene("top-left", name, now), now, tmp_path, name)
        before = len(desktop.presses(name))
        centre = ((x + w // 2) // scale, (y + h // 2) // scale)  # logical pixels on the output
        desktop.click(origin + centre[0], centre[1])
        assert wait_for_press(desktop, name, before) == [centre]
        assert overlay.finish(program).returncode == 0


def wait_for_press(desktop, name, before, timeout=5.0):
    deadline = time.monotonic() + timeout
    while len(desktop.presses(name)) == before and time.monotonic() < deadline:
        time.sleep(0.05)
    return desktop.presses(name)[before:]


def test_an_output_coming_and_changing_its_scale_moves_and_redraws_the_overlay_without_new_input(overlay, tmp_path):
    desktop = overlay.desktop
    numbers = [int(o["name"].rsplit("-", 1)[1]) for o in desktop.swaymsg("-t", "get_outputs")]
    coming = f"HEADLESS-{max(numbers) + 1}"  # the name sway gives the next output it makes
    program = overlay.start()
    now = wall_ms()
    frame = scene("top-left", coming, now)
    # Until the named output is there, the overlay is on the first output announced.
    fallback, _ = expected_output({**frame, "monitor": None}, now, tmp_path)
    program.send_json(frame)
    assert overlay.wait_for("HEADLESS-1", lambda im: not differing(im, fallback)) is not None
    try:
        desktop.swaymsg("create_output")
        for scale in (1, 2):
            desktop.swaymsg(f"output {coming} scale {scale}")
            there, _ = expected_output(frame, now, tmp_path, [f"{coming}=1280x720@{96 * scale}+1920+0"])
            assert overlay.wait_for(coming, lambda im: not differing(im, there)) is not None, f"not at scale {scale}"
            assert overlay.wait_clear("HEADLESS-1") is not None
    finally:
        desktop.swaymsg(f"output {coming} disable")  # sway 1.7 keeps a disabled output's wl_output
    assert overlay.finish(program).returncode == 0
