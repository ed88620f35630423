// A tree of the Windows shell namespace (the desktop, drives, folders and, on request, files)
// with the system's icons. Folders are enumerated when first expanded; file-system paths map to
// items and back; each item offers the shell's context menu and in-place renaming; a refresh
// keeps the expanded folders and the selection. The items' data lives with the tree and is
// freed when the items go.
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/treectrl.h"
#include "widgets/controls/OXShellNamespaceNavigator.h"

#include <windows.h>

#include <unordered_map>
#include <vector>

class COXShellFolderTree : public CTreeCtrl
{
public:
    // The options, also open to the owner until the tree is filled: the shell's context menu
    // on the right button; only file-system items and their ancestors; shell calls owned by
    // this window; a "Desktop" root item; files as well as folders. filter: see SetFileFilter.
    COXShellFolderTree(BOOL contextMenu = TRUE, BOOL fileSystemOnly = TRUE, BOOL ownerWindow = TRUE,
                       BOOL desktopRoot = TRUE, BOOL showFiles = FALSE, const char* filter = "");
    ~COXShellFolderTree() override;

    // Fills the tree anew from the folder of startPath (empty: the desktop, the whole
    // namespace). FALSE without a window, without the system image list, or when the start
    // folder cannot be parsed or bound.
    BOOL InitializeTree(const char* startPath = "");

    // Walks from the top level to the folder of path, expanding the folders on the way, then
    // selects it, expands it when expand is TRUE and scrolls it into view. An empty path
    // changes nothing and gives TRUE; FALSE when the path cannot be parsed or a level is not
    // in the tree.
    BOOL SelectPath(const char* path, BOOL expand);
    // The item of path, expanding nothing: null for an empty or unparsable path, a missing
    // level, or a folder on the way that is not expanded.
    HTREEITEM FindItemByPath(const char* path) const;
    // The file-system path of the item; empty for the "Desktop" root and items outside the
    // file system.
    CString GetItemPath(HTREEITEM item) const;
    // Enumerates the item anew (TVI_ROOT: the whole tree), keeping expanded folders and the
    // selection. A collapsed folder only forgets its children until it is expanded again.
    // FALSE for a null item.
    BOOL RefreshItem(HTREEITEM item);
    // The same for the item of path; FALSE when FindItemByPath does not find it.
    BOOL RefreshItem(const char* path);

    // File filter: extensions without their dot, separated by "|" ("txt|dat"); empty entries
    // are left out. An empty filter shows every file.
    void SetFileFilter(const char* filter);
    CString GetFileFilter() const;

    // Called for every enumerated item before it is shown; FALSE leaves it out.
    virtual BOOL AcceptItem(const OXShellItemInfo& info);
    // TRUE when a file of that name passes the filter: its extension is what follows the first
    // "." ("a.b.txt" has "b.txt"), compared without regard to letter case.
    virtual BOOL IsFileShown(const char* name) const;

    // The item's data; null for the "Desktop" root.
    OXShellItemInfo* GetItemInfo(HTREEITEM item) const;
    COXShellNamespaceNavigator& GetNavigator() { return m_navigator; }

    BOOL m_contextMenu;
    BOOL m_fileSystemOnly;
    BOOL m_ownerWindow;
    BOOL m_desktopRoot;
    BOOL m_showFiles;

    FW_MESSAGE_TABLE()

protected:
    // Shows the context menu at a screen point and returns the command chosen, 0 for none.
    virtual UINT TrackContextMenu(HMENU menu, CPoint screenPoint);

    void OnItemExpanding(NMHDR* header, LRESULT* result);
    void OnDeleteItem(NMHDR* header, LRESULT* result);
    void OnBeginLabelEdit(NMHDR* header, LRESULT* result);
    void OnEndLabelEdit(NMHDR* header, LRESULT* result);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnCancelMode();
    void OnCaptureChanged(CWnd* wnd);
    void OnDestroy();

private:
    // Adds the shown children of folder under parent, in enumeration order; FALSE when the
    // folder cannot be enumerated.
    BOOL PopulateChildren(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST parentAbsolute);
    // Describes the item too, once it passes the attribute test.
    BOOL IsItemShown(OXShellItemInfo& info);
    HTREEITEM InsertShellItem(HTREEITEM parent, OXShellItemInfo* info);
    // Enumerates an item's folder under it and sorts the children.
    void ExpandShellItem(HTREEITEM item);
    void SortShellChildren(HTREEITEM parent);
    // Index in the private list of a system picture, copied over on first use.
    int GetPrivateIcon(int systemIndex);
    BOOL CreateImages();
    // The first child of parent; TVI_ROOT gives the first top-level item.
    HTREEITEM GetFirstChild(HTREEITEM parent) const;
    // The first item of the top level: the first child of "Desktop" when that root is shown.
    HTREEITEM GetFirstTopItem() const;
    // The item of each level of absolute in turn; null when a level is missing, or, with
    // requireExpanded, when a folder on the way is collapsed.
    HTREEITEM WalkToIdList(LPCITEMIDLIST absolute, bool expandOnTheWay, bool requireExpanded);
    void DeleteChildren(HTREEITEM parent);
    // Frees the data of the item and its descendants and detaches it from the items.
    void FreeSubtreeData(HTREEITEM item);
    void SetChildCount(HTREEITEM item, int children);
    void LockRedraw();
    void UnlockRedraw();

    // Right button and context menu.
    UINT GetMenuFlags(const OXShellItemInfo& info) const;
    void ShowItemContextMenu(HTREEITEM item, CPoint screenPoint);
    // "rename" starts editing the label; any other verb runs, and the tree shows what it
    // changed.
    void RunMenuCommand(HTREEITEM item, UINT command);
    void HighlightTrackedItem(HTREEITEM item);
    void EndRightTracking();

    COXShellNamespaceNavigator m_navigator;
    std::vector<CString> m_filter;
    CImageList m_images;
    HIMAGELIST m_systemImages = nullptr;    // the system's, shared; never destroyed here
    std::unordered_map<int, int> m_iconMap; // system picture to private picture
    int m_redrawLocks = 0;
    bool m_isEditing = false;
    HTREEITEM m_trackedItem = nullptr;
    bool m_isMenuOpen = false;
};
