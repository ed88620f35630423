// The worker team: every part done once whatever number of its threads the system gives, and a
// part's failure on a worker thrown to the caller.
#include "platform/base/worker_team.h"

#include "tests/support/FailingThreadStarts.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <new>
#include <set>
#include <stdexcept>
#include <vector>

using testing_support::FailingThreadStarts;

TEST(WorkerTeam, EveryPartIsDoneOnceWhateverThreadsStart)
{
    for (const bool isBadAlloc : {false, true})
    {
        for (const int started : {0, 1, 2})
        {
            SCOPED_TRACE(testing::Message() << started << " of 3 started, "
                                            << (isBadAlloc ? "bad_alloc" : "system_error"));
            std::unique_ptr<fw::WorkerTeam> team;
            {
                const FailingThreadStarts failing(started, isBadAlloc);
                ASSERT_NO_THROW(team = std::make_unique<fw::WorkerTeam>(4));
            }
            EXPECT_EQ(static_cast<size_t>(started), team->GetWorkerCount());
            for (const size_t count : {size_t{0}, size_t{1}, size_t{1000}})
            {
                std::vector<std::atomic<int>> done(count);
                std::mutex lock;
                std::set<std::thread::id> threads;
                team->Run(count,
                          [&](size_t part)
                          {
                              ++done[part];
                              const std::lock_guard<std::mutex> hold(lock);
                              threads.insert(std::this_thread::get_id());
                          });
                for (size_t i = 0; i < count; ++i)
                    ASSERT_EQ(1, done[i].load()) << "part " << i << " of " << count;
                EXPECT_LE(threads.size(), static_cast<size_t>(started) + 1);
            }
        }
    }
}

// The caller's part holds on until a worker has failed, so the failure is surely a worker's.
TEST(WorkerTeam, AnAllocationFailureOnAWorkerReachesTheCaller)
{
    fw::WorkerTeam team(3);
    if (team.GetWorkerCount() == 0)
        GTEST_SKIP() << "no thread to spare";
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<bool> hasFailed{false};
    const auto part = [&](size_t)
    {
        if (std::this_thread::get_id() != caller)
        {
            hasFailed = true;
            throw std::bad_alloc();
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!hasFailed && std::chrono::steady_clock::now() < until)
            std::this_thread::yield();
    };
    EXPECT_THROW(team.Run(100, part), std::bad_alloc);
    EXPECT_TRUE(hasFailed);
    // The team goes on with the next step.
    std::atomic<int> done{0};
    team.Run(10, [&](size_t) { ++done; });
    EXPECT_EQ(10, done.load());
}
