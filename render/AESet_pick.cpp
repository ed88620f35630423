// Renderer: the lists picking runs over, one selection name per entity. They are compiled when
// a pick first needs them after a rebuild, so that rebuilds (every animation frame) do not pay
// for them.
#include "core/geometry/FENode.h"
#include "core/model/CurveInterpolation.h"
#include "core/model/FEElement.h"
#include "render/AESet.h"
#include "render/BeamLine.h"
#include "render/ElementMapWalk.h"
#include "render/NodePointCache.h"
#include "render/RenderLog.h"
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

void CAESet::GetPickLists(int kinds, CDWordArray& lists)
{
    if (m_pGroup == nullptr || m_pView == nullptr)
        return;
    RunPendingRenderAll();
    for (const PickKind& pick : kPickKinds)
    {
        if ((kinds & pick.kind) == 0)
            continue;
        if (pick.kind == kKindElass)
        {
            lists.Add(ListName(kElassList)); // named as it is drawn
            continue;
        }
        if (m_staleKinds & pick.kind)
        {
            render_log::RunLogged("CAESet::GetPickLists", [&] { BuildPickList(pick.kind); });
            m_staleKinds &= ~pick.kind;
        }
        lists.Add(ListName(pick.code | kPickList));
    }
}

void CAESet::BuildPickList(int kind)
{
    m_pView->MakeCurrent();
    CNodePointCache& points = AcquirePoints(nullptr);
    switch (kind)
    {
    case kKindNode: BuildNodePickList(points); break;
    case kKindSolid: BuildFacePickList(points, true); break;
    case kKindShell: BuildFacePickList(points, false); break;
    case kKindBeam: BuildBeamPickList(points); break;
    case kKindMass: BuildMassPickList(points); break;
    default: break;
    }
    ReleasePoints();
}

void CAESet::BuildNodePickList(CNodePointCache& points)
{
    CDrawDevice& device = m_pView->Device();
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(kNodeList | kPickList), false,
                            false);
    const CNodeMap& nodes = m_pGroup->GetNodes();
    for (const auto& [id, node] : fw::Assocs(nodes))
    {
        device.LoadName(NameOf(node));
        device.DrawPoint(points.GetNodePoint(static_cast<int>(id)), 0);
    }
    list.Close();
}

void CAESet::BuildFacePickList(CNodePointCache& points, bool isSolid)
{
    CDrawDevice& device = m_pView->Device();
    const int curveDivisions = ReadSettings().m_curveDivisions;
    CSceneLists::Scope list(m_lists, m_pView->Device(),
                            ListName((isSolid ? kSolidFaceList : kShellFaceList) | kPickList),
                            false, false);
    device.SetRenderMode(kRenderFill); // faces are hit where they are filled
    ForEachElement(isSolid ? m_pGroup->GetSolids() : m_pGroup->GetShells(),
                   [&](CFEElement* element)
                   {
                       if (!element->m_hasOuterFace || m_pView->IsEntityVisible(element) != 1)
                           return;
                       if (element->IsParabolicElement())
                           TessellateElementFaces(*element, points, curveDivisions);
                       device.LoadName(NameOf(element));
                       DrawElementFaces(element, &points, kFacePass);
                   });
    list.Close();
}

void CAESet::BuildBeamPickList(CNodePointCache& points)
{
    CDrawDevice& device = m_pView->Device();
    const double factor = m_pView->Scene().IsShrunk() ? m_pView->Scene().ShrinkFactor() : 1.0;
    CBeamLine beam(&points, factor, ReadSettings().m_curveDivisions);
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(kBeamList | kPickList), false,
                            false);
    ForEachElement(m_pGroup->GetBeams(),
                   [&](CFEElement* element)
                   {
                       if (m_pView->IsEntityVisible(element) == 0)
                           return;
                       device.LoadName(NameOf(element));
                       beam.SetElement(element);
                       beam.Draw(&device);
                   });
    list.Close();
}

void CAESet::BuildMassPickList(CNodePointCache& points)
{
    CDrawDevice& device = m_pView->Device();
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(kMassList | kPickList), false,
                            false);
    ForEachElement(m_pGroup->GetMasses(),
                   [&](CFEElement* element)
                   {
                       const int first = element->m_ids.GetSize() > 0 ? element->m_ids[0] : 0;
                       device.LoadName(NameOf(element));
                       device.DrawPoint(points.GetNodePoint(first), 0);
                   });
    list.Close();
}
