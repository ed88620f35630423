// Blocks recorded on worker threads and taken in order.
#include "render/OrderedBlocks.h"

#include "render/ListBatch.h"

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

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
    std::mutex mutex;
    std::condition_variable changed;
    size_t nextBlock = 0;
    size_t taken = 0;
    bool isStopped = false;
    std::exception_ptr error;
    const auto stop = [&](std::exception_ptr cause)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!error)
            error = cause;
        isStopped = true;
        changed.notify_all();
    };
    const auto work = [&]
    {
        for (;;)
        {
            size_t block = 0;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock,
                             [&] {
                                 return isStopped || nextBlock >= blockCount ||
                                        nextBlock < taken + kBlocksAhead;
                             });
                if (isStopped || nextBlock >= blockCount)
                    return;
                block = nextBlock++;
            }
            auto batch = std::make_unique<CListBatch>();
            try
            {
                record(block, *batch);
            }
            catch (...)
            {
                stop(std::current_exception());
                return;
            }
            std::lock_guard<std::mutex> lock(mutex);
            done[block] = std::move(batch);
            changed.notify_all();
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
    for (size_t i = 0; i < threads && i < blockCount; ++i)
        workers.emplace_back(work);
    for (size_t block = 0; block < blockCount; ++block)
    {
        std::unique_ptr<CListBatch> batch;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return done[block] != nullptr || isStopped; });
            if (done[block] == nullptr)
                break;
            batch = std::move(done[block]);
        }
        try
        {
            take(std::move(batch));
        }
        catch (...)
        {
            stop(std::current_exception());
            break;
        }
        batch.reset();
        std::lock_guard<std::mutex> lock(mutex);
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
