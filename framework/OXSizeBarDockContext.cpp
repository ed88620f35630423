// The sizeable bar's drag: strips and drag rectangles, the modal mouse loop, the outline, and
// docking or floating at the end.
#include "framework/OXSizeBarDockContext.h"

#include "framework/OXMDIFloatWnd.h"
#include "framework/OXSizeControlBar.h"
#include "framework/OXSizeDockBar.h"
#include "platform/bars/dockbar.h"
#include "platform/bars/minidock.h"
#include "platform/base/exception.h"
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "resources/ids/framework_ids.h"

namespace
{
constexpr DWORD kHorzSides = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD kVertSides = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
// A docked size this close to the usable extent drags as a third of it.
constexpr int kNearlyFull = 16;

void SendStatusPrompt(UINT id)
{
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_SETMESSAGESTRING, id);
}

// Moves rect along x only, so that x lies within it.
void AdjustRectangleX(CRect& rect, int x)
{
    if (rect.left > x)
        rect.OffsetRect(x - rect.left, 0);
    else if (rect.right < x)
        rect.OffsetRect(x - rect.right, 0);
}

CSize DockedSize(CControlBar* bar, bool horz)
{
    if (auto* sizeable = dynamic_cast<COXSizeControlBar*>(bar))
        return horz ? sizeable->m_sizeHorzDock : sizeable->m_sizeVertDock;
    return bar->CalcDynamicLayout(-1, horz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
}

CSize FloatingSize(CControlBar* bar)
{
    if (auto* sizeable = dynamic_cast<COXSizeControlBar*>(bar))
        return sizeable->m_sizeFloat;
    return bar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
}
} // namespace

COXSizeBarDockContext::COXSizeBarDockContext(CControlBar* bar)
    : CDockContext(bar)
{
}

bool COXSizeBarDockContext::IsMDIFloating() const
{
    return m_pBar->IsFloating() && dynamic_cast<COXMDIFloatWnd*>(m_pBar->GetParentFrame());
}

CRect COXSizeBarDockContext::UsableArea() const
{
    CRect area;
    m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &area);
    m_pDockSite->ClientToScreen(&area);
    // Left and right dock bars give their width back: a bar docked at the top or bottom
    // spans them.
    for (const UINT id : {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
    {
        CControlBar* dockBar = m_pDockSite->GetControlBar(id);
        if (!dockBar || !dockBar->IsWindowVisible())
            continue;
        CRect window;
        dockBar->GetWindowRect(&window);
        if (id == AFX_IDW_DOCKBAR_LEFT)
            area.left -= window.Width();
        else
            area.right += window.Width();
    }
    return area;
}

CRect COXSizeBarDockContext::FrameRect(CPoint topLeft, CSize floatSize, DWORD alignment) const
{
    CRect rect(topLeft, floatSize);
    CMiniDockFrameWnd* frame = m_pDockSite->CreateFloatingFrame(alignment);
    frame->CalcWindowRect(&rect);
    frame->DestroyWindow();
    rect.OffsetRect(topLeft - rect.TopLeft());
    return rect;
}

void COXSizeBarDockContext::StartDrag(CPoint point)
{
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
    if (IsMDIFloating() || !m_pDockSite)
        return;
    if ((m_dwDockStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_ANY)
        SendStatusPrompt(IDS_OXSIZEBAR_DRAGPROMPT);
    // Windows uncovered by the press paint now, not into the outline.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE))
    {
        if (!::GetMessageA(&msg, nullptr, WM_PAINT, WM_PAINT))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::DispatchMessageA(&msg);
    }

    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bDitherLast = FALSE;
    m_bFlip = FALSE;
    m_bForceFrame = FALSE;
    m_ptLast = point;
    m_ptStart = point;
    CRect bar;
    m_pBar->GetWindowRect(&bar);
    const CRect usable = UsableArea();
    const int w = usable.Width();
    const int h = usable.Height();

    const CSize horz = DockedSize(m_pBar, true);
    const CSize vert = DockedSize(m_pBar, false);
    m_rectHorzStrip.SetRect(usable.left, bar.top, usable.right, bar.top + horz.cy);
    m_rectVertStrip.SetRect(bar.left, usable.top, bar.left + vert.cx, usable.bottom);
    m_rectDragHorz =
        CRect(bar.TopLeft(), CSize(horz.cx >= w - kNearlyFull ? w / 3 : horz.cx, horz.cy));
    m_rectDragVert =
        CRect(bar.TopLeft(), CSize(vert.cx, vert.cy >= h - kNearlyFull ? h / 3 : vert.cy));
    try
    {
        const bool horzBar = (m_dwStyle & kHorzSides) != 0;
        const DWORD alignment = horzBar ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
        m_rectFrameDragHorz = FrameRect(bar.TopLeft(), FloatingSize(m_pBar), alignment);
        m_rectFrameDragVert = m_rectFrameDragHorz;
    }
    catch (CException* e)
    {
        // Without a floating frame to measure there is no drag.
        e->Delete();
        SendStatusPrompt(AFX_IDS_IDLEMESSAGE);
        return;
    }
    for (CRect* rect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz,
                        &m_rectFrameDragVert, &m_rectHorzStrip, &m_rectVertStrip})
        AdjustRectangleX(*rect, point.x);

    m_outline.Begin();
    m_pDC = m_outline.GetDC();
    // The framework's mouse loop calls this context's steps while a drag runs.
    m_bDragging = TRUE;
    m_dwOverDockStyle = CanDock();
    Move(point);
    Track();
}

void COXSizeBarDockContext::ToggleDocking()
{
    if (IsMDIFloating())
        return;
    CDockContext::ToggleDocking();
}

void COXSizeBarDockContext::Move(CPoint point)
{
    const CPoint delta(point.x - m_ptLast.x, point.y - m_ptLast.y);
    for (CRect* rect :
         {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        rect->OffsetRect(delta);
    m_rectHorzStrip.OffsetRect(0, delta.y);
    m_rectVertStrip.OffsetRect(delta.x, 0);
    m_ptLast = point;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect(FALSE);
}

void COXSizeBarDockContext::OnKey(int key, BOOL down)
{
    if (key == VK_CONTROL)
        UpdateState(&m_bForceFrame, down);
}

void COXSizeBarDockContext::UpdateState(BOOL* flag, BOOL value)
{
    if (*flag == value)
        return;
    *flag = value;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect(FALSE);
}

DWORD COXSizeBarDockContext::DockOnStrip(bool horz, DWORD sides)
{
    const CRect& strip = horz ? m_rectHorzStrip : m_rectVertStrip;
    const CRect& drag = horz ? m_rectDragHorz : m_rectDragVert;
    m_rectDock = strip;
    CDockBar* target = nullptr;
    const DWORD result = m_pDockSite->CanDock(drag, sides, &target);
    if (!result)
        return 0;
    m_pTargetDockBar = target;
    // A row holding others gives the bar its share of the row.
    auto* sizeDockBar = dynamic_cast<COXSizeDockBar*>(target);
    const int others = sizeDockBar ? sizeDockBar->CountOtherBarsInRow(m_pBar, strip) : 0;
    if (others > 0)
    {
        m_rectDock = drag;
        if (horz)
            m_rectDock.right = m_rectDock.left + strip.Width() / (others + 1);
        else
            m_rectDock.bottom = m_rectDock.top + strip.Height() / (others + 1);
    }
    return result;
}

DWORD COXSizeBarDockContext::CanDock()
{
    m_pTargetDockBar = nullptr;
    const DWORD horzSides = m_dwDockStyle & kHorzSides;
    const DWORD vertSides = m_dwDockStyle & kVertSides;
    if (horzSides && m_pDockSite->CanDock(m_rectHorzStrip, horzSides))
        return DockOnStrip(true, horzSides);
    if (vertSides && m_pDockSite->CanDock(m_rectVertStrip, vertSides))
        return DockOnStrip(false, vertSides);
    return 0;
}

CDockBar* COXSizeBarDockContext::GetDockBar(DWORD overDockStyle)
{
    DWORD sides = 0;
    if (overDockStyle & kHorzSides)
        sides = kHorzSides;
    else if (overDockStyle & kVertSides)
        sides = kVertSides;
    CDockBar* dockBar = nullptr;
    if (sides)
        m_pDockSite->CanDock(m_rectDock, sides & m_dwDockStyle, &dockBar);
    return dockBar;
}

void COXSizeBarDockContext::DrawFocusRect(BOOL removeRect)
{
    CRect rect;
    CSize size;
    HBRUSH brush = nullptr; // halftone
    if (m_dwOverDockStyle == 0)
    {
        rect = m_rectFrameDragHorz;
        size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
    }
    else
    {
        // A docking outline sits one pixel inside where the bar would go.
        rect = m_rectDock;
        rect.DeflateRect(1, 1);
        size = CSize(1, 1);
        brush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
    if (removeRect)
        size = CSize(0, 0);
    if (m_outline.IsActive())
        m_outline.Show(rect, size, brush);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = m_dwOverDockStyle == 0;
}

void COXSizeBarDockContext::EndDrag()
{
    CancelLoop();
    if (m_ptLast == m_ptStart)
        return; // a click: nothing changes
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    if (m_dwOverDockStyle)
    {
        CDockBar* target = GetDockBar(m_dwOverDockStyle);
        if (!target)
            return;
        CDockBar* old = m_pBar->m_pDockBar;
        auto* oldSizeDock = dynamic_cast<COXSizeDockBar*>(old);
        const DWORD oldSignature = oldSizeDock ? oldSizeDock->VisibleBarsSignature() : 0;
        if (auto* sizeable = dynamic_cast<COXSizeControlBar*>(m_pBar))
        {
            CSize& docked = (m_dwOverDockStyle & kHorzSides) ? sizeable->m_sizeHorzDock
                                                             : sizeable->m_sizeVertDock;
            docked = m_rectDock.Size();
        }
        m_pDockSite->DockControlBar(m_pBar, target, &m_rectDock);
        if (auto* sizeDock = dynamic_cast<COXSizeDockBar*>(target))
        {
            if (target != old || sizeDock->VisibleBarsSignature() != oldSignature)
                sizeDock->MakeRoomForBar(m_pBar);
            sizeDock->ForgetBarsSignature();
        }
        m_pDockSite->RecalcLayout(TRUE);
        return;
    }
    m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos,
                                 CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI));
    m_pBar->SendMessage(WM_OX_BARFLOATED);
    if (CFrameWnd* frame = m_pBar->GetParentFrame())
        frame->ModifyStyle(0, 0x0001);
}

void COXSizeBarDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    m_outline.End();
    m_pDC = nullptr;
    m_bDragging = FALSE;
    SendStatusPrompt(AFX_IDS_IDLEMESSAGE);
}
