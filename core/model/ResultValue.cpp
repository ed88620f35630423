// The value of a result at a node or an element.
#include "core/model/ResultValue.h"

#include "core/geometry/FENode.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"

namespace
{
bool ReadsVector(int component)
{
    return component >= kComponentX && component <= kComponentZ;
}

double Component(const CPoint3D& v, int component)
{
    switch (component)
    {
    case kComponentX: return v.x;
    case kComponentY: return v.y;
    default: return v.z;
    }
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

} // namespace

bool NodeCornerMean(const CFENode& node, const CResultData& result, int component, double* mean)
{
    const int nodeId = node.m_id;
    double sum = 0.0;
    int count = 0;
    double value = 0.0;
    for (INT_PTR i = 0; i < node.m_ids.GetSize(); ++i)
    {
        const CComponentSet* set = result.GetComponentSet(node.m_ids[i]);
        const int slot = set != nullptr ? set->FindSlot(nodeId) : -1;
        if (slot >= 0 && CornerValue(*set, size_t(slot), component, &value))
        {
            sum += value;
            ++count;
        }
    }
    if (count == 0)
        return false;
    *mean = sum / count;
    return true;
}

double ResultValueAt(const CModelSet& model, const CResultData& result, int id, bool atNode,
                     int component)
{
    if (component < kComponentScalar || component > kComponentResultant)
        return 0.0;
    if (result.GetLocation() == CResultData::kFlagElementNodes)
    {
        if (!atNode)
            return ElementCornerMean(result, id, component);
        const CFENode* node = model.GetNode(id);
        double mean = 0.0;
        return node != nullptr && NodeCornerMean(*node, result, component, &mean) ? mean : 0.0;
    }
    if (!ReadsVector(component))
    {
        double value = 0.0;
        const bool found =
            atNode ? result.GetNodeValue(id, &value) : result.GetElementValue(id, &value);
        return found ? value : 0.0;
    }
    CPoint3D vector;
    const bool found =
        atNode ? result.GetNodeVector(id, &vector) : result.GetElementVector(id, &vector);
    return found ? Component(vector, component) : 0.0;
}
