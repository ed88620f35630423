// Renderer: the lists picking runs over, one selection name per entity. They are compiled when
// a pick first needs them after a rebuild, so that rebuilds (every animation frame) do not pay
// for them.
#include "core/geometry/CurveInterpolation.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "render/AESet.h"
#include "render/BeamLine.h"
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
    const CSceneSettings settings = ReadSettings();
    CNodePointCache& points = AcquirePoints(nullptr);
    CDrawDevice& device = m_pView->m_Device;
    const double factor = m_pView->m_bShrink ? m_pView->m_dShrinkFactor : 1.0;
    switch (kind)
    {
    case kKindNode:
    {
        ListScope list(*this, ListName(kNodeList | kPickList), false, false);
        const CNodeMap& nodes = m_pGroup->GetNodes();
        POSITION pos = nodes.GetStartPosition();
        while (pos != nullptr)
        {
            UINT id = 0;
            CFENode* node = nullptr;
            nodes.GetNextAssoc(pos, id, node);
            device.LoadName(NameOf(node));
            device.DrawPoint(points.GetNodePoint(static_cast<int>(id)), 0);
        }
        list.Close();
        break;
    }
    case kKindSolid:
    case kKindShell:
    {
        const bool isSolid = kind == kKindSolid;
        ListScope list(*this, ListName((isSolid ? kSolidFaceList : kShellFaceList) | kPickList),
                       false, false);
        device.SetRenderMode(kRenderFill); // faces are hit where they are filled
        const CElementMap& elements = isSolid ? m_pGroup->GetSolids() : m_pGroup->GetShells();
        POSITION pos = elements.GetStartPosition();
        while (pos != nullptr)
        {
            UINT id = 0;
            CFEElement* element = nullptr;
            elements.GetNextAssoc(pos, id, element);
            if (element == nullptr || !element->m_hasOuterFace ||
                m_pView->IsEntityVisible(element) != 1)
                continue;
            if (element->IsParabolicElement())
                TessellateElementFaces(*element, points, settings.m_curveDivisions);
            device.LoadName(NameOf(element));
            DrawElementFaces(element, &points, kFacePass);
        }
        list.Close();
        break;
    }
    case kKindBeam:
    {
        ListScope list(*this, ListName(kBeamList | kPickList), false, false);
        CBeamLine beam(&points, factor, settings.m_curveDivisions);
        const CElementMap& beams = m_pGroup->GetBeams();
        POSITION pos = beams.GetStartPosition();
        while (pos != nullptr)
        {
            UINT id = 0;
            CFEElement* element = nullptr;
            beams.GetNextAssoc(pos, id, element);
            if (element == nullptr || m_pView->IsEntityVisible(element) == 0)
                continue;
            device.LoadName(NameOf(element));
            beam.SetElement(element);
            beam.Draw(&device);
        }
        list.Close();
        break;
    }
    case kKindMass:
    {
        ListScope list(*this, ListName(kMassList | kPickList), false, false);
        const CElementMap& masses = m_pGroup->GetMasses();
        POSITION pos = masses.GetStartPosition();
        while (pos != nullptr)
        {
            UINT id = 0;
            CFEElement* element = nullptr;
            masses.GetNextAssoc(pos, id, element);
            if (element == nullptr)
                continue;
            device.LoadName(NameOf(element));
            device.DrawPoint(points.GetNodePoint(element->m_ids.GetSize() ? element->m_ids[0] : 0),
                             0);
        }
        list.Close();
        break;
    }
    default: break;
    }
    ReleasePoints();
}
