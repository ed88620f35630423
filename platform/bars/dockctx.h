// CDockContext: dragging a bar to dock or float it, resizing a floating bar, and docking
// toggled by a double click. Each step is virtual so that another context (the sizeable
// bars') can replace it. In the default drag the outline shows where the bar would go: the
// docked size over a dock bar, else the floating frame; Shift flips the orientation and Ctrl
// forces floating. A click that does not move changes nothing.
#pragma once

#include "platform/base/geometry.h"
#include "platform/ctrl/dragoutline.h"

#include <windows.h>

class CControlBar;
class CDC;
class CDockBar;
class CFrameWnd;

class CDockContext
{
public:
    explicit CDockContext(CControlBar* bar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Drag: starts at a screen point and returns when the drag ends.
    virtual void StartDrag(CPoint point);
    virtual void Move(CPoint point);
    virtual void EndDrag();
    virtual void OnKey(int key, BOOL down);
    // The alignment of the dock bar the drag rectangles are over, or 0 (floating).
    virtual DWORD CanDock();
    virtual CDockBar* GetDockBar(DWORD overDockStyle);

    // Resize of a floating bar from a border of its frame (hitTest HTLEFT...HTBOTTOMRIGHT).
    virtual void StartResize(int hitTest, CPoint point);
    virtual void Stretch(CPoint point);
    virtual void EndResize();

    // Double click: a floating bar docks where it was last docked, a docked one floats where
    // it last floated.
    virtual void ToggleDocking();

    // The modal mouse loop of a drag or resize; TRUE when it ended with the button released.
    virtual BOOL Track();
    virtual void InitLoop();
    virtual void CancelLoop();
    virtual void DrawFocusRect(BOOL removeRect = FALSE);
    // Sets *flag to value and, when that changes it, what the drag would do.
    virtual void UpdateState(BOOL* flag, BOOL value);

private:
    // Moves rect so that point lies within it.
    static void KeepPointInside(CRect& rect, CPoint point);
    // The floating frame's window rectangle around a bar of the given size.
    CRect FrameRectFor(CPoint topLeft, CSize barSize) const;

public:
    // The outline as last drawn (screen coordinates).
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;

    // Drag rectangles (screen): the bar docked horizontally or vertically, and its floating
    // frame in either orientation.
    CRect m_rectDragHorz;
    CRect m_rectDragVert;
    CRect m_rectFrameDragHorz;
    CRect m_rectFrameDragVert;

    CControlBar* m_pBar;         // the bar dragged; owns this context
    CFrameWnd* m_pDockSite;      // the frame it docks in
    DWORD m_dwDockStyle = 0;     // the sides the bar may dock on
    DWORD m_dwOverDockStyle = 0; // alignment of the dock bar under the drag, 0 for none
    DWORD m_dwStyle = 0;         // the bar's style when the drag began
    BOOL m_bFlip = FALSE;        // Shift: the other orientation
    BOOL m_bForceFrame = FALSE;  // Ctrl: float whatever is below
    CDC* m_pDC = nullptr;        // the screen DC the outline is drawn on, while dragging
    BOOL m_bDragging = FALSE;    // a drag (not a resize) runs

    // Where the bar goes back to.
    CPoint m_ptMRUFloatPos{-1, -1};       // screen top-left of its floating frame
    DWORD m_dwMRUFloatStyle = 0x00002000; // CBRS_ALIGN_TOP: how it floats
    UINT m_uMRUDockID = 0;                // the dock bar it was last docked in
    CRect m_rectMRUDockPos;               // its place there (dock bar client coordinates)

    // Resize state.
    int m_nHitTest = 0;
    CRect m_rectRequestedSize;   // the bar's size asked for by the mouse (screen)
    CRect m_rectActualSize;      // the size the bar takes for it
    CRect m_rectActualFrameSize; // the floating frame around it
    CRect m_rectFrameBorders;    // frame window minus bar window, per side
    CPoint m_ptStart;            // where the drag or resize began

protected:
    fw::DragOutline m_outline;
};
