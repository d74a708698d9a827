#!/usr/bin/env python3
"""Enters the program's load configuration record in its PE header.

This toolchain's linker leaves the header's load configuration entry empty,
so the record is linked into a section of its own (.loadcfg) and this step,
run after linking, points data directory entry 10 at it and puts the
header's checksum right again. It fails, and so fails the build, when the
record is missing or not the size its architecture's loader expects.

usage: set_load_config.py PROGRAM.exe
"""
import array
import struct
import sys

LOAD_CONFIG_ENTRY = 10
SECTION = b".loadcfg"
# The first published record of each architecture; the flags field lies in it.
RECORD_SIZE = {0x10B: 72, 0x20B: 112}


def fail(message):
    sys.exit(f"set_load_config: {message}")


def checksum(image, checksum_at):
    """The PE header checksum: 16-bit one's-complement sum plus file length."""
    words = array.array("H", image + b"\0" * (len(image) % 2))
    total = sum(words) - words[checksum_at // 2] - words[checksum_at // 2 + 1]
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


def main(path):
    with open(path, "rb") as f:
        image = bytearray(f.read())
    if image[:2] != b"MZ":
        fail(f"{path} is no program")
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        fail(f"{path} has no PE header")
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    if magic not in RECORD_SIZE:
        fail(f"{path}: unknown optional header 0x{magic:X}")
    directories = optional + (96 if magic == 0x10B else 112)
    count = struct.unpack_from("<I", image, directories - 4)[0]
    if count <= LOAD_CONFIG_ENTRY:
        fail(f"{path}: only {count} data directory entries")
    table = optional + optional_size
    for i in range(sections):
        name, _, rva, _, raw = struct.unpack_from("<8sIIII", image, table + 40 * i)
        if name.rstrip(b"\0") == SECTION:
            break
    else:
        fail(f"{path}: no {SECTION.decode()} section (is load_config.cpp linked in?)")
    size = struct.unpack_from("<I", image, raw)[0]
    if size != RECORD_SIZE[magic]:
        fail(f"{path}: load configuration of {size} bytes, {RECORD_SIZE[magic]} expected")
    struct.pack_into("<II", image, directories + 8 * LOAD_CONFIG_ENTRY, rva, size)
    checksum_at = optional + 64
    struct.pack_into("<I", image, checksum_at, checksum(bytes(image), checksum_at))
    with open(path, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
