#!/usr/bin/env python3
"""Writes the demo's art: demo/Sound1.wav, a 0.4 s two-note chime (8-bit mono PCM, 11025 samples
per second), and the pictures inside the main form file demo/FmMain.dfm: the tray icon's Icon and
FlashIcon (16 x 16 icons, 16 colours) and the frames of the image list ImagesIcons (eight 16 x 16
pictures of a dot going round a ring, as a 24-bit strip and its 1-bit mask).

The form file is edited in place: each block "Icon.Data = {...}", "FlashIcon.Data = {...}" and
"Bitmap = {...}" gets new data. Run it again after changing a picture and commit what it writes.
"""
import math
import os
import pathlib
import re
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from vgaicon import icon_file, stride  # noqa: E402

DEMO = pathlib.Path(__file__).resolve().parent.parent / "demo"
RATE = 11025
SIZE = 16

def wave_file(samples):
    data = bytes(max(0, min(255, int(round(128 + s)))) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)
    riff = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    if len(data) % 2:
        riff += b"\0"
    return b"RIFF" + struct.pack("<I", len(riff)) + riff


def chime():
    for i in range(int(RATE * 0.4)):
        t = i / RATE
        tone = 880 if t < 0.15 else 1320
        start = 0 if t < 0.15 else 0.15
        envelope = math.exp(-(t - start) / 0.08)
        yield 90 * envelope * math.sin(2 * math.pi * tone * t)


# The tiles' characters as VGA palette indexes: navy frame, white "T", blue or red body.
TILE_COLOURS = {"#": 4, "w": 15, "b": 12, "r": 9}


def tile(body):
    """A rounded tile of colour index body with a navy frame and a white "T"; '.' is see-through."""
    rows = []
    for y in range(SIZE):
        row = ""
        for x in range(SIZE):
            cx, cy = x - 7.5, y - 7.5
            if max(abs(cx), abs(cy)) > 7 or (abs(cx) > 6 and abs(cy) > 6):
                row += "."
            elif max(abs(cx), abs(cy)) > 6 or (abs(cx) > 5 and abs(cy) > 5):
                row += "#"
            elif 3 <= y <= 4 and 3 <= x <= 12 or 5 <= y <= 12 and 7 <= x <= 8:
                row += "w"
            else:
                row += body
        rows.append(row)
    return rows


def bmp_file(width, height, bits, rows, palette=b""):
    """rows: top-down list of packed rows, already padded."""
    pixels = b"".join(reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 0, 0,
                       len(palette) // 4, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def frame_pixel(frame, x, y):
    """The colour (0xRRGGBB) of a pixel of an animation frame, or None where it is see-through."""
    cx, cy = x - 7.5, y - 7.5
    radius = math.hypot(cx, cy)
    if radius > 7.6:
        return None
    angle = (math.degrees(math.atan2(cy, cx)) + 90) % 360
    dot = frame * 45
    if 4.2 <= radius <= 7.6 and min(abs(angle - dot), 360 - abs(angle - dot)) < 24:
        return 0xFFCC00  # the dot
    if 4.2 <= radius <= 7.6:
        return 0x1E50B4  # the ring
    return None if radius < 3 else 0x0A2864


def image_list_data(frames=8):
    width = SIZE * frames
    image_rows, mask_rows = [], []
    for y in range(SIZE):
        image = bytearray()
        mask = bytearray(stride(width, 1))
        for f in range(frames):
            for x in range(SIZE):
                colour = frame_pixel(f, x, y)
                if colour is None:
                    image += b"\0\0\0"
                    px = f * SIZE + x
                    mask[px // 8] |= 0x80 >> (px % 8)
                else:
                    image += bytes((colour & 0xFF, (colour >> 8) & 0xFF, colour >> 16))
        image += b"\0" * (stride(width, 24) - len(image))
        image_rows.append(bytes(image))
        mask_rows.append(bytes(mask))
    mono = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    return bmp_file(width, SIZE, 24, image_rows) + bmp_file(width, SIZE, 1, mask_rows, mono)


def hex_block(data, indent):
    text = data.hex().upper()
    lines = [text[i:i + 64] for i in range(0, len(text), 64)]
    return "{\n" + "\n".join(indent + line for line in lines) + "}"


def replace_block(form, prop, data):
    pattern = re.compile(r"^( *)" + re.escape(prop) + r" = \{[^}]*\}", re.M)
    match = pattern.search(form)
    if not match:
        raise SystemExit(f"no block {prop} in the form file")
    indent = match.group(1) + "  "
    return form[:match.start()] + match.group(1) + prop + " = " + hex_block(data, indent) + form[match.end():]


(DEMO / "Sound1.wav").write_bytes(wave_file(list(chime())))
form_path = DEMO / "FmMain.dfm"
form = form_path.read_text()
form = replace_block(form, "Icon.Data", icon_file(tile("b"), TILE_COLOURS))
form = replace_block(form, "FlashIcon.Data", icon_file(tile("r"), TILE_COLOURS))
form = replace_block(form, "Bitmap", image_list_data())
form_path.write_text(form)
print(f"wrote {DEMO / 'Sound1.wav'} and the pictures in {form_path}")
