// Dragging bars with the mouse (posted as the mouse would send it): docking on an edge,
// floating with Ctrl, a click that changes nothing, the outline shown on the way, and the
// double click that toggles between docked and floating.
#include "platform/bars/dockctx.h"

#include "platform/bars/minidock.h"
#include "platform/test/pump.h"
#include "tests/platform/bars/bars_fixture.h"

#include <gtest/gtest.h>

namespace fw::test
{
namespace
{
// Records each outline the drag shows, and what it was over.
class CRecordingContext : public CDockContext
{
public:
    using CDockContext::CDockContext;

    void DrawFocusRect(BOOL removeRect) override
    {
        CDockContext::DrawFocusRect(removeRect);
        if (!removeRect)
            m_shown.push_back({m_rectLast, m_dwOverDockStyle});
    }

    struct Shown
    {
        CRect rect;
        DWORD over;
    };
    std::vector<Shown> m_shown;
};

// A floating frame the system refuses to make.
class CRefusedMiniDock : public CMiniDockFrameWnd
{
    FW_CREATABLE(CRefusedMiniDock, CMiniDockFrameWnd)

protected:
    BOOL PreCreateWindow(CREATESTRUCTA&) override { return FALSE; }
};

class Dragging : public BarsFixture
{
protected:
    void SetUp() override
    {
        BarsFixture::SetUp();
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_bar.Create(m_frame, kBarA, WS_CHILD | WS_VISIBLE | CBRS_NOALIGN));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        delete m_bar.m_pDockContext;
        m_context = new CRecordingContext(&m_bar);
        m_bar.m_pDockContext = m_context;
        m_frame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        m_frame->RecalcLayout();
    }

    // The offset from a point of the bar's client area to a point of the frame's.
    CSize OffsetTo(CPoint barPoint, CPoint framePoint) const
    {
        m_bar.ClientToScreen(&barPoint);
        m_frame->ClientToScreen(&framePoint);
        return framePoint - barPoint;
    }

    CBoxBar m_bar{200, 24};
    CRecordingContext* m_context = nullptr; // owned by the bar
};

TEST_F(Dragging, DropOnTheLeftEdgeDocksLeft)
{
    const CPoint grip(5, 5);
    const CSize total = OffsetTo(grip, CPoint(3, 300));
    PostDrag(&m_bar, grip, {CSize(10, 10), total - CSize(10, 10)});

    EXPECT_EQ(std::vector<UINT>({0, kBarA, 0}), Entries(AFX_IDW_DOCKBAR_LEFT))
        << Describe(Entries(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(std::vector<UINT>({0}), Entries(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(CBRS_ALIGN_LEFT, m_bar.m_dwStyle & CBRS_ALIGN_ANY);
    // Docked on the left it stands upright at the frame's left edge.
    const CRect rect = InFrame(&m_bar);
    EXPECT_EQ(CSize(24, 200), rect.Size());
    EXPECT_EQ(0, rect.left);

    // The last outline showed the upright bar over the left dock bar, where the mouse was.
    ASSERT_FALSE(m_context->m_shown.empty());
    const auto& last = m_context->m_shown.back();
    EXPECT_EQ(CBRS_ALIGN_LEFT, last.over);
    EXPECT_EQ(CSize(24, 200), last.rect.Size());
    CPoint mouse(3, 300);
    m_frame->ClientToScreen(&mouse);
    EXPECT_TRUE(last.rect.PtInRect(mouse));
    // Nothing of the outline stays.
    EXPECT_FALSE(::GetCapture());
    EXPECT_TRUE(m_context->m_rectLast.IsRectEmpty());
}

TEST_F(Dragging, HoldingControlFloatsTheBarWhereTheOutlineWas)
{
    const CPoint grip(5, 5);
    const CSize total = OffsetTo(grip, CPoint(3, 300));
    PostDrag(&m_bar, grip, {CSize(10, 10), total - CSize(10, 10)}, 1);

    EXPECT_TRUE(m_bar.IsFloating());
    EXPECT_EQ(std::vector<UINT>({0}), Entries(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(std::vector<UINT>({0, kBarA | 0x10000, 0}), Entries(AFX_IDW_DOCKBAR_TOP))
        << Describe(Entries(AFX_IDW_DOCKBAR_TOP));
    const auto& last = m_context->m_shown.back();
    EXPECT_EQ(0u, last.over);
    CRect frame;
    m_bar.GetParentFrame()->GetWindowRect(&frame);
    EXPECT_EQ(last.rect.TopLeft(), frame.TopLeft());
    EXPECT_EQ(frame.TopLeft(), m_context->m_ptMRUFloatPos);
}

TEST_F(Dragging, HoldingShiftTurnsTheBarUpright)
{
    // Dropped just below its place with Shift held: no upright dock bar is there, so it
    // floats upright.
    const CPoint grip(5, 5);
    PostDrag(&m_bar, grip, {CSize(300, 3), CSize(0, 6)}, 0, VK_SHIFT);
    ASSERT_TRUE(m_bar.IsFloating());
    EXPECT_EQ(CBRS_ALIGN_LEFT, m_bar.m_pDockBar->m_dwStyle & CBRS_ALIGN_ANY);
    CRect rect;
    m_bar.GetWindowRect(&rect);
    EXPECT_EQ(CSize(24, 200), rect.Size());
}

TEST_F(Dragging, ClickWithoutMovingChangesNothing)
{
    const CRect before = InFrame(&m_bar);
    PostDrag(&m_bar, CPoint(5, 5), {});
    EXPECT_EQ(before, InFrame(&m_bar));
    EXPECT_EQ(std::vector<UINT>({0, kBarA, 0}), Entries(AFX_IDW_DOCKBAR_TOP));
    EXPECT_FALSE(m_bar.IsFloating());

    // Moving away and back to the same point is a click too; Escape gives up a drag.
    PostDrag(&m_bar, CPoint(5, 5), {CSize(40, 200), CSize(-40, -200)});
    ::PostMessageA(m_bar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(m_bar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 300));
    ::PostMessageA(m_bar.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
    ::PostMessageA(m_bar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 300));
    Pump();
    EXPECT_EQ(before, InFrame(&m_bar));
    EXPECT_EQ(std::vector<UINT>({0, kBarA, 0}), Entries(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(Dragging, DoubleClickFloatsAndDocksBackInPlace)
{
    const CRect docked = InFrame(&m_bar);
    ::SendMessageA(m_bar.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(m_bar.IsFloating());
    auto* frame = dynamic_cast<CMiniDockFrameWnd*>(m_bar.GetParentFrame());
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(frame->IsWindowVisible());

    // A double click on the floating frame's caption docks it back where it was.
    CRect caption;
    frame->GetWindowRect(&caption);
    frame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION,
                       MAKELPARAM(caption.left + 5, caption.top + 5));
    Pump();
    EXPECT_FALSE(m_bar.IsFloating());
    EXPECT_EQ(std::vector<UINT>({0, kBarA, 0}), Entries(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(docked, InFrame(&m_bar));
}

TEST_F(Dragging, BarStaysDockedWhenNoFloatingFrameCanBeMade)
{
    m_frame->m_pFloatingFrameClass = RUNTIME_CLASS(CRefusedMiniDock);
    const CRect docked = InFrame(&m_bar);
    ::SendMessageA(m_bar.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    PostDrag(&m_bar, CPoint(5, 5), {CSize(0, 300)}, 0, VK_CONTROL);
    EXPECT_FALSE(m_bar.IsFloating());
    EXPECT_EQ(docked, InFrame(&m_bar));
    EXPECT_EQ(std::vector<UINT>({0, kBarA, 0}), Entries(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(Dragging, CaptionPressDragsAFloatingBarOntoAnEdge)
{
    m_frame->FloatControlBar(&m_bar, CPoint(300, 300));
    CFrameWnd* frame = m_bar.GetParentFrame();
    CRect window;
    frame->GetWindowRect(&window);
    const CPoint press(window.left + 10, window.top + 5);
    CPoint target(400, 597);
    m_frame->ClientToScreen(&target);
    // The drag loop takes the moves from the bar, which holds the mouse meanwhile.
    CPoint move = target;
    m_bar.ScreenToClient(&move);
    ::PostMessageA(frame->m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(press.x, press.y));
    ::PostMessageA(m_bar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(move.x, move.y));
    ::PostMessageA(m_bar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(move.x, move.y));
    Pump();

    EXPECT_FALSE(m_bar.IsFloating());
    EXPECT_EQ(std::vector<UINT>({0, kBarA, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(600, InFrame(&m_bar).bottom);
    // The emptied floating frame is gone.
    EXPECT_EQ(nullptr, dynamic_cast<CMiniDockFrameWnd*>(m_bar.GetParentFrame()));
}
} // namespace
} // namespace fw::test
