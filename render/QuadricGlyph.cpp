// GLU quadric glyphs.
#include "render/QuadricGlyph.h"

#include "core/geometry/VectorMath.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

CQuadricGlyph::CQuadricGlyph()
    : m_quadric(gluNewQuadric())
{
    if (m_quadric)
    {
        gluQuadricDrawStyle(m_quadric, GLU_FILL);
        gluQuadricNormals(m_quadric, GLU_SMOOTH);
    }
}

CQuadricGlyph::~CQuadricGlyph()
{
    if (m_quadric)
        gluDeleteQuadric(m_quadric);
}

void CQuadricGlyph::DrawSphere(const CPoint3D& centre, double radius)
{
    if (!m_quadric)
        return;
    const float x = static_cast<float>(centre.x);
    const float y = static_cast<float>(centre.y);
    const float z = static_cast<float>(centre.z);
    glTranslatef(x, y, z);
    gluSphere(m_quadric, radius, 8, 8);
    glTranslatef(-x, -y, -z);
}

void CQuadricGlyph::DrawCylinder(const CPoint3D& from, const CPoint3D& to, double radius)
{
    DrawAlong(from, to, radius, radius);
}

void CQuadricGlyph::DrawArrow(const CPoint3D& from, const CPoint3D& to, double radius)
{
    DrawAlong(from, to, 0.0, radius);
}

void CQuadricGlyph::DrawAlong(const CPoint3D& from, const CPoint3D& to, double baseRadius,
                              double topRadius)
{
    const double length = Distance(from, to);
    if (!m_quadric || length == 0.0)
        return;
    const CPoint3D zAxis(0.0, 0.0, 1.0);
    const CPoint3D direction = to - from;
    const double angleDeg = AngleBetween(zAxis, direction) * 57.29577952383886;
    CPoint3D axis = CrossProduct(zAxis, direction);
    // Along -z the cross product vanishes: any axis in the XY plane turns the half circle.
    if (Length(axis) == 0.0)
        axis = CPoint3D(1.0, 0.0, 0.0);
    glPushMatrix();
    glTranslatef(static_cast<float>(from.x), static_cast<float>(from.y),
                 static_cast<float>(from.z));
    glRotatef(static_cast<float>(angleDeg), static_cast<float>(axis.x), static_cast<float>(axis.y),
              static_cast<float>(axis.z));
    gluCylinder(m_quadric, baseRadius, topRadius, length, 8, 1);
    glPopMatrix();
}
