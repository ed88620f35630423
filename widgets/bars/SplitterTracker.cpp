// The bounded tracker: hit codes to handles, clamping to the bounds, locked axes.
#include "widgets/bars/SplitterTracker.h"

#include "platform/win/dc.h"
#include "platform/win/wnd.h"

#include <algorithm>

namespace
{
constexpr int kFrameWidth = 2;
// A moved rectangle's top stays this far above the bottom of the bounds.
constexpr int kBottomMargin = 10;
} // namespace

CSplitterTracker::CSplitterTracker()
{
    m_rectLimit.SetRectEmpty();
}

int CSplitterTracker::HandleFromHitTest(UINT hitTest)
{
    switch (hitTest)
    {
    case HTLEFT: return hitLeft;
    case HTRIGHT: return hitRight;
    case HTTOP: return hitTop;
    case HTTOPLEFT: return hitTopLeft;
    case HTTOPRIGHT: return hitTopRight;
    case HTBOTTOM: return hitBottom;
    case HTBOTTOMLEFT: return hitBottomLeft;
    case HTBOTTOMRIGHT: return hitBottomRight;
    default: return hitMiddle;
    }
}

BOOL CSplitterTracker::TrackHandle(UINT hitTest, CWnd* wnd, CPoint point, CWnd* clipTo)
{
    m_rectStart = m_rect;
    return CRectTracker::TrackHandle(HandleFromHitTest(hitTest), wnd, point, clipTo);
}

void CSplitterTracker::DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd)
{
    CRect drawn(rect);
    drawn.NormalizeRect();
    if (clipTo && wnd)
        wnd->MapWindowPoints(clipTo, &drawn);
    const int width = (m_bFinalErase || m_bNoDragFrame) ? 0 : kFrameWidth;
    const CSize size(width, width);
    if (m_bRecordFirst)
    {
        // Someone else drew this frame already: only remember it, for the next swap.
        m_bRecordFirst = FALSE;
    }
    else if (m_bFinalErase || !m_bErase)
    {
        // The erase pass leaves the old frame for the draw pass, which swaps both at once.
        fw::DrawDragFrame(dc->GetSafeHdc(), &drawn, size, &m_rectLast, m_sizeLast);
    }
    m_rectLast = drawn;
    m_sizeLast = size;
}

void CSplitterTracker::AdjustRect(int handle, LPRECT rect)
{
    CRect r(*rect);
    const CRect& bounds = m_rectLimit;
    if (!bounds.IsRectNull() && handle == hitMiddle)
    {
        const CSize size = m_rectStart.Size();
        const LONG left = std::max(bounds.left, std::min(r.left, bounds.right));
        const LONG top = std::max(bounds.top, std::min(r.top, bounds.bottom - kBottomMargin));
        r.SetRect(left, top, left + size.cx, top + size.cy);
    }
    else if (!bounds.IsRectNull())
    {
        r.IntersectRect(&r, &bounds);
    }
    *rect = r;
    CRectTracker::AdjustRect(handle, rect);
    if (m_nStyle & kKeepVertical)
    {
        rect->top = m_rectStart.top;
        rect->bottom = m_rectStart.bottom;
    }
    if (m_nStyle & kKeepHorizontal)
    {
        rect->left = m_rectStart.left;
        rect->right = m_rectStart.right;
    }
}
