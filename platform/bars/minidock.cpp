// Mini frames and the floating frame of bars.
#include "platform/bars/minidock.h"

#include "platform/bars/dockctx.h"
#include "platform/win/crackers.h"

FW_TABLE(CMiniFrameWnd, CFrameWnd, fw::on<WM_NCHITTEST, &CMiniFrameWnd::OnNcHitTest>(),
         fw::on<WM_NCLBUTTONDOWN, &CMiniFrameWnd::OnNcLButtonDown>(),
         fw::on<WM_NCACTIVATE, &CMiniFrameWnd::OnNcActivate>(),
         fw::on<WM_GETMINMAXINFO, &CMiniFrameWnd::OnGetMinMaxInfo>(),
         fw::raw<WM_FLOATSTATUS, &CMiniFrameWnd::OnFloatStatus>())

FW_TABLE(CMiniDockFrameWnd, CMiniFrameWnd,
         fw::on<WM_NCLBUTTONDOWN, &CMiniDockFrameWnd::OnNcLButtonDown>(),
         fw::on<WM_NCLBUTTONDBLCLK, &CMiniDockFrameWnd::OnNcLButtonDblClk>(),
         fw::on<WM_CLOSE, &CMiniDockFrameWnd::OnClose>(),
         fw::on<WM_MOUSEACTIVATE, &CMiniDockFrameWnd::OnMouseActivate>())

namespace
{
bool IsSizingHit(UINT hitTest)
{
    return hitTest >= HTLEFT && hitTest <= HTBOTTOMRIGHT;
}
} // namespace

BOOL CMiniFrameWnd::CreateMini(const char* className, const char* title, DWORD style,
                               const RECT& rect, CWnd* parent, UINT id)
{
    m_strTitle = title;
    return CreateEx(0, className, title, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The system's small caption; no client edge, unlike other frames.
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    if (cs.style & (MFS_THICKFRAME | MFS_4THICKFRAME | MFS_MOVEFRAME))
        cs.style |= WS_THICKFRAME;
    if (!cs.lpszClass)
        cs.lpszClass = fw::RegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return TRUE;
}

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint point)
{
    LRESULT hit = CWnd::OnNcHitTest(point);
    const DWORD style = GetStyle();
    if ((style & MFS_MOVEFRAME) && IsSizingHit(static_cast<UINT>(hit)))
        return HTCAPTION;
    if (style & MFS_4THICKFRAME)
    {
        // Only the four sides size the frame.
        if (hit == HTTOPLEFT || hit == HTTOPRIGHT)
            hit = HTTOP;
        else if (hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
            hit = HTBOTTOM;
    }
    return hit;
}

void CMiniFrameWnd::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    if (hitTest == HTSYSMENU && (GetStyle() & MFS_BLOCKSYSMENU))
        return;
    CWnd::OnNcLButtonDown(hitTest, point);
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CWnd::OnGetMinMaxInfo(info);
    // A small frame fits a small bar: no wider than its borders need, whatever its caption.
    CRect empty(0, 0, 0, 0);
    CalcWindowRect(&empty);
    info->ptMinTrackSize.x = empty.Width();
    info->ptMinTrackSize.y = empty.Height();
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL active)
{
    // A synchronised caption looks as active as its owner frame.
    if (GetStyle() & MFS_SYNCACTIVE)
        active = m_bActive;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, active, 0));
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    const DWORD style = GetStyle();
    if (wParam & FS_SYNCACTIVE)
        return (style & MFS_SYNCACTIVE) ? TRUE : FALSE;
    if ((wParam & FS_HIDE) && (style & WS_VISIBLE))
    {
        ShowWindow(SW_HIDE);
        m_bHiddenByOwner = TRUE;
    }
    if ((wParam & FS_SHOW) && m_bHiddenByOwner)
    {
        ShowWindow(SW_SHOWNOACTIVATE);
        m_bHiddenByOwner = FALSE;
    }
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE))
    {
        m_bActive = (wParam & FS_ACTIVATE) != 0;
        if (style & MFS_SYNCACTIVE)
            SendMessage(WM_NCACTIVATE, m_bActive);
    }
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    return TRUE;
}

CMiniDockFrameWnd::CMiniDockFrameWnd() = default;

BOOL CMiniDockFrameWnd::Create(CWnd* parent, DWORD barStyle)
{
    // No layout until the dock bar is in.
    m_bInRecalcLayout = TRUE;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_4THICKFRAME |
                  MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    // Only a dynamic bar is resized by the borders; others are moved by them.
    if (!(barStyle & CBRS_SIZE_DYNAMIC))
        style |= MFS_MOVEFRAME;
    if (!CreateMini(nullptr, "", style, CRect(0, 0, 0, 0), parent))
        return FALSE; // the frame deleted itself
    const DWORD dockStyle = ((barStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP) |
                            (barStyle & (CBRS_FLOAT_MULTI | CBRS_SIZE_DYNAMIC));
    // Made on the dock site, so that the site lists it, then moved in here.
    if (!m_wndDockBar.Create(parent, WS_CHILD | WS_VISIBLE | dockStyle, AFX_IDW_DOCKBAR_FLOAT))
    {
        DestroyWindow(); // the frame deletes itself
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_wndDockBar.SetOwner(parent);
    // The caption follows its owner's from the start.
    m_bActive = parent && ::GetActiveWindow() == parent->m_hWnd;
    m_bInRecalcLayout = FALSE;
    RecalcLayout();
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL notify)
{
    if (m_bInRecalcLayout || !m_wndDockBar.m_hWnd)
        return;
    CMiniFrameWnd::RecalcLayout(notify);
    FollowFloatingDockBar(*this, m_wndDockBar, !m_bHiddenByOwner, SW_SHOWNOACTIVATE);
}

void FollowFloatingDockBar(CWnd& frame, CDockBar& dockBar, bool mayShow, int showCommand)
{
    CString title;
    dockBar.GetWindowText(title);
    CString current;
    frame.GetWindowText(current);
    if (current != title)
        frame.SetWindowText(title);
    const bool anyVisible = dockBar.GetDockedVisibleCount() > 0;
    if (!anyVisible && frame.IsWindowVisible())
        frame.ShowWindow(SW_HIDE);
    else if (anyVisible && mayShow && !frame.IsWindowVisible())
        frame.ShowWindow(showCommand);
}

CControlBar* CMiniDockFrameWnd::SingleBar() const
{
    if ((m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) || m_wndDockBar.GetDockedCount() != 1)
        return nullptr;
    for (INT_PTR pos = 0; pos < m_wndDockBar.m_arrBars.GetSize(); ++pos)
    {
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(static_cast<int>(pos)))
            return bar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    CControlBar* bar = SingleBar();
    CDockContext* context = bar ? bar->m_pDockContext : nullptr;
    if (context && hitTest == HTCAPTION)
    {
        // The drag may dock the bar and end this frame: nothing of it is touched after.
        context->StartDrag(point);
        return;
    }
    if (context && IsSizingHit(hitTest) && (bar->m_dwStyle & CBRS_SIZE_DYNAMIC))
    {
        context->StartResize(static_cast<int>(hitTest), point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(hitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT hitTest, CPoint point)
{
    CControlBar* bar = SingleBar();
    if (hitTest == HTCAPTION && bar && bar->m_pDockContext)
    {
        bar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(hitTest, point);
}

void CMiniDockFrameWnd::OnClose()
{
    // Closing a floating frame hides its bars; the frame goes with the last bar.
    CFrameWnd* site = m_wndDockBar.m_pDockSite;
    for (INT_PTR pos = 0; pos < m_wndDockBar.m_arrBars.GetSize(); ++pos)
    {
        CControlBar* bar = m_wndDockBar.GetDockedControlBar(static_cast<int>(pos));
        if (!bar)
            continue;
        if (site)
            site->ShowControlBar(bar, FALSE, FALSE);
        else
            bar->ShowWindow(SW_HIDE);
    }
    RecalcLayout();
}

int CMiniDockFrameWnd::OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message)
{
    // A click on a floating bar leaves the main frame, and its active view, active.
    if (hitTest == HTCLIENT)
        return MA_NOACTIVATE;
    return CMiniFrameWnd::OnMouseActivate(topParent, hitTest, message);
}
