// Section plane arithmetic.
#include "render/SectionPlane.h"

#include "core/geometry/Box3D.h"
#include "core/geometry/VectorMath.h"

#include <algorithm>

namespace section_plane
{
bool PlaneFromPoints(const CPoint3D p[3], double plane[4])
{
    const double x0 = p[0].x, y0 = p[0].y, z0 = p[0].z;
    const double x1 = p[1].x, y1 = p[1].y, z1 = p[1].z;
    const double x2 = p[2].x, y2 = p[2].y, z2 = p[2].z;
    const double a = y0 * (z1 - z2) + y1 * (z2 - z0) + y2 * (z0 - z1);
    const double b = z0 * (x1 - x2) + z1 * (x2 - x0) + z2 * (x0 - x1);
    const double c = x0 * (y1 - y2) + x1 * (y2 - y0) + x2 * (y0 - y1);
    const double d =
        -(x0 * (y1 * z2 - y2 * z1) + x1 * (y2 * z0 - y0 * z2) + x2 * (y0 * z1 - y1 * z0));
    const CPoint3D normal = Normalize(CPoint3D(a, b, c));
    plane[0] = normal.x;
    plane[1] = normal.y;
    plane[2] = normal.z;
    // The constant scales with the normal; the first coefficient that is not 0 gives the
    // scale.
    if (a != 0.0)
        plane[3] = d * normal.x / a;
    else if (b != 0.0)
        plane[3] = d * normal.y / b;
    else if (c != 0.0)
        plane[3] = d * normal.z / c;
    else
        return false;
    return true;
}

void PlaneRange(const double normal[3], const CBox3D& box, double& low, double& high)
{
    const auto constant = [normal](const CPoint3D& corner)
    { return -(normal[0] * corner.x + normal[1] * corner.y + normal[2] * corner.z); };
    low = constant(box.min);
    high = constant(box.max);
    const bool isRising = low <= high;
    for (int i = 1; i <= 6; ++i)
    {
        const CPoint3D corner((i & 1) ? box.max.x : box.min.x, (i & 2) ? box.max.y : box.min.y,
                              (i & 4) ? box.max.z : box.min.z);
        const double value = constant(corner);
        double& smaller = isRising ? low : high;
        double& larger = isRising ? high : low;
        smaller = std::min(smaller, value);
        larger = std::max(larger, value);
    }
}

int PercentOf(double d, double low, double high)
{
    if (high == low)
        return 0;
    const double percent = (d - low) / (high - low) * 100.0;
    return static_cast<int>(std::clamp(percent, 0.0, 100.0));
}

double ConstantAt(int percent, double low, double high)
{
    return low + percent * 0.01 * (high - low);
}

CPoint3D PointOnPlane(const double plane[4])
{
    if (plane[0] != 0.0)
        return CPoint3D(-plane[3] / plane[0], 0.0, 0.0);
    if (plane[1] != 0.0)
        return CPoint3D(0.0, -plane[3] / plane[1], 0.0);
    if (plane[2] != 0.0)
        return CPoint3D(0.0, 0.0, -plane[3] / plane[2]);
    return CPoint3D();
}
} // namespace section_plane
