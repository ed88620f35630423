// Blocks recorded on worker threads and taken in order. The calling thread
// records a block itself when it comes to one that no worker has taken: so the
// work is done whatever number of the workers the system starts, none included.
#include "render/OrderedBlocks.h"

#include "platform/base/lock.h"
#include "platform/base/memory.h"
#include "platform/base/progress.h"
#include "platform/base/thread_start.h"
#include "render/ListBatch.h"
#include "render/RenderLog.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

namespace
{
// Set while workers are short: the log says so once, not at each list.
std::atomic<bool> g_isShortOfWorkers{false};

void NoteWorkersStarted(bool isEveryOne)
{
    if (isEveryOne)
    {
        g_isShortOfWorkers = false;
        return;
    }
    if (g_isShortOfWorkers.exchange(true))
        return;
    try
    {
        render_log::Write(render_log::kError, "ordered_blocks::Run",
                          ordered_blocks::kNotStartedText);
    }
    catch (...)
    {
        // A log line that cannot be written does not stop the picture.
    }
}

// Starts up to count workers running work; a thread the system does not give
// (no thread, no memory for one) leaves its blocks to the others.
void StartWorkers(std::vector<std::thread>& workers, size_t count,
                  const std::function<void()>& work)
{
    try
    {
        workers.reserve(count);
        for (size_t i = 0; i < count; ++i)
            workers.push_back(fw::StartThread(work));
    }
    catch (...)
    {
    }
    NoteWorkersStarted(workers.size() == count);
}
} // namespace

namespace ordered_blocks
{
void Run(size_t blockCount, size_t threads, const std::function<void(size_t, CListBatch&)>& record,
         const std::function<void(CListBatch&)>& take)
{
    RunHandingOver(blockCount, threads, record,
                   [&take](std::unique_ptr<CListBatch> batch) { take(*batch); });
}

void RunHandingOver(size_t blockCount, size_t threads,
                    const std::function<void(size_t, CListBatch&)>& record,
                    const std::function<void(std::unique_ptr<CListBatch>)>& take)
{
    std::vector<std::unique_ptr<CListBatch>> done(blockCount);
    fw::Mutex mutex;
    fw::ConditionVariable changed;
    size_t nextBlock = 0;    // the first block no thread has taken
    size_t listVertices = 0; // taken so far
    size_t taken = 0;
    bool isStopped = false;
    std::exception_ptr error;
    const auto stop = [&](std::exception_ptr cause)
    {
        std::lock_guard<fw::Mutex> lock(mutex);
        if (!error)
            error = cause;
        isStopped = true;
        changed.notify_all();
    };
    const auto recordBlock = [&](size_t block)
    {
        auto batch = std::make_unique<CListBatch>();
        record(block, *batch);
        return batch;
    };
    const std::function<void()> work = [&]
    {
        try
        {
            for (;;)
            {
                size_t block = 0;
                {
                    std::unique_lock<fw::Mutex> lock(mutex);
                    changed.wait(lock,
                                 [&] {
                                     return isStopped || nextBlock >= blockCount ||
                                            nextBlock < taken + kBlocksAhead;
                                 });
                    if (isStopped || nextBlock >= blockCount)
                        return;
                    block = nextBlock++;
                }
                std::unique_ptr<CListBatch> batch = recordBlock(block);
                std::lock_guard<fw::Mutex> lock(mutex);
                done[block] = std::move(batch);
                changed.notify_all();
            }
        }
        catch (...)
        {
            stop(std::current_exception());
        }
    };
    std::vector<std::thread> workers;
    // Ends the workers however this function is left.
    struct Joiner
    {
        std::vector<std::thread>& workers;
        const std::function<void(std::exception_ptr)> stop;
        ~Joiner()
        {
            stop(nullptr);
            for (std::thread& worker : workers)
                worker.join();
        }
    } joiner{workers, stop};
    StartWorkers(workers, std::min(threads, blockCount), work);
    for (size_t block = 0; block < blockCount; ++block)
    {
        std::unique_ptr<CListBatch> batch;
        bool isOwn = false;
        {
            std::unique_lock<fw::Mutex> lock(mutex);
            changed.wait(lock,
                         [&] { return done[block] != nullptr || isStopped || nextBlock == block; });
            if (isStopped)
                break;
            if (done[block] != nullptr)
            {
                batch = std::move(done[block]);
            }
            else
            {
                nextBlock = block + 1;
                isOwn = true;
            }
        }
        try
        {
            if (isOwn)
                batch = recordBlock(block);
            listVertices += batch->GetVertexCount();
            fw::EnsureHeadroom(TakeHeadroom(listVertices));
            take(std::move(batch));
            fw::NoteProgress();
        }
        catch (...)
        {
            stop(std::current_exception());
            break;
        }
        batch.reset();
        std::lock_guard<fw::Mutex> lock(mutex);
        taken = block + 1;
        changed.notify_all();
    }
    stop(nullptr);
    for (std::thread& worker : workers)
        worker.join();
    workers.clear();
    if (error)
        std::rethrow_exception(error);
}
} // namespace ordered_blocks
