#!/usr/bin/env python3
"""Writes the toolbar bitmap of the bar tests: three 16 x 15 images side by side, each a solid
square of its own colour (red, green, blue) on the light grey that toolbars show as the
button face."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
WIDTH, HEIGHT = 48, 15
GREY = (192, 192, 192)
COLOURS = [(255, 0, 0), (0, 160, 0), (0, 0, 255)]


def pixel(x, y):
    image, inside_x = divmod(x, 16)
    if 3 <= inside_x <= 12 and 3 <= y <= 11:
        return COLOURS[image]
    return GREY


def bitmap_file():
    stride = ((WIDTH * 3 + 3) // 4) * 4
    rows = b""
    for y in reversed(range(HEIGHT)):  # bottom-up
        row = b"".join(struct.pack("<BBB", b, g, r) for r, g, b in (pixel(x, y) for x in range(WIDTH)))
        rows += row + b"\x00" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(rows), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + rows


if __name__ == "__main__":
    with open(os.path.join(HERE, "toolbar.bmp"), "wb") as out:
        out.write(bitmap_file())
