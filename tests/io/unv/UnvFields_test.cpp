#include "io/unv/UnvFields.h"

#include <gtest/gtest.h>

namespace
{
struct RealCase
{
    const char* text;
    int count;
    double values[3];
};

const RealCase kReals[] = {
    {"   -1.711755676269531E+02    1.036403427124023E+02    1.384829101562500E+02",
     3,
     {-171.1755676269531, 103.6403427124023, 138.4829101562500}},
    {" 2.80000E+001", 1, {28.0}},
    {"1.0E+00-2.0E+00 +3.5", 3, {1.0, -2.0, 3.5}},
    {"\t0.5\t 7", 2, {0.5, 7.0}},
    {"1.0 abc 2.0", 1, {1.0}},
    {"", 0, {}},
    {"   ", 0, {}},
};

TEST(UnvFields, ScansRealsLikeScanf)
{
    for (const RealCase& c : kReals)
    {
        SCOPED_TRACE(c.text);
        double values[3] = {};
        ASSERT_EQ(c.count, ScanReals(c.text, values, 3));
        for (int i = 0; i < c.count; ++i)
            EXPECT_DOUBLE_EQ(c.values[i], values[i]);
    }
}

TEST(UnvFields, FixExponentTurnsFortranExponentIntoE)
{
    std::string line = "  1.0D+02 -2.5D-01  3.0D+00";
    FixExponent(line);
    EXPECT_EQ("  1.0E+02 -2.5E-01  3.0E+00", line);
    double values[3] = {};
    ASSERT_EQ(3, ScanReals(line, values, 3));
    EXPECT_DOUBLE_EQ(100.0, values[0]);
    EXPECT_DOUBLE_EQ(-0.25, values[1]);
}

TEST(UnvFields, ScansIntsAndStopsAtTheFirstNonNumber)
{
    int values[8] = {};
    EXPECT_EQ(6,
              ScanInts("         1        44         2         1         7         4", values, 8));
    EXPECT_EQ(44, values[1]);
    EXPECT_EQ(4, values[5]);
    EXPECT_EQ(1, ScanInts("         1     % NOEUD N1", values, 4));
    // "1.5" reads as 1, then ".5" is no integer.
    EXPECT_EQ(1, ScanInts("1.5 2", values, 4));
    // Out of range is unreadable, not wrapped.
    EXPECT_EQ(1, ScanInts("7 99999999999 3", values, 4));
    EXPECT_EQ(0, ScanInts("", values, 4));
}

TEST(UnvFields, ClosingLineIsMinusOneAfterTrimming)
{
    EXPECT_TRUE(IsUnvClosingLine("    -1"));
    EXPECT_TRUE(IsUnvClosingLine("-1"));
    EXPECT_TRUE(IsUnvClosingLine("    -1                                        "));
    EXPECT_FALSE(IsUnvClosingLine("    -10"));
    EXPECT_FALSE(IsUnvClosingLine("    -1.0"));
    EXPECT_FALSE(IsUnvClosingLine(""));
}
} // namespace
