// One result at one load case: value tables and range.
#include "core/model/ResultData.h"

#include <algorithm>
#include <cassert>
#include <cmath>

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

void CResultData::AverageNow() const
{
    // Cleared first: the averaging reads this result through the same readers. Results are
    // always made non-const, and the means are a cache of what the element values say.
    m_meansPending = false;
    try
    {
        m_meansSource->AverageToNodes(const_cast<CResultData&>(*this));
    }
    catch (...)
    {
        m_meansPending = true;
        throw;
    }
}

void CResultData::ResetRange()
{
    SettleNodeMeans();
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
    SettleNodeMeans();
    if (!HasRange())
        return 0.0;
    return std::max(std::fabs(m_min), std::fabs(m_max));
}

bool CResultData::GetNodeValue(int nodeId, double* value) const
{
    SettleNodeMeans();
    return m_nodeValues.Get(nodeId, value);
}

bool CResultData::GetElementValue(int elementId, double* value) const
{
    const uint8_t* flag = m_elementValueFlags.Find(elementId);
    if (flag == nullptr || !*flag)
        return false;
    return m_elementValues.Get(elementId, value);
}

bool CResultData::GetNodeVector(int nodeId, CPoint3D* vector) const
{
    SettleNodeMeans();
    const uint8_t* flag = m_nodeVectorFlags.Find(nodeId);
    if (flag == nullptr || !*flag)
        return false;
    CVectorCell cell;
    if (!m_nodeVectors.Get(nodeId, &cell))
        return false;
    *vector = CPoint3D(cell.x, cell.y, cell.z);
    return true;
}

bool CResultData::GetElementVector(int elementId, CPoint3D* vector) const
{
    const uint8_t* flag = m_elementVectorFlags.Find(elementId);
    if (flag == nullptr || !*flag)
        return false;
    CVectorCell cell;
    if (!m_elementVectors.Get(elementId, &cell))
        return false;
    *vector = CPoint3D(cell.x, cell.y, cell.z);
    return true;
}

const CComponentSet* CResultData::GetComponentSet(int elementId) const
{
    const std::unique_ptr<CComponentSet>* cell = m_components.Find(elementId);
    return cell == nullptr ? nullptr : cell->get();
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

CComponentSet& CResultData::GetOrCreateComponentSet(int elementId, int nodeCount)
{
    assert(elementId >= 0 && nodeCount >= 0);
    std::unique_ptr<CComponentSet>& set = m_components.At(elementId);
    if (!set)
    {
        set = std::make_unique<CComponentSet>();
        set->nodeIds.assign(nodeCount, 0);
        set->values.assign(nodeCount, 0.0);
    }
    return *set;
}

void CResultData::ReserveNodes(int count, bool withVectors, int entities)
{
    m_nodeValues.ReserveRoom(count, entities);
    m_nodeValues.Reserve(count);
    if (withVectors)
    {
        m_nodeVectors.ReserveRoom(count, entities);
        m_nodeVectorFlags.ReserveRoom(count, entities);
        m_nodeVectors.Reserve(count);
        m_nodeVectorFlags.Reserve(count);
    }
}

void CResultData::ReserveElements(int count, bool withVectors, int entities)
{
    m_elementValues.ReserveRoom(count, entities);
    m_elementValueFlags.ReserveRoom(count, entities);
    m_elementValues.Reserve(count);
    m_elementValueFlags.Reserve(count);
    if (withVectors)
    {
        m_elementVectors.ReserveRoom(count, entities);
        m_elementVectorFlags.ReserveRoom(count, entities);
        m_elementVectors.Reserve(count);
        m_elementVectorFlags.Reserve(count);
    }
}
