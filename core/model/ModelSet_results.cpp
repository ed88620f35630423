// The result catalogue of the model: results by packed id, load-case numbering and stepping,
// and the averaging of element values to the nodes.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace
{
constexpr int kDefaultNodeCount = 200000;

// The nodes of the default group with the ids of the elements in their id lists, as ranges:
// built once for every result that is averaged.
struct NodeElementLinks
{
    std::vector<int> nodeIds;    // ascending
    std::vector<int> firstLink;  // by node position, and one past the last
    std::vector<int> elementIds; // the linked elements, node after node
    int largestElementId = -1;

    bool operator==(const NodeElementLinks& other) const
    {
        return nodeIds == other.nodeIds && firstLink == other.firstLink &&
               elementIds == other.elementIds;
    }
};

NodeElementLinks LinkNodesToElements(const CGroupSet& group)
{
    NodeElementLinks links;
    const size_t nodeCount = static_cast<size_t>(group.GetNodes().GetCount());
    links.nodeIds.reserve(nodeCount);
    links.firstLink.reserve(nodeCount + 1);
    links.elementIds.reserve(4 * nodeCount); // a mesh of quadrilaterals links four a node
    group.ForEachNode(
        [&](CFENode* node)
        {
            links.nodeIds.push_back(node->m_id);
            links.firstLink.push_back(static_cast<int>(links.elementIds.size()));
            for (const int elementId : node->m_ids)
            {
                if (elementId < 0)
                    continue;
                links.elementIds.push_back(elementId);
                links.largestElementId = std::max(links.largestElementId, elementId);
            }
        });
    links.firstLink.push_back(static_cast<int>(links.elementIds.size()));
    return links;
}

// The linked elements numbered 0..n-1: the model's elements in ascending id order, then ids
// that only node lists name; for results whose tables keep some linked ids beyond their arrays.
struct ElementNumbers
{
    std::vector<int> elementIds;  // by number
    std::vector<int> linkNumbers; // the number of each link's element
    size_t orderedCount = 0;
};

ElementNumbers NumberLinkedElements(const CModelSet& model, const NodeElementLinks& links)
{
    ElementNumbers numbers;
    CIdTable<int> numberOf; // element id -> number + 1
    numbers.elementIds.reserve(static_cast<size_t>(model.GetElementCount()));
    model.ForEachElement(
        [&](CFEElement* element)
        {
            numbers.elementIds.push_back(element->m_id);
            numberOf.At(element->m_id) = static_cast<int>(numbers.elementIds.size());
        });
    numbers.orderedCount = numbers.elementIds.size();
    numbers.linkNumbers.reserve(links.elementIds.size());
    for (const int elementId : links.elementIds)
    {
        int& number = numberOf.At(elementId);
        if (number == 0)
        {
            numbers.elementIds.push_back(elementId);
            number = static_cast<int>(numbers.elementIds.size());
        }
        numbers.linkNumbers.push_back(number - 1);
    }
    return numbers;
}

// The result's values of the numbered elements; elements without a value are left out of the
// means rather than counted as zeros.
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

void SampleElements(const CResultData& result, const ElementNumbers& numbers, bool withVectors,
                    ElementSamples& samples)
{
    const std::vector<int>& ids = numbers.elementIds;
    const size_t count = ids.size();
    const size_t ordered = numbers.orderedCount;
    samples.hasValue.assign(count, 0);
    samples.values.assign(count, 0.0);
    samples.hasVector.assign(withVectors ? count : 0, 0);
    samples.vectors.assign(withVectors ? count : 0, CVectorCell());
    GatherCells(result.m_elementValueFlags, ids, ordered, samples.hasValue.data());
    result.m_elementValues.Gather(ids, ordered, samples.values.data());
    if (withVectors)
    {
        GatherCells(result.m_elementVectorFlags, ids, ordered, samples.hasVector.data());
        result.m_elementVectors.Gather(ids, ordered, samples.vectors.data());
    }
    for (size_t j = ordered; j < count; ++j)
    {
        ReadCell(result.m_elementValueFlags, ids[j], &samples.hasValue[j]);
        result.m_elementValues.Get(ids[j], &samples.values[j]);
        if (withVectors)
        {
            ReadCell(result.m_elementVectorFlags, ids[j], &samples.hasVector[j]);
            result.m_elementVectors.Get(ids[j], &samples.vectors[j]);
        }
    }
}

// Element values read straight from the result's arrays, where they hold every linked id; in
// single or double precision, as the result's tables keep them.
template <typename Value, typename Vector>
struct DirectValues
{
    const uint8_t* hasValue;
    const Value* values;
    const uint8_t* hasVector;
    const Vector* vectors;
};

template <typename Table>
bool CoversId(const Table& table, int id)
{
    return id < table.GetDenseCount();
}

bool ReadsDirectly(const CResultData& result, int largestId, bool withVectors)
{
    return CoversId(result.m_elementValueFlags, largestId) &&
           CoversId(result.m_elementValues, largestId) &&
           (!withVectors || (CoversId(result.m_elementVectorFlags, largestId) &&
                             CoversId(result.m_elementVectors, largestId)));
}

// The means of one result at the nodes, in node order: the nodes that get a value, and theirs.
struct NodeMeans
{
    std::vector<int> valueIds;
    std::vector<double> values;
    std::vector<int> vectorIds;
    std::vector<CVectorCell> vectors;
};

// Each node's mean over the elements that use it and carry a value; sample(link) gives the
// link's element as (values, index) to read at. The range widens node after node.
template <bool withVectors, typename Sample>
void AverageLinks(CResultData& result, const NodeElementLinks& links, Sample sample,
                  NodeMeans& means)
{
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
            const auto [from, j] = sample(static_cast<size_t>(link));
            if (from.hasValue[j])
            {
                sum += from.values[j];
                ++scalarCount;
            }
            if (withVectors && from.hasVector[j])
            {
                x += from.vectors[j].x;
                y += from.vectors[j].y;
                z += from.vectors[j].z;
                ++vectorCount;
            }
        }
        if (scalarCount != 0)
        {
            const double average = sum / scalarCount;
            result.WidenRange(average);
            means.valueIds.push_back(links.nodeIds[k]);
            means.values.push_back(average);
        }
        if (withVectors && vectorCount != 0)
        {
            const CPoint3D mean(x / vectorCount, y / vectorCount, z / vectorCount);
            result.WidenVectorRange(mean);
            means.vectorIds.push_back(links.nodeIds[k]);
            means.vectors.push_back({mean.x, mean.y, mean.z});
        }
    }
}

template <bool withVectors, typename Value, typename Vector>
void AverageDirectly(CResultData& result, const NodeElementLinks& links,
                     const CIdTable<Value>& values, const CIdTable<Vector>& vectors,
                     NodeMeans& means)
{
    const DirectValues<Value, Vector> direct{
        result.m_elementValueFlags.GetDenseData(), values.GetDenseData(),
        result.m_elementVectorFlags.GetDenseData(), vectors.GetDenseData()};
    AverageLinks<withVectors>(
        result, links,
        [&](size_t link)
        { return std::make_pair(direct, static_cast<size_t>(links.elementIds[link])); },
        means);
}

// Averages the result into means, reading its element values directly or through samples of
// the numbered elements.
template <bool withVectors>
void AverageResult(CResultData& result, const NodeElementLinks& links,
                   const ElementNumbers* numbers, NodeMeans& means)
{
    if (ReadsDirectly(result, links.largestElementId, withVectors))
    {
        const CScalarTable& values = result.m_elementValues;
        const CVectorTable& vectors = result.m_elementVectors;
        if (values.IsWide())
        {
            if (vectors.IsWide())
                AverageDirectly<withVectors>(result, links, values.GetWide(), vectors.GetWide(),
                                             means);
            else
                AverageDirectly<withVectors>(result, links, values.GetWide(), vectors.GetNarrow(),
                                             means);
        }
        else
        {
            if (vectors.IsWide())
                AverageDirectly<withVectors>(result, links, values.GetNarrow(), vectors.GetWide(),
                                             means);
            else
                AverageDirectly<withVectors>(result, links, values.GetNarrow(), vectors.GetNarrow(),
                                             means);
        }
        return;
    }
    ElementSamples samples;
    SampleElements(result, *numbers, withVectors, samples);
    const DirectValues<double, CVectorCell> sampled{samples.hasValue.data(), samples.values.data(),
                                                    samples.hasVector.data(),
                                                    samples.vectors.data()};
    AverageLinks<withVectors>(
        result, links,
        [&](size_t link)
        { return std::make_pair(sampled, static_cast<size_t>(numbers->linkNumbers[link])); },
        means);
}

// The model's node-element links at one update of the loaded results, kept by the results it
// averages until each has been read once.
class CNodeMeansAtUpdate : public CNodeMeansSource
{
public:
    CNodeMeansAtUpdate(int nodeCount, NodeElementLinks links,
                       std::unique_ptr<ElementNumbers> numbers)
        : m_nodeCount(nodeCount)
        , m_links(std::move(links))
        , m_numbers(std::move(numbers))
    {
    }

    // Each node gets the mean of the values of the elements that use it and carry one.
    void AverageToNodes(CResultData& result) const override
    {
        const bool withVectors = (result.m_flags & CResultData::kFlagVector) != 0;
        result.ReserveNodes(m_nodeCount, withVectors);
        NodeMeans means;
        if (withVectors)
            AverageResult<true>(result, m_links, m_numbers.get(), means);
        else
            AverageResult<false>(result, m_links, m_numbers.get(), means);
        result.m_nodeValues.SetEach(means.valueIds.data(), means.valueIds.size(),
                                    [&](size_t i) { return means.values[i]; });
        result.m_nodeVectors.SetEach(means.vectorIds.data(), means.vectorIds.size(),
                                     [&](size_t i) { return means.vectors[i]; });
        result.m_nodeVectorFlags.SetEach(means.vectorIds.data(), means.vectorIds.size(),
                                         [](size_t) { return uint8_t(1); });
    }

    // Whether averaging on these links gives what averaging on links and nodeCount gives.
    bool Matches(int nodeCount, const NodeElementLinks& links) const
    {
        return nodeCount == m_nodeCount && links == m_links;
    }

private:
    int m_nodeCount;
    NodeElementLinks m_links;
    std::unique_ptr<ElementNumbers> m_numbers; // when a result's arrays miss a linked id
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
    std::vector<CResultData*> candidates;
    for (const auto& [id, result] : fw::Assocs(m_results))
    {
        if (result == nullptr)
            continue;
        if (result->m_loaded == CResultData::kLoaded && result->m_average &&
            result->GetLocation() == 0 && m_defaultGroup != nullptr)
            candidates.push_back(result);
        else
            result->SettleNodeMeans(); // waiting from an update that found it averaged
    }
    if (candidates.empty())
        return;
    // One object filed under two ids is averaged once.
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    const int nodeCount = m_maxNodeId >= 1 ? static_cast<int>(m_maxNodeId) : kDefaultNodeCount;
    NodeElementLinks links = LinkNodesToElements(*m_defaultGroup);
    // A result averaged (or waiting) on links equal to these keeps its means: averaging again
    // would give the same. Others are averaged on the links of their own update first, as they
    // would have been then, and again on these when next read.
    std::vector<std::pair<const CNodeMeansSource*, bool>> compared; // once a source
    const auto matches = [&](const CNodeMeansSource* source)
    {
        for (const auto& known : compared)
        {
            if (known.first == source)
                return known.second;
        }
        const bool same = static_cast<const CNodeMeansAtUpdate*>(source)->Matches(nodeCount, links);
        compared.emplace_back(source, same);
        return same;
    };
    std::vector<CResultData*> averaged;
    for (CResultData* result : candidates)
    {
        const CNodeMeansSource* source = result->GetNodeMeansSource();
        if (source != nullptr && matches(source))
            continue;
        result->SettleNodeMeans();
        averaged.push_back(result);
    }
    if (averaged.empty())
        return;
    // The numbering is shared, made now when any result needs it.
    std::unique_ptr<ElementNumbers> numbers;
    for (const CResultData* result : averaged)
    {
        const bool withVectors = (result->m_flags & CResultData::kFlagVector) != 0;
        if (!ReadsDirectly(*result, links.largestElementId, withVectors))
        {
            numbers = std::make_unique<ElementNumbers>(NumberLinkedElements(*this, links));
            break;
        }
    }
    const auto source =
        std::make_shared<const CNodeMeansAtUpdate>(nodeCount, std::move(links), std::move(numbers));
    for (CResultData* result : averaged)
        result->SetPendingNodeMeans(source);
}
