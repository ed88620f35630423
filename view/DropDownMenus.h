// The menus of the view toolbars' drop-down buttons: which popup of the drop-down menu resource
// a button opens, with one picture per entry, and what tracks it. The pictures are drawn by the
// bitmap menus of the widgets, which the view does not know: the program installs the tracker;
// until then (and in view tests that install none) the popup is tracked as a plain menu.
#pragma once

#include <windows.h>

// A command of a drop-down and its picture, a bitmap resource.
struct CDropDownImage
{
    UINT command;
    UINT bitmap;
};

// The drop-down of a toolbar button.
struct CDropDown
{
    int popup; // position in the drop-down menu resource
    const CDropDownImage* images;
    int count;
};

// The drop-down that button opens; false for a button without one.
bool FindDropDown(UINT button, CDropDown& dropDown);

class CDropDownMenus
{
public:
    virtual ~CDropDownMenus() = default;

    // Tracks popup left-aligned at the screen point, owned by owner, each command drawn with
    // its picture; returns once the menu has closed. A chosen command goes to owner.
    virtual void Track(HMENU popup, const CDropDown& dropDown, POINT at, HWND owner) = 0;
};

// The tracker in use, or null.
CDropDownMenus* GetDropDownMenus();
// Installs menus (not owned; null for none) and returns the previous ones.
CDropDownMenus* InstallDropDownMenus(CDropDownMenus* menus);
