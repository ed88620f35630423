// Coordinate systems: definition from three points and the local-to-global transform.
#include "core/geometry/CoordSystem.h"

#include "core/geometry/EntitySet.h"
#include "core/geometry/FENode.h"
#include "core/geometry/VectorMath.h"

#include <cmath>

CCoordSystem::CCoordSystem(CEntitySet* set)
    : m_set(set)
{
}

CCoordSystem::CCoordSystem(const CPoint3D& a, const CPoint3D& b, const CPoint3D& c, CEntitySet* set)
    : m_set(set)
{
    Define(a, b, c);
}

CCoordSystem::CCoordSystem(int gridId1, int gridId2, int gridId3, CEntitySet* set)
    : m_set(set)
{
    SetGridIds(gridId1, gridId2, gridId3);
}

void CCoordSystem::SetGridIds(int gridId1, int gridId2, int gridId3)
{
    m_gridIds[0] = gridId1;
    m_gridIds[1] = gridId2;
    m_gridIds[2] = gridId3;
    if (m_set == nullptr || gridId1 < 0 || gridId2 < 0 || gridId3 < 0)
        return;
    const CFENode* nodeA = m_set->GetNode(gridId1);
    const CFENode* nodeB = m_set->GetNode(gridId2);
    const CFENode* nodeC = m_set->GetNode(gridId3);
    if (nodeA == nullptr || nodeB == nullptr || nodeC == nullptr)
        return;
    Define(nodeA->m_coord, nodeB->m_coord, nodeC->m_coord);
}

void CCoordSystem::Define(const CPoint3D& a, const CPoint3D& b, const CPoint3D& c)
{
    m_a = a;
    m_b = b;
    m_c = c;
    const CPoint3D z = Normalize(Difference(a, b));
    const CPoint3D y = Normalize(CrossProduct(z, Difference(a, c)));
    // Exact zeros: B on A, or C on the z axis, leave no plane to take the axes from.
    if (Length(z) == 0.0 || Length(y) == 0.0)
    {
        Undefine();
        return;
    }
    m_ez = z;
    m_ey = y;
    m_ex = CrossProduct(y, z);

    const CPoint3D globalZ(0.0, 0.0, 1.0);
    m_angle1 = AngleBetween(z, globalZ);
    m_axis1 = CrossProduct(z, globalZ);
    m_axis2 = RotateAboutAxis(y, m_angle1, m_axis1);
    m_angle2 = AngleBetween(m_axis2, CPoint3D(0.0, 1.0, 0.0));
}

int CCoordSystem::Transform(CPoint3D& p) const
{
    if (!IsDefined())
        return 0;
    const CPoint3D local = p;
    p = m_a + m_ex * local.x + m_ey * local.y + m_ez * local.z;
    return 1;
}

int CCoordSystem::TransformPosition(CPoint3D& p) const
{
    if (!IsDefined())
        return 0;
    constexpr double kDegree = 3.14159265358979323846 / 180.0;
    CPoint3D local = p;
    switch (m_kind)
    {
    case kCylindrical:
        local = CPoint3D(p.x * std::cos(p.y * kDegree), p.x * std::sin(p.y * kDegree), p.z);
        break;
    case kSpherical:
        local = CPoint3D(p.x * std::sin(p.y * kDegree) * std::cos(p.z * kDegree),
                         p.x * std::sin(p.y * kDegree) * std::sin(p.z * kDegree),
                         p.x * std::cos(p.y * kDegree));
        break;
    default: break;
    }
    p = local;
    return Transform(p);
}

void CCoordSystem::Undefine()
{
    m_angle1 = kUndefinedAngle;
    m_angle2 = kUndefinedAngle;
    m_axis1 = CPoint3D();
    m_axis2 = CPoint3D();
    m_ex = CPoint3D();
    m_ey = CPoint3D();
    m_ez = CPoint3D();
}
