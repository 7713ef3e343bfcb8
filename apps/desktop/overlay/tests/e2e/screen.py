"""Pixel checks on screenshots: probes of expected colours, block outlines, and waiting for a picture."""

from __future__ import annotations

from dataclasses import dataclass
from pathlib import Path

from expect import BLACK, EDGE, Rect, near


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
