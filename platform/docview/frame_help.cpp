// CFrameWnd context help: the help-mode loop in which a click asks for the help of a place
// instead of acting. Help itself goes through the services (a no-op in this program).
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/thread_state.h"

namespace
{
constexpr DWORD kHelpBaseNcAreas = 0x00060000;

bool IsDescendant(HWND parent, HWND child)
{
    for (HWND hwnd = child; hwnd; hwnd = ::GetParent(hwnd))
    {
        if (hwnd == parent)
            return true;
    }
    return false;
}

bool IsMouseMessage(UINT msg)
{
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
           (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}
} // namespace

BOOL CFrameWnd::CanEnterHelpMode()
{
    return ::LoadCursorA(nullptr, IDC_HELP) != nullptr;
}

void CFrameWnd::ExitHelpMode()
{
    if (!m_bHelpMode)
        return;
    MSG msg;
    if (!::PeekMessageA(&msg, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE | PM_NOYIELD))
        ::PostMessageA(m_hWnd, WM_EXITHELPMODE, 0, 0);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (CFrameWnd* top = GetTopLevelFrame())
        top->m_bHelpMode = HELP_INACTIVE;
    m_bHelpMode = HELP_INACTIVE;
}

HWND CFrameWnd::SetHelpCapture(POINT point, BOOL* descendant)
{
    if (!m_bHelpMode)
        return nullptr;
    const HWND capture = ::GetCapture();
    HWND hit = ::WindowFromPoint(point);
    const HWND active = ::GetActiveWindow();
    bool isDescendant = false;
    const bool sameThread =
        hit && ::GetWindowThreadProcessId(hit, nullptr) == ::GetCurrentThreadId();
    if (!active || hit == ::GetDesktopWindow())
    {
        if (capture == m_hWnd)
            ::ReleaseCapture();
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    }
    else if (!hit || !sameThread || !IsDescendant(m_hWnd, hit))
    {
        if (!sameThread)
            hit = nullptr;
        if (capture == m_hWnd)
            ::ReleaseCapture();
    }
    else
    {
        isDescendant = true;
        if (::GetAncestor(active, GA_ROOT) != ::GetAncestor(hit, GA_ROOT))
        {
            hit = nullptr;
        }
        else
        {
            if (capture != m_hWnd)
                ::SetCapture(m_hWnd);
            ::SetCursor(::LoadCursorA(nullptr, IDC_HELP));
        }
    }
    if (descendant)
        *descendant = isDescendant;
    return hit;
}

BOOL CFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* context)
{
    if (msg.message == WM_EXITHELPMODE || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
    {
        ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return FALSE;
    }
    if (IsMouseMessage(msg.message))
    {
        BOOL isDescendant = FALSE;
        const HWND hit = SetHelpCapture(msg.pt, &isDescendant);
        if (!hit)
            return TRUE;
        if (!isDescendant)
        {
            // Another window of the program (or the desktop): act normally.
            ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
            ::DispatchMessageA(&msg);
            return TRUE;
        }
        if (msg.message != WM_LBUTTONDOWN)
        {
            ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
            return TRUE;
        }
        const int hitTest =
            static_cast<int>(::SendMessageA(hit, WM_NCHITTEST, 0, MAKELONG(msg.pt.x, msg.pt.y)));
        if (hitTest == HTMENU || hitTest == HTSYSMENU)
        {
            // Menus still open in help mode; their commands then ask for help.
            ::ReleaseCapture();
            if (::GetMessageA(&msg, nullptr, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN) > 0)
                ::DispatchMessageA(&msg);
            POINT cursor;
            ::GetCursorPos(&cursor);
            SetHelpCapture(cursor, nullptr);
            return TRUE;
        }
        *context = hitTest == HTCLIENT ? MapClientArea(hit, msg.pt) : MapNonClientArea(hitTest);
        ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return FALSE;
    }
    if (msg.message == WM_SYSCOMMAND || (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST))
    {
        if (::GetCapture())
        {
            ::ReleaseCapture();
            MSG drop;
            while (
                ::PeekMessageA(&drop, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE | PM_NOYIELD))
            {
            }
        }
        if (::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE) &&
            !PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            // Only system keys and commands act in help mode.
            if (msg.message == WM_SYSCOMMAND ||
                (msg.message >= WM_SYSKEYDOWN && msg.message <= WM_SYSDEADCHAR))
                ::DispatchMessageA(&msg);
        }
        POINT cursor;
        ::GetCursorPos(&cursor);
        SetHelpCapture(cursor, nullptr);
        return TRUE;
    }
    if (::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE))
        ::DispatchMessageA(&msg);
    return TRUE;
}

DWORD CFrameWnd::MapClientArea(HWND hwnd, POINT point)
{
    DWORD context = 0;
    for (HWND hit = hwnd; hit && context == 0; hit = ::GetParent(hit))
    {
        POINT client = point;
        ::ScreenToClient(hit, &client);
        context = static_cast<DWORD>(
            ::SendMessageA(hit, WM_HELPHITTEST, 0, MAKELONG(client.x, client.y)));
        if (hit == m_hWnd)
            break;
    }
    return context;
}

DWORD CFrameWnd::MapNonClientArea(int hitTest)
{
    if (hitTest < 0 || hitTest > HTHELP)
        return static_cast<DWORD>(-1);
    return kHelpBaseNcAreas + static_cast<DWORD>(hitTest);
}

void CFrameWnd::OnContextHelp()
{
    // Help mode belongs to the top-level frame, whose command handling and capture make every
    // click ask for help; a child frame that the command was routed to hands it over.
    CFrameWnd* top = GetTopLevelFrame();
    if (top != nullptr && top != this)
    {
        top->OnContextHelp();
        return;
    }
    if (m_bHelpMode == HELP_ACTIVE || !CanEnterHelpMode())
        return;
    MSG msg;
    if (::PeekMessageA(&msg, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE | PM_NOYIELD))
        return;
    const BOOL previous = m_bHelpMode;
    m_bHelpMode = HELP_ACTIVE;
    if (previous == HELP_INACTIVE)
    {
        // Start once the command that asked for it has finished.
        PostMessage(WM_COMMAND, ID_CONTEXT_HELP);
        m_bHelpMode = HELP_ENTERING;
        return;
    }
    UINT savedMessage =
        static_cast<UINT>(SendMessage(WM_SETMESSAGESTRING, AFX_IDS_HELPMODEMESSAGE));
    if (savedMessage == 0)
        savedMessage = AFX_IDS_IDLEMESSAGE;
    DWORD context = 0;
    POINT cursor;
    ::GetCursorPos(&cursor);
    SetHelpCapture(cursor, nullptr);
    fw::Watch watch(this);
    LONG idleCount = 0;
    CWinApp* app = AfxGetApp();
    while (!watch.Gone() && m_bHelpMode)
    {
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!ProcessHelpMsg(msg, &context))
                break;
        }
        else if (!app || !app->OnIdle(idleCount++))
        {
            idleCount = 0;
            ::WaitMessage();
        }
    }
    if (watch.Gone())
        return;
    m_bHelpMode = HELP_INACTIVE;
    ::ReleaseCapture();
    SendMessage(WM_SETMESSAGESTRING, savedMessage);
    if (context != 0)
        ShowContextHelp(context);
    PostMessage(WM_KICKIDLE);
}

void CFrameWnd::ShowContextHelp(DWORD context)
{
    if (context == static_cast<DWORD>(-1))
        SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
    else if (CWinApp* app = AfxGetApp())
        app->WinHelp(context, HELP_CONTEXT);
}

void CFrameWnd::OnUpdateContextHelp(CCmdUI* cmdUI)
{
    if (AfxGetMainWnd() == this)
        cmdUI->SetCheck(m_bHelpMode ? 1 : 0);
    else
        cmdUI->ContinueRouting();
}

void CFrameWnd::OnHelp()
{
    if (!SendMessage(WM_COMMANDHELP, 0, 0))
        SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    if (lParam == 0)
        lParam = IsTracking() ? HID_BASE_COMMAND + m_nIDTracking : HID_BASE_RESOURCE + m_nIDHelp;
    if (lParam == 0)
        return FALSE;
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(static_cast<DWORD_PTR>(lParam), HELP_CONTEXT);
    return TRUE;
}

LRESULT CFrameWnd::OnHelpHitTest(WPARAM, LPARAM)
{
    return m_nIDHelp ? HID_BASE_RESOURCE + m_nIDHelp : 0;
}

LRESULT CFrameWnd::OnExitHelpModeMsg(WPARAM, LPARAM)
{
    ExitHelpMode();
    return 0;
}
