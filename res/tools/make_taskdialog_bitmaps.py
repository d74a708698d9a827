#!/usr/bin/env python3
"""Draws the bitmaps of the emulated task dialog.

td_arw*.bmp     16 x 16  the command-link arrow: green, brighter when hot,
                         darker when pressed, grey when disabled
td_exp*.bmp     19 x 19  the round expand button, chevron down (collapsed)
td_colp*.bmp    19 x 19  the same with the chevron up (expanded); each in a
                         normal, a hot (blue) and a pressed look
td_shield.bmp   32 x 32  the security shield in blue and yellow quarters

8 bits per pixel; magenta (255, 0, 255) is the transparent colour and fills
every pixel outside the shapes, the bottom-left one included. Edges are
smoothed towards white, the light backgrounds the dialog puts them on.
The outputs are committed; run again after changing a drawing.
  --preview DIR   also writes each bitmap enlarged eight times as PNG,
                  on white and on grey, to look at."""
import math
import struct
import sys
import zlib
from pathlib import Path

MAGENTA = (255, 0, 255)
EDGE_BACK = (255, 255, 255)
SS = 8  # samples per pixel along each axis


def lerp(a, b, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def in_polygon(x, y, pts):
    inside = False
    n = len(pts)
    for i in range(n):
        (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def edge_dist(x, y, pts):
    n = len(pts)
    return min(seg_dist(x, y, *pts[i], *pts[(i + 1) % n]) for i in range(n))


def render(size, shade):
    """shade(x, y) gives the colour of a sample point or None outside. A
    pixel less than a third covered stays transparent; the others mix their
    samples with the light background by their uncovered share."""
    img = []
    for j in range(size):
        row = []
        for i in range(size):
            acc = [0.0, 0.0, 0.0]
            n = 0
            for sy in range(SS):
                for sx in range(SS):
                    c = shade(i + (sx + 0.5) / SS, j + (sy + 0.5) / SS)
                    if c is not None:
                        acc = [a + b for a, b in zip(acc, c)]
                        n += 1
            cover = n / (SS * SS)
            if cover < 1 / 3:
                row.append(MAGENTA)
            else:
                avg = tuple(a / n for a in acc)
                row.append(tuple(round(v) for v in lerp(EDGE_BACK, avg, cover ** 0.7)))
        img.append(row)
    return img


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
    return render(16, shade)


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
    return render(19, shade)


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
    return render(32, shade)


# ---- files

def palette_of(img):
    colours = {MAGENTA}
    for row in img:
        colours.update(row)
    step = 1
    # Rarely needed: coarser steps until the colours fit one palette.
    while len(colours) > 256:
        step *= 2
        colours = {MAGENTA} | {tuple(min(255, v // step * step + step // 2) for v in c)
                               for row in img for c in row if c != MAGENTA}
    return sorted(colours), step


def bmp8(img):
    size = len(img)
    colours, step = palette_of(img)
    index = {c: i for i, c in enumerate(colours)}

    def idx(c):
        if c != MAGENTA and step > 1:
            c = tuple(min(255, v // step * step + step // 2) for v in c)
        return index[c]
    rows = b""
    for y in reversed(range(size)):
        row = bytes(idx(c) for c in img[y])
        rows += row + b"\0" * ((4 - len(row) % 4) % 4)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    header = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 8, 0, len(rows), 2835, 2835,
                         len(colours), 0)
    off = 14 + len(header) + len(pal)
    return b"BM" + struct.pack("<IHHI", off + len(rows), 0, 0, off) + header + pal + rows


def png(img, scale, back):
    size = len(img)
    rows = []
    for y in range(size * scale):
        row = bytearray()
        for x in range(size * scale):
            c = img[y // scale][x // scale]
            row += bytes(back if c == MAGENTA else c)
        rows.append(b"\0" + bytes(row))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    w = size * scale
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, w, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def drawings():
    for name, look in ARROW_LOOKS.items():
        yield name, arrow(look)
    for suffix, look in BUTTON_LOOKS.items():
        yield "td_exp" + suffix, expand_button(look, CHEVRON_DOWN)
        yield "td_colp" + suffix, expand_button(look, CHEVRON_UP)
    yield "td_shield", shield()


if __name__ == "__main__":
    out = Path(__file__).resolve().parent.parent
    preview = Path(sys.argv[2]) if len(sys.argv) > 2 and sys.argv[1] == "--preview" else None
    for name, img in drawings():
        (out / f"{name}.bmp").write_bytes(bmp8(img))
        if preview:
            preview.mkdir(parents=True, exist_ok=True)
            (preview / f"{name}.png").write_bytes(png(img, 8, (255, 255, 255)))
            (preview / f"{name}_grey.png").write_bytes(png(img, 8, (240, 240, 240)))
    print("wrote the task dialog bitmaps")
