// 3-D view as an entity set: nodes at their displayed (possibly deformed) positions, result
// values scaled for the animation frame, element centres from the displayed positions; every
// other query goes to the group shown.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/model/ResultValue.h"
#include "view/CAEView.h"

#include <cmath>
#include <limits>

namespace
{
// Results of these types carry node displacements as their vectors.
constexpr uint32_t kDisplacementType = 0x800000;
constexpr uint32_t kEigenvectorType = 0x1000000;

int ShownResultId(const CAESet& renderer)
{
    return renderer.ContourResultId() != -1 ? renderer.ContourResultId()
                                            : renderer.VectorResultId();
}

double Component(const CPoint3D& v, int component)
{
    switch (component)
    {
    case 2: return v.x;
    case 3: return v.y;
    case 4: return v.z;
    default: return 0.0;
    }
}

// The component code of the result list for the view's component (1 scalar, 2 to 4 x, y, z).
int ListComponent(int component)
{
    switch (component)
    {
    case 2: return kComponentX;
    case 3: return kComponentY;
    case 4: return kComponentZ;
    default: return kComponentScalar;
    }
}
} // namespace

CFENode* CCAEView::GetNode(int id) const
{
    return m_AESet.Group() ? m_AESet.Group()->GetNode(id) : nullptr;
}

CPoint3D CCAEView::GetNodePoint(int id) const
{
    const CGroupSet* group = m_AESet.Group();
    CPoint3D p = group ? group->GetNodePoint(id) : CPoint3D();
    const int shown = ShownResultId(m_AESet);
    const CModelSet* model = GetModel();
    if (m_AESet.ShowDeformation() == 0 || shown == -1 || model == nullptr)
        return p;
    const uint32_t shownId = static_cast<uint32_t>(shown);
    const CResultData* displacement = nullptr;
    const uint32_t type = ResultIdTypeBits(shownId);
    if (type == kDisplacementType || type == kEigenvectorType)
    {
        // The shown result carries the displacements itself; it becomes the cached record.
        if (CurrentResult() == nullptr || CurrentResult()->m_id != shownId)
        {
            if (CResultData* found = model->GetResult(shownId))
                SetCurrentResult(found);
        }
        displacement = CurrentResult();
    }
    else
    {
        UINT caseId = static_cast<UINT>(-1);
        if (!model->GetLoadCaseResultId(static_cast<UINT>(model->GetDefaultDisplacementId()),
                                        static_cast<int>(ResultIdLoadCase(shownId)), &caseId))
            return p;
        displacement = CurrentResult() && CurrentResult()->m_id == caseId
                           ? CurrentResult()
                           : model->GetResult(caseId);
    }
    CPoint3D vector;
    if (displacement != nullptr && displacement->GetNodeVector(id, &vector))
        p = p + vector * m_AESet.DeformationFactor();
    return p;
}

double CCAEView::GetResultValue(int nodeId, int elementId) const
{
    return GetNodeValue(nodeId, elementId);
}

double CCAEView::GetNodeValue(int nodeId, int elementId) const
{
    // A node the shown result has no value for is left out of the contour, not shown as 0.
    const double noValue = std::numeric_limits<double>::quiet_NaN();
    const int shown = ShownResultId(m_AESet);
    const CModelSet* model = GetModel();
    if (CurrentResult() == nullptr || shown == -1 || model == nullptr)
        return noValue;
    const uint32_t shownId = static_cast<uint32_t>(shown);
    if (CurrentResult()->m_id != shownId)
    {
        if (CResultData* found = model->GetResult(shownId))
            SetCurrentResult(found);
    }
    const int component = m_AESet.ResultComponent() & ~8;
    if (component < 1 || component > 4)
        return noValue;
    UINT caseId = static_cast<UINT>(-1);
    if (!model->GetLoadCaseResultId(shownId, static_cast<int>(ResultIdLoadCase(shownId)), &caseId))
        return noValue;
    const CResultData* result = model->GetResult(caseId);
    if (result == nullptr)
        return noValue;
    double value = noValue;
    const bool isCornerKept = (result->m_flags & 6) == CResultData::kFlagElementNodes;
    if (isCornerKept && elementId == 0)
    {
        // Asked by node alone: the node's mean, as the result list gives it.
        const CFENode* node = model->GetNode(nodeId);
        double mean = 0.0;
        if (node != nullptr && NodeCornerMean(*node, *result, ListComponent(component), &mean))
            value = mean;
    }
    else if (isCornerKept)
    {
        const CComponentSet* entry = result->GetComponentSet(elementId);
        const int slot = entry ? entry->FindSlot(nodeId) : -1;
        const size_t at = static_cast<size_t>(slot);
        if (slot >= 0 && component == 1 && at < entry->values.size())
            value = entry->values[at];
        else if (slot >= 0 && component != 1 && at < entry->vectors.size())
            value = Component(entry->vectors[at], component);
    }
    else if (component == 1)
    {
        if (!result->GetNodeValue(nodeId, &value))
            value = noValue;
    }
    else
    {
        CPoint3D vector;
        if (result->GetNodeVector(nodeId, &vector))
            value = Component(vector, component);
    }
    if (m_AESet.ShowDeformation() != 0 && !std::isnan(value))
        value = m_AESet.GetAnimatedValue(value);
    return value;
}

CPoint3D CCAEView::GetElementCenter(const CFEElement* element) const
{
    CPoint3D sum;
    if (element == nullptr)
        return sum;
    const INT_PTR count = element->m_ids.GetSize();
    for (INT_PTR i = 0; i < count; ++i)
        sum = sum + GetNodePoint(element->m_ids[i]);
    return count > 0 ? sum * (1.0 / static_cast<double>(count)) : sum;
}

bool CCAEView::AddNode(CFENode* node)
{
    return m_AESet.Group() ? m_AESet.Group()->AddNode(node) : false;
}

CFEElement* CCAEView::FindElement(int id) const
{
    return m_AESet.Group() ? m_AESet.Group()->FindElement(id) : nullptr;
}

bool CCAEView::AddElement(CFEElement* element)
{
    return m_AESet.Group() ? m_AESet.Group()->AddElement(element) : false;
}

bool CCAEView::ContainsEntity(int id) const
{
    return m_AESet.Group() ? m_AESet.Group()->ContainsEntity(id) : false;
}

bool CCAEView::ContainsEdge(int nodeId1, int nodeId2) const
{
    return m_AESet.Group() ? m_AESet.Group()->ContainsEdge(nodeId1, nodeId2) : false;
}
