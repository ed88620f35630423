// The rectangle tracker under Wine: posted mouse input moves, resizes and stretches the
// rectangle; Escape and the right button cancel; the XOR frame leaves the window as it was.
#include "platform/ctrl/tracker.h"

#include "platform/test/pump.h"
#include "platform/win/dc.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <vector>

namespace
{
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Drawn
{
    CRect rect;
    bool erase;
    bool finalErase;
    bool frameShows; // a pixel of the frame's top-left corner changed
};

class CRecordingTracker : public CRectTracker
{
public:
    using CRectTracker::CRectTracker;

    std::vector<Drawn> drawn;
    std::vector<int> adjustedHandles;
    LONG rightLimit = 100000;

    void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd) override
    {
        CRectTracker::DrawTrackerRect(rect, clipTo, dc, wnd);
        // The halftone frame inverts every other pixel.
        const HDC hdc = dc->GetSafeHdc();
        const bool shows = ::GetPixel(hdc, rect->left, rect->top) != kWhite ||
                           ::GetPixel(hdc, rect->left + 1, rect->top) != kWhite;
        drawn.push_back({CRect(rect), m_bErase != FALSE, m_bFinalErase != FALSE, shows});
    }
    void AdjustRect(int handle, LPRECT rect) override
    {
        adjustedHandles.push_back(handle);
        if (rect->right > rightLimit)
            rect->right = rightLimit;
        CRectTracker::AdjustRect(handle, rect);
    }
};

class Tracker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* cls =
            fw::RegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ASSERT_TRUE(m_wnd.CreateEx(0, cls, "tracker", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                                   nullptr, nullptr));
        fw::test::Pump();
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    void Post(UINT msg, int x, int y, WPARAM wParam = MK_LBUTTON)
    {
        ::PostMessageA(m_wnd.GetSafeHwnd(), msg, wParam, MAKELPARAM(x, y));
    }

    // True when no pixel of the window differs from the white background.
    bool IsAllWhite()
    {
        const HDC dc = ::GetDC(m_wnd.GetSafeHwnd());
        bool white = true;
        for (int y = 0; y < 200 && white; y += 1)
        {
            for (int x = 0; x < 300 && white; x += 1)
                white = ::GetPixel(dc, x, y) == kWhite;
        }
        ::ReleaseDC(m_wnd.GetSafeHwnd(), dc);
        return white;
    }

    CWnd m_wnd;
};
} // namespace

void PrintTo(const CRect& r, std::ostream* out)
{
    *out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

TEST_F(Tracker, MovingKeepsTheSizeAndLeavesNoFrameBehind)
{
    CRecordingTracker tracker(CRect(50, 40, 130, 100), CRectTracker::solidLine);
    Post(WM_MOUSEMOVE, 70, 60);
    Post(WM_MOUSEMOVE, 90, 75);
    Post(WM_LBUTTONUP, 90, 75, 0);
    ASSERT_TRUE(tracker.Track(&m_wnd, CPoint(60, 50)));

    EXPECT_EQ(CRect(80, 65, 160, 125), tracker.m_rect);
    // Drawn at the first move, swapped at the second, erased at the release.
    ASSERT_EQ(4u, tracker.drawn.size());
    EXPECT_EQ(CRect(60, 50, 140, 110), tracker.drawn[0].rect);
    EXPECT_TRUE(tracker.drawn[0].frameShows);
    EXPECT_TRUE(tracker.drawn[1].erase);
    EXPECT_TRUE(tracker.drawn[2].frameShows);
    EXPECT_TRUE(tracker.drawn[3].finalErase);
    EXPECT_EQ(std::vector<int>(3, CRectTracker::hitMiddle), tracker.adjustedHandles);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_TRUE(IsAllWhite());
}

TEST_F(Tracker, EscapeOrTheRightButtonCancels)
{
    for (UINT cancel : {static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_RBUTTONDOWN)})
    {
        SCOPED_TRACE(cancel);
        CRecordingTracker tracker(CRect(50, 40, 130, 100), CRectTracker::solidLine);
        Post(WM_MOUSEMOVE, 100, 90);
        ::PostMessageA(m_wnd.GetSafeHwnd(), cancel, cancel == WM_KEYDOWN ? VK_ESCAPE : MK_RBUTTON,
                       0);
        EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(60, 50)));
        EXPECT_EQ(CRect(50, 40, 130, 100), tracker.m_rect);
        ASSERT_FALSE(tracker.drawn.empty());
        EXPECT_TRUE(tracker.drawn.back().finalErase);
        EXPECT_TRUE(IsAllWhite());
    }
}

TEST_F(Tracker, HandlesResizeWithinTheMinimumAndWhatAdjustRectAllows)
{
    CRecordingTracker tracker(CRect(50, 40, 130, 100), CRectTracker::resizeInside);
    tracker.m_sizeMin = CSize(20, 20);
    Post(WM_MOUSEMOVE, 10, 10); // far past the top-left corner
    Post(WM_LBUTTONUP, 10, 10, 0);
    ASSERT_TRUE(tracker.Track(&m_wnd, CPoint(128, 98))); // the bottom-right handle
    EXPECT_EQ(CRect(50, 40, 70, 60), tracker.m_rect);
    EXPECT_EQ(CRectTracker::hitBottomRight, tracker.adjustedHandles.front());

    tracker.m_rect = CRect(50, 40, 130, 100);
    tracker.rightLimit = 200;
    Post(WM_MOUSEMOVE, 280, 150);
    Post(WM_LBUTTONUP, 280, 150, 0);
    ASSERT_TRUE(tracker.Track(&m_wnd, CPoint(128, 98)));
    EXPECT_EQ(CRect(50, 40, 200, 152), tracker.m_rect); // the grip sat 2 pixels inside
    EXPECT_TRUE(IsAllWhite());
}

TEST_F(Tracker, RubberBandMayTurnInsideOut)
{
    CRecordingTracker tracker;
    Post(WM_MOUSEMOVE, 15, 12);
    Post(WM_MOUSEMOVE, 10, 5);
    Post(WM_LBUTTONUP, 10, 5, 0);
    ASSERT_TRUE(tracker.TrackRubberBand(&m_wnd, CPoint(20, 30)));
    EXPECT_EQ(CRect(20, 30, 10, 5), tracker.m_rect);
    EXPECT_EQ(CRectTracker::hitTopLeft, tracker.NormalizeHit(CRectTracker::hitBottomRight));
    EXPECT_EQ(CRectTracker::hitTop, tracker.NormalizeHit(CRectTracker::hitBottom));

    Post(WM_MOUSEMOVE, 15, 12);
    Post(WM_LBUTTONUP, 15, 12, 0);
    EXPECT_FALSE(tracker.TrackRubberBand(&m_wnd, CPoint(20, 30), FALSE));
    EXPECT_TRUE(IsAllWhite());
}

TEST_F(Tracker, HitTestFindsHandlesThenTheInside)
{
    const CRectTracker tracker(CRect(50, 40, 130, 100), CRectTracker::resizeInside);
    struct Case
    {
        CPoint point;
        int hit;
    };
    const Case cases[] = {{CPoint(50, 40), CRectTracker::hitTopLeft},
                          {CPoint(128, 41), CRectTracker::hitTopRight},
                          {CPoint(129, 99), CRectTracker::hitBottomRight},
                          {CPoint(51, 98), CRectTracker::hitBottomLeft},
                          {CPoint(89, 41), CRectTracker::hitTop},
                          {CPoint(128, 70), CRectTracker::hitRight},
                          {CPoint(90, 70), CRectTracker::hitMiddle},
                          {CPoint(10, 10), CRectTracker::hitNothing}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.hit);
        EXPECT_EQ(c.hit, tracker.HitTest(c.point));
    }
}

TEST_F(Tracker, DoesNotTrackWhileAnotherWindowHoldsTheMouse)
{
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, fw::RegisterWndClass(0), "other", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr));
    ::SetCapture(other.GetSafeHwnd());
    CRectTracker tracker(CRect(50, 40, 130, 100), CRectTracker::solidLine);
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(60, 50)));
    ::ReleaseCapture();
    other.DestroyWindow();
}
