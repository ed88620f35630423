// The frame's side of bars and docking: its bar list, dock bars, docking, floating, showing
// and hiding bars, and the View menu's bar commands.
#include "platform/bars/dockbar.h"
#include "platform/bars/dockctx.h"
#include "platform/bars/minidock.h"
#include "platform/base/exception.h"
#include "platform/docview/frame.h"

namespace
{
struct DockBarSide
{
    UINT id;
    DWORD style; // alignment and the border facing the frame's inside
};

// Created, and laid out, in this order: top and bottom take the whole width.
constexpr DockBarSide kDockBarSides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
                                         {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
                                         {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
                                         {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT}};
} // namespace

void CFrameWnd::EnableDocking(DWORD dockStyle)
{
    // A floating-frame class the program chose before stays.
    if (!m_pFloatingFrameClass)
        m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const DockBarSide& side : kDockBarSides)
    {
        if (!(side.style & dockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.id))
            continue;
        auto* dockBar = new CDockBar;
        dockBar->m_bAutoDelete = TRUE;
        if (!dockBar->Create(this, WS_CHILD | WS_VISIBLE | side.style, side.id))
            fw::ThrowResourceException(); // the dock bar deleted itself
    }
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT rect)
{
    CDockBar* dockBar = dockBarId ? dynamic_cast<CDockBar*>(GetControlBar(dockBarId)) : nullptr;
    DockControlBar(bar, dockBar, rect);
}

void CFrameWnd::DockControlBar(CControlBar* bar, CDockBar* dockBar, LPCRECT rect)
{
    if (!bar || !bar->m_hWnd)
        return;
    const UINT barId = static_cast<UINT>(bar->GetDlgCtrlID());
    // The dock bar where the bar left its place, else the first side it may dock on.
    for (const DockBarSide& side : kDockBarSides)
    {
        if (dockBar)
            break;
        auto* candidate = dynamic_cast<CDockBar*>(GetControlBar(side.id));
        if (candidate &&
            candidate->FindBar(static_cast<CControlBar*>(CDockBar::Placeholder(barId))) > 0)
            dockBar = candidate;
    }
    for (const DockBarSide& side : kDockBarSides)
    {
        if (dockBar)
            break;
        if (side.style & bar->m_dwDockStyle & CBRS_ALIGN_ANY)
            dockBar = dynamic_cast<CDockBar*>(GetControlBar(side.id));
    }
    if (!dockBar)
        return;
    if (!bar->m_pDockSite)
        bar->m_pDockSite = this;
    dockBar->DockControlBar(bar, rect);
}

void CFrameWnd::FloatControlBar(CControlBar* bar, CPoint point, DWORD style)
{
    CDockBar* current = bar->m_pDockBar;
    if (current && current->m_bFloating && current->GetDockedCount() == 1 &&
        (style & current->m_dwStyle & CBRS_ALIGN_ANY))
    {
        // Alone in a floating frame of the right orientation: the frame only moves.
        if (auto* frame = dynamic_cast<CMiniDockFrameWnd*>(current->GetParent()))
        {
            frame->SetWindowPos(nullptr, point.x, point.y, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            frame->RecalcLayout();
            frame->UpdateWindow();
            return;
        }
    }
    if (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        // A dynamic bar wraps its items: it floats horizontally.
        style |= CBRS_SIZE_DYNAMIC;
        if (style & CBRS_ORIENT_VERT)
            style = (style & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* frame = CreateFloatingFrame(style);
    frame->SetWindowPos(nullptr, point.x, point.y, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!frame->m_hWndOwner)
        frame->m_hWndOwner = bar->m_hWnd;
    frame->m_wndDockBar.DockControlBar(bar);
    frame->RecalcLayout();
    frame->UpdateWindow();
    if (bar->m_pDockContext)
    {
        bar->m_pDockContext->m_ptMRUFloatPos = point;
        bar->m_pDockContext->m_dwMRUFloatStyle = style & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    }
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD style)
{
    const CRuntimeClass* frameClass =
        m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* object = frameClass->CreateObject();
    auto* frame = dynamic_cast<CMiniDockFrameWnd*>(object);
    if (!frame)
    {
        delete object;
        fw::ThrowResourceException();
    }
    if (!frame->Create(this, style))
        fw::ThrowResourceException(); // the frame deleted itself
    return frame;
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dockStyle, CDockBar** dockBar)
{
    for (POSITION position = m_listControlBars.GetHeadPosition(); position;)
    {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(position));
        if (!bar->IsDockBar() || bar->IsFloating() || !bar->IsWindowVisible() ||
            !(bar->m_dwStyle & dockStyle & CBRS_ALIGN_ANY))
            continue;
        // An empty dock bar is a line along its side; it still takes a bar touching it.
        CRect window;
        bar->GetWindowRect(&window);
        if (window.Width() == 0)
            ++window.right;
        if (window.Height() == 0)
            ++window.bottom;
        CRect common;
        if (common.IntersectRect(&window, &rect))
        {
            if (dockBar)
                *dockBar = static_cast<CDockBar*>(bar);
            return bar->m_dwStyle & CBRS_ALIGN_ANY;
        }
    }
    return 0;
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay)
{
    // The frame that lays the bar out: this one, or the floating frame holding it.
    CFrameWnd* layoutFrame = bar->GetParentFrame();
    if (!layoutFrame)
        layoutFrame = this;
    if (delay)
    {
        bar->DelayShow(show);
        layoutFrame->DelayRecalcLayout();
        return;
    }
    bar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
    bar->SetWindowPos(nullptr, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                          (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    layoutFrame->RecalcLayout();
}

CControlBar* CFrameWnd::GetControlBar(UINT id)
{
    for (POSITION position = m_listControlBars.GetHeadPosition(); position;)
    {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(position));
        if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == id)
            return bar;
    }
    return nullptr;
}

void CFrameWnd::AddControlBar(CControlBar* bar)
{
    if (!m_listControlBars.Find(bar))
        m_listControlBars.AddTail(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar)
{
    if (const POSITION position = m_listControlBars.Find(bar))
        m_listControlBars.RemoveAt(position);
}

BOOL CFrameWnd::OnBarCheck(UINT id)
{
    CControlBar* bar = GetControlBar(id);
    if (!bar)
        return FALSE;
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmdUI)
{
    CControlBar* bar = GetControlBar(cmdUI->m_nID);
    if (!bar)
    {
        cmdUI->ContinueRouting();
        return;
    }
    cmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0);
}
