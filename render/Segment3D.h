// A two-point segment with a value: vector arrows and two-node element lines.
#pragma once

#include "core/geometry/Point3D.h"
#include "render/DrawObject.h"

class CSegment3D : public CDisplayObject
{
public:
    CSegment3D() = default;
    CSegment3D(const CSegment3D&) = default;
    CSegment3D& operator=(const CSegment3D&) = default;
    ~CSegment3D() override = default;

    CPoint3D m_start;
    CPoint3D m_end;
    double m_value = 0.0;
};
