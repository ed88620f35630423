// A growable array of plain values that keeps its first N in place and takes the heap only
// beyond them: the node ids of an element or face, the elements of a node and the groups of an
// entity are a handful each, and a model of millions must not make a heap block for each.
// It answers the calls of a CArray that entities make of these lists.
#pragma once

#include "platform/base/coll_array.h"
#include "platform/base/types.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

template <class T, int N>
class CInlineArray
{
    static_assert(std::is_trivially_copyable_v<T>, "values are moved as bytes");
    static_assert(N >= 1, "at least one value in place");

public:
    CInlineArray() = default;
    CInlineArray(const CInlineArray& other) { Copy(other); }
    CInlineArray& operator=(const CInlineArray& other)
    {
        Copy(other);
        return *this;
    }
    CInlineArray(CInlineArray&& other) noexcept { TakeFrom(other); }
    CInlineArray& operator=(CInlineArray&& other) noexcept
    {
        if (this != &other)
        {
            RemoveAll();
            TakeFrom(other);
        }
        return *this;
    }
    ~CInlineArray() { RemoveAll(); }

    INT_PTR GetSize() const { return m_size; }
    INT_PTR GetCount() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }
    INT_PTR GetUpperBound() const { return m_size - 1; }

    const T* GetData() const { return IsInline() ? m_store.values : m_store.heap; }
    T* GetData() { return IsInline() ? m_store.values : m_store.heap; }
    const T* begin() const { return GetData(); }
    const T* end() const { return GetData() + m_size; }
    T* begin() { return GetData(); }
    T* end() { return GetData() + m_size; }

    const T& GetAt(INT_PTR index) const
    {
        assert(index >= 0 && index < m_size);
        return GetData()[index];
    }
    T& GetAt(INT_PTR index)
    {
        assert(index >= 0 && index < m_size);
        return GetData()[index];
    }
    const T& operator[](INT_PTR index) const { return GetAt(index); }
    T& operator[](INT_PTR index) { return GetAt(index); }
    const T& ElementAt(INT_PTR index) const { return GetAt(index); }
    T& ElementAt(INT_PTR index) { return GetAt(index); }
    void SetAt(INT_PTR index, T value) { GetAt(index) = value; }

    // Returns the index of the new value.
    INT_PTR Add(T value)
    {
        Reserve(m_size + 1);
        GetData()[m_size] = value;
        return m_size++;
    }

    // New values are zero; the array holds exactly what is asked when it leaves its place.
    void SetSize(INT_PTR newSize)
    {
        assert(newSize >= 0);
        if (newSize <= 0)
        {
            RemoveAll();
            return;
        }
        if (newSize > m_capacity)
            Reallocate(static_cast<int>(newSize));
        if (newSize > m_size)
            std::fill(GetData() + m_size, GetData() + newSize, T());
        m_size = static_cast<int>(newSize);
    }

    void SetAtGrow(INT_PTR index, T value)
    {
        assert(index >= 0);
        if (index >= m_size)
            SetSize(index + 1);
        GetData()[index] = value;
    }

    void InsertAt(INT_PTR index, T value, INT_PTR count = 1)
    {
        assert(index >= 0 && count >= 0);
        if (count <= 0)
            return;
        const INT_PTR oldSize = m_size;
        if (index >= oldSize)
        {
            SetSize(index + count);
        }
        else
        {
            SetSize(oldSize + count);
            std::memmove(GetData() + index + count, GetData() + index,
                         static_cast<size_t>(oldSize - index) * sizeof(T));
        }
        std::fill(GetData() + index, GetData() + index + count, value);
    }

    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        assert(index >= 0 && count >= 0 && index + count <= m_size);
        if (count <= 0)
            return;
        std::memmove(GetData() + index, GetData() + index + count,
                     static_cast<size_t>(m_size - index - count) * sizeof(T));
        m_size -= static_cast<int>(count);
    }

    void RemoveAll()
    {
        if (!IsInline())
            std::free(m_store.heap);
        m_size = 0;
        m_capacity = N;
    }

    // Back in place when the values fit there, otherwise on an exactly sized block.
    void FreeExtra()
    {
        if (!IsInline() && m_size != m_capacity)
            Reallocate(m_size);
    }

    void Copy(const CInlineArray& source)
    {
        if (&source != this)
            Assign(source.GetData(), source.m_size);
    }

    // Any other list of the same values: a CArray, a vector.
    template <class List>
    void Copy(const List& source)
    {
        Assign(source.GetData(), static_cast<INT_PTR>(source.GetSize()));
    }

    // A copy as a CArray, for the few callers that still take one.
    operator CArray<T>() const
    {
        CArray<T> copy;
        copy.SetSize(m_size);
        std::memcpy(copy.GetData(), GetData(), static_cast<size_t>(m_size) * sizeof(T));
        return copy;
    }

    // Returns the index of the first appended value.
    INT_PTR Append(const CInlineArray& source)
    {
        const int first = m_size;
        const int count = source.m_size;
        Reserve(m_size + count);
        // Reserve keeps source's values in place when source is this array.
        std::memmove(GetData() + m_size, source.GetData(), static_cast<size_t>(count) * sizeof(T));
        m_size += count;
        return first;
    }

private:
    bool IsInline() const { return m_capacity <= N; }

    void Assign(const T* values, INT_PTR count)
    {
        RemoveAll();
        if (count <= 0)
            return;
        Reallocate(static_cast<int>(count));
        std::memcpy(GetData(), values, static_cast<size_t>(count) * sizeof(T));
        m_size = static_cast<int>(count);
    }

    // Grows as a CArray without a growth step: by size / 8, at least 4 and at most 1024.
    void Reserve(INT_PTR capacity)
    {
        if (capacity <= m_capacity)
            return;
        const int growBy = std::clamp(m_size / 8, 4, 1024);
        Reallocate(static_cast<int>(std::max<INT_PTR>(capacity, m_capacity + growBy)));
    }

    void Reallocate(int capacity)
    {
        capacity = std::max(capacity, m_size);
        if (capacity <= N)
        {
            if (IsInline())
                return;
            T* heap = m_store.heap;
            std::memcpy(m_store.values, heap, static_cast<size_t>(m_size) * sizeof(T));
            std::free(heap);
            m_capacity = N;
            return;
        }
        T* block = static_cast<T*>(std::malloc(static_cast<size_t>(capacity) * sizeof(T)));
        if (block == nullptr)
            throw std::bad_alloc();
        std::memcpy(block, GetData(), static_cast<size_t>(m_size) * sizeof(T));
        if (!IsInline())
            std::free(m_store.heap);
        m_store.heap = block;
        m_capacity = capacity;
    }

    void TakeFrom(CInlineArray& other)
    {
        m_store = other.m_store;
        m_size = other.m_size;
        m_capacity = other.m_capacity;
        other.m_size = 0;
        other.m_capacity = N;
    }

    union Store
    {
        T values[N];
        T* heap;
    } m_store{};
    int m_size = 0;
    int m_capacity = N; // N while the values are in place
};
