#include "core/geometry/ColorConvert.h"

#include "core/geometry/MapCopy.h"
#include "core/geometry/SizeFit.h"

#include <gtest/gtest.h>
#include <limits>

TEST(ColorConvert, ColourValueToFloats)
{
    const COLORREF value = RGB(0, 128, 255) | 0xAB000000u; // top byte ignored
    const CColorRGBA color = COLORREFToColor(value);
    EXPECT_EQ(0.0f, color.r);
    EXPECT_FLOAT_EQ(0.50196081f, color.g);
    EXPECT_EQ(1.0f, color.b);
    EXPECT_EQ(0.0f, color.a);
}

TEST(ColorConvert, FloatsToColourValueTruncateAndWrap)
{
    struct Case
    {
        CColorRGBA color;
        COLORREF value;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {CColorRGBA(1.0f, 0.5f, 0.0f, 1.0f), 0x00007FFFu}, // 127.5 truncates to 127
        {CColorRGBA(0.0f, 0.0f, 1.0f, 0.0f), 0x00FF0000u},
        {CColorRGBA(2.0f, 0.0f, 0.0f, 0.0f), 0x000000FEu},  // 510 wraps to its low byte
        {CColorRGBA(-0.5f, 0.0f, 0.0f, 0.0f), 0x00000081u}, // -127 in two's complement
        {CColorRGBA(nan, 1.0e30f, 0.0f, 0.0f), 0x00000000u},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(c.value, ColorToCOLORREF(c.color));
    }
}

TEST(ColorConvert, ByteRoundTripIsExactForEveryChannelValue)
{
    for (int v = 0; v < 256; ++v)
    {
        const COLORREF value = RGB(v, 255 - v, (v * 7) & 255);
        EXPECT_EQ(value, ColorToCOLORREF(COLORREFToColor(value))) << v;
    }
}

TEST(SizeFit, KeepsTheAspectRatio)
{
    struct Case
    {
        CSize source;
        CSize target;
        CSize expected;
    };
    const Case cases[] = {
        {CSize(200, 100), CSize(300, 300), CSize(300, 150)},
        {CSize(100, 200), CSize(300, 300), CSize(150, 300)},
        {CSize(640, 480), CSize(800, 800), CSize(800, 600)},
        {CSize(3, 1), CSize(100, 10), CSize(30, 10)},
        {CSize(0, 100), CSize(300, 300), CSize(0, 0)},
        {CSize(100, 0), CSize(300, 300), CSize(0, 0)},
        {CSize(2000000000, 1), CSize(300, 300), CSize(300, 0)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.source.cx << " x " << c.source.cy);
        CSize out(-1, -1);
        FitAspectSize(c.source, c.target, out);
        EXPECT_EQ(c.expected.cx, out.cx);
        EXPECT_EQ(c.expected.cy, out.cy);
    }
}

TEST(MapCopy, CopyMapOverwritesCommonKeysAndKeepsTheRest)
{
    CMap<int, int, int, int> source;
    CMap<int, int, int, int> destination;
    source.SetAt(1, 10);
    source.SetAt(2, 0);
    source.SetAt(40, 400);
    destination.SetAt(1, -1);
    destination.SetAt(7, 70);

    CopyMap(source, destination);
    EXPECT_EQ(4, destination.GetCount());
    EXPECT_EQ(10, destination[1]);
    EXPECT_EQ(0, destination[2]);
    EXPECT_EQ(400, destination[40]);
    EXPECT_EQ(70, destination[7]);
    EXPECT_EQ(3, source.GetCount());
}

TEST(MapCopy, CopyMapNonZeroSkipsZeroValuesWithoutRemovingThem)
{
    CMapWordToPtr source;
    CMapWordToPtr destination;
    int a = 0;
    int b = 0;
    source.SetAt(1, &a);
    source.SetAt(2, nullptr);
    source.SetAt(3, &b);
    destination.SetAt(2, &b);

    CopyMapNonZero(source, destination);
    EXPECT_EQ(3, destination.GetCount());
    void* value = nullptr;
    ASSERT_TRUE(destination.Lookup(2, value));
    EXPECT_EQ(&b, value); // kept: the zero value was skipped, not copied over it
    ASSERT_TRUE(destination.Lookup(1, value));
    EXPECT_EQ(&a, value);

    CMapWordToPtr fresh;
    CopyMapNonZero(source, fresh);
    EXPECT_EQ(2, fresh.GetCount());
    EXPECT_FALSE(fresh.Lookup(2, value));
}
