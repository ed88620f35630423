// COXMDIChildWndSizeDock: creation with the docking item, docking and undocking, closing,
// and the frame's guards while docked.
#include "framework/OXMDIChildWndSizeDock.h"

#include "framework/OXMDIFrameWndSizeDock.h"
#include "platform/docview/doc.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"
#include "platform/win/menu.h"
#include "platform/win/resource.h"
#include "resources/ids/framework_ids.h"

FW_TABLE(COXMDIChildWndSizeDock, CMDIChildWnd, fw::on<WM_CLOSE, &COXMDIChildWndSizeDock::OnClose>(),
         fw::on<WM_CONTEXTMENU, &COXMDIChildWndSizeDock::OnContextMenu>(),
         fw::on<WM_PARENTNOTIFY, &COXMDIChildWndSizeDock::OnParentNotify>(),
         fw::on<WM_SYSCOMMAND, &COXMDIChildWndSizeDock::OnSysCommand>(),
         fw::on<WM_NCRBUTTONDOWN, &COXMDIChildWndSizeDock::OnNcRButtonDown>(),
         fw::on<WM_STYLECHANGING, &COXMDIChildWndSizeDock::OnStyleChanging>(),
         fw::raw<WM_SETTEXT, &COXMDIChildWndSizeDock::OnSetText>())

COXMDIChildWndSizeDock::COXMDIChildWndSizeDock()
{
    fw::LoadResourceString(IDS_OXMDICHILD_DOCK, m_strDockMenuText);
}

BOOL COXMDIChildWndSizeDock::Create(const char* className, const char* title, DWORD style,
                                    const RECT& rect, CMDIFrameWnd* frame, CCreateContext* context)
{
    if (!frame)
        frame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    // Made hidden; shown and activated here, through the docking frame when there is one.
    if (!CMDIChildWnd::Create(className, title, style & ~static_cast<DWORD>(WS_VISIBLE), rect,
                              frame, context))
        return FALSE;
    if (style & WS_VISIBLE)
    {
        ::BringWindowToTop(m_hWnd);
        if (style & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINIMIZED);
        else if (style & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        if (auto* dockFrame = dynamic_cast<COXMDIFrameWndSizeDock*>(frame))
            dockFrame->MDIActivate(this);
        else
            CMDIChildWnd::MDIActivate();
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    if (GetStyle() & WS_SYSMENU)
    {
        if (CMenu* systemMenu = GetSystemMenu(FALSE))
            AddDockItemToSystemMenu(systemMenu);
    }
    return TRUE;
}

void COXMDIChildWndSizeDock::AppendDockMenuItem(HMENU menu)
{
    ::AppendMenuA(menu, MF_STRING | (m_bDocked ? MF_CHECKED : 0), g_nDockMDIChildCommand,
                  m_strDockMenuText);
}

void COXMDIChildWndSizeDock::AddDockItemToSystemMenu(CMenu* menu)
{
    menu->AppendMenu(MF_SEPARATOR);
    AppendDockMenuItem(menu->m_hMenu);
}

BOOL COXMDIChildWndSizeDock::IsFrameDockable() const
{
    return dynamic_cast<COXMDIFrameWndSizeDock*>(GetMDIFrame()) != nullptr;
}

CMDIChildWnd* COXMDIChildWndSizeDock::GetActiveChildFrame(BOOL* maximized) const
{
    // Docked-aware through a docking frame.
    CMDIFrameWnd* frame = GetMDIFrame();
    CMDIChildWnd* child = frame ? frame->GetActiveChildFrame(maximized) : nullptr;
    return (child && ::IsWindow(child->m_hWnd)) ? child : nullptr;
}

BOOL COXMDIChildWndSizeDock::SetDocked(BOOL docked)
{
    if (!IsFrameDockable())
        return FALSE;
    if ((docked != FALSE) == (m_bDocked != FALSE))
        return TRUE;
    CMDIFrameWnd* frame = GetMDIFrame();
    BOOL result;
    if (docked)
    {
        result = m_wndSizeViewBar.DockChild(this);
        // Docked before the layout, so that the bar's first size fits the view to it.
        m_bDocked = result;
        frame->RecalcLayout(TRUE);
    }
    else
    {
        result = m_wndSizeViewBar.UndockChild(TRUE);
        frame->RecalcLayout(TRUE);
        m_bDocked = FALSE;
    }
    return result;
}

void COXMDIChildWndSizeDock::ToggleDocking()
{
    SetDocked(!m_bDocked);
}

void COXMDIChildWndSizeDock::MDIMaximize()
{
    if (!m_bDocked)
        CMDIChildWnd::MDIMaximize();
}

void COXMDIChildWndSizeDock::MDIRestore()
{
    if (!m_bDocked)
        CMDIChildWnd::MDIRestore();
}

BOOL COXMDIChildWndSizeDock::OnCmdMsg(UINT id, int code, void* extra,
                                      fw::CmdHandlerInfo* handlerInfo)
{
    // The docking item's id is known only at run time, so no table entry can name it.
    if (id == g_nDockMDIChildCommand && (code == CN_COMMAND || code == CN_UPDATE_COMMAND_UI))
    {
        if (handlerInfo)
        {
            handlerInfo->target = this;
            return TRUE;
        }
        if (code == CN_COMMAND)
            ToggleDocking();
        return TRUE;
    }
    return CFrameWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

void COXMDIChildWndSizeDock::TrackDockMenu(CPoint point)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    AppendDockMenuItem(menu.m_hMenu);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void COXMDIChildWndSizeDock::OnContextMenu(CWnd*, CPoint point)
{
    TrackDockMenu(point);
}

void COXMDIChildWndSizeDock::OnNcRButtonDown(UINT hitTest, CPoint point)
{
    if (hitTest == HTCAPTION && !(GetStyle() & WS_SYSMENU))
    {
        TrackDockMenu(point);
        return;
    }
    Default();
}

void COXMDIChildWndSizeDock::OnSysCommand(UINT id, LPARAM lParam)
{
    if (id == g_nDockMDIChildCommand)
    {
        ToggleDocking();
        return;
    }
    CFrameWnd::OnSysCommand(id, lParam);
}

void COXMDIChildWndSizeDock::OnStyleChanging(int, STYLESTRUCT* style)
{
    // A docked child frame stays hidden whatever its style is changed to.
    if (m_bDocked)
        style->styleNew &= ~static_cast<DWORD>(WS_VISIBLE);
    Default();
}

LRESULT COXMDIChildWndSizeDock::OnSetText(WPARAM, LPARAM lParam)
{
    if (m_bDocked && ::IsWindow(m_wndSizeViewBar.m_hWnd))
        m_wndSizeViewBar.SendMessage(WM_SETTEXT, 0, lParam);
    return Default();
}

void COXMDIChildWndSizeDock::OnParentNotify(UINT message, LPARAM lParam)
{
    if (LOWORD(message) == WM_DESTROY)
    {
        auto* view =
            dynamic_cast<CView*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)));
        if (view)
        {
            SetActiveView(nullptr, FALSE);
            if (CMDIFrameWnd* frame = GetMDIFrame())
                frame->SetActiveView(nullptr, FALSE);
        }
    }
    Default();
}

bool COXMDIChildWndSizeDock::IsLastFrameOf(CDocument* document) const
{
    for (POSITION pos = document->GetFirstViewPosition(); pos;)
    {
        CView* view = document->GetNextView(pos);
        // A docked view lives in the bar, but it is this frame's.
        if (view->GetParentFrame() != this && view != m_wndSizeViewBar.m_pView)
            return false;
    }
    return true;
}

void COXMDIChildWndSizeDock::OnClose()
{
    if (m_bChildDestroying || (m_lpfnCloseProc && !m_lpfnCloseProc(this)))
        return;
    m_bChildDestroying = TRUE;
    CDocument* document = GetActiveDocument();
    if (document && !document->CanCloseFrame(this))
    {
        m_bChildDestroying = FALSE;
        return;
    }
    // Docked, the view lives in the bar, whose parent frame is the main frame or a floating
    // frame: closing the document would destroy that frame. The document closes by itself
    // when its last view goes with this child.
    if (document && document->m_bAutoDelete && IsLastFrameOf(document) && !m_bDocked)
    {
        document->OnCloseDocument();
        return;
    }
    if (document)
        document->PreCloseFrame(this);
    DestroyWindow();
}

BOOL COXMDIChildWndSizeDock::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    m_bChildDestroying = TRUE;
    if (::IsWindow(m_wndSizeViewBar.m_hWnd) && !m_wndSizeViewBar.m_bBarDestroying)
        m_wndSizeViewBar.DestroyWindow();
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->SetActiveView(nullptr, TRUE);
    return CMDIChildWnd::DestroyWindow();
}

void COXMDIChildWndSizeDock::OnUpdateFrameTitle(BOOL addToTitle)
{
    CMDIChildWnd::OnUpdateFrameTitle(addToTitle);
    if (m_bDocked && ::IsWindow(m_wndSizeViewBar.m_hWnd))
    {
        CString text;
        GetWindowText(text);
        m_wndSizeViewBar.SetWindowText(text);
    }
}
