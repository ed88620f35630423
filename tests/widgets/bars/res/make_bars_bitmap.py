#!/usr/bin/env python3
"""Writes the toolbar bitmap of the widget bar tests with the bar tests' writer: five 16 x 15
images (red, green, blue, yellow, cyan squares) on the toolbars' light grey. None uses
magenta, which the text-colour tests look for."""
import importlib.machinery
import os
import types

HERE = os.path.dirname(os.path.abspath(__file__))
WRITER = os.path.join(HERE, "..", "..", "..", "platform", "bars", "res", "make_toolbar_bitmap.py")

if __name__ == "__main__":
    loader = importlib.machinery.SourceFileLoader("make_toolbar_bitmap", WRITER)
    writer = types.ModuleType(loader.name)
    writer.__file__ = WRITER
    loader.exec_module(writer)
    writer.COLOURS = [(255, 0, 0), (0, 160, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255)]
    writer.WIDTH = 16 * len(writer.COLOURS)
    with open(os.path.join(HERE, "bars.bmp"), "wb") as out:
        out.write(writer.bitmap_file())
