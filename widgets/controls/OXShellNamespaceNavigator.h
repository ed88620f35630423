// Walking the Windows shell namespace: folders by path or ID list, enumeration of a folder's
// children, ID lists, the shell's context menu of an item and renaming. Folders and ID lists
// the navigator hands out stay registered until they are given back (ReleaseFolder,
// FreeIDList) or the navigator goes, which frees what is left.
#pragma once

#include "platform/base/coll_map.h"
#include "platform/base/string.h"

#include <windows.h>

#include <shlobj.h>

// What the shell folder tree keeps per item, allocated with the shell allocator.
struct OXShellItemInfo
{
    IShellFolder* parentFolder;  // reference held
    LPITEMIDLIST relativeIdList; // one level, relative to parentFolder; owned
    LPITEMIDLIST absoluteIdList; // from the desktop; owned
    ULONG attributes;            // SFGAO_*
    char displayName[MAX_PATH];  // SHGDN_NORMAL
    int largeIcon;               // indexes into the system image lists
    int largeOpenIcon;
    int smallIcon;
    int smallOpenIcon;
};

class COXShellNamespaceNavigator
{
public:
    // Throws CMemoryException* when the shell allocator cannot be had.
    COXShellNamespaceNavigator();
    virtual ~COXShellNamespaceNavigator();
    COXShellNamespaceNavigator(const COXShellNamespaceNavigator&) = delete;
    COXShellNamespaceNavigator& operator=(const COXShellNamespaceNavigator&) = delete;

    // The window that shell calls may use as owner of their own windows; null for none.
    void SetOwnerWindow(HWND owner) { m_owner = owner; }
    HWND GetOwnerWindow() const { return m_owner; }

    // Folders, registered. The folder of a path: the desktop for an empty path or any failure.
    IShellFolder* GetShellFolder(const char* path);
    // The folder of an absolute ID list: the desktop on failure.
    IShellFolder* GetShellFolder(LPCITEMIDLIST absolute);
    // A child folder of parent by its relative ID list; null on failure.
    IShellFolder* BindToChildFolder(IShellFolder* parent, LPCITEMIDLIST relative);
    // Gives a handed-out folder back: unregistered and released.
    void ReleaseFolder(IShellFolder* folder);

    // ID lists, registered. Null when the path cannot be parsed (at most MAX_PATH characters).
    LPITEMIDLIST GetIDListFromPath(const char* path);
    LPITEMIDLIST CopyIDList(LPCITEMIDLIST list);
    LPITEMIDLIST ConcatenateIDLists(LPCITEMIDLIST first, LPCITEMIDLIST second);
    // The list without its last level (a copy); the empty list stays empty.
    LPITEMIDLIST CopyParentIDList(LPCITEMIDLIST list);
    // Frees a list through the shell allocator, registered or not; null is ignored.
    void FreeIDList(LPITEMIDLIST list);
    static UINT GetIDListSize(LPCITEMIDLIST list); // bytes without the terminating zero
    // True when the first levels of a and b name the same child of parent. The bytes alone do
    // not tell: a file-system ID carries the item's times, which change as it is written or
    // read, so items whose bytes differ are compared by the folder itself.
    static bool IsSameItem(IShellFolder* parent, LPCITEMIDLIST a, LPCITEMIDLIST b);

    // Enumeration of one folder at a time (SHCONTF_* flags); FALSE when it cannot start.
    BOOL EnumerateObjects(IShellFolder* folder, DWORD flags);
    // The next child as a new item info (FreeItemInfo gives it back), null at the end.
    // parentAbsolute is the enumerated folder's absolute ID list.
    OXShellItemInfo* GetNextChild(LPCITEMIDLIST parentAbsolute);
    void EndEnumeration();
    void FreeItemInfo(OXShellItemInfo* info);
    // Fills the display name and icon indexes from the item's ID lists.
    void DescribeItem(OXShellItemInfo* info) const;

    // The shell's context menu of an item as a new popup menu (the caller destroys it), its
    // commands numbered from 1; null when the item has none.
    HMENU GetContextMenu(IShellFolder* parent, LPCITEMIDLIST relative, UINT flags);
    // The verb ("delete", "rename"...) of a command of the menu built with flags; empty when
    // it has none.
    CString GetCommandVerb(IShellFolder* parent, LPCITEMIDLIST relative, UINT command,
                           UINT flags = CMF_EXPLORE);
    // Runs a command of the menu built with flags; TRUE when the shell ran it.
    BOOL InvokeCommand(IShellFolder* parent, LPCITEMIDLIST relative, UINT command,
                       UINT flags = CMF_EXPLORE);
    // Runs the default command of the item's menu; FALSE when it has none.
    BOOL InvokeDefaultCommand(IShellFolder* parent, LPCITEMIDLIST relative);
    // Renames the item; its new relative ID list (registered), null on failure.
    LPITEMIDLIST Rename(IShellFolder* parent, LPCITEMIDLIST relative, const char* newName);

    // The file-system path of a special folder (CSIDL_*); empty when it has none.
    CString GetSpecialFolderPath(int csidl);

private:
    // A context menu interface of the item with its commands queried into menu; null on
    // failure (menu then stays empty).
    IContextMenu* QueryContextMenu(IShellFolder* parent, LPCITEMIDLIST relative, HMENU menu,
                                   UINT flags);
    IShellFolder* RegisterFolder(IShellFolder* folder);
    LPITEMIDLIST RegisterIDList(LPITEMIDLIST list);
    IShellFolder* GetDesktopFolder();

    IMalloc* m_malloc = nullptr;              // held
    IEnumIDList* m_enum = nullptr;            // held during an enumeration
    IShellFolder* m_enumFolder = nullptr;     // borrowed during an enumeration
    CMap<void*, void*, BYTE, BYTE> m_idLists; // allocated ID lists, owned
    CMap<void*, void*, int, int> m_folders;   // handed-out folders and the references held
    HWND m_owner = nullptr;
};
