// Owned windows stay above their owner through focus changes, on the screen (Wine without a window
// manager raises the window that takes the focus above the windows it owns), and a raise keeps
// their order and leaves topmost windows alone.
#include "platform/win/ownedwindows.h"

#include "platform/test/pump.h"

#include <windows.h>

#include <functional>
#include <gtest/gtest.h>

namespace
{
HWND MakeWindow(const char* className, const char* caption, DWORD style, RECT rect, HWND owner,
                DWORD exStyle = 0)
{
    return ::CreateWindowExA(exStyle, className, caption, style, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, owner, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

// Lets the window system and the X server settle: raises, exposures, posted restacking.
void Settle()
{
    fw::test::WaitFor([] { return false; }, 300);
}

// The owner, two edits filling its client area side by side, and a captioned window it owns
// over the left edit; another window away from them.
class OwnedWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_owner = MakeWindow("STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 640, 480},
                             nullptr);
        ASSERT_NE(nullptr, m_owner);
        const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE;
        m_left = MakeWindow("EDIT", "", editStyle, {0, 0, 300, 400}, m_owner);
        m_right = MakeWindow("EDIT", "", editStyle, {300, 0, 600, 400}, m_owner);
        m_owned = MakeWindow("STATIC", "Owned", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                             {80, 80, 320, 220}, m_owner);
        m_elsewhere = MakeWindow("STATIC", "Elsewhere", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                 {900, 700, 1100, 800}, nullptr);
        ASSERT_TRUE(m_left && m_right && m_owned && m_elsewhere);
    }
    void TearDown() override
    {
        for (const HWND window : {m_elsewhere, m_owned, m_owner})
            ::DestroyWindow(window);
        fw::test::Pump();
    }

    // Activates the window's top-level window and gives the window the focus.
    void Activate(HWND window)
    {
        ::SetForegroundWindow(::GetAncestor(window, GA_ROOT));
        ::SetFocus(window);
        Settle();
    }
    // The caption's look while the owned window is active and while it is not, on top.
    void TakeLooks(fw::test::ScreenCaption& caption)
    {
        Activate(m_owned);
        caption.TakeLook();
        Activate(m_elsewhere);
        caption.TakeLook();
    }
    // A screen point of the window's client area, right of and below the owned window.
    static POINT Below(HWND window, int x)
    {
        POINT point = {x, 350};
        ::ClientToScreen(window, &point);
        return point;
    }

    HWND m_owner = nullptr;
    HWND m_left = nullptr;
    HWND m_right = nullptr;
    HWND m_owned = nullptr;
    HWND m_elsewhere = nullptr;
};
} // namespace

TEST_F(OwnedWindows, StayOnTheScreenAboveTheirOwnerAsItTakesTheFocus)
{
    fw::KeepOwnedWindowsAbove();
    fw::test::ScreenCaption caption(m_owned);
    TakeLooks(caption);
    ASSERT_TRUE(caption.IsShown());

    struct Case
    {
        const char* what;
        HWND focusBefore;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"a click on the owner's child", m_owned,
         [this] { fw::test::ClickOnScreen(Below(m_left, 40)); }},
        {"a click on another child of the active owner", m_left,
         [this] { fw::test::ClickOnScreen(Below(m_right, 150)); }},
        {"the owner activated by the program", m_owned, [this] { ::SetForegroundWindow(m_owner); }},
        {"the focus moved by the program", m_right, [this] { ::SetFocus(m_left); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Activate(c.focusBefore);
        c.act();
        Settle();
        EXPECT_TRUE(fw::test::WaitFor([&caption] { return caption.IsShown(); }, 1500))
            << "the owner covers the owned window";
    }
}

TEST_F(OwnedWindows, RaiseKeepsTheirOrderAndLeavesTopmostOnes)
{
    const HWND upper = MakeWindow("STATIC", "Upper", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                  {100, 100, 300, 200}, m_owner);
    const HWND topmost = MakeWindow("STATIC", "Topmost", WS_POPUP | WS_VISIBLE,
                                    {500, 100, 560, 140}, m_owner, WS_EX_TOPMOST);
    ASSERT_TRUE(upper && topmost);
    ::SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(fw::RaiseOwnedWindows(m_owner));
    EXPECT_FALSE(fw::RaiseOwnedWindows(m_elsewhere));

    std::vector<HWND> order;
    for (HWND window = ::GetTopWindow(nullptr); window != nullptr;
         window = ::GetWindow(window, GW_HWNDNEXT))
    {
        if (window == upper || window == m_owned || window == m_owner || window == topmost)
            order.push_back(window);
    }
    EXPECT_EQ((std::vector<HWND>{topmost, upper, m_owned, m_owner}), order);
    EXPECT_NE(0, ::GetWindowLongPtrA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(0, ::GetWindowLongPtrA(upper, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ::DestroyWindow(topmost);
    ::DestroyWindow(upper);
}
