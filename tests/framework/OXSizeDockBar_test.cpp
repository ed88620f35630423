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
} // namespace sizedock
