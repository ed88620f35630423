#!/usr/bin/env python3
"""Writes the graph window's toolbar bitmaps: point display and print, 16 x 15 each, once with
the point marks shown (graph_marks_shown.bmp) and once with them hidden (graph_marks_hidden.bmp,
also the toolbar's own bitmap). Run from the repository root; the files are committed."""
import os

from make_app_images import BLACK, BLUE, RED, WHITE, bmp_file, print_, toolbar_bitmap


def curve(c):
    c.line(1, 13, 14, 13, BLACK)
    c.line(1, 1, 1, 13, BLACK)
    c.line(2, 11, 6, 6, BLUE)
    c.line(6, 6, 10, 8, BLUE)
    c.line(10, 8, 14, 2, BLUE)


def marks_shown(c):
    curve(c)
    for x, y in ((6, 6), (10, 8), (13, 3)):
        c.fill(x - 1, y - 1, x + 1, y + 1, WHITE)
        c.rect(x - 1, y - 1, x + 1, y + 1, RED)


if __name__ == "__main__":
    bitmaps = os.path.join("resources", "bitmaps")
    for name, first in (("graph_marks_shown.bmp", marks_shown), ("graph_marks_hidden.bmp", curve)):
        with open(os.path.join(bitmaps, name), "wb") as f:
            f.write(bmp_file(toolbar_bitmap([first, print_])))
