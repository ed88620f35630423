// The message loop and idle processing.
#include "platform/win/msgloop.h"

#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

namespace
{
void DispatchOne(MSG& msg)
{
    if (fw::PreTranslateInput(&msg))
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
} // namespace

namespace fw
{
BOOL PreTranslateInput(MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd))
    {
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
    }
    return FALSE;
}

BOOL OnIdle(LONG count)
{
    if (count >= 1)
    {
        FreeTemporaries();
        return FALSE;
    }
    return TRUE;
}

int RunMessageLoop()
{
    for (;;)
    {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            RunIdle();
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return -1;
        DispatchOne(msg);
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
