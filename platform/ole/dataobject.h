// Data of a drag-and-drop operation: COleDataObject reads what is offered, COleDataSource
// offers cached global blocks and runs the drag.
#pragma once

#include "platform/base/coll_array.h"
#include "platform/base/string.h"
#include "platform/ole/oleinit.h"

#include <windows.h>

#include <ole2.h>
#include <vector>

class COleDropSource;

// A view of an IDataObject, typically the one being dragged over a drop target.
class COleDataObject
{
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // With autoRelease the object releases the interface when it lets it go; it never adds
    // a reference of its own.
    void Attach(IDataObject* data, BOOL autoRelease = TRUE);
    IDataObject* Detach();
    void Release();
    IDataObject* GetIDataObject() const { return m_data; }

    BOOL IsDataAvailable(CLIPFORMAT format, const FORMATETC* formatEtc = nullptr) const;
    // A copy of the data as a global block that the caller frees; null when not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT format, const FORMATETC* formatEtc = nullptr) const;
    // The paths of a dropped file list (CF_HDROP); FALSE when none is offered.
    BOOL GetFileNames(CStringArray* names) const;

private:
    IDataObject* m_data = nullptr;
    bool m_autoRelease = false;
};

// Offers data for a drag as global blocks cached under their clipboard formats.
class COleDataSource
{
public:
    COleDataSource();
    virtual ~COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Takes ownership of the block; a block already cached under the format is freed.
    void CacheGlobalData(CLIPFORMAT format, HGLOBAL block, const FORMATETC* formatEtc = nullptr);
    // Frees every cached block.
    void Empty();

    // Runs the drag: the source's OnBeginDrag (default: a default source) decides whether it
    // starts; startRect (screen) is the area the mouse must leave first, null for the system's
    // drag distance around the cursor. Returns the effect the target chose, DROPEFFECT_NONE
    // when nothing was dropped.
    DROPEFFECT DoDragDrop(DWORD effects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          const RECT* startRect = nullptr, COleDropSource* dropSource = nullptr);

    // The IDataObject offered to OLE; holds no reference for the caller.
    IDataObject* GetInterface();

private:
    class Site;
    friend class Site;

    struct Entry
    {
        FORMATETC format;
        HGLOBAL block; // owned
    };

    const Entry* Find(const FORMATETC& wanted) const;

    std::vector<Entry> m_entries;
    Site* m_site; // owned through its reference count
};
