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
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from vgaicon import icon_file  # noqa: E402

FORM = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "install", "Orvformwisevars.dfm")

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


def data_block(data, indent):
    text = data.hex().upper()
    lines = [indent + "  " + text[i:i + 64] for i in range(0, len(text), 64)]
    return indent + "Icon.Data = {\n" + "\n".join(lines) + "}"


with open(FORM, newline="") as f:
    form = f.read()
block = re.compile(r"^( *)Icon\.Data = \{[0-9A-Fa-f\s]*\}", re.M)
match = block.search(form)
assert match, "the form file has no Icon.Data block"
form = form[:match.start()] + data_block(icon_file(PICTURE, COLOURS), match.group(1)) + form[match.end():]
with open(FORM, "w", newline="") as f:
    f.write(form)
