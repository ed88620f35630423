// Work on a list of many elements shared by threads a block of elements at a time, its results
// taken in block order on the calling thread as each is done: the list builders record blocks
// into batches on workers while the view's thread compiles the finished ones into the list.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

class CListBatch;

namespace ordered_blocks
{
// Blocks recorded ahead of the compiling at most: a rough field's millions of triangles are not
// all held at once.
constexpr size_t kBlocksAhead = 16;
// Memory that must be free before a block is taken (to the GL driver, which stalls rather than
// fails when memory runs out): short of it, the run ends with std::bad_alloc.
constexpr size_t kTakeHeadroomBytes = size_t(256) << 20;
// The renderer's log line when a worker does not start, written once while threads are short.
constexpr const char* kNotStartedText =
    "A recording worker did not start: its blocks are recorded on the other threads";

// Runs record(block, batch) for blocks 0 .. blockCount - 1 on up to threads workers, each into
// a fresh batch, and take(batch) here for each block in order. An exception of either stops the
// workers; it is thrown again here once they have ended.
void Run(size_t blockCount, size_t threads, const std::function<void(size_t, CListBatch&)>& record,
         const std::function<void(CListBatch&)>& take);
// Run, with each batch handed over to take to keep (to compile on another thread).
void RunHandingOver(size_t blockCount, size_t threads,
                    const std::function<void(size_t, CListBatch&)>& record,
                    const std::function<void(std::unique_ptr<CListBatch>)>& take);
} // namespace ordered_blocks
