// CWnd layout (bars and the left-over pane), the modal loop and scrolling through
// GetScrollBarCtrl; CScrollBar.
#include "platform/win/app.h"
#include "platform/win/msgloop.h"
#include "platform/win/scrollbar.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

#include <typeindex>

namespace fw
{
CScrollBar* ScrollBarFromHandle(HWND hwnd)
{
    return CScrollBar::FromHandle(hwnd);
}

void RepositionWindow(SizeParentParams* layout, HWND hwnd, LPCRECT rect)
{
    const HWND parent = ::GetParent(hwnd);
    RECT current = {};
    ::GetWindowRect(hwnd, &current);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&current), 2);
    if (::EqualRect(&current, rect))
        return;
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    if (layout && layout->hDWP)
        layout->hDWP = ::DeferWindowPos(layout->hDWP, hwnd, nullptr, rect->left, rect->top, width,
                                        height, flags);
    else
        ::SetWindowPos(hwnd, nullptr, rect->left, rect->top, width, height, flags);
}

void GetNonClientRects(HWND hwnd, RECT* window, RECT* client)
{
    ::GetWindowRect(hwnd, window);
    ::GetClientRect(hwnd, client);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(client), 2);
    ::OffsetRect(client, -window->left, -window->top);
    ::OffsetRect(window, -window->left, -window->top);
}
} // namespace fw

void CWnd::RepositionBars(UINT idFirst, UINT idLast, UINT leftOverId, UINT flags, LPRECT rectParam,
                          LPCRECT rectClient, BOOL stretch)
{
    fw::SizeParentParams layout = {};
    layout.stretch = stretch;
    if (rectClient)
        layout.rect = *rectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    const bool isQuery = flags == reposQuery;
    layout.hDWP = isQuery ? nullptr : ::BeginDeferWindowPos(8);

    // Children in Z order, which for children is creation order: the first bar is outermost.
    HWND leftOver = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT))
    {
        const UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == leftOverId)
            leftOver = child;
        else if (id >= idFirst && id <= idLast && FromHandlePermanent(child))
            ::SendMessageA(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (isQuery)
    {
        if (stretch)
            *rectParam = layout.rect;
        else
            *rectParam = {0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy};
        return;
    }
    if (leftOverId != 0 && leftOver)
    {
        if ((flags & ~reposNoPosLeftOver) == reposExtra && rectParam)
        {
            layout.rect.left += rectParam->left;
            layout.rect.top += rectParam->top;
            layout.rect.right -= rectParam->right;
            layout.rect.bottom -= rectParam->bottom;
        }
        if (!(flags & reposNoPosLeftOver))
        {
            FromHandle(leftOver)->CalcWindowRect(&layout.rect);
            fw::RepositionWindow(&layout, leftOver, &layout.rect);
        }
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

int CWnd::RunModalLoop(DWORD flags)
{
    fw::Watch watch(this);
    const HWND hwnd = m_hWnd;
    bool showOnIdle = (flags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    const HWND parent = ::GetParent(hwnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    fw::NoteModalResult(this, m_nModalResult);
    bool idle = true;
    LONG idleCount = 0;
    for (;;)
    {
        MSG peek;
        while (idle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (showOnIdle)
            {
                ::ShowWindow(hwnd, SW_SHOWNORMAL);
                ::UpdateWindow(hwnd);
                showOnIdle = false;
            }
            if (!(flags & MLF_NOIDLEMSG) && parent && idleCount == 0)
                ::SendMessageA(parent, WM_ENTERIDLE, MSGF_DIALOGBOX,
                               reinterpret_cast<LPARAM>(hwnd));
            if (watch.Gone())
                return watch.ModalResult();
            if ((flags & MLF_NOKICKIDLE) ||
                !::SendMessageA(hwnd, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
        }
        do
        {
            if (watch.Gone())
                return watch.ModalResult();
            CWinThread* thread = AfxGetThread();
            const BOOL pumped = thread ? thread->PumpMessage() : fw::PumpOneMessage();
            if (!pumped)
            {
                ::PostQuitMessage(0);
                return -1;
            }
            // A handler may have deleted this object: ask the watch before any member.
            if (watch.Gone())
                return watch.ModalResult();
            const MSG& current = fw::GetThreadState().msgCur;
            if (showOnIdle && (current.message == 0x118 || current.message == WM_SYSKEYDOWN))
            {
                ::ShowWindow(hwnd, SW_SHOWNORMAL);
                ::UpdateWindow(hwnd);
                showOnIdle = false;
            }
            if (!ContinueModal())
            {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            if (fw::IsIdleMessage(current))
            {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int result)
{
    m_nModalResult = result;
    fw::NoteModalResult(this, result);
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wake the loop in case the queue is empty.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return nullptr;
}

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw)
{
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        return control->SetScrollPos(pos, redraw);
    return ::SetScrollPos(m_hWnd, bar, pos, redraw);
}

int CWnd::GetScrollPos(int bar) const
{
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        return control->GetScrollPos();
    return ::GetScrollPos(m_hWnd, bar);
}

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw)
{
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        control->SetScrollRange(minPos, maxPos, redraw);
    else
        ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
}

void CWnd::GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const
{
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        control->GetScrollRange(minPos, maxPos);
    else
        ::GetScrollRange(m_hWnd, bar, minPos, maxPos);
}

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw)
{
    info->cbSize = sizeof(SCROLLINFO);
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        return control->SetScrollInfo(info, redraw);
    ::SetScrollInfo(m_hWnd, bar, info, redraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const
{
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        return control->GetScrollInfo(info, mask);
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

int CWnd::GetScrollLimit(int bar) const
{
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        return control->GetScrollLimit();
    SCROLLINFO info = {};
    if (!GetScrollInfo(bar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    const int page = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
    return info.nMax - page;
}

void CWnd::ShowScrollBar(UINT bar, BOOL show)
{
    if (CScrollBar* control = GetScrollBarCtrl(static_cast<int>(bar)))
        control->ShowScrollBar(show);
    else
        ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show);
}

void CWnd::EnableScrollBarCtrl(int bar, BOOL enable)
{
    if (bar == SB_BOTH)
    {
        EnableScrollBarCtrl(SB_HORZ, enable);
        EnableScrollBarCtrl(SB_VERT, enable);
        return;
    }
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        control->EnableWindow(enable);
    else
        ::ShowScrollBar(m_hWnd, bar, enable);
}

BOOL CWnd::EnableScrollBar(int bar, UINT arrows)
{
    if (CScrollBar* control = GetScrollBarCtrl(bar))
        return control->EnableScrollBar(arrows);
    return ::EnableScrollBar(m_hWnd, static_cast<UINT>(bar), arrows);
}

void CWnd::ScrollWindow(int dx, int dy, LPCRECT rect, LPCRECT clipRect) const
{
    ::ScrollWindow(m_hWnd, dx, dy, rect, clipRect);
}

CScrollBar* CScrollBar::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (auto* bar = dynamic_cast<CScrollBar*>(FromHandlePermanent(hwnd)))
        return bar;
    auto& slot = fw::GetThreadState().tempWindows[{hwnd, std::type_index(typeid(CScrollBar))}];
    if (!slot)
    {
        slot = std::make_unique<CScrollBar>();
        slot->m_hWnd = hwnd;
    }
    return static_cast<CScrollBar*>(slot.get());
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SCROLLBAR", nullptr, style, rect, parent, id);
}

int CScrollBar::SetScrollPos(int pos, BOOL redraw)
{
    return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw);
}

void CScrollBar::GetScrollRange(LPINT minPos, LPINT maxPos) const
{
    ::GetScrollRange(m_hWnd, SB_CTL, minPos, maxPos);
}

void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL redraw)
{
    ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL redraw)
{
    info->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) const
{
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, info);
}

int CScrollBar::GetScrollLimit() const
{
    SCROLLINFO info = {};
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE))
        return 0;
    const int page = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
    return info.nMax - page;
}

void CScrollBar::ShowScrollBar(BOOL show)
{
    ::ShowScrollBar(m_hWnd, SB_CTL, show);
}

BOOL CScrollBar::EnableScrollBar(UINT arrows)
{
    return ::EnableScrollBar(m_hWnd, SB_CTL, arrows);
}
