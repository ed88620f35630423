#include "io/bulk/BulkField.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
struct RealCase
{
    const char* text;
    double value;
};

// clang-format off
const RealCase kReals[] = {
    {"1.5", 1.5},        {"1.-3", 1.0e-3},   {"-2.5+2", -250.0},
    {"2.0-1", 0.2},      {"1.0E-3", 1.0e-3}, {"-7", -7.0},
    {"", 0.0},           {"        ", 0.0},  {"   4.5  ", 4.5},
    {"-1.5-2", -1.5e-2}, {"2.5+4", 2.5e4},   {"1.0E+3", 1.0e3},
    {"+3.", 3.0},        {".5-2", 0.5e-2},   {"1.0D-3", 1.0e-3},
    {"-.25", -0.25},     {"1.7763568394-14", 1.7763568394e-14},
    {"0.", 0.0},         {"1.0-400", 0.0},   {"-2.5E-999", 0.0},
    {"1.D-330", 0.0},
};
// clang-format on

TEST(BulkField, ReadsEveryRealForm)
{
    for (const RealCase& c : kReals)
    {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(c.value, ParseBulkField(c.text));
    }
}

TEST(BulkField, RefusesTextThatIsNoReal)
{
    // A second value in the field is no real either, whatever the field's width.
    for (const char* text : {"abc", "1.5x", "1..2", "nan", "inf", "1.0E", "--1", "1.5E-3+2",
                             "4.5 9", "1.5 3", "  1.5   3       ", "1.0E+400", "1.+999"})
    {
        SCOPED_TRACE(text);
        EXPECT_THROW(ParseBulkField(text), CBulkFieldError);
    }
}

TEST(BulkField, FilledMeansAnythingButWhiteSpace)
{
    EXPECT_FALSE(IsFieldFilled(""));
    EXPECT_FALSE(IsFieldFilled("        "));
    EXPECT_FALSE(IsFieldFilled(" \t\r\n"));
    EXPECT_TRUE(IsFieldFilled("   x    "));
    EXPECT_TRUE(IsFieldFilled("0"));
}

TEST(BulkField, IntegersAreWholeAndFitThirtyTwoBits)
{
    EXPECT_EQ(12, ParseBulkInt(" 12     "));
    EXPECT_EQ(3, ParseBulkInt("+3"));
    EXPECT_EQ(-4, ParseBulkInt("-4"));
    EXPECT_EQ(0, ParseBulkInt("        "));
    for (const char* text : {"1.5", "12a", "12abc", "7 9", " 7      9       ", "99999999999", "x"})
    {
        SCOPED_TRACE(text);
        EXPECT_THROW(ParseBulkInt(text), CBulkFieldError);
    }
}

// Fields as decks fill their columns: either end of a small or large field, and the edges
// where a value stops being one exact product of two doubles.
TEST(BulkField, ReadsValuesAtTheEdgesOfTheirColumns)
{
    const struct
    {
        const char* text;
        double value;
    } reals[] = {
        {"1.5+22", 1.5e22},
        {"1.5+23", 1.5e23},
        {"9007199254740993.", 9007199254740993.0}, // past 2^53: rounded once
        {"12345678901234567890123", 12345678901234567890123.0},
        {"0.000000000000000000000000000001", 1e-30},
        {"        -1.25-10", -1.25e-10},
        {"7.      ", 7.0},
    };
    for (const auto& c : reals)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value, ParseBulkField(c.text));
    }
    EXPECT_TRUE(std::signbit(ParseBulkField("-0.0")));
    // Leading zeros count towards a field's length as any other character.
    EXPECT_THROW(ParseBulkField("0000000000000000000000000000000000000001.5"), CBulkFieldError);

    const struct
    {
        const char* text;
        int value;
    } ints[] = {
        {"00000123", 123},
        {"12345678", 12345678},
        {"     -45", -45},
        {"+7      ", 7},
        {"        87654321", 87654321},
        {"87654321        ", 87654321},
        {"    2147483647  ", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& c : ints)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value, ParseBulkInt(c.text));
    }
    for (const char* text :
         {"  12 34 ", "1234567812345678", "2147483648", " 1-      ", "1       2       "})
    {
        SCOPED_TRACE(text);
        EXPECT_THROW(ParseBulkInt(text), CBulkFieldError);
    }
}

TEST(BulkField, LeadingIntReadsLikeAtoi)
{
    EXPECT_EQ(1, ParseLeadingInt("1.5     "));
    EXPECT_EQ(0, ParseLeadingInt("abc"));
    EXPECT_EQ(-2, ParseLeadingInt("-2.5+3"));
    EXPECT_EQ(2147483647, ParseLeadingInt("99999999999999"));
}
} // namespace
