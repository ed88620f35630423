// CFrameWnd layout, idle work, menu updates and status-bar prompts.
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/menu.h"
#include "platform/win/resource.h"
#include "platform/win/thread_state.h"

namespace
{
// The prompt shown for a system command: the framework strings follow SC_* in steps of 16.
UINT PromptOfSystemCommand(UINT id)
{
    return AFX_IDS_SCSIZE + ((id - 0xF000) >> 4);
}
} // namespace

void CFrameWnd::RecalcLayout(BOOL notify)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    if (m_nIdleFlags & idleNotify)
        notify = TRUE;
    (void)notify;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (GetStyle() & FWS_SNAPTOBARS)
    {
        // The frame shrinks to fit its bars.
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(),
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    }
    else
    {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    }
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL notify)
{
    m_nIdleFlags |= idleLayout | (notify ? idleNotify : 0);
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(const char* text)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text));
}

void CFrameWnd::SetMessageText(UINT id)
{
    SendMessage(WM_SETMESSAGESTRING, id);
}

void CFrameWnd::GetMessageString(UINT id, CString& message) const
{
    // The prompt is the text before "\n"; the tip follows it.
    CString full;
    if (fw::LoadResourceString(id, full))
        fw::ExtractSubString(message, full, 0);
    else
        message.Empty();
}

void CFrameWnd::GetToolTipString(UINT id, CString& tip) const
{
    CString full;
    if (id != 0 && fw::LoadResourceString(id, full))
        fw::ExtractSubString(tip, full, 1);
    else
        tip.Empty();
}

BOOL CFrameWnd::IsTracking() const
{
    return m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_HELPMODEMESSAGE &&
           m_nIDTracking != AFX_IDS_IDLEMESSAGE;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT last = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    if (CWnd* bar = GetMessageBar())
    {
        CString message;
        const char* text = nullptr;
        if (lParam)
        {
            text = reinterpret_cast<const char*>(lParam);
        }
        else if (wParam)
        {
            GetMessageString(static_cast<UINT>(wParam), message);
            text = message;
        }
        bar->SetWindowText(text);
        // The bar may belong to an outer frame: it tracks what it shows too.
        if (CFrameWnd* owner = bar->GetParentFrame(); owner && owner != this)
        {
            owner->m_nIDLastMessage = static_cast<UINT>(wParam);
            owner->m_nIDTracking = static_cast<UINT>(wParam);
        }
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return last;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu)
    {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(m_hMenuAlt);
    }
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout)
    {
        RecalcLayout(m_nIdleFlags & idleNotify);
        UpdateWindow();
    }
    // The prompt chosen while a menu was open, or "Ready" after it.
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
    return 0;
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu)
{
    fw::CancelModes(m_hWnd);
    if (sysMenu)
        return;
    CCmdUI state;
    state.m_pMenu = popup;
    // A popup of the top-level menu knows its parent menu.
    if (CWnd* top = GetTopLevelParent())
    {
        if (const HMENU bar = ::GetMenu(top->m_hWnd))
        {
            const int count = ::GetMenuItemCount(bar);
            for (int i = 0; i < count; ++i)
            {
                if (::GetSubMenu(bar, i) == popup->m_hMenu)
                {
                    state.m_pParentMenu = CMenu::FromHandle(bar);
                    break;
                }
            }
        }
    }
    state.m_nIndexMax = popup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue; // separator
        if (state.m_nID == static_cast<UINT>(-1))
        {
            // A popup item follows the state of its first item, but is never disabled.
            state.m_pSubMenu = popup->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (!state.m_pSubMenu)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
                continue;
            state.DoUpdate(this, FALSE);
        }
        else
        {
            // System commands (0xF000 and up) are never disabled for want of a handler.
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // An update handler may have added or removed items (the recent-file list).
        const UINT count = popup->GetMenuItemCount();
        if (count < state.m_nIndexMax)
        {
            state.m_nIndex -= state.m_nIndexMax - count;
            while (state.m_nIndex < count &&
                   popup->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}

void CFrameWnd::OnMenuSelect(UINT itemId, UINT flags, HMENU)
{
    CFrameWnd* top = GetTopLevelFrame();
    if (!top)
        top = this;
    if (flags == 0xFFFF)
    {
        // The menu closed: back to the idle prompt at once.
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = top->m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
        if (CWnd* bar = GetMessageBar())
            bar->UpdateWindow();
    }
    else
    {
        if (itemId == 0 || (flags & (MF_SEPARATOR | MF_POPUP)))
            m_nIDTracking = 0;
        else if (itemId >= 0xF000 && itemId < 0xF1F0)
            m_nIDTracking = PromptOfSystemCommand(itemId);
        else if (itemId >= AFX_IDM_FIRST_MDICHILD)
            m_nIDTracking = AFX_IDS_MDICHILD;
        else
            m_nIDTracking = itemId;
        top->m_nFlags |= WF_NOPOPMSG;
    }
    if (m_nIDTracking != m_nIDLastMessage && GetParent())
        PostMessage(WM_KICKIDLE);
}

void CFrameWnd::OnEnterIdle(UINT why, CWnd* who)
{
    CWnd::OnEnterIdle(why, who);
    // A menu's modal loop is idle: show the prompt of the highlighted item.
    if (why != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
        return;
    SetMessageText(m_nIDTracking);
}

BOOL CFrameWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    const CFrameWnd* top = GetTopLevelFrame();
    if (top && top->m_bHelpMode)
    {
        ::SetCursor(::LoadCursorA(nullptr, IDC_HELP));
        return TRUE;
    }
    // A counted wait cursor stays while the mouse moves.
    CWinApp* app = AfxGetApp();
    if (app && app->m_nWaitCursorCount > 0)
    {
        app->DoWaitCursor(0);
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

void CFrameWnd::OnSysCommand(UINT id, LPARAM lParam)
{
    const CFrameWnd* top = GetTopLevelFrame();
    const UINT item = id & 0xFFF0;
    if (top && top->m_bHelpMode)
    {
        switch (item)
        {
        case SC_SIZE:
        case SC_MOVE:
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_CLOSE:
        case SC_RESTORE:
        case SC_TASKLIST:
            if (!SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + PromptOfSystemCommand(item)))
                SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
            return;
        default: break;
        }
    }
    CWnd::OnSysCommand(id, lParam);
}
