// The output bar's history as a tab page: borrowed scroll bars and no bars of its own.
#include "app/MessageHistoryCtrl.h"

#include "core/services/StringFile.h"
#include "framework/OXTabViewContainer.h"
#include "platform/win/scrollbar.h"

namespace
{
void SetVisibleStyle(HWND wnd, bool visible)
{
    const LONG_PTR style = ::GetWindowLongPtrA(wnd, GWL_STYLE);
    ::SetWindowLongPtrA(wnd, GWL_STYLE, visible ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE));
}
} // namespace

COXTabViewContainer* CMessageHistoryCtrl::ActiveContainer() const
{
    return GetParentTabViewContainer(this, TRUE);
}

CScrollBar* CMessageHistoryCtrl::GetScrollBarCtrl(int bar) const
{
    COXTabViewContainer* container = ActiveContainer();
    if (container && !m_bOwnScrollBars)
    {
        const DWORD style = GetStyle();
        CScrollBar* borrowed = nullptr;
        if (bar == SB_HORZ && !(style & WS_HSCROLL))
            borrowed = container->GetHorzScrollBar();
        else if (bar == SB_VERT && !(style & WS_VSCROLL))
            borrowed = container->GetVertScrollBar();
        if (borrowed && ::IsWindow(borrowed->m_hWnd))
            return borrowed;
    }
    return COXHistoryCtrl::GetScrollBarCtrl(bar);
}

BOOL CMessageHistoryCtrl::PreTranslateMessage(MSG* msg)
{
    return COXHistoryCtrl::PreTranslateMessage(msg);
}

LRESULT CMessageHistoryCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    COXTabViewContainer* container = ActiveContainer();
    if (!container || m_bOwnScrollBars)
        return COXHistoryCtrl::WindowProc(msg, wParam, lParam);
    switch (msg)
    {
    case WM_SIZE: return OnSize(wParam, lParam, container);
    case WM_HSCROLL:
    case WM_VSCROLL: return OnScroll(msg, wParam, lParam);
    case WM_DESTROY:
        if (m_nTimerId != static_cast<UINT_PTR>(-1))
        {
            KillTimer(m_nTimerId);
            m_nTimerId = static_cast<UINT_PTR>(-1);
        }
        return COXHistoryCtrl::WindowProc(msg, wParam, lParam);
    default: return COXHistoryCtrl::WindowProc(msg, wParam, lParam);
    }
}

LRESULT CMessageHistoryCtrl::OnSize(WPARAM wParam, LPARAM lParam, COXTabViewContainer* container)
{
    // The container sizes the page itself while it reads the page's bars.
    if (container->IsUpdatingScrollBars())
        return 0;
    if (!IsWindowVisible())
        return COXHistoryCtrl::WindowProc(WM_SIZE, wParam, lParam);
    // Sized while hidden, with the container's bars hidden too, so that nothing flashes; the
    // window's own bars, which sizing may show, are hidden again before anything shows.
    const HWND horz = container->GetHorzScrollBar()->m_hWnd;
    const HWND vert = container->GetVertScrollBar()->m_hWnd;
    SetVisibleStyle(m_hWnd, false);
    SetVisibleStyle(horz, false);
    SetVisibleStyle(vert, false);
    const LRESULT result = COXHistoryCtrl::WindowProc(WM_SIZE, wParam, lParam);
    ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
    ::ShowScrollBar(m_hWnd, SB_VERT, FALSE);
    SetVisibleStyle(horz, true);
    SetVisibleStyle(vert, true);
    SetVisibleStyle(m_hWnd, true);
    return result;
}

LRESULT CMessageHistoryCtrl::OnScroll(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == SB_ENDSCROLL)
    {
        m_bScrolling = FALSE;
        m_nLastHorzPos = GetScrollPos(SB_HORZ);
        m_nLastVertPos = GetScrollPos(SB_VERT);
    }
    else
    {
        m_bScrolling = TRUE;
    }
    return COXHistoryCtrl::WindowProc(msg, wParam, lParam);
}

void CMessageHistoryCtrl::OnLogNotWritten()
{
    if (m_isLogFailureTold)
        return;
    m_isLogFailureTold = true;
    std::string text;
    if (!LoadStringFromFile("Message.str", "Error", "LogNotWritten", &text))
        text = "LogNotWritten"; // the key tells which message it was
    AddLine(text.c_str(), FALSE);
}
