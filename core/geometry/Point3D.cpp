// Point comparison.
#include "core/geometry/Point3D.h"

#include <cmath>

namespace
{
constexpr double kEqualTolerance = 0.001;
}

bool CPoint3D::IsEqual(const CPoint3D& other) const
{
    return std::fabs(x - other.x) <= kEqualTolerance && std::fabs(y - other.y) <= kEqualTolerance &&
           std::fabs(z - other.z) <= kEqualTolerance;
}
