// CSplitterTracker: a rectangle tracker that keeps the rectangle inside a bounding rectangle
// and can lock one axis. A moved rectangle keeps its size with its top-left corner inside the
// bounds; a resized one is cut to them. The dock bars' splitters are dragged with it.
#pragma once

#include "platform/ctrl/tracker.h"

class CSplitterTracker : public CRectTracker
{
public:
    // Tracker style bits (m_nStyle) that lock an axis to the start rectangle.
    static constexpr UINT kKeepVertical = 0x100;   // top and bottom stay
    static constexpr UINT kKeepHorizontal = 0x200; // left and right stay

    CSplitterTracker();

    // Tracks from a press at point (client coordinates of wnd) as a window hit-test code says:
    // the sizing borders (HTLEFT..HTBOTTOMRIGHT) move their edges, any other code moves the
    // whole rectangle. TRUE when the mouse was released with the rectangle changed.
    BOOL TrackHandle(UINT hitTest, CWnd* wnd, CPoint point, CWnd* clipTo);
    // The tracker handle a window hit-test code stands for.
    static int HandleFromHitTest(UINT hitTest);

    // The drag frame, 2 pixels wide, drawn on clipTo's coordinates.
    void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd) override;
    // Bounds, then the base's minimum size, then the locked axes.
    void AdjustRect(int handle, LPRECT rect) override;

    CRect m_rectLimit;           // all zero: no bounds
    CRect m_rectStart;           // the rectangle when tracking began
    BOOL m_bNoDragFrame = FALSE; // track without showing the frame
    BOOL m_bRecordFirst = FALSE; // the first drawing only records where the frame is
};
