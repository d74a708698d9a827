"""Shared drawing of the program's small pictures: shapes are described in
96-DPI pixels and sampled at any density, so each size is drawn anew rather
than enlarged from the smallest one."""
import math
import re
import struct
import zlib

MAGENTA = (255, 0, 255)
SS = 8  # samples per pixel along each axis
# The densities the program has pictures for, as scales of 96 DPI.
DENSITIES = {96: 1.0, 120: 1.25, 144: 1.5, 192: 2.0}


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


def samples(size, scale, shade):
    """For each pixel of a size x size picture at the scale: the share of
    its samples inside the drawing and their mean colour (None when none).
    shade(x, y) takes 96-DPI coordinates and gives a colour or None."""
    for j in range(size):
        row = []
        for i in range(size):
            acc, n = [0.0, 0.0, 0.0], 0
            for sy in range(SS):
                for sx in range(SS):
                    c = shade((i + (sx + 0.5) / SS) / scale, (j + (sy + 0.5) / SS) / scale)
                    if c is not None:
                        acc = [a + b for a, b in zip(acc, c)]
                        n += 1
            row.append((n / (SS * SS), tuple(a / n for a in acc) if n else None))
        yield row


def render(design, scale, shade, edge_back=None, threshold=1 / 3):
    """A keyed picture: pixels covered less than the threshold are magenta,
    the others their mean colour, mixed with edge_back by the uncovered
    share where given (the background the picture is meant for)."""
    img = []
    for row in samples(round(design * scale), scale, shade):
        out = []
        for cover, avg in row:
            if cover < threshold:
                out.append(MAGENTA)
            else:
                c = lerp(edge_back, avg, cover ** 0.7) if edge_back else avg
                out.append(tuple(round(v) for v in c))
        img.append(out)
    return img


def render_rgba(design, scale, shade):
    """A picture with alpha: the covered share of each pixel is its alpha."""
    return [[(0, 0, 0, 0) if avg is None else tuple(round(v) for v in avg) + (round(cover * 255),)
             for cover, avg in row] for row in samples(round(design * scale), scale, shade)]


def palette_of(img, limit=256):
    colours = {MAGENTA}
    for row in img:
        colours.update(row)
    step = 1
    # Coarser steps until the colours fit the palette.
    while len(colours) > limit:
        step *= 2
        colours = {MAGENTA} | {tuple(min(255, v // step * step + step // 2) for v in c)
                               for row in img for c in row if c != MAGENTA}
    return sorted(colours), step


def bmp8(img, limit=256):
    """An 8-bit bitmap of at most limit colours: fewer keep the program small."""
    height, width = len(img), len(img[0])
    colours, step = palette_of(img, limit)
    index = {c: i for i, c in enumerate(colours)}

    def idx(c):
        if c != MAGENTA and step > 1:
            c = tuple(min(255, v // step * step + step // 2) for v in c)
        return index[c]
    rows = b""
    for y in reversed(range(height)):
        row = bytes(idx(c) for c in img[y])
        rows += row + b"\0" * ((4 - len(row) % 4) % 4)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 2835, 2835,
                         len(colours), 0)
    off = 14 + len(header) + len(pal)
    return b"BM" + struct.pack("<IHHI", off + len(rows), 0, 0, off) + header + pal + rows


def png(rows_of_pixels, channels=3):
    """A PNG of RGB (3) or RGBA (4) pixel rows."""
    h, w = len(rows_of_pixels), len(rows_of_pixels[0])
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows_of_pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    kind = 2 if channels == 3 else 6
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, kind, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def read_ppm(data):
    """The pixel rows of a binary PPM picture (as ImageMagick writes it)."""
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", data)
    width, height = int(header[1]), int(header[2])
    pixels = data[header.end():]
    return [[tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def density_name(name, dpi):
    """The file and resource name of a picture at a density: the plain name
    at 96 DPI, NAME_120 and so on above."""
    return name if dpi == 96 else f"{name}_{dpi}"
