// OpenGL device: shrunk three-node curves.
#include "render/GLDevice.h"

void CGLDevice::DrawShrunkCurve(const CPoint3DArray* curve, double factor, int curveParameter)
{
    (void)curve;
    (void)factor;
    (void)curveParameter;
}
