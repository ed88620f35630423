// The splash window: one at a time, only when switched on, and never without its bitmap.
#include "app/SplashWnd.h"

#include "platform/test/pump.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
class SplashWnd : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (CSplashWnd* splash = CSplashWnd::Current())
            splash->HideSplash();
        CSplashWnd::EnableSplash(FALSE);
        fw::test::Pump();
    }
};
} // namespace

TEST_F(SplashWnd, ShowsTheBitmapCentredOnTheScreenUntilItsTimer)
{
    CSplashWnd::EnableSplash(TRUE);
    CSplashWnd::ShowSplash(nullptr);
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(nullptr, splash);
    CRect window;
    splash->GetWindowRect(&window);
    EXPECT_EQ(550, window.Width());
    EXPECT_EQ(480, window.Height());
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR((screenWidth - 550) / 2, window.left, 1);
    EXPECT_NEAR((screenHeight - 480) / 2, window.top, 1);
    EXPECT_TRUE(splash->GetStyle() & WS_POPUP);
    EXPECT_FALSE(splash->GetStyle() & WS_CAPTION);

    // Key presses and clicks leave it; its timer ends it.
    const HWND hwnd = splash->m_hWnd;
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    fw::test::Pump();
    EXPECT_TRUE(::IsWindow(hwnd));
    ::SendMessageA(hwnd, WM_TIMER, CSplashWnd::kTimerId, 0);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, CSplashWnd::Current());
}

TEST_F(SplashWnd, PaintsItsBitmap)
{
    CSplashWnd::EnableSplash(TRUE);
    CSplashWnd::ShowSplash(nullptr);
    ASSERT_NE(nullptr, CSplashWnd::Current());
    const HWND hwnd = CSplashWnd::Current()->m_hWnd;
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    fw::test::Pump();
    // The background near the top left is the dark blue of the picture, not a window colour.
    const COLORREF corner = fw::test::ClientPixel(hwnd, 5, 5);
    EXPECT_LT(GetRValue(corner), 40);
    EXPECT_GT(GetBValue(corner), GetRValue(corner));
}

TEST_F(SplashWnd, SecondShowWhileVisibleDoesNothing)
{
    CSplashWnd::EnableSplash(TRUE);
    CSplashWnd::ShowSplash(nullptr);
    CSplashWnd* first = CSplashWnd::Current();
    ASSERT_NE(nullptr, first);
    const HWND firstWindow = first->m_hWnd;
    CSplashWnd::ShowSplash(nullptr);
    EXPECT_EQ(first, CSplashWnd::Current());
    EXPECT_EQ(firstWindow, CSplashWnd::Current()->m_hWnd);
}

TEST_F(SplashWnd, SwitchedOffOrWithoutItsBitmapShowsNothing)
{
    CSplashWnd::EnableSplash(FALSE);
    CSplashWnd::ShowSplash(nullptr);
    EXPECT_EQ(nullptr, CSplashWnd::Current());
    CSplashWnd::EnableSplash(TRUE);
    CSplashWnd::ShowSplash(nullptr, 0x7FF0); // no such bitmap
    EXPECT_EQ(nullptr, CSplashWnd::Current());
}
