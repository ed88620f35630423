// One vector arrow: a shaft line and a cone head, with the length, thickness, colour and
// position of the view's vector settings.
#pragma once

#include "core/display/VectorDisplayAttr.h"
#include "render/DrawObject.h"

#include <memory>

class CQuadricGlyph;
class CSegment3D;

class CVectorGlyph : public CEntityDrawObject
{
public:
    CVectorGlyph();
    ~CVectorGlyph() override;
    CVectorGlyph(const CVectorGlyph&) = delete;
    CVectorGlyph& operator=(const CVectorGlyph&) = delete;

    void DrawFilled(CDrawDevice*) override {}
    void DrawOutline(CDrawDevice*) override {}

    void SetDisplayAttr(CVectorDisplayAttr attr) { m_attr = attr; }
    // Draws the arrow of the segment: its direction from start to end, its value driving the
    // length (unless constant) and the colour band. A zero direction draws nothing.
    void DrawVector(const CSegment3D& segment, CDrawDevice* device);
    // Length of an arrow of the value: the set length, or that scaled by the value's share of
    // the largest magnitude.
    double ArrowLength(double value) const;
    // Head length of an arrow of the given length; 0 when a constant head would be longer.
    double HeadLength(double arrowLength) const;

    CVectorDisplayAttr m_attr;

private:
    std::unique_ptr<CQuadricGlyph> m_head; // made on first use, in the context being drawn
};
