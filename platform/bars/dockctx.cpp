// CDockContext: the drag loop, docking or floating at its end, resizing floating bars and
// toggling by double click.
#include "platform/bars/dockctx.h"

#include "platform/bars/dockbar.h"
#include "platform/bars/minidock.h"
#include "platform/base/exception.h"
#include "platform/docview/frame.h"
#include "platform/sys/services.h"

#include <windowsx.h>

namespace
{
bool IsHorizontal(DWORD style)
{
    return (style & CBRS_ORIENT_HORZ) != 0;
}

// The mouse position of a mouse message in screen coordinates.
CPoint ScreenPointOf(const MSG& msg)
{
    POINT point = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ::ClientToScreen(msg.hwnd, &point);
    return point;
}

CSize FrameThickness()
{
    return CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
}

// Floats bar; when no floating frame can be made the bar stays where it is.
void FloatOrStay(CFrameWnd* site, CControlBar* bar, CPoint point, DWORD style)
{
    try
    {
        site->FloatControlBar(bar, point, style);
    }
    catch (CException* e)
    {
        sys::Get().Log("A floating frame could not be made; the bar stays where it was.");
        e->Delete();
    }
}
} // namespace

CDockContext::CDockContext(CControlBar* bar)
    : m_pBar(bar)
    , m_pDockSite(bar->GetDockingFrame())
{
}

CDockContext::~CDockContext()
{
    m_outline.End();
}

void CDockContext::InitLoop()
{
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bDitherLast = FALSE;
    m_bFlip = FALSE;
    m_bForceFrame = FALSE;
    m_outline.Begin();
    m_pDC = m_outline.GetDC();
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    m_outline.End();
    m_pDC = nullptr;
    m_bDragging = FALSE;
}

void CDockContext::KeepPointInside(CRect& rect, CPoint point)
{
    if (point.x < rect.left)
        rect.OffsetRect(point.x - rect.left, 0);
    else if (point.x >= rect.right)
        rect.OffsetRect(point.x - rect.right + 1, 0);
    if (point.y < rect.top)
        rect.OffsetRect(0, point.y - rect.top);
    else if (point.y >= rect.bottom)
        rect.OffsetRect(0, point.y - rect.bottom + 1);
}

CRect CDockContext::FrameRectFor(CPoint topLeft, CSize barSize) const
{
    // The client of a floating frame is the bar; the frame adds its caption and borders.
    CRect rect(topLeft, barSize);
    ::AdjustWindowRectEx(&rect, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_TOOLWINDOW);
    rect.OffsetRect(topLeft - rect.TopLeft());
    return rect;
}

void CDockContext::StartDrag(CPoint point)
{
    if (!m_pDockSite)
        m_pDockSite = m_pBar->GetDockingFrame();
    if (!m_pDockSite)
        return;
    m_bDragging = TRUE;
    InitLoop();
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle;
    m_ptLast = point;
    m_ptStart = point;

    CRect barRect;
    m_pBar->GetWindowRect(&barRect);
    const CSize horz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
    const CSize vert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
    m_rectDragHorz = CRect(barRect.TopLeft(), horz);
    m_rectDragVert = CRect(barRect.TopLeft(), vert);
    // Floating, a dynamic bar takes the width it last had; others keep their docked shape.
    const bool dynamic = (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
    const CSize floatHorz = dynamic ? m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH) : horz;
    const CSize floatVert = dynamic ? floatHorz : vert;
    CPoint frameOrigin = barRect.TopLeft();
    if (m_pBar->IsFloating())
    {
        CRect frameRect;
        m_pBar->GetParentFrame()->GetWindowRect(&frameRect);
        frameOrigin = frameRect.TopLeft();
    }
    m_rectFrameDragHorz = FrameRectFor(frameOrigin, floatHorz);
    m_rectFrameDragVert = FrameRectFor(frameOrigin, floatVert);

    for (CRect* rect :
         {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        KeepPointInside(*rect, point);

    m_dwOverDockStyle = CanDock();
    Move(point);
    Track();
}

void CDockContext::Move(CPoint point)
{
    const CSize offset = point - m_ptLast;
    for (CRect* rect :
         {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        rect->OffsetRect(offset);
    m_ptLast = point;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int key, BOOL down)
{
    if (key == VK_CONTROL)
        UpdateState(&m_bForceFrame, down);
    else if (key == VK_SHIFT)
        UpdateState(&m_bFlip, down);
}

void CDockContext::UpdateState(BOOL* flag, BOOL value)
{
    if (*flag == value)
        return;
    *flag = value;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

DWORD CDockContext::CanDock()
{
    // The bar's own orientation first (Shift flips it); without Shift the other as well.
    const bool horzFirst = IsHorizontal(m_dwStyle) != (m_bFlip != FALSE);
    const DWORD horzSides = m_dwDockStyle & CBRS_ORIENT_HORZ;
    const DWORD vertSides = m_dwDockStyle & CBRS_ORIENT_VERT;
    DWORD found = 0;
    if (horzFirst && horzSides)
        found = m_pDockSite->CanDock(m_rectDragHorz, horzSides);
    else if (!horzFirst && vertSides)
        found = m_pDockSite->CanDock(m_rectDragVert, vertSides);
    if (found || m_bFlip)
        return found;
    if (horzFirst && vertSides)
        found = m_pDockSite->CanDock(m_rectDragVert, vertSides);
    else if (!horzFirst && horzSides)
        found = m_pDockSite->CanDock(m_rectDragHorz, horzSides);
    return found;
}

CDockBar* CDockContext::GetDockBar(DWORD overDockStyle)
{
    CDockBar* dockBar = nullptr;
    if (IsHorizontal(overDockStyle))
        m_pDockSite->CanDock(m_rectDragHorz, overDockStyle & CBRS_ORIENT_HORZ, &dockBar);
    else if (overDockStyle & CBRS_ORIENT_VERT)
        m_pDockSite->CanDock(m_rectDragVert, overDockStyle & CBRS_ORIENT_VERT, &dockBar);
    return dockBar;
}

void CDockContext::DrawFocusRect(BOOL removeRect)
{
    CRect rect;
    CSize size(0, 0);
    HBRUSH brush = nullptr;
    m_bDitherLast = FALSE;
    if (!removeRect)
    {
        if (!m_bDragging)
        {
            rect = m_rectActualFrameSize;
            size = FrameThickness();
        }
        else if (m_dwOverDockStyle)
        {
            rect = IsHorizontal(m_dwOverDockStyle) ? m_rectDragHorz : m_rectDragVert;
            size = CSize(1, 1);
            brush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        }
        else
        {
            const bool horz = IsHorizontal(m_dwStyle) != (m_bFlip != FALSE);
            rect = horz ? m_rectFrameDragHorz : m_rectFrameDragVert;
            size = FrameThickness();
            m_bDitherLast = TRUE;
        }
    }
    m_outline.Show(rect, size, brush);
    m_rectLast = m_outline.ShownRect();
    m_sizeLast = size;
}

BOOL CDockContext::Track()
{
    if (::GetCapture())
    {
        CancelLoop();
        return FALSE;
    }
    const HWND barWindow = m_pBar->m_hWnd;
    ::SetCapture(barWindow);
    while (::GetCapture() == barWindow)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE:
            if (m_bDragging)
                Move(ScreenPointOf(msg));
            else
                Stretch(ScreenPointOf(msg));
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), msg.message == WM_KEYDOWN);
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN: CancelLoop(); return FALSE;
        default: ::DispatchMessageA(&msg); break;
        }
    }
    CancelLoop();
    return FALSE;
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_ptLast == m_ptStart)
        return; // a click: the bar stays as it is
    if (m_dwOverDockStyle)
    {
        CDockBar* dockBar = GetDockBar(m_dwOverDockStyle);
        if (!dockBar)
            return;
        const CRect rect = IsHorizontal(m_dwOverDockStyle) ? m_rectDragHorz : m_rectDragVert;
        m_pDockSite->DockControlBar(m_pBar, dockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    const bool horz = IsHorizontal(m_dwStyle) != (m_bFlip != FALSE);
    const CRect& frame = horz ? m_rectFrameDragHorz : m_rectFrameDragVert;
    m_ptMRUFloatPos = frame.TopLeft();
    m_dwMRUFloatStyle =
        (horz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    FloatOrStay(m_pDockSite, m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void CDockContext::StartResize(int hitTest, CPoint point)
{
    CFrameWnd* frame = m_pBar->GetParentFrame();
    if (!frame || !m_pBar->IsFloating())
        return;
    m_bDragging = FALSE;
    m_nHitTest = hitTest;
    m_ptStart = point;
    m_ptLast = point;
    InitLoop();
    m_pBar->GetWindowRect(&m_rectRequestedSize);
    m_rectActualSize = m_rectRequestedSize;
    frame->GetWindowRect(&m_rectActualFrameSize);
    m_rectFrameBorders = CRect(m_rectActualSize.left - m_rectActualFrameSize.left,
                               m_rectActualSize.top - m_rectActualFrameSize.top,
                               m_rectActualFrameSize.right - m_rectActualSize.right,
                               m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
    DrawFocusRect();
    Track();
}

void CDockContext::Stretch(CPoint point)
{
    const CSize offset = point - m_ptLast;
    switch (m_nHitTest)
    {
    case HTLEFT:
    case HTTOPLEFT:
    case HTBOTTOMLEFT: m_rectRequestedSize.left += offset.cx; break;
    case HTRIGHT:
    case HTTOPRIGHT:
    case HTBOTTOMRIGHT: m_rectRequestedSize.right += offset.cx; break;
    default: break;
    }
    switch (m_nHitTest)
    {
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT: m_rectRequestedSize.top += offset.cy; break;
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT: m_rectRequestedSize.bottom += offset.cy; break;
    default: break;
    }
    m_ptLast = point;
    // The bar answers with the size it takes for the length asked; the frame's edge opposite
    // the one dragged stays.
    const bool byHeight = m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM;
    const int length = byHeight ? m_rectRequestedSize.Height() : m_rectRequestedSize.Width();
    const CSize size =
        m_pBar->CalcDynamicLayout(std::max(0, length), LM_HORZ | (byHeight ? LM_LENGTHY : 0));
    CRect actual = m_rectRequestedSize;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
        actual.left = actual.right - size.cx;
    else
        actual.right = actual.left + size.cx;
    if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
        actual.top = actual.bottom - size.cy;
    else
        actual.bottom = actual.top + size.cy;
    m_rectActualSize = actual;
    m_rectActualFrameSize =
        CRect(actual.left - m_rectFrameBorders.left, actual.top - m_rectFrameBorders.top,
              actual.right + m_rectFrameBorders.right, actual.bottom + m_rectFrameBorders.bottom);
    DrawFocusRect();
}

void CDockContext::EndResize()
{
    CancelLoop();
    if (m_ptLast == m_ptStart)
        return;
    const bool byHeight = m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM;
    const int length = byHeight ? m_rectActualSize.Height() : m_rectActualSize.Width();
    m_pBar->CalcDynamicLayout(length, LM_HORZ | LM_COMMIT | (byHeight ? LM_LENGTHY : 0));
    CFrameWnd* frame = m_pBar->GetParentFrame();
    if (!frame)
        return;
    frame->SetWindowPos(nullptr, m_rectActualFrameSize.left, m_rectActualFrameSize.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame->RecalcLayout();
}

void CDockContext::ToggleDocking()
{
    if (!m_pDockSite)
        m_pDockSite = m_pBar->GetDockingFrame();
    if (!m_pDockSite)
        return;
    if (m_pBar->IsFloating())
    {
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        auto* dockBar = m_uMRUDockID
                            ? dynamic_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID))
                            : nullptr;
        // Back into its old place when it left one there, else where it last lay.
        const UINT barId = static_cast<UINT>(m_pBar->GetDlgCtrlID());
        if (!dockBar ||
            dockBar->FindBar(static_cast<CControlBar*>(CDockBar::Placeholder(barId))) > 0)
        {
            m_pDockSite->DockControlBar(m_pBar, dockBar, nullptr);
        }
        else
        {
            CRect rect = m_rectMRUDockPos;
            dockBar->ClientToScreen(&rect);
            m_pDockSite->DockControlBar(m_pBar, dockBar, &rect);
        }
        m_pDockSite->RecalcLayout();
        return;
    }
    CPoint point = m_ptMRUFloatPos;
    if (point.x < 0 || point.y < 0)
    {
        // Never floated: it floats where it lies.
        CRect barRect;
        m_pBar->GetWindowRect(&barRect);
        point = barRect.TopLeft();
    }
    FloatOrStay(m_pDockSite, m_pBar, point, m_dwMRUFloatStyle);
}
