// Window hooks under Wine: chains on one window, removal in any order, destruction of a
// hooked window and the mouse enter and leave messages.
#include "widgets/controls/OXHookWnd.h"

#include "platform/test/pump.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
constexpr UINT kProbe = WM_APP + 40;

std::vector<std::string> g_log;

LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kProbe)
    {
        g_log.push_back("own");
        return 7;
    }
    if (msg == WM_NCDESTROY)
        g_log.push_back("own ncdestroy");
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A later subclass over the hooks, as other code may install.
WNDPROC g_overProc = nullptr;
LRESULT CALLBACK OverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kProbe)
        g_log.push_back("over");
    return ::CallWindowProcA(g_overProc, hwnd, msg, wParam, lParam);
}

HWND CreateProbeWindow(DWORD style = WS_POPUP, int x = 0, int y = 0)
{
    static const char* className = []
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &OwnProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "HookProbe";
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        ::RegisterClassA(&wc);
        return "HookProbe";
    }();
    return ::CreateWindowExA(WS_EX_TOPMOST, className, "", style, x, y, 200, 150, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

class CNamedHook : public COXHookWnd
{
public:
    explicit CNamedHook(std::string name)
        : m_name(std::move(name))
    {
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == kProbe)
            g_log.push_back(m_name);
        if (msg == WM_OX_HOOK_MOUSEENTER || msg == WM_OX_HOOK_MOUSELEAVE)
            hoverMessages.push_back(msg);
        return COXHookWnd::WindowProc(msg, wParam, lParam);
    }

    std::vector<UINT> hoverMessages;

private:
    std::string m_name;
};

WNDPROC CurrentProc(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}
} // namespace

TEST(OXHookWnd, ChainedHooksSeeEveryMessageNewestFirstAndLeaveInAnyOrder)
{
    const HWND hwnd = CreateProbeWindow();
    CNamedHook older("older");
    CNamedHook newer("newer");
    ASSERT_TRUE(older.HookWindow(hwnd));
    ASSERT_TRUE(newer.HookWindow(hwnd));
    EXPECT_FALSE(newer.HookWindow(hwnd));
    EXPECT_EQ(&newer, COXHookMap::Lookup(hwnd));

    g_log.clear();
    EXPECT_EQ(7, ::SendMessageA(hwnd, kProbe, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"newer", "older", "own"}), g_log);

    newer.Unhook();
    g_log.clear();
    ::SendMessageA(hwnd, kProbe, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"older", "own"}), g_log);

    older.Unhook();
    EXPECT_EQ(&OwnProc, CurrentProc(hwnd));
    EXPECT_EQ(nullptr, COXHookMap::Lookup(hwnd));

    // The older one leaving first keeps the newer one working.
    older.HookWindow(hwnd);
    newer.HookWindow(hwnd);
    older.Unhook();
    g_log.clear();
    ::SendMessageA(hwnd, kProbe, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"newer", "own"}), g_log);
    newer.Unhook();
    EXPECT_EQ(&OwnProc, CurrentProc(hwnd));
    ::DestroyWindow(hwnd);
}

TEST(OXHookWnd, ALaterSubclassKeepsWorkingWhenTheLastHookGoes)
{
    const HWND hwnd = CreateProbeWindow();
    {
        CNamedHook hook("hook");
        hook.HookWindow(hwnd);
        g_overProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OverProc)));
    } // the destructor unhooks
    EXPECT_EQ(&OverProc, CurrentProc(hwnd));
    g_log.clear();
    EXPECT_EQ(7, ::SendMessageA(hwnd, kProbe, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"over", "own"}), g_log);

    // A new hook under the later subclass reuses the chain that is still installed.
    CNamedHook again("again");
    again.HookWindow(hwnd);
    g_log.clear();
    ::SendMessageA(hwnd, kProbe, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"over", "again", "own"}), g_log);
    ::DestroyWindow(hwnd);
    EXPECT_FALSE(again.IsHooked());
}

TEST(OXHookWnd, DestroyingAHookedWindowUnhooksBeforeItsLastMessage)
{
    const HWND hwnd = CreateProbeWindow();
    CNamedHook first("first");
    CNamedHook second("second");
    first.HookWindow(hwnd);
    second.HookWindow(hwnd);
    g_log.clear();
    ::DestroyWindow(hwnd);
    EXPECT_EQ((std::vector<std::string>{"own ncdestroy"}), g_log);
    EXPECT_EQ(nullptr, COXHookMap::Lookup(hwnd));
    EXPECT_FALSE(first.IsHooked());
    EXPECT_FALSE(second.IsHooked());
}

TEST(OXHookWnd, MouseEnteringPostsOnceAndTheHoverTimerNoticesLeaving)
{
    const HWND hwnd = CreateProbeWindow(WS_POPUP, 100, 100);
    // Never activated: hiding an active window waits seconds for another one under Wine.
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    fw::test::Pump();
    CNamedHook hook("hover");
    hook.HookWindow(hwnd);
    ASSERT_TRUE(hook.StartHoverTimer());

    ::SetCursorPos(150, 150);
    ::SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    ::SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(51, 50));
    fw::test::Pump();
    EXPECT_EQ((std::vector<UINT>{WM_OX_HOOK_MOUSEENTER}), hook.hoverMessages);
    EXPECT_TRUE(hook.IsMouseInside());

    ::SetCursorPos(600, 600);
    EXPECT_TRUE(fw::test::WaitFor([&] { return hook.hoverMessages.size() == 2; }, 1000));
    EXPECT_EQ(static_cast<UINT>(WM_OX_HOOK_MOUSELEAVE), hook.hoverMessages.back());
    hook.StopHoverTimer();
    ::DestroyWindow(hwnd);
}
