// COXMDIFloatWnd: the MDI child that floats bars inside the MDI client.
#include "framework/OXMDIFloatWnd.h"

#include "framework/OXSizableMiniDockFrameWnd.h"
#include "platform/bars/dockctx.h"
#include "platform/bars/minidock.h"
#include "platform/win/app.h"

FW_TABLE(COXMDIFloatWnd, COXMDIChildWndSizeDock, fw::on<WM_SIZE, &COXMDIFloatWnd::OnSize>(),
         fw::on<WM_SHOWWINDOW, &COXMDIFloatWnd::OnShowWindow>(),
         fw::on<WM_CLOSE, &COXMDIFloatWnd::OnClose>(),
         fw::on<WM_WINDOWPOSCHANGED, &COXMDIFloatWnd::OnWindowPosChanged>())

namespace
{
// WS_CHILD | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
// WS_MAXIMIZEBOX | FWS_SNAPTOBARS: made hidden.
constexpr DWORD kFloatWndStyle = 0x42CF2000;
} // namespace

BOOL COXMDIFloatWnd::Create(CFrameWnd* dockSite, DWORD barStyle)
{
    m_bInLayout = TRUE;
    const char* className = fw::RegisterWndClass(CS_DBLCLKS);
    if (!COXMDIChildWndSizeDock::Create(className, nullptr, kFloatWndStyle, rectDefault,
                                        dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()), nullptr))
        return FALSE; // the window deleted itself
    const DWORD alignment =
        (barStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    const DWORD style = alignment | (barStyle & CBRS_FLOAT_MULTI) | WS_CHILD | WS_VISIBLE;
    // Made on the dock site, so that the site lists it, then moved in here.
    if (!m_wndDockBar.Create(dockSite, style, AFX_IDW_DOCKBAR_FLOAT))
    {
        m_bInLayout = FALSE;
        MDIDestroy();
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInLayout = FALSE;
    return TRUE;
}

BOOL COXMDIFloatWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!COXMDIChildWndSizeDock::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    return TRUE;
}

void COXMDIFloatWnd::RecalcLayout(BOOL notify)
{
    if (m_bInLayout || !m_wndDockBar.m_hWnd)
        return;
    COXMDIChildWndSizeDock::RecalcLayout(notify);
    FollowFloatingDockBar(*this, m_wndDockBar, true, SW_SHOWNA);
}

void COXMDIFloatWnd::OnSize(UINT type, int cx, int cy)
{
    COXSizableMiniDockFrameWnd::TakeFloatingSize(m_wndDockBar, cx, cy);
    CMDIChildWnd::OnSize(type, cx, cy);
}

void COXMDIFloatWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
    CControlBar* bar = COXSizableMiniDockFrameWnd::FirstBar(m_wndDockBar);
    if (bar && bar->m_pDockContext)
    {
        CRect window;
        GetWindowRect(&window);
        bar->m_pDockContext->m_ptMRUFloatPos = window.TopLeft();
    }
}

void COXMDIFloatWnd::OnShowWindow(BOOL show, UINT status)
{
    if (show && status == 0)
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Default();
}

void COXMDIFloatWnd::HideBars(CControlBar* bar)
{
    for (INT_PTR pos = 0; pos < m_wndDockBar.m_arrBars.GetSize(); ++pos)
    {
        CControlBar* docked = m_wndDockBar.GetDockedControlBar(static_cast<int>(pos));
        if (!docked || (bar && docked != bar))
            continue;
        CFrameWnd* site = docked->GetDockingFrame();
        if (site)
            site->ShowControlBar(docked, FALSE, FALSE);
        else
            docked->ShowWindow(SW_HIDE);
    }
    if (auto* mdiFrame = dynamic_cast<CMDIFrameWnd*>(GetTopLevelFrame()))
        ::SendMessageA(mdiFrame->m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void COXMDIFloatWnd::OnClose()
{
    if (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)
    {
        HideBars(nullptr);
        return;
    }
    CControlBar* bar = COXSizableMiniDockFrameWnd::FirstBar(m_wndDockBar);
    auto* sizeable = dynamic_cast<COXSizeControlBar*>(bar);
    if (sizeable && (sizeable->GetSizeBarStyle() & COXSizeControlBar::deleteOnClose))
    {
        // The window goes, and the bar with it.
        COXMDIChildWndSizeDock::OnClose();
        delete sizeable;
        return;
    }
    if (bar)
        HideBars(bar);
}

void COXMDIFloatWnd::AppendDockMenuItem(HMENU)
{
}

void COXMDIFloatWnd::AddDockItemToSystemMenu(CMenu*)
{
}
