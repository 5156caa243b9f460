#!/usr/bin/env python3
"""Builds a 32x32 monochrome Windows cursor (.cur) from a small text
description, so that the cursors in the resources stay reviewable.

Usage: make_cur.py SOURCE.txt OUTPUT.cur

Directives, one per line, applied in order ('#' starts a comment line):
  hotspot X Y         the point of the cursor that is the mouse position
  art X Y             rows up to a line 'end', one character per pixel:
  ...                 'X' black, 'o' white, '~' inverted screen,
  end                 ' ' or '.' leaves the pixel as it is
  part NAME X Y       the art of NAME.part beside the source, placed at X,Y
Pixels never painted are transparent.
"""
import os
import struct
import sys

SIZE = 32
# Per pixel: (AND bit, XOR bit).
PAINT = {"X": (0, 0), "o": (0, 1), "~": (1, 1)}


class SourceError(Exception):
    pass


def paint(pixels, lines, x0, y0, folder, depth=0):
    hotspot = None
    art = None
    for number, raw in enumerate(lines, 1):
        line = raw.rstrip("\n")
        if art is not None:
            if line.strip() == "end":
                art = None
                continue
            for dx, ch in enumerate(line.rstrip()):
                if ch in PAINT:
                    x, y = art[0] + dx, art[1] + art[2]
                    if 0 <= x < SIZE and 0 <= y < SIZE:
                        pixels[y][x] = PAINT[ch]
                elif ch not in " .":
                    raise SourceError(f"line {number}: unknown pixel '{ch}'")
            art[2] += 1
            continue
        words = line.split()
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "hotspot" and len(words) == 3:
            hotspot = (int(words[1]), int(words[2]))
        elif words[0] == "art" and len(words) == 3:
            art = [x0 + int(words[1]), y0 + int(words[2]), 0]
        elif words[0] == "part" and len(words) == 4 and depth < 4:
            with open(os.path.join(folder, words[1] + ".part"), encoding="utf-8") as part:
                paint(pixels, part.readlines(), x0 + int(words[2]), y0 + int(words[3]), folder, depth + 1)
        else:
            raise SourceError(f"line {number}: cannot read '{line}'")
    if art is not None:
        raise SourceError("an 'art' block has no 'end'")
    return hotspot


def cursor_bytes(pixels, hotspot):
    def mask(bit):
        rows = b""
        for y in reversed(range(SIZE)):  # bottom-up
            value = 0
            for x in range(SIZE):
                value = (value << 1) | pixels[y][x][bit]
            rows += value.to_bytes(SIZE // 8, "big")
        return rows

    xor_mask, and_mask = mask(1), mask(0)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor_mask) + len(and_mask), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, output = sys.argv[1], sys.argv[2]
    pixels = [[(1, 0)] * SIZE for _ in range(SIZE)]
    try:
        with open(source, encoding="utf-8") as text:
            hotspot = paint(pixels, text.readlines(), 0, 0, os.path.dirname(source))
        if hotspot is None or not all(0 <= v < SIZE for v in hotspot):
            raise SourceError("no hotspot inside the cursor")
    except (SourceError, OSError, ValueError) as error:
        sys.exit(f"{source}: {error}")
    with open(output, "wb") as out:
        out.write(cursor_bytes(pixels, hotspot))


if __name__ == "__main__":
    main()
