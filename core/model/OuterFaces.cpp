// Outer faces and ridge edges on a few threads. Faces and edges are sharded by hash: each shard
// meets its keys in the elements' order, so every key sees the same sequence of toggles as on
// one thread and the same faces and edges remain.
#include "core/model/OuterFaces.h"

#include "core/model/FEElement.h"
#include "core/model/ViewServices.h"
#include "platform/base/worker_team.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

namespace
{
constexpr double kFeatureAngle = 0.5236; // 30 degrees: smaller angles are smooth edges
constexpr size_t kMaxThreads = 4;
// Below this many elements the work takes a few milliseconds: starting threads would not pay.
constexpr size_t kThreadedElementCount = 30000;
// Elements whose edge meetings are in flight at once: a few megabytes of them.
constexpr size_t kBlockElements = 32768;
// Element ranges and face shards per thread: more parts than threads, so that a thread the
// machine holds back leaves its share to the others.
constexpr size_t kPartsPerThread = 4;

// What one range of elements files for each shard. Ranges fill theirs at once on several
// threads: each set of lists has cache lines of its own.
template <typename Item>
struct alignas(64) ShardLists
{
    std::vector<std::vector<Item>> lists;
};

// The shard of a 32-bit hash among `shards`, from its high bits: the tables index by the low.
uint32_t ShardOf(uint32_t hash, size_t shards)
{
    return static_cast<uint32_t>((static_cast<uint64_t>(hash) * shards) >> 32);
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

uint32_t HashFaceKey(const FaceKey& key)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (UINT id : key.ids)
    {
        hash ^= id;
        hash *= 0x100000001b3ull;
        hash ^= hash >> 29;
    }
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

// A face as the toggle passes it: the key's hash in the high half, (element ordinal << 3 |
// face index) + 1 in the low half; 0 is no face.
uint64_t MakeFaceEntry(uint32_t hash, size_t ordinal, int faceIndex)
{
    return static_cast<uint64_t>(hash) << 32 |
           ((static_cast<uint64_t>(ordinal) << 3 | static_cast<uint64_t>(faceIndex)) + 1);
}

uint32_t EntryHash(uint64_t entry)
{
    return static_cast<uint32_t>(entry >> 32);
}

uint32_t EntryOrdinal(uint64_t entry)
{
    return static_cast<uint32_t>(((entry & 0xFFFFFFFFu) - 1) >> 3);
}

uint32_t EntryFaceIndex(uint64_t entry)
{
    return static_cast<uint32_t>(((entry & 0xFFFFFFFFu) - 1) & 7);
}

// The faces of one shard met so far an odd number of times: open addressing with linear
// probing on face entries. Keys are compared in full through the elements.
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

    // Asks the memory for the face's first slot ahead of its Toggle: a large table is read at
    // random.
    void Prefetch(uint64_t entry) const
    {
        __builtin_prefetch(&m_slots[EntryHash(entry) & m_mask], 1);
    }

    // Stores the face, or removes it when an equal face is stored already.
    void Toggle(uint64_t entry)
    {
        const uint32_t hash = EntryHash(entry);
        for (size_t i = hash & m_mask;; i = (i + 1) & m_mask)
        {
            const uint64_t slot = m_slots[i];
            if (slot == 0)
            {
                m_slots[i] = entry;
                return;
            }
            if (EntryHash(slot) == hash && MakeFaceKey(FaceOf(slot)) == MakeFaceKey(FaceOf(entry)))
            {
                Erase(i);
                return;
            }
        }
    }

    // Calls visit(element, faceIndex) for every face left, a batch at a time: the elements
    // of a batch are asked for together, as they lie anywhere in memory.
    template <typename Visit>
    void ForEach(Visit visit) const
    {
        constexpr size_t kBatch = 16;
        uint64_t batch[kBatch];
        size_t count = 0;
        auto flush = [&]
        {
            for (size_t k = 0; k < count; ++k)
                visit(m_elements[EntryOrdinal(batch[k])], EntryFaceIndex(batch[k]));
            count = 0;
        };
        for (uint64_t slot : m_slots)
        {
            if (slot == 0)
                continue;
            __builtin_prefetch(&m_elements[EntryOrdinal(slot)]->m_outerFace, 1);
            batch[count++] = slot;
            if (count == kBatch)
                flush();
        }
        flush();
    }

private:
    const CFEFace& FaceOf(uint64_t entry) const
    {
        return m_elements[EntryOrdinal(entry)]->m_faces[EntryFaceIndex(entry)];
    }

    // Backward-shift deletion keeps every probe chain unbroken without tombstones.
    void Erase(size_t hole)
    {
        for (size_t i = (hole + 1) & m_mask; m_slots[i] != 0; i = (i + 1) & m_mask)
        {
            const size_t home = EntryHash(m_slots[i]) & m_mask;
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

uint32_t HashEdgeKey(ULONGLONG key)
{
    return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 32);
}

// One outer face meeting one of its edges, as the shard of the edge takes it.
struct EdgeMeeting
{
    ULONGLONG key;
    ULONGLONG value; // what the face stores when it meets the edge first
    uint32_t ordinal;
    // Whether the value's face index is the face's own position, so that the face's normal
    // stands for the face the value names.
    uint32_t isOwnIndex;
    CPackedPoint normal; // the face's
};

// The ridge edges of one shard found so far: open addressing with linear probing on the edge
// key. Each slot also keeps the element ordinal and normal of the face that stored it, so
// that a shared edge finds its other face without a lookup. Most edges are met twice and
// leave again at once, so the table holds little more than the front of the walk and grows
// only when it fills. Each shard's table has cache lines of its own: the counts change with
// every edge.
class alignas(64) RidgeEdgeTable
{
public:
    static constexpr uint32_t kNoOrdinal = ~0u;
    // Edge values use at most 39 bits: this one is never stored.
    static constexpr ULONGLONG kEmpty = ~0ull;

    RidgeEdgeTable() { Resize(1024); }

    size_t GetCount() const { return m_count; }

    EdgeMeeting* Find(ULONGLONG key)
    {
        for (size_t i = Home(key);; i = (i + 1) & m_mask)
        {
            EdgeMeeting& slot = m_slots[i];
            if (slot.value == kEmpty)
                return nullptr;
            if (slot.key == key)
                return &slot;
        }
    }

    // The key must not be stored yet.
    void Insert(const EdgeMeeting& meeting)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            Resize(m_slots.size() * 2);
        size_t i = Home(meeting.key);
        while (m_slots[i].value != kEmpty)
            i = (i + 1) & m_mask;
        m_slots[i] = meeting;
        ++m_count;
    }

    // Backward-shift deletion keeps every probe chain unbroken without tombstones.
    void Erase(EdgeMeeting* slot)
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
        for (const EdgeMeeting& slot : m_slots)
        {
            if (slot.value != kEmpty)
                visit(slot.key, slot.value);
        }
    }

private:
    size_t Home(ULONGLONG key) const { return HashEdgeKey(key) & m_mask; }

    void Resize(size_t capacity)
    {
        EdgeMeeting empty = {};
        empty.value = kEmpty;
        std::vector<EdgeMeeting> old(capacity, empty);
        old.swap(m_slots);
        m_mask = capacity - 1;
        m_count = 0;
        for (const EdgeMeeting& slot : old)
        {
            if (slot.value != kEmpty)
                Insert(slot);
        }
    }

    std::vector<EdgeMeeting> m_slots;
    size_t m_mask = 0;
    size_t m_count = 0;
};

// Whether two faces meet at less than the feature angle: the angle between their normals, in
// place, as a million shared edges want it. A degenerate face (zero normal) has no angle to
// the other: its edges stay sharp. Cosines clearly away from the feature angle's are decided
// without the arc cosine; near it the arc cosine decides, as it always did.
bool IsSmoothEdge(const CPoint3D& a, const CPoint3D& b)
{
    static const double featureCosine = std::cos(kFeatureAngle);
    constexpr double kMargin = 1e-9;
    const double lengthA = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    const double lengthB = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    if (lengthA == 0.0 || lengthB == 0.0)
        return false;
    const double lengths = lengthA * lengthB;
    const double cosine = (a.x * b.x + a.y * b.y + a.z * b.z) / lengths;
    if (lengths == 0.0 || std::isnan(lengths) || std::isnan(cosine))
        return true; // no angle: taken as zero
    if (cosine > featureCosine + kMargin)
        return true;
    if (cosine < featureCosine - kMargin)
        return false;
    return std::acos(std::clamp(cosine, -1.0, 1.0)) < kFeatureAngle;
}

// What the passes share: the visited elements in the map's order, whether each is walked for
// edges (the view shows it as 1), the caller's map for edges it held before.
struct Visit
{
    std::vector<CFEElement*> elements;
    std::vector<uint8_t> isWalked;
    const CElementMap* elementMap = nullptr;
};

// The passes visit the elements in the map's order, which the memory does not foresee: each
// asks for the lines of an element a few ahead, and for its faces once the element is in.
void PrefetchAhead(const std::vector<CFEElement*>& elements, size_t ordinal, size_t end)
{
    constexpr size_t kAhead = 8;
    if (ordinal + 2 * kAhead < end)
    {
        const CFEElement* element = elements[ordinal + 2 * kAhead];
        __builtin_prefetch(element);
        __builtin_prefetch(&element->m_faces);
    }
    if (ordinal + kAhead < end)
    {
        const CFEElement* element = elements[ordinal + kAhead];
        if (!element->m_faces.IsEmpty())
        {
            const CFEFace& face = element->m_faces[0];
            __builtin_prefetch(&face.m_ids);
            __builtin_prefetch(&face.m_normal);
        }
    }
}

int FlaggedFaceCount(const CFEElement& element)
{
    return std::min<int>(element.m_faces.GetSize(), CFEElement::kMaxFaceFlags);
}

size_t ChooseThreads(size_t elementCount, int requested)
{
    if (requested > 0)
        return std::min<size_t>(static_cast<size_t>(requested), kMaxThreads);
    if (elementCount < kThreadedElementCount)
        return 1;
    return std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), kMaxThreads);
}

size_t PartsFor(size_t threads)
{
    return threads == 1 ? 1 : threads * kPartsPerThread;
}

// Clears the flags of every visited element and toggles every face: faces shared by two
// elements cancel out. Returns with m_outerFace set on the faces left.
void MarkOuterFaces(const Visit& visit, fw::WorkerTeam& team, size_t threads)
{
    const std::vector<CFEElement*>& elements = visit.elements;
    const size_t ranges = PartsFor(threads);
    const size_t shards = ranges;
    // entries[range].lists[shard]: the faces of a range of elements that fall in a shard, in
    // order.
    std::vector<ShardLists<uint64_t>> entries(ranges);
    team.Run(ranges,
             [&](size_t range)
             {
                 const size_t begin = elements.size() * range / ranges;
                 const size_t end = elements.size() * (range + 1) / ranges;
                 std::vector<std::vector<uint64_t>>& out = entries[range].lists;
                 out.resize(shards);
                 for (std::vector<uint64_t>& list : out)
                     list.reserve((end - begin) / shards * 5 / 4 + 16);
                 for (size_t ordinal = begin; ordinal < end; ++ordinal)
                 {
                     PrefetchAhead(elements, ordinal, end);
                     CFEElement* element = elements[ordinal];
                     std::fill(element->m_outerFace,
                               element->m_outerFace + CFEElement::kMaxFaceFlags, 0);
                     element->m_hasOuterFace = 0;
                     const int faces = FlaggedFaceCount(*element);
                     for (int i = 0; i < faces; ++i)
                     {
                         const uint32_t hash = HashFaceKey(MakeFaceKey(element->m_faces[i]));
                         out[shards > 1 ? ShardOf(hash, shards) : 0].push_back(
                             MakeFaceEntry(hash, ordinal, i));
                     }
                 }
             });
    team.Run(shards,
             [&](size_t shard)
             {
                 size_t shardFaces = 0;
                 for (const ShardLists<uint64_t>& out : entries)
                     shardFaces += out.lists[shard].size();
                 OuterFaceTable table(elements, shardFaces);
                 // The slot of a face a few ahead is on its way while this one is toggled.
                 constexpr size_t kAhead = 8;
                 for (ShardLists<uint64_t>& out : entries)
                 {
                     std::vector<uint64_t>& list = out.lists[shard];
                     for (size_t k = 0; k < list.size(); ++k)
                     {
                         if (k + kAhead < list.size())
                             table.Prefetch(list[k + kAhead]);
                         table.Toggle(list[k]);
                     }
                     std::vector<uint64_t>().swap(list);
                 }
                 // Shards share elements but never a face: each flag has one writer.
                 table.ForEach([](CFEElement* element, uint32_t faceIndex)
                               { element->m_outerFace[faceIndex] = 1; });
             });
}

// The edges of a range of elements, each meeting filed under its shard, in order; settles the
// elements' flags on the way.
void CollectMeetings(const Visit& visit, size_t begin, size_t end,
                     std::vector<std::vector<EdgeMeeting>>& out)
{
    const size_t shards = out.size();
    for (size_t ordinal = begin; ordinal < end; ++ordinal)
    {
        PrefetchAhead(visit.elements, ordinal, end);
        CFEElement* element = visit.elements[ordinal];
        if (!visit.isWalked[ordinal])
        {
            std::fill(element->m_outerFace, element->m_outerFace + CFEElement::kMaxFaceFlags, 0);
            continue;
        }
        const int faces = FlaggedFaceCount(*element);
        for (int i = 0; i < faces; ++i)
        {
            if (!element->m_outerFace[i])
                continue;
            element->m_hasOuterFace = 1;
            const CFEFace& face = element->m_faces[i];
            const int count = static_cast<int>(face.m_ids.GetSize());
            const bool hasMidNodes = count == 6 || count == 8;
            if (count != 3 && count != 4 && !hasMidNodes)
                continue;
            const int step = hasMidNodes ? 2 : 1;
            for (int j = 0; j < count; j += step)
            {
                EdgeMeeting meeting;
                meeting.key = MakeEdgeKey(static_cast<UINT>(face.m_ids[j]),
                                          static_cast<UINT>(face.m_ids[(j + step) % count]))
                                  .value;
                const UINT position = hasMidNodes ? static_cast<UINT>(j + 1) : static_cast<UINT>(j);
                meeting.value =
                    MakeEdgeValue(static_cast<UINT>(element->m_id), face.m_faceIndex, position);
                meeting.ordinal = static_cast<uint32_t>(ordinal);
                meeting.isOwnIndex = EdgeValueFaceIndex(meeting.value) == static_cast<UINT>(i);
                meeting.normal = face.m_normal;
                out[shards > 1 ? ShardOf(HashEdgeKey(meeting.key), shards) : 0].push_back(meeting);
            }
        }
    }
}

// The normal of the face an edge value names, or null when there is none: the element is
// the one that stored the edge, else the one the caller's map names.
const CPackedPoint* NormalOfStoredFace(const EdgeMeeting& stored, const Visit& visit)
{
    if (stored.ordinal != RidgeEdgeTable::kNoOrdinal && stored.isOwnIndex)
        return &stored.normal;
    CFEElement* other = nullptr;
    if (stored.ordinal != RidgeEdgeTable::kNoOrdinal)
        other = visit.elements[stored.ordinal];
    else if (!visit.elementMap->Lookup(EdgeValueElementId(stored.value), other))
        other = nullptr; // an edge the caller's map held before
    const UINT faceIndex = EdgeValueFaceIndex(stored.value);
    if (other == nullptr || static_cast<int>(faceIndex) >= other->m_faces.GetSize())
        return nullptr;
    return &other->m_faces[faceIndex].m_normal;
}

// A new edge is stored; an edge met again is removed when the two faces are nearly coplanar.
void MeetEdges(RidgeEdgeTable& edges, const std::vector<EdgeMeeting>& meetings, const Visit& visit)
{
    for (const EdgeMeeting& meeting : meetings)
    {
        EdgeMeeting* stored = edges.Find(meeting.key);
        if (stored == nullptr)
        {
            edges.Insert(meeting);
            continue;
        }
        const CPackedPoint* other = NormalOfStoredFace(*stored, visit);
        if (other != nullptr && IsSmoothEdge(meeting.normal, *other))
            edges.Erase(stored);
    }
}

// Walks the outer faces of the walked elements in order, a block of elements at a time so
// that the meetings in flight stay few: ranges of a block file their meetings by shard, then
// each shard meets its own in the elements' order. Edges the caller's map held count as met
// once, before every face.
std::vector<RidgeEdgeTable> WalkRidgeEdges(const Visit& visit, const CEdgeMap& held,
                                           fw::WorkerTeam& team, size_t threads)
{
    const size_t ranges = PartsFor(threads);
    const size_t shards = ranges;
    std::vector<RidgeEdgeTable> tables(shards);
    for (const auto& [key, value] : fw::Assocs(held))
    {
        EdgeMeeting meeting = {};
        meeting.key = key.value;
        meeting.value = value;
        meeting.ordinal = RidgeEdgeTable::kNoOrdinal;
        tables[shards > 1 ? ShardOf(HashEdgeKey(key.value), shards) : 0].Insert(meeting);
    }
    // meetings[range].lists[shard], kept from block to block.
    std::vector<ShardLists<EdgeMeeting>> meetings(ranges);
    for (ShardLists<EdgeMeeting>& out : meetings)
        out.lists.resize(shards);
    const size_t count = visit.elements.size();
    for (size_t blockBegin = 0; blockBegin < count; blockBegin += kBlockElements)
    {
        const size_t blockSize = std::min(kBlockElements, count - blockBegin);
        team.Run(ranges,
                 [&](size_t range)
                 {
                     for (std::vector<EdgeMeeting>& list : meetings[range].lists)
                         list.clear();
                     CollectMeetings(visit, blockBegin + blockSize * range / ranges,
                                     blockBegin + blockSize * (range + 1) / ranges,
                                     meetings[range].lists);
                 });
        team.Run(shards,
                 [&](size_t shard)
                 {
                     for (const ShardLists<EdgeMeeting>& out : meetings)
                         MeetEdges(tables[shard], out.lists[shard], visit);
                 });
    }
    return tables;
}
} // namespace

void ExtractOuterFacesOnThreads(CEdgeMap& edgeMap, const CElementMap& elementMap,
                                const CVisibilityView& view, int threads)
{
    Visit visit;
    visit.elementMap = &elementMap;
    visit.elements.reserve(static_cast<size_t>(elementMap.GetCount()));
    visit.isWalked.reserve(static_cast<size_t>(elementMap.GetCount()));
    // The view is asked on the caller's thread alone, once per element.
    for (const auto& [id, element] : fw::Assocs(elementMap))
    {
        const int shown = element != nullptr ? view.IsEntityVisible(element) : 0;
        if (!shown)
            continue;
        visit.elements.push_back(element);
        visit.isWalked.push_back(shown == 1);
    }
    const size_t threadCount = ChooseThreads(visit.elements.size(), threads);
    std::vector<RidgeEdgeTable> tables;
    {
        fw::WorkerTeam team(threadCount);
        MarkOuterFaces(visit, team, threadCount);
        tables = WalkRidgeEdges(visit, edgeMap, team, threadCount);
    }

    const size_t shards = tables.size();
    auto tableOf = [&](ULONGLONG key) -> RidgeEdgeTable&
    { return tables[shards > 1 ? ShardOf(HashEdgeKey(key), shards) : 0]; };
    if (!edgeMap.IsEmpty())
    {
        // Edges the walk removed as smooth leave the caller's map too.
        std::vector<CEdgeKey> removed;
        for (const auto& [key, value] : fw::Assocs(edgeMap))
        {
            if (tableOf(key.value).Find(key.value) == nullptr)
                removed.push_back(key);
        }
        for (const CEdgeKey& key : removed)
            edgeMap.RemoveKey(key);
    }
    size_t edgeCount = 0;
    for (const RidgeEdgeTable& table : tables)
        edgeCount += table.GetCount();
    // A caller's map of the default size would chain many edges in a few buckets.
    const size_t wantedBuckets = std::min<size_t>(edgeCount * 2, 1u << 26);
    if (edgeMap.GetHashTableSize() < wantedBuckets)
        edgeMap.InitHashTable(static_cast<UINT>(wantedBuckets | 1));
    for (const RidgeEdgeTable& table : tables)
    {
        table.ForEach([&edgeMap](ULONGLONG key, ULONGLONG value)
                      { edgeMap.SetAt(CEdgeKey{key}, value); });
    }
}
