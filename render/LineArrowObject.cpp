// Line arrow.
#include "render/LineArrowObject.h"

#include "core/geometry/VectorMath.h"
#include "render/DrawDevice.h"

#include <cmath>

namespace
{
constexpr double kFlatExtent = 0.0001;
} // namespace

CLineArrowObject::CLineArrowObject(BYTE mode, double length, double headLength)
    : m_mode(mode)
    , m_length(length)
    , m_headLength(headLength)
{
}

void CLineArrowObject::Draw(CDrawDevice* device)
{
    DrawBetween(m_pointA, m_pointB, device);
}

void CLineArrowObject::DrawBetween(const CPoint3D& a, const CPoint3D& b, CDrawDevice* device) const
{
    const CPoint3D e = Normalize(a - b);
    if (device == nullptr || Length(e) == 0.0)
        return;
    const double length = m_length;
    CPoint3D tail;
    CPoint3D tip;
    switch (m_mode)
    {
    case kStartsAtAnchor:
        tail = b;
        tip = b + e * length;
        break;
    case kEndsAtAnchor:
        tail = b - e * length;
        tip = b;
        break;
    default: return;
    }
    const double head = m_headLength > 0.0 && m_headLength <= length ? m_headLength : 0.25 * length;
    const double halfWidth = 0.5 * head;
    // The head spans the plane of the shaft and a point beside the anchor, and the plane across.
    const bool hasSideExtent =
        std::fabs(e.x * length) > kFlatExtent || std::fabs(e.z * length) > kFlatExtent;
    const CPoint3D aside = hasSideExtent ? CPoint3D(0.0, 1.0, 0.0) : CPoint3D(1.0, 0.0, 0.0);
    const CPoint3D v = Normalize(CrossProduct(e, aside));
    const CPoint3D u = Normalize(CrossProduct(v, e));
    const CPoint3D base = tip - e * head;
    device->DrawLine(tip, base + u * halfWidth, 0);
    device->DrawLine(tip, base - u * halfWidth, 0);
    device->DrawLine(tip, base + v * halfWidth, 0);
    device->DrawLine(tip, base - v * halfWidth, 0);
    device->DrawLine(tail, tip, 0);
}
