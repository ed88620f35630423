// The recent-project list.
#include "app/RecentProjects.h"

void CRecentProjects::Load(const std::array<CString, kCount>& values)
{
    int kept = 0;
    std::array<CString, kCount> entries;
    for (const CString& value : values)
    {
        if (value.IsEmpty())
            continue;
        bool repeated = false;
        for (int i = 0; i < kept && !repeated; ++i)
            repeated = entries[static_cast<size_t>(i)].CompareNoCase(value) == 0;
        if (!repeated)
            entries[static_cast<size_t>(kept++)] = value;
    }
    m_entries = entries;
}

void CRecentProjects::Record(const CString& path)
{
    CString cleaned = path;
    cleaned.TrimLeft();
    // "C:\\Work\\x.mpj" keeps its first pair only after the first character: a network path
    // "\\server\share" starts with one on purpose.
    const int doubled = cleaned.Find("\\\\");
    if (doubled > 0)
        cleaned = cleaned.Left(doubled) + cleaned.Mid(doubled + 1);

    int found = kCount - 1;
    for (int i = 0; i < kCount; ++i)
    {
        if (!m_entries[static_cast<size_t>(i)].IsEmpty() &&
            m_entries[static_cast<size_t>(i)].CompareNoCase(cleaned) == 0)
        {
            found = i;
            break;
        }
    }
    if (found == 0 && m_entries[0].CompareNoCase(cleaned) == 0)
        return;
    for (int i = found; i > 0; --i)
        m_entries[static_cast<size_t>(i)] = m_entries[static_cast<size_t>(i - 1)];
    m_entries[0] = cleaned;
}

CString CRecentProjects::KeyOf(int index)
{
    CString key;
    key.Format("MRU%d", index);
    return key;
}
