"""Pixel checks on screenshots: probes of expected colours, block outlines, and waiting for a picture."""

from __future__ import annotations

import math
from dataclasses import dataclass
from pathlib import Path

from expect import BLACK, DIM, EDGE, LIME, PANEL_HUD, PANEL_ROW, SIGNAL, Rect, near

GREEN = (0, 255, 0)
BLUE = (0x33, 0x99, 0xFF)


@dataclass
class Probe:
    x: int
    y: int
    colour: tuple
    what: str
    tolerance: int = 2


def mismatches(image, probes: list[Probe]) -> list[str]:
    return [f"{p.what} at ({p.x},{p.y}): {image.getpixel((p.x, p.y))}, expected {p.colour}" for p in probes
            if not near(image.getpixel((p.x, p.y)), p.colour, p.tolerance)]


def outline(rect: Rect, name: str, corner: tuple, inside: tuple, inset=(3, 3)) -> list[Probe]:
    """A block's four corner pixels in `corner`, black just outside two of them, and one pixel `inset` in
    from its top-right corner in `inside`."""
    corners = [(rect.x, rect.y), (rect.right, rect.y), (rect.x, rect.bottom), (rect.right, rect.bottom)]
    return [Probe(x, y, corner, f"{name} corner") for x, y in corners] + [
        Probe(rect.x - 1, rect.y, BLACK, f"{name}: left of the top-left corner"),
        Probe(rect.x, rect.y - 1, BLACK, f"{name}: above the top-left corner"),
        Probe(rect.right + 1, rect.bottom, BLACK, f"{name}: right of the bottom-right corner"),
        Probe(rect.right, rect.bottom + 1, BLACK, f"{name}: below the bottom-right corner"),
        Probe(rect.right - inset[0], rect.y + inset[1], inside, f"{name} inside")]


def edged(rect: Rect, name: str, panel: tuple) -> list[Probe]:
    """A block with one-pixel EDGE lines around a panel (Hud, Night, alert below scale 2)."""
    return outline(rect, name, EDGE, panel) + [Probe(rect.right - 1, rect.y + 1, panel, f"{name} inside the edge")]


def geometry_frame(anchor: str, now: float) -> dict:
    """A frame whose block sizes depend on no text width: empty Hud and Night texts, rows only."""
    alive = {"born": now - 10_000, "dies": now + 600_000}
    return {"anchor": anchor, "hud": {"dot": "#00FF00"}, "night": {"title": ""},
            "alerts": [{"id": "blue", "bar": "#3399FF"}, {"id": "red", "bar": "red"}],
            "toasts": [{"id": k, "kind": kind, **alive} for k, kind in (("m", "marker"), ("c", "caller"), ("s", "same"))]}


def geometry_probes(layout) -> list[Probe]:
    """The picture of geometry_frame(): every outline, the Hud dot, the bars and the toasts' looks."""
    s, a = layout.report["layout"]["scale"], layout.report["layout"]["stroke"]
    assert a == 1, "these probes expect one-pixel edges"
    hud, marker, caller, same = layout.block("hud"), *(layout.block("toast", i) for i in range(3))
    probes = edged(hud, "Hud", PANEL_HUD) + edged(layout.block("night"), "Night", PANEL_HUD)
    dot_x, dot_y = hud.x + int(24 * s + a), hud.y + hud.h // 2  # the dot's centre is a pixel corner
    probes += [Probe(dot_x, dot_y, GREEN, "Hud dot"), Probe(dot_x - 1, dot_y - 1, GREEN, "Hud dot")]
    bar_end = math.ceil(a + 12 * s)  # the bar covers a .. a + 12s
    for i, bar in ((0, BLUE), (1, SIGNAL)):
        rect = layout.block("alert", i)
        probes += edged(rect, f"alert {i}", PANEL_ROW) + [
            Probe(rect.x + bar_end // 2, rect.y + rect.h // 2, bar, f"alert {i} bar"),
            Probe(rect.x + bar_end, rect.y + rect.h // 2, PANEL_ROW, f"alert {i}: right of the bar")]
    # A marker toast has no edge lines: its tick bar (DIM, 8s wide) on the left, the panel elsewhere.
    probes += [Probe(p.x, p.y, DIM, "marker tick") if p.what == "marker toast corner" and p.x == marker.x else p
               for p in outline(marker, "marker toast", PANEL_ROW, PANEL_ROW)]
    probes.append(Probe(marker.x + math.ceil(8 * s), marker.bottom, PANEL_ROW, "right of the marker tick"))
    probes += outline(caller, "caller toast", LIME, LIME) + outline(same, "same toast", LIME, PANEL_ROW)
    return probes + [Probe(same.x + 1, same.y + 1, PANEL_ROW, "same toast inside its lime edge")]


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
    problems = mismatches(image, probes) + ([f"drawn area {image.getbbox()}, expected {box}"]
                                            if box is not None and image.getbbox() != box else [])
    raise AssertionError("the picture did not appear:\n  " + "\n  ".join(problems or ["(it did just now)"]))
