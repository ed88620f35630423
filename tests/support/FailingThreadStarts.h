// Thread starts that fail after a given number, the way a system out of threads or memory fails
// them, for as long as the object lives.
#pragma once

#include "platform/base/thread_start.h"

#include <functional>
#include <new>
#include <system_error>
#include <thread>

namespace testing_support
{
class FailingThreadStarts
{
public:
    // The first started thread starts go through; every later one throws std::system_error, or
    // std::bad_alloc when isBadAlloc.
    FailingThreadStarts(int started, bool isBadAlloc = false)
    {
        Left() = started;
        IsBadAlloc() = isBadAlloc;
        fw::SetThreadStart(StartOrFail);
    }
    ~FailingThreadStarts() { fw::SetThreadStart(nullptr); }
    FailingThreadStarts(const FailingThreadStarts&) = delete;
    FailingThreadStarts& operator=(const FailingThreadStarts&) = delete;

private:
    static int& Left()
    {
        static int left = 0;
        return left;
    }
    static bool& IsBadAlloc()
    {
        static bool isBadAlloc = false;
        return isBadAlloc;
    }
    static std::thread StartOrFail(std::function<void()> run)
    {
        if (Left()-- > 0)
            return std::thread(std::move(run));
        if (IsBadAlloc())
            throw std::bad_alloc();
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }
};
} // namespace testing_support
