"""The team's peer for the 3-D view: the toolkit of the design notes (Debian's python3-vtk9) drawing
the N x N quad plate of our view benchmarks on the same Xvfb and Mesa, for comparison in turn
with `wine build/win/ModelLists_bench.exe N shaded`:

    /usr/bin/python3 bench/peers/plate_frame.py [N] [shaded|faces]

Node j * (N + 1) + i + 1 at (i, j); shaded draws the faces lit with their edges and one
2-pixel point per node, as our shaded frame does; faces the faces alone. An 800 x 600 window;
a frame is Render() followed by a finish, the median of 10 after a first one.
"""
import sys
import time

import numpy as np
import vtk
from vtk.util import numpy_support

n = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
mode = sys.argv[2] if len(sys.argv) > 2 else "shaded"
nodes = (n + 1) * (n + 1)
j, i = np.divmod(np.arange(nodes), n + 1)
xyz = np.zeros((nodes, 3), dtype=np.float32)
xyz[:, 0] = i
xyz[:, 1] = j
points = vtk.vtkPoints()
points.SetData(numpy_support.numpy_to_vtk(xyz, deep=True))
row, column = np.divmod(np.arange(n * n), n)
first = row * (n + 1) + column
quads = np.stack([np.full(n * n, 4), first, first + 1, first + n + 2, first + n + 1], axis=1)
cells = vtk.vtkCellArray()
cells.SetCells(n * n, numpy_support.numpy_to_vtkIdTypeArray(quads.astype(np.int64).ravel(),
                                                           deep=True))
plate = vtk.vtkPolyData()
plate.SetPoints(points)
plate.SetPolys(cells)
mapper = vtk.vtkPolyDataMapper()
mapper.SetInputData(plate)
actor = vtk.vtkActor()
actor.SetMapper(mapper)
renderer = vtk.vtkRenderer()
renderer.AddActor(actor)
if mode == "shaded":
    actor.GetProperty().EdgeVisibilityOn()
    vertices = vtk.vtkCellArray()
    ids = np.stack([np.ones(nodes, dtype=np.int64), np.arange(nodes)], axis=1).ravel()
    vertices.SetCells(nodes, numpy_support.numpy_to_vtkIdTypeArray(ids, deep=True))
    markers = vtk.vtkPolyData()
    markers.SetPoints(points)
    markers.SetVerts(vertices)
    markerMapper = vtk.vtkPolyDataMapper()
    markerMapper.SetInputData(markers)
    markerActor = vtk.vtkActor()
    markerActor.SetMapper(markerMapper)
    markerActor.GetProperty().SetPointSize(2)
    renderer.AddActor(markerActor)
window = vtk.vtkRenderWindow()
window.SetSize(800, 600)
window.AddRenderer(renderer)
renderer.ResetCamera()


def frame():
    start = time.perf_counter()
    window.Render()
    window.WaitForCompletion()
    return time.perf_counter() - start


print("peer first frame (uploads the plate): %.3f s" % frame())
times = sorted(frame() for _ in range(10))
print("peer %s frame: %.3f s (%.3f to %.3f)" % (mode, times[5], times[0], times[-1]))
