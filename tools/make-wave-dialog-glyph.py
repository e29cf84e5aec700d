#!/usr/bin/env python3
"""Writes the play button's glyph of the open-wave dialog (dialogs/, used by dialogs/Orvcommdlg.rc).

OrvcommdlgPlayWav.bmp: 16 x 16 pixels, 24 bits per pixel: a dark green "play" triangle pointing
right, with a black outline, on an olive background. Olive is the bottom-left pixel, which speed
buttons take as the transparent colour, so only the triangle shows on the button.

Run it again after changing the picture and commit the .bmp file it writes.
"""
import pathlib
import struct

WIDTH = HEIGHT = 16
OLIVE = (0x80, 0x80, 0x00)  # (red, green, blue)
GREEN = (0x00, 0xA0, 0x00)
BLACK = (0x00, 0x00, 0x00)


def pixel(x, y):
    """Colour at column x of row y (row 0 at the top)."""
    # The triangle: columns 4..12, its tip at row 7.5; half-height shrinks by 1 every 2 columns.
    if 4 <= x <= 12:
        half = 7 - (x - 4) * 7 / 8
        distance = abs(y - 7.5)
        if distance <= half:
            return BLACK if x == 4 or distance > half - 1.0 else GREEN
    return OLIVE


def bitmap():
    stride = (WIDTH * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(HEIGHT)):  # bottom-up
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    bits = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(bits), 0, 0, 14 + len(info))
    return header + info + bits


target = pathlib.Path(__file__).resolve().parent.parent / "dialogs" / "OrvcommdlgPlayWav.bmp"
target.write_bytes(bitmap())
print(f"wrote {target}")
