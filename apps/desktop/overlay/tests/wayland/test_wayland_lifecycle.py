"""A run from start to end on Wayland: the probe line, toasts on the repaint timer, no wake-ups while idle, the
end of input, the compositor going away, and the choice between Wayland and X11."""

import pytest

from conftest import CAPTURE_WARNING, FONTS, Overlay, differing, expected_output
from expect import wall_ms
from sway_desktop import SwayDesktop
from wine_session import XServer
from x_desktop import display_numbers

FACES = b"tolmin-overlay: the overlay's own faces did not load; text will fall back\n"
X11_CAPTURE = b"tolmin-overlay: X11 cannot keep the overlay out of a capture; it will show in screen captures\n"
PROBE = (b'{"backend":"wayland","layer_shell":true,"exclude_from_capture":false,"monitors":['
         b'{"name":"HEADLESS-1","width":1280,"height":720,"scale_factor":1,"primary":true},'
         b'{"name":"HEADLESS-2","width":640,"height":360,"scale_factor":2,"primary":false}')



@pytest.mark.parametrize("fonts, messages", [(False, CAPTURE_WARNING + FACES), (True, CAPTURE_WARNING)])
def test_probe_lists_the_outputs_in_logical_pixels_and_their_scale(overlay, fonts, messages):
    done = overlay.run("--probe", *([f"--fonts={FONTS}"] if fonts else []))
    # Outputs made by other tests come after the two (sway keeps a disabled one announced).
    assert (done.returncode, done.stdout[:len(PROBE)], done.stdout[-3:], done.stderr) == (0, PROBE, b"]}\n",
                                                                                         messages)


def test_a_toast_comes_and_goes_on_its_own_and_the_surface_goes_after_it(overlay, tmp_path):
    program = overlay.start()
    logged = len(overlay.desktop.log())
    now = wall_ms()
    born, dies = now + 1500, now + 3000
    frame = {"anchor": "top-right", "toasts": [{"kind": "marker", "title": "On its own", "born": born, "dies": dies}]}
    during, _ = expected_output(frame, born + 500, tmp_path)
    program.send_json(frame)
    assert overlay.wait_for("HEADLESS-1", lambda im: not differing(im, during), timeout=5) is not None
    assert overlay.wait_clear("HEADLESS-1", timeout=5) is not None
    assert wall_ms() >= dies - 180, "the toast went before its fade-out"
    assert "Layer surface destroyed (tolmin-overlay)" in overlay.desktop.log()[logged:]
    done = overlay.finish(program)
    assert (done.returncode, done.stdout, done.stderr) == (0, b"", CAPTURE_WARNING)


def test_no_wake_ups_while_idle_and_the_end_of_input_ends_it_within_a_second(overlay, tmp_path):
    program = overlay.start()
    now = wall_ms()
    # A toast that has finished fading in and dies in ten minutes: the timer sleeps until its fade-out.
    frame = {"hud": {"dot": "#00FF00"}, "toasts": [{"kind": "caller", "born": now - 1000, "dies": now + 600_000}]}
    overlay.show(program, frame, now, tmp_path)
    overlay.sleeps_then_ends(program, CAPTURE_WARNING)


def test_the_compositor_going_away_ends_it_with_status_1_and_one_line(tmp_path):
    own = SwayDesktop(tmp_path).start()
    name = own.env()["WAYLAND_DISPLAY"].encode()
    runner = Overlay(own)
    try:
        program = runner.start()
        now = wall_ms()
        runner.show(program, {"hud": {"state": "LIVE"}}, now, tmp_path)
        own.proc.kill()
        status = program.wait(5)
    finally:
        program.stop()
        own.stop()
    assert (status, program.stdout, program.stderr) == (
        1, b"", CAPTURE_WARNING + b"tolmin-overlay: lost the connection to the Wayland display " + name + b"\n")


# (TOLMIN_OVERLAY_BACKEND, WAYLAND_DISPLAY: the compositor's, none, or one nobody listens on), then the outcome.
CHOICES = [
    (None, "sway", "wayland"), ("", "sway", "wayland"), (None, None, "x11"), ("x11", "sway", "x11"),
    (None, "wayland-nobody", "x11"), ("wayland", "sway", "wayland"),
    ("wayland", None, b"cannot make a window: no Wayland display to draw on (WAYLAND_DISPLAY is not set)"),
    ("wayland", "wayland-nobody", b"cannot make a window: cannot connect to the Wayland display wayland-nobody"),
    ("gtk", "sway", b'unknown TOLMIN_OVERLAY_BACKEND "gtk", expected wayland or x11'),
]


@pytest.fixture(scope="module")
def x_display(tmp_path_factory):
    server = XServer(numbers=display_numbers(range(50, 60)), log_dir=tmp_path_factory.mktemp("xvfb")).start()
    yield server.display
    server.stop()


@pytest.mark.parametrize("mode", ["--probe", None])
@pytest.mark.parametrize("forced, wayland, outcome", CHOICES)
def test_the_backend_from_the_environment(overlay, x_display, mode, forced, wayland, outcome):
    sway = overlay.desktop.env()
    env = {**sway, "DISPLAY": x_display, "WAYLAND_DISPLAY": sway["WAYLAND_DISPLAY"] if wayland == "sway" else wayland,
           "TOLMIN_OVERLAY_BACKEND": forced}
    env = {k: v for k, v in env.items() if v is not None}
    done = overlay.run(*([mode] if mode else []), f"--fonts={FONTS}", env=env)
    if isinstance(outcome, bytes):
        assert (done.returncode, done.stdout, done.stderr) == (1, b"", b"tolmin-overlay: " + outcome + b"\n")
        return
    assert done.returncode == 0, done.stderr
    assert done.stderr.startswith(CAPTURE_WARNING if outcome == "wayland" else X11_CAPTURE)
    if mode:
        assert done.stdout.startswith(b'{"backend":"%s",' % outcome.encode())
