// Free operations on points and vectors: products, lengths, unit vectors, angles (radians),
// rotations, triangle normals and areas, distances from lines. None of them fails: a zero
// length or count gives the neutral result (zero vector, 0.0 or false) instead.
#pragma once

#include "core/geometry/Point3D.h"

CPoint3D Difference(const CPoint3D& a, const CPoint3D& b); // b - a
CPoint3D CrossProduct(const CPoint3D& a, const CPoint3D& b);
double DotProduct(const CPoint3D& a, const CPoint3D& b);
double Length(const CPoint3D& v);
double Distance(const CPoint3D& a, const CPoint3D& b);
// The zero vector (and a vector whose length is not a number) gives (0, 0, 0).
CPoint3D Normalize(const CPoint3D& v);
// Unit vector from a to b; the difference itself when a and b coincide.
CPoint3D UnitVector(const CPoint3D& a, const CPoint3D& b);
// pi/2 when either vector is zero.
double AngleBetween(const CPoint3D& a, const CPoint3D& b);
// Right-hand rotation about an axis through the origin; a zero axis leaves cos(angle) * v.
CPoint3D RotateAboutAxis(const CPoint3D& v, double angle, const CPoint3D& axis);
// (0, 0, 1) turned by minus the given angles (degrees) about x, then y, then z: the viewing
// direction for three angles the user types.
CPoint3D DirectionFromAngles(const CPoint3D& anglesDeg);

// (p[1] - p[0]) x (p[2] - p[0]), not normalised.
CPoint3D TriangleNormal(const CPoint3D* p);
// Writes the unit normal into n's coordinates (n keeps its tag); a degenerate triangle gives 0.
void CalcUnitNormal(CPoint3D& n, const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2);
bool TriangleUnitNormal(const CPoint3D* p, CPoint3D& n);
double TriangleArea(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2);
// a . (b x c)
double Determinant3(const CPoint3D& a, const CPoint3D& b, const CPoint3D& c);

// Distance of p from the infinite line through a and b; 0 when a equals b.
double DistanceFromLine(const CPoint3D& a, const CPoint3D& b, const CPoint3D& p);
bool IsPointOnSegment(const CPoint3D& a, const CPoint3D& b, const CPoint3D& p, double tolerance);

// Tool commands reach the distance routine through a temporary instance.
class CGeomCalculator
{
public:
    virtual ~CGeomCalculator() = default;

    double Distance(const CPoint3D& a, const CPoint3D& b) const { return ::Distance(a, b); }
};
