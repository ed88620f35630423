// CList: a doubly linked list of values whose nodes come from a block pool, and the named
// lists of pointers, objects and strings. A POSITION is a node; it stays valid until that
// node is removed.
#pragma once

#include "platform/base/coll_pool.h"
#include "platform/base/string.h"
#include "platform/base/types.h"

#include <cassert>
#include <new>
#include <type_traits>
#include <utility>

class CObject;

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList
{
public:
    explicit CList(INT_PTR blockSize = 10)
        : m_pool(sizeof(Node), blockSize)
    {
    }
    CList(const CList& other);
    CList& operator=(const CList& other);
    ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    TYPE& GetHead();
    const TYPE& GetHead() const;
    TYPE& GetTail();
    const TYPE& GetTail() const;
    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE element);
    POSITION AddTail(ARG_TYPE element);
    // Templates so that AddTail(nullptr) on a pointer list adds a null element.
    template <class LIST, std::enable_if_t<std::is_base_of_v<CList, LIST>, int> = 0>
    void AddHead(const LIST* other)
    {
        AddListAtHead(*other);
    }
    template <class LIST, std::enable_if_t<std::is_base_of_v<CList, LIST>, int> = 0>
    void AddTail(const LIST* other)
    {
        AddListAtTail(*other);
    }
    void RemoveAll();

    POSITION GetHeadPosition() const { return ToPosition(m_head); }
    POSITION GetTailPosition() const { return ToPosition(m_tail); }
    // Return the element at position and move position on (null after the last).
    TYPE& GetNext(POSITION& position);
    const TYPE& GetNext(POSITION& position) const;
    TYPE& GetPrev(POSITION& position);
    const TYPE& GetPrev(POSITION& position) const;
    TYPE& GetAt(POSITION position) { return ToNode(position)->data; }
    const TYPE& GetAt(POSITION position) const { return ToNode(position)->data; }
    void SetAt(POSITION position, ARG_TYPE element) { ToNode(position)->data = element; }
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, ARG_TYPE element);
    POSITION InsertAfter(POSITION position, ARG_TYPE element);

    // Search from the node after startAfter (from the head when null); null when absent.
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const;
    // The position of the zero-based index; null when out of range.
    POSITION FindIndex(INT_PTR index) const;

private:
    struct Node
    {
        Node* next;
        Node* prev;
        TYPE data;
    };

    static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* ToNode(POSITION position);
    void AddListAtHead(const CList& other);
    void AddListAtTail(const CList& other);
    Node* NewNode(Node* prev, Node* next, ARG_TYPE element);
    void FreeNode(Node* node);

    fw::NodePool m_pool;
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    INT_PTR m_count = 0;
};

template <class TYPE, class ARG_TYPE>
CList<TYPE, ARG_TYPE>::CList(const CList& other)
    : m_pool(sizeof(Node), 10)
{
    AddListAtTail(other);
}

template <class TYPE, class ARG_TYPE>
CList<TYPE, ARG_TYPE>& CList<TYPE, ARG_TYPE>::operator=(const CList& other)
{
    if (this != &other)
    {
        RemoveAll();
        AddListAtTail(other);
    }
    return *this;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetHead()
{
    assert(m_head);
    return m_head->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetHead() const
{
    assert(m_head);
    return m_head->data;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetTail()
{
    assert(m_tail);
    return m_tail->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetTail() const
{
    assert(m_tail);
    return m_tail->data;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    assert(m_head);
    TYPE value(std::move(m_head->data));
    RemoveAt(ToPosition(m_head));
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    assert(m_tail);
    TYPE value(std::move(m_tail->data));
    RemoveAt(ToPosition(m_tail));
    return value;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddHead(ARG_TYPE element)
{
    Node* node = NewNode(nullptr, m_head, element);
    if (m_head)
        m_head->prev = node;
    else
        m_tail = node;
    m_head = node;
    return ToPosition(node);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddTail(ARG_TYPE element)
{
    Node* node = NewNode(m_tail, nullptr, element);
    if (m_tail)
        m_tail->next = node;
    else
        m_head = node;
    m_tail = node;
    return ToPosition(node);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddListAtHead(const CList& other)
{
    const CList copy(other); // other may be this list
    for (Node* node = copy.m_tail; node; node = node->prev)
        AddHead(node->data);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddListAtTail(const CList& other)
{
    if (&other == this)
    {
        const CList copy(other);
        AddListAtTail(copy);
        return;
    }
    for (Node* node = other.m_head; node; node = node->next)
        AddTail(node->data);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (Node* node = m_head; node;)
    {
        Node* next = node->next;
        node->~Node();
        node = next;
    }
    m_pool.FreeAll();
    m_head = nullptr;
    m_tail = nullptr;
    m_count = 0;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& position)
{
    Node* node = ToNode(position);
    position = ToPosition(node->next);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& position) const
{
    Node* node = ToNode(position);
    position = ToPosition(node->next);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& position)
{
    Node* node = ToNode(position);
    position = ToPosition(node->prev);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& position) const
{
    Node* node = ToNode(position);
    position = ToPosition(node->prev);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    Node* node = ToNode(position);
    if (node->prev)
        node->prev->next = node->next;
    else
        m_head = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else
        m_tail = node->prev;
    FreeNode(node);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE element)
{
    if (!position)
        return AddHead(element);
    Node* before = ToNode(position);
    Node* node = NewNode(before->prev, before, element);
    if (before->prev)
        before->prev->next = node;
    else
        m_head = node;
    before->prev = node;
    return ToPosition(node);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE element)
{
    if (!position)
        return AddTail(element);
    Node* after = ToNode(position);
    Node* node = NewNode(after, after->next, element);
    if (after->next)
        after->next->prev = node;
    else
        m_tail = node;
    after->next = node;
    return ToPosition(node);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE value, POSITION startAfter) const
{
    Node* node = startAfter ? ToNode(startAfter)->next : m_head;
    for (; node; node = node->next)
    {
        if (node->data == value)
            return ToPosition(node);
    }
    return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    Node* node = m_head;
    while (index-- > 0)
        node = node->next;
    return ToPosition(node);
}

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::Node* CList<TYPE, ARG_TYPE>::ToNode(POSITION position)
{
    assert(position);
    return reinterpret_cast<Node*>(position);
}

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::Node* CList<TYPE, ARG_TYPE>::NewNode(Node* prev, Node* next,
                                                                     ARG_TYPE element)
{
    void* memory = m_pool.Allocate();
    try
    {
        Node* node = new (memory) Node{next, prev, element};
        ++m_count;
        return node;
    }
    catch (...)
    {
        m_pool.Free(memory);
        throw;
    }
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(Node* node)
{
    node->~Node();
    m_pool.Free(node);
    if (--m_count == 0)
        RemoveAll(); // releases the blocks once the list is empty
}

class CPtrList : public CList<void*, void*>
{
public:
    using CList::CList;
};

class CObList : public CList<CObject*, CObject*>
{
public:
    using CList::CList;
};

class CStringList : public CList<CString, const CString&>
{
public:
    using CList::CList;
};
