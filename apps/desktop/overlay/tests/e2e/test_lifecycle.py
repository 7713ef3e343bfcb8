"""Start and end of an overlay run: empty input, end of input after frames, and the toast repaint timer."""

import time

from expect import CAPTURE_WARNING as CAPTURE
from expect import PANEL_HUD, PANEL_ROW, expected_layout, wall_ms
from screen import Probe, edged, mismatches, wait_for_picture


def test_empty_input_ends_at_once_and_never_shows_a_window(overlay):
    program = overlay.start()
    program.close_input()
    deadline = time.monotonic() + 30
    while program.running() and time.monotonic() < deadline:
        assert overlay.screenshot().getbbox() is None, "a window was shown for empty input"
    status = program.wait(timeout=1)
    assert (status, program.stdout, program.stderr) == (0, b"", CAPTURE)
    assert overlay.screenshot().getbbox() is None


def test_end_of_input_after_frames_ends_the_overlay(overlay):
    program = overlay.start()
    now = wall_ms()
    frame = {"hud": {"dot": "#00FF00"}, "alerts": [{"bar": "#3399FF"}]}
    layout = expected_layout(frame, now)
    program.send_json({"alerts": [{}, {}, {}]})  # replaced by the next frame at once, or drawn and replaced
    program.send_json(frame)
    wait_for_picture(overlay, edged(layout.block("hud"), "Hud", PANEL_HUD), box=layout.box())
    done = overlay.finish(program, timeout=5)
    assert (done.status, done.stdout, done.stderr) == (0, b"", CAPTURE)
    assert overlay.wait_black(timeout=5) is not None, "the picture outlived the process"


def test_a_toast_comes_and_goes_on_the_repaint_timer(overlay, tmp_path):
    """Absent before born, present after its fade-in, gone after dies, with no input after the one frame."""
    program = overlay.start()
    # Start-up (Direct2D under Wine takes seconds) happens before the toast's clock starts.
    warm = {"hud": {"dot": "#00FF00"}}
    hud = expected_layout(warm, wall_ms()).block("hud")
    program.send_json(warm)
    wait_for_picture(overlay, [Probe(hud.x + 25, hud.y + 26, (0, 255, 0), "Hud dot")])

    now = wall_ms()
    born, dies = now + 3000, now + 6000
    frame = {"hud": {"dot": "#0000FF"}, "toasts": [{"kind": "marker", "born": born, "dies": dies, "tick": "#00FF00"}]}
    before = expected_layout(frame, born - 1000)
    during = expected_layout(frame, born + 1000)
    after = expected_layout(frame, dies + 1000)
    assert [(b.kind, b.alpha) for b in before.blocks] == [("hud", 1), ("toast", 0)]
    assert [b.kind for b in after.blocks] == ["hud"]
    assert before.block("hud") == hud == during.block("hud") == after.block("hud")
    toast = during.block("toast", 0)
    hud_alone = edged(hud, "Hud", PANEL_HUD) + [Probe(hud.x + 25, hud.y + 26, (0, 0, 255), "Hud dot")]
    toast_probes = [Probe(toast.x, toast.y, (0, 255, 0), "tick bar"),
                    Probe(toast.right, toast.bottom, PANEL_ROW, "toast panel"),
                    Probe(toast.x - 1, toast.y, (0, 0, 0), "left of the toast")]

    program.send_json(frame)
    shown = wait_for_picture(overlay, hud_alone, box=before.box())
    seen_at = wall_ms()
    assert seen_at < born - 300, "the new frame took too long to show for this test"
    shown.save(tmp_path / "before-born.png")

    appeared = overlay.wait_for(lambda im: not mismatches(im, toast_probes + hud_alone), timeout=8)
    appeared_at = overlay.shot_started_ms
    assert appeared is not None, "the toast never appeared"
    assert appeared_at >= born, "the toast appeared before its born time"
    assert appeared.getbbox() == during.box()
    assert appeared_at < dies - 180, "the toast appeared only when it was already fading out"

    gone = overlay.wait_for(lambda im: im.getbbox() == after.box() and not mismatches(im, hud_alone), timeout=8)
    gone_at = overlay.shot_started_ms
    assert gone is not None, "the toast stayed after its dies time"
    assert gone_at >= dies - 180, "the toast vanished before its fade-out"
    assert program.running()
    done = overlay.finish(program)
    assert done.status == 0 and done.stderr == CAPTURE


def test_only_the_newest_of_many_quick_frames_is_drawn_and_animated(overlay):
    program = overlay.start()
    now = wall_ms()
    for i in range(200):
        program.send_json({"hud": {"dot": "#%06X" % (i * 997)}, "alerts": [{}] * (i % 5)})
    frame = {"toasts": [{"kind": "marker", "born": now + 1500, "dies": now + 600_000, "tick": "#3399FF"}]}
    program.send_json(frame)
    toast = expected_layout(frame, now + 3000).block("toast", 0)
    wait_for_picture(overlay, [Probe(toast.x + 3, toast.y + 3, (0x33, 0x99, 0xFF), "tick bar"),
                               Probe(toast.right - 3, toast.y + 3, PANEL_ROW, "panel")],
                     box=(toast.x, toast.y, toast.x + toast.w, toast.y + toast.h))
    assert overlay.shot_started_ms >= now + 1500, "the toast was drawn before its born time"
    done = overlay.finish(program)
    assert (done.status, done.stderr) == (0, CAPTURE)
