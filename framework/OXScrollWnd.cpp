// COXScrollWnd: scroll sizes, device-context mapping, positions, scrolling and the bars.
// Zoom, the context menu, keyboard and wheel are in OXScrollWnd_input.cpp.
#include "framework/OXScrollWnd.h"

#include "platform/win/dc.h"
#include "platform/win/scrollbar.h"
#include "resources/ids/framework_ids.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace
{
// A memory DC compatible with the screen, for conversions between logical and device units.
class CScreenMappingDC
{
public:
    CScreenMappingDC()
        : m_dc(::CreateCompatibleDC(nullptr))
    {
    }
    ~CScreenMappingDC() { ::DeleteDC(m_dc); }
    CScreenMappingDC(const CScreenMappingDC&) = delete;
    CScreenMappingDC& operator=(const CScreenMappingDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};

bool IsPageCode(UINT code)
{
    return code == SB_PAGEUP || code == SB_PAGEDOWN;
}

bool IsLineCode(UINT code)
{
    return code == SB_LINEUP || code == SB_LINEDOWN;
}

// The position a scroll code asks for on one axis; the caller clamps it.
int NextPosition(UINT code, int current, int thumb, int line, int page)
{
    switch (code)
    {
    case SB_TOP: return 0;
    case SB_BOTTOM: return INT_MAX;
    case SB_LINEUP: return current - line;
    case SB_LINEDOWN: return current + line;
    case SB_PAGEUP: return current - page;
    case SB_PAGEDOWN: return current + page;
    case SB_THUMBTRACK: return thumb;
    default: return current; // thumb position, end scroll, none (0xFF)
    }
}

int Clamp(long long value, int low, int high)
{
    return static_cast<int>(std::max<long long>(low, std::min<long long>(value, high)));
}

// A zero page takes a tenth of the total, a zero line a tenth of the page (per axis).
void ApplyDefaultSizes(const CSize& total, CSize& page, CSize& line)
{
    if (page.cx == 0)
        page.cx = total.cx / 10;
    if (page.cy == 0)
        page.cy = total.cy / 10;
    if (line.cx == 0)
        line.cx = page.cx / 10;
    if (line.cy == 0)
        line.cy = page.cy / 10;
}

CSize Absolute(CSize size)
{
    return CSize(std::abs(size.cx), std::abs(size.cy));
}

// Thumb positions are read from the bar as 32-bit values; the message carries 16 bits.
UINT ThumbPosition(const CWnd* wnd, int bar, UINT code, UINT pos, CScrollBar* scrollBar)
{
    if (code != SB_THUMBTRACK && code != SB_THUMBPOSITION)
        return pos;
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    const BOOL found = scrollBar ? scrollBar->GetScrollInfo(&info, SIF_TRACKPOS)
                                 : wnd->GetScrollInfo(bar, &info, SIF_TRACKPOS);
    return found ? static_cast<UINT>(info.nTrackPos) : pos;
}
} // namespace

FW_TABLE(
    COXScrollWnd, CWnd, fw::on<WM_CREATE, &COXScrollWnd::OnCreate>(),
    fw::on<WM_HSCROLL, &COXScrollWnd::OnHScroll>(), fw::on<WM_VSCROLL, &COXScrollWnd::OnVScroll>(),
    fw::on<WM_WINDOWPOSCHANGED, &COXScrollWnd::OnWindowPosChanged>(),
    fw::on<WM_SIZE, &COXScrollWnd::OnSize>(),
    fw::on<WM_CONTEXTMENU, &COXScrollWnd::OnContextMenu>(),
    fw::on<WM_LBUTTONDOWN, &COXScrollWnd::OnLButtonDown>(),
    fw::on<WM_MOUSEWHEEL, &COXScrollWnd::OnMouseWheel>(),
    fw::on<WM_MOUSEACTIVATE, &COXScrollWnd::OnMouseActivate>(),
    fw::on<WM_KEYDOWN, &COXScrollWnd::OnKeyDown>(),
    fw::command_range<ID_OXSCROLL_ZOOM_10, ID_OXSCROLL_ZOOM_1000, &COXScrollWnd::OnZoomLevel>(),
    fw::command<ID_OXSCROLL_ZOOM_TO_CONTENT, &COXScrollWnd::OnZoomToContent>(),
    fw::command<ID_OXSCROLL_ALWAYS_FIT, &COXScrollWnd::OnAlwaysFitWindow>(),
    fw::command<ID_OXSCROLL_TRACK_ZOOM, &COXScrollWnd::OnUseTrackZoom>(),
    fw::command<ID_OXSCROLL_SMOOTH, &COXScrollWnd::OnSmoothScrolling>())

COXScrollWnd::COXScrollWnd() = default;

COXScrollWnd::~COXScrollWnd() = default;

void COXScrollWnd::SetScrollSizes(int mapMode, SIZE sizeTotal, SIZE sizePage, SIZE sizeLine)
{
    const int oldMapMode = m_nMapMode;
    m_nMapMode = mapMode;
    m_bFromRect = FALSE;
    m_totalLog = sizeTotal;
    m_rectContent = CRect(0, 0, sizeTotal.cx, mapMode == MM_TEXT ? sizeTotal.cy : -sizeTotal.cy);
    m_pageDev = Absolute(LogicalToDeviceSize(sizePage, false));
    m_lineDev = Absolute(LogicalToDeviceSize(sizeLine, false));
    ComputeDeviceSizes();
    ApplyDefaultSizes(m_totalDev, m_pageDev, m_lineDev);
    if (m_hWnd)
    {
        UpdateBars();
        if (oldMapMode != mapMode)
            Invalidate(TRUE);
    }
}

void COXScrollWnd::SetScrollSizesFromRect(SIZE sizeDevice, const RECT& rectLogical,
                                          SIZE pagePercent, SIZE linePercent)
{
    const int oldMapMode = m_nMapMode;
    m_nMapMode = MM_ANISOTROPIC;
    m_bFromRect = TRUE;
    m_rectContent = rectLogical;
    m_totalLog = CSize(std::abs(m_rectContent.Width()), std::abs(m_rectContent.Height()));
    // A rectangle that runs upwards (bottom above top) shows with y growing up.
    const bool isUpwards = rectLogical.bottom < rectLogical.top;
    m_viewportExt = CSize(sizeDevice.cx, isUpwards ? -sizeDevice.cy : sizeDevice.cy);
    m_pagePercent = pagePercent;
    m_linePercent = linePercent;
    ComputeDeviceSizes();
    m_pageDev = CSize();
    m_lineDev = CSize();
    ApplyDefaultSizes(m_totalDev, m_pageDev, m_lineDev);
    if (m_hWnd)
    {
        UpdateBars();
        if (oldMapMode != m_nMapMode)
            Invalidate(TRUE);
    }
}

void COXScrollWnd::ComputeDeviceSizes()
{
    if (m_bFromRect)
    {
        CSize total = Absolute(m_viewportExt);
        ZoomSize(total);
        m_totalDev = total;
        return;
    }
    m_totalDev = Absolute(LogicalToDeviceSize(m_totalLog, true));
}

void COXScrollWnd::ApplyMapping(HDC dc, bool withZoom) const
{
    ::SetMapMode(dc, m_nMapMode);
    if (m_nMapMode == MM_ANISOTROPIC && m_bFromRect)
    {
        ::SetWindowExtEx(dc, m_totalLog.cx, m_totalLog.cy, nullptr);
        ::SetViewportExtEx(dc, m_viewportExt.cx, m_viewportExt.cy, nullptr);
    }
    else
    {
        SIZE windowExt = {1000, 1000};
        SIZE viewportExt = {1000, 1000};
        // Text mode stays 1:1, at a precision that survives the zoom.
        if (m_nMapMode != MM_TEXT)
        {
            ::GetWindowExtEx(dc, &windowExt);
            ::GetViewportExtEx(dc, &viewportExt);
        }
        ::SetMapMode(dc, MM_ANISOTROPIC);
        ::SetWindowExtEx(dc, windowExt.cx, windowExt.cy, nullptr);
        ::SetViewportExtEx(dc, viewportExt.cx, viewportExt.cy, nullptr);
    }
    if (withZoom)
        ::ScaleViewportExtEx(dc, m_nZoomLevel, 100, m_nZoomLevel, 100, nullptr);
}

// Text mode is 1:1 at zoom 100: its conversions need no DC (the history converts on every
// line it adds).
CPoint COXScrollWnd::DeviceToLogical(POINT device, bool withZoom) const
{
    if (m_nMapMode == 0)
        return device;
    if (m_nMapMode == MM_TEXT)
    {
        const int zoom = withZoom ? m_nZoomLevel : 100;
        return CPoint(::MulDiv(device.x, 100, zoom), ::MulDiv(device.y, 100, zoom));
    }
    CScreenMappingDC dc;
    ApplyMapping(dc, withZoom);
    ::SetWindowOrgEx(dc, m_rectContent.left, m_rectContent.top, nullptr);
    POINT point = device;
    ::DPtoLP(dc, &point, 1);
    return point;
}

CPoint COXScrollWnd::LogicalToDevice(POINT logical, bool withZoom) const
{
    if (m_nMapMode == 0)
        return logical;
    if (m_nMapMode == MM_TEXT)
    {
        const int zoom = withZoom ? m_nZoomLevel : 100;
        return CPoint(::MulDiv(logical.x, zoom, 100), ::MulDiv(logical.y, zoom, 100));
    }
    CScreenMappingDC dc;
    ApplyMapping(dc, withZoom);
    ::SetWindowOrgEx(dc, m_rectContent.left, m_rectContent.top, nullptr);
    POINT point = logical;
    ::LPtoDP(dc, &point, 1);
    return point;
}

CSize COXScrollWnd::LogicalToDeviceSize(SIZE logical, bool withZoom) const
{
    if (m_nMapMode == 0 || m_nMapMode == MM_TEXT)
    {
        const CPoint device = LogicalToDevice(CPoint(logical.cx, logical.cy), withZoom);
        return CSize(device.x, device.y);
    }
    CScreenMappingDC dc;
    ApplyMapping(dc, withZoom);
    POINT points[2] = {{0, 0}, {logical.cx, logical.cy}};
    ::LPtoDP(dc, points, 2);
    return CSize(points[1].x - points[0].x, points[1].y - points[0].y);
}

void COXScrollWnd::OnPrepareDC(CDC* dc, CPrintInfo*)
{
    if (m_nMapMode == 0 || !dc)
        return;
    const HDC handles[2] = {dc->m_hDC, dc->m_hAttribDC};
    for (int i = 0; i < 2; ++i)
    {
        const HDC handle = handles[i];
        if (!handle || (i == 1 && handle == handles[0]))
            continue;
        ApplyMapping(handle, !dc->m_bPrinting);
        if (dc->m_bPrinting)
        {
            ::SetViewportOrgEx(handle, 0, 0, nullptr);
            continue;
        }
        ::SetWindowOrgEx(handle, m_rectContent.left, m_rectContent.top, nullptr);
        const CPoint origin = GetContentOrigin();
        ::SetViewportOrgEx(handle, origin.x, origin.y, nullptr);
    }
}

CPoint COXScrollWnd::GetContentOrigin() const
{
    CPoint origin = -GetDeviceScrollPosition();
    if (!m_hWnd)
        return origin;
    CRect client;
    GetClientRect(&client);
    const int column = m_nContentAlignment % 3; // 0 left, 1 centre, 2 right
    const int row = m_nContentAlignment / 3;    // 0 top, 1 centre, 2 bottom
    if (m_totalDev.cx < client.Width())
        origin.x += (client.Width() - m_totalDev.cx) * column / 2;
    if (m_totalDev.cy < client.Height())
        origin.y += (client.Height() - m_totalDev.cy) * row / 2;
    return origin;
}

void COXScrollWnd::FillOutsideRect(CDC* dc, CBrush* brush)
{
    if (!dc || !brush || !m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const CPoint origin = GetContentOrigin();
    const CRect content(origin.x, origin.y, origin.x + m_totalDev.cx, origin.y + m_totalDev.cy);
    const int saved = dc->SaveDC();
    ::SetMapMode(dc->m_hDC, MM_TEXT);
    ::SetViewportOrgEx(dc->m_hDC, 0, 0, nullptr);
    ::SetWindowOrgEx(dc->m_hDC, 0, 0, nullptr);
    const HRGN outside = ::CreateRectRgnIndirect(&client);
    const HRGN covered = ::CreateRectRgnIndirect(&content);
    ::CombineRgn(outside, outside, covered, RGN_DIFF);
    ::FillRgn(dc->m_hDC, outside, *brush);
    ::DeleteObject(covered);
    ::DeleteObject(outside);
    dc->RestoreDC(saved);
}

CPoint COXScrollWnd::GetDeviceScrollPosition() const
{
    if (!m_hWnd)
        return CPoint(0, 0);
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

bool COXScrollWnd::IsBarUsable(int bar) const
{
    if (const CScrollBar* control = GetScrollBarCtrl(bar))
        return control->IsWindowEnabled() != FALSE;
    return (GetStyle() & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

CSize COXScrollWnd::AnchorOffset(int anchor) const
{
    if (anchor == anchorStored)
        anchor = m_nScrollAnchor;
    CRect client;
    GetClientRect(&client);
    const bool hasHorz = IsBarUsable(SB_HORZ);
    const bool hasVert = IsBarUsable(SB_VERT);
    switch (anchor)
    {
    case anchorBottomLeft: return CSize(0, hasVert ? client.Height() : m_totalDev.cy - 1);
    case anchorCenter:
        return CSize(hasHorz ? client.Width() / 2 : m_totalDev.cx / 2,
                     hasVert ? client.Height() / 2 : m_totalDev.cy / 2);
    default: return CSize(0, 0);
    }
}

CPoint COXScrollWnd::GetScrollPosition(int anchor) const
{
    if (!m_hWnd)
        return CPoint(0, 0);
    const CPoint device = GetDeviceScrollPosition() + AnchorOffset(anchor);
    return DeviceToLogical(device);
}

void COXScrollWnd::ScrollToPosition(POINT logical, int anchor)
{
    if (!m_hWnd)
        return;
    const CPoint device = LogicalToDevice(logical) - AnchorOffset(anchor);
    ScrollToDevicePosition(CPoint(Clamp(device.x, 0, std::max(0, GetScrollLimit(SB_HORZ))),
                                  Clamp(device.y, 0, std::max(0, GetScrollLimit(SB_VERT)))));
}

void COXScrollWnd::ScrollToDevicePosition(POINT devicePos)
{
    const CPoint before = GetDeviceScrollPosition();
    if (before.x != devicePos.x)
        SetScrollPos(SB_HORZ, devicePos.x);
    if (before.y != devicePos.y)
        SetScrollPos(SB_VERT, devicePos.y);
    const CPoint after = GetDeviceScrollPosition();
    if (after != before)
        ScrollWindow(before.x - after.x, before.y - after.y);
}

CSize COXScrollWnd::GetAvailableSize(CSize& barRoom) const
{
    CRect client;
    GetClientRect(&client);
    CSize available = client.Size();
    const DWORD style = GetStyle();
    const int border = (style & WS_BORDER) ? ::GetSystemMetrics(SM_CXBORDER) : 0;
    barRoom = CSize(0, 0);
    // Borrowed bars take no room from this window.
    if (!GetScrollBarCtrl(SB_VERT))
    {
        barRoom.cx = ::GetSystemMetrics(SM_CXVSCROLL) - border;
        if (style & WS_VSCROLL)
            available.cx += barRoom.cx;
    }
    if (!GetScrollBarCtrl(SB_HORZ))
    {
        barRoom.cy = ::GetSystemMetrics(SM_CYHSCROLL) - border;
        if (style & WS_HSCROLL)
            available.cy += barRoom.cy;
    }
    return available;
}

void COXScrollWnd::UpdateBars()
{
    if (m_bInsideUpdate || !m_hWnd || m_nMapMode == 0)
        return;
    struct Guard
    {
        BOOL& flag;
        ~Guard() { flag = FALSE; }
    } guard{m_bInsideUpdate = TRUE};

    CSize barRoom;
    const CSize available = GetAvailableSize(barRoom);
    if (m_bFromRect)
    {
        m_pageDev =
            CSize(available.cx * m_pagePercent.cx / 100, available.cy * m_pagePercent.cy / 100);
        m_lineDev =
            CSize(available.cx * m_linePercent.cx / 100, available.cy * m_linePercent.cy / 100);
        ApplyDefaultSizes(m_totalDev, m_pageDev, m_lineDev);
    }

    // One bar can make the other necessary.
    bool needHorz = m_totalDev.cx > available.cx;
    bool needVert = m_totalDev.cy > available.cy;
    CSize view = available;
    if (needVert)
        view.cx -= barRoom.cx;
    if (needHorz)
        view.cy -= barRoom.cy;
    if (!needHorz && m_totalDev.cx > view.cx)
    {
        needHorz = true;
        view.cy -= barRoom.cy;
    }
    if (!needVert && m_totalDev.cy > view.cy)
    {
        needVert = true;
        view.cx -= barRoom.cx;
    }
    view.cx = std::max<LONG>(view.cx, 0);
    view.cy = std::max<LONG>(view.cy, 0);

    const CPoint before = GetDeviceScrollPosition();
    const CPoint after(needHorz ? Clamp(before.x, 0, m_totalDev.cx - view.cx) : 0,
                       needVert ? Clamp(before.y, 0, m_totalDev.cy - view.cy) : 0);
    SetBar(SB_HORZ, needHorz, m_totalDev.cx, view.cx, after.x);
    SetBar(SB_VERT, needVert, m_totalDev.cy, view.cy, after.y);
    if (after != before)
        ScrollWindow(before.x - after.x, before.y - after.y);
}

void COXScrollWnd::SetBar(int bar, bool isNeeded, int total, int view, int pos)
{
    // Only what changes is set: showing a bar of the window's own frames it anew.
    const bool isShown = IsBarUsable(bar);
    if (isShown != isNeeded)
        EnableScrollBarCtrl(bar, isNeeded);
    SCROLLINFO wanted = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    wanted.nMax = isNeeded ? total - 1 : 0;
    wanted.nPage = isNeeded ? static_cast<UINT>(view) : 0;
    wanted.nPos = pos;
    SCROLLINFO current = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    if (isShown == isNeeded && GetScrollInfo(bar, &current, SIF_RANGE | SIF_PAGE | SIF_POS) &&
        current.nMin == 0 && current.nMax == wanted.nMax && current.nPage == wanted.nPage &&
        current.nPos == wanted.nPos)
        return;
    SetScrollInfo(bar, &wanted, TRUE);
}

BOOL COXScrollWnd::OnScroll(UINT scrollCode, UINT pos, BOOL doScroll)
{
    const UINT horzCode = LOBYTE(scrollCode);
    const UINT vertCode = HIBYTE(scrollCode);
    if (m_bSmoothScroll && !m_bSmoothScrolling && (IsPageCode(horzCode) || IsPageCode(vertCode)))
        return SmoothScroll(scrollCode, pos, doScroll);
    const CPoint current = GetDeviceScrollPosition();
    const int thumb = static_cast<int>(pos);
    const int x = NextPosition(horzCode, current.x, thumb, m_lineDev.cx, m_pageDev.cx);
    const int y = NextPosition(vertCode, current.y, thumb, m_lineDev.cy, m_pageDev.cy);
    const CSize distance(Clamp(static_cast<long long>(x) - current.x, INT_MIN, INT_MAX),
                         Clamp(static_cast<long long>(y) - current.y, INT_MIN, INT_MAX));
    const BOOL scrolled = OnScrollBy(distance, doScroll);
    if (scrolled && doScroll)
        UpdateWindow();
    return scrolled;
}

BOOL COXScrollWnd::OnScrollBy(CSize sizeScroll, BOOL doScroll)
{
    const CPoint current = GetDeviceScrollPosition();
    CPoint next = current;
    if (IsBarUsable(SB_HORZ))
        next.x = Clamp(static_cast<long long>(current.x) + sizeScroll.cx, 0,
                       std::max(0, GetScrollLimit(SB_HORZ)));
    if (IsBarUsable(SB_VERT))
        next.y = Clamp(static_cast<long long>(current.y) + sizeScroll.cy, 0,
                       std::max(0, GetScrollLimit(SB_VERT)));
    if (next == current)
        return FALSE;
    if (doScroll)
    {
        ScrollWindow(current.x - next.x, current.y - next.y);
        if (next.x != current.x)
            SetScrollPos(SB_HORZ, next.x);
        if (next.y != current.y)
            SetScrollPos(SB_VERT, next.y);
    }
    return TRUE;
}

BOOL COXScrollWnd::SmoothScroll(UINT scrollCode, UINT pos, BOOL doScroll)
{
    if (m_bSmoothScrolling)
        return FALSE;
    // Per axis: the line code of each step, the number of steps, the step and the distance.
    struct Axis
    {
        UINT stepCode = 0xFF;
        int steps = 0;
        int step = 0;
        int distance = 0;
    };
    const auto split = [this](UINT code, int line, int page)
    {
        Axis axis;
        if (IsPageCode(code))
        {
            axis = {code == SB_PAGEUP ? UINT(SB_LINEUP) : UINT(SB_LINEDOWN), m_nPageSteps,
                    m_nPageSteps > 0 ? page / m_nPageSteps : page, page};
        }
        else if (IsLineCode(code))
        {
            axis = {code, m_nLineSteps, m_nLineSteps > 0 ? line / m_nLineSteps : line, line};
        }
        return axis;
    };
    const Axis horz = split(LOBYTE(scrollCode), m_lineDev.cx, m_pageDev.cx);
    const Axis vert = split(HIBYTE(scrollCode), m_lineDev.cy, m_pageDev.cy);
    // The step sizes of call i; past the steps, one call moves what is left.
    const auto stepOf = [](const Axis& axis, int i)
    {
        if (axis.stepCode == 0xFF)
            return 0;
        return i < axis.steps ? axis.step
                              : (i == axis.steps ? axis.distance - axis.step * axis.steps : 0);
    };

    const CSize savedLine = m_lineDev;
    m_bSmoothScrolling = TRUE;
    BOOL scrolled = FALSE;
    ULONGLONG lastStep = 0;
    const int calls = std::max(horz.steps, vert.steps) + 1;
    for (int i = 0; i < calls; ++i)
    {
        const CSize step(stepOf(horz, i), stepOf(vert, i));
        if (step.cx <= 0 && step.cy <= 0)
            continue;
        const ULONGLONG now = ::GetTickCount64();
        if (lastStep != 0 && now < lastStep + static_cast<ULONGLONG>(m_nStepDelay))
            ::Sleep(static_cast<DWORD>(lastStep + m_nStepDelay - now));
        m_lineDev = step;
        const UINT code =
            MAKEWORD(step.cx > 0 ? horz.stepCode : 0xFF, step.cy > 0 ? vert.stepCode : 0xFF);
        const BOOL moved = OnScroll(code, pos, doScroll);
        lastStep = ::GetTickCount64();
        if (!moved)
            break;
        scrolled = TRUE;
    }
    m_lineDev = savedLine;
    m_bSmoothScrolling = FALSE;
    return scrolled;
}

void COXScrollWnd::SetSmoothScrollSteps(int lineSteps, int pageSteps, int delayMs)
{
    m_nLineSteps = std::max(lineSteps, 1);
    m_nPageSteps = std::max(pageSteps, 1);
    m_nStepDelay = std::max(delayMs, 0);
}

BOOL COXScrollWnd::Initialize()
{
    return TRUE;
}

void COXScrollWnd::RunInitialize()
{
    m_isInitialized = true;
    m_isCreating = false;
}

BOOL COXScrollWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    m_isCreating = true;
    return CWnd::PreCreateWindow(cs);
}

void COXScrollWnd::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    // An existing window being subclassed gets its hook here; a new one at WM_CREATE.
    if (!m_isCreating && !m_isInitialized)
    {
        RunInitialize();
        Initialize();
    }
}

int COXScrollWnd::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    if (m_isInitialized)
        return 0;
    RunInitialize();
    return Initialize() ? 0 : -1;
}

void COXScrollWnd::OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar)
{
    OnScroll(MAKEWORD(code, 0xFF), ThumbPosition(this, SB_HORZ, code, pos, scrollBar));
}

void COXScrollWnd::OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar)
{
    OnScroll(MAKEWORD(0xFF, code), ThumbPosition(this, SB_VERT, code, pos, scrollBar));
}

void COXScrollWnd::OnWindowPosChanged(WINDOWPOS* pos)
{
    Default();
    if (pos->flags & SWP_NOSIZE)
        return;
    if (m_bAlwaysFit)
        ZoomToWindow();
    if (m_nMapMode != 0)
        UpdateBars();
}

// A container that shows a page again at the size it had tells it by WM_SIZE alone; its
// borrowed bars are new then and need the ranges again.
void COXScrollWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_nMapMode != 0 && !m_bAlwaysFit)
        UpdateBars();
}

int COXScrollWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    SetFocus();
    return MA_NOACTIVATE;
}
