// CCmdTarget: the base of every object that takes commands (windows, documents, templates,
// the application), with its message table and OnCmdMsg. CCmdUI: one menu item, button or
// window whose enabled, checked and text state the update handlers set.
#pragma once

#include "platform/base/object.h"
#include "platform/win/msgtable.h"

#include <windows.h>

#include <cstddef>

class CCmdUI;
class CMenu;
class CWnd;

class CCmdTarget : public CObject
{
    FW_CLASS(CCmdTarget, CObject)

public:
    CCmdTarget() = default;
    ~CCmdTarget() override;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Routes a command (CN_COMMAND), an update (CN_UPDATE_COMMAND_UI, extra the CCmdUI*), a
    // control notification (its code) or a WM_NOTIFY (MAKELONG(code, WM_NOTIFY), extra a
    // fw::NotifyInfo*) through this target's table. With handlerInfo only the existence of a
    // handler is reported and nothing is called. Overrides route on to further targets.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, fw::CmdHandlerInfo* handlerInfo);

    static const fw::MsgTable* Table();
    virtual const fw::MsgTable* GetMessageTable() const;

    // The application's wait cursor, counted.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Freed framework objects are filled with 0xDD and held back for a while, so that a use
    // after free reads poison instead of a new object (mingw has no address sanitizer).
    static void* operator new(std::size_t size);
    static void operator delete(void* object, std::size_t size);
    // Placement forms stay available to containers that construct in place.
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}
};

// Calls one handler entry found by OnCmdMsg: TRUE when it handled the command.
BOOL FwDispatchCmdEntry(CCmdTarget* target, const fw::MsgEntry* entry, UINT id, int code,
                        void* extra);

class CCmdUI
{
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE);
    // 0 clear, 1 checked, 2 indeterminate.
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(const char* text);
    // Called by an update handler that wants the next target asked as well.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks target's update handler; with disableIfNoHandler, an item that no update handler
    // touched is enabled exactly when some target has a command handler for it.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;           // menu position, or bar button index
    CMenu* m_pMenu = nullptr;    // the popup holding the item, when it is a menu item
    CMenu* m_pSubMenu = nullptr; // the item's own popup, when it opens one
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr; // the window, when the item is a window
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;
};

// Shows the wait cursor for its lifetime.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    void Restore();
};
