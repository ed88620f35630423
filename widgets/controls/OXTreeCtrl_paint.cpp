// The tree control's rows: their geometry (indentation, button, images, label), painting of
// lines, buttons, images and cell texts, drag images and the width of a column's content.
#include "platform/win/dc.h"
#include "widgets/controls/OXTreeCtrl.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr int kTextMargin = 2;
constexpr int kMinButtonSide = 9;

// Selects a GDI object for one scope.
class Selected
{
public:
    Selected(HDC dc, HGDIOBJ object)
        : m_dc(dc)
        , m_old(object ? ::SelectObject(dc, object) : nullptr)
    {
    }
    ~Selected()
    {
        if (m_old)
            ::SelectObject(m_dc, m_old);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

std::vector<int> ColumnOrder(HWND list, int columns)
{
    std::vector<int> order(static_cast<std::size_t>(std::max(columns, 0)));
    for (int i = 0; i < columns; ++i)
        order[static_cast<std::size_t>(i)] = i;
    if (columns > 0)
        ListView_GetColumnOrderArray(list, columns, order.data());
    return order;
}
} // namespace

int COXTreeCtrl::GetItemIndent(const COXTreeItem* item) const
{
    const int depth = item->GetDepth();
    const bool atRoot =
        (m_treeStyle & TVS_LINESATROOT) && (m_treeStyle & (TVS_HASLINES | TVS_HASBUTTONS));
    return m_indent * (atRoot ? depth : depth - 1);
}

int COXTreeCtrl::ImageWidth(HIMAGELIST list) const
{
    int width = 0;
    int height = 0;
    return list && ImageList_GetIconSize(list, &width, &height) ? width : 0;
}

int COXTreeCtrl::ImageHeight(HIMAGELIST list) const
{
    int width = 0;
    int height = 0;
    return list && ImageList_GetIconSize(list, &width, &height) ? height : 0;
}

bool COXTreeCtrl::HasStateImage(const COXTreeItem* item) const
{
    return ListView_GetImageList(m_hWnd, LVSIL_STATE) &&
           ((item->m_tvi.state & TVIS_STATEIMAGEMASK) >> 12) != 0;
}

int COXTreeCtrl::ColumnFormat(int column) const
{
    LVCOLUMNA lvc = {};
    lvc.mask = LVCF_FMT;
    if (!ListView_GetColumn(m_hWnd, column, &lvc))
        return LVCFMT_LEFT;
    return lvc.fmt & LVCFMT_JUSTIFYMASK;
}

CFont* COXTreeCtrl::FontFor(const COXTreeItem* item, int column) const
{
    if (CFont* own = item->GetFont(column))
        return own;
    CFont* font = GetControlFont();
    if (column != 0 || !(item->m_tvi.state & TVIS_BOLD) || !font)
        return font;
    const auto source = static_cast<HFONT>(font->GetSafeHandle());
    if (source != m_boldSource || !m_boldFont.GetSafeHandle())
    {
        LOGFONTA logFont;
        m_boldFont.DeleteObject();
        if (font->GetLogFont(&logFont))
        {
            logFont.lfWeight = FW_BOLD;
            m_boldFont.CreateFontIndirect(&logFont);
        }
        m_boldSource = source;
    }
    return m_boldFont.GetSafeHandle() ? &m_boldFont : font;
}

CSize COXTreeCtrl::TextExtent(const COXTreeItem* item, int column, const char* text) const
{
    const HDC dc = ::GetDC(m_hWnd);
    CFont* font = FontFor(item, column);
    SIZE size = {};
    {
        Selected selected(dc, font ? font->GetSafeHandle() : nullptr);
        ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    }
    ::ReleaseDC(m_hWnd, dc);
    return CSize(size.cx, size.cy);
}

COXTreeCtrl::RowLayout COXTreeCtrl::GetRowLayout(const COXTreeItem* item, int row) const
{
    RowLayout layout;
    RECT bounds = {};
    ListView_GetItemRect(m_hWnd, row, &bounds, LVIR_BOUNDS);
    layout.row = bounds;
    const int top = layout.row.top;
    const int bottom = layout.row.bottom;
    const int height = bottom - top;
    layout.indentEnd = layout.row.left + GetItemIndent(item);
    layout.treeCell = CRect(layout.indentEnd - m_indent, top, layout.indentEnd, bottom);
    if (m_treeStyle & TVS_HASBUTTONS)
    {
        const int side = height / 2;
        const CPoint centre = layout.treeCell.CenterPoint();
        layout.button = CRect(centre.x - side / 2, centre.y - side / 2, centre.x - side / 2 + side,
                              centre.y - side / 2 + side);
    }
    int x = layout.indentEnd;
    if (const HIMAGELIST states = ListView_GetImageList(m_hWnd, LVSIL_STATE))
    {
        const int width = ImageWidth(states);
        layout.stateImage = CRect(x, bottom - ImageHeight(states), x + width, bottom);
        if (HasStateImage(item))
            x += width;
    }
    if (const HIMAGELIST images = ListView_GetImageList(m_hWnd, LVSIL_SMALL))
    {
        const int width = ImageWidth(images);
        layout.image = CRect(x, bottom - ImageHeight(images), x + width, bottom);
        x += width;
    }
    const int columnRight = layout.row.left + GetColumnWidth(0);
    const CString text = GetItemText(item->GetHandle(), 0);
    const int width =
        std::min(static_cast<int>(TextExtent(item, 0, text).cx), std::max(columnRight - x, 0));
    int left = x;
    const int format = ColumnFormat(0);
    if (format == LVCFMT_RIGHT)
        left = std::max(x, columnRight - width);
    else if (format == LVCFMT_CENTER)
        left = x + std::max((columnRight - x - width) / 2, 0);
    layout.label = CRect(left, top, left + width, bottom);
    return layout;
}

COLORREF COXTreeCtrl::GetTextBackground() const
{
    if (!::IsWindowEnabled(m_hWnd))
        return ::GetSysColor(COLOR_BTNFACE);
    const COLORREF color = ListView_GetTextBkColor(m_hWnd);
    return color == CLR_NONE ? ListView_GetBkColor(m_hWnd) : color;
}

void COXTreeCtrl::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    if (!(drawItem->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    auto* item = reinterpret_cast<COXTreeItem*>(drawItem->itemData);
    const int row = static_cast<int>(drawItem->itemID);
    if (!item)
        return;
    CDC& dc = *CDC::FromHandle(drawItem->hDC);
    if (m_drawingDragImage)
    {
        DrawDragRow(dc, item, drawItem->rcItem);
        return;
    }
    const bool hasFocus = ::GetFocus() == m_hWnd;
    const bool rowSelected =
        (drawItem->itemState & ODS_SELECTED) ||
        (ListView_GetItemState(m_hWnd, row, LVIS_DROPHILITED) & LVIS_DROPHILITED);
    const bool selected = (hasFocus || (m_treeStyle & TVS_SHOWSELALWAYS)) && rowSelected;
    const bool fullRow = (m_exStyle & OXTREE_EX_FULLROWSEL) != 0;
    const COLORREF textBack = GetTextBackground();
    const COLORREF selectionBack = ::GetSysColor(hasFocus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    const RowLayout layout = GetRowLayout(item, row);
    DrawTreePart(dc, item, layout, row, textBack);

    const int columns = GetColumnCount();
    int x = layout.row.left;
    for (int column : ColumnOrder(m_hWnd, columns))
    {
        const int width = GetColumnWidth(column);
        CRect cell(x, layout.row.top, x + width, layout.row.bottom);
        x += width;
        if (column == 0)
            cell.left = std::min(layout.indentEnd, static_cast<int>(cell.right));
        if (!::RectVisible(dc, &cell))
            continue;
        DrawCellImages(dc, item, column, cell, (drawItem->itemState & ODS_SELECTED) != 0,
                       selected && fullRow, textBack, selectionBack);
        const bool lit = selected && (column == 0 || fullRow);
        COLORREF textColor = ListView_GetTextColor(m_hWnd);
        if (lit && hasFocus)
            textColor = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        else if (item->IsDisabled())
            textColor = ::GetSysColor(COLOR_BTNSHADOW);
        else if (item->HasColor(column))
            textColor = item->GetColor(column);
        const bool focusRect =
            column == 0 && (drawItem->itemState & ODS_FOCUS) && hasFocus && !fullRow;
        DrawCellText(dc, item, column, cell, selected && fullRow ? selectionBack : textBack,
                     lit ? selectionBack : textBack, textColor, focusRect);
        if (m_exStyle & OXTREE_EX_VGRID)
        {
            CPen grid(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
            Selected pen(dc, grid.GetSafeHandle());
            Line(dc, x - 1, layout.row.top, x - 1, layout.row.bottom);
        }
    }
    if (m_exStyle & OXTREE_EX_HGRID)
    {
        RECT client = {};
        ::GetClientRect(m_hWnd, &client);
        const bool fullWidth = (m_exStyle & OXTREE_EX_FULLWIDTHGRID) != 0;
        CPen grid(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
        Selected pen(dc, grid.GetSafeHandle());
        Line(dc, fullWidth ? client.left : layout.indentEnd, layout.row.bottom - 1,
             fullWidth ? client.right : layout.row.right, layout.row.bottom - 1);
    }
    if (fullRow && (drawItem->itemState & ODS_FOCUS) && hasFocus)
    {
        RECT focus = {layout.indentEnd, layout.row.top, layout.row.right, layout.row.bottom};
        ::DrawFocusRect(dc, &focus);
    }
}

void COXTreeCtrl::DrawTreePart(CDC& dc, const COXTreeItem* item, const RowLayout& layout, int row,
                               COLORREF background)
{
    const int top = layout.row.top;
    const int bottom = layout.row.bottom;
    if (layout.indentEnd > layout.row.left)
        dc.FillSolidRect(layout.row.left, top, layout.indentEnd - layout.row.left, bottom - top,
                         background);
    if (layout.treeCell.right <= layout.row.left)
        return; // no indentation: no lines, no button
    const int centreX = layout.treeCell.left + m_indent / 2;
    const int centreY = (top + bottom) / 2;
    if (m_treeStyle & TVS_HASLINES)
    {
        Selected pen(dc, m_linePen.GetSafeHandle());
        const bool hasNext = !item->IsLastVisibleSibling();
        if (row != 0 || hasNext)
            Line(dc, centreX, row == 0 ? centreY : top, centreX, hasNext ? bottom : centreY);
        Line(dc, centreX, centreY, layout.treeCell.right, centreY);
        // Ancestors that have siblings below carry their line through this row.
        int x = centreX - m_indent;
        for (const COXTreeItem* a = item->GetParent(); a && x >= layout.row.left;
             a = a->GetParent(), x -= m_indent)
        {
            if (!a->IsHiddenRoot() && !a->IsLastVisibleSibling())
                Line(dc, x, top, x, bottom);
        }
    }
    if ((m_treeStyle & TVS_HASBUTTONS) && item->HasVisibleChildren())
    {
        const int size = layout.button.Width();
        const int side = std::max(size, kMinButtonSide);
        const int offset = (size - side + 1) / 2;
        const CRect box(layout.button.left + offset, layout.button.top + offset,
                        layout.button.left + offset + side, layout.button.top + offset + side);
        CPen frame(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        CBrush inside(background);
        {
            Selected pen(dc, frame.GetSafeHandle());
            Selected brush(dc, inside.GetSafeHandle());
            ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
        }
        CPen stroke(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
        Selected pen(dc, stroke.GetSafeHandle());
        const int middleY = box.top + side / 2;
        const int middleX = box.left + side / 2;
        Line(dc, box.left + 2, middleY, box.right - 2, middleY);
        if (!item->IsExpanded())
            Line(dc, middleX, box.top + 2, middleX, box.bottom - 2);
    }
}

void COXTreeCtrl::DrawCellImages(CDC& dc, const COXTreeItem* item, int column, CRect& cell,
                                 bool selected, bool fullRowSelected, COLORREF background,
                                 COLORREF selectionBack)
{
    const auto draw = [&](HIMAGELIST list, int index, COLORREF fill, UINT style)
    {
        const int width = ImageWidth(list);
        const int height = ImageHeight(list);
        const int right =
            std::min(static_cast<int>(cell.left) + width, static_cast<int>(cell.right));
        dc.FillSolidRect(cell.left, cell.top, right - cell.left, cell.Height(), fill);
        if (index >= 0)
        {
            const int y = cell.top + std::max((cell.Height() - height) / 2, 0);
            ImageList_Draw(list, index, dc, cell.left, y, style);
        }
        cell.left = right;
    };
    const HIMAGELIST images = ListView_GetImageList(m_hWnd, LVSIL_SMALL);
    if (column == 0)
    {
        const HIMAGELIST states = ListView_GetImageList(m_hWnd, LVSIL_STATE);
        if (states && HasStateImage(item))
        {
            const int index = static_cast<int>((item->m_tvi.state & TVIS_STATEIMAGEMASK) >> 12) - 1;
            const bool hasFocus = ::GetFocus() == m_hWnd;
            draw(states, index, hasFocus ? background : ::GetSysColor(COLOR_BTNFACE),
                 ILD_TRANSPARENT);
        }
        if (images)
            draw(images, item->GetImage(0, selected), background, ILD_TRANSPARENT);
        return;
    }
    const int index = item->GetColumnImage(column);
    if (!images || index < 0)
        return;
    if (fullRowSelected)
    {
        const COLORREF old = ImageList_SetBkColor(images, selectionBack);
        draw(images, index, selectionBack, ILD_BLEND25);
        ImageList_SetBkColor(images, old);
    }
    else
    {
        draw(images, index, background, ILD_TRANSPARENT);
    }
}

void COXTreeCtrl::DrawCellText(CDC& dc, const COXTreeItem* item, int column, const CRect& cell,
                               COLORREF fill, COLORREF textBack, COLORREF textColor, bool focusRect)
{
    if (cell.IsRectEmpty())
        return;
    dc.FillSolidRect(cell.left, cell.top, cell.Width(), cell.Height(), fill);
    const CString text =
        column == 0 ? GetItemText(item->GetHandle(), 0) : item->GetColumnText(column);
    CFont* font = FontFor(item, column);
    Selected selectedFont(dc, font ? font->GetSafeHandle() : nullptr);
    const UINT ellipsis = item->GetEllipsis(column);
    CRect measured = cell;
    measured.DeflateRect(kTextMargin, 0);
    ::DrawTextA(dc, text, text.GetLength(), &measured,
                DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | ellipsis);
    const int width = measured.Width() + 2 * kTextMargin;
    CRect textRect(cell.left, cell.top, std::min<int>(cell.left + width, cell.right), cell.bottom);
    const int format = ColumnFormat(column);
    if (format == LVCFMT_RIGHT)
        textRect =
            CRect(std::max<int>(cell.right - width, cell.left), cell.top, cell.right, cell.bottom);
    else if (format == LVCFMT_CENTER)
    {
        const int left = cell.left + std::max((cell.Width() - width) / 2, 0);
        textRect = CRect(left, cell.top, std::min<int>(left + width, cell.right), cell.bottom);
    }
    dc.FillSolidRect(textRect.left, textRect.top, textRect.Width(), textRect.Height(), textBack);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(textColor);
    CRect drawRect = textRect;
    drawRect.DeflateRect(kTextMargin, 0);
    const UINT align = format == LVCFMT_RIGHT ? DT_RIGHT : format == LVCFMT_CENTER ? DT_CENTER : 0;
    ::DrawTextA(dc, text, text.GetLength(), &drawRect,
                DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | align | ellipsis);
    if (focusRect)
        ::DrawFocusRect(dc, &textRect);
}

void COXTreeCtrl::DrawDragRow(CDC& dc, const COXTreeItem* item, const CRect& rowRect)
{
    const COLORREF background = GetTextBackground();
    dc.FillSolidRect(rowRect.left, rowRect.top, rowRect.Width(), rowRect.Height(), background);
    const RowLayout layout = GetRowLayout(item, RowOf(item));
    // The row's own geometry, moved to where the image wants it.
    const int dx = rowRect.left - layout.row.left;
    CRect cell(layout.indentEnd + dx, rowRect.top, rowRect.right, rowRect.bottom);
    DrawCellImages(dc, item, 0, cell, false, false, background, background);
    COLORREF color = ListView_GetTextColor(m_hWnd);
    if (item->IsDisabled())
        color = ::GetSysColor(COLOR_BTNSHADOW);
    else if (item->HasColor(0))
        color = item->GetColor(0);
    DrawCellText(dc, item, 0, cell, background, background, color, false);
}

CImageList* COXTreeCtrl::CreateDragImage(HTREEITEM handle, BOOL multiple)
{
    COXTreeItem* item = Resolve(handle);
    const int itemRow = RowOf(item);
    if (itemRow < 0)
        return nullptr;
    std::vector<int> rows;
    if (multiple)
    {
        for (int row = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(m_hWnd, row, LVNI_SELECTED))
            rows.push_back(row);
    }
    if (rows.empty())
        rows.push_back(itemRow);
    const int rowHeight = std::max(GetRowHeight(), 1);
    const int width = std::max(GetColumnWidth(0), 1);
    const int height =
        std::min(static_cast<int>(rows.size()) * rowHeight, ::GetSystemMetrics(SM_CYSCREEN));

    const HDC screen = ::GetDC(m_hWnd);
    CDC memory;
    memory.CreateCompatibleDC(CDC::FromHandle(screen));
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(CDC::FromHandle(screen), width, height);
    ::ReleaseDC(m_hWnd, screen);
    {
        Selected selectedBitmap(memory, bitmap.GetSafeHandle());
        m_drawingDragImage = true;
        int y = 0;
        for (int row : rows)
        {
            if (y >= height)
                break;
            DRAWITEMSTRUCT draw = {};
            draw.CtlType = ODT_LISTVIEW;
            draw.itemID = static_cast<UINT>(row);
            draw.itemAction = ODA_DRAWENTIRE;
            draw.hwndItem = m_hWnd;
            draw.hDC = memory;
            draw.rcItem = {0, y, width, y + rowHeight};
            draw.itemData = reinterpret_cast<ULONG_PTR>(GetItemFromRow(row));
            DrawItem(&draw);
            y += rowHeight;
        }
        m_drawingDragImage = false;
    }
    auto* list = new CImageList; // the caller's
    if (!list->Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 1) ||
        list->Add(&bitmap, GetTextBackground()) < 0)
    {
        delete list;
        return nullptr;
    }
    return list;
}

int COXTreeCtrl::GetContentWidth(int column)
{
    const HIMAGELIST images = ListView_GetImageList(m_hWnd, LVSIL_SMALL);
    const HIMAGELIST states = ListView_GetImageList(m_hWnd, LVSIL_STATE);
    const int rows = ListView_GetItemCount(m_hWnd);
    int widest = 0;
    for (int row = 0; row < rows; ++row)
    {
        const COXTreeItem* item = GetItemFromRow(row);
        if (!item)
            continue;
        const CString text =
            column == 0 ? GetItemText(item->GetHandle(), 0) : item->GetColumnText(column);
        // The text's margins on both sides count, or the widest text would be cut.
        int width = TextExtent(item, column, text).cx + 2 * kTextMargin;
        if (column == 0)
        {
            width += GetItemIndent(item) + ImageWidth(images);
            if (HasStateImage(item))
                width += ImageWidth(states);
        }
        else if (item->GetColumnImage(column) >= 0)
        {
            width += ImageWidth(images);
        }
        widest = std::max(widest, width);
    }
    return widest;
}
