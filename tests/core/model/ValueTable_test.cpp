#include "core/model/ValueTable.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace
{
constexpr int kFarId = 90000000;

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}
} // namespace

// Values a single-precision file gives stay in single precision; the first value that is not a
// float moves the whole table to double precision, and every value reads back as it was stored.
TEST(ValueTable, EveryValueReadsBackAsStoredInEitherPrecision)
{
    const double floats[] = {
        0.0, -0.0, 1.5, -3.25e7, 0.1f, 1.0e-40f, std::numeric_limits<double>::infinity()};
    const struct
    {
        const char* name;
        double value; // not a float
    } wideners[] = {{"a decimal", 0.1},
                    {"beyond the float range", 1.0e300},
                    {"below the float range", 1.0e-320},
                    {"not a number", std::nan("")}};
    for (const auto& w : wideners)
    {
        SCOPED_TRACE(w.name);
        CScalarTable table;
        table.Reserve(4);
        std::vector<int> ids;
        for (size_t i = 0; i < std::size(floats); ++i)
        {
            const int id = i % 2 == 0 ? static_cast<int>(i) : kFarId + static_cast<int>(i);
            table.Set(id, floats[i]);
            ids.push_back(id);
        }
        EXPECT_FALSE(table.IsWide());
        const int count = table.GetCount();
        table.Set(3, w.value);
        EXPECT_TRUE(table.IsWide());
        EXPECT_EQ(count, table.GetCount());
        for (size_t i = 0; i < ids.size(); ++i)
        {
            double value = 7.0;
            ASSERT_TRUE(table.Get(ids[i], &value)) << ids[i];
            EXPECT_TRUE(SameBits(floats[i], value)) << ids[i];
        }
        double value = 0.0;
        ASSERT_TRUE(table.Get(3, &value));
        EXPECT_TRUE(SameBits(w.value, value));
        // Cells made ahead stay cells; ids never made have none.
        EXPECT_TRUE(table.Get(1, &value));
        EXPECT_FALSE(table.Get(kFarId - 1, &value));
    }
}

// A set of values goes in whole: in single precision when every one is a float.
TEST(ValueTable, SetEachAndGatherKeepTheValuesOfBothPrecisions)
{
    const std::vector<int> ids = {1, 2, 5, kFarId};
    for (const double last : {4.5, 4.6})
    {
        SCOPED_TRACE(last);
        const std::vector<double> values = {0.25, -1.0, 3.0e5, last};
        CScalarTable table;
        table.SetEach(ids.data(), ids.size(), [&](size_t i) { return values[i]; });
        EXPECT_EQ(last == 4.6, table.IsWide());
        std::vector<double> gathered(ids.size(), -9.0);
        table.Gather(ids, ids.size(), gathered.data());
        EXPECT_EQ(values, gathered);
        // An id without a cell (beyond the array, between far ones) leaves its place as it is.
        const std::vector<int> missing = {kFarId - 1, kFarId + 1};
        std::vector<double> untouched(2, -9.0);
        table.Gather(missing, missing.size(), untouched.data());
        EXPECT_EQ(std::vector<double>(2, -9.0), untouched);
    }
}

TEST(ValueTable, OneComponentThatIsNotAFloatWidensAVectorTable)
{
    CVectorTable table;
    table.Set(2, {1.0, -2.5, 0.125});
    EXPECT_FALSE(table.IsWide());
    table.Set(kFarId, {1.0, 2.0, 0.3});
    EXPECT_TRUE(table.IsWide());
    CVectorCell cell;
    ASSERT_TRUE(table.Get(2, &cell));
    EXPECT_EQ(-2.5, cell.y);
    EXPECT_EQ(0.125, cell.z);
    ASSERT_TRUE(table.Get(kFarId, &cell));
    EXPECT_EQ(0.3, cell.z);
}
