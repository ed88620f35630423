// Colour legend: bars, labels and ticks (recording device) and what it looks like (pixels).
#include "view/Legend.h"

#include "core/display/ResultDisplayAttr.h"
#include "platform/win/dib.h"
#include "render/GLDevice.h"
#include "tests/render/ContourTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using contour_test::ExpectColor;
using contour_test::RecordingDevice;

namespace
{
CLegendStyle Style(int fontHeight)
{
    CLegendStyle style;
    style.width = 500.0;
    style.height = 600.0;
    style.fontHeight = fontHeight;
    style.textColor = CColorRGBA(1, 1, 1, 0);
    return style;
}

std::vector<std::string> Labels(const RecordingDevice& device)
{
    std::vector<std::string> labels;
    for (const contour_test::Call* call : device.Find("Text"))
        labels.push_back(call->text);
    return labels;
}
} // namespace

TEST(Legend, OneBarPerBandFromASixthUpAndEveryLevelLabelled)
{
    CResultDisplayAttr bands;
    bands.SetRange(0.0, 100.0, 0.0, 100.0, 10);
    RecordingDevice device;
    DrawColorLegend(device, bands, Style(0));
    const auto quads = device.Find("Quad");
    ASSERT_EQ(10u, quads.size());
    // Bars 0.04 W from the left, W / 60 wide, 0.7 H over the bands.
    EXPECT_DOUBLE_EQ(20.0, quads[0]->points[0].x);
    EXPECT_NEAR(20.0 + 500.0 / 60.0, quads[0]->points[1].x, 1e-9);
    EXPECT_DOUBLE_EQ(100.0, quads[0]->points[0].y);
    EXPECT_DOUBLE_EQ(142.0, quads[0]->points[2].y);
    EXPECT_DOUBLE_EQ(100.0 + 9 * 42.0, quads[9]->points[0].y);
    for (size_t k = 0; k < quads.size(); ++k)
        ExpectColor(bands.m_bandColors[k], device.ColorBefore(device.IndexOf(quads[k])));
    const std::vector<std::string> labels = Labels(device);
    ASSERT_EQ(11u, labels.size());
    EXPECT_EQ("0.000E+000", labels[0]);
    EXPECT_EQ("5.000E+001", labels[5]);
    EXPECT_EQ("1.000E+002", labels[10]);
    EXPECT_EQ(11u, device.Find("Line").size());   // a tick per label
    EXPECT_TRUE(device.Find("TextList").empty()); // no legend text
}

TEST(Legend, LabelsCloserThanTheFontAreLeftOut)
{
    CResultDisplayAttr bands;
    bands.SetRange(0.0, 100.0, 0.0, 100.0, 10);
    RecordingDevice device;
    DrawColorLegend(device, bands, Style(-50)); // bands 42 apart, labels need more than 50
    EXPECT_EQ((std::vector<std::string>{"0.000E+000", "2.000E+001", "4.000E+001", "6.000E+001",
                                        "8.000E+001", "1.000E+002"}),
              Labels(device));
    EXPECT_EQ(10u, device.Find("Quad").size());
}

TEST(Legend, OutOfRangeBandsAreNeitherDrawnNorLabelled)
{
    CResultDisplayAttr bands;
    bands.SetRange(0.0, 100.0, 20.0, 80.0, 6);
    RecordingDevice device;
    DrawColorLegend(device, bands, Style(0));
    const auto quads = device.Find("Quad");
    ASSERT_EQ(6u, quads.size());
    ExpectColor(bands.m_bandColors[1], device.ColorBefore(device.IndexOf(quads[0])));
    EXPECT_EQ((std::vector<std::string>{"2.000E+001", "3.000E+001", "4.000E+001", "5.000E+001",
                                        "6.000E+001", "7.000E+001", "8.000E+001"}),
              Labels(device));
}

TEST(Legend, NoBandsDrawNoBarAndDivideByNothing)
{
    CResultDisplayAttr bands;
    bands.m_nBands = 0;
    bands.m_nTotalBands = 0;
    RecordingDevice device;
    CLegendStyle style = Style(0);
    style.legendTextList = 7;
    DrawColorLegend(device, bands, style);
    EXPECT_TRUE(device.Find("Quad").empty());
    EXPECT_TRUE(Labels(device).empty());
    ASSERT_EQ(1u, device.Find("TextList").size());
    EXPECT_EQ(7, device.Find("TextList")[0]->mode);
}

TEST(LegendPixels, BarRunsFromBlueAtTheBottomToRedAtTheTop)
{
    constexpr int kSize = 200;
    fw::GlOffscreen target;
    ASSERT_TRUE(target.Create(kSize, kSize) && target.MakeCurrent());
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    CGLDevice device; // draws into the current context
    CResultDisplayAttr bands;
    bands.SetRange(0.0, 100.0, 0.0, 100.0, 10);
    CLegendStyle style = Style(0);
    style.width = kSize;
    style.height = kSize;
    DrawColorLegend(device, bands, style);
    const std::vector<unsigned char> rows = target.ReadRgbRows();
    const auto pixel = [&](int x, int y) // y downwards
    {
        const size_t i = (static_cast<size_t>(y) * kSize + static_cast<size_t>(x)) * 3;
        return std::array<int, 3>{rows[i], rows[i + 1], rows[i + 2]};
    };
    // The bar: x 8 to 11, bands 14 pixels high from 33 pixels above the bottom.
    const int x = 9;
    const int bottom = kSize - 33 - 7;
    const int top = kSize - 33 - 9 * 14 - 7;
    EXPECT_EQ((std::array<int, 3>{0, 0, 255}), pixel(x, bottom));
    EXPECT_EQ((std::array<int, 3>{255, 0, 0}), pixel(x, top));
    EXPECT_EQ((std::array<int, 3>{0, 0, 0}), pixel(x + 30, bottom + 20));
}
