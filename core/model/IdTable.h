// Cells by entity id: an array while the ids are dense enough, an ordered map for the far ones
// (and for negative ids, which only a group's own lookups may meet).
// Every operation stays linear in the number of cells, whatever ids a file gives: the array
// grows by doubling and at most to twice the cells made (past a fixed start), and a far cell
// moves into the array once at most.
#pragma once

#include "platform/base/memory.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

template <typename T>
class CIdTable
{
public:
    // The array always grows up to this many ids; past it by at most two cells per cell made.
    static constexpr size_t kDenseIds = size_t(1) << 16;

    // The cell of id (0 or more), made empty when absent.
    T& At(int id)
    {
        // Inline for the array and for ids in order within its room, as readers fill it.
        const size_t index = static_cast<size_t>(id);
        if (index < m_dense.size())
            return m_dense[index];
        if (index == m_dense.size() && index < m_dense.capacity() && m_far.empty() &&
            IsDense(index + 1))
        {
            ++m_made;
            return m_dense.emplace_back();
        }
        return AtBeyondArray(id);
    }
    // Sets the cell of each id to value(i) (called once for each i, in order), as At would make
    // and set them one after the other: ascending ids past the array go in with one growth.
    template <typename Value>
    void SetEach(const int* ids, size_t count, Value value);
    // The cell of id, null when it has none.
    const T* Find(int id) const;
    T* Find(int id) { return const_cast<T*>(static_cast<const CIdTable*>(this)->Find(id)); }
    // Empties the cell of id: an array cell becomes T(), a far cell goes.
    void Clear(int id);
    // Array cells for the ids below count, within the dense limits.
    void Reserve(int count);
    // Room in the array for the ids below count, without making cells, when about `cells`
    // cells are to come (the entities a model has): the array then never moves while they are
    // made. Within the dense limits that many cells would allow.
    void ReserveRoom(int count, int cells);
    // One past the largest id with a cell.
    int GetCount() const { return static_cast<int>(std::max(m_dense.size(), FarEnd())); }
    // The array part: ids 0 .. GetDenseCount() - 1 each have a cell there.
    int GetDenseCount() const { return static_cast<int>(m_dense.size()); }
    const T* GetDenseData() const { return m_dense.data(); }
    // Calls visit(id, cell) for every far cell, in ascending id order.
    template <typename Visit>
    void ForEachFar(Visit visit) const
    {
        for (const auto& cell : m_far)
            visit(cell.first, cell.second);
    }
    // Calls visit(cell) for every cell that is not T() (for pointers: every one set), the array
    // in id order, then the far cells in id order.
    template <typename Visit>
    void ForEachSet(Visit visit) const
    {
        for (const T& cell : m_dense)
        {
            if (cell != T())
                visit(cell);
        }
        for (const auto& cell : m_far)
        {
            if (cell.second != T())
                visit(cell.second);
        }
    }
    void RemoveAll();
    // The same cells as other, each converted by convert(cell).
    template <typename U, typename Convert>
    static CIdTable From(const CIdTable<U>& other, Convert convert);

private:
    template <typename>
    friend class CIdTable;

    T& AtBeyondArray(int id); // the growth and the far cells
    static bool IsDense(size_t end, size_t made) { return end <= kDenseIds + 2 * (made + 1); }
    bool IsDense(size_t end) const { return IsDense(end, m_made); }
    size_t AppendableRun(const int* ids, size_t first, size_t count) const;
    void GrowDense(size_t end);
    size_t FarEnd() const
    {
        return m_far.empty() || m_far.rbegin()->first < 0
                   ? 0
                   : static_cast<size_t>(m_far.rbegin()->first) + 1;
    }

    // A result table of a million ids is filled as soon as it grows.
    std::vector<T, fw::PagedAllocator<T>> m_dense;
    std::map<int, T> m_far; // ids beyond the array, and negative ids
    size_t m_made = 0;      // cells made by At beyond the array
};

template <typename T>
T& CIdTable<T>::AtBeyondArray(int id)
{
    const size_t index = static_cast<size_t>(id);
    if (id >= 0 && IsDense(index + 1))
    {
        ++m_made;
        GrowDense(index + 1);
        return m_dense[index];
    }
    // Far ids in ascending order, as a walk over a table's ids makes them: placed at the end
    // without a search.
    if (!m_far.empty() && id > m_far.rbegin()->first)
    {
        ++m_made;
        return m_far.emplace_hint(m_far.end(), id, T())->second;
    }
    const auto found = m_far.lower_bound(id);
    if (found != m_far.end() && found->first == id)
        return found->second;
    ++m_made;
    return m_far.emplace_hint(found, id, T())->second;
}

template <typename T>
template <typename Value>
void CIdTable<T>::SetEach(const int* ids, size_t count, Value value)
{
    size_t i = 0;
    while (i < count)
    {
        const size_t index = static_cast<size_t>(ids[i]);
        if (index < m_dense.size())
        {
            m_dense[index] = value(i);
            ++i;
            continue;
        }
        const size_t end = AppendableRun(ids, i, count);
        if (end == i)
        {
            At(ids[i]) = value(i);
            ++i;
            continue;
        }
        m_made += end - i;
        GrowDense(static_cast<size_t>(ids[end - 1]) + 1);
        for (; i < end; ++i)
            m_dense[static_cast<size_t>(ids[i])] = value(i);
    }
}

// The end of the run of ids from first on that At would each place in the array past its end:
// ascending, and dense by the cells made before each.
template <typename T>
size_t CIdTable<T>::AppendableRun(const int* ids, size_t first, size_t count) const
{
    size_t next = m_dense.size();
    size_t made = m_made;
    size_t end = first;
    for (; end < count; ++end, ++made)
    {
        const size_t index = static_cast<size_t>(ids[end]);
        if (ids[end] < 0 || index < next || !IsDense(index + 1, made))
            break;
        next = index + 1;
    }
    return end;
}

template <typename T>
const T* CIdTable<T>::Find(int id) const
{
    if (static_cast<size_t>(id) < m_dense.size())
        return &m_dense[static_cast<size_t>(id)];
    if (m_far.empty())
        return nullptr;
    const auto found = m_far.find(id);
    return found == m_far.end() ? nullptr : &found->second;
}

template <typename T>
void CIdTable<T>::Clear(int id)
{
    if (static_cast<size_t>(id) < m_dense.size())
        m_dense[static_cast<size_t>(id)] = T();
    else
        m_far.erase(id);
}

template <typename T>
void CIdTable<T>::Reserve(int count)
{
    if (count <= 0)
        return;
    const size_t end = static_cast<size_t>(count);
    if (end > m_dense.size() && IsDense(end))
        GrowDense(end);
}

template <typename T>
void CIdTable<T>::ReserveRoom(int count, int cells)
{
    const size_t end = static_cast<size_t>(std::max(count, 0));
    const size_t denseEnd = kDenseIds + 2 * (static_cast<size_t>(std::max(cells, 0)) + 1);
    if (end > m_dense.capacity() && end <= denseEnd)
        m_dense.reserve(end);
}

template <typename T>
template <typename U, typename Convert>
CIdTable<T> CIdTable<T>::From(const CIdTable<U>& other, Convert convert)
{
    CIdTable table;
    table.m_dense.reserve(other.m_dense.capacity());
    for (const U& cell : other.m_dense)
        table.m_dense.push_back(convert(cell));
    for (const auto& [id, cell] : other.m_far)
        table.m_far.emplace_hint(table.m_far.end(), id, convert(cell));
    table.m_made = other.m_made;
    return table;
}

template <typename T>
void CIdTable<T>::RemoveAll()
{
    decltype(m_dense)().swap(m_dense);
    m_far.clear();
    m_made = 0;
}

// Far cells that the array now covers move into it, each once.
template <typename T>
void CIdTable<T>::GrowDense(size_t end)
{
    if (end > m_dense.capacity())
        m_dense.reserve(std::max(end, 2 * m_dense.capacity()));
    m_dense.resize(end);
    const auto first = m_far.lower_bound(0);
    const auto covered = m_far.lower_bound(static_cast<int>(std::min<size_t>(end, INT32_MAX)));
    for (auto it = first; it != covered; ++it)
        m_dense[static_cast<size_t>(it->first)] = std::move(it->second);
    m_far.erase(first, covered);
}
