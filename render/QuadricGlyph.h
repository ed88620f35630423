// GLU quadric glyphs of vector arrows: spheres, cylinders and cones between two points.
#pragma once

#include "core/geometry/Point3D.h"
#include "render/DrawObject.h"

struct GLUquadric;

class CQuadricGlyph : public CDrawObject
{
public:
    CQuadricGlyph();
    ~CQuadricGlyph() override;
    CQuadricGlyph(const CQuadricGlyph&) = delete;
    CQuadricGlyph& operator=(const CQuadricGlyph&) = delete;

    void DrawSphere(const CPoint3D& centre, double radius);
    void DrawCylinder(const CPoint3D& from, const CPoint3D& to, double radius);
    // A cone with its point at from and the given radius at to.
    void DrawArrow(const CPoint3D& from, const CPoint3D& to, double radius);

private:
    // Draws nothing for coincident points; the current matrix is unchanged afterwards.
    void DrawAlong(const CPoint3D& from, const CPoint3D& to, double baseRadius, double topRadius);

    GLUquadric* m_quadric; // owned
};
