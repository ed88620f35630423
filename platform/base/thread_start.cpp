// The start of worker threads, replaceable by tests.
#include "platform/base/thread_start.h"

#include <atomic>

namespace
{
std::thread StartStdThread(std::function<void()> run)
{
    return std::thread(std::move(run));
}

std::atomic<fw::ThreadStart> g_start{StartStdThread};
} // namespace

namespace fw
{
std::thread StartThread(std::function<void()> run)
{
    return g_start.load()(std::move(run));
}

void SetThreadStart(ThreadStart start)
{
    g_start = start != nullptr ? start : StartStdThread;
}
} // namespace fw
