// Vector arrows.
#include "render/VectorGlyph.h"

#include "core/geometry/VectorMath.h"
#include "render/ContourCutter.h"
#include "render/DrawDevice.h"
#include "render/QuadricGlyph.h"
#include "render/Segment3D.h"

#include <cmath>

CVectorGlyph::CVectorGlyph() = default;

CVectorGlyph::~CVectorGlyph() = default;

double CVectorGlyph::ArrowLength(double value) const
{
    if (m_attr.m_bConstantLength)
        return m_attr.m_length;
    // A largest magnitude of 0 would make every length infinite.
    const double largest = m_attr.m_maxMagnitude > 0.0 ? m_attr.m_maxMagnitude : 1.0;
    return m_attr.m_length * value / largest * m_attr.m_scaleFactor;
}

double CVectorGlyph::HeadLength(double arrowLength) const
{
    if (m_attr.m_nArrowHeadSize == 1)
    {
        const double head = m_attr.m_arrowHeadConst * m_attr.m_length;
        return head > arrowLength ? 0.0 : head;
    }
    return m_attr.m_arrowHeadPercLen * arrowLength;
}

void CVectorGlyph::DrawVector(const CSegment3D& segment, CDrawDevice* device)
{
    if (!device)
        return;
    device->SetRenderMode(kRenderLines);
    const double length = ArrowLength(segment.m_value);
    device->SetLineWidth(static_cast<float>(m_attr.m_nThickness));
    if (m_attr.m_bSameColor)
    {
        device->SetColor(m_attr.m_sameColor);
    }
    else
    {
        int kind = 0;
        int band = 0;
        if (!FindBandClamped(m_attr.m_colorBands, segment.m_value, kind, band))
            return; // no value, no arrow
        device->SetColor(m_attr.m_colorBands.m_bandColors[band]);
    }
    const CPoint3D w = segment.m_end - segment.m_start;
    const double size = Length(w);
    if (size == 0.0 || !std::isfinite(length))
        return;
    const CPoint3D d = w * (1.0 / size);
    const CPoint3D& p = segment.m_start;
    CPoint3D tail = p;
    CPoint3D tip = p;
    switch (m_attr.m_nPosition)
    {
    case 2: tip = p + d * length; break;  // starting at the anchor
    case 3: tail = p - d * length; break; // ending at it
    default:                              // centred on it
        tail = p - d * (length / 2);
        tip = p + d * (length / 2);
        break;
    }
    device->DrawLine(tail, tip, 0);

    const double head = HeadLength(length);
    const double factor = m_attr.m_nArrowHeadType == 1   ? 0.25
                          : m_attr.m_nArrowHeadType == 2 ? 0.4
                          : m_attr.m_nArrowHeadType == 3 ? 0.55
                                                         : 0.0;
    if (head <= 0.0)
        return;
    if (!m_head)
        m_head = std::make_unique<CQuadricGlyph>();
    // The cone's point is the tip; its base lies back along the shaft.
    m_head->DrawArrow(tip, tip - d * head, factor * head);
}
