#!/usr/bin/env python3
"""Writes the small pictures the markup tests load as resources.

anim3.gif  24 x 12 screen, three frames, each a solid block of one colour:
           red 24x12 at (0,0), green 8x6 at (4,2), blue 6x4 at (10,5);
           delays 0, 0, 0; every frame's control block directly before its
           image. Colours: 0 black, 1 red, 2 lime, 3 blue.
block.bmp  10 x 6, 24 bits, left half yellow, right half navy.
"""
import struct
import sys

PALETTE = [(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255)]


def lzw_uncompressed(indices, min_code_size=2):
    # Codes of min_code_size + 1 bits, a clear code before the table would
    # grow a bit: a valid stream every decoder reads.
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    width = min_code_size + 1
    room = (1 << width) - (end + 1) - 1
    codes, run = [clear], 0
    for i in indices:
        if run == room:
            codes.append(clear)
            run = 0
        codes.append(i)
        run += 1
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xFF)
    blocks = bytearray([min_code_size])
    for k in range(0, len(out), 255):
        chunk = out[k:k + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes(blocks + b"\x00")


def gif(screen, frames):
    w, h = screen
    data = bytearray(b"GIF89a" + struct.pack("<HH", w, h) + bytes([0x81, 0, 0]))
    for r, g, b in PALETTE:
        data += bytes([r, g, b])
    for (x, y, fw, fh, colour, delay) in frames:
        data += b"\x21\xF9\x04\x00" + struct.pack("<H", delay) + b"\x00\x00"
        data += b"\x2C" + struct.pack("<HHHH", x, y, fw, fh) + b"\x00"
        data += lzw_uncompressed([colour] * (fw * fh))
    return bytes(data + b"\x3B")


def bmp(w, h):
    row = (w * 3 + 3) & ~3
    pixels = bytearray()
    for _ in range(h):
        line = bytearray()
        for x in range(w):
            line += bytes([0, 255, 255]) if x < w // 2 else bytes([128, 0, 0])
        pixels += line + bytes(row - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 54) + header + pixels


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    with open(f"{out}/anim3.gif", "wb") as f:
        f.write(gif((24, 12), [(0, 0, 24, 12, 1, 0), (4, 2, 8, 6, 2, 0), (10, 5, 6, 4, 3, 0)]))
    with open(f"{out}/block.bmp", "wb") as f:
        f.write(bmp(10, 6))
