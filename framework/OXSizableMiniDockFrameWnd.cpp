// COXSizableMiniDockFrameWnd: sizing border, floating size, system menu, and the docked MDI
// child's share of activation and closing.
#include "framework/OXSizableMiniDockFrameWnd.h"

#include "framework/OXDockMessages.h"
#include "framework/OXMDIChildWndSizeDock.h"
#include "framework/OXMDIFrameWndSizeDock.h"
#include "framework/OXSizeViewBar.h"
#include "platform/bars/dockctx.h"
#include "platform/win/menu.h"
#include "platform/win/resource.h"

FW_TABLE(COXSizableMiniDockFrameWnd, CMiniDockFrameWnd,
         fw::on<WM_CREATE, &COXSizableMiniDockFrameWnd::OnCreate>(),
         fw::on<WM_NCHITTEST, &COXSizableMiniDockFrameWnd::OnNcHitTest>(),
         fw::on<WM_SIZE, &COXSizableMiniDockFrameWnd::OnSize>(),
         fw::on<WM_NCLBUTTONDOWN, &COXSizableMiniDockFrameWnd::OnNcLButtonDown>(),
         fw::on<WM_MOUSEACTIVATE, &COXSizableMiniDockFrameWnd::OnMouseActivate>(),
         fw::on<WM_CLOSE, &COXSizableMiniDockFrameWnd::OnClose>(),
         fw::on<WM_PARENTNOTIFY, &COXSizableMiniDockFrameWnd::OnParentNotify>(),
         fw::on<WM_SYSCOMMAND, &COXSizableMiniDockFrameWnd::OnSysCommand>(),
         fw::on<WM_INITMENUPOPUP, &COXSizableMiniDockFrameWnd::OnInitMenuPopup>(),
         fw::on<WM_NCACTIVATE, &COXSizableMiniDockFrameWnd::OnNcActivate>(),
         fw::on<WM_ACTIVATE, &COXSizableMiniDockFrameWnd::OnActivate>())

namespace
{
// The Close entry's text for a bar that only hides; not stored with the program.
constexpr UINT kHideCloseText = 61457;
constexpr LPARAM kFrameClick = 3;

bool IsSizingHit(UINT hitTest)
{
    return hitTest >= HTLEFT && hitTest <= HTBOTTOMRIGHT;
}
} // namespace

BOOL COXSizableMiniDockFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style &= ~static_cast<LONG>(MFS_4THICKFRAME | MFS_MOVEFRAME);
    cs.style |= WS_THICKFRAME | MFS_THICKFRAME;
    return CMiniDockFrameWnd::PreCreateWindow(cs);
}

int COXSizableMiniDockFrameWnd::OnCreate(LPCREATESTRUCTA cs)
{
    m_bClosing = FALSE;
    m_nSysMenuState = sysMenuUnset;
    return CMiniDockFrameWnd::OnCreate(cs);
}

LRESULT COXSizableMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
    return CMiniFrameWnd::OnNcHitTest(point);
}

void COXSizableMiniDockFrameWnd::AdjustBorders(CRect& rect, DWORD barStyle)
{
    if (barStyle & CBRS_BORDER_LEFT)
        rect.left -= fw::CxBorder2();
    if (barStyle & CBRS_BORDER_TOP)
        rect.top -= fw::CyBorder2();
    if (barStyle & CBRS_BORDER_RIGHT)
        rect.right += fw::CxBorder2();
    if (barStyle & CBRS_BORDER_BOTTOM)
        rect.bottom += fw::CyBorder2();
}

CControlBar* COXSizableMiniDockFrameWnd::FirstBar(const CDockBar& dockBar)
{
    if (dockBar.m_dwStyle & CBRS_FLOAT_MULTI)
        return nullptr;
    for (INT_PTR pos = 0; pos < dockBar.m_arrBars.GetSize(); ++pos)
    {
        if (CControlBar* bar = dockBar.GetDockedControlBar(static_cast<int>(pos)))
            return bar;
    }
    return nullptr;
}

void COXSizableMiniDockFrameWnd::TakeFloatingSize(const CDockBar& dockBar, int cx, int cy)
{
    auto* bar = dynamic_cast<COXSizeControlBar*>(FirstBar(dockBar));
    if (cx > 0 && cy > 0 && bar && bar->IsWindowVisible())
        bar->m_sizeFloat = CSize(cx, cy);
}

COXSizeViewBar* COXSizableMiniDockFrameWnd::LiveViewBar() const
{
    auto* bar = dynamic_cast<COXSizeViewBar*>(FirstBar(m_wndDockBar));
    if (!bar || !bar->m_pChildWnd || !::IsWindow(bar->m_pChildWnd->m_hWnd))
        return nullptr;
    return bar;
}

void COXSizableMiniDockFrameWnd::OnSize(UINT type, int cx, int cy)
{
    TakeFloatingSize(m_wndDockBar, cx, cy);
    CMiniDockFrameWnd::OnSize(type, cx, cy); // lays the frame out again
}

int COXSizableMiniDockFrameWnd::UpdateSystemMenu()
{
    if (m_nSysMenuState != sysMenuUnset)
        return m_nSysMenuState;
    CControlBar* bar = FirstBar(m_wndDockBar);
    auto* sizeable = dynamic_cast<COXSizeControlBar*>(bar);
    if (sizeable)
    {
        m_nSysMenuState = sysMenuSizeBar;
        GetSystemMenu(TRUE);
        CMenu* menu = GetSystemMenu(FALSE);
        for (const UINT command : {SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE, SC_TASKLIST})
            menu->DeleteMenu(command, MF_BYCOMMAND);
        for (int i = static_cast<int>(menu->GetMenuItemCount()) - 1; i >= 0; --i)
        {
            if (menu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
                menu->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
        }
        CString closeText;
        if (!(sizeable->GetSizeBarStyle() & COXSizeControlBar::deleteOnClose) &&
            fw::LoadResourceString(kHideCloseText, closeText))
            menu->ModifyMenu(SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, closeText);
    }
    else if (bar && (bar->m_dwStyle & CBRS_SIZE_DYNAMIC))
    {
        m_nSysMenuState = sysMenuOrdinary;
        ModifyStyle(0, MFS_4THICKFRAME);
    }
    else
    {
        m_nSysMenuState = sysMenuOrdinary;
        ModifyStyle(WS_THICKFRAME, MFS_MOVEFRAME);
    }
    return m_nSysMenuState;
}

void COXSizableMiniDockFrameWnd::TrackSystemMenu()
{
    CMenu* menu = GetSystemMenu(FALSE);
    if (!menu)
        return;
    CRect window;
    GetWindowRect(&window);
    const int below =
        window.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION);
    // The box shows pressed while the menu is open.
    SendMessage(WM_NCPAINT, 1);
    const UINT command = static_cast<UINT>(::TrackPopupMenu(
        menu->m_hMenu, TPM_RETURNCMD | TPM_LEFTALIGN, window.left, below, 0, m_hWnd, nullptr));
    if (command)
        SendMessage(WM_SYSCOMMAND, command);
}

void COXSizableMiniDockFrameWnd::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    if (m_nSysMenuState == sysMenuSizeBar)
    {
        if (IsSizingHit(hitTest))
        {
            if (CWnd* top = GetTopLevelParent())
                top->SetActiveWindow();
            CMiniFrameWnd::OnNcLButtonDown(hitTest, point);
            return;
        }
        if (hitTest == HTSYSMENU)
        {
            TrackSystemMenu();
            return;
        }
    }
    CMiniDockFrameWnd::OnNcLButtonDown(hitTest, point);
}

int COXSizableMiniDockFrameWnd::OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message)
{
    if (auto* viewBar = dynamic_cast<COXSizeViewBar*>(FirstBar(m_wndDockBar)))
        viewBar->SendMessage(WM_OX_BARACTIVATION, 1, kFrameClick);
    if (m_nSysMenuState == sysMenuSizeBar && IsSizingHit(hitTest))
        return static_cast<int>(Default());
    return CMiniDockFrameWnd::OnMouseActivate(topParent, hitTest, message);
}

void COXSizableMiniDockFrameWnd::OnClose()
{
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    CControlBar* bar = FirstBar(m_wndDockBar);
    auto* sizeable = dynamic_cast<COXSizeControlBar*>(bar);
    if (sizeable && (sizeable->GetSizeBarStyle() & COXSizeControlBar::deleteOnClose))
    {
        // The frame goes (this object with it), then the bar.
        CFrameWnd::OnClose();
        delete sizeable;
        return;
    }
    if (auto* viewBar = dynamic_cast<COXSizeViewBar*>(bar))
    {
        COXMDIChildWndSizeDock* child = viewBar->m_pChildWnd;
        if (viewBar->CanCloseChild())
        {
            viewBar->ShowWindow(SW_HIDE);
            if (viewBar->m_pDockContext)
                viewBar->m_pDockContext->ToggleDocking();
            if (child && ::IsWindow(child->m_hWnd))
                child->SendMessage(WM_CLOSE);
        }
        m_bClosing = FALSE;
        return;
    }
    CMiniDockFrameWnd::OnClose();
    m_bClosing = FALSE;
}

void COXSizableMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    const UINT event = LOWORD(message);
    if (event == WM_LBUTTONDOWN || event == WM_RBUTTONDOWN || event == WM_MBUTTONDOWN)
    {
        if (CControlBar* bar = FirstBar(m_wndDockBar))
            bar->SendMessage(WM_OX_BARACTIVATION, 1, kFrameClick);
    }
    CMiniDockFrameWnd::OnParentNotify(message, lParam);
}

void COXSizableMiniDockFrameWnd::OnSysCommand(UINT id, LPARAM lParam)
{
    COXSizeViewBar* viewBar = LiveViewBar();
    if (viewBar && id == g_nDockMDIChildCommand)
    {
        viewBar->m_pChildWnd->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnSysCommand(id, lParam);
}

void COXSizableMiniDockFrameWnd::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    COXSizeViewBar* viewBar = LiveViewBar();
    if (!viewBar)
    {
        CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
        return;
    }
    fw::CancelModes(m_hWnd);
    if (sysMenu && popup->GetMenuState(g_nDockMDIChildCommand, MF_BYCOMMAND) == 0xFFFFFFFF)
        viewBar->m_pChildWnd->AddDockItemToSystemMenu(popup);
}

BOOL COXSizableMiniDockFrameWnd::OnNcActivate(BOOL active)
{
    // The floating frame of a docked child looks active only while that child is.
    COXSizeViewBar* viewBar = LiveViewBar();
    if (viewBar && active && viewBar->m_pChildWnd->GetActiveChildFrame() != viewBar->m_pChildWnd)
        return FALSE;
    return CMiniFrameWnd::OnNcActivate(active);
}

void COXSizableMiniDockFrameWnd::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    CFrameWnd::OnActivate(state, other, minimized);
    if (COXSizeViewBar* viewBar = LiveViewBar())
        viewBar->SendMessage(WM_OX_BARACTIVATION, state != WA_INACTIVE, kFrameClick);
}
