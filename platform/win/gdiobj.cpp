// GDI object wrappers and their temporaries.
#include "platform/win/gdiobj.h"

#include "platform/win/dc.h"
#include "platform/win/thread_state.h"

namespace
{
// The permanent object when it is a T; else one temporary per handle and wrapper type, so a
// CPen* is always a real CPen.
template <class T>
T* TemporaryGdiObject(HGDIOBJ handle)
{
    if (!handle)
        return nullptr;
    if (T* permanent = dynamic_cast<T*>(CGdiObject::FromHandlePermanent(handle)))
        return permanent;
    auto& temps = fw::GetThreadState().tempGdiObjects;
    auto& slot = temps[{handle, std::type_index(typeid(T))}];
    if (!slot)
    {
        auto object = std::make_unique<T>();
        object->m_hObject = handle;
        slot = std::move(object);
    }
    return static_cast<T*>(slot.get());
}
} // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle)
{
    return TemporaryGdiObject<CGdiObject>(handle);
}

CGdiObject* CGdiObject::FromHandlePermanent(HGDIOBJ handle)
{
    const auto& objects = fw::GetThreadState().gdiObjects;
    const auto found = objects.find(handle);
    return found != objects.end() ? found->second : nullptr;
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    if (!handle || m_hObject)
        return FALSE;
    m_hObject = handle;
    fw::GetThreadState().gdiObjects[handle] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    const HGDIOBJ handle = m_hObject;
    if (handle)
    {
        auto& objects = fw::GetThreadState().gdiObjects;
        const auto found = objects.find(handle);
        if (found != objects.end() && found->second == this)
            objects.erase(found);
    }
    m_hObject = nullptr;
    m_isStock = false;
    return handle;
}

BOOL CGdiObject::DeleteObject()
{
    const HGDIOBJ handle = m_hObject;
    const bool isStock = m_isStock;
    Detach();
    return handle && !isStock ? ::DeleteObject(handle) : FALSE;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    if (!Attach(::GetStockObject(index)))
        return FALSE;
    m_isStock = true;
    return TRUE;
}

int CGdiObject::GetObject(int size, void* buffer) const
{
    return m_hObject ? ::GetObjectA(m_hObject, size, buffer) : 0;
}

CPen* CPen::FromHandle(HPEN handle)
{
    return TemporaryGdiObject<CPen>(handle);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    return Attach(::CreatePen(style, width, color));
}

CBrush* CBrush::FromHandle(HBRUSH handle)
{
    return TemporaryGdiObject<CBrush>(handle);
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    return Attach(::CreateSolidBrush(color));
}

CFont* CFont::FromHandle(HFONT handle)
{
    return TemporaryGdiObject<CFont>(handle);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    return logFont ? Attach(::CreateFontIndirectA(logFont)) : FALSE;
}

CBitmap* CBitmap::FromHandle(HBITMAP handle)
{
    return TemporaryGdiObject<CBitmap>(handle);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return dc ? Attach(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height)) : FALSE;
}
