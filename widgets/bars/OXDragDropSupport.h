// A drop target and a drop source that turn every drag-and-drop callback into a message sent
// to their window, so that a window handles drag and drop in its own message table instead of
// deriving from the drop classes. A message the window leaves unhandled (answering 0) gets
// the framework's default behaviour.
//
// A window owns one of each as members, registers the target on its window after creation
// (COXDropTarget::Register) and sets the source's owner before a drag; its table then takes
// WM_OX_DRAGENTER... with the record in lParam and answers non-zero, its answer in result.
#pragma once

#include "platform/ole/dataobject.h"
#include "platform/ole/dropsource.h"
#include "platform/ole/droptarget.h"

#include <windows.h>

// Sent by COXDropTarget to the window being dragged over (wParam 0, lParam OXDropRecord*).
constexpr UINT WM_OX_DRAGENTER = 0x80AD;
constexpr UINT WM_OX_DRAGLEAVE = 0x80AE;
constexpr UINT WM_OX_DRAGOVER = 0x80AF;
constexpr UINT WM_OX_DRAGSCROLL = 0x80B0;
constexpr UINT WM_OX_DROP = 0x80B1;
constexpr UINT WM_OX_DROPEX = 0x80B2;
// Sent by COXDropSource to its owner (wParam 0, lParam OXDragSourceRecord*).
constexpr UINT WM_OX_GIVEFEEDBACK = 0x80B3;
constexpr UINT WM_OX_BEGINDRAG = 0x80B4;
constexpr UINT WM_OX_QUERYCONTINUEDRAG = 0x80B5;

// What a drop target's message carries; words the callback does not give are 0. The record
// stays in the process, so its members are pointer-sized where they must be.
struct OXDropRecord
{
    CWnd* wnd;
    COleDataObject* data; // null for scrolling
    DWORD keyState;
    LONG x; // client coordinates of the window
    LONG y;
    DROPEFFECT effect;     // the drop effect (drop) or the default effect (drop with list)
    DROPEFFECT effectList; // drop with list
    LRESULT result;        // filled in by the window
};

struct OXDragSourceRecord
{
    CWnd* wnd;         // begin drag
    DWORD keyState;    // query continue drag
    BOOL escape;       // query continue drag
    DROPEFFECT effect; // give feedback
    LRESULT result;    // filled in by the window
};

// The scroll effect a window answers to WM_OX_DRAGSCROLL to have the target scroll it.
constexpr DROPEFFECT kOXDropEffectScroll = 0x80000000u;

class COXDropTarget : public COleDropTarget
{
public:
    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT dropDefault,
                        DROPEFFECT dropList, CPoint point) override;
    // The window decides; when it asks for the scroll effect, a window that is not a view is
    // scrolled here by one line per step while the point lies in the border band.
    DROPEFFECT OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point) override;

private:
    // The scroll code of a point: the horizontal part (0 left, 1 right, 0xFF none) in the high
    // byte, the vertical part (0 up, 1 down, 0xFF none) in the low byte; 0xFFFF for none.
    static UINT ScrollCodeAt(CWnd* wnd, CPoint point);
    DROPEFFECT ScrollWindowBy(CWnd* wnd, UINT code, DWORD keyState);
    void EndScrolling(CWnd* wnd, DWORD keyState, CPoint point);

    // Auto-scroll state of the current drag (the base keeps none).
    UINT m_scrollCode = 0xFFFF;
    ULONGLONG m_scrollTick = 0;
    UINT m_scrollDelay = 0; // milliseconds before the next step
};

class COXDropSource : public COleDropSource
{
public:
    BOOL OnBeginDrag(CWnd* wnd) override;
    SCODE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    SCODE GiveFeedback(DROPEFFECT effect) override;

    // The window that receives the messages; set by the owning object before a drag.
    CWnd* m_pOwner = nullptr;

private:
    // Sends the record to the owner; false when there is none or it answered 0.
    bool Ask(UINT msg, OXDragSourceRecord& record) const;
};
