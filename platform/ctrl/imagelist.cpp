// Image lists: the per-thread map of list objects, creation and the calls with wrappers.
#include "platform/ctrl/imagelist.h"

#include "platform/win/dc.h"
#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"

#include <memory>
#include <unordered_map>

namespace
{
struct ImageListMaps
{
    std::unordered_map<HIMAGELIST, CImageList*> permanent;
    // Wrappers of lists without objects. They own nothing, so one kept per handle stays right
    // even after its list is gone: it is handed out again only for the same handle value.
    std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>> temporary;

    ~ImageListMaps()
    {
        for (auto& entry : temporary)
            entry.second->Detach();
    }
};

ImageListMaps& Maps()
{
    thread_local ImageListMaps maps;
    return maps;
}

HBITMAP Handle(CBitmap* bitmap)
{
    return bitmap ? static_cast<HBITMAP>(bitmap->GetSafeHandle()) : nullptr;
}
} // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST list)
{
    if (!list)
        return nullptr;
    if (CImageList* permanent = FromHandlePermanent(list))
        return permanent;
    auto& slot = Maps().temporary[list];
    if (!slot)
    {
        slot = std::make_unique<CImageList>();
        slot->m_hImageList = list;
    }
    return slot.get();
}

CImageList* CImageList::FromHandlePermanent(HIMAGELIST list)
{
    const auto& permanent = Maps().permanent;
    const auto found = permanent.find(list);
    return found != permanent.end() ? found->second : nullptr;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    return Attach(::ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    return Attach(::ImageList_LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                         cx, grow, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST list)
{
    if (!list || m_hImageList || FromHandlePermanent(list))
        return FALSE;
    m_hImageList = list;
    Maps().permanent[list] = this;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    const HIMAGELIST list = m_hImageList;
    if (list)
    {
        auto& permanent = Maps().permanent;
        const auto found = permanent.find(list);
        if (found != permanent.end() && found->second == this)
            permanent.erase(found);
    }
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::DeleteImageList()
{
    // A temporary owns nothing and keeps wrapping its list.
    if (!m_hImageList || FromHandlePermanent(m_hImageList) != this)
        return FALSE;
    return ::ImageList_Destroy(Detach());
}

BOOL CImageList::GetImageInfo(int index, IMAGEINFO* info) const
{
    return ::ImageList_GetImageInfo(m_hImageList, index, info);
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask)
{
    return ::ImageList_Add(m_hImageList, Handle(bitmap), Handle(mask));
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask)
{
    return ::ImageList_AddMasked(m_hImageList, Handle(bitmap), mask);
}

BOOL CImageList::Replace(int index, CBitmap* bitmap, CBitmap* mask)
{
    return ::ImageList_Replace(m_hImageList, index, Handle(bitmap), Handle(mask));
}

BOOL CImageList::Copy(int target, int source, UINT flags)
{
    return ::ImageList_Copy(m_hImageList, target, m_hImageList, source, flags);
}

BOOL CImageList::SetOverlayImage(int index, int overlay)
{
    return ::ImageList_SetOverlayImage(m_hImageList, index, overlay);
}

BOOL CImageList::Draw(CDC* dc, int index, POINT point, UINT style) const
{
    return ::ImageList_Draw(m_hImageList, index, dc->GetSafeHdc(), point.x, point.y, style);
}

BOOL CImageList::BeginDrag(int index, CPoint hotSpot)
{
    return ::ImageList_BeginDrag(m_hImageList, index, hotSpot.x, hotSpot.y);
}

BOOL CImageList::SetDragCursorImage(int index, CPoint hotSpot)
{
    return ::ImageList_SetDragCursorImage(m_hImageList, index, hotSpot.x, hotSpot.y);
}

BOOL CImageList::DragEnter(CWnd* lockWnd, CPoint point)
{
    return ::ImageList_DragEnter(lockWnd ? lockWnd->GetSafeHwnd() : nullptr, point.x, point.y);
}

BOOL CImageList::DragLeave(CWnd* lockWnd)
{
    return ::ImageList_DragLeave(lockWnd ? lockWnd->GetSafeHwnd() : nullptr);
}
