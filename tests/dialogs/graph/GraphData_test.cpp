// Graph data: label positions, ranges and their widening, numeric tick labels.
#include "dialogs/graph/GraphData.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
std::vector<CString> Texts(std::initializer_list<const char*> texts)
{
    return std::vector<CString>(texts.begin(), texts.end());
}

void Layout(CGraphData& data)
{
    data.ComputeRange();
    data.WidenRange();
}
} // namespace

TEST(GraphData, LabelsShareAPositionOnlyWhenUnique)
{
    CGraphData data;
    data.AddSeriesWithXLabels(Texts({"A", "B"}), {1.0, 2.0}, "first");
    data.AddSeriesWithXLabels(Texts({"B", "b", ""}), {3.0, 4.0, 5.0}, "second");
    const CGraphSeries& second = data.Series(1);
    EXPECT_EQ(2.0, second.m_points[0].x); // "B" of the first series
    EXPECT_EQ(3.0, second.m_points[1].x); // compared case-sensitively
    EXPECT_FALSE(second.m_points[2].IsValid());
    EXPECT_EQ("", second.m_xLabels[2]);
    EXPECT_EQ(3u, data.m_xLabelRegistry.size());

    data.SetUniqueLabels(0);
    EXPECT_EQ(4, data.FindOrAddXLabel("A"));
    data.SetUniqueLabels(7);
    EXPECT_EQ(1, data.m_uniqueLabels);
    EXPECT_EQ(1, data.FindOrAddXLabel("A"));
}

TEST(GraphData, ArraysOfDifferentLengthsGiveTheShorterCount)
{
    CGraphData data;
    data.AddSeries({1.0, 2.0, 3.0}, {5.0}, "x longer");
    data.AddSeriesWithXLabels(Texts({"a"}), {1.0, 2.0}, "y longer");
    data.AddSeriesWithLabels(Texts({"a", "b"}), Texts({"c"}), "labels");
    EXPECT_EQ(1u, data.Series(0).m_points.size());
    EXPECT_EQ(1u, data.Series(1).m_points.size());
    EXPECT_EQ(1u, data.Series(2).m_points.size());
    EXPECT_EQ(CGraphData::kBothLabels, data.m_axisKind);
}

TEST(GraphData, LargeFiniteValuesCountAndNoValuePointsDoNot)
{
    CGraphData data;
    data.AddSeries({1.0, 2.0, kNoGraphValue, 4.0}, {2e8, -3e7, 1e30, kNoGraphValue}, "s");
    data.ComputeRange();
    EXPECT_EQ(1.0, data.m_xMin);
    // A point without x counts for neither axis; one without y still counts for x.
    EXPECT_EQ(4.0, data.m_xMax);
    EXPECT_EQ(-3e7, data.m_yMin);
    EXPECT_EQ(2e8, data.m_yMax);
    EXPECT_EQ(1, data.m_seriesCount);
}

struct RangeCase
{
    const char* what;
    std::vector<double> x;
    std::vector<double> y;
    double xMin, xMax, yMin, yMax;
};

TEST(GraphData, RangesAreWidenedByTenPercentOrAroundASingleValue)
{
    const RangeCase cases[] = {
        {"spread", {0.0, 10.0}, {-1.0, 1.0}, -1.0, 11.0, -1.2, 1.2},
        {"equal x", {3.0, 3.0}, {1.0, 2.0}, 0.0, 6.0, 0.9, 2.1},
        {"equal negative y", {1.0, 2.0}, {-4.0, -4.0}, 0.9, 2.1, 0.0, -8.0},
        {"all zero", {0.0, 0.0}, {0.0, 0.0}, -1.0, 1.0, -1.0, 1.0},
        {"no valid point", {kNoGraphValue}, {1.0}, -1.0, 1.0, -1.0, 1.0},
    };
    for (const RangeCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        CGraphData data;
        data.AddSeries(c.x, c.y, "s");
        Layout(data);
        EXPECT_DOUBLE_EQ(c.xMin, data.m_xMin);
        EXPECT_DOUBLE_EQ(c.xMax, data.m_xMax);
        EXPECT_DOUBLE_EQ(c.yMin, data.m_yMin);
        EXPECT_DOUBLE_EQ(c.yMax, data.m_yMax);
        // A second layout of the same points gives the same ranges.
        Layout(data);
        EXPECT_DOUBLE_EQ(c.xMax, data.m_xMax);
        EXPECT_DOUBLE_EQ(c.yMin, data.m_yMin);
    }
}

TEST(GraphData, CategoricalAxisRunsFromZeroToOnePastTheLastLabel)
{
    CGraphData data;
    data.AddSeriesWithXLabels(Texts({"", ""}), {1.0, 2.0}, "empty");
    data.AddSeriesWithXLabels(Texts({"n1", "n2", "n3"}), {10.0, 20.0, 30.0}, "ids");
    Layout(data);
    EXPECT_EQ(0.0, data.m_xMin);
    EXPECT_EQ(4.0, data.m_xMax);
    EXPECT_DOUBLE_EQ(8.0, data.m_yMin);
    EXPECT_DOUBLE_EQ(32.0, data.m_yMax);

    // A numeric series added last makes both axes numeric; the labels stay numbers.
    data.AddSeries({0.5}, {15.0}, "numbers");
    Layout(data);
    EXPECT_EQ(CGraphData::kBothNumeric, data.m_axisKind);
    EXPECT_DOUBLE_EQ(0.5 - 0.25, data.m_xMin);
    EXPECT_DOUBLE_EQ(3.0 + 0.25, data.m_xMax);
}

TEST(GraphData, TickLabelsUseTheShortFormUpToSevenCharacters)
{
    const struct
    {
        double value;
        const char* text;
    } cases[] = {{0.5, "0.5"},
                 {-1234.5, "-1234.5"},
                 {123456.0, "123456"},
                 {1234567.0, "1.23e+06"},
                 {12345678.0, "1.23e+07"},
                 {0.000123456, "1.23e-04"},
                 {0.00012, "0.00012"},
                 {-2e8, "-2e+08"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.text, CGraphData::FormatTickValue(c.value));
    }
}

TEST(GraphData, TickLabelsStopBeforeTheLimitAndAlwaysMakeTheFirst)
{
    CGraphData data;
    data.AddSeries({0.0, 10.0}, {0.0, 100.0}, "s");
    Layout(data); // X -1..11
    data.GenerateXLabels(1.2, 30.0, 300);
    ASSERT_EQ(9u, data.m_xLabelRegistry.size()); // 10 × 30 reaches 300
    EXPECT_EQ("0.2", data.m_xLabelRegistry[0]);
    EXPECT_EQ("9.8", data.m_xLabelRegistry[8]);
    for (const double step : {0.0, -5.0, std::nan("")})
    {
        data.GenerateYLabels(10.0, step, 300);
        EXPECT_EQ(1u, data.m_yLabelRegistry.size());
    }
}
