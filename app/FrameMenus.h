// The program's bitmap menus. Every popup of the main frame's menus is drawn by the frame's own
// menu organizer: the toolbar pictures beside their commands, check marks on a checkerboard,
// shortcuts right-aligned. The hiding of rarely used items stays off. A view toolbar's
// drop-down is tracked with an organizer of its own that gives each entry its bitmap and goes
// with the menu.
#pragma once

#include "view/DropDownMenus.h"
#include "widgets/bars/OXMenuOrganizer.h"

class CFrameWnd;

class CFrameMenus : public CDropDownMenus
{
public:
    // Switches the bitmap menus on for frame, its toolbars made; false when they stay off.
    bool Attach(CFrameWnd* frame);
    // The frame's menus plain again and its window procedure its own.
    void Detach();
    COXMenuOrganizer& Organizer() { return m_organizer; }

    void Track(HMENU popup, const CDropDown& dropDown, POINT at, HWND owner) override;

private:
    COXMenuOrganizer m_organizer;
};
