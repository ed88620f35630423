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
// fails when memory runs out): short of it, the run ends with std::bad_alloc. The driver holds
// a list being compiled whole and grows it by copying, then copies it once more as the list
// ends: the longer the list so far, the more it may need at once.
constexpr size_t kTakeHeadroomBytes = size_t(512) << 20;
constexpr size_t kDriverBytesPerVertex = 40; // position, normal and colour in floats
constexpr size_t kDriverCopies = 3;
// The headroom before a block is taken into a list that holds that many vertices with it.
constexpr size_t TakeHeadroom(size_t listVertices)
{
    return listVertices > kTakeHeadroomBytes / (kDriverCopies * kDriverBytesPerVertex)
               ? kDriverCopies * kDriverBytesPerVertex * listVertices
               : kTakeHeadroomBytes;
}
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
