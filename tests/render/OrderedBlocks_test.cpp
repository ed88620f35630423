// Blocks recorded on worker threads and taken in order: the order, the bound on blocks held, and
// an exception of either side ending the run without a hang.
#include "render/OrderedBlocks.h"

#include "render/ListBatch.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace
{
// Block b records b + 1 points, so that the taker can tell the blocks apart.
void RecordPoints(size_t block, CListBatch& batch)
{
    batch.Reset(false);
    for (size_t i = 0; i <= block; ++i)
        batch.DrawPoint(CPoint3D(static_cast<double>(i), 0, 0), 0);
}
} // namespace

TEST(OrderedBlocks, BlocksAreTakenInOrderWhateverThreadRecordsThem)
{
    for (const size_t threads : {size_t{1}, size_t{4}})
    {
        for (const size_t count : {size_t{0}, size_t{1}, size_t{100}})
        {
            SCOPED_TRACE(testing::Message() << threads << " threads, " << count << " blocks");
            std::vector<size_t> taken;
            ordered_blocks::Run(count, threads, RecordPoints,
                                [&](CListBatch& batch) { taken.push_back(batch.GetPointCount()); });
            ASSERT_EQ(count, taken.size());
            for (size_t i = 0; i < taken.size(); ++i)
                EXPECT_EQ(i + 1, taken[i]);
        }
    }
}

TEST(OrderedBlocks, WorkersStayAFewBlocksAheadOfTheTaking)
{
    std::atomic<size_t> recorded{0};
    size_t mostAhead = 0;
    size_t taken = 0;
    ordered_blocks::Run(
        200, 4,
        [&](size_t block, CListBatch& batch)
        {
            RecordPoints(block % 3, batch);
            ++recorded;
        },
        [&](CListBatch&)
        {
            mostAhead = std::max(mostAhead, recorded.load() - taken);
            ++taken;
        });
    EXPECT_EQ(200u, taken);
    EXPECT_LE(mostAhead, ordered_blocks::kBlocksAhead);
}

TEST(OrderedBlocks, AnExceptionOfEitherSideEndsTheRunAndComesBack)
{
    size_t taken = 0;
    EXPECT_THROW(ordered_blocks::Run(
                     100, 4,
                     [](size_t block, CListBatch& batch)
                     {
                         if (block == 37)
                             throw std::runtime_error("record");
                         RecordPoints(block, batch);
                     },
                     [&](CListBatch&) { ++taken; }),
                 std::runtime_error);
    EXPECT_LE(taken, 37u); // none from the failing one on

    taken = 0;
    EXPECT_THROW(ordered_blocks::Run(100, 4, RecordPoints,
                                     [&](CListBatch&)
                                     {
                                         if (++taken == 5)
                                             throw std::logic_error("take");
                                     }),
                 std::logic_error);
    EXPECT_EQ(5u, taken);
}
