// Vector settings per vector result of a view.
#include "render/VectorPlotEntry.h"

#include "render/DrawObject.h"

CVectorPlotEntry::~CVectorPlotEntry()
{
    for (CDrawObject* object : m_objects)
        delete object;
    m_objects.RemoveAll();
}

CVectorPlotMap::CVectorPlotMap()
{
    m_entries.InitHashTable(kInitialBuckets);
}

CVectorPlotMap::~CVectorPlotMap()
{
    for (POSITION pos = m_entries.GetStartPosition(); pos;)
    {
        UINT key = 0;
        CVectorPlotEntry* entry = nullptr;
        m_entries.GetNextAssoc(pos, key, entry);
        delete entry;
    }
}

CVectorPlotEntry* CVectorPlotMap::Find(int key) const
{
    CVectorPlotEntry* entry = nullptr;
    return m_entries.Lookup(static_cast<UINT>(key), entry) ? entry : nullptr;
}

CVectorPlotEntry* CVectorPlotMap::FindOrAdd(int key)
{
    CVectorPlotEntry* entry = Find(key);
    if (!entry)
    {
        entry = new CVectorPlotEntry();
        m_entries.SetAt(static_cast<UINT>(key), entry);
    }
    return entry;
}
