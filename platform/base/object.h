// CObject and its run-time class record: class name, size, schema, factory and base, so that
// code can ask IsKindOf and archives can find a class by name. A class states its record
// with one macro in its body:
//   FW_CLASS(C, Base)             name and base (IsKindOf)
//   FW_CREATABLE(C, Base)         also made by name through CreateObject
//   FW_SERIAL(C, Base, schema)    creatable, with a stored schema number; a schema or-ed
//                                 with VERSIONABLE_SCHEMA also reads older or newer schemas,
//                                 which its Serialize asks of CArchive::GetObjectSchema
// The macro leaves the access public. Debug builds fill a freed CObject with 0xDD, since the
// Windows build has no sanitizer.
#pragma once

#include "platform/base/types.h"

#include <cstddef>
#include <new>

class CArchive;
class CObject;

// Or-ed into a class's schema: archives with another stored schema are still read.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;

struct CRuntimeClass
{
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema; // 0xFFFF when not serialisable; may carry VERSIONABLE_SCHEMA
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // A new object, or null when the class is not creatable. The caller owns it.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* baseClass) const;
    // The creatable class registered under name, or null.
    static const CRuntimeClass* FromName(const char* className);
};

namespace fw
{
// Adds a creatable class to the by-name registry; returns true for use as an initialiser.
bool RegisterRuntimeClass(const CRuntimeClass* runtimeClass);
} // namespace fw

#define RUNTIME_CLASS(C) (C::GetThisClass())

class CObject
{
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;

    static const CRuntimeClass* GetThisClass();
    virtual const CRuntimeClass* GetRuntimeClass() const { return GetThisClass(); }
    bool IsKindOf(const CRuntimeClass* runtimeClass) const;
    bool IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }
    // Writes or reads the object's own fields; the base has none.
    virtual void Serialize(CArchive& archive);

#ifndef NDEBUG
    static void* operator new(std::size_t size)
    {
        return ::operator new(size);
    }
    static void* operator new(std::size_t, void* where) noexcept
    {
        return where;
    }
    static void operator delete(void* object, std::size_t size);
    static void operator delete(void*, void*) noexcept
    {
    }
#endif
};

#define FW_RUNTIME_RECORD(C, Base, schema, factory)                                                \
public:                                                                                            \
    static const CRuntimeClass* GetThisClass()                                                     \
    {                                                                                              \
        static const CRuntimeClass record = {#C, static_cast<int>(sizeof(C)), schema, factory,     \
                                             Base::GetThisClass()};                                \
        return &record;                                                                            \
    }                                                                                              \
    const CRuntimeClass* GetRuntimeClass() const override                                          \
    {                                                                                              \
        return GetThisClass();                                                                     \
    }

#define FW_CLASS(C, Base) FW_RUNTIME_RECORD(C, Base, 0xFFFF, nullptr)

#define FW_SERIAL(C, Base, schema)                                                                 \
    FW_RUNTIME_RECORD(C, Base, schema, &C::CreateFwObject)                                         \
    static CObject* CreateFwObject()                                                               \
    {                                                                                              \
        return new C;                                                                              \
    }                                                                                              \
                                                                                                   \
    static inline const bool s_fwRegistered = fw::RegisterRuntimeClass(GetThisClass());

#define FW_CREATABLE(C, Base) FW_SERIAL(C, Base, 0xFFFF)
