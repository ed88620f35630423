// CRecentFileList: the most recently used files, newest first, kept in the application's
// profile (section "Recent File List", entries "File1".."FileN") and shown in the menu at the
// items ID_FILE_MRU_FILE1 onwards.
#pragma once

#include "platform/base/string.h"

#include <vector>

class CCmdUI;

class CRecentFileList
{
public:
    CRecentFileList(UINT start, const char* section, const char* entryFormat, int size,
                    int maxDisplayLength = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    CString& operator[](int index) { return m_arrNames[static_cast<size_t>(index)]; }

    // Puts the path on top; a path already listed (compared without regard to case) moves
    // there, and the oldest entry drops out of a full list.
    virtual void Add(const char* pathName);
    virtual void Remove(int index);
    // The menu text of an entry: the file name, with as much of the folder as fits.
    BOOL GetDisplayName(CString& name, int index, const char* currentDir, int currentDirLength,
                        BOOL atLeastName = TRUE) const;
    // Replaces the items from the CCmdUI's item on with "&1 name"... or one disabled item.
    virtual void UpdateMenu(CCmdUI* cmdUI);
    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;
    CString m_strOriginal; // the menu text shown while the list is empty

private:
    std::vector<CString> m_arrNames;
};
