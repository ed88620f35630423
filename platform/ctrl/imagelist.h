// CImageList: an image list of the common controls. An object owns the list it created or
// attached and destroys it when it goes; FromHandle of a list without an object gives a
// temporary wrapper that owns nothing and must not be kept.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/object.h"

#include <windows.h>

#include <commctrl.h>

class CBitmap;
class CDC;
class CWnd;

class CImageList : public CObject
{
    FW_CLASS(CImageList, CObject)

public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    static CImageList* FromHandle(HIMAGELIST list);
    static CImageList* FromHandlePermanent(HIMAGELIST list);

    // An empty list of pictures cx by cy (ILC_* flags) that grows by grow.
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // The program's bitmap resource cut into pictures cx wide; mask is the transparent colour
    // (CLR_NONE for none).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    int GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT count) { return ::ImageList_SetImageCount(m_hImageList, count); }
    BOOL GetImageInfo(int index, IMAGEINFO* info) const;
    // Picture size in pixels; FALSE without a list.
    BOOL GetIconSize(int* cx, int* cy) const
    {
        return ::ImageList_GetIconSize(m_hImageList, cx, cy);
    }

    // Each Add returns the index of the first picture added, -1 on failure.
    int Add(CBitmap* bitmap, CBitmap* mask);
    int Add(CBitmap* bitmap, COLORREF mask);
    int Add(HICON icon) { return ::ImageList_AddIcon(m_hImageList, icon); }
    BOOL Replace(int index, CBitmap* bitmap, CBitmap* mask);
    int Replace(int index, HICON icon)
    {
        return ::ImageList_ReplaceIcon(m_hImageList, index, icon);
    }
    BOOL Remove(int index) { return ::ImageList_Remove(m_hImageList, index); }
    BOOL Copy(int target, int source, UINT flags = ILCF_MOVE);
    HICON ExtractIcon(int index) { return ::ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }
    BOOL SetOverlayImage(int index, int overlay);

    BOOL Draw(CDC* dc, int index, POINT point, UINT style) const;
    COLORREF SetBkColor(COLORREF color) { return ::ImageList_SetBkColor(m_hImageList, color); }
    COLORREF GetBkColor() const { return ::ImageList_GetBkColor(m_hImageList); }

    // Dragging a picture over windows (the common controls' drag image).
    BOOL BeginDrag(int index, CPoint hotSpot);
    BOOL SetDragCursorImage(int index, CPoint hotSpot);
    static void EndDrag() { ::ImageList_EndDrag(); }
    static BOOL DragEnter(CWnd* lockWnd, CPoint point);
    static BOOL DragLeave(CWnd* lockWnd);
    static BOOL DragMove(CPoint point) { return ::ImageList_DragMove(point.x, point.y); }
    static BOOL DragShowNolock(BOOL show) { return ::ImageList_DragShowNolock(show); }

    HIMAGELIST m_hImageList = nullptr;
};
