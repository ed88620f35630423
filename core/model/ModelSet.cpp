// The model database: construction and release, rollback, nodes, elements, groups, coordinate
// systems, colour records, forces and mode frequencies. The catalogue is in
// ModelSet_results.cpp.
#include "core/model/ModelSet.h"

#include "core/geometry/CoordSystem.h"
#include "core/geometry/ElementForce.h"
#include "core/geometry/FENode.h"
#include "core/model/ElementDescriptor.h"
#include "core/model/ElementMeasure.h"
#include "core/model/FEElement.h"
#include "core/model/FaceMeasures.h"
#include "core/services/LogFile.h"
#include "core/services/OutputSink.h"
#include "core/services/StringFile.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
constexpr UINT kEntityTableSize = 200000;
constexpr UINT kGroupTableSize = 11;
constexpr UINT kCatalogueTableSize = 500;
constexpr UINT kCoordSystemTableSize = 256;
constexpr UINT kSmallTableSize = 17;
constexpr UINT kPropertyTableSize = 200;
constexpr UINT kMaterialTableSize = 100;
constexpr double kBoxOfIdsUnset = 99999999.99;

// The keys of a map, for the snapshot SaveMaxIds takes.
template <typename Map>
std::set<UINT> KeysOf(const Map& map)
{
    std::set<UINT> keys;
    for (UINT key : map.SortedKeys())
        keys.insert(key);
    return keys;
}

template <typename Value, typename Arg>
std::map<UINT, Value> CopyOf(const CMap<UINT, UINT, Value, Arg>& map)
{
    std::map<UINT, Value> copy;
    for (const auto& [key, value] : fw::Assocs(map))
    {
        copy[key] = value;
    }
    return copy;
}

// Restores a small map to a copy, inserting in ascending key order.
template <typename Value, typename Arg>
void RestoreFrom(CMap<UINT, UINT, Value, Arg>& map, const std::map<UINT, Value>& copy)
{
    map.RemoveAll();
    for (const auto& entry : copy)
        map.SetAt(entry.first, entry.second);
}

// Keys present now but not in the snapshot: what a read added.
template <typename Map>
std::vector<UINT> KeysAddedSince(const Map& map, const std::set<UINT>& before)
{
    std::vector<UINT> added;
    for (UINT key : KeysOf(map))
    {
        if (before.count(key) == 0)
            added.push_back(key);
    }
    return added;
}

bool ContainsId(const CIdList& ids, int id)
{
    for (int i = 0; i < ids.GetSize(); ++i)
    {
        if (ids[i] == id)
            return true;
    }
    return false;
}

void RemoveId(CIdList& ids, int id)
{
    for (int i = ids.GetSize() - 1; i >= 0; --i)
    {
        if (ids[i] == id)
            ids.RemoveAt(i);
    }
}

// Node ids the element really holds: its declared count, but never past its list.
int NodeSlots(const CFEElement& element)
{
    return std::max(0, std::min(element.m_nodeCount, static_cast<int>(element.m_ids.GetSize())));
}
// Inserting makes the record, and with it its random colour, exactly once: a lookup or a record
// made beside it would draw three more random numbers each.
template <class Map>
bool AddColorRecord(Map& colors, int recordId, UINT& maxId)
{
    const UINT id = static_cast<UINT>(recordId);
    const INT_PTR before = colors.GetCount();
    auto& record = colors[id];
    if (colors.GetCount() == before)
        return false;
    record.id = recordId;
    maxId = std::max(maxId, id);
    return true;
}
} // namespace

CModelSet::CModelSet()
{
    m_elements.InitHashTable(kEntityTableSize);
    m_groups.InitHashTable(kGroupTableSize);
    m_results.InitHashTable(kCatalogueTableSize);
    m_loadCaseValues.InitHashTable(kCatalogueTableSize);
    m_loadCaseCounts.InitHashTable(kCatalogueTableSize);
    m_loadCaseSubcases.InitHashTable(kCatalogueTableSize);
    m_coordSystems.InitHashTable(kCoordSystemTableSize);
    m_pendingNodeCs.InitHashTable(kSmallTableSize);
    m_modeValues.InitHashTable(kCatalogueTableSize);
    m_propertyColors.InitHashTable(kPropertyTableSize);
    m_materialColors.InitHashTable(kMaterialTableSize);
    CreateDefaultGroup();
    SaveMaxIds();
}

CModelSet::~CModelSet()
{
    ReleaseAll();
}

void CModelSet::Report(const std::string& line) const
{
    if (m_sink != nullptr)
    {
        m_sink->AddOutputLine(line);
        return;
    }
    CAELogFile log("FileRead");
    log.WriteLine(1, "CModelSet", line.c_str());
}

void CModelSet::CreateDefaultGroup()
{
    auto group = std::make_unique<CGroupSet>();
    group->m_id = kDefaultGroupId;
    std::string name;
    LoadStringFromFile("standard.str", "Common", "DefaultGroup", &name);
    group->SetName(name.c_str());
    m_defaultGroup = group.get();
    AddGroup(group.release());
}

void CModelSet::RemoveAll(int mode)
{
    try
    {
        if (mode == 0)
        {
            ReleaseAll();
            CreateDefaultGroup();
            SaveMaxIds();
        }
        else if (mode == 1)
        {
            RollBack();
        }
    }
    catch (...)
    {
        Report("Model release stopped by an unexpected failure");
    }
}

// Everything goes: no element is unlinked from its nodes nor taken out of its groups one by
// one, since the nodes and groups go too.
void CModelSet::ReleaseAll()
{
    // In id order, through the index: the order in which readers made them.
    ForEachElement([](CFEElement* element) { delete element; });
    m_elements.RemoveAll();
    m_elementIndex.RemoveAll();
    m_maxElementId = 0;

    // Id 0 is a valid node id: every node goes, then the mark is cleared.
    if (m_defaultGroup != nullptr)
        m_defaultGroup->DeleteNodes();
    m_maxNodeId = 0;

    fw::DeleteValuesAndClear(m_groups);
    m_defaultGroup = nullptr;
    m_maxGroupId = 0;

    ReleaseResults();
    m_loadCaseValues.RemoveAll();
    m_loadCaseCounts.RemoveAll();
    m_loadCaseSubcases.RemoveAll();
    m_modeValues.RemoveAll();

    fw::DeleteValuesAndClear(m_coordSystems);
    m_maxCoordSystemId = 0;
    m_pendingNodeCs.RemoveAll();

    m_forces.clear();
    m_propertyColors.RemoveAll();
    m_materialColors.RemoveAll();
    m_maxPropertyId = 0;
    m_maxMaterialId = 0;
    m_unvDatasets = 0;
    m_defaultDisplacementId = -1;
}

void CModelSet::ReleaseResults()
{
    fw::DeleteValuesAndClear(m_results);
}

void CModelSet::RollBack()
{
    ReleaseElementsAbove(static_cast<UINT>(m_markElementId));
    ReleaseNodesAbove(static_cast<UINT>(m_markNodeId));
    // Id 0 is above no mark: it goes when the marked model did not have it.
    if (!m_snapshot.hadElementZero)
        ReleaseElement(FindElement(0));
    if (!m_snapshot.hadNodeZero)
        ReleaseNode(GetNode(0));
    SetBoundingBox(m_snapshot.box); // the read's nodes widened it

    for (UINT id : KeysAddedSince(m_results, m_snapshot.resultIds))
    {
        delete GetResult(id);
        m_results.RemoveKey(id);
    }
    RestoreFrom(m_loadCaseValues, m_snapshot.loadCaseValues);
    RestoreFrom(m_loadCaseCounts, m_snapshot.loadCaseCounts);
    RestoreFrom(m_loadCaseSubcases, m_snapshot.loadCaseSubcases);
    RestoreFrom(m_modeValues, m_snapshot.modeValues);
    RestoreFrom(m_pendingNodeCs, m_snapshot.pendingNodeCs);

    for (UINT id : KeysAddedSince(m_coordSystems, m_snapshot.coordSystemIds))
    {
        delete LookupCoordSystem(static_cast<int>(id));
        m_coordSystems.RemoveKey(id);
    }
    m_maxCoordSystemId = m_snapshot.maxCoordSystemId;
    for (UINT id : KeysAddedSince(m_groups, m_snapshot.groupIds))
    {
        delete LookupGroup(static_cast<int>(id));
        m_groups.RemoveKey(id);
    }
    m_maxGroupId = m_snapshot.maxGroupId;

    for (UINT id : KeysAddedSince(m_propertyColors, m_snapshot.propertyIds))
        m_propertyColors.RemoveKey(id);
    for (UINT id : KeysAddedSince(m_materialColors, m_snapshot.materialIds))
        m_materialColors.RemoveKey(id);
    m_maxPropertyId = static_cast<UINT>(m_markPropertyId);
    m_maxMaterialId = static_cast<UINT>(m_markMaterialId);

    // Force sets are append-only: a set the read created goes; records a read appended to an
    // older set stay (only solver result files add forces, and those are not rolled back).
    for (auto it = m_forces.begin(); it != m_forces.end();)
    {
        if (m_snapshot.forceKeys.count(it->first) == 0)
            it = m_forces.erase(it);
        else
            ++it;
    }

    m_unvDatasets = m_snapshot.unvDatasets;
    m_defaultDisplacementId = m_snapshot.defaultDisplacementId;
}

void CModelSet::ReleaseElementsAbove(UINT above)
{
    std::vector<CFEElement*> released;
    for (const auto& [elementId, element] : fw::Assocs(m_elements))
    {
        if (elementId > above)
            released.push_back(element);
    }
    for (CFEElement* element : released)
        ReleaseElement(element);
    m_maxElementId = above;
}

void CModelSet::ReleaseElement(CFEElement* element)
{
    if (element == nullptr)
        return;
    for (int i = 0; i < element->m_groups.GetSize(); ++i)
    {
        CGroupSet* group = LookupGroup(element->m_groups[i]);
        if (group != nullptr)
            group->RemoveElement(element);
    }
    if (m_defaultGroup != nullptr)
        m_defaultGroup->RemoveElement(element);
    UnlinkElementFromNodes(element);
    m_elements.RemoveKey(static_cast<UINT>(element->m_id));
    m_elementIndex.Clear(element->m_id);
    delete element;
    if (m_elements.IsEmpty())
    {
        m_elements.RemoveAll();
        m_elementIndex.RemoveAll();
    }
}

void CModelSet::ReleaseNodesAbove(UINT id)
{
    if (m_defaultGroup == nullptr)
        return;
    std::vector<CFENode*> released;
    for (const auto& [nodeId, node] : fw::Assocs(m_defaultGroup->GetNodes()))
    {
        if (nodeId > id)
            released.push_back(node);
    }
    for (CFENode* node : released)
        ReleaseNode(node);
    m_maxNodeId = id;
}

void CModelSet::ReleaseNode(CFENode* node)
{
    if (node == nullptr || m_defaultGroup == nullptr)
        return;
    for (int i = 0; i < node->m_groups.GetSize(); ++i)
    {
        CGroupSet* group = LookupGroup(node->m_groups[i]);
        if (group != nullptr && group != m_defaultGroup)
            group->RemoveNode(node);
    }
    m_defaultGroup->RemoveNode(node);
    m_pendingNodeCs.RemoveKey(static_cast<UINT>(node->m_id));
    delete node;
}

void CModelSet::SaveMaxIds()
{
    m_markNodeId = static_cast<int>(m_maxNodeId);
    m_markElementId = static_cast<int>(m_maxElementId);
    m_markPropertyId = static_cast<int>(m_maxPropertyId);
    m_markMaterialId = static_cast<int>(m_maxMaterialId);

    m_snapshot.box = GetBoundingBox();
    m_snapshot.hadNodeZero = GetNode(0) != nullptr;
    m_snapshot.hadElementZero = FindElement(0) != nullptr;
    m_snapshot.resultIds = KeysOf(m_results);
    m_snapshot.coordSystemIds = KeysOf(m_coordSystems);
    m_snapshot.propertyIds = KeysOf(m_propertyColors);
    m_snapshot.materialIds = KeysOf(m_materialColors);
    m_snapshot.groupIds = KeysOf(m_groups);
    m_snapshot.loadCaseValues = CopyOf(m_loadCaseValues);
    m_snapshot.loadCaseCounts = CopyOf(m_loadCaseCounts);
    m_snapshot.loadCaseSubcases = CopyOf(m_loadCaseSubcases);
    m_snapshot.modeValues = CopyOf(m_modeValues);
    m_snapshot.pendingNodeCs = CopyOf(m_pendingNodeCs);
    m_snapshot.forceKeys.clear();
    for (const auto& entry : m_forces)
        m_snapshot.forceKeys.insert(entry.first);
    m_snapshot.maxCoordSystemId = m_maxCoordSystemId;
    m_snapshot.maxGroupId = m_maxGroupId;
    m_snapshot.unvDatasets = m_unvDatasets;
    m_snapshot.defaultDisplacementId = m_defaultDisplacementId;
}

bool CModelSet::IsIdAcceptable(int id, const char* what) const
{
    if (id >= 0 && id <= kMaxEntityId)
        return true;
    char line[128];
    std::snprintf(line, sizeof line, "%s id %d refused: ids must lie between 0 and %d", what, id,
                  kMaxEntityId);
    Report(line);
    return false;
}

CFENode* CModelSet::GetNode(int id) const
{
    return m_defaultGroup ? m_defaultGroup->GetNode(id) : nullptr;
}

CPoint3D CModelSet::GetNodePoint(int id) const
{
    return m_defaultGroup ? m_defaultGroup->GetNodePoint(id) : CPoint3D();
}

bool CModelSet::AddNode(CFENode* node)
{
    if (node == nullptr || m_defaultGroup == nullptr || !IsIdAcceptable(node->m_id, "Node"))
        return false;
    if (!m_defaultGroup->AddNode(node))
        return false;
    m_maxNodeId = std::max(m_maxNodeId, static_cast<UINT>(node->m_id));
    node->m_groups.Add(kDefaultGroupId);
    return true;
}

CFEElement* CModelSet::FindElement(int id) const
{
    CFEElement* const* element = m_elementIndex.Find(id);
    return element != nullptr ? *element : nullptr;
}

bool CModelSet::AddElement(CFEElement* element)
{
    if (element == nullptr || !IsIdAcceptable(element->m_id, "Element"))
        return false;
    const UINT id = static_cast<UINT>(element->m_id);
    if (FindElement(element->m_id) != nullptr)
        return false;
    m_elements.SetAt(id, element);
    m_elementIndex.At(element->m_id) = element;
    m_maxElementId = std::max(m_maxElementId, id);
    if (m_defaultGroup != nullptr)
        m_defaultGroup->AddElement(element);
    element->m_groups.Add(kDefaultGroupId);
    AddPropertyColor(element->m_propertyId);
    AddMaterialColor(element->m_materialId);
    return true;
}

int CModelSet::GetElementCount() const
{
    return static_cast<int>(m_elements.GetCount());
}

int CModelSet::GetNodeCount() const
{
    return m_defaultGroup ? static_cast<int>(m_defaultGroup->GetNodes().GetCount()) : 0;
}

int CModelSet::CountElementsWithMissingNodes(UINT elementMark, std::vector<MissingNodes>* first,
                                             size_t maxIds) const
{
    int count = 0;
    const auto check = [&](const CFEElement* element)
    {
        // Springs and masses may join scalar points, which are no nodes of any file.
        if (element == nullptr || static_cast<UINT>(element->m_id) <= elementMark ||
            element->m_feDescriptorId == kDescriptorSpring ||
            element->m_feDescriptorId == kDescriptorMass)
            return;
        MissingNodes found{element->m_id, {}};
        bool isMissing = false;
        const int slots = NodeSlots(*element);
        for (int i = 0; i < slots; ++i)
        {
            const int nodeId = element->m_ids[i];
            if (nodeId == 0 || GetNode(nodeId) != nullptr)
                continue;
            isMissing = true;
            std::vector<int>& ids = found.nodeIds;
            if (ids.size() < maxIds && std::find(ids.begin(), ids.end(), nodeId) == ids.end())
                ids.push_back(nodeId);
        }
        if (!isMissing)
            return;
        ++count;
        if (first != nullptr && first->size() < maxIds)
            first->push_back(std::move(found));
    };
    const int firstId = static_cast<int>(std::min<UINT>(elementMark, INT32_MAX - 1)) + 1;
    for (int id = firstId; id < m_elementIndex.GetDenseCount(); ++id)
        check(m_elementIndex.GetDenseData()[id]);
    m_elementIndex.ForEachFar([&](int, CFEElement* element) { check(element); });
    return count;
}

void CModelSet::LinkElementToNodes(const CFEElement* element)
{
    if (element == nullptr)
        return;
    const int slots = NodeSlots(*element);
    std::vector<CFENode*> nodes(static_cast<size_t>(slots));
    for (int i = 0; i < slots; ++i)
        nodes[static_cast<size_t>(i)] = GetNode(element->m_ids[i]);
    LinkElementToNodes(*element, nodes);
}

void CModelSet::LinkElementToNodes(const CFEElement& element, const std::vector<CFENode*>& nodes)
{
    for (CFENode* node : nodes)
    {
        if (node != nullptr && !ContainsId(node->m_ids, element.m_id))
            node->m_ids.Add(element.m_id);
    }
}

void CModelSet::UnlinkElementFromNodes(const CFEElement* element)
{
    if (element == nullptr)
        return;
    const int slots = NodeSlots(*element);
    for (int i = 0; i < slots; ++i)
    {
        CFENode* node = GetNode(element->m_ids[i]);
        if (node != nullptr)
            RemoveId(node->m_ids, element->m_id);
    }
}

void CModelSet::BuildElementFaces()
{
    NumberEntities();
    std::vector<CFENode*> nodes;
    ForEachElement(
        [&](CFEElement* element)
        {
            element->SetFaceCountByDescriptor(element->m_feDescriptorId);
            element->BuildElementFaces();
            // Each node is looked up once for the links and the centre.
            const int slots = NodeSlots(*element);
            nodes.resize(static_cast<size_t>(slots));
            for (int i = 0; i < slots; ++i)
                nodes[static_cast<size_t>(i)] = GetNode(element->m_ids[i]);
            LinkElementToNodes(*element, nodes);
            ComputeFaceCorners(element);
            ComputeElementCentre(*element, nodes);
        });
}

void CModelSet::NumberEntities()
{
    // In id order.
    int index = 0;
    if (m_defaultGroup != nullptr)
        m_defaultGroup->ForEachNode([&index](CFENode* node) { node->m_index = ++index; });
    index = 0;
    ForEachElement([&index](CFEElement* element) { element->m_index = ++index; });
}

bool CModelSet::ComputeFaceCorners(CFEElement* element) const
{
    if (element == nullptr)
        return false;
    for (int f = 0; f < element->m_faces.GetSize(); ++f)
    {
        CFEFace& face = element->m_faces[f];
        const int count = std::min(static_cast<int>(face.m_ids.GetSize()), 8);
        const int step = (count == 6 || count == 8) ? 2 : 1;
        CPoint3D corners[8];
        int cornerCount = 0;
        for (int i = 0; i < count; i += step)
            corners[cornerCount++] = GetNodePoint(face.m_ids[i]);
        if (cornerCount >= 3)
            CalcFaceNormal(face, corners);
    }
    return true;
}

void CModelSet::ComputeElementCentre(CFEElement* element) const
{
    if (element == nullptr)
        return;
    const int slots = NodeSlots(*element);
    std::vector<CFENode*> nodes(static_cast<size_t>(slots));
    for (int i = 0; i < slots; ++i)
        nodes[static_cast<size_t>(i)] = GetNode(element->m_ids[i]);
    ComputeElementCentre(*element, nodes);
}

void CModelSet::ComputeElementCentre(CFEElement& element, const std::vector<CFENode*>& nodes) const
{
    if (element.m_nodeCount <= 0)
        return;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    for (const CFENode* node : nodes)
    {
        if (node != nullptr)
        {
            x += node->m_coord.x;
            y += node->m_coord.y;
            z += node->m_coord.z;
        }
    }
    const double scale = 1.0 / element.m_nodeCount;
    element.m_centre = CPoint3D(x * scale, y * scale, z * scale);
}

void CModelSet::ComputeBoxOfIds(const CModelEntity* entity, CPoint3D& min, CPoint3D& max) const
{
    min = CPoint3D(kBoxOfIdsUnset, kBoxOfIdsUnset, kBoxOfIdsUnset);
    max = CPoint3D(-kBoxOfIdsUnset, -kBoxOfIdsUnset, -kBoxOfIdsUnset);
    if (entity == nullptr)
        return;
    for (int i = 0; i < entity->m_ids.GetSize(); ++i)
    {
        const CFENode* node = GetNode(entity->m_ids[i]);
        if (node == nullptr)
            continue;
        const CPoint3D& p = node->m_coord;
        min = CPoint3D(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
        max = CPoint3D(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
    }
}

double CModelSet::ComputeVolume() const
{
    CElementMeasure measure(this);
    double sum = 0.0;
    for (const auto& [id, element] : fw::Assocs(m_elements))
    {
        if (element == nullptr)
            continue;
        switch (element->type)
        {
        case kTagBeam: sum += measure.Length(*element, 1.0); break;
        case kTagSolid: sum += measure.Volume(*element); break;
        case kTagShell: sum += measure.Area(*element, 1.0); break;
        default: break;
        }
    }
    return sum;
}

CGroupSet* CModelSet::LookupGroup(int id) const
{
    CGroupSet* group = nullptr;
    return m_groups.Lookup(static_cast<UINT>(id), group) ? group : nullptr;
}

bool CModelSet::AddGroup(CGroupSet* group)
{
    if (group == nullptr || LookupGroup(group->m_id) != nullptr)
        return false;
    m_groups.SetAt(static_cast<UINT>(group->m_id), group);
    m_maxGroupId = std::max(m_maxGroupId, static_cast<UINT>(group->m_id));
    return true;
}

bool CModelSet::DeleteGroup(int id)
{
    CGroupSet* group = id != kDefaultGroupId ? LookupGroup(id) : nullptr;
    if (group == nullptr)
        return false;
    m_groups.RemoveKey(static_cast<UINT>(id));
    delete group;
    return true;
}

CGroupSet* CModelSet::FindGroupByName(const CString& name) const
{
    for (const auto& [id, group] : fw::Assocs(m_groups))
    {
        if (group != nullptr && group->GetName().CompareNoCase(name) == 0)
            return group;
    }
    return nullptr;
}

CBox3D CModelSet::GetBoundingBox() const
{
    return m_defaultGroup ? m_defaultGroup->GetBoundingBox() : CBox3D();
}

void CModelSet::SetBoundingBox(const CBox3D& box)
{
    if (m_defaultGroup != nullptr)
        m_defaultGroup->SetBoundingBox(box);
}

void CModelSet::UpdateBoundingBox(int visibleOnly, const CVisibilityView* view)
{
    if (m_defaultGroup != nullptr)
        m_defaultGroup->UpdateBoundingBox(visibleOnly, view);
}

CPoint3D CModelSet::GetCenter() const
{
    return m_defaultGroup ? m_defaultGroup->GetCenter() : CPoint3D();
}

bool CModelSet::AddCoordSystem(CCoordSystem* system)
{
    // The largest system id offsets the ids of the next file read, so it stays sane too.
    if (system == nullptr || !IsIdAcceptable(system->m_id, "Coordinate system") ||
        LookupCoordSystem(system->m_id) != nullptr)
        return false;
    m_maxCoordSystemId = std::max(m_maxCoordSystemId, static_cast<UINT>(system->m_id));
    m_coordSystems.SetAt(static_cast<UINT>(system->m_id), system);
    return true;
}

CCoordSystem* CModelSet::LookupCoordSystem(int id) const
{
    CCoordSystem* system = nullptr;
    return m_coordSystems.Lookup(static_cast<UINT>(id), system) ? system : nullptr;
}

void CModelSet::ReservePendingNodeMap()
{
    if (m_pendingNodeCs.GetHashTableSize() >= kEntityTableSize)
        return;
    const std::map<UINT, int> pending = CopyOf(m_pendingNodeCs);
    m_pendingNodeCs.RemoveAll();
    m_pendingNodeCs.InitHashTable(kEntityTableSize);
    for (const auto& entry : pending)
        m_pendingNodeCs.SetAt(entry.first, entry.second);
}

void CModelSet::SetNodeCoordSystem(int nodeId, int csId)
{
    m_pendingNodeCs.SetAt(static_cast<UINT>(nodeId), csId);
}

int CModelSet::TransformPendingNodes()
{
    std::vector<UINT> done;
    std::vector<std::pair<UINT, int>> left;
    for (const auto& [nodeId, csId] : fw::Assocs(m_pendingNodeCs))
    {
        CCoordSystem* system = LookupCoordSystem(csId);
        CFENode* node = GetNode(static_cast<int>(nodeId));
        // A system that exists but is undefined (grid points never found, collinear points)
        // moves nothing: the node waits like one whose system is missing.
        CPoint3D position = node != nullptr ? CPoint3D(node->m_coord) : CPoint3D();
        if (system == nullptr || node == nullptr || system->TransformPosition(position) == 0)
        {
            left.emplace_back(nodeId, csId);
            continue;
        }
        node->m_coord = position;
        done.push_back(nodeId);
    }
    for (UINT nodeId : done)
        m_pendingNodeCs.RemoveKey(nodeId);
    if (m_pendingNodeCs.IsEmpty())
        m_pendingNodeCs.RemoveAll();

    std::sort(left.begin(), left.end());
    for (const auto& entry : left)
    {
        char line[128];
        std::snprintf(line, sizeof line,
                      "Node %u refers to coordinate system %d, which is not defined: the node "
                      "keeps its coordinates",
                      entry.first, entry.second);
        Report(line);
    }
    return static_cast<int>(left.size());
}

int CModelSet::GetPendingNodeCount() const
{
    return static_cast<int>(m_pendingNodeCs.GetCount());
}

bool CModelSet::AddPropertyColor(int propertyId)
{
    return AddColorRecord(m_propertyColors, propertyId, m_maxPropertyId);
}

bool CModelSet::AddMaterialColor(int materialId)
{
    return AddColorRecord(m_materialColors, materialId, m_maxMaterialId);
}

CPropertyColor* CModelSet::LookupPropertyColor(int propertyId)
{
    return m_propertyColors.PLookup(static_cast<UINT>(propertyId));
}

CMaterialColor* CModelSet::LookupMaterialColor(int materialId)
{
    return m_materialColors.PLookup(static_cast<UINT>(materialId));
}

bool CModelSet::AddForce(CElementForce* force)
{
    if (force == nullptr)
        return false;
    std::unique_ptr<CForceSet>& set = m_forces[std::make_pair(force->m_loadSetId, force->m_id)];
    if (!set)
    {
        set = std::make_unique<CForceSet>();
        set->m_loadSetId = force->m_loadSetId;
        set->m_gridId = force->m_id;
    }
    set->Add(force);
    return true;
}

void CModelSet::SetModeFrequency(int mode, double frequency)
{
    m_modeValues.SetAt(static_cast<UINT>(mode), frequency);
}

bool CModelSet::GetModeFrequency(int mode, double* frequency) const
{
    double value = 0.0;
    if (!m_modeValues.Lookup(static_cast<UINT>(mode), value))
        return false;
    *frequency = value;
    return true;
}

bool CModelSet::GetModeFrequency(int mode, int loadCaseIndex, double* frequency) const
{
    return GetModeFrequency(mode >= 0 ? mode : loadCaseIndex, frequency);
}
