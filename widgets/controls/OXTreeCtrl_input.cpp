// The tree control's mouse and keyboard: expanding by the buttons, clicks that select and
// remember the cell for editing, focus repaints and the type-ahead search.
#include "widgets/controls/OXTreeCtrl.h"

bool COXTreeCtrl::IsOnItemParts(UINT flags) const
{
    return (flags &
            (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMSTATEICON | TVHT_ONITEMBUTTON)) != 0;
}

void COXTreeCtrl::OnLButtonDown(UINT, CPoint point)
{
    ::SetFocus(m_hWnd);
    m_lastClick = point;
    UINT flags = 0;
    const HTREEITEM handle = HitTest(point, &flags);
    COXTreeItem* item = Resolve(handle);
    if (!item)
    {
        if (m_exStyle & OXTREE_EX_MULTISEL)
            Default();
        m_lastClickedRow = -1;
        return;
    }
    m_clickToggle ^= 1;
    if ((flags & TVHT_ONITEMBUTTON) && item->HasChildren())
    {
        Expand(handle, TVE_TOGGLE);
        return;
    }
    Default();
    // The list may have scrolled or the item gone while it handled the click.
    const int row = RowOf(item);
    m_lastClickedRow = row;
    m_lastClickedColumn = row >= 0 ? EditableColumnAt(item, row, point, nullptr) : -1;
}

void COXTreeCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    m_clickToggle = 0;
    UINT flags = 0;
    const HTREEITEM handle = HitTest(point, &flags);
    if (!handle || (!(m_exStyle & OXTREE_EX_ROWACTS) && !IsOnItemParts(flags)))
        return;
    Expand(handle, TVE_TOGGLE);
    Default();
}

void COXTreeCtrl::OnRButtonDown(UINT, CPoint point)
{
    UINT flags = 0;
    if (HitTest(point, &flags) && ((m_exStyle & OXTREE_EX_ROWACTS) || IsOnItemParts(flags)))
        Default();
}

void COXTreeCtrl::OnMButtonDown(UINT, CPoint point)
{
    UINT flags = 0;
    if (HitTest(point, &flags) && ((m_exStyle & OXTREE_EX_ROWACTS) || IsOnItemParts(flags)))
        Default();
}

LRESULT COXTreeCtrl::OnScroll(WPARAM, LPARAM)
{
    ::SetFocus(m_hWnd);
    return Default();
}

BOOL COXTreeCtrl::OnSetFocusNotify(NMHDR*, LRESULT*)
{
    RedrawSelectedRows(); // selected rows change colour with the focus
    return FALSE;         // the parent sees it too
}

BOOL COXTreeCtrl::OnKillFocusNotify(NMHDR*, LRESULT*)
{
    RedrawSelectedRows();
    return FALSE;
}

void COXTreeCtrl::RedrawSelectedRows()
{
    for (int row = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_hWnd, row, LVNI_SELECTED))
        ListView_RedrawItems(m_hWnd, row, row);
}

void COXTreeCtrl::OnChar(UINT ch, UINT, UINT)
{
    // Letters and digits only: arrows and function keys never reach the search.
    const bool withModifier = ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0;
    if (withModifier || ch > 0xFF || !::IsCharAlphaNumericA(static_cast<CHAR>(ch)) ||
        ListView_GetItemCount(m_hWnd) < 2)
    {
        Default();
        return;
    }
    TypeAhead(static_cast<char>(ch));
}

void COXTreeCtrl::TypeAhead(char ch)
{
    if (m_typeAheadTimer)
        KillTimer(m_typeAheadTimer);
    m_typeAheadTimer = 0;
    m_typeAhead += ch;
    m_typeAhead.MakeUpper();

    const int rows = ListView_GetItemCount(m_hWnd);
    const int focused = ListView_GetNextItem(m_hWnd, -1, LVNI_FOCUSED);
    // A longer search may still match the focused row; a first letter moves on from it.
    int start = m_typeAhead.GetLength() > 1 ? focused : focused + 1;
    if (start < 0 || start >= rows)
        start = 0;
    for (int i = 0; i < rows; ++i)
    {
        const int row = (start + i) % rows;
        const COXTreeItem* item = GetItemFromRow(row);
        if (!item)
            continue;
        CString text = GetItemText(item->GetHandle(), 0);
        text.MakeUpper();
        if (text.Left(m_typeAhead.GetLength()) == m_typeAhead)
        {
            Select(nullptr, TVGN_CARET);
            Select(item->GetHandle(), TVGN_CARET);
            EnsureVisible(item->GetHandle());
            break;
        }
    }
    m_typeAheadTimer = SetTimer(kTypeAheadTimerId, kTypeAheadMs);
}

void COXTreeCtrl::OnTimer(UINT_PTR id)
{
    if (id != kTypeAheadTimerId)
    {
        Default(); // the list's own timers
        return;
    }
    KillTimer(id);
    m_typeAheadTimer = 0;
    m_typeAhead.Empty();
}
