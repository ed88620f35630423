#!/usr/bin/env python3
"""Writes the images of the 3-D view's toolbar drop-down menus: one 16 x 15 bitmap per
command, cut from the toolbar bitmap that shows the same command, so that a menu entry and its
button look alike. Run from the repository root after changing a toolbar picture; the files
are committed."""
import os
import struct

WIDTH, HEIGHT = 16, 15

# Bitmap resource id: (toolbar bitmap, image index in it).
IMAGES = {
    186: ("toolbar_triad.bmp", 3),       # left-bottom
    187: ("toolbar_triad.bmp", 0),       # left-top
    188: ("toolbar_triad.bmp", 2),       # right-bottom
    189: ("toolbar_triad.bmp", 1),       # right-top
    190: ("toolbar_direction.bmp", 0),   # XY
    191: ("toolbar_direction.bmp", 2),   # YZ
    192: ("toolbar_direction.bmp", 3),   # ZY
    193: ("toolbar_direction.bmp", 4),   # ZX
    195: ("toolbar_direction.bmp", 5),   # XZ
    196: ("toolbar_direction.bmp", 6),   # XYZ
    197: ("toolbar_direction.bmp", 1),   # YX
    198: ("toolbar_direction.bmp", 7),   # YXZ
    199: ("toolbar_viewmode.bmp", 0),    # wireframe
    200: ("toolbar_viewmode.bmp", 4),    # hidden line
    201: ("toolbar_viewmode.bmp", 3),    # ridge line with shading
    202: ("toolbar_viewmode.bmp", 2),    # shading
    203: ("toolbar_viewmode.bmp", 1),    # ridge line
}


def read_bitmap(path):
    """Rows top first of (r, g, b) of an uncompressed 24-bit bitmap file."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24, path
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        rows.append([(data[start + 3 * x + 2], data[start + 3 * x + 1], data[start + 3 * x])
                     for x in range(width)])
    return rows if height < 0 else rows[::-1]


def bitmap_file(rows):
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0,
                       14 + len(header)) + header + bytes(pixels)


def main():
    folder = os.path.join("resources", "bitmaps")
    for resource, (name, index) in sorted(IMAGES.items()):
        rows = read_bitmap(os.path.join(folder, name))
        cut = [row[index * WIDTH:(index + 1) * WIDTH] for row in rows[:HEIGHT]]
        with open(os.path.join(folder, "menu_%d.bmp" % resource), "wb") as out:
            out.write(bitmap_file(cut))


if __name__ == "__main__":
    main()
