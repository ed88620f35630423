// Face drawer.
#include "render/FaceDrawObject.h"

#include "core/geometry/EntitySet.h"
#include "core/model/FEFace.h"
#include "render/DrawDevice.h"

CFaceDrawObject::CFaceDrawObject(const CFEFace* face, CEntitySet* coordinateSource)
    : CEntityDrawObject(coordinateSource, 1.0)
    , m_pFace(face)
{
}

CFaceDrawObject::CFaceDrawObject(const CFEFace* face, CEntitySet* coordinateSource,
                                 double shrinkFactor, const CPoint3D& shrinkCentre)
    : CEntityDrawObject(coordinateSource, shrinkFactor)
    , m_pFace(face)
    , m_shrinkCentre(shrinkCentre)
{
}

CPoint3D CFaceDrawObject::ShrinkPoint(const CPoint3D& point) const
{
    return m_shrinkCentre + (point - m_shrinkCentre) * m_shrinkFactor;
}

bool CFaceDrawObject::GatherPoints(CPoint3DArray& points) const
{
    if (!m_pFace)
        return false;
    const bool isShrunk = m_shrinkFactor > 0.0 && m_shrinkFactor < 1.0;
    const int kind = m_pFace->m_cornerCount;
    if (kind == 3 || kind == 4)
    {
        if (!m_pEntitySet || m_pFace->m_ids.GetSize() < kind)
            return false;
        for (int i = 0; i < kind; ++i)
        {
            const CPoint3D p = m_pEntitySet->GetNodePoint(m_pFace->m_ids[i]);
            points.Add(isShrunk ? ShrinkPoint(p) : p);
        }
        return true;
    }
    if (kind == 6 || kind == 8)
    {
        for (const CPoint3D& p : m_pFace->m_outline)
            points.Add(isShrunk ? ShrinkPoint(p) : p);
        return true;
    }
    return false;
}

bool CFaceDrawObject::GatherCorners(CPoint3D (&corners)[4]) const
{
    const int kind = m_pFace->m_cornerCount;
    if (!m_pEntitySet || m_pFace->m_ids.GetSize() < kind)
        return false;
    const bool isShrunk = m_shrinkFactor > 0.0 && m_shrinkFactor < 1.0;
    for (int i = 0; i < kind; ++i)
    {
        const CPoint3D p = m_pEntitySet->GetNodePoint(m_pFace->m_ids[i]);
        corners[i] = isShrunk ? ShrinkPoint(p) : p;
    }
    return true;
}

void CFaceDrawObject::DrawFilled(CDrawDevice* device)
{
    if (device && m_pFace && (m_pFace->m_cornerCount == 3 || m_pFace->m_cornerCount == 4))
    {
        CPoint3D c[4];
        if (!GatherCorners(c))
            return;
        if (m_pFace->m_cornerCount == 3)
            device->DrawTriangleWithNormal(c[0], c[1], c[2], m_pFace->m_normal, 0);
        else
            device->DrawQuadWithNormal(c[0], c[1], c[2], c[3], m_pFace->m_normal, 0);
        return;
    }
    CPoint3DArray points;
    if (!device || !GatherPoints(points))
        return;
    const CPoint3D& normal = m_pFace->m_normal;
    switch (m_pFace->m_cornerCount)
    {
    case 3: device->DrawTriangleWithNormal(points[0], points[1], points[2], normal, 0); break;
    case 4:
        device->DrawQuadWithNormal(points[0], points[1], points[2], points[3], normal, 0);
        break;
    default:
    {
        CPoint3D centroid;
        for (const CPoint3D& p : points)
            centroid = centroid + p;
        if (points.GetSize() > 0)
            centroid = centroid * (1.0 / static_cast<double>(points.GetSize()));
        if (m_pFace->m_cornerCount == 6)
            device->DrawFan2(&points, centroid, TRUE, 0);
        else
            device->DrawFan(&points, centroid, TRUE, 0);
        break;
    }
    }
}

void CFaceDrawObject::DrawOutline(CDrawDevice* device)
{
    if (device && m_pFace && (m_pFace->m_cornerCount == 3 || m_pFace->m_cornerCount == 4))
    {
        CPoint3D c[4];
        if (!GatherCorners(c))
            return;
        if (m_pFace->m_cornerCount == 3)
            device->DrawTriangle(c[0], c[1], c[2], 0);
        else
            device->DrawQuad(c[0], c[1], c[2], c[3], 0);
        return;
    }
    CPoint3DArray points;
    if (!device || !GatherPoints(points))
        return;
    switch (m_pFace->m_cornerCount)
    {
    case 3: device->DrawTriangle(points[0], points[1], points[2], 0); break;
    case 4: device->DrawQuad(points[0], points[1], points[2], points[3], 0); break;
    case 6: device->DrawFan2(&points, CPoint3D(), FALSE, 0); break;
    default: device->DrawFan(&points, CPoint3D(), FALSE, 0); break;
    }
}
