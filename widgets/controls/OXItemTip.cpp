// Item tips: the hook on the watched control, the query chain and the default answer for list
// controls in report view.
#include "widgets/controls/OXItemTip.h"

#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"

#include <algorithm>
#include <commctrl.h>
#include <cstring>
#include <vector>

namespace
{
bool IsReportList(HWND hwnd)
{
    char className[32] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    return std::strcmp(className, WC_LISTVIEWA) == 0 &&
           (::GetWindowLongPtrA(hwnd, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

int TextWidth(HWND hwnd, CFont* font, const char* text)
{
    const HDC dc = ::GetDC(hwnd);
    HGDIOBJ chosen = font ? font->GetSafeHandle() : nullptr;
    if (!chosen)
        chosen = reinterpret_cast<HGDIOBJ>(::SendMessageA(hwnd, WM_GETFONT, 0, 0));
    const HGDIOBJ old = chosen ? ::SelectObject(dc, chosen) : nullptr;
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(hwnd, dc);
    return size.cx;
}

// The row on the current page whose bounds hold the point, or -1.
int RowAt(HWND list, POINT point, RECT* bounds)
{
    const int count = ListView_GetItemCount(list);
    const int top = ListView_GetTopIndex(list);
    const int last = std::min(top + ListView_GetCountPerPage(list), count - 1);
    for (int row = top; row <= last; ++row)
    {
        if (ListView_GetItemRect(list, row, bounds, LVIR_BOUNDS) && ::PtInRect(bounds, point))
            return row;
    }
    return -1;
}

// The column (in header order) under x, with its left and right edge, or -1.
int ColumnAt(HWND list, int rowLeft, int x, int* left, int* right)
{
    const HWND header = ListView_GetHeader(list);
    const int columns = header ? Header_GetItemCount(header) : 0;
    if (columns <= 0)
        return -1;
    std::vector<int> order(static_cast<std::size_t>(columns));
    if (!ListView_GetColumnOrderArray(list, columns, order.data()))
        return -1;
    int edge = rowLeft;
    for (int column : order)
    {
        const int width = ListView_GetColumnWidth(list, column);
        if (width < 0)
            return -1;
        if (x >= edge && x < edge + width)
        {
            *left = edge;
            *right = edge + width;
            return column;
        }
        edge += width;
    }
    return -1;
}
} // namespace

void COXItemTip::GetDefaultTipInfo(OXItemTipInfo* info)
{
    const HWND list = m_control;
    if (!IsReportList(list))
    {
        info->result = OXITEMTIP_UNHANDLED;
        return;
    }
    RECT bounds = {};
    const int row = ListView_GetItemCount(list) > 0 ? RowAt(list, info->point, &bounds) : -1;
    int left = 0;
    int right = 0;
    const int column = row >= 0 ? ColumnAt(list, bounds.left, info->point.x, &left, &right) : -1;
    if (column < 0)
    {
        info->result = OXITEMTIP_NOCELL;
        return;
    }
    info->row = row;
    info->column = column;
    RECT cell = {left, bounds.top, right, bounds.bottom};
    int margin = info->offset;
    if (column == 0)
    {
        ListView_GetItemRect(list, row, &cell, LVIR_LABEL);
        if (!::PtInRect(&cell, info->point))
        {
            info->result = OXITEMTIP_NOTOVERTEXT;
            return;
        }
        margin = info->offset / 2;
    }
    char text[OXITEMTIP_TEXTMAX] = {};
    ListView_GetItemText(list, row, column, text, std::min(info->textLimit, OXITEMTIP_TEXTMAX));
    if (!text[0])
    {
        info->result = OXITEMTIP_NOTHING;
        return;
    }
    SetInfoText(info, text);
    const int needed = TextWidth(list, info->font, info->text) + 2 * margin;
    RECT client = {};
    ::GetClientRect(list, &client);
    if (needed <= cell.right - cell.left && cell.left >= client.left && cell.right <= client.right)
    {
        info->result = OXITEMTIP_NOTHING;
        return;
    }
    cell.right = std::max(cell.right, cell.left + needed);
    info->rect = cell;
    info->offset = margin;
    info->result = OXITEMTIP_SHOW;
}

void COXItemTip::UpdateTip()
{
    if (!m_control || !::IsWindow(m_control))
        return;
    const DWORD pos = ::GetMessagePos();
    POINT point = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    ::ScreenToClient(m_control, &point);
    UpdateTipAt(point);
}

void COXItemTip::UpdateTipAt(POINT point)
{
    if (!m_control || !::IsWindow(m_control))
        return;
    if (IsTipVisible() && ::IsWindowVisible(m_control))
        return; // the tip hides itself when the cursor leaves it

    OXItemTipInfo info;
    StartInfo(&info, point);
    GetDefaultTipInfo(&info);
    if (m_callback)
        m_callback(m_control, &info);
    else
        ::SendMessageA(m_control, WM_OX_ITEMTIP_QUERY, 0, reinterpret_cast<LPARAM>(&info));
    AskParent(&info);
    if (info.result != OXITEMTIP_SHOW)
        return;
    RECT screen = info.rect;
    ::MapWindowPoints(m_control, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    m_tipWnd.Show(screen, info.text, info.offset, info.font, info.textColor, info.backColor,
                  info.alignment);
}

BOOL COXItemTip::Attach(CWnd* control, QueryCallback callback)
{
    return Attach(control ? control->GetSafeHwnd() : nullptr, callback);
}

BOOL COXItemTip::Attach(HWND control, QueryCallback callback)
{
    if (!HookWindow(control))
        return FALSE;
    m_control = control;
    m_callback = callback;
    if (!m_tipWnd.GetSafeHwnd())
        m_tipWnd.Create(control); // without it tips never show; nothing else fails
    return TRUE;
}

void COXItemTip::Detach()
{
    Unhook();
}

LRESULT COXItemTip::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_MOUSEMOVE:
        // A mouse move carries its own position, exact even when it was sent.
        if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
            UpdateTipAt({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: HideTip(); break;
    case WM_SHOWWINDOW:
        if (!wParam)
            HideTip();
        break;
    case WM_WINDOWPOSCHANGED:
        if (IsTipVisible())
        {
            HideTip();
            UpdateTip();
        }
        break;
    default: break;
    }
    return COXHookWnd::WindowProc(msg, wParam, lParam);
}

void COXItemTip::Unhook()
{
    HideTip();
    COXHookWnd::Unhook();
    m_control = nullptr;
    m_callback = nullptr;
}

bool COXItemTip::IsTipVisible() const
{
    return m_tipWnd.GetSafeHwnd() && ::IsWindowVisible(m_tipWnd.GetSafeHwnd());
}

void COXItemTip::SetInfoText(OXItemTipInfo* info, const char* text)
{
    const int limit = std::clamp(info->textLimit, 1, OXITEMTIP_TEXTMAX);
    const std::size_t length =
        std::min(std::strlen(text ? text : ""), static_cast<std::size_t>(limit - 1));
    std::memcpy(info->text, text ? text : "", length);
    info->text[length] = '\0';
}

void COXItemTip::HideTip()
{
    if (IsTipVisible())
        m_tipWnd.Hide();
}

void COXItemTip::StartInfo(OXItemTipInfo* info, POINT point)
{
    std::memset(info, 0, sizeof *info);
    info->point = point;
    info->row = -1;
    info->column = -1;
    info->textLimit = OXITEMTIP_TEXTMAX;
    info->offset = m_defaultOffset;
    info->textColor = m_defaultTextColor;
    info->backColor = m_defaultBackColor;
    info->font = m_defaultFont;
    if (!info->font)
        info->font =
            CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageA(m_control, WM_GETFONT, 0, 0)));
    info->alignment = 0;
    info->result = OXITEMTIP_SHOW;
}

void COXItemTip::AskParent(OXItemTipInfo* info)
{
    const HWND parent = ::GetParent(m_control);
    if (parent)
    {
        OXItemTipNotify notify = {};
        notify.hdr.hwndFrom = m_control;
        notify.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_control));
        notify.hdr.code = OXITEMTIP_NOTIFY;
        notify.info = *info;
        ::SendMessageA(parent, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
        *info = notify.info;
    }
    // Whatever the answers wrote, the text stays within its buffer and terminated.
    info->text[OXITEMTIP_TEXTMAX - 1] = '\0';
    const int limit = std::clamp(info->textLimit, 1, OXITEMTIP_TEXTMAX);
    info->text[limit - 1] = '\0';
}
