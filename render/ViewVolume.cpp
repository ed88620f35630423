// View volume record and the angle conversions.
#include "render/ViewVolume.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>

void CViewVolume::SetVolume(const CPoint3D& start, const CPoint3D& end)
{
    m_volumeStart = start;
    m_volumeEnd = end;
}

void CViewVolume::SetViewport(const CPoint3D& p1, const CPoint3D& p2)
{
    m_viewportP1 = p1;
    m_viewportP2 = p2;
    const double height = p2.y - p1.y;
    m_aspect = height != 0.0 ? (p2.x - p1.x) / height : 0.0;
}

void CViewVolume::SetViewVector(const CPoint3D& eye, const CPoint3D& up)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, 0.0, 0.0, 0.0, up.x, up.y, up.z);
    double m[16] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    m_rotation = RotationAnglesFromMatrix(m);
}

namespace
{
// The rotations about X, Y and Z (degrees) composed as one rotation: its angle in degrees and
// unit axis, as ApplyRotation hands them to glRotatef.
void ComposeRotation(double xDeg, double yDeg, double zDeg, float& angleDeg, float axis[3])
{
    constexpr float kDegToRad = static_cast<float>(1.0 / 180.0 * 3.141592653);
    const float hx = static_cast<float>(xDeg) * kDegToRad * 0.5f;
    const float hy = static_cast<float>(yDeg) * kDegToRad * 0.5f;
    const float hz = static_cast<float>(zDeg) * kDegToRad * 0.5f;

    // Quaternions (x, y, z, w) of the three rotations, multiplied as (qx * qy) * qz.
    const float sx = std::sin(hx), cx = std::cos(hx);
    const float sy = std::sin(hy), cy = std::cos(hy);
    const float sz = std::sin(hz), cz = std::cos(hz);
    const float ax = sx * cy, ay = cx * sy, az = sx * sy, aw = cx * cy; // qx * qy
    const float qx = ax * cz + ay * sz;
    const float qy = ay * cz - ax * sz;
    const float qz = aw * sz + az * cz;
    const float qw = aw * cz - az * sz;

    const float halfAngle = std::acos(std::fmax(-1.0f, std::fmin(1.0f, qw)));
    angleDeg = static_cast<float>(2.0 * halfAngle * 57.29577952383886);
    const float s = std::sin(halfAngle);
    axis[0] = s == 0.0f ? 0.0f : qx / s;
    axis[1] = s == 0.0f ? 0.0f : qy / s;
    axis[2] = s == 0.0f ? 1.0f : qz / s;
}
} // namespace

void ApplyRotation(double xDeg, double yDeg, double zDeg)
{
    float angleDeg = 0.0f;
    float axis[3] = {};
    ComposeRotation(xDeg, yDeg, zDeg, angleDeg, axis);
    glRotatef(angleDeg, axis[0], axis[1], axis[2]);
}

void RotationMatrix(double xDeg, double yDeg, double zDeg, double m[16])
{
    float angleDeg = 0.0f;
    float axis[3] = {};
    ComposeRotation(xDeg, yDeg, zDeg, angleDeg, axis);
    // glRotate's matrix, column by column.
    const double length = std::sqrt(double(axis[0]) * axis[0] + double(axis[1]) * axis[1] +
                                    double(axis[2]) * axis[2]);
    const double x = length > 0.0 ? axis[0] / length : 0.0;
    const double y = length > 0.0 ? axis[1] / length : 0.0;
    const double z = length > 0.0 ? axis[2] / length : 1.0;
    const double angle = angleDeg * 3.14159265358979323846 / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1.0 - c;
    const double r[16] = {x * x * t + c,
                          y * x * t + z * s,
                          x * z * t - y * s,
                          0.0,
                          x * y * t - z * s,
                          y * y * t + c,
                          y * z * t + x * s,
                          0.0,
                          x * z * t + y * s,
                          y * z * t - x * s,
                          z * z * t + c,
                          0.0,
                          0.0,
                          0.0,
                          0.0,
                          1.0};
    for (int i = 0; i < 16; ++i)
        m[i] = r[i];
}

CPoint3D RotationAnglesFromMatrix(const double m[16])
{
    constexpr double kRadToDeg = 180.0 * 0.3183098862435492;
    const double h = std::sqrt(m[4] * m[4] + m[0] * m[0]);
    double x = 0.0;
    double z = 0.0;
    const double y = std::atan2(-m[8], h);
    if (h <= 1.6e-6)
    {
        x = std::atan2(-m[6], m[5]);
    }
    else
    {
        x = std::atan2(m[9], m[10]);
        z = std::atan2(m[4], m[0]);
    }
    return CPoint3D(-x * kRadToDeg, -y * kRadToDeg, -z * kRadToDeg);
}
