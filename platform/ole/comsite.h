// The COM face of a framework object: an interface implementation with its own reference
// count that calls back into its owner. The owner may go first (a window destroyed while OLE
// still holds the interface): it disconnects, and later calls find no owner.
#pragma once

#include <windows.h>

#include <unknwn.h>

namespace fw
{
template <class Interface, const IID& Iid, class Owner>
class ComSite : public Interface
{
public:
    explicit ComSite(Owner* owner)
        : m_owner(owner)
    {
    }
    virtual ~ComSite() = default;
    ComSite(const ComSite&) = delete;
    ComSite& operator=(const ComSite&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (!::IsEqualIID(iid, IID_IUnknown) && !::IsEqualIID(iid, Iid))
        {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

    // The owner lets go: drops its reference, and later calls find no owner.
    void Disconnect()
    {
        m_owner = nullptr;
        Release();
    }

protected:
    Owner* m_owner; // null once the owner is gone

private:
    LONG m_refs = 1; // the owner's reference
};
} // namespace fw
