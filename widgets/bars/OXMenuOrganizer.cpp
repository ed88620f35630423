// COXMenuOrganizer: attaching to a frame, the frame's menu messages, converting popups into
// bitmap menus (with recently-used hiding) and giving them back, the expansion item and the
// thread hooks that catch it while the system's menu loop runs.
#include "widgets/bars/OXMenuOrganizer.h"

#include "platform/ctrl/threadhook.h"
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/resource.h"
#include "platform/win/wnd.h"
#include "widgets/bars/OXBitmapMenuPopupWnd.h"
#include "widgets/bars/OXMenuBar.h"

#include <algorithm>
#include <cctype>

namespace
{
constexpr UINT kPopupId = 0xFFFFFFFFu;
// Asks a menu's popup window for its menu.
constexpr UINT kMenuGetHandle = 0x01E1;

// A subclassed window: its own procedure and the organizers attached to it, the newest last.
// Only the newest serves the window; those below wait until it detaches.
struct Subclassed
{
    WNDPROC original;
    std::vector<COXMenuOrganizer*> organizers;
};

std::map<HWND, Subclassed>& Organizers()
{
    static std::map<HWND, Subclassed> organizers;
    return organizers;
}

fw::ThreadHook& MouseHook()
{
    static fw::ThreadHook hook;
    return hook;
}

fw::ThreadHook& KeyboardHook()
{
    static fw::ThreadHook hook;
    return hook;
}

// The one organizer whose menu loop the hooks serve.
COXMenuOrganizer* s_hookOwner = nullptr;

struct PopupSearch
{
    HMENU menu;
    HWND found;
};

BOOL CALLBACK FindPopupWindow(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<PopupSearch*>(param);
    char className[16] = {};
    ::GetClassNameA(wnd, className, sizeof className);
    if (lstrcmpA(className, "#32768") == 0 && ::IsWindowVisible(wnd) &&
        reinterpret_cast<HMENU>(::SendMessageA(wnd, kMenuGetHandle, 0, 0)) == search->menu)
    {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

// The visible popup window that shows menu; null when none.
HWND FindWindowOfMenu(HMENU menu)
{
    PopupSearch search = {menu, nullptr};
    ::EnumWindows(FindPopupWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsSeparatorItem(const MENUITEMINFOA& info)
{
    return (info.fType & MFT_SEPARATOR) || (!info.hSubMenu && info.wID == 0);
}
} // namespace

COXMenuOrganizer::COXMenuOrganizer()
{
    SetCheckMarkImages(0, 0, 0, 0);
}

COXMenuOrganizer::~COXMenuOrganizer()
{
    RestoreMenus();
    DetachFrameWnd();
    for (auto menu = m_createdMenus.rbegin(); menu != m_createdMenus.rend(); ++menu)
    {
        if (::IsMenu(*menu))
            ::DestroyMenu(*menu);
    }
    for (auto& [key, list] : m_imageLists)
    {
        if (list != &m_checkMarks)
            delete list;
    }
    if (s_hookOwner == this)
        RemoveHooks();
}

BOOL COXMenuOrganizer::AttachFrameWnd(CWnd* frame)
{
    if (m_pFrameWnd || !frame || !frame->GetSafeHwnd())
        return FALSE;
    const HWND wnd = frame->GetSafeHwnd();
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(wnd, GWLP_WNDPROC));
    const auto found = Organizers().find(wnd);
    if (found != Organizers().end())
    {
        // A window subclassed again above the organizers would call back into them in a
        // loop; the chain must end with ours.
        if (current != SharedWindowProc)
            return FALSE;
        // A drop-down's organizer on a frame that keeps its own: the newer serves the frame
        // until it goes.
        found->second.organizers.push_back(this);
        m_previousProc = found->second.original;
    }
    else
    {
        m_previousProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SharedWindowProc)));
        Organizers()[wnd] = Subclassed{m_previousProc, {this}};
    }
    m_hSubclassed = wnd;
    m_pFrameWnd = frame;
    return TRUE;
}

CWnd* COXMenuOrganizer::DetachFrameWnd()
{
    CWnd* frame = m_pFrameWnd;
    if (m_hSubclassed)
    {
        const auto found = Organizers().find(m_hSubclassed);
        if (found != Organizers().end())
        {
            auto& organizers = found->second.organizers;
            organizers.erase(std::remove(organizers.begin(), organizers.end(), this),
                             organizers.end());
            const bool ours =
                ::IsWindow(m_hSubclassed) &&
                reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hSubclassed, GWLP_WNDPROC)) ==
                    SharedWindowProc;
            if (organizers.empty() && ours)
                ::SetWindowLongPtrA(m_hSubclassed, GWLP_WNDPROC,
                                    reinterpret_cast<LONG_PTR>(found->second.original));
            // Subclassed again above ours, the shared procedure stays in the chain and
            // passes messages on to the window's own.
            if (organizers.empty() && (ours || !::IsWindow(m_hSubclassed)))
                Organizers().erase(found);
        }
        m_hSubclassed = nullptr;
        m_previousProc = nullptr;
    }
    m_pFrameWnd = nullptr;
    RestoreMenus();
    return frame;
}

COXMenuOrganizer* COXMenuOrganizer::FindOrganizer(HWND wnd)
{
    const auto found = Organizers().find(wnd);
    return found == Organizers().end() || found->second.organizers.empty()
               ? nullptr
               : found->second.organizers.back();
}

BOOL COXMenuOrganizer::SetCheckMarkImages(int cx, int cy, UINT checkBitmap, UINT bulletBitmap)
{
    if (cx == 0 && cy == 0)
    {
        cx = ::GetSystemMetrics(SM_CXMENUCHECK);
        cy = ::GetSystemMetrics(SM_CYMENUCHECK);
    }
    m_checkMarks.DeleteImageList();
    m_checkMarks.Create(cx, cy, ILC_MASK | ILC_COLOR24, 2, 0);
    const auto addImage = [this, cx, cy](UINT bitmapId, UINT frameState)
    {
        if (bitmapId != 0)
        {
            if (const HBITMAP bitmap = fw::LoadResourceBitmap(bitmapId))
            {
                ::ImageList_AddMasked(m_checkMarks, bitmap, RGB(255, 255, 255));
                ::DeleteObject(bitmap);
                return;
            }
        }
        // The system's glyph is a monochrome mask: black where the mark is.
        const HDC screen = ::GetDC(nullptr);
        const HDC dc = ::CreateCompatibleDC(screen);
        const HBITMAP mono = ::CreateBitmap(cx, cy, 1, 1, nullptr);
        const HGDIOBJ old = ::SelectObject(dc, mono);
        RECT rect = {0, 0, cx, cy};
        ::DrawFrameControl(dc, &rect, DFC_MENU, frameState);
        ::SelectObject(dc, old);
        ::ImageList_AddMasked(m_checkMarks, mono, RGB(255, 255, 255));
        ::DeleteObject(mono);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);
    };
    addImage(checkBitmap, DFCS_MENUCHECK);
    addImage(bulletBitmap, DFCS_MENUBULLET);
    return TRUE;
}

void COXMenuOrganizer::RestoreMenus()
{
    for (auto& [key, list] : m_imageLists)
    {
        if (list != &m_checkMarks)
            delete list;
    }
    m_imageLists.clear();
    // Records go after the menus that point at them are plain again.
    const std::vector<COXBitmapMenu*> menus = m_bitmapMenus;
    for (COXBitmapMenu* menu : menus)
        RestoreMenu(menu);
    m_images.clear();
}

void COXMenuOrganizer::SetCustomizationMode(bool on, HWND notifyWnd)
{
    if (on && m_bShowOnlyRecentlyUsed && !m_bShowAll)
    {
        const std::vector<COXBitmapMenu*> menus = m_bitmapMenus;
        for (COXBitmapMenu* menu : menus)
            RestoreMenu(menu);
    }
    m_bCustomizationMode = on;
    m_hCustomizeWnd = notifyWnd;
}

void COXMenuOrganizer::ShowOnlyRecentlyUsedItems(bool on)
{
    if (m_bShowOnlyRecentlyUsed == static_cast<BOOL>(on))
        return;
    m_bShowOnlyRecentlyUsed = on;
    for (COXBitmapMenu* menu : m_bitmapMenus)
    {
        if (COXBitmapMenuPopupWnd* popup = menu->GetPopupWnd())
            popup->OnMenuChanged();
    }
}

BOOL COXMenuOrganizer::IsRecentlyUsed(HMENU menu, int position) const
{
    const HMENU submenu = ::GetSubMenu(menu, position);
    if (submenu)
        return m_hiddenSubmenus.count(submenu) == 0;
    return m_hiddenCommands.count(::GetMenuItemID(menu, position)) == 0;
}

BOOL COXMenuOrganizer::MarkNotRecentlyUsed(HMENU menu, int position)
{
    if (const HMENU submenu = ::GetSubMenu(menu, position))
        return ExcludeSubmenuFromRecentlyUsed(submenu);
    return ExcludeCommandFromRecentlyUsed(::GetMenuItemID(menu, position));
}

BOOL COXMenuOrganizer::MarkRecentlyUsed(HMENU menu, int position)
{
    if (const HMENU submenu = ::GetSubMenu(menu, position))
        return IncludeSubmenuInRecentlyUsed(submenu);
    return IncludeCommandInRecentlyUsed(::GetMenuItemID(menu, position));
}

BOOL COXMenuOrganizer::ExcludeCommandFromRecentlyUsed(UINT command)
{
    return m_hiddenCommands.insert(command).second;
}

BOOL COXMenuOrganizer::ExcludeSubmenuFromRecentlyUsed(HMENU submenu)
{
    return m_hiddenSubmenus.insert(submenu).second;
}

BOOL COXMenuOrganizer::IncludeCommandInRecentlyUsed(UINT command)
{
    return m_hiddenCommands.erase(command) != 0;
}

BOOL COXMenuOrganizer::IncludeSubmenuInRecentlyUsed(HMENU submenu)
{
    return m_hiddenSubmenus.erase(submenu) != 0;
}

LRESULT CALLBACK COXMenuOrganizer::SharedWindowProc(HWND wnd, UINT msg, WPARAM wParam,
                                                    LPARAM lParam)
{
    if (COXMenuOrganizer* organizer = FindOrganizer(wnd))
        return organizer->WindowProc(msg, wParam, lParam);
    const auto found = Organizers().find(wnd);
    if (found != Organizers().end())
        return ::CallWindowProcA(found->second.original, wnd, msg, wParam, lParam);
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

LRESULT COXMenuOrganizer::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const HWND wnd = m_hSubclassed;
    const WNDPROC previous = m_previousProc;
    if (msg == WM_MEASUREITEM)
        return OnMeasureItem(static_cast<int>(wParam),
                             reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    const LRESULT result = ::CallWindowProcA(previous, wnd, msg, wParam, lParam);
    // The window, and this organizer with it, may be gone.
    if (!::IsWindow(wnd) || FindOrganizer(wnd) != this)
        return result;
    switch (msg)
    {
    case WM_MENUCHAR:
        return OnMenuChar(static_cast<UINT>(::tolower(static_cast<BYTE>(LOWORD(wParam)))),
                          HIWORD(wParam), CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)));
    case WM_INITMENUPOPUP:
        OnInitMenuPopupMessage(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_MENUSELECT: OnMenuSelect(reinterpret_cast<HMENU>(lParam)); break;
    case WM_ENTERMENULOOP:
        if (!wParam)
            m_bInMenuLoop = TRUE;
        break;
    case WM_EXITMENULOOP: OnExitMenuLoop(static_cast<BOOL>(wParam)); break;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0)
            OnMenuCommand(LOWORD(wParam));
        break;
    case WM_OX_MENUSAVED:
    case WM_OX_MENULOADED:
        if (wParam)
        {
            const CString section = CString(lParam ? reinterpret_cast<const char*>(lParam) : "") +
                                    "_RecentlyUsedSubmenuItems";
            if (msg == WM_OX_MENUSAVED)
                SaveHiddenSubmenus(reinterpret_cast<HMENU>(wParam), section);
            else
                LoadHiddenSubmenus(reinterpret_cast<HMENU>(wParam), section);
        }
        break;
    default: break;
    }
    return result;
}

LRESULT COXMenuOrganizer::OnMenuChar(UINT character, UINT, CMenu* menu)
{
    auto* bitmapMenu =
        menu ? dynamic_cast<COXBitmapMenu*>(CMenu::FromHandlePermanent(menu->GetSafeHmenu()))
             : nullptr;
    if (!bitmapMenu)
        return 0;
    const int position = bitmapMenu->FindMnemonic(static_cast<char>(character));
    return position < 0 ? 0 : MAKELRESULT(position, MNC_EXECUTE);
}

BOOL COXMenuOrganizer::OnMeasureItem(int controlId, LPMEASUREITEMSTRUCT item)
{
    if (!item)
        return FALSE;
    if (item->CtlType != ODT_MENU)
    {
        const HWND control = ::GetDlgItem(m_hSubclassed, controlId);
        if (control)
            ::SendMessageA(control, WM_MEASUREITEM, static_cast<WPARAM>(controlId),
                           reinterpret_cast<LPARAM>(item));
        return TRUE;
    }
    std::vector<HMENU> roots;
    for (const OpenLevel& level : m_levels)
        roots.push_back(level.menu);
    if (COXMenuBar* bar = COXMenuBar::FindMenuBar(m_pFrameWnd))
        roots.push_back(bar->GetMenu());
    roots.push_back(::GetMenu(m_hSubclassed));
    for (const HMENU root : roots)
    {
        if (!root || !::IsMenu(root))
            continue;
        if (const HMENU holder = fw::FindMenuHolding(root, item->itemID))
        {
            if (CMenu* menu = CMenu::FromHandlePermanent(holder))
            {
                menu->MeasureItem(item);
                return TRUE;
            }
        }
    }
    if (!m_levels.empty())
    {
        if (CMenu* menu = CMenu::FromHandlePermanent(m_levels.back().menu))
        {
            menu->MeasureItem(item);
            return TRUE;
        }
    }
    return FALSE;
}

void COXMenuOrganizer::TrimLevels()
{
    int keep = 0;
    while (keep < static_cast<int>(m_levels.size()))
    {
        const auto found = m_popupWindows.find(m_levels[static_cast<size_t>(keep)].menu);
        if (found == m_popupWindows.end() || !::IsWindow(found->second) ||
            !::IsWindowVisible(found->second))
            break;
        ++keep;
    }
    if (keep < m_depth)
        m_depth = keep;
}

void COXMenuOrganizer::OnInitMenuPopupMessage(HMENU menu, UINT index, BOOL sysMenu)
{
    TrimLevels();
    while (static_cast<int>(m_levels.size()) > m_depth)
    {
        m_popupWindows.erase(m_levels.back().menu);
        m_levels.pop_back();
    }
    ++m_depth;
    if (sysMenu)
        return;
    OnInitMenuPopup(CMenu::FromHandle(menu), index, FALSE);
    m_levels.push_back(OpenLevel{menu});
}

void COXMenuOrganizer::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    if (!popup || !::IsMenu(popup->GetSafeHmenu()))
        return;
    const HMENU handle = popup->GetSafeHmenu();
    auto* menu = dynamic_cast<COXBitmapMenu*>(CMenu::FromHandlePermanent(handle));
    bool isNew = false;
    if (!menu)
    {
        // The handle moves to the new object; a permanent plain object gives it up.
        if (CMenu* holder = CMenu::FromHandlePermanent(handle))
            holder->Detach();
        menu = new COXBitmapMenu;
        menu->Attach(handle);
        m_bitmapMenus.push_back(menu);
        isNew = true;
    }
    auto* frame = dynamic_cast<CFrameWnd*>(m_pFrameWnd);
    menu->UpdateMenuItems(frame, index, sysMenu);
    ConvertMenuItems(menu, isNew);
    if (!m_bCustomizationMode)
    {
        menu->SetCustomizedItem(-1);
    }
    else
    {
        menu->AllowCustomization();
        menu->SetNotificationOwner(m_hCustomizeWnd);
    }
    menu->SetCustomizationActive(m_bCustomizationMode);
}

MenuImageInfo* COXMenuOrganizer::CheckMarkRecord(UINT command, const CString& key)
{
    m_imageLists[key] = &m_checkMarks;
    auto record = std::make_unique<MenuImageInfo>(MenuImageInfo{&m_checkMarks, 0, 1, -1});
    MenuImageInfo* raw = record.get();
    m_images[command] = std::move(record);
    return raw;
}

void COXMenuOrganizer::ConvertMenuItems(COXBitmapMenu* menu, bool isNew)
{
    const HMENU handle = menu->GetSafeHmenu();
    // With nothing marked there is nothing to reveal: a leading separator alone is no
    // reason for an expansion item.
    const bool hiding = isNew && !m_bShowAll && !m_bCustomizationMode && m_bShowOnlyRecentlyUsed &&
                        (!m_hiddenCommands.empty() || !m_hiddenSubmenus.empty());
    std::vector<HiddenItem> hidden;
    bool hideFlag = true; // nothing shown yet: a leading separator goes
    menu->ClearMnemonics();
    const int count = ::GetMenuItemCount(handle);
    for (int position = 0; position < count; ++position)
    {
        char text[COXBitmapMenu::kTextLength] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
        info.dwTypeData = text;
        info.cch = COXBitmapMenu::kTextLength;
        if (!::GetMenuItemInfoA(handle, static_cast<UINT>(position), TRUE, &info))
            continue;
        // An owner-drawn item reports its data pointer as its text.
        CString itemText;
        if ((info.fType & MFT_OWNERDRAW) && info.dwItemData)
            itemText = reinterpret_cast<BitmapMenuItemData*>(info.dwItemData)->text;
        else if (!(info.fType & (MFT_SEPARATOR | MFT_BITMAP)))
            itemText = text;
        const bool separator = IsSeparatorItem(info);
        if (hiding)
        {
            const bool commandHidden =
                !info.hSubMenu && !separator && m_hiddenCommands.count(info.wID) != 0;
            const bool submenuHidden = info.hSubMenu && m_hiddenSubmenus.count(info.hSubMenu) != 0;
            const bool shown = !commandHidden && !submenuHidden && (!separator || !hideFlag);
            if (!shown)
            {
                HiddenItem item{position, info, itemText};
                item.info.dwTypeData = nullptr;
                item.info.cch = 0;
                if (info.hSubMenu)
                    item.info.hSubMenu = CopySubmenu(info.hSubMenu);
                hidden.push_back(item);
                if (!separator && position > 0 && ::GetMenuItemID(handle, position - 1) == 0)
                    hideFlag = true;
                continue;
            }
        }
        const UINT key = info.hSubMenu ? kPopupId : info.wID;
        MenuImageInfo* image = GetMenuImageInfo(key);
        if (!image)
        {
            CString name;
            name.Format("%u", key);
            image = CheckMarkRecord(key, name);
        }
        BitmapMenuItemData* data = nullptr;
        if (!info.dwItemData || isNew || !(info.fType & MFT_OWNERDRAW))
        {
            data = menu->AddItemData(image, itemText);
        }
        else
        {
            data = reinterpret_cast<BitmapMenuItemData*>(info.dwItemData);
            data->image = image;
        }
        MENUITEMINFOA update = {};
        update.cbSize = sizeof update;
        update.fMask = MIIM_FTYPE | MIIM_DATA;
        update.fType = (info.fType & ~(MFT_STRING | MFT_BITMAP)) | MFT_OWNERDRAW;
        update.dwItemData = reinterpret_cast<ULONG_PTR>(data);
        ::SetMenuItemInfoA(handle, static_cast<UINT>(position), TRUE, &update);
        // The hidden items above leave the menu at the end: a letter answers the position the
        // item is shown at.
        const int ampersand = data->text.Find('&');
        if (ampersand >= 0 && ampersand + 1 < data->text.GetLength())
        {
            const char next = data->text.GetAt(ampersand + 1);
            menu->MapMnemonic(static_cast<char>(::tolower(static_cast<unsigned char>(next))),
                              position - static_cast<int>(hidden.size()));
        }
        hideFlag = false;
    }
    if (isNew)
    {
        if (!hidden.empty())
        {
            MenuImageInfo* image = GetMenuImageInfo(ID_OXBM_EXPANSION);
            if (!image)
                image = CheckMarkRecord(ID_OXBM_EXPANSION, "65366");
            BitmapMenuItemData* data = menu->AddItemData(image, "");
            ::AppendMenuA(handle, MF_OWNERDRAW, ID_OXBM_EXPANSION,
                          reinterpret_cast<const char*>(data));
        }
        for (auto item = hidden.rbegin(); item != hidden.rend(); ++item)
            ::DeleteMenu(handle, static_cast<UINT>(item->position), MF_BYPOSITION);
        if (!hidden.empty())
            m_hiddenItems[handle] = std::move(hidden);
    }
    menu->MeasureColumns();
}

void COXMenuOrganizer::RestoreMenu(COXBitmapMenu* menu)
{
    const auto listed = std::find(m_bitmapMenus.begin(), m_bitmapMenus.end(), menu);
    if (listed == m_bitmapMenus.end())
        return;
    m_bitmapMenus.erase(listed);
    const HMENU handle = menu->GetSafeHmenu();
    if (::IsMenu(handle))
    {
        int count = ::GetMenuItemCount(handle);
        if (count > 0 && ::GetMenuItemID(handle, count - 1) == ID_OXBM_EXPANSION)
            ::DeleteMenu(handle, static_cast<UINT>(--count), MF_BYPOSITION);
        for (int position = 0; position < count; ++position)
        {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            if (!::GetMenuItemInfoA(handle, static_cast<UINT>(position), TRUE, &info) ||
                !(info.fType & MFT_OWNERDRAW))
                continue;
            const auto* data = reinterpret_cast<const BitmapMenuItemData*>(info.dwItemData);
            CString text = data ? data->text : CString();
            MENUITEMINFOA plain = {};
            plain.cbSize = sizeof plain;
            plain.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
            plain.fType = info.fType & ~MFT_OWNERDRAW;
            plain.dwItemData = 0;
            plain.dwTypeData = text.GetBuffer();
            ::SetMenuItemInfoA(handle, static_cast<UINT>(position), TRUE, &plain);
            text.ReleaseBuffer();
        }
        const auto hidden = m_hiddenItems.find(handle);
        if (hidden != m_hiddenItems.end())
        {
            for (HiddenItem& item : hidden->second)
            {
                MENUITEMINFOA info = item.info;
                info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_FTYPE |
                             MIIM_DATA | MIIM_STRING;
                info.dwTypeData = item.text.GetBuffer();
                if (IsSeparatorItem(info))
                    info.fMask &= ~MIIM_STRING;
                ::InsertMenuItemA(handle, static_cast<UINT>(item.position), TRUE, &info);
                item.text.ReleaseBuffer();
            }
        }
    }
    m_hiddenItems.erase(handle);
    menu->Detach();
    delete menu;
}

HMENU COXMenuOrganizer::CopySubmenu(HMENU menu)
{
    const HMENU copy = ::CreatePopupMenu();
    if (!copy)
        return nullptr;
    m_createdMenus.push_back(copy);
    if (m_hiddenSubmenus.erase(menu))
        m_hiddenSubmenus.insert(copy);
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
    {
        char text[COXBitmapMenu::kTextLength] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING | MIIM_DATA;
        info.dwTypeData = text;
        info.cch = COXBitmapMenu::kTextLength;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info))
            continue;
        if ((info.fType & MFT_OWNERDRAW) && info.dwItemData)
        {
            // A converted item: its plain text lives in the item data.
            lstrcpynA(text, reinterpret_cast<BitmapMenuItemData*>(info.dwItemData)->text,
                      COXBitmapMenu::kTextLength);
            info.fType &= ~MFT_OWNERDRAW;
        }
        info.dwItemData = 0;
        info.dwTypeData = text;
        if (info.hSubMenu)
            info.hSubMenu = CopySubmenu(info.hSubMenu);
        if (IsSeparatorItem(info))
            info.fMask &= ~MIIM_STRING;
        ::InsertMenuItemA(copy, static_cast<UINT>(position), TRUE, &info);
    }
    return copy;
}

HWND COXMenuOrganizer::PopupWindowOf(HMENU menu) const
{
    const auto found = m_popupWindows.find(menu);
    return found == m_popupWindows.end() ? nullptr : found->second;
}

void COXMenuOrganizer::OnMenuSelect(HMENU menu)
{
    if (!m_levels.empty() && menu == m_levels.back().menu)
    {
        if (const HWND window = FindWindowOfMenu(menu))
            m_popupWindows[menu] = window;
    }
    if (m_bShowOnlyRecentlyUsed)
        InstallHooks();
}

void COXMenuOrganizer::OnExitMenuLoop(BOOL trackPopup)
{
    if (!trackPopup)
    {
        if (m_bShowAll)
        {
            m_bShowAll = FALSE;
            if (m_bShowOnlyRecentlyUsed)
            {
                const std::vector<COXBitmapMenu*> menus = m_bitmapMenus;
                for (COXBitmapMenu* menu : menus)
                    RestoreMenu(menu);
            }
        }
        m_bInMenuLoop = FALSE;
        m_depth = 0;
    }
    if (s_hookOwner == this)
        RemoveHooks();
}

void COXMenuOrganizer::OnMenuCommand(UINT id)
{
    if (id == ID_OXBM_EXPANSION)
    {
        Expand();
        return;
    }
    if (id == 0 || !m_bShowOnlyRecentlyUsed || m_levels.empty())
        return;
    bool changed = IncludeCommandInRecentlyUsed(id) != FALSE;
    // The submenus the command was chosen through are used as well. The command arrives
    // after the menu loop ended, so the levels of that loop are still recorded.
    for (size_t level = 1; level < m_levels.size(); ++level)
        changed = IncludeSubmenuInRecentlyUsed(m_levels[level].menu) || changed;
    if (changed && m_pFrameWnd)
        m_pFrameWnd->SendMessage(WM_OX_RECENTLYUSEDCHANGED);
}

void COXMenuOrganizer::Expand()
{
    m_bShowAll = TRUE;
    TrimLevels();
    if (m_depth <= 0 || static_cast<size_t>(m_depth) > m_levels.size() || !m_pFrameWnd)
        return;
    const HMENU deepest = m_levels[static_cast<size_t>(m_depth - 1)].menu;
    const bool hasMenuBar = ::GetMenu(m_hSubclassed) != nullptr;
    const bool locked = !hasMenuBar && m_depth == 1;
    const HWND parent = m_depth > 1 ? PopupWindowOf(m_levels[static_cast<size_t>(m_depth - 2)].menu)
                                    : m_hSubclassed;
    const HWND deepestWindow = PopupWindowOf(deepest);
    // The menu loop reads keys from the queue whatever their window and never sees a key-down
    // sent to a popup: both keys are posted, in order. Without a menu of its own, the frame's
    // menu bar (or nobody, for a tracked popup) opens a first-level popup again; the close
    // comes later, so there is nothing to lock the frame's updates around.
    if (locked || !hasMenuBar)
    {
        if (deepestWindow)
            ::PostMessageA(deepestWindow, WM_KEYDOWN, VK_ESCAPE, 0x10001);
    }
    else if (parent)
    {
        ::PostMessageA(parent, WM_KEYDOWN, VK_ESCAPE, 0x10001);
    }
    const std::vector<COXBitmapMenu*> menus = m_bitmapMenus;
    for (COXBitmapMenu* menu : menus)
    {
        const HMENU handle = menu->GetSafeHmenu();
        const HWND window = PopupWindowOf(handle);
        if (!::IsMenu(handle) || !window || !::IsWindow(window) || handle == deepest)
            RestoreMenu(menu);
    }
    if (!locked && parent)
        ::PostMessageA(parent, WM_KEYDOWN, VK_RETURN, 0x1C0001);
}

void COXMenuOrganizer::InstallHooks()
{
    if (s_hookOwner && s_hookOwner != this)
        return;
    s_hookOwner = this;
    if (!MouseHook().IsInstalled())
        MouseHook().Install(WH_MOUSE,
                            [](int, WPARAM wParam, LPARAM lParam, LRESULT* result)
                            {
                                if (!s_hookOwner ||
                                    !s_hookOwner->HandleMouseHook(
                                        wParam, reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)))
                                    return false;
                                *result = 1;
                                return true;
                            });
    if (!KeyboardHook().IsInstalled())
        KeyboardHook().Install(WH_KEYBOARD,
                               [](int, WPARAM wParam, LPARAM lParam, LRESULT* result)
                               {
                                   if (!s_hookOwner ||
                                       !s_hookOwner->HandleKeyboardHook(wParam, lParam))
                                       return false;
                                   *result = 1;
                                   return true;
                               });
}

void COXMenuOrganizer::RemoveHooks()
{
    MouseHook().Remove();
    KeyboardHook().Remove();
    s_hookOwner = nullptr;
}

bool COXMenuOrganizer::HandleMouseHook(WPARAM msg, const MOUSEHOOKSTRUCT* info)
{
    switch (msg)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP: break;
    default: return false;
    }
    if (!info)
        return false;
    const HWND under = ::WindowFromPoint(info->pt);
    int level = -1;
    for (size_t i = 0; i < m_levels.size() && static_cast<int>(i) < m_depth; ++i)
    {
        if (PopupWindowOf(m_levels[i].menu) == under)
            level = static_cast<int>(i);
    }
    if (level < 0)
        return false;
    for (int deeper = m_depth - 1; deeper > level; --deeper)
    {
        if (const HWND window = PopupWindowOf(m_levels[static_cast<size_t>(deeper)].menu))
            ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x10001);
    }
    m_depth = level + 1;
    const HMENU menu = m_levels[static_cast<size_t>(level)].menu;
    const int item = ::MenuItemFromPoint(nullptr, menu, info->pt);
    if (item < 0 || ::GetMenuItemID(menu, item) != ID_OXBM_EXPANSION)
        return false;
    const bool buttonDown = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN ||
                            msg == WM_NCLBUTTONDOWN || msg == WM_NCRBUTTONDOWN;
    if (!buttonDown)
        ::PostMessageA(m_hSubclassed, WM_COMMAND, ID_OXBM_EXPANSION, 0);
    return true;
}

bool COXMenuOrganizer::HandleKeyboardHook(WPARAM key, LPARAM flags)
{
    if (key != VK_RETURN)
        return false;
    // The topmost open popup, as the system lists its windows.
    for (const OpenLevel& level : m_levels)
    {
        const HWND window = PopupWindowOf(level.menu);
        if (!window || !::IsWindowVisible(window))
            continue;
        const int count = ::GetMenuItemCount(level.menu);
        if (count <= 0 || ::GetMenuItemID(level.menu, count - 1) != ID_OXBM_EXPANSION ||
            !(::GetMenuState(level.menu, static_cast<UINT>(count - 1), MF_BYPOSITION) & MF_HILITE))
            continue;
        if ((static_cast<DWORD>(flags) & 0xE0000000u) == 0)
            ::PostMessageA(m_hSubclassed, WM_COMMAND, ID_OXBM_EXPANSION, 0);
        return true;
    }
    return false;
}
