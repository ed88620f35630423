// COXMDIFrameWndSizeDock: the docked-aware active child, routing through it, the close
// sequence, and floating bars in the MDI client. COXFrameWndSizeDock: its bars go first.
#include "framework/OXMDIFrameWndSizeDock.h"

#include "framework/OXMDIChildWndSizeDock.h"
#include "framework/OXMDIFloatWnd.h"
#include "framework/OXSizableMiniDockFrameWnd.h"
#include "framework/OXSizeControlBar.h"
#include "framework/OXSizeDockBar.h"
#include "platform/bars/dockbar.h"
#include "platform/bars/minidock.h"
#include "platform/base/exception.h"
#include "platform/docview/doc.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"

#include <algorithm>

UINT g_nDockMDIChildCommand = ::RegisterWindowMessageA("_DOCK_MDICHILD_");

FW_TABLE(COXMDIFrameWndSizeDock, CMDIFrameWnd,
         fw::on<WM_DESTROY, &COXMDIFrameWndSizeDock::OnDestroy>(),
         fw::raw<WM_COMMANDHELP, &COXMDIFrameWndSizeDock::OnCommandHelp>(),
         fw::on<WM_CLOSE, &COXMDIFrameWndSizeDock::OnClose>(),
         fw::on<WM_ACTIVATE, &COXMDIFrameWndSizeDock::OnActivate>(),
         fw::command<ID_VIEW_TOOLBAR, &COXMDIFrameWndSizeDock::OnBarCheck>(),
         fw::command<ID_VIEW_STATUS_BAR, &COXMDIFrameWndSizeDock::OnBarCheck>(),
         fw::command<ID_WINDOW_NEW, &COXMDIFrameWndSizeDock::OnWindowNew>())

FW_TABLE(COXFrameWndSizeDock, CFrameWnd, fw::on<WM_DESTROY, &COXFrameWndSizeDock::OnDestroy>())

namespace
{
struct SizeDockSide
{
    UINT id;
    DWORD style;
};

// Made, and laid out, in this order: the top and bottom dock bars take the whole width.
constexpr SizeDockSide kSizeDockSides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
                                           {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
                                           {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
                                           {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT}};

// Moves a new floating frame to point (its parent's coordinates) and docks bar in it; the bar
// owns the frame unless it has an owner already.
void PutInFloatingFrame(CFrameWnd* frame, CDockBar& dockBar, CControlBar* bar, CPoint point,
                        BOOL show)
{
    frame->SetWindowPos(nullptr, point.x, point.y, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!frame->m_hWndOwner)
        frame->m_hWndOwner = bar->m_hWnd;
    dockBar.DockControlBar(bar);
    frame->RecalcLayout(TRUE);
    if (show)
    {
        frame->ShowWindow(SW_SHOWNA);
        frame->UpdateWindow();
    }
}

// The sizeable bars of the frame go before it (only for the outermost frame).
void DestroyBarsOf(CFrameWnd* frame)
{
    CFrameWnd* top = frame->GetTopLevelFrame();
    if (!top || top == frame)
        COXSizeControlBar::DestroyFrameBars(frame);
}
} // namespace

void COXMDIFrameWndSizeDock::EnableDocking(DWORD dockStyle)
{
    // Dock bars that exist stay; the framework's own makes none where these are.
    m_pFloatingFrameClass = RUNTIME_CLASS(COXSizableMiniDockFrameWnd);
    for (const SizeDockSide& side : kSizeDockSides)
    {
        if (!(side.style & dockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.id))
            continue;
        auto* dockBar = new COXSizeDockBar;
        dockBar->m_bAutoDelete = TRUE;
        if (!dockBar->Create(this, WS_CHILD | WS_VISIBLE | side.style, side.id))
            fw::ThrowResourceException(); // the dock bar deleted itself
    }
    CFrameWnd::EnableDocking(dockStyle);
}

CMDIChildWnd* COXMDIFrameWndSizeDock::GetActiveChildFrame(BOOL* maximized) const
{
    CMDIChildWnd* child = nullptr;
    if (m_pActiveDockChild)
    {
        if (maximized)
            *maximized = FALSE;
        child = m_pActiveDockChild;
    }
    else
    {
        child = MDIGetActive(maximized);
    }
    if (!child || !::IsWindow(child->m_hWnd))
        return nullptr;
    return child;
}

BOOL COXMDIFrameWndSizeDock::IsDockedChild(CWnd* wnd)
{
    auto* child = dynamic_cast<COXMDIChildWndSizeDock*>(wnd);
    return child ? child->m_bDocked : FALSE;
}

void COXMDIFrameWndSizeDock::SetActiveDockedChild(COXMDIChildWndSizeDock* child)
{
    m_pActiveDockChild = (child && ::IsWindow(child->m_hWnd)) ? child : nullptr;
}

BOOL COXMDIFrameWndSizeDock::IsMDIActiveMaximized() const
{
    BOOL maximized = FALSE;
    MDIGetActive(&maximized);
    return maximized;
}

void COXMDIFrameWndSizeDock::MDIActivate(CWnd* child)
{
    if (IsDockedChild(child))
    {
        SetActiveDockedChild(static_cast<COXMDIChildWndSizeDock*>(child));
    }
    else
    {
        SetActiveDockedChild(nullptr);
        if (child)
            ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd),
                           0);
    }
    RefreshChildActivation();
}

void COXMDIFrameWndSizeDock::RefreshChildActivation()
{
    CMDIChildWnd* active = GetActiveChildFrame();
    for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (dynamic_cast<COXMDIChildWndSizeDock*>(CWnd::FromHandlePermanent(child)))
            ::SendMessageA(child, WM_NCACTIVATE, active && active->m_hWnd == child, 0);
    }
    CView* view = active ? active->GetActiveView() : nullptr;
    if (view)
    {
        CFrameWnd* viewFrame = view->GetParentFrame();
        if (dynamic_cast<CMiniDockFrameWnd*>(viewFrame) && view->IsWindowVisible())
        {
            // The view of a child docked in a floating bar: activated from here, then put
            // back, hidden meanwhile so that nothing flickers.
            CWnd* host = view->GetParent();
            const DWORD style = view->GetStyle();
            view->ModifyStyle(WS_VISIBLE, 0);
            view->SetParent(this);
            SetActiveView(view, TRUE);
            view->SetParent(host);
            if (style & WS_VISIBLE)
                view->ModifyStyle(0, WS_VISIBLE);
        }
        else
        {
            SetActiveView(view, TRUE);
        }
    }
    OnUpdateFrameTitle(TRUE);
}

void COXMDIFrameWndSizeDock::UndockAllChildren()
{
    for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child;)
    {
        const HWND next = ::GetWindow(child, GW_HWNDNEXT);
        CWnd* wnd = CWnd::FromHandlePermanent(child);
        if (IsDockedChild(wnd))
        {
            auto* dockChild = static_cast<COXMDIChildWndSizeDock*>(wnd);
            if (::IsWindow(dockChild->m_wndSizeViewBar.m_hWnd))
                dockChild->m_wndSizeViewBar.UndockChild(FALSE);
        }
        child = next;
    }
}

void COXMDIFrameWndSizeDock::FloatControlBarInMDIClient(CControlBar* bar, int x, int y, DWORD style,
                                                        BOOL show)
{
    CPoint point(x, y);
    ::ScreenToClient(m_hWndMDIClient, &point);
    // Inside the client; a bar larger than the client goes to its left or top edge.
    CRect client;
    ::GetClientRect(m_hWndMDIClient, &client);
    CRect barClient;
    bar->GetClientRect(&barClient);
    point.x =
        std::max<LONG>(std::min<LONG>(point.x, client.Width() - barClient.Width()), client.left);
    point.y =
        std::max<LONG>(std::min<LONG>(point.y, client.Height() - barClient.Height()), client.top);

    CDockBar* dockBar = bar->m_pDockBar;
    auto* current = dockBar ? dynamic_cast<COXMDIFloatWnd*>(dockBar->GetParent()) : nullptr;
    if (bar->m_pDockSite && current && dockBar->m_bFloating && dockBar->GetDockedCount() == 1 &&
        (dockBar->m_dwStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_ANY &&
        (style & CBRS_ALIGN_ANY) == CBRS_ALIGN_ANY)
    {
        current->SetWindowPos(nullptr, point.x, point.y, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    CObject* object = RUNTIME_CLASS(COXMDIFloatWnd)->CreateObject();
    auto* floatWnd = dynamic_cast<COXMDIFloatWnd*>(object);
    if (!floatWnd)
    {
        delete object;
        fw::ThrowResourceException();
    }
    if (!floatWnd->Create(this, style))
        fw::ThrowResourceException(); // the window deleted itself
    PutInFloatingFrame(floatWnd, floatWnd->m_wndDockBar, bar, point, show);
    ::SendMessageA(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

void COXMDIFrameWndSizeDock::FloatControlBarOutOfMDIClient(CControlBar* bar, int, int, DWORD style)
{
    CRect window;
    CFrameWnd* current = bar->GetParentFrame();
    if (current)
        current->GetWindowRect(&window);
    CMiniDockFrameWnd* frame = CreateFloatingFrame(style);
    PutInFloatingFrame(frame, frame->m_wndDockBar, bar, window.TopLeft(), TRUE);
    // The float window it leaves holds nothing more.
    auto* floatWnd = dynamic_cast<COXMDIFloatWnd*>(current);
    if (floatWnd && floatWnd->m_wndDockBar.GetDockedCount() == 0)
        floatWnd->MDIDestroy();
    ::SendMessageA(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

BOOL COXMDIFrameWndSizeDock::OnCmdMsg(UINT id, int code, void* extra,
                                      fw::CmdHandlerInfo* handlerInfo)
{
    if (CMDIFrameWnd::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    if (!m_lpfnCloseProc)
        SetActiveView(nullptr, TRUE);
    return FALSE;
}

BOOL COXMDIFrameWndSizeDock::DestroyWindow()
{
    SetActiveView(nullptr, TRUE);
    return CWnd::DestroyWindow();
}

LRESULT COXMDIFrameWndSizeDock::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The frame procedure would add a maximized child's title; a docked child has none here.
    if (msg == WM_SETTEXT && IsDockedChild(GetActiveChildFrame()))
        return CWnd::DefWindowProc(msg, wParam, lParam);
    return CMDIFrameWnd::DefWindowProc(msg, wParam, lParam);
}

void COXMDIFrameWndSizeDock::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    BOOL maximized = FALSE;
    CMDIChildWnd* child = GetActiveChildFrame(&maximized);
    CDocument* document = nullptr;
    if (child && addToTitle && !maximized)
    {
        document = GetActiveDocument();
        if (!document)
            document = child->GetActiveDocument();
    }
    if (document)
        UpdateFrameTitleForDocument(document->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

BOOL COXMDIFrameWndSizeDock::OnBarCheck(UINT id)
{
    if (!CFrameWnd::OnBarCheck(id))
        return FALSE;
    // A bar hidden from the active MDI float window: another child becomes active.
    auto* bar = dynamic_cast<COXSizeControlBar*>(GetControlBar(id));
    if (bar && bar->m_pDockSite && bar->m_pDockBar &&
        bar->GetParentFrame() == GetActiveChildFrame() && !bar->IsWindowVisible())
        ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
    ::SendMessageA(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    return TRUE;
}

void COXMDIFrameWndSizeDock::OnWindowNew()
{
    CMDIFrameWnd::OnWindowNew();
    RefreshChildActivation();
}

LRESULT COXMDIFrameWndSizeDock::OnCommandHelp(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && IsTracking())
        lParam = HID_BASE_COMMAND + m_nIDTracking;
    if (CMDIFrameWnd::OnCommandHelp(wParam, lParam))
        return TRUE;
    // Nobody answered: the help for the id itself.
    if (lParam == 0)
        return FALSE;
    AfxGetApp()->WinHelp(static_cast<DWORD_PTR>(lParam), HELP_CONTEXT);
    return TRUE;
}

void COXMDIFrameWndSizeDock::ForgetModifiedDocuments()
{
    CWinApp* app = AfxGetApp();
    for (POSITION t = app->GetFirstDocTemplatePosition(); t;)
    {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(t);
        for (POSITION d = docTemplate->GetFirstDocPosition(); d;)
            docTemplate->GetNextDoc(d)->SetModifiedFlag(FALSE);
    }
}

void COXMDIFrameWndSizeDock::OnClose()
{
    if ((m_lpfnCloseProc && !m_lpfnCloseProc(this)) || m_bClosing)
        return;
    m_bClosing = TRUE;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
    {
        if (!app->SaveAllModified())
        {
            m_bClosing = FALSE;
            return;
        }
        ForgetModifiedDocuments();
        app->HideApplication();
        UndockAllChildren();
        app->CloseAllDocuments(FALSE);
        // Closing the documents may have ended the main window already.
        if (!app->m_pMainWnd)
        {
            ::PostQuitMessage(0);
            return;
        }
    }
    DestroyWindow();
}

void COXMDIFrameWndSizeDock::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    CFrameWnd::OnActivate(state, other, minimized);
    if (!m_pActiveSizeBar)
        return;
    if (state == WA_INACTIVE)
        m_pActiveSizeBar->SetActive(FALSE, FALSE);
    else if (state == WA_ACTIVE)
        m_pActiveSizeBar->SetActive(TRUE, TRUE);
}

void COXMDIFrameWndSizeDock::OnDestroy()
{
    DestroyBarsOf(this);
    // Children left in the client (bars floating in it) go while the client still stands:
    // Wine's MDI child procedure reads the client's freed list when the client goes first.
    for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child;
         child = ::GetWindow(m_hWndMDIClient, GW_CHILD))
    {
        ::SendMessageA(m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
        if (::IsWindow(child))
            break; // not an MDI child: leave the rest to the system
    }
    CMDIFrameWnd::OnDestroy();
}

void COXFrameWndSizeDock::OnDestroy()
{
    DestroyBarsOf(this);
    CFrameWnd::OnDestroy();
}
