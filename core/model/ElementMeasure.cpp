// Element measures. Node coordinates come from the nodes themselves (GetNode), not from the
// set's point slot, which a view may answer with deformed positions.
#include "core/model/ElementMeasure.h"

#include "core/geometry/EntitySet.h"
#include "core/geometry/FENode.h"
#include "core/geometry/VectorMath.h"
#include "core/model/FEElement.h"

#include <cmath>

namespace
{
constexpr double kOneSixth = 0.16666666666666666;

// The corners of a face found through the set: all nodes of a face with 3 or 4, the even
// positions of one with 6 or 8 mid-side-alternating nodes. Returns how many were found.
int FindCorners(const CFEFace& face, const CEntitySet* set, CPoint3D corners[4])
{
    int ids[4];
    const int cornerCount = face.GetCornerIds(ids);
    int found = 0;
    for (int i = 0; i < cornerCount; ++i)
    {
        const CFENode* node = set != nullptr ? set->GetNode(ids[i]) : nullptr;
        if (node != nullptr)
            corners[found++] = node->m_coord;
    }
    return found;
}

double Tetrahedron6(const CPoint3D& a, const CPoint3D& b, const CPoint3D& c, const CPoint3D& d)
{
    return std::fabs(DotProduct(a - d, CrossProduct(b - d, c - d)));
}
} // namespace

double CElementMeasure::Length(const CFEElement& element, double scale) const
{
    const int second = element.IsParabolicElement() ? 2 : 1;
    if (m_set == nullptr || element.m_ids.GetSize() <= second)
        return 0.0;
    const CFENode* first = m_set->GetNode(element.m_ids[0]);
    const CFENode* last = m_set->GetNode(element.m_ids[second]);
    if (first == nullptr || last == nullptr)
        return 0.0;
    return std::fabs(Distance(first->m_coord, last->m_coord) * scale);
}

double CElementMeasure::Area(const CFEElement& element, double scale) const
{
    if (element.m_faces.GetSize() == 0)
        return 0.0;
    CPoint3D p[4];
    const int found = FindCorners(element.m_faces[0], m_set, p);
    double area = 0.0;
    if (found >= 3)
        area += TriangleArea(p[0], p[1], p[2]);
    if (found >= 4)
        area += TriangleArea(p[0], p[2], p[3]);
    return area * scale;
}

double CElementMeasure::Volume(const CFEElement& element) const
{
    const int faceCount = static_cast<int>(element.m_faces.GetSize());
    if (faceCount == 0)
        return 0.0;
    CPoint3D p[4];
    if (FindCorners(element.m_faces[0], m_set, p) == 0)
        return 0.0;
    const CPoint3D reference = p[0];
    double sum = 0.0;
    for (int k = 0; k < faceCount; ++k)
    {
        const int found = FindCorners(element.m_faces[k], m_set, p);
        if (found >= 3)
            sum += Tetrahedron6(p[0], p[1], p[2], reference);
        if (found >= 4)
            sum += Tetrahedron6(p[0], p[2], p[3], reference);
    }
    return sum * kOneSixth;
}
