// Graph control without a window: margins, divisions, font scaling against the first layout,
// titles in upper case, tick labels of small plots and the warnings of points out of range.
#include "dialogs/graph/GraphCtrl.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
// The control drawing into a bitmap of the screen's format.
class GraphCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override { m_screen = ::GetDC(nullptr); }
    void TearDown() override { ::ReleaseDC(nullptr, m_screen); }

    void Layout(int width, int height, int pointDisplay = 0)
    {
        m_graph.SetDrawRect(RECT{0, 0, width, height}, m_screen);
        m_graph.Plot(CGraphCtrl::kLines, pointDisplay, 1);
    }

    HDC m_screen = nullptr;
    CGraphCtrl m_graph{nullptr};
};
} // namespace

TEST(GraphCtrlFonts, HeightsGrowAndShrinkInStepsAgainstTheFirstSize)
{
    const struct
    {
        int current, initial, tick, title;
    } cases[] = {{125, 100, 16, 16}, {50, 100, 8, 9},   {93, 100, 13, 12}, {100, 100, 13, 12},
                 {101, 100, 14, 13}, {92, 100, 12, 11}, {400, 0, 13, 12}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.current);
        EXPECT_EQ(c.tick, CGraphCtrl::ScaleFontHeight(c.current, c.initial, 13, 10, 10));
        EXPECT_EQ(c.title, CGraphCtrl::ScaleFontHeight(c.current, c.initial, 12, 8, 20));
    }
}

TEST_F(GraphCtrlTest, MarginsAndPlotFollowTheRectangleLessEighteenPixels)
{
    m_graph.Data().AddSeries({0.0, 1.0}, {0.0, 1.0}, "s");
    Layout(618, 318); // 600 × 300 drawn
    EXPECT_EQ(50, m_graph.LeftMargin());
    EXPECT_EQ(120, m_graph.RightMargin());
    EXPECT_EQ(20, m_graph.TopMargin());
    EXPECT_EQ(50, m_graph.BottomMargin());
    EXPECT_EQ(430, m_graph.PlotWidth());
    EXPECT_EQ(230, m_graph.PlotHeight());
    // X -0.1..1.1 over 430 pixels, Y the same over 230 upwards from the axis line at 250.
    const POINT origin = m_graph.Position(0.0, 0.0);
    EXPECT_EQ(50 + static_cast<int>(std::ceil(0.1 * 430 / 1.2)), origin.x);
    EXPECT_EQ(250 - static_cast<int>(std::ceil(0.1 * 230 / 1.2)), origin.y);
    EXPECT_EQ(10, m_graph.XDivisions());
    EXPECT_EQ(10, m_graph.YDivisions());
}

TEST_F(GraphCtrlTest, FontsScaleAgainstTheFirstPlotSize)
{
    m_graph.Data().AddSeries({0.0, 1.0}, {0.0, 1.0}, "s");
    m_graph.Data().SetTitles("Title", "", "");
    Layout(618, 318); // plot 430 × 230, the reference
    EXPECT_EQ(13, m_graph.TickFontHeight());
    EXPECT_EQ(12, m_graph.TitleFontHeight());
    Layout(770, 395); // plot 538 × 288: 125 % both ways
    EXPECT_EQ(16, m_graph.TickFontHeight());
    EXPECT_EQ(16, m_graph.TitleFontHeight());
    Layout(318, 168); // plot 215 × 115: 50 %
    EXPECT_EQ(8, m_graph.TickFontHeight());
    EXPECT_EQ(9, m_graph.TitleFontHeight());
}

TEST_F(GraphCtrlTest, EqualXValuesGiveTwoDivisionsAndNoSeriesTenWithoutWarning)
{
    Layout(618, 318);
    EXPECT_EQ(10, m_graph.XDivisions());
    EXPECT_TRUE(m_graph.Warnings().empty());

    m_graph.Data().AddSeries({5.0, 5.0}, {1.0, 2.0}, "s");
    Layout(618, 318);
    EXPECT_EQ(2, m_graph.XDivisions());
    EXPECT_EQ(0.0, m_graph.Data().m_xMin);
    EXPECT_EQ(10.0, m_graph.Data().m_xMax);
    EXPECT_EQ(50 + 215, m_graph.Position(5.0, 1.5).x);
}

TEST_F(GraphCtrlTest, CategoricalAxisHasOneTickPerLabelCutToTenCharacters)
{
    m_graph.Data().AddSeriesWithXLabels({"first", "second-long-label", "third"}, {1.0, 2.0, 3.0},
                                        "s");
    Layout(618, 318);
    EXPECT_EQ(4, m_graph.XDivisions());
    EXPECT_EQ(1, m_graph.LabelsEnabled());
    // The registry keeps the whole texts; the drawing cuts them.
    EXPECT_EQ("second-long-label", m_graph.Data().m_xLabelRegistry[1]);
}

TEST_F(GraphCtrlTest, SmallPlotsDisableTickLabelsButKeepTheGridCount)
{
    m_graph.Data().AddSeries({0.0, 1.0}, {0.0, 1.0}, "s");
    Layout(317, 400);
    EXPECT_EQ(0, m_graph.LabelsEnabled());
    EXPECT_FALSE(m_graph.Data().m_xLabelRegistry.empty());
    Layout(318, 168);
    EXPECT_EQ(1, m_graph.LabelsEnabled());
}

TEST_F(GraphCtrlTest, TitlesAreDrawnInUpperCaseAndStaySo)
{
    m_graph.Data().SetTitles("Displacement", "Distance", "");
    Layout(618, 318);
    EXPECT_EQ("DISPLACEMENT", m_graph.Data().m_title);
    EXPECT_EQ("DISTANCE", m_graph.Data().m_xCaption);

    // Captions without a title only when both are given.
    CGraphCtrl other(nullptr);
    other.Data().SetTitles("", "x", "");
    other.SetDrawRect(RECT{0, 0, 618, 318}, m_screen);
    other.Plot(CGraphCtrl::kLines, 0, 1);
    EXPECT_EQ("x", other.Data().m_xCaption);
}

TEST_F(GraphCtrlTest, SeriesWithoutAValidPointAreToldByNumberAndAllOfThemOnce)
{
    m_graph.Data().AddSeries({kNoGraphValue}, {1.0}, "none");
    m_graph.Data().AddSeriesWithXLabels({""}, {2.0}, "empty label");
    Layout(618, 318);
    ASSERT_EQ(3u, m_graph.Warnings().size());
    EXPECT_EQ("All Graph Points are out of range for Series 1", m_graph.Warnings()[0]);
    EXPECT_EQ("All Graph Points are out of range for Series 2", m_graph.Warnings()[1]);
    EXPECT_EQ(0u, m_graph.Warnings()[2].find("Graph Points are out of range for All Series"));

    m_graph.Data().AddSeries({1.0}, {2e8}, "large");
    Layout(618, 318);
    EXPECT_EQ(2u, m_graph.Warnings().size());
}

TEST_F(GraphCtrlTest, SeriesColoursRunFromBlueThroughRedToGreenAndRepeat)
{
    EXPECT_EQ(RGB(0, 0, 0), m_graph.GetSeriesColour(-1));
    EXPECT_EQ(RGB(25, 0, 230), m_graph.GetSeriesColour(0));
    EXPECT_EQ(RGB(250, 0, 5), m_graph.GetSeriesColour(9));
    EXPECT_EQ(RGB(225, 25, 5), m_graph.GetSeriesColour(10));
    EXPECT_EQ(RGB(0, 250, 5), m_graph.GetSeriesColour(19));
    EXPECT_EQ(m_graph.GetSeriesColour(3), m_graph.GetSeriesColour(23));
}

TEST_F(GraphCtrlTest, TwentyThousandLabelledPointsPlot)
{
    std::vector<CString> ids;
    std::vector<double> values;
    for (int i = 1; i <= 20000; ++i)
    {
        CString id;
        id.Format("%d", i);
        ids.push_back(id);
        values.push_back(i * 0.5);
    }
    m_graph.Data().AddSeriesWithXLabels(ids, values, "picks");
    Layout(1018, 718, 1);
    EXPECT_EQ(20001, m_graph.XDivisions());
    EXPECT_TRUE(m_graph.Warnings().empty());
}
