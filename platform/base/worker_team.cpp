// The worker team's steps.
#include "platform/base/worker_team.h"

#include "platform/base/thread_start.h"

namespace fw
{
WorkerTeam::WorkerTeam(size_t threads)
{
    try
    {
        // Room first: a started thread is never left outside the vector, unjoined.
        m_workers.reserve(threads > 1 ? threads - 1 : 0);
        for (size_t t = 1; t < threads; ++t)
            m_workers.push_back(StartThread([this] { Work(); }));
    }
    catch (...)
    {
        // No thread or no memory for one: the ones started and the caller's take every part.
    }
}

WorkerTeam::~WorkerTeam()
{
    if (m_workers.empty())
        return; // nothing to stop
    {
        const std::lock_guard<fw::Mutex> hold(m_lock);
        m_isStopping = true;
    }
    m_wake.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

void WorkerTeam::Run(size_t count, const std::function<void(size_t)>& part)
{
    if (m_workers.empty())
    {
        for (size_t i = 0; i < count; ++i)
            part(i);
        return;
    }
    {
        const std::lock_guard<fw::Mutex> hold(m_lock);
        m_part = &part;
        m_count = count;
        m_next = 0;
        m_busy = m_workers.size();
        ++m_step;
    }
    m_wake.notify_all();
    TakeParts();
    std::exception_ptr failure;
    {
        std::unique_lock<fw::Mutex> hold(m_lock);
        m_done.wait(hold, [this] { return m_busy == 0; });
        m_part = nullptr;
        failure = m_failure;
        m_failure = nullptr;
    }
    if (failure)
        std::rethrow_exception(failure);
}

void WorkerTeam::Work()
{
    uint64_t seen = 0;
    for (;;)
    {
        {
            std::unique_lock<fw::Mutex> hold(m_lock);
            m_wake.wait(hold, [&] { return m_isStopping || m_step != seen; });
            if (m_isStopping)
                return;
            seen = m_step;
        }
        TakeParts();
        const std::lock_guard<fw::Mutex> hold(m_lock);
        if (--m_busy == 0)
            m_done.notify_one();
    }
}

void WorkerTeam::TakeParts()
{
    try
    {
        for (size_t i = m_next++; i < m_count; i = m_next++)
            (*m_part)(i);
    }
    catch (...)
    {
        m_next = m_count;
        const std::lock_guard<fw::Mutex> hold(m_lock);
        if (!m_failure)
            m_failure = std::current_exception();
    }
}
} // namespace fw
