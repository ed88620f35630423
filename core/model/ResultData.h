// One result at one load case: its values per node, per element and per element node, their
// range, its names and where it was read from. Values live in arrays indexed by id; ids far
// beyond those stored so far go to a map, so that one value at id 99,999,999 costs no gigabytes.
#pragma once

#include "core/geometry/Point3D.h"
#include "core/model/ResultId.h"
#include "platform/base/coll_map.h"
#include "platform/base/string.h"
#include "platform/base/types.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

// Sentinels of a range that has seen no value yet.
constexpr double kRangeUnsetMin = 99999999.0;
constexpr double kRangeUnsetMax = -99999999.0;

// Values of one element at its nodes: the node ids, one scalar and one vector per slot.
struct CComponentSet
{
    std::vector<int> nodeIds;
    std::vector<double> values;
    std::vector<CPoint3D> vectors; // empty until a vector is stored

    int FindSlot(int nodeId) const; // -1 when the node is not in the set
};

// Cells by entity id: an array while the ids are dense enough, a map for the far ones. A cell
// inside the array exists (zero until set); beyond it only the cells that were set exist.
template <typename T>
class CIdTable
{
public:
    // The array always grows up to this many ids; past it by at most two cells per cell made.
    static constexpr size_t kDenseIds = size_t(1) << 16;

    // The cell of id (0 or more), made empty when absent.
    T& At(int id);
    // The cell of id, null when it has none.
    const T* Find(int id) const;
    // Array cells for the ids below count, within the dense limits.
    void Reserve(int count);
    // One past the largest id with a cell.
    int GetCount() const { return static_cast<int>(std::max(m_dense.size(), m_farEnd)); }

private:
    bool IsDense(size_t end) const;
    void GrowDense(size_t end);

    std::vector<T> m_dense;
    std::unordered_map<int, T> m_far; // ids beyond the array
    size_t m_farFirst = SIZE_MAX;     // the smallest id in m_far
    size_t m_farEnd = 0;              // one past the largest id in m_far
    size_t m_made = 0;                // cells made by At beyond the array
};

class CResultData
{
public:
    // m_kind
    static constexpr int kVector = 101;
    static constexpr int kScalar = 102;
    static constexpr int kVectorXYZ = 103;
    static constexpr int kTensor = 104;
    // m_flags
    static constexpr int kFlagVector = 0x1;
    static constexpr int kFlagAtNodes = 0x2;
    static constexpr int kFlagElementNodes = 0x4;
    static constexpr int kFlagStepKind = 0x18; // 8 static, 16 modes, 24 steps
    // m_loaded
    static constexpr int kNotLoaded = 0;
    static constexpr int kLoaded = 1;
    static constexpr int kRequested = 2;
    static constexpr int kAwaitingRange = 3;

    CResultData();
    virtual ~CResultData();
    CResultData(const CResultData&) = delete;
    CResultData& operator=(const CResultData&) = delete;

    // Names: the tree and the dialogs show the name and the title.
    const CString& GetName() const { return m_name; }
    const CString& GetSubtitle() const { return m_typeName; }
    const CString& GetTitle() const { return m_title; }
    void SetName(const CString& name) { m_name = name; }
    void SetSubtitle(const CString& text) { m_typeName = text; }
    void SetTitle(const CString& title) { m_title = title; }

    // Range: copies the current range to the saved one and resets it, unless the values sit
    // at nodes or element nodes (those keep their range).
    void ResetRange();
    bool HasRange() const { return m_min <= m_max; }
    // The larger magnitude of the current range; 0.0 while it is unset.
    double GetLargestValue() const;
    void WidenRange(double value);
    void WidenVectorRange(const CPoint3D& vector);

    // Value tables. Ids outside a table, or without a value, give false (or null).
    bool GetNodeValue(int nodeId, double* value) const;
    bool GetElementValue(int elementId, double* value) const;
    bool GetNodeVector(int nodeId, CPoint3D* vector) const;
    bool GetElementVector(int elementId, CPoint3D* vector) const;
    const CComponentSet* GetComponentSet(int elementId) const;
    // One past the largest id with a cell.
    int GetNodeValueCount() const { return m_nodeValues.GetCount(); }
    int GetElementValueCount() const { return m_elementValues.GetCount(); }
    int GetNodeVectorCount() const { return m_nodeVectorFlags.GetCount(); }
    int GetElementVectorCount() const { return m_elementVectorFlags.GetCount(); }
    int GetComponentSetCount() const { return m_components.GetCount(); }

    // Stores; the caller has checked that the id is in 0..kMaxEntityId. Dense tables grow to
    // id + 1 with empty cells; the range is not touched here.
    void SetNodeValue(int nodeId, double value);
    void SetElementValue(int elementId, double value);
    void SetNodeVector(int nodeId, const CPoint3D& vector);
    void SetElementVector(int elementId, const CPoint3D& vector);
    // The element's set, made with `nodeCount` zeroed slots when it has none yet.
    CComponentSet& GetOrCreateComponentSet(int elementId, int nodeCount);
    // Grows the node tables to `count` entries ahead of a read (the vector tables too when
    // `withVectors`), as far as the ids stay dense.
    void ReserveNodes(int count, bool withVectors);
    void ReserveElements(int count, bool withVectors);

    // Location bits of m_flags: 4 element nodes, 2 nodes, 0 elements.
    int GetLocation() const { return m_flags & (kFlagAtNodes | kFlagElementNodes); }
    int GetStepKind() const { return m_flags & kFlagStepKind; }
    bool IsLoaded() const { return m_loaded == kLoaded; }

public:
    // Per-id storage; m_*Flags say which ids carry a value.
    CIdTable<double> m_nodeValues;
    CIdTable<double> m_elementValues;
    CIdTable<uint8_t> m_elementValueFlags;
    CIdTable<CPoint3D> m_nodeVectors;
    CIdTable<uint8_t> m_nodeVectorFlags;
    CIdTable<CPoint3D> m_elementVectors;
    CIdTable<uint8_t> m_elementVectorFlags;
    CIdTable<std::unique_ptr<CComponentSet>> m_components; // by element id

    // Current range and the range saved by ResetRange.
    double m_min = kRangeUnsetMin;
    double m_max = kRangeUnsetMax;
    CPoint3D m_minVector;
    CPoint3D m_maxVector;
    double m_savedMin = kRangeUnsetMin;
    double m_savedMax = kRangeUnsetMax;
    CPoint3D m_savedMinVector;
    CPoint3D m_savedMaxVector;

    int m_mode = -1;            // mode number of a modal result, else -1
    int m_type = 0;             // 1, 2, 3, 8, 1002, 1003, 1008 or 0 (other)
    CString m_sourcePath;       // OUTPUT2 file the values come from
    int64_t m_filePosition = 0; // subcase position in that file
    int m_loaded = kNotLoaded;
    CString m_blockName;
    double m_stepValue = 0.0; // step time of a transient universal-file result
    CString m_groupName;      // table or record-type text; the tree groups by it
    int m_kind = 0;
    BYTE m_average = 1; // element values are averaged to the nodes
    uint32_t m_id = 0;  // packed result id
    int m_flags = 0;
    CString m_name;
    CString m_typeName;
    CString m_title;

private:
    static void ResetVectorRange(CPoint3D& minVector, CPoint3D& maxVector);
};

template <typename T>
T& CIdTable<T>::At(int id)
{
    const size_t index = static_cast<size_t>(id);
    if (index < m_dense.size())
        return m_dense[index];
    if (IsDense(index + 1))
    {
        ++m_made;
        GrowDense(index + 1);
        return m_dense[index];
    }
    const auto found = m_far.find(id);
    if (found != m_far.end())
        return found->second;
    ++m_made;
    m_farFirst = std::min(m_farFirst, index);
    m_farEnd = std::max(m_farEnd, index + 1);
    return m_far[id];
}

template <typename T>
const T* CIdTable<T>::Find(int id) const
{
    if (id < 0)
        return nullptr;
    if (static_cast<size_t>(id) < m_dense.size())
        return &m_dense[static_cast<size_t>(id)];
    const auto found = m_far.find(id);
    return found == m_far.end() ? nullptr : &found->second;
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

// The array's size stays linear in the number of values, whatever ids a file gives.
template <typename T>
bool CIdTable<T>::IsDense(size_t end) const
{
    return end <= kDenseIds + 2 * (m_made + 1);
}

// Far cells that the array now covers move into it.
template <typename T>
void CIdTable<T>::GrowDense(size_t end)
{
    m_dense.resize(end);
    if (end <= m_farFirst)
        return;
    for (auto it = m_far.begin(); it != m_far.end();)
    {
        if (static_cast<size_t>(it->first) < end)
        {
            m_dense[static_cast<size_t>(it->first)] = std::move(it->second);
            it = m_far.erase(it);
        }
        else
            ++it;
    }
    m_farFirst = SIZE_MAX;
    m_farEnd = 0;
    for (const auto& cell : m_far)
    {
        m_farFirst = std::min(m_farFirst, static_cast<size_t>(cell.first));
        m_farEnd = std::max(m_farEnd, static_cast<size_t>(cell.first) + 1);
    }
}

// Packed result id -> result; iteration order is the tree's order.
using CResultMap = CMap<UINT, UINT, CResultData*, CResultData*>;
