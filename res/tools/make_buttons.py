#!/usr/bin/env python3
"""Draws the pictures of the main window's three flat buttons.

btn_update: a green globe with a downward arrow; btn_info: a white "i" on a
blue disc; btn_help: a white "?" on a blue disc. 16 x 16 at 96 DPI, drawn
anew at 20, 24 and 32 pixels for 120, 144 and 192 DPI (btn_info_144.bmp and
so on). The background (and so the bottom-left pixel, drawn transparent) is
magenta; the outline is kept hard, since a soft one would mix with it.
8-bit BMP files, committed; run again after changing a drawing."""
import math
from pathlib import Path

from raster import DENSITIES, bmp8, density_name, edge_dist, in_polygon, lerp, render, seg_dist

WHITE = (255, 255, 255)


def disc(x, y, cx, cy, r, inner, edge, light):
    """A shaded disc, lighter towards the top left, with a darker rim."""
    d = math.hypot(x - cx, y - cy)
    if d > r:
        return None
    if d > r - 1.0:
        return edge
    t = max(0.0, 1 - math.hypot(x - (cx - r / 3), y - (cy - r / 3)) / r)
    return lerp(inner, light, t * 0.8)


def blue_disc(x, y):
    return disc(x, y, 8, 8, 7.6, (30, 90, 200), (10, 40, 120), (120, 170, 255))


def info(x, y):
    base = blue_disc(x, y)
    if base is None:
        return None
    dot = math.hypot(x - 7.9, y - 4.0) < 1.15
    stem = 7.0 <= x <= 9.0 and 6.0 <= y <= 11.6
    serif = (6.0 <= x <= 9.0 and 6.0 <= y <= 7.0) or (6.0 <= x <= 10.0 and 11.0 <= y <= 12.0)
    return WHITE if dot or stem or serif else base


def help_(x, y):
    base = blue_disc(x, y)
    if base is None:
        return None
    # The hook: an arc over the top, then down to the middle.
    d = math.hypot(x - 8.0, y - 5.6)
    angle = math.degrees(math.atan2(y - 5.6, x - 8.0))
    hook = abs(d - 2.3) < 0.95 and not (90 < angle < 200)
    neck = seg_dist(x, y, 8.9, 7.7, 8.0, 9.0) < 0.95 or (7.05 <= x <= 8.95 and 8.6 <= y <= 10.0)
    dot = 7.05 <= x <= 8.95 and 11.0 <= y <= 12.6
    return WHITE if hook or neck or dot else base


ARROW = [(10.0, 7.0), (14.0, 7.0), (14.0, 10.5), (16.0, 10.5), (12.0, 15.5), (8.0, 10.5),
         (10.0, 10.5)]


def update(x, y):
    if in_polygon(x, y, ARROW):
        return (0, 60, 0) if edge_dist(x, y, ARROW) < 0.8 else (255, 230, 40)
    base = disc(x, y, 7.5, 7.5, 7.2, (40, 160, 60), (10, 80, 20), (150, 230, 150))
    if base is None:
        return None
    # Meridians and a parallel on the globe.
    dx, dy = x - 7.5, y - 7.5
    if math.hypot(dx, dy) < 6.6 and (abs(dx) < 0.6 or abs(dy) < 0.6 or
                                     abs(math.hypot(dx * 2.2, dy) - 6.6) < 0.8):
        return (20, 110, 40)
    return base


if __name__ == "__main__":
    out = Path(__file__).resolve().parent.parent
    for name, shade in (("btn_update", update), ("btn_info", info), ("btn_help", help_)):
        for dpi, scale in DENSITIES.items():
            img = render(16, scale, shade, threshold=0.5)
            (out / f"{density_name(name, dpi)}.bmp").write_bytes(bmp8(img, 64))
    print("wrote the button pictures")
