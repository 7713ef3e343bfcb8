"""--probe on the Xvfb screen, and what the font directory reports (in probe and in overlay mode)."""

import re
import shutil

import pytest

from expect import CAPTURE_WARNING
from wine_session import wine_path

PROBE_LINE = (b'{"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":'
              b'[{"name":"\\\\\\\\.\\\\DISPLAY1","width":1920,"height":1080,"scale_factor":1,"primary":true}]}\n')
CAPTURE = CAPTURE_WARNING.rstrip(b"\n")
FACES = b"tolmin-overlay: the overlay's own faces did not load; text will fall back"


def lines(data: bytes) -> list[bytes]:
    assert data.endswith(b"\n") or data == b"", data
    return data.split(b"\n")[:-1]


def test_probe_line_is_exact_and_warns_about_faces_without_fonts(helper):
    done = helper.run("--probe")
    assert done.status == 0
    assert done.stdout == PROBE_LINE
    assert lines(done.stderr) == [CAPTURE, FACES]


@pytest.mark.parametrize("form", ["separate", "joined"])
def test_probe_with_the_good_font_directory_does_not_warn_about_faces(helper, fonts_dir, form):
    fonts = wine_path(fonts_dir)
    args = ["--probe", "--fonts", fonts] if form == "separate" else [f"--fonts={fonts}", "--probe"]
    done = helper.run(*args)
    assert (done.status, done.stdout) == (0, PROBE_LINE)
    assert lines(done.stderr) == [CAPTURE]


def font_problem_cases(tmp_path, fonts_dir):
    """(name, directory as given on the command line, expected middle line as a regex, faces load?)"""
    listing_error = rb" \(os error [1-9][0-9]*\)"
    faces = sorted(fonts_dir.glob("*.ttf"))
    a_file = wine_path(faces[0])
    missing = wine_path(tmp_path / "no-such-dir")

    no_ttf = tmp_path / "no-ttf"
    no_ttf.mkdir()
    (no_ttf / "Barlow.otf").write_bytes(b"OTTO")
    (no_ttf / "readme.txt").write_text("faces go here\n")
    (no_ttf / "x.ttf2").write_text("not a ttf by its extension\n")

    mixed = tmp_path / "mixed"
    mixed.mkdir()
    for face in faces:
        shutil.copy(face, mixed / face.name)
    (mixed / "x.ttf").write_text("this text file is not a font\n")

    return [
        ("a-file", a_file, b"tolmin-overlay: cannot read " + re.escape(a_file.encode()) + b": .+" + listing_error,
         False),
        ("missing", missing, b"tolmin-overlay: cannot read " + re.escape(missing.encode()) + b": .+" + listing_error,
         False),
        ("no-ttf", wine_path(no_ttf),
         b"tolmin-overlay: no \\.ttf in " + re.escape(wine_path(no_ttf).encode()) +
         " \u2014 drawing with fallbacks".encode(), False),
        # The text before the code is Wine's own; the code is DWRITE_E_FILEFORMAT.
        ("text-file-beside-faces", wine_path(mixed),
         b"tolmin-overlay: " + re.escape((wine_path(mixed) + "\\x.ttf").encode()) +
         rb" is not a font: (.+ \(0x88985000\)|0x88985000)", True),
    ]


CASE_NAMES = ["a-file", "missing", "no-ttf", "text-file-beside-faces"]


@pytest.mark.parametrize("case", CASE_NAMES)
def test_font_directory_reports_in_probe_mode(helper, fonts_dir, tmp_path, case):
    name, given, pattern, faces_load = {c[0]: c for c in font_problem_cases(tmp_path, fonts_dir)}[case]
    done = helper.run("--probe", "--fonts", given)
    assert (done.status, done.stdout) == (0, PROBE_LINE)
    got = lines(done.stderr)
    assert got[0] == CAPTURE
    assert re.fullmatch(pattern, got[1]), got[1]
    assert got[2:] == ([] if faces_load else [FACES])


@pytest.mark.parametrize("case", ["a-file", "text-file-beside-faces"])
def test_font_directory_reports_in_overlay_mode(helper, fonts_dir, tmp_path, case):
    name, given, pattern, _ = {c[0]: c for c in font_problem_cases(tmp_path, fonts_dir)}[case]
    done = helper.run("--fonts", given, input=b"")
    assert (done.status, done.stdout) == (0, b"")
    got = lines(done.stderr)
    assert got[0] == CAPTURE
    assert len(got) == 2 and re.fullmatch(pattern, got[1]), got
