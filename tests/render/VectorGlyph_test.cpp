// Vector arrows: shaft by position and length rule, colour by band, head length and radius.
#include "render/VectorGlyph.h"

#include "ContourTestSupport.h"
#include "GLTestWindow.h"
#include "render/Segment3D.h"

#include <gtest/gtest.h>

using contour_test::ExpectColor;
using contour_test::ExpectPoint;
using contour_test::RecordingDevice;

namespace
{
CSegment3D Segment(const CPoint3D& start, const CPoint3D& direction, double value)
{
    CSegment3D segment;
    segment.m_start = start;
    segment.m_end = start + direction;
    segment.m_value = value;
    return segment;
}
} // namespace

TEST(VectorGlyph, ShaftLiesOnTheAnchorByPosition)
{
    struct Case
    {
        int16_t position;
        double tailX;
        double tipX;
    };
    const Case cases[] = {{1, -2.0, 2.0}, {2, 0.0, 4.0}, {3, -4.0, 0.0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.position);
        CVectorGlyph glyph;
        glyph.m_attr.m_length = 4.0;
        glyph.m_attr.m_nPosition = c.position;
        RecordingDevice device;
        // Only the direction of the segment counts, not its length.
        glyph.DrawVector(Segment(CPoint3D(0, 0, 0), CPoint3D(0.001, 0, 0), 123.0), &device);
        const auto lines = device.Find("Line");
        ASSERT_EQ(1u, lines.size());
        ExpectPoint(c.tailX, 0, 0, lines[0]->points[0]);
        ExpectPoint(c.tipX, 0, 0, lines[0]->points[1]);
        EXPECT_EQ(kRenderLines, device.calls[0].mode);
    }
}

TEST(VectorGlyph, LengthFollowsTheMagnitudeWhenNotConstant)
{
    CVectorGlyph glyph;
    glyph.m_attr.m_length = 10.0;
    glyph.m_attr.m_scaleFactor = 2.0;
    glyph.m_attr.m_maxMagnitude = 50.0;
    EXPECT_DOUBLE_EQ(10.0, glyph.ArrowLength(25.0)); // constant by default
    glyph.m_attr.m_bConstantLength = 0;
    EXPECT_DOUBLE_EQ(20.0, glyph.ArrowLength(50.0)); // the largest: length x scale
    EXPECT_DOUBLE_EQ(10.0, glyph.ArrowLength(25.0));
    EXPECT_DOUBLE_EQ(0.0, glyph.ArrowLength(0.0));
    glyph.m_attr.m_maxMagnitude = 0.0; // never a division by zero
    EXPECT_DOUBLE_EQ(500.0, glyph.ArrowLength(25.0));
}

TEST(VectorGlyph, ConstantHeadIsLeftOffShortArrowsAndVariableHeadScales)
{
    CVectorGlyph glyph;
    glyph.m_attr.m_length = 10.0;
    glyph.m_attr.m_arrowHeadConst = 0.25;
    glyph.m_attr.m_arrowHeadPercLen = 0.3;
    glyph.m_attr.m_nArrowHeadSize = 1;
    EXPECT_DOUBLE_EQ(2.5, glyph.HeadLength(10.0));
    EXPECT_DOUBLE_EQ(2.5, glyph.HeadLength(4.0));
    EXPECT_DOUBLE_EQ(0.0, glyph.HeadLength(2.0)); // shorter than the head: shaft only
    glyph.m_attr.m_nArrowHeadSize = 2;
    EXPECT_DOUBLE_EQ(3.0, glyph.HeadLength(10.0));
    EXPECT_DOUBLE_EQ(0.6, glyph.HeadLength(2.0));
}

TEST(VectorGlyph, ColourComesFromTheValueBandUnlessOneColourIsSet)
{
    CVectorGlyph glyph;
    glyph.m_attr.m_colorBands.SetRange(0.0, 10.0, 0.0, 10.0, 10);
    glyph.m_attr.m_nThickness = 5;
    RecordingDevice device;
    glyph.DrawVector(Segment(CPoint3D(), CPoint3D(1, 0, 0), 9.5), &device);
    ExpectColor(glyph.m_attr.m_colorBands.m_bandColors[9], device.Find("Color")[0]->color);
    EXPECT_EQ(5, device.Find("LineWidth")[0]->mode);

    device.calls.clear();
    glyph.m_attr.m_bSameColor = 1;
    glyph.m_attr.m_sameColor = CColorRGBA(0, 1, 0, 0);
    glyph.DrawVector(Segment(CPoint3D(), CPoint3D(1, 0, 0), 9.5), &device);
    ExpectColor(CColorRGBA(0, 1, 0, 0), device.Find("Color")[0]->color);

    // A zero direction draws no arrow.
    device.calls.clear();
    glyph.DrawVector(Segment(CPoint3D(), CPoint3D(), 9.5), &device);
    EXPECT_TRUE(device.Find("Line").empty());
}

namespace
{
class VectorGlyphPixels : public render_test::GLTest
{
};
} // namespace

TEST_F(VectorGlyphPixels, HeadIsAConeEndingAtTheTip)
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    CViewVolume volume = render_test::GLTestWindow::SquareVolume();
    Device().BeginScene(&volume);
    CVectorGlyph glyph;
    glyph.m_attr.m_length = 160.0;
    glyph.m_attr.m_nPosition = 1;
    glyph.m_attr.m_nArrowHeadSize = 2;
    glyph.m_attr.m_arrowHeadPercLen = 0.25; // 40 long
    glyph.m_attr.m_nArrowHeadType = 3;      // radius 22
    glyph.m_attr.m_bSameColor = 1;
    glyph.m_attr.m_sameColor = CColorRGBA(1, 1, 1, 0);
    glyph.DrawVector(Segment(CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), 1.0), &Device());
    Device().EndScene();
    // Window x = model x + 100. The head runs from its base (model x 40, radius 22) to the tip
    // (x 80); drawn in line mode, its side lines pass model (60, 11).
    const std::array<int, 3> black = {0, 0, 0};
    EXPECT_TRUE(render_test::AnyPixelDiffers(157, 86, 163, 92, black));
    EXPECT_FALSE(render_test::AnyPixelDiffers(90, 80, 110, 95, black)); // no head at the anchor
    EXPECT_NE(black, render_test::ReadPixel(60, 100));                  // the shaft
}
