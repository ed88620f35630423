// Contour display settings: levels, out-of-range bands, colours and band lookup.
#include "core/display/ResultDisplayAttr.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
constexpr float kTol = 1e-5f;

void ExpectRgb(float r, float g, float b, const CColorRGBA& c)
{
    EXPECT_NEAR(r, c.r, kTol);
    EXPECT_NEAR(g, c.g, kTol);
    EXPECT_NEAR(b, c.b, kTol);
}

std::vector<double> Levels(const CResultDisplayAttr& attr)
{
    return std::vector<double>(attr.m_levels, attr.m_levels + attr.m_nTotalBands + 1);
}
} // namespace

TEST(ResultDisplayAttr, DefaultsCarryTheNormalRamp)
{
    const CResultDisplayAttr attr;
    EXPECT_EQ(10, attr.m_nBands);
    EXPECT_EQ(10, attr.m_nTotalBands);
    EXPECT_EQ(100, attr.m_nContourType);
    EXPECT_EQ(103, attr.m_nDisplayType);
    EXPECT_EQ(2, attr.m_nBandType);
    EXPECT_EQ(2, attr.m_nResultCategory);
    EXPECT_EQ(-1, attr.m_nOutline);
    ExpectRgb(0, 0, 1, attr.m_rampColors[0]);
    ExpectRgb(1, 0, 0, attr.m_rampColors[6]);
    ExpectRgb(0, 0, 1, attr.m_bandColors[0]);
    ExpectRgb(1, 0, 0, attr.m_bandColors[9]);
}

TEST(ResultDisplayAttr, FullRangeGivesEvenLevelsFromBlueToRed)
{
    CResultDisplayAttr attr;
    attr.SetRange(0, 100, 0, 100, 10);
    EXPECT_EQ((std::vector<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}), Levels(attr));
    EXPECT_EQ(0, attr.m_bLowBand);
    EXPECT_EQ(0, attr.m_bHighBand);
    ExpectRgb(0, 0, 1, attr.m_bandColors[0]);
    ExpectRgb(1, 0, 0, attr.m_bandColors[9]);
    // t = 1/9 lies 5/9 of the way from ramp 0 to ramp 1.
    ExpectRgb(0.0f, 0.749f * 5 / 9, 1.0f + (0.91f - 1.0f) * 5 / 9, attr.m_bandColors[1]);
}

TEST(ResultDisplayAttr, UserRangeInsideTheDataAddsOutOfRangeBands)
{
    CResultDisplayAttr attr;
    attr.SetOutOfRangeColor(CColorRGBA(0.5f, 0.5f, 0.5f, 1.0f));
    attr.SetRange(0, 100, 20, 80, 6);
    EXPECT_EQ(8, attr.m_nTotalBands);
    EXPECT_EQ(1, attr.m_bLowBand);
    EXPECT_EQ(1, attr.m_bHighBand);
    const std::vector<double> levels = Levels(attr);
    const std::vector<double> expected = {0, 20, 30, 40, 50, 60, 70, 80, 100};
    ASSERT_EQ(expected.size(), levels.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(expected[i], levels[i], 1e-9) << i;
    EXPECT_EQ(80.0, attr.m_levels[7]);
    ExpectRgb(0.5f, 0.5f, 0.5f, attr.m_bandColors[0]);
    ExpectRgb(0, 0, 1, attr.m_bandColors[1]);
    ExpectRgb(0.13f, 0.96f, 0.13f, attr.m_bandColors[3]); // t = 2/5: ramp 2
    ExpectRgb(1, 0, 0, attr.m_bandColors[6]);
    ExpectRgb(0.5f, 0.5f, 0.5f, attr.m_bandColors[7]);
    ExpectRgb(0.5f, 0.5f, 0.5f, attr.m_bandColors[8]); // one past the last band
}

TEST(ResultDisplayAttr, UserRangeWiderThanTheDataStartsAtTheUserMinimum)
{
    CResultDisplayAttr attr;
    attr.SetRange(10, 90, 0, 100, 10);
    EXPECT_EQ(10, attr.m_nTotalBands);
    EXPECT_EQ(0.0, attr.m_levels[0]);
    EXPECT_EQ(100.0, attr.m_levels[10]);
    EXPECT_EQ(0, attr.m_bLowBand + attr.m_bHighBand);
}

TEST(ResultDisplayAttr, SingleBandBetweenTwoOutOfRangeBandsTakesTheFirstRampColour)
{
    CResultDisplayAttr attr;
    attr.SetRange(0, 10, 4, 6, 1);
    EXPECT_EQ(3, attr.m_nTotalBands);
    EXPECT_EQ((std::vector<double>{0, 4, 6, 10}), Levels(attr));
    ExpectRgb(0, 0, 1, attr.m_bandColors[1]);
}

TEST(ResultDisplayAttr, LastLevelIsExactlyTheUserMaximum)
{
    CResultDisplayAttr attr;
    attr.SetRange(0, 1, 0, 0.7, 7); // seven steps of 0.1 do not add up to 0.7
    EXPECT_EQ(0.7, attr.m_levels[7]);
}

TEST(ResultDisplayAttr, BandCountsThatDoNotFitAreClamped)
{
    struct BandCase
    {
        int requested;
        int bands;
    };
    const BandCase cases[] = {{0, 1}, {-5, 1}, {117, 117}, {118, 117}, {100000, 117}};
    for (const BandCase& c : cases)
    {
        SCOPED_TRACE(c.requested);
        CResultDisplayAttr attr;
        attr.SetRange(0, 100, 10, 90, c.requested);
        EXPECT_EQ(c.bands, attr.m_nBands);
        EXPECT_EQ(c.bands + 2, attr.m_nTotalBands);
        EXPECT_LT(attr.m_nTotalBands, CResultDisplayAttr::kMaxLevels);
        EXPECT_EQ(90.0, attr.m_levels[c.bands + 1]);
        EXPECT_EQ(100.0, attr.m_levels[c.bands + 2]);
    }
}

TEST(ResultDisplayAttr, FindBandReportsInsideAndOnLevels)
{
    CResultDisplayAttr attr;
    attr.SetRange(-20, 100, -20, 100, 6); // levels -20, 0, 20, ..., 100
    struct FindCase
    {
        double value;
        int kind;
        int band;
    };
    const FindCase cases[] = {
        {10.0, CResultDisplayAttr::kInside, 1},
        {20.0, CResultDisplayAttr::kOnUpperLevel, 1}, // an inner level belongs to the band below
        {-20.0, CResultDisplayAttr::kOnLowerLevel, 0},
        {0.0, CResultDisplayAttr::kOnLowerLevel, 1}, // zero has no tolerance
        {100.0, CResultDisplayAttr::kOnUpperLevel, 5},
    };
    for (const FindCase& c : cases)
    {
        SCOPED_TRACE(c.value);
        int kind = -1;
        int band = -1;
        attr.FindBand(c.value, kind, band);
        EXPECT_EQ(c.kind, kind);
        EXPECT_EQ(c.band, band);
    }
    int kind = 42;
    int band = -1;
    attr.FindBand(150.0, kind, band);
    EXPECT_EQ(6, band);
    EXPECT_EQ(42, kind); // left as it was
}

TEST(ResultDisplayAttr, ReversingTheRampRecoloursWithoutTouchingLevels)
{
    CResultDisplayAttr attr;
    attr.SetRange(0, 100, 0, 100, 5);
    const std::vector<double> levels = Levels(attr);
    attr.SetReverseBand(true);
    ExpectRgb(1, 0, 0, attr.m_bandColors[0]);
    ExpectRgb(0, 0, 1, attr.m_bandColors[4]);
    ExpectRgb(0, 0, 1, attr.m_rampColors[6]);
    attr.SetReverseBand(false);
    ExpectRgb(0, 0, 1, attr.m_bandColors[0]);
    ExpectRgb(1, 0, 0, attr.m_bandColors[4]);
    EXPECT_EQ(levels, Levels(attr));
}

TEST(ResultDisplayAttr, CopyTakesLevelsAndColoursInUse)
{
    CResultDisplayAttr source;
    source.SetOutOfRangeColor(CColorRGBA(0.2f, 0.3f, 0.4f, 1));
    source.SetRange(0, 100, 20, 80, 6);
    source.m_nOutline = 0;
    source.m_nResultCategory = 0;
    CResultDisplayAttr copy;
    copy = source;
    EXPECT_EQ(Levels(source), Levels(copy));
    for (int i = 0; i < source.m_nTotalBands; ++i)
        ExpectRgb(source.m_bandColors[i].r, source.m_bandColors[i].g, source.m_bandColors[i].b,
                  copy.m_bandColors[i]);
    EXPECT_EQ(0, copy.m_nOutline);
    EXPECT_EQ(0, copy.m_nResultCategory);
    EXPECT_EQ(1, copy.m_bLowBand);
    ExpectRgb(0.2f, 0.3f, 0.4f, copy.m_outOfRangeColor);
    const CResultDisplayAttr constructed(source);
    EXPECT_EQ(Levels(source), Levels(constructed));
}
