// The renderer's pick lists: one selection name per entity, compiled on first use after a
// rebuild.
#include "render/PickLists.h"

#include "core/geometry/FENode.h"
#include "core/model/CurveInterpolation.h"
#include "core/model/FEElement.h"
#include "render/AESet.h"
#include "render/BeamLine.h"
#include "render/ElementMapWalk.h"
#include "render/NodePointCache.h"
#include "render/RenderLog.h"
#include "render/SceneSettings.h"
#include "render/SceneView.h"

namespace
{
struct PickKind
{
    int kind;
    UINT code;
};
// In the order a pick visits them.
constexpr PickKind kPickKinds[] = {
    {kKindNode, CAESet::kNodeList},       {kKindSolid, CAESet::kSolidFaceList},
    {kKindShell, CAESet::kShellFaceList}, {kKindBeam, CAESet::kBeamList},
    {kKindElass, CAESet::kElassList},     {kKindMass, CAESet::kMassList}};
} // namespace

void CPickLists::Get(int kinds, CDWordArray& lists)
{
    if (m_renderer.Group() == nullptr || m_renderer.View() == nullptr)
        return;
    for (const PickKind& pick : kPickKinds)
    {
        if ((kinds & pick.kind) == 0)
            continue;
        if (pick.kind == kKindElass)
        {
            lists.Add(m_renderer.ListName(CAESet::kElassList)); // named as it is drawn
            continue;
        }
        if (m_staleKinds & pick.kind)
        {
            render_log::RunLogged("CAESet::GetPickLists", [&] { Build(pick.kind); });
            m_staleKinds &= ~pick.kind;
        }
        lists.Add(m_renderer.ListName(pick.code | CAESet::kPickList));
    }
}

void CPickLists::Build(int kind)
{
    m_renderer.View()->MakeCurrent();
    CNodePointCache& points = m_renderer.AcquirePoints(nullptr);
    switch (kind)
    {
    case kKindNode: BuildNodes(points); break;
    case kKindSolid: BuildFaces(points, true); break;
    case kKindShell: BuildFaces(points, false); break;
    case kKindBeam: BuildBeams(points); break;
    case kKindMass: BuildMasses(points); break;
    default: break;
    }
    m_renderer.ReleasePoints();
}

void CPickLists::BuildNodes(CNodePointCache& points)
{
    CSceneView* view = m_renderer.View();
    CDrawDevice& device = view->Device();
    CSceneLists::Scope list(m_renderer.Lists(), view->Device(),
                            m_renderer.ListName(CAESet::kNodeList | CAESet::kPickList), false,
                            false);
    const CNodeMap& nodes = m_renderer.Group()->GetNodes();
    for (const auto& [id, node] : fw::Assocs(nodes))
    {
        device.LoadName(m_renderer.NameOf(node));
        device.DrawPoint(points.GetNodePoint(static_cast<int>(id)), 0);
    }
    list.Close();
}

void CPickLists::BuildFaces(CNodePointCache& points, bool isSolid)
{
    CSceneView* view = m_renderer.View();
    CGroupSet* group = m_renderer.Group();
    CDrawDevice& device = view->Device();
    const int curveDivisions = m_renderer.ReadSettings().m_curveDivisions;
    CSceneLists::Scope list(
        m_renderer.Lists(), view->Device(),
        m_renderer.ListName((isSolid ? CAESet::kSolidFaceList : CAESet::kShellFaceList) |
                            CAESet::kPickList),
        false, false);
    device.SetRenderMode(kRenderFill); // faces are hit where they are filled
    ForEachElement(isSolid ? group->GetSolids() : group->GetShells(),
                   [&](CFEElement* element)
                   {
                       if (!element->m_hasOuterFace || view->IsEntityVisible(element) != 1)
                           return;
                       if (element->IsParabolicElement())
                           TessellateElementFaces(*element, points, curveDivisions);
                       device.LoadName(m_renderer.NameOf(element));
                       m_renderer.DrawElementFaces(element, &points, CAESet::kFacePass);
                   });
    list.Close();
}

void CPickLists::BuildBeams(CNodePointCache& points)
{
    CSceneView* view = m_renderer.View();
    CDrawDevice& device = view->Device();
    const double factor = view->Scene().IsShrunk() ? view->Scene().ShrinkFactor() : 1.0;
    CBeamLine beam(&points, factor, m_renderer.ReadSettings().m_curveDivisions);
    CSceneLists::Scope list(m_renderer.Lists(), view->Device(),
                            m_renderer.ListName(CAESet::kBeamList | CAESet::kPickList), false,
                            false);
    ForEachElement(m_renderer.Group()->GetBeams(),
                   [&](CFEElement* element)
                   {
                       if (view->IsEntityVisible(element) == 0)
                           return;
                       device.LoadName(m_renderer.NameOf(element));
                       beam.SetElement(element);
                       beam.Draw(&device);
                   });
    list.Close();
}

void CPickLists::BuildMasses(CNodePointCache& points)
{
    CSceneView* view = m_renderer.View();
    CDrawDevice& device = view->Device();
    CSceneLists::Scope list(m_renderer.Lists(), view->Device(),
                            m_renderer.ListName(CAESet::kMassList | CAESet::kPickList), false,
                            false);
    ForEachElement(m_renderer.Group()->GetMasses(),
                   [&](CFEElement* element)
                   {
                       const int first = element->m_ids.GetSize() > 0 ? element->m_ids[0] : 0;
                       device.LoadName(m_renderer.NameOf(element));
                       device.DrawPoint(points.GetNodePoint(first), 0);
                   });
    list.Close();
}
