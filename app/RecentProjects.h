// The four recent projects, most recent first: read from the product INI ("MRU", "MRU0" to
// "MRU3") without empty or repeated entries, and kept in that order as projects are saved and
// opened. Slots without a project hold empty strings.
#pragma once

#include "platform/base/string.h"

#include <array>

class CRecentProjects
{
public:
    static constexpr int kCount = 4;

    // Keeps the values in order, dropping empty ones and those equal, letter case aside, to
    // one already kept.
    void Load(const std::array<CString, kCount>& values);
    // Puts a project file on top. Leading blanks go and the first doubled backslash after the
    // first character becomes one. A path already listed (letter case aside) moves up in the
    // letter case given, unless it is on top already; otherwise the oldest entry drops out.
    void Record(const CString& path);

    const CString& operator[](int index) const { return m_entries[static_cast<size_t>(index)]; }
    const std::array<CString, kCount>& Entries() const { return m_entries; }

    // The INI keys "MRU0" to "MRU3".
    static CString KeyOf(int index);

private:
    std::array<CString, kCount> m_entries;
};
