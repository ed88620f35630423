// Mass element marker: a filled hexagon in the model's XY plane.
#pragma once

#include "render/DrawObject.h"

class CSegment3D;

class CMassGlyph : public CEntityDrawObject
{
public:
    CMassGlyph() = default;
    ~CMassGlyph() override = default;

    void SetSize(int size) { m_nSize = size; }
    // A hexagon as wide as the marker size (model units) around the segment's start point.
    void Draw(const CSegment3D* segment) const;

    void DrawFilled(CDrawDevice*) override {}
    void DrawOutline(CDrawDevice*) override {}

    int m_nSize = 1;
};
