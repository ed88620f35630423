// Reading dragged data, and the data source's IDataObject over its cached global blocks.
#include "platform/ole/dataobject.h"

#include "platform/ole/comsite.h"
#include "platform/ole/dropsource.h"
#include "platform/ole/oleinit.h"
#include "platform/win/wnd.h"

#include <cstring>
#include <shellapi.h>
#include <shlobj.h>

namespace
{
FORMATETC GlobalFormat(CLIPFORMAT format, const FORMATETC* formatEtc)
{
    if (formatEtc)
        return *formatEtc;
    return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// A block of our own with the same bytes; null when memory runs out.
HGLOBAL CopyBlock(HGLOBAL block)
{
    const SIZE_T size = ::GlobalSize(block);
    const void* source = ::GlobalLock(block);
    if (!source)
        return nullptr;
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    void* target = copy ? ::GlobalLock(copy) : nullptr;
    if (target)
    {
        std::memcpy(target, source, size);
        ::GlobalUnlock(copy);
    }
    else if (copy)
    {
        ::GlobalFree(copy);
        copy = nullptr;
    }
    ::GlobalUnlock(block);
    return copy;
}
} // namespace

void COleDataObject::Attach(IDataObject* data, BOOL autoRelease)
{
    Release();
    m_data = data;
    m_autoRelease = autoRelease != FALSE;
}

IDataObject* COleDataObject::Detach()
{
    IDataObject* data = m_data;
    m_data = nullptr;
    m_autoRelease = false;
    return data;
}

void COleDataObject::Release()
{
    if (m_data && m_autoRelease)
        m_data->Release();
    m_data = nullptr;
    m_autoRelease = false;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format, const FORMATETC* formatEtc) const
{
    if (!m_data)
        return FALSE;
    FORMATETC wanted = GlobalFormat(format, formatEtc);
    return m_data->QueryGetData(&wanted) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format, const FORMATETC* formatEtc) const
{
    if (!m_data)
        return nullptr;
    FORMATETC wanted = GlobalFormat(format, formatEtc);
    STGMEDIUM medium = {};
    if (FAILED(m_data->GetData(&wanted, &medium)))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL)
    {
        ::ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (!medium.pUnkForRelease)
        return medium.hGlobal; // already ours
    HGLOBAL copy = CopyBlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return copy;
}

BOOL COleDataObject::GetFileNames(CStringArray* names) const
{
    names->RemoveAll();
    HGLOBAL block = GetGlobalData(CF_HDROP);
    if (!block)
        return FALSE;
    const auto drop = static_cast<HDROP>(block);
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i)
    {
        const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        ::DragQueryFileA(drop, i, &path[0], length + 1);
        path.resize(length);
        names->Add(CString(path));
    }
    ::GlobalFree(block);
    return TRUE;
}

// The IDataObject of a data source: hands out copies of the cached blocks.
class COleDataSource::Site : public fw::ComSite<IDataObject, IID_IDataObject, COleDataSource>
{
public:
    using ComSite::ComSite;

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override
    {
        if (!wanted || !medium)
            return E_INVALIDARG;
        const Entry* entry = m_owner ? m_owner->Find(*wanted) : nullptr;
        if (!entry)
            return DV_E_FORMATETC;
        HGLOBAL copy = CopyBlock(entry->block);
        if (!copy)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override
    {
        if (!wanted)
            return E_INVALIDARG;
        return m_owner && m_owner->Find(*wanted) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (out)
            out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        if (m_owner)
        {
            for (const Entry& entry : m_owner->m_entries)
                formats.push_back(entry.format);
        }
        return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
};

COleDataSource::COleDataSource()
    : m_site(new Site(this))
{
}

COleDataSource::~COleDataSource()
{
    m_site->Disconnect();
    Empty();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL block, const FORMATETC* formatEtc)
{
    const FORMATETC wanted = GlobalFormat(format, formatEtc);
    for (Entry& entry : m_entries)
    {
        if (entry.format.cfFormat == wanted.cfFormat && entry.format.dwAspect == wanted.dwAspect)
        {
            if (entry.block != block)
                ::GlobalFree(entry.block);
            entry = {wanted, block};
            return;
        }
    }
    m_entries.push_back({wanted, block});
}

void COleDataSource::Empty()
{
    for (Entry& entry : m_entries)
        ::GlobalFree(entry.block);
    m_entries.clear();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD effects, const RECT* startRect,
                                      COleDropSource* dropSource)
{
    if (!fw::OleInit())
        return DROPEFFECT_NONE;
    COleDropSource defaultSource;
    COleDropSource* source = dropSource ? dropSource : &defaultSource;
    if (startRect)
    {
        source->m_rectStartDrag =
            CRect(startRect->left, startRect->top, startRect->right, startRect->bottom);
    }
    else
    {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        const int dx = ::GetSystemMetrics(SM_CXDRAG);
        const int dy = ::GetSystemMetrics(SM_CYDRAG);
        source->m_rectStartDrag = CRect(cursor.x - dx, cursor.y - dy, cursor.x + dx, cursor.y + dy);
    }
    HWND owner = ::GetCapture();
    if (!owner)
        owner = ::GetFocus();
    if (!owner || !source->OnBeginDrag(CWnd::FromHandle(owner)))
        return DROPEFFECT_NONE;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(m_site, source->GetInterface(), effects, &effect);
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

IDataObject* COleDataSource::GetInterface()
{
    return m_site;
}

const COleDataSource::Entry* COleDataSource::Find(const FORMATETC& wanted) const
{
    for (const Entry& entry : m_entries)
    {
        if (entry.format.cfFormat == wanted.cfFormat && (wanted.tymed & TYMED_HGLOBAL) &&
            entry.format.dwAspect == wanted.dwAspect && wanted.lindex == -1)
            return &entry;
    }
    return nullptr;
}
