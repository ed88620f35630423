// CMap and the named maps: the defined iteration order, lookup and removal, rehashing,
// strings, large id tables, and the range over associations.
#include "platform/base/coll_map.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

namespace
{
template <class MAP, class KEY, class VALUE>
std::vector<KEY> IterationOrder(const MAP& map)
{
    std::vector<KEY> keys;
    KEY key{};
    VALUE value{};
    for (POSITION pos = map.GetStartPosition(); pos;)
    {
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key);
    }
    return keys;
}

using IdMap = CMap<int, int, int, int>;

std::vector<int> IdOrder(const IdMap& map)
{
    return IterationOrder<IdMap, int, int>(map);
}
} // namespace

TEST(CMap, IteratesBucketsAscendingNewestFirst)
{
    // Buckets of 17: (id >> 4) % 17. 1 -> 0, 16 -> 1, 17 -> 1, 32 -> 2, 100 -> 6,
    // 300 -> 18 % 17 = 1, 5000 -> 312 % 17 = 6, 272 -> 17 % 17 = 0,
    // -1 -> 0x0FFFFFFF % 17 = 15.
    IdMap map;
    for (int id : {1, 16, 17, 32, 100, 300, 5000, 272, -1})
        map.SetAt(id, id * 10);
    EXPECT_EQ(17u, map.GetHashTableSize());
    EXPECT_EQ((std::vector<int>{272, 1, 300, 17, 16, 32, 5000, 100, -1}), IdOrder(map));
    EXPECT_EQ((std::vector<int>{-1, 1, 16, 17, 32, 100, 272, 300, 5000}), map.SortedKeys());
}

TEST(CMap, LargeTableIteratesByIdOverSixteen)
{
    // 200000 buckets: 5 and 3200000 share bucket 0, 16 is in bucket 1, 3200016 too.
    IdMap map;
    map.InitHashTable(200000);
    for (int id : {16, 5, 3200000, 3200016})
        map[id] = id;
    EXPECT_EQ(200000u, map.GetHashTableSize());
    EXPECT_EQ((std::vector<int>{3200000, 5, 3200016, 16}), IdOrder(map));
}

TEST(CMap, LooksUpReplacesAndRemoves)
{
    IdMap map;
    int value = 0;
    EXPECT_FALSE(map.Lookup(3, value));
    EXPECT_FALSE(map.RemoveKey(3));
    map.SetAt(3, 30);
    map.SetAt(3, 31);
    EXPECT_EQ(1, map.GetCount());
    EXPECT_TRUE(map.Lookup(3, value));
    EXPECT_EQ(31, value);
    EXPECT_EQ(0, map[4]); // inserted value-initialised
    map[4] += 5;
    EXPECT_EQ(5, map[4]);
    EXPECT_EQ(nullptr, map.PLookup(6)); // a pointer lookup inserts nothing
    ASSERT_NE(nullptr, map.PLookup(4));
    *map.PLookup(4) = 7; // and reaches the stored value
    EXPECT_EQ(7, map[4]);
    EXPECT_EQ(2, map.GetCount());
    EXPECT_TRUE(map.RemoveKey(3));
    EXPECT_FALSE(map.Lookup(3, value));
    EXPECT_TRUE(map.RemoveKey(4));
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    map.SetAt(5, 50); // usable after the last entry went
    EXPECT_EQ((std::vector<int>{5}), IdOrder(map));
    map.RemoveAll();
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(17u, map.GetHashTableSize());
}

TEST(CMap, RemovingTheVisitedEntryDuringIterationIsSafe)
{
    IdMap map;
    for (int id = 0; id < 200; ++id)
        map[id] = id;
    int key = 0;
    int value = 0;
    int visited = 0;
    for (POSITION pos = map.GetStartPosition(); pos; ++visited)
    {
        map.GetNextAssoc(pos, key, value);
        if (key % 2 == 0)
            map.RemoveKey(key);
    }
    EXPECT_EQ(200, visited);
    EXPECT_EQ(100, map.GetCount());
}

TEST(CMap, InitHashTableOnAFilledMapKeepsTheEntries)
{
    IdMap map;
    for (int id = 0; id < 1000; ++id)
        map[id] = id + 1;
    map.InitHashTable(211);
    EXPECT_EQ(211u, map.GetHashTableSize());
    EXPECT_EQ(1000, map.GetCount());
    int value = 0;
    for (int id = 0; id < 1000; ++id)
    {
        ASSERT_TRUE(map.Lookup(id, value));
        ASSERT_EQ(id + 1, value);
    }
    EXPECT_EQ(1000u, IdOrder(map).size());
}

TEST(CMap, StringKeysHashByBytes)
{
    // h = h * 33 + byte over 17 buckets: "ab" 3299 -> 1, "a" 97 -> 12, "b" 98 -> 13,
    // "ba" 3331 -> 16.
    CMapStringToPtr map;
    int a = 0;
    int b = 0;
    for (const char* key : {"b", "ba", "a", "ab"})
        map.SetAt(key, key[0] == 'a' ? &a : &b);
    const std::vector<CString> order = IterationOrder<CMapStringToPtr, CString, void*>(map);
    ASSERT_EQ(4u, order.size());
    EXPECT_STREQ("ab", order[0]);
    EXPECT_STREQ("a", order[1]);
    EXPECT_STREQ("b", order[2]);
    EXPECT_STREQ("ba", order[3]);
    void* found = nullptr;
    EXPECT_TRUE(map.Lookup(CString("ba"), found));
    EXPECT_EQ(&b, found);
    EXPECT_FALSE(map.Lookup("AB", found));

    CMapStringToString texts;
    texts.SetAt("key", "value");
    texts["key"] += "2";
    CString text;
    EXPECT_TRUE(texts.Lookup("key", text));
    EXPECT_STREQ("value2", text);
}

TEST(CMap, NamedMapsWithPointerAndWordKeys)
{
    int x = 0;
    int y = 0;
    CMapPtrToPtr pointers(4);
    pointers.SetAt(&x, &y);
    void* found = nullptr;
    EXPECT_TRUE(pointers.Lookup(&x, found));
    EXPECT_EQ(&y, found);
    EXPECT_FALSE(pointers.Lookup(&y, found));

    CMapWordToPtr words;
    words.SetAt(65535, &x);
    EXPECT_TRUE(words.Lookup(65535, found));
    CMapPtrToWord back;
    back[&x] = 7;
    WORD word = 0;
    EXPECT_TRUE(back.Lookup(&x, word));
    EXPECT_EQ(7, word);
    CMapWordToOb objects;
    objects.SetAt(1, nullptr);
    CMapStringToOb named;
    named.SetAt("n", nullptr);
    EXPECT_EQ(1, objects.GetCount() + named.GetCount() - 1);
}

TEST(CMap, MillionIdsInALargeTable)
{
    IdMap map;
    map.InitHashTable(200003);
    const int count = 1000000;
    for (int id = 1; id <= count; ++id)
        map[id] = -id;
    EXPECT_EQ(count, map.GetCount());
    int value = 0;
    for (int id = 1; id <= count; id += 7919)
    {
        ASSERT_TRUE(map.Lookup(id, value));
        ASSERT_EQ(-id, value);
    }
    EXPECT_FALSE(map.Lookup(count + 1, value));
    const std::vector<int> keys = map.SortedKeys();
    ASSERT_EQ(static_cast<size_t>(count), keys.size());
    EXPECT_EQ(1, keys.front());
    EXPECT_EQ(count, keys.back());
}

TEST(CMap, AssocsVisitsTheDefinedOrderAndAllowsRemovingTheVisitedEntry)
{
    IdMap map;
    for (int id : {3, 40, 17, 0, 33, 1000})
        map[id] = id * 10;
    std::vector<int> keys;
    for (const auto& [key, value] : fw::Assocs(map))
    {
        EXPECT_EQ(key * 10, value);
        keys.push_back(key);
    }
    EXPECT_EQ(IdOrder(map), keys);

    std::vector<int> visited;
    for (const auto& assoc : fw::Assocs(map))
    {
        visited.push_back(assoc.key);
        if (assoc.key % 2 == 0)
            map.RemoveKey(assoc.key);
    }
    EXPECT_EQ(keys, visited);
    EXPECT_EQ((std::vector<int>{3, 17, 33}), map.SortedKeys());

    const IdMap empty;
    for (const auto& assoc : fw::Assocs(empty))
        ADD_FAILURE() << assoc.key;
}

TEST(CMap, AssocsOfANamedMap)
{
    CMapStringToString names;
    names.SetAt("b", "two");
    names.SetAt("a", "one");
    std::vector<std::string> seen;
    for (const auto& [key, value] : fw::Assocs(names))
        seen.push_back(std::string(key.GetString()) + "=" + value.GetString());
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ((std::vector<std::string>{"a=one", "b=two"}), seen);
}

namespace
{
struct Counted
{
    explicit Counted(int* deleted)
        : m_deleted(deleted)
    {
    }
    ~Counted() { ++*m_deleted; }
    int* m_deleted;
};
} // namespace

TEST(CMap, DeleteValuesAndClearDeletesEachValueOnce)
{
    int deleted = 0;
    CMap<int, int, Counted*, Counted*> owned;
    for (int id = 0; id < 50; ++id)
        owned[id] = new Counted(&deleted);
    fw::DeleteValuesAndClear(owned);
    EXPECT_EQ(50, deleted);
    EXPECT_EQ(0, owned.GetCount());
}

// Nodes are spaced by their own alignment, not that of any type: a map of millions of 32-bit
// keys and pointers takes 24 bytes an entry. Every node stays aligned and apart.
TEST(NodePool, SpacesNodesByTheAlignmentItIsGiven)
{
    struct Entry
    {
        void* next;
        UINT hash;
        UINT key;
        void* value;
    };
    const struct
    {
        size_t alignment;
        size_t spacing;
    } cases[] = {{alignof(Entry), 24}, {alignof(std::max_align_t), 32}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.alignment);
        fw::NodePool pool(sizeof(Entry), 4, c.alignment);
        std::vector<char*> nodes;
        for (int i = 0; i < 4; ++i)
            nodes.push_back(static_cast<char*>(pool.Allocate()));
        for (size_t i = 0; i < nodes.size(); ++i)
        {
            EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(nodes[i]) % c.alignment);
            if (i > 0)
                EXPECT_EQ(static_cast<ptrdiff_t>(c.spacing), nodes[i] - nodes[i - 1]);
            new (nodes[i]) Entry{nullptr, 0, static_cast<UINT>(i), nodes[i]};
        }
        for (size_t i = 0; i < nodes.size(); ++i)
            EXPECT_EQ(i, reinterpret_cast<Entry*>(nodes[i])->key);
        for (char* node : nodes)
            pool.Free(node);
    }
}
