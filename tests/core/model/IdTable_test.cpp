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
