// Draws one element face, filled or as an outline, from node positions of a coordinate source
// (displayed positions for a view), shrunk towards a centre.
#pragma once

#include "core/geometry/Point3D.h"
#include "render/DrawObject.h"

class CFEFace;

class CFaceDrawObject : public CEntityDrawObject
{
public:
    CFaceDrawObject(const CFEFace* face, CEntitySet* coordinateSource);
    CFaceDrawObject(const CFEFace* face, CEntitySet* coordinateSource, double shrinkFactor,
                    const CPoint3D& shrinkCentre);
    ~CFaceDrawObject() override = default;

    void SetFace(const CFEFace* face) { m_pFace = face; }
    void DrawFilled(CDrawDevice* device) override;
    void DrawOutline(CDrawDevice* device) override;

    CPoint3D ShrinkPoint(const CPoint3D& point) const;

    const CFEFace* m_pFace; // not owned
    CPoint3D m_shrinkCentre;

private:
    // Corner positions (3 or 4 nodes) or the curve points (6 or 8); false for other kinds.
    bool GatherPoints(CPoint3DArray& points) const;
    // The corners of a triangle or quad face, without a heap array: a million faces are drawn
    // per list.
    bool GatherCorners(CPoint3D (&corners)[4]) const;
};
