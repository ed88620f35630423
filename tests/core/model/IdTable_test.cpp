#include "core/model/IdTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace
{
// Fills a table with id -> id * 2 in the given order and checks every cell and no other.
void CheckFilledInOrder(const std::vector<int>& ids)
{
    CIdTable<double> table;
    for (int id : ids)
        table.At(id) = id * 2.0;
    for (int id : ids)
    {
        const double* cell = table.Find(id);
        ASSERT_NE(nullptr, cell) << id;
        EXPECT_EQ(id * 2.0, *cell);
    }
    const int largest = *std::max_element(ids.begin(), ids.end());
    EXPECT_EQ(largest + 1, table.GetCount());
    const double* beyond = table.Find(largest + 1);
    EXPECT_TRUE(beyond == nullptr || *beyond == 0.0);
}
} // namespace

// Orders that once made the table copy or rescan its far cells for every value.
TEST(IdTable, KeepsEveryCellWhateverTheOrderOfIds)
{
    std::vector<int> shuffled;
    for (int i = 0; i < 200000; ++i)
        shuffled.push_back(2 * i);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    CheckFilledInOrder(shuffled);

    // Far cells first, then ids right at the edge of the array, which pull it past them.
    std::vector<int> crossing;
    for (int i = 0; i < 1000; ++i)
        crossing.push_back(50000000 + i);
    for (int made = 1000; made < 3000; made += 2)
    {
        const int frontier = static_cast<int>(CIdTable<double>::kDenseIds) + 2 * (made + 1);
        crossing.push_back(frontier);
        crossing.push_back(frontier + 1);
    }
    CheckFilledInOrder(crossing);

    std::vector<int> descending;
    for (int id = 300000; id >= 0; id -= 3)
        descending.push_back(id);
    CheckFilledInOrder(descending);
}

TEST(IdTable, ClearEmptiesOneCellAndNegativeIdsStayApart)
{
    CIdTable<int> table;
    table.At(5) = 1;
    table.At(99999999) = 2;
    table.At(-3) = 3;
    EXPECT_EQ(3, *table.Find(-3));
    EXPECT_EQ(nullptr, table.Find(-4));
    EXPECT_EQ(100000000, table.GetCount());
    table.Clear(99999999);
    table.Clear(5);
    EXPECT_EQ(nullptr, table.Find(99999999));
    EXPECT_EQ(0, *table.Find(5));
    table.Reserve(1000);
    EXPECT_EQ(3, *table.Find(-3)); // not moved into the array
    EXPECT_EQ(1000, table.GetDenseCount());
    table.RemoveAll();
    EXPECT_EQ(nullptr, table.Find(-3));
    EXPECT_EQ(0, table.GetCount());
}

namespace
{
// Both tables hold the same cells, in the array and beyond it.
void ExpectSameCells(const CIdTable<int>& expected, const CIdTable<int>& actual)
{
    ASSERT_EQ(expected.GetDenseCount(), actual.GetDenseCount());
    EXPECT_EQ(expected.GetCount(), actual.GetCount());
    EXPECT_TRUE(std::equal(expected.GetDenseData(),
                           expected.GetDenseData() + expected.GetDenseCount(),
                           actual.GetDenseData()));
    std::vector<std::pair<int, int>> expectedFar;
    std::vector<std::pair<int, int>> actualFar;
    expected.ForEachFar([&](int id, int cell) { expectedFar.emplace_back(id, cell); });
    actual.ForEachFar([&](int id, int cell) { actualFar.emplace_back(id, cell); });
    EXPECT_EQ(expectedFar, actualFar);
}

std::vector<int> IdRange(int first, int last, int step)
{
    std::vector<int> ids;
    for (int id = first; id <= last; id += step)
        ids.push_back(id);
    return ids;
}

struct SetEachCase
{
    const char* name;
    std::vector<int> before; // made with At first
    std::vector<int> ids;
};
} // namespace

// A batch leaves the table as the same stores one at a time would, the cells made counted
// alike: the ids stored after it land in the array or beyond it just the same.
TEST(IdTable, SetEachStoresAsAtDoesOneByOne)
{
    std::vector<int> shuffled = IdRange(0, 150000, 1);
    shuffled.insert(shuffled.end(), {7, 7, 150000, 99999999});
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
    const SetEachCase cases[] = {
        {"ascending", {}, IdRange(1, 200000, 1)},
        {"sparser than the array allows", {}, IdRange(0, 2000000, 5)},
        {"over cells made", IdRange(1, 10, 1), {5, 12, 12, 11, 3, 13, 40000}},
        {"over far cells", {70000, 500000, 90000000}, IdRange(1, 300000, 1)},
        {"descending and negative", {}, {-5, 10, 9, 8, 100000000, 20, -5, 0}},
        {"shuffled", {}, shuffled},
    };
    const std::vector<int> after = IdRange(60000, 4000000, 39999);
    for (const SetEachCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        CIdTable<int> expected;
        CIdTable<int> actual;
        for (int id : c.before)
        {
            expected.At(id) = -id;
            actual.At(id) = -id;
        }
        for (size_t i = 0; i < c.ids.size(); ++i)
            expected.At(c.ids[i]) = static_cast<int>(i) + 1;
        actual.SetEach(c.ids.data(), c.ids.size(),
                       [](size_t i) { return static_cast<int>(i) + 1; });
        ExpectSameCells(expected, actual);
        for (int id : after)
        {
            expected.At(id) = id;
            actual.At(id) = id;
        }
        ExpectSameCells(expected, actual);
    }
}

// Room made ahead holds no cells: ids stay without a value until stored.
TEST(IdTable, ReserveRoomMakesNoCells)
{
    CIdTable<double> table;
    table.ReserveRoom(1000000, 1000000);
    EXPECT_EQ(0, table.GetCount());
    EXPECT_EQ(nullptr, table.Find(5));
    table.At(1) = 2.0;
    EXPECT_EQ(2, table.GetCount());
    EXPECT_EQ(nullptr, table.Find(999999));
}
