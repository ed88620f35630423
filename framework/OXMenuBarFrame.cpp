// COXMenuBarFrameBase: the menu bar of a frame, the frames of the thread that have one, the
// thread's mouse and keyboard hooks that route input to the bars, and the popups open in the
// current menu loop.
#include "framework/OXMenuBarFrame.h"

#include "platform/ctrl/threadhook.h"
#include "platform/win/app.h"

namespace
{
// The menu-bar frames of the thread by window, and the hooks they share.
std::map<HWND, COXMenuBarFrameBase*>& Frames()
{
    static std::map<HWND, COXMenuBarFrameBase*> frames;
    return frames;
}

fw::ThreadHook& MouseHook()
{
    static fw::ThreadHook hook;
    return hook;
}

fw::ThreadHook& KeyboardHook()
{
    static fw::ThreadHook hook;
    return hook;
}

// The last point the mouse hook saw, and whether Alt went down alone.
POINT g_lastMousePoint = {-1, -1};
bool g_altPressed = false;

constexpr DWORD kMenuBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_SIZE_DYNAMIC;
constexpr LPARAM kKeyUp = 0x80000000;
constexpr LPARAM kKeyRepeat = 0x40000000;

HWND TopLevelOf(HWND hwnd)
{
    while (hwnd && (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD))
        hwnd = ::GetParent(hwnd);
    return hwnd;
}

// Offers an event to the frames that are this top-level window; true when one used it.
template <class Offer>
bool OfferToFrames(HWND topLevel, Offer offer)
{
    // A copy: a frame may go while it handles the event.
    const std::map<HWND, COXMenuBarFrameBase*> frames = Frames();
    for (const auto& [hwnd, frame] : frames)
    {
        if (hwnd == topLevel && ::IsWindow(hwnd) && Frames().count(hwnd) && offer(frame))
            return true;
    }
    return false;
}
} // namespace

COXMenuBarFrameBase::COXMenuBarFrameBase()
    : m_bIsFrame(IsFrameWnd())
    , m_bIsMDIFrame(TRUE)
{
}

COXMenuBarFrameBase::~COXMenuBarFrameBase()
{
    Frames().erase(m_hWnd);
}

COXMenuBarFrameBase* COXMenuBarFrameBase::FromMenuBarFrameMap(HWND hwnd)
{
    const auto found = Frames().find(hwnd);
    return found == Frames().end() ? nullptr : found->second;
}

COXMenuBar* COXMenuBarFrameBase::GetMenuBar()
{
    return &m_menuBar;
}

BOOL COXMenuBarFrameBase::AttachMenuBar(HMENU menu, CWnd* parent, DWORD style, UINT id)
{
    if (!m_menuBar.Create(parent, style, id))
        return FALSE;
    m_menuBar.SetMenu(menu);
    return TRUE;
}

void COXMenuBarFrameBase::RedrawFrameMenu()
{
    if (IsBarWindow())
        m_menuBar.RebuildButtons(TRUE);
    else
        DrawMenuBar();
}

HMENU COXMenuBarFrameBase::GetFrameMenu()
{
    return IsBarWindow() ? m_menuBar.GetMenu() : ::GetMenu(m_hWnd);
}

void COXMenuBarFrameBase::SetFrameMenu(HMENU menu)
{
    if (!IsBarWindow())
    {
        ::SetMenu(m_hWnd, menu);
        return;
    }
    if (menu)
        m_menuBar.SetMenu(menu);
    if (::GetMenu(m_hWnd))
        ::SetMenu(m_hWnd, nullptr);
}

LRESULT COXMenuBarFrameBase::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_CREATE:
    {
        // The frame's own creation first (its bars included), then the menu bar.
        const LRESULT result = COXMDIFrameWndSizeDock::WindowProc(msg, wParam, lParam);
        if (result != -1 && m_hWnd)
            SetUpMenuBar();
        return result;
    }
    case WM_DESTROY: TearDownMenuBar(); break;
    case WM_INITMENUPOPUP:
        if (!OnInitMenuPopupHook(wParam, lParam))
            return 0;
        break;
    case WM_MENUSELECT: OnMenuSelectHook(wParam, lParam); break;
    case WM_EXITMENULOOP:
        if (!wParam)
            m_arrOpenPopups.clear();
        break;
    case WM_COMMAND:
        // The open popup's item opens again when the popup closes.
        if (wParam == ID_OX_MENUBAR_REOPEN && IsBarWindow())
            m_menuBar.SetNextItem(m_menuBar.GetPressedItem());
        break;
    case WM_OX_MENUINDEX:
        if (IsBarWindow() && !m_menuIndexMap.count(m_menuBar.GetMenu()))
        {
            const int entry = static_cast<int>(m_menuIndexMap.size());
            m_menuIndexMap[m_menuBar.GetMenu()] = entry;
        }
        break;
    default: break;
    }
    return COXMDIFrameWndSizeDock::WindowProc(msg, wParam, lParam);
}

void COXMenuBarFrameBase::EnterFrameMap()
{
    Frames()[m_hWnd] = this;
}

BOOL COXMenuBarFrameBase::SetUpMenuBar()
{
    m_bIsMDIFrame = IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
    EnterFrameMap();
    if (IsBarWindow())
        m_menuBar.DestroyWindow();
    const HMENU menu = ::GetMenu(m_hWnd);
    m_hFrameMenu = ::IsMenu(menu) ? menu : nullptr;
    if (m_hFrameMenu)
        SetFrameMenu(nullptr); // no bar yet: the Windows menu goes
    CWinThread* thread = AfxGetThread();
    if (thread && !thread->m_pMainWnd && !m_bIsMDIFrame && m_bIsFrame && !(GetStyle() & WS_CHILD))
        thread->m_pMainWnd = this;
    if (!AttachMenuBar(m_hFrameMenu, this, kMenuBarStyle, AFX_IDW_MENUBAR))
    {
        // Without a bar the window keeps the menu it was made with.
        SetFrameMenu(m_hFrameMenu);
        return FALSE;
    }
    InstallHooks();
    return TRUE;
}

void COXMenuBarFrameBase::TearDownMenuBar()
{
    Frames().erase(m_hWnd);
    if (IsBarWindow())
    {
        m_menuBar.SetCustomizationMode(FALSE, nullptr);
        m_menuBar.DestroyWindow();
    }
    if (Frames().empty())
        RemoveHooks();
}

BOOL COXMenuBarFrameBase::OnInitMenuPopupHook(WPARAM wParam, LPARAM& lParam)
{
    m_bPopupItemSelected = FALSE;
    const HMENU popup = reinterpret_cast<HMENU>(wParam);
    m_arrOpenPopups.push_back(popup);
    // A popup of the bar is known by the bar's open item, not by the system's index.
    if (!HIWORD(lParam) && IsBarWindow() && m_menuBar.GetPressedItem() >= 0)
        lParam = MAKELPARAM(m_menuBar.GetPressedItem(), HIWORD(lParam));
    return TRUE;
}

void COXMenuBarFrameBase::OnMenuSelectHook(WPARAM wParam, LPARAM lParam)
{
    const UINT flags = HIWORD(wParam);
    const HMENU menu = reinterpret_cast<HMENU>(lParam);
    const bool closed = flags == 0xFFFF && !menu;
    m_bPopupItemSelected = (flags & MF_POPUP) && !closed;
    if (closed || !(flags & MF_HILITE))
        return;
    // Popups above the one named are closed now.
    while (!m_arrOpenPopups.empty() && m_arrOpenPopups.back() != menu)
        m_arrOpenPopups.pop_back();
}

BOOL COXMenuBarFrameBase::IsItemDropped() const
{
    const int dropped = m_menuBar.GetPressedItem();
    return dropped >= 0 && dropped < m_menuBar.GetCount();
}

void COXMenuBarFrameBase::InstallHooks()
{
    if (!MouseHook().IsInstalled())
    {
        MouseHook().Install(WH_MOUSE,
                            [](int code, WPARAM wParam, LPARAM lParam, LRESULT* result)
                            {
                                const DWORD position = ::GetMessagePos();
                                const POINT point = {static_cast<short>(LOWORD(position)),
                                                     static_cast<short>(HIWORD(position))};
                                const HWND top = TopLevelOf(::WindowFromPoint(point));
                                *result = 0; // used: no further hook sees it
                                return OfferToFrames(
                                    top, [&](COXMenuBarFrameBase* frame)
                                    { return frame->OnMenuBarMouseHook(code, wParam, lParam); });
                            });
    }
    if (!KeyboardHook().IsInstalled())
    {
        KeyboardHook().Install(
            WH_KEYBOARD,
            [](int code, WPARAM wParam, LPARAM lParam, LRESULT* result)
            {
                const HWND focus = ::GetFocus();
                const HWND top = focus ? TopLevelOf(focus) : ::GetDesktopWindow();
                *result = 1; // used: the key is discarded
                return OfferToFrames(top,
                                     [&](COXMenuBarFrameBase* frame) {
                                         return frame->OnMenuBarKeyboardHook(code, wParam, lParam);
                                     });
            });
    }
}

void COXMenuBarFrameBase::RemoveHooks()
{
    MouseHook().Remove();
    KeyboardHook().Remove();
}

BOOL COXMenuBarFrameBase::OnMenuBarMouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    // "Busy": a next item is already on its way, so the bar is left alone until it opens.
    if (code != HC_ACTION || !m_hWnd || !IsBarWindow() || m_menuBar.GetNextItem() >= 0 ||
        !IsItemDropped())
        return FALSE;
    const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    const UINT msg = static_cast<UINT>(wParam);
    CRect bar;
    m_menuBar.GetWindowRect(&bar);
    if (mouse->hwnd == m_menuBar.GetSafeHwnd() || (msg != WM_MOUSEMOVE && msg != WM_LBUTTONDOWN) ||
        !bar.PtInRect(mouse->pt) || ::WindowFromPoint(mouse->pt) != m_menuBar.GetSafeHwnd())
        return FALSE;
    const int count = m_menuBar.GetCount();
    int hit = m_menuBar.HitTest(mouse->pt, COXMenuBar::coordsScreen);
    const bool afterLast = hit == COXMenuBar::hitIcon;
    if (afterLast)
        hit = count;
    const int dropped = m_menuBar.GetPressedItem();
    if (msg == WM_LBUTTONDOWN)
    {
        if (hit >= 0)
            m_nClickedItem = hit;
        g_lastMousePoint = mouse->pt;
        return FALSE;
    }
    const bool samePoint = mouse->pt.x == g_lastMousePoint.x && mouse->pt.y == g_lastMousePoint.y;
    g_lastMousePoint = mouse->pt;
    if (samePoint || hit < 0 || hit == dropped || (dropped == count && afterLast))
        return FALSE;
    // Onto another item: the open popup closes with a click, and that item opens after it.
    m_menuBar.SetNextItem(hit);
    POINT client = mouse->pt;
    m_menuBar.ScreenToClient(&client);
    const LPARAM point = MAKELPARAM(client.x, client.y);
    m_menuBar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
    m_menuBar.PostMessage(WM_LBUTTONUP, MK_LBUTTON, point);
    return TRUE;
}

BOOL COXMenuBarFrameBase::OnMenuBarKeyboardHook(int code, WPARAM key, LPARAM flags)
{
    if (code != HC_ACTION || !IsBarWindow() || !IsWindowEnabled() || ::GetActiveWindow() != m_hWnd)
        return FALSE;
    const bool released = (flags & kKeyUp) != 0;
    if (!IsItemDropped())
    {
        if (key == VK_MENU)
        {
            if (!released)
            {
                if (flags & kKeyRepeat)
                    return FALSE;
                g_altPressed = true;
                return TRUE;
            }
            if (!g_altPressed)
                return FALSE;
            g_altPressed = false;
            m_menuBar.HandleMenuKey(0);
            return TRUE;
        }
        if (::GetAsyncKeyState(VK_MENU) >= 0 && !m_menuBar.IsInMenuMode())
            return FALSE;
        g_altPressed = false;
        // Alt+F4 still closes the window.
        if (released || ::GetAsyncKeyState(VK_F4) < 0 || key == VK_F4)
            return FALSE;
        return m_menuBar.HandleMenuKey(static_cast<UINT>(key));
    }
    if (released)
        return FALSE;
    const size_t open = m_arrOpenPopups.size();
    const bool offered = (key == VK_LEFT && open <= 1) ||
                         (key == VK_RIGHT && !m_bPopupItemSelected) ||
                         (key == VK_ESCAPE && open == 1);
    return offered && m_menuBar.HandleMenuKey(static_cast<UINT>(key));
}
