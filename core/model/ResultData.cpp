// One result at one load case: value tables and range.
#include "core/model/ResultData.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace
{
template <typename T>
void GrowTo(std::vector<T>& table, size_t count)
{
    if (table.size() < count)
        table.resize(count);
}
} // namespace

int CComponentSet::FindSlot(int nodeId) const
{
    const auto it = std::find(nodeIds.begin(), nodeIds.end(), nodeId);
    return it == nodeIds.end() ? -1 : static_cast<int>(it - nodeIds.begin());
}

CResultData::CResultData()
{
    ResetVectorRange(m_minVector, m_maxVector);
    ResetVectorRange(m_savedMinVector, m_savedMaxVector);
}

CResultData::~CResultData() = default;

void CResultData::ResetVectorRange(CPoint3D& minVector, CPoint3D& maxVector)
{
    minVector = CPoint3D(kRangeUnsetMin, kRangeUnsetMin, kRangeUnsetMin);
    maxVector = CPoint3D(kRangeUnsetMax, kRangeUnsetMax, kRangeUnsetMax);
}

void CResultData::ResetRange()
{
    if (m_flags & (kFlagAtNodes | kFlagElementNodes))
        return;
    m_savedMin = m_min;
    m_savedMax = m_max;
    m_savedMinVector = m_minVector;
    m_savedMaxVector = m_maxVector;
    m_min = kRangeUnsetMin;
    m_max = kRangeUnsetMax;
    ResetVectorRange(m_minVector, m_maxVector);
}

double CResultData::GetLargestValue() const
{
    if (!HasRange())
        return 0.0;
    return std::max(std::fabs(m_min), std::fabs(m_max));
}

void CResultData::WidenRange(double value)
{
    if (value < m_min)
        m_min = value;
    if (value > m_max)
        m_max = value;
}

void CResultData::WidenVectorRange(const CPoint3D& vector)
{
    m_minVector.x = std::min(m_minVector.x, vector.x);
    m_minVector.y = std::min(m_minVector.y, vector.y);
    m_minVector.z = std::min(m_minVector.z, vector.z);
    m_maxVector.x = std::max(m_maxVector.x, vector.x);
    m_maxVector.y = std::max(m_maxVector.y, vector.y);
    m_maxVector.z = std::max(m_maxVector.z, vector.z);
}

bool CResultData::GetNodeValue(int nodeId, double* value) const
{
    if (nodeId < 0 || nodeId >= GetNodeValueCount())
        return false;
    *value = m_nodeValues[nodeId];
    return true;
}

bool CResultData::GetElementValue(int elementId, double* value) const
{
    if (elementId < 0 || elementId >= static_cast<int>(m_elementValueFlags.size()) ||
        !m_elementValueFlags[elementId])
        return false;
    *value = m_elementValues[elementId];
    return true;
}

bool CResultData::GetNodeVector(int nodeId, CPoint3D* vector) const
{
    if (nodeId < 0 || nodeId >= GetNodeVectorCount() || !m_nodeVectorFlags[nodeId])
        return false;
    *vector = m_nodeVectors[nodeId];
    return true;
}

bool CResultData::GetElementVector(int elementId, CPoint3D* vector) const
{
    if (elementId < 0 || elementId >= GetElementVectorCount() || !m_elementVectorFlags[elementId])
        return false;
    *vector = m_elementVectors[elementId];
    return true;
}

const CComponentSet* CResultData::GetComponentSet(int elementId) const
{
    if (elementId < 0 || elementId >= GetComponentSetCount())
        return nullptr;
    return m_components[elementId].get();
}

void CResultData::SetNodeValue(int nodeId, double value)
{
    assert(nodeId >= 0);
    GrowTo(m_nodeValues, static_cast<size_t>(nodeId) + 1);
    m_nodeValues[nodeId] = value;
}

void CResultData::SetElementValue(int elementId, double value)
{
    assert(elementId >= 0);
    const size_t count = static_cast<size_t>(elementId) + 1;
    GrowTo(m_elementValues, count);
    GrowTo(m_elementValueFlags, count);
    m_elementValues[elementId] = value;
    m_elementValueFlags[elementId] = 1;
}

void CResultData::SetNodeVector(int nodeId, const CPoint3D& vector)
{
    assert(nodeId >= 0);
    const size_t count = static_cast<size_t>(nodeId) + 1;
    GrowTo(m_nodeVectors, count);
    GrowTo(m_nodeVectorFlags, count);
    m_nodeVectors[nodeId] = vector;
    m_nodeVectorFlags[nodeId] = 1;
}

void CResultData::SetElementVector(int elementId, const CPoint3D& vector)
{
    assert(elementId >= 0);
    const size_t count = static_cast<size_t>(elementId) + 1;
    GrowTo(m_elementVectors, count);
    GrowTo(m_elementVectorFlags, count);
    m_elementVectors[elementId] = vector;
    m_elementVectorFlags[elementId] = 1;
}

CComponentSet& CResultData::GetOrCreateComponentSet(int elementId, int nodeCount)
{
    assert(elementId >= 0 && nodeCount >= 0);
    GrowTo(m_components, static_cast<size_t>(elementId) + 1);
    std::unique_ptr<CComponentSet>& set = m_components[elementId];
    if (!set)
    {
        set = std::make_unique<CComponentSet>();
        set->nodeIds.assign(nodeCount, 0);
        set->values.assign(nodeCount, 0.0);
    }
    return *set;
}

void CResultData::ReserveNodes(int count, bool withVectors)
{
    if (count <= 0)
        return;
    GrowTo(m_nodeValues, count);
    if (withVectors)
    {
        GrowTo(m_nodeVectors, count);
        GrowTo(m_nodeVectorFlags, count);
    }
}

void CResultData::ReserveElements(int count, bool withVectors)
{
    if (count <= 0)
        return;
    GrowTo(m_elementValues, count);
    GrowTo(m_elementValueFlags, count);
    if (withVectors)
    {
        GrowTo(m_elementVectors, count);
        GrowTo(m_elementVectorFlags, count);
    }
}
