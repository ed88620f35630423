// CWnd dispatch: commands and notifications, reflection to child controls, owner-drawn menus,
// the message table and idle updates of child controls.
#include "platform/win/menu.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

FW_TABLE(CWnd, CCmdTarget)

namespace
{
bool IsCtlColor(UINT msg)
{
    return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}

// Records whether an update handler left a command enabled.
class CTestCmdUI : public CCmdUI
{
public:
    void Enable(BOOL on) override
    {
        m_enabled = on;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(const char*) override {}

    BOOL m_enabled = TRUE;
};

// The control whose object a parent message is reflected to first; null when none.
HWND ReflectionTarget(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_DRAWITEM:
    {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_MEASUREITEM:
    {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? nullptr
                                         : ::GetDlgItem(parent, static_cast<int>(item->CtlID));
    }
    case WM_COMPAREITEM: return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM: return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: return reinterpret_cast<HWND>(lParam);
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY)
            return reinterpret_cast<HWND>(lParam);
        return nullptr;
    default: return IsCtlColor(msg) ? reinterpret_cast<HWND>(lParam) : nullptr;
    }
}

// True for a message a control bar passes on after its control was offered it already.
bool WasReflected(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const fw::ThreadState::ForwardedMessage& forwarded = fw::GetThreadState().reflectedForward;
    return forwarded.msg == msg && forwarded.wParam == wParam && forwarded.lParam == lParam;
}

BOOL ReflectTo(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (WasReflected(msg, wParam, lParam))
        return FALSE;
    CWnd* wnd = CWnd::FromHandlePermanent(child);
    return wnd ? wnd->OnChildNotify(msg, wParam, lParam, result) : FALSE;
}

// The permanent menu object holding an owner-drawn item being measured: searched from the
// popup last opened, then the window's own and system menus.
CMenu* FindMeasuredMenu(HWND hwnd, UINT itemId)
{
    const HMENU roots[] = {fw::GetThreadState().lastInitMenuPopup, ::GetMenu(hwnd),
                           ::GetSystemMenu(hwnd, FALSE)};
    for (const HMENU root : roots)
    {
        if (!root || !::IsMenu(root))
            continue;
        if (const HMENU holder = fw::FindMenuHolding(root, itemId))
        {
            if (CMenu* menu = CMenu::FromHandlePermanent(holder))
                return menu;
        }
    }
    return nullptr;
}
} // namespace

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg)
    {
    case WM_COMMAND:
        // A handled command answers 1, so that a caller routing it can tell.
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 1;
        return TRUE;
    case WM_NOTIFY:
    {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        LRESULT notifyResult = 0;
        if (!header || !OnNotify(wParam, lParam, &notifyResult))
            return FALSE;
        *result = notifyResult;
        return TRUE;
    }
    case WM_INITMENUPOPUP:
        fw::GetThreadState().lastInitMenuPopup = reinterpret_cast<HMENU>(wParam);
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (DispatchMenuOwnerDraw(msg, lParam, result))
            return TRUE;
        break;
    default: break;
    }
    if (ReflectToChild(msg, wParam, lParam, result))
        return TRUE;
    const UINT key = IsCtlColor(msg) ? static_cast<UINT>(WM_CTLCOLOR) : msg;
    const fw::MsgEntry* entry = fw::FindMessageEntry(GetMessageTable(), key);
    if (!entry)
        return FALSE;
    *result = entry->thunk(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const HWND child = ReflectionTarget(m_hWnd, msg, wParam, lParam);
    if (!child || child == m_hWnd)
        return FALSE;
    return ReflectTo(child, msg, wParam, lParam, result);
}

BOOL CWnd::DispatchMenuOwnerDraw(UINT msg, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_DRAWITEM)
    {
        auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (item->CtlType != ODT_MENU)
            return FALSE;
        CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(item->hwndItem));
        if (!menu)
            return FALSE;
        menu->DrawItem(item);
        *result = TRUE;
        return TRUE;
    }
    auto* item = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
    if (item->CtlType != ODT_MENU)
        return FALSE;
    CMenu* menu = FindMeasuredMenu(m_hWnd, item->itemID);
    if (!menu)
        return FALSE;
    menu->MeasureItem(item);
    *result = TRUE;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (!control)
    {
        if (id == 0)
            return FALSE;
        // Menus send 0 and accelerators 1; only then is it a command. A disabled command is
        // dropped: its item may have been disabled since the menu or key was used.
        if (code == 0 || code == 1)
        {
            CTestCmdUI state;
            state.m_nID = id;
            OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
            if (!state.m_enabled)
                return TRUE;
            code = CN_COMMAND;
        }
    }
    else
    {
        if (fw::GetThreadState().lockoutNotifyWindow == m_hWnd)
            return TRUE;
        // The control's own object may handle its notification.
        if (ReflectTo(control, WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (fw::GetThreadState().lockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (header->hwndFrom && header->hwndFrom != m_hWnd &&
        ReflectTo(header->hwndFrom, WM_NOTIFY, wParam, lParam, result))
        return TRUE;
    fw::NotifyInfo info = {result, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), MAKELONG(header->code, WM_NOTIFY), &info,
                    nullptr);
}

BOOL CWnd::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(msg, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const fw::MsgTable* table = GetMessageTable();
    LRESULT local = 0;
    LRESULT* out = result ? result : &local;
    if (msg == WM_COMMAND)
    {
        const fw::MsgEntry* entry = fw::FindReflectEntry(table, WM_COMMAND, HIWORD(wParam));
        if (!entry || !entry->thunk(this, 0, 0))
            return FALSE;
        *out = 1;
        return TRUE;
    }
    if (msg == WM_NOTIFY)
    {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        const fw::MsgEntry* entry = fw::FindReflectEntry(table, WM_NOTIFY, header->code);
        if (!entry)
            return FALSE;
        fw::NotifyInfo info = {out, header};
        return static_cast<BOOL>(entry->thunk(this, 0, reinterpret_cast<LPARAM>(&info)));
    }
    if (IsCtlColor(msg))
    {
        const fw::MsgEntry* entry = fw::FindReflectEntry(table, msg, 0);
        if (!entry)
            return FALSE;
        const LRESULT brush = entry->thunk(this, wParam, msg - WM_CTLCOLORMSGBOX);
        if (!brush)
            return FALSE;
        *out = brush;
        return TRUE;
    }
    switch (msg)
    {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    {
        const fw::MsgEntry* entry = fw::FindReflectEntry(table, msg, 0);
        if (!entry)
            return FALSE;
        *out = entry->thunk(this, wParam, lParam);
        return TRUE;
    }
    default: return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result)
{
    const MSG* current = fw::CurrentMessage();
    if (!current)
        return FALSE;
    return ReflectTo(child, current->message, current->wParam, current->lParam, result);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler)
{
    CCmdUI state;
    CWnd control; // borrows each child's handle in turn, never maps it
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT))
    {
        control.m_hWnd = child;
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
        state.m_pOther = &control;
        // Handlers of this window come first, then the target's.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        BOOL disable = disableIfNoHandler;
        if (disable)
        {
            // Only push buttons are disabled for want of a handler; check boxes and radio
            // buttons that toggle themselves are left alone.
            const bool isButton = (control.SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) != 0;
            const UINT kind = static_cast<UINT>(control.GetStyle() & 0x0F);
            const bool isAuto = kind == BS_AUTOCHECKBOX || kind == BS_AUTO3STATE ||
                                kind == BS_GROUPBOX || kind == BS_AUTORADIOBUTTON;
            disable = isButton && !isAuto;
        }
        state.DoUpdate(target, disable);
    }
    control.m_hWnd = nullptr;
}
