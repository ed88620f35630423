// Drag outlines: XOR frames on the locked desktop, or a topmost overlay window.
#include "platform/ctrl/dragoutline.h"

#include "platform/win/wnd.h"

#include <algorithm>

namespace
{
// Inverts the frame of rect size thick with the brush selected into dc.
void InvertFrame(HDC dc, const RECT& rect, SIZE size)
{
    CRect r(rect);
    r.NormalizeRect();
    const int cx = std::min<int>(size.cx, r.Width());
    const int cy = std::min<int>(size.cy, r.Height());
    ::PatBlt(dc, r.left, r.top, r.Width(), cy, PATINVERT);
    if (r.Height() > cy)
        ::PatBlt(dc, r.left, r.bottom - cy, r.Width(), cy, PATINVERT);
    if (r.Height() > 2 * cy)
    {
        ::PatBlt(dc, r.left, r.top + cy, cx, r.Height() - 2 * cy, PATINVERT);
        if (r.Width() > cx)
            ::PatBlt(dc, r.right - cx, r.top + cy, cx, r.Height() - 2 * cy, PATINVERT);
    }
}

// The overlay: a window shaped as the outline, painted with its brush, that takes no clicks
// and no activation.
class OutlineWindow : public CWnd
{
public:
    BOOL CreateOverlay()
    {
        const char* className = fw::RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
        return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE,
                        className, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
    }

    HBRUSH m_brush = nullptr;

    FW_MESSAGE_TABLE()

protected:
    BOOL OnEraseBkgnd(CDC* dc)
    {
        CRect client;
        GetClientRect(&client);
        ::FillRect(dc->GetSafeHdc(), &client, m_brush);
        return TRUE;
    }

    void PostNcDestroy() override { delete this; }
};

FW_TABLE(OutlineWindow, CWnd, fw::on<WM_ERASEBKGND, &OutlineWindow::OnEraseBkgnd>())
} // namespace

namespace fw
{
HBRUSH HalftoneDragBrush()
{
    thread_local HBRUSH brush = []
    {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        const HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        const HBRUSH made = ::CreatePatternBrush(bitmap);
        ::DeleteObject(bitmap);
        return made;
    }();
    return brush;
}

void DrawDragRect(HDC dc, LPCRECT rect, SIZE size, LPCRECT lastRect, SIZE lastSize, HBRUSH brush,
                  HBRUSH lastBrush)
{
    const HGDIOBJ old = ::SelectObject(dc, lastBrush ? lastBrush : HalftoneDragBrush());
    if (lastRect && (lastSize.cx || lastSize.cy))
        InvertFrame(dc, *lastRect, lastSize);
    ::SelectObject(dc, brush ? brush : HalftoneDragBrush());
    if (rect && (size.cx || size.cy))
        InvertFrame(dc, *rect, size);
    ::SelectObject(dc, old);
}

DragOutline::~DragOutline()
{
    End();
}

void DragOutline::Begin(Mode mode)
{
    End();
    m_active = true;
    if (mode != Mode::Overlay)
    {
        const HWND desktop = ::GetDesktopWindow();
        m_locked = ::LockWindowUpdate(desktop) != FALSE;
        const HDC dc = ::GetDCEx(desktop, nullptr,
                                 DCX_WINDOW | DCX_CACHE | (m_locked ? DCX_LOCKWINDOWUPDATE : 0));
        if (dc)
            m_dc.Attach(dc);
        if (dc && (mode == Mode::Xor || DesktopTakesXor()))
            return;
        if (dc)
            ::ReleaseDC(desktop, m_dc.Detach());
        if (m_locked)
            ::LockWindowUpdate(nullptr);
        m_locked = false;
    }
    auto* window = new OutlineWindow;
    if (window->CreateOverlay())
        m_overlay = window->m_hWnd;
}

bool DragOutline::DesktopTakesXor()
{
    // An inverted pixel must read back inverted; a composited desktop ignores the drawing.
    const HDC dc = m_dc.m_hDC;
    const COLORREF before = ::GetPixel(dc, 0, 0);
    ::PatBlt(dc, 0, 0, 1, 1, DSTINVERT);
    const COLORREF after = ::GetPixel(dc, 0, 0);
    ::PatBlt(dc, 0, 0, 1, 1, DSTINVERT);
    return before != CLR_INVALID && after != before;
}

void DragOutline::Show(const RECT& rect, SIZE size, HBRUSH brush)
{
    if (!m_active)
        return;
    if (m_overlay)
    {
        ShowOverlay(rect, size, brush);
    }
    else if (m_dc.m_hDC)
    {
        const bool hadOutline = m_size.cx || m_size.cy;
        DrawDragRect(m_dc.m_hDC, &rect, size, hadOutline ? &m_rect : nullptr, m_size, brush,
                     m_brush);
    }
    const bool shown = size.cx || size.cy;
    m_rect = shown ? CRect(rect) : CRect();
    m_size = shown ? CSize(size) : CSize();
    m_brush = brush;
}

void DragOutline::ShowOverlay(const RECT& rect, SIZE size, HBRUSH brush)
{
    auto* window = static_cast<OutlineWindow*>(CWnd::FromHandlePermanent(m_overlay));
    if (!size.cx && !size.cy)
    {
        ::ShowWindow(m_overlay, SW_HIDE);
        return;
    }
    CRect outer(rect);
    outer.NormalizeRect();
    // The window is the outline's ring: its region leaves the inside out.
    const HRGN ring = ::CreateRectRgn(0, 0, outer.Width(), outer.Height());
    const HRGN inside =
        ::CreateRectRgn(size.cx, size.cy, outer.Width() - size.cx, outer.Height() - size.cy);
    ::CombineRgn(ring, ring, inside, RGN_DIFF);
    ::DeleteObject(inside);
    if (window)
        window->m_brush = brush ? brush : HalftoneDragBrush();
    ::SetWindowRgn(m_overlay, ring, FALSE); // the window owns the region now
    ::SetWindowPos(m_overlay, HWND_TOPMOST, outer.left, outer.top, outer.Width(), outer.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_overlay, nullptr, TRUE);
    ::UpdateWindow(m_overlay);
}

void DragOutline::Hide()
{
    Show(m_rect, CSize(0, 0), m_brush);
}

void DragOutline::End()
{
    if (!m_active)
        return;
    Hide();
    if (m_dc.m_hDC)
        ::ReleaseDC(::GetDesktopWindow(), m_dc.Detach());
    if (m_locked)
        ::LockWindowUpdate(nullptr);
    m_locked = false;
    if (m_overlay)
        ::DestroyWindow(m_overlay);
    m_overlay = nullptr;
    m_active = false;
}
} // namespace fw
