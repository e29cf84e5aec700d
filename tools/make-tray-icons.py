#!/usr/bin/env python3
"""Writes the icons of the tray icon component (controls/, used by controls/Orvtrayicon.rc).

OrvtrayiconDefault.ico: 16 x 16 pixels, 16 colours (4 bits per pixel, the VGA palette): a blue
rounded tile with a light top edge, a navy frame and a yellow "T"; the corners are transparent.
OrvtrayiconBlank.ico: 16 x 16 pixels, 16 colours, every pixel transparent (the flash phase of a
tray icon without a flash icon).

Run it again after changing a picture and commit the .ico files it writes.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from vgaicon import icon_file  # noqa: E402

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "controls")

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


for name, picture in (("OrvtrayiconDefault.ico", DEFAULT), ("OrvtrayiconBlank.ico", BLANK)):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(icon_file(picture, COLOURS))
