// Test helpers that pump the message queue.
#include "platform/win/test/pump.h"

#include "platform/win/msgloop.h"

namespace fw::test
{
void Pump()
{
    PumpMessages();
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done())
    {
        if (::GetTickCount64() >= end)
            return done();
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void Click(HWND hwnd, int x, int y)
{
    const LPARAM point = MAKELPARAM(x, y);
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, point);
}
} // namespace fw::test
