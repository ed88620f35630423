// CMap: a hash map with chained buckets whose nodes come from a block pool, and the named
// maps. The hash of an integer key is its unsigned value shifted right by 4; a string hashes
// as h = h * 33 + byte. Iteration order is defined: buckets in ascending order, and within a
// bucket the newest entry first. It is the same in both builds for integer and string keys.
// Code that needs numeric order takes SortedKeys().
#pragma once

#include "platform/base/coll_pool.h"
#include "platform/base/string.h"
#include "platform/base/types.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <vector>

class CObject;

template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    using Key = std::decay_t<ARG_KEY>;
    static_assert(std::is_integral_v<Key> || std::is_enum_v<Key> || std::is_pointer_v<Key>,
                  "give the key type a HashKey overload");
    if constexpr (std::is_pointer_v<Key>)
        return static_cast<UINT>(reinterpret_cast<uintptr_t>(key) >> 4);
    else if constexpr (sizeof(Key) <= sizeof(UINT))
        return static_cast<UINT>(key) >> 4;
    else
        return static_cast<UINT>(static_cast<uint64_t>(key) >> 4);
}

inline UINT HashKey(const char* key)
{
    UINT hash = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(key); p && *p; ++p)
        hash = (hash << 5) + hash + *p;
    return hash;
}

inline UINT HashKey(const CString& key)
{
    return HashKey(key.GetString());
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE = const VALUE&>
class CMap
{
public:
    static constexpr UINT kDefaultHashTableSize = 17;

    explicit CMap(INT_PTR blockSize = 10)
        : m_pool(sizeof(Node), blockSize, alignof(Node))
    {
    }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    UINT GetHashTableSize() const { return m_tableSize; }
    // Sets the bucket count (a prime suits best). A map that already holds entries is
    // rehashed, keeping them. allocNow false defers the table to the first insertion.
    void InitHashTable(UINT hashSize, bool allocNow = true);

    bool Lookup(ARG_KEY key, VALUE& value) const;
    // The stored value of key without copying it, or null when absent.
    VALUE* PLookup(ARG_KEY key)
    {
        Node* node = FindNode(key, HashKey(key));
        return node ? &node->value : nullptr;
    }
    const VALUE* PLookup(ARG_KEY key) const
    {
        const Node* node = FindNode(key, HashKey(key));
        return node ? &node->value : nullptr;
    }
    // The value of key, inserted value-initialised when absent.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    bool RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Null when the map is empty. GetNextAssoc fills key and value of the entry at position
    // and moves position on (null after the last); removing that entry afterwards is safe.
    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const;
    std::vector<KEY> SortedKeys() const;

private:
    struct Node
    {
        Node* next;
        UINT hash;
        KEY key;
        VALUE value;
    };

    static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
    Node* FindNode(ARG_KEY key, UINT hash) const;
    Node* FirstNodeFrom(UINT bucket) const;
    static Node** NewTable(UINT hashSize);

    fw::NodePool m_pool;
    Node** m_table = nullptr; // owned, m_tableSize chains
    UINT m_tableSize = kDefaultHashTableSize;
    INT_PTR m_count = 0;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, bool allocNow)
{
    hashSize = std::max(hashSize, 1u);
    if (m_count == 0)
    {
        std::free(m_table);
        m_table = nullptr;
        m_tableSize = hashSize;
        if (allocNow)
            m_table = NewTable(hashSize);
        return;
    }
    // Rehash in iteration order, appending to each new chain.
    Node** newTable = NewTable(hashSize);
    std::vector<Node*> tails;
    try
    {
        tails.resize(hashSize, nullptr);
    }
    catch (...)
    {
        std::free(newTable);
        throw;
    }
    for (UINT bucket = 0; bucket < m_tableSize; ++bucket)
    {
        for (Node* node = m_table[bucket]; node;)
        {
            Node* next = node->next;
            const UINT target = node->hash % hashSize;
            node->next = nullptr;
            if (tails[target])
                tails[target]->next = node;
            else
                newTable[target] = node;
            tails[target] = node;
            node = next;
        }
    }
    std::free(m_table);
    m_table = newTable;
    m_tableSize = hashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
bool CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& value) const
{
    const Node* node = FindNode(key, HashKey(key));
    if (!node)
        return false;
    value = node->value;
    return true;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    const UINT hash = HashKey(key);
    if (Node* node = FindNode(key, hash))
        return node->value;
    if (!m_table)
        m_table = NewTable(m_tableSize);
    void* memory = m_pool.Allocate();
    Node* node = nullptr;
    try
    {
        Node** chain = &m_table[hash % m_tableSize];
        node = new (memory) Node{*chain, hash, KEY(key), VALUE()};
        *chain = node; // newest first
    }
    catch (...)
    {
        m_pool.Free(memory);
        throw;
    }
    ++m_count;
    return node->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
bool CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (!m_table)
        return false;
    const UINT hash = HashKey(key);
    for (Node** link = &m_table[hash % m_tableSize]; *link; link = &(*link)->next)
    {
        Node* node = *link;
        if (node->hash == hash && node->key == key)
        {
            *link = node->next;
            node->~Node();
            m_pool.Free(node);
            if (--m_count == 0)
                m_pool.FreeAll();
            return true;
        }
    }
    return false;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_table)
    {
        for (UINT bucket = 0; bucket < m_tableSize; ++bucket)
        {
            for (Node* node = m_table[bucket]; node;)
            {
                Node* next = node->next;
                node->~Node();
                node = next;
            }
        }
        std::free(m_table);
        m_table = nullptr;
    }
    m_pool.FreeAll();
    m_count = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
POSITION CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetStartPosition() const
{
    return m_count == 0 ? nullptr : ToPosition(FirstNodeFrom(0));
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& position, KEY& key,
                                                        VALUE& value) const
{
    assert(position);
    const Node* node = reinterpret_cast<const Node*>(position);
    key = node->key;
    value = node->value;
    Node* next = node->next ? node->next : FirstNodeFrom(node->hash % m_tableSize + 1);
    position = ToPosition(next);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
std::vector<KEY> CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::SortedKeys() const
{
    std::vector<KEY> keys;
    keys.reserve(static_cast<size_t>(m_count));
    if (m_table)
    {
        for (UINT bucket = 0; bucket < m_tableSize; ++bucket)
        {
            for (const Node* node = m_table[bucket]; node; node = node->next)
                keys.push_back(node->key);
        }
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Node*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FindNode(ARG_KEY key, UINT hash) const
{
    if (!m_table)
        return nullptr;
    for (Node* node = m_table[hash % m_tableSize]; node; node = node->next)
    {
        if (node->hash == hash && node->key == key)
            return node;
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Node*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstNodeFrom(UINT bucket) const
{
    if (!m_table)
        return nullptr;
    for (; bucket < m_tableSize; ++bucket)
    {
        if (m_table[bucket])
            return m_table[bucket];
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Node**
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewTable(UINT hashSize)
{
    Node** table = static_cast<Node**>(std::calloc(hashSize, sizeof(Node*)));
    if (!table)
        throw std::bad_alloc();
    return table;
}

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
public:
    using CMap::CMap;
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
public:
    using CMap::CMap;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
public:
    using CMap::CMap;
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
public:
    using CMap::CMap;
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
public:
    using CMap::CMap;
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
public:
    using CMap::CMap;
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
public:
    using CMap::CMap;
};

namespace fw
{
// The associations of a map in its defined order, for a range-for:
//     for (const auto& [id, element] : fw::Assocs(elements))
// Each step copies the key and value, as GetNextAssoc does, and has moved on before the body
// runs, so that removing the visited entry inside the loop is safe.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class AssocRange
{
public:
    using Map = CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>;
    struct Assoc
    {
        KEY key;
        VALUE value;
    };

    class Iterator
    {
    public:
        Iterator() = default; // the end
        explicit Iterator(const Map& map)
            : m_map(&map)
            , m_next(map.GetStartPosition())
            , m_isEnd(false)
        {
            Step();
        }
        const Assoc& operator*() const { return m_assoc; }
        const Assoc* operator->() const { return &m_assoc; }
        Iterator& operator++()
        {
            Step();
            return *this;
        }
        // Only ever compared with the end.
        bool operator!=(const Iterator& other) const { return m_isEnd != other.m_isEnd; }
        bool operator==(const Iterator& other) const { return m_isEnd == other.m_isEnd; }

    private:
        void Step()
        {
            if (m_next == nullptr)
            {
                m_isEnd = true;
                return;
            }
            m_map->GetNextAssoc(m_next, m_assoc.key, m_assoc.value);
        }

        const Map* m_map = nullptr;
        POSITION m_next = nullptr;
        bool m_isEnd = true;
        Assoc m_assoc{};
    };

    explicit AssocRange(const Map& map)
        : m_map(map)
    {
    }
    Iterator begin() const { return Iterator(m_map); }
    Iterator end() const { return Iterator(); }

private:
    const Map& m_map;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
AssocRange<KEY, ARG_KEY, VALUE, ARG_VALUE> Assocs(const CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& map)
{
    return AssocRange<KEY, ARG_KEY, VALUE, ARG_VALUE>(map);
}

// Deletes every value of a map that owns its values, then empties it.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void DeleteValuesAndClear(CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& map)
{
    static_assert(std::is_pointer_v<VALUE> && !std::is_void_v<std::remove_pointer_t<VALUE>>,
                  "the values must be pointers to objects the map owns");
    for (const auto& assoc : Assocs(map))
        delete assoc.value;
    map.RemoveAll();
}
} // namespace fw
