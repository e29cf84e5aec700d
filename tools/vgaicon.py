"""16-colour icon files for the art generators in tools/.

A picture is a list of equal-length strings, row 0 at the top, one character per pixel; "." is
transparent and every other character is looked up in a colour map to an index of the VGA palette.
icon_file returns the bytes of a .ico file holding that one 4-bit image with its mask.
"""
import struct

VGA = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
       0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]  # 0xRRGGBB


def stride(width, bits):
    """Bytes per row of a bitmap: rows are padded to whole 32-bit words."""
    return (width * bits + 31) // 32 * 4


def icon_file(picture, colours):
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
                xor[x // 2] |= colours[pixel] << (0 if x % 2 else 4)
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    bits = b"".join(xor_rows) + b"".join(and_rows)
    # The height of an icon image counts the image and its mask.
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(bits), 0, 0, 16, 0)
    image = info + palette + bits
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image
