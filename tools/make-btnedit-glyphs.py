#!/usr/bin/env python3
"""Writes the button glyphs of the button edits (controls/, used by controls/Orvbtnedit.rc).

OrvbtneditOpenFile.bmp: 14 x 12 pixels, an open yellow folder (the "open file" button).
OrvbtneditDirectory.bmp: 14 x 11 pixels, a closed yellow folder (the "directory" button).
Both are 16-colour bitmaps (4 bits per pixel, the VGA palette). The background is fuchsia: the
button takes the colour of the bottom-left pixel as transparent.

Run it again after changing a picture and commit the .bmp files it writes.
"""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "controls")

VGA = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
       0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]  # 0xRRGGBB

# One character per pixel, row 0 at the top.
COLOURS = {".": 13, "#": 0, "y": 11, "o": 3, "w": 15, "g": 8}  # fuchsia, black, yellow, olive, white, grey

OPEN_FILE = [
    "..............",
    "...####.......",
    "..#wwww#......",
    "..#wyyyw#####.",
    "..#wyyyyyyyy#.",
    "..#wyy########",
    "..#wy#ooooooo#",
    "..#w#ooooooo#.",
    "..##ooooooo#..",
    "..#ooooooo#...",
    "..########....",
    "..............",
]

DIRECTORY = [
    "..............",
    "..####........",
    ".#wwww#.......",
    ".#wyyyw######.",
    ".#wyyyyyyyyy#.",
    ".#wyyyyyyyyy#.",
    ".#wyyyyyyyyy#.",
    ".#wyyyyyyyyy#.",
    ".#oooooooooo#.",
    ".############.",
    "..............",
]


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def bitmap_file(picture, width, height):
    assert len(picture) == height and all(len(row) == width for row in picture), "picture size"
    palette = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in VGA)
    rows = []
    for row in reversed(picture):  # bottom-up
        line = bytearray(stride(width, 4))
        for x, pixel in enumerate(row):
            line[x // 2] |= COLOURS[pixel] << (0 if x % 2 else 4)
        rows.append(bytes(line))
    pixels = b"".join(rows)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 3780, 3780, 16, 16)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main():
    for name, picture, width, height in (("OrvbtneditOpenFile.bmp", OPEN_FILE, 14, 12),
                                         ("OrvbtneditDirectory.bmp", DIRECTORY, 14, 11)):
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(bitmap_file(picture, width, height))


if __name__ == "__main__":
    main()
