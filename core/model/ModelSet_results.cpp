// The result catalogue of the model: results by packed id, load-case numbering and stepping,
// and the averaging of element values to the nodes.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace
{
constexpr int kDefaultNodeCount = 200000;

// The nodes of the default group and the elements in their id lists, numbered 0..n-1, with the
// lists as ranges of element numbers: built once for every result that is averaged. The
// model's elements are numbered in ascending id order, so that each result's values are
// gathered in one walk over its tables, without a look-up per value.
struct NodeElementLinks
{
    std::vector<int> nodeIds;        // by node number, ascending
    std::vector<int> firstLink;      // by node number, and one past the last
    std::vector<int> linkedElements; // element numbers
    std::vector<int> elementIds;     // by element number
    size_t orderedCount = 0; // the model's elements, ascending; then ids only node lists name
};

NodeElementLinks LinkNodesToElements(const CModelSet& model, const CGroupSet& group)
{
    NodeElementLinks links;
    CIdTable<int> elementNumbers; // element id -> number + 1
    links.elementIds.reserve(static_cast<size_t>(model.GetElementCount()));
    model.ForEachElement(
        [&](CFEElement* element)
        {
            links.elementIds.push_back(element->m_id);
            elementNumbers.At(element->m_id) = static_cast<int>(links.elementIds.size());
        });
    links.orderedCount = links.elementIds.size();
    links.nodeIds.reserve(static_cast<size_t>(group.GetNodes().GetCount()));
    links.firstLink.reserve(static_cast<size_t>(group.GetNodes().GetCount()) + 1);
    group.ForEachNode(
        [&](CFENode* node)
        {
            links.nodeIds.push_back(node->m_id);
            links.firstLink.push_back(static_cast<int>(links.linkedElements.size()));
            for (const int elementId : node->m_ids)
            {
                if (elementId < 0)
                    continue;
                int& number = elementNumbers.At(elementId);
                if (number == 0)
                {
                    links.elementIds.push_back(elementId);
                    number = static_cast<int>(links.elementIds.size());
                }
                links.linkedElements.push_back(number - 1);
            }
        });
    links.firstLink.push_back(static_cast<int>(links.linkedElements.size()));
    return links;
}

// The result's values of the linked elements, by element number; elements without a value are
// left out of the means rather than counted as zeros.
struct ElementSamples
{
    std::vector<uint8_t> hasValue;
    std::vector<double> values;
    std::vector<uint8_t> hasVector;
    std::vector<CVectorCell> vectors;
};

// The cells of table at ascending ids into out (cells missing leave out as it is): the array
// read directly, the far cells merged in one walk.
template <typename T>
void GatherCells(const CIdTable<T>& table, const std::vector<int>& ids, size_t count, T* out)
{
    const T* dense = table.GetDenseData();
    const size_t denseCount = static_cast<size_t>(table.GetDenseCount());
    size_t j = 0;
    for (; j < count && static_cast<size_t>(ids[j]) < denseCount; ++j)
        out[j] = dense[ids[j]];
    table.ForEachFar(
        [&](int id, const T& cell)
        {
            while (j < count && ids[j] < id)
                ++j;
            if (j < count && ids[j] == id)
                out[j] = cell;
        });
}

// The same for one id, for ids that only node lists name.
template <typename T>
void ReadCell(const CIdTable<T>& table, int id, T* out)
{
    if (const T* cell = table.Find(id))
        *out = *cell;
}

void SampleElements(const CResultData& result, const NodeElementLinks& links, bool withVectors,
                    ElementSamples& samples)
{
    const size_t count = links.elementIds.size();
    const size_t ordered = links.orderedCount;
    samples.hasValue.assign(count, 0);
    samples.values.assign(count, 0.0);
    samples.hasVector.assign(withVectors ? count : 0, 0);
    samples.vectors.assign(withVectors ? count : 0, CVectorCell());
    GatherCells(result.m_elementValueFlags, links.elementIds, ordered, samples.hasValue.data());
    GatherCells(result.m_elementValues, links.elementIds, ordered, samples.values.data());
    if (withVectors)
    {
        GatherCells(result.m_elementVectorFlags, links.elementIds, ordered,
                    samples.hasVector.data());
        GatherCells(result.m_elementVectors, links.elementIds, ordered, samples.vectors.data());
    }
    for (size_t j = ordered; j < count; ++j)
    {
        ReadCell(result.m_elementValueFlags, links.elementIds[j], &samples.hasValue[j]);
        ReadCell(result.m_elementValues, links.elementIds[j], &samples.values[j]);
        if (withVectors)
        {
            ReadCell(result.m_elementVectorFlags, links.elementIds[j], &samples.hasVector[j]);
            ReadCell(result.m_elementVectors, links.elementIds[j], &samples.vectors[j]);
        }
    }
}

// Each node gets the mean of the values of the elements that use it and carry one.
void AverageToNodes(CResultData& result, int nodeCount, const NodeElementLinks& links,
                    ElementSamples& samples)
{
    const bool withVectors = (result.m_flags & CResultData::kFlagVector) != 0;
    result.ReserveNodes(nodeCount, withVectors);
    SampleElements(result, links, withVectors, samples);
    for (size_t k = 0; k < links.nodeIds.size(); ++k)
    {
        double sum = 0.0;
        int scalarCount = 0;
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        int vectorCount = 0;
        for (int link = links.firstLink[k]; link < links.firstLink[k + 1]; ++link)
        {
            const size_t j = static_cast<size_t>(links.linkedElements[static_cast<size_t>(link)]);
            if (samples.hasValue[j])
            {
                sum += samples.values[j];
                ++scalarCount;
            }
            if (withVectors && samples.hasVector[j])
            {
                x += samples.vectors[j].x;
                y += samples.vectors[j].y;
                z += samples.vectors[j].z;
                ++vectorCount;
            }
        }
        const int nodeId = links.nodeIds[k];
        if (scalarCount != 0)
        {
            const double average = sum / scalarCount;
            result.WidenRange(average);
            result.SetNodeValue(nodeId, average);
        }
        if (vectorCount != 0)
        {
            const CPoint3D mean(x / vectorCount, y / vectorCount, z / vectorCount);
            result.WidenVectorRange(mean);
            result.SetNodeVector(nodeId, mean);
        }
    }
}
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
    return AddLoadCaseValue(resultNumber, typeBits, value, 0);
}

UINT CModelSet::AddLoadCaseValue(UINT resultNumber, UINT typeBits, double value, int subcase)
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
        const UINT caseKey = MakeLoadCaseKey(resultNumber, typeBits, i);
        double stored = 0.0;
        int storedSubcase = 0;
        m_loadCaseSubcases.Lookup(caseKey, storedSubcase);
        if (m_loadCaseValues.Lookup(caseKey, stored) && stored == value && storedSubcase == subcase)
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
    if (subcase != 0)
        m_loadCaseSubcases.SetAt(MakeLoadCaseKey(resultNumber, typeBits, count), subcase);
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
    std::vector<CResultData*> averaged;
    POSITION pos = m_results.GetStartPosition();
    while (pos != nullptr)
    {
        UINT id = 0;
        CResultData* result = nullptr;
        m_results.GetNextAssoc(pos, id, result);
        if (result != nullptr && result->m_loaded == CResultData::kLoaded && result->m_average &&
            result->GetLocation() == 0)
            averaged.push_back(result);
    }
    if (averaged.empty() || m_defaultGroup == nullptr)
        return;
    const int nodeCount = m_maxNodeId >= 1 ? static_cast<int>(m_maxNodeId) : kDefaultNodeCount;
    const NodeElementLinks links = LinkNodesToElements(*this, *m_defaultGroup);
    ElementSamples samples;
    for (CResultData* result : averaged)
        AverageToNodes(*result, nodeCount, links, samples);
}
