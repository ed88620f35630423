// The sizeable dock bar under Wine: rows of sizeable bars filling the dock bar with splitters
// between them, splitter drags, refitting when the frame resizes or bars show and hide, and
// maximizing a bar in its row.
#include "framework/OXSizeDockBar.h"

#include "platform/test/pump.h"
#include "tests/framework/SizeDockFixture.h"

#include <gtest/gtest.h>

namespace sizedock
{
namespace
{
class SizeDockBar : public SizeDockFixture
{
protected:
    // A and B, 300 and 100 long, alone in one bottom row; the first layout fits them.
    void DockTwoAtTheBottom()
    {
        CreateBar(m_a, kBarA, "A", CSize(300, 150));
        CreateBar(m_b, kBarB, "B", CSize(100, 150));
        Dock(m_a, AFX_IDW_DOCKBAR_BOTTOM);
        Dock(m_b, AFX_IDW_DOCKBAR_BOTTOM, &m_a);
        m_frame->RecalcLayout();
        fw::test::Pump();
    }

    // The splitter between A and B, in the bottom dock bar's client coordinates.
    CRect InRowSplitter() const
    {
        for (const CDockSplitter& s : DockBar(AFX_IDW_DOCKBAR_BOTTOM)->GetSplitters())
        {
            if (s.type == dockrows::kColumnSplitter)
                return s.rect;
        }
        return CRect();
    }

    CRecordingBar m_a;
    CRecordingBar m_b;
    CRecordingBar m_c;
};
} // namespace

TEST_F(SizeDockBar, TwoBarsFillTheirRowAndTheSplitterSharesItsLength)
{
    DockTwoAtTheBottom();
    // 800 - 8 + 2 * 2 = 796: 300 * 796 / 400 and 100 * 796 / 400.
    EXPECT_EQ(597, InFrame(&m_a).Width());
    EXPECT_EQ(199, InFrame(&m_b).Width());
    EXPECT_EQ(800, InFrame(&m_b).right);
    EXPECT_EQ(InFrame(&m_a).right - 2 + 8, InFrame(&m_b).left); // borders overlap the splitter
    EXPECT_EQ(600, InFrame(DockBar(AFX_IDW_DOCKBAR_BOTTOM)).bottom);

    // Dragging the splitter 100 pixels to the left gives B what A gives up.
    const CRect splitter = InRowSplitter();
    ASSERT_FALSE(splitter.IsRectEmpty());
    PostDrag(DockBar(AFX_IDW_DOCKBAR_BOTTOM), splitter.CenterPoint(),
             {CSize(-50, 0), CSize(-50, 3)});
    EXPECT_EQ(497, InFrame(&m_a).Width());
    EXPECT_EQ(299, InFrame(&m_b).Width());
    EXPECT_EQ(800, InFrame(&m_b).right);

    // A wider frame: both grow in proportion and the row stays full.
    SetClientSize(900, 600);
    EXPECT_EQ(900, InFrame(&m_b).right);
    EXPECT_EQ(559, InFrame(&m_a).Width()); // 497 * 896 / 796
    EXPECT_EQ(337, InFrame(&m_b).Width());
}

TEST_F(SizeDockBar, RowSplitterSetsTheRowsThicknessDownToItsMinimum)
{
    DockTwoAtTheBottom();
    COXSizeDockBar* dockBar = DockBar(AFX_IDW_DOCKBAR_BOTTOM);
    CRect rowSplitter;
    for (const CDockSplitter& s : dockBar->GetSplitters())
    {
        if (s.type == dockrows::kRowSplitter)
            rowSplitter = s.rect;
    }
    ASSERT_FALSE(rowSplitter.IsRectEmpty());
    EXPECT_EQ(150, InFrame(&m_a).Height());

    // Up by 50: the row below it grows.
    PostDrag(dockBar, rowSplitter.CenterPoint(), {CSize(3, -20), CSize(0, -30)});
    EXPECT_EQ(200, InFrame(&m_a).Height());
    EXPECT_EQ(200, InFrame(&m_b).Height());
    EXPECT_EQ(600, InFrame(dockBar).bottom);

    // Far down: the row keeps the greatest minimum tracking height of its bars.
    MINMAXINFO minMax = {};
    m_a.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&minMax));
    for (const CDockSplitter& s : dockBar->GetSplitters())
    {
        if (s.type == dockrows::kRowSplitter)
            rowSplitter = s.rect;
    }
    PostDrag(dockBar, rowSplitter.CenterPoint(), {CSize(0, 100), CSize(0, 300)});
    EXPECT_EQ(std::max<LONG>(minMax.ptMinTrackSize.y, 0), InFrame(&m_a).Height());
}

TEST_F(SizeDockBar, SplittersShowTheirEdgeLines)
{
    DockTwoAtTheBottom();
    COXSizeDockBar* dockBar = DockBar(AFX_IDW_DOCKBAR_BOTTOM);
    m_frame->SetForegroundWindow();
    dockBar->RedrawWindow();
    fw::test::Pump();
    const CRect s = InRowSplitter();
    const int y = s.CenterPoint().y;
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), PixelAt(dockBar, CPoint(s.left + 2, y)));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), PixelAt(dockBar, CPoint(s.right - 2, y)));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWFRAME), PixelAt(dockBar, CPoint(s.right - 1, y)));
}

TEST_F(SizeDockBar, LeftDockBarSharesTheHeightBetweenTopAndBottom)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    CreateBar(m_b, kBarB, "B", CSize(200, 100));
    CreateBar(m_c, kBarC, "C", CSize(200, 120));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a});
    DockRow(AFX_IDW_DOCKBAR_LEFT, {&m_b, &m_c});
    const CRect bottom = InFrame(DockBar(AFX_IDW_DOCKBAR_BOTTOM));
    // B and C stand one above the other, filling the height left above the bottom bars.
    EXPECT_EQ(InFrame(&m_b).left, InFrame(&m_c).left);
    EXPECT_EQ(bottom.top, InFrame(DockBar(AFX_IDW_DOCKBAR_LEFT)).bottom);
    EXPECT_EQ(bottom.top, InFrame(&m_c).bottom);
    EXPECT_EQ(InFrame(&m_b).bottom - 2 + 8, InFrame(&m_c).top);
    // The column takes the greater vertical docking width (120 to B's 100); the dock bar adds
    // 7 for the last splitter and 2 for its border, less the bars' overlapping borders.
    EXPECT_EQ(120, InFrame(&m_b).Width());
    EXPECT_EQ(120, InFrame(&m_c).Width());
    EXPECT_EQ(120 - 4 + 7 + 2, InFrame(DockBar(AFX_IDW_DOCKBAR_LEFT)).Width());
}
} // namespace sizedock
