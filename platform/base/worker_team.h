// A few threads that take the parts of one step after another, started once for all the steps;
// the caller's thread works too. Without threads (one asked for, or none could be had) the
// caller's thread takes every part.
#pragma once

#include "platform/base/lock.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <thread>
#include <vector>

namespace fw
{
class WorkerTeam
{
public:
    // threads counts the caller's: threads - 1 are started, as many as the system gives.
    explicit WorkerTeam(size_t threads);
    WorkerTeam(const WorkerTeam&) = delete;
    WorkerTeam& operator=(const WorkerTeam&) = delete;
    ~WorkerTeam();

    size_t GetWorkerCount() const { return m_workers.size(); }
    // Runs part(0) .. part(count - 1), independent of each other, and returns when all are
    // done. A failure (out of memory) stops the step and is thrown here, as it would be
    // without threads. One caller at a time.
    void Run(size_t count, const std::function<void(size_t)>& part);

private:
    void Work();
    void TakeParts();

    std::vector<std::thread> m_workers;
    fw::Mutex m_lock;
    fw::ConditionVariable m_wake; // a step or the stop is posted
    fw::ConditionVariable m_done; // the last worker left the step
    // The step: written under the lock while no worker is in one.
    const std::function<void(size_t)>* m_part = nullptr;
    size_t m_count = 0;
    std::atomic<size_t> m_next{0};
    size_t m_busy = 0; // workers not yet done with the step
    uint64_t m_step = 0;
    bool m_isStopping = false;
    std::exception_ptr m_failure;
};
} // namespace fw
