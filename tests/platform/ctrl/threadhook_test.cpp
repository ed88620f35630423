// Thread hooks: real input reaches them, the newest handler is asked first, a used event goes
// no further, and handlers may remove hooks while they run.
#include "platform/ctrl/threadhook.h"

#include "platform/test/pump.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

TEST(ThreadHook, SeesKeysAndMouseMovesSentAsInput)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, fw::RegisterWndClass(0), "hooked", WS_POPUP | WS_VISIBLE, 100, 100,
                             200, 150, nullptr, nullptr));
    ::SetForegroundWindow(wnd.GetSafeHwnd());
    fw::test::Pump();
    ASSERT_EQ(wnd.GetSafeHwnd(), ::GetActiveWindow());

    std::vector<WPARAM> keys;
    std::vector<WPARAM> mouse;
    fw::ThreadHook keyboardHook;
    fw::ThreadHook mouseHook;
    ASSERT_TRUE(keyboardHook.Install(WH_KEYBOARD,
                                     [&](int, WPARAM key, LPARAM flags, LRESULT*)
                                     {
                                         if (!(flags & 0x80000000)) // key down only
                                             keys.push_back(key);
                                         return false;
                                     }));
    ASSERT_TRUE(mouseHook.Install(WH_MOUSE,
                                  [&](int, WPARAM message, LPARAM, LRESULT*)
                                  {
                                      mouse.push_back(message);
                                      return false;
                                  }));

    INPUT input[3] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = VK_F8;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    input[2].type = INPUT_MOUSE;
    input[2].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[2].mi.dx = 150 * 65535 / ::GetSystemMetrics(SM_CXSCREEN);
    input[2].mi.dy = 150 * 65535 / ::GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(3u, ::SendInput(3, input, sizeof(INPUT)));
    EXPECT_TRUE(fw::test::WaitFor([&] { return !keys.empty() && !mouse.empty(); }));
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(static_cast<WPARAM>(VK_F8), keys.front());
    EXPECT_EQ(static_cast<WPARAM>(WM_MOUSEMOVE), mouse.front());
    wnd.DestroyWindow();
}

TEST(ThreadHook, NewestHandlerFirstAndAUsedEventStops)
{
    std::vector<std::string> calls;
    fw::ThreadHook older;
    fw::ThreadHook newer;
    bool newerUses = false;
    ASSERT_TRUE(older.Install(WH_KEYBOARD,
                              [&](int, WPARAM, LPARAM, LRESULT*)
                              {
                                  calls.push_back("older");
                                  return false;
                              }));
    ASSERT_TRUE(newer.Install(WH_KEYBOARD,
                              [&](int, WPARAM, LPARAM, LRESULT* result)
                              {
                                  calls.push_back("newer");
                                  *result = 1;
                                  return newerUses;
                              }));
    EXPECT_FALSE(newer.Install(WH_KEYBOARD, [](int, WPARAM, LPARAM, LRESULT*) { return false; }));

    fw::ThreadHook::Call(WH_KEYBOARD, HC_ACTION, 'A', 0);
    EXPECT_EQ((std::vector<std::string>{"newer", "older"}), calls);
    calls.clear();
    newerUses = true;
    EXPECT_EQ(1, fw::ThreadHook::Call(WH_KEYBOARD, HC_ACTION, 'A', 0));
    EXPECT_EQ(std::vector<std::string>{"newer"}, calls);
    calls.clear();
    fw::ThreadHook::Call(WH_KEYBOARD, -1, 'A', 0); // negative codes go straight on
    EXPECT_TRUE(calls.empty());
    fw::ThreadHook::Call(WH_MOUSE, HC_ACTION, WM_MOUSEMOVE, 0);
    EXPECT_TRUE(calls.empty());
}

TEST(ThreadHook, AHandlerMayRemoveHooksWhileItRuns)
{
    fw::ThreadHook first;
    auto second = std::make_unique<fw::ThreadHook>();
    int firstCalls = 0;
    ASSERT_TRUE(first.Install(WH_MOUSE,
                              [&](int, WPARAM, LPARAM, LRESULT*)
                              {
                                  ++firstCalls;
                                  return false;
                              }));
    ASSERT_TRUE(second->Install(WH_MOUSE,
                                [&](int, WPARAM, LPARAM, LRESULT*)
                                {
                                    second.reset(); // the hook goes while its handler runs
                                    first.Remove();
                                    return false;
                                }));
    fw::ThreadHook::Call(WH_MOUSE, HC_ACTION, WM_MOUSEMOVE, 0);
    EXPECT_EQ(nullptr, second);
    EXPECT_FALSE(first.IsInstalled());
    EXPECT_EQ(0, firstCalls);
    EXPECT_FALSE(first.Install(WH_CBT, [](int, WPARAM, LPARAM, LRESULT*) { return false; }));
}
