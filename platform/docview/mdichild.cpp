// MDI child frames: creation through the MDI client, activation with its menu and view,
// titles with window numbers.
#include "platform/docview/doc.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/mdi.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/resource.h"
#include "platform/win/thread_state.h"

FW_TABLE(CMDIChildWnd, CFrameWnd, fw::on<WM_CREATE, &CMDIChildWnd::OnCreate>(),
         fw::on<WM_MDIACTIVATE, &CMDIChildWnd::OnMDIActivate>(),
         fw::on<WM_MOUSEACTIVATE, &CMDIChildWnd::OnMouseActivate>(),
         fw::on<WM_NCACTIVATE, &CMDIChildWnd::OnNcActivate>(),
         fw::on<WM_SIZE, &CMDIChildWnd::OnSize>())

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect,
                          CMDIFrameWnd* frame, CCreateContext* context)
{
    if (!frame)
        frame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!frame || !::IsWindow(frame->m_hWndMDIClient))
    {
        PostNcDestroy();
        return FALSE;
    }
    // The client must have its final place before the child measures itself in it.
    frame->RecalcLayout();

    CREATESTRUCTA cs = {};
    cs.lpszClass = className;
    cs.lpszName = title;
    cs.style = static_cast<LONG>(style);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = frame->m_hWnd;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = context;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    // Always created hidden and restored; shown below as asked.
    mcs.style = static_cast<DWORD>(cs.style) & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
    const HWND client = frame->m_hWndMDIClient;
    const HWND hwnd =
        fw::CreateThroughHook(this,
                              [&mcs, client]()
                              {
                                  return reinterpret_cast<HWND>(::SendMessageA(
                                      client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
                              });
    if (!hwnd)
        return FALSE;
    if (cs.style & WS_VISIBLE)
    {
        ::BringWindowToTop(hwnd);
        if (cs.style & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINIMIZED);
        else if (cs.style & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        frame->MDIActivate(this);
        ::SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDHelp = resourceId;
    style |= WS_CHILD;
    style &= ~static_cast<DWORD>(WS_POPUP);
    // The template's shared menu and accelerators serve every child of its documents.
    if (context)
    {
        if (auto* docTemplate = dynamic_cast<CMultiDocTemplate*>(context->m_pNewDocTemplate))
        {
            m_hMenuShared = docTemplate->m_hMenuShared;
            m_hAccelTable = docTemplate->m_hAccelTable;
        }
    }
    CString full;
    CString title;
    if (fw::LoadResourceString(resourceId, full))
        fw::ExtractSubString(title, full, 0);
    return Create(GetIconWndClass(style, resourceId), title, style, rectDefault,
                  dynamic_cast<CMDIFrameWnd*>(parent), context);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCTA cs)
{
    // The context rides in the MDI creation structure.
    const auto* mcs = static_cast<const MDICREATESTRUCTA*>(cs->lpCreateParams);
    auto* context = mcs ? reinterpret_cast<CCreateContext*>(mcs->lParam) : nullptr;
    return OnCreateHelper(cs, context);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    // The frame's caption is not rebuilt for every message of the destruction.
    CMDIFrameWnd* frame = GetMDIFrame();
    const HWND frameHwnd = frame ? frame->m_hWnd : nullptr;
    const LONG_PTR style = frameHwnd ? ::GetWindowLongPtrA(frameHwnd, GWL_STYLE) : 0;
    if (frameHwnd)
        ::SetWindowLongPtrA(frameHwnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(FWS_ADDTOTITLE));
    MDIDestroy();
    if (frameHwnd && ::IsWindow(frameHwnd))
    {
        ::SetWindowLongPtrA(frameHwnd, GWL_STYLE, style);
        if (auto* live = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(frameHwnd)))
            live->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    const HWND client = ::GetParent(m_hWnd);
    return client ? dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(client)))
                  : nullptr;
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::ActivateFrame(int cmdShow)
{
    const bool wasVisible = (GetStyle() & WS_VISIBLE) != 0;
    CMDIFrameWnd* frame = GetMDIFrame();
    if (cmdShow == -1 && frame)
    {
        // A new child keeps the maximized state of the one before it.
        BOOL maximized = FALSE;
        frame->GetActiveChildFrame(&maximized);
        const DWORD style = GetStyle();
        if (maximized || (style & WS_MAXIMIZE))
            cmdShow = SW_SHOWMAXIMIZED;
        else if (style & WS_MINIMIZE)
            cmdShow = SW_SHOWMINIMIZED;
    }
    CFrameWnd::ActivateFrame(cmdShow);
    if (!frame)
        return;
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    const bool isVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (isVisible == wasVisible)
        return;
    if (!isVisible)
    {
        // The system gives no way to deactivate the last child: note it as inactive.
        HWND active =
            reinterpret_cast<HWND>(::SendMessageA(frame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
        if (active != m_hWnd)
            return;
        frame->MDINext();
        active =
            reinterpret_cast<HWND>(::SendMessageA(frame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
        if (active == m_hWnd)
        {
            OnMDIActivate(FALSE, nullptr, this);
            m_bPseudoInactive = TRUE;
        }
    }
    else if (m_bPseudoInactive)
    {
        OnMDIActivate(TRUE, this, nullptr);
    }
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd*)
{
    m_bPseudoInactive = FALSE;
    CView* view = GetActiveView();
    if (!activate && view)
        view->OnActivateView(FALSE, view, view);
    OnUpdateFrameTitle(activate || activateWnd != nullptr);
    CMDIFrameWnd* frame = GetMDIFrame();
    if (activate && view && frame && ::GetActiveWindow() == frame->m_hWnd)
        view->OnActivateView(TRUE, view, view);
    OnUpdateFrameMenu(activate, activateWnd, nullptr);
    if (frame)
        frame->DrawMenuBar();
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL activate, CWnd* activateWnd, HMENU menuAlt)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return;
    if (!menuAlt && activate)
    {
        if (CDocument* document = GetActiveDocument())
            menuAlt = document->GetDefaultMenu();
    }
    if (!menuAlt)
        menuAlt = m_hMenuShared;
    if (menuAlt && activate)
    {
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menuAlt),
                       reinterpret_cast<LPARAM>(frame->GetWindowMenuPopup(menuAlt)));
    }
    else if (menuAlt && !activate && !activateWnd)
    {
        // The last child goes: the frame's own menu returns.
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDISETMENU,
                       reinterpret_cast<WPARAM>(frame->m_hMenuDefault), 0);
    }
    else
    {
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->OnUpdateFrameTitle(addToTitle);
    if (!(GetStyle() & FWS_ADDTOTITLE) || !addToTitle)
        return;
    CDocument* document = GetActiveDocument();
    CString text = document ? document->GetTitle() : m_strTitle;
    if (m_nWindow > 0)
        text.AppendFormat(":%d", m_nWindow);
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_LBUTTONDOWN || msg->message == WM_NCLBUTTONDOWN)
        fw::CancelModes(msg->hwnd);
    if (CWnd::PreTranslateMessage(msg))
        return TRUE;
    // A child has no menu: its accelerators act in the frame's name.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
    {
        const HACCEL table = GetDefaultAccelerator();
        CMDIFrameWnd* frame = GetMDIFrame();
        return table && frame && ::TranslateAcceleratorA(frame->m_hWnd, table, msg);
    }
    return FALSE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, msg, wParam, lParam);
}

int CMDIChildWnd::OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message)
{
    const int result = CFrameWnd::OnMouseActivate(topParent, hitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && frame->MDIGetActive() != this)
        MDIActivate();
    return result;
}

BOOL CMDIChildWnd::OnNcActivate(BOOL active)
{
    // Not the frame's: a child's caption follows the system's MDI activation.
    return CWnd::OnNcActivate(active);
}

void CMDIChildWnd::OnSize(UINT type, int cx, int cy)
{
    CFrameWnd::OnSize(type, cx, cy);
    // Maximizing or restoring changes how the frame's caption reads.
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->OnUpdateFrameTitle(TRUE);
}
