// Run-time class records and the registry of creatable classes.
#include "platform/base/object.h"

#include "platform/base/lock.h"

#include <cstring>
#include <new>
#include <vector>

namespace
{
fw::Mutex& RegistryLock()
{
    static fw::Mutex lock;
    return lock;
}

std::vector<const CRuntimeClass*>& Registry()
{
    static std::vector<const CRuntimeClass*> classes;
    return classes;
}
} // namespace

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* baseClass) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    {
        if (c == baseClass)
            return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    if (!className)
        return nullptr;
    const std::lock_guard<fw::Mutex> guard(RegistryLock());
    for (const CRuntimeClass* c : Registry())
    {
        if (std::strcmp(c->m_lpszClassName, className) == 0)
            return c;
    }
    return nullptr;
}

namespace fw
{
bool RegisterRuntimeClass(const CRuntimeClass* runtimeClass)
{
    const std::lock_guard<fw::Mutex> guard(RegistryLock());
    Registry().push_back(runtimeClass);
    return true;
}
} // namespace fw

const CRuntimeClass* CObject::GetThisClass()
{
    static const CRuntimeClass record = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF,
                                         nullptr, nullptr};
    return &record;
}

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

void CObject::Serialize(CArchive&)
{
}

#ifndef NDEBUG
void CObject::operator delete(void* object, std::size_t size)
{
    std::memset(object, 0xDD, size);
    ::operator delete(object);
}
#endif
