// The tip window: tools, the wait and check timers, size and place of a tip, and its painting
// with the mark of a two-part text.
#include "widgets/controls/OXToolTipWnd.h"

#include "platform/win/dc.h"
#include "widgets/bars/AnsiText.h"

#include <algorithm>

namespace
{
constexpr char kClassName[] = "OXToolTipWnd";

bool RegisterTipClass()
{
    WNDCLASSA existing = {};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), kClassName, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.style = CS_SAVEBITS | CS_CLASSDC;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
}

LOGFONTA SystemStatusFont()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfStatusFont;
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && lstrcmpiA(a.lfFaceName, b.lfFaceName) == 0;
}

COLORREF Resolve(COLORREF color, int systemIndex)
{
    return color == COXToolTipWnd::kSystemColor ? ::GetSysColor(systemIndex) : color;
}

// The part of text up to its first line feed.
CString FirstLine(const CString& text)
{
    const int end = text.Find('\n');
    return end < 0 ? text : text.Left(end);
}

int TextWidth(HDC dc, const CString& text)
{
    // The tip's font comes from the system metrics with a Western character set: measured
    // as wide text, as it is drawn, so that Japanese tips keep their glyphs.
    SIZE size = {0, 0};
    const std::wstring wide = AnsiToWide(text, text.GetLength());
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}
} // namespace

FW_TABLE(COXToolTipWnd, CWnd, fw::on<WM_PAINT, &COXToolTipWnd::OnPaint>(),
         fw::on<WM_ERASEBKGND, &COXToolTipWnd::OnEraseBkgnd>(),
         fw::on<WM_TIMER, &COXToolTipWnd::OnTimer>(),
         fw::on<WM_DESTROY, &COXToolTipWnd::OnDestroy>(),
         fw::raw<WM_LBUTTONDOWN, &COXToolTipWnd::OnLButtonDown>(),
         fw::raw<WM_MOUSEACTIVATE, &COXToolTipWnd::OnMouseActivate>(),
         fw::raw<WM_SETFONT, &COXToolTipWnd::OnSetFont>(),
         fw::raw<WM_GETFONT, &COXToolTipWnd::OnGetFont>(),
         fw::raw<WM_SETTINGCHANGE, &COXToolTipWnd::OnSettingChange>())

COXToolTipWnd::~COXToolTipWnd()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_font)
        ::DeleteObject(m_font);
}

BOOL COXToolTipWnd::Create(CWnd* owner)
{
    if (!RegisterTipClass())
        return FALSE;
    m_owner = owner ? owner->GetSafeHwnd() : nullptr;
    if (!CreateEx(WS_EX_TOPMOST, kClassName, "", WS_POPUP, 0, 0, 10, 10, m_owner, nullptr))
        return FALSE;
    const LOGFONTA status = SystemStatusFont();
    SetFont(&status, FALSE);
    return TRUE;
}

BOOL COXToolTipWnd::AddTool(CWnd* wnd, const char* text, LPCRECT rect, UINT_PTR id)
{
    if (wnd == nullptr || wnd->GetSafeHwnd() == nullptr)
        return FALSE;
    auto tool = std::make_unique<COXToolRecord>();
    tool->hwnd = wnd->GetSafeHwnd();
    tool->id = id;
    if (text == LPSTR_TEXTCALLBACKA)
        tool->callback = -1;
    else if (text)
        tool->text = text;
    RECT area = {0, 0, 0, 0};
    if (rect)
    {
        area = *rect;
        ::MapWindowPoints(tool->hwnd, m_owner, reinterpret_cast<POINT*>(&area), 2);
    }
    else
    {
        ::GetWindowRect(tool->hwnd, &area);
        ::MapWindowPoints(nullptr, m_owner, reinterpret_cast<POINT*>(&area), 2);
    }
    tool->rect = area;
    tool->maxWidth = m_maxWidth;
    tool->textColor = m_textColor;
    tool->backColor = m_backColor;
    m_tools.push_back(std::move(tool));
    return TRUE;
}

BOOL COXToolTipWnd::AddTool(CWnd* wnd, UINT textId, LPCRECT rect, UINT_PTR id)
{
    char text[512] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), textId, text, sizeof text);
    return AddTool(wnd, text, rect, id);
}

void COXToolTipWnd::DelTool(CWnd* wnd, UINT_PTR id)
{
    const HWND hwnd = wnd ? wnd->GetSafeHwnd() : nullptr;
    for (auto it = m_tools.begin(); it != m_tools.end();)
    {
        if ((*it)->hwnd != hwnd || (*it)->id != id)
        {
            ++it;
            continue;
        }
        if (it->get() == m_current)
        {
            StopTimers();
            Hide();
            m_current = nullptr;
        }
        it = m_tools.erase(it);
    }
}

void COXToolTipWnd::RelayEvent(const MSG* msg)
{
    if (msg == nullptr || m_hWnd == nullptr)
        return;
    switch (msg->message)
    {
    case WM_MOUSEMOVE:
    {
        POINT point = {static_cast<short>(LOWORD(msg->lParam)),
                       static_cast<short>(HIWORD(msg->lParam))};
        ::MapWindowPoints(msg->hwnd, m_owner, &point, 1);
        OXTOOLINFO info = {};
        info.cbSize = sizeof info;
        COXToolRecord* tool = nullptr;
        if (HitTest(CWnd::FromHandle(msg->hwnd), point, &info))
            tool = FindTool(info.hwnd, info.uId);
        if (tool)
        {
            if (tool == m_current || (IsTipShown() && IsCursorOverTip()))
                return;
            StopTimers();
            Hide();
            m_bHidden = FALSE;
            m_current = tool;
            SetTimer(kWaitTimer, static_cast<UINT>(m_initialMs));
        }
        else if (!IsTipShown())
        {
            m_current = nullptr;
        }
        return;
    }
    case WM_LBUTTONDOWN:
        if (!(IsTipShown() && IsCursorOverTip()))
            Hide();
        return;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK: Hide(); return;
    default:
        if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
            Hide();
        return;
    }
}

BOOL COXToolTipWnd::HitTest(CWnd* wnd, CPoint point, OXTOOLINFO* info) const
{
    const HWND hwnd = wnd ? wnd->GetSafeHwnd() : nullptr;
    for (const auto& tool : m_tools)
    {
        if (tool->hwnd != hwnd && !::IsChild(tool->hwnd, hwnd))
            continue;
        if (!::PtInRect(&tool->rect, point))
            continue;
        if (info)
            GetToolInfo(info, CWnd::FromHandle(tool->hwnd), tool->id);
        POINT screen = point;
        ::ClientToScreen(m_owner, &screen);
        HWND under = ::WindowFromPoint(screen);
        if (under == m_owner)
            under = ::ChildWindowFromPointEx(m_owner, point, CWP_SKIPINVISIBLE);
        return under == tool->hwnd || ::IsChild(tool->hwnd, under);
    }
    return FALSE;
}

BOOL COXToolTipWnd::GetToolInfo(OXTOOLINFO* info, CWnd* wnd, UINT_PTR id) const
{
    const COXToolRecord* tool = FindTool(wnd ? wnd->GetSafeHwnd() : nullptr, id);
    if (tool == nullptr || info == nullptr)
        return FALSE;
    info->cbSize = sizeof *info;
    info->uFlags = tool->flags;
    info->hwnd = tool->hwnd;
    info->uId = tool->id;
    info->rect = tool->rect;
    info->hinst = nullptr;
    info->lpszText =
        tool->callback ? LPSTR_TEXTCALLBACKA : const_cast<LPSTR>(tool->text.GetString());
    info->lParam = tool->reserved;
    info->nWidth = tool->maxWidth;
    info->clrTextColor = tool->textColor;
    info->clrBackColor = tool->backColor;
    return TRUE;
}

void COXToolTipWnd::SetToolInfo(const OXTOOLINFO* info)
{
    COXToolRecord* tool = info ? FindTool(info->hwnd, info->uId) : nullptr;
    if (tool == nullptr)
        return;
    tool->flags = info->uFlags;
    tool->callback = info->lpszText == LPSTR_TEXTCALLBACKA ? -1 : 0;
    tool->text = tool->callback || info->lpszText == nullptr ? "" : info->lpszText;
    tool->rect = info->rect;
    tool->maxWidth = info->nWidth;
    tool->textColor = info->clrTextColor;
    tool->backColor = info->clrBackColor;
}

void COXToolTipWnd::SetDelayTime(DWORD type, int timeMs)
{
    if (type == TTDT_AUTOPOP)
        m_showMs = timeMs;
    else if (type == TTDT_INITIAL)
        m_initialMs = timeMs;
}

int COXToolTipWnd::GetDelayTime(DWORD type) const
{
    return type == TTDT_AUTOPOP ? m_showMs : type == TTDT_INITIAL ? m_initialMs : 0;
}

void COXToolTipWnd::SetMaxTipWidth(int width)
{
    for (auto& tool : m_tools)
        if (tool->maxWidth == m_maxWidth)
            tool->maxWidth = width;
    m_maxWidth = width;
}

void COXToolTipWnd::SetTipBkColor(COLORREF color)
{
    for (auto& tool : m_tools)
        if (tool->backColor == m_backColor)
            tool->backColor = color;
    m_backColor = color;
}

void COXToolTipWnd::SetTipTextColor(COLORREF color)
{
    for (auto& tool : m_tools)
        if (tool->textColor == m_textColor)
            tool->textColor = color;
    m_textColor = color;
}

void COXToolTipWnd::SetFont(const LOGFONTA* logFont, BOOL redraw)
{
    if (logFont == nullptr)
        return;
    m_logFont = *logFont;
    m_bSystemFont = SameFont(m_logFont, SystemStatusFont());
    MakeFont();
    if (redraw && m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

CRect COXToolTipWnd::CalcPosition(CPoint point, const COXToolRecord* tool, CSize size) const
{
    CRect rect(point, size);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    if (rect.right > screenWidth)
        rect.OffsetRect(screenWidth - rect.right, 0);
    if (rect.left < 0)
        rect.OffsetRect(-rect.left, 0);
    if (rect.bottom > screenHeight && tool)
    {
        RECT toolWindow = {0, 0, 0, 0};
        ::GetWindowRect(tool->hwnd, &toolWindow);
        rect.OffsetRect(0, toolWindow.top - rect.bottom);
    }
    return rect;
}

CSize COXToolTipWnd::CalcSize(int maxWidth, const CString& text) const
{
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    int width = maxWidth;
    if (width <= 0)
    {
        width = 0;
        int start = 0;
        while (start <= text.GetLength())
        {
            int end = text.Find('\n', start);
            if (end < 0)
                end = text.GetLength();
            width = std::max(width, TextWidth(dc, text.Mid(start, end - start)));
            start = end + 1;
        }
    }
    RECT rect = {0, 0, width, 0};
    DrawAnsiText(dc, text, text.GetLength(), &rect, m_format | DT_CALCRECT);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);
    return CSize(rect.right - rect.left + m_margins.left + m_margins.right,
                 rect.bottom - rect.top + m_margins.top + m_margins.bottom);
}

void COXToolTipWnd::OnPaint()
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const COLORREF back = m_current ? m_current->backColor : m_backColor;
    const COLORREF fore = m_current ? m_current->textColor : m_textColor;
    const HBRUSH brush = ::CreateSolidBrush(Resolve(back, COLOR_INFOBK));
    ::FillRect(dc, &client, brush);
    ::DeleteObject(brush);
    const HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(HOLLOW_BRUSH));
    ::Rectangle(dc, client.left, client.top, client.right, client.bottom);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);

    const HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Resolve(fore, COLOR_INFOTEXT));
    RECT textRect = {client.left + m_margins.left, client.top + m_margins.top,
                     client.right - m_margins.right, client.bottom - m_margins.bottom};
    DrawAnsiText(dc, m_shownText, m_shownText.GetLength(), &textRect, m_format);
    if (m_bTwoPart)
        DrawMark(dc, textRect);
    ::SelectObject(dc, oldFont);
    ::EndPaint(m_hWnd, &paint);
}

BOOL COXToolTipWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COXToolTipWnd::OnTimer(UINT_PTR id)
{
    if (id == kWaitTimer)
    {
        KillTimer(kWaitTimer);
        if (m_current && ToolAtCursor() == m_current)
        {
            POINT cursor;
            ::GetCursorPos(&cursor);
            ShowAt(CPoint(cursor) + m_cursorOffset, false);
            m_elapsedMs = 0;
            SetTimer(kCheckTimer, static_cast<UINT>(m_checkMs));
        }
        return;
    }
    if (id != kCheckTimer)
        return;
    m_elapsedMs += m_checkMs;
    const COXToolRecord* under = ToolAtCursor();
    if (under && under != m_current)
    {
        KillTimer(kCheckTimer);
        Hide();
        return;
    }
    if (under == m_current && m_elapsedMs < m_showMs)
        return;
    if (IsTipShown() && IsCursorOverTip())
        return;
    KillTimer(kCheckTimer);
    Hide();
}

void COXToolTipWnd::OnDestroy()
{
    StopTimers();
    CWnd::OnDestroy();
}

LRESULT COXToolTipWnd::OnLButtonDown(WPARAM, LPARAM)
{
    if (m_current && IsTipShown())
    {
        if (m_bTwoPart)
        {
            RECT window;
            ::GetWindowRect(m_hWnd, &window);
            ShowAt(CPoint(window.left, window.top), !m_bExpanded);
        }
        if (m_previousFocus && ::IsWindow(m_previousFocus))
            ::SetFocus(m_previousFocus);
    }
    return 0;
}

LRESULT COXToolTipWnd::OnMouseActivate(WPARAM, LPARAM)
{
    m_previousFocus = ::GetFocus();
    return MA_NOACTIVATE;
}

LRESULT COXToolTipWnd::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    LOGFONTA logFont = {};
    if (!wParam || !::GetObjectA(reinterpret_cast<HFONT>(wParam), sizeof logFont, &logFont))
        logFont = SystemStatusFont();
    SetFont(&logFont, static_cast<BOOL>(lParam));
    return 0;
}

LRESULT COXToolTipWnd::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_font);
}

LRESULT COXToolTipWnd::OnSettingChange(WPARAM, LPARAM)
{
    if (m_bSystemFont)
    {
        const LOGFONTA status = SystemStatusFont();
        SetFont(&status, TRUE);
    }
    return Default();
}

COXToolRecord* COXToolTipWnd::FindTool(HWND hwnd, UINT_PTR id) const
{
    for (const auto& tool : m_tools)
        if (tool->hwnd == hwnd && tool->id == id)
            return tool.get();
    return nullptr;
}

COXToolRecord* COXToolTipWnd::ToolAtCursor() const
{
    POINT screen;
    ::GetCursorPos(&screen);
    const HWND under = ::WindowFromPoint(screen);
    if (under == nullptr || under == m_hWnd)
        return nullptr;
    OXTOOLINFO info = {};
    info.cbSize = sizeof info;
    if (!HitTest(CWnd::FromHandle(under), CursorInOwner(), &info))
        return nullptr;
    return FindTool(info.hwnd, info.uId);
}

bool COXToolTipWnd::IsCursorOverTip() const
{
    POINT screen;
    ::GetCursorPos(&screen);
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    return ::PtInRect(&window, screen) != FALSE;
}

CPoint COXToolTipWnd::CursorInOwner() const
{
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_owner, &point);
    return CPoint(point);
}

void COXToolTipWnd::StopTimers()
{
    if (!m_hWnd)
        return;
    KillTimer(kWaitTimer);
    KillTimer(kCheckTimer);
}

void COXToolTipWnd::Hide()
{
    if (m_hWnd)
        ::ShowWindow(m_hWnd, SW_HIDE);
    m_bHidden = TRUE;
}

void COXToolTipWnd::ShowAt(CPoint screenPoint, bool expanded)
{
    if (!m_bActive || m_current == nullptr)
        return;
    m_fullText = TextOf(*m_current);
    if (m_fullText.IsEmpty())
        return;
    const int split = m_fullText.Find('\r');
    m_bTwoPart = split >= 0;
    m_bExpanded = m_bTwoPart && expanded;
    if (!m_bTwoPart)
        m_shownText = m_fullText;
    else if (!m_bExpanded)
        m_shownText = m_fullText.Left(split) + "  ";
    else
        m_shownText = CString("  ") + m_fullText.Mid(split + 1);
    const CSize size = CalcSize(m_current->maxWidth, m_shownText);
    const CRect place = CalcPosition(screenPoint, m_current, size);
    ::SetWindowPos(m_hWnd, nullptr, place.left, place.top, place.Width(), place.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    m_bHidden = FALSE;
}

CString COXToolTipWnd::TextOf(COXToolRecord& tool) const
{
    if (!tool.callback)
        return tool.text;
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(tool.hwnd));
    info.hdr.code = TTN_NEEDTEXTA;
    ::SendMessageA(m_owner, WM_NOTIFY, static_cast<WPARAM>(tool.id),
                   reinterpret_cast<LPARAM>(&info));
    if (info.hinst && info.lpszText && IS_INTRESOURCE(info.lpszText))
    {
        char text[512] = {};
        ::LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)),
                      text, sizeof text);
        return text;
    }
    if (info.lpszText && !IS_INTRESOURCE(info.lpszText))
        return info.lpszText;
    return info.szText;
}

void COXToolTipWnd::MakeFont()
{
    if (m_font)
        ::DeleteObject(m_font);
    m_font = ::CreateFontIndirectA(&m_logFont);
}

// A filled black triangle in the two-space gap of the first line: pointing right at the end of
// the short part, left at the start of the long one.
void COXToolTipWnd::DrawMark(HDC dc, const RECT& textRect) const
{
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    const int inset = std::max(metrics.tmInternalLeading + metrics.tmExternalLeading,
                               static_cast<LONG>(metrics.tmDescent));
    const int top = textRect.top + inset;
    const int bottom = textRect.top + std::max(lineHeight - inset, inset + 1);
    const int middle = textRect.top + lineHeight / 2;
    const int halfChar = metrics.tmAveCharWidth / 2;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    POINT points[3];
    if (!m_bExpanded)
    {
        CString line = FirstLine(m_shownText);
        line.TrimRight(' ');
        const int side = textRect.left + TextWidth(dc, line) + halfChar;
        const int apex = client.right - m_margins.right;
        points[0] = {side, top};
        points[1] = {side, bottom};
        points[2] = {std::max(apex, side + 1), middle};
    }
    else
    {
        const int side = textRect.left + TextWidth(dc, "  ") - halfChar;
        const int apex = client.left + m_margins.left;
        points[0] = {side, top};
        points[1] = {side, bottom};
        points[2] = {std::min(apex, side - 1), middle};
    }
    const HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(BLACK_BRUSH));
    ::Polygon(dc, points, 3);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
}
