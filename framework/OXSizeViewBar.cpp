// COXSizeViewBar and its wrapper: taking a child's view in and giving it back, fitting it to
// the bar, activation between the bar, its frame and the child.
#include "framework/OXSizeViewBar.h"

#include "framework/OXMDIChildWndSizeDock.h"
#include "framework/OXMDIFrameWndSizeDock.h"
#include "framework/OXSizableMiniDockFrameWnd.h"
#include "platform/bars/dockbar.h"
#include "platform/base/exception.h"
#include "platform/docview/doc.h"
#include "platform/docview/view.h"
#include "platform/win/menu.h"

FW_TABLE(COXMDIChildWndDockWrapper, CWnd,
         fw::on<WM_NCHITTEST, &COXMDIChildWndDockWrapper::OnNcHitTest>(),
         fw::on<WM_LBUTTONDOWN, &COXMDIChildWndDockWrapper::OnLButtonDown>(),
         fw::on<WM_LBUTTONDBLCLK, &COXMDIChildWndDockWrapper::OnLButtonDblClk>(),
         fw::on<WM_MOUSEACTIVATE, &COXMDIChildWndDockWrapper::OnMouseActivate>(),
         fw::on<WM_DESTROY, &COXMDIChildWndDockWrapper::OnDestroy>(),
         fw::on<WM_NCDESTROY, &COXMDIChildWndDockWrapper::OnNcDestroy>(),
         fw::on<WM_CLOSE, &COXMDIChildWndDockWrapper::OnClose>(),
         fw::on<WM_NCACTIVATE, &COXMDIChildWndDockWrapper::OnNcActivate>())

FW_TABLE(COXSizeViewBar, COXSizeControlBar, fw::on<WM_NCACTIVATE, &COXSizeViewBar::OnNcActivate>(),
         fw::on<WM_DESTROY, &COXSizeViewBar::OnDestroy>(),
         fw::on<WM_NCDESTROY, &COXSizeViewBar::OnNcDestroy>(),
         fw::raw<WM_SETTEXT, &COXSizeViewBar::OnSetText>(),
         fw::raw<WM_OX_APPENDDOCKMENU, &COXSizeViewBar::OnAppendDockMenu>(),
         fw::raw<WM_OX_BARACTIVATION, &COXSizeViewBar::OnBarActivation>())

namespace
{
constexpr char kWrapperClass[] = "MDIChildWndDockWrapper";
constexpr DWORD kViewBarStyle = COXSizeControlBar::contextMenu | COXSizeControlBar::solidCaption;
// WM_OX_BARACTIVATION sources.
constexpr LPARAM kActivationChange = 1;
constexpr LPARAM kWrapperClick = 2;
constexpr LPARAM kFrameClick = 3;

const char* RegisterWrapperClass()
{
    WNDCLASSA existing;
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!::GetClassInfoA(instance, kWrapperClass, &existing))
    {
        WNDCLASSA wc = {};
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kWrapperClass;
        ::RegisterClassA(&wc);
    }
    return kWrapperClass;
}

COXMDIFrameWndSizeDock* DockFrameOf(COXMDIChildWndSizeDock* child)
{
    return child ? dynamic_cast<COXMDIFrameWndSizeDock*>(child->GetMDIFrame()) : nullptr;
}
} // namespace

// The wrapper.

BOOL COXMDIChildWndDockWrapper::Create(COXSizeViewBar* bar)
{
    m_pBar = bar;
    CString title;
    bar->GetWindowText(title);
    CRect client;
    bar->GetClientRect(&client);
    if (!CreateEx(0, RegisterWrapperClass(), title, WS_CHILD | WS_VISIBLE, client, bar, 0))
        return FALSE;
    SendMessage(WM_NCACTIVATE, TRUE);
    return TRUE;
}

void COXMDIChildWndDockWrapper::Attach(COXSizeViewBar* bar, CView* view)
{
    if (!m_hWnd && !Create(bar))
        fw::ThrowMemoryException();
    m_pBar = bar;
    m_pView = view;
    if (view && ::IsWindow(view->m_hWnd))
        view->SetParent(this);
    CRect client;
    bar->GetClientRect(&client);
    SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOW);
    UpdateWindow();
}

void COXMDIChildWndDockWrapper::Release()
{
    if (m_pView && ::IsWindow(m_pView->m_hWnd) && m_pBar)
        m_pView->SetParent(m_pBar);
    if (m_hWnd)
        ShowWindow(SW_HIDE);
}

LRESULT COXMDIChildWndDockWrapper::OnNcHitTest(CPoint point)
{
    const LRESULT hit = Default();
    // Client and caption answer as the bar would there, so that the bar can be dragged.
    if ((hit == HTCLIENT || hit == HTCAPTION) && m_pBar && ::IsWindow(m_pBar->m_hWnd))
        return m_pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    return hit;
}

void COXMDIChildWndDockWrapper::OnLButtonDown(UINT flags, CPoint point)
{
    if (!m_pBar || !::IsWindow(m_pBar->m_hWnd))
        return;
    MapWindowPoints(m_pBar, &point, 1);
    m_pBar->SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void COXMDIChildWndDockWrapper::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (m_pBar && ::IsWindow(m_pBar->m_hWnd))
        m_pBar->SendMessage(WM_LBUTTONDBLCLK, flags, MAKELPARAM(point.x, point.y));
}

int COXMDIChildWndDockWrapper::OnMouseActivate(CWnd*, UINT, UINT)
{
    const int result = static_cast<int>(Default());
    if (result != MA_NOACTIVATE && result != MA_NOACTIVATEANDEAT && m_pBar &&
        ::IsWindow(m_pBar->m_hWnd))
        m_pBar->SendMessage(WM_OX_BARACTIVATION, 1, kWrapperClick);
    return result;
}

void COXMDIChildWndDockWrapper::OnDestroy()
{
    m_bWrapperDestroying = TRUE;
    if (m_pBar && ::IsWindow(m_pBar->m_hWnd) && !m_pBar->m_bBarDestroying && !m_pBar->IsFloating())
        Release();
    Default();
}

void COXMDIChildWndDockWrapper::OnNcDestroy()
{
    m_bWrapperDestroying = TRUE;
    Default();
    if (m_pBar && ::IsWindow(m_pBar->m_hWnd) && !m_pBar->m_bBarDestroying)
        m_pBar->DestroyWindow();
}

void COXMDIChildWndDockWrapper::OnClose()
{
    m_bWrapperDestroying = TRUE;
    if (m_pBar && ::IsWindow(m_pBar->m_hWnd) && !m_pBar->m_bBarDestroying &&
        !m_pBar->CanCloseChild())
    {
        m_bWrapperDestroying = FALSE;
        return;
    }
    Default();
}

BOOL COXMDIChildWndDockWrapper::OnNcActivate(BOOL active)
{
    // Only the active child's wrapper looks active.
    if (active && m_pBar && m_pBar->m_pChildWnd)
    {
        const CMDIChildWnd* activeChild = m_pBar->m_pChildWnd->GetActiveChildFrame();
        if (activeChild != m_pBar->m_pChildWnd)
            return FALSE;
    }
    return static_cast<BOOL>(Default());
}

// The view bar.

COXSizeViewBar::COXSizeViewBar()
    : COXSizeControlBar(kViewBarStyle)
{
}

bool COXSizeViewBar::IsChildDocked() const
{
    return m_pChildWnd && ::IsWindow(m_pChildWnd->m_hWnd) && m_pChildWnd->m_bDocked &&
           DockFrameOf(m_pChildWnd);
}

bool COXSizeViewBar::IsActiveChild() const
{
    return m_pChildWnd && m_pChildWnd->GetActiveChildFrame() == m_pChildWnd;
}

void COXSizeViewBar::DockNewBar()
{
    CMDIFrameWnd* frame = m_pChildWnd->GetMDIFrame();
    const DWORD allowed = m_pChildWnd->m_dwDockStyle;
    static const struct
    {
        DWORD side;
        UINT id;
    } kOrder[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                  {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                  {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                  {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};
    for (const auto& side : kOrder)
    {
        if (allowed & side.side)
        {
            frame->DockControlBar(this, side.id);
            return;
        }
    }
    frame->DockControlBar(this, static_cast<UINT>(0));
}

void COXSizeViewBar::LeaveClientActive(COXMDIChildWndSizeDock* child, bool dockable)
{
    CMDIFrameWnd* mdiFrame = child->GetMDIFrame();
    const HWND client = mdiFrame->m_hWndMDIClient;
    const WPARAM hwnd = reinterpret_cast<WPARAM>(child->m_hWnd);
    const bool maximized = m_bActiveMaximized && dockable;
    if (maximized)
    {
        // The next child takes the client; this one leaves restored.
        ::SendMessageA(client, WM_MDINEXT, 0, 0);
        child->ShowWindow(SW_HIDE);
        ::SendMessageA(client, WM_MDIRESTORE, hwnd, 0);
        child->ShowWindow(SW_HIDE);
    }
    const BOOL wasDocked = child->m_bDocked;
    child->m_bDocked = TRUE;
    ::SendMessageA(client, WM_MDIACTIVATE, hwnd, 0);
    // Taking over from a maximized child, the client maximizes it again: it leaves restored
    // all the same.
    if (maximized && child->IsZoomed())
        ::SendMessageA(client, WM_MDIRESTORE, hwnd, 0);
    child->m_bDocked = wasDocked;
}

BOOL COXSizeViewBar::DockChild(COXMDIChildWndSizeDock* child)
{
    m_pChildWnd = child;
    m_pView = child->GetActiveView();
    if (!m_pView)
        return FALSE;
    COXMDIFrameWndSizeDock* frame = DockFrameOf(child);
    CMDIFrameWnd* mdiFrame = child->GetMDIFrame();
    bool isNew = false;
    if (!m_hWnd)
    {
        if (!CreateBar(mdiFrame, "", 1, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                       CFrameWnd::rectDefault))
            return FALSE;
        EnableDocking(child->m_dwDockStyle);
        ShowWindow(SW_HIDE);
        isNew = true;
    }
    CString title;
    child->GetWindowText(title);
    SetWindowText(title);
    m_pView->SetParent(this);

    if (child->GetActiveChildFrame(&m_bActiveMaximized) == child)
        LeaveClientActive(child, frame != nullptr);
    else
        m_bActiveMaximized = FALSE;
    child->ShowWindow(SW_HIDE);
    if (isNew)
    {
        ShowWindow(SW_SHOWNA);
        DockNewBar();
    }
    else
    {
        if (CFrameWnd* site = GetDockingFrame())
            site->ShowControlBar(this, !IsWindowVisible(), FALSE);
        mdiFrame->RecalcLayout();
        CRect window;
        GetWindowRect(&window);
        const BOOL wasDocked = child->m_bDocked;
        child->m_bDocked = TRUE;
        OnBarResized(window.Width(), window.Height(), IsFloating(), floatingChanged);
        child->m_bDocked = wasDocked;
    }
    ::SendMessageA(mdiFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    return TRUE;
}

BOOL COXSizeViewBar::UndockChild(BOOL show)
{
    if (!IsChildDocked())
        return FALSE;
    CMDIFrameWnd* mdiFrame = m_pChildWnd->GetMDIFrame();
    if (!IsFloating() && ::IsWindow(m_wndWrapper.m_hWnd) && !m_wndWrapper.m_bWrapperDestroying)
        m_wndWrapper.Release();
    if (m_pView && ::IsWindow(m_pView->m_hWnd))
    {
        m_pView->SetParent(m_pChildWnd);
        mdiFrame->SetActiveView(nullptr, FALSE);
        m_pChildWnd->SetActiveView(m_pView, FALSE);
    }
    if (show)
    {
        if (CFrameWnd* site = GetDockingFrame())
            site->ShowControlBar(this, !IsWindowVisible(), FALSE);
        mdiFrame->RecalcLayout();
    }
    if (IsActiveChild())
    {
        m_pChildWnd->m_bDocked = FALSE;
        // Back in the client, the child is no longer the docked one that is active.
        auto* dockFrame = DockFrameOf(m_pChildWnd);
        if (dockFrame && dockFrame->m_pActiveDockChild == m_pChildWnd)
            dockFrame->SetActiveDockedChild(nullptr);
        ::SendMessageA(mdiFrame->m_hWndMDIClient, WM_MDIACTIVATE,
                       reinterpret_cast<WPARAM>(m_pChildWnd->m_hWnd), 0);
        if (m_bActiveMaximized || (dockFrame && dockFrame->IsMDIActiveMaximized()))
            ::SendMessageA(mdiFrame->m_hWndMDIClient, WM_MDIMAXIMIZE,
                           reinterpret_cast<WPARAM>(m_pChildWnd->m_hWnd), 0);
        m_pChildWnd->m_bDocked = TRUE;
        if (m_pView && ::IsWindow(m_pView->m_hWnd))
        {
            CRect client;
            m_pChildWnd->GetClientRect(&client);
            m_pView->MoveWindow(&client);
        }
    }
    if (show)
        m_pChildWnd->ShowWindow(SW_SHOW);
    ::SendMessageA(mdiFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    return TRUE;
}

BOOL COXSizeViewBar::CanCloseChild()
{
    if (!m_pChildWnd || !::IsWindow(m_pChildWnd->m_hWnd) || !m_pView)
        return TRUE;
    CDocument* document = m_pView->GetDocument();
    return document ? document->CanCloseFrame(m_pChildWnd) : TRUE;
}

void COXSizeViewBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    UpdateDialogControls(target, disableIfNoHandler);
}

void COXSizeViewBar::OnBarResized(int cx, int cy, BOOL floating, int flags)
{
    COXSizeControlBar::OnBarResized(cx, cy, floating, flags);
    if (!IsChildDocked() || !m_pView || !::IsWindow(m_pView->m_hWnd))
        return;
    CWnd* host = this;
    if (floating)
    {
        // Floating, the view sits straight in the bar.
        m_wndWrapper.Release();
        if (CFrameWnd* frame = GetParentFrame())
            frame->RecalcLayout();
    }
    else
    {
        m_wndWrapper.Attach(this, m_pView);
        host = &m_wndWrapper;
    }
    CRect client;
    host->GetClientRect(&client);
    m_pView->MoveWindow(&client);
    if (IsActiveChild())
        m_pView->SetFocus();
}

void COXSizeViewBar::ShowContextMenu(CWnd* wnd, CPoint point)
{
    if (!(GetSizeBarStyle() & contextMenu) || !m_pChildWnd)
    {
        COXSizeControlBar::ShowContextMenu(wnd, point);
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    m_pChildWnd->AppendDockMenuItem(menu.m_hMenu);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, m_pChildWnd);
}

BOOL COXSizeViewBar::OnNcActivate(BOOL)
{
    return static_cast<BOOL>(Default());
}

void COXSizeViewBar::OnDestroy()
{
    m_bBarDestroying = TRUE;
    CControlBar::OnDestroy();
    if (m_pChildWnd && m_pChildWnd->m_bDocked)
        UndockChild(FALSE);
}

void COXSizeViewBar::OnNcDestroy()
{
    m_bBarDestroying = TRUE;
    CWnd::OnNcDestroy();
    if (::IsWindow(m_wndWrapper.m_hWnd) && !m_wndWrapper.m_bWrapperDestroying)
        m_wndWrapper.DestroyWindow();
    if (m_pChildWnd && ::IsWindow(m_pChildWnd->m_hWnd))
    {
        if (m_pChildWnd->m_bDocked && !m_pChildWnd->m_bChildDestroying)
            m_pChildWnd->PostMessage(WM_CLOSE);
        else if (CMDIFrameWnd* frame = m_pChildWnd->GetMDIFrame())
            frame->SetActiveView(nullptr, FALSE);
    }
}

LRESULT COXSizeViewBar::OnSetText(WPARAM wParam, LPARAM lParam)
{
    if (IsFloating())
    {
        if (CFrameWnd* frame = GetParentFrame())
            frame->SendMessage(WM_SETTEXT, wParam, lParam);
    }
    else if (::IsWindow(m_wndWrapper.m_hWnd))
    {
        m_wndWrapper.SendMessage(WM_SETTEXT, wParam, lParam);
    }
    return Default();
}

LRESULT COXSizeViewBar::OnAppendDockMenu(WPARAM, LPARAM lParam)
{
    if (m_pChildWnd)
        m_pChildWnd->AppendDockMenuItem(reinterpret_cast<HMENU>(lParam));
    return 1;
}

LRESULT COXSizeViewBar::OnBarActivation(WPARAM wParam, LPARAM lParam)
{
    const BOOL active = static_cast<BOOL>(wParam);
    if (lParam == kActivationChange && IsChildDocked())
    {
        auto* floatingFrame = dynamic_cast<COXSizableMiniDockFrameWnd*>(GetParentFrame());
        if (IsFloating() && floatingFrame)
        {
            floatingFrame->SendMessage(WM_NCACTIVATE, 0);
            floatingFrame->SendMessage(WM_FLOATSTATUS, active ? FS_ACTIVATE : FS_DEACTIVATE);
        }
        else if (!IsFloating() && ::IsWindow(m_wndWrapper.m_hWnd))
        {
            m_wndWrapper.SendMessage(WM_NCACTIVATE, active);
        }
    }
    else if ((lParam == kWrapperClick || lParam == kFrameClick) && IsChildDocked() && active)
    {
        if (!IsActiveChild())
        {
            CMDIFrameWnd* mdiFrame = m_pChildWnd->GetMDIFrame();
            ::SendMessageA(mdiFrame->m_hWndMDIClient, WM_MDIACTIVATE,
                           reinterpret_cast<WPARAM>(m_pChildWnd->m_hWnd), 0);
        }
        if (m_pView && ::IsWindow(m_pView->m_hWnd))
            m_pView->SetFocus();
    }
    SetActive(active, FALSE);
    return TRUE;
}
