#!/usr/bin/env python3
"""Draws the bitmaps of the emulated task dialog.

td_arw*.bmp     16 x 16  the command-link arrow: green, brighter when hot,
                         darker when pressed, grey when disabled
td_exp*.bmp     19 x 19  the round expand button, chevron down (collapsed)
td_colp*.bmp    19 x 19  the same with the chevron up (expanded); each in a
                         normal, a hot (blue) and a pressed look
td_shield.bmp   32 x 32  the security shield in blue and yellow quarters

Each at 96 DPI and drawn anew for 120, 144 and 192 DPI (td_arw_144.bmp and
so on). 8 bits per pixel; magenta (255, 0, 255) is the transparent colour and fills
every pixel outside the shapes, the bottom-left one included. Edges are
smoothed towards white, the light backgrounds the dialog puts them on.
The outputs are committed; run again after changing a drawing.
  --preview DIR   also writes each bitmap enlarged eight times as PNG,
                  on white and on grey, to look at."""
import math
import sys
from pathlib import Path

from raster import (DENSITIES, MAGENTA, bmp8, density_name, edge_dist, in_polygon, lerp, png,
                    render, seg_dist)

EDGE_BACK = (255, 255, 255)


# ---- command-link arrow

ARROW = [(1.5, 5.6), (8.2, 5.6), (8.2, 1.6), (14.6, 8.0), (8.2, 14.4), (8.2, 10.4), (1.5, 10.4)]
ARROW_LOOKS = {
    # outline, top of the fill, bottom of the fill
    "td_arw": ((22, 110, 24), (128, 214, 92), (34, 150, 36)),
    "td_arwhot": ((28, 140, 30), (176, 244, 128), (60, 190, 52)),
    "td_arwdown": ((12, 74, 14), (82, 160, 62), (20, 104, 22)),
    "td_arwdis": ((142, 142, 142), (222, 222, 222), (176, 176, 176)),
}


def arrow(look):
    line, top, bottom = look

    def shade(x, y):
        if not in_polygon(x, y, ARROW):
            return None
        if edge_dist(x, y, ARROW) < 1.0:
            return line
        # Light from above: a bright band along the upper edges.
        return lerp(top, bottom, (y - 2.5) / 10.0)
    return shade


# ---- expand button

BUTTON_LOOKS = {
    # rim, fill top, fill bottom, chevron
    "": ((142, 150, 160), (255, 255, 255), (214, 218, 224), (70, 76, 86)),
    "hot": ((60, 127, 177), (236, 246, 255), (172, 210, 240), (24, 66, 120)),
    "down": ((44, 98, 139), (176, 206, 232), (132, 178, 220), (16, 48, 96)),
}
CHEVRON_DOWN = [(5.8, 7.6), (9.5, 11.3), (13.2, 7.6)]
CHEVRON_UP = [(5.8, 11.4), (9.5, 7.7), (13.2, 11.4)]


def expand_button(look, chevron):
    rim, top, bottom, mark = look
    c, r = 9.5, 8.8

    def shade(x, y):
        d = math.hypot(x - c, y - c)
        if d > r:
            return None
        if min(seg_dist(x, y, *chevron[0], *chevron[1]),
               seg_dist(x, y, *chevron[1], *chevron[2])) < 1.05:
            return mark
        if d > r - 1.0:
            return rim
        fill = lerp(top, bottom, (y - 1.5) / 16.0)
        # A glossy upper half, as the platform's round buttons have.
        if y < c and d < r - 1.8:
            fill = lerp(fill, (255, 255, 255), 0.35)
        return fill
    return shade


# ---- shield

def shield_half_width(y):
    """Half the shield's width at height y: straight sides down to the
    middle, then curving in to the point at the bottom."""
    if y < 15.5:
        return 12.0
    s = (y - 15.5) / 14.5
    if s >= 1.0:
        return 0.0
    return 12.0 * (1.0 - s ** 2.2) ** 0.8


def shield_top(x):
    # The top edge dips a little towards the middle.
    u = (x - 16.0) / 12.0
    return 2.6 + 1.6 * (1.0 - u * u)


def shield():
    blue = ((112, 170, 255), (20, 74, 196))
    yellow = ((255, 236, 120), (228, 168, 16))
    line = (64, 70, 92)

    def inside(x, y):
        return y >= shield_top(x) and abs(x - 16.0) <= shield_half_width(y) and y <= 30.0

    def shade(x, y):
        if not inside(x, y):
            return None
        # Outline: near any edge of the shape.
        for dx, dy in ((1.1, 0), (-1.1, 0), (0, 1.1), (0, -1.1), (0.8, 0.8), (-0.8, 0.8),
                       (0.8, -0.8), (-0.8, -0.8)):
            if not inside(x + dx, y + dy):
                return line
        left, upper = x < 16.0, y < 15.5
        colours = blue if left == upper else yellow
        # Each quarter lit from its upper left corner.
        qx, qy = (4.0 if left else 16.0), (3.0 if upper else 15.5)
        t = ((x - qx) + (y - qy)) / 22.0
        return lerp(colours[0], colours[1], t)
    return shade


# ---- files

def preview_png(img, scale, back):
    return png([[back if c == MAGENTA else c for c in row for _ in range(scale)]
                for row in img for _ in range(scale)])


def drawings():
    """(name, size at 96 DPI, shade) of each bitmap."""
    for name, look in ARROW_LOOKS.items():
        yield name, 16, arrow(look)
    for suffix, look in BUTTON_LOOKS.items():
        yield "td_exp" + suffix, 19, expand_button(look, CHEVRON_DOWN)
        yield "td_colp" + suffix, 19, expand_button(look, CHEVRON_UP)
    yield "td_shield", 32, shield()


if __name__ == "__main__":
    out = Path(__file__).resolve().parent.parent
    preview = Path(sys.argv[2]) if len(sys.argv) > 2 and sys.argv[1] == "--preview" else None
    for base, design, shade in drawings():
        for dpi, scale in DENSITIES.items():
            name = density_name(base, dpi)
            img = render(design, scale, shade, EDGE_BACK)
            (out / f"{name}.bmp").write_bytes(bmp8(img, 256 if dpi == 96 else 64))
            if preview:
                preview.mkdir(parents=True, exist_ok=True)
                (preview / f"{name}.png").write_bytes(preview_png(img, 8, (255, 255, 255)))
                (preview / f"{name}_grey.png").write_bytes(preview_png(img, 8, (240, 240, 240)))
    print("wrote the task dialog bitmaps")
