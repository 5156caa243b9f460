#!/usr/bin/env python3
"""Builds an uncompressed AVI clip (24-bit DIB frames, no audio) from a text
description, for the Win32 animation control.

Description format, one statement per line ('#' starts a comment line):
    size W H          frame size in pixels
    scale N           each described pixel becomes N x N pixels (default 1)
    rate N            frames per second
    color C RRGGBB    the character C paints this colour
    frame             starts a frame; the next H lines are its rows of W characters
"""
import struct
import sys


def parse(path):
    width = height = None
    scale, rate = 1, 8
    colors, frames = {}, []
    with open(path, encoding="utf-8") as f:
        lines = [l.rstrip("\n") for l in f]
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if not line.strip() or line.startswith("#"):
            continue
        words = line.split()
        if words[0] == "size":
            width, height = int(words[1]), int(words[2])
        elif words[0] == "scale":
            scale = int(words[1])
        elif words[0] == "rate":
            rate = int(words[1])
        elif words[0] == "color":
            colors[words[1]] = bytes.fromhex(words[2])
        elif words[0] == "frame":
            if width is None:
                sys.exit(f"{path}:{i}: 'size' must come before the first frame")
            rows = lines[i:i + height]
            i += height
            if len(rows) != height or any(len(r) != width for r in rows):
                sys.exit(f"{path}:{i}: a frame needs {height} rows of {width} characters")
            for r in rows:
                for c in r:
                    if c not in colors:
                        sys.exit(f"{path}:{i}: no colour for '{c}'")
            frames.append(rows)
        else:
            sys.exit(f"{path}:{i}: unknown statement '{words[0]}'")
    if not frames:
        sys.exit(f"{path}: no frames")
    return width, height, scale, rate, colors, frames


def frame_bits(rows, scale, colors):
    # DIBs are stored bottom-up, blue-green-red, rows padded to four bytes.
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for c in row:
            r, g, b = colors[c]
            line += bytes((b, g, r)) * scale
        line += b"\0" * (-len(line) % 4)
        out += bytes(line) * scale
    return bytes(out)


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, data):
    return kind + struct.pack("<I", len(data) + 4) + fourcc + data


def build(width, height, scale, rate, colors, frames):
    w, h = width * scale, height * scale
    images = [frame_bits(rows, scale, colors) for rows in frames]
    size = len(images[0])
    avih = struct.pack("<IIIIIIIIII16x", 1000000 // rate, size * rate, 0, 0x10, len(frames), 0, 1, size, w, h)
    strh = b"vids" + b"DIB " + struct.pack("<IHHIIIIIIIIhhhh", 0, 0, 0, 0, 1, rate, 0, len(frames), size,
                                           0xFFFFFFFF, 0, 0, 0, w, h)
    strf = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, size, 0, 0, 0, 0)
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_data = b""
    index = b""
    for image in images:
        index += b"00db" + struct.pack("<III", 0x10, 4 + len(movi_data), len(image))
        movi_data += chunk(b"00db", image)
    movi = riff_list(b"LIST", b"movi", movi_data)
    return riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_avi.py DESCRIPTION OUTPUT.avi")
    clip = build(*parse(sys.argv[1]))
    with open(sys.argv[2], "wb") as f:
        f.write(clip)


if __name__ == "__main__":
    main()
