#!/usr/bin/env python3
"""Writes dockstate.golden: the dock state of the bar tests' golden case, field by field as
the stream is documented (all integers 32-bit little-endian)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

VISIBLE, FLOATING, HORIZONTAL, DOCK_BAR, DOCKING = 1, 2, 4, 8, 16
PLACEHOLDER = 0x10000
TOP, FLOAT = 0xE81B, 0xE81F
BAR_A, BAR_B, BAR_C = 0x7B21, 0x7B22, 0x7B23
ALIGN_TOP, ALIGN_LEFT, FLOAT_MULTI = 0x2000, 0x1000, 0x40


def u32(*values):
    return b"".join(struct.pack("<I", v & 0xFFFFFFFF) for v in values)


def bar(bar_id, flags, pos, style, mru_width, docking=None, entries=None, extra=b""):
    data = u32(bar_id, flags, pos[0], pos[1], style, mru_width)
    if docking is not None:
        dock_id, rect, float_style, float_pos = docking
        data += u32(dock_id, *rect, float_style, *float_pos)
    if entries is not None:
        data += u32(len(entries), *entries)
    return data + u32(len(extra)) + extra


def golden():
    bars = [
        # The top dock bar: A, then B's place, in one row; C in a second row.
        bar(TOP, VISIBLE | HORIZONTAL | DOCK_BAR, (0, 0), ALIGN_TOP, 32767,
            entries=[BAR_A, BAR_B | PLACEHOLDER, 0, BAR_C, 0]),
        # A floating frame holding B, upright, at (300, 200) on the screen.
        bar(FLOAT, VISIBLE | FLOATING | DOCK_BAR, (300, 200), ALIGN_LEFT | FLOAT_MULTI, 32767,
            entries=[BAR_B, 0]),
        # A docked, with the places it goes back to and three sizes of its own.
        bar(BAR_A, VISIBLE | HORIZONTAL | DOCKING, (0, 0), 0, 32767,
            docking=(TOP, (0, 0, 100, 24), ALIGN_TOP, (-1, -1)),
            extra=u32(400, 150, 600, 120, 150, 400)),
        # B floating and hidden, last docked in the top dock bar.
        bar(BAR_B, FLOATING | DOCKING, (0, 0), 0, 57,
            docking=(TOP, (100, 0, 250, 30), ALIGN_LEFT, (300, 200))),
    ]
    return struct.pack("<4s", b"FWDS") + u32(1, len(bars)) + b"".join(bars)


if __name__ == "__main__":
    with open(os.path.join(HERE, "dockstate.golden"), "wb") as out:
        out.write(golden())
