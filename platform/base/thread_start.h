// Where the program's worker threads are started: std::thread, unless a test puts in a start
// that fails as a system out of threads or memory does.
#pragma once

#include <functional>
#include <thread>

namespace fw
{
using ThreadStart = std::thread (*)(std::function<void()> run);

// Starts run on a thread of its own; throws what the start throws (std::system_error when the
// system gives no thread, std::bad_alloc).
std::thread StartThread(std::function<void()> run);
// For tests: the start every later StartThread calls; null puts std::thread back. Set while no
// thread is being started.
void SetThreadStart(ThreadStart start);
} // namespace fw
