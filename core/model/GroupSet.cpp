// Group membership, bounding box, and the outer-face and feature-edge extraction.
#include "core/model/GroupSet.h"

#include "core/geometry/FENode.h"
#include "core/geometry/VectorMath.h"
#include "core/model/FEElement.h"
#include "core/model/FaceMeasures.h"
#include "core/model/ViewServices.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
constexpr UINT kMemberTableSize = 200000;
constexpr double kBoxUnset = 99999999.0;
constexpr double kFeatureAngle = 0.5236; // 30 degrees: smaller angles are smooth edges

void WidenBox(CBox3D& box, const CPoint3D& p)
{
    box.min.x = std::min(box.min.x, p.x);
    box.min.y = std::min(box.min.y, p.y);
    box.min.z = std::min(box.min.z, p.z);
    box.max.x = std::max(box.max.x, p.x);
    box.max.y = std::max(box.max.y, p.y);
    box.max.z = std::max(box.max.z, p.z);
}

// The node ids of a face, sorted and padded with zeros: equal for every element that has the
// face, whatever its orientation.
struct FaceKey
{
    UINT ids[8];

    bool operator==(const FaceKey& other) const { return std::equal(ids, ids + 8, other.ids); }
};

FaceKey MakeFaceKey(const CFEFace& face)
{
    FaceKey key = {};
    const int count = std::min(static_cast<int>(face.m_ids.GetSize()), 8);
    // Insertion sort: at most eight ids.
    for (int i = 0; i < count; ++i)
    {
        const UINT id = static_cast<UINT>(face.m_ids[i]);
        int j = i;
        for (; j > 0 && key.ids[j - 1] > id; --j)
            key.ids[j] = key.ids[j - 1];
        key.ids[j] = id;
    }
    return key;
}

uint64_t HashFaceKey(const FaceKey& key)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (UINT id : key.ids)
    {
        hash ^= id;
        hash *= 0x100000001b3ull;
        hash ^= hash >> 29;
    }
    return hash;
}

// The faces met so far an odd number of times: open addressing with linear probing. A slot
// holds the face's hash in its high half and (element ordinal << 3 | face index) + 1 in its
// low half; 0 is empty. Keys are compared in full through the elements.
class OuterFaceTable
{
public:
    OuterFaceTable(const std::vector<CFEElement*>& elements, size_t faceCount)
        : m_elements(elements)
    {
        size_t capacity = 16;
        while (capacity < faceCount * 2)
            capacity *= 2;
        m_slots.assign(capacity, 0);
        m_mask = capacity - 1;
    }

    // Asks the memory for the face's first slot ahead of its Toggle: a table of millions is
    // read at random.
    void Prefetch(uint64_t hash) const { __builtin_prefetch(&m_slots[hash & m_mask], 1); }

    // Stores the face, or removes it when an equal face is stored already; key and hash are
    // the face's.
    void Toggle(UINT ordinal, UINT faceIndex, const FaceKey& key, uint64_t hash)
    {
        const uint64_t tag = hash >> 32;
        for (size_t i = hash & m_mask;; i = (i + 1) & m_mask)
        {
            const uint64_t slot = m_slots[i];
            if (slot == 0)
            {
                m_slots[i] = (tag << 32) | ((static_cast<uint64_t>(ordinal) << 3 | faceIndex) + 1);
                return;
            }
            if ((slot >> 32) == tag && MakeFaceKey(FaceOfSlot(slot)) == key)
            {
                Erase(i);
                return;
            }
        }
    }

    // Calls visit(ordinal, faceIndex) for every face left.
    template <typename Visit>
    void ForEach(Visit visit) const
    {
        for (uint64_t slot : m_slots)
        {
            if (slot == 0)
                continue;
            const uint64_t packed = (slot & 0xFFFFFFFFu) - 1;
            visit(static_cast<UINT>(packed >> 3), static_cast<UINT>(packed & 7));
        }
    }

private:
    const CFEFace& FaceOf(UINT ordinal, UINT faceIndex) const
    {
        return m_elements[ordinal]->m_faces[faceIndex];
    }

    const CFEFace& FaceOfSlot(uint64_t slot) const
    {
        const uint64_t packed = (slot & 0xFFFFFFFFu) - 1;
        return FaceOf(static_cast<UINT>(packed >> 3), static_cast<UINT>(packed & 7));
    }

    size_t HomeOf(uint64_t slot) const
    {
        return HashFaceKey(MakeFaceKey(FaceOfSlot(slot))) & m_mask;
    }

    // Backward-shift deletion keeps every probe chain unbroken without tombstones.
    void Erase(size_t hole)
    {
        for (size_t i = (hole + 1) & m_mask; m_slots[i] != 0; i = (i + 1) & m_mask)
        {
            const size_t home = HomeOf(m_slots[i]);
            const bool canMove =
                hole <= i ? (home <= hole || home > i) : (home <= hole && home > i);
            if (canMove)
            {
                m_slots[hole] = m_slots[i];
                hole = i;
            }
        }
        m_slots[hole] = 0;
    }

    const std::vector<CFEElement*>& m_elements;
    std::vector<uint64_t> m_slots;
    size_t m_mask = 0;
};

// The ridge edges found so far: open addressing with linear probing on the edge key. Each slot
// also keeps the ordinal of the element that stored it, so that a shared edge finds its other
// face without a map lookup. Most edges are met twice and leave again at once, so the table
// holds little more than the front of the walk and grows only when it fills.
class RidgeEdgeTable
{
public:
    static constexpr uint32_t kNoOrdinal = ~0u;

    struct Slot
    {
        ULONGLONG key;
        ULONGLONG value; // kEmpty when the slot is free
        uint32_t ordinal;
    };
    // Edge values use at most 39 bits: this one is never stored.
    static constexpr ULONGLONG kEmpty = ~0ull;

    RidgeEdgeTable() { Resize(1024); }

    size_t GetCount() const { return m_count; }

    Slot* Find(ULONGLONG key)
    {
        for (size_t i = Home(key);; i = (i + 1) & m_mask)
        {
            Slot& slot = m_slots[i];
            if (slot.value == kEmpty)
                return nullptr;
            if (slot.key == key)
                return &slot;
        }
    }

    // The key must not be stored yet.
    void Insert(ULONGLONG key, ULONGLONG value, uint32_t ordinal)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            Resize(m_slots.size() * 2);
        size_t i = Home(key);
        while (m_slots[i].value != kEmpty)
            i = (i + 1) & m_mask;
        m_slots[i] = Slot{key, value, ordinal};
        ++m_count;
    }

    // Backward-shift deletion keeps every probe chain unbroken without tombstones.
    void Erase(Slot* slot)
    {
        size_t hole = static_cast<size_t>(slot - m_slots.data());
        for (size_t i = (hole + 1) & m_mask; m_slots[i].value != kEmpty; i = (i + 1) & m_mask)
        {
            const size_t home = Home(m_slots[i].key);
            const bool canMove =
                hole <= i ? (home <= hole || home > i) : (home <= hole && home > i);
            if (canMove)
            {
                m_slots[hole] = m_slots[i];
                hole = i;
            }
        }
        m_slots[hole].value = kEmpty;
        --m_count;
    }

    template <typename Visit>
    void ForEach(Visit visit) const
    {
        for (const Slot& slot : m_slots)
        {
            if (slot.value != kEmpty)
                visit(slot.key, slot.value);
        }
    }

private:
    size_t Home(ULONGLONG key) const
    {
        return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & m_mask;
    }

    void Resize(size_t capacity)
    {
        std::vector<Slot> old(capacity, Slot{0, kEmpty, kNoOrdinal});
        old.swap(m_slots);
        m_mask = capacity - 1;
        m_count = 0;
        for (const Slot& slot : old)
        {
            if (slot.value != kEmpty)
                Insert(slot.key, slot.value, slot.ordinal);
        }
    }

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    size_t m_count = 0;
};

// Whether two faces meet at less than the feature angle: the angle between their normals, in
// place, as a million shared edges want it. A degenerate face (zero normal) has no angle to
// the other: its edges stay sharp.
bool IsSmoothEdge(const CPoint3D& a, const CPoint3D& b)
{
    const double lengthA = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    const double lengthB = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    if (lengthA == 0.0 || lengthB == 0.0)
        return false;
    const double lengths = lengthA * lengthB;
    const double cosine = (a.x * b.x + a.y * b.y + a.z * b.z) / lengths;
    if (lengths == 0.0 || std::isnan(lengths) || std::isnan(cosine))
        return true; // no angle: taken as zero
    return std::acos(std::clamp(cosine, -1.0, 1.0)) < kFeatureAngle;
}

// Adds the edges of one outer face: a new edge is stored, an edge met again is removed when
// the two faces are nearly coplanar.
void AddFaceEdges(RidgeEdgeTable& edges, const std::vector<CFEElement*>& visited,
                  const CElementMap& elementMap, uint32_t ordinal, const CFEFace& face)
{
    const CFEElement& element = *visited[ordinal];
    const int count = static_cast<int>(face.m_ids.GetSize());
    const bool hasMidNodes = count == 6 || count == 8;
    if (count != 3 && count != 4 && !hasMidNodes)
        return;
    const int step = hasMidNodes ? 2 : 1;
    for (int j = 0; j < count; j += step)
    {
        const UINT first = static_cast<UINT>(face.m_ids[j]);
        const UINT second = static_cast<UINT>(face.m_ids[(j + step) % count]);
        const ULONGLONG key = MakeEdgeKey(first, second).value;
        RidgeEdgeTable::Slot* stored = edges.Find(key);
        if (stored == nullptr)
        {
            const UINT position = hasMidNodes ? static_cast<UINT>(j + 1) : static_cast<UINT>(j);
            edges.Insert(key,
                         MakeEdgeValue(static_cast<UINT>(element.m_id), face.m_faceIndex, position),
                         ordinal);
            continue;
        }
        const UINT otherFace = EdgeValueFaceIndex(stored->value);
        CFEElement* other = nullptr;
        if (stored->ordinal != RidgeEdgeTable::kNoOrdinal)
            other = visited[stored->ordinal];
        else if (!elementMap.Lookup(EdgeValueElementId(stored->value), other))
            other = nullptr; // an edge the caller's map held before
        if (other == nullptr || static_cast<int>(otherFace) >= other->m_faces.GetSize())
            continue;
        if (IsSmoothEdge(face.m_normal, other->m_faces[otherFace].m_normal))
            edges.Erase(stored);
    }
}
} // namespace

CGroupSet::CGroupSet()
    : m_name("Group")
{
    // Tables come with their first member: a project may hold many small or empty groups, and
    // six empty tables of this size cost 10 MB and a walk of their buckets when freed.
    m_solids.InitHashTable(kMemberTableSize, false);
    m_beams.InitHashTable(kMemberTableSize, false);
    m_springs.InitHashTable(kMemberTableSize, false);
    m_masses.InitHashTable(kMemberTableSize, false);
    m_shells.InitHashTable(kMemberTableSize, false);
    m_nodes.InitHashTable(kMemberTableSize, false);
    ResetBoundingBox();
}

CGroupSet::~CGroupSet() = default;

CFENode* CGroupSet::GetNode(int id) const
{
    CFENode* const* node = m_nodeIndex.Find(id);
    return node != nullptr ? *node : nullptr;
}

CPoint3D CGroupSet::GetNodePoint(int id) const
{
    const CFENode* node = GetNode(id);
    return node ? CPoint3D(node->m_coord) : CPoint3D();
}

bool CGroupSet::AddNode(CFENode* node)
{
    if (node == nullptr || GetNode(node->m_id) != nullptr)
        return false;
    m_nodes.SetAt(static_cast<UINT>(node->m_id), node);
    m_nodeIndex.At(node->m_id) = node;
    WidenBox(m_box, node->m_coord);
    return true;
}

CFEElement* CGroupSet::FindElement(int id) const
{
    const UINT key = static_cast<UINT>(id);
    CFEElement* element = nullptr;
    for (const CElementMap* map : {&m_solids, &m_shells, &m_beams, &m_springs, &m_masses})
    {
        if (map->Lookup(key, element))
            return element;
    }
    return nullptr;
}

bool CGroupSet::AddElement(CFEElement* element)
{
    CElementMap* map = element ? MapForTag(element->type) : nullptr;
    if (map == nullptr)
        return false;
    map->SetAt(static_cast<UINT>(element->m_id), element);
    return true;
}

bool CGroupSet::RemoveElement(const CFEElement* element)
{
    CElementMap* map = element ? MapForTag(element->type) : nullptr;
    if (map == nullptr)
        return false;
    RemoveFromMap(*map, static_cast<UINT>(element->m_id));
    return true;
}

bool CGroupSet::RemoveNode(const CFENode* node)
{
    if (node == nullptr)
        return false;
    m_nodes.RemoveKey(static_cast<UINT>(node->m_id));
    m_nodeIndex.Clear(node->m_id);
    if (m_nodes.IsEmpty())
    {
        m_nodes.RemoveAll();
        m_nodeIndex.RemoveAll();
    }
    return true;
}

void CGroupSet::RemoveAll()
{
    m_solidEdges.RemoveAll();
    m_shellEdges.RemoveAll();
}

void CGroupSet::DeleteNodes()
{
    // In id order, through the index: the order in which readers made them.
    ForEachNode([](CFENode* node) { delete node; });
    m_nodes.RemoveAll();
    m_nodeIndex.RemoveAll();
}

void CGroupSet::CollectElements(CElementMap& target) const
{
    for (const CElementMap* map : {&m_solids, &m_shells, &m_springs, &m_beams, &m_masses})
    {
        for (const auto& [id, element] : fw::Assocs(*map))
        {
            if (element != nullptr)
                target.SetAt(id, element);
        }
    }
}

void CGroupSet::UpdateBoundingBox(int visibleOnly, const CVisibilityView* filterView)
{
    const CVisibilityView* view = visibleOnly ? filterView : nullptr;
    if (visibleOnly && view == nullptr)
        return; // no view to ask: nothing counts
    bool isFirst = true;
    for (const auto& [id, node] : fw::Assocs(m_nodes))
    {
        if (node == nullptr || (view != nullptr && !view->HasVisibleElement(node)))
            continue;
        if (isFirst)
        {
            m_box.min = node->m_coord;
            m_box.max = node->m_coord;
            isFirst = false;
        }
        else
        {
            WidenBox(m_box, node->m_coord);
        }
    }
}

CPoint3D CGroupSet::GetCenter() const
{
    return m_box.min + (m_box.max - m_box.min) * 0.5;
}

void CGroupSet::ResetBoundingBox()
{
    m_box.min = CPoint3D(kBoxUnset, kBoxUnset, kBoxUnset);
    m_box.max = CPoint3D(-kBoxUnset, -kBoxUnset, -kBoxUnset);
}

bool CGroupSet::ExtractOuterFaces(CEdgeMap& edgeMap, int modelCount, const CElementMap& elementMap,
                                  const CVisibilityView* view)
{
    if (view == nullptr)
        return true;

    // 1. Every face of the visible elements, toggled in the table: faces shared by two
    // elements cancel out.
    std::vector<CFEElement*> visited;
    (void)modelCount; // the face table is sized from the faces actually visited
    visited.reserve(static_cast<size_t>(elementMap.GetCount()));
    size_t faceCount = 0;
    for (const auto& [id, element] : fw::Assocs(elementMap))
    {
        if (element == nullptr || !view->IsEntityVisible(element))
            continue;
        visited.push_back(element);
        faceCount += std::min<size_t>(element->m_faces.GetSize(), CFEElement::kMaxFaceFlags);
    }
    OuterFaceTable table(visited, faceCount);
    // Faces go in a batch behind their keys, so that the slots of a batch are on their way
    // while the keys of the next are made; the toggles keep the faces' order.
    struct PendingFace
    {
        UINT ordinal;
        UINT faceIndex;
        uint64_t hash;
        FaceKey key;
    };
    constexpr size_t kBatch = 16;
    PendingFace pending[kBatch];
    size_t pendingCount = 0;
    auto togglePending = [&]
    {
        for (size_t k = 0; k < pendingCount; ++k)
            table.Toggle(pending[k].ordinal, pending[k].faceIndex, pending[k].key, pending[k].hash);
        pendingCount = 0;
    };
    for (size_t ordinal = 0; ordinal < visited.size(); ++ordinal)
    {
        CFEElement* element = visited[ordinal];
        const int faces = std::min<int>(element->m_faces.GetSize(), CFEElement::kMaxFaceFlags);
        std::fill(element->m_outerFace, element->m_outerFace + CFEElement::kMaxFaceFlags, 0);
        element->m_hasOuterFace = 0;
        for (int i = 0; i < faces; ++i)
        {
            PendingFace& face = pending[pendingCount++];
            face.ordinal = static_cast<UINT>(ordinal);
            face.faceIndex = static_cast<UINT>(i);
            face.key = MakeFaceKey(element->m_faces[i]);
            face.hash = HashFaceKey(face.key);
            table.Prefetch(face.hash);
            if (pendingCount == kBatch)
                togglePending();
        }
    }
    togglePending();

    // 2. Mark what is left: the outer faces.
    table.ForEach([&visited](UINT ordinal, UINT faceIndex)
                  { visited[ordinal]->m_outerFace[faceIndex] = 1; });

    // 3. Edges of the outer faces, element by element in the map's order, in a table of our
    // own; the caller's map receives only the ridge edges that remain.
    RidgeEdgeTable edges;
    const bool hadEdges = !edgeMap.IsEmpty();
    if (hadEdges)
    {
        for (const auto& [key, value] : fw::Assocs(edgeMap))
        {
            edges.Insert(key.value, value, RidgeEdgeTable::kNoOrdinal);
        }
    }
    for (size_t ordinal = 0; ordinal < visited.size(); ++ordinal)
    {
        CFEElement* element = visited[ordinal];
        if (view->IsEntityVisible(element) != 1)
        {
            std::fill(element->m_outerFace, element->m_outerFace + CFEElement::kMaxFaceFlags, 0);
            continue;
        }
        const int faces = std::min<int>(element->m_faces.GetSize(), CFEElement::kMaxFaceFlags);
        for (int i = 0; i < faces; ++i)
        {
            if (!element->m_outerFace[i])
                continue;
            element->m_hasOuterFace = 1;
            AddFaceEdges(edges, visited, elementMap, static_cast<uint32_t>(ordinal),
                         element->m_faces[i]);
        }
    }
    if (hadEdges)
    {
        // Edges the walk removed as smooth leave the caller's map too.
        std::vector<CEdgeKey> removed;
        for (const auto& [key, value] : fw::Assocs(edgeMap))
        {
            if (edges.Find(key.value) == nullptr)
                removed.push_back(key);
        }
        for (const CEdgeKey& key : removed)
            edgeMap.RemoveKey(key);
    }
    // A caller's map of the default size would chain many edges in a few buckets.
    const size_t wantedBuckets = std::min<size_t>(edges.GetCount() * 2, 1u << 26);
    if (edgeMap.GetHashTableSize() < wantedBuckets)
        edgeMap.InitHashTable(static_cast<UINT>(wantedBuckets | 1));
    edges.ForEach([&edgeMap](ULONGLONG key, ULONGLONG value)
                  { edgeMap.SetAt(CEdgeKey{key}, value); });
    return true;
}

CElementMap* CGroupSet::MapForTag(int tag)
{
    switch (tag)
    {
    case kTagBeam: return &m_beams;
    case kTagSolid: return &m_solids;
    case kTagSpring: return &m_springs;
    case kTagMass: return &m_masses;
    case kTagShell: return &m_shells;
    default: return nullptr;
    }
}

void CGroupSet::RemoveFromMap(CElementMap& map, UINT id)
{
    map.RemoveKey(id);
    if (map.IsEmpty())
        map.RemoveAll(); // frees the table; the next insertion makes it again at its size
}
