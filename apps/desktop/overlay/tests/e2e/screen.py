"""Pixel checks on screenshots: probes of expected colours, block outlines, and waiting for a picture."""

from __future__ import annotations

import math
from dataclasses import dataclass
from pathlib import Path

from expect import BLACK, DIM, EDGE, LIME, PANEL_HUD, PANEL_ROW, SIGNAL, Rect, near


@dataclass
class Probe:
    x: int
    y: int
    colour: tuple
    what: str
    tolerance: int = 2


def mismatches(image, probes: list[Probe]) -> list[str]:
    found = []
    for p in probes:
        got = image.getpixel((p.x, p.y))
        if not near(got, p.colour, p.tolerance):
            found.append(f"{p.what} at ({p.x},{p.y}): {got}, expected {p.colour}")
    return found


def outline(rect: Rect, name: str, corner: tuple, inside: tuple, inset: tuple[int, int] | None = None) -> list[Probe]:
    """The four corner pixels of a block in `corner`, the pixels just outside them black, and one inner pixel.

    `inset` is where the inner pixel sits, relative to the block's top-right corner (dx to the left, dy down).
    """
    dx, dy = inset or (3, 3)
    corners = [(rect.x, rect.y), (rect.right, rect.y), (rect.x, rect.bottom), (rect.right, rect.bottom)]
    probes = [Probe(x, y, corner, f"{name} corner") for x, y in corners]
    probes += [
        Probe(rect.x - 1, rect.y, BLACK, f"{name}: left of the top-left corner"),
        Probe(rect.x, rect.y - 1, BLACK, f"{name}: above the top-left corner"),
        Probe(rect.right + 1, rect.bottom, BLACK, f"{name}: right of the bottom-right corner"),
        Probe(rect.right, rect.bottom + 1, BLACK, f"{name}: below the bottom-right corner"),
        Probe(rect.right - dx, rect.y + dy, inside, f"{name} inside"),
    ]
    return probes


def edged(rect: Rect, name: str, panel: tuple) -> list[Probe]:
    """A block with one-pixel EDGE lines around a panel (Hud, Night, alert at scale 1)."""
    return outline(rect, name, EDGE, panel) + [Probe(rect.right - 1, rect.y + 1, panel, f"{name} inside the edge")]


GREEN = (0, 255, 0)
BLUE = (0x33, 0x99, 0xFF)


def geometry_frame(anchor: str, now: float) -> dict:
    """A frame whose block sizes do not depend on any text width: empty Hud and Night texts, rows only."""
    alive = {"born": now - 10_000, "dies": now + 600_000}
    return {
        "anchor": anchor,
        "hud": {"dot": "#00FF00"},
        "night": {"title": ""},
        "alerts": [{"id": "blue", "bar": "#3399FF"}, {"id": "red", "bar": "red"}],
        "toasts": [{"id": "m", "kind": "marker", **alive},
                   {"id": "c", "kind": "caller", **alive},
                   {"id": "s", "kind": "same", **alive}],
    }


def geometry_probes(layout) -> list[Probe]:
    """The picture of geometry_frame(): every block's outline, the Hud dot, the bars and the toast looks.

    Edges are taken as one pixel wide (the stroke below scale 2).
    """
    s = layout.report["layout"]["scale"]
    a = layout.report["layout"]["stroke"]
    assert a == 1, "these probes expect one-pixel edges"
    hud, night = layout.block("hud"), layout.block("night")
    blue, red = layout.block("alert", 0), layout.block("alert", 1)
    marker, caller, same = (layout.block("toast", i) for i in range(3))
    probes = edged(hud, "Hud", PANEL_HUD) + edged(night, "Night", PANEL_HUD)
    dot_x, dot_y = hud.x + int(24 * s + a), hud.y + hud.h // 2  # the dot's centre is a pixel corner
    probes += [Probe(dot_x, dot_y, GREEN, "Hud dot centre"), Probe(dot_x - 1, dot_y - 1, GREEN, "Hud dot centre")]
    bar_end = math.ceil(a + 12 * s)  # the bar covers a .. a + 12s
    for rect, name, bar in ((blue, "alert 0", BLUE), (red, "alert 1", SIGNAL)):
        probes += edged(rect, name, PANEL_ROW)
        probes += [Probe(rect.x + bar_end // 2, rect.y + rect.h // 2, bar, f"{name} bar"),
                   Probe(rect.x + bar_end, rect.y + rect.h // 2, PANEL_ROW, f"{name}: right of the bar")]
    # A marker toast has no edge lines: its tick bar (DIM, 8s wide) on the left, the panel elsewhere.
    probes += outline(marker, "marker toast", PANEL_ROW, PANEL_ROW)
    for p in probes:
        if p.what == "marker toast corner" and p.x == marker.x:
            p.colour, p.what = DIM, "marker tick"
    probes.append(Probe(marker.x + math.ceil(8 * s), marker.bottom, PANEL_ROW, "right of the marker tick"))
    probes += outline(caller, "caller toast", LIME, LIME)
    probes += outline(same, "same toast", LIME, PANEL_ROW) + [Probe(same.x + 1, same.y + 1, PANEL_ROW,
                                                                    "same toast inside its lime edge")]
    return probes


def wait_for_picture(overlay, probes: list[Probe], box=None, timeout: float = 30.0, save_to: Path | None = None):
    """Waits until every probe matches (and, with `box`, nothing is drawn outside it); fails with the details."""
    def good(image):
        return not mismatches(image, probes) and (box is None or image.getbbox() == box)

    image = overlay.wait_for(good, timeout)
    if image is not None:
        return image
    image = overlay.screenshot()
    if save_to is not None:
        image.save(save_to)
    problems = mismatches(image, probes)
    if box is not None and image.getbbox() != box:
        problems.append(f"drawn area {image.getbbox()}, expected {box}")
    raise AssertionError("the picture did not appear:\n  " + "\n  ".join(problems or ["(it did just now)"]) +
                         (f"\n  screenshot: {save_to}" if save_to else ""))
