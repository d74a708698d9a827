#!/usr/bin/env python3
"""Draws the three 16 x 16 pictures of the main window's flat buttons.

btn_update.bmp: a green globe with a downward arrow; btn_info.bmp: a white
"i" on a blue disc; btn_help.bmp: a white "?" on a blue disc. The
background (and so the bottom-left pixel, drawn transparent) is magenta.
24-bit BMP files, committed; run again after changing a drawing."""
import math
import struct
from pathlib import Path

N = 16
MAGENTA = (255, 0, 255)


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def disc(px, cx, cy, r, inner, edge, light=None):
    """A shaded disc: lighter towards the top left, darker rim."""
    for y in range(N):
        for x in range(N):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                c = inner
                if light:
                    t = max(0.0, 1 - math.hypot(x + 0.5 - (cx - r / 3), y + 0.5 - (cy - r / 3)) / r)
                    c = blend(inner, light, t * 0.8)
                if d > r - 1.0:
                    c = edge
                px[y][x] = c


def glyph(px, rows, x0, y0, colour):
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch == "#":
                px[y0 + dy][x0 + dx] = colour


def info():
    px = [[MAGENTA] * N for _ in range(N)]
    disc(px, 8, 8, 7.6, (30, 90, 200), (10, 40, 120), (120, 170, 255))
    glyph(px, ["##", "##", "  ", "###", " ##", " ##", " ##", " ##", "####"], 6, 3, (255, 255, 255))
    return px


def help_():
    px = [[MAGENTA] * N for _ in range(N)]
    disc(px, 8, 8, 7.6, (30, 90, 200), (10, 40, 120), (120, 170, 255))
    glyph(px, [" #### ", "##  ##", "    ##", "   ## ", "  ##  ", "  ##  ", "      ", "  ##  ", "  ##  "],
          5, 3, (255, 255, 255))
    return px


def update():
    px = [[MAGENTA] * N for _ in range(N)]
    # Globe: green disc with darker meridians and a parallel.
    disc(px, 7.5, 7.5, 7.2, (40, 160, 60), (10, 80, 20), (150, 230, 150))
    for y in range(N):
        for x in range(N):
            d = math.hypot(x + 0.5 - 7.5, y + 0.5 - 7.5)
            if d < 6.6 and (abs(x + 0.5 - 7.5) < 0.6 or abs(y + 0.5 - 7.5) < 0.6 or
                            abs(math.hypot((x + 0.5 - 7.5) * 2.2, y + 0.5 - 7.5) - 6.6) < 0.8):
                px[y][x] = (20, 110, 40)
    # Downward arrow at the bottom right, dark outline.
    arrow = ["  ###  ", "  ###  ", "  ###  ", "#######", " ##### ", "  ###  ", "   #   "]
    outline = (0, 60, 0)
    for dy, row in enumerate(arrow):
        for dx, ch in enumerate(row):
            if ch == "#":
                for ox, oy in ((-1, 0), (1, 0), (0, -1), (0, 1)):
                    xx, yy = 9 + dx + ox, 8 + dy + oy
                    if 0 <= xx < N and 0 <= yy < N - 1 and px[yy][xx] != (255, 230, 40):
                        px[yy][xx] = outline
    glyph(px, arrow, 9, 8, (255, 230, 40))
    return px


def bmp(px):
    rows = b""
    for y in reversed(range(N)):
        row = b"".join(bytes((b, g, r)) for r, g, b in px[y])
        rows += row + b"\0" * ((4 - len(row) % 4) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, N, N, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 54) + header + rows


if __name__ == "__main__":
    out = Path(__file__).resolve().parent.parent
    for name, draw in (("btn_update", update), ("btn_info", info), ("btn_help", help_)):
        (out / f"{name}.bmp").write_bytes(bmp(draw()))
    print("wrote the button pictures")
