// The start of worker threads, replaceable by tests.
#include "platform/base/thread_start.h"

#include <atomic>
#include <exception>

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
    // An exception leaving a thread's function ends the process where the system finds no
    // handler, past the terminate handler: ended here, the program's handler says why.
    return g_start.load()(
        [run = std::move(run)]
        {
            try
            {
                run();
            }
            catch (...)
            {
                std::terminate();
            }
        });
}

void SetThreadStart(ThreadStart start)
{
    g_start = start != nullptr ? start : StartStdThread;
}
} // namespace fw
