#!/usr/bin/env python3
"""Writes the icons of the tray icon component (controls/, used by controls/Orvtrayicon.rc).

OrvtrayiconDefault.ico: 16 x 16 pixels, 16 colours (4 bits per pixel, the VGA palette): a blue
rounded tile with a light top edge, a navy frame and a yellow "T"; the corners are transparent.
OrvtrayiconBlank.ico: 16 x 16 pixels, 16 colours, every pixel transparent (the flash phase of a
tray icon without a flash icon).

Run it again after changing a picture and commit the .ico files it writes.
"""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "controls")

VGA = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
       0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]  # 0xRRGGBB

# One character per pixel, row 0 at the top; "." is transparent.
COLOURS = {"#": 4, "b": 12, "a": 14, "y": 11, "o": 3}  # navy, blue, aqua, yellow, olive (shadow)

DEFAULT = [
    "................",
    "...##########...",
    "..#aaaaaaaaaa#..",
    ".#abbbbbbbbbba#.",
    ".#byyyyyyyyyyb#.",
    ".#byyyyyyyyyyb#.",
    ".#bbbbyyyyoobb#.",
    ".#bbbbyyyyobbb#.",
    ".#bbbbyyyyobbb#.",
    ".#bbbbyyyyobbb#.",
    ".#bbbbyyyyobbb#.",
    ".#bbbbyyyyobbb#.",
    ".#bbbbbooobbbb#.",
    "..#bbbbbbbbbb#..",
    "...##########...",
    "................",
]

BLANK = ["." * 16] * 16


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def icon_file(picture):
    size = len(picture)
    assert all(len(row) == size for row in picture)
    palette = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in VGA)
    xor_rows, and_rows = [], []
    for row in reversed(picture):  # bottom-up
        xor = bytearray(stride(size, 4))
        mask = bytearray(stride(size, 1))
        for x, pixel in enumerate(row):
            if pixel == ".":
                mask[x // 8] |= 0x80 >> (x % 8)  # see-through; the image stays black there
            else:
                xor[x // 2] |= COLOURS[pixel] << (0 if x % 2 else 4)
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    bits = b"".join(xor_rows) + b"".join(and_rows)
    # The height of an icon image counts the image and its mask.
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(bits), 0, 0, 16, 0)
    image = info + palette + bits
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


for name, picture in (("OrvtrayiconDefault.ico", DEFAULT), ("OrvtrayiconBlank.ico", BLANK)):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(icon_file(picture))
