// CMenu: a menu handle with a permanent map, so that an attached object (a subclass drawing
// its own items) receives WM_DRAWITEM and WM_MEASUREITEM of ODT_MENU items wherever the
// menu is tracked. An object destroys the menu it holds when it goes.
#pragma once

#include "platform/base/object.h"
#include "platform/base/string.h"

#include <windows.h>

class CBitmap;
class CWnd;

class CMenu : public CObject
{
    FW_CLASS(CMenu, CObject)

public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // The permanent object of a menu, or a temporary one (freed at idle; never keep it).
    static CMenu* FromHandle(HMENU menu);
    static CMenu* FromHandlePermanent(HMENU menu);

    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }
    // Attach makes this the menu's permanent object; Detach gives the handle up unchanged.
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT id);
    BOOL LoadMenu(const char* name);
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, const char* newItem = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0,
                    const char* newItem = nullptr);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0,
                    const char* newItem = nullptr);
    BOOL RemoveMenu(UINT position, UINT flags);
    BOOL DeleteMenu(UINT position, UINT flags);
    UINT EnableMenuItem(UINT item, UINT enable);
    UINT CheckMenuItem(UINT item, UINT check);
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags);
    BOOL SetMenuItemBitmaps(UINT position, UINT flags, const CBitmap* unchecked,
                            const CBitmap* checked);
    BOOL SetDefaultItem(UINT item, BOOL byPosition = FALSE);

    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    int GetMenuString(UINT item, char* buffer, int size, UINT flags) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const;
    BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPosition = FALSE) const;
    BOOL SetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPosition = FALSE);

    // With TPM_RETURNCMD the result is the chosen command id.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect = nullptr);

    // Owner-drawn items of this menu.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item);

    HMENU m_hMenu = nullptr;
};

namespace fw
{
// The popup (or menu) that holds an item with this command id or submenu handle, searched
// depth first from menu; null when none.
HMENU FindMenuHolding(HMENU menu, UINT_PTR itemId);
} // namespace fw
