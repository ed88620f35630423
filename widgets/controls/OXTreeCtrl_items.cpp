// The tree control's item records, attributes, navigation, selection and hit testing, and the
// TVN_ notifications to the parent.
#include "widgets/controls/OXTreeCtrl.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr UINT kFocusedState = 1; // the tree's focused bit, which commctrl.h does not name
constexpr UINT kRowStateBits =
    TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK | TVIS_SELECTED | TVIS_CUT | TVIS_DROPHILITED;

// Copies at most size - 1 bytes, never splitting a double-byte character.
void CopyText(char* target, int size, const char* source)
{
    if (!target || size <= 0)
        return;
    int length = 0;
    while (source[length] && length < size - 1)
    {
        if (fw::IsLeadByte(static_cast<unsigned char>(source[length])))
        {
            if (length + 2 > size - 1 || !source[length + 1])
                break;
            length += 2;
        }
        else
        {
            ++length;
        }
    }
    std::memcpy(target, source, static_cast<std::size_t>(length));
    target[length] = '\0';
}
} // namespace

LRESULT COXTreeCtrl::Notify(UINT code, NMHDR* header) const
{
    header->hwndFrom = m_hWnd;
    header->idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    header->code = code;
    const HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!parent)
        return 0;
    return ::SendMessageA(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void COXTreeCtrl::FillNotifyItem(TVITEMA& record, COXTreeItem* item) const
{
    record = item->m_tvi;
    record.mask |= TVIF_HANDLE;
    record.hItem = item->GetHandle();
}

LRESULT COXTreeCtrl::NotifyTree(UINT code, UINT action, COXTreeItem* newItem,
                                COXTreeItem* oldItem) const
{
    NMTREEVIEWA notify = {};
    notify.action = action;
    if (newItem)
        FillNotifyItem(notify.itemNew, newItem);
    if (oldItem)
        FillNotifyItem(notify.itemOld, oldItem);
    return Notify(code, &notify.hdr);
}

BOOL COXTreeCtrl::GetItem(TVITEMA* record) const
{
    COXTreeItem* item = record ? Resolve(record->hItem) : nullptr;
    if (!item)
        return FALSE;
    const TVITEMA& own = item->m_tvi;
    UINT callbacks = 0;
    if (record->mask & TVIF_TEXT)
    {
        if (item->HasCallbackText())
            callbacks |= TVIF_TEXT;
        else
            CopyText(record->pszText, record->cchTextMax, own.pszText ? own.pszText : "");
    }
    if (record->mask & TVIF_IMAGE)
    {
        record->iImage = own.iImage;
        if (own.iImage == I_IMAGECALLBACK)
            callbacks |= TVIF_IMAGE;
    }
    if (record->mask & TVIF_PARAM)
        record->lParam = own.lParam;
    if (record->mask & TVIF_SELECTEDIMAGE)
    {
        record->iSelectedImage = own.iSelectedImage;
        if (own.iSelectedImage == I_IMAGECALLBACK)
            callbacks |= TVIF_SELECTEDIMAGE;
    }
    if (record->mask & TVIF_CHILDREN)
        record->cChildren = own.cChildren;
    if (record->mask & TVIF_STATE)
    {
        UINT state =
            own.state & ~(kFocusedState | TVIS_SELECTED | TVIS_EXPANDED | TVIS_EXPANDEDONCE);
        const int row = RowOf(item);
        if (row >= 0)
        {
            const UINT rowState = ListView_GetItemState(m_hWnd, row, LVIS_SELECTED | LVIS_FOCUSED);
            if (rowState & LVIS_SELECTED)
                state |= TVIS_SELECTED;
            if (rowState & LVIS_FOCUSED)
                state |= kFocusedState;
        }
        if (item->IsExpanded())
            state |= TVIS_EXPANDED;
        if (item->IsExpandedOnce())
            state |= TVIS_EXPANDEDONCE;
        record->state = state & record->stateMask;
    }
    if (!callbacks)
        return TRUE;

    NMTVDISPINFOA info = {};
    info.item = *record;
    info.item.mask = callbacks;
    info.item.hItem = item->GetHandle();
    info.item.lParam = own.lParam;
    Notify(TVN_GETDISPINFOA, &info.hdr);
    if ((callbacks & TVIF_TEXT) && info.item.pszText && info.item.pszText != record->pszText)
        CopyText(record->pszText, record->cchTextMax, info.item.pszText);
    if (callbacks & TVIF_IMAGE)
        record->iImage = info.item.iImage;
    if (callbacks & TVIF_SELECTEDIMAGE)
        record->iSelectedImage = info.item.iSelectedImage;
    return TRUE;
}

BOOL COXTreeCtrl::SetItem(TVITEMA* record)
{
    COXTreeItem* item = record ? Resolve(record->hItem) : nullptr;
    if (!item)
        return FALSE;
    ApplyRecord(item, *record);
    const int row = RowOf(item);
    if (row < 0)
        return TRUE;
    if (!UpdateRow(item, *record, row))
        return FALSE;
    if ((record->mask & TVIF_STATE) && (record->stateMask & TVIS_DROPHILITED) &&
        (record->state & TVIS_DROPHILITED) && item != m_dropHilite)
        SetDropHilite(item);
    return TRUE;
}

void COXTreeCtrl::ApplyRecord(COXTreeItem* item, const TVITEMA& source)
{
    const TVITEMA* record = &source;
    TVITEMA& own = item->m_tvi;
    UINT callbacks = 0;
    if (record->mask & TVIF_IMAGE)
    {
        own.iImage = record->iImage;
        if (record->iImage == I_IMAGECALLBACK)
            callbacks |= TVIF_IMAGE;
    }
    if (record->mask & TVIF_TEXT)
    {
        item->SetText(record->pszText);
        if (record->pszText == LPSTR_TEXTCALLBACKA)
            callbacks |= TVIF_TEXT;
    }
    if (record->mask & TVIF_PARAM)
        own.lParam = record->lParam;
    if (record->mask & TVIF_SELECTEDIMAGE)
    {
        own.iSelectedImage = record->iSelectedImage;
        if (record->iSelectedImage == I_IMAGECALLBACK)
            callbacks |= TVIF_SELECTEDIMAGE;
    }
    if (record->mask & TVIF_CHILDREN)
        own.cChildren = record->cChildren;
    if (record->mask & TVIF_STATE)
        own.state = (own.state & ~record->stateMask) | (record->state & record->stateMask);
    if (callbacks)
    {
        NMTVDISPINFOA info = {};
        info.item = *record;
        info.item.mask = callbacks;
        Notify(TVN_SETDISPINFOA, &info.hdr);
    }
}

BOOL COXTreeCtrl::UpdateRow(COXTreeItem* item, const TVITEMA& record, int row)
{
    BOOL ok = TRUE;
    if (record.mask & TVIF_IMAGE)
    {
        LVITEMA lvi = {};
        lvi.mask = LVIF_IMAGE;
        lvi.iItem = row;
        lvi.iImage = record.iImage;
        ok = ListView_SetItem(m_hWnd, &lvi);
    }
    if (record.mask & TVIF_STATE)
    {
        // The tree's selection, cut, drop and image bits have the list's values.
        const UINT mask = record.stateMask & kRowStateBits;
        if (mask)
        {
            LVITEMA lvi = {};
            lvi.stateMask = mask;
            lvi.state = record.state & mask;
            ok = ok && ::SendMessageA(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                                      reinterpret_cast<LPARAM>(&lvi));
        }
        if (record.stateMask & TVIS_EXPANDED)
            Expand(item->GetHandle(), (record.state & TVIS_EXPANDED) ? TVE_EXPAND : TVE_COLLAPSE);
    }
    if (record.mask & (TVIF_TEXT | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE))
        RedrawRow(item);
    return ok;
}

void COXTreeCtrl::SetDropHilite(COXTreeItem* item)
{
    if (m_dropHilite && m_dropHilite != item)
    {
        COXTreeItem* previous = m_dropHilite;
        m_dropHilite = nullptr;
        SetItemState(previous->GetHandle(), 0, TVIS_DROPHILITED);
    }
    m_dropHilite = item;
    ::UpdateWindow(m_hWnd);
}

UINT COXTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    TVITEMA record = {};
    record.mask = TVIF_STATE | TVIF_HANDLE;
    record.hItem = item;
    record.stateMask = mask;
    return GetItem(&record) ? record.state : 0;
}

BOOL COXTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask)
{
    TVITEMA record = {};
    record.mask = TVIF_STATE | TVIF_HANDLE;
    record.hItem = item;
    record.state = state;
    record.stateMask = mask;
    return SetItem(&record);
}

DWORD_PTR COXTreeCtrl::GetItemData(HTREEITEM handle) const
{
    const COXTreeItem* item = Resolve(handle);
    return item ? static_cast<DWORD_PTR>(item->m_tvi.lParam) : 0;
}

BOOL COXTreeCtrl::SetItemData(HTREEITEM handle, DWORD_PTR data)
{
    COXTreeItem* item = Resolve(handle);
    if (!item)
        return FALSE;
    item->m_tvi.lParam = static_cast<LPARAM>(data);
    return TRUE;
}

CString COXTreeCtrl::GetItemText(HTREEITEM handle, int column) const
{
    const COXTreeItem* item = Resolve(handle);
    if (!item)
        return CString();
    if (column != 0)
        return item->GetColumnText(column);
    char text[300] = {};
    TVITEMA record = {};
    record.mask = TVIF_TEXT | TVIF_HANDLE;
    record.hItem = handle;
    record.pszText = text;
    record.cchTextMax = sizeof text;
    GetItem(&record);
    return text;
}

BOOL COXTreeCtrl::SetItemText(HTREEITEM handle, const char* text, int column)
{
    if (column == 0)
    {
        TVITEMA record = {};
        record.mask = TVIF_TEXT | TVIF_HANDLE;
        record.hItem = handle;
        record.pszText = const_cast<char*>(text);
        return SetItem(&record);
    }
    return SetSubItem(handle, column, OXTREE_CELL_TEXT, text);
}

BOOL COXTreeCtrl::GetItemImage(HTREEITEM handle, int& image, int& selectedImage, int column) const
{
    const COXTreeItem* item = Resolve(handle);
    if (!item)
        return FALSE;
    if (column != 0)
    {
        image = item->GetColumnImage(column);
        selectedImage = 0;
        return image >= 0;
    }
    TVITEMA record = {};
    record.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    record.hItem = handle;
    if (!GetItem(&record))
        return FALSE;
    image = record.iImage;
    selectedImage = record.iSelectedImage;
    return TRUE;
}

BOOL COXTreeCtrl::SetItemImage(HTREEITEM handle, int image, int selectedImage, int column)
{
    if (column != 0)
        return SetSubItem(handle, column, OXTREE_CELL_IMAGE, nullptr, image);
    TVITEMA record = {};
    record.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    record.hItem = handle;
    record.iImage = image;
    record.iSelectedImage = selectedImage;
    return SetItem(&record);
}

BOOL COXTreeCtrl::SetSubItem(HTREEITEM handle, int column, UINT mask, const char* text, int image,
                             CFont* font, COLORREF color)
{
    COXTreeItem* item = Resolve(handle);
    if (!item || item->IsHiddenRoot() || !item->SetCell(column, mask, text, image, font, color))
        return FALSE;
    const int row = RowOf(item);
    if (row >= 0)
    {
        ListView_SetItemText(m_hWnd, row, column, LPSTR_TEXTCALLBACKA);
        ListView_RedrawItems(m_hWnd, row, row);
    }
    return TRUE;
}

BOOL COXTreeCtrl::SetItemColor(HTREEITEM handle, COLORREF color, int column)
{
    COXTreeItem* item = Resolve(handle);
    if (!item || !item->SetColor(color, column))
        return FALSE;
    RedrawRow(item);
    return TRUE;
}

COLORREF COXTreeCtrl::GetItemColor(HTREEITEM handle, int column) const
{
    const COXTreeItem* item = Resolve(handle);
    if (!item || !item->HasColor(column))
        return ::GetSysColor(COLOR_BTNTEXT);
    return item->GetColor(column);
}

BOOL COXTreeCtrl::SetItemFont(HTREEITEM handle, CFont* font, int column)
{
    COXTreeItem* item = Resolve(handle);
    if (!item || !item->SetFont(column, font))
        return FALSE;
    RedrawRow(item);
    return TRUE;
}

CFont* COXTreeCtrl::GetItemFont(HTREEITEM handle, int column) const
{
    const COXTreeItem* item = Resolve(handle);
    return item ? item->GetFont(column) : nullptr;
}

BOOL COXTreeCtrl::SetItemEllipsis(HTREEITEM handle, UINT format, int column)
{
    COXTreeItem* item = Resolve(handle);
    if (!item || !item->SetEllipsis(format, column))
        return FALSE;
    RedrawRow(item);
    return TRUE;
}

UINT COXTreeCtrl::GetItemEllipsis(HTREEITEM handle, int column) const
{
    const COXTreeItem* item = Resolve(handle);
    return item ? item->GetEllipsis(column) : DT_END_ELLIPSIS;
}

BOOL COXTreeCtrl::IsItemHidden(HTREEITEM handle) const
{
    const COXTreeItem* item = Resolve(handle);
    return item && item->IsHidden();
}

BOOL COXTreeCtrl::DisableItem(HTREEITEM handle, BOOL disable)
{
    COXTreeItem* item = Resolve(handle);
    if (!item || item->IsHiddenRoot())
        return FALSE;
    item->SetDisabled(disable != FALSE);
    RedrawRow(item);
    return TRUE;
}

BOOL COXTreeCtrl::IsItemDisabled(HTREEITEM handle) const
{
    const COXTreeItem* item = Resolve(handle);
    return item && item->IsDisabled();
}

BOOL COXTreeCtrl::SetEditMode(HTREEITEM handle, UINT mode, const CStringArray* choices, int column)
{
    COXTreeItem* item = Resolve(handle);
    return item && !item->IsHiddenRoot() && item->SetEditMode(mode, choices, column);
}

BOOL COXTreeCtrl::SetPlainEdit(HTREEITEM item, int column)
{
    return SetEditMode(item, OXTREE_EDIT_PLAIN, nullptr, column);
}

BOOL COXTreeCtrl::SetNoEdit(HTREEITEM item, int column)
{
    return SetEditMode(item, OXTREE_EDIT_NONE, nullptr, column);
}

BOOL COXTreeCtrl::SetChoices(HTREEITEM handle, const CStringArray& choices, int column)
{
    COXTreeItem* item = Resolve(handle);
    return item && !item->IsHiddenRoot() && item->SetChoices(choices, column);
}

const CStringArray* COXTreeCtrl::GetChoices(HTREEITEM handle, int column) const
{
    const COXTreeItem* item = Resolve(handle);
    return item ? item->GetChoices(column) : nullptr;
}

HTREEITEM COXTreeCtrl::GetNextItem(HTREEITEM handle, UINT code) const
{
    const COXTreeItem* item = Resolve(handle);
    if (!item)
        return nullptr;
    const auto handleOf = [](const COXTreeItem* found)
    { return found ? found->GetHandle() : nullptr; };
    const auto rowItem = [this](int row) { return GetItemFromRow(row); };
    switch (code)
    {
    case TVGN_ROOT:
        return item->GetParent() ? handleOf(item->GetParent()->GetFirstChild()) : nullptr;
    case TVGN_NEXT: return handleOf(item->GetNextSibling());
    case TVGN_PREVIOUS: return handleOf(item->GetPrevSibling());
    case TVGN_PARENT: return handleOf(item->GetParent());
    case TVGN_CHILD: return handleOf(item->GetFirstChild());
    case TVGN_FIRSTVISIBLE: return handleOf(rowItem(ListView_GetTopIndex(m_hWnd)));
    case TVGN_NEXTVISIBLE:
        if (item->IsHiddenRoot() || item->IsShown())
            return handleOf(rowItem(RowOf(item) + 1));
        for (const COXTreeItem* next = item->GetNextInOrder(); next; next = next->GetNextInOrder())
        {
            if (next->IsShown())
                return next->GetHandle();
        }
        return nullptr;
    case TVGN_PREVIOUSVISIBLE:
    {
        const int row = FindPrevRow(item);
        return row >= 0 ? handleOf(rowItem(row)) : nullptr;
    }
    case TVGN_DROPHILITE:
        return handleOf(rowItem(ListView_GetNextItem(m_hWnd, RowOf(item), LVNI_DROPHILITED)));
    case TVGN_CARET:
    {
        const int row = ListView_GetNextItem(m_hWnd, -1, LVNI_FOCUSED);
        if (row < 0 || !(ListView_GetItemState(m_hWnd, row, LVIS_SELECTED) & LVIS_SELECTED))
            return nullptr;
        return handleOf(rowItem(row));
    }
    case OXTREE_GN_FIRSTSELECTED:
        return handleOf(rowItem(ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED)));
    case OXTREE_GN_NEXTSELECTED:
        return handleOf(rowItem(ListView_GetNextItem(m_hWnd, RowOf(item), LVNI_SELECTED)));
    default: return nullptr;
    }
}

HTREEITEM COXTreeCtrl::GetChildItem(HTREEITEM item) const
{
    return GetNextItem(item, TVGN_CHILD);
}

HTREEITEM COXTreeCtrl::GetNextVisibleItem(HTREEITEM item, BOOL onlyInClientArea) const
{
    const HTREEITEM next = GetNextItem(item, TVGN_NEXTVISIBLE);
    return !onlyInClientArea || IsRowInClientArea(next) ? next : nullptr;
}

HTREEITEM COXTreeCtrl::GetPrevVisibleItem(HTREEITEM item, BOOL onlyInClientArea) const
{
    const HTREEITEM previous = GetNextItem(item, TVGN_PREVIOUSVISIBLE);
    return !onlyInClientArea || IsRowInClientArea(previous) ? previous : nullptr;
}

bool COXTreeCtrl::IsRowInClientArea(HTREEITEM item) const
{
    RECT row = {};
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    return item && GetItemRect(item, &row, FALSE) && row.bottom > client.top &&
           row.top < client.bottom;
}

HTREEITEM COXTreeCtrl::GetFirstHiddenItem() const
{
    return GetNextHiddenItem(TVI_ROOT);
}

HTREEITEM COXTreeCtrl::GetNextHiddenItem(HTREEITEM handle) const
{
    const COXTreeItem* item = Resolve(handle);
    if (!item)
        return nullptr;
    for (const COXTreeItem* next = item->GetNextInOrder(); next; next = next->GetNextInOrder())
    {
        if (next->IsHidden())
            return next->GetHandle();
    }
    return nullptr;
}

BOOL COXTreeCtrl::ItemHasChildren(HTREEITEM handle) const
{
    const COXTreeItem* item = Resolve(handle);
    return item && item->HasChildren();
}

BOOL COXTreeCtrl::IsDescendant(HTREEITEM ancestor, HTREEITEM handle) const
{
    const COXTreeItem* item = Resolve(handle);
    const COXTreeItem* above = Resolve(ancestor);
    return item && above && item->IsDescendantOf(above);
}

UINT COXTreeCtrl::GetVisibleCount() const
{
    return static_cast<UINT>(ListView_GetItemCount(m_hWnd));
}

BOOL COXTreeCtrl::Select(HTREEITEM handle, UINT code)
{
    if (code == TVGN_FIRSTVISIBLE)
        return FALSE;
    if (!handle || handle == TVI_ROOT)
    {
        if (code == TVGN_DROPHILITE && m_dropHilite)
        {
            COXTreeItem* previous = m_dropHilite;
            m_dropHilite = nullptr;
            SetItemState(previous->GetHandle(), 0, TVIS_DROPHILITED);
            ::UpdateWindow(m_hWnd);
        }
        if (handle == TVI_ROOT)
            return FALSE;
        if (code == TVGN_CARET && (m_exStyle & OXTREE_EX_CLEARONNULLCARET))
        {
            for (int row = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); row >= 0;
                 row = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED))
                ListView_SetItemState(m_hWnd, row, 0, LVIS_SELECTED);
        }
        return TRUE;
    }
    if (code == TVGN_DROPHILITE)
        return SetItemState(handle, TVIS_DROPHILITED, TVIS_DROPHILITED);
    if (code != TVGN_CARET)
        return FALSE;
    const BOOL selected = SetItemState(handle, TVIS_SELECTED, TVIS_SELECTED);
    const int row = RowOf(Resolve(handle));
    if (row < 0)
        return FALSE;
    ListView_SetItemState(m_hWnd, row, LVIS_FOCUSED, LVIS_FOCUSED);
    return selected && (ListView_GetItemState(m_hWnd, row, LVIS_FOCUSED) & LVIS_FOCUSED);
}

BOOL COXTreeCtrl::GetItemRect(HTREEITEM handle, LPRECT rect, BOOL textOnly) const
{
    const COXTreeItem* item = Resolve(handle);
    const int row = RowOf(item);
    if (row < 0 || !rect)
        return FALSE;
    const RowLayout layout = GetRowLayout(item, row);
    *rect = textOnly ? layout.label : layout.row;
    return TRUE;
}

HTREEITEM COXTreeCtrl::HitTest(CPoint point, UINT* flags) const
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row = ListView_HitTest(m_hWnd, &hit);
    UINT result = TVHT_NOWHERE;
    const COXTreeItem* item = GetItemFromRow(row);
    if (item)
    {
        const RowLayout layout = GetRowLayout(item, row);
        if (!layout.row.PtInRect(point))
            result = TVHT_NOWHERE;
        else if (layout.label.PtInRect(point))
            result = TVHT_ONITEMLABEL;
        else if (layout.image.PtInRect(point))
            result = TVHT_ONITEMICON;
        else if (layout.stateImage.PtInRect(point))
            result = TVHT_ONITEMSTATEICON;
        else if (layout.button.PtInRect(point))
            result = TVHT_ONITEMBUTTON;
        else
            result = TVHT_TORIGHT;
    }
    else
    {
        if (hit.flags & LVHT_ABOVE)
            result = TVHT_ABOVE;
        else if (hit.flags & LVHT_BELOW)
            result = TVHT_BELOW;
        else if (hit.flags & LVHT_TOLEFT)
            result = TVHT_TOLEFT;
        else if (hit.flags & LVHT_TORIGHT)
            result = TVHT_TORIGHT;
    }
    if (flags)
        *flags = result;
    return item && result != TVHT_NOWHERE ? item->GetHandle() : nullptr;
}
