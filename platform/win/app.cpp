// The thread object's loop and idle work, the application's start-up, message boxes, wait
// cursor, help and resources.
#include "platform/win/app.h"

#include "platform/sys/services.h"
#include "platform/win/cmdline.h"
#include "platform/win/msgloop.h"
#include "platform/win/ownedwindows.h"
#include "platform/win/recentfiles.h"
#include "platform/win/resource.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

#include <algorithm>
#include <vector>

namespace
{
CWinApp* g_app = nullptr;

void SendIdleUpdate(CWnd* wnd)
{
    fw::CallWndProc(wnd, wnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (::IsWindow(wnd->m_hWnd))
        wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}
} // namespace

CWinThread::CWinThread()
{
    fw::GetThreadState().thread = this;
}

CWinThread::~CWinThread()
{
    fw::ThreadState& state = fw::GetThreadState();
    if (state.thread == this)
        state.thread = nullptr;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::Run()
{
    bool idle = true;
    LONG idleCount = 0;
    fw::ThreadState& state = fw::GetThreadState();
    for (;;)
    {
        MSG peek;
        while (idle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&state.msgCur))
            {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(fw::GetThreadState().msgCur.wParam);
}

BOOL CWinThread::PreTranslateMessage(MSG* msg)
{
    CWnd* main = GetMainWnd();
    const HWND mainHwnd = main ? main->m_hWnd : nullptr;
    if (fw::WalkPreTranslateTree(mainHwnd, msg))
        return TRUE;
    // A modeless window outside the main window still gets its accelerators.
    if (main && mainHwnd && msg->hwnd)
    {
        CWnd* target = CWnd::FromHandle(msg->hwnd);
        if (target->GetTopLevelParent()->m_hWnd != mainHwnd)
            return main->PreTranslateMessage(msg);
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    fw::ThreadState& state = fw::GetThreadState();
    MSG msg;
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    state.msgCur = msg;
    if (got <= 0)
        return FALSE;
    if (msg.message != WM_KICKIDLE && !PreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG count)
{
    if (count <= 0)
    {
        CWnd* main = m_pMainWnd;
        if (main && main->m_hWnd && main->IsWindowVisible())
            SendIdleUpdate(main);
        // Frames of the thread outside the main window (floating frames, graph windows). A
        // handler may delete frames: walk a copy and check each is still listed.
        const std::vector<CWnd*> frames = fw::GetThreadState().frames;
        for (CWnd* frame : frames)
        {
            const auto& current = fw::GetThreadState().frames;
            if (std::find(current.begin(), current.end(), frame) == current.end())
                continue;
            // Frames inside the main window had theirs with its descendants.
            const bool inMain = main && main->m_hWnd && ::IsChild(main->m_hWnd, frame->m_hWnd);
            if (frame != main && !inMain && frame->m_hWnd && frame->IsWindowVisible())
                SendIdleUpdate(frame);
        }
    }
    else
    {
        fw::FreeTemporaries();
    }
    return count < 0;
}

BOOL CWinThread::IsIdleMessage(MSG* msg)
{
    return fw::IsIdleMessage(*msg);
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

CWinApp::CWinApp(const char* appName)
{
    g_app = this;
    if (appName)
        SetAppName(appName);
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    DeleteDocManager();
    if (m_hDevMode)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames)
        ::GlobalFree(m_hDevNames);
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList)
        SaveStdProfileSettings();
    return CWinThread::ExitInstance();
}

BOOL CWinApp::OnIdle(LONG count)
{
    if (count <= 0)
    {
        CWinThread::OnIdle(count);
        IdleTemplates();
        return TRUE;
    }
    if (count == 1)
        CWinThread::OnIdle(count);
    return FALSE;
}

int CWinApp::DoMessageBox(const char* prompt, UINT type, UINT)
{
    // The box shows the type as asked: a caller that names no icon gets a plain box.
    HWND owner = nullptr;
    CWnd::GetSafeOwner(nullptr, &owner);
    const char* caption = m_pszAppName && *m_pszAppName ? m_pszAppName : nullptr;
    // When a dialog over the main window owns the box, the main window waits for the answer too.
    const fw::RootOwnerWait rootWait(owner);
    return sys::Get().MessageBox(owner, prompt, caption, type);
}

void CWinApp::DoWaitCursor(int code)
{
    m_nWaitCursorCount += code;
    if (m_nWaitCursorCount > 0)
    {
        const HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        if (code > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = previous;
    }
    else
    {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore ? m_hcurWaitCursorRestore
                                            : ::LoadCursorA(nullptr, IDC_ARROW));
    }
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command)
{
    CWnd* main = AfxGetMainWnd();
    sys::Get().WinHelp(main ? main->m_hWnd : nullptr, m_pszHelpFilePath, command, data);
}

HCURSOR CWinApp::LoadCursor(UINT id) const
{
    return fw::LoadResourceCursor(id);
}

HCURSOR CWinApp::LoadStandardCursor(const char* name) const
{
    return ::LoadCursorA(nullptr, name);
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return fw::LoadResourceIcon(id);
}

HICON CWinApp::LoadStandardIcon(const char* name) const
{
    return ::LoadIconA(nullptr, name);
}

void CWinApp::SetHelpFilePath(const char* path)
{
    m_helpFilePath = path ? path : "";
    m_pszHelpFilePath = m_helpFilePath;
}

void CWinApp::SetAppName(const char* name)
{
    m_appName = name ? name : "";
    m_pszAppName = m_appName;
    if (m_registryKey.IsEmpty())
        SetProfileName(m_appName + ".INI");
}

void CWinApp::HideApplication()
{
    CWnd* main = m_pMainWnd;
    if (!main || !main->m_hWnd)
        return;
    ::ShowOwnedPopups(main->m_hWnd, FALSE);
    main->ShowWindow(SW_HIDE);
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWinThread* AfxGetThread()
{
    return fw::GetThreadState().thread;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}

int AfxMessageBox(const char* text, UINT type, UINT helpId)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(text, type, helpId);
    HWND owner = nullptr;
    CWnd::GetSafeOwner(nullptr, &owner);
    return sys::Get().MessageBox(owner, text, nullptr, type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId)
{
    CString text;
    fw::LoadResourceString(promptId, text);
    if (helpId == static_cast<UINT>(-1))
        helpId = HID_BASE_PROMPT + promptId;
    return AfxMessageBox(text, type, helpId);
}

namespace fw
{
int RunApplication(CWinApp* app, HINSTANCE instance, const char* cmdLine, int cmdShow)
{
    app->m_hInstance = instance ? instance : ::GetModuleHandleA(nullptr);
    app->SetCommandLine(cmdLine);
    app->SetWideCommandLine(SkipProgramName(::GetCommandLineW()));
    app->m_nCmdShow = cmdShow;
    if (!app->InitApplication() || !app->InitInstance())
    {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        // The failed start-up may have posted WM_QUIT through the main window's end.
        MSG quit;
        ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return app->ExitInstance();
    }
    return app->Run();
}
} // namespace fw
