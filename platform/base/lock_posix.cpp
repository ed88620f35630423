// Locks on the standard library's: on POSIX systems these take no memory at a lock or wait.
#include "platform/base/lock.h"

namespace fw
{
void Mutex::lock() noexcept
{
    m_lock.lock();
}

bool Mutex::try_lock() noexcept
{
    return m_lock.try_lock();
}

void Mutex::unlock() noexcept
{
    m_lock.unlock();
}

void ConditionVariable::wait(std::unique_lock<Mutex>& lock) noexcept
{
    std::unique_lock<std::mutex> held(lock.mutex()->m_lock, std::adopt_lock);
    m_condition.wait(held);
    held.release();
}

void ConditionVariable::notify_one() noexcept
{
    m_condition.notify_one();
}

void ConditionVariable::notify_all() noexcept
{
    m_condition.notify_all();
}
} // namespace fw
