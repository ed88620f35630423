// Finding or creating results by packed id, and the six value stores of the result readers.
#include "io/results/ResultSets.h"

#include "core/services/StringFile.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace
{
constexpr int kMaxElementNodes = 64; // well above the 20 nodes of the largest element
constexpr int kStoreKind = CResultData::kVectorXYZ;

std::string LookupTreeText(const char* keyFormat, unsigned value)
{
    char key[64];
    std::snprintf(key, sizeof key, keyFormat, value);
    std::string text;
    LoadStringFromFile("standard.str", "Tree", key, &text);
    return text;
}

// "<result name> - <type name>"; a type without a text reads as "Undefined".
CString ComposeResultName(uint32_t packedId)
{
    std::string subName = LookupTreeText("ResultSub_%d", packedId & kResultTypeMask);
    if (subName.empty())
        LoadStringFromFile("standard.str", "Common", "Undefined", &subName);
    const std::string name = LookupTreeText("ResultName_%d", ResultIdNumber(packedId));
    return CString((name + " - " + subName).c_str());
}

double Length(const CPoint3D& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

void ReportIdRefused(CModelSet& model, int id, const char* what, uint32_t packedId)
{
    char line[160];
    std::snprintf(line, sizeof line, "Result 0x%08X: value of %s id %d refused (ids lie in 0..%d)",
                  static_cast<unsigned>(packedId), what, id, kMaxEntityId);
    model.Report(line);
}

bool IsIdStorable(CModelSet& model, int id, const char* what, uint32_t packedId)
{
    if (id >= 0 && id <= kMaxEntityId)
        return true;
    ReportIdRefused(model, id, what, packedId);
    return false;
}

// The element's set with the slot checked against it; null (and a message) when the slot or
// the node count is out of bounds.
CComponentSet* ComponentSetForStore(CResultData& result, CModelSet& model, int elementId, int slot,
                                    int nodeCount)
{
    const CComponentSet* present = result.GetComponentSet(elementId);
    const int size = present ? static_cast<int>(present->nodeIds.size()) : nodeCount;
    if (present == nullptr && (nodeCount < 1 || nodeCount > kMaxElementNodes))
    {
        char line[160];
        std::snprintf(line, sizeof line, "Result 0x%08X: element %d with %d nodes refused",
                      result.m_id, elementId, nodeCount);
        model.Report(line);
        return nullptr;
    }
    if (slot < 0 || slot >= size)
    {
        char line[160];
        std::snprintf(line, sizeof line,
                      "Result 0x%08X: node slot %d of element %d refused (the element has %d)",
                      result.m_id, slot, elementId, size);
        model.Report(line);
        return nullptr;
    }
    return &result.GetOrCreateComponentSet(elementId, nodeCount);
}
} // namespace

CResultData* GetOrCreateResult(int packedId, CModelSet* model, const CString& text, int kind,
                               int64_t filePosition, const CString& blockName,
                               const CString& sourcePath)
{
    if (packedId < 0 || model == nullptr)
        return nullptr;
    const uint32_t id = static_cast<uint32_t>(packedId);
    if (CResultData* present = model->GetResult(id))
        return present;
    auto result = std::make_unique<CResultData>();
    result->m_id = id;
    const CString name = ComposeResultName(id);
    result->SetName(name);
    result->SetTitle(name);
    result->m_kind = kind;
    result->m_groupName = text;
    result->m_filePosition = filePosition;
    result->m_blockName = blockName;
    result->m_sourcePath = sourcePath;
    CResultData* created = result.get();
    model->AddResult(result.release());
    return created;
}

CResultData* ResultForStores(int packedId, CModelSet* model)
{
    if (packedId < 0 || model == nullptr)
        return nullptr;
    return GetOrCreateResult(packedId, model, CString(), kStoreKind, 0, CString("DEFAULT"),
                             CString());
}

// Ids are not reserved past the table's dense limits: a model of far ids stays cheap.
void ReserveNodeStores(CResultData* result, const CModelSet* model, bool withVectors)
{
    const UINT largest = model != nullptr ? model->GetMaxNodeId() : 0;
    if (result != nullptr && largest > 0 && largest < static_cast<UINT>(kMaxEntityId))
        result->ReserveNodes(static_cast<int>(largest) + 1, withVectors, model->GetNodeCount());
}

void ReserveElementStores(CResultData* result, const CModelSet* model, bool withVectors)
{
    const UINT largest = model != nullptr ? model->GetMaxElementId() : 0;
    if (result != nullptr && largest > 0 && largest < static_cast<UINT>(kMaxEntityId))
        result->ReserveElements(static_cast<int>(largest) + 1, withVectors,
                                model->GetElementCount());
}

void StoreNodeScalarValue(CResultData* result, int nodeId, float value, CModelSet* model, int flags,
                          int tag)
{
    if (result == nullptr || !IsIdStorable(*model, nodeId, "node", result->m_id))
        return;
    result->SetNodeValue(nodeId, value);
    result->WidenRange(value);
    result->m_flags |= flags | CResultData::kFlagAtNodes;
    result->m_mode = tag;
}

void StoreNodeVectorValue(CResultData* result, int nodeId, const CPoint3D& vector, CModelSet* model,
                          int flags, int tag)
{
    if (result == nullptr || !IsIdStorable(*model, nodeId, "node", result->m_id))
        return;
    const double length = Length(vector);
    result->SetNodeVector(nodeId, vector);
    result->SetNodeValue(nodeId, length);
    result->WidenRange(length);
    result->WidenVectorRange(vector);
    result->m_flags |= flags | CResultData::kFlagAtNodes | CResultData::kFlagVector;
    result->m_mode = tag;
}

void StoreElementScalarValue(CResultData* result, int elementId, float value, CModelSet* model,
                             int flags, int tag)
{
    if (result == nullptr || !IsIdStorable(*model, elementId, "element", result->m_id))
        return;
    result->SetElementValue(elementId, value);
    result->WidenRange(value);
    result->m_flags |= flags;
    result->m_mode = tag;
}

void StoreElementVectorValue(CResultData* result, int elementId, const CPoint3D& vector,
                             CModelSet* model, int flags, int tag)
{
    if (result == nullptr || !IsIdStorable(*model, elementId, "element", result->m_id))
        return;
    const double length = Length(vector);
    result->SetElementVector(elementId, vector);
    result->SetElementValue(elementId, length);
    result->WidenRange(length);
    result->WidenVectorRange(vector);
    result->m_flags |= flags | CResultData::kFlagVector;
    result->m_mode = tag;
}

void StoreElementNodeScalarValue(CResultData* result, int elementId, int nodeId, float value,
                                 CModelSet* model, int slot, int nodeCount, int flags, int tag)
{
    if (result == nullptr || !IsIdStorable(*model, elementId, "element", result->m_id) ||
        !IsIdStorable(*model, nodeId, "node", result->m_id))
        return;
    CComponentSet* set = ComponentSetForStore(*result, *model, elementId, slot, nodeCount);
    if (set == nullptr)
        return;
    set->nodeIds[slot] = nodeId;
    set->values[slot] = value;
    result->WidenRange(value);
    result->m_flags |= flags | CResultData::kFlagElementNodes;
    result->m_mode = tag;
}

void StoreElementNodeVectorValue(CResultData* result, int elementId, int nodeId,
                                 const CPoint3D& vector, CModelSet* model, int slot, int nodeCount,
                                 int flags, int tag)
{
    if (result == nullptr || !IsIdStorable(*model, elementId, "element", result->m_id) ||
        !IsIdStorable(*model, nodeId, "node", result->m_id))
        return;
    CComponentSet* set = ComponentSetForStore(*result, *model, elementId, slot, nodeCount);
    if (set == nullptr)
        return;
    if (set->vectors.size() < set->nodeIds.size())
        set->vectors.resize(set->nodeIds.size());
    const double length = Length(vector);
    set->nodeIds[slot] = nodeId;
    set->vectors[slot] = vector;
    set->values[slot] = length;
    result->WidenRange(length);
    result->WidenVectorRange(vector);
    result->m_flags |= flags | CResultData::kFlagElementNodes | CResultData::kFlagVector;
    result->m_mode = tag;
}

// A value of an id outside the tables' range creates no result.
CResultData* ResultForStore(int packedId, CModelSet* model, int entityId, const char* what)
{
    if (packedId < 0 || model == nullptr ||
        !IsIdStorable(*model, entityId, what, static_cast<uint32_t>(packedId)))
        return nullptr;
    return ResultForStores(packedId, model);
}

void AddNodeScalarValue(int nodeId, int packedId, float value, CModelSet* model, int flags, int tag)
{
    StoreNodeScalarValue(ResultForStore(packedId, model, nodeId, "node"), nodeId, value, model,
                         flags, tag);
}

void AddNodeVectorValue(int nodeId, int packedId, const CPoint3D& vector, CModelSet* model,
                        int flags, int tag)
{
    StoreNodeVectorValue(ResultForStore(packedId, model, nodeId, "node"), nodeId, vector, model,
                         flags, tag);
}

void AddElementScalarValue(int elementId, int packedId, float value, CModelSet* model, int flags,
                           int tag)
{
    StoreElementScalarValue(ResultForStore(packedId, model, elementId, "element"), elementId, value,
                            model, flags, tag);
}

void AddElementVectorValue(int elementId, int packedId, const CPoint3D& vector, CModelSet* model,
                           int flags, int tag)
{
    StoreElementVectorValue(ResultForStore(packedId, model, elementId, "element"), elementId,
                            vector, model, flags, tag);
}

void AddElementNodeScalarValue(int elementId, int nodeId, int packedId, float value,
                               CModelSet* model, int slot, int nodeCount, int flags, int tag)
{
    StoreElementNodeScalarValue(ResultForStore(packedId, model, elementId, "element"), elementId,
                                nodeId, value, model, slot, nodeCount, flags, tag);
}

void AddElementNodeVectorValue(int elementId, int nodeId, int packedId, const CPoint3D& vector,
                               CModelSet* model, int slot, int nodeCount, int flags, int tag)
{
    StoreElementNodeVectorValue(ResultForStore(packedId, model, elementId, "element"), elementId,
                                nodeId, vector, model, slot, nodeCount, flags, tag);
}

void ResolveGroupResultId(int* out, int packedId, const CResultMap* group)
{
    *out = packedId;
    if (group == nullptr)
        return;
    CResultData* result = nullptr;
    if (!group->Lookup(static_cast<UINT>(packedId), result) || result == nullptr)
        *out = -1;
}
