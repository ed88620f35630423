// Mapping in the pages of fresh blocks on a few threads.
#include "platform/base/memory.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

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

// Helper threads started at the first large block and kept for the process: starting a thread
// for each block costs more than its faults where threads are dear to make (under Wine).
class PageTeam
{
public:
    // As many helpers as the system gives, up to `helpers`.
    explicit PageTeam(std::size_t helpers)
    {
        m_helpers.reserve(helpers);
        for (std::size_t i = 0; i < helpers; ++i)
        {
            try
            {
                m_helpers.emplace_back([this] { Serve(); });
            }
            catch (const std::system_error&)
            {
                break;
            }
        }
    }

    bool HasHelpers() const { return !m_helpers.empty(); }

    // One block at a time: a caller that finds the team busy maps its block itself.
    void Map(char* block, std::size_t bytes)
    {
        std::unique_lock<std::mutex> turn(m_turn, std::try_to_lock);
        if (!turn.owns_lock())
        {
            Touch(block, block + bytes);
            return;
        }
        {
            const std::lock_guard<std::mutex> hold(m_lock);
            m_block = block;
            m_bytes = bytes;
            m_next = 0;
            m_busy = m_helpers.size();
            ++m_step;
        }
        m_wake.notify_all();
        TakeParts();
        std::unique_lock<std::mutex> hold(m_lock);
        m_done.wait(hold, [this] { return m_busy == 0; });
    }

private:
    void Serve()
    {
        std::uint64_t seen = 0;
        for (;;)
        {
            {
                std::unique_lock<std::mutex> hold(m_lock);
                m_wake.wait(hold, [&] { return m_step != seen; });
                seen = m_step;
            }
            TakeParts();
            const std::lock_guard<std::mutex> hold(m_lock);
            if (--m_busy == 0)
                m_done.notify_all();
        }
    }

    void TakeParts()
    {
        for (;;)
        {
            const std::size_t offset = m_next.fetch_add(kPartBytes);
            if (offset >= m_bytes)
                return;
            Touch(m_block + offset, m_block + std::min(m_bytes, offset + kPartBytes));
        }
    }

    std::vector<std::thread> m_helpers;
    std::mutex m_turn; // held by the caller whose block the team maps
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    // The block being mapped: written under m_lock while no helper is in a step.
    char* m_block = nullptr;
    std::size_t m_bytes = 0;
    std::atomic<std::size_t> m_next{0};
    std::size_t m_busy = 0;
    std::uint64_t m_step = 0;
};

PageTeam* Team()
{
    // Never destroyed: its threads end with the process, and a block may come until then.
    static PageTeam* team = []
    {
        const std::size_t threads =
            std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), kMaxThreads);
        return new PageTeam(threads - 1);
    }();
    return team;
}
} // namespace

namespace fw
{
void FaultInPages(void* block, std::size_t bytes)
{
    if (block == nullptr || bytes < kThreadedBytes)
        return;
    PageTeam* team = Team();
    if (!team->HasHelpers())
        return;
    team->Map(static_cast<char*>(block), bytes);
}
} // namespace fw
