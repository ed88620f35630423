// Renderer: area selection (rectangle or ellipse, tested in model space against the planes
// through the unprojected outline, at displayed positions) and polygon selection (tested in
// window pixels at stored positions).
#include "core/geometry/FENode.h"
#include "core/geometry/VectorMath.h"
#include "core/model/FEElement.h"
#include "render/AESet.h"
#include "render/ElementMapWalk.h"
#include "render/NodePointCache.h"
#include "render/RenderLog.h"
#include "render/SceneView.h"
#include "render/WindowProjection.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{
constexpr int kRectangleSides = 4;
constexpr int kEllipseSides = 12;
constexpr double kEllipseStep = 0.5235987755833333; // 30 degrees
constexpr double kDegreesPerRadian = 57.29577866666166;
constexpr double kOnEdgeTolerance = 0.001; // pixels

// Element kinds in the order both selections visit them; nodes come last.
struct ElementKind
{
    int bit;
    const CElementMap& (CGroupSet::*map)() const;
};
constexpr ElementKind kElementKinds[] = {{kKindSolid, &CGroupSet::GetSolids},
                                         {kKindShell, &CGroupSet::GetShells},
                                         {kKindElass, &CGroupSet::GetSprings},
                                         {kKindBeam, &CGroupSet::GetBeams},
                                         {kKindMass, &CGroupSet::GetMasses}};

// One allocation for what a walk found, whatever the rule the output array grows by.
void AppendFound(CEntityArray& result, const std::vector<CModelEntity*>& found)
{
    if (found.empty())
        return;
    const INT_PTR first = result.GetSize();
    result.SetSize(first + static_cast<INT_PTR>(found.size()));
    std::copy(found.begin(), found.end(), result.GetData() + first);
}

// On the inner side of every side plane, planes included.
bool IsInsideVolume(const CPoint3D& x, const CPoint3D* nearPoints, const CPoint3D* normals,
                    int sides)
{
    for (int k = 0; k < sides; ++k)
    {
        if (DotProduct(nearPoints[k] - x, normals[k]) > 0.0)
            return false;
    }
    return true;
}

int SidesOf(int shape)
{
    switch (shape)
    {
    case CAESet::kShapeRectangle: return kRectangleSides;
    case CAESet::kShapeEllipse: return kEllipseSides;
    default: return 0;
    }
}

// Integer pixel bounds of the polygon: a projected point (whole pixels) outside them is neither
// inside nor within the edge tolerance.
struct PixelBounds
{
    double minX, minY, maxX, maxY;

    bool Contains(const CPoint3D& p) const
    {
        return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
    }
};

PixelBounds BoundsOf(const CPoint3D* points, int count)
{
    PixelBounds bounds = {points[0].x, points[0].y, points[0].x, points[0].y};
    for (int i = 1; i < count; ++i)
    {
        bounds.minX = std::min(bounds.minX, points[i].x);
        bounds.minY = std::min(bounds.minY, points[i].y);
        bounds.maxX = std::max(bounds.maxX, points[i].x);
        bounds.maxY = std::max(bounds.maxY, points[i].y);
    }
    bounds.minX = std::floor(bounds.minX) - 1.0;
    bounds.minY = std::floor(bounds.minY) - 1.0;
    bounds.maxX = std::ceil(bounds.maxX) + 1.0;
    bounds.maxY = std::ceil(bounds.maxY) + 1.0;
    return bounds;
}
} // namespace

int IsPointInPolygon(const CPoint3D* points, CPoint3D point, int count)
{
    if (points == nullptr || count <= 0)
        return 0;
    for (int i = 0; i < count; ++i)
    {
        if (points[i].x == point.x && points[i].y == point.y)
            return 1;
    }
    // Winding angle: a full turn (360 degrees, whole after rounding) lies inside.
    double sum = 0.0;
    for (int i = 0; i < count; ++i)
    {
        const CPoint3D& p = points[i];
        const CPoint3D& q = points[(i + 1) % count];
        const double ax = point.x - p.x;
        const double ay = point.y - p.y;
        const double bx = point.x - q.x;
        const double by = point.y - q.y;
        const double d = std::fabs(std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by));
        const double cosine = std::clamp((ax * bx + ay * by) / d, -1.0, 1.0);
        const double angle = std::acos(cosine) * kDegreesPerRadian;
        sum += (ax * by - ay * bx) / d < 0.0 ? -angle : angle;
    }
    const double s = std::fabs(sum);
    const double whole = s - std::floor(s) > 0.5 ? std::ceil(s) : std::floor(s);
    if (whole == 360.0)
        return 1;
    for (int i = 0; i < count; ++i)
    {
        if (IsPointOnSegment(points[i], points[(i + 1) % count], point, kOnEdgeTolerance))
            return 1;
    }
    return 0;
}

void CAESet::SelectInRectangle(int x1, int y1, int x2, int y2, int shape, CEntityArray& result)
{
    if (std::abs(x1 - x2) <= 1 || std::abs(y1 - y2) <= 1)
        return;
    const int sides = SidesOf(shape);
    if (m_pView == nullptr || m_pGroup == nullptr || sides == 0)
        return;
    const double xmin = std::min(x1, x2);
    const double xmax = std::max(x1, x2);
    const double ymin = std::min(y1, y2);
    const double ymax = std::max(y1, y2);
    CPoint3D outline[kEllipseSides];
    if (shape == kShapeRectangle)
    {
        outline[0] = CPoint3D(xmin, ymin, 0.0);
        outline[1] = CPoint3D(xmax, ymin, 0.0);
        outline[2] = CPoint3D(xmax, ymax, 0.0);
        outline[3] = CPoint3D(xmin, ymax, 0.0);
    }
    else
    {
        const int rx = (static_cast<int>(xmax) - static_cast<int>(xmin)) / 2;
        const int ry = (static_cast<int>(ymax) - static_cast<int>(ymin)) / 2;
        const double xc = xmin + rx;
        const double yc = ymin + ry;
        double angle = 0.0;
        for (int k = 0; k < kEllipseSides; ++k, angle += kEllipseStep)
            outline[k] = CPoint3D(xc + rx * std::cos(angle), yc + ry * std::sin(angle), 0.0);
    }

    m_pView->MakeCurrent();
    CViewVolume& scene = m_pView->Camera(CSceneView::kSceneViewport);
    CPoint3D nearPoints[kEllipseSides];
    CPoint3D farPoints[kEllipseSides];
    for (int k = 0; k < sides; ++k)
    {
        nearPoints[k] = m_pView->Device().UnprojectInScene(&scene, outline[k]);
        farPoints[k] =
            m_pView->Device().UnprojectInScene(&scene, CPoint3D(outline[k].x, outline[k].y, 1.0));
    }
    CPoint3D normals[kEllipseSides];
    for (int k = 0; k < sides; ++k)
        CalcUnitNormal(normals[k], nearPoints[k], farPoints[k], nearPoints[(k + 1) % sides]);

    const int kinds = SelectableKinds();
    // The displayed positions are computed once for all kinds.
    m_lists.HoldPoints(true);
    render_log::RunLogged("CAESet::SelectInRectangle",
                          [&]
                          {
                              for (const ElementKind& kind : kElementKinds)
                              {
                                  if (kinds & kind.bit)
                                      CollectElementsInVolume((m_pGroup->*kind.map)(), nearPoints,
                                                              normals, shape, result);
                              }
                              if (kinds & kKindNode)
                                  CollectNodesInVolume(m_pGroup->GetNodes(), nearPoints, normals,
                                                       shape, result);
                          });
    m_lists.HoldPoints(false);
    ReleasePoints();
}

void CAESet::CollectElementsInVolume(const CElementMap& elements, const CPoint3D* nearPoints,
                                     const CPoint3D* normals, int shape, CEntityArray& result)
{
    const int sides = SidesOf(shape);
    if (sides == 0 || elements.IsEmpty())
        return;
    // Centres at displayed positions, as the view computes them, from one pass over the nodes.
    const CNodePointCache& points = AcquirePoints(nullptr);
    std::vector<CModelEntity*> found;
    ForEachElement(elements,
                   [&](CFEElement* element)
                   {
                       if (m_pView->IsEntityVisible(element) != 1)
                           return;
                       if (IsInsideVolume(points.GetCenter(*element), nearPoints, normals, sides))
                           found.push_back(element);
                   });
    ReleasePoints();
    AppendFound(result, found);
}

void CAESet::CollectNodesInVolume(const CNodeMap& nodes, const CPoint3D* nearPoints,
                                  const CPoint3D* normals, int shape, CEntityArray& result)
{
    const int sides = SidesOf(shape);
    if (sides == 0 || nodes.IsEmpty())
        return;
    const CNodePointCache& points = AcquirePoints(nullptr);
    std::vector<CModelEntity*> found;
    for (const auto& [id, node] : fw::Assocs(nodes))
    {
        if (node != nullptr &&
            IsInsideVolume(points.GetNodePoint(node->m_id), nearPoints, normals, sides))
            found.push_back(node);
    }
    ReleasePoints();
    AppendFound(result, found);
}

void CAESet::SelectInPolygon(const CPoint3D* points, int count, CEntityArray& result)
{
    if (m_pView == nullptr || m_pGroup == nullptr || points == nullptr || count <= 0)
        return;
    m_pView->MakeCurrent();
    const CWindowProjection projection(m_pView->Device(),
                                       m_pView->Camera(CSceneView::kSceneViewport));
    const int kinds = SelectableKinds();
    render_log::RunLogged("CAESet::SelectInPolygon",
                          [&]
                          {
                              for (const ElementKind& kind : kElementKinds)
                              {
                                  if (kinds & kind.bit)
                                      CollectElementsInPolygon(points, count, result,
                                                               (m_pGroup->*kind.map)(), projection);
                              }
                              if ((kinds & kKindNode) == 0)
                                  return;
                              const PixelBounds bounds = BoundsOf(points, count);
                              std::vector<CModelEntity*> found;
                              for (const auto& [id, node] : fw::Assocs(m_pGroup->GetNodes()))
                              {
                                  if (node == nullptr)
                                      continue;
                                  const CPoint3D pixel = projection.Project(node->m_coord);
                                  if (bounds.Contains(pixel) &&
                                      IsPointInPolygon(points, pixel, count) == 1)
                                      found.push_back(node);
                              }
                              AppendFound(result, found);
                          });
}

void CAESet::CollectElementsInPolygon(const CPoint3D* points, int count, CEntityArray& result,
                                      const CElementMap& elements,
                                      const CWindowProjection& projection)
{
    const PixelBounds bounds = BoundsOf(points, count);
    std::vector<CModelEntity*> found;
    ForEachElement(elements,
                   [&](CFEElement* element)
                   {
                       if (m_pView->IsEntityVisible(element) != 1)
                           return;
                       const CPoint3D pixel = projection.Project(ReferencePoint(*element));
                       if (bounds.Contains(pixel) && IsPointInPolygon(points, pixel, count) == 1)
                           found.push_back(element);
                   });
    AppendFound(result, found);
}

int CAESet::SelectableKinds() const
{
    const CSceneSettings settings = ReadSettings();
    return m_pView->Selection().AllowedKinds() & m_pView->Selection().Filter() &
           settings.m_displayFilter;
}

CPoint3D CAESet::ReferencePoint(const CFEElement& element)
{
    return element.m_centre;
}
