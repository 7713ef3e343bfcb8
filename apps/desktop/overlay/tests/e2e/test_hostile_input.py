"""A hostile input stream does not bring the overlay down: the valid frame after it is drawn."""

import json

from expect import PANEL_HUD, PANEL_ROW, SIGNAL, expected_layout, wall_ms
from screen import Probe, edged, wait_for_picture

TOO_LONG = b"tolmin-overlay: a line over 1 MiB is not a frame; discarded\n"
MIB = 1 << 20


def hostile_lines() -> list[bytes]:
    """Lines a host should never write, and how many of them are rejected with a message each."""
    big = "W\u00e9\u0416 " * 85_000  # 510 KB of UTF-8
    as_line = lambda value: json.dumps(value, ensure_ascii=False).encode()  # noqa: E731
    rejected = [
        b"garbage",
        b"\x00\x00\x00{\"v\":1}\x00",
        b"\xff\xfe\xfd not utf-8 at all \xc3\x28",
        b"{" * 100_000,
        b"[" * 5000 + b"]" * 5000,
        b'{"toasts":[{"count":' + b"[" * 300 + b"]" * 300 + b"}]}",
    ]
    quiet = [
        b'{"hud":{"state":"\xff\xc0\xed\xa0\x80 repaired","elapsed":"\xe2\x82"}}',  # drawn, with U+FFFD
        b" " * (MIB - 1),                           # 1 MiB with its line feed: read whole, and blank
        b"\r\n\t \xc2\xa0",                        # two blank lines (CR LF, then a tab and a no-break space)
        as_line({"night": {"tag": big[:1000], "title": big}}),
        as_line({"alerts": [{"title": big, "detail": big[:100_000]}]}),
        as_line({"toasts": [{"kind": k, "born": 0, "dies": 1e300, "title": big[:100_000], "detail": big[:40_000],
                             "index": "7", "time": "now", "count": 3} for k in ("marker", "caller", "same")]}),
        b'{"v":1,"scale":1e308,"offset":-1e308,"hud":{}}',
        b'{"scale":-0.0,"offset":1e300,"alerts":[{}]}',
    ]
    too_long = [b"x" * (2 * MIB), b"y" * MIB]  # 2 MiB, and exactly 1 MiB before the line feed
    return rejected + too_long + quiet, len(rejected)


def test_a_hostile_stream_then_a_valid_frame(overlay, tmp_path):
    program = overlay.start()
    lines, rejected = hostile_lines()
    for line in lines:
        program.send_raw(line + b"\n")
    now = wall_ms()
    frame = {"hud": {"dot": "#FF2E55"}, "alerts": [{"bar": "red"}]}
    layout = expected_layout(frame, now)
    program.send_json(frame)
    hud, alert = layout.block("hud"), layout.block("alert", 0)
    wait_for_picture(overlay, edged(hud, "Hud", PANEL_HUD) + edged(alert, "alert", PANEL_ROW) +
                     [Probe(hud.x + 25, hud.y + 26, SIGNAL, "Hud dot"),
                      Probe(alert.x + 6, alert.y + 26, SIGNAL, "alert bar")],
                     box=layout.box(), timeout=60, save_to=tmp_path / "after-hostile.png")
    done = overlay.finish(program, timeout=10)
    assert done.status == 0, done.stderr[-2000:]
    assert done.stdout == b""
    assert done.stderr.count(TOO_LONG) == 2
    messages = done.stderr.split(b"\n")[:-1]
    assert all(m.startswith(b"tolmin-overlay: ") for m in messages), messages
    reasons = [m for m in messages if m + b"\n" != TOO_LONG and b"out of a capture" not in m
               and not m.startswith(b"tolmin-overlay: cannot draw this frame: ")]
    assert len(reasons) == rejected, reasons
