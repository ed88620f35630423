#!/usr/bin/env python3
"""Writes the demo model that the run command opens: resources/demo/demo.unv.

A cantilever plate of 40 x 8 four-node shells, clamped in a block of 2 x 8 x 2 bricks, as a
universal file with results at nodes and on elements:
  - displacements (translations and rotations) of two load cases: the tip bent down, then bent
    and twisted;
  - a temperature at the nodes, falling from the clamp to the tip;
  - a strain energy density on the elements of both load cases, largest at the clamp.
The values are made up to give smooth contours, not computed by a solver.

Usage: python3 scripts/make_demo_model.py [OUTPUT]
"""
import math
import os
import sys

LENGTH = 200.0  # mm, along x
WIDTH = 40.0  # mm, along y
PLATE_CELLS = (40, 8)
BLOCK_CELLS_X = 2
BLOCK_DEPTH = 10.0  # the block reaches from x = -10 to 0 and from z = -5 to 5
TIP_DEFLECTION = 12.0  # mm
TWIST = 0.15  # rad at the tip in the second load case

SHELL_QUAD = 94  # universal-file descriptor: thin shell, linear quadrilateral
SOLID_BRICK = 115  # solid, linear brick


class Mesh:
    def __init__(self):
        self.labels = {}  # (x, y, z) rounded -> node label
        self.nodes = []  # (label, x, y, z)
        self.elements = []  # (label, descriptor, property, node labels)

    def node(self, x, y, z):
        key = (round(x, 6), round(y, 6), round(z, 6))
        if key not in self.labels:
            self.labels[key] = len(self.nodes) + 1
            self.nodes.append((self.labels[key], x, y, z))
        return self.labels[key]

    def element(self, descriptor, prop, corners):
        label = len(self.elements) + 1
        self.elements.append((label, descriptor, prop, [self.node(*c) for c in corners]))
        return label


def build_mesh():
    mesh = Mesh()
    nx, ny = PLATE_CELLS
    dx, dy = LENGTH / nx, WIDTH / ny
    for i in range(nx):
        for j in range(ny):
            x0, y0 = i * dx, j * dy
            mesh.element(SHELL_QUAD, 1, [(x0, y0, 0.0), (x0 + dx, y0, 0.0),
                                          (x0 + dx, y0 + dy, 0.0), (x0, y0 + dy, 0.0)])
    bx = BLOCK_DEPTH / BLOCK_CELLS_X
    dz = BLOCK_DEPTH / 2
    for i in range(BLOCK_CELLS_X):
        for j in range(ny):
            for k in range(2):
                x0, y0, z0 = -BLOCK_DEPTH + i * bx, j * dy, -dz + k * dz
                bottom = [(x0, y0, z0), (x0 + bx, y0, z0), (x0 + bx, y0 + dy, z0),
                          (x0, y0 + dy, z0)]
                top = [(x, y, z + dz) for (x, y, z) in bottom]
                mesh.element(SOLID_BRICK, 2, bottom + top)
    return mesh


def displacement(x, y, case):
    """Translations and rotations of a point for load case 1 (bending) or 2 (and twist)."""
    if x <= 0.0:
        return (0.0,) * 6
    s = x / LENGTH
    w = TIP_DEFLECTION * s * s * (3.0 - s) / 2.0
    slope = TIP_DEFLECTION * (6.0 * s - 3.0 * s * s) / (2.0 * LENGTH)
    rx = 0.0
    if case == 2:
        angle = TWIST * s
        arm = y - WIDTH / 2.0
        w += angle * arm
        slope += TWIST / LENGTH * arm
        rx = angle
    return (0.0, 0.0, -w, rx, slope, 0.0)


def temperature(x, y):
    s = max(x, 0.0) / LENGTH
    return 20.0 + 80.0 * (1.0 - s) ** 2 + 5.0 * math.cos(math.pi * y / WIDTH)


def energy_density(centre, case):
    x, y, _ = centre
    s = max(x, 0.0) / LENGTH
    value = 0.05 * (1.0 - s) ** 2
    if case == 2:
        value += 0.02 * ((y - WIDTH / 2.0) / (WIDTH / 2.0)) ** 2 * (1.0 - 0.5 * s)
    if x < 0.0:
        value *= 0.3  # the block carries the load with little strain
    return value


def real25(value):
    return ("%25.16E" % value).replace("E", "D")


def real13(value):
    return "%13.5E" % value


def write_nodes(out, mesh):
    out.append("    -1")
    out.append("  2411")
    for label, x, y, z in mesh.nodes:
        out.append("%10d%10d%10d%10d" % (label, 1, 1, 11))
        out.append(real25(x) + real25(y) + real25(z))
    out.append("    -1")


def write_elements(out, mesh):
    out.append("    -1")
    out.append("  2412")
    for label, descriptor, prop, nodes in mesh.elements:
        out.append("%10d%10d%10d%10d%10d%10d" % (label, descriptor, prop, prop, 7, len(nodes)))
        out.append("".join("%10d" % n for n in nodes))
    out.append("    -1")


def write_result(out, name, location, characteristic, result_type, load_set, records):
    """One dataset 2414; records are (label, values) pairs."""
    count = {1: 1, 2: 3, 3: 6}[characteristic]
    out.append("    -1")
    out.append("  2414")
    out.append("%10d" % 1)
    out.append(name)
    out.append("%10d" % location)
    out.append("Gravik demo model")
    out.append("Made by scripts/make_demo_model.py")
    out.append("Static analysis, load case %d" % load_set)
    out.append("NONE")
    out.append("NONE")
    out.append("%10d%10d%10d%10d%10d%10d" % (1, 1, characteristic, result_type, 2, count))
    out.append("%10d%10d%10d%10d%10d%10d%10d%10d" % (0, 0, 1, 1, load_set, 0, 0, 0))
    out.append("%10d%10d" % (0, 0))
    out.append("".join(real13(0.0) for _ in range(6)))
    out.append("".join(real13(0.0) for _ in range(6)))
    for label, values in records:
        if location == 1:
            out.append("%10d" % label)
        else:
            out.append("%10d%10d" % (label, count))
        out.append("".join(real13(v) for v in values))
    out.append("    -1")


def centre_of(mesh, nodes):
    points = [mesh.nodes[n - 1][1:] for n in nodes]
    return tuple(sum(p[i] for p in points) / len(points) for i in range(3))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "demo",
                                                                   "demo.unv")
    mesh = build_mesh()
    out = []
    write_nodes(out, mesh)
    write_elements(out, mesh)
    for case in (1, 2):
        write_result(out, "Displacement", 1, 3, 8, case,
                     [(label, displacement(x, y, case)) for label, x, y, _ in mesh.nodes])
    write_result(out, "Temperature", 1, 1, 5, 1,
                 [(label, (temperature(x, y),)) for label, x, y, _ in mesh.nodes])
    for case in (1, 2):
        write_result(out, "Strain energy density", 2, 1, 13, case,
                     [(label, (energy_density(centre_of(mesh, nodes), case),))
                      for label, _, _, nodes in mesh.elements])
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "w", newline="\n") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
