"""A hostile input stream does not bring the overlay down: the valid frame after it is drawn."""

import json

from expect import PANEL_HUD, PANEL_ROW, SIGNAL, expected_layout, wall_ms
from screen import Probe, edged, wait_for_picture

TOO_LONG = b"tolmin-overlay: a line over 1 MiB is not a frame; discarded\n"
MIB = 1 << 20
REJECTED = [b"garbage", b"\x00\x00\x00{\"v\":1}\x00", b"\xff\xfe\xfd not utf-8 at all \xc3\x28", b"{" * 100_000,
            b"[" * 5000 + b"]" * 5000, b'{"toasts":[{"count":' + b"[" * 300 + b"]" * 300 + b"}]}"]
QUIET = [b'{"hud":{"state":"\xff\xc0\xed\xa0\x80 repaired","elapsed":"\xe2\x82"}}',  # drawn, with U+FFFD
         b" " * (MIB - 1),  # 1 MiB with its line feed: read whole, and blank
         b"\r\n\t \xc2\xa0",  # two blank lines
         b'{"v":1,"scale":1e308,"offset":-1e308,"hud":{}}', b'{"scale":-0.0,"offset":1e300,"alerts":[{}]}',
         b'{"scale":40,"anchor":"top-left","toasts":[{"born":0,"dies":1e300}]}']
TOO_LONG_LINES = [b"x" * (2 * MIB), b"y" * MIB]  # 2 MiB, and exactly 1 MiB before the line feed


def show_final_frame(overlay, program, tmp_path):
    frame = {"hud": {"dot": "#FF2E55"}, "alerts": [{"bar": "red"}]}
    layout = expected_layout(frame, wall_ms())
    hud, alert = layout.block("hud"), layout.block("alert", 0)
    probes = edged(hud, "Hud", PANEL_HUD) + edged(alert, "alert", PANEL_ROW) + [
        Probe(hud.x + 25, hud.y + 26, SIGNAL, "Hud dot"), Probe(alert.x + 6, alert.y + 26, SIGNAL, "alert bar")]
    program.send_json(frame)
    wait_for_picture(overlay, probes, box=layout.box(), timeout=60, save_to=tmp_path / "after.png")
    done = overlay.finish(program, timeout=10)
    assert (done.status, done.stdout) == (0, b""), done.stderr[-2000:]
    return done.stderr.split(b"\n")[:-1]


def test_a_hostile_stream_then_a_valid_frame(overlay, tmp_path):
    program = overlay.start()
    for line in REJECTED + TOO_LONG_LINES + QUIET:
        program.send_raw(line + b"\n")
    messages = show_final_frame(overlay, program, tmp_path)
    assert all(m.startswith(b"tolmin-overlay: ") for m in messages), messages
    assert messages.count(TOO_LONG.rstrip(b"\n")) == 2
    reasons = [m for m in messages if m + b"\n" != TOO_LONG and b"out of a capture" not in m
               and not m.startswith(b"tolmin-overlay: cannot draw this frame: ")]
    assert len(reasons) == len(REJECTED), reasons


def test_frames_with_500_kb_texts_are_drawn_one_after_another(overlay, tmp_path):
    """A Night title is measured whole and an alert title laid out whole before it is trimmed; each such frame
    costs seconds of CPU under Wine."""
    program = overlay.start()
    big, blob = "W\u00e9\u0416 " * 85_000, "QUJD" * 125_000  # 510 KB of UTF-8; 500 KB without a break
    for dot, rows in [("#0000FF", {"night": {"tag": big[:1000], "title": big}}),
                      ("#00FF00", {"alerts": [{"title": big, "detail": big[:50_000]}]}),
                      ("#00FFFF", {"night": {"title": blob}})]:
        frame = {"hud": {"dot": dot}, **rows}
        hud = expected_layout(frame, wall_ms()).block("hud")
        rgb = tuple(int(dot[k:k + 2], 16) for k in (1, 3, 5))
        program.send(json.dumps(frame, ensure_ascii=False))
        shown = overlay.wait_for(lambda im: im.getpixel((hud.x + 25, hud.y + 26)) == rgb or not program.running(),
                                 timeout=60)
        assert program.running() and shown is not None, f"frame {dot} ({list(rows)}): {program.stderr[-600:]!r}"
    show_final_frame(overlay, program, tmp_path)
