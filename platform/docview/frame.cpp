// CFrameWnd: creation from resources, views and activation, titles, menus, routing and
// closing.
#include "platform/docview/frame.h"

#include "platform/docview/doc.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/resource.h"
#include "platform/win/thread_state.h"

#include <algorithm>
#include <shellapi.h>

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

FW_TABLE(CFrameWnd, CWnd, fw::on<WM_CREATE, &CFrameWnd::OnCreate>(),
         fw::on<WM_DESTROY, &CFrameWnd::OnDestroy>(), fw::on<WM_CLOSE, &CFrameWnd::OnClose>(),
         fw::on<WM_SIZE, &CFrameWnd::OnSize>(), fw::on<WM_ERASEBKGND, &CFrameWnd::OnEraseBkgnd>(),
         fw::on<WM_SETFOCUS, &CFrameWnd::OnSetFocus>(),
         fw::on<WM_ACTIVATE, &CFrameWnd::OnActivate>(),
         fw::on<WM_NCACTIVATE, &CFrameWnd::OnNcActivate>(),
         fw::on<WM_INITMENUPOPUP, &CFrameWnd::OnInitMenuPopup>(),
         fw::on<WM_MENUSELECT, &CFrameWnd::OnMenuSelect>(),
         fw::on<WM_ENTERIDLE, &CFrameWnd::OnEnterIdle>(),
         fw::on<WM_SETCURSOR, &CFrameWnd::OnSetCursor>(),
         fw::on<WM_SYSCOMMAND, &CFrameWnd::OnSysCommand>(),
         fw::on<WM_DROPFILES, &CFrameWnd::OnDropFiles>(),
         fw::on<WM_QUERYENDSESSION, &CFrameWnd::OnQueryEndSession>(),
         fw::on<WM_ENDSESSION, &CFrameWnd::OnEndSession>(),
         fw::raw<WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString>(),
         fw::raw<WM_POPMESSAGESTRING, &CFrameWnd::OnPopMessageString>(),
         fw::raw<WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI>(),
         fw::raw<WM_COMMANDHELP, &CFrameWnd::OnCommandHelp>(),
         fw::raw<WM_HELPHITTEST, &CFrameWnd::OnHelpHitTest>(),
         fw::raw<WM_EXITHELPMODE, &CFrameWnd::OnExitHelpModeMsg>(),
         fw::command<ID_CONTEXT_HELP, &CFrameWnd::OnContextHelp>(),
         fw::update<ID_CONTEXT_HELP, &CFrameWnd::OnUpdateContextHelp>(),
         fw::command<ID_HELP, &CFrameWnd::OnHelp>(),
         fw::command<ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck>(),
         fw::update<ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu>(),
         fw::command<ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck>(),
         fw::update<ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu>())

CFrameWnd::CFrameWnd()
{
    fw::GetThreadState().frames.push_back(this);
}

CFrameWnd::~CFrameWnd()
{
    auto& frames = fw::GetThreadState().frames;
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
}

BOOL CFrameWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect,
                       CWnd* parent, const char* menuName, DWORD exStyle, CCreateContext* context)
{
    HMENU menu = nullptr;
    if (menuName)
    {
        menu = ::LoadMenuA(fw::ResourceHandle(), menuName);
        if (!menu)
        {
            // A frame promised a menu it cannot have is not made; self-deleting ones go.
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = title;
    if (!CreateEx(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, menu, context))
    {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDHelp = resourceId;
    CString full;
    if (fw::LoadResourceString(resourceId, full))
        fw::ExtractSubString(m_strTitle, full, 0);
    const CString title = m_strTitle;
    if (!Create(GetIconWndClass(style, resourceId), title, style, rectDefault, parent,
                MAKEINTRESOURCEA(resourceId), 0, context))
        return FALSE; // deleted itself already when it is a self-deleting frame
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(resourceId);
    if (!context)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(UINT resourceId)
{
    if (m_hAccelTable)
        return FALSE;
    m_hAccelTable = fw::LoadResourceAccelerators(resourceId);
    return m_hAccelTable != nullptr;
}

const char* CFrameWnd::GetIconWndClass(DWORD style, UINT resourceId)
{
    const HICON icon = fw::LoadResourceIcon(resourceId);
    if (!icon)
        return nullptr; // PreCreateWindow takes the plain frame class
    CREATESTRUCTA cs = {};
    cs.style = static_cast<LONG>(style);
    PreCreateWindow(cs);
    if (cs.lpszClass)
        return cs.lpszClass;
    return fw::RegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = fw::RegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                            ::LoadIconA(nullptr, IDI_APPLICATION));
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    if (!context || !context->m_pNewViewClass)
        return nullptr;
    CObject* object = context->m_pNewViewClass->CreateObject();
    CWnd* view = dynamic_cast<CWnd*>(object);
    if (!view)
    {
        delete object;
        return nullptr;
    }
    // A failed view deletes itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, id, context))
        return nullptr;
    // The view shows the client edge: the frame need not.
    if (view->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return view;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA cs)
{
    return OnCreateHelper(cs, static_cast<CCreateContext*>(cs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCTA cs, CCreateContext* context)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    if (!OnCreateClient(cs, context))
        return -1;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* context)
{
    if (context && context->m_pNewViewClass)
        return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* old = m_pViewActive;
    if (view == old)
        return;
    m_pViewActive = nullptr; // nothing is active while the views are told
    if (old)
        old->OnActivateView(FALSE, view, old);
    m_pViewActive = view;
    if (view && notify)
        view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

void CFrameWnd::InitialUpdateFrame(CDocument* document, BOOL makeVisible)
{
    CView* view = nullptr;
    if (!GetActiveView())
    {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        view = dynamic_cast<CView*>(pane);
        if (view)
            SetActiveView(view, FALSE);
    }
    if (makeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (view)
            view->OnActivateFrame(WA_INACTIVE, this);
        // The first frame of the run shows as the command line asked.
        int cmdShow = -1;
        CWinApp* app = AfxGetApp();
        if (app && !app->m_pMainWnd)
        {
            cmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;
        }
        ActivateFrame(cmdShow);
        if (view)
            view->OnActivateView(TRUE, view, view);
    }
    if (document)
        document->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int cmdShow)
{
    if (cmdShow == -1)
    {
        if (!IsWindowVisible())
            cmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            cmdShow = SW_RESTORE;
    }
    BringToTop(cmdShow);
    if (cmdShow != -1)
    {
        ShowWindow(cmdShow);
        BringToTop(cmdShow);
    }
}

void CFrameWnd::BringToTop(int cmdShow)
{
    if (cmdShow != SW_HIDE && cmdShow != SW_MINIMIZE && cmdShow != SW_SHOWMINNOACTIVE &&
        cmdShow != SW_SHOWNA && cmdShow != SW_SHOWNOACTIVATE)
        ::BringWindowToTop(::GetLastActivePopup(m_hWnd));
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* document = GetActiveDocument();
    if (addToTitle && document)
        UpdateFrameTitleForDocument(document->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* docName)
{
    CString text;
    CString document;
    if (docName)
    {
        document = docName;
        if (m_nWindow > 0)
            document.AppendFormat(":%d", m_nWindow);
    }
    if (GetStyle() & FWS_PREFIXTITLE)
    {
        if (docName)
            text = document + " - ";
        text += m_strTitle;
    }
    else
    {
        text = m_strTitle;
        if (docName)
            text += " - " + document;
    }
    // Only a change is set, so the caption does not flicker.
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU menuAlt)
{
    if (!menuAlt)
    {
        if (CDocument* document = GetActiveDocument())
            menuAlt = document->GetDefaultMenu();
        if (!menuAlt)
            menuAlt = m_hMenuDefault;
    }
    ::SetMenu(m_hWnd, menuAlt);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    HACCEL table = m_hAccelTable;
    if (CDocument* document = GetActiveDocument())
    {
        if (const HACCEL own = document->GetDefaultAccelerator())
            table = own;
    }
    return table;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_LBUTTONDOWN || msg->message == WM_NCLBUTTONDOWN)
        fw::CancelModes(msg->hwnd);
    if (CWnd::PreTranslateMessage(msg))
        return TRUE;
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
    {
        const HACCEL table = GetDefaultAccelerator();
        return table && ::TranslateAcceleratorA(m_hWnd, table, msg);
    }
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo)
{
    // The view first; it asks its document, which asks its template.
    CView* view = GetActiveView();
    if (view && view->OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    // A frame inside another frame (an MDI child) leaves the application to the outer frame,
    // so that the application is asked once.
    if (GetParentFrame())
        return FALSE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // In help mode a menu command asks for its help instead of running.
    const CFrameWnd* top = GetTopLevelFrame();
    if (top && top->m_bHelpMode == HELP_ACTIVE && lParam == 0 && HIWORD(wParam) == 0 &&
        LOWORD(wParam) != ID_CONTEXT_HELP)
    {
        if (!SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + LOWORD(wParam)))
            SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CFrameWnd::OnClose()
{
    if (m_lpfnCloseProc && !m_lpfnCloseProc(this))
        return;
    CDocument* document = GetActiveDocument();
    if (document && !document->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
    {
        if (!document && !app->SaveAllModified())
            return;
        app->HideApplication();
        app->CloseAllDocuments(FALSE);
        // Closing the documents may have ended the main window already.
        if (!app->m_pMainWnd)
        {
            ::PostQuitMessage(0);
            return;
        }
        document = GetActiveDocument();
    }
    // The last frame of a document closes the document, which destroys the frame.
    if (document && document->m_bAutoDelete)
    {
        bool otherFrame = false;
        POSITION position = document->GetFirstViewPosition();
        while (position)
        {
            if (document->GetNextView(position)->GetParentFrame() != this)
            {
                otherFrame = true;
                break;
            }
        }
        if (!otherFrame)
        {
            document->OnCloseDocument();
            return;
        }
        document->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // The frame's own menu goes with the window; a document's shared menu must not.
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        app->WinHelp(0, HELP_QUIT);
    CWnd::OnDestroy();
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* dc)
{
    // An active view paints the whole client area.
    if (m_pViewActive)
        return TRUE;
    return CWnd::OnEraseBkgnd(dc);
}

void CFrameWnd::OnSetFocus(CWnd* oldWnd)
{
    if (m_pViewActive)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(oldWnd);
}

void CFrameWnd::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    CWnd::OnActivate(state, other, minimized);
    // Floating bars stay active while the activation stays within this frame's family.
    CFrameWnd* top = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (!top)
        top = this;
    CWnd* active = state == WA_INACTIVE ? other : this;
    bool stayActive = false;
    if (active)
    {
        stayActive = top == active || (top == active->GetTopLevelFrame() &&
                                       active->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0);
    }
    top->NotifyFloatingWindows(stayActive ? FS_ACTIVATE : FS_DEACTIVATE);

    CView* view = GetActiveView();
    if (!view)
    {
        CFrameWnd* frame = GetActiveFrame();
        view = frame ? frame->GetActiveView() : nullptr;
    }
    if (view)
    {
        if (state != WA_INACTIVE && !minimized)
            view->OnActivateView(TRUE, view, view);
        view->OnActivateFrame(state, this);
    }
}

BOOL CFrameWnd::OnNcActivate(BOOL active)
{
    if (m_nFlags & WF_STAYACTIVE)
        active = TRUE;
    if (!IsWindowEnabled())
        active = FALSE;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, active, 0));
}

void CFrameWnd::NotifyFloatingWindows(DWORD flags)
{
    // The frame's own popups: top-level windows of this thread that it owns.
    struct Search
    {
        HWND owner;
        DWORD flags;
    } search = {m_hWnd, flags};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL
        {
            const auto* s = reinterpret_cast<const Search*>(lParam);
            if (::GetWindow(hwnd, GW_OWNER) == s->owner && CWnd::FromHandlePermanent(hwnd))
                ::SendMessageA(hwnd, WM_FLOATSTATUS, s->flags, 0);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
}

void CFrameWnd::OnDropFiles(HDROP drop)
{
    SetActiveWindow();
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    CWinApp* app = AfxGetApp();
    for (UINT i = 0; i < count && app; ++i)
    {
        char name[MAX_PATH] = {};
        ::DragQueryFileA(drop, i, name, MAX_PATH);
        app->OpenDocumentFile(name);
    }
    ::DragFinish(drop);
}

BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        return app->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL ending)
{
    CWinApp* app = AfxGetApp();
    if (ending && app && app->m_pMainWnd == this)
    {
        app->CloseAllDocuments(TRUE);
        app->ExitInstance();
    }
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND parent = ::GetParent(m_hWnd); parent; parent = ::GetParent(parent))
    {
        if (CWnd* wnd = FromHandlePermanent(parent))
        {
            if (wnd->IsFrameWnd())
                return static_cast<CFrameWnd*>(wnd);
        }
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* frame = nullptr;
    if (CWnd* self = FromHandlePermanent(m_hWnd); self && self->IsFrameWnd())
        frame = static_cast<CFrameWnd*>(self);
    for (CFrameWnd* next = GetParentFrame(); next; next = next->GetParentFrame())
        frame = next;
    return frame;
}

namespace fw
{
void CancelModes(HWND receiver)
{
    HWND cancel = ::GetFocus();
    if (!cancel || cancel == receiver)
        return;
    char className[16] = {};
    auto isCombo = [&className](HWND hwnd, DWORD kind)
    {
        ::GetClassNameA(hwnd, className, sizeof className);
        return lstrcmpiA(className, "combobox") == 0 &&
               (::GetWindowLongPtrA(hwnd, GWL_STYLE) & 0x0F) == static_cast<LONG_PTR>(kind);
    };
    // The focus is in a drop-down list, or in the edit of a drop-down combo.
    if (!isCombo(cancel, CBS_DROPDOWNLIST))
    {
        cancel = ::GetParent(cancel);
        if (cancel == receiver || !isCombo(cancel, CBS_DROPDOWN))
            return;
    }
    ::SendMessageA(cancel, CB_SHOWDROPDOWN, FALSE, 0);
}

CString FormatString1(UINT id, const char* argument)
{
    CString text;
    LoadResourceString(id, text);
    text.Replace("%1", argument ? argument : "");
    return text;
}
} // namespace fw
