// Dock bar rows: bars side by side or in rows, insertion under a rectangle, placeholders left
// by floating bars, and rows that wrap when the frame is too narrow.
#include "platform/bars/dockctx.h"
#include "platform/test/pump.h"
#include "tests/platform/bars/bars_fixture.h"

#include <gtest/gtest.h>

namespace fw::test
{
namespace
{
constexpr UINT P = 0x10000; // a placeholder's mark in Entries()

class DockRows : public BarsFixture
{
protected:
    void SetUp() override
    {
        BarsFixture::SetUp();
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        CreateBar(m_a, kBarA);
        CreateBar(m_b, kBarB);
        CreateBar(m_c, kBarC);
    }

    void CreateBar(CBoxBar& bar, UINT id)
    {
        // No side until docked: a bar with one would take it from the frame at once.
        ASSERT_TRUE(bar.Create(m_frame, id, WS_CHILD | WS_VISIBLE | CBRS_NOALIGN));
        bar.EnableDocking(CBRS_ALIGN_ANY);
    }

    // A bar's window rectangle in screen coordinates, moved.
    CRect ScreenRect(const CWnd& bar, int dx, int dy) const
    {
        CRect rect;
        bar.GetWindowRect(&rect);
        rect.OffsetRect(dx, dy);
        return rect;
    }

    void Dock(CControlBar& bar, const CRect* rect = nullptr)
    {
        m_frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_BOTTOM, rect);
        m_frame->RecalcLayout();
    }

    CBoxBar m_a{100, 24};
    CBoxBar m_b{150, 30};
    CBoxBar m_c{120, 20};
};

TEST_F(DockRows, BarDockedRightOfAnotherSharesItsRow)
{
    Dock(m_a);
    const CRect besideA = ScreenRect(m_a, 1, 0);
    Dock(m_b, &besideA);

    EXPECT_EQ(std::vector<UINT>({0, kBarA, kBarB, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));
    const CRect a = InFrame(&m_a);
    const CRect b = InFrame(&m_b);
    EXPECT_EQ(a.right, b.left);
    EXPECT_EQ(a.top, b.top);
    // One row as thick as its thickest bar, under the dock bar's top border line.
    const int thickness = 30 + fw::CyBorder2();
    EXPECT_EQ(CRect(0, 600 - thickness, 800, 600), InFrame(DockBar(AFX_IDW_DOCKBAR_BOTTOM)));
    EXPECT_EQ(CRect(0, 600 - 30, 100, 600 - 30 + 24), a);
    EXPECT_EQ(CRect(100, 600 - 30, 250, 600), b);
    EXPECT_EQ(600 - thickness, InFrame(m_frame->GetDlgItem(AFX_IDW_PANE_FIRST)).bottom);
}

TEST_F(DockRows, BarDockedBelowAnotherStartsARow)
{
    Dock(m_a);
    const CRect belowA = ScreenRect(m_a, 0, 30);
    Dock(m_b, &belowA);

    EXPECT_EQ(std::vector<UINT>({0, kBarA, 0, kBarB, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));
    const CRect a = InFrame(&m_a);
    const CRect b = InFrame(&m_b);
    EXPECT_EQ(a.bottom, b.top);
    EXPECT_EQ(0, b.left);
    EXPECT_EQ(600, b.bottom);
    EXPECT_EQ(600 - 24 - 30 - fw::CyBorder2(), InFrame(DockBar(AFX_IDW_DOCKBAR_BOTTOM)).top);
}

TEST_F(DockRows, RectanglesChooseTheRowAndThePlaceInIt)
{
    Dock(m_a);
    const CRect beforeA = ScreenRect(m_a, -1, 0);
    Dock(m_b, &beforeA);
    EXPECT_EQ(std::vector<UINT>({0, kBarB, kBarA, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(InFrame(&m_b).right, InFrame(&m_a).left);

    // Above the row: a new first row.
    const CRect aboveA = ScreenRect(m_a, 0, -40);
    Dock(m_c, &aboveA);
    EXPECT_EQ(std::vector<UINT>({0, kBarC, 0, kBarB, kBarA, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));

    // A place the user chose stays: dropped 200 pixels further along, the bar keeps the gap.
    const int before = InFrame(&m_c).left;
    const CRect along = ScreenRect(m_c, 200, 0);
    Dock(m_c, &along);
    EXPECT_EQ(before + 200, InFrame(&m_c).left);
}

TEST_F(DockRows, FloatingBarLeavesItsIdAndReturnsToItsPlace)
{
    Dock(m_a);
    const CRect besideA = ScreenRect(m_a, 1, 0);
    Dock(m_b, &besideA);

    m_frame->FloatControlBar(&m_a, CPoint(300, 200));
    EXPECT_TRUE(m_a.IsFloating());
    EXPECT_EQ(std::vector<UINT>({0, kBarA | P, kBarB, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(1, DockBar(AFX_IDW_DOCKBAR_BOTTOM)->GetDockedCount());

    // Docked again without a place: its own place, in the dock bar that kept it.
    m_frame->DockControlBar(&m_a);
    m_frame->RecalcLayout();
    EXPECT_FALSE(m_a.IsFloating());
    EXPECT_EQ(std::vector<UINT>({0, kBarA, kBarB, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(0, InFrame(&m_a).left);
    EXPECT_EQ(InFrame(&m_a).right, InFrame(&m_b).left);

    // Docked somewhere else, a bar forgets its old place.
    m_frame->FloatControlBar(&m_a, CPoint(300, 200));
    m_frame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(std::vector<UINT>({0, kBarB, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(CBRS_ALIGN_LEFT, m_a.m_dwStyle & CBRS_ALIGN_ANY);
}

TEST_F(DockRows, RowTooLongForTheFrameWrapsOnlyWhenLaidOut)
{
    m_a.m_length = 300;
    m_b.m_length = 300;
    m_c.m_length = 150;
    Dock(m_a);
    CRect beside = ScreenRect(m_a, 1, 0);
    Dock(m_b, &beside);
    beside = ScreenRect(m_b, 1, 0);
    Dock(m_c, &beside);
    EXPECT_EQ(std::vector<UINT>({0, kBarA, kBarB, kBarC, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));

    // A query for a narrower frame measures two rows and changes nothing.
    CRect narrow(0, 0, 500, 600);
    CRect left;
    m_frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &left, &narrow);
    EXPECT_EQ(600 - 24 - 30 - fw::CyBorder2(), left.bottom);
    EXPECT_EQ(std::vector<UINT>({0, kBarA, kBarB, kBarC, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM));

    // The frame gets narrower: the bar that no longer fits starts a row of its own.
    CRect window;
    m_frame->GetWindowRect(&window);
    m_frame->SetWindowPos(nullptr, 0, 0, window.Width() - 300, window.Height(),
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    EXPECT_EQ(std::vector<UINT>({0, kBarA, 0, kBarB, kBarC, 0}), Entries(AFX_IDW_DOCKBAR_BOTTOM))
        << Describe(Entries(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(CPoint(0, InFrame(&m_a).bottom), InFrame(&m_b).TopLeft());
    // The last bar, which lay further along, keeps to the row's end.
    EXPECT_EQ(500, InFrame(&m_c).right);
}

TEST_F(DockRows, LayoutRecordsEachBarsPlaceForDockingBack)
{
    Dock(m_a);
    const CRect besideA = ScreenRect(m_a, 1, 0);
    Dock(m_b, &besideA);
    ASSERT_NE(nullptr, m_b.m_pDockContext);
    EXPECT_EQ(AFX_IDW_DOCKBAR_BOTTOM, m_b.m_pDockContext->m_uMRUDockID);
    EXPECT_EQ(CRect(100, 0, 250, 30), m_b.m_pDockContext->m_rectMRUDockPos);
}
} // namespace
} // namespace fw::test
