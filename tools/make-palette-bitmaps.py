#!/usr/bin/env python3
"""Draws the design-time package's palette bitmaps and main icon (package/, used by
package/Ferrovane.rc).

Each palette bitmap is 24 x 24 pixels and shows its component in the designer's palette. The
16-colour ones use the VGA palette (4 bits per pixel); the 256-colour ones (8 bits per pixel) add
shades of blue and grey for softer edges. The bottom-left pixel is the background (silver), which
palettes take as the transparent colour. FerrovaneIcon.bin: the main icon's image (32 x 32
pixels, 16 colours, with its mask), as an icon resource holds it.

Run it again after changing a picture and commit the files it writes.
"""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "package")
SIZE = 24

VGA = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
       0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]  # 0xRRGGBB
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

# The 256-colour palette: the VGA colours, then 32 blues and 32 greys from dark to light, then black.
SHADES = 32
BLUES = 16
GREYS = BLUES + SHADES


def palette_256():
    colours = list(VGA)
    colours += [(0 << 16) | ((40 + i * 6) << 8) | (96 + i * 5) for i in range(SHADES)]
    colours += [((64 + i * 6) << 16) | ((64 + i * 6) << 8) | (64 + i * 6) for i in range(SHADES)]
    return colours + [0] * (256 - len(colours))


class Picture:
    def __init__(self):
        self.pixels = [[SILVER] * SIZE for _ in range(SIZE)]

    def rect(self, left, top, right, bottom, colour):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.pixels[y][x] = colour

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right + 1):
            self.pixels[top][x] = self.pixels[bottom][x] = colour
        for y in range(top, bottom + 1):
            self.pixels[y][left] = self.pixels[y][right] = colour

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.pixels[round(y0 + (y1 - y0) * i / steps)][round(x0 + (x1 - x0) * i / steps)] = colour

    def gradient(self, left, top, right, bottom, first):
        """Fills downwards with the shades that start at index first (256-colour pictures)."""
        for y in range(top, bottom + 1):
            shade = first + (SHADES - 1) - (y - top) * (SHADES - 1) // max(bottom - top, 1)
            for x in range(left, right + 1):
                self.pixels[y][x] = shade


def edit_box(p, right=21):
    """A sunken white edit with a few characters of text."""
    p.rect(2, 7, right, 16, WHITE)
    p.line(2, 7, right, 7, GREY)
    p.line(2, 7, 2, 16, GREY)
    p.line(3, 8, right - 1, 8, BLACK)
    p.line(3, 8, 3, 15, BLACK)
    for x in range(5, right - 8, 3):
        p.rect(x, 10, x + 1, 13, BLACK)


def edit_button(p, glyph):
    """The embedded button at the right of an edit, with a glyph drawn by glyph(p)."""
    p.rect(14, 9, 20, 15, SILVER)
    p.line(14, 9, 20, 9, WHITE)
    p.line(14, 9, 14, 15, WHITE)
    p.line(14, 15, 20, 15, GREY)
    p.line(20, 9, 20, 15, GREY)
    glyph(p)


def ellipsis(p):
    for x in (15, 17, 19):
        p.pixels[13][x] = BLACK


def folder(p, left, top, shaded):
    width, height = 12, 9
    p.rect(left, top, left + 4, top + 1, YELLOW if not shaded else OLIVE)
    if shaded:
        p.gradient(left, top + 2, left + width, top + height, GREYS)
        p.rect(left + 1, top + 3, left + width - 1, top + height - 1, YELLOW)
    else:
        p.rect(left, top + 2, left + width, top + height, YELLOW)
    p.frame(left, top + 2, left + width, top + height, OLIVE)


def wave(p, left, top, colour):
    heights = [2, 4, 6, 3, 7, 5, 2, 6, 4, 1]
    for i, h in enumerate(heights):
        p.line(left + i, top + 4 - h // 2, left + i, top + 4 + h // 2, colour)


def page(p, left, top, shaded):
    if shaded:
        p.gradient(left, top, left + 8, top + 11, GREYS)
        p.rect(left + 1, top + 1, left + 7, top + 10, WHITE)
    else:
        p.rect(left, top, left + 8, top + 11, WHITE)
    p.frame(left, top, left + 8, top + 11, BLACK)
    for y in range(top + 3, top + 10, 2):
        p.line(left + 2, y, left + 6, y, NAVY)


def internet_link():
    p = Picture()
    # Blue underlined text and a pointing hand.
    for x in range(2, 16, 3):
        p.rect(x, 6, x + 1, 10, BLUE)
    p.line(2, 12, 16, 12, BLUE)
    p.rect(14, 14, 18, 21, WHITE)
    p.rect(15, 10, 16, 14, WHITE)
    p.frame(14, 14, 18, 21, BLACK)
    p.line(15, 10, 15, 14, BLACK)
    p.line(16, 10, 16, 14, BLACK)
    return p


def open_wave_dialog():
    p = Picture()
    p.gradient(1, 2, 22, 21, BLUES)
    p.rect(2, 5, 21, 20, SILVER)
    folder(p, 3, 7, True)
    wave(p, 11, 13, NAVY)
    return p


def folder_browser():
    p = Picture()
    p.gradient(1, 2, 22, 21, BLUES)
    p.rect(2, 5, 21, 20, WHITE)
    folder(p, 4, 7, True)
    p.line(5, 18, 18, 18, GREY)
    return p


def tray_icon():
    p = Picture()
    # The task bar's notification area with a small icon and a clock.
    p.gradient(0, 12, 23, 23, GREYS)
    p.rect(2, 14, 21, 21, SILVER)
    p.line(2, 14, 21, 14, GREY)
    p.line(2, 14, 2, 21, GREY)
    p.gradient(4, 15, 10, 20, BLUES)
    p.rect(6, 16, 8, 17, YELLOW)
    p.rect(7, 16, 7, 19, YELLOW)
    for x in range(13, 20, 2):
        p.rect(x, 17, x, 19, BLACK)
    return p


def aligned_edit():
    p = Picture()
    edit_box(p)
    # Text pushed to the right edge.
    p.rect(4, 10, 19, 13, WHITE)
    for x in range(11, 20, 3):
        p.rect(x, 10, x + 1, 13, BLACK)
    return p


def time_picker():
    p = Picture()
    p.gradient(3, 2, 20, 20, BLUES)
    p.rect(5, 4, 18, 18, WHITE)
    p.frame(5, 4, 18, 18, NAVY)
    p.line(11, 11, 11, 6, BLACK)
    p.line(11, 11, 15, 11, BLACK)
    p.rect(11, 11, 12, 12, RED)
    return p


def weekdays_combo():
    p = Picture()
    edit_box(p)
    edit_button(p, lambda q: (q.line(16, 11, 19, 11, BLACK), q.line(17, 12, 18, 12, BLACK)))
    p.rect(4, 17, 13, 21, WHITE)
    p.frame(4, 17, 13, 21, BLACK)
    p.line(6, 19, 11, 19, RED)
    return p


def btn_edit():
    p = Picture()
    edit_box(p)
    edit_button(p, ellipsis)
    return p


def dir_edit():
    p = Picture()
    edit_box(p)
    edit_button(p, ellipsis)
    folder(p, 9, 14, True)
    return p


def file_edit():
    p = Picture()
    edit_box(p)
    edit_button(p, ellipsis)
    page(p, 12, 12, True)
    return p


def wave_edit():
    p = Picture()
    edit_box(p)
    edit_button(p, ellipsis)
    p.gradient(8, 16, 22, 23, BLUES)
    wave(p, 10, 15, YELLOW)
    return p


BITMAPS = [  # resource file name, bits per pixel, drawing
    ("TOrvInternetLink.bmp", 4, internet_link),
    ("TOrvOpenWaveDialog.bmp", 8, open_wave_dialog),
    ("TOrvFolderBrowser.bmp", 8, folder_browser),
    ("TOrvTrayIcon.bmp", 8, tray_icon),
    ("TOrvEdit.bmp", 4, aligned_edit),
    ("TOrvTimePicker.bmp", 8, time_picker),
    ("TOrvWeekdaysCombo.bmp", 4, weekdays_combo),
    ("TOrvBtnEdit.bmp", 4, btn_edit),
    ("TOrvDirEdit.bmp", 8, dir_edit),
    ("TOrvFileEdit.bmp", 8, file_edit),
    ("TOrvWaveEdit.bmp", 8, wave_edit),
]


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def packed_rows(pixels, bits):
    rows = []
    for row in reversed(pixels):  # bottom-up
        data = bytearray(stride(len(row), bits))
        for x, index in enumerate(row):
            if bits == 8:
                data[x] = index
            else:
                assert index < 16, "a 16-colour picture uses the VGA colours only"
                data[x // 2] |= index << (0 if x % 2 else 4)
        rows.append(bytes(data))
    return b"".join(rows)


def colour_table(colours):
    return b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in colours)


def bitmap_file(picture, bits):
    colours = VGA if bits == 4 else palette_256()
    bits_data = packed_rows(picture.pixels, bits)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, bits, 0, len(bits_data), 0, 0, len(colours), 0)
    offset = 14 + len(info) + 4 * len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits_data), 0, 0, offset)
    return header + info + colour_table(colours) + bits_data


def icon_file():
    size = 32
    p = Picture()
    p.pixels = [[SILVER] * size for _ in range(size)]
    p.rect(2, 2, 29, 29, NAVY)
    p.rect(4, 4, 27, 27, BLUE)
    p.rect(8, 8, 23, 11, YELLOW)
    p.rect(14, 8, 17, 25, YELLOW)
    xor = packed_rows(p.pixels, 4)
    mask = bytes(stride(size, 1) * size)  # every pixel opaque
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    return info + colour_table(VGA) + xor + mask


for name, bits, draw in BITMAPS:
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(bitmap_file(draw(), bits))
# The icon's one image, as an RT_ICON resource holds it; Ferrovane.rc adds the group entry itself
# (an ICON statement would number the image 1, which the library's own icons already use).
with open(os.path.join(HERE, "FerrovaneIcon.bin"), "wb") as f:
    f.write(icon_file())
