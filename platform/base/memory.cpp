// Mapping in the pages of fresh blocks on a few threads.
#include "platform/base/memory.h"

#include "platform/base/lock.h"
#include "platform/base/worker_team.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <thread>

namespace
{
constexpr std::size_t kPage = 4096;
// Below this a block's faults take less than waking the helpers.
constexpr std::size_t kThreadedBytes = std::size_t(1) << 20;
// Parts taken one at a time by whichever thread is free.
constexpr std::size_t kPartBytes = std::size_t(256) << 10;
constexpr std::size_t kMaxThreads = 4;

void Touch(char* first, char* end)
{
    // Volatile: the stores are the point, though nothing reads them.
    for (volatile char* page = first; page < end; page += kPage)
        *page = 0;
}

// Started at the first large block and kept for the process: starting threads for each block
// costs more than its faults where threads are dear to make (under Wine). Never destroyed: its
// threads end with the process, and a block may come until then.
fw::WorkerTeam& Team()
{
    static fw::WorkerTeam* team = new fw::WorkerTeam(
        std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), kMaxThreads));
    return *team;
}

fw::Mutex g_turn; // held by the caller whose block the team maps

bool HasSystemHeadroom(std::size_t bytes)
{
    void* const block = std::malloc(bytes);
    std::free(block);
    return block != nullptr;
}

std::atomic<fw::HeadroomProbe> g_probe{HasSystemHeadroom};
} // namespace

namespace fw
{
void EnsureHeadroom(std::size_t bytes)
{
    if (!g_probe.load()(bytes))
        throw std::bad_alloc();
}

void SetHeadroomProbe(HeadroomProbe probe)
{
    g_probe = probe != nullptr ? probe : HasSystemHeadroom;
}

void FaultInPages(void* block, std::size_t bytes)
{
    if (block == nullptr || bytes < kThreadedBytes)
        return;
    WorkerTeam& team = Team();
    if (team.GetWorkerCount() == 0)
        return;
    char* const first = static_cast<char*>(block);
    // One block at a time: a caller that finds the team busy maps its block itself.
    std::unique_lock<fw::Mutex> turn(g_turn, std::try_to_lock);
    if (!turn.owns_lock())
    {
        Touch(first, first + bytes);
        return;
    }
    team.Run((bytes + kPartBytes - 1) / kPartBytes,
             [first, bytes](std::size_t part)
             {
                 const std::size_t offset = part * kPartBytes;
                 Touch(first + offset, first + std::min(bytes, offset + kPartBytes));
             });
}
} // namespace fw
