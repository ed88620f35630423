// The bounded tracker under Wine: posted mouse input against the bounds, the locked axes and
// the mapping of hit-test codes; the frame it draws leaves the window as it was.
#include "widgets/bars/SplitterTracker.h"

#include "platform/test/pump.h"
#include "platform/win/dc.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Records every frame drawn and whether it showed on the window.
class CRecordingSplitterTracker : public CSplitterTracker
{
public:
    std::vector<CRect> drawn;
    std::vector<bool> shown;

    void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd) override
    {
        CSplitterTracker::DrawTrackerRect(rect, clipTo, dc, wnd);
        drawn.push_back(CRect(rect));
        const HDC hdc = dc->GetSafeHdc();
        shown.push_back(::GetPixel(hdc, rect->left, rect->top) != kWhite ||
                        ::GetPixel(hdc, rect->left + 1, rect->top) != kWhite);
    }
};

// Rectangles compared as text, so that a failure shows them.
std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

class SplitterTracker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* cls =
            fw::RegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ASSERT_TRUE(m_wnd.CreateEx(0, cls, "splitter", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                   nullptr, nullptr));
        fw::test::Pump();
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    // Posts a drag to (x, y) and its release there; the track that follows takes them.
    void PostDragTo(int x, int y)
    {
        ::PostMessageA(m_wnd.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageA(m_wnd.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    bool IsAllWhite()
    {
        const HDC dc = ::GetDC(m_wnd.GetSafeHwnd());
        bool white = true;
        for (int y = 0; y < 300 && white; y += 1)
        {
            for (int x = 0; x < 400 && white; x += 1)
                white = ::GetPixel(dc, x, y) == kWhite;
        }
        ::ReleaseDC(m_wnd.GetSafeHwnd(), dc);
        return white;
    }

    CWnd m_wnd;
};
} // namespace

TEST(SplitterTrackerHandles, HitTestCodesMapToHandlesAndAnythingElseMoves)
{
    struct Case
    {
        UINT hitTest;
        int handle;
    };
    const Case cases[] = {{HTLEFT, 7},     {HTRIGHT, 5},  {HTTOP, 4},        {HTTOPLEFT, 0},
                          {HTTOPRIGHT, 1}, {HTBOTTOM, 6}, {HTBOTTOMLEFT, 3}, {HTBOTTOMRIGHT, 2},
                          {HTCAPTION, 8},  {HTCLIENT, 8}, {HTNOWHERE, 8}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.hitTest);
        EXPECT_EQ(c.handle, CSplitterTracker::HandleFromHitTest(c.hitTest));
    }
}

TEST_F(SplitterTracker, MovedRectangleKeepsItsSizeWithItsCornerInsideTheBounds)
{
    struct Case
    {
        CPoint to; // where the mouse goes from (104, 100)
        CRect expected;
    };
    // An 8 x 60 splitter at (100, 50), its left edge free from 40 to 300, its top from 20 to
    // 200 - 10.
    const Case cases[] = {{CPoint(154, 110), CRect(150, 60, 158, 120)},
                          {CPoint(390, 100), CRect(300, 50, 308, 110)},
                          {CPoint(10, 100), CRect(40, 50, 48, 110)},
                          {CPoint(104, 290), CRect(100, 190, 108, 250)},
                          {CPoint(104, 0), CRect(100, 20, 108, 80)}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.to.x * 1000 + c.to.y);
        CSplitterTracker tracker;
        tracker.m_rect = CRect(100, 50, 108, 110);
        tracker.m_rectLimit = CRect(40, 20, 300, 200);
        PostDragTo(c.to.x, c.to.y);
        EXPECT_TRUE(tracker.TrackHandle(HTCAPTION, &m_wnd, CPoint(104, 100), nullptr));
        EXPECT_EQ(Text(c.expected), Text(tracker.m_rect));
        EXPECT_EQ("(100,50)-(108,110)", Text(tracker.m_rectStart));
    }
    EXPECT_TRUE(IsAllWhite());
}

TEST_F(SplitterTracker, LockedAxisStaysAtTheStart)
{
    CSplitterTracker columns;
    columns.m_rect = CRect(100, 50, 108, 110);
    columns.m_nStyle = CSplitterTracker::kKeepVertical;
    PostDragTo(160, 170);
    EXPECT_TRUE(columns.TrackHandle(HTCAPTION, &m_wnd, CPoint(104, 100), nullptr));
    EXPECT_EQ("(156,50)-(164,110)", Text(columns.m_rect));

    CSplitterTracker rows;
    rows.m_rect = CRect(20, 100, 300, 108);
    rows.m_nStyle = CSplitterTracker::kKeepHorizontal;
    PostDragTo(90, 60);
    EXPECT_TRUE(rows.TrackHandle(HTCAPTION, &m_wnd, CPoint(50, 104), nullptr));
    EXPECT_EQ("(20,56)-(300,64)", Text(rows.m_rect));

    // Moving only along the locked axis changes nothing.
    PostDragTo(104, 180);
    columns.m_rect = CRect(100, 50, 108, 110);
    EXPECT_FALSE(columns.TrackHandle(HTCAPTION, &m_wnd, CPoint(104, 100), nullptr));
    EXPECT_EQ("(100,50)-(108,110)", Text(columns.m_rect));
}

TEST_F(SplitterTracker, SizingBorderIsCutToTheBounds)
{
    CSplitterTracker tracker;
    tracker.m_rect = CRect(100, 50, 200, 150);
    tracker.m_rectLimit = CRect(40, 20, 250, 200);
    PostDragTo(380, 120);
    EXPECT_TRUE(tracker.TrackHandle(HTRIGHT, &m_wnd, CPoint(199, 100), nullptr));
    EXPECT_EQ("(100,50)-(250,150)", Text(tracker.m_rect));

    // Without bounds the edge follows the mouse.
    tracker.m_rectLimit.SetRectEmpty();
    PostDragTo(320, 120);
    EXPECT_TRUE(tracker.TrackHandle(HTRIGHT, &m_wnd, CPoint(249, 100), nullptr));
    EXPECT_EQ("(100,50)-(321,150)", Text(tracker.m_rect));
    EXPECT_TRUE(IsAllWhite());
}

TEST_F(SplitterTracker, FrameShowsTwoPixelsWideUnlessSuppressed)
{
    CRecordingSplitterTracker tracker;
    tracker.m_rect = CRect(100, 50, 108, 110);
    ::PostMessageA(m_wnd.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 100));
    PostDragTo(170, 100);
    EXPECT_TRUE(tracker.TrackHandle(HTCAPTION, &m_wnd, CPoint(104, 100), nullptr));
    ASSERT_FALSE(tracker.shown.empty());
    EXPECT_TRUE(tracker.shown.front());
    EXPECT_TRUE(IsAllWhite());

    CRecordingSplitterTracker hidden;
    hidden.m_rect = CRect(100, 50, 108, 110);
    hidden.m_bNoDragFrame = TRUE;
    ::PostMessageA(m_wnd.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 100));
    PostDragTo(170, 100);
    EXPECT_TRUE(hidden.TrackHandle(HTCAPTION, &m_wnd, CPoint(104, 100), nullptr));
    EXPECT_EQ("(166,50)-(174,110)", Text(hidden.m_rect));
    for (bool shown : hidden.shown)
        EXPECT_FALSE(shown);
}
