// Renderer: the vector arrow lists of shells, solids and beams.
#include "core/geometry/VectorMath.h"
#include "core/model/FEElement.h"
#include "core/model/ResultData.h"
#include "render/AESet.h"
#include "render/NodePointCache.h"
#include "render/RenderLog.h"
#include "render/SceneView.h"
#include "render/Segment3D.h"
#include "render/VectorGlyph.h"

#include <unordered_set>

namespace
{
constexpr int kElementValues = 0;
constexpr int kNodeValues = CResultData::kFlagAtNodes;
constexpr int kCornerValues = CResultData::kFlagElementNodes;
} // namespace

void CAESet::CreateVectorResultLists()
{
    render_log::RunLogged("CAESet::CreateVectorResultLists",
                          [this]
                          {
                              m_lists.HoldPoints(true);
                              CreateVectorResultListForShell();
                              CreateVectorResultListForSolid();
                              CreateVectorResultListForBeam();
                          });
    m_lists.HoldPoints(false);
    ReleasePoints();
}

void CAESet::CreateVectorResultListForShell()
{
    render_log::RunLogged("CAESet::CreateVectorResultListForShell",
                          [this]
                          {
                              if (m_pGroup != nullptr)
                                  BuildVectorList(kShellVectorList, m_pGroup->GetShells());
                          });
}

void CAESet::CreateVectorResultListForSolid()
{
    render_log::RunLogged("CAESet::CreateVectorResultListForSolid",
                          [this]
                          {
                              if (m_pGroup != nullptr)
                                  BuildVectorList(kSolidVectorList, m_pGroup->GetSolids());
                          });
}

void CAESet::CreateVectorResultListForBeam()
{
    render_log::RunLogged("CAESet::CreateVectorResultListForBeam",
                          [this]
                          {
                              if (m_pGroup != nullptr)
                                  BuildVectorList(kBeamVectorList, m_pGroup->GetBeams());
                          });
}

void CAESet::BuildVectorList(UINT code, const CElementMap& elements)
{
    if (m_pView == nullptr)
        return;
    m_pView->MakeCurrent();
    const CResultData* result = FindResult(m_nVectorResultId);
    const CVectorPlotEntry* entry =
        m_pView->Scene().VectorPlots().Find(VectorPlotKey(m_nVectorResultId));
    if (result == nullptr || entry == nullptr)
        return; // the list keeps what it held
    int location = result->GetLocation();
    if (location == kElementValues &&
        m_pView->Scene().DisplayAttr().m_nResultCategory == kNodeValues)
        location = kNodeValues;
    const CNodePointCache& points = AcquirePoints(nullptr);
    CVectorGlyph glyph;
    glyph.SetDisplayAttr(entry->m_attr);
    CDrawDevice* device = &m_pView->Device();
    const bool isAnimated = m_nShowDeformation != kNoDeformation;
    const auto draw = [&](const CPoint3D& anchor, const CPoint3D& direction, double value)
    {
        CSegment3D segment;
        segment.m_start = anchor;
        segment.m_end = anchor + direction;
        segment.m_value = isAnimated ? GetAnimatedValue(value) : value;
        glyph.DrawVector(segment, device);
    };
    std::unordered_set<int> drawnNodes;
    if (location == kNodeValues)
        drawnNodes.reserve(static_cast<size_t>(elements.GetCount()) * 3 + 1);

    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(code), false, false);
    for (const auto& [id, element] : fw::Assocs(elements))
    {
        if (element == nullptr || m_pView->IsEntityVisible(element) != 1)
            continue;
        const int elementId = static_cast<int>(id);
        if (location == kElementValues)
        {
            double magnitude = 0.0;
            CPoint3D vector;
            // A magnitude of 0 is no arrow.
            if (!result->GetElementValue(elementId, &magnitude) || magnitude == 0.0 ||
                !result->GetElementVector(elementId, &vector))
                continue;
            draw(points.GetCenter(*element), Normalize(vector) * magnitude, magnitude);
        }
        else if (location == kNodeValues)
        {
            for (const int nodeId : element->m_ids)
            {
                // A node shared by several elements of the list gets one arrow.
                if (!drawnNodes.insert(nodeId).second)
                    continue;
                double magnitude = 0.0;
                CPoint3D vector;
                if (!result->GetNodeVector(nodeId, &vector))
                    continue;
                result->GetNodeValue(nodeId, &magnitude);
                draw(points.GetNodePoint(nodeId), Normalize(vector) * magnitude, magnitude);
            }
        }
        else if (location == kCornerValues)
        {
            const CComponentSet* corners = result->GetComponentSet(elementId);
            if (corners == nullptr)
                continue;
            for (size_t k = 0; k < corners->nodeIds.size() && k < corners->vectors.size(); ++k)
            {
                const int nodeId = corners->nodeIds[k];
                const CPoint3D anchor =
                    nodeId != 0 ? points.GetNodePoint(nodeId) : points.GetCenter(*element);
                draw(anchor, Normalize(corners->vectors[k]), 1.0);
            }
        }
    }
    list.Close();
}
