#!/usr/bin/env python3
"""Writes flat plates of N x N quads for speed comparisons, deterministically.

    python3 scripts/make_plates.py [--rough] OUTDIR [SIDE ...]

For each SIDE (default 100 316 1000 2000: about 10k, 100k, 1M and 4M elements) it writes
    plate_SIDE_small.bdf   bulk data, small field: GRID, CQUAD4, PSHELL, MAT1
    plate_SIDE_large.bdf   the same in large field
    plate_SIDE.unv         nodes (2411), quads (2412) and the OUTPUT2 plate's first
                           displacements (2414)
    plate_SIDE.op2         geometry (GEOM1, GEOM2), then for two static subcases the
                           displacements (OUGV1), constraint forces (OQG1) and the CQUAD4
                           plate stresses (OES1X1)
With --rough also plate_SIDE_rough.unv, whose displacement x = 0.001 (n mod 97) makes every quad
cross about four contour bands: the worst case of the contour's band cutting.
Node j * (SIDE + 1) + i + 1 lies at (i / 100, j / 100, 0); element j * SIDE + i + 1 has the
corners (i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1). Needs numpy.
"""
import argparse
import os
import struct
import sys

np = None  # numpy, imported once the arguments are read: --help needs none of it

PIECE_WORDS = 65536  # the pieces a solver cuts long records into
PLATE_WORDS = 17     # words of one CQUAD4 stress entry (centre only)
DECK_HEAD = "SOL 101\nCEND\nBEGIN BULK\n"
PROPERTY_CARDS = ("%-8s%8d%8d%8s%8d\n" % ("PSHELL", 1, 1, "0.1", 1) +
                  "%-8s%8d%8s%8s%8s\n" % ("MAT1", 1, "2.1+5", "", "0.3"))


def grid(side):
    j, i = np.divmod(np.arange((side + 1) * (side + 1), dtype=np.int64), side + 1)
    ids = j * (side + 1) + i + 1
    return ids, i * 0.01, j * 0.01


def quads(side):
    j, i = np.divmod(np.arange(side * side, dtype=np.int64), side)
    n1 = j * (side + 1) + i + 1
    return j * side + i + 1, np.stack([n1, n1 + 1, n1 + side + 2, n1 + side + 1], axis=1)


def write_lines(path, chunks):
    with open(path, "w", newline="\n") as out:
        for chunk in chunks:
            out.write(chunk)


def bulk_small(side):
    ids, x, y = grid(side)
    yield DECK_HEAD
    yield PROPERTY_CARDS
    yield "".join("GRID    %8d        %8.3f%8.3f     0.0\n" % row
                  for row in zip(ids.tolist(), x.tolist(), y.tolist()))
    eids, corners = quads(side)
    yield "".join("CQUAD4  %8d       1%8d%8d%8d%8d\n" % (e, *c)
                  for e, c in zip(eids.tolist(), corners.tolist()))
    yield "ENDDATA\n"


def bulk_large(side):
    ids, x, y = grid(side)
    yield DECK_HEAD
    yield PROPERTY_CARDS
    yield "".join("GRID*   %16d                %16.9f%16.9f*\n*       %16.9e\n" % (n, a, b, 0.0)
                  for n, a, b in zip(ids.tolist(), x.tolist(), y.tolist()))
    eids, corners = quads(side)
    yield "".join("CQUAD4* %16d%16d%16d%16d*\n*       %16d%16d\n" % (e, 1, *c)
                  for e, c in zip(eids.tolist(), corners.tolist()))
    yield "ENDDATA\n"


def unv(side, rough=False):
    ids, x, y = grid(side)
    yield "    -1\n  2411\n"
    yield "".join("%10d%10d%10d%10d\n%25.16E%25.16E%25.16E\n" % (n, 1, 1, 11, a, b, 0.0)
                  for n, a, b in zip(ids.tolist(), x.tolist(), y.tolist()))
    yield "    -1\n    -1\n  2412\n"
    eids, corners = quads(side)
    yield "".join("%10d%10d%10d%10d%10d%10d\n%10d%10d%10d%10d\n" % (e, 44, 1, 1, 7, 4, *c)
                  for e, c in zip(eids.tolist(), corners.tolist()))
    yield "    -1\n    -1\n  2414\n         1\nDISPLACEMENT\n         1\n"
    yield "NONE\nNONE\nNONE\nNONE\nNONE\n"
    yield "         1         1         2         8         2         3\n"
    yield "         0         0         1         1         1         0         0         0\n"
    yield "         0         0\n"
    yield "  0.00000E+00" * 6 + "\n" + "  0.00000E+00" * 6 + "\n"
    if rough:
        yield "".join("%10d\n%13.5E%13.5E%13.5E\n" % (n, 1.0e-3 * (n % 97), -2.0e-4, 3.0e-5)
                      for n in ids.tolist())
    else:
        # The OUTPUT2 plate's first displacements, so that the formats start on the same contour.
        yield "".join("%10d\n%13.5E%13.5E%13.5E\n" % (n, n * 1.0e-6, 1.0e-3, -n * 1.0e-7)
                      for n in ids.tolist())
    yield "    -1\n"


class Op2Writer:
    """Records in the framed layout of a solver's OUTPUT2 file, in native byte order."""

    def __init__(self, out):
        self.out = out
        self.marker = -4

    def words(self, values):
        self.out.write(np.asarray(values, dtype=np.int32).tobytes())

    def control(self, k):
        self.words([4, k, 4])

    def framed(self, data):
        self.words([len(data) * 4])
        self.out.write(data.tobytes())
        self.words([len(data) * 4])

    def record(self, data):
        data = np.asarray(data, dtype=np.int32)
        self.control(1)
        self.control(0)
        for first in range(0, max(len(data), 1), PIECE_WORDS):
            piece = data[first:first + PIECE_WORDS]
            self.control(len(piece))
            self.framed(piece)
        self.control(self.marker)
        self.marker -= 1

    def label(self):
        """The file's opening: date, tape code and label, as a solver writes them."""
        self.control(3)
        self.framed(np.array([12, 10, 26], dtype=np.int32))
        self.control(7)
        self.framed(np.frombuffer(b"NASTRAN FORT TAPE ID CODE - ", dtype=np.int32))
        self.control(2)
        self.framed(np.frombuffer(b"XXXXXXXX", dtype=np.int32))
        self.control(-1)
        self.control(0)

    def header(self, name):
        text = np.frombuffer(name.encode("ascii"), dtype=np.int32)
        self.control(2)
        self.framed(text)
        self.control(-1)
        self.control(7)
        self.framed(np.array([101, 0, 0, 0, 0, 0, 0], dtype=np.int32))
        self.control(-2)
        self.control(1)
        self.control(0)
        self.control(2)
        self.framed(text)
        self.control(-3)
        self.marker = -4

    def end_block(self):
        self.control(1)
        self.control(0)
        self.control(0)


def ident(table_code, subcase, element_type, entry_words):
    words = np.zeros(146, dtype=np.int32)
    words[0:5] = [11, table_code, element_type, subcase, subcase]
    words[8] = 1  # real values
    words[9] = entry_words
    words[10] = 1
    words[50:] = 0x20202020  # title, subtitle and label: blanks
    return words


def as_words(floats):
    return np.asarray(floats, dtype=np.float32).view(np.int32)


def op2(path, side, subcases=2):
    ids, x, y = grid(side)
    eids, corners = quads(side)
    with open(path, "wb") as out:
        w = Op2Writer(out)
        w.label()
        w.header("GEOM1   ")
        rows = np.zeros((len(ids), 8), dtype=np.int32)
        rows[:, 0] = ids
        rows[:, 2] = as_words(x)
        rows[:, 3] = as_words(y)
        w.record(np.concatenate([[4501, 45, 1], rows.ravel()]))
        w.end_block()
        w.header("GEOM2   ")
        rows = np.zeros((len(eids), 14), dtype=np.int32)
        rows[:, 0] = eids
        rows[:, 1] = 1
        rows[:, 2:6] = corners
        w.record(np.concatenate([[2958, 51, 177], rows.ravel()]))
        w.end_block()
        for name, code in (("OUGV1   ", 1), ("OQG1    ", 3)):
            w.header(name)
            for subcase in range(1, subcases + 1):
                w.record(ident(code, subcase, 0, 8))
                rows = np.zeros((len(ids), 8), dtype=np.int32)
                rows[:, 0] = ids * 10 + 1
                rows[:, 1] = 1
                values = np.stack([ids * 1e-6, np.full(len(ids), subcase * 1e-3), -ids * 1e-7,
                                   np.full(len(ids), 0.5), np.full(len(ids), 0.25),
                                   np.full(len(ids), 0.125)], axis=1)
                rows[:, 2:] = as_words(values)
                w.record(rows.ravel())
            w.end_block()
        w.header("OES1X1  ")
        for subcase in range(1, subcases + 1):
            w.record(ident(5, subcase, 33, PLATE_WORDS))
            rows = np.zeros((len(eids), PLATE_WORDS), dtype=np.int32)
            rows[:, 0] = eids * 10 + 1
            base = (eids % 1000) * 0.1 + subcase
            rows[:, 1:] = as_words(base[:, None] + np.arange(1, PLATE_WORDS)[None, :])
            w.record(rows.ravel())
        w.end_block()
        w.control(0)


def parse_arguments():
    """The folder, the sides and --rough; --help prints the usage, an unknown option ends with
    it (exit code 2) before anything is written."""
    usage, _, details = __doc__.strip().partition("\n\n")
    parser = argparse.ArgumentParser(
        prog="make_plates.py", usage=details.splitlines()[0].strip()[len("python3 "):],
        description=usage, epilog=details.split("\n", 1)[1],
        formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--rough", action="store_true",
                        help="also write plate_SIDE_rough.unv")
    parser.add_argument("folder", metavar="OUTDIR", help="folder the plates are written into")
    parser.add_argument("sides", metavar="SIDE", type=int, nargs="*",
                        default=[100, 316, 1000, 2000], help="quads along an edge")
    # Named first: argparse would otherwise complain of the missing folder instead.
    for argument in sys.argv[1:]:
        if argument.startswith("-") and argument not in ("-h", "--help", "--rough"):
            parser.error("unknown option %s" % argument)
    return parser.parse_args()


def main():
    arguments = parse_arguments()
    global np
    try:
        import numpy as np
    except ImportError:
        sys.exit("make_plates.py needs numpy (apt-get install python3-numpy, then run it with "
                 "/usr/bin/python3)")
    os.makedirs(arguments.folder, exist_ok=True)
    for side in arguments.sides:
        stem = os.path.join(arguments.folder, "plate_%d" % side)
        write_lines(stem + "_small.bdf", bulk_small(side))
        write_lines(stem + "_large.bdf", bulk_large(side))
        write_lines(stem + ".unv", unv(side))
        if arguments.rough:
            write_lines(stem + "_rough.unv", unv(side, rough=True))
        op2(stem + ".op2", side)
    return 0


if __name__ == "__main__":
    sys.exit(main())
