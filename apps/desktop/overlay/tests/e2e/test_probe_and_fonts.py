"""--probe on the Xvfb screen, and what the font directory reports in probe and overlay mode."""

import re
import shutil

import pytest

from expect import CAPTURE_WARNING
from wine_session import wine_path

PROBE_LINE = (b'{"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":'
              b'[{"name":"\\\\\\\\.\\\\DISPLAY1","width":1920,"height":1080,"scale_factor":1,"primary":true}]}\n')
CAPTURE = CAPTURE_WARNING.rstrip(b"\n")
FACES = b"tolmin-overlay: the overlay's own faces did not load; text will fall back"


@pytest.mark.parametrize("fonts, messages", [(False, [CAPTURE, FACES]), (True, [CAPTURE])], ids=["none", "good"])
def test_probe_line_is_exact_and_says_whether_the_faces_loaded(helper, fonts_dir, fonts, messages):
    done = helper.run("--probe", *([f"--fonts={wine_path(fonts_dir)}"] if fonts else []))
    assert (done.status, done.stdout, done.stderr.split(b"\n")) == (0, PROBE_LINE, messages + [b""])


def font_problem(case, tmp_path, fonts_dir):
    """The directory given for a case, the message expected as a regex, and whether the faces still load."""
    faces = sorted(fonts_dir.glob("*.ttf"))
    if case == "a-file":
        given = wine_path(faces[0])
        return given, b"tolmin-overlay: cannot read " + re.escape(given.encode()) + rb": .+ \(os error [1-9]\d*\)", False
    folder = tmp_path / case
    folder.mkdir()
    if case == "no-ttf":
        for name in ("Barlow.otf", "readme.txt", "x.ttf2"):
            (folder / name).write_text("not a font\n")
        return (wine_path(folder), b"tolmin-overlay: no \\.ttf in " + re.escape(wine_path(folder).encode()) +
                " \u2014 drawing with fallbacks".encode(), False)
    for face in faces:
        shutil.copy(face, folder / face.name)
    (folder / "x.ttf").write_text("this text file is not a font\n")
    # The text before the code is Wine's own; the code is DWRITE_E_FILEFORMAT.
    return (wine_path(folder), b"tolmin-overlay: " + re.escape((wine_path(folder) + "\\x.ttf").encode()) +
            rb" is not a font: (.+ \(0x88985000\)|0x88985000)", True)


@pytest.mark.parametrize("case, mode", [("a-file", "--probe"), ("no-ttf", "--probe"),
                                        ("text-file-beside-faces", "--probe"), ("a-file", None)])
def test_font_directory_problems_are_reported_and_survived(helper, fonts_dir, tmp_path, case, mode):
    given, pattern, faces_load = font_problem(case, tmp_path, fonts_dir)
    done = helper.run(*([mode] if mode else []), "--fonts", given)
    assert (done.status, done.stdout) == (0, PROBE_LINE if mode else b"")
    got = done.stderr.split(b"\n")
    assert got[0] == CAPTURE and re.fullmatch(pattern, got[1]), got
    assert got[2:] == ([b""] if faces_load or not mode else [FACES, b""])
