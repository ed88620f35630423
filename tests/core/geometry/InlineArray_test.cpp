#include "core/geometry/InlineArray.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace
{
using Ids = CInlineArray<int, 4>;

std::vector<int> Values(const Ids& ids)
{
    return std::vector<int>(ids.begin(), ids.end());
}

Ids Counting(int count)
{
    Ids ids;
    for (int i = 0; i < count; ++i)
        ids.Add(i + 1);
    return ids;
}
} // namespace

// Every operation on a list held in place, at the edge of its place and on the heap.
TEST(InlineArray, EditsKeepTheValuesInPlaceAndOnTheHeap)
{
    for (int count : {0, 3, 4, 5, 12})
    {
        SCOPED_TRACE(count);
        Ids ids = Counting(count);
        std::vector<int> expected = Values(ids);
        ASSERT_EQ(count, ids.GetSize());

        ids.InsertAt(1, 70, 2);
        expected.insert(expected.begin() + std::min(1, count), 2, 70);
        if (count == 0)
            expected = {0, 70, 70}; // inserting past the end fills the gap with zeros
        EXPECT_EQ(expected, Values(ids));

        ids.RemoveAt(0, 2);
        expected.erase(expected.begin(), expected.begin() + 2);
        EXPECT_EQ(expected, Values(ids));

        ids.Append(ids); // from itself, across a move to the heap
        const std::vector<int> once = expected;
        expected.insert(expected.end(), once.begin(), once.end());
        EXPECT_EQ(expected, Values(ids));

        ids.SetSize(static_cast<INT_PTR>(expected.size()) + 3);
        expected.resize(expected.size() + 3, 0);
        EXPECT_EQ(expected, Values(ids));
    }
}

TEST(InlineArray, CopiesAndMovesAreWholeAndIndependent)
{
    for (int count : {2, 9})
    {
        SCOPED_TRACE(count);
        Ids source = Counting(count);
        Ids copy(source);
        Ids assigned;
        assigned.Add(99);
        assigned = source;
        source[0] = -1;
        EXPECT_EQ(Values(Counting(count)), Values(copy));
        EXPECT_EQ(Values(Counting(count)), Values(assigned));

        Ids moved(std::move(copy));
        EXPECT_EQ(Values(Counting(count)), Values(moved));
        EXPECT_TRUE(copy.IsEmpty());
        copy.Add(5); // a moved-from list is usable again
        EXPECT_EQ(std::vector<int>{5}, Values(copy));
    }
}

TEST(InlineArray, ShrinkingReturnsToItsPlace)
{
    Ids ids = Counting(9);
    ids.SetSize(3);
    ids.FreeExtra();
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(ids));
    ids.Add(4);
    ids.Add(5); // to the heap again
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), Values(ids));
    ids.RemoveAll();
    EXPECT_EQ(0, ids.GetSize());
    EXPECT_EQ(ids.begin(), ids.end());
}
