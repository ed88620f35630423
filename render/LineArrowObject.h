// An arrow made of lines: a shaft and a head of four lines, for the element direction arrows.
#pragma once

#include "core/geometry/Point3D.h"
#include "render/DrawObject.h"

#include <windows.h>

class CLineArrowObject : public CEntityDrawObject
{
public:
    // m_mode
    enum Mode : BYTE
    {
        kStartsAtAnchor = 1,
        kEndsAtAnchor = 2
    };

    CLineArrowObject() = default;
    CLineArrowObject(BYTE mode, double length, double headLength);
    ~CLineArrowObject() override = default;

    // The stored points: anchor B, direction from B towards A.
    void Draw(CDrawDevice* device);
    void DrawFilled(CDrawDevice* device) override { Draw(device); }
    void DrawOutline(CDrawDevice* device) override { Draw(device); }
    // Anchored at b, pointing from b towards a, with the stored length, mode and head length.
    // A zero direction draws nothing.
    void DrawBetween(const CPoint3D& a, const CPoint3D& b, CDrawDevice* device) const;

    BYTE m_mode = kStartsAtAnchor;
    double m_length = 0.0;
    CPoint3D m_pointA;
    CPoint3D m_pointB;
    double m_headLength = 0.0; // used when 0 < head length <= length; else a quarter of it
};
