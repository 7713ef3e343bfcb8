"""Other displays: a system DPI of 144 (Wine reports LogPixels as every monitor's DPI, read at process start),
and two monitors chosen by name (Xinerama joins two Xvfb screens, both at 0,0)."""

import pytest

from conftest import Overlay
from expect import expected_layout, wall_ms
from screen import geometry_frame, geometry_probes, wait_for_picture
from wine_session import XServer


def probe_line(*monitors) -> bytes:
    listed = ",".join('{"name":"\\\\\\\\.\\\\DISPLAY%d","width":%d,"height":%d,"scale_factor":%d,"primary":%s}' % m
                      for m in monitors)
    return b'{"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":[' + listed.encode() + b"]}\n"


@pytest.fixture
def dpi_144(wine):
    wine.set_log_pixels(144)
    yield
    wine.set_log_pixels(None)


def show(runner, program, name, monitors, tmp_path):
    now = wall_ms()
    frame = {**geometry_frame("bottom-right", now), "monitor": name}
    layout = expected_layout(frame, now, monitors)
    program.send_json(frame)
    wait_for_picture(runner, geometry_probes(layout), box=layout.box(), save_to=tmp_path / "screen.png")
    return layout.report


def test_at_144_dpi_the_probe_gives_dips_and_blocks_are_one_and_a_half_times_larger(overlay, dpi_144, tmp_path):
    done = overlay.run("--probe")
    assert (done.status, done.stdout) == (0, probe_line((1, 1280, 720, 2, "true")))
    program = overlay.start()
    assert show(overlay, program, None, ["\\\\.\\DISPLAY1=1920x1080@144+0+0,primary"], tmp_path)["scale"] == 1.5
    assert overlay.finish(program).status == 0


def test_two_monitors_are_probed_and_a_frame_goes_to_the_one_it_names(wine, xserver, exe, fonts_dir, frame_tool,
                                                                      tmp_path_factory, tmp_path):
    second = XServer(numbers=range(80, 90), log_dir=tmp_path_factory.mktemp("xvfb2"),
                     screens=((1920, 1080), (1280, 1024))).start()
    runner = Overlay(wine, second, exe, fonts_dir)
    try:
        wine.restart(second.display)
        done = runner.run("--probe")
        assert (done.status, done.stdout) == (0, probe_line((1, 1920, 1080, 1, "true"), (2, 1280, 1024, 1, "false")))
        program = runner.start()
        monitors = ["\\\\.\\DISPLAY1=1920x1080@96+0+0,primary", "\\\\.\\DISPLAY2=1280x1024@96+0+0"]
        # Names match byte for byte; anything else is the primary.
        for name, index in [("\\\\.\\DISPLAY2", 1), ("\\\\.\\display2", 0), (None, 0), ("\\\\.\\DISPLAY2", 1)]:
            assert show(runner, program, name, monitors, tmp_path)["monitor"] == index, name
        assert runner.finish(program).status == 0
    finally:
        runner.stop_all()
        wine.restart(xserver.display)
        second.stop()
