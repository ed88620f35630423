// COleDropTarget: one window's OLE drop target. Register hands OLE an IDropTarget whose calls
// arrive here as virtual callbacks with the point in the window's client coordinates.
#pragma once

#include "platform/base/geometry.h"
#include "platform/ole/oleinit.h"

#include <windows.h>

#include <ole2.h>

class CWnd;
class COleDataObject;

class COleDropTarget
{
public:
    COleDropTarget();
    // Revokes a registration that is still in place.
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Registers the window for drops (OLE is initialised if needed); FALSE when the window is
    // already registered or OLE refuses.
    BOOL Register(CWnd* wnd);
    void Revoke();
    HWND GetWindowHandle() const { return m_hWnd; }

    // The IDropTarget that OLE calls; holds no reference for the caller.
    IDropTarget* GetInterface();

    // The callbacks. A drag over the window runs OnDragEnter, then OnDragScroll and, unless it
    // answered DROPEFFECT_SCROLL, OnDragOver at every move, and ends with OnDragLeave or a
    // drop. A drop asks OnDragOver for the default effect, then OnDropEx; when that returns
    // -1 (not handled), OnDrop with the default effect, unless it is DROPEFFECT_NONE.
    virtual DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual void OnDragLeave(CWnd* wnd);
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point);
    virtual DROPEFFECT OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    // DROPEFFECT_NONE: no window scrolls by itself unless a derived target makes it.
    virtual DROPEFFECT OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point);

    // Auto-scrolling of drag targets: the border band (pixels) in which dragging scrolls, the
    // wait before the first step and between steps (milliseconds).
    static const int m_nScrollInset = DD_DEFSCROLLINSET;
    static const UINT m_nScrollDelay = DD_DEFSCROLLDELAY;
    static const UINT m_nScrollInterval = DD_DEFSCROLLINTERVAL;

protected:
    // The data being dragged over the window, null outside a drag; no reference is held for
    // derived classes, which may attach it to a COleDataObject without auto-release.
    IDataObject* m_lpDataObject = nullptr;

private:
    class Site;
    friend class Site;

    HWND m_hWnd = nullptr;
    Site* m_site; // owned through its reference count
};
