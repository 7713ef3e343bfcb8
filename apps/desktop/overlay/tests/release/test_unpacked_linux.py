"""The tar.gz unpacked into an empty directory and used from there alone, on an X desktop (Xvfb and picom)."""

import json
import subprocess
import tarfile

from PIL import Image, ImageChops

from conftest import LISTING, archive
from wine_session import Program
from x_desktop import BACKDROP, SCREEN, checker_monitors, wait_until

CAPTURE_WARNING = b"tolmin-overlay: X11 cannot keep the overlay out of a capture; it will show in screen captures\n"


def run(desktop, folder, *argv: str, input: bytes = b""):
    done = subprocess.run(argv, cwd=folder, env=desktop.env(), input=input, capture_output=True, timeout=60)
    return done.returncode, done.stdout, done.stderr


def test_the_tar_gz_holds_the_zip_s_files_in_one_folder_owned_by_root():
    top = archive("linux-x64").name.removesuffix(".tar.gz")
    with tarfile.open(archive("linux-x64")) as tar:
        members = [(m.name, m.mode, m.uid, m.gid, m.uname, m.gname) for m in tar.getmembers()]
    names = sorted([top, f"{top}/fonts", *(f"{top}/{name.removesuffix('.exe')}" for name in LISTING)])
    executable = {top, f"{top}/fonts", f"{top}/tolmin-frame", f"{top}/tolmin-overlay"}
    assert members == [(name, 0o755 if name in executable else 0o644, 0, 0, "", "") for name in names]


def test_version_line(desktop, linux):
    assert run(desktop, linux, "./tolmin-overlay", "--version") == (0, b"tolmin-overlay 0.1.0\n", b"")


def test_probe_lists_the_monitors_and_finds_the_faces_in_fonts(desktop, linux):
    status, out, err = run(desktop, linux, "./tolmin-overlay", "--probe", "--fonts", "fonts")
    assert (status, err) == (0, CAPTURE_WARNING)  # no word of faces that did not load
    assert [(m["name"], m["primary"]) for m in json.loads(out)["monitors"]] == [("DP-1", True), ("HDMI-1", False)]


def test_a_frame_shows_its_title_in_barlow_condensed(desktop, linux, tmp_path):
    """The screen shows the shipped checker's render, which warns when the faces do not load."""
    line = b'{"anchor":"top-left","alerts":[{"title":"SHIPPED FACES"}]}'
    status, out, err = run(desktop, linux, "./tolmin-frame", "render", "--fonts", "fonts", f"--out={tmp_path}",
                           *(f"--monitor={m}" for m in checker_monitors()), input=line)
    assert (status, err) == (0, b"")
    report = json.loads(out)
    expected = Image.new("RGBA", SCREEN, BACKDROP + (255,))
    expected.alpha_composite(Image.open(report["file"]).convert("RGBA"), (report["window"]["x"], report["window"]["y"]))
    program = Program(subprocess.Popen(["./tolmin-overlay", "--fonts", "fonts"], cwd=linux, env=desktop.env(),
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE))
    try:
        program.send(line)
        assert wait_until(lambda: max(high for _, high in ImageChops.difference(  # the compositor's rounding
            desktop.screenshot(), expected.convert("RGB")).getextrema()) <= 2, 10), program.stderr
        program.close_input()
        assert (program.wait(5), program.stderr) == (0, CAPTURE_WARNING)
    finally:
        program.stop()
