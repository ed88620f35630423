// Face measures on top of the vector operations.
#include "core/model/FaceMeasures.h"

#include "core/geometry/EntitySet.h"
#include "core/geometry/VectorMath.h"
#include "core/model/FEFace.h"

#include <algorithm>
#include <cmath>

void CalcFaceNormal(CFEFace& face, const CPoint3D* points)
{
    if (points == nullptr)
        return;
    CPoint3D normal;
    CalcUnitNormal(normal, points[0], points[1], points[2]);
    face.m_normal = normal;
}

double FaceAngle(const CFEFace& f1, const CFEFace& f2)
{
    const double lengths = Length(f1.m_normal) * Length(f2.m_normal);
    if (lengths == 0.0 || std::isnan(lengths))
        return 0.0;
    const double cosine = DotProduct(f1.m_normal, f2.m_normal) / lengths;
    if (std::isnan(cosine))
        return 0.0;
    return std::acos(std::clamp(cosine, -1.0, 1.0));
}

CPoint3D FaceCentroid(const CFEFace& face, const CEntitySet& set)
{
    // The count byte may claim more nodes than the face holds.
    const int count = std::min<int>(face.m_cornerCount, face.m_ids.GetSize());
    if (count <= 0)
        return CPoint3D();
    CPoint3D sum;
    for (int k = 0; k < count; ++k)
        sum = sum + set.GetNodePoint(face.m_ids[k]);
    return CPoint3D(sum.x / count, sum.y / count, sum.z / count);
}
