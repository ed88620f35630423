// CWnd operations: text, styles, geometry, relatives, child controls, menus and messages.
#include "platform/win/app.h"
#include "platform/win/dc.h"
#include "platform/win/menu.h"
#include "platform/win/platform_ids.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

#include <shellapi.h>
#include <vector>

namespace
{
void CollectChildren(HWND parent, std::vector<HWND>& children)
{
    for (HWND child = ::GetTopWindow(parent); child; child = ::GetNextWindow(child, GW_HWNDNEXT))
        children.push_back(child);
}

// A child's parent, else a top-level window's owner.
HWND ParentOrOwner(HWND hwnd)
{
    if (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hwnd);
    return ::GetWindow(hwnd, GW_OWNER);
}

// Direct children first, then each child's descendants.
HWND FindDescendant(HWND parent, int id, BOOL onlyPermanent)
{
    for (HWND child = ::GetTopWindow(parent); child; child = ::GetNextWindow(child, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(child) == id && (!onlyPermanent || CWnd::FromHandlePermanent(child)))
            return child;
    }
    for (HWND child = ::GetTopWindow(parent); child; child = ::GetNextWindow(child, GW_HWNDNEXT))
    {
        if (const HWND found = FindDescendant(child, id, onlyPermanent))
            return found;
    }
    return nullptr;
}
} // namespace

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, msg, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT msg, WPARAM wParam, LPARAM lParam, BOOL deep,
                                    BOOL onlyPermanent) const
{
    SendMessageToDescendants(m_hWnd, msg, wParam, lParam, deep, onlyPermanent);
}

void CWnd::SendMessageToDescendants(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, BOOL deep,
                                    BOOL onlyPermanent)
{
    // A handler may destroy or create windows: walk a snapshot and skip the dead.
    std::vector<HWND> children;
    CollectChildren(hwnd, children);
    for (const HWND child : children)
    {
        if (!::IsWindow(child))
            continue;
        if (onlyPermanent)
        {
            if (CWnd* wnd = FromHandlePermanent(child))
                fw::CallWndProc(wnd, child, msg, wParam, lParam);
        }
        else
        {
            ::SendMessageA(child, msg, wParam, lParam);
        }
        if (deep && ::IsWindow(child) && ::GetTopWindow(child))
            SendMessageToDescendants(child, msg, wParam, lParam, deep, onlyPermanent);
    }
}

void CWnd::SetWindowText(const char* text)
{
    ::SetWindowTextA(m_hWnd, text ? text : "");
}

int CWnd::GetWindowText(char* buffer, int size) const
{
    return ::GetWindowTextA(m_hWnd, buffer, size);
}

void CWnd::GetWindowText(CString& text) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBufferSetLength(length);
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

void CWnd::SetFont(HFONT font, BOOL redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

HFONT CWnd::GetFont() const
{
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
}

namespace
{
BOOL ModifyStyleWord(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(hwnd, index));
    const DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrA(hwnd, index, static_cast<LONG_PTR>(newStyle));
    if (swpFlags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}
} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyStyleWord(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyStyleWord(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

BOOL CWnd::IsChild(const CWnd* wnd) const
{
    return wnd ? ::IsChild(m_hWnd, wnd->m_hWnd) : FALSE;
}

int CWnd::SetDlgCtrlID(int id)
{
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, id));
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) const
{
    ::InvalidateRect(m_hWnd, rect, erase);
}

BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags) const
{
    return ::RedrawWindow(m_hWnd, rect, region, flags);
}

void CWnd::SetRedraw(BOOL redraw) const
{
    SendMessage(WM_SETREDRAW, redraw);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* dc)
{
    return dc ? ::ReleaseDC(m_hWnd, dc->GetSafeHdc()) : 0;
}

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) const
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) const
{
    ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                 repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) const
{
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const
{
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, points, count);
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const
{
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    const DWORD style = GetStyle();
    HWND center = alternateOwner
                      ? alternateOwner->m_hWnd
                      : ((style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    if (!center && !(style & WS_CHILD))
    {
        CWnd* main = AfxGetMainWnd();
        center = main && main->m_hWnd != m_hWnd ? main->m_hWnd : nullptr;
    }
    RECT self = {};
    ::GetWindowRect(m_hWnd, &self);
    RECT area = {};
    RECT around = {};
    if (style & WS_CHILD)
    {
        ::GetClientRect(::GetParent(m_hWnd), &area);
        around = area;
        if (center && center != ::GetParent(m_hWnd))
        {
            ::GetWindowRect(center, &around);
            ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&around), 2);
        }
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&self), 2);
    }
    else
    {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoA(::MonitorFromWindow(center ? center : m_hWnd, MONITOR_DEFAULTTONEAREST),
                          &monitor);
        area = monitor.rcWork;
        around = area;
        if (center && !::IsIconic(center) && ::IsWindowVisible(center))
            ::GetWindowRect(center, &around);
    }
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    int left = (around.left + around.right) / 2 - width / 2;
    int top = (around.top + around.bottom) / 2 - height / 2;
    // Keep the window inside the area, the top-left corner winning.
    if (left + width > area.right)
        left = area.right - width;
    if (left < area.left)
        left = area.left;
    if (top + height > area.bottom)
        top = area.bottom - height;
    if (top < area.top)
        top = area.top;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const
{
    placement->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, placement);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement)
{
    WINDOWPLACEMENT copy = *placement;
    copy.length = sizeof copy;
    return ::SetWindowPlacement(m_hWnd, &copy);
}

void CWnd::CalcWindowRect(LPRECT clientRect, UINT adjustType)
{
    DWORD exStyle = GetExStyle();
    if (adjustType == adjustBorder)
        exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    ::AdjustWindowRectEx(clientRect, GetStyle(), FALSE, exStyle);
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* newParent)
{
    return FromHandle(::SetParent(m_hWnd, newParent ? newParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetWindow(UINT command) const
{
    return FromHandle(::GetWindow(m_hWnd, command));
}

CWnd* CWnd::GetTopWindow() const
{
    return FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetNextWindow(UINT next) const
{
    return FromHandle(::GetNextWindow(m_hWnd, next));
}

CWnd* CWnd::GetTopLevelParent() const
{
    // Up through parents and owners alike.
    HWND top = m_hWnd;
    for (HWND next = ParentOrOwner(top); next; next = ParentOrOwner(next))
        top = next;
    return FromHandle(top);
}

CWnd* CWnd::GetParentOwner() const
{
    HWND hwnd = m_hWnd;
    while (hwnd && (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD))
        hwnd = ::GetParent(hwnd);
    return FromHandle(hwnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND top = m_hWnd;
    for (HWND owner = ::GetWindow(top, GW_OWNER); owner; owner = ::GetWindow(owner, GW_OWNER))
        top = owner;
    return FromHandle(top);
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetSafeOwner(CWnd* parent, HWND* topLevel)
{
    HWND owner = parent ? parent->m_hWnd : nullptr;
    if (!owner)
    {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
        // A box or dialog raised while a dialog over the main window is in use belongs to that
        // dialog: owned by the main window it would leave the dialog open to input beneath it,
        // and its end would enable the main window under a running modal dialog.
        const HWND popup = owner ? ::GetLastActivePopup(owner) : nullptr;
        if (popup && popup != owner && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup))
            owner = popup;
    }
    // Up to the top-level window, which then owns the dialog.
    while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    if (topLevel)
        *topLevel = owner;
    return FromHandle(owner);
}

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const
{
    return FromHandle(FindDescendant(m_hWnd, id, onlyPermanent));
}

CWnd* CWnd::GetDesktopWindow()
{
    return FromHandle(::GetDesktopWindow());
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetFocus() const
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}

CWnd* CWnd::SetActiveWindow() const
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}

CWnd* CWnd::WindowFromPoint(POINT point)
{
    return FromHandle(::WindowFromPoint(point));
}

CWnd* CWnd::GetDlgItem(int id) const
{
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    text.Empty();
    const HWND item = ::GetDlgItem(m_hWnd, id);
    if (!item)
        return 0;
    const int length = ::GetWindowTextLengthA(item);
    char* buffer = text.GetBufferSetLength(length);
    ::GetWindowTextA(item, buffer, length + 1);
    text.ReleaseBuffer();
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) const
{
    ::SetDlgItemInt(m_hWnd, id, value, isSigned);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageA(m_hWnd, id, msg, wParam, lParam);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* menu)
{
    return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc) const
{
    return ::SetTimer(m_hWnd, id, elapseMs, proc);
}

CWnd* CWnd::SetCapture() const
{
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

void CWnd::DragAcceptFiles(BOOL accept) const
{
    ::DragAcceptFiles(m_hWnd, accept);
}

void CWnd::WinHelp(DWORD_PTR data, UINT command)
{
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(data, command);
}

void CWnd::OnHelp()
{
    const HWND top = GetTopLevelParent()->m_hWnd;
    for (HWND start : {::GetCapture(), ::GetFocus(), ::GetLastActivePopup(top)})
    {
        for (HWND hwnd = start; hwnd; hwnd = ParentOrOwner(hwnd))
        {
            if (::SendMessageA(hwnd, WM_COMMANDHELP, 0, 0))
                return;
        }
    }
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
}
