// Shell namespace navigator: folders, ID lists, enumeration and the shell's context menu.
#include "widgets/controls/OXShellNamespaceNavigator.h"

#include "platform/base/exception.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr UINT kFirstMenuCommand = 1;
constexpr UINT kLastMenuCommand = 0x7FFF;
// Everything the tree asks of an item, without forcing the shell to revalidate it.
constexpr ULONG kRequestedAttributes = 0xFFFFFFFFu & ~static_cast<ULONG>(SFGAO_VALIDATE);

std::wstring Widen(const char* text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

// The text of a display name as the shell returned it (the shell's memory is freed).
void CopyDisplayName(STRRET* name, LPCITEMIDLIST item, char* out, int size)
{
    out[0] = '\0';
    switch (name->uType)
    {
    case STRRET_WSTR:
        ::WideCharToMultiByte(CP_ACP, 0, name->pOleStr, -1, out, size, nullptr, nullptr);
        ::CoTaskMemFree(name->pOleStr);
        break;
    case STRRET_OFFSET:
        ::lstrcpynA(out, reinterpret_cast<const char*>(item) + name->uOffset, size);
        break;
    case STRRET_CSTR: ::lstrcpynA(out, name->cStr, size); break;
    default: break;
    }
    out[size - 1] = '\0';
}

// The first level of an ID list as a list of its own.
std::vector<BYTE> FirstLevel(LPCITEMIDLIST list)
{
    std::vector<BYTE> level(list->mkid.cb + sizeof(USHORT), 0);
    std::memcpy(level.data(), list, list->mkid.cb);
    return level;
}

int SystemIconIndex(LPCITEMIDLIST absolute, UINT extraFlags)
{
    SHFILEINFOA info = {};
    const DWORD_PTR found =
        ::SHGetFileInfoA(reinterpret_cast<const char*>(absolute), 0, &info, sizeof(info),
                         SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags);
    return found != 0 ? info.iIcon : 0;
}
} // namespace

COXShellNamespaceNavigator::COXShellNamespaceNavigator()
{
    if (FAILED(::SHGetMalloc(&m_malloc)) || m_malloc == nullptr)
        fw::ThrowMemoryException();
}

COXShellNamespaceNavigator::~COXShellNamespaceNavigator()
{
    EndEnumeration();
    for (const auto& [list, unused] : fw::Assocs(m_idLists))
    {
        m_malloc->Free(list);
    }
    for (const auto& [folder, references] : fw::Assocs(m_folders))
    {
        for (int i = 0; i < references; ++i)
            static_cast<IShellFolder*>(folder)->Release();
    }
    m_malloc->Release();
}

IShellFolder* COXShellNamespaceNavigator::RegisterFolder(IShellFolder* folder)
{
    if (folder != nullptr)
        ++m_folders[folder];
    return folder;
}

void COXShellNamespaceNavigator::ReleaseFolder(IShellFolder* folder)
{
    int* references = folder != nullptr ? m_folders.PLookup(folder) : nullptr;
    if (references == nullptr)
        return;
    if (--*references == 0)
        m_folders.RemoveKey(folder);
    folder->Release();
}

IShellFolder* COXShellNamespaceNavigator::GetDesktopFolder()
{
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop)))
        return nullptr;
    return RegisterFolder(desktop);
}

IShellFolder* COXShellNamespaceNavigator::GetShellFolder(const char* path)
{
    if (path == nullptr || *path == '\0')
        return GetDesktopFolder();
    const LPITEMIDLIST list = GetIDListFromPath(path);
    if (list == nullptr)
        return GetDesktopFolder();
    IShellFolder* const folder = GetShellFolder(list);
    FreeIDList(list);
    return folder;
}

IShellFolder* COXShellNamespaceNavigator::GetShellFolder(LPCITEMIDLIST absolute)
{
    IShellFolder* const desktop = GetDesktopFolder();
    if (desktop == nullptr || absolute == nullptr || absolute->mkid.cb == 0)
        return desktop;
    IShellFolder* const folder = BindToChildFolder(desktop, absolute);
    if (folder == nullptr)
        return desktop;
    ReleaseFolder(desktop);
    return folder;
}

IShellFolder* COXShellNamespaceNavigator::BindToChildFolder(IShellFolder* parent,
                                                            LPCITEMIDLIST relative)
{
    if (parent == nullptr || relative == nullptr)
        return nullptr;
    IShellFolder* folder = nullptr;
    if (FAILED(parent->BindToObject(relative, nullptr, IID_IShellFolder,
                                    reinterpret_cast<void**>(&folder))))
        return nullptr;
    return RegisterFolder(folder);
}

LPITEMIDLIST COXShellNamespaceNavigator::RegisterIDList(LPITEMIDLIST list)
{
    if (list != nullptr)
        m_idLists.SetAt(list, 1);
    return list;
}

LPITEMIDLIST COXShellNamespaceNavigator::GetIDListFromPath(const char* path)
{
    if (path == nullptr || *path == '\0' || std::strlen(path) >= MAX_PATH)
        return nullptr;
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop)))
        return nullptr;
    std::wstring wide = Widen(path);
    ULONG eaten = 0;
    LPITEMIDLIST parsed = nullptr;
    const HRESULT result =
        desktop->ParseDisplayName(m_owner, nullptr, &wide[0], &eaten, &parsed, nullptr);
    desktop->Release();
    if (FAILED(result) || parsed == nullptr)
        return nullptr;
    // Copy into our allocator's memory so that every list is freed the same way.
    const LPITEMIDLIST copy = CopyIDList(parsed);
    ::CoTaskMemFree(parsed);
    return copy;
}

UINT COXShellNamespaceNavigator::GetIDListSize(LPCITEMIDLIST list)
{
    UINT size = 0;
    for (const BYTE* id = reinterpret_cast<const BYTE*>(list);
         id != nullptr && reinterpret_cast<const SHITEMID*>(id)->cb != 0;
         id += reinterpret_cast<const SHITEMID*>(id)->cb)
        size += reinterpret_cast<const SHITEMID*>(id)->cb;
    return size;
}

bool COXShellNamespaceNavigator::IsSameItem(IShellFolder* parent, LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    if (a == nullptr || b == nullptr || a->mkid.cb == 0 || b->mkid.cb == 0)
        return false;
    if (a->mkid.cb == b->mkid.cb && std::memcmp(a, b, a->mkid.cb) == 0)
        return true;
    if (parent == nullptr)
        return false;
    // The folder compares single levels: a longer list would be compared level by level.
    const std::vector<BYTE> first = FirstLevel(a);
    const std::vector<BYTE> second = FirstLevel(b);
    const HRESULT result = parent->CompareIDs(0, reinterpret_cast<LPCITEMIDLIST>(first.data()),
                                              reinterpret_cast<LPCITEMIDLIST>(second.data()));
    return SUCCEEDED(result) && static_cast<short>(LOWORD(result)) == 0;
}

LPITEMIDLIST COXShellNamespaceNavigator::CopyIDList(LPCITEMIDLIST list)
{
    return ConcatenateIDLists(list, nullptr);
}

LPITEMIDLIST COXShellNamespaceNavigator::ConcatenateIDLists(LPCITEMIDLIST first,
                                                            LPCITEMIDLIST second)
{
    const UINT firstSize = GetIDListSize(first);
    const UINT secondSize = GetIDListSize(second);
    auto* bytes = static_cast<BYTE*>(m_malloc->Alloc(firstSize + secondSize + sizeof(USHORT)));
    if (bytes == nullptr)
        return nullptr;
    if (firstSize != 0)
        std::memcpy(bytes, first, firstSize);
    if (secondSize != 0)
        std::memcpy(bytes + firstSize, second, secondSize);
    std::memset(bytes + firstSize + secondSize, 0, sizeof(USHORT));
    return RegisterIDList(reinterpret_cast<LPITEMIDLIST>(bytes));
}

LPITEMIDLIST COXShellNamespaceNavigator::CopyParentIDList(LPCITEMIDLIST list)
{
    const LPITEMIDLIST copy = CopyIDList(list);
    if (copy == nullptr || copy->mkid.cb == 0)
        return copy;
    BYTE* last = reinterpret_cast<BYTE*>(copy);
    for (BYTE* id = last; reinterpret_cast<SHITEMID*>(id)->cb != 0;
         id += reinterpret_cast<SHITEMID*>(id)->cb)
        last = id;
    reinterpret_cast<SHITEMID*>(last)->cb = 0;
    return copy;
}

void COXShellNamespaceNavigator::FreeIDList(LPITEMIDLIST list)
{
    if (list == nullptr)
        return;
    m_idLists.RemoveKey(list);
    m_malloc->Free(list);
}

BOOL COXShellNamespaceNavigator::EnumerateObjects(IShellFolder* folder, DWORD flags)
{
    EndEnumeration();
    if (folder == nullptr)
        return FALSE;
    IEnumIDList* enumerator = nullptr;
    // S_FALSE with no enumerator: nothing to list (an empty drive, say).
    if (FAILED(folder->EnumObjects(m_owner, flags, &enumerator)) || enumerator == nullptr)
        return FALSE;
    m_enum = enumerator;
    m_enumFolder = folder;
    return TRUE;
}

OXShellItemInfo* COXShellNamespaceNavigator::GetNextChild(LPCITEMIDLIST parentAbsolute)
{
    if (m_enum == nullptr)
        return nullptr;
    LPITEMIDLIST child = nullptr;
    ULONG fetched = 0;
    if (m_enum->Next(1, &child, &fetched) != S_OK || child == nullptr)
        return nullptr;
    auto* info = static_cast<OXShellItemInfo*>(m_malloc->Alloc(sizeof(OXShellItemInfo)));
    if (info == nullptr)
    {
        ::CoTaskMemFree(child);
        return nullptr;
    }
    std::memset(info, 0, sizeof(*info));
    info->parentFolder = m_enumFolder;
    m_enumFolder->AddRef();
    info->relativeIdList = CopyIDList(child);
    info->absoluteIdList = ConcatenateIDLists(parentAbsolute, child);
    ::CoTaskMemFree(child);
    info->attributes = kRequestedAttributes;
    LPCITEMIDLIST relative = info->relativeIdList;
    if (relative == nullptr ||
        FAILED(m_enumFolder->GetAttributesOf(1, &relative, &info->attributes)))
        info->attributes = 0;
    return info;
}

void COXShellNamespaceNavigator::DescribeItem(OXShellItemInfo* info) const
{
    STRRET name = {};
    info->displayName[0] = '\0';
    if (SUCCEEDED(info->parentFolder->GetDisplayNameOf(info->relativeIdList, SHGDN_NORMAL, &name)))
        CopyDisplayName(&name, info->relativeIdList, info->displayName, MAX_PATH);
    // The system lists share their indexes between the small and the large pictures.
    info->smallIcon = SystemIconIndex(info->absoluteIdList, 0);
    info->smallOpenIcon = SystemIconIndex(info->absoluteIdList, SHGFI_OPENICON);
    info->largeIcon = info->smallIcon;
    info->largeOpenIcon = info->smallOpenIcon;
}

void COXShellNamespaceNavigator::EndEnumeration()
{
    if (m_enum != nullptr)
        m_enum->Release();
    m_enum = nullptr;
    m_enumFolder = nullptr;
}

void COXShellNamespaceNavigator::FreeItemInfo(OXShellItemInfo* info)
{
    if (info == nullptr)
        return;
    if (info->parentFolder != nullptr)
        info->parentFolder->Release();
    FreeIDList(info->relativeIdList);
    FreeIDList(info->absoluteIdList);
    m_malloc->Free(info);
}

IContextMenu* COXShellNamespaceNavigator::QueryContextMenu(IShellFolder* parent,
                                                           LPCITEMIDLIST relative, HMENU menu,
                                                           UINT flags)
{
    if (parent == nullptr || relative == nullptr)
        return nullptr;
    IContextMenu* contextMenu = nullptr;
    if (FAILED(parent->GetUIObjectOf(m_owner, 1, &relative, IID_IContextMenu, nullptr,
                                     reinterpret_cast<void**>(&contextMenu))))
        return nullptr;
    if (FAILED(contextMenu->QueryContextMenu(menu, 0, kFirstMenuCommand, kLastMenuCommand, flags)))
    {
        contextMenu->Release();
        return nullptr;
    }
    return contextMenu;
}

HMENU COXShellNamespaceNavigator::GetContextMenu(IShellFolder* parent, LPCITEMIDLIST relative,
                                                 UINT flags)
{
    HMENU menu = ::CreatePopupMenu();
    IContextMenu* const contextMenu = QueryContextMenu(parent, relative, menu, flags);
    if (contextMenu == nullptr)
    {
        ::DestroyMenu(menu);
        return nullptr;
    }
    contextMenu->Release();
    return menu;
}

CString COXShellNamespaceNavigator::GetCommandVerb(IShellFolder* parent, LPCITEMIDLIST relative,
                                                   UINT command, UINT flags)
{
    if (command < kFirstMenuCommand)
        return CString();
    HMENU menu = ::CreatePopupMenu();
    IContextMenu* const contextMenu = QueryContextMenu(parent, relative, menu, flags);
    char verb[MAX_PATH] = {};
    if (contextMenu != nullptr)
    {
        if (FAILED(contextMenu->GetCommandString(command - kFirstMenuCommand, GCS_VERBA, nullptr,
                                                 verb, sizeof(verb))))
            verb[0] = '\0';
        contextMenu->Release();
    }
    ::DestroyMenu(menu);
    verb[sizeof(verb) - 1] = '\0';
    return CString(verb);
}

BOOL COXShellNamespaceNavigator::InvokeCommand(IShellFolder* parent, LPCITEMIDLIST relative,
                                               UINT command, UINT flags)
{
    if (command < kFirstMenuCommand)
        return FALSE;
    HMENU menu = ::CreatePopupMenu();
    IContextMenu* const contextMenu = QueryContextMenu(parent, relative, menu, flags);
    BOOL isDone = FALSE;
    if (contextMenu != nullptr)
    {
        CMINVOKECOMMANDINFO invoke = {};
        invoke.cbSize = sizeof(invoke);
        invoke.hwnd = m_owner;
        invoke.lpVerb = MAKEINTRESOURCEA(command - kFirstMenuCommand);
        invoke.nShow = SW_SHOWNORMAL;
        isDone = SUCCEEDED(contextMenu->InvokeCommand(&invoke));
        contextMenu->Release();
    }
    ::DestroyMenu(menu);
    return isDone;
}

BOOL COXShellNamespaceNavigator::InvokeDefaultCommand(IShellFolder* parent, LPCITEMIDLIST relative)
{
    HMENU menu = GetContextMenu(parent, relative, CMF_DEFAULTONLY);
    if (menu == nullptr)
        return FALSE;
    const UINT command = ::GetMenuDefaultItem(menu, FALSE, 0);
    ::DestroyMenu(menu);
    if (command == static_cast<UINT>(-1))
        return FALSE;
    return InvokeCommand(parent, relative, command, CMF_DEFAULTONLY);
}

LPITEMIDLIST COXShellNamespaceNavigator::Rename(IShellFolder* parent, LPCITEMIDLIST relative,
                                                const char* newName)
{
    if (parent == nullptr || relative == nullptr || newName == nullptr ||
        std::strlen(newName) >= MAX_PATH)
        return nullptr;
    const std::wstring wide = Widen(newName);
    LPITEMIDLIST renamed = nullptr;
    if (FAILED(parent->SetNameOf(m_owner, relative, wide.c_str(), SHGDN_INFOLDER, &renamed)) ||
        renamed == nullptr)
        return nullptr;
    const LPITEMIDLIST copy = CopyIDList(renamed);
    ::CoTaskMemFree(renamed);
    return copy;
}

CString COXShellNamespaceNavigator::GetSpecialFolderPath(int csidl)
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(m_owner, csidl, &list)) || list == nullptr)
        return CString();
    char path[MAX_PATH] = {};
    const BOOL hasPath = ::SHGetPathFromIDListA(list, path);
    ::CoTaskMemFree(list);
    return hasPath ? CString(path) : CString();
}
