// CRectTracker: a rectangle the user moves or resizes with the mouse, or stretches as a rubber
// band. Tracking runs its own loop with the mouse captured; the frame is drawn with XOR, so it
// leaves the window as it found it. Derived trackers bound the rectangle in AdjustRect and
// draw their own frame in DrawTrackerRect.
#pragma once

#include "platform/base/geometry.h"

#include <windows.h>

class CDC;
class CWnd;

namespace fw
{
// XORs a frame of the given thickness with a halftone brush: first the last frame away (when
// lastRect is given and lastSize not zero), then the new one (when size is not zero).
void DrawDragFrame(HDC dc, LPCRECT rect, SIZE size, LPCRECT lastRect, SIZE lastSize);
} // namespace fw

class CRectTracker
{
public:
    enum StyleFlags
    {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32
    };
    // Handle codes: the eight handles clockwise from the top-left corner, then the inside.
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8
    };

    CRectTracker();
    CRectTracker(LPCRECT rect, UINT style);
    virtual ~CRectTracker() = default;

    // The frame, hatching and handles of the style.
    void Draw(CDC* dc) const;
    // The normalised rectangle with everything Draw paints around it.
    void GetTrueRect(LPRECT trueRect) const;
    // For WM_SETCURSOR in the client area over the tracker: the sizing cursor of the handle
    // under the mouse; FALSE elsewhere.
    BOOL SetCursor(CWnd* wnd, UINT hitTest) const;
    int HitTest(CPoint point) const;
    // The handle an inverted rectangle's handle stands for.
    int NormalizeHit(int handle) const;

    // Tracks from a press at point (client coordinates of wnd) on the handle under it, until
    // the button comes up; Escape or the right button cancel. The frame is drawn on clipTo
    // when given, else on wnd. TRUE when the rectangle changed.
    BOOL Track(CWnd* wnd, CPoint point, BOOL allowInvert = FALSE, CWnd* clipTo = nullptr);
    // Stretches a new rectangle from point; TRUE when it has a size.
    BOOL TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert = TRUE);

    // Draws the tracking frame of rect (wnd client coordinates) on dc; called to erase the
    // old frame (m_bErase) and to draw the new one, and once more with m_bFinalErase.
    virtual void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd);
    // Called at every mouse move of a track with the rectangle about to be drawn; the default
    // keeps a resized rectangle at least m_sizeMin.
    virtual void AdjustRect(int handle, LPRECT rect);
    virtual void OnChangedRect(const CRect& oldRect);
    // Bits 1 << handle of the handles shown: the corners, and the sides of a large rectangle.
    virtual UINT GetHandleMask() const;

    CRect m_rect;
    CSize m_sizeMin;
    int m_nHandleSize = 4;
    UINT m_nStyle = 0;

protected:
    // Tracks the given handle as Track does once it has found it.
    BOOL TrackHandle(int handle, CWnd* wnd, CPoint point, CWnd* clipTo);
    virtual int GetHandleSize(LPCRECT rect = nullptr) const;
    void GetHandleRect(int handle, CRect* handleRect) const;
    // The coordinates of m_rect that a handle moves (null when it moves none on that axis).
    void GetModifyPointers(int handle, LONG** x, LONG** y);

    BOOL m_bAllowInvert = FALSE;
    BOOL m_bErase = FALSE;
    BOOL m_bFinalErase = FALSE;
    CRect m_rectLast;
    CSize m_sizeLast;

private:
    int HitTestHandles(CPoint point) const;
    // One message of the tracking loop; false when tracking ends.
    bool TrackStep(const MSG& msg, int handle, CPoint grip, const CRect& start, CWnd* clipTo,
                   CDC* dc, CWnd* wnd, bool* moved, bool* cancelled);
};
