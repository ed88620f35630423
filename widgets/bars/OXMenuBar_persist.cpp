// COXMenuBar menus: the menu per document type kept in the profile (saved when customised,
// read when a document type first shows its menu), customisation of the bar's items, and
// menus filled from an item template. A stored menu is parsed whole, bounded by its real
// length and nesting depth, before the menu is touched; a bad one is ignored.
#include "platform/base/archive.h"
#include "platform/base/exception.h"
#include "platform/base/file.h"
#include "platform/docview/doc.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/mdi.h"
#include "platform/win/app.h"
#include "platform/win/resource.h"
#include "resources/ids/widgets_ids.h"
#include "widgets/bars/OXMenuBar.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

struct COXMenuBar::MenuItemRecord
{
    int32_t type;
    int32_t id;
    CString text;
    bool hasSubmenu;
    std::vector<MenuItemRecord> items;
};

namespace
{
constexpr const char* kItemsEntry = "MenuItems";
constexpr const char* kSizeEntry = "MenuDataSize";
constexpr UINT kFirstMdiChild = 0xFF00;
// Menus nest a few levels; deeper stored data is not a menu this program wrote.
constexpr int kMaxDepth = 16;
// Texts are read into a buffer of this many characters.
constexpr int kTextLength = 256;
// Smallest stored item: type, flag, id and an empty text.
constexpr UINT kSmallestItem = 13;
} // namespace

CDocument* COXMenuBar::ActiveDocument() const
{
    if (auto* mdi = dynamic_cast<CMDIFrameWnd*>(m_pParentFrame))
    {
        CMDIChildWnd* child = mdi->MDIGetActive();
        return child ? child->GetActiveDocument() : nullptr;
    }
    return m_pParentFrame ? m_pParentFrame->GetActiveDocument() : nullptr;
}

CString COXMenuBar::SectionFor(const char* className)
{
    if (!className || !*className)
        return "Menu_Default~!@#$#$%^";
    return CString("Menu_") + className;
}

BOOL COXMenuBar::SetMenu(HMENU menu)
{
    if (menu == m_hMenu)
        return TRUE;
    if (m_hMenu && m_changedMenus.erase(m_hMenu))
        SaveMenu(m_hMenu);
    m_hMenu = menu;
    if (menu && !m_menuTemplates.count(menu))
    {
        CDocument* document = ActiveDocument();
        CDocTemplate* docTemplate = document ? document->GetDocTemplate() : nullptr;
        bool templateMapped = false;
        for (const auto& [mapped, owner] : m_menuTemplates)
            templateMapped = templateMapped || owner == docTemplate;
        if (!templateMapped)
        {
            m_menuTemplates[menu] = docTemplate;
            LoadMenu(menu, document ? document->GetRuntimeClass()->m_lpszClassName : "");
        }
    }
    return RebuildButtons(TRUE);
}

void COXMenuBar::SaveMenu(HMENU menu)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    const char* className = "";
    const auto mapped = m_menuTemplates.find(menu);
    if (mapped != m_menuTemplates.end() && mapped->second)
    {
        POSITION position = mapped->second->GetFirstDocPosition();
        if (CDocument* first = position ? mapped->second->GetNextDoc(position) : nullptr)
            className = first->GetRuntimeClass()->m_lpszClassName;
    }
    const CString section = SectionFor(className);
    CMemFile file(1024);
    {
        CArchive archive(&file, CArchive::store, 4096);
        StoreItems(archive, menu);
        archive.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    std::unique_ptr<BYTE, decltype(&std::free)> bytes(file.Detach(), &std::free);
    app->WriteProfileBinary(section, kItemsEntry, bytes.get(), length);
    app->WriteProfileInt(section, kSizeEntry, static_cast<int>(length));
    if (CFrameWnd* frame = Frame())
        frame->SendMessage(WM_OX_MENUSAVED, reinterpret_cast<WPARAM>(menu),
                           reinterpret_cast<LPARAM>(static_cast<const char*>(section)));
}

void COXMenuBar::StoreItems(CArchive& archive, HMENU menu) const
{
    const int count = ::GetMenuItemCount(menu);
    archive << int32_t{count};
    for (int item = 0; item < count; ++item)
    {
        char text[kTextLength] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = kTextLength;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(item), TRUE, &info);
        const bool hasSubmenu = info.hSubMenu != nullptr;
        archive << static_cast<int32_t>(info.fType) << int32_t{hasSubmenu ? 1 : 0}
                << static_cast<int32_t>(hasSubmenu ? -1 : static_cast<int32_t>(info.wID))
                << CString(text);
        if (hasSubmenu)
            StoreItems(archive, info.hSubMenu);
    }
}

bool COXMenuBar::ParseItems(CArchive& archive, UINT length, int depth,
                            std::vector<MenuItemRecord>& items)
{
    if (depth > kMaxDepth)
        return false;
    int32_t count = 0;
    archive >> count;
    if (count < 0 || static_cast<uint64_t>(count) * kSmallestItem > length)
        return false;
    for (int32_t i = 0; i < count; ++i)
    {
        MenuItemRecord record;
        int32_t hasSubmenu = 0;
        archive >> record.type >> hasSubmenu >> record.id >> record.text;
        if (hasSubmenu != 0 && hasSubmenu != 1)
            return false;
        record.hasSubmenu = hasSubmenu == 1;
        if (record.text.GetLength() >= kTextLength)
            record.text = record.text.Left(kTextLength - 1);
        if (record.hasSubmenu && !ParseItems(archive, length, depth + 1, record.items))
            return false;
        items.push_back(std::move(record));
    }
    return true;
}

void COXMenuBar::LoadMenu(HMENU menu, const char* className)
{
    CWinApp* app = AfxGetApp();
    const CString section = SectionFor(className);
    std::vector<MenuItemRecord> items;
    bool parsed = false;
    BYTE* raw = nullptr;
    UINT length = 0;
    if (app && static_cast<int>(app->GetProfileInt(section, kSizeEntry, -1)) != -1 &&
        app->GetProfileBinary(section, kItemsEntry, &raw, &length) && raw && length > 0)
    {
        std::unique_ptr<BYTE[]> owned(raw);
        try
        {
            CMemFile file(raw, length);
            CArchive archive(&file, CArchive::load, 4096);
            parsed = ParseItems(archive, length, 0, items);
            archive.Close();
        }
        catch (CException* e)
        {
            e->Delete();
            parsed = false;
        }
    }
    if (parsed)
    {
        while (::GetMenuItemCount(menu) > 0)
            ::DeleteMenu(menu, 0, MF_BYPOSITION);
        FillMenu(menu, items);
    }
    if (CFrameWnd* frame = Frame())
        frame->SendMessage(WM_OX_MENULOADED, reinterpret_cast<WPARAM>(menu),
                           reinterpret_cast<LPARAM>(static_cast<const char*>(section)));
}

HMENU COXMenuBar::NewPopup()
{
    const HMENU popup = ::CreatePopupMenu();
    if (popup)
        m_loadedPopups.push_back(popup);
    return popup;
}

void COXMenuBar::FillMenu(HMENU menu, const std::vector<MenuItemRecord>& items)
{
    for (const MenuItemRecord& record : items)
    {
        HMENU popup = nullptr;
        if (record.hasSubmenu)
        {
            popup = NewPopup();
            if (!popup)
                continue;
            FillMenu(popup, record.items);
        }
        else if (static_cast<UINT>(record.id) >= kFirstMdiChild)
        {
            // The MDI window list: the client makes it; this menu becomes the window menu.
            if (static_cast<UINT>(record.id) == kFirstMdiChild &&
                dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()))
            {
                const int last = ::GetMenuItemCount(menu) - 1;
                if (last >= 0 &&
                    (::GetMenuState(menu, static_cast<UINT>(last), MF_BYPOSITION) & MF_SEPARATOR))
                    ::DeleteMenu(menu, static_cast<UINT>(last), MF_BYPOSITION);
                m_hWindowMenu = menu;
            }
            continue;
        }
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.fType = static_cast<UINT>(record.type) & ~static_cast<UINT>(MFT_BITMAP);
        info.wID = record.hasSubmenu ? 0 : static_cast<UINT>(record.id);
        info.hSubMenu = popup;
        info.dwTypeData = const_cast<char*>(static_cast<const char*>(record.text));
        ::InsertMenuItemA(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info);
    }
}

BOOL COXMenuBar::IsCustomizable(BOOL advanced) const
{
    return advanced;
}

BOOL COXMenuBar::SaveBarState(const char*, const char*, BOOL)
{
    // The menus only: the bar's buttons follow them.
    const std::set<HMENU> changed = std::move(m_changedMenus);
    m_changedMenus.clear();
    for (const HMENU menu : changed)
        SaveMenu(menu);
    return TRUE;
}

BOOL COXMenuBar::LoadBarState(const char*, const char*, BOOL)
{
    return TRUE;
}

void COXMenuBar::ShowCustomizeContextMenu(int index, int x, int y)
{
    CString deleteText;
    CString appearanceText;
    fw::LoadResourceString(IDS_OXCTB_DELETE, deleteText);
    fw::LoadResourceString(IDS_OXCTB_APPEARANCE, appearanceText);
    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, ID_OXCTB_DELETE, deleteText);
    ::AppendMenuA(menu, MF_STRING, ID_OXCTB_APPEARANCE, appearanceText);
    const UINT command = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, m_hWnd, nullptr));
    ::DestroyMenu(menu);
    if (command != 0)
        DoCustomizeCommand(command, index);
}

BOOL COXMenuBar::DeleteButton(int index)
{
    const int count = GetCount();
    if (index < 0 || index >= count || !m_hMenu)
        return FALSE;
    // Later buttons keep command = position + 1.
    for (int later = index + 1; later < count; ++later)
        SendMessage(TB_SETCMDID, static_cast<WPARAM>(later), static_cast<LPARAM>(later));
    SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
    ::DeleteMenu(m_hMenu, static_cast<UINT>(index), MF_BYPOSITION);
    MapMnemonics(); // the letters of later items now lead one position lower
    m_changedMenus.insert(m_hMenu);
    return TRUE;
}

BOOL COXMenuBar::BuildMenuFromTemplate(HMENU menu, const void* itemTemplate, size_t size)
{
    // A standard menu template: a header of two words (version 0, offset), then the items.
    const auto* at = static_cast<const BYTE*>(itemTemplate);
    if (!menu || !at || size < 4)
        return FALSE;
    const WORD version = static_cast<WORD>(at[0] | (at[1] << 8));
    const WORD offset = static_cast<WORD>(at[2] | (at[3] << 8));
    if (version != 0 || 4u + offset > size)
        return FALSE;
    const BYTE* cursor = at + 4 + offset;
    return FillFromTemplate(menu, cursor, at + size, 0);
}

BOOL COXMenuBar::FillFromTemplate(HMENU menu, const BYTE*& at, const BYTE* end, int depth)
{
    if (depth > kMaxDepth)
        return FALSE;
    auto readWord = [&at, end](WORD& value)
    {
        if (end - at < 2)
            return false;
        value = static_cast<WORD>(at[0] | (at[1] << 8));
        at += 2;
        return true;
    };
    for (;;)
    {
        WORD flags = 0;
        WORD id = 0;
        if (!readWord(flags) || (!(flags & MF_POPUP) && !readWord(id)))
            return FALSE;
        // The text: UTF-16 up to its terminating zero.
        std::wstring text;
        WORD ch = 0;
        do
        {
            if (!readWord(ch))
                return FALSE;
            if (ch)
                text.push_back(static_cast<wchar_t>(ch));
        } while (ch);
        const UINT itemFlags = flags & ~(MF_END | MF_POPUP);
        if (flags & MF_POPUP)
        {
            // The popup belongs to the menu being filled, not to the bar.
            const HMENU popup = ::CreatePopupMenu();
            if (!popup || !FillFromTemplate(popup, at, end, depth + 1))
            {
                if (popup)
                    ::DestroyMenu(popup);
                return FALSE;
            }
            ::AppendMenuW(menu, itemFlags | MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                          text.c_str());
        }
        else if (id == 0 && text.empty())
        {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        }
        else
        {
            ::AppendMenuW(menu, itemFlags | MF_STRING, id, text.c_str());
        }
        if (flags & MF_END)
            return TRUE;
    }
}
