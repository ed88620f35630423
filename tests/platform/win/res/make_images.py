#!/usr/bin/env python3
"""Writes the small icon, cursor and bitmap that the resource tests load (16 x 16, 1 bit)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def monochrome_image(width, height):
    # BITMAPINFOHEADER (height doubled: XOR then AND mask), two palette entries, then rows
    # padded to 32 bits: a checker XOR image and an all-opaque AND mask.
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    stride = ((width + 31) // 32) * 4
    xor = b"".join((b"\xAA\x55" if y % 2 else b"\x55\xAA") + b"\x00" * (stride - 2)
                   for y in range(height))
    mask = b"\x00" * (stride * height)
    return header + palette + xor + mask


def icon_file(kind, hotspot=(0, 0)):
    image = monochrome_image(16, 16)
    # ICONDIR then one ICONDIRENTRY; a cursor's planes and bit count hold its hot spot.
    directory = struct.pack("<HHH", 0, kind, 1)
    planes, bits = (1, 1) if kind == 1 else hotspot
    entry = struct.pack("<BBBBHHII", 16, 16, 2, 0, planes, bits, len(image), 6 + 16)
    return directory + entry + image


def bitmap_file():
    width, height = 4, 2
    stride = ((width * 3 + 3) // 4) * 4
    rows = b""
    for y in range(height):
        row = b"".join(struct.pack("<BBB", 0, 0, 255) for _ in range(width))  # red, BGR order
        rows += row + b"\x00" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + rows


def main():
    with open(os.path.join(HERE, "test.ico"), "wb") as out:
        out.write(icon_file(1))
    with open(os.path.join(HERE, "test.cur"), "wb") as out:
        out.write(icon_file(2, hotspot=(3, 5)))
    with open(os.path.join(HERE, "test.bmp"), "wb") as out:
        out.write(bitmap_file())


if __name__ == "__main__":
    main()
