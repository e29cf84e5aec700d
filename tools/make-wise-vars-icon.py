#!/usr/bin/env python3
"""Writes the icon of the installer variables form into its form file (install/Orvformwisevars.dfm).

The icon: 32 x 32 pixels, 16 colours (4 bits per pixel, the VGA palette): a small window with a
navy title bar and a white page listing variables, a yellow "%" tag at the start of each row and a
grey value after it; the area outside the window is transparent. The script replaces the form's
"Icon.Data = {...}" block with the icon file's bytes as hexadecimal text, as form files keep
pictures.

Run it again after changing the picture and commit the form file.
"""
import os
import re
import struct

FORM = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "install", "Orvformwisevars.dfm")

VGA = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
       0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]  # 0xRRGGBB

# One character per pixel, row 0 at the top; "." is transparent.
COLOURS = {"k": 0, "n": 4, "s": 7, "g": 8, "w": 15, "y": 11}

ROW_EMPTY = "..kswwwwwwwwwwwwwwwwwwwwwwwwsk.."
ROW_VAR = "..kswyykkkkkwgggggggggggggwwsk.."

PICTURE = (
    ["................................",
     "................................",
     "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
     "..knnnnnnnnnnnnnnnnnnnnnnnnnnk..",
     "..knwwnnnnnnnnnnnnnnnnnswswsnk..",
     "..knnnnnnnnnnnnnnnnnnnnnnnnnnk..",
     "..kssssssssssssssssssssssssssk..",
     ROW_EMPTY]
    + [ROW_VAR, ROW_VAR, ROW_EMPTY] * 6
    + [ROW_EMPTY,
       ROW_EMPTY,
       "..kssssssssssssssssssssssssssk..",
       "..ksssssssssskkkkkkssssssssssk..",
       "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
       "................................"]
)


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def icon_file(picture):
    size = len(picture)
    assert all(len(row) == size for row in picture), [len(r) for r in picture]
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


def data_block(data, indent):
    text = data.hex().upper()
    lines = [indent + "  " + text[i:i + 64] for i in range(0, len(text), 64)]
    return indent + "Icon.Data = {\n" + "\n".join(lines) + "}"


with open(FORM, newline="") as f:
    form = f.read()
block = re.compile(r"^( *)Icon\.Data = \{[0-9A-Fa-f\s]*\}", re.M)
match = block.search(form)
assert match, "the form file has no Icon.Data block"
form = form[:match.start()] + data_block(icon_file(PICTURE), match.group(1)) + form[match.end():]
with open(FORM, "w", newline="") as f:
    f.write(form)
