// The tree control's cell editing (which cell a click edits, starting the editor of its edit
// mode, taking the edited text), the list's text queries and the item-tip answer.
#include "widgets/controls/OXTreeCtrl.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr int kTextMargin = 2;
constexpr int kMinTextArea = 6;
constexpr int kEditorDropRows = 6;

int Alignment(int format)
{
    return format == LVCFMT_RIGHT ? 2 : format == LVCFMT_CENTER ? 1 : 0;
}
} // namespace

CRect COXTreeCtrl::GetCellRect(const COXTreeItem* item, int row, int column) const
{
    const RowLayout layout = GetRowLayout(item, row);
    const int columns = GetColumnCount();
    std::vector<int> order(static_cast<std::size_t>(std::max(columns, 0)));
    for (int i = 0; i < columns; ++i)
        order[static_cast<std::size_t>(i)] = i;
    if (columns > 0)
        ListView_GetColumnOrderArray(m_hWnd, columns, order.data());
    int x = layout.row.left;
    for (int shown : order)
    {
        const int width = GetColumnWidth(shown);
        if (shown == column)
            return CRect(x, layout.row.top, x + width, layout.row.bottom);
        x += width;
    }
    return CRect();
}

int COXTreeCtrl::EditableColumnAt(const COXTreeItem* item, int row, CPoint point,
                                  CRect* textArea) const
{
    const int columns = GetColumnCount();
    int column = -1;
    CRect cell;
    for (int candidate = 0; candidate < columns && column < 0; ++candidate)
    {
        cell = GetCellRect(item, row, candidate);
        if (point.x >= cell.left && point.x < cell.right)
            column = candidate;
    }
    if (column < 0 || (column > 0 && !item->GetCell(column)))
        return -1;
    CRect area;
    if (column == 0)
    {
        area = GetRowLayout(item, row).label;
    }
    else
    {
        int left = cell.left;
        if (item->GetColumnImage(column) >= 0)
            left += ImageWidth(ListView_GetImageList(m_hWnd, LVSIL_SMALL));
        const int width =
            std::min(static_cast<int>(TextExtent(item, column, item->GetColumnText(column)).cx),
                     std::max(static_cast<int>(cell.right) - left, 0));
        const int format = ColumnFormat(column);
        if (format == LVCFMT_RIGHT)
            left = std::max(left, static_cast<int>(cell.right) - width);
        else if (format == LVCFMT_CENTER)
            left += std::max((static_cast<int>(cell.right) - left - width) / 2, 0);
        area = CRect(left, cell.top, left + width, cell.bottom);
    }
    if (textArea)
        *textArea = area;
    CRect test = area;
    if (test.Width() < kMinTextArea)
        test.InflateRect(4, 4);
    return test.PtInRect(point) ? column : -1;
}

void COXTreeCtrl::OnBeginLabelEdit(NMHDR* header, LRESULT* result)
{
    *result = BeginLabelEdit(reinterpret_cast<const NMLVDISPINFOA*>(header));
}

BOOL COXTreeCtrl::BeginLabelEdit(const NMLVDISPINFOA* info)
{
    if (m_activeEditor && ::IsWindow(m_activeEditor))
        return TRUE; // one editor at a time
    const int row = info->item.iItem;
    COXTreeItem* item = GetItemFromRow(row);
    if (!item || item->IsDisabled())
        return TRUE;
    CRect area;
    const int column = EditableColumnAt(item, row, m_lastClick, &area);
    if (column < 0 || item->GetEditMode(column) == OXTREE_EDIT_NONE)
        return TRUE;
    m_editColumn = column;
    LRESULT result = 0;
    SetupInPlaceEditor(ListView_GetEditControl(m_hWnd), item->GetHandle(), area, column, &result);
    return result != 0;
}

void COXTreeCtrl::SetupInPlaceEditor(HWND listEdit, HTREEITEM handle, const RECT& textArea,
                                     int column, LRESULT* result)
{
    COXTreeItem* item = Resolve(handle);
    const int row = RowOf(item);
    *result = 1;
    if (!item || row < 0)
        return;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const CString text = GetItemText(handle, column);
    const UINT mode = item->GetEditMode(column);
    if (mode == OXTREE_EDIT_PLAIN)
    {
        const int alignment = Alignment(ColumnFormat(column));
        CPoint anchor(alignment == 2   ? textArea.right
                      : alignment == 1 ? (textArea.left + textArea.right) / 2
                                       : textArea.left,
                      textArea.top);
        int scroll = 0;
        if (anchor.x < 0)
            scroll = anchor.x;
        else if (anchor.x > client.right)
            scroll = anchor.x - client.right;
        if (scroll)
        {
            ListView_Scroll(m_hWnd, scroll, 0);
            anchor.x -= scroll;
        }
        if (!listEdit ||
            !m_edit.Start(listEdit, anchor, alignment, CSize(client.right, client.bottom), text))
            return;
        m_activeEditor = listEdit;
        *result = 0;
        return;
    }
    // The choice list and the date editor cover the whole cell.
    CRect cell = GetCellRect(item, row, column);
    if (item->GetImage(column, false) >= 0 && ListView_GetImageList(m_hWnd, LVSIL_SMALL))
        cell.left += ImageWidth(ListView_GetImageList(m_hWnd, LVSIL_SMALL));
    if (cell.right > client.right)
    {
        const int scroll = cell.right - client.right;
        ListView_Scroll(m_hWnd, scroll, 0);
        cell.OffsetRect(-scroll, 0);
    }
    const CStringArray* choices = item->GetChoices(column);
    if (mode == OXTREE_EDIT_CHOICE)
    {
        const CStringArray none;
        if (m_comboEditor.Start(this, cell, kEditorDropRows * cell.Height(),
                                choices ? *choices : none, text, row, column))
            m_activeEditor = m_comboEditor.GetSafeHwnd();
    }
    else if (mode == OXTREE_EDIT_DATE)
    {
        if (m_dateEditor.Start(this, cell, text, choices, row, column))
            m_activeEditor = m_dateEditor.GetSafeHwnd();
    }
}

HWND COXTreeCtrl::EditLabel(HTREEITEM handle, int column)
{
    const COXTreeItem* item = Resolve(handle);
    const int row = RowOf(item);
    if (!(m_treeStyle & TVS_EDITLABELS) || row < 0)
        return nullptr;
    CRect area;
    if (column == 0)
    {
        area = GetRowLayout(item, row).label;
    }
    else
    {
        const CRect cell = GetCellRect(item, row, column);
        EditableColumnAt(item, row, cell.CenterPoint(), &area);
    }
    m_lastClick = CPoint((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    ::SetFocus(m_hWnd);
    return ListView_EditLabel(m_hWnd, row);
}

BOOL COXTreeCtrl::OnEndLabelEdit(NMHDR* header, LRESULT*)
{
    const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(header);
    const int column = m_editColumn;
    m_editColumn = -1;
    m_activeEditor = nullptr;
    if (info->item.pszText && info->item.iItem != -1 && column >= 0)
    {
        if (COXTreeItem* item = GetItemFromRow(info->item.iItem))
            SetItemText(item->GetHandle(), info->item.pszText, column);
    }
    return FALSE; // the parent sees the end of the edit too
}

void COXTreeCtrl::OnGetDispInfo(NMHDR* header, LRESULT*)
{
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    const COXTreeItem* item = GetItemFromRow(info->item.iItem);
    if (!item)
        return;
    if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0)
    {
        const CString text = info->item.iSubItem == 0 ? GetItemText(item->GetHandle(), 0)
                                                      : item->GetColumnText(info->item.iSubItem);
        ::lstrcpynA(info->item.pszText, text, info->item.cchTextMax);
    }
}

LRESULT COXTreeCtrl::OnItemTipQuery(WPARAM, LPARAM lParam)
{
    if (lParam)
        GetItemTipInfo(reinterpret_cast<OXItemTipInfo*>(lParam));
    return 0;
}

void COXTreeCtrl::GetItemTipInfo(OXItemTipInfo* info)
{
    if (info->result == OXITEMTIP_UNHANDLED || info->result == OXITEMTIP_NOCELL)
        return;
    LVHITTESTINFO hit = {};
    hit.pt = info->point;
    const int row = ListView_HitTest(m_hWnd, &hit);
    const COXTreeItem* item = GetItemFromRow(row);
    if (!item)
    {
        info->result = OXITEMTIP_NOCELL;
        return;
    }
    int column = -1;
    CRect cell;
    for (int candidate = 0; candidate < GetColumnCount() && column < 0; ++candidate)
    {
        cell = GetCellRect(item, row, candidate);
        if (cell.Width() < 0)
            break;
        if (info->point.x >= cell.left && info->point.x < cell.right)
            column = candidate;
    }
    if (column < 0)
    {
        info->result = OXITEMTIP_NOCELL;
        return;
    }
    if (column > 0 && !item->GetCell(column))
    {
        info->result = OXITEMTIP_NOSUBITEM;
        return;
    }
    const HIMAGELIST images = ListView_GetImageList(m_hWnd, LVSIL_SMALL);
    int textStart = cell.left;
    if (column == 0)
    {
        const RowLayout layout = GetRowLayout(item, row);
        textStart = layout.indentEnd + (HasStateImage(item) ? layout.stateImage.Width() : 0) +
                    ImageWidth(images);
    }
    else if (item->GetColumnImage(column) >= 0)
    {
        textStart += ImageWidth(images);
    }
    if (info->point.x < textStart)
    {
        info->result = OXITEMTIP_NOTOVERTEXT;
        return;
    }
    info->row = row;
    info->column = column;
    info->textColor = item->IsDisabled()       ? ::GetSysColor(COLOR_BTNSHADOW)
                      : item->HasColor(column) ? item->GetColor(column)
                                               : ListView_GetTextColor(m_hWnd);
    info->backColor = COXItemTipWnd::kDefaultColor;
    const CString text =
        column == 0 ? GetItemText(item->GetHandle(), 0) : item->GetColumnText(column);
    if (text.IsEmpty())
    {
        info->result = OXITEMTIP_NOTHING;
        return;
    }
    COXItemTip::SetInfoText(info, text);
    info->font = FontFor(item, column);
    const int width = TextExtent(item, column, info->text).cx;
    const int format = ColumnFormat(column);
    int textLeft = textStart + kTextMargin;
    info->alignment = Alignment(format);
    if (format == LVCFMT_RIGHT)
        textLeft = cell.right - kTextMargin - width;
    else if (format == LVCFMT_CENTER)
        textLeft = textStart + (cell.right - textStart - width) / 2;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const bool fits = width <= (cell.right - kTextMargin) - (textStart + kTextMargin);
    if (fits && textLeft >= client.left && textLeft + width <= client.right)
    {
        info->result = OXITEMTIP_NOTHING;
        return;
    }
    const int right = std::max(static_cast<int>(cell.right), textLeft + width) + kTextMargin;
    info->rect = {textStart, cell.top, right, cell.bottom};
    info->offset = kTextMargin;
    info->result = OXITEMTIP_SHOW;
}
