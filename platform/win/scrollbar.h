// CScrollBar: a scroll bar control. Windows that scroll with a sibling bar return it from
// CWnd::GetScrollBarCtrl, and CWnd's scroll calls then act on it.
#pragma once

#include "platform/win/wnd.h"

class CScrollBar : public CWnd
{
    FW_CLASS(CScrollBar, CWnd)

public:
    // The permanent CScrollBar of a window, or a temporary one (freed at idle); null for null.
    static CScrollBar* FromHandle(HWND hwnd);

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    void GetScrollRange(LPINT minPos, LPINT maxPos) const;
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL) const;
    int GetScrollLimit() const;
    void ShowScrollBar(BOOL show = TRUE);
    BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH);
};
