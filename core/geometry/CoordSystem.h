// Rectangular coordinate system given by an origin A, a point B on its z axis and a point C in
// its x-z plane (three points, or three grid points found through an entity set). Transforms
// coordinates given in the system into global coordinates.
#pragma once

#include "core/geometry/Point3D.h"

class CEntitySet;

class CCoordSystem
{
public:
    // Sentinel angle of a system not yet defined; any angle of 2 pi or more means undefined.
    static constexpr double kUndefinedAngle = 9.424777959;

    explicit CCoordSystem(CEntitySet* set);
    CCoordSystem(const CPoint3D& a, const CPoint3D& b, const CPoint3D& c, CEntitySet* set);
    CCoordSystem(int gridId1, int gridId2, int gridId3, CEntitySet* set);
    virtual ~CCoordSystem() = default;

    // Defines the system from the three grid points once all three are given and found.
    void SetGridIds(int gridId1, int gridId2, int gridId3);
    // Coincident or collinear points leave the system undefined.
    void Define(const CPoint3D& a, const CPoint3D& b, const CPoint3D& c);
    // Global = A + x ex + y ey + z ez. Returns 1, or 0 and leaves p when the system is undefined.
    int Transform(CPoint3D& p) const;
    // A position as given in the system to global coordinates: a cylindrical system takes
    // (r, theta, z), a spherical one (r, theta, phi), angles in degrees, a rectangular one
    // (x, y, z). Returns 1, or 0 and leaves p when the system is undefined.
    int TransformPosition(CPoint3D& p) const;
    bool IsDefined() const { return m_angle1 < kTwoPi; }

    // As read: 1 rectangular, 2 cylindrical, 3 spherical. Transform takes every kind as
    // rectangular; TransformPosition reads positions in the kind's own coordinates.
    static constexpr int kRectangular = 1;
    static constexpr int kCylindrical = 2;
    static constexpr int kSpherical = 3;
    int m_kind = kRectangular;
    int m_id = 0;
    CEntitySet* m_set = nullptr; // finds the grid points; not owned
    int m_gridIds[3] = {-1, -1, -1};
    CPoint3D m_a; // origin
    CPoint3D m_b; // on the z axis
    CPoint3D m_c; // in the x-z plane
    // Rotations that bring the global axes onto the system's: m_angle1 about m_axis1, then
    // m_angle2 about the global z axis; kept to mark and describe the system.
    double m_angle1 = kUndefinedAngle;
    CPoint3D m_axis1;
    double m_angle2 = kUndefinedAngle;
    CPoint3D m_axis2;

private:
    static constexpr double kTwoPi = 6.283185306;

    void Undefine();

    // Unit axes of the system in global coordinates, valid while defined.
    CPoint3D m_ex;
    CPoint3D m_ey;
    CPoint3D m_ez;
};
