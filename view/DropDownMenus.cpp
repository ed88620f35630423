// The view toolbars' drop-downs: the popups of the drop-down menu resource and their pictures.
#include "view/DropDownMenus.h"

#include "resources/ids/view_ids.h"

#include <iterator>

namespace
{
constexpr CDropDownImage kTriadImages[] = {
    {ID_TRIAD_LEFT_TOP, IDB_MENU_TRIAD_LEFT_TOP},
    {ID_TRIAD_LEFT_BOTTOM, IDB_MENU_TRIAD_LEFT_BOTTOM},
    {ID_TRIAD_RIGHT_TOP, IDB_MENU_TRIAD_RIGHT_TOP},
    {ID_TRIAD_RIGHT_BOTTOM, IDB_MENU_TRIAD_RIGHT_BOTTOM},
};
constexpr CDropDownImage kDirectionImages[] = {
    {ID_VIEW_DIR_XY, IDB_MENU_DIR_XY},   {ID_VIEW_DIR_YX, IDB_MENU_DIR_YX},
    {ID_VIEW_DIR_YZ, IDB_MENU_DIR_YZ},   {ID_VIEW_DIR_ZY, IDB_MENU_DIR_ZY},
    {ID_VIEW_DIR_ZX, IDB_MENU_DIR_ZX},   {ID_VIEW_DIR_XZ, IDB_MENU_DIR_XZ},
    {ID_VIEW_DIR_XYZ, IDB_MENU_DIR_XYZ}, {ID_VIEW_DIR_YXZ, IDB_MENU_DIR_YXZ},
};
constexpr CDropDownImage kModeImages[] = {
    {ID_VIEW_WIREFRAME, IDB_MENU_WIREFRAME},
    {ID_VIEW_RIDGELINE, IDB_MENU_RIDGELINE},
    {ID_VIEW_SHADING, IDB_MENU_SHADING},
    {ID_VIEW_RIDGELINE_SHADING, IDB_MENU_RIDGELINE_SHADING},
    {ID_VIEW_HIDDENLINE, IDB_MENU_HIDDENLINE},
};
// Every button of a toolbar opens that toolbar's menu.
constexpr CDropDown kDropDowns[] = {
    {0, kTriadImages, static_cast<int>(std::size(kTriadImages))},
    {1, kDirectionImages, static_cast<int>(std::size(kDirectionImages))},
    {2, kModeImages, static_cast<int>(std::size(kModeImages))},
};

CDropDownMenus* g_dropDownMenus = nullptr;
} // namespace

bool FindDropDown(UINT button, CDropDown& dropDown)
{
    for (const CDropDown& candidate : kDropDowns)
    {
        for (int i = 0; i < candidate.count; ++i)
        {
            if (candidate.images[i].command == button)
            {
                dropDown = candidate;
                return true;
            }
        }
    }
    return false;
}

CDropDownMenus* GetDropDownMenus()
{
    return g_dropDownMenus;
}

CDropDownMenus* InstallDropDownMenus(CDropDownMenus* menus)
{
    CDropDownMenus* previous = g_dropDownMenus;
    g_dropDownMenus = menus;
    return previous;
}
