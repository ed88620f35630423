// Axis-aligned box given by its minimum and maximum corners.
#pragma once

#include "core/geometry/Point3D.h"

class CBox3D : public CGeomObject
{
public:
    CBox3D() { type = kTagBox; }
    CBox3D(const CPoint3D& minCorner, const CPoint3D& maxCorner)
        : min(minCorner)
        , max(maxCorner)
    {
        type = kTagBox;
    }
    CBox3D(const CBox3D&) = default;
    CBox3D& operator=(const CBox3D& other)
    {
        type = other.type;
        min = other.min;
        max = other.max;
        return *this;
    }
    ~CBox3D() override = default;

    CPoint3D min;
    CPoint3D max;
};
