// In-place editors of the tree: the growing edit box, the choice list and the date editor,
// each reporting its end as the list control's end-of-edit notification.
#include "widgets/controls/OXTreeEditors.h"

#include "platform/base/coll_array.h"
#include "widgets/controls/OXTreeCtrl.h"

#include <algorithm>
#include <cstring>

void OXTreeSendEndLabelEdit(COXTreeCtrl* tree, UINT editorId, int row, int column, const char* text)
{
    const HWND parent = ::GetParent(tree->GetSafeHwnd());
    NMLVDISPINFOA info = {};
    info.hdr.hwndFrom = tree->GetSafeHwnd();
    info.hdr.idFrom = editorId;
    info.hdr.code = LVN_ENDLABELEDITA;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = row;
    info.item.iSubItem = column;
    info.item.pszText = const_cast<char*>(text);
    info.item.cchTextMax = static_cast<int>(std::strlen(text));
    const WPARAM treeId = static_cast<WPARAM>(::GetDlgCtrlID(tree->GetSafeHwnd()));
    if (parent)
        ::SendMessageA(parent, WM_NOTIFY, treeId, reinterpret_cast<LPARAM>(&info));
}

namespace
{
CString WindowText(HWND hwnd)
{
    const int length = ::GetWindowTextLengthA(hwnd);
    CString text;
    ::GetWindowTextA(hwnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer(length);
    return text;
}
} // namespace

FW_TABLE(COXTreeEdit, CEdit, fw::raw<WM_WINDOWPOSCHANGING, &COXTreeEdit::OnWindowPosChanging>(),
         fw::raw<WM_CHAR, &COXTreeEdit::OnTextEdit>(),
         fw::raw<WM_PASTE, &COXTreeEdit::OnTextEdit>(), fw::raw<WM_CUT, &COXTreeEdit::OnTextEdit>(),
         fw::raw<WM_CLEAR, &COXTreeEdit::OnTextEdit>(),
         fw::raw<WM_KEYDOWN, &COXTreeEdit::OnTextEdit>())

BOOL COXTreeEdit::Start(HWND listEdit, CPoint anchor, int alignment, CSize maxSize,
                        const char* text)
{
    if (GetSafeHwnd())
        UnsubclassWindow();
    if (!SubclassWindow(listEdit))
        return FALSE;
    m_anchor = anchor;
    m_alignment = alignment;
    m_maxSize = maxSize;
    m_hasMaxSize = true;
    m_positioned = true;
    const DWORD align = alignment == 2 ? ES_RIGHT : alignment == 1 ? ES_CENTER : ES_LEFT;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | align);
    ::SetWindowTextA(m_hWnd, text);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

LRESULT COXTreeEdit::OnWindowPosChanging(WPARAM, LPARAM lParam)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (m_positioned)
        Place(pos);
    return Default();
}

LRESULT COXTreeEdit::OnTextEdit(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (m_hWnd && m_positioned)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    return result;
}

void COXTreeEdit::Place(WINDOWPOS* pos) const
{
    const CSize text = TextSize();
    int width = text.cx + kMarginX;
    const int height = text.cy + kMarginY;
    int left = m_anchor.x;
    if (m_alignment == 1)
        left -= width / 2;
    else if (m_alignment == 2)
        left -= width;
    left = std::max(left, 0);
    if (m_hasMaxSize)
        width = std::min(width, static_cast<int>(m_maxSize.cx) - left);
    pos->x = left;
    pos->y = m_anchor.y;
    pos->cx = std::max(width, 0);
    pos->cy = height;
    pos->flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
}

CSize COXTreeEdit::TextSize() const
{
    CString text = WindowText(m_hWnd);
    if (text.IsEmpty())
        text = "W";
    const HDC dc = ::GetDC(m_hWnd);
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    const HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return CSize(size.cx, size.cy);
}

FW_TABLE(COXTreeCombo, CComboBox, fw::on<WM_KILLFOCUS, &COXTreeCombo::OnKillFocus>(),
         fw::on<WM_KEYDOWN, &COXTreeCombo::OnKeyDown>(),
         fw::raw<WM_GETDLGCODE, &COXTreeCombo::OnGetDlgCode>())

BOOL COXTreeCombo::Start(COXTreeCtrl* tree, const RECT& cell, int dropHeight,
                         const CStringArray& choices, const char* text, int row, int column)
{
    m_tree = tree;
    m_row = row;
    m_column = column;
    m_ended = false;
    const CRect area(cell.left, cell.top, cell.right, cell.top + dropHeight);
    if (!Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | CBS_DROPDOWNLIST, area, tree,
                kId))
    {
        m_ended = true;
        return FALSE;
    }
    if (CFont* font = tree->GetControlFont())
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font->GetSafeHandle()), FALSE);
    for (const CString& choice : choices)
        AddString(choice);
    const int found = FindString(-1, text ? text : "");
    if (found != CB_ERR)
        SetCurSel(found);
    ::SetFocus(m_hWnd);
    return TRUE;
}

void COXTreeCombo::EndEdit(bool commit)
{
    if (m_ended || !m_hWnd)
        return;
    m_ended = true; // the notification goes out once, whatever follows
    const CString text = WindowText(m_hWnd);
    OXTreeSendEndLabelEdit(m_tree, kId, commit ? m_row : -1, m_column, text);
    if (m_hWnd)
        DestroyWindow();
}

void COXTreeCombo::OnKillFocus(CWnd*)
{
    Default();
    EndEdit(true);
}

void COXTreeCombo::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_ESCAPE)
    {
        EndEdit(false);
        return;
    }
    Default();
    if (key == VK_RETURN)
        EndEdit(true);
}

LRESULT COXTreeCombo::OnGetDlgCode(WPARAM, LPARAM)
{
    return Default() | DLGC_WANTALLKEYS;
}

FW_TABLE(COXTreeCal, COXDateEdit, fw::on<WM_LBUTTONDOWN, &COXTreeCal::OnLButtonDown>(),
         fw::control<EN_KILLFOCUS, COXDateEdit::kEditId, &COXTreeCal::OnEditKillFocus>())

BOOL COXTreeCal::Start(COXTreeCtrl* tree, const RECT& cell, const char* text,
                       const CStringArray* choices, int row, int column)
{
    m_tree = tree;
    m_row = row;
    m_column = column;
    m_ended = false;
    if (!Create(WS_CHILD | WS_VISIBLE | WS_BORDER, cell, tree, kId))
    {
        m_ended = true;
        if (m_hWnd)
            DestroyWindow();
        return FALSE;
    }
    ::SetWindowTextA(GetEditWnd(), text ? text : "");
    // The editor serves cell after cell: no range of an earlier cell may stay.
    SetRange(COleDateTime(100, 1, 1, 0, 0, 0), COleDateTime(9999, 12, 31, 0, 0, 0));
    if (choices && choices->GetSize() > 0)
    {
        // An earliest date that does not parse stays invalid, and the range is not taken.
        COleDateTime earliest;
        if (!earliest.ParseDateTime((*choices)[0], 0, LANG_USER_DEFAULT))
            earliest.SetStatus(COleDateTime::invalid);
        COleDateTime latest(9999, 12, 31, 0, 0, 0);
        if (choices->GetSize() > 1 && !latest.ParseDateTime((*choices)[1], 0, LANG_USER_DEFAULT))
            latest.SetStatus(COleDateTime::invalid);
        SetRange(earliest, latest);
    }
    ::SetFocus(GetEditWnd());
    return TRUE;
}

void COXTreeCal::EndEdit(bool commit)
{
    if (m_ended || !m_hWnd)
        return;
    m_ended = true;
    const CString text = WindowText(GetEditWnd());
    if (commit && GetDate().GetStatus() != COleDateTime::valid)
        commit = false; // only a valid date is committed
    OXTreeSendEndLabelEdit(m_tree, kId, commit ? m_row : -1, m_column, text);
    if (m_hWnd)
        DestroyWindow();
}

BOOL COXTreeCal::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || msg->hwnd != GetEditWnd() ||
        (msg->wParam != VK_RETURN && msg->wParam != VK_ESCAPE))
        return COXDateEdit::PreTranslateMessage(msg);
    const bool commit = msg->wParam == VK_RETURN;
    if (commit && ::IsWindowVisible(GetCalendar().GetSafeHwnd()))
        GetCalendar().ShowWindow(SW_HIDE);
    ::TranslateMessage(msg);
    ::DispatchMessageA(msg);
    EndEdit(commit);
    return TRUE;
}

void COXTreeCal::OnEditKillFocus()
{
    COXDateEdit::OnEditKillFocus();
    if (!HasFocusInside())
        EndEdit(true); // the focus went to another window
}

void COXTreeCal::OnLButtonDown(UINT flags, CPoint point)
{
    COXDateEdit::OnLButtonDown(flags, point);
    if (m_hWnd && !HasFocusInside())
        EndEdit(true);
}

bool COXTreeCal::HasFocusInside() const
{
    const HWND focus = ::GetFocus();
    return focus && (focus == m_hWnd || focus == GetEditWnd());
}

FW_TABLE(COXTreeHeader, CHeaderCtrl, fw::on<WM_LBUTTONDOWN, &COXTreeHeader::OnLButtonDown>(),
         fw::on<WM_LBUTTONUP, &COXTreeHeader::OnLButtonUp>(),
         fw::on<WM_LBUTTONDBLCLK, &COXTreeHeader::OnLButtonDblClk>())

void COXTreeHeader::SetSortMark(int column, int direction)
{
    const int count = GetItemCount();
    const bool valid = column >= 0 && column < count;
    if (column != m_sortColumn)
    {
        if (m_sortColumn >= 0 && m_sortColumn < count)
            SetOwnerDraw(m_sortColumn, false);
        if (valid && direction != 0)
            SetOwnerDraw(column, true);
    }
    m_sortColumn = column;
    m_sortDirection = valid ? direction : 0;
    Invalidate();
}

void COXTreeHeader::SetOwnerDraw(int column, bool ownerDraw)
{
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (!GetItem(column, &item))
        return;
    if (ownerDraw)
        item.fmt = (item.fmt & ~HDF_STRING) | HDF_OWNERDRAW;
    else
        item.fmt = (item.fmt & ~HDF_OWNERDRAW) | HDF_STRING;
    SetItem(column, &item);
}

void COXTreeHeader::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    const HDC dc = drawItem->hDC;
    CRect rect(drawItem->rcItem);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    const HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
    SIZE space = {};
    ::GetTextExtentPoint32A(dc, " ", 1, &space);
    const int m = 2 * space.cx;

    char text[256] = {};
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(static_cast<int>(drawItem->itemID), &item);
    UINT flags = DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER;
    flags |= (item.fmt & HDF_CENTER) ? DT_CENTER : (item.fmt & HDF_RIGHT) ? DT_RIGHT : DT_LEFT;
    const bool isSortColumn = static_cast<int>(drawItem->itemID) == m_sortColumn;
    CRect textRect = rect;
    if (drawItem->itemState & ODS_SELECTED)
        textRect.OffsetRect(1, 1);
    if (isSortColumn)
        textRect.right -= 3 * m;
    textRect.DeflateRect(m, 0);
    if (!textRect.IsRectEmpty())
    {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::DrawTextA(dc, text, -1, &textRect, flags);
    }
    if (isSortColumn && m_sortDirection != 0)
    {
        const int apexX = rect.right - 2 * m;
        const int left = rect.right - 5 * m / 2;
        const int right = rect.right - 3 * m / 2;
        const int top = rect.top + m - 1;
        const int bottom = rect.bottom - m;
        const int apexY = m_sortDirection > 0 ? top : bottom;
        const int baseY = m_sortDirection > 0 ? bottom : top;
        CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        const HGDIOBJ oldPen = ::SelectObject(dc, shadow.GetSafeHandle());
        ::MoveToEx(dc, left, baseY, nullptr);
        ::LineTo(dc, apexX, apexY);
        if (m_sortDirection < 0)
            ::LineTo(dc, right, baseY);
        ::SelectObject(dc, light.GetSafeHandle());
        if (m_sortDirection > 0)
        {
            ::MoveToEx(dc, apexX, apexY, nullptr);
            ::LineTo(dc, right, baseY);
            ::LineTo(dc, left, baseY);
        }
        else
        {
            ::MoveToEx(dc, left, baseY, nullptr);
            ::LineTo(dc, right, baseY);
        }
        ::SelectObject(dc, oldPen);
    }
    if (oldFont)
        ::SelectObject(dc, oldFont);
}

void COXTreeHeader::OnLButtonDown(UINT, CPoint)
{
    if (m_tree && ::GetFocus() != m_tree->GetSafeHwnd())
        ::SetFocus(m_tree->GetSafeHwnd());
    m_pressed = true;
    Default();
}

void COXTreeHeader::OnLButtonUp(UINT, CPoint point)
{
    Default();
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!wasPressed || !m_tree || ::GetFocus() != m_tree->GetSafeHwnd())
        return;
    const DWORD exStyle = m_tree->GetExStyle();
    if (!(exStyle & OXTREE_EX_HEADER) || (exStyle & OXTREE_EX_NOSORTHEADER))
        return;
    HDHITTESTINFO hit = {};
    hit.pt = point;
    const int column = HitTest(&hit);
    if (column < 0 || !(hit.flags & HHT_ONHEADER) || (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))
        return;
    int direction = 1;
    if (column == m_sortColumn)
        direction = m_sortDirection == 0 ? 1 : -m_sortDirection;
    m_tree->SortByColumn(nullptr, column, direction == 1);
}

void COXTreeHeader::OnLButtonDblClk(UINT, CPoint point)
{
    HDHITTESTINFO hit = {};
    hit.pt = point;
    const int column = HitTest(&hit);
    if (m_tree && column >= 0 && (hit.flags & HHT_ONDIVIDER))
    {
        m_tree->SetColumnWidth(column, m_tree->GetContentWidth(column));
        return;
    }
    Default();
}
