// Blocks recorded on worker threads and taken in order: the order, the bound on blocks held, and
// an exception of either side ending the run without a hang.
#include "render/OrderedBlocks.h"

#include "platform/base/memory.h"
#include "render/ListBatch.h"
#include "tests/support/FailingThreadStarts.h"
#include "tests/support/LogLines.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <thread>
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

// Workers the system does not give leave their blocks to the ones that started and the caller:
// the blocks are taken in order and whole with 0, 1 and 2 of 4 started, however the start fails.
// The log says so once while threads are short, and again after they were had.
TEST(OrderedBlocks, BlocksOfWorkersThatDoNotStartAreRecordedByTheOthers)
{
    const auto countLogged = []
    { return testing_support::CountLogLines("Gravik", ordered_blocks::kNotStartedText); };
    const auto takeAll = [](size_t threads)
    {
        std::vector<size_t> taken;
        ordered_blocks::Run(100, threads, RecordPoints,
                            [&](CListBatch& batch) { taken.push_back(batch.GetPointCount()); });
        return taken;
    };
    for (const bool isBadAlloc : {false, true})
    {
        takeAll(4);
        const int loggedBefore = countLogged();
        for (const int started : {0, 1, 2})
        {
            SCOPED_TRACE(testing::Message() << started << " of 4 started, "
                                            << (isBadAlloc ? "bad_alloc" : "system_error"));
            const testing_support::FailingThreadStarts failing(started, isBadAlloc);
            std::vector<size_t> taken;
            ASSERT_NO_THROW(taken = takeAll(4));
            ASSERT_EQ(100u, taken.size());
            for (size_t i = 0; i < taken.size(); ++i)
                EXPECT_EQ(i + 1, taken[i]);
        }
        EXPECT_EQ(loggedBefore + 1, countLogged());
    }
}

// A worker that runs out of memory while it records: the run ends and the caller gets the
// failure. The caller's own blocks wait until a worker has failed, so the failure is a worker's.
TEST(OrderedBlocks, AnAllocationFailureOnAWorkerReachesTheCaller)
{
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<bool> hasFailed{false};
    EXPECT_THROW(ordered_blocks::Run(
                     100, 2,
                     [&](size_t block, CListBatch& batch)
                     {
                         if (std::this_thread::get_id() != caller)
                         {
                             hasFailed = true;
                             throw std::bad_alloc();
                         }
                         while (!hasFailed)
                             std::this_thread::yield();
                         RecordPoints(block, batch);
                     },
                     [](CListBatch&) {}),
                 std::bad_alloc);
    EXPECT_TRUE(hasFailed);
}

// The driver holds a list being compiled whole and copies it as it grows and as it ends: the
// memory that must be free before a block is taken grows with the list, and a list that would
// outgrow what is free ends the run before the driver takes it.
TEST(OrderedBlocks, TheHeadroomAskedGrowsWithTheList)
{
    static size_t s_limit = 0;
    static size_t s_largest = 0;
    fw::SetHeadroomProbe(
        [](size_t bytes)
        {
            s_largest = std::max(s_largest, bytes);
            return bytes <= s_limit;
        });
    constexpr size_t kPointsPerBlock = 800000;
    const auto record = [](size_t, CListBatch& batch)
    {
        batch.Reset(false);
        for (size_t i = 0; i < kPointsPerBlock; ++i)
            batch.DrawPoint(CPoint3D(static_cast<double>(i), 0, 0), 0);
    };
    struct Case
    {
        size_t limit;
        size_t taken;
    };
    // 8 blocks of 800,000 vertices: 6.4 million vertices, 3 copies of 40 bytes each: 768 MB.
    // Within 600 MB: 5 million vertices, 6 blocks.
    const Case cases[] = {{size_t(800) << 20, 8}, {size_t(600) << 20, 6}, {0, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "limit " << c.limit);
        s_limit = c.limit;
        s_largest = 0;
        size_t taken = 0;
        const auto run = [&] { ordered_blocks::Run(8, 2, record, [&](CListBatch&) { ++taken; }); };
        if (c.taken == 8)
        {
            EXPECT_NO_THROW(run());
            EXPECT_EQ(size_t{3 * 40 * 8 * kPointsPerBlock}, s_largest);
        }
        else
        {
            EXPECT_THROW(run(), std::bad_alloc);
        }
        EXPECT_EQ(c.taken, taken);
    }
    fw::SetHeadroomProbe(nullptr);
}
