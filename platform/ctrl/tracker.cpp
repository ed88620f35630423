// The rectangle tracker: hit testing, drawing, and the captured tracking loop.
#include "platform/ctrl/tracker.h"

#include "platform/ctrl/dragoutline.h"
#include "platform/win/dc.h"
#include "platform/win/wnd.h"

#include <cstdlib>

namespace
{
// Moves the edge being dragged so that the extent from the fixed edge (measured in the
// direction the moved edge normally lies: +1 right or down, -1 left or up) is at least
// minimum; an inverted extent keeps its side when inverting is allowed.
void EnforceMinimum(LONG* moved, LONG fixed, int direction, LONG minimum, bool allowInvert)
{
    const LONG extent = direction * (*moved - fixed);
    if ((allowInvert ? std::labs(extent) : extent) >= minimum)
        return;
    *moved = fixed + direction * (allowInvert && extent < 0 ? -minimum : minimum);
}
} // namespace

namespace fw
{
void DrawDragFrame(HDC dc, LPCRECT rect, SIZE size, LPCRECT lastRect, SIZE lastSize)
{
    DrawDragRect(dc, rect, size, lastRect, lastSize);
}
} // namespace fw

CRectTracker::CRectTracker() = default;

CRectTracker::CRectTracker(LPCRECT rect, UINT style)
    : m_rect(rect)
    , m_nStyle(style)
{
}

void CRectTracker::Draw(CDC* dc) const
{
    const HDC hdc = dc->GetSafeHdc();
    const int saved = ::SaveDC(hdc);
    CRect rect = m_rect;
    rect.NormalizeRect();
    ::SetBkMode(hdc, TRANSPARENT);
    const HPEN pen = ::CreatePen((m_nStyle & dottedLine) ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
    const HBRUSH hatch = ::CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
    if (m_nStyle & (solidLine | dottedLine))
    {
        ::SelectObject(hdc, pen);
        ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(hdc, rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    }
    if (m_nStyle & hatchInside)
        ::FillRect(hdc, &rect, hatch);
    if (m_nStyle & hatchedBorder)
    {
        const int size = GetHandleSize(&rect);
        CRect outer = rect;
        outer.InflateRect(size, size);
        const RECT bands[] = {{outer.left, outer.top, outer.right, rect.top},
                              {outer.left, rect.bottom, outer.right, outer.bottom},
                              {outer.left, rect.top, rect.left, rect.bottom},
                              {rect.right, rect.top, outer.right, rect.bottom}};
        for (const RECT& band : bands)
            ::FillRect(hdc, &band, hatch);
    }
    if (m_nStyle & (resizeInside | resizeOutside))
    {
        const UINT mask = GetHandleMask();
        ::SetBkColor(hdc, RGB(0, 0, 0));
        for (int handle = hitTopLeft; handle <= hitLeft; ++handle)
        {
            if (!(mask & (1u << handle)))
                continue;
            CRect handleRect;
            GetHandleRect(handle, &handleRect);
            ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &handleRect, nullptr, 0, nullptr);
        }
    }
    ::RestoreDC(hdc, saved);
    ::DeleteObject(pen);
    ::DeleteObject(hatch);
}

void CRectTracker::GetTrueRect(LPRECT trueRect) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    int inflate = 0;
    if (m_nStyle & (resizeOutside | hatchedBorder))
        inflate = GetHandleSize();
    rect.InflateRect(inflate, inflate);
    rect.right += 1; // the frame's own pixel on the far edges
    rect.bottom += 1;
    *trueRect = rect;
}

BOOL CRectTracker::SetCursor(CWnd* wnd, UINT hitTest) const
{
    if (hitTest != HTCLIENT || !wnd)
        return FALSE;
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(wnd->GetSafeHwnd(), &point);
    const int handle = HitTest(CPoint(point.x, point.y));
    if (handle < 0)
        return FALSE;
    static const LPCSTR kCursors[] = {IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE,
                                      IDC_SIZENESW, IDC_SIZENS,   IDC_SIZEWE,
                                      IDC_SIZENS,   IDC_SIZEWE,   IDC_SIZEALL};
    ::SetCursor(::LoadCursorA(nullptr, kCursors[NormalizeHit(handle)]));
    return TRUE;
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect trueRect;
    GetTrueRect(&trueRect);
    if (!trueRect.PtInRect(point))
        return hitNothing;
    if (m_nStyle & (resizeInside | resizeOutside))
    {
        const int handle = HitTestHandles(point);
        if (handle != hitNothing)
            return handle;
    }
    return hitMiddle;
}

int CRectTracker::NormalizeHit(int handle) const
{
    if (handle == hitMiddle || handle == hitNothing)
        return handle;
    // Left and right handles trade places in a rectangle turned inside out, as do top and
    // bottom.
    static const int kFlipX[] = {hitTopRight, hitTopLeft, hitBottomLeft, hitBottomRight,
                                 hitTop,      hitLeft,    hitBottom,     hitRight};
    static const int kFlipY[] = {hitBottomLeft, hitBottomRight, hitTopRight, hitTopLeft,
                                 hitBottom,     hitRight,       hitTop,      hitLeft};
    if (m_rect.right < m_rect.left)
        handle = kFlipX[handle];
    if (m_rect.bottom < m_rect.top)
        handle = kFlipY[handle];
    return handle;
}

BOOL CRectTracker::Track(CWnd* wnd, CPoint point, BOOL allowInvert, CWnd* clipTo)
{
    const int handle = HitTestHandles(point);
    if (handle < 0 && !CRect(m_rect).PtInRect(point))
        return FALSE;
    m_bAllowInvert = allowInvert;
    return TrackHandle(handle < 0 ? hitMiddle : handle, wnd, point, clipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert)
{
    m_bAllowInvert = allowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, wnd, point, nullptr);
}

void CRectTracker::DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd)
{
    CRect r(rect);
    r.NormalizeRect();
    if (clipTo && wnd)
        ::MapWindowPoints(wnd->GetSafeHwnd(), clipTo->GetSafeHwnd(),
                          reinterpret_cast<LPPOINT>(static_cast<RECT*>(&r)), 2);
    CSize size(0, 0);
    if (!m_bFinalErase)
    {
        if (m_nStyle & hatchedBorder)
        {
            const int band = GetHandleSize(&r) - 1 > 1 ? GetHandleSize(&r) - 1 : 1;
            size = CSize(band, band);
            r.InflateRect(size);
        }
        else
        {
            size = CSize(1, 1);
        }
    }
    // The erase pass leaves the old frame for the draw pass, which swaps both at once.
    if (m_bFinalErase || !m_bErase)
        fw::DrawDragFrame(dc->GetSafeHdc(), &r, size, &m_rectLast, m_sizeLast);
    m_rectLast = r;
    m_sizeLast = size;
}

void CRectTracker::AdjustRect(int handle, LPRECT)
{
    if (handle < 0 || handle == hitMiddle)
        return;
    LONG* x = nullptr;
    LONG* y = nullptr;
    GetModifyPointers(handle, &x, &y);
    const bool invert = m_bAllowInvert != FALSE;
    if (x == &m_rect.left)
        EnforceMinimum(x, m_rect.right, -1, m_sizeMin.cx, invert);
    else if (x)
        EnforceMinimum(x, m_rect.left, 1, m_sizeMin.cx, invert);
    if (y == &m_rect.top)
        EnforceMinimum(y, m_rect.bottom, -1, m_sizeMin.cy, invert);
    else if (y)
        EnforceMinimum(y, m_rect.top, 1, m_sizeMin.cy, invert);
}

void CRectTracker::OnChangedRect(const CRect&)
{
}

UINT CRectTracker::GetHandleMask() const
{
    UINT mask = 0x0F; // the corners
    const int size = m_nHandleSize;
    if (std::abs(m_rect.Width()) - size > 4 * size)
        mask |= (1u << hitTop) | (1u << hitBottom);
    if (std::abs(m_rect.Height()) - size > 4 * size)
        mask |= (1u << hitLeft) | (1u << hitRight);
    return mask;
}

int CRectTracker::GetHandleSize(LPCRECT) const
{
    return m_nHandleSize;
}

void CRectTracker::GetHandleRect(int handle, CRect* handleRect) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    const int size = GetHandleSize();
    // Inside handles stand in the rectangle's corners; outside ones just beyond them.
    if (m_nStyle & resizeOutside)
        rect.InflateRect(size - 1, size - 1);
    const int left = rect.left;
    const int right = rect.right - size;
    const int top = rect.top;
    const int bottom = rect.bottom - size;
    const int midX = rect.left + (rect.Width() - size) / 2;
    const int midY = rect.top + (rect.Height() - size) / 2;
    const POINT corners[] = {{left, top}, {right, top},  {right, bottom}, {left, bottom},
                             {midX, top}, {right, midY}, {midX, bottom},  {left, midY}};
    const POINT at = corners[NormalizeHit(handle)];
    *handleRect = CRect(at.x, at.y, at.x + size, at.y + size);
}

void CRectTracker::GetModifyPointers(int handle, LONG** x, LONG** y)
{
    LONG* const xs[] = {&m_rect.left,  &m_rect.right, &m_rect.right, &m_rect.left, nullptr,
                        &m_rect.right, nullptr,       &m_rect.left,  &m_rect.left};
    LONG* const ys[] = {&m_rect.top, &m_rect.top,    &m_rect.bottom, &m_rect.bottom, &m_rect.top,
                        nullptr,     &m_rect.bottom, nullptr,        &m_rect.top};
    *x = handle >= 0 && handle <= hitMiddle ? xs[handle] : nullptr;
    *y = handle >= 0 && handle <= hitMiddle ? ys[handle] : nullptr;
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    if (!(m_nStyle & (resizeInside | resizeOutside)))
        return hitNothing;
    const UINT mask = GetHandleMask();
    for (int handle = hitTopLeft; handle <= hitLeft; ++handle)
    {
        if (!(mask & (1u << handle)))
            continue;
        CRect handleRect;
        GetHandleRect(handle, &handleRect);
        if (handleRect.PtInRect(point))
            return handle;
    }
    return hitNothing;
}

BOOL CRectTracker::TrackHandle(int handle, CWnd* wnd, CPoint point, CWnd* clipTo)
{
    // Someone else tracking the mouse, or no window: nothing to do.
    if (!wnd || !wnd->GetSafeHwnd() || ::GetCapture())
        return FALSE;
    const HWND hwnd = wnd->GetSafeHwnd();
    ::UpdateWindow(hwnd);
    if (clipTo)
        ::UpdateWindow(clipTo->GetSafeHwnd());
    const CRect start = m_rect;
    LONG* x = nullptr;
    LONG* y = nullptr;
    GetModifyPointers(handle, &x, &y);
    // Where the mouse holds the moved edges, so that they keep their distance from it.
    const CPoint grip(x ? point.x - *x : 0, y ? point.y - *y : 0);

    const HWND drawHwnd = clipTo ? clipTo->GetSafeHwnd() : hwnd;
    const HDC hdc = ::GetDCEx(drawHwnd, nullptr, DCX_CACHE);
    CDC* dc = CDC::FromHandle(hdc);
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    ::SetCapture(hwnd);
    bool moved = false;
    bool cancelled = false;
    for (;;)
    {
        MSG msg = {};
        if (::GetCapture() != hwnd || !::GetMessageA(&msg, nullptr, 0, 0))
        {
            if (msg.message == WM_QUIT)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            cancelled = true;
            break;
        }
        if (!TrackStep(msg, handle, grip, start, clipTo, dc, wnd, &moved, &cancelled))
            break;
    }
    if (cancelled && moved)
    {
        m_bErase = m_bFinalErase = TRUE;
        DrawTrackerRect(&m_rect, clipTo, dc, wnd);
    }
    ::ReleaseDC(drawHwnd, hdc);
    if (::GetCapture() == hwnd)
        ::ReleaseCapture();
    if (cancelled || !moved)
        m_rect = start;
    m_bErase = m_bFinalErase = FALSE;
    return m_rect != start;
}

bool CRectTracker::TrackStep(const MSG& msg, int handle, CPoint grip, const CRect& start,
                             CWnd* clipTo, CDC* dc, CWnd* wnd, bool* moved, bool* cancelled)
{
    switch (msg.message)
    {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    {
        const CRect old = m_rect;
        LONG* x = nullptr;
        LONG* y = nullptr;
        GetModifyPointers(handle, &x, &y);
        const CPoint mouse =
            CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        if (x)
            *x = mouse.x - grip.x;
        if (y)
            *y = mouse.y - grip.y;
        if (handle == hitMiddle)
        {
            m_rect.right = m_rect.left + start.Width();
            m_rect.bottom = m_rect.top + start.Height();
        }
        AdjustRect(handle, &m_rect);
        m_bFinalErase = msg.message == WM_LBUTTONUP;
        if (m_rect != old || m_bFinalErase)
        {
            if (*moved)
            {
                m_bErase = TRUE;
                DrawTrackerRect(&old, clipTo, dc, wnd);
            }
            OnChangedRect(old);
            if (!m_bFinalErase)
                *moved = true;
        }
        if (m_bFinalErase)
            return false;
        if (m_rect != old)
        {
            m_bErase = FALSE;
            DrawTrackerRect(&m_rect, clipTo, dc, wnd);
        }
        return true;
    }
    case WM_KEYDOWN:
        if (msg.wParam != VK_ESCAPE)
            return true;
        *cancelled = true;
        return false;
    case WM_RBUTTONDOWN: *cancelled = true; return false;
    default: ::DispatchMessageA(&msg); return true;
    }
}
