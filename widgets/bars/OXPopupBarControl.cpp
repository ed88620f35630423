// The popup bar: creation, layout, placement beside its anchor, the modal pick loop with the
// click outside passed on, mouse and keys, drawing of frames, and the tear-off drag.
#include "widgets/bars/OXPopupBarControl.h"

#include "platform/win/privmsg.h"
#include "resources/ids/widgets_ids.h"

#include <algorithm>

namespace
{
constexpr char kClassName[] = "PopupBarControl";
constexpr DWORD kSyncActive = 0x100; // caption follows the main window's active state

// The loop's end is told by messages the bar posts to itself.
const UINT g_msgOK = ::RegisterWindowMessageA("_POPUPBAR_OK_");
const UINT g_msgCancel = ::RegisterWindowMessageA("_POPUPBAR_CANCEL_");
const UINT g_msgCustom = ::RegisterWindowMessageA("_POPUPBAR_CUSTOMBUTTONPICKED_");
const UINT g_msgTearOff = ::RegisterWindowMessageA("_POPUPBAR_TEAROFF_");

// Layout margins in pixels.
constexpr RECT kWindowInset = {4, 2, 4, 2};
constexpr int kTearOffLeft = 6;
constexpr int kTearOffTop = 1;
constexpr int kTearOffHeight = 6;
constexpr int kTearOffSpace = 7; // what the strip adds to the height
constexpr int kButtonTextPad = 8;
constexpr int kButtonGap = 2;

CString LoadText(UINT id)
{
    char text[256] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

bool RegisterBarClass()
{
    WNDCLASSA existing = {};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), kClassName, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
}

void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const auto fill = [dc](int x, int y, int w, int h, COLORREF colour)
    {
        const RECT r = {x, y, x + w, y + h};
        const HBRUSH brush = ::CreateSolidBrush(colour);
        ::FillRect(dc, &r, brush);
        ::DeleteObject(brush);
    };
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    fill(rect.left, rect.top, w - 1, 1, topLeft);
    fill(rect.left, rect.top, 1, h - 1, topLeft);
    fill(rect.right - 1, rect.top, 1, h, bottomRight);
    fill(rect.left, rect.bottom - 1, w, 1, bottomRight);
}

// The working area: the whole desktop for a topmost application, else the system's work area.
RECT WorkingArea()
{
    RECT area = {0, 0, 0, 0};
    const HWND main = ::GetAncestor(::GetActiveWindow(), GA_ROOTOWNER);
    if (main && (::GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST))
        ::GetWindowRect(::GetDesktopWindow(), &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}
} // namespace

FW_TABLE(COXPopupBarControl, CWnd, fw::raw<WM_PAINT, &COXPopupBarControl::OnPaintMessage>(),
         fw::raw<WM_ERASEBKGND, &COXPopupBarControl::OnEraseBackground>(),
         fw::raw<WM_LBUTTONDOWN, &COXPopupBarControl::OnButtonDownMessage>(),
         fw::raw<WM_RBUTTONDOWN, &COXPopupBarControl::OnButtonDownMessage>(),
         fw::raw<WM_LBUTTONUP, &COXPopupBarControl::OnButtonUpMessage>(),
         fw::raw<WM_RBUTTONUP, &COXPopupBarControl::OnButtonUpMessage>(),
         fw::raw<WM_MOUSEMOVE, &COXPopupBarControl::OnMouseMoveMessage>(),
         fw::raw<WM_KEYDOWN, &COXPopupBarControl::OnKeyDownMessage>(),
         fw::raw<WM_SYSKEYDOWN, &COXPopupBarControl::OnKeyDownMessage>(),
         fw::raw<WM_KEYUP, &COXPopupBarControl::OnKeyUpMessage>(),
         fw::raw<WM_SYSKEYUP, &COXPopupBarControl::OnKeyUpMessage>(),
         fw::raw<WM_TIMER, &COXPopupBarControl::OnTimerMessage>(),
         fw::raw<WM_CLOSE, &COXPopupBarControl::OnCloseMessage>(),
         fw::raw<WM_ACTIVATE, &COXPopupBarControl::OnActivateMessage>(),
         fw::raw<WM_FLOATSTATUS, &COXPopupBarControl::OnFloatStatus>(),
         fw::raw<WM_NCACTIVATE, &COXPopupBarControl::OnNcActivateMessage>(),
         fw::raw<WM_QUERYNEWPALETTE, &COXPopupBarControl::OnPaletteMessage>(),
         fw::raw<WM_PALETTECHANGED, &COXPopupBarControl::OnPaletteMessage>(),
         fw::raw<WM_DESTROY, &COXPopupBarControl::OnDestroyMessage>())

COXPopupBarControl::COXPopupBarControl(int count, int rows, DWORD defaultValue, int buttonWidth,
                                       int buttonHeight, UINT defaultTextId, UINT customTextId)
{
    Init(count, rows, defaultValue, buttonWidth, buttonHeight);
    m_defaultText = LoadText(defaultTextId);
    m_customText = LoadText(customTextId);
}

COXPopupBarControl::COXPopupBarControl(int count, int rows, DWORD defaultValue, int buttonWidth,
                                       int buttonHeight, const char* defaultText,
                                       const char* customText)
{
    Init(count, rows, defaultValue, buttonWidth, buttonHeight);
    m_defaultText = defaultText ? defaultText : "";
    m_customText = customText ? customText : "";
}

void COXPopupBarControl::Init(int count, int rows, DWORD defaultValue, int buttonWidth,
                              int buttonHeight)
{
    m_count = std::max(count, 0);
    m_rows = std::max(rows, 1); // a bar of no rows would divide by zero
    m_defaultValue = defaultValue;
    m_buttonWidth = buttonWidth;
    m_buttonHeight = buttonHeight;
    m_tearOffText = LoadText(IDS_OXPOPUP_TEAROFF);
    m_caption = LoadText(IDS_OXPOPUP_CAPTION);
}

COXPopupBarControl::~COXPopupBarControl()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_font)
        ::DeleteObject(m_font);
}

BOOL COXPopupBarControl::Create(CWnd* owner, DWORD styleFlags, HBRUSH background)
{
    m_owner = owner;
    m_styleFlags = styleFlags;
    m_background = background;
    return CreateWindowOf(m_bTornOff);
}

BOOL COXPopupBarControl::CreateWindowOf(BOOL tornOff)
{
    if (!RegisterBarClass())
        return FALSE;
    m_bTornOff = tornOff;
    const HWND owner = m_owner ? m_owner->GetSafeHwnd() : nullptr;
    const BOOL created =
        tornOff
            ? CreateEx(WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW, kClassName, m_caption,
                       WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | kSyncActive, 0, 0, 0, 0,
                       owner, nullptr)
            : CreateEx(WS_EX_DLGMODALFRAME, kClassName, "", WS_POPUP, 0, 0, 0, 0, owner, nullptr);
    if (!created)
        return FALSE;
    if (!SetTimer(kTimerId, kTimerMs) || !m_toolTip.Create(this))
    {
        DestroyWindow();
        return FALSE;
    }
    if (tornOff)
    {
        const HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
        for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
            ::DeleteMenu(menu, command, MF_BYCOMMAND);
    }
    return TRUE;
}

BOOL COXPopupBarControl::Pick(UINT alignment, const RECT* anchor, int dx, int dy)
{
    if (m_bTornOff)
    {
        DestroyWindow();
        if (!CreateWindowOf(FALSE))
            return FALSE;
    }
    if (!m_hWnd)
        return FALSE;
    if (static_cast<int>(m_values.size()) < m_count)
        m_values.resize(static_cast<size_t>(m_count), 0);
    RECT anchorRect = {0, 0, 0, 0};
    if (anchor)
        anchorRect = *anchor;
    else if (m_owner && m_owner->GetSafeHwnd())
        m_owner->GetWindowRect(&anchorRect);
    if (!Layout() || !Place(alignment, anchorRect, dx, dy))
        return FALSE;

    m_hotIndex = -1;
    m_lastMouse = CPoint(-1, -1); // a cursor resting on a button makes it hot again
    m_selectedIndex = m_selectedValue == kNone ? -1 : IndexFromValue(m_selectedValue);
    m_bPressed = FALSE;
    m_bTearOffArmed = FALSE;
    RebuildToolTips();
    SetWindowPos(nullptr, m_windowRect.left, m_windowRect.top, m_windowRect.Width(),
                 m_windowRect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    UpdateWindow();
    ::SetCapture(m_hWnd);
    // Taking the focus activates the bar, and SetFocus then answers with the bar itself: the
    // window to give the activation and the focus back to is read before.
    const HWND previousActive = ::GetActiveWindow();
    const HWND previousFocus = ::GetFocus();
    ::SetFocus(m_hWnd);

    MSG click = {};
    const int result = RunLoop(click);
    if (result != kTearOff)
        ShowWindow(SW_HIDE);
    BOOL picked = result == kOK;
    if (result == kCustom)
        picked = OnCustomButton();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (previousActive && ::IsWindow(previousActive))
        ::SetActiveWindow(previousActive);
    if (previousFocus && ::IsWindow(previousFocus))
        ::SetFocus(previousFocus);
    if (click.hwnd && result == kCancel)
        PassClickOn(click);
    if (result == kTearOff)
        TearOffDrag();
    return picked;
}

// The click that ended the loop, if one did, comes back in click.
int COXPopupBarControl::RunLoop(MSG& click)
{
    m_result = kRunning;
    click = MSG();
    MSG msg = {};
    while (::GetCapture() == m_hWnd && ::GetMessageA(&msg, nullptr, 0, 0))
    {
        m_toolTip.RelayEvent(&msg);
        if (::GetCapture() != m_hWnd)
            break;
        const UINT message = msg.message;
        if (message == g_msgOK || message == g_msgCancel)
        {
            m_result = message == g_msgOK ? kOK : kCancel;
        }
        else if (message == g_msgCustom || message == g_msgTearOff)
        {
            m_result = message == g_msgCustom ? kCustom : kTearOff;
            break;
        }
        else if (message == WM_SYSKEYDOWN && msg.hwnd == m_hWnd)
        {
            OnKeyDownMessage(msg.wParam, msg.lParam);
        }
        else if (message == WM_SYSKEYUP && msg.hwnd == m_hWnd)
        {
            OnKeyUpMessage(msg.wParam, msg.lParam);
        }
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (message == WM_LBUTTONDOWN)
        {
            click = msg;
        }
        else if (m_result != kRunning)
        {
            break;
        }
    }
    if (msg.message == WM_QUIT)
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    if (m_result == kRunning)
        m_result = kCancel; // the capture went elsewhere
    return m_result;
}

// A click outside the bar ended it: the window under the point gets the click as if the bar
// had never been there.
void COXPopupBarControl::PassClickOn(const MSG& click)
{
    POINT screen = {static_cast<short>(LOWORD(click.lParam)),
                    static_cast<short>(HIWORD(click.lParam))};
    ::ClientToScreen(click.hwnd, &screen);
    RECT window;
    GetWindowRect(&window);
    if (::PtInRect(&window, screen))
        return;
    const HWND target = ::WindowFromPoint(screen);
    if (!target)
        return;
    const LRESULT hit = ::SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTCLIENT)
    {
        POINT client = screen;
        ::ScreenToClient(target, &client);
        ::PostMessageA(target, WM_LBUTTONDOWN, click.wParam, MAKELPARAM(client.x, client.y));
    }
    else
    {
        ::PostMessageA(target, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit),
                       MAKELPARAM(screen.x, screen.y));
    }
}

int COXPopupBarControl::GetColumns() const
{
    const int columns = m_count / m_rows + (m_count % m_rows ? 1 : 0);
    return std::max(columns, 1);
}

BOOL COXPopupBarControl::Layout()
{
    m_defaultRect.SetRectEmpty();
    m_customRect.SetRectEmpty();
    m_tearOffRect.SetRectEmpty();
    m_buttonRects.assign(static_cast<size_t>(m_count), CRect());
    const int columns = GetColumns();
    const int frameX = ::GetSystemMetrics(SM_CXDLGFRAME);
    const int frameY = ::GetSystemMetrics(SM_CYDLGFRAME);
    const int clientWidth = m_buttonWidth * columns + kWindowInset.left + kWindowInset.right;
    int clientHeight = m_buttonHeight * m_rows + kWindowInset.top + kWindowInset.bottom;
    if (!m_font)
    {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof metrics;
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        m_font = ::CreateFontIndirectA(&metrics.lfStatusFont);
    }
    const auto textHeight = [&](const CString& text)
    {
        const HDC dc = ::GetDC(m_hWnd);
        const HGDIOBJ old = ::SelectObject(dc, m_font);
        RECT rect = {0, 0, clientWidth, 0};
        ::DrawTextA(dc, text.IsEmpty() ? " " : text.GetString(), -1, &rect,
                    DT_CALCRECT | DT_SINGLELINE);
        ::SelectObject(dc, old);
        ::ReleaseDC(m_hWnd, dc);
        return static_cast<int>(rect.bottom - rect.top);
    };

    int gridTop = kWindowInset.top;
    if (HasTearOff())
    {
        m_tearOffRect = CRect(kTearOffLeft, kTearOffTop, clientWidth - kTearOffLeft,
                              kTearOffTop + kTearOffHeight);
        clientHeight += kTearOffSpace;
        gridTop += kTearOffSpace;
    }
    if (HasDefaultButton())
    {
        const int height = textHeight(m_defaultText) + kButtonTextPad;
        m_defaultRect =
            CRect(kWindowInset.left, gridTop, clientWidth - kWindowInset.right, gridTop + height);
        clientHeight += height + kButtonGap;
        gridTop += height + kButtonGap;
    }
    if (HasCustomButton())
    {
        const int height = textHeight(m_customText) + kButtonTextPad;
        m_customRect = CRect(kWindowInset.left, clientHeight, clientWidth - kWindowInset.right,
                             clientHeight + height);
        clientHeight += height + kButtonGap;
    }
    for (int i = 0; i < m_count; ++i)
    {
        const int x = kWindowInset.left + (i % columns) * m_buttonWidth;
        const int y = gridTop + (i / columns) * m_buttonHeight;
        m_buttonRects[static_cast<size_t>(i)] = CRect(x, y, x + m_buttonWidth, y + m_buttonHeight);
    }
    int height = clientHeight + 2 * frameY;
    if (m_bTornOff)
        height += ::GetSystemMetrics(SM_CYSMCAPTION);
    m_windowRect = CRect(0, 0, clientWidth + 2 * frameX, height);
    return TRUE;
}

BOOL COXPopupBarControl::Place(UINT alignment, const RECT& anchor, int dx, int dy)
{
    const RECT area = WorkingArea();
    const int w = m_windowRect.Width();
    const int h = m_windowRect.Height();
    if (w > area.right - area.left || h > area.bottom - area.top)
        return FALSE;
    const bool sideways = alignment == kLeftTop || alignment == kRightTop ||
                          alignment == kLeftBottom || alignment == kRightBottom;
    const bool towardsLow = alignment == kLeftTop || alignment == kLeftBottom ||
                            alignment == kAboveLeft || alignment == kAboveRight;
    int x = 0;
    int y = 0;
    if (sideways)
    {
        y = alignment == kLeftTop || alignment == kRightTop ? anchor.top + dy
                                                            : anchor.bottom - h - dy;
        const int before = anchor.left - w - dx;
        const int after = anchor.right + dx;
        const bool fitsBefore = before >= area.left;
        const bool fitsAfter = after + w <= area.right;
        if (towardsLow ? fitsBefore : fitsAfter)
            x = towardsLow ? before : after;
        else if (towardsLow ? fitsAfter : fitsBefore)
            x = towardsLow ? after : before;
        else
            return FALSE;
    }
    else
    {
        x = alignment == kAboveLeft || alignment == kBelowLeft ? anchor.left + dx
                                                               : anchor.right - w - dx;
        const int above = anchor.top - h - dy;
        const int below = anchor.bottom + dy;
        const bool fitsAbove = above >= area.top;
        const bool fitsBelow = below + h <= area.bottom;
        if (towardsLow ? fitsAbove : fitsBelow)
            y = towardsLow ? above : below;
        else if (towardsLow ? fitsBelow : fitsAbove)
            y = towardsLow ? below : above;
        else
            return FALSE;
    }
    if (x < area.left)
        x = area.left;
    else if (x + w > area.right)
        x = area.right - w;
    if (y < area.top)
        y = area.top;
    else if (y + h > area.bottom)
        y = area.bottom - h;
    m_windowRect = CRect(x, y, x + w, y + h);
    return TRUE;
}

void COXPopupBarControl::RebuildToolTips()
{
    if (!m_toolTip.GetSafeHwnd())
        return;
    while (m_toolTip.GetToolCount() > 0)
    {
        TOOLINFOA info = {};
        info.cbSize = sizeof info;
        if (!m_toolTip.SendMessage(TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info)))
            break;
        m_toolTip.SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    for (int i = 0; i < m_count; ++i)
    {
        const auto text = m_toolTipTexts.find(m_values[static_cast<size_t>(i)]);
        if (text != m_toolTipTexts.end())
            m_toolTip.AddTool(this, text->second, &m_buttonRects[static_cast<size_t>(i)],
                              static_cast<UINT_PTR>(i + 1));
    }
    if (HasDefaultButton())
        m_toolTip.AddTool(this, m_defaultText, &m_defaultRect, static_cast<UINT_PTR>(m_count + 1));
    if (HasCustomButton())
        m_toolTip.AddTool(this, m_customText, &m_customRect, static_cast<UINT_PTR>(m_count + 2));
    if (HasTearOff())
        m_toolTip.AddTool(this, m_tearOffText, &m_tearOffRect, static_cast<UINT_PTR>(m_count + 3));
    m_toolTip.Activate(!(m_styleFlags & kNoToolTips));
}

void COXPopupBarControl::SetButtons(const DWORD* values, int count)
{
    if (m_bTornOff && m_hWnd)
        ShowWindow(SW_HIDE);
    m_values.assign(values, values + std::max(count, 0));
}

void COXPopupBarControl::SetButtons(const std::vector<DWORD>& values)
{
    SetButtons(values.data(), static_cast<int>(values.size()));
}

void COXPopupBarControl::SetToolTipTexts(const std::map<DWORD, CString>& texts)
{
    m_toolTipTexts = texts;
}

void COXPopupBarControl::SetToolTipTexts(const std::pair<DWORD, UINT>* table, int count)
{
    m_toolTipTexts.clear();
    for (int i = 0; i < count; ++i)
        m_toolTipTexts[table[i].first] = LoadText(table[i].second);
}

CString COXPopupBarControl::GetToolTipText(DWORD value) const
{
    const auto text = m_toolTipTexts.find(value);
    return text == m_toolTipTexts.end() ? CString() : text->second;
}

void COXPopupBarControl::SetTextFont(CFont* font)
{
    LOGFONTA logFont = {};
    if (!font || !font->GetLogFont(&logFont))
        return;
    if (m_font)
        ::DeleteObject(m_font);
    m_font = ::CreateFontIndirectA(&logFont);
}

int COXPopupBarControl::IndexFromValue(DWORD value) const
{
    if (value == kNone)
        return -1;
    if (HasDefaultButton() && value == m_defaultValue)
        return 0;
    const int limit = std::min(m_count, static_cast<int>(m_values.size()));
    for (int i = 0; i < limit; ++i)
        if (m_values[static_cast<size_t>(i)] == value)
            return i + 1;
    return HasCustomButton() ? m_count + 1 : -1;
}

int COXPopupBarControl::HitTest(CPoint client) const
{
    if (HasDefaultButton() && m_defaultRect.PtInRect(client))
        return 0;
    for (size_t i = 0; i < m_buttonRects.size(); ++i)
        if (m_buttonRects[i].PtInRect(client))
            return static_cast<int>(i) + 1;
    if (HasCustomButton() && m_customRect.PtInRect(client))
        return m_count + 1;
    return -1;
}

CRect COXPopupBarControl::GetButtonRect(int index) const
{
    if (index == 0)
        return m_defaultRect;
    if (index == m_count + 1)
        return m_customRect;
    if (index >= 1 && index <= static_cast<int>(m_buttonRects.size()))
        return m_buttonRects[static_cast<size_t>(index - 1)];
    return CRect();
}

void COXPopupBarControl::DrawBackground(HDC dc)
{
    RECT client;
    GetClientRect(&client);
    ::FillRect(dc, &client, m_background ? m_background : ::GetSysColorBrush(COLOR_BTNFACE));
}

void COXPopupBarControl::DrawButton(HDC dc, int index)
{
    CRect rect = GetButtonRect(index);
    DrawFrameRect(dc, rect, index);
}

void COXPopupBarControl::DrawTearOffBar(HDC dc)
{
    if (!HasTearOff())
        return;
    ::FillRect(dc, &m_tearOffRect, ::GetSysColorBrush(COLOR_HIGHLIGHT));
}

void COXPopupBarControl::DrawDefaultButton(HDC dc)
{
    CRect rect = m_defaultRect;
    DrawFrameRect(dc, rect, 0);
    rect.DeflateRect(2, 2);
    const HBRUSH shadow = ::CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW));
    ::FrameRect(dc, &rect, shadow);
    ::DeleteObject(shadow);
    rect.DeflateRect(1, 1);
    DrawCentredText(dc, m_defaultText, rect);
}

void COXPopupBarControl::DrawCustomButton(HDC dc)
{
    CRect rect = m_customRect;
    DrawFrameRect(dc, rect, m_count + 1);
    rect.DeflateRect(3, 3);
    DrawCentredText(dc, m_customText, rect);
}

void COXPopupBarControl::DrawCentredText(HDC dc, const CString& text, RECT rect) const
{
    const HGDIOBJ old = ::SelectObject(dc, m_font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextA(dc, text, text.GetLength(), &rect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    ::SelectObject(dc, old);
}

void COXPopupBarControl::DrawFrameRect(HDC dc, CRect& rect, int index)
{
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (index == m_hotIndex)
        Draw3dRect(dc, rect, m_bPressed ? shadow : highlight, m_bPressed ? highlight : shadow);
    else if (index == m_selectedIndex)
        Draw3dRect(dc, rect, shadow, highlight);
    rect.DeflateRect(1, 1);
    if (index == m_selectedIndex && index != m_hotIndex)
        ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_3DLIGHT));
}

void COXPopupBarControl::OnButtonDown(CPoint point)
{
    RECT client;
    GetClientRect(&client);
    if (!::PtInRect(&client, point))
    {
        if (!m_bTornOff)
            Report(kCancel);
        return;
    }
    m_bPressed = TRUE;
    RedrawIndex(m_hotIndex);
    if (HasTearOff() && m_tearOffRect.PtInRect(point))
        m_bTearOffArmed = TRUE;
}

void COXPopupBarControl::OnButtonUp(CPoint)
{
    m_bTearOffArmed = FALSE;
    if (m_bPressed)
        PickHot();
    m_bPressed = FALSE;
}

void COXPopupBarControl::SetHotIndex(int index)
{
    if (index == m_hotIndex)
        return;
    const int old = m_hotIndex;
    m_hotIndex = index;
    RedrawIndex(old);
    RedrawIndex(index);
}

void COXPopupBarControl::SetSelectedIndex(int index)
{
    if (index == m_selectedIndex)
        return;
    const int old = m_selectedIndex;
    m_selectedIndex = index;
    RedrawIndex(old);
    RedrawIndex(index);
}

void COXPopupBarControl::RedrawIndex(int index)
{
    if (!m_hWnd || index < 0)
        return;
    CRect rect = GetButtonRect(index);
    if (!rect.IsRectEmpty())
        InvalidateRect(&rect, FALSE);
}

void COXPopupBarControl::PickHot()
{
    if (m_hotIndex >= 0 && m_hotIndex == m_count + 1 && HasCustomButton())
    {
        Report(kCustom);
        return;
    }
    if (m_hotIndex >= 0 && m_hotIndex <= m_count)
    {
        SetSelectedIndex(m_hotIndex);
        m_selectedValue =
            m_hotIndex == 0 ? m_defaultValue : m_values[static_cast<size_t>(m_hotIndex - 1)];
        Report(kOK);
        return;
    }
    if (!m_bTornOff)
        Report(kCancel);
}

void COXPopupBarControl::Report(int result)
{
    if (!m_bTornOff)
    {
        const UINT message = result == kOK       ? g_msgOK
                             : result == kCancel ? g_msgCancel
                             : result == kCustom ? g_msgCustom
                                                 : g_msgTearOff;
        PostMessage(message);
        return;
    }
    if (result == kCustom && !OnCustomButton())
        return;
    if (result == kCancel)
    {
        ShowWindow(SW_HIDE);
        m_bFollowMouse = FALSE;
        return;
    }
    if (m_owner && m_owner->GetSafeHwnd())
        m_owner->PostMessage(OXPB_PICKED, 0, reinterpret_cast<LPARAM>(m_hWnd));
}

void COXPopupBarControl::MoveKey(UINT key, bool shift)
{
    const int first = HasDefaultButton() ? 0 : 1;
    const int last = HasCustomButton() ? m_count + 1 : m_count;
    const int columns = GetColumns();
    const int custom = m_count + 1;
    const int hot = m_hotIndex;
    const bool inGrid = hot >= 1 && hot <= m_count;
    int next = hot;
    switch (key)
    {
    case VK_RIGHT: next = hot < 0 || hot >= last ? first : hot + 1; break;
    case VK_LEFT: next = hot < 0 || hot <= first ? last : hot - 1; break;
    case VK_DOWN:
        if (hot < 0 || hot == last)
            next = first;
        else if (hot == 0)
            next = 1;
        else if (inGrid && hot + columns > m_count)
            next = HasCustomButton() ? custom : first;
        else
            next = hot + columns;
        break;
    case VK_UP:
        if (hot < 0 || hot == first)
            next = last;
        else if (hot == custom)
            next = m_count;
        else if (inGrid && hot <= columns)
            next = HasDefaultButton() ? 0 : last;
        else
            next = hot - columns;
        break;
    case VK_TAB:
    {
        // Groups in the cycle: default, grid, custom; those not shown are skipped.
        const int groupOf = hot == 0 ? 0 : inGrid ? 1 : hot == custom ? 2 : -1;
        const bool shown[3] = {HasDefaultButton(), m_count > 0, HasCustomButton()};
        const int entry[3] = {0, 1, custom};
        int group = groupOf < 0 ? (shift ? 0 : 2) : groupOf;
        for (int step = 0; step < 3; ++step)
        {
            group = (group + (shift ? 2 : 1)) % 3;
            if (shown[group])
                break;
        }
        next = shown[group] ? entry[group] : hot;
        break;
    }
    default: return;
    }
    SetHotIndex(next);
}

LRESULT COXPopupBarControl::OnPaintMessage(WPARAM, LPARAM)
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    HPALETTE oldPalette = nullptr;
    if (m_palette)
    {
        oldPalette = ::SelectPalette(dc, m_palette, FALSE);
        ::RealizePalette(dc);
    }
    DrawBackground(dc);
    for (int i = 1; i <= m_count; ++i)
        DrawButton(dc, i);
    if (!(m_styleFlags & kNoTearOff) && !m_bTornOff)
        DrawTearOffBar(dc);
    if (HasDefaultButton())
        DrawDefaultButton(dc);
    if (HasCustomButton())
        DrawCustomButton(dc);
    if (oldPalette)
        ::SelectPalette(dc, oldPalette, TRUE);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT COXPopupBarControl::OnEraseBackground(WPARAM, LPARAM)
{
    return TRUE; // the paint fills everything
}

LRESULT COXPopupBarControl::OnButtonDownMessage(WPARAM, LPARAM lParam)
{
    OnButtonDown(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
    return 0;
}

LRESULT COXPopupBarControl::OnButtonUpMessage(WPARAM, LPARAM lParam)
{
    OnButtonUp(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
    return 0;
}

LRESULT COXPopupBarControl::OnMouseMoveMessage(WPARAM, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if (m_bTearOffArmed && !m_tearOffRect.PtInRect(point))
    {
        m_bTearOffArmed = FALSE;
        Report(kTearOff);
    }
    if (m_bTornOff)
        m_bFollowMouse = TRUE;
    if (point != m_lastMouse)
    {
        m_lastMouse = point;
        SetHotIndex(HitTest(point));
    }
    return 0;
}

LRESULT COXPopupBarControl::OnKeyDownMessage(WPARAM wParam, LPARAM)
{
    const UINT key = static_cast<UINT>(wParam);
    switch (key)
    {
    case VK_RIGHT:
    case VK_LEFT:
    case VK_DOWN:
    case VK_UP:
    case VK_TAB:
        if (m_bTornOff)
            m_bFollowMouse = FALSE;
        MoveKey(key, (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return 0;
    case VK_RETURN:
        if (m_bTornOff)
            m_bFollowMouse = FALSE;
        PickHot();
        return 0;
    case VK_SPACE:
        if (m_bTornOff)
            m_bFollowMouse = FALSE;
        m_bPressed = TRUE;
        RedrawIndex(m_hotIndex);
        return 0;
    default: return Default();
    }
}

LRESULT COXPopupBarControl::OnKeyUpMessage(WPARAM wParam, LPARAM)
{
    if (wParam == VK_SPACE)
    {
        m_bPressed = FALSE;
        RedrawIndex(m_hotIndex);
        PickHot();
        return 0;
    }
    if (wParam == VK_ESCAPE)
    {
        Report(kCancel);
        return 0;
    }
    return Default();
}

LRESULT COXPopupBarControl::OnTimerMessage(WPARAM wParam, LPARAM)
{
    if (wParam != kTimerId || !m_bTornOff || !m_bFollowMouse)
        return 0;
    POINT cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (HitTest(CPoint(cursor)) < 0)
        SetHotIndex(-1);
    return 0;
}

LRESULT COXPopupBarControl::OnCloseMessage(WPARAM, LPARAM)
{
    ShowWindow(SW_HIDE);
    return 0;
}

LRESULT COXPopupBarControl::OnActivateMessage(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
        SetFocus();
    return result;
}

// The torn-off bar's caption looks active while the main window is, as floating tool
// windows of the framework do.
LRESULT COXPopupBarControl::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & FS_SHOW)
        ShowWindow(SW_SHOWNA);
    if (wParam & FS_HIDE)
        ShowWindow(SW_HIDE);
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE))
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    return TRUE;
}

LRESULT COXPopupBarControl::OnNcActivateMessage(WPARAM wParam, LPARAM lParam)
{
    if (!m_bTornOff)
        return Default();
    const HWND main = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
    const BOOL active = wParam || (main && ::GetActiveWindow() == main);
    return ::DefWindowProcA(m_hWnd, WM_NCACTIVATE, active, lParam);
}

LRESULT COXPopupBarControl::OnPaletteMessage(WPARAM wParam, LPARAM)
{
    const UINT message = GetCurrentMessage()->message;
    if (message == WM_QUERYNEWPALETTE || reinterpret_cast<HWND>(wParam) != m_hWnd)
        Invalidate(FALSE);
    return message == WM_QUERYNEWPALETTE ? TRUE : 0;
}

LRESULT COXPopupBarControl::OnDestroyMessage(WPARAM, LPARAM)
{
    KillTimer(kTimerId);
    return Default();
}

void COXPopupBarControl::TearOffDrag()
{
    POINT cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (!window.PtInRect(cursor))
    {
        ShowWindow(SW_HIDE);
        return;
    }
    ::LockWindowUpdate(::GetDesktopWindow());
    const HDC desktop =
        ::GetDCEx(::GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    CRect drag = window;
    const CPoint grab(cursor.x - window.left, cursor.y - window.top);
    const auto drawFrame = [&](const CRect& rect)
    {
        // An XOR frame three pixels wide: drawn twice it goes away.
        const HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        const HGDIOBJ old = ::SelectObject(desktop, brush);
        ::PatBlt(desktop, rect.left, rect.top, rect.Width(), 3, PATINVERT);
        ::PatBlt(desktop, rect.left, rect.bottom - 3, rect.Width(), 3, PATINVERT);
        ::PatBlt(desktop, rect.left, rect.top + 3, 3, rect.Height() - 6, PATINVERT);
        ::PatBlt(desktop, rect.right - 3, rect.top + 3, 3, rect.Height() - 6, PATINVERT);
        ::SelectObject(desktop, old);
    };
    drawFrame(drag);
    ::SetCapture(m_hWnd);
    bool done = false;
    bool accepted = false;
    MSG msg;
    while (!done && ::GetMessageA(&msg, nullptr, 0, 0))
    {
        if (::GetCapture() != m_hWnd)
            break;
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        {
            POINT point = {static_cast<short>(LOWORD(msg.lParam)),
                           static_cast<short>(HIWORD(msg.lParam))};
            ::ClientToScreen(msg.hwnd, &point);
            drawFrame(drag);
            drag.OffsetRect(point.x - grab.x - drag.left, point.y - grab.y - drag.top);
            drawFrame(drag);
            break;
        }
        case WM_LBUTTONUP: done = accepted = true; break;
        case WM_RBUTTONDOWN: done = true; break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                done = true;
            break;
        default: ::TranslateMessage(&msg); ::DispatchMessageA(&msg);
        }
    }
    if (msg.message == WM_QUIT)
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    drawFrame(drag);
    ::ReleaseDC(::GetDesktopWindow(), desktop);
    ::LockWindowUpdate(nullptr);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!accepted)
    {
        ShowWindow(SW_HIDE);
        return;
    }
    m_toolTip.DestroyWindow();
    DestroyWindow();
    if (!CreateWindowOf(TRUE) || !Layout())
        return;
    RebuildToolTips();
    m_bFollowMouse = TRUE;
    SetWindowPos(nullptr, drag.left, drag.top, m_windowRect.Width(), m_windowRect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
    UpdateWindow();
}
