// One result at one load case: its values per node, per element and per element node, their
// range, its names and where it was read from. Values live in tables indexed by id (CIdTable):
// one value at id 99,999,999 costs no gigabytes.
#pragma once

#include "core/geometry/Point3D.h"
#include "core/model/IdTable.h"
#include "core/model/ResultId.h"
#include "core/model/ValueTable.h"
#include "platform/base/coll_map.h"
#include "platform/base/string.h"
#include "platform/base/types.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// Sentinels of a range that has seen no value yet.
constexpr double kRangeUnsetMin = 99999999.0;
constexpr double kRangeUnsetMax = -99999999.0;

class CResultData;

// Averages a result's element values to the nodes when they are first read: the node-element
// links as they stood when the result was loaded.
class CNodeMeansSource
{
public:
    virtual ~CNodeMeansSource() = default;
    virtual void AverageToNodes(CResultData& result) const = 0;
};

// Values of one element at its nodes: the node ids, one scalar and one vector per slot.
struct CComponentSet
{
    std::vector<int> nodeIds;
    std::vector<double> values;
    std::vector<CPoint3D> vectors; // empty until a vector is stored

    int FindSlot(int nodeId) const; // -1 when the node is not in the set
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

    // Element values wait to be averaged to the nodes until the node tables or the range are
    // first read (a result not shown costs nothing); every reader below settles them first, and
    // code that reads the public tables or range directly calls SettleNodeMeans. The source
    // stays after that: a later update that finds the same links leaves the means as they are.
    // A first read writes the tables: two threads must not make one at once.
    void SetPendingNodeMeans(std::shared_ptr<const CNodeMeansSource> source)
    {
        m_meansSource = std::move(source);
        m_meansPending = m_meansSource != nullptr;
    }
    const CNodeMeansSource* GetNodeMeansSource() const { return m_meansSource.get(); }
    bool HasPendingNodeMeans() const { return m_meansPending; }
    void SettleNodeMeans() const
    {
        if (m_meansPending)
            AverageNow();
    }

    // Range: copies the current range to the saved one and resets it, unless the values sit
    // at nodes or element nodes (those keep their range).
    void ResetRange();
    bool HasRange() const
    {
        SettleNodeMeans();
        return m_min <= m_max;
    }
    // The larger magnitude of the current range; 0.0 while it is unset.
    double GetLargestValue() const;
    void WidenRange(double value)
    {
        if (value < m_min)
            m_min = value;
        if (value > m_max)
            m_max = value;
    }
    void WidenVectorRange(const CPoint3D& vector);

    // Value tables. Ids outside a table, or without a value, give false (or null).
    bool GetNodeValue(int nodeId, double* value) const;
    bool GetElementValue(int elementId, double* value) const;
    bool GetNodeVector(int nodeId, CPoint3D* vector) const;
    bool GetElementVector(int elementId, CPoint3D* vector) const;
    const CComponentSet* GetComponentSet(int elementId) const;
    // One past the largest id with a cell.
    int GetNodeValueCount() const
    {
        SettleNodeMeans();
        return m_nodeValues.GetCount();
    }
    int GetElementValueCount() const { return m_elementValues.GetCount(); }
    int GetNodeVectorCount() const
    {
        SettleNodeMeans();
        return m_nodeVectorFlags.GetCount();
    }
    int GetElementVectorCount() const { return m_elementVectorFlags.GetCount(); }
    int GetComponentSetCount() const { return m_components.GetCount(); }

    // Stores; the caller has checked that the id is in 0..kMaxEntityId. Dense tables grow to
    // id + 1 with empty cells; the range is not touched here.
    void SetNodeValue(int nodeId, double value) { m_nodeValues.Set(nodeId, value); }
    void SetElementValue(int elementId, double value)
    {
        m_elementValues.Set(elementId, value);
        m_elementValueFlags.At(elementId) = 1;
    }
    void SetNodeVector(int nodeId, const CPoint3D& vector)
    {
        m_nodeVectors.Set(nodeId, {vector.x, vector.y, vector.z});
        m_nodeVectorFlags.At(nodeId) = 1;
    }
    void SetElementVector(int elementId, const CPoint3D& vector)
    {
        m_elementVectors.Set(elementId, {vector.x, vector.y, vector.z});
        m_elementVectorFlags.At(elementId) = 1;
    }
    // The element's set, made with `nodeCount` zeroed slots when it has none yet.
    CComponentSet& GetOrCreateComponentSet(int elementId, int nodeCount);
    // Grows the node tables to `count` entries ahead of a read (the vector tables too when
    // `withVectors`), as far as the ids stay dense; with room for ids below count when about
    // `entities` of them will get a value.
    void ReserveNodes(int count, bool withVectors, int entities = 0);
    void ReserveElements(int count, bool withVectors, int entities = 0);

    // Location bits of m_flags: 4 element nodes, 2 nodes, 0 elements.
    int GetLocation() const { return m_flags & (kFlagAtNodes | kFlagElementNodes); }
    int GetStepKind() const { return m_flags & kFlagStepKind; }
    bool IsLoaded() const { return m_loaded == kLoaded; }

public:
    // Per-id storage; m_*Flags say which ids carry a value.
    CScalarTable m_nodeValues;
    CScalarTable m_elementValues;
    CIdTable<uint8_t> m_elementValueFlags;
    CVectorTable m_nodeVectors;
    CIdTable<uint8_t> m_nodeVectorFlags;
    CVectorTable m_elementVectors;
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
    std::shared_ptr<const CNodeMeansSource> m_meansSource;
    mutable bool m_meansPending = false;

    void AverageNow() const;
    static void ResetVectorRange(CPoint3D& minVector, CPoint3D& maxVector);
};

// Packed result id -> result; iteration order is the tree's order.
using CResultMap = CMap<UINT, UINT, CResultData*, CResultData*>;
