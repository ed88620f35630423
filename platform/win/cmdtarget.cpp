// Command targets, command-UI state and the poisoning of freed framework objects.
#include "platform/win/cmdtarget.h"

#include "platform/base/lock.h"
#include "platform/win/app.h"
#include "platform/win/menu.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace
{
// The last freed framework objects, poisoned, freed for real only when pushed out.
class Quarantine
{
public:
    void Hold(void* block, std::size_t size)
    {
        std::memset(block, 0xDD, size);
        void* evicted = nullptr;
        {
            const std::lock_guard<fw::Mutex> guard(m_lock);
            evicted = m_blocks[m_next];
            m_blocks[m_next] = block;
            m_next = (m_next + 1) % kCount;
        }
        ::operator delete(evicted);
    }

private:
    static constexpr std::size_t kCount = 64;
    fw::Mutex m_lock;
    void* m_blocks[kCount] = {};
    std::size_t m_next = 0;
};

Quarantine& TheQuarantine()
{
    // Never destroyed: objects may still be deleted while statics go away at exit.
    static Quarantine* quarantine = new Quarantine;
    return *quarantine;
}
} // namespace

CCmdTarget::~CCmdTarget()
{
    fw::MarkTargetGone(this);
}

void* CCmdTarget::operator new(std::size_t size)
{
    return ::operator new(size);
}

void CCmdTarget::operator delete(void* object, std::size_t size)
{
    if (object)
        TheQuarantine().Hold(object, size);
}

const fw::MsgTable* CCmdTarget::Table()
{
    static constexpr fw::MsgEntry kEntries[] = {fw::kTableStart};
    static constexpr fw::MsgTable kTable = {nullptr, kEntries, 1};
    return &kTable;
}

const fw::MsgTable* CCmdTarget::GetMessageTable() const
{
    return Table();
}

BOOL FwDispatchCmdEntry(CCmdTarget* target, const fw::MsgEntry* entry, UINT id, int code,
                        void* extra)
{
    const BOOL handled = static_cast<BOOL>(
        entry->thunk(target, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(extra)));
    if (code == CN_UPDATE_COMMAND_UI)
    {
        // An update handler may ask for the next target as well.
        CCmdUI* cmdUI = static_cast<CCmdUI*>(extra);
        const BOOL routeOn = cmdUI->m_bContinueRouting;
        cmdUI->m_bContinueRouting = FALSE;
        return !routeOn;
    }
    return handled;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo)
{
    const fw::MsgEntry* entry = fw::FindCommandEntry(GetMessageTable(), code, id);
    if (!entry)
        return FALSE;
    if (handlerInfo)
    {
        handlerInfo->target = this;
        handlerInfo->entry = entry;
        return TRUE;
    }
    return FwDispatchCmdEntry(this, entry, id, code, extra);
}

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(0);
}

void CCmdUI::Enable(BOOL on)
{
    if (m_pMenu)
    {
        if (!m_pSubMenu)
            m_pMenu->EnableMenuItem(m_nIndex,
                                    MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther)
    {
        // A window that loses its enabled state while it has the focus hands it on first.
        if (!on && ::GetFocus() == m_pOther->m_hWnd)
            ::SendMessageA(::GetParent(m_pOther->m_hWnd), WM_NEXTDLGCTL, 0, FALSE);
        m_pOther->EnableWindow(on);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check)
{
    if (m_pMenu)
    {
        if (!m_pSubMenu)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther)
    {
        // Only buttons have a check state.
        if (::SendMessageA(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessageA(m_pOther->m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0);
    }
}

void CCmdUI::SetRadio(BOOL on)
{
    if (m_pMenu && !m_pSubMenu)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (::GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info))
        {
            info.fType |= MFT_RADIOCHECK;
            ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
        }
    }
    SetCheck(on ? 1 : 0);
}

void CCmdUI::SetText(const char* text)
{
    if (m_pMenu)
    {
        if (m_pSubMenu)
            return;
        // Keep the item's state: ModifyMenu would reset it.
        const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        const UINT keep = state & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | keep, m_nID, text);
    }
    else if (m_pOther)
    {
        m_pOther->SetWindowText(text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler)
{
    // Separators and "no id" items are left alone.
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF || !target)
        return TRUE;
    m_bEnableChanged = FALSE;
    const BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (disableIfNoHandler && !m_bEnableChanged)
    {
        fw::CmdHandlerInfo info;
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

CWaitCursor::CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}

void CWaitCursor::Restore()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(0);
}
