"""The command line, --probe and --fonts through the real Linux program (the font directory's own messages are the
checker's, tested with it), and its faults: no display, a display that goes away, no compositing manager."""

import os

import pytest

from conftest import CAPTURE_WARNING, FONTS, OVERLAY
from expect import wall_ms
from test_pixels import differing, expected_screen, scene
from wine_session import XServer
from PIL import ImageGrab
from x_desktop import BACKDROP, checker_monitors, display_numbers, wait_until

OTHER_DISPLAYS = display_numbers(range(40, 50))[::-1]  # from the top: the desktop took the first free one

CAPTURE = CAPTURE_WARNING.rstrip(b"\n")
FACES = b"tolmin-overlay: the overlay's own faces did not load; text will fall back"
NO_COMPOSITOR = (b"tolmin-overlay: no compositing manager runs on this display; the overlay is cut to its blocks, "
                 b"without translucency")


def probe_line(width: int, height: int, factor: int) -> bytes:
    monitor = '{"name":"%s","width":%d,"height":%d,"scale_factor":%d,"primary":%s}'
    listed = ",".join(monitor % (name, width, height, factor, "true" if primary else "false")
                      for name, _, primary in (("DP-1", 0, True), ("HDMI-1", 640, False)))
    return b'{"backend":"x11","layer_shell":false,"exclude_from_capture":false,"monitors":[' + listed.encode() + b"]}\n"


def test_version_line_and_a_usage_error(overlay):
    version = overlay.run("--probe", "-V")
    assert (version.returncode, version.stdout, version.stderr) == (0, b"tolmin-overlay 0.1.0\n", b"")
    error = overlay.run('say"hi\tthere', "--version")
    assert (error.returncode, error.stdout) == (2, b"")
    assert error.stderr == (b'tolmin-overlay: unknown argument "say\\"hi\\tthere"\n'
                            b"usage: tolmin-overlay [--fonts <dir>] [--probe] | --version\n")


@pytest.mark.parametrize("fonts, dpi, messages, sizes", [(False, None, [CAPTURE, FACES], (640, 720, 1)),
                                                       (True, 144, [CAPTURE], (427, 480, 2))], ids=["plain", "dpi"])
def test_probe_line_is_exact_in_dips_at_the_xft_dpi_and_says_whether_faces_loaded(overlay, desktop, fonts, dpi,
                                                                                    messages, sizes):
    desktop.set_dpi(dpi)
    try:
        done = overlay.run("--probe", *([f"--fonts={FONTS}"] if fonts else []))
    finally:
        desktop.set_dpi(None)
    assert (done.returncode, done.stdout, done.stderr.split(b"\n")) == (0, probe_line(*sizes), messages + [b""])


def free_display() -> str:
    number = next(n for n in OTHER_DISPLAYS if not os.path.exists(f"/tmp/.X11-unix/X{n}")
                  and not os.path.exists(f"/tmp/.X{n}-lock"))
    return f":{number}"


@pytest.mark.parametrize("mode", ["--probe", None])
def test_without_a_display_one_diagnostic_and_status_1(overlay, mode):
    args = [mode] if mode else []
    env = {k: v for k, v in overlay.desktop.env().items() if k != "DISPLAY"}
    unset = overlay.run(*args, env=env)
    assert (unset.returncode, unset.stdout, unset.stderr) == (
        1, b"", b"tolmin-overlay: cannot make a window: no X display to draw on (DISPLAY is not set)\n")
    gone = free_display()
    unreachable = overlay.run(*args, env={**env, "DISPLAY": gone})
    assert (unreachable.returncode, unreachable.stdout, unreachable.stderr) == (
        1, b"", b"tolmin-overlay: cannot make a window: cannot open the X display " + gone.encode() + b"\n")


def test_without_shared_memory_or_compositor_and_then_without_the_display(overlay, tmp_path):
    """On a server without MIT-SHM pictures go by PutImage; uncomposited, a window pixel shows its premultiplied
    colour (the render over black) and the cut-away parts the black root. Then the server goes away."""
    server = XServer(numbers=OTHER_DISPLAYS, log_dir=tmp_path, screens=((640, 480),),
                     options=("-noreset", "-extension", "MIT-SHM")).start()
    try:
        program = overlay.popen([str(OVERLAY), "--fonts", str(FONTS)], env={**overlay.desktop.env(), "DISPLAY": server.display})
        now = wall_ms()
        frame = scene("bottom-left", None, now)
        expected, _ = expected_screen(frame, now, ["screen=640x480"], tmp_path, (640, 480), (0, 0, 0))
        program.send_json(frame)
        shown = lambda: not differing(ImageGrab.grab(xdisplay=server.display).convert("RGB"), expected)  # noqa: E731
        assert wait_until(shown, 10), "the picture put without shared memory differs from the render"
        server.stop()  # the server ends, closing every connection
        status = program.wait(5)
    finally:
        server.stop()
    assert (status, program.stdout) == (1, b"")
    assert program.stderr.split(b"\n")[2:] == [b"tolmin-overlay: lost the connection to the X display " +
                                               server.display.encode(), b""]


def test_without_a_compositor_the_window_is_cut_to_its_blocks(overlay, desktop, tmp_path):
    desktop.stop_compositor()
    try:
        program = overlay.start()
        now = wall_ms()
        frame = scene("top-right", None, now)
        expected, (x, y, w, h) = expected_screen(frame, now, checker_monitors(), tmp_path)
        program.send_json(frame)
        # The Hud is narrower than the rows below it: left of it the window is cut away, showing the backdrop
        # (uncut, its transparent pixels would show black).
        cut = lambda im: im.getpixel((x + 2, y + 2)) == BACKDROP and im.getpixel((x + w - 9, y + 2)) != BACKDROP  # noqa: E731
        assert overlay.wait_for(cut, 10) is not None, "the window was not cut to its blocks"
        assert program.wait_for_stderr(NO_COMPOSITOR + b"\n", 1)
        desktop.start_compositor()  # whole again, with translucency
        assert overlay.wait_for(lambda im: not differing(im, expected), timeout=10) is not None
        desktop.stop_compositor()
        assert overlay.wait_for(cut, 10) is not None
        done = overlay.finish(program)
        assert (done.returncode, done.stderr.split(b"\n")) == (0, [CAPTURE, NO_COMPOSITOR, NO_COMPOSITOR, b""])
    finally:
        desktop.start_compositor()
