// Result list values.
#include "view/ResultListTable.h"

#include "core/geometry/FENode.h"
#include "core/geometry/ModelEntity.h"
#include "core/model/ModelSet.h"
#include "view/CmdRecord.h"

#include <algorithm>

namespace
{
// The value a component code takes of a stored vector; codes 12 and 16 read the scalars.
double Component(const CPoint3D& v, int component)
{
    switch (component)
    {
    case 13: return v.x;
    case 14: return v.y;
    default: return v.z;
    }
}

bool ReadsVector(int component)
{
    return component >= 13 && component <= 15;
}

// Slot value of an element's corner set: the scalar or the vector component.
bool CornerValue(const CComponentSet& set, size_t slot, int component, double* value)
{
    if (!ReadsVector(component))
    {
        if (slot >= set.values.size())
            return false;
        *value = set.values[slot];
        return true;
    }
    if (slot >= set.vectors.size())
        return false;
    *value = Component(set.vectors[slot], component);
    return true;
}

double ElementCornerMean(const CResultData& result, int elementId, int component)
{
    const CComponentSet* set = result.GetComponentSet(elementId);
    if (set == nullptr)
        return 0.0;
    double sum = 0.0;
    int count = 0;
    double value = 0.0;
    for (size_t slot = 0; slot < set->nodeIds.size(); ++slot)
        if (CornerValue(*set, slot, component, &value))
        {
            sum += value;
            ++count;
        }
    return count > 0 ? sum / count : 0.0;
}

// The node's corner values summed over the elements that use it, divided by their number
// (those without values count too). A node without elements has no value.
double NodeCornerMean(const CModelSet& model, const CResultData& result, int nodeId, int component)
{
    const CFENode* node = model.GetNode(nodeId);
    if (node == nullptr || node->m_ids.GetSize() == 0)
        return 0.0;
    double sum = 0.0;
    double value = 0.0;
    for (INT_PTR i = 0; i < node->m_ids.GetSize(); ++i)
    {
        const CComponentSet* set = result.GetComponentSet(node->m_ids[i]);
        const int slot = set != nullptr ? set->FindSlot(nodeId) : -1;
        if (slot >= 0 && CornerValue(*set, size_t(slot), component, &value))
            sum += value;
    }
    return sum / double(node->m_ids.GetSize());
}

double Value(const CModelSet& model, const CResultData& result, int id, bool nodal, int component)
{
    if (result.GetLocation() == CResultData::kFlagElementNodes)
        return nodal ? NodeCornerMean(model, result, id, component)
                     : ElementCornerMean(result, id, component);
    double value = 0.0;
    if (!ReadsVector(component))
    {
        const bool found =
            nodal ? result.GetNodeValue(id, &value) : result.GetElementValue(id, &value);
        return found ? value : 0.0;
    }
    CPoint3D vector;
    const bool found =
        nodal ? result.GetNodeVector(id, &vector) : result.GetElementVector(id, &vector);
    return found ? Component(vector, component) : 0.0;
}
} // namespace

void BuildResultList(const CModelSet& model, const CEntityArray& picks, bool nodal,
                     const std::vector<CChosenResult>& chosen, CResultListRecord* record)
{
    CIdArray& ids = record->m_Ids;
    ids.SetSize(picks.GetSize());
    for (INT_PTR i = 0; i < picks.GetSize(); ++i)
        ids[i] = picks[i]->m_id;
    std::sort(ids.GetData(), ids.GetData() + ids.GetSize());
    record->m_Series.RemoveAll();
    for (const CChosenResult& choice : chosen)
    {
        CDataSeries series;
        series.m_title = choice.title;
        series.m_values.SetSize(ids.GetSize());
        if (choice.result != nullptr)
            for (INT_PTR i = 0; i < ids.GetSize(); ++i)
                series.m_values[i] = Value(model, *choice.result, ids[i], nodal, choice.component);
        record->m_Series.Add(series);
    }
}
