// Mass element marker.
#include "render/MassGlyph.h"

#include "render/Segment3D.h"

#include <windows.h>

#include <GL/gl.h>
#include <cmath>

void CMassGlyph::Draw(const CSegment3D* segment) const
{
    if (!segment)
        return;
    constexpr double kPi = 3.14159265358979323846;
    const CPoint3D& c = segment->m_start;
    const double radius = m_nSize * 0.5;
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(static_cast<float>(c.x), static_cast<float>(c.y), static_cast<float>(c.z));
    for (int k = 1; k <= 7; ++k)
    {
        // Corners at 60, 120, ..., 360 degrees, then the first again to close the fan.
        const double angle = (k <= 6 ? k : 1) * kPi / 3.0;
        glVertex3f(static_cast<float>(c.x + radius * std::cos(angle)),
                   static_cast<float>(c.y + radius * std::sin(angle)), static_cast<float>(c.z));
    }
    glEnd();
}
