// Window projection, in the order of operations of gluProject so that pixels come out the same.
#include "render/WindowProjection.h"

#include "render/GLDevice.h"
#include "render/ViewVolume.h"

#include <GL/gl.h>

namespace
{
// out = m * in, m column-major.
void Transform(const double m[16], const double in[4], double out[4])
{
    for (int i = 0; i < 4; ++i)
        out[i] = in[0] * m[0 * 4 + i] + in[1] * m[1 * 4 + i] + in[2] * m[2 * 4 + i] +
                 in[3] * m[3 * 4 + i];
}
} // namespace

CWindowProjection::CWindowProjection(CGLDevice& device, const CViewVolume& volume)
{
    device.BeginScene(&volume);
    glGetDoublev(GL_MODELVIEW_MATRIX, m_modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, m_projection);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    device.EndScene();
    for (int i = 0; i < 4; ++i)
        m_viewport[i] = viewport[i];
}

CPoint3D CWindowProjection::Project(const CPoint3D& point) const
{
    const double in[4] = {point.x, point.y, point.z, 1.0};
    double eye[4] = {};
    double clip[4] = {};
    Transform(m_modelView, in, eye);
    Transform(m_projection, eye, clip);
    double wx = 0.0;
    double wy = 0.0;
    double wz = 0.0;
    if (clip[3] != 0.0)
    {
        const double x = clip[0] / clip[3] * 0.5 + 0.5;
        const double y = clip[1] / clip[3] * 0.5 + 0.5;
        wx = x * m_viewport[2] + m_viewport[0];
        wy = y * m_viewport[3] + m_viewport[1];
        wz = clip[2] / clip[3] * 0.5 + 0.5;
    }
    return CPoint3D(static_cast<int>(wx), m_viewport[1] + m_viewport[3] - static_cast<int>(wy), wz);
}
