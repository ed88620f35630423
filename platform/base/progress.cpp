#include "platform/base/progress.h"

#include <atomic>

namespace
{
std::atomic<unsigned long long> g_progress{0};
} // namespace

namespace fw
{
void NoteProgress() noexcept
{
    g_progress.fetch_add(1, std::memory_order_relaxed);
}

unsigned long long ProgressCount() noexcept
{
    return g_progress.load(std::memory_order_relaxed);
}
} // namespace fw
