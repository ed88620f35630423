// COXScrollWnd: zoom (to a level, the window, a rectangle or a dragged band), the context menu,
// keyboard and mouse-wheel scrolling.
#include "framework/OXScrollWnd.h"
#include "platform/ctrl/tracker.h"
#include "platform/win/dc.h"
#include "platform/win/menu.h"
#include "platform/win/resource.h"
#include "resources/ids/framework_ids.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{
// The zoom commands in id order, with the levels they set.
constexpr int kZoomLevels[] = {10, 25, 50, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
static_assert(ID_OXSCROLL_ZOOM_1000 - ID_OXSCROLL_ZOOM_10 + 1 == std::size(kZoomLevels),
              "one command per zoom level");
static_assert(IDS_OXSCROLL_ZOOM_1000 - IDS_OXSCROLL_ZOOM_10 + 1 == std::size(kZoomLevels),
              "one text per zoom level");

constexpr int kMinTrackBand = 8; // pixels; a smaller band is taken for a click

CString LoadText(UINT id)
{
    CString text;
    fw::LoadResourceString(id, text);
    return text;
}

int ClampZoom(long long percent)
{
    return static_cast<int>(
        std::clamp<long long>(percent, COXScrollWnd::kMinZoom, COXScrollWnd::kMaxZoom));
}

// Lines per wheel notch, worked out once per process: a Magellan driver's answer, else the
// system setting.
UINT WheelScrollLines()
{
    static const UINT lines = []
    {
        const UINT message = ::RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");
        const HWND wheelWindow = ::FindWindowA("MouseZ", "Magellan MSWHEEL");
        if (wheelWindow && message)
            return static_cast<UINT>(::SendMessageA(wheelWindow, message, 0, 0));
        UINT count = 3;
        ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &count, 0);
        return count;
    }();
    return lines;
}
} // namespace

int COXScrollWnd::SetZoomLevel(int percent, int anchor)
{
    const int previous = m_nZoomLevel;
    const int zoom = ClampZoom(percent);
    if (zoom == previous)
        return previous;
    if (m_nMapMode == 0 || !m_hWnd)
    {
        m_nZoomLevel = zoom;
        ComputeDeviceSizes();
        return previous;
    }
    const CPoint logical = GetScrollPosition(anchor);
    m_nZoomLevel = zoom;
    ComputeDeviceSizes();
    UpdateBars();
    ScrollToPosition(logical, anchor);
    Invalidate(TRUE);
    return previous;
}

int COXScrollWnd::ZoomToFit(SIZE sizeLogical) const
{
    CRect client;
    GetClientRect(&client);
    const CSize clientLogical(std::abs(DeviceToLogical(CPoint(client.right, 0), false).x -
                                       DeviceToLogical(CPoint(0, 0), false).x),
                              std::abs(DeviceToLogical(CPoint(0, client.bottom), false).y -
                                       DeviceToLogical(CPoint(0, 0), false).y));
    long long zoom = kMaxZoom;
    if (sizeLogical.cx != 0)
        zoom = std::min<long long>(
            zoom, std::llround(clientLogical.cx * 100.0 / std::abs(sizeLogical.cx)));
    if (sizeLogical.cy != 0)
        zoom = std::min<long long>(
            zoom, std::llround(clientLogical.cy * 100.0 / std::abs(sizeLogical.cy)));
    return ClampZoom(zoom);
}

void COXScrollWnd::ZoomToWindow()
{
    if (m_nMapMode == 0 || !m_hWnd)
        return;
    SetZoomLevel(ZoomToFit(m_totalLog));
}

void COXScrollWnd::ZoomToRectangle(const RECT& rect, int anchor)
{
    if (m_nMapMode == 0 || !m_hWnd)
        return;
    if (anchor == anchorStored)
        anchor = m_nScrollAnchor;
    CRect band(rect);
    band.NormalizeRect();
    band &= VisibleContent();
    if (band.IsRectEmpty())
        return;
    const CPoint origin = GetContentOrigin();
    band -= origin; // device units from the content's corner
    const CPoint topLeft = DeviceToLogical(band.TopLeft());
    const CPoint bottomRight = DeviceToLogical(band.BottomRight());
    const CSize sizeLogical(std::abs(bottomRight.x - topLeft.x),
                            std::abs(bottomRight.y - topLeft.y));
    if (sizeLogical.cx == 0 || sizeLogical.cy == 0)
        return;
    CPoint target = topLeft;
    if (anchor == anchorBottomLeft)
        target = DeviceToLogical(CPoint(band.left, band.bottom));
    else if (anchor == anchorCenter)
        target = DeviceToLogical(band.CenterPoint());
    m_nZoomLevel = ZoomToFit(sizeLogical);
    ComputeDeviceSizes();
    UpdateBars();
    ScrollToPosition(target, anchor);
    Invalidate(TRUE);
}

CRect COXScrollWnd::VisibleContent() const
{
    const CPoint origin = GetContentOrigin();
    CRect client;
    GetClientRect(&client);
    return client & CRect(origin.x, origin.y, origin.x + m_totalDev.cx, origin.y + m_totalDev.cy);
}

void COXScrollWnd::TrackZoom(CPoint point)
{
    CRectTracker tracker;
    if (!tracker.TrackRubberBand(this, point, TRUE))
        return;
    const CPoint origin = GetContentOrigin();
    CRect band(tracker.m_rect);
    band.NormalizeRect();
    band &= VisibleContent();
    if (band.Width() < kMinTrackBand || band.Height() < kMinTrackBand)
        return;
    CRect client;
    GetClientRect(&client);
    const double ratio = std::min(client.Width() / static_cast<double>(band.Width()),
                                  client.Height() / static_cast<double>(band.Height()));
    const CPoint corner = DeviceToLogical(CPoint(band.left - origin.x, band.top - origin.y));
    SetZoomLevel(static_cast<int>(ratio * m_nZoomLevel));
    ScrollToPosition(corner, anchorTopLeft);
}

void COXScrollWnd::SetContentAlignment(int alignment)
{
    m_nContentAlignment = std::clamp(alignment, int(alignTopLeft), int(alignBottomRight));
    if (m_hWnd)
        Invalidate(TRUE);
}

void COXScrollWnd::SetAlwaysFitWindow(BOOL alwaysFit)
{
    m_bAlwaysFit = alwaysFit;
    if (alwaysFit)
        ZoomToWindow();
}

void COXScrollWnd::SizeToContent()
{
    if (!m_hWnd)
        return;
    RECT rect = {0, 0, m_totalDev.cx, m_totalDev.cy};
    ::AdjustWindowRectEx(&rect, static_cast<DWORD>(GetStyle()) & ~(WS_HSCROLL | WS_VSCROLL), FALSE,
                         static_cast<DWORD>(GetExStyle()));
    SetWindowPos(nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void COXScrollWnd::ZoomSize(CSize& size) const
{
    size.cx = ::MulDiv(size.cx, m_nZoomLevel, 100);
    size.cy = ::MulDiv(size.cy, m_nZoomLevel, 100);
}

void COXScrollWnd::UnzoomSize(CSize& size) const
{
    size.cx = ::MulDiv(size.cx, 100, m_nZoomLevel);
    size.cy = ::MulDiv(size.cy, 100, m_nZoomLevel);
}

void COXScrollWnd::ZoomRect(CRect& rect) const
{
    rect = CRect(::MulDiv(rect.left, m_nZoomLevel, 100), ::MulDiv(rect.top, m_nZoomLevel, 100),
                 ::MulDiv(rect.right, m_nZoomLevel, 100), ::MulDiv(rect.bottom, m_nZoomLevel, 100));
}

void COXScrollWnd::UnzoomRect(CRect& rect) const
{
    rect = CRect(::MulDiv(rect.left, 100, m_nZoomLevel), ::MulDiv(rect.top, 100, m_nZoomLevel),
                 ::MulDiv(rect.right, 100, m_nZoomLevel), ::MulDiv(rect.bottom, 100, m_nZoomLevel));
}

void COXScrollWnd::PrinterToScreen(CDC* printer, CSize& size)
{
    const HDC screen = ::GetDC(nullptr);
    size.cx =
        ::MulDiv(size.cx, ::GetDeviceCaps(screen, LOGPIXELSX), printer->GetDeviceCaps(LOGPIXELSX));
    size.cy =
        ::MulDiv(size.cy, ::GetDeviceCaps(screen, LOGPIXELSY), printer->GetDeviceCaps(LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
}

void COXScrollWnd::ScreenToPrinter(CDC* printer, CSize& size)
{
    const HDC screen = ::GetDC(nullptr);
    size.cx =
        ::MulDiv(size.cx, printer->GetDeviceCaps(LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSX));
    size.cy =
        ::MulDiv(size.cy, printer->GetDeviceCaps(LOGPIXELSY), ::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
}

void COXScrollWnd::BuildContextMenu(CMenu& popup) const
{
    CMenu zoomMenu;
    zoomMenu.CreatePopupMenu();
    for (size_t i = 0; i < std::size(kZoomLevels); ++i)
    {
        const UINT check = kZoomLevels[i] == m_nZoomLevel ? MF_CHECKED : MF_UNCHECKED;
        zoomMenu.AppendMenu(MF_STRING | check, ID_OXSCROLL_ZOOM_10 + i,
                            LoadText(IDS_OXSCROLL_ZOOM_10 + static_cast<UINT>(i)));
    }
    const UINT fitGrayed = m_bAlwaysFit ? MF_GRAYED : MF_ENABLED;
    popup.AppendMenu(MF_POPUP | fitGrayed, reinterpret_cast<UINT_PTR>(zoomMenu.Detach()),
                     LoadText(IDS_OXSCROLL_ZOOM));
    popup.AppendMenu(MF_STRING | fitGrayed, ID_OXSCROLL_ZOOM_TO_CONTENT,
                     LoadText(IDS_OXSCROLL_ZOOM_TO_CONTENT));
    if (m_nZoomLevel != 100 && !m_bAlwaysFit)
        popup.AppendMenu(MF_STRING, ID_OXSCROLL_ZOOM_100, LoadText(IDS_OXSCROLL_ZOOM_100));
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING | (m_bAlwaysFit ? MF_CHECKED : MF_UNCHECKED), ID_OXSCROLL_ALWAYS_FIT,
                     LoadText(IDS_OXSCROLL_ALWAYS_FIT));
    popup.AppendMenu(MF_STRING | (m_bTrackZoom ? MF_CHECKED : MF_UNCHECKED), ID_OXSCROLL_TRACK_ZOOM,
                     LoadText(IDS_OXSCROLL_TRACK_ZOOM));
    popup.AppendMenu(MF_STRING | (m_bSmoothScroll ? MF_CHECKED : MF_UNCHECKED), ID_OXSCROLL_SMOOTH,
                     LoadText(IDS_OXSCROLL_SMOOTH));
}

BOOL COXScrollWnd::PrepareContextMenu(CMenu*, CPoint&)
{
    return TRUE;
}

void COXScrollWnd::OnContextMenu(CWnd*, CPoint point)
{
    if (!m_bContextMenu)
    {
        Default();
        return;
    }
    CMenu popup;
    if (!popup.CreatePopupMenu())
        return;
    BuildContextMenu(popup);
    if (point.x == -1 && point.y == -1) // from the keyboard: the window's corner
    {
        point = CPoint(0, 0);
        ClientToScreen(&point);
    }
    if (PrepareContextMenu(&popup, point))
        popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void COXScrollWnd::OnZoomLevel(UINT id)
{
    SetZoomLevel(kZoomLevels[id - ID_OXSCROLL_ZOOM_10]);
}

void COXScrollWnd::OnZoomToContent()
{
    ZoomToWindow();
}

void COXScrollWnd::OnAlwaysFitWindow()
{
    SetAlwaysFitWindow(!m_bAlwaysFit);
}

void COXScrollWnd::OnUseTrackZoom()
{
    m_bTrackZoom = !m_bTrackZoom;
}

void COXScrollWnd::OnSmoothScrolling()
{
    m_bSmoothScroll = !m_bSmoothScroll;
}

void COXScrollWnd::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_bTrackZoom && !m_bAlwaysFit && m_nMapMode != 0)
    {
        TrackZoom(point);
        return;
    }
    CWnd::OnLButtonDown(flags, point);
}

BOOL COXScrollWnd::OnKeyScroll(UINT key, UINT, UINT)
{
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    UINT message = WM_HSCROLL;
    UINT code = 0;
    switch (key)
    {
    case VK_TAB: code = shift ? SB_PAGEUP : SB_PAGEDOWN; break;
    case VK_PRIOR:
        message = WM_VSCROLL;
        code = SB_PAGEUP;
        break;
    case VK_NEXT:
        message = WM_VSCROLL;
        code = SB_PAGEDOWN;
        break;
    case VK_HOME:
        message = control ? WM_VSCROLL : WM_HSCROLL;
        code = SB_TOP;
        break;
    case VK_END:
        message = control ? WM_VSCROLL : WM_HSCROLL;
        code = SB_BOTTOM;
        break;
    case VK_LEFT: code = SB_LINEUP; break;
    case VK_RIGHT: code = SB_LINEDOWN; break;
    case VK_UP:
        message = WM_VSCROLL;
        code = SB_LINEUP;
        break;
    case VK_DOWN:
        message = WM_VSCROLL;
        code = SB_LINEDOWN;
        break;
    default: return FALSE;
    }
    SendMessage(message, MAKEWPARAM(code, 0), 0);
    return TRUE;
}

void COXScrollWnd::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (!OnKeyScroll(key, repeat, flags))
        Default();
}

BOOL COXScrollWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN &&
        OnKeyScroll(static_cast<UINT>(msg->wParam), LOWORD(msg->lParam), HIWORD(msg->lParam)))
        return TRUE;
    return CWnd::PreTranslateMessage(msg);
}

BOOL COXScrollWnd::OnMouseWheel(UINT flags, short delta, CPoint)
{
    // The wheel with Shift or Ctrl is left alone here.
    if (flags & (MK_SHIFT | MK_CONTROL))
        return FALSE;
    const bool isVertical = IsBarUsable(SB_VERT);
    if (!isVertical && !IsBarUsable(SB_HORZ))
        return FALSE;
    const int page = isVertical ? m_pageDev.cy : m_pageDev.cx;
    const int line = isVertical ? m_lineDev.cy : m_lineDev.cx;
    const UINT lines = WheelScrollLines();
    int distance = 0;
    const int count =
        lines == WHEEL_PAGESCROLL ? 0 : ::MulDiv(-delta, static_cast<int>(lines), WHEEL_DELTA);
    if (lines == WHEEL_PAGESCROLL || count == -1)
        distance = delta > 0 ? -page : page;
    else
        distance = std::clamp(count * line, -page, page);
    const CSize scroll = isVertical ? CSize(0, distance) : CSize(distance, 0);
    const BOOL scrolled = OnScrollBy(scroll, TRUE);
    if (scrolled)
        UpdateWindow();
    return scrolled;
}
