#!/usr/bin/env python3
"""Writes the pictures the graphics tests load from resources (tests/graphics/).

TestGlyph.bmp: 8 x 6 pixels, 4 bits per pixel, the 16 VGA colours; the pixel at column x of row y
(row 0 at the top) has colour index (x + y) % 16.
TestIcon.ico: 16 x 16 pixels, 24 bits per pixel; red in the left half, blue in the right half;
the top four rows are transparent (AND mask 1, image black).
"""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "graphics")

VGA = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
       0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]  # 0xRRGGBB


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def glyph():
    width, height = 8, 6
    palette = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in VGA)
    rows = []
    for y in reversed(range(height)):  # bottom-up
        row = bytearray(stride(width, 4))
        for x in range(width):
            index = (x + y) % 16
            row[x // 2] |= index << (0 if x % 2 else 4)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 3780, 3780, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def icon():
    size = 16
    xor_rows, and_rows = [], []
    for y in reversed(range(size)):
        row = bytearray()
        for x in range(size):
            if y < 4:
                row += bytes([0, 0, 0])
            else:
                row += bytes([0, 0, 255]) if x < 8 else bytes([255, 0, 0])  # blue, green, red bytes
        row += bytes(stride(size, 24) - len(row))
        xor_rows.append(bytes(row))
        mask = bytearray(stride(size, 1))
        if y < 4:
            mask[0] = mask[1] = 0xFF
        and_rows.append(bytes(mask))
    image = b"".join(xor_rows) + b"".join(and_rows)
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 24, 0, len(image), 0, 0, 0, 0)
    data = info + image
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(data), 22)
    return directory + data


with open(os.path.join(HERE, "TestGlyph.bmp"), "wb") as f:
    f.write(glyph())
with open(os.path.join(HERE, "TestIcon.ico"), "wb") as f:
    f.write(icon())
