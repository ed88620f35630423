// The drop-down buttons of the triad position, direction and view mode toolbars: the menu of
// the button's toolbar, each entry with its picture, just below the button.
#include "platform/win/app.h"
#include "platform/win/menu.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/DropDownMenus.h"

#include <commctrl.h>

void CCAEView::OnToolBarDropDown(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* notice = reinterpret_cast<const NMTOOLBARA*>(header);
    CDropDown dropDown = {};
    if (notice == nullptr || !FindDropDown(static_cast<UINT>(notice->iItem), dropDown) ||
        !::IsWindow(header->hwndFrom))
        return;
    // The button's rectangle on the toolbar that sent the notice, on the screen.
    RECT button = {};
    if (!::SendMessageA(header->hwndFrom, TB_GETRECT, static_cast<WPARAM>(notice->iItem),
                        reinterpret_cast<LPARAM>(&button)))
        return;
    ::MapWindowPoints(header->hwndFrom, nullptr, reinterpret_cast<POINT*>(&button), 2);
    CMenu menu;
    if (!menu.LoadMenu(IDR_VIEW_DROPDOWNS))
        return;
    CMenu* popup = menu.GetSubMenu(dropDown.popup);
    CWnd* main = AfxGetMainWnd();
    const HWND owner = main != nullptr ? main->GetSafeHwnd() : m_hWnd;
    const POINT at = {button.left, button.bottom + 1};
    if (popup != nullptr)
    {
        if (CDropDownMenus* menus = GetDropDownMenus())
            menus->Track(popup->GetSafeHmenu(), dropDown, at, owner);
        else
            ::TrackPopupMenu(popup->GetSafeHmenu(), TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0,
                             owner, nullptr);
    }
    menu.DestroyMenu();
}
