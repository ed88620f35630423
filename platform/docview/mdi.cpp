// The MDI main frame.
#include "platform/docview/mdi.h"

#include "platform/docview/doc.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"

FW_TABLE(CMDIFrameWnd, CFrameWnd, fw::on<WM_SIZE, &CMDIFrameWnd::OnSize>(),
         fw::raw<WM_COMMANDHELP, &CMDIFrameWnd::OnCommandHelp>(),
         fw::update<ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnUpdateMDIWindowCmd>(),
         fw::update<ID_WINDOW_CASCADE, &CMDIFrameWnd::OnUpdateMDIWindowCmd>(),
         fw::update<ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnUpdateMDIWindowCmd>(),
         fw::update<ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnUpdateMDIWindowCmd>(),
         fw::update<ID_WINDOW_NEW, &CMDIFrameWnd::OnUpdateMDIWindowCmd>(),
         fw::command<ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnMDIWindowCmd>(),
         fw::command<ID_WINDOW_CASCADE, &CMDIFrameWnd::OnMDIWindowCmd>(),
         fw::command<ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnMDIWindowCmd>(),
         fw::command<ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnMDIWindowCmd>(),
         fw::command<ID_WINDOW_NEW, &CMDIFrameWnd::OnWindowNew>())

BOOL CMDIFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    if (!CFrameWnd::LoadFrame(resourceId, style, parent, context))
        return FALSE;
    // The menu shown while no child is active.
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTA cs, CCreateContext*)
{
    // The Window popup of the frame's own menu lists the children.
    const HMENU windowMenu = GetWindowMenuPopup(::GetMenu(m_hWnd));
    return CreateClient(cs, windowMenu ? CMenu::FromHandle(windowMenu) : nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCTA, CMenu* windowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = windowMenu ? windowMenu->m_hMenu : nullptr;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // Children may be created hidden; the client edge is drawn by the client.
    const DWORD style =
        WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    m_hWndMDIClient =
        ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, style, 0, 0, 0, 0, m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                          ::GetModuleHandleA(nullptr), &ccs);
    if (!m_hWndMDIClient)
        return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU menuBar)
{
    if (!menuBar)
        return nullptr;
    for (int item = ::GetMenuItemCount(menuBar) - 1; item >= 0; --item)
    {
        const HMENU popup = ::GetSubMenu(menuBar, item);
        if (!popup)
            continue;
        const int count = ::GetMenuItemCount(popup);
        for (int i = 0; i < count; ++i)
        {
            const UINT id = ::GetMenuItemID(popup, i);
            if (id >= AFX_IDM_WINDOW_FIRST && id <= AFX_IDM_WINDOW_LAST)
                return popup;
        }
    }
    return nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const
{
    if (!m_hWndMDIClient)
    {
        if (maximized)
            *maximized = FALSE;
        return nullptr;
    }
    BOOL isMaximized = FALSE;
    const HWND active = reinterpret_cast<HWND>(::SendMessageA(
        m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&isMaximized)));
    auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(active));
    // The last child hidden stays active for the system, but not for commands.
    if (child && child->m_bPseudoInactive && !(child->GetStyle() & WS_VISIBLE))
    {
        child = nullptr;
        isMaximized = FALSE;
    }
    if (maximized)
        *maximized = isMaximized;
    return child;
}

CMDIChildWnd* CMDIFrameWnd::GetActiveChildFrame(BOOL* maximized) const
{
    return MDIGetActive(maximized);
}

void CMDIFrameWnd::MDIActivate(CWnd* child)
{
    if (child)
        ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIMaximize(CWnd* child)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* child)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int how)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(how), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* frameMenu, CMenu* windowMenu)
{
    const HMENU previous = reinterpret_cast<HMENU>(
        ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                       reinterpret_cast<WPARAM>(frameMenu ? frameMenu->m_hMenu : nullptr),
                       reinterpret_cast<LPARAM>(windowMenu ? windowMenu->m_hMenu : nullptr)));
    return CMenu::FromHandle(previous);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = GetActiveChildFrame();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CMDIChildWnd* child = GetActiveChildFrame();
    const bool childMaximized = child && (child->GetStyle() & WS_MAXIMIZE);
    CDocument* document = GetActiveDocument();
    if (addToTitle && child && !childMaximized && !document)
        document = child->GetActiveDocument();
    if (addToTitle && child && !childMaximized && document)
    {
        UpdateFrameTitleForDocument(document->GetTitle());
        return;
    }
    // A maximized child's title is added by the system's frame procedure.
    CString childTitle;
    if (child && !childMaximized)
        childTitle = child->GetTitle();
    UpdateFrameTitleForDocument(childTitle.IsEmpty() ? nullptr : childTitle.GetString());
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU menuAlt)
{
    if (CMDIChildWnd* child = GetActiveChildFrame())
    {
        child->OnUpdateFrameMenu(TRUE, child, menuAlt);
        return;
    }
    ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                   reinterpret_cast<WPARAM>(menuAlt ? menuAlt : m_hMenuDefault), 0);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_LBUTTONDOWN || msg->message == WM_NCLBUTTONDOWN)
        fw::CancelModes(msg->hwnd);
    if (CWnd::PreTranslateMessage(msg))
        return TRUE;
    CMDIChildWnd* child = GetActiveChildFrame();
    if (child && child->PreTranslateMessage(msg))
        return TRUE;
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
    {
        if (m_hAccelTable && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg))
            return TRUE;
        // Ctrl+F4, Ctrl+F6 and the child's system menu keys.
        if (!GetActiveView() && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) &&
            ::TranslateMDISysAccel(m_hWndMDIClient, msg))
            return TRUE;
    }
    return FALSE;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo)
{
    if (CMDIChildWnd* child = GetActiveChildFrame())
    {
        if (child->OnCmdMsg(id, code, extra, handlerInfo))
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The active child's own WM_COMMAND handling first (its overrides included).
    if (CMDIChildWnd* child = GetActiveChildFrame())
    {
        if (fw::CallWndProc(child, child->m_hWnd, WM_COMMAND, wParam, lParam) != 0)
            return TRUE;
    }
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // Items of the Window menu that pick a child, and other frame-procedure commands.
    if (lParam == 0 && (LOWORD(wParam) & 0xF000) == 0xF000)
    {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, msg, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT type, int, int)
{
    // Not the default: it would give the whole client area to the MDI client.
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

LRESULT CMDIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && IsTracking())
        lParam = HID_BASE_COMMAND + m_nIDTracking;
    if (CMDIChildWnd* child = GetActiveChildFrame())
    {
        if (fw::CallWndProc(child, child->m_hWnd, WM_COMMANDHELP, wParam, lParam) != 0)
            return TRUE;
    }
    return CFrameWnd::OnCommandHelp(wParam, lParam);
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* cmdUI)
{
    cmdUI->Enable(GetActiveChildFrame() != nullptr);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT id)
{
    switch (id)
    {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); return TRUE;
    case ID_WINDOW_CASCADE: MDICascade(); return TRUE;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); return TRUE;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); return TRUE;
    default: return FALSE;
    }
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* child = GetActiveChildFrame();
    CDocument* document = child ? child->GetActiveDocument() : nullptr;
    CDocTemplate* docTemplate = document ? document->GetDocTemplate() : nullptr;
    if (!docTemplate)
    {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    if (CFrameWnd* frame = docTemplate->CreateNewFrame(document, child))
        docTemplate->InitialUpdateFrame(frame, document);
}
