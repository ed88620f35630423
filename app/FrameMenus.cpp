// The main frame's bitmap menus and the view toolbars' drop-downs.
#include "app/FrameMenus.h"

#include "platform/docview/frame.h"
#include "platform/win/app.h"

bool CFrameMenus::Attach(CFrameWnd* frame)
{
    if (!m_organizer.AttachFrameWnd(frame))
        return false;
    m_organizer.ShowOnlyRecentlyUsedItems(false);
    m_organizer.SetMenuImagesFromToolbars();
    return true;
}

void CFrameMenus::Detach()
{
    if (m_organizer.GetFrameWnd() != nullptr)
        m_organizer.DetachFrameWnd();
}

void CFrameMenus::Track(HMENU popup, const CDropDown& dropDown, POINT at, HWND owner)
{
    // Attached over the frame's own organizer for as long as the menu is open; its
    // destructor gives the popup its plain items back and the frame to the one before.
    COXMenuOrganizer organizer;
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr)
        organizer.AttachFrameWnd(main);
    for (int i = 0; i < dropDown.count; ++i)
        organizer.SetMenuBitmap(dropDown.images[i].command, dropDown.images[i].bitmap);
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, owner, nullptr);
}
