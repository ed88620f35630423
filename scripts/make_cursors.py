#!/usr/bin/env python3
"""Writes the program's mouse cursors (resources/cursors/*.cur): 32 x 32 monochrome cursors
drawn from a few lines and arcs, black with a white rim so that they show on any background.
Run from the repository root after changing a shape; the .cur files are committed."""
import math
import os
import struct

SIZE = 32


def blank():
    return [[0] * SIZE for _ in range(SIZE)]


def plot(img, x, y):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        img[y][x] = 1


def line(img, x0, y0, x1, y1):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        plot(img, round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps))


def arc(img, cx, cy, r, start_deg, end_deg):
    for i in range(int(abs(end_deg - start_deg)) * 2 + 1):
        a = math.radians(start_deg + (end_deg - start_deg) * i / (abs(end_deg - start_deg) * 2 or 1))
        plot(img, round(cx + r * math.cos(a)), round(cy - r * math.sin(a)))


def head(img, x, y, dx, dy):
    """An arrow head at (x, y) pointing along (dx, dy)."""
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    for side in (1, -1):
        hx = x - 5 * ux + side * 4 * -uy
        hy = y - 5 * uy + side * 4 * ux
        line(img, x, y, round(hx), round(hy))


def arrow(img, x0, y0, x1, y1, both=False):
    line(img, x0, y0, x1, y1)
    head(img, x1, y1, x1 - x0, y1 - y0)
    if both:
        head(img, x0, y0, x0 - x1, y0 - y1)


def pan():
    img = blank()
    arrow(img, 16, 16, 16, 3)
    arrow(img, 16, 16, 16, 29)
    arrow(img, 16, 16, 3, 16)
    arrow(img, 16, 16, 29, 16)
    return img, (16, 16)


def zoom():
    img = blank()
    arc(img, 12, 12, 9, 0, 360)
    line(img, 8, 12, 16, 12)
    line(img, 12, 8, 12, 16)
    line(img, 18, 18, 28, 28)
    line(img, 19, 18, 28, 27)
    return img, (12, 12)


def rotate_3d():
    img = blank()
    arc(img, 16, 16, 12, 20, 160)
    head(img, 5, 12, -1, 3)
    arc(img, 16, 16, 12, 200, 340)
    head(img, 27, 20, 1, -3)
    plot(img, 16, 16)
    return img, (16, 16)


def rotate_vertical():
    img = blank()
    arrow(img, 16, 3, 16, 29, both=True)
    arc(img, 16, 16, 7, 300, 420)
    return img, (16, 16)


def rotate_horizontal():
    img = blank()
    arrow(img, 3, 16, 29, 16, both=True)
    arc(img, 16, 16, 7, 30, 150)
    return img, (16, 16)


def rotate_plane():
    img = blank()
    arc(img, 16, 16, 11, 40, 320)
    head(img, 24, 23, 2, -3)
    plot(img, 16, 16)
    return img, (16, 16)


def select():
    img = blank()
    for y in range(16):
        line(img, 0, y, y // 2, y)
    line(img, 0, 0, 0, 16)
    line(img, 4, 14, 8, 22)
    for x in range(14, 26):
        plot(img, x, 18)
        plot(img, x, 29)
    for y in range(18, 30):
        plot(img, 14, y)
        plot(img, 25, y)
    return img, (0, 0)


def tab_splitter():
    """The tab view container's splitter: a double bar crossed by a west-east arrow."""
    img = blank()
    for x in (14, 15, 17, 18):
        line(img, x, 8, x, 23)
    arrow(img, 4, 16, 28, 16, both=True)
    return img, (16, 16)


def link_hand():
    """Hyperlink buttons: a hand whose raised forefinger is the hot spot."""
    img = blank()
    line(img, 9, 2, 9, 16)
    line(img, 12, 2, 12, 16)
    line(img, 9, 1, 12, 1)
    for finger in (15, 18, 21):
        line(img, finger, 9, finger, 16)
        line(img, finger - 3, 9, finger, 9)
    line(img, 21, 9, 23, 9)
    line(img, 23, 9, 23, 22)
    line(img, 9, 16, 5, 13)
    line(img, 5, 13, 4, 15)
    line(img, 4, 15, 9, 24)
    line(img, 9, 24, 9, 29)
    line(img, 23, 22, 20, 26)
    line(img, 20, 26, 20, 29)
    line(img, 9, 29, 20, 29)
    return img, (10, 1)


def unavailable():
    """A disabled hyperlink button: a ring crossed by a bar."""
    img = blank()
    arc(img, 16, 16, 10, 0, 360)
    arc(img, 16, 16, 9, 0, 360)
    line(img, 9, 9, 23, 23)
    line(img, 10, 9, 23, 22)
    return img, (16, 16)


def rim(img):
    """White pixels around the black shape."""
    out = blank()
    for y in range(SIZE):
        for x in range(SIZE):
            if img[y][x]:
                continue
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    if 0 <= x + dx < SIZE and 0 <= y + dy < SIZE and img[y + dy][x + dx]:
                        out[y][x] = 1
    return out


def rows(bits):
    """Bottom-up rows of one bit per pixel, 4 bytes a row."""
    data = b""
    for y in reversed(range(SIZE)):
        value = 0
        for x in range(SIZE):
            value = (value << 1) | bits[y][x]
        data += struct.pack(">I", value)
    return data


def cursor_file(img, hotspot):
    white = rim(img)
    # AND 0 with XOR 0 is black, AND 0 with XOR 1 white, AND 1 with XOR 0 transparent.
    xor = [[white[y][x] for x in range(SIZE)] for y in range(SIZE)]
    mask = [[0 if (img[y][x] or white[y][x]) else 1 for x in range(SIZE)] for y in range(SIZE)]
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + rows(xor) + rows(mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 22)
    return directory + entry + image


CURSORS = {
    "pan.cur": pan,
    "zoom.cur": zoom,
    "rotate3d.cur": rotate_3d,
    "rotatevertical.cur": rotate_vertical,
    "rotatehorizontal.cur": rotate_horizontal,
    "rotateplane.cur": rotate_plane,
    "select.cur": select,
    "tabsplitter.cur": tab_splitter,
    "linkhand.cur": link_hand,
    "unavailable.cur": unavailable,
}

if __name__ == "__main__":
    folder = os.path.join("resources", "cursors")
    os.makedirs(folder, exist_ok=True)
    for name, shape in CURSORS.items():
        img, hotspot = shape()
        with open(os.path.join(folder, name), "wb") as f:
            f.write(cursor_file(img, hotspot))
