// OpenGL device: shrunk three-node curves.
#include "core/model/CurveInterpolation.h"
#include "render/GLDevice.h"

void CGLDevice::DrawShrunkCurve(const CPoint3DArray* curve, double factor, int curveParameter)
{
    if (!curve || curve->GetSize() < 3)
        return;
    const CPoint3D points[3] = {(*curve)[0], (*curve)[1], (*curve)[2]};
    CPoint3DArray sampled;
    BuildShrunkCurve(points, factor, curveParameter, sampled);
    glBegin(GL_LINE_STRIP);
    for (const CPoint3D& p : sampled)
        glVertex3f(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
    glEnd();
}
