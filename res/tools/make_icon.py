#!/usr/bin/env python3
"""Draws the program icon: a keyboard key under a magnifying glass.

Writes res/tastenfang.ico with the drawing made anew at 16, 20, 24, 32, 40,
48, 64 and 256 pixels, 32-bit colour with alpha: 16 and 32 as bitmaps, which
every version of the platform reads, the others as PNG, which keeps the
program small. Run it again after changing the drawing; the output is
committed."""
import math
import struct
from pathlib import Path

from raster import png, render_rgba

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
DESIGN = 32  # the drawing's coordinates are those of the 32-pixel icon

GRAY, SILVER, WHITE = (128, 128, 128), (200, 200, 200), (255, 255, 255)
BLACK, NAVY, BLUE = (0, 0, 0), (0, 0, 128), (30, 60, 230)
LENS, LENS_DARK, MAROON, OLIVE = (170, 235, 250), (60, 150, 170), (128, 40, 0), (180, 120, 40)


def rounded(x, y, x0, y0, x1, y1, r):
    cx, cy = min(max(x, x0 + r), x1 - r), min(max(y, y0 + r), y1 - r)
    return x0 <= x <= x1 and y0 <= y <= y1 and math.hypot(x - cx, y - cy) <= r


def key(x, y):
    """The key cap: a dark body, a light top face with a bright edge, a T."""
    if not rounded(x, y, 2, 5, 24, 28, 1.6):
        return None
    if not rounded(x, y, 3, 6, 23, 25, 1.0):
        return GRAY
    if (7 <= x <= 17 and 10 <= y <= 12) or (11 <= x <= 13 and 10 <= y <= 21):
        return BLACK
    if x < 5 or y < 8:
        return WHITE
    return SILVER


def glass(x, y, under):
    """The magnifying glass over whatever lies under it."""
    cx, cy, r_out, r_in = 21.0, 18.0, 8.2, 6.0
    d = math.hypot(x - cx, y - cy)
    if d <= r_in:
        if under in (BLACK, GRAY):
            return LENS_DARK
        return WHITE if 0 < (x - cx) - (y - cy) < 2.2 and d < r_in - 1.5 else LENS
    if d <= r_out:
        return NAVY if d > r_out - 0.9 else BLUE
    # The handle, down to the corner.
    t = ((x - 25.5) + (y - 25.5)) / 2
    across = (x - y) / math.sqrt(2)
    if 0 <= t <= 6.2 and abs(across) <= 1.4:
        return OLIVE if across > 0.3 else MAROON
    return under


def shade(x, y):
    return glass(x, y, key(x, y))


def bmp_entry(pixels):
    """An icon image: 32-bit colour, bottom-up, with an AND mask of the
    fully transparent pixels (for drawing without alpha)."""
    n = len(pixels)
    colour, mask = bytearray(), bytearray()
    for row in reversed(pixels):
        bits = bytearray((n + 31) // 32 * 4)
        for x, (r, g, b, a) in enumerate(row):
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(colour) + len(mask), 0, 0,
                         0, 0)
    return header + bytes(colour) + bytes(mask)


def ico():
    images = []
    for n in SIZES:
        pixels = render_rgba(DESIGN, n / DESIGN, shade)
        images.append((n, bmp_entry(pixels) if n in (16, 32) else png(pixels, 4)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in images:
        directory += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _, data in images)


if __name__ == "__main__":
    out = Path(__file__).resolve().parent.parent / "tastenfang.ico"
    out.write_bytes(ico())
    print(f"wrote {out}")
