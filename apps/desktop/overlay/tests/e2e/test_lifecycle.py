"""Start and end of an overlay run: empty input, the toast repaint timer, and a burst of frames."""

import time

from expect import CAPTURE_WARNING as CAPTURE
from expect import PANEL_HUD, PANEL_ROW, expected_layout, wall_ms
from screen import BLUE, GREEN, Probe, edged, mismatches, wait_for_picture


def test_empty_input_ends_at_once_and_never_shows_a_window(overlay):
    program = overlay.start()
    program.close_input()
    deadline = time.monotonic() + 30
    while program.running() and time.monotonic() < deadline:
        assert overlay.screenshot().getbbox() is None, "a window was shown for empty input"
    assert (program.wait(timeout=1), program.stdout, program.stderr) == (0, b"", CAPTURE)


def test_a_toast_comes_and_goes_on_the_repaint_timer(overlay, tmp_path):
    """Absent before born, present after its fade-in, gone after dies, with no input after the one frame."""
    program = overlay.start()
    warm = {"hud": {"dot": "#00FF00"}}  # start-up (seconds under Wine) before the toast's clock starts
    hud = expected_layout(warm, wall_ms()).block("hud")
    program.send_json(warm)
    wait_for_picture(overlay, [Probe(hud.x + 25, hud.y + 26, GREEN, "Hud dot")])

    now = wall_ms()
    born, dies = now + 3000, now + 6000
    frame = {"hud": {"dot": "#0000FF"}, "toasts": [{"kind": "marker", "born": born, "dies": dies, "tick": "#00FF00"}]}
    before, during, after = (expected_layout(frame, t) for t in (born - 1000, born + 1000, dies + 1000))
    assert [b.kind for b in after.blocks] == ["hud"] and before.block("hud") == hud == after.block("hud")
    toast = during.block("toast", 0)
    hud_alone = edged(hud, "Hud", PANEL_HUD) + [Probe(hud.x + 25, hud.y + 26, (0, 0, 255), "Hud dot")]
    toast_probes = [Probe(toast.x, toast.y, GREEN, "tick bar"), Probe(toast.right, toast.bottom, PANEL_ROW, "panel"),
                    Probe(toast.x - 1, toast.y, (0, 0, 0), "left of the toast")]
    program.send_json(frame)
    wait_for_picture(overlay, hud_alone, box=before.box(), save_to=tmp_path / "before-born.png")
    assert wall_ms() < born - 300, "the new frame took too long to show for this test"

    appeared = overlay.wait_for(lambda im: not mismatches(im, toast_probes + hud_alone), timeout=8)
    assert appeared is not None and appeared.getbbox() == during.box(), "the toast never appeared"
    assert born <= overlay.shot_started_ms < dies - 180, "the toast appeared before born or only when fading out"
    gone = overlay.wait_for(lambda im: im.getbbox() == after.box() and not mismatches(im, hud_alone), timeout=8)
    assert gone is not None and overlay.shot_started_ms >= dies - 180, "the toast stayed, or left before its fade"
    done = overlay.finish(program)  # the end of input after frames ends the overlay
    assert (done.status, done.stdout, done.stderr) == (0, b"", CAPTURE)


def test_only_the_newest_of_many_quick_frames_is_drawn_and_animated(overlay):
    program = overlay.start()
    now = wall_ms()
    for i in range(200):
        program.send_json({"hud": {"dot": "#%06X" % (i * 997)}, "alerts": [{}] * (i % 5)})
    frame = {"toasts": [{"kind": "marker", "born": now + 1500, "dies": now + 600_000, "tick": "#3399FF"}]}
    program.send_json(frame)
    toast = expected_layout(frame, now + 3000).block("toast", 0)
    wait_for_picture(overlay, [Probe(toast.x + 3, toast.y + 3, BLUE, "tick bar"),
                               Probe(toast.right - 3, toast.y + 3, PANEL_ROW, "panel")],
                     box=(toast.x, toast.y, toast.x + toast.w, toast.y + toast.h))
    assert overlay.shot_started_ms >= now + 1500, "the toast was drawn before its born time"
    assert (overlay.finish(program).status, program.stderr) == (0, CAPTURE)
