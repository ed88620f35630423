#!/usr/bin/env python3
"""Writes the project tree's pictures: the node pictures (17 pictures of 32 x 16 side by side:
project, result heading, scalar results, vector results, geometry, the six entity kinds grid,
mass, beam, elastic spring, solid and shell, then the same six with a check mark) and the tree
bar's tab picture (16 x 16), on the light grey the image lists make transparent. Drawn with the
helpers of make_app_images.py. Run from the repository root; the files are committed."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_app_images as app  # noqa: E402

WIDTH, HEIGHT = 32, 16


def picture(draw, checked=False):
    c = app.Canvas(WIDTH, HEIGHT, app.GREY)
    icon = app.Canvas(16, 15, app.GREY)
    draw(icon)
    c.blit(icon, 0, 0)
    if checked:
        # A check mark right of the picture: the entity kind is shown.
        c.fill(18, 2, 30, 14, app.WHITE)
        c.rect(18, 2, 30, 14, app.DARK)
        for i in range(3):
            c.line(20, 8 + i, 22, 10 + i, app.GREEN)
            c.line(22, 10 + i, 28, 4 + i, app.GREEN)
    return c


def project(c):
    c.fill(1, 4, 14, 13, app.YELLOW)
    c.rect(1, 4, 14, 13, app.BROWN)
    c.line(1, 3, 6, 3, app.BROWN)
    c.fill(4, 7, 11, 10, app.RED)


def result_heading(c):
    for i in range(12):
        c.line(2 + i, 3, 2 + i, 12, app.mesh_colour(i / 11.0))
    c.rect(1, 2, 14, 13, app.DARK)


def scalar(c):
    for i in range(7):
        c.fill(5, 1 + i * 2, 10, 2 + i * 2, app.mesh_colour(1 - i / 6.0))
    c.rect(4, 0, 11, 14, app.DARK)


def vector(c):
    c.line(2, 12, 12, 2, app.NAVY)
    c.line(2, 13, 13, 2, app.NAVY)
    c.line(12, 2, 7, 3, app.NAVY)
    c.line(12, 2, 11, 7, app.NAVY)


def geometry(c):
    app.cube("wire")(c)


def build():
    kinds = [app.entity("node", app.RED), app.entity("mass", app.ORANGE),
             app.entity("beam", app.BLUE), app.entity("elass", app.MAGENTA),
             app.entity("solid", app.CYAN), app.entity("shell", app.CYAN)]
    pictures = [picture(d) for d in (project, result_heading, scalar, vector, geometry)]
    pictures += [picture(d) for d in kinds]
    pictures += [picture(d, True) for d in kinds]
    strip = app.Canvas(WIDTH * len(pictures), HEIGHT, app.GREY)
    for i, p in enumerate(pictures):
        strip.blit(p, WIDTH * i, 0)
    tab = app.Canvas(16, 16, app.GREY)
    icon = app.Canvas(16, 15, app.GREY)
    app.tree(icon)
    tab.blit(icon, 0, 0)
    return strip, tab


if __name__ == "__main__":
    strip, tab = build()
    folder = os.path.join("resources", "bitmaps")
    with open(os.path.join(folder, "tree_nodes.bmp"), "wb") as f:
        f.write(app.bmp_file(strip))
    with open(os.path.join(folder, "tree_tab.bmp"), "wb") as f:
        f.write(app.bmp_file(tab))
