"""tolmin-frame render as a process: the PNG pictures of the overlay's frames, their pixels, and bad input.

Block rectangles come from `tolmin-frame layout`; the frame below keeps them independent of text widths (the
Hud at its minimum width, the Night title long enough to be capped), so both text services agree on them.
"""

import json
import os
import shlex
import subprocess
from pathlib import Path

import pytest
from PIL import Image, ImageChops

APP = Path(__file__).resolve().parents[2]
ROOT = APP.parents[2]
NOW = 1_767_225_600_000
PANEL, LIME = (13, 13, 17), (200, 255, 0)
ALIVE = {"born": NOW - 5000, "dies": NOW + 600_000}
FRAME = {"anchor": "top-left",
         "hud": {"dot": "#00FF00", "state": "REC", "state_color": "#FF00FF", "elapsed": "1:02"},
         "night": {"title": "A night title far too long for the widest block the overlay ever draws"},
         "alerts": [{"title": "HELLO", "title_color": "#00FFFF", "detail": "12:34", "detail_color": "#FFFF00"}],
         "toasts": [{"kind": "caller", "title": "", **ALIVE},
                    {"kind": "caller", "title": "", "born": NOW - 60, "dies": NOW + 600_000}]}


def tool(*args, stdin=b""):
    words = shlex.split(os.environ.get("TOLMIN_FRAME", str(APP / "build/native/tolmin-frame")))
    if len(words) > 1:
        pytest.skip("render is built only into the native checker")
    return subprocess.run(words + list(args), input=stdin, capture_output=True, timeout=60)


def render(out: Path, lines: list[str], *options: str):
    done = tool("render", f"--now={NOW}", f"--out={out}", *options, stdin="".join(f"{l}\n" for l in lines).encode())
    return done, [json.loads(line) for line in done.stdout.splitlines()]


@pytest.fixture(scope="module")
def drawn(tmp_path_factory):
    """The picture of FRAME and the layout the checker gives it: (image, render report, layout report)."""
    out = tmp_path_factory.mktemp("render")
    done, [report] = render(out, [json.dumps(FRAME)], f"--fonts={ROOT / 'build/fonts'}")
    assert done.returncode == 0, done.stderr
    layout = json.loads(tool("layout", f"--now={NOW}", stdin=json.dumps(FRAME).encode()).stdout)
    return Image.open(out / "0001.png"), report, layout


def blocks(layout):
    for b in layout["layout"]["blocks"]:
        yield b, (round(b["x"] + b["slide"]), b["y"], round(b["x"] + b["slide"]) + b["w"], b["y"] + b["h"])


def test_the_png_is_the_window(drawn):
    image, report, layout = drawn
    size = (layout["layout"]["width"], layout["layout"]["height"])
    assert image.mode == "RGBA" and image.size == size
    assert report["window"] == {**layout["window"], "width": size[0], "height": size[1]}


# The panel's own alpha; the block's alpha (0.5 for the toast born 60 ms ago) multiplies it.
@pytest.mark.parametrize("index, colour, alpha", [(0, PANEL, 0.92), (1, PANEL, 0.92), (2, PANEL, 0.94),
                                                  (3, LIME, 1.0), (4, LIME, 1.0)],
                         ids=["hud", "night", "alert", "shown-toast", "fading-toast"])
def test_panels_have_their_colour_at_the_block_alpha(drawn, index, colour, alpha):
    image, _, layout = drawn
    block, (left, top, right, _) = list(blocks(layout))[index]
    r, g, b, a = image.getpixel((left + 3 if block["kind"] == "hud" else right - 3, top + 3))
    assert abs(a - alpha * block["alpha"] * 255) <= 1
    assert all(abs(c - e) <= 2 for c, e in zip((r, g, b), colour)), (r, g, b)


def test_the_hud_dot_is_its_colour(drawn):
    image, _, layout = drawn
    _, (left, top, _, bottom) = next(blocks(layout))
    assert image.getpixel((left + 25, (top + bottom) // 2)) == (0, 255, 0, 255)


def test_text_pixels_stay_in_their_boxes_and_nothing_is_drawn_outside_the_blocks(drawn):
    image, _, layout = drawn
    (_, hud), _, (_, alert), *_ = blocks(layout)
    # State from x 49 of the Hud; alert title from 31, detail right-aligned at 441 (scale 1, stroke 1).
    for colour, box in (((255, 0, 255), (hud[0] + 49, hud[1], hud[2], hud[3])),
                        ((0, 255, 255), (alert[0] + 31, alert[1], alert[0] + 441, alert[3])),
                        ((255, 255, 0), (alert[0] + 31, alert[1], alert[0] + 441, alert[3]))):
        mask = Image.new("1", image.size)
        mask.putdata([tuple(p[:3]) == colour and p[3] == 255 for p in image.getdata()])
        found = mask.getbbox()
        assert found and box[0] <= found[0] and found[2] <= box[2] and box[1] <= found[1] and found[3] <= box[3], \
            (colour, found, box)
    alpha = image.getchannel("A")
    for _, rect in blocks(layout):
        alpha.paste(0, rect)
    assert alpha.getbbox() is None


def test_rejected_lines_are_reported_as_check_does_and_a_hidden_frame_writes_nothing(tmp_path):
    lines = ['{"hud":{}}', '{"hud":', "", '{"v":2}', "{}"]
    done, reports = render(tmp_path, lines)
    checked = [json.loads(line) for line in tool("check", stdin="\n".join(lines).encode()).stdout.splitlines()]
    assert done.returncode == 1
    assert reports[0]["file"] == str(tmp_path / "0001.png")
    assert reports[1:3] == checked[1:3] and "error" in reports[1] and "error" in reports[2]
    assert reports[3] == {"line": 5, "file": None, "window": None}
    assert sorted(p.name for p in tmp_path.iterdir()) == ["0001.png"]


def test_an_unwritable_out_directory_is_one_error_and_writes_nothing(tmp_path):
    (tmp_path / "file").write_bytes(b"")
    done, _ = render(tmp_path / "file", ['{"hud":{}}'])
    assert (done.returncode, done.stdout) == (1, b"")
    assert done.stderr == f"tolmin-frame: cannot write to {tmp_path}/file: Not a directory (os error 20)\n".encode()
    assert [p.name for p in tmp_path.iterdir()] == ["file"]


@pytest.mark.parametrize("name, message", [("readme.txt", "no .ttf in {d} \u2014 drawing with fallbacks"),
                                           ("x.TTF", "{d}/x.TTF is not a font: fontconfig finds no face in it")])
def test_a_font_directory_without_the_faces_is_reported_and_texts_fall_back(tmp_path, name, message):
    fonts = tmp_path / "fonts"
    fonts.mkdir()
    (fonts / name).write_text("not a font")
    done, [report] = render(tmp_path, ['{"hud":{"state":"A"}}'], f"--fonts={fonts}")
    assert done.stderr.decode().splitlines() == [
        "tolmin-frame: " + message.format(d=fonts),
        "tolmin-frame: the overlay's own faces did not load; text will fall back"]
    assert done.returncode == 0 and report["file"]


def test_the_readme_gallery_is_what_render_draws_today(tmp_path):
    # The command in README.md that regenerates docs/gallery.
    done = tool("render", "--fonts", str(ROOT / "build/fonts"), "--now", str(NOW), "--backdrop", "--out",
                str(tmp_path), str(ROOT / "examples/gallery.jsonl"))
    assert done.returncode == 0, done.stderr
    committed = sorted((ROOT / "docs/gallery").glob("*.png"))
    assert [p.name for p in committed] == sorted(p.name for p in tmp_path.iterdir())
    for path in committed:
        old, new = Image.open(path).convert("RGB"), Image.open(tmp_path / path.name).convert("RGB")
        assert old.size == new.size, path.name
        assert max(high for _, high in ImageChops.difference(old, new).getextrema()) <= 8, path.name


def test_a_sequence_painted_with_damage_leaves_each_full_picture(tmp_path):
    """Lines rendered in one run repaint only what changed over the picture before; each PNG must be, byte for
    byte, the picture of its line rendered alone (fades come from `born`, the clock being fixed)."""
    hud = {"state": "LIVE", "elapsed": "00:42", "presence": "3 here"}
    toast = {"kind": "marker", "title": "Marker set", "count": 3, "time": "12:04", "detail": "Round two",
             "dies": NOW + 60_000}
    alert = {"title": "Disk almost full", "detail": "C: 97 %"}
    frames = [{"hud": hud, "toasts": [{**toast, "born": NOW - born}]} for born in (30, 46, 62, 400, 400)]
    frames += [{"hud": {**hud, "elapsed": "00:43"}, "toasts": [{**toast, "born": NOW - 400}]},
               {"hud": {**hud, "elapsed": "00:43"}, "alerts": [alert], "toasts": [{**toast, "born": NOW - 400}]},
               {"monitor": "B", "hud": hud, "alerts": [alert], "toasts": [{**toast, "born": NOW - 400}]}]
    lines = [json.dumps(f) for f in frames]
    monitors = ["--monitor=A=1920x1080", "--monitor=B=2560x1440+1920+0,primary"]
    fonts = f"--fonts={ROOT / 'build/fonts'}"
    (tmp_path / "sequence").mkdir()
    done, _ = render(tmp_path / "sequence", lines, fonts, *monitors)
    assert done.returncode == 0, done.stderr
    for number, line in enumerate(lines, 1):
        alone = tmp_path / f"alone{number}"
        alone.mkdir()
        assert render(alone, [line], fonts, *monitors)[0].returncode == 0
        picture = Image.open(tmp_path / "sequence" / f"{number:04}.png")
        assert picture.tobytes() == Image.open(alone / "0001.png").tobytes(), f"line {number}"
