// Menus and their permanent and temporary objects.
#include "platform/win/menu.h"

#include "platform/win/gdiobj.h"
#include "platform/win/resource.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (!menu)
        return nullptr;
    if (CMenu* permanent = FromHandlePermanent(menu))
        return permanent;
    auto& slot = fw::GetThreadState().tempMenus[menu];
    if (!slot)
    {
        slot = std::make_unique<CMenu>();
        slot->m_hMenu = menu;
    }
    return slot.get();
}

CMenu* CMenu::FromHandlePermanent(HMENU menu)
{
    const auto& menus = fw::GetThreadState().menus;
    const auto found = menus.find(menu);
    return found != menus.end() ? found->second : nullptr;
}

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || m_hMenu)
        return FALSE;
    m_hMenu = menu;
    // The newest object wins, so a subclass attached later draws the items.
    fw::GetThreadState().menus[menu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    const HMENU menu = m_hMenu;
    if (menu)
    {
        auto& menus = fw::GetThreadState().menus;
        const auto found = menus.find(menu);
        if (found != menus.end() && found->second == this)
            menus.erase(found);
    }
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(UINT id)
{
    return Attach(fw::LoadResourceMenu(id));
}

BOOL CMenu::LoadMenu(const char* name)
{
    return Attach(::LoadMenuA(fw::ResourceHandle(), name));
}

BOOL CMenu::DestroyMenu()
{
    const HMENU menu = Detach();
    return menu ? ::DestroyMenu(menu) : FALSE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, const char* newItem)
{
    return ::AppendMenuA(m_hMenu, flags, idNewItem, newItem);
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem, const char* newItem)
{
    return ::InsertMenuA(m_hMenu, position, flags, idNewItem, newItem);
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem, const char* newItem)
{
    return ::ModifyMenuA(m_hMenu, position, flags, idNewItem, newItem);
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags)
{
    return ::RemoveMenu(m_hMenu, position, flags);
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
    return ::DeleteMenu(m_hMenu, position, flags);
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, enable));
}

UINT CMenu::CheckMenuItem(UINT item, UINT check)
{
    return ::CheckMenuItem(m_hMenu, item, check);
}

BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags)
{
    return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
}

BOOL CMenu::SetMenuItemBitmaps(UINT position, UINT flags, const CBitmap* unchecked,
                               const CBitmap* checked)
{
    return ::SetMenuItemBitmaps(m_hMenu, position, flags,
                                unchecked ? static_cast<HBITMAP>(unchecked->GetSafeHandle())
                                          : nullptr,
                                checked ? static_cast<HBITMAP>(checked->GetSafeHandle()) : nullptr);
}

BOOL CMenu::SetDefaultItem(UINT item, BOOL byPosition)
{
    return ::SetMenuDefaultItem(m_hMenu, item, byPosition);
}

UINT CMenu::GetMenuItemCount() const
{
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int position) const
{
    return ::GetMenuItemID(m_hMenu, position);
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const
{
    return ::GetMenuState(m_hMenu, item, flags);
}

int CMenu::GetMenuString(UINT item, char* buffer, int size, UINT flags) const
{
    return ::GetMenuStringA(m_hMenu, item, buffer, size, flags);
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const
{
    const int length = ::GetMenuStringA(m_hMenu, item, nullptr, 0, flags);
    if (length <= 0)
    {
        text.Empty();
        return 0;
    }
    char* buffer = text.GetBufferSetLength(length);
    ::GetMenuStringA(m_hMenu, item, buffer, length + 1, flags);
    text.ReleaseBuffer();
    return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const
{
    return FromHandle(::GetSubMenu(m_hMenu, position));
}

BOOL CMenu::GetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPosition) const
{
    info->cbSize = sizeof(MENUITEMINFOA);
    return ::GetMenuItemInfoA(m_hMenu, item, byPosition, info);
}

BOOL CMenu::SetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPosition)
{
    info->cbSize = sizeof(MENUITEMINFOA);
    return ::SetMenuItemInfoA(m_hMenu, item, byPosition, info);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, wnd ? wnd->m_hWnd : nullptr, rect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

namespace fw
{
HMENU FindMenuHolding(HMENU menu, UINT_PTR itemId)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
    {
        const HMENU sub = ::GetSubMenu(menu, i);
        // A popup item's id is its menu handle, cut to 32 bits in WM_MEASUREITEM.
        const UINT id =
            sub ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)) : ::GetMenuItemID(menu, i);
        if (id == static_cast<UINT>(itemId))
            return menu;
    }
    for (int i = 0; i < count; ++i)
    {
        if (const HMENU sub = ::GetSubMenu(menu, i))
        {
            if (const HMENU found = FindMenuHolding(sub, itemId))
                return found;
        }
    }
    return nullptr;
}
} // namespace fw
