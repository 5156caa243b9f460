#!/usr/bin/env python3
"""Builds a 16-colour Windows bitmap (4 bits per pixel, BI_RGB) from a small
text description, so that the pictures in the resources stay reviewable.

Usage: make_bmp.py SOURCE.txt OUTPUT.bmp

Directives, one per line, applied in order ('#' starts a comment line):
  size W H            first directive: width and height in pixels
  fill C              the whole picture in colour C
  rect X Y W H C      filled rectangle
  frame X Y W H C     one-pixel outline
  line X1 Y1 X2 Y2 C  straight line
  art X Y             rows up to a line 'end': one character per pixel, a hex
  ...                 digit is a colour, '.' leaves the pixel as it is
  end
Colours are indexes 0-f into the standard Windows 16-colour palette.
"""
import struct
import sys

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


class SourceError(Exception):
    pass


def colour(text):
    value = int(text, 16)
    if not 0 <= value <= 15:
        raise SourceError(f"colour {text} is not 0-f")
    return value


def parse(lines):
    pixels = None
    width = height = 0
    art = None  # (x, y, row) while inside an 'art' block

    def put(x, y, c):
        if 0 <= x < width and 0 <= y < height:
            pixels[y][x] = c

    for number, raw in enumerate(lines, 1):
        line = raw.rstrip("\n")
        try:
            if art is not None:
                if line.strip() == "end":
                    art = None
                    continue
                x0, y0, row = art
                for dx, ch in enumerate(line.rstrip()):
                    if ch != ".":
                        put(x0 + dx, y0 + row, colour(ch))
                art = (x0, y0, row + 1)
                continue
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            op, args = words[0], words[1:]
            if pixels is None and op != "size":
                raise SourceError("the first directive must be 'size'")
            if op == "size":
                width, height = int(args[0]), int(args[1])
                if width <= 0 or height <= 0:
                    raise SourceError("size must be positive")
                pixels = [[15] * width for _ in range(height)]
            elif op == "fill":
                c = colour(args[0])
                pixels = [[c] * width for _ in range(height)]
            elif op in ("rect", "frame"):
                x, y, w, h = (int(a) for a in args[:4])
                c = colour(args[4])
                for yy in range(y, y + h):
                    for xx in range(x, x + w):
                        if op == "rect" or yy in (y, y + h - 1) or xx in (x, x + w - 1):
                            put(xx, yy, c)
            elif op == "line":
                x1, y1, x2, y2 = (int(a) for a in args[:4])
                c = colour(args[4])
                dx, dy = abs(x2 - x1), -abs(y2 - y1)
                sx, sy = (1 if x1 < x2 else -1), (1 if y1 < y2 else -1)
                err = dx + dy
                while True:
                    put(x1, y1, c)
                    if x1 == x2 and y1 == y2:
                        break
                    e2 = 2 * err
                    if e2 >= dy:
                        err += dy
                        x1 += sx
                    if e2 <= dx:
                        err += dx
                        y1 += sy
            elif op == "art":
                art = (int(args[0]), int(args[1]), 0)
            else:
                raise SourceError(f"unknown directive '{op}'")
        except (IndexError, ValueError) as error:
            raise SourceError(f"line {number}: {error}") from error
        except SourceError as error:
            raise SourceError(f"line {number}: {error}") from error
    if pixels is None:
        raise SourceError("no 'size' directive")
    if art is not None:
        raise SourceError("'art' block without 'end'")
    return width, height, pixels


def encode(width, height, pixels):
    stride = ((width * 4 + 31) // 32) * 4
    rows = []
    for row in reversed(pixels):  # bottom-up, as the format stores it
        data = bytearray(stride)
        for x, c in enumerate(row):
            data[x // 2] |= c << 4 if x % 2 == 0 else c
        rows.append(bytes(data))
    image = b"".join(rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(image), 2835, 2835, 16, 0)
    return header + info + palette + image


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as source:
        try:
            width, height, pixels = parse(source)
        except SourceError as error:
            sys.exit(f"{sys.argv[1]}: {error}")
    with open(sys.argv[2], "wb") as out:
        out.write(encode(width, height, pixels))


if __name__ == "__main__":
    main()
