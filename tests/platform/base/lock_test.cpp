// The locks that cannot fail: they exclude as a mutex does, and a wait ends at a notify with the
// lock held again.
#include "platform/base/lock.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

TEST(Lock, ExcludesAndHandsOverBetweenThreads)
{
    fw::Mutex mutex;
    fw::ConditionVariable changed;
    long total = 0;
    int turn = 0; // whose turn of the four threads to add next, in order
    constexpr int kThreads = 4;
    constexpr int kRounds = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back(
            [&, t]
            {
                for (int round = 0; round < kRounds; ++round)
                {
                    std::unique_lock<fw::Mutex> lock(mutex);
                    changed.wait(lock, [&] { return turn == t; });
                    total += t + 1;
                    turn = (turn + 1) % kThreads;
                    changed.notify_all();
                }
            });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(long{kRounds} * (1 + 2 + 3 + 4), total);
    EXPECT_EQ(0, turn);

    // try_lock fails while another thread holds the lock, and succeeds once it is let go.
    std::unique_lock<fw::Mutex> held(mutex);
    bool isTaken = true;
    std::thread([&] { isTaken = mutex.try_lock(); }).join();
    EXPECT_FALSE(isTaken);
    held.unlock();
    std::thread(
        [&]
        {
            isTaken = mutex.try_lock();
            if (isTaken)
                mutex.unlock();
        })
        .join();
    EXPECT_TRUE(isTaken);
}
