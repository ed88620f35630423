// The arithmetic of the section plane that the clipping-plane dialog moves through the model: the
// plane through three points, the range of plane constants over which the plane crosses a box,
// and the slider percent of a constant in that range and back.
#pragma once

#include "core/geometry/Point3D.h"

class CBox3D;

namespace section_plane
{
// The plane a x + b y + c z + d = 0 through the three points, (a, b, c) a unit normal turned by
// the right-hand rule from p0 -> p1 towards p2. Points in a line give a zero normal and leave
// plane[3] as it was; false then.
bool PlaneFromPoints(const CPoint3D points[3], double plane[4]);

// The plane constants of the planes with the normal through the box's minimum corner (low) and
// maximum corner (high), widened to every corner in the direction that pair gives.
void PlaneRange(const double normal[3], const CBox3D& box, double& low, double& high);

// The slider percent (0 to 100, truncated) of the constant d in the range; 0 when the range is
// empty.
int PercentOf(double d, double low, double high);

// The constant at a slider percent.
double ConstantAt(int percent, double low, double high);

// A point of the plane on the first axis whose coefficient is not 0; the origin for a plane
// without a normal.
CPoint3D PointOnPlane(const double plane[4]);
} // namespace section_plane
