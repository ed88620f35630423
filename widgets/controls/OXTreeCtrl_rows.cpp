// The tree control's rows: one list row per shown item in pre-order, kept in step with
// insertion, deletion, expansion, hiding, moving, copying and sorting.
#include "widgets/controls/OXTreeCtrl.h"

#include <vector>

namespace
{
// Shows the wait cursor for the span of a long row operation.
class WaitCursor
{
public:
    WaitCursor()
        : m_old(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)))
    {
    }
    ~WaitCursor() { ::SetCursor(m_old); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_old;
};
} // namespace

// Keeps the selection and focus of items across operations that take their rows away.
class COXTreeSelectionKeeper
{
public:
    explicit COXTreeSelectionKeeper(COXTreeCtrl& tree)
        : m_tree(tree)
    {
        const HWND list = tree.GetSafeHwnd();
        for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(list, row, LVNI_SELECTED))
            m_selected.push_back(tree.GetItemFromRow(row));
        m_focused = tree.GetItemFromRow(ListView_GetNextItem(list, -1, LVNI_FOCUSED));
    }
    ~COXTreeSelectionKeeper()
    {
        const HWND list = m_tree.GetSafeHwnd();
        for (COXTreeItem* item : m_selected)
        {
            const int row = m_tree.RowOf(item);
            if (row >= 0)
                ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
        }
        const int focusedRow = m_focused ? m_tree.RowOf(m_focused) : -1;
        if (focusedRow >= 0)
            ListView_SetItemState(list, focusedRow, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    COXTreeSelectionKeeper(const COXTreeSelectionKeeper&) = delete;
    COXTreeSelectionKeeper& operator=(const COXTreeSelectionKeeper&) = delete;

private:
    COXTreeCtrl& m_tree;
    std::vector<COXTreeItem*> m_selected;
    COXTreeItem* m_focused = nullptr;
};

COXTreeItem* COXTreeCtrl::Resolve(HTREEITEM item) const
{
    if (item == TVI_ROOT)
        return m_root.get();
    if (!item || item == TVI_FIRST || item == TVI_LAST || item == TVI_SORT)
        return nullptr;
    return COXTreeItem::FromHandle(item);
}

COXTreeItem* COXTreeCtrl::GetItemFromRow(int row) const
{
    if (row < 0)
        return nullptr;
    LVITEMA lvi = {};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = row;
    if (!ListView_GetItem(m_hWnd, &lvi))
        return nullptr;
    return reinterpret_cast<COXTreeItem*>(lvi.lParam);
}

int COXTreeCtrl::RowOf(const COXTreeItem* item) const
{
    // Only shown items have rows: the others need no search through the list.
    if (!item || item->IsHiddenRoot() || !m_hWnd || !item->IsShown())
        return -1;
    // Most work goes row by row: try the last row found and its neighbours first.
    const int count = ListView_GetItemCount(m_hWnd);
    const int guesses[] = {m_rowHint, m_rowHint + 1, m_rowHint - 1, count - 1};
    for (int row : guesses)
    {
        if (row >= 0 && row < count && GetItemFromRow(row) == item)
        {
            m_rowHint = row;
            return row;
        }
    }
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(item);
    const int row = ListView_FindItem(m_hWnd, -1, &find);
    if (row >= 0)
        m_rowHint = row;
    return row;
}

int COXTreeCtrl::InsertRowAt(COXTreeItem* item, int index)
{
    LVITEMA lvi = {};
    lvi.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    lvi.iItem = index;
    lvi.pszText = LPSTR_TEXTCALLBACKA;
    lvi.lParam = reinterpret_cast<LPARAM>(item);
    lvi.state = item->m_tvi.state & TVIS_STATEIMAGEMASK;
    lvi.stateMask = TVIS_STATEIMAGEMASK;
    if (item->m_tvi.iImage >= 0)
    {
        lvi.mask |= LVIF_IMAGE;
        lvi.iImage = item->m_tvi.iImage;
    }
    const int row = ListView_InsertItem(m_hWnd, &lvi);
    if (row < 0)
        return row;
    const int columns = GetColumnCount();
    for (int column = 1; column < columns; ++column)
    {
        if (item->GetCell(column))
            ListView_SetItemText(m_hWnd, row, column, LPSTR_TEXTCALLBACKA);
    }
    m_rowHint = row;
    return row;
}

int COXTreeCtrl::InsertSubtreeRows(COXTreeItem* item, int index)
{
    if (InsertRowAt(item, index) < 0)
        return index;
    int next = index + 1;
    if (!item->IsExpanded())
        return next;
    for (COXTreeItem* child = item->GetFirstChild(); child; child = child->GetNextSibling())
    {
        if (!child->IsHidden())
            next = InsertSubtreeRows(child, next);
    }
    return next;
}

int COXTreeCtrl::InsertItemRows(COXTreeItem* item)
{
    if (!item->IsShown() || item->IsHiddenRoot())
        return -1;
    const int index = FindPrevRow(item) + 1;
    InsertSubtreeRows(item, index);
    return index;
}

int COXTreeCtrl::FindPrevRow(const COXTreeItem* item) const
{
    const COXTreeItem* previous = item->GetPrevInOrder();
    while (previous && !previous->IsHiddenRoot())
    {
        if (previous->IsShown())
            return RowOf(previous);
        // Skip what an ancestor keeps out of sight: go to the outermost such ancestor.
        const COXTreeItem* outer = nullptr;
        for (const COXTreeItem* a = previous->GetParent(); a && !a->IsHiddenRoot();
             a = a->GetParent())
        {
            if (a->IsHidden() || !a->IsExpanded())
                outer = a;
        }
        previous = outer ? outer : previous->GetPrevInOrder();
    }
    return -1;
}

void COXTreeCtrl::DeleteItemRows(COXTreeItem* item)
{
    const int row = RowOf(item);
    if (row < 0)
        return;
    const int count = ListView_GetItemCount(m_hWnd);
    int rows = 1;
    while (row + rows < count && GetItemFromRow(row + rows)->IsDescendantOf(item))
        ++rows;
    for (int i = rows - 1; i >= 0; --i)
        ListView_DeleteItem(m_hWnd, row + i);
    m_rowHint = row - 1;
}

void COXTreeCtrl::ShowChildRows(COXTreeItem* item)
{
    int index = 0;
    if (!item->IsHiddenRoot())
    {
        const int row = RowOf(item);
        if (row < 0)
            return;
        index = row + 1;
    }
    for (COXTreeItem* child = item->GetFirstChild(); child; child = child->GetNextSibling())
    {
        if (!child->IsHidden())
            index = InsertSubtreeRows(child, index);
    }
}

void COXTreeCtrl::HideChildRows(COXTreeItem* item)
{
    if (item->IsHiddenRoot())
    {
        ListView_DeleteAllItems(m_hWnd);
        return;
    }
    const int row = RowOf(item);
    if (row < 0)
        return;
    int rows = 0;
    const int count = ListView_GetItemCount(m_hWnd);
    while (row + 1 + rows < count && GetItemFromRow(row + 1 + rows)->IsDescendantOf(item))
        ++rows;
    for (int i = rows; i >= 1; --i)
        ListView_DeleteItem(m_hWnd, row + i);
}

void COXTreeCtrl::RedrawRow(const COXTreeItem* item)
{
    const int row = RowOf(item);
    if (row >= 0)
        ListView_RedrawItems(m_hWnd, row, row);
}

void COXTreeCtrl::RedrawRows(int first, int last)
{
    if (first < 0)
        first = 0;
    if (last >= first)
        ListView_RedrawItems(m_hWnd, first, last);
}

void COXTreeCtrl::LockRedraw()
{
    if (m_redrawLocks++ == 0)
        SendMessage(WM_SETREDRAW, FALSE);
}

void COXTreeCtrl::UnlockRedraw()
{
    if (m_redrawLocks > 0 && --m_redrawLocks == 0)
    {
        SendMessage(WM_SETREDRAW, TRUE);
        Invalidate();
    }
}

void COXTreeCtrl::ForgetDropHilite(const COXTreeItem* removed)
{
    if (m_dropHilite && (m_dropHilite == removed || m_dropHilite->IsDescendantOf(removed)))
        m_dropHilite = nullptr;
}

HTREEITEM COXTreeCtrl::InsertItem(const TVINSERTSTRUCTA* insert, int where)
{
    if (!insert)
        return nullptr;
    COXTreeItem* parent = Resolve(insert->hParent ? insert->hParent : TVI_ROOT);
    if (!parent)
        return nullptr;
    const TVITEMA& record = insert->item;
    const char* text = (record.mask & TVIF_TEXT) ? record.pszText : nullptr;
    HTREEITEM position = insert->hInsertAfter;
    if (position == TVI_SORT)
        position = parent->FindSortedPosition(text, true);
    else if (position == TVI_LAST)
        position = nullptr;

    const bool hadVisibleChildren = parent->HasVisibleChildren();
    auto* item = new COXTreeItem(text);
    parent->Link(item, position, where);
    TVITEMA applied = record;
    applied.mask = (record.mask & ~TVIF_TEXT) | TVIF_HANDLE;
    applied.hItem = item->GetHandle();
    ApplyRecord(item, applied); // the row that follows takes images and state from the item

    if (parent->m_tvi.cChildren == 0)
        parent->m_tvi.cChildren = 1;
    const int row = InsertItemRows(item);
    if (!parent->IsHiddenRoot() && (m_treeStyle & TVS_HASBUTTONS) &&
        hadVisibleChildren != parent->HasVisibleChildren())
        RedrawRow(parent);
    // The sibling before now has one after it: its lines and its subtree's change.
    if (row >= 0 && (m_treeStyle & TVS_HASLINES))
    {
        const COXTreeItem* sibling = item->GetPrevSibling();
        while (sibling && sibling->IsHidden())
            sibling = sibling->GetPrevSibling();
        if (sibling)
            RedrawRows(RowOf(sibling), row);
    }
    ++m_itemCount;
    return item->GetHandle();
}

HTREEITEM COXTreeCtrl::InsertItem(UINT mask, const char* text, int image, int selectedImage,
                                  UINT state, UINT stateMask, LPARAM lParam, HTREEITEM parent,
                                  HTREEITEM after, int where)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = mask;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.state = state;
    insert.item.stateMask = stateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert, where);
}

HTREEITEM COXTreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent,
                                  HTREEITEM after, int where)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selectedImage, 0, 0,
                      0, parent, after, where);
}

HTREEITEM COXTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after, int where)
{
    return InsertItem(TVIF_TEXT, text, -1, -1, 0, 0, 0, parent, after, where);
}

BOOL COXTreeCtrl::DeleteItem(HTREEITEM handle)
{
    COXTreeItem* item = Resolve(handle);
    if (!item)
        return FALSE;
    if (item->IsHiddenRoot())
        return DeleteAllItems();
    HideItem(handle, TRUE);
    COXTreeItem* parent = item->GetParent();
    if (parent->CountChildren() < 2 && parent->m_tvi.cChildren == 1)
    {
        parent->m_tvi.cChildren = 0;
        parent->ResetExpansion(); // its only child's rows are gone already
    }
    NotifyTree(TVN_DELETEITEM, 0, nullptr, item);
    ForgetDropHilite(item);
    // The whole subtree goes, so the count drops by all of it.
    m_itemCount -= static_cast<UINT>(1 + item->CountDescendants());
    delete item;
    RedrawRow(parent);
    return TRUE;
}

BOOL COXTreeCtrl::DeleteAllItems()
{
    NotifyTree(TVN_DELETEITEM, 0, nullptr, m_root.get());
    m_root->DeleteChildren();
    m_itemCount = 0;
    m_dropHilite = nullptr;
    m_rowHint = -1;
    if (m_hWnd)
        ListView_DeleteAllItems(m_hWnd);
    return TRUE;
}

BOOL COXTreeCtrl::Expand(HTREEITEM handle, UINT code)
{
    COXTreeItem* item = Resolve(handle);
    if (!item)
        return FALSE;
    if (NotifyTree(TVN_ITEMEXPANDINGA, code, item, nullptr))
        return FALSE;
    const UINT descendants = (code & TVE_COLLAPSERESET) ? item->CountDescendants() : 0;
    if (code & TVE_COLLAPSERESET)
        for (COXTreeItem* child = item->GetFirstChild(); child; child = child->GetNextSibling())
            ForgetDropHilite(child);
    LockRedraw();
    const BOOL done = item->Expand(code, this);
    if (done && (code & TVE_COLLAPSERESET))
        m_itemCount -= descendants;
    UnlockRedraw();
    RedrawRow(item);
    NotifyTree(TVN_ITEMEXPANDEDA, code, item, nullptr);
    return done;
}

BOOL COXTreeCtrl::HideItem(HTREEITEM handle, BOOL hide)
{
    COXTreeItem* item = Resolve(handle);
    if (!item || item->IsHiddenRoot())
        return FALSE;
    if (item->IsHidden() == (hide != FALSE))
        return TRUE;
    WaitCursor wait;
    LockRedraw();
    const COXTreeItem* previousSibling = item->GetPrevSibling();
    const int previousRow = FindPrevRow(item);
    BOOL result = TRUE;
    if (hide)
    {
        DeleteItemRows(item);
        item->SetHidden(true);
    }
    else
    {
        item->SetHidden(false);
        if (item->IsShown())
            result = InsertItemRows(item) >= 0;
    }
    UnlockRedraw();
    RedrawRows(previousSibling ? RowOf(previousSibling) : previousRow, previousRow);
    return result;
}

BOOL COXTreeCtrl::MoveItem(HTREEITEM handle, HTREEITEM newParentHandle, HTREEITEM after)
{
    COXTreeItem* item = Resolve(handle);
    COXTreeItem* newParent = Resolve(newParentHandle ? newParentHandle : TVI_ROOT);
    if (!item || !newParent || item->IsHiddenRoot())
        return FALSE;
    if (after == handle)
        return TRUE; // onto itself: nothing moves
    if (newParent == item || newParent->IsDescendantOf(item))
        return FALSE;
    COXTreeSelectionKeeper keep(*this);
    LockRedraw();
    const bool wasHidden = item->IsHidden();
    HideItem(handle, TRUE);
    COXTreeItem* oldParent = item->GetParent();
    item->Unlink();
    // A parent left without children loses its button, as when its last child is deleted.
    if (oldParent != newParent && oldParent->CountChildren() == 0 &&
        oldParent->m_tvi.cChildren == 1)
    {
        oldParent->m_tvi.cChildren = 0;
        oldParent->ResetExpansion();
    }
    HTREEITEM position = after == TVI_LAST ? nullptr : after;
    if (after == TVI_SORT)
        position = newParent->FindSortedPosition(item->GetText(), true);
    newParent->Link(item, position, OXTREE_INSERT_AFTER);
    if (newParent->m_tvi.cChildren == 0)
        newParent->m_tvi.cChildren = 1;
    // A hidden item stays hidden where it goes.
    if (!wasHidden)
        HideItem(handle, FALSE);
    UnlockRedraw();
    if (!oldParent->IsHiddenRoot())
        RedrawRow(oldParent);
    return TRUE;
}

BOOL COXTreeCtrl::CopyItem(HTREEITEM handle, HTREEITEM newParentHandle, HTREEITEM after,
                           BOOL recursive, HTREEITEM* newItem)
{
    const COXTreeItem* item = Resolve(handle);
    COXTreeItem* newParent = Resolve(newParentHandle ? newParentHandle : TVI_ROOT);
    if (!item || !newParent || item->IsHiddenRoot())
        return FALSE;
    if (recursive && (newParent == item || newParent->IsDescendantOf(item)))
        return FALSE;
    HTREEITEM position = after == TVI_LAST ? nullptr : after;
    if (after == TVI_SORT)
        position = newParent->FindSortedPosition(item->GetText(), true);
    COXTreeItem* copy = COXTreeItem::CopySubtree(newParent, item, position, recursive != FALSE);
    if (newItem)
        *newItem = copy->GetHandle();
    m_itemCount += static_cast<UINT>(1 + copy->CountDescendants());
    if (newParent->m_tvi.cChildren == 0)
        newParent->m_tvi.cChildren = 1;
    LockRedraw();
    InsertItemRows(copy);
    UnlockRedraw();
    return TRUE;
}

BOOL COXTreeCtrl::EnsureVisible(HTREEITEM handle)
{
    COXTreeItem* item = Resolve(handle);
    if (!item || item->IsHiddenRoot())
        return FALSE;
    if (!item->IsShown())
    {
        HideItem(handle, FALSE);
        std::vector<COXTreeItem*> collapsed;
        for (COXTreeItem* a = item->GetParent(); a && !a->IsHiddenRoot(); a = a->GetParent())
        {
            if (a->IsShown() && a->IsExpanded())
                break;
            HideItem(a->GetHandle(), FALSE);
            if (!a->IsExpanded())
                collapsed.push_back(a);
        }
        for (auto a = collapsed.rbegin(); a != collapsed.rend(); ++a)
            Expand((*a)->GetHandle(), TVE_EXPAND);
    }
    const int row = RowOf(item);
    return row >= 0 && ListView_EnsureVisible(m_hWnd, row, FALSE);
}

BOOL COXTreeCtrl::SortByColumn(HTREEITEM handle, int column, BOOL ascending, PFNTVCOMPARE compare,
                               LPARAM data)
{
    COXTreeItem* item = Resolve(handle ? handle : TVI_ROOT);
    if (!item)
        return FALSE;
    if (m_header.GetSafeHwnd())
        m_header.SetSortMark(column, ascending ? 1 : -1);
    WaitCursor wait;
    COXTreeSelectionKeeper keep(*this);
    LockRedraw();
    const bool hasRows = item->IsHiddenRoot() || RowOf(item) >= 0;
    const bool expanded = item->IsExpanded() && hasRows;
    if (expanded)
        HideChildRows(item);
    item->SortChildren(column, !item->IsHiddenRoot(), ascending != FALSE, compare, data);
    if (expanded)
        ShowChildRows(item);
    UnlockRedraw();
    return TRUE;
}

BOOL COXTreeCtrl::SortChildrenCB(LPTVSORTCB sort, int column)
{
    if (!sort)
        return FALSE;
    return SortByColumn(sort->hParent, column, TRUE, sort->lpfnCompare, sort->lParam);
}
