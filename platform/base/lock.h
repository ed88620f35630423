// A mutex and a condition variable whose lock and wait cannot fail. The thread library under
// the Windows build makes a mutex's wait object when the mutex is first contended, and that
// lock throws when memory runs out: often in the handler reporting the shortage, on a worker
// thread, which ends the program. These take no memory at any lock, wait or notify.
#pragma once

#include <mutex>

#ifndef _WIN32
#include <condition_variable>
#endif

namespace fw
{
class Mutex
{
public:
    Mutex() noexcept = default;
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void lock() noexcept;
    bool try_lock() noexcept;
    void unlock() noexcept;

private:
    friend class ConditionVariable;
#ifdef _WIN32
    void* m_lock = nullptr; // a slim reader/writer lock, taken exclusively
#else
    std::mutex m_lock;
#endif
};

class ConditionVariable
{
public:
    ConditionVariable() noexcept = default;
    ConditionVariable(const ConditionVariable&) = delete;
    ConditionVariable& operator=(const ConditionVariable&) = delete;

    // The lock is held again when these return.
    void wait(std::unique_lock<Mutex>& lock) noexcept;
    template <class Predicate>
    void wait(std::unique_lock<Mutex>& lock, Predicate isReady)
    {
        while (!isReady())
            wait(lock);
    }
    void notify_one() noexcept;
    void notify_all() noexcept;

private:
#ifdef _WIN32
    void* m_condition = nullptr;
#else
    std::condition_variable m_condition;
#endif
};
} // namespace fw
