// The item tip popup: placement inside the screen or work area, painting, hiding, and passing
// clicks on to the window beneath.
#include "widgets/controls/OXItemTipWnd.h"

#include "platform/win/dc.h"

#include <algorithm>

namespace
{
constexpr char kClassName[] = "ItemTipWnd";

bool RegisterTipClass()
{
    WNDCLASSA existing = {};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), kClassName, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.style = CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INFOBK + 1));
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
}

HFONT FontOf(HWND owner, const CFont& own)
{
    if (own.GetSafeHandle())
        return static_cast<HFONT>(own.GetSafeHandle());
    if (const auto font = reinterpret_cast<HFONT>(::SendMessageA(owner, WM_GETFONT, 0, 0)))
        return font;
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

UINT AlignmentFlag(int alignment)
{
    return alignment == 1 ? DT_CENTER : alignment == 2 ? DT_RIGHT : DT_LEFT;
}
} // namespace

FW_TABLE(COXItemTipWnd, CWnd, fw::on<WM_PAINT, &COXItemTipWnd::OnPaint>(),
         fw::on<WM_ERASEBKGND, &COXItemTipWnd::OnEraseBkgnd>())

BOOL COXItemTipWnd::Create(CWnd* owner, HBRUSH background)
{
    return Create(owner ? owner->GetSafeHwnd() : nullptr, background);
}

BOOL COXItemTipWnd::Create(HWND owner, HBRUSH background)
{
    if (!RegisterTipClass())
        return FALSE;
    m_owner = owner;
    m_background =
        background ? background : reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INFOBK + 1));
    return CreateEx(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0, owner,
                    nullptr);
}

void COXItemTipWnd::Show(const RECT& rect, const char* text, int offset, CFont* font,
                         COLORREF textColor, COLORREF backColor, int alignment)
{
    if (!m_hWnd || !IsOwnerActive())
        return;
    m_text = text;
    m_offset = offset;
    m_textColor = textColor;
    m_backColor = backColor;
    m_alignment = alignment;
    m_font.DeleteObject();
    LOGFONTA logFont;
    if (font && font->GetSafeHandle() && font->GetLogFont(&logFont))
        m_font.CreateFontIndirect(&logFont);

    RECT textRect = {0, 0, 0, 0};
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ oldFont = ::SelectObject(dc, FontOf(m_owner, m_font));
    ::DrawTextA(dc, m_text, m_text.GetLength(), &textRect,
                DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);

    RECT tip = rect;
    tip.right = std::max(tip.right, tip.left + textRect.right + 2 * offset);
    tip.bottom = std::max(tip.bottom, tip.top + textRect.bottom);
    const bool topmost = IsOwnerChainTopmost();
    FitIntoArea(tip, topmost);
    ::SetWindowPos(m_hWnd, topmost ? HWND_TOPMOST : nullptr, tip.left, tip.top,
                   tip.right - tip.left, tip.bottom - tip.top,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW | (topmost ? 0 : SWP_NOZORDER));
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
    m_hideTimer = SetTimer(kHideTimerId, kHideTimerMs);
}

void COXItemTipWnd::Hide(UINT msg, HWND target, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return;
    if (m_hideTimer)
        KillTimer(m_hideTimer);
    m_hideTimer = 0;
    ::ShowWindow(m_hWnd, SW_HIDE);
    if (!target)
        target = m_owner;
    if (msg && ::IsWindow(target))
        ::PostMessageA(target, msg, wParam, lParam);
}

BOOL COXItemTipWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd != m_hWnd)
        return FALSE;
    const UINT message = msg->message;
    if ((message == WM_TIMER && msg->wParam == kHideTimerId) || message == WM_MOUSEMOVE)
    {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        if (::WindowFromPoint(cursor) == m_hWnd)
            return TRUE; // still over the tip: it stays
        Hide();
        if (message == WM_TIMER)
            return TRUE;
    }
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
    {
        Hide(message, m_owner, msg->wParam, msg->lParam);
        return TRUE;
    }
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK)
    {
        ForwardMouseMessage(*msg);
        return TRUE;
    }
    return FALSE;
}

void COXItemTipWnd::OnPaint()
{
    CPaintDC dc(this);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    if (m_backColor != kDefaultColor)
        dc.FillSolidRect(0, 0, client.right, client.bottom, m_backColor);
    RECT textRect = {client.left + m_offset, client.top, client.right - m_offset, client.bottom};
    const HGDIOBJ oldFont = ::SelectObject(dc, FontOf(m_owner, m_font));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_textColor != kDefaultColor ? m_textColor : ::GetSysColor(COLOR_INFOTEXT));
    ::DrawTextA(dc, m_text, m_text.GetLength(), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | AlignmentFlag(m_alignment));
    ::SelectObject(dc, oldFont);
}

BOOL COXItemTipWnd::OnEraseBkgnd(CDC* dc)
{
    if (m_backColor != kDefaultColor)
        return TRUE; // painted with the colour
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    ::FillRect(dc->GetSafeHdc(), &client, m_background);
    return TRUE;
}

bool COXItemTipWnd::IsOwnerActive() const
{
    const HWND active = ::GetActiveWindow();
    if (!active || !::IsWindow(m_owner))
        return false;
    if (::GetWindowLongPtrA(m_owner, GWL_EXSTYLE) & WS_EX_TOPMOST)
        return true;
    // GetParent answers the owner of a popup, so this walks parents and owners alike.
    for (HWND hwnd = m_owner; hwnd; hwnd = ::GetParent(hwnd))
    {
        if (hwnd == active)
            return true;
    }
    return false;
}

bool COXItemTipWnd::IsOwnerChainTopmost() const
{
    for (HWND hwnd = m_owner; hwnd; hwnd = ::GetParent(hwnd))
    {
        if (::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST)
            return true;
    }
    return false;
}

void COXItemTipWnd::FitIntoArea(RECT& rect, bool wholeScreen) const
{
    RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (!wholeScreen)
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    if (rect.right > area.right)
        ::OffsetRect(&rect, area.right - rect.right, 0);
    if (rect.left < area.left)
        ::OffsetRect(&rect, area.left - rect.left, 0);
}

void COXItemTipWnd::ForwardMouseMessage(const MSG& msg)
{
    POINT screen = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    ::ClientToScreen(m_hWnd, &screen);
    // Out of the way first, so that the window beneath is found as if the tip were not there.
    ::ShowWindow(m_hWnd, SW_HIDE);
    HWND target = ::WindowFromPoint(screen);
    if (!target || target == m_hWnd)
        target = m_owner;
    if (!::IsWindow(target))
    {
        Hide();
        return;
    }
    const LRESULT hit = ::SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit != HTCLIENT)
    {
        // The matching non-client message: WM_NCMOUSEMOVE... in the same order.
        Hide(msg.message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, target, static_cast<WPARAM>(hit),
             MAKELPARAM(screen.x, screen.y));
        return;
    }
    POINT client = screen;
    ::ScreenToClient(target, &client);
    Hide(msg.message, target, msg.wParam, MAKELPARAM(client.x, client.y));
}
