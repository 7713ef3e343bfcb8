"""Other displays than the plain 1920x1080 screen: a system DPI of 144, and two monitors chosen by name.

Wine reports its LogPixels value as every monitor's effective DPI (read when a process starts), and lists one
monitor per Xvfb screen when Xinerama joins them (Xvfb puts both screens at 0,0, so they overlap).
"""

import pytest

from conftest import Overlay
from expect import expected_layout, wall_ms
from screen import geometry_frame, geometry_probes, wait_for_picture
from wine_session import XServer

AT_144 = "\\\\.\\DISPLAY1=1920x1080@144+0+0,primary"
FIRST = "\\\\.\\DISPLAY1=1920x1080@96+0+0,primary"
SECOND = "\\\\.\\DISPLAY2=1280x1024@96+0+0"


def probe_line(monitors: str) -> bytes:
    return (b'{"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":[' +
            monitors.encode() + b"]}\n")


def monitor_json(n: int, width: int, height: int, scale: int, primary: bool) -> str:
    return ('{"name":"\\\\\\\\.\\\\DISPLAY%d","width":%d,"height":%d,"scale_factor":%d,"primary":%s}'
            % (n, width, height, scale, "true" if primary else "false"))


@pytest.fixture
def dpi_144(wine):
    wine.set_log_pixels(144)
    yield
    wine.set_log_pixels(None)


def test_probe_at_144_dpi_reports_device_independent_sizes(helper, dpi_144):
    done = helper.run("--probe")
    assert (done.status, done.stdout) == (0, probe_line(monitor_json(1, 1280, 720, 2, True)))


def test_blocks_at_144_dpi_are_scaled_by_one_and_a_half(overlay, dpi_144, tmp_path):
    program = overlay.start()
    now = wall_ms()
    frame = geometry_frame("bottom-right", now)
    layout = expected_layout(frame, now, [AT_144])
    assert layout.report["scale"] == 1.5 and layout.block("hud").w == 306
    program.send_json(frame)
    wait_for_picture(overlay, geometry_probes(layout), box=layout.box(), save_to=tmp_path / "dpi-144.png")
    assert overlay.finish(program).status == 0


@pytest.fixture(scope="module")
def two_screens(wine, xserver, tmp_path_factory):
    """The session's prefix moved to an Xvfb with two screens (1920x1080 and 1280x1024), and back afterwards."""
    second = XServer(numbers=range(80, 90), log_dir=tmp_path_factory.mktemp("xvfb2"),
                     screens=((1920, 1080), (1280, 1024))).start()
    try:
        wine.restart(second.display)
        yield second
    finally:
        wine.restart(xserver.display)
        second.stop()


def test_probe_lists_both_monitors(helper, two_screens):
    done = helper.run("--probe")
    monitors = monitor_json(1, 1920, 1080, 1, True) + "," + monitor_json(2, 1280, 1024, 1, False)
    assert (done.status, done.stdout) == (0, probe_line(monitors))


def test_a_frame_goes_to_the_monitor_it_names(wine, exe, fonts_dir, frame_tool, two_screens, tmp_path):
    cases = [("\\\\.\\DISPLAY2", 1), ("\\\\.\\DISPLAY1", 0),
             ("\\\\.\\display2", 0),  # names match byte for byte; anything else is the primary
             (None, 0), ("\\\\.\\DISPLAY2", 1)]
    runner = Overlay(wine, two_screens, exe, fonts_dir)
    assert runner.wait_black() is not None
    program = runner.start()
    try:
        for i, (name, monitor) in enumerate(cases):
            now = wall_ms()
            frame = {**geometry_frame("bottom-right", now), "monitor": name}
            layout = expected_layout(frame, now, [FIRST, SECOND])
            assert layout.report["monitor"] == monitor, name
            program.send_json(frame)
            wait_for_picture(runner, geometry_probes(layout), box=layout.box(), save_to=tmp_path / f"case-{i}.png")
        assert runner.finish(program).status == 0
    finally:
        runner.stop_all()
        runner.wait_black()
