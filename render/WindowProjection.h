// Model points to window pixels with a camera's matrices read once: what
// CGLDevice::ProjectToWindow gives for each point, without a round trip to OpenGL per point.
#pragma once

#include "core/geometry/Point3D.h"

class CGLDevice;
class CViewVolume;

class CWindowProjection
{
public:
    // Reads the matrices and viewport the device sets up for the camera (its context current).
    CWindowProjection(CGLDevice& device, const CViewVolume& volume);

    // x and y truncated to whole pixels, y downwards from the viewport's top; z the window
    // depth. A point the projection cannot place gives (0, viewport bottom, 0), as OpenGL's does.
    CPoint3D Project(const CPoint3D& point) const;

private:
    double m_modelView[16] = {};
    double m_projection[16] = {};
    int m_viewport[4] = {};
};
