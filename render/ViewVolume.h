// The camera of one viewport: rotation angles, pan, orthographic box and viewport rectangle,
// and the conversions between three angles and OpenGL rotations.
#pragma once

#include "core/geometry/Point3D.h"
#include "render/DrawObject.h"

class CViewVolume : public CDisplayObject
{
public:
    CViewVolume() = default;
    CViewVolume(const CViewVolume&) = default;
    CViewVolume& operator=(const CViewVolume&) = default;
    ~CViewVolume() override = default;

    void SetVolume(const CPoint3D& start, const CPoint3D& end);
    void SetPanPoint(const CPoint3D& point) { m_panPoint = point; }
    void SetRotationAngles(const CPoint3D& anglesDeg) { m_rotation = anglesDeg; }
    // Stores both corners (window pixels) and the aspect ratio; a flat viewport keeps aspect 0.
    void SetViewport(const CPoint3D& p1, const CPoint3D& p2);
    // Angles that look from the eye direction towards the origin with the given up vector.
    // Uses the current OpenGL context and leaves the model-view matrix changed.
    void SetViewVector(const CPoint3D& eye, const CPoint3D& up);

    double m_aspect = 0.0;
    CPoint3D m_rotation;    // degrees about X, Y, Z
    CPoint3D m_panPoint;    // applied after the rotation
    CPoint3D m_volumeStart; // orthographic box, in rotated and panned model space
    CPoint3D m_volumeEnd;
    CPoint3D m_viewportP1; // window pixels, lower left
    CPoint3D m_viewportP2; // upper right
    CPoint3D m_copyStart;
    CPoint3D m_copyEnd;
    int m_bRotateAboutViewportCentre = 1;
    CPoint3D m_rotationCentre;
};

// Multiplies the current OpenGL matrix by rotations about X, Y and Z in turn (degrees), as one
// rotation about a single axis.
void ApplyRotation(double xDeg, double yDeg, double zDeg);
// The matrix ApplyRotation multiplies by (16 values in OpenGL's column order), computed without
// an OpenGL context.
void RotationMatrix(double xDeg, double yDeg, double zDeg, double m[16]);

// The three angles (degrees) whose ApplyRotation gives the rotation part of an OpenGL matrix
// (16 values in OpenGL's column order).
CPoint3D RotationAnglesFromMatrix(const double m[16]);
