#!/usr/bin/env python3
"""Draws the program icon: a keyboard key under a magnifying glass.

Writes res/tastenfang.ico, one 32 x 32 image with 16 colours. Run it again
after changing the drawing; the output is committed."""
import math
import struct
from pathlib import Path

# The standard 16-colour palette, (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
N = 32


def draw():
    px = [[None] * N for _ in range(N)]  # None = transparent

    def rect(x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = c

    # Key cap: dark body, light top face with a highlight edge.
    rect(2, 5, 23, 27, GRAY)
    for x, y in ((2, 5), (23, 5), (2, 27), (23, 27)):
        px[y][x] = None
    rect(3, 6, 22, 24, SILVER)
    rect(4, 7, 21, 7, WHITE)
    rect(4, 7, 4, 23, WHITE)
    rect(3, 25, 22, 26, GRAY)
    rect(3, 6, 3, 6, GRAY)
    # The letter T on the key.
    rect(7, 10, 16, 11, BLACK)
    rect(11, 12, 12, 20, BLACK)

    # Magnifying glass: blue ring, pale lens, brown handle.
    cx, cy, r_out, r_in = 20.5, 17.5, 8.2, 6.0
    for y in range(N):
        for x in range(N):
            d = math.hypot(x + 0.5 - cx - 0.5, y + 0.5 - cy - 0.5)
            if d <= r_in:
                lens = AQUA if (x - y) in (7, 8) and d < r_in - 1.5 else (
                    TEAL if px[y][x] in (BLACK, GRAY) else WHITE if px[y][x] == WHITE else AQUA)
                px[y][x] = lens
            elif d <= r_out:
                px[y][x] = NAVY if d > r_out - 0.9 else BLUE
    # Handle, two pixels wide, down to the corner.
    for i in range(6):
        x, y = 25 + i, 25 + i
        px[y][x] = MAROON
        px[y][min(x + 1, N - 1)] = OLIVE
        px[min(y + 1, N - 1)][x] = MAROON
    return px


def ico(px):
    xor = bytearray()
    andm = bytearray()
    for y in reversed(range(N)):  # bottom-up rows
        row = px[y]
        for x in range(0, N, 2):
            a = row[x] if row[x] is not None else 0
            b = row[x + 1] if row[x + 1] is not None else 0
            xor.append((a << 4) | b)
        bits = 0
        mrow = bytearray()
        for x in range(N):
            bits = (bits << 1) | (1 if row[x] is None else 0)
            if x % 8 == 7:
                mrow.append(bits)
                bits = 0
        andm += mrow  # 32 bits = 4 bytes, already DWORD aligned
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, N, N * 2, 1, 4, 0, len(xor) + len(andm), 0, 0,
                         16, 0)
    image = header + palette + bytes(xor) + bytes(andm)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", N, N, 16, 0, 1, 4,
                                                           len(image), 22)
    return directory + image


if __name__ == "__main__":
    out = Path(__file__).resolve().parent.parent / "tastenfang.ico"
    out.write_bytes(ico(draw()))
    print(f"wrote {out}")
