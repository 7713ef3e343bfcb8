"""Start and end of an overlay run: empty input, toasts on the repaint timer, no wake-ups while idle, and a
hostile input stream."""

from conftest import CAPTURE_WARNING, FONTS, mapped, overlay_window
from expect import wall_ms
from test_hostile_input import QUIET, REJECTED, TOO_LONG, TOO_LONG_LINES
from test_pixels import differing, expected_screen
from x_desktop import BACKDROP, checker_monitors



def test_empty_input_ends_at_once_and_shows_nothing(overlay):
    done = overlay.run("--fonts", str(FONTS), input=b"", timeout=1)
    assert (done.returncode, done.stdout, done.stderr) == (0, b"", CAPTURE_WARNING)
    assert overlay.screenshot().getcolors(1) == [(1280 * 720, BACKDROP)]


def test_a_toast_comes_and_goes_on_its_own_and_the_window_goes_after_it(overlay, desktop, tmp_path):
    program = overlay.start()
    now = wall_ms()
    born, dies = now + 1500, now + 3000
    frame = {"anchor": "top-right", "toasts": [{"kind": "marker", "title": "On its own", "born": born, "dies": dies}]}
    during, _ = expected_screen(frame, born + 500, checker_monitors(), tmp_path)
    program.send_json(frame)
    window = overlay_window(desktop)
    shown = overlay.wait_for(lambda im: not differing(im, during), timeout=5)
    assert shown is not None, "the toast never appeared whole"
    assert born + 120 <= overlay.shot_started_ms + 50 and overlay.shot_started_ms < dies - 180
    assert overlay.wait_for(lambda _: not mapped(window), timeout=5) is not None, "the window stayed"
    assert wall_ms() >= dies, "the window went before the toast died"
    assert overlay.screenshot().getcolors(1) == [(1280 * 720, BACKDROP)]
    done = overlay.finish(program)
    assert (done.returncode, done.stdout, done.stderr) == (0, b"", CAPTURE_WARNING)


def test_no_wake_ups_while_idle_and_the_end_of_input_ends_it_within_a_second(overlay, desktop, tmp_path):
    program = overlay.start()
    now = wall_ms()
    # A toast that has finished fading in and dies in ten minutes: the timer sleeps until its fade-out.
    frame = {"hud": {"dot": "#00FF00"}, "toasts": [{"kind": "caller", "born": now - 1000, "dies": now + 600_000}]}
    expected, _ = expected_screen(frame, now, checker_monitors(), tmp_path)
    program.send_json(frame)
    assert overlay.wait_for(lambda im: not differing(im, expected), timeout=5) is not None
    overlay.sleeps_then_ends(program, CAPTURE_WARNING)


def test_a_hostile_stream_then_a_valid_frame(overlay, tmp_path):
    program = overlay.start()
    for line in REJECTED + TOO_LONG_LINES + QUIET:
        program.send_raw(line + b"\n")
    now = wall_ms()
    frame = {"hud": {"dot": "#FF2E55"}, "alerts": [{"bar": "red"}]}
    expected, _ = expected_screen(frame, now, checker_monitors(), tmp_path)
    program.send_json(frame)
    assert overlay.wait_for(lambda im: not differing(im, expected), timeout=30) is not None
    done = overlay.finish(program, timeout=5)
    assert (done.returncode, done.stdout) == (0, b""), done.stderr[-2000:]
    messages = done.stderr.split(b"\n")[:-1]
    assert all(m.startswith(b"tolmin-overlay: ") for m in messages), messages
    assert messages.count(TOO_LONG.rstrip(b"\n")) == 2
    reasons = [m for m in messages if m + b"\n" not in (TOO_LONG, CAPTURE_WARNING)
               and not m.startswith(b"tolmin-overlay: cannot draw this frame: ")]
    assert len(reasons) == len(REJECTED), reasons
