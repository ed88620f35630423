// The multi-column tree control: creation, styles, image lists, row height, columns, the
// deferred item tip and the messages reflected from the parent.
#include "widgets/controls/OXTreeCtrl.h"

#include "platform/win/dc.h"

#include <algorithm>

FW_TABLE(
    COXTreeCtrl, CListCtrl, fw::on<WM_LBUTTONDOWN, &COXTreeCtrl::OnLButtonDown>(),
    fw::on<WM_LBUTTONDBLCLK, &COXTreeCtrl::OnLButtonDblClk>(),
    fw::on<WM_RBUTTONDOWN, &COXTreeCtrl::OnRButtonDown>(),
    fw::on<WM_MBUTTONDOWN, &COXTreeCtrl::OnMButtonDown>(), fw::on<WM_CHAR, &COXTreeCtrl::OnChar>(),
    fw::on<WM_TIMER, &COXTreeCtrl::OnTimer>(), fw::on<WM_DESTROY, &COXTreeCtrl::OnDestroy>(),
    fw::raw<WM_HSCROLL, &COXTreeCtrl::OnScroll>(), fw::raw<WM_VSCROLL, &COXTreeCtrl::OnScroll>(),
    fw::raw<WM_STYLECHANGED, &COXTreeCtrl::OnStyleChanged>(),
    fw::raw<WM_OX_ITEMTIP_QUERY, &COXTreeCtrl::OnItemTipQuery>(),
    fw::raw<WM_PARENTNOTIFY, &COXTreeCtrl::OnParentNotify>(),
    fw::reflect<WM_DRAWITEM, &COXTreeCtrl::DrawItem>(),
    fw::reflect<WM_MEASUREITEM, &COXTreeCtrl::OnMeasureItem>(),
    fw::reflect_notify_ex<static_cast<int>(NM_SETFOCUS), &COXTreeCtrl::OnSetFocusNotify>(),
    fw::reflect_notify_ex<static_cast<int>(NM_KILLFOCUS), &COXTreeCtrl::OnKillFocusNotify>(),
    fw::reflect_notify<static_cast<int>(LVN_BEGINLABELEDITA), &COXTreeCtrl::OnBeginLabelEdit>(),
    fw::reflect_notify_ex<static_cast<int>(LVN_ENDLABELEDITA), &COXTreeCtrl::OnEndLabelEdit>(),
    fw::reflect_notify<static_cast<int>(LVN_GETDISPINFOA), &COXTreeCtrl::OnGetDispInfo>())

COXTreeCtrl::COXTreeCtrl()
    : m_root(COXTreeItem::MakeHiddenRoot())
{
    m_itemTip.SetDefaultOffset(6);
}

COXTreeCtrl::~COXTreeCtrl()
{
    // The rows go before the items they point to; the items go without notifications.
    if (m_hWnd)
        DestroyWindow();
    m_root->DeleteChildren();
}

BOOL COXTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, DWORD exStyle)
{
    m_treeStyle = LOWORD(style);
    m_exStyle = exStyle | OXTREE_EX_ITEMTIPS;
    DWORD listStyle = (style & 0xFFFF0000) | ListStyleFor(m_treeStyle, m_exStyle);
    if (!(m_exStyle & OXTREE_EX_NOSCROLL))
        listStyle |= WS_HSCROLL | WS_VSCROLL;
    m_creating = true;
    const BOOL created =
        CreateEx(0, WC_LISTVIEWA, "", listStyle, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, parent ? parent->GetSafeHwnd() : nullptr,
                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
    m_creating = false;
    if (!created)
        return FALSE;
    const auto windowStyle = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
    m_treeStyle = LOWORD(m_treeStyle) | (windowStyle & 0xFFFF0000);
    Initialize();
    return TRUE;
}

DWORD COXTreeCtrl::ListStyleFor(DWORD treeStyle, DWORD exStyle) const
{
    DWORD style = LVS_REPORT | LVS_OWNERDRAWFIXED;
    if (treeStyle & TVS_EDITLABELS)
        style |= LVS_EDITLABELS;
    if (treeStyle & TVS_SHOWSELALWAYS)
        style |= LVS_SHOWSELALWAYS;
    if (!(exStyle & OXTREE_EX_MULTISEL))
        style |= LVS_SINGLESEL;
    if (!(exStyle & OXTREE_EX_HEADER))
        style |= LVS_NOCOLUMNHEADER;
    if (exStyle & OXTREE_EX_NOSCROLL)
        style |= LVS_NOSCROLL;
    if (exStyle & OXTREE_EX_NOSORTHEADER)
        style |= LVS_NOSORTHEADER;
    if (exStyle & OXTREE_EX_SHAREIMAGELISTS)
        style |= LVS_SHAREIMAGELISTS;
    return style;
}

void COXTreeCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_creating)
        return;
    // A list control from a dialog template: the tree takes its settings from the list's.
    Initialize();
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
    m_treeStyle = style & 0xFFFF0000;
    if (style & LVS_SHOWSELALWAYS)
        m_treeStyle |= TVS_SHOWSELALWAYS;
    if (style & LVS_EDITLABELS)
        m_treeStyle |= TVS_EDITLABELS;
    m_exStyle = OXTREE_EX_ITEMTIPS;
    if (!(style & LVS_NOCOLUMNHEADER))
        m_exStyle |= OXTREE_EX_HEADER;
    if (!(style & LVS_SINGLESEL))
        m_exStyle |= OXTREE_EX_MULTISEL;
    if (style & LVS_NOSCROLL)
        m_exStyle |= OXTREE_EX_NOSCROLL;
    if (style & LVS_NOSORTHEADER)
        m_exStyle |= OXTREE_EX_NOSORTHEADER;
    if (style & LVS_SHAREIMAGELISTS)
        m_exStyle |= OXTREE_EX_SHAREIMAGELISTS;
}

void COXTreeCtrl::Initialize()
{
    if (m_initialized)
        return;
    m_initialized = TRUE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    InsertColumn(0, "", LVCFMT_LEFT, client.right - client.left);
    ListView_SetBkColor(m_hWnd, ::GetSysColor(COLOR_WINDOW));
    ListView_SetTextBkColor(m_hWnd, ::GetSysColor(COLOR_WINDOW));
    ListView_SetTextColor(m_hWnd, ::GetSysColor(COLOR_WINDOWTEXT));
    SubclassHeader();
    CreateLinePen();
}

void COXTreeCtrl::CreateLinePen()
{
    m_linePen.DeleteObject();
    LOGBRUSH brush = {BS_SOLID, ::GetSysColor(COLOR_BTNSHADOW), 0};
    const HPEN dotted = ::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr);
    if (dotted)
        m_linePen.Attach(dotted);
    else
        m_linePen.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
}

void COXTreeCtrl::SubclassHeader()
{
    const HWND header = ListView_GetHeader(m_hWnd);
    if (!header || m_header.GetSafeHwnd())
        return;
    m_header.SetTree(this);
    m_header.SubclassWindow(header);
}

DWORD COXTreeCtrl::GetStyle() const
{
    return m_treeStyle | (::IsWindowVisible(m_hWnd) ? WS_VISIBLE : 0);
}

BOOL COXTreeCtrl::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    const auto toList = [](DWORD bits)
    {
        DWORD list = bits & 0xFFFF0000;
        if (bits & TVS_SHOWSELALWAYS)
            list |= LVS_SHOWSELALWAYS;
        if (bits & TVS_EDITLABELS)
            list |= LVS_EDITLABELS;
        return list;
    };
    const auto old = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
    const DWORD style = (old & ~toList(remove)) | toList(add);
    if (style != old)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(style));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    const DWORD treeStyle = (m_treeStyle & ~remove) | add;
    if (treeStyle != m_treeStyle)
    {
        m_treeStyle = treeStyle;
        Invalidate();
    }
    return TRUE;
}

LRESULT COXTreeCtrl::OnStyleChanged(WPARAM wParam, LPARAM lParam)
{
    if (wParam == static_cast<WPARAM>(GWL_STYLE))
    {
        const auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
        m_treeStyle = LOWORD(m_treeStyle) | (change->styleNew & 0xFFFF0000);
    }
    return Default();
}

void COXTreeCtrl::SetIndent(int indent)
{
    m_indent = std::max(indent, kMinIndent);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

CImageList* COXTreeCtrl::SetImageList(CImageList* imageList, int type)
{
    if (type == TVSIL_NORMAL)
        return CListCtrl::SetImageList(imageList, LVSIL_SMALL);
    if (type == TVSIL_STATE)
        return CListCtrl::SetImageList(imageList, LVSIL_STATE);
    return nullptr;
}

CImageList* COXTreeCtrl::GetImageList(int type) const
{
    return type == TVSIL_NORMAL ? CListCtrl::GetImageList(LVSIL_SMALL) : nullptr;
}

void COXTreeCtrl::SetRowHeight(int height)
{
    m_rowHeight = height;
    // The list measures its rows again when its position is reported to it.
    RECT window = {};
    ::GetWindowRect(m_hWnd, &window);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&window), 2);
    WINDOWPOS pos = {};
    pos.hwnd = m_hWnd;
    pos.x = window.left;
    pos.y = window.top;
    pos.cx = window.right - window.left;
    pos.cy = window.bottom - window.top;
    pos.flags = SWP_NOACTIVATE | SWP_NOZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

int COXTreeCtrl::GetRowHeight() const
{
    return m_rowHeight ? std::max(m_rowHeight, m_measuredHeight) : m_measuredHeight;
}

void COXTreeCtrl::OnMeasureItem(LPMEASUREITEMSTRUCT measure)
{
    if (m_rowHeight == 0)
        m_measuredHeight = static_cast<int>(measure->itemHeight);
    else
        measure->itemHeight = static_cast<UINT>(std::max<int>(m_rowHeight, measure->itemHeight));
}

BOOL COXTreeCtrl::DeleteColumn(int column)
{
    if (column < 0 || column >= GetColumnCount())
        return FALSE;
    if (column == 0)
    {
        DeleteAllItems();
        for (int last = GetColumnCount() - 1; last >= 0; --last)
            CListCtrl::DeleteColumn(last);
        return TRUE;
    }
    for (COXTreeItem* item = m_root->GetNextInOrder(); item; item = item->GetNextInOrder())
        item->RemoveColumn(column);
    return CListCtrl::DeleteColumn(column);
}

int COXTreeCtrl::GetColumnCount() const
{
    const HWND header = ListView_GetHeader(m_hWnd);
    return header ? Header_GetItemCount(header) : 0;
}

int COXTreeCtrl::GetSortColumn() const
{
    return m_header.GetSortColumn();
}

BOOL COXTreeCtrl::GetSortAscending() const
{
    return m_header.GetSortDirection() == 1;
}

CFont* COXTreeCtrl::GetControlFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
}

LRESULT COXTreeCtrl::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_itemTipPending && !m_creating && (m_exStyle & OXTREE_EX_ITEMTIPS) && m_hWnd)
    {
        m_itemTipPending = FALSE;
        m_itemTip.Attach(m_hWnd);
    }
    return CWnd::DefWindowProc(msg, wParam, lParam);
}

void COXTreeCtrl::OnDestroy()
{
    if (m_typeAheadTimer)
        KillTimer(m_typeAheadTimer);
    m_typeAheadTimer = 0;
    Default();
}

void COXTreeCtrl::PostNcDestroy()
{
    m_initialized = FALSE;
    m_itemTipPending = TRUE;
    m_dropHilite = nullptr;
    m_activeEditor = nullptr;
    CWnd::PostNcDestroy();
}

LRESULT COXTreeCtrl::OnParentNotify(WPARAM wParam, LPARAM lParam)
{
    // A header made after the tree is subclassed when it appears.
    if (LOWORD(wParam) == WM_CREATE && HIWORD(wParam) == 0)
    {
        (void)lParam;
        SubclassHeader();
    }
    return Default();
}

BOOL COXTreeCtrl::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(msg, wParam, lParam, result);
}
