// CArray: a growable array of values, and the named arrays of bytes, words, pointers,
// objects and strings. Without a growth step the capacity grows by size / 8, at least 4 and
// at most 1024 elements. Relocatable elements (below) are moved by realloc, which extends
// large blocks in place on most heaps; others are move-constructed into a new block.
#pragma once

#include "platform/base/object.h"
#include "platform/base/string.h"
#include "platform/base/types.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace fw
{
// Whether an element may be moved to a new address by copying its bytes: true for trivially
// copyable types. A class of plain values with virtual functions (no pointer into itself, not
// registered by address) opts in with
//   template <> struct fw::IsRelocatable<CPoint3D> : std::true_type {};
// before the first CArray of it is instantiated.
template <class T>
struct IsRelocatable : std::is_trivially_copyable<T>
{
};
} // namespace fw

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray
{
public:
    CArray() = default;
    CArray(const CArray& other) { Copy(other); }
    CArray(CArray&& other) noexcept;
    CArray& operator=(const CArray& other);
    CArray& operator=(CArray&& other) noexcept;
    ~CArray() { RemoveAll(); }

    INT_PTR GetSize() const { return m_size; }
    INT_PTR GetCount() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }
    INT_PTR GetUpperBound() const { return m_size - 1; }
    // New elements are value-initialised (zero for numbers and pointers). growBy -1 keeps
    // the current step; 0 selects the size / 8 rule.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1);
    void FreeExtra();
    void RemoveAll();

    const TYPE& GetAt(INT_PTR index) const;
    TYPE& GetAt(INT_PTR index);
    void SetAt(INT_PTR index, ARG_TYPE element) { GetAt(index) = element; }
    TYPE& ElementAt(INT_PTR index) { return GetAt(index); }
    const TYPE& ElementAt(INT_PTR index) const { return GetAt(index); }
    const TYPE* GetData() const { return m_data; }
    TYPE* GetData() { return m_data; }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return GetAt(index); }

    void SetAtGrow(INT_PTR index, ARG_TYPE element);
    // Returns the index of the new element.
    INT_PTR Add(ARG_TYPE element);
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& source);
    void Copy(const CArray& source);
    void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1);
    // A template so that InsertAt(i, 0) on a number array means the number.
    template <class ARRAY, std::enable_if_t<std::is_base_of_v<CArray, ARRAY>, int> = 0>
    void InsertAt(INT_PTR startIndex, const ARRAY* source)
    {
        InsertArrayAt(startIndex, *source);
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1);

    TYPE* begin() { return m_data; }
    TYPE* end() { return m_data + m_size; }
    const TYPE* begin() const { return m_data; }
    const TYPE* end() const { return m_data + m_size; }

private:
    static constexpr bool kRelocatable = fw::IsRelocatable<TYPE>::value;

    void InsertArrayAt(INT_PTR startIndex, const CArray& source);
    void Reserve(INT_PTR capacity);
    void Reallocate(INT_PTR capacity);
    static void Destroy(TYPE* first, INT_PTR count);

    TYPE* m_data = nullptr; // owned, raw storage of m_capacity elements
    INT_PTR m_size = 0;
    INT_PTR m_capacity = 0;
    INT_PTR m_growBy = 0;
};

template <class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>::CArray(CArray&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_size(std::exchange(other.m_size, 0))
    , m_capacity(std::exchange(other.m_capacity, 0))
    , m_growBy(other.m_growBy)
{
}

template <class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>& CArray<TYPE, ARG_TYPE>::operator=(const CArray& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

template <class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>& CArray<TYPE, ARG_TYPE>::operator=(CArray&& other) noexcept
{
    if (this != &other)
    {
        RemoveAll();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_growBy = other.m_growBy;
    }
    return *this;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR newSize, INT_PTR growBy)
{
    assert(newSize >= 0);
    if (growBy >= 0)
        m_growBy = growBy;
    if (newSize <= 0)
    {
        RemoveAll();
        return;
    }
    if (newSize < m_size)
    {
        Destroy(m_data + newSize, m_size - newSize);
        m_size = newSize;
        return;
    }
    // Sizing an empty array takes exactly what is asked: element and face arrays are sized
    // once and never grow, and a million of them must not each carry spare slots.
    if (m_capacity == 0)
        Reallocate(m_growBy > 0 ? std::max(newSize, m_growBy) : newSize);
    else
        Reserve(newSize);
    for (INT_PTR i = m_size; i < newSize; ++i)
        new (m_data + i) TYPE();
    m_size = newSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_size == 0)
        RemoveAll();
    else if (m_size != m_capacity)
        Reallocate(m_size);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAll()
{
    Destroy(m_data, m_size);
    std::free(m_data);
    m_data = nullptr;
    m_size = 0;
    m_capacity = 0;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CArray<TYPE, ARG_TYPE>::GetAt(INT_PTR index) const
{
    assert(index >= 0 && index < m_size);
    return m_data[index];
}

template <class TYPE, class ARG_TYPE>
TYPE& CArray<TYPE, ARG_TYPE>::GetAt(INT_PTR index)
{
    assert(index >= 0 && index < m_size);
    return m_data[index];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR index, ARG_TYPE element)
{
    assert(index >= 0);
    if (index < m_size)
    {
        m_data[index] = element;
        return;
    }
    TYPE copy(element); // element may live in this array
    SetSize(index + 1);
    m_data[index] = std::move(copy);
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE element)
{
    if (m_size < m_capacity)
    {
        new (m_data + m_size) TYPE(element);
        return m_size++;
    }
    TYPE copy(element); // element may live in this array
    Reserve(m_size + 1);
    new (m_data + m_size) TYPE(std::move(copy));
    return m_size++;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& source)
{
    const INT_PTR first = m_size;
    if (&source == this)
    {
        const CArray copy(source);
        return Append(copy);
    }
    Reserve(m_size + source.m_size);
    for (INT_PTR i = 0; i < source.m_size; ++i)
        new (m_data + m_size + i) TYPE(source.m_data[i]);
    m_size += source.m_size;
    return first;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& source)
{
    if (&source == this)
        return;
    RemoveAll();
    m_growBy = source.m_growBy;
    Append(source);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count)
{
    assert(index >= 0 && count >= 0);
    if (count <= 0)
        return;
    TYPE copy(element); // element may live in this array
    const INT_PTR oldSize = m_size;
    if (index >= oldSize)
    {
        SetSize(index + count);
        for (INT_PTR i = index; i < index + count; ++i)
            m_data[i] = copy;
        return;
    }
    SetSize(oldSize + count);
    std::move_backward(m_data + index, m_data + oldSize, m_data + oldSize + count);
    for (INT_PTR i = index; i < index + count; ++i)
        m_data[i] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertArrayAt(INT_PTR startIndex, const CArray& source)
{
    assert(startIndex >= 0);
    if (source.m_size == 0)
        return;
    const CArray copy(source); // source may be this array
    InsertAt(startIndex, copy.m_data[0], copy.m_size);
    for (INT_PTR i = 1; i < copy.m_size; ++i)
        m_data[startIndex + i] = copy.m_data[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR index, INT_PTR count)
{
    assert(index >= 0 && count >= 0 && index + count <= m_size);
    if (count <= 0)
        return;
    std::move(m_data + index + count, m_data + m_size, m_data + index);
    Destroy(m_data + m_size - count, count);
    m_size -= count;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reserve(INT_PTR capacity)
{
    if (capacity <= m_capacity)
        return;
    INT_PTR growBy = m_growBy;
    if (growBy == 0)
        growBy = std::clamp<INT_PTR>(m_size / 8, 4, 1024);
    Reallocate(std::max(capacity, m_capacity + growBy));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR capacity)
{
    const size_t bytes = static_cast<size_t>(capacity) * sizeof(TYPE);
    if (static_cast<size_t>(capacity) > SIZE_MAX / sizeof(TYPE))
        throw std::bad_alloc();
    TYPE* data = nullptr;
    if constexpr (kRelocatable)
    {
        data = static_cast<TYPE*>(std::realloc(static_cast<void*>(m_data), bytes));
        if (!data)
            throw std::bad_alloc();
    }
    else
    {
        data = static_cast<TYPE*>(std::malloc(bytes));
        if (!data)
            throw std::bad_alloc();
        for (INT_PTR i = 0; i < m_size; ++i)
            new (data + i) TYPE(std::move(m_data[i]));
        Destroy(m_data, m_size);
        std::free(m_data);
    }
    m_data = data;
    m_capacity = capacity;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Destroy(TYPE* first, INT_PTR count)
{
    if constexpr (!std::is_trivially_destructible_v<TYPE>)
    {
        for (INT_PTR i = 0; i < count; ++i)
            first[i].~TYPE();
    }
}

// The named arrays are classes, not aliases, so that headers can declare them ahead.
class CByteArray : public CArray<BYTE, BYTE>
{
};

class CWordArray : public CArray<WORD, WORD>
{
};

class CDWordArray : public CArray<DWORD, DWORD>
{
};

class CUIntArray : public CArray<UINT, UINT>
{
};

class CPtrArray : public CArray<void*, void*>
{
};

// Serialisable as an object, as stored layouts expect: a count, then each element as an
// object. The array never owns its elements; loading replaces the pointers it held.
class CObArray : public CObject, public CArray<CObject*, CObject*>
{
    FW_SERIAL(CObArray, CObject, 0)

    void Serialize(CArchive& archive) override;

private:
    void DeleteReadObjects(const CArchive& archive);
};

class CStringArray : public CArray<CString, const CString&>
{
};
