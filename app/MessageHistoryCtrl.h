// CMessageHistoryCtrl: the message history of the output bar, adapted to live as the page of
// a tab view container. While it is the container's active page it has no scroll bars of its
// own: every scroll call reaches the container's bars, and sizing never lets its own show.
#pragma once

#include "framework/OXHistoryCtrl.h"

class COXTabViewContainer;

class CMessageHistoryCtrl : public COXHistoryCtrl
{
public:
    CMessageHistoryCtrl() = default;

    // The container's bar for a bar the window does not have itself, while it is the active
    // page; else the window's own.
    CScrollBar* GetScrollBarCtrl(int bar) const override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    BOOL IsScrolling() const { return m_bScrolling; }
    int GetLastHorzPos() const { return m_nLastHorzPos; }
    int GetLastVertPos() const { return m_nLastVertPos; }

protected:
    // Says once, in the history itself, that the log file takes no lines.
    void OnLogNotWritten() override;

private:
    // The container while this is its active page; else null.
    COXTabViewContainer* ActiveContainer() const;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam, COXTabViewContainer* container);
    LRESULT OnScroll(UINT msg, WPARAM wParam, LPARAM lParam);

    UINT_PTR m_nTimerId = static_cast<UINT_PTR>(-1); // no timer runs for a history
    BOOL m_bScrolling = FALSE;                       // between a scroll action and its end
    // A history is neither an edit nor a list: it never has scroll bars of its own.
    const BOOL m_bOwnScrollBars = FALSE;
    int m_nLastHorzPos = 0;
    int m_nLastVertPos = 0;
    bool m_isLogFailureTold = false;
};
