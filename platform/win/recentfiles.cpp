// The recent-file list.
#include "platform/win/recentfiles.h"

#include "platform/win/app.h"
#include "platform/win/menu.h"

#include <windows.h>

namespace
{
CString FullPath(const char* path)
{
    char buffer[MAX_PATH * 2];
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path, sizeof buffer, buffer, &filePart);
    if (length == 0 || length >= sizeof buffer)
        return CString(path);
    return CString(buffer);
}

// "C:\...\folder\name.ext": the drive, then as many trailing folders as fit in maxLength.
CString AbbreviatePath(const CString& path, int maxLength, BOOL atLeastName)
{
    if (path.GetLength() <= maxLength)
        return path;
    const int nameStart = path.ReverseFind('\\') + 1;
    const CString name = path.Mid(nameStart);
    if (name.GetLength() >= maxLength)
        return atLeastName ? name : CString();
    const int rootEnd = path.Find('\\') + 1; // keeps "C:\"
    const CString root = path.Left(rootEnd);
    // Drop leading folders until root + "...\" + the rest fits.
    int cut = rootEnd;
    while (cut < nameStart)
    {
        const CString candidate = root + "...\\" + path.Mid(cut);
        if (candidate.GetLength() <= maxLength)
            return candidate;
        const int next = path.Find('\\', cut);
        if (next < 0)
            break;
        cut = next + 1;
    }
    return name;
}
} // namespace

CRecentFileList::CRecentFileList(UINT start, const char* section, const char* entryFormat, int size,
                                 int maxDisplayLength)
    : m_nStart(start)
    , m_strSectionName(section)
    , m_strEntryFormat(entryFormat)
    , m_nMaxDisplayLength(maxDisplayLength)
    , m_arrNames(static_cast<size_t>(size > 0 ? size : 0))
{
}

void CRecentFileList::Add(const char* pathName)
{
    if (!pathName || !*pathName || m_arrNames.empty())
        return;
    const CString path = FullPath(pathName);
    // An entry already listed moves up; otherwise the last one drops out.
    size_t slot = m_arrNames.size() - 1;
    for (size_t i = 0; i < m_arrNames.size(); ++i)
    {
        if (m_arrNames[i].CompareNoCase(path) == 0)
        {
            slot = i;
            break;
        }
    }
    for (size_t i = slot; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= GetSize())
        return;
    for (size_t i = static_cast<size_t>(index); i + 1 < m_arrNames.size(); ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames.back().Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& name, int index, const char* currentDir,
                                     int currentDirLength, BOOL atLeastName) const
{
    if (index < 0 || index >= GetSize() || m_arrNames[static_cast<size_t>(index)].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[static_cast<size_t>(index)];
    // A file in the current folder shows by name alone.
    if (currentDir && currentDirLength > 0 && path.GetLength() > currentDirLength &&
        path.Left(currentDirLength).CompareNoCase(CString(currentDir, currentDirLength)) == 0 &&
        path.Find('\\', currentDirLength) < 0)
    {
        name = path.Mid(currentDirLength);
        return TRUE;
    }
    name = AbbreviatePath(path, m_nMaxDisplayLength, atLeastName);
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* cmdUI)
{
    CMenu* menu = cmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && menu)
        menu->GetMenuString(cmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (m_arrNames.empty() || m_arrNames[0].IsEmpty())
    {
        if (!m_strOriginal.IsEmpty())
            cmdUI->SetText(m_strOriginal);
        cmdUI->Enable(FALSE);
        return;
    }
    if (!menu)
        return;
    for (int i = 0; i < GetSize(); ++i)
        menu->DeleteMenu(cmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
    char currentDir[MAX_PATH + 2] = {};
    int currentDirLength = static_cast<int>(::GetCurrentDirectoryA(MAX_PATH, currentDir));
    if (currentDirLength > 0 && currentDir[currentDirLength - 1] != '\\')
        currentDir[currentDirLength++] = '\\';
    for (int i = 0; i < GetSize(); ++i)
    {
        CString name;
        if (!GetDisplayName(name, i, currentDir, currentDirLength))
            break;
        name.Replace("&", "&&"); // an ampersand in a path is no mnemonic
        CString text;
        text.Format("&%d ", static_cast<int>((static_cast<UINT>(i) + 1 + m_nStart) % 10));
        text += name;
        menu->InsertMenu(cmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, cmdUI->m_nID++, text);
    }
    // The caller's walk goes on after the last item inserted.
    cmdUI->m_nIndex--;
    cmdUI->m_nIndexMax = menu->GetMenuItemCount();
    cmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (int i = 0; i < GetSize(); ++i)
    {
        CString entry;
        entry.Format(m_strEntryFormat.GetString(), i + 1);
        m_arrNames[static_cast<size_t>(i)] = app->GetProfileString(m_strSectionName, entry, "");
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    // The section is rewritten whole, so an emptied slot leaves no stale entry.
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < GetSize(); ++i)
    {
        if (m_arrNames[static_cast<size_t>(i)].IsEmpty())
            continue;
        CString entry;
        entry.Format(m_strEntryFormat.GetString(), i + 1);
        app->WriteProfileString(m_strSectionName, entry, m_arrNames[static_cast<size_t>(i)]);
    }
}
