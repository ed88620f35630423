// Mapping in the pages of fresh blocks: the block stays the caller's to fill, whatever its size
// and alignment, and callers on several threads at once each get their block whole.
#include "platform/base/memory.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <thread>
#include <vector>

namespace
{
// Fills the bytes with a pattern of the block's own offsets and says whether it reads back.
bool FillsAndReadsBack(unsigned char* block, size_t bytes, unsigned seed)
{
    for (size_t i = 0; i < bytes; ++i)
        block[i] = static_cast<unsigned char>((i * 31 + seed) & 0xff);
    for (size_t i = 0; i < bytes; ++i)
    {
        if (block[i] != static_cast<unsigned char>((i * 31 + seed) & 0xff))
            return false;
    }
    return true;
}
} // namespace

TEST(FaultInPages, LeavesEveryBlockWholeForItsCaller)
{
    // Small blocks are left alone; large ones, at any offset within a page, are mapped on the
    // helpers. Guard bytes on both sides show that nothing is written outside the block.
    struct Case
    {
        size_t bytes;
        size_t offset;
    };
    const Case cases[] = {{0, 0},
                          {1, 7},
                          {4095, 1},
                          {(1 << 20) - 1, 0},
                          {1 << 20, 100},
                          {(1 << 20) + 123, 4095},
                          {(9 << 20) + 5, 3},
                          {40 << 20, 64}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.bytes << " bytes at offset " << c.offset);
        std::vector<unsigned char> storage(c.bytes + c.offset + 2 * 4096, 0xA5);
        unsigned char* block = storage.data() + 4096 + c.offset;
        std::memset(block, 0xA5, c.bytes);
        fw::FaultInPages(block, c.bytes);
        EXPECT_TRUE(FillsAndReadsBack(block, c.bytes, 3));
        for (size_t i = 0; i < 4096 + c.offset; ++i)
            ASSERT_EQ(0xA5, storage[i]) << "before the block, byte " << i;
        for (size_t i = 4096 + c.offset + c.bytes; i < storage.size(); ++i)
            ASSERT_EQ(0xA5, storage[i]) << "after the block, byte " << i;
    }
    fw::FaultInPages(nullptr, 8 << 20); // nothing to map
}

TEST(FaultInPages, CallersOnSeveralThreadsAtOnceEachGetTheirBlock)
{
    // One caller at a time has the helpers; the others map their own blocks meanwhile.
    constexpr int kThreads = 8;
    constexpr int kBlocks = 12;
    constexpr size_t kBytes = (3 << 20) + 77;
    std::vector<int> wholeBlocks(kThreads, 0);
    std::vector<std::thread> callers;
    for (int t = 0; t < kThreads; ++t)
    {
        callers.emplace_back(
            [t, &wholeBlocks]
            {
                for (int b = 0; b < kBlocks; ++b)
                {
                    std::unique_ptr<unsigned char[]> block(new unsigned char[kBytes]);
                    fw::FaultInPages(block.get(), kBytes);
                    wholeBlocks[static_cast<size_t>(t)] +=
                        FillsAndReadsBack(block.get(), kBytes, static_cast<unsigned>(t * 13 + b))
                            ? 1
                            : 0;
                }
            });
    }
    for (std::thread& caller : callers)
        caller.join();
    EXPECT_EQ(std::vector<int>(kThreads, kBlocks), wholeBlocks);
}

TEST(PagedAllocator, AVectorKeepsItsValuesAcrossEveryGrowth)
{
    // Growths of a few kilobytes to tens of megabytes: the small ones as the plain allocator
    // gives them, the large ones mapped in before the move.
    std::vector<uint32_t, fw::PagedAllocator<uint32_t>> values;
    for (uint32_t i = 0; i < 12'000'000; ++i)
        values.push_back(i * 2654435761u);
    bool same = true;
    for (uint32_t i = 0; i < values.size(); ++i)
        same = same && values[i] == i * 2654435761u;
    EXPECT_TRUE(same);
    std::vector<uint32_t, fw::PagedAllocator<uint32_t>> resized(5'000'000);
    EXPECT_EQ(0u, resized[4'999'999]);
    EXPECT_TRUE(fw::PagedAllocator<int>() == fw::PagedAllocator<double>());
}

// Headroom asked for before work that cannot fail cleanly: had, or std::bad_alloc, and nothing
// is kept either way.
TEST(EnsureHeadroom, ThrowsOnlyWhenTheBlockCannotBeHad)
{
    EXPECT_NO_THROW(fw::EnsureHeadroom(size_t(64) << 20));
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer ends the process on an allocation it cannot make";
#else
    // More than any address space holds.
    EXPECT_THROW(fw::EnsureHeadroom(SIZE_MAX / 2), std::bad_alloc);
#endif
}
