#!/usr/bin/env python3
"""Makes the typo search's word file from a word list, one word a line (UTF-8),
and its licence text beside it.

  make_word_list.py WORDS OUT.wortliste [--licence OUT.txt COPYRIGHT LICENCE PACKAGE]

The layout is the one src/typo/word_list.h reads: letters folded as the
program folds them, Latin-1, sorted, each word after the first of a block
sharing a prefix with the one before."""
import struct
import sys

MAGIC = b"TFWL1\r\n\x1a"
BLOCK = 32
MAX_WORD = 64
MAX_SHARED = 0x40


def fold(word):
    out = []
    for c in word:
        o = ord(c)
        if 0x41 <= o <= 0x5A or (0xC0 <= o <= 0xDE and o != 0xD7):
            o += 32
        elif o == 0x1E9E:
            o = 0xDF
        out.append(o)
    return out


def keys(lines):
    words = set()
    for line in lines:
        units = fold(line.strip())
        # Words with digits, marks or letters outside Latin-1 are never a
        # variant the model makes of a German word; nor are very long ones.
        if 0 < len(units) <= MAX_WORD and all(MAX_SHARED < u <= 0xFF for u in units):
            words.add(bytes(units))
    return sorted(words)


def records(words):
    data = bytearray()
    previous = b""
    for i, word in enumerate(words):
        shared = 0
        if i % BLOCK:
            limit = min(len(word), len(previous), MAX_SHARED)
            while shared < limit and word[shared] == previous[shared]:
                shared += 1
            # A word that is a prefix of the next needs one letter of its own.
            shared = min(shared, len(word) - 1)
        data.append(shared)
        data += word[shared:]
        previous = word
    return bytes(data)


def fnv1a(data):
    h = 2166136261
    for b in data:
        h = ((h ^ b) * 16777619) & 0xFFFFFFFF
    return h


def write_licence(path, copyright_path, licence_path, package):
    with open(copyright_path, encoding="utf-8") as f:
        copyright_text = f.read()
    with open(licence_path, encoding="utf-8") as f:
        licence_text = f.read()
    header = (
        "Tastenfang.wortliste: die Wortliste, mit der Tastenfang echte Wörter aus\n"
        "der Tippfehlersuche heraushält.\n\n"
        "The word file of Tastenfang's typo search: the words of Debian's package\n"
        f"{package} (/usr/share/dict/ngerman, from igerman98), folded to lower\n"
        "case and stored sorted with shared prefixes. Licence: GPL-2.0-or-later,\n"
        "as the package's copyright file below says; the source is that package\n"
        "(Debian source package igerman98). The full text of the GPL version 2\n"
        "follows the copyright file.\n\n"
    )
    with open(path, "w", encoding="utf-8", newline="\r\n") as f:
        f.write(header + "=" * 72 + "\n" + copyright_text + "\n" + "=" * 72 + "\n" + licence_text)


def main(argv):
    if len(argv) not in (3, 8) or (len(argv) == 8 and argv[3] != "--licence"):
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], encoding="utf-8", errors="replace") as f:
        words = keys(f)
    if not words:
        sys.stderr.write(f"make_word_list: no words in {argv[1]}\n")
        return 1
    data = records(words)
    with open(argv[2], "wb") as f:
        f.write(MAGIC + struct.pack("<III", len(words), len(data), fnv1a(data)) + data)
    if len(argv) == 8:
        write_licence(argv[4], argv[5], argv[6], argv[7])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
