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
