// The tip window under Wine: it appears after the initial delay below the cursor and goes after
// the show time, on a key or a click; a move to another tool waits again; near the screen's
// bottom it goes above its tool window; a two-part text switches on a click, with its mark.
#include "widgets/controls/OXToolTipWnd.h"

#include "platform/test/pump.h"
#include "tests/widgets/bars/ButtonTestSupport.h"

#include <gtest/gtest.h>

using namespace buttons_test;

namespace
{
const CRect kFirstTool(10, 10, 110, 60);
const CRect kSecondTool(150, 10, 250, 60);

bool IsShown(const COXToolTipWnd& tip)
{
    return tip.IsTipShown() != FALSE;
}

void Pause(DWORD ms)
{
    fw::test::WaitFor([] { return false; }, ms);
}

// A line of the tip's font, as the tip lays its text out.
int LineHeightOf(const COXToolTipWnd& tip)
{
    const HDC dc = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(tip.SendMessage(WM_GETFONT)));
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

CRect WindowRectOf(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}
} // namespace

class ToolTipWnd : public ButtonFixture
{
protected:
    void SetUp() override
    {
        ButtonFixture::SetUp();
        ASSERT_TRUE(m_tip.Create(m_host.get()));
        ASSERT_TRUE(m_tip.AddTool(m_host.get(), "Open a file", &kFirstTool, 1));
        ASSERT_TRUE(m_tip.AddTool(m_host.get(), "Save the file", &kSecondTool, 2));
    }
    void TearDown() override
    {
        m_tip.DestroyWindow();
        ButtonFixture::TearDown();
    }

    // The cursor goes to a client point of the host and the host relays the move, as an owner
    // does from its PreTranslateMessage.
    void MoveTo(CPoint client)
    {
        MoveCursorTo(m_host->GetSafeHwnd(), client);
        Relay(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    }
    void Relay(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        MSG msg = {};
        msg.hwnd = m_host->GetSafeHwnd();
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        m_tip.RelayEvent(&msg);
    }
    void ShowQuickly(CPoint client)
    {
        m_tip.SetDelayTime(TTDT_INITIAL, 50);
        MoveTo(CPoint(300, 200)); // off every tool: the current one is forgotten
        MoveTo(client);
        ASSERT_TRUE(fw::test::WaitFor([&] { return IsShown(m_tip); }, 2000));
    }

    COXToolTipWnd m_tip;
};

TEST_F(ToolTipWnd, AppearsBelowTheCursorAfterTheDelayAndGoesAfterTheShowTime)
{
    EXPECT_EQ(500, m_tip.GetDelayTime(TTDT_INITIAL));
    EXPECT_EQ(5000, m_tip.GetDelayTime(TTDT_AUTOPOP));
    MoveTo(CPoint(50, 30));
    Pause(250);
    EXPECT_FALSE(IsShown(m_tip));
    ASSERT_TRUE(fw::test::WaitFor([&] { return IsShown(m_tip); }, 1500));
    EXPECT_STREQ("Open a file", m_tip.GetShownText());

    POINT cursor = {50, 30};
    ::ClientToScreen(m_host->GetSafeHwnd(), &cursor);
    const CRect tip = WindowRectOf(m_tip);
    EXPECT_EQ(CPoint(cursor.x, cursor.y + 20), tip.TopLeft());
    fw::test::Pump();
    const ScreenShot shot(tip);
    EXPECT_EQ(RGB(0, 0, 0), shot.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), shot.At(shot.Width() - 1, shot.Height() - 1));
    EXPECT_EQ(::GetSysColor(COLOR_INFOBK), shot.At(1, shot.Height() - 2));

    Pause(3800);
    EXPECT_TRUE(IsShown(m_tip)) << "still within the show time";
    EXPECT_TRUE(fw::test::WaitFor([&] { return !IsShown(m_tip); }, 2500));
}

TEST_F(ToolTipWnd, KeysAndClicksElsewhereHideItAtOnce)
{
    const UINT messages[] = {WM_KEYDOWN,       WM_SYSKEYDOWN,    WM_CHAR,
                             WM_RBUTTONDOWN,   WM_MBUTTONDOWN,   WM_LBUTTONDBLCLK,
                             WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_LBUTTONDOWN};
    for (UINT message : messages)
    {
        SCOPED_TRACE(message);
        ShowQuickly(CPoint(50, 30));
        Relay(message);
        EXPECT_FALSE(IsShown(m_tip));
    }
}

TEST_F(ToolTipWnd, AnotherToolWaitsTheDelayAgain)
{
    ShowQuickly(CPoint(50, 30));
    m_tip.SetDelayTime(TTDT_INITIAL, 400);
    MoveTo(CPoint(200, 30));
    EXPECT_FALSE(IsShown(m_tip));
    Pause(150);
    EXPECT_FALSE(IsShown(m_tip));
    ASSERT_TRUE(fw::test::WaitFor([&] { return IsShown(m_tip); }, 1500));
    EXPECT_STREQ("Save the file", m_tip.GetShownText());
}

TEST_F(ToolTipWnd, NearTheScreenBottomItGoesAboveItsToolWindow)
{
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    m_host->SetWindowPos(nullptr, 200, screenHeight - 70, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fw::test::Pump();
    ShowQuickly(CPoint(50, 50));
    const CRect tip = WindowRectOf(m_tip);
    EXPECT_EQ(WindowRectOf(*m_host).top, tip.bottom);
    EXPECT_LE(tip.bottom, screenHeight);
}

TEST_F(ToolTipWnd, DefaultsChangeOnlyTheRecordsThatKeptThem)
{
    OXTOOLINFO info = {};
    ASSERT_TRUE(m_tip.GetToolInfo(&info, m_host.get(), 2));
    EXPECT_EQ(sizeof(OXTOOLINFO), info.cbSize);
    info.clrTextColor = RGB(0, 0, 255);
    m_tip.SetToolInfo(&info);

    m_tip.SetTipTextColor(RGB(255, 0, 0));
    m_tip.SetTipBkColor(RGB(0, 255, 0));
    ASSERT_TRUE(m_tip.GetToolInfo(&info, m_host.get(), 1));
    EXPECT_EQ(RGB(255, 0, 0), info.clrTextColor);
    EXPECT_EQ(RGB(0, 255, 0), info.clrBackColor);
    ASSERT_TRUE(m_tip.GetToolInfo(&info, m_host.get(), 2));
    EXPECT_EQ(RGB(0, 0, 255), info.clrTextColor);
    EXPECT_EQ(RGB(0, 255, 0), info.clrBackColor);

    ShowQuickly(CPoint(50, 30));
    fw::test::Pump();
    const ScreenShot shot(WindowRectOf(m_tip));
    EXPECT_EQ(RGB(0, 255, 0), shot.At(1, shot.Height() - 2));
}

TEST_F(ToolTipWnd, DeletingAToolRemovesEveryRecordOfIt)
{
    ASSERT_TRUE(m_tip.AddTool(m_host.get(), "again", &kFirstTool, 1));
    ASSERT_EQ(3, m_tip.GetToolCount());
    ShowQuickly(CPoint(50, 30));
    m_tip.DelTool(m_host.get(), 1);
    EXPECT_EQ(1, m_tip.GetToolCount());
    EXPECT_FALSE(IsShown(m_tip));
    EXPECT_EQ(nullptr, m_tip.GetCurrentTool());
    EXPECT_FALSE(m_tip.AddTool(nullptr, "none", &kFirstTool, 5));
}

TEST_F(ToolTipWnd, ATwoPartTextSwitchesOnAClickWithItsMark)
{
    OXTOOLINFO info = {};
    ASSERT_TRUE(m_tip.GetToolInfo(&info, m_host.get(), 1));
    info.lpszText = const_cast<char*>("Open\rOpen a project file");
    m_tip.SetToolInfo(&info);
    ShowQuickly(CPoint(50, 30));
    EXPECT_STREQ("Open  ", m_tip.GetShownText());
    EXPECT_FALSE(m_tip.IsExpanded());
    fw::test::Pump();

    const CRect collapsed = WindowRectOf(m_tip);
    const CRect margins = m_tip.GetMargins();
    const int middle = margins.top + LineHeightOf(m_tip) / 2;
    ScreenShot shot(collapsed);
    EXPECT_EQ(RGB(0, 0, 0), shot.At(shot.Width() - margins.right - 1, middle)) << "right apex";

    fw::test::Click(m_tip.GetSafeHwnd(), 3, 3);
    fw::test::Pump();
    EXPECT_TRUE(m_tip.IsExpanded());
    EXPECT_STREQ("  Open a project file", m_tip.GetShownText());
    const CRect expanded = WindowRectOf(m_tip);
    EXPECT_EQ(collapsed.TopLeft(), expanded.TopLeft());
    shot = ScreenShot(expanded);
    EXPECT_EQ(RGB(0, 0, 0), shot.At(margins.left + 1, middle)) << "left apex";
}

TEST_F(ToolTipWnd, ACallbackToolAsksItsOwnerForTheText)
{
    const CRect third(10, 100, 110, 150);
    ASSERT_TRUE(m_tip.AddTool(m_host.get(), LPSTR_TEXTCALLBACKA, &third, 3));
    WPARAM askedTool = 0;
    HWND askedBy = nullptr;
    m_host->m_onNotify = [&](WPARAM wParam, NMHDR* header)
    {
        if (header->code != TTN_NEEDTEXTA)
            return;
        askedTool = wParam;
        askedBy = header->hwndFrom;
        reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = const_cast<char*>("Asked for");
    };
    ShowQuickly(CPoint(50, 120));
    EXPECT_STREQ("Asked for", m_tip.GetShownText());
    EXPECT_EQ(3u, askedTool);
    EXPECT_EQ(m_tip.GetSafeHwnd(), askedBy);
}
