// Shell folder tree: the right button with the shell's context menu, double clicks on files
// and renaming in place.
#include "widgets/controls/OXShellFolderTree.h"

#include <windows.h>

UINT COXShellFolderTree::TrackContextMenu(HMENU menu, CPoint screenPoint)
{
    return static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x,
                                              screenPoint.y, 0, m_hWnd, nullptr));
}

void COXShellFolderTree::OnRButtonDown(UINT, CPoint point)
{
    if (!m_contextMenu)
    {
        Default();
        return;
    }
    const HTREEITEM item = HitTest(point);
    if (item == nullptr)
        return;
    m_trackedItem = item;
    HighlightTrackedItem(item);
    SetCapture();
}

void COXShellFolderTree::OnMouseMove(UINT flags, CPoint point)
{
    if (m_trackedItem != nullptr && (flags & MK_RBUTTON) != 0 && GetCapture() == this)
    {
        const HTREEITEM item = HitTest(point);
        if (item != nullptr && item != m_trackedItem)
        {
            m_trackedItem = item;
            HighlightTrackedItem(item);
        }
        return;
    }
    Default();
}

void COXShellFolderTree::OnRButtonUp(UINT, CPoint point)
{
    if (!m_contextMenu || m_trackedItem == nullptr)
    {
        Default();
        return;
    }
    const HTREEITEM item = m_trackedItem;
    m_isMenuOpen = true; // losing the capture now does not end the tracking
    if (GetCapture() == this)
        ::ReleaseCapture();
    CPoint screenPoint = point;
    ClientToScreen(&screenPoint);
    ShowItemContextMenu(item, screenPoint);
    m_isMenuOpen = false;
    EndRightTracking();
}

void COXShellFolderTree::OnCancelMode()
{
    if (m_trackedItem != nullptr && !m_isMenuOpen)
        EndRightTracking();
    Default();
}

void COXShellFolderTree::OnCaptureChanged(CWnd*)
{
    if (m_trackedItem != nullptr && !m_isMenuOpen)
        EndRightTracking();
    Default();
}

// The caret item keeps its selected look only while it is the one under the right button.
void COXShellFolderTree::HighlightTrackedItem(HTREEITEM item)
{
    const HTREEITEM caret = GetSelectedItem();
    if (item == caret)
    {
        SelectDropTarget(nullptr);
        SetItemState(caret, TVIS_SELECTED, TVIS_SELECTED);
        return;
    }
    if (caret != nullptr)
        SetItemState(caret, 0, TVIS_SELECTED);
    SelectDropTarget(item);
}

void COXShellFolderTree::EndRightTracking()
{
    SelectDropTarget(nullptr);
    const HTREEITEM caret = GetSelectedItem();
    if (caret != nullptr)
        SetItemState(caret, TVIS_SELECTED, TVIS_SELECTED);
    m_trackedItem = nullptr;
    if (GetCapture() == this)
        ::ReleaseCapture();
}

UINT COXShellFolderTree::GetMenuFlags(const OXShellItemInfo& info) const
{
    UINT flags = CMF_EXPLORE;
    if ((GetStyle() & TVS_EDITLABELS) != 0 && (info.attributes & SFGAO_CANRENAME) != 0)
        flags |= CMF_CANRENAME;
    return flags;
}

void COXShellFolderTree::ShowItemContextMenu(HTREEITEM item, CPoint screenPoint)
{
    const OXShellItemInfo* info = GetItemInfo(item);
    if (info == nullptr)
        return; // "Desktop" has no menu
    HMENU menu =
        m_navigator.GetContextMenu(info->parentFolder, info->relativeIdList, GetMenuFlags(*info));
    if (menu == nullptr)
        return;
    const UINT command = TrackContextMenu(menu, screenPoint);
    ::DestroyMenu(menu);
    // The looks come back before the command runs: it may rebuild the items.
    SelectDropTarget(nullptr);
    const HTREEITEM caret = GetSelectedItem();
    if (caret != nullptr)
        SetItemState(caret, TVIS_SELECTED, TVIS_SELECTED);
    if (command != 0)
        RunMenuCommand(item, command);
}

void COXShellFolderTree::RunMenuCommand(HTREEITEM item, UINT command)
{
    const OXShellItemInfo* info = GetItemInfo(item);
    if (info == nullptr)
        return;
    const UINT flags = GetMenuFlags(*info);
    const CString verb =
        m_navigator.GetCommandVerb(info->parentFolder, info->relativeIdList, command, flags);
    if (verb.CompareNoCase("rename") == 0)
    {
        EditLabel(item);
        return;
    }
    if (!m_navigator.InvokeCommand(info->parentFolder, info->relativeIdList, command, flags))
        return;
    // A verb may delete, rename or fill the item: show its folder as it is now.
    const HTREEITEM parent = GetParentItem(item);
    RefreshItem(GetItemInfo(parent) != nullptr ? parent : TVI_ROOT);
}

void COXShellFolderTree::OnLButtonDown(UINT, CPoint)
{
    if (m_isEditing)
    {
        SetFocus(); // ends the edit; the click does nothing else
        return;
    }
    Default();
}

void COXShellFolderTree::OnLButtonDblClk(UINT, CPoint point)
{
    const OXShellItemInfo* info = GetItemInfo(HitTest(point));
    if (info != nullptr && (info->attributes & SFGAO_FOLDER) == 0)
    {
        m_navigator.InvokeDefaultCommand(info->parentFolder, info->relativeIdList);
        return;
    }
    Default();
}

void COXShellFolderTree::OnBeginLabelEdit(NMHDR* header, LRESULT* result)
{
    const auto* display = reinterpret_cast<const NMTVDISPINFOA*>(header);
    const OXShellItemInfo* info = GetItemInfo(display->item.hItem);
    const bool canRename = info != nullptr && (info->attributes & SFGAO_CANRENAME) != 0;
    m_isEditing = canRename;
    *result = canRename ? FALSE : TRUE;
}

void COXShellFolderTree::OnEndLabelEdit(NMHDR* header, LRESULT* result)
{
    const auto* display = reinterpret_cast<const NMTVDISPINFOA*>(header);
    m_isEditing = false;
    *result = FALSE;
    OXShellItemInfo* info = GetItemInfo(display->item.hItem);
    const char* text = display->item.pszText;
    if (info == nullptr || text == nullptr || *text == '\0')
        return;
    const LPITEMIDLIST renamed = m_navigator.Rename(info->parentFolder, info->relativeIdList, text);
    if (renamed == nullptr)
        return;
    const LPITEMIDLIST parentList = m_navigator.CopyParentIDList(info->absoluteIdList);
    const LPITEMIDLIST absolute = m_navigator.ConcatenateIDLists(parentList, renamed);
    m_navigator.FreeIDList(parentList);
    m_navigator.FreeIDList(info->relativeIdList);
    m_navigator.FreeIDList(info->absoluteIdList);
    info->relativeIdList = renamed;
    info->absoluteIdList = absolute;
    m_navigator.DescribeItem(info);
    *result = TRUE;
}
