// COXMenuBar: creation, one button per top-level item, the menu font, the command state, the
// maximised MDI child's icon and caption buttons, the full-length layout and the mouse on the
// non-client parts.
#include "widgets/bars/OXMenuBar.h"

#include "platform/bars/minidock.h"
#include "platform/base/exception.h"
#include "platform/docview/mdi.h"
#include "platform/win/app.h"
#include "platform/win/dc.h"
#include "platform/win/resource.h"
#include "resources/ids/widgets_ids.h"

#include <algorithm>

FW_TABLE(COXMenuBar, COXCoolToolBar, fw::raw<WM_OX_MENUBAR_OPENITEM, &COXMenuBar::OnOpenItem>(),
         fw::reflect_notify<static_cast<int>(TBN_DROPDOWN), &COXMenuBar::OnDropDown>(),
         fw::on<WM_KILLFOCUS, &COXMenuBar::OnKillFocus>(),
         fw::on<WM_KEYDOWN, &COXMenuBar::OnKeyDown>(),
         fw::on<WM_SYSKEYDOWN, &COXMenuBar::OnSysKeyDown>(),
         fw::on<WM_NCHITTEST, &COXMenuBar::OnNcHitTest>(),
         fw::on<WM_NCLBUTTONDOWN, &COXMenuBar::OnNcLButtonDown>(),
         fw::on<WM_NCLBUTTONDBLCLK, &COXMenuBar::OnNcLButtonDblClk>(),
         fw::on<WM_MOUSEMOVE, &COXMenuBar::OnMouseMove>(),
         fw::on<WM_LBUTTONDOWN, &COXMenuBar::OnLButtonDown>(),
         fw::on<WM_LBUTTONUP, &COXMenuBar::OnLButtonUp>(),
         fw::on<WM_LBUTTONDBLCLK, &COXMenuBar::OnLButtonDblClk>(),
         fw::on<WM_TIMER, &COXMenuBar::OnTimer>(),
         fw::on<WM_SETTINGCHANGE, &COXMenuBar::OnSettingChange>(),
         fw::raw<WM_IDLEUPDATECMDUI, &COXMenuBar::OnIdleUpdateCmdUI>(),
         fw::on<WM_DESTROY, &COXMenuBar::OnDestroy>())

HWND COXMenuBar::s_focusBeforeMenuMode = nullptr;

namespace
{
constexpr DWORD kNewControls = MAKELONG(71, 4);
constexpr int kMenuTextLength = 256;
constexpr UINT_PTR kCustomizeTimer = 412;
constexpr UINT kCustomizeDelayMs = 500;
// Room beside the caption buttons: 2 pixels after the last and 6 before the first.
constexpr int kCaptionMargin = 2 + 6;

HICON IconOf(HWND child)
{
    HICON icon = reinterpret_cast<HICON>(::GetClassLongPtrA(child, GCLP_HICONSM));
    if (!icon)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrA(child, GCLP_HICON));
    for (const WPARAM kind : {static_cast<WPARAM>(ICON_SMALL), static_cast<WPARAM>(ICON_BIG)})
    {
        DWORD_PTR answer = 0;
        if (!icon &&
            ::SendMessageTimeoutA(child, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG, 1000, &answer))
            icon = reinterpret_cast<HICON>(answer);
    }
    return icon ? icon : ::LoadIconA(nullptr, IDI_WINLOGO);
}
} // namespace

COXMenuBar::COXMenuBar()
{
    if (GetComCtlVersion() < kNewControls)
        fw::ThrowNotSupportedException();
}

COXMenuBar::~COXMenuBar()
{
    // Unless the menu they were put in took them with it.
    for (const HMENU popup : m_loadedPopups)
        if (::IsMenu(popup))
            ::DestroyMenu(popup);
    if (m_hMenuFont)
        ::DeleteObject(m_hMenuFont);
}

BOOL COXMenuBar::Create(CWnd* parent, DWORD style, UINT id)
{
    if (!COXCoolToolBar::Create(parent, style, id))
        return FALSE;
    SetDropDownArrow(FALSE);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    CString title;
    fw::LoadResourceString(IDS_OXMENUBAR_TITLE, title);
    SetWindowText(title);
    m_pParentFrame = parent && parent->IsFrameWnd() ? static_cast<CFrameWnd*>(parent) : nullptr;
    return TRUE;
}

void COXMenuBar::OnDestroy()
{
    if (m_customizeTimer)
        KillTimer(kCustomizeTimer);
    m_customizeTimer = 0;
    COXCoolToolBar::OnDestroy();
}

CFrameWnd* COXMenuBar::Frame() const
{
    return m_pParentFrame ? m_pParentFrame : GetParentFrame();
}

BOOL COXMenuBar::IsHorizontal() const
{
    return (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
}

COXMenuBar* COXMenuBar::FindMenuBar(CWnd* wnd)
{
    if (!wnd)
        wnd = AfxGetMainWnd();
    if (!wnd || !wnd->GetSafeHwnd())
        return nullptr;
    if (auto* bar = dynamic_cast<COXMenuBar*>(CWnd::FromHandlePermanent(wnd->GetSafeHwnd())))
        return bar;
    for (HWND child = ::GetWindow(wnd->GetSafeHwnd(), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (COXMenuBar* found = FindMenuBar(CWnd::FromHandle(child)))
            return found;
    }
    return nullptr;
}

BOOL COXMenuBar::RebuildButtons(BOOL recalc)
{
    const int marked = m_markedButton;
    const int second = m_secondButton;
    m_bRestoring = TRUE;
    while (SendMessage(TB_DELETEBUTTON, 0))
    {
    }
    m_bRestoring = FALSE;
    MapMnemonics();
    RefreshChildIcon();

    const int count = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
    std::vector<CString> texts(static_cast<size_t>(std::max(count, 0)));
    std::vector<TBBUTTON> buttons(texts.size());
    for (int item = 0; item < count; ++item)
    {
        char text[kMenuTextLength] = {};
        ::GetMenuStringA(m_hMenu, static_cast<UINT>(item), text, kMenuTextLength, MF_BYPOSITION);
        CString& label = texts[static_cast<size_t>(item)];
        label = text;
        TBBUTTON& button = buttons[static_cast<size_t>(item)];
        button.iBitmap = -1;
        button.idCommand = item + 1;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = TBSTYLE_AUTOSIZE | TBSTYLE_DROPDOWN;
        button.dwData = static_cast<DWORD_PTR>(item);
        // The control keeps a copy of a text given by pointer: the string pool does not grow
        // with every rebuild.
        button.iString = reinterpret_cast<INT_PTR>(static_cast<const char*>(label));
    }
    if (count > 0)
        SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(count),
                    reinterpret_cast<LPARAM>(buttons.data()));
    m_markedButton = marked < count ? marked : -1;
    m_secondButton = second < count ? second : -1;
    if (!m_bFontInitialised)
        SetMenuFont();

    if (!m_hMenu)
    {
        if (m_pParentFrame)
            m_pParentFrame->ShowControlBar(this, FALSE, FALSE);
        else
            ShowWindow(SW_HIDE);
        return TRUE;
    }
    if (recalc)
        UpdateSizes();
    if (m_pParentFrame)
    {
        m_pParentFrame->ShowControlBar(this, TRUE, FALSE);
    }
    else if (CWnd* parent = GetParent())
    {
        // Over a window that is not a frame the bar sits at its top at its own size.
        CRect client;
        parent->GetClientRect(&client);
        const CSize size = CalcFixedLayout(FALSE, TRUE);
        SetWindowPos(nullptr, client.left, client.top - 2, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    return TRUE;
}

void COXMenuBar::MapMnemonics()
{
    m_mnemonics.clear();
    const int count = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int item = 0; item < count; ++item)
    {
        char text[kMenuTextLength] = {};
        ::GetMenuStringA(m_hMenu, static_cast<UINT>(item), text, kMenuTextLength, MF_BYPOSITION);
        const CString label(text);
        const int amp = label.Find('&');
        if (amp >= 0 && amp + 1 < label.GetLength())
            m_mnemonics[static_cast<char>(::toupper(static_cast<BYTE>(label[amp + 1])))] = item;
    }
}

void COXMenuBar::SetMenuFont()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return;
    const HFONT font = ::CreateFontIndirectA(&metrics.lfMenuFont);
    if (!font)
        return;
    SetFont(font);
    if (m_hMenuFont)
        ::DeleteObject(m_hMenuFont);
    m_hMenuFont = font;
    m_bFontInitialised = TRUE;
    if (GetCount() > 0)
    {
        SendMessage(TB_AUTOSIZE);
        CRect first;
        GetItemRect(0, &first);
        SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(first.Width(), first.Height()));
        m_sizeButton = first.Size();
    }
    m_defaultTextColor = ::GetSysColor(COLOR_MENUTEXT);
}

void COXMenuBar::OnSettingChange(UINT flags, const char* section)
{
    COXCoolToolBar::OnSettingChange(flags, section);
    SetMenuFont();
}

HWND COXMenuBar::MaximizedChild() const
{
    auto* mdi = dynamic_cast<CMDIFrameWnd*>(m_pParentFrame);
    if (!mdi || !mdi->GetSafeHwnd())
        return nullptr;
    BOOL maximized = FALSE;
    CMDIChildWnd* child = mdi->MDIGetActive(&maximized);
    return child && maximized ? child->GetSafeHwnd() : nullptr;
}

void COXMenuBar::RefreshChildIcon()
{
    const HWND child = MaximizedChild();
    const HICON icon = child ? IconOf(child) : nullptr;
    if (icon != m_hIcon)
        SetBarIcon(icon);
}

void COXMenuBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // Each button follows its top-level item: greyed or disabled items disable it.
    const int count = GetCount();
    for (int item = 0; item < count && m_hMenu; ++item)
    {
        const UINT state = ::GetMenuState(m_hMenu, static_cast<UINT>(item), MF_BYPOSITION);
        const bool enabled = state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
        const LRESULT current = SendMessage(TB_GETSTATE, static_cast<WPARAM>(item + 1));
        if (current != -1 && ((current & TBSTATE_ENABLED) != 0) != enabled)
            SendMessage(TB_ENABLEBUTTON, static_cast<WPARAM>(item + 1), enabled);
    }
}

LRESULT COXMenuBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    RefreshChildIcon();
    return COXCoolToolBar::OnIdleUpdateCmdUI(wParam, lParam);
}

CSize COXMenuBar::CalcLayout(DWORD mode, int length)
{
    CSize size = COXCoolToolBar::CalcLayout(mode, length);
    const bool docked = (mode & (LM_HORZDOCK | LM_VERTDOCK)) != 0;
    CFrameWnd* frame = GetDockingFrame();
    if (frame && ((docked && m_bFullLength) || m_bSecondLength))
    {
        // The whole client length of the frame, the bar's borders beyond it at both ends.
        CRect client;
        frame->GetClientRect(&client);
        if (mode & LM_VERTDOCK)
            size.cy = client.Height() + 2 * fw::CyBorder2();
        else
            size.cx = client.Width() + 2 * fw::CxBorder2();
    }
    // Rows as high as the first button and three pixels.
    if (GetCount() > 0 && (mode & LM_HORZ))
    {
        CRect first;
        GetItemRect(0, &first);
        size.cy = std::max<LONG>(size.cy, first.Height() + 3);
    }
    return size;
}

void COXMenuBar::OnFloatingDocking(BOOL floating)
{
    if (floating)
    {
        // The mini frame's system menu offers nothing for a menu bar.
        CWnd* miniFrame = GetParentFrame();
        const HMENU system = miniFrame ? ::GetSystemMenu(miniFrame->GetSafeHwnd(), FALSE) : nullptr;
        while (system && ::GetMenuItemCount(system) > 0)
            ::DeleteMenu(system, 0, MF_BYPOSITION);
    }
    else if (CFrameWnd* frame = GetDockingFrame())
    {
        frame->DelayRecalcLayout();
    }
}

void COXMenuBar::OnChangeDockSide(DWORD)
{
    if (CFrameWnd* frame = GetDockingFrame())
        frame->DelayRecalcLayout();
}

void COXMenuBar::LayoutCaptionButtons(const CRect& window)
{
    m_rectClose.SetRectEmpty();
    m_rectRestore.SetRectEmpty();
    m_rectMinimize.SetRectEmpty();
    const HWND child = MaximizedChild();
    if (!m_hIcon || !child)
        return;
    const bool horz = IsHorizontal() != FALSE;
    const int thickness = horz ? window.Height() : window.Width();
    const int width = std::min(::GetSystemMetrics(SM_CXSIZE), thickness);
    const int height = std::min(::GetSystemMetrics(SM_CYSIZE), thickness);
    const LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
    const bool sizeBoxes = (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    // Along the bar from its trailing end: close, restore, then minimise.
    auto place = [&](int fromEnd, int along)
    {
        CRect button;
        if (horz)
        {
            const int top = window.top + (window.Height() - height) / 2;
            button =
                CRect(window.right - fromEnd - along, top, window.right - fromEnd, top + height);
        }
        else
        {
            const int left = window.left + (window.Width() - width) / 2;
            button =
                CRect(left, window.bottom - fromEnd - along, left + width, window.bottom - fromEnd);
        }
        return button;
    };
    const int along = horz ? width : height;
    m_rectClose = place(2, along);
    m_rectClose.DeflateRect(0, 2, 2, 2);
    if (sizeBoxes)
    {
        m_rectRestore = place(2 + along, along);
        m_rectMinimize = place(2 + 2 * along - 2, along);
    }
}

void COXMenuBar::GetExtraBorders(CRect& borders, int orientation) const
{
    borders.SetRectEmpty();
    const HWND child = MaximizedChild();
    if (!m_hIcon || !child)
        return;
    const bool horz = orientation == 2;
    const int along = ::GetSystemMetrics(horz ? SM_CXSIZE : SM_CYSIZE);
    const LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
    const int buttons = (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) ? 3 : 1;
    const int reserved = buttons * along + kCaptionMargin;
    (horz ? borders.right : borders.bottom) = reserved;
}

void COXMenuBar::DrawExtraNonClient(CDC* dc, CRect&)
{
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    LayoutCaptionButtons(window);
    DrawSystemButtons(dc);
}

void COXMenuBar::DrawSystemButtons(CDC* dc)
{
    const HWND child = MaximizedChild();
    if (!child || m_rectClose.IsRectEmpty())
        return;
    const LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
    auto draw = [&](CRect rect, UINT kind, int code, bool inactive)
    {
        if (rect.IsRectEmpty())
            return;
        UINT state = kind | (inactive ? DFCS_INACTIVE : 0);
        if (m_pressedCaption == code)
            state |= DFCS_PUSHED;
        RECT drawn = rect;
        ::DrawFrameControl(dc->GetSafeHdc(), &drawn, DFC_CAPTION, state);
    };
    draw(m_rectClose, DFCS_CAPTIONCLOSE, hitClose, false);
    draw(m_rectRestore, DFCS_CAPTIONRESTORE, hitRestore, !(style & WS_MAXIMIZEBOX));
    draw(m_rectMinimize, DFCS_CAPTIONMIN, hitMinimize, !(style & WS_MINIMIZEBOX));
}

int COXMenuBar::CaptionButtonAt(CPoint windowPoint) const
{
    if (m_rectClose.PtInRect(windowPoint))
        return hitClose;
    if (m_rectRestore.PtInRect(windowPoint))
        return hitRestore;
    if (m_rectMinimize.PtInRect(windowPoint))
        return hitMinimize;
    return hitNone;
}

int COXMenuBar::HitTest(POINT point, int coordinates) const
{
    CRect window;
    GetWindowRect(&window);
    CPoint screen = point;
    if (coordinates == coordsClient)
        ClientToScreen(&screen);
    else if (coordinates == coordsWindow)
        screen.Offset(window.left, window.top);
    const CPoint inWindow(screen.x - window.left, screen.y - window.top);
    if (m_hIcon && m_rectIcon.PtInRect(inWindow))
        return hitIcon;
    const int caption = CaptionButtonAt(inWindow);
    if (caption != hitNone)
        return caption;
    CPoint client = screen;
    ScreenToClient(&client);
    CRect clientRect;
    GetClientRect(&clientRect);
    if (!clientRect.PtInRect(client))
        return hitNone;
    const int count = GetCount();
    for (int index = 0; index < count; ++index)
    {
        CRect item;
        GetItemRect(index, &item);
        if (item.PtInRect(client))
            return index;
    }
    return hitNone;
}

LRESULT COXMenuBar::OnNcHitTest(CPoint point)
{
    const int hit = HitTest(point, coordsScreen);
    if (hit == hitIcon || hit == hitClose || hit == hitRestore || hit == hitMinimize)
        return HTCAPTION;
    return COXCoolToolBar::OnNcHitTest(point);
}

void COXMenuBar::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    const int hit = HitTest(point, coordsScreen);
    if (hit == hitIcon)
    {
        PostMessage(WM_OX_MENUBAR_OPENITEM, static_cast<WPARAM>(GetSystemMenuItem()));
        return;
    }
    if (hit == hitClose || hit == hitRestore || hit == hitMinimize)
    {
        SetCapture();
        m_capturedCaption = hit;
        m_pressedCaption = hit;
        RedrawFrameNow();
        return;
    }
    COXCoolToolBar::OnNcLButtonDown(hitTest, point);
}

void COXMenuBar::OnNcLButtonDblClk(UINT hitTest, CPoint point)
{
    const HWND child = MaximizedChild();
    if (child && HitTest(point, coordsScreen) == hitIcon)
    {
        ::PostMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    COXCoolToolBar::OnNcLButtonDblClk(hitTest, point);
}

void COXMenuBar::RedrawFrameNow()
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
}

void COXMenuBar::OnMouseMove(UINT flags, CPoint point)
{
    if (m_capturedCaption != hitNone && GetCapture() == this)
    {
        const int hit = HitTest(point, coordsClient);
        const int pressed = hit == m_capturedCaption ? hit : hitNone;
        if (pressed != m_pressedCaption)
        {
            m_pressedCaption = pressed;
            RedrawFrameNow();
        }
        return;
    }
    if (m_bCustomizationMode && m_customizeTimer && !(flags & MK_LBUTTON))
    {
        KillTimer(kCustomizeTimer);
        m_customizeTimer = 0;
    }
    COXCoolToolBar::OnMouseMove(flags, point);
}

void COXMenuBar::OnLButtonDown(UINT flags, CPoint point)
{
    // A click on the icon (as a popup's switching posts it) opens the system menu, and
    // never drags the bar.
    if (m_hIcon && HitTest(point, coordsClient) == hitIcon)
    {
        PostMessage(WM_OX_MENUBAR_OPENITEM, static_cast<WPARAM>(GetSystemMenuItem()));
        return;
    }
    if (IsFloating())
        SendMessage(TB_PRESSBUTTON, 1, FALSE);
    if (m_bCustomizationMode)
    {
        // A press held for a while drags the button.
        if (m_customizeTimer)
        {
            KillTimer(kCustomizeTimer);
            m_customizeTimer = 0;
        }
        else
        {
            m_customizeButton = HitTest(point, coordsClient);
            m_customizeTimer = SetTimer(kCustomizeTimer, kCustomizeDelayMs);
        }
    }
    COXCoolToolBar::OnLButtonDown(flags, point);
}

void COXMenuBar::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (IsFloating())
        SendMessage(TB_PRESSBUTTON, 1, FALSE);
    COXCoolToolBar::OnLButtonDblClk(flags, point);
}

void COXMenuBar::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_capturedCaption == hitNone || GetCapture() != this)
    {
        COXCoolToolBar::OnLButtonUp(flags, point);
        return;
    }
    const int pressed = m_capturedCaption;
    m_capturedCaption = hitNone;
    m_pressedCaption = hitNone;
    ::ReleaseCapture();
    RedrawFrameNow();
    const HWND child = MaximizedChild();
    if (!child || HitTest(point, coordsClient) != pressed)
        return;
    const WPARAM command = pressed == hitClose     ? SC_CLOSE
                           : pressed == hitRestore ? SC_RESTORE
                                                   : SC_MINIMIZE;
    ::PostMessageA(child, WM_SYSCOMMAND, command, 0);
}

void COXMenuBar::OnTimer(UINT_PTR id)
{
    if (id != kCustomizeTimer)
    {
        COXCoolToolBar::OnTimer(id);
        return;
    }
    KillTimer(kCustomizeTimer);
    m_customizeTimer = 0;
    if (::GetKeyState(VK_LBUTTON) >= 0 || m_customizeButton < 0 || m_customizeButton >= GetCount())
        return;
    NMTOOLBARA drag = {};
    drag.hdr.hwndFrom = m_hWnd;
    drag.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    drag.hdr.code = TBN_BEGINDRAG;
    drag.iItem = m_customizeButton + 1;
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_NOTIFY, drag.hdr.idFrom, reinterpret_cast<LPARAM>(&drag));
}
