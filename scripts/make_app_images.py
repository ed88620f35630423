#!/usr/bin/env python3
"""Writes the application shell's pictures: the eleven toolbar bitmaps (16 x 15 images side by
side on the light grey that toolbars make transparent), the 550 x 480 splash bitmap and the
program and document icons. Everything is drawn from lines, boxes, discs and a 3 x 5 letter
font. Run from the repository root after changing a picture; the files are committed."""
import math
import os
import struct

GREY = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (64, 64, 64)
RED = (220, 0, 0)
GREEN = (0, 150, 0)
BLUE = (0, 0, 220)
NAVY = (0, 0, 128)
YELLOW = (240, 200, 0)
ORANGE = (240, 130, 0)
CYAN = (0, 170, 200)
MAGENTA = (180, 0, 180)
BROWN = (150, 90, 30)

# 3 x 5 letters: one string of three characters per row.
FONT = {
    "A": ["010", "101", "111", "101", "101"], "B": ["110", "101", "110", "101", "110"],
    "D": ["110", "101", "101", "101", "110"], "E": ["111", "100", "110", "100", "111"],
    "G": ["011", "100", "101", "101", "011"], "I": ["111", "010", "010", "010", "111"],
    "K": ["101", "101", "110", "101", "101"], "M": ["101", "111", "111", "101", "101"],
    "N": ["101", "111", "111", "111", "101"], "R": ["110", "101", "110", "101", "101"],
    "S": ["011", "100", "010", "001", "110"], "V": ["101", "101", "101", "101", "010"],
    "X": ["101", "101", "010", "101", "101"], "Y": ["101", "101", "010", "010", "010"],
    "Z": ["111", "001", "010", "100", "111"], "?": ["110", "001", "010", "000", "010"],
    "P": ["110", "101", "110", "100", "100"],
    "1": ["010", "110", "010", "010", "111"], "+": ["000", "010", "111", "010", "000"],
}


class Canvas:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.px = [[background] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.set(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def rect(self, x0, y0, x1, y1, colour):
        self.line(x0, y0, x1, y0, colour)
        self.line(x0, y1, x1, y1, colour)
        self.line(x0, y0, x0, y1, colour)
        self.line(x1, y0, x1, y1, colour)

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, colour)

    def circle(self, cx, cy, r, colour, start=0, end=360):
        for i in range(int((end - start) * 2) + 1):
            a = math.radians(start + i / 2)
            self.set(round(cx + r * math.cos(a)), round(cy - r * math.sin(a)), colour)

    def text(self, x, y, word, colour, scale=1):
        for ch in word:
            rows = FONT[ch]
            for row, bits in enumerate(rows):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.fill(x + col * scale, y + row * scale, x + col * scale + scale - 1,
                                  y + row * scale + scale - 1, colour)
            x += 4 * scale

    def blit(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                self.set(ox + x, oy + y, other.px[y][x])


def bmp_file(canvas):
    stride = ((canvas.width * 3 + 3) // 4) * 4
    rows = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for r, g, b in canvas.px[y]:
            row += bytes((b, g, r))
        rows += row + b"\x00" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(rows),
                       2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + bytes(rows)


def ico_file(canvases, transparent):
    """Icon of 32-bit images with an AND mask; pixels of the transparent colour vanish."""
    images = []
    for c in canvases:
        xor = bytearray()
        mask = bytearray()
        mask_stride = ((c.width + 31) // 32) * 4
        for y in reversed(range(c.height)):
            bits = 0
            row_mask = bytearray(mask_stride)
            for x, (r, g, b) in enumerate(c.px[y]):
                clear = (r, g, b) == transparent
                xor += bytes((b, g, r, 0 if clear else 255)) if not clear else b"\x00\x00\x00\x00"
                if clear:
                    row_mask[x // 8] |= 0x80 >> (x % 8)
            mask += row_mask
        header = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 32, 0,
                             len(xor) + len(mask), 0, 0, 0, 0)
        images.append((c, header + bytes(xor) + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in images:
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32, len(data),
                           offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


# Button pictures, one function per command: each draws into a 16 x 15 canvas.
def button(draw):
    c = Canvas(16, 15, GREY)
    draw(c)
    return c


def doc(c):
    c.fill(3, 1, 11, 13, WHITE)
    c.rect(3, 1, 11, 13, BLACK)
    c.line(9, 1, 11, 3, BLACK)


def new(c):
    doc(c)
    c.line(13, 0, 13, 4, ORANGE)
    c.line(11, 2, 15, 2, ORANGE)


def open_(c):
    c.fill(1, 5, 11, 12, YELLOW)
    c.rect(1, 5, 11, 12, BROWN)
    c.line(1, 4, 5, 4, BROWN)
    c.line(4, 12, 14, 7, BROWN)
    c.line(11, 1, 14, 4, BLUE)


def save(c):
    c.fill(2, 1, 13, 13, NAVY)
    c.fill(4, 2, 11, 6, WHITE)
    c.fill(5, 9, 10, 13, GREY)


def print_(c):
    c.fill(4, 1, 11, 5, WHITE)
    c.rect(4, 1, 11, 5, BLACK)
    c.fill(1, 6, 14, 11, DARK)
    c.fill(4, 10, 11, 14, WHITE)
    c.rect(4, 10, 11, 14, BLACK)


def about(c):
    c.disc(7.5, 7, 6, NAVY)
    c.fill(7, 3, 8, 4, WHITE)
    c.fill(7, 6, 8, 11, WHITE)


def context_help(c):
    c.line(1, 1, 1, 11, BLACK)
    c.line(1, 1, 8, 8, BLACK)
    c.line(1, 11, 4, 8, BLACK)
    c.line(4, 8, 8, 8, BLACK)
    c.text(10, 5, "?", BLUE, 1)


def tree(c):
    c.fill(1, 1, 14, 13, WHITE)
    c.rect(1, 1, 14, 13, DARK)
    for y in (3, 6, 9, 12):
        c.fill(6 if y > 3 else 3, y - 1, 12, y, BLUE if y == 3 else GREEN)
    c.line(4, 4, 4, 11, DARK)


def output(c):
    c.fill(1, 1, 14, 13, WHITE)
    c.rect(1, 1, 14, 13, DARK)
    c.fill(1, 1, 14, 3, NAVY)
    for y in (6, 8, 10, 12):
        c.line(3, y, 11 if y % 4 else 8, y, BLACK)


def axes(word):
    def draw(c):
        c.line(2, 12, 13, 12, RED)
        c.line(2, 12, 2, 1, GREEN)
        c.text(5 if len(word) == 2 else 3, 3, word, NAVY)
    return draw


def triad(corner):
    def draw(c):
        c.fill(1, 1, 14, 13, WHITE)
        c.rect(1, 1, 14, 13, DARK)
        x = 3 if "L" in corner else 9
        y = 3 if "T" in corner else 8
        c.line(x, y + 4, x + 4, y + 4, RED)
        c.line(x, y + 4, x, y, GREEN)
        c.line(x, y + 4, x + 2, y + 2, BLUE)
    return draw


def redraw(c):
    c.circle(7.5, 7, 5, GREEN, 30, 330)
    c.line(12, 2, 12, 5, GREEN)
    c.line(9, 5, 12, 5, GREEN)


def auto_scale(c):
    c.rect(1, 1, 14, 13, DARK)
    c.fill(5, 4, 10, 10, CYAN)
    for x0, y0, x1, y1 in ((2, 2, 4, 3), (13, 2, 11, 3), (2, 12, 4, 11), (13, 12, 11, 11)):
        c.line(x0, y0, x1, y1, BLACK)


def window_zoom(c):
    c.rect(1, 1, 10, 9, BLACK)
    c.circle(10, 9, 3, NAVY)
    c.line(12, 11, 14, 13, NAVY)


def zoom(c):
    c.circle(6, 6, 4, NAVY)
    c.line(4, 6, 8, 6, NAVY)
    c.line(6, 4, 6, 8, NAVY)
    c.line(9, 9, 14, 14, NAVY)


def pan(c):
    c.line(7, 1, 7, 13, BLACK)
    c.line(1, 7, 13, 7, BLACK)
    for x0, y0, dx, dy in ((7, 1, 1, 1), (7, 13, 1, -1), (1, 7, 1, 1), (13, 7, -1, 1)):
        if dx == dy or (y0 in (1, 13)):
            c.line(x0, y0, x0 - 2, y0 + 2 * dy, BLACK)
            c.line(x0, y0, x0 + 2, y0 + 2 * dy, BLACK)
        else:
            c.line(x0, y0, x0 + 2 * dx, y0 - 2, BLACK)
            c.line(x0, y0, x0 + 2 * dx, y0 + 2, BLACK)


def rotation(kind):
    def draw(c):
        if kind == "3d":
            c.circle(7.5, 7, 5, BLUE, 20, 340)
            c.circle(7.5, 7, 2, RED)
        elif kind == "plane":
            c.circle(7.5, 7, 5, MAGENTA, 0, 300)
            c.disc(7.5, 7, 1, BLACK)
        elif kind == "vertical":
            c.line(7, 1, 7, 13, DARK)
            c.circle(7.5, 7, 5, BLUE, 100, 260)
            c.line(3, 9, 3, 11, BLUE)
        else:
            c.line(1, 7, 14, 7, DARK)
            c.circle(7.5, 7, 5, BLUE, 190, 350)
            c.line(11, 10, 13, 10, BLUE)
    return draw


def cube(style):
    def draw(c):
        front = [(2, 5), (10, 5), (10, 13), (2, 13)]
        back = [(5, 2), (13, 2), (13, 10), (5, 10)]
        if style in ("shade", "ridge_shade"):
            c.fill(2, 5, 10, 13, CYAN)
            for i in range(3):
                c.line(3 + i, 4 - i, 11 + i, 4 - i, (0, 120, 150))
                c.line(11 + i, 4 - i, 11 + i, 12 - i, (0, 100, 130))
        edge = BLACK if style != "shade" else (0, 90, 110)
        for i in range(4):
            c.line(*front[i], *front[(i + 1) % 4], edge)
            if style not in ("hidden",) or i in (0, 1):
                c.line(*back[i], *back[(i + 1) % 4], edge)
            if style != "hidden" or i != 3:
                c.line(*front[i], *back[i], edge)
        if style == "wire":
            c.line(2, 13, 13, 2, DARK)
    return draw


def cancel(kind):
    def draw(c):
        c.rect(2, 2, 12, 12, DARK)
        c.line(4, 4, 10, 10, RED)
        c.line(10, 4, 4, 10, RED)
        if kind == "one":
            c.fill(11, 11, 14, 14, GREY)
            c.text(12, 9, "1", BLACK)
    return draw


def select_kind(word):
    def draw(c):
        c.line(1, 1, 1, 10, BLACK)
        c.line(1, 1, 7, 7, BLACK)
        c.line(1, 10, 4, 7, BLACK)
        c.text(15 - 4 * len(word), 9, word, NAVY)
    return draw


def decision(c):
    c.line(2, 7, 6, 11, GREEN)
    c.line(2, 8, 6, 12, GREEN)
    c.line(6, 11, 13, 2, GREEN)
    c.line(6, 12, 13, 3, GREEN)


def abort(c):
    c.disc(7.5, 7, 6, RED)
    c.fill(4, 6, 11, 8, WHITE)


def select_all(c):
    for x in (2, 7, 12):
        for y in (2, 7, 12):
            c.fill(x - 1, y - 1, x, y, BLUE)
    c.rect(0, 0, 14, 14, DARK)


def area(shape):
    def draw(c):
        if shape == "rect":
            c.rect(2, 3, 13, 11, BLUE)
        elif shape == "circle":
            c.circle(7.5, 7, 5.5, BLUE)
        else:
            pts = [(2, 4), (8, 1), (13, 6), (10, 13), (3, 11)]
            for i in range(len(pts)):
                c.line(*pts[i], *pts[(i + 1) % len(pts)], BLUE)
        c.disc(7.5, 7, 1, RED)
    return draw


def entity(kind, colour, marker=None):
    def draw(c):
        if kind == "node":
            c.disc(7.5, 7, 3, colour)
        elif kind == "beam":
            c.line(1, 12, 14, 2, colour)
            c.line(1, 13, 14, 3, colour)
            c.disc(1.5, 12.5, 1, BLACK)
            c.disc(13.5, 2.5, 1, BLACK)
        elif kind == "shell":
            c.fill(2, 3, 13, 11, colour)
            c.rect(2, 3, 13, 11, BLACK)
            c.line(7, 3, 7, 11, BLACK)
            c.line(2, 7, 13, 7, BLACK)
        elif kind == "elass":
            for i, x in enumerate(range(2, 14, 2)):
                c.line(x, 4 if i % 2 else 10, x + 2, 10 if i % 2 else 4, colour)
        elif kind == "solid":
            cube("shade")(c)
        elif kind == "mass":
            c.disc(7.5, 7, 5, colour)
            c.disc(6, 5, 1, WHITE)
        if marker:
            c.line(11, 10, 11, 14, BLACK)
            c.line(11, 10, 15, 14, BLACK)
            c.line(11, 14, 13, 12, BLACK)
    return draw


def label(word):
    def draw(c):
        c.text(2, 5, word, BLACK)
        c.line(1, 12, 14, 12, DARK)
    return draw


def play(c):
    for y in range(2, 13):
        half = 5 - abs(y - 7)
        c.line(4, y, 4 + half * 2, y, GREEN)


def stop(c):
    c.fill(3, 3, 12, 11, RED)


def back(c):
    for y in range(3, 12):
        half = 4 - abs(y - 7)
        c.line(10 - half * 2, y, 10, y, NAVY)
    c.fill(2, 3, 3, 11, NAVY)


def forward(c):
    for y in range(3, 12):
        half = 4 - abs(y - 7)
        c.line(4, y, 4 + half * 2, y, NAVY)
    c.fill(12, 3, 13, 11, NAVY)


def repeat(c):
    c.circle(7.5, 7, 5, GREEN, 45, 360)
    c.line(11, 3, 11, 6, GREEN)
    c.line(11, 3, 14, 3, GREEN)


def interval(c):
    c.circle(7.5, 7, 6, BLACK)
    c.line(7, 7, 7, 3, BLACK)
    c.line(7, 7, 10, 9, RED)


def export_avi(c):
    c.fill(1, 3, 11, 11, DARK)
    for x in (2, 5, 8):
        c.fill(x, 4, x + 1, 5, WHITE)
        c.fill(x, 9, x + 1, 10, WHITE)
    c.line(10, 7, 14, 7, RED)
    c.line(12, 5, 14, 7, RED)
    c.line(12, 9, 14, 7, RED)


def combo_place(c):
    """The combo box covers this image; it is never seen."""


# The toolbars: file stem, resource id and the pictures in button order. A toolbar resource
# lists the same commands in app.rc.
TOOLBARS = [
    ("standard", [new, open_, save, print_, about, context_help]),
    ("workspace", [tree, output]),
    ("direction", [axes("XY"), axes("YX"), axes("YZ"), axes("ZY"), axes("ZX"), axes("XZ"),
                   axes("XYZ"), axes("YXZ")]),
    ("triad", [triad("LT"), triad("RT"), triad("RB"), triad("LB")]),
    ("viewsettings", [redraw, auto_scale, window_zoom, zoom, pan, rotation("3d"),
                      rotation("plane"), rotation("vertical"), rotation("horizontal")]),
    ("viewmode", [cube("wire"), cube("ridge"), cube("shade"), cube("ridge_shade"),
                  cube("hidden")]),
    ("selection", [cancel("all"), cancel("one"), select_kind("ID"), select_kind("P"),
                   select_kind("M"), decision, abort, select_all]),
    ("selectionmode", [area("rect"), area("circle"), area("polygon")]),
    ("selectionfilter", [entity("node", RED, True), entity("beam", BLUE, True),
                         entity("shell", CYAN, True), entity("elass", MAGENTA, True),
                         entity("solid", CYAN, True), entity("mass", ORANGE, True)]),
    ("displayfilter", [entity("node", RED), entity("beam", BLUE), entity("shell", CYAN),
                       entity("elass", MAGENTA), entity("solid", CYAN), entity("mass", ORANGE),
                       label("EID"), label("NID")]),
    ("animation", [play, stop, back, forward, repeat, interval, export_avi, combo_place]),
]


def toolbar_bitmap(pictures):
    strip = Canvas(16 * len(pictures), 15, GREY)
    for i, draw in enumerate(pictures):
        strip.blit(button(draw), 16 * i, 0)
    return strip


def mesh_colour(value):
    """A contour band colour from blue through green to red for value 0..1."""
    bands = [(0, 0, 255), (0, 160, 255), (0, 220, 160), (80, 220, 0), (230, 230, 0),
             (255, 150, 0), (255, 0, 0)]
    index = min(int(value * len(bands)), len(bands) - 1)
    return bands[index]


def splash():
    c = Canvas(550, 480, (16, 32, 64))
    for y in range(480):
        shade = int(16 + 40 * y / 479)
        c.line(0, y, 549, y, (shade // 2, shade, shade + 40))
    # A deformed plate meshed in quads, coloured by its bending.
    cols, rows = 18, 9
    def point(i, j):
        u, v = i / cols, j / rows
        lift = 50 * math.sin(math.pi * u) * math.sin(math.pi * v)
        return (95 + 360 * u + 80 * v, 300 - 120 * v - lift), lift / 50
    for j in range(rows):
        for i in range(cols):
            (p0, w0), (p1, w1) = point(i, j), point(i + 1, j)
            (p2, w2), (p3, w3) = point(i + 1, j + 1), point(i, j + 1)
            colour = mesh_colour((w0 + w1 + w2 + w3) / 4)
            fill_quad(c, [p0, p1, p2, p3], colour)
            for a, b in ((p0, p1), (p1, p2), (p2, p3), (p3, p0)):
                c.line(round(a[0]), round(a[1]), round(b[0]), round(b[1]), (20, 20, 20))
    c.text(150, 345, "GRAVIK", WHITE, 10)
    c.line(150, 410, 400, 410, (120, 180, 255))
    # Colour legend on the left.
    for k in range(7):
        c.fill(40, 120 + 24 * k, 60, 141 + 24 * k, mesh_colour((6 - k) / 7 + 0.01))
    c.rect(40, 120, 60, 288, WHITE)
    return c


def fill_quad(c, pts, colour):
    ys = [p[1] for p in pts]
    for y in range(int(min(ys)), int(max(ys)) + 1):
        xs = []
        for k in range(4):
            (x0, y0), (x1, y1) = pts[k], pts[(k + 1) % 4]
            if (y0 <= y < y1) or (y1 <= y < y0):
                xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for a, b in zip(xs[0::2], xs[1::2]):
            c.line(round(a), y, round(b), y, colour)


def app_icon(size):
    clear = (255, 0, 255)
    c = Canvas(size, size, clear)
    s = size / 32
    c.disc(16 * s - 0.5, 16 * s - 0.5, 15 * s, NAVY)
    cols = 4
    for i in range(cols):
        for j in range(cols):
            x0 = round((6 + i * 5) * s)
            y0 = round((6 + j * 5) * s)
            c.fill(x0, y0, x0 + round(4 * s) - 1, y0 + round(4 * s) - 1,
                   mesh_colour((i + j) / (2 * cols - 2)))
    return c, clear


def doc_icon(size):
    clear = (255, 0, 255)
    c = Canvas(size, size, clear)
    s = size / 32
    c.fill(round(5 * s), round(2 * s), round(26 * s), round(29 * s), WHITE)
    c.rect(round(5 * s), round(2 * s), round(26 * s), round(29 * s), BLACK)
    for k in range(4):
        y = round((8 + 5 * k) * s)
        c.fill(round(9 * s), y, round(22 * s), y + max(1, round(3 * s)) - 1,
               mesh_colour(k / 3))
    return c, clear


if __name__ == "__main__":
    bitmaps = os.path.join("resources", "bitmaps")
    icons = os.path.join("resources", "icons")
    os.makedirs(bitmaps, exist_ok=True)
    os.makedirs(icons, exist_ok=True)
    for stem, pictures in TOOLBARS:
        with open(os.path.join(bitmaps, "toolbar_%s.bmp" % stem), "wb") as f:
            f.write(bmp_file(toolbar_bitmap(pictures)))
    with open(os.path.join(bitmaps, "splash.bmp"), "wb") as f:
        f.write(bmp_file(splash()))
    for name, make in (("gravik.ico", app_icon), ("document.ico", doc_icon)):
        pairs = [make(32), make(16)]
        with open(os.path.join(icons, name), "wb") as f:
            f.write(ico_file([p[0] for p in pairs], pairs[0][1]))
