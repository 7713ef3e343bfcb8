"""The zip unpacked into an empty directory and used from there alone, under Wine, as a user starts it."""

import json
import time
import zipfile

from conftest import LISTING, archive
from expect import CAPTURE_WARNING


def run(wine, unpacked, *args):
    done = wine[0].run(["tolmin-overlay.exe", *args], cwd=unpacked)
    return done.returncode, done.stdout, done.stderr


def test_the_zip_holds_the_programs_faces_schema_and_texts():
    assert sorted(zipfile.ZipFile(archive("windows-x64")).namelist()) == LISTING


def test_version_line(wine, unpacked):
    assert run(wine, unpacked, "--version") == (0, b"tolmin-overlay 0.1.0\n", b"")


def test_probe_finds_the_faces_in_fonts(wine, unpacked):
    status, out, err = run(wine, unpacked, "--probe", "--fonts", "fonts")
    assert (status, err) == (0, CAPTURE_WARNING)  # no word of faces that did not load
    assert json.loads(out)["backend"] == "win32" and out.endswith(b"}\n") and out.count(b"\n") == 1


def test_a_frame_shows_its_title_in_barlow_condensed(wine, unpacked):
    prefix, server = wine
    program = prefix.popen(["tolmin-overlay.exe", "--fonts", "fonts"], cwd=unpacked)
    cyan = lambda pixel: pixel[0] < 60 and pixel[1] > 128 and pixel[2] > 128  # noqa: E731
    try:
        program.send_json({"anchor": "top-left", "alerts": [{"title": "SHIPPED FACES", "title_color": "#00FFFF"}]})
        # Under Wine a text whose face is missing is not drawn at all: cyan pixels are the title in its own face.
        deadline = time.monotonic() + 30
        while (drawn := sum(map(cyan, server.screenshot().crop((0, 0, 960, 540)).getdata()))) < 50 and time.monotonic() < deadline:
            time.sleep(0.2)
        assert drawn >= 50, program.stderr
    finally:
        program.stop()
