#!/usr/bin/env python3
"""Writes button.bmp for the button tests: a 16 x 16 picture with 8 bits a pixel, red on the
left half, blue on the right, framed in magenta (the mask colour). Its grey-level copy is thus
grey (red) and black (blue). Run from the repository root; the file is committed."""
import os
import struct

SIZE = 16
PALETTE = [(0, 0, 0), (255, 0, 0), (0, 0, 255), (255, 0, 255)]  # (R, G, B)


def pixel(x, y):
    if x in (0, SIZE - 1) or y in (0, SIZE - 1):
        return 3
    return 1 if x < SIZE // 2 else 2


def bmp():
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colours += b"\0" * (4 * (256 - len(PALETTE)))
    rows = b"".join(bytes(pixel(x, y) for x in range(SIZE)) for y in reversed(range(SIZE)))
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    return header + info + colours + rows


if __name__ == "__main__":
    with open(os.path.join("tests", "widgets", "bars", "res", "button.bmp"), "wb") as f:
        f.write(bmp())
