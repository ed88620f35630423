// Locks on the system's slim reader/writer locks and condition variables: neither allocates.
#include "platform/base/lock.h"

#include <windows.h>

static_assert(sizeof(SRWLOCK) == sizeof(void*), "a slim lock is one pointer");
static_assert(sizeof(CONDITION_VARIABLE) == sizeof(void*), "a condition is one pointer");

namespace
{
PSRWLOCK Slim(void*& lock)
{
    return reinterpret_cast<PSRWLOCK>(&lock);
}
} // namespace

namespace fw
{
void Mutex::lock() noexcept
{
    ::AcquireSRWLockExclusive(Slim(m_lock));
}

bool Mutex::try_lock() noexcept
{
    return ::TryAcquireSRWLockExclusive(Slim(m_lock)) != FALSE;
}

void Mutex::unlock() noexcept
{
    ::ReleaseSRWLockExclusive(Slim(m_lock));
}

void ConditionVariable::wait(std::unique_lock<Mutex>& lock) noexcept
{
    ::SleepConditionVariableSRW(reinterpret_cast<PCONDITION_VARIABLE>(&m_condition),
                                Slim(lock.mutex()->m_lock), INFINITE, 0);
}

void ConditionVariable::notify_one() noexcept
{
    ::WakeConditionVariable(reinterpret_cast<PCONDITION_VARIABLE>(&m_condition));
}

void ConditionVariable::notify_all() noexcept
{
    ::WakeAllConditionVariable(reinterpret_cast<PCONDITION_VARIABLE>(&m_condition));
}
} // namespace fw
