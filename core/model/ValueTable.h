// Result values by id, kept in single precision while every value stored is a float exactly
// (solver files write single-precision results, widened when read) and in double precision
// from the first value that is not: every value reads back as it was stored, and the tables of
// a large model's results take half the bytes.
#pragma once

#include "core/model/IdTable.h"

#include <cmath>
#include <cstddef>
#include <vector>

// A stored vector: its components only, so that a table of millions carries no tag or table
// pointer per cell (a CPoint3D is 40 bytes, this 24).
struct CVectorCell
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The same in single precision.
struct CFloatVectorCell
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

namespace value_table
{
// Whether value is a float exactly (NaN never counts: its payload would not survive).
inline bool Narrows(double value, float* narrow)
{
    *narrow = static_cast<float>(value);
    return static_cast<double>(*narrow) == value && !std::isnan(value);
}

inline bool Narrows(const CVectorCell& value, CFloatVectorCell* narrow)
{
    return Narrows(value.x, &narrow->x) && Narrows(value.y, &narrow->y) &&
           Narrows(value.z, &narrow->z);
}

inline double Widen(float value)
{
    return value;
}

inline double Widen(double value)
{
    return value;
}

inline const CVectorCell& Widen(const CVectorCell& value)
{
    return value;
}

inline CVectorCell Widen(const CFloatVectorCell& value)
{
    return {value.x, value.y, value.z};
}
} // namespace value_table

template <typename Wide, typename Narrow>
class CValueTable
{
public:
    void Set(int id, const Wide& value)
    {
        Narrow narrow;
        if (!m_isWide && value_table::Narrows(value, &narrow))
        {
            m_narrow.At(id) = narrow;
            return;
        }
        MakeWide();
        m_wide.At(id) = value;
    }
    // Sets the cell of each id to value(i), as CIdTable::SetEach.
    template <typename Value>
    void SetEach(const int* ids, size_t count, Value value)
    {
        if (!m_isWide)
        {
            Narrow narrow;
            size_t i = 0;
            while (i < count && value_table::Narrows(value(i), &narrow))
                ++i;
            if (i == count)
            {
                m_narrow.SetEach(ids, count,
                                 [&](size_t k)
                                 {
                                     Narrow cell;
                                     value_table::Narrows(value(k), &cell);
                                     return cell;
                                 });
                return;
            }
            MakeWide();
        }
        m_wide.SetEach(ids, count, value);
    }
    // False when id has no cell.
    bool Get(int id, Wide* value) const
    {
        if (m_isWide)
        {
            const Wide* cell = m_wide.Find(id);
            if (cell != nullptr)
                *value = *cell;
            return cell != nullptr;
        }
        const Narrow* cell = m_narrow.Find(id);
        if (cell != nullptr)
            *value = value_table::Widen(*cell);
        return cell != nullptr;
    }
    // The cells at ascending ids[0..count) into out; ids without a cell leave out as it is.
    void Gather(const std::vector<int>& ids, size_t count, Wide* out) const
    {
        if (m_isWide)
            Gather(m_wide, ids, count, out);
        else
            Gather(m_narrow, ids, count, out);
    }

    bool IsWide() const { return m_isWide; }
    const CIdTable<Wide>& GetWide() const { return m_wide; }
    const CIdTable<Narrow>& GetNarrow() const { return m_narrow; }
    int GetCount() const { return m_isWide ? m_wide.GetCount() : m_narrow.GetCount(); }
    int GetDenseCount() const
    {
        return m_isWide ? m_wide.GetDenseCount() : m_narrow.GetDenseCount();
    }
    void Reserve(int count)
    {
        if (m_isWide)
            m_wide.Reserve(count);
        else
            m_narrow.Reserve(count);
    }
    void ReserveRoom(int count, int cells)
    {
        if (m_isWide)
            m_wide.ReserveRoom(count, cells);
        else
            m_narrow.ReserveRoom(count, cells);
    }
    void RemoveAll()
    {
        m_narrow.RemoveAll();
        m_wide.RemoveAll();
        m_isWide = false;
    }

private:
    void MakeWide()
    {
        if (m_isWide)
            return;
        m_wide = CIdTable<Wide>::From(m_narrow,
                                      [](const Narrow& cell) { return value_table::Widen(cell); });
        m_narrow.RemoveAll();
        m_isWide = true;
    }

    template <typename T>
    static void Gather(const CIdTable<T>& table, const std::vector<int>& ids, size_t count,
                       Wide* out)
    {
        const T* dense = table.GetDenseData();
        const size_t denseCount = static_cast<size_t>(table.GetDenseCount());
        size_t j = 0;
        for (; j < count && static_cast<size_t>(ids[j]) < denseCount; ++j)
            out[j] = value_table::Widen(dense[ids[j]]);
        table.ForEachFar(
            [&](int id, const T& cell)
            {
                while (j < count && ids[j] < id)
                    ++j;
                if (j < count && ids[j] == id)
                    out[j] = value_table::Widen(cell);
            });
    }

    CIdTable<Narrow> m_narrow;
    CIdTable<Wide> m_wide;
    bool m_isWide = false;
};

using CScalarTable = CValueTable<double, float>;
using CVectorTable = CValueTable<CVectorCell, CFloatVectorCell>;
