// The result catalogue of the model: results by packed id, load-case numbering and stepping,
// and the averaging of element values to the nodes.
#include "core/geometry/FENode.h"
#include "core/model/ModelSet.h"

#include <cstdio>

namespace
{
constexpr int kDefaultNodeCount = 200000;

struct VectorSum
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    int count = 0;
};
} // namespace

bool CModelSet::AddResult(CResultData* result)
{
    if (result == nullptr || GetResult(result->m_id) != nullptr)
        return false;
    m_results.SetAt(result->m_id, result);
    return true;
}

CResultData* CModelSet::GetResult(UINT packedId) const
{
    CResultData* result = nullptr;
    return m_results.Lookup(packedId, result) ? result : nullptr;
}

UINT CModelSet::AddLoadCaseValue(UINT resultNumber, UINT typeBits, double value)
{
    if (!ResultNumberFits(resultNumber) || !ResultTypeBitsFit(typeBits))
    {
        char line[128];
        std::snprintf(line, sizeof line,
                      "Result number %u with type bits 0x%08X does not fit a result id: refused",
                      resultNumber, typeBits);
        Report(line);
        return 0;
    }
    const UINT key = MakeResultKey(resultNumber, typeBits);
    int count = 0;
    if (!m_loadCaseCounts.Lookup(key, count) || count < 1)
        count = 1;
    for (int i = 1; i < count; ++i)
    {
        double stored = 0.0;
        if (m_loadCaseValues.Lookup(MakeLoadCaseKey(resultNumber, typeBits, i), stored) &&
            stored == value)
            return static_cast<UINT>(i);
    }
    if (!ResultLoadCaseFits(static_cast<UINT>(count)))
    {
        char line[128];
        std::snprintf(line, sizeof line,
                      "Result number %u has %u load cases already: step value %g refused",
                      resultNumber, kMaxResultLoadCase, value);
        Report(line);
        return 0;
    }
    m_loadCaseValues.SetAt(MakeLoadCaseKey(resultNumber, typeBits, count), value);
    m_loadCaseCounts.SetAt(key, count + 1);
    return static_cast<UINT>(count);
}

UINT CModelSet::AddLoadCaseValueById(UINT packedId, double value)
{
    return AddLoadCaseValue(ResultIdNumber(packedId), ResultIdTypeBits(packedId), value);
}

double CModelSet::GetLoadCaseValue(UINT resultNumber, UINT typeBits, UINT index) const
{
    if (!ResultNumberFits(resultNumber) || !ResultTypeBitsFit(typeBits) ||
        !ResultLoadCaseFits(index))
        return 0.0;
    double value = 0.0;
    if (!m_loadCaseValues.Lookup(MakeLoadCaseKey(resultNumber, typeBits, index), value))
        return 0.0;
    return value > 0.0 ? value : 0.0;
}

int CModelSet::GetLoadCaseCountByKey(UINT resultNumber, UINT typeBits) const
{
    if (!ResultNumberFits(resultNumber) || !ResultTypeBitsFit(typeBits))
        return 0;
    int count = 0;
    if (!m_loadCaseCounts.Lookup(MakeResultKey(resultNumber, typeBits), count) || count < 0)
        return 0;
    return count;
}

int CModelSet::GetLoadCaseCount(UINT packedId) const
{
    return GetLoadCaseCountByKey(ResultIdNumber(packedId), ResultIdTypeBits(packedId));
}

bool CModelSet::GetLoadCaseResultId(UINT packedId, int n, UINT* out) const
{
    if (n < 1)
        return false;
    int count = 0;
    if (!m_loadCaseCounts.Lookup(ResultIdKey(packedId), count) || count == -1 || n >= count)
        return false;
    *out = ResultIdWithLoadCase(packedId, static_cast<UINT>(n));
    return true;
}

bool CModelSet::LoadCaseIdLoaded(UINT packedId, UINT index, UINT* out) const
{
    const UINT id = ResultIdWithLoadCase(packedId, index);
    const CResultData* result = GetResult(id);
    if (result == nullptr || result->m_loaded != CResultData::kLoaded)
        return false;
    *out = id;
    return true;
}

int CModelSet::GetFirstLoadCase(UINT packedId) const
{
    const int count = GetLoadCaseCount(packedId);
    UINT id = 0;
    for (int i = 1; i < count; ++i)
    {
        if (LoadCaseIdLoaded(packedId, static_cast<UINT>(i), &id))
            return static_cast<int>(id);
    }
    return -1;
}

int CModelSet::GetLastLoadCase(UINT packedId) const
{
    const int count = GetLoadCaseCount(packedId);
    UINT id = 0;
    for (int i = count - 1; i >= 1; --i)
    {
        if (LoadCaseIdLoaded(packedId, static_cast<UINT>(i), &id))
            return static_cast<int>(id);
    }
    return -1;
}

int CModelSet::GetNextLoadCase(UINT packedId) const
{
    const int count = GetLoadCaseCount(packedId);
    const int current = static_cast<int>(ResultIdLoadCase(packedId));
    UINT id = 0;
    for (int i = current + 1; i < count; ++i)
    {
        if (LoadCaseIdLoaded(packedId, static_cast<UINT>(i), &id))
            return static_cast<int>(id);
    }
    for (int i = 1; i < current && i < count; ++i)
    {
        if (LoadCaseIdLoaded(packedId, static_cast<UINT>(i), &id))
            return static_cast<int>(id);
    }
    return static_cast<int>(packedId);
}

int CModelSet::GetPrevLoadCase(UINT packedId) const
{
    const int count = GetLoadCaseCount(packedId);
    const int current = static_cast<int>(ResultIdLoadCase(packedId));
    UINT id = 0;
    for (int i = std::min(current, count) - 1; i >= 1; --i)
    {
        if (LoadCaseIdLoaded(packedId, static_cast<UINT>(i), &id))
            return static_cast<int>(id);
    }
    for (int i = count - 1; i > current; --i)
    {
        if (LoadCaseIdLoaded(packedId, static_cast<UINT>(i), &id))
            return static_cast<int>(id);
    }
    return static_cast<int>(packedId);
}

void CModelSet::UpdateLoadedResults()
{
    POSITION pos = m_results.GetStartPosition();
    while (pos != nullptr)
    {
        UINT id = 0;
        CResultData* result = nullptr;
        m_results.GetNextAssoc(pos, id, result);
        if (result == nullptr || result->m_loaded != CResultData::kLoaded || !result->m_average ||
            result->GetLocation() != 0)
            continue;
        AverageToNodes(*result);
    }
}

// Each node gets the mean of the values of the elements that use it and carry one; elements
// without a value are left out rather than counted as zeros.
void CModelSet::AverageToNodes(CResultData& result)
{
    const bool withVectors = (result.m_flags & CResultData::kFlagVector) != 0;
    const int count = m_maxNodeId >= 1 ? static_cast<int>(m_maxNodeId) : kDefaultNodeCount;
    result.ReserveNodes(count, withVectors);
    if (m_defaultGroup == nullptr)
        return;
    POSITION pos = m_defaultGroup->GetNodes().GetStartPosition();
    while (pos != nullptr)
    {
        UINT nodeId = 0;
        CFENode* node = nullptr;
        m_defaultGroup->GetNodes().GetNextAssoc(pos, nodeId, node);
        if (node == nullptr)
            continue;
        double sum = 0.0;
        int scalarCount = 0;
        VectorSum vectorSum;
        for (int i = 0; i < node->m_ids.GetSize(); ++i)
        {
            const int elementId = node->m_ids[i];
            double value = 0.0;
            if (result.GetElementValue(elementId, &value))
            {
                sum += value;
                ++scalarCount;
            }
            CPoint3D vector;
            if (result.GetElementVector(elementId, &vector))
            {
                vectorSum.x += vector.x;
                vectorSum.y += vector.y;
                vectorSum.z += vector.z;
                ++vectorSum.count;
            }
        }
        if (scalarCount != 0)
        {
            const double average = sum / scalarCount;
            result.WidenRange(average);
            result.SetNodeValue(node->m_id, average);
        }
        if (vectorSum.count != 0)
        {
            const CPoint3D mean(vectorSum.x / vectorSum.count, vectorSum.y / vectorSum.count,
                                vectorSum.z / vectorSum.count);
            result.WidenVectorRange(mean);
            result.SetNodeVector(node->m_id, mean);
        }
    }
}
