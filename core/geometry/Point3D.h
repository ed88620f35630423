// A point or vector of three doubles, and the growable array of them that point lists, face
// outlines and sampled curves use.
#pragma once

#include "core/geometry/GeomObject.h"
#include "platform/base/coll_array.h"

class CPoint3D : public CGeomObject
{
public:
    CPoint3D() { type = kTagPoint; }
    CPoint3D(double px, double py, double pz)
        : x(px)
        , y(py)
        , z(pz)
    {
        type = kTagPoint;
    }
    // Copying keeps the source's tag; assigning makes the target a plain point again.
    CPoint3D(const CPoint3D&) = default;
    CPoint3D& operator=(const CPoint3D& other)
    {
        type = kTagPoint;
        x = other.x;
        y = other.y;
        z = other.z;
        return *this;
    }
    ~CPoint3D() override = default;

    CPoint3D operator+(const CPoint3D& other) const
    {
        return CPoint3D(x + other.x, y + other.y, z + other.z);
    }
    CPoint3D operator-(const CPoint3D& other) const
    {
        return CPoint3D(x - other.x, y - other.y, z - other.z);
    }
    CPoint3D operator*(double factor) const { return CPoint3D(x * factor, y * factor, z * factor); }

    // Absolute tolerance of 0.001 per coordinate, the limit included.
    bool IsEqual(const CPoint3D& other) const;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

class CPoint3DArray : public CArray<CPoint3D>
{
};

// A point member of the entities a model holds millions of (coordinates, centres, normals):
// the three doubles without the tag and the table of a CPoint3D, 24 bytes instead of 40. It
// reads as a CPoint3D (a fresh point, tag 126, as assignment leaves one) and takes one.
class CPackedPoint
{
public:
    CPackedPoint() = default;
    CPackedPoint(const CPoint3D& point)
        : x(point.x)
        , y(point.y)
        , z(point.z)
    {
    }
    CPackedPoint& operator=(const CPoint3D& point)
    {
        x = point.x;
        y = point.y;
        z = point.z;
        return *this;
    }
    operator CPoint3D() const { return CPoint3D(x, y, z); }

    CPoint3D operator+(const CPoint3D& other) const
    {
        return CPoint3D(x + other.x, y + other.y, z + other.z);
    }
    CPoint3D operator-(const CPoint3D& other) const
    {
        return CPoint3D(x - other.x, y - other.y, z - other.z);
    }
    CPoint3D operator*(double factor) const { return CPoint3D(x * factor, y * factor, z * factor); }
    bool IsEqual(const CPoint3D& other) const { return CPoint3D(*this).IsEqual(other); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
