// The vector settings of one vector result in one view, kept under the packed id of the
// result's load case 1 so that every load case of the result shares them, and the view's map
// of them.
#pragma once

#include "core/display/VectorDisplayAttr.h"
#include "platform/base/coll_array.h"
#include "platform/base/coll_map.h"

class CDrawObject;

class CVectorPlotEntry
{
public:
    CVectorPlotEntry() = default;
    virtual ~CVectorPlotEntry(); // deletes the listed objects
    CVectorPlotEntry(const CVectorPlotEntry&) = delete;
    CVectorPlotEntry& operator=(const CVectorPlotEntry&) = delete;

    CArray<CDrawObject*> m_objects; // owned; nothing adds to it yet
    CVectorDisplayAttr m_attr;
};

// Packed id of load case 1 -> entry. Entries are made on first display and live as long as the
// map (the view). A result without a load case 1 files its entry under -1.
class CVectorPlotMap
{
public:
    static constexpr UINT kInitialBuckets = 17;

    CVectorPlotMap();
    ~CVectorPlotMap();
    CVectorPlotMap(const CVectorPlotMap&) = delete;
    CVectorPlotMap& operator=(const CVectorPlotMap&) = delete;

    CVectorPlotEntry* Find(int key) const;
    // The entry under key, made with default settings when there is none.
    CVectorPlotEntry* FindOrAdd(int key);
    INT_PTR GetCount() const { return m_entries.GetCount(); }
    // Calls visit(key, entry) for every entry, in the map's order.
    template <typename Visit>
    void ForEach(Visit visit) const
    {
        for (POSITION pos = m_entries.GetStartPosition(); pos != nullptr;)
        {
            UINT key = 0;
            CVectorPlotEntry* entry = nullptr;
            m_entries.GetNextAssoc(pos, key, entry);
            visit(static_cast<int>(key), static_cast<const CVectorPlotEntry&>(*entry));
        }
    }

private:
    CMap<UINT, UINT, CVectorPlotEntry*, CVectorPlotEntry*> m_entries; // owned
};
