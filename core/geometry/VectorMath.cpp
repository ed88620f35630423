// Point and vector operations. Zero-length guards compare with 0.0 exactly.
#include "core/geometry/VectorMath.h"

#include <algorithm>
#include <cmath>

namespace
{
// The arc cosine of a rounded dot product of unit vectors may fall just outside [-1, 1].
double ClampedAcos(double cosine)
{
    if (std::isnan(cosine))
        return 0.0;
    return std::acos(std::clamp(cosine, -1.0, 1.0));
}

CPoint3D UnitOrZero(const CPoint3D& n)
{
    double length = Length(n);
    if (length == 0.0)
        length = 1.0;
    return CPoint3D(n.x / length, n.y / length, n.z / length);
}
} // namespace

CPoint3D Difference(const CPoint3D& a, const CPoint3D& b)
{
    return CPoint3D(b.x - a.x, b.y - a.y, b.z - a.z);
}

CPoint3D CrossProduct(const CPoint3D& a, const CPoint3D& b)
{
    return CPoint3D(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

double DotProduct(const CPoint3D& a, const CPoint3D& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

double Length(const CPoint3D& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

double Distance(const CPoint3D& a, const CPoint3D& b)
{
    return Length(Difference(a, b));
}

CPoint3D Normalize(const CPoint3D& v)
{
    const double length = Length(v);
    if (length == 0.0 || std::isnan(length))
        return CPoint3D();
    return CPoint3D(v.x / length, v.y / length, v.z / length);
}

CPoint3D UnitVector(const CPoint3D& a, const CPoint3D& b)
{
    const CPoint3D difference = Difference(a, b);
    const double distance = Distance(a, b);
    if (distance == 0.0)
        return difference;
    return CPoint3D(difference.x / distance, difference.y / distance, difference.z / distance);
}

double AngleBetween(const CPoint3D& a, const CPoint3D& b)
{
    return ClampedAcos(DotProduct(Normalize(a), Normalize(b)));
}

CPoint3D RotateAboutAxis(const CPoint3D& v, double angle, const CPoint3D& axis)
{
    const CPoint3D u = Normalize(axis);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1.0 - c;
    return CPoint3D((t * u.x * u.x + c) * v.x + (t * u.x * u.y - s * u.z) * v.y +
                        (t * u.x * u.z + s * u.y) * v.z,
                    (t * u.x * u.y + s * u.z) * v.x + (t * u.y * u.y + c) * v.y +
                        (t * u.y * u.z - s * u.x) * v.z,
                    (t * u.x * u.z - s * u.y) * v.x + (t * u.y * u.z + s * u.x) * v.y +
                        (t * u.z * u.z + c) * v.z);
}

CPoint3D DirectionFromAngles(const CPoint3D& anglesDeg)
{
    // The angles are negated on the way to radians; the constant is the one stored views use.
    constexpr double kNegDegToRad = -0.017453292516666667;
    CPoint3D v(0.0, 0.0, 1.0);
    v = RotateAboutAxis(v, anglesDeg.x * kNegDegToRad, CPoint3D(1.0, 0.0, 0.0));
    v = RotateAboutAxis(v, anglesDeg.y * kNegDegToRad, CPoint3D(0.0, 1.0, 0.0));
    v = RotateAboutAxis(v, anglesDeg.z * kNegDegToRad, CPoint3D(0.0, 0.0, 1.0));
    return v;
}

CPoint3D TriangleNormal(const CPoint3D* p)
{
    if (p == nullptr)
        return CPoint3D();
    return CrossProduct(Difference(p[0], p[1]), Difference(p[0], p[2]));
}

void CalcUnitNormal(CPoint3D& n, const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2)
{
    const CPoint3D unit = UnitOrZero(CrossProduct(Difference(p0, p1), Difference(p0, p2)));
    n.x = unit.x;
    n.y = unit.y;
    n.z = unit.z;
}

bool TriangleUnitNormal(const CPoint3D* p, CPoint3D& n)
{
    if (p == nullptr)
        return false;
    CalcUnitNormal(n, p[0], p[1], p[2]);
    return true;
}

double TriangleArea(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2)
{
    // Twice the area is the length of the cross product; its components are these determinants.
    const double d1 = Determinant3(CPoint3D(1.0, p0.y, p0.z), CPoint3D(1.0, p1.y, p1.z),
                                   CPoint3D(1.0, p2.y, p2.z));
    const double d2 = Determinant3(CPoint3D(p0.x, 1.0, p0.z), CPoint3D(p1.x, 1.0, p1.z),
                                   CPoint3D(p2.x, 1.0, p2.z));
    const double d3 = Determinant3(CPoint3D(p0.x, p0.y, 1.0), CPoint3D(p1.x, p1.y, 1.0),
                                   CPoint3D(p2.x, p2.y, 1.0));
    return 0.5 * std::sqrt(d1 * d1 + d2 * d2 + d3 * d3);
}

double Determinant3(const CPoint3D& a, const CPoint3D& b, const CPoint3D& c)
{
    return a.x * (b.y * c.z - c.y * b.z) - a.y * (b.x * c.z - c.x * b.z) +
           a.z * (b.x * c.y - c.x * b.y);
}

double DistanceFromLine(const CPoint3D& a, const CPoint3D& b, const CPoint3D& p)
{
    return Length(CrossProduct(UnitVector(a, b), Difference(a, p)));
}

bool IsPointOnSegment(const CPoint3D& a, const CPoint3D& b, const CPoint3D& p, double tolerance)
{
    if (!(std::fabs(DistanceFromLine(a, b, p)) <= tolerance))
        return false;
    const double segmentLength = Distance(a, b);
    return Distance(a, p) <= segmentLength && Distance(b, p) <= segmentLength;
}
