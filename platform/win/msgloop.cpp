// The message loop and idle processing.
#include "platform/win/msgloop.h"

#include "platform/win/app.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

namespace
{
void DispatchOne(MSG& msg)
{
    fw::GetThreadState().msgCur = msg;
    if (msg.message == WM_KICKIDLE || fw::PreTranslateInput(&msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

void RunIdle()
{
    for (LONG count = 0; fw::OnIdle(count); ++count)
    {
        MSG peek;
        if (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
            break;
    }
}

// The last mouse move seen, to tell a real move from a repeated one.
POINT g_lastMousePoint = {-1, -1};
UINT g_lastMouseMessage = 0;
} // namespace

namespace fw
{
BOOL WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd))
    {
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (hwnd == stop)
            break;
    }
    return FALSE;
}

BOOL PreTranslateInput(MSG* msg)
{
    if (CWinThread* thread = AfxGetThread())
        return thread->PreTranslateMessage(msg);
    return WalkPreTranslateTree(nullptr, msg);
}

BOOL OnIdle(LONG count)
{
    if (CWinThread* thread = AfxGetThread())
        return thread->OnIdle(count);
    if (count >= 1)
    {
        FreeTemporaries();
        return FALSE;
    }
    return TRUE;
}

bool IsIdleMessage(const MSG& msg)
{
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE)
    {
        const bool same = msg.message == g_lastMouseMessage && msg.pt.x == g_lastMousePoint.x &&
                          msg.pt.y == g_lastMousePoint.y;
        g_lastMousePoint = msg.pt;
        g_lastMouseMessage = msg.message;
        return !same;
    }
    // WM_SYSTIMER (0x118) drives the caret.
    return msg.message != WM_PAINT && msg.message != 0x0118;
}

BOOL PumpOneMessage()
{
    MSG msg;
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    GetThreadState().msgCur = msg;
    if (got <= 0)
        return FALSE;
    DispatchOne(msg);
    return TRUE;
}

int RunMessageLoop()
{
    if (CWinThread* thread = AfxGetThread())
        return thread->Run();
    for (;;)
    {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            RunIdle();
        if (!PumpOneMessage())
            return static_cast<int>(GetThreadState().msgCur.wParam);
    }
}

BOOL PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        DispatchOne(msg);
    }
    RunIdle();
    return TRUE;
}
} // namespace fw
