#!/usr/bin/env python3
"""Draws the info dialog's two logos and writes them as stored pictures.

IMAGE1: the maker's logo, 60 x 45 at 96 DPI, true colour with alpha: a
rounded blue badge with a white "k" and a soft shadow on transparency.
IMAGE7: the logo of the maker's auction tool "Bietfix", 188 x 80 at 96 DPI,
palette colours without transparency: an auction gavel beside the name.

Both are drawn at twice that size (192 DPI): the dialog shows them at the
size the screen's density asks for and scales down from there.

Writes res/image1.png, res/image7.png and the stored forms
res/image1.dat, res/image7.dat (length byte, "TdxPNGImage", PNG file).
Run it again after changing the drawing; the outputs are committed."""
import math
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent.parent
S = 2  # pixels per 96-DPI pixel

# A 5 x 7 pixel font for the few letters the logos use.
FONT = {
    'B': ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    'a': [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    'e': [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    'f': ["..##.", ".#..#", ".#...", "###..", ".#...", ".#...", ".#..."],
    'i': ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    'k': ["#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."],
    'l': [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    'n': [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    'o': [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    'r': [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    't': [".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."],
    'v': [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'x': [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    ' ': [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def text_cells(text):
    """(column, row) of every set cell, 6 columns per letter."""
    cells = []
    for i, ch in enumerate(text):
        for y, row in enumerate(FONT[ch]):
            for x, c in enumerate(row):
                if c == '#':
                    cells.append((i * 6 + x, y))
    return cells


def png(width, height, color_type, rows, palette=None):
    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b''.join(b'\0' + bytes(r) for r in rows)
    out = b'\x89PNG\r\n\x1a\n'
    out += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, color_type, 0, 0, 0))
    if palette is not None:
        out += chunk(b'PLTE', b''.join(bytes(c) for c in palette))
    out += chunk(b'IDAT', zlib.compress(raw, 9))
    out += chunk(b'IEND', b'')
    return out


def coverage(inside, x, y, n=4):
    """Share of an n x n grid of samples of pixel (x, y) that is inside."""
    hits = 0
    for sy in range(n):
        for sx in range(n):
            if inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n):
                hits += 1
    return hits / (n * n)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1
    return inside


def blend(dst, src, a):
    return tuple(d + (s - d) * a for d, s in zip(dst, src))


def image1():
    """The maker's badge: premultiplied drawing onto transparency."""
    w, h = 60 * S, 45 * S
    badge = rounded_rect(9 * S, 2 * S, 51 * S, 40 * S, 9 * S)
    shadow = rounded_rect(11 * S, 5 * S, 53 * S, 43 * S, 9 * S)
    cells = set(text_cells('k'))

    def in_letter(x, y):
        return (int((x - 21 * S) // (4 * S)), int((y - 7 * S) // (4 * S))) in cells
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            a_shadow = coverage(shadow, x, y) * 0.35
            a_badge = coverage(badge, x, y)
            # Vertical gradient from light to deep blue.
            t = (y / S - 2) / 38
            top, bottom = (86, 156, 230), (18, 70, 160)
            color = blend(top, bottom, min(max(t, 0), 1))
            # A glossy upper half.
            if y < 20 * S:
                color = blend(color, (255, 255, 255), 0.18 * (20 - y / S) / 18)
            color = blend(color, (255, 255, 255), coverage(in_letter, x, y))
            # Badge over shadow, both over transparency.
            a = a_badge + a_shadow * (1 - a_badge)
            if a > 0:
                c = tuple((color[i] * a_badge + 20 * a_shadow * (1 - a_badge)) / a for i in range(3))
            else:
                c = (0, 0, 0)
            row += [round(c[0]), round(c[1]), round(c[2]), round(a * 255)]
        rows.append(row)
    return png(w, h, 6, rows)


def image7():
    """The auction tool's logo in a small palette."""
    w, h = 188 * S, 80 * S
    palette = []
    index = {}

    def ink(c):
        c = tuple(int(round(v)) for v in c)
        if c not in index:
            index[c] = len(palette)
            palette.append(c)
        return index[c]

    # Quantised shades: 16 steps of each blend keep the palette small.
    def shade(a, b, t):
        t = round(min(max(t, 0), 1) * 15) / 15
        return blend(a, b, t)

    paper = (250, 247, 240)
    wood, wood_dark = (176, 112, 58), (112, 64, 30)
    navy, orange = (24, 54, 112), (232, 120, 24)
    px = [[paper] * w for _ in range(h)]

    # A warm frame line along the bottom.
    for y in range(72 * S, 76 * S):
        for x in range(8 * S, 180 * S):
            px[y][x] = shade(orange, (250, 190, 120), (y / S - 72) / (4 - 1 / S))

    # The gavel: a rotated head and handle, antialiased by coverage.
    ang = math.radians(-35)
    ca, sa = math.cos(ang), math.sin(ang)

    def local(x, y, ox, oy):
        dx, dy = x / S - ox, y / S - oy
        return dx * ca + dy * sa, -dx * sa + dy * ca

    def head(x, y):
        u, v = local(x, y, 34, 30)
        return abs(u) <= 9 and abs(v) <= 17

    def band(x, y):
        u, v = local(x, y, 34, 30)
        return abs(u) <= 9.6 and (10 <= abs(v) <= 13)

    def handle(x, y):
        u, v = local(x, y, 34, 30)
        return 9 <= u <= 44 and abs(v) <= 3

    def block(x, y):
        x, y = x / S, y / S
        return 12 <= x <= 46 and 60 <= y <= 67 and not (y < 62 and (x < 14 or x > 44))

    for y in range(h):
        for x in range(70 * S):
            c = px[y][x]
            for shape, col in ((block, wood_dark), (handle, wood), (head, wood), (band, navy)):
                a = coverage(shape, x, y)
                if a:
                    if shape is head:
                        u, _ = local(x + 0.5, y + 0.5, 34, 30)
                        col = shade(wood, (226, 170, 110), (u + 9) / 18 * 0.9)
                    c = shade(c, col, a)
            px[y][x] = c

    # The name, two pixels per font cell, with a light shadow.
    def letters(text, x0, y0, scale, color, shadow=None):
        scale, x0, y0 = scale * S, x0 * S, y0 * S
        for cx, cy in text_cells(text):
            for dy in range(scale):
                for dx in range(scale):
                    x, y = x0 + cx * scale + dx, y0 + cy * scale + dy
                    for o in range(1, S + 1) if shadow else ():
                        if 0 <= x + o < w and y + o < h and px[y + o][x + o] == paper:
                            px[y + o][x + o] = shadow
                    px[y][x] = color

    letters('Bietfix', 62, 12, 3, navy, shadow=(190, 196, 214))
    letters('kalverin', 64, 48, 2, orange)

    rows = [[ink(c) for c in row] for row in px]
    assert len(palette) <= 256, len(palette)
    return png(w, h, 3, rows, palette)


def stored(png_bytes):
    name = b'TdxPNGImage'
    return bytes([len(name)]) + name + png_bytes


def main():
    for name, data in (('image1', image1()), ('image7', image7())):
        (HERE / f'{name}.png').write_bytes(data)
        (HERE / f'{name}.dat').write_bytes(stored(data))


if __name__ == '__main__':
    main()
