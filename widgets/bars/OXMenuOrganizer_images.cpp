// COXMenuOrganizer: images of menu commands (bitmap and icon resources and handles, the
// frame's toolbars, selected-state images) and the profile persistence of the hidden sets.
#include "platform/bars/toolbar.h"
#include "platform/base/archive.h"
#include "platform/base/exception.h"
#include "platform/base/file.h"
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/gdiobj.h"
#include "platform/win/resource.h"
#include "widgets/bars/OXMenuBar.h"
#include "widgets/bars/OXMenuOrganizer.h"

#include <cstdint>
#include <cstdlib>
#include <functional>

namespace
{
constexpr COLORREF kBitmapMask = RGB(192, 192, 192);
constexpr UINT kImageListFlags = ILC_MASK | ILC_COLOR24;
constexpr const char* kSubmenuSection = "RecentlyUsedSubmenuItems";
constexpr const char* kCommandSection = "RecentlyUsedMenuItems";
constexpr const char* kContentsEntry = "RUContents";
constexpr const char* kSizeEntry = "RUItemsDataSize";
constexpr uint32_t kPathEnd = 0xFFFFFFFFu;
// Menus nest a few levels; a longer stored path is no path of ours.
constexpr int kMaxPathLength = 16;
// Keeps lists made from icon resources apart from bitmaps of the same id.
constexpr char kIconMarker = '\x01';

HBITMAP LoadBitmapNamed(const char* name)
{
    return ::LoadBitmapA(fw::ResourceHandle(), name);
}

HICON LoadIconNamed(const char* name)
{
    return static_cast<HICON>(::LoadImageA(fw::ResourceHandle(), name, IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXICON),
                                           ::GetSystemMetrics(SM_CYICON), 0));
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

void ThrowBadArchive()
{
    fw::ThrowArchiveException(CArchiveException::badIndex);
}
} // namespace

CString COXMenuOrganizer::ResourceKey(UINT id, bool icon)
{
    CString key;
    key.Format("%u", id);
    if (icon)
        key += kIconMarker;
    return key;
}

CString COXMenuOrganizer::ResourceKey(const char* name, bool icon)
{
    if (IS_INTRESOURCE(name))
        return ResourceKey(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)), icon);
    CString key(name);
    if (icon)
        key += kIconMarker;
    return key;
}

CImageList* COXMenuOrganizer::ListFor(const CString& key, bool* existed)
{
    const auto found = m_imageLists.find(key);
    *existed = found != m_imageLists.end() && found->second != &m_checkMarks;
    if (*existed)
    {
        // Emptied in place: the records that point at it stay valid.
        found->second->DeleteImageList();
        return found->second;
    }
    auto* list = new CImageList; // owned by the map
    m_imageLists[key] = list;
    return list;
}

BOOL COXMenuOrganizer::AssignImage(UINT command, CImageList* list, int index)
{
    auto& record = m_images[command];
    if (record)
    {
        // A command keeps its index; only the list changes.
        record->imageList = list;
        return TRUE;
    }
    record = std::make_unique<MenuImageInfo>(MenuImageInfo{list, index, 0, -1});
    return TRUE;
}

MenuImageInfo* COXMenuOrganizer::GetMenuImageInfo(UINT command) const
{
    const auto found = m_images.find(command);
    return found == m_images.end() ? nullptr : found->second.get();
}

BOOL COXMenuOrganizer::SetMenuBitmap(UINT command, UINT bitmapId)
{
    return SetMenuBitmap(command, MAKEINTRESOURCEA(bitmapId));
}

BOOL COXMenuOrganizer::SetMenuBitmap(UINT command, const char* bitmapName)
{
    if (!m_pFrameWnd)
        return FALSE;
    const HBITMAP bitmap = LoadBitmapNamed(bitmapName);
    if (!bitmap)
        return FALSE;
    const SIZE size = BitmapSize(bitmap);
    ::DeleteObject(bitmap);
    return SetMenuImage(command, bitmapName, 0, size.cx);
}

BOOL COXMenuOrganizer::SetMenuImage(UINT command, UINT bitmapId, int imageIndex, int imageWidth)
{
    return SetMenuImage(command, MAKEINTRESOURCEA(bitmapId), imageIndex, imageWidth);
}

BOOL COXMenuOrganizer::SetMenuImage(UINT command, const char* bitmapName, int imageIndex,
                                    int imageWidth)
{
    if (!m_pFrameWnd || imageWidth <= 0)
        return FALSE;
    const HBITMAP bitmap = LoadBitmapNamed(bitmapName);
    if (!bitmap)
        return FALSE;
    const SIZE size = BitmapSize(bitmap);
    bool existed = false;
    const CString key = ResourceKey(bitmapName, false);
    CImageList* list = ListFor(key, &existed);
    const BOOL made = list->Create(imageWidth, size.cy, kImageListFlags, 0, 1) &&
                      ::ImageList_AddMasked(*list, bitmap, kBitmapMask) >= 0;
    ::DeleteObject(bitmap);
    if (!made)
        return FALSE;
    return AssignImage(command, list, imageIndex);
}

BOOL COXMenuOrganizer::SetMenuImage(UINT command, CBitmap* bitmap, COLORREF mask, int cx, int cy)
{
    if (!m_pFrameWnd || !bitmap || !bitmap->GetSafeHandle())
        return FALSE;
    bool existed = false;
    CString key;
    key.Format("%u", static_cast<UINT>(reinterpret_cast<UINT_PTR>(bitmap->GetSafeHandle())));
    CImageList* list = ListFor(key, &existed);
    if (!list->Create(cx, cy, kImageListFlags, 0, 1) ||
        ::ImageList_AddMasked(*list, static_cast<HBITMAP>(bitmap->GetSafeHandle()), mask) < 0)
        return FALSE;
    return AssignImage(command, list, 0);
}

BOOL COXMenuOrganizer::SetMenuIcon(UINT command, HICON icon, int cx, int cy)
{
    if (!m_pFrameWnd || !icon)
        return FALSE;
    bool existed = false;
    CString key;
    key.Format("%u", static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon)));
    CImageList* list = ListFor(key, &existed);
    if (!list->Create(cx, cy, kImageListFlags, 0, 1) || list->Add(icon) < 0)
        return FALSE;
    return AssignImage(command, list, 0);
}

BOOL COXMenuOrganizer::SetMenuIcon(UINT command, UINT iconId)
{
    return SetMenuIcon(command, MAKEINTRESOURCEA(iconId));
}

BOOL COXMenuOrganizer::SetMenuIcon(UINT command, const char* iconName)
{
    if (!m_pFrameWnd)
        return FALSE;
    const HICON icon = LoadIconNamed(iconName);
    if (!icon)
        return FALSE;
    bool existed = false;
    CImageList* list = ListFor(ResourceKey(iconName, true), &existed);
    const BOOL made = list->Create(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                   kImageListFlags, 0, 1) &&
                      list->Add(icon) >= 0;
    ::DestroyIcon(icon);
    return made && AssignImage(command, list, 0);
}

BOOL COXMenuOrganizer::AddSelectedImage(UINT command, HICON icon)
{
    MenuImageInfo* record = GetMenuImageInfo(command);
    if (!m_pFrameWnd || !record || !record->imageList || record->imageList == &m_checkMarks ||
        !icon)
        return FALSE;
    const int index = record->imageList->Add(icon);
    if (index < 0)
        return FALSE;
    record->selectedIndex = index;
    return TRUE;
}

BOOL COXMenuOrganizer::AddSelectedBitmap(UINT command, HBITMAP bitmap, COLORREF mask)
{
    MenuImageInfo* record = GetMenuImageInfo(command);
    if (!m_pFrameWnd || !record || !record->imageList || record->imageList == &m_checkMarks ||
        !bitmap)
        return FALSE;
    const int index = ::ImageList_AddMasked(*record->imageList, bitmap, mask);
    if (index < 0)
        return FALSE;
    record->selectedIndex = index;
    return TRUE;
}

BOOL COXMenuOrganizer::SetMenuSelectedImage(UINT command, UINT bitmapId, int imageIndex,
                                            int imageWidth)
{
    if (!m_pFrameWnd || !GetMenuImageInfo(command) || imageWidth <= 0)
        return FALSE;
    const HBITMAP bitmap = fw::LoadResourceBitmap(bitmapId);
    if (!bitmap)
        return FALSE;
    const SIZE size = BitmapSize(bitmap);
    CImageList temporary;
    HICON icon = nullptr;
    if (temporary.Create(imageWidth, size.cy, kImageListFlags, 0, 1) &&
        ::ImageList_AddMasked(temporary, bitmap, kBitmapMask) >= 0)
        icon = temporary.ExtractIcon(imageIndex);
    ::DeleteObject(bitmap);
    const BOOL added = AddSelectedImage(command, icon);
    if (icon)
        ::DestroyIcon(icon);
    return added;
}

BOOL COXMenuOrganizer::SetMenuSelectedImage(UINT command, UINT bitmapId)
{
    return SetMenuSelectedImage(command, MAKEINTRESOURCEA(bitmapId));
}

BOOL COXMenuOrganizer::SetMenuSelectedImage(UINT command, const char* bitmapName)
{
    const HBITMAP bitmap = LoadBitmapNamed(bitmapName);
    if (!bitmap)
        return FALSE;
    const BOOL added = AddSelectedBitmap(command, bitmap, kBitmapMask);
    ::DeleteObject(bitmap);
    return added;
}

BOOL COXMenuOrganizer::SetMenuSelectedImage(UINT command, CBitmap* bitmap, COLORREF mask)
{
    return bitmap &&
           AddSelectedBitmap(command, static_cast<HBITMAP>(bitmap->GetSafeHandle()), mask);
}

BOOL COXMenuOrganizer::SetMenuSelectedIcon(UINT command, HICON icon)
{
    return AddSelectedImage(command, icon);
}

BOOL COXMenuOrganizer::SetMenuSelectedIcon(UINT command, UINT iconId)
{
    return SetMenuSelectedIcon(command, MAKEINTRESOURCEA(iconId));
}

BOOL COXMenuOrganizer::SetMenuSelectedIcon(UINT command, const char* iconName)
{
    const HICON icon = LoadIconNamed(iconName);
    const BOOL added = AddSelectedImage(command, icon);
    if (icon)
        ::DestroyIcon(icon);
    return added;
}

BOOL COXMenuOrganizer::IsTopLevelPopup(HMENU menu) const
{
    COXMenuBar* bar = m_pFrameWnd ? COXMenuBar::FindMenuBar(m_pFrameWnd) : nullptr;
    const HMENU top = bar ? bar->GetMenu() : nullptr;
    if (!top || !menu)
        return FALSE;
    const int count = ::GetMenuItemCount(top);
    for (int i = 0; i < count; ++i)
    {
        if (::GetSubMenu(top, i) == menu)
            return TRUE;
    }
    return FALSE;
}

BOOL COXMenuOrganizer::SetMenuImagesFromToolbars()
{
    auto* frame = dynamic_cast<CFrameWnd*>(m_pFrameWnd);
    if (!frame)
        return FALSE;
    RestoreMenus();
    int toolbarNumber = 0;
    POSITION position = frame->m_listControlBars.GetHeadPosition();
    while (position)
    {
        auto* bar = dynamic_cast<CToolBar*>(
            static_cast<CObject*>(frame->m_listControlBars.GetNext(position)));
        if (!bar || !bar->GetSafeHwnd())
            continue;
        const HWND toolbar = bar->GetSafeHwnd();
        const auto normal =
            reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
        if (!normal)
            continue;
        const auto hot =
            reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETHOTIMAGELIST, 0, 0));
        CString key;
        key.Format("%i", ++toolbarNumber);
        bool existed = false;
        CImageList* list = ListFor(key, &existed);
        list->Attach(::ImageList_Duplicate(normal));
        const int normalCount = list->GetImageCount();
        if (hot)
        {
            const int hotCount = ::ImageList_GetImageCount(hot);
            for (int i = 0; i < hotCount; ++i)
            {
                if (const HICON icon = ::ImageList_GetIcon(hot, i, ILD_NORMAL))
                {
                    list->Add(icon);
                    ::DestroyIcon(icon);
                }
            }
        }
        const int buttons = static_cast<int>(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < buttons; ++i)
        {
            TBBUTTON button = {};
            if (!::SendMessageA(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                                reinterpret_cast<LPARAM>(&button)) ||
                (button.fsStyle & TBSTYLE_SEP) || button.iBitmap < 0)
                continue; // a separator, or a button without a picture (the menu bar's)
            m_images[static_cast<UINT>(button.idCommand)] = std::make_unique<MenuImageInfo>(
                MenuImageInfo{list, button.iBitmap, 0, hot ? normalCount + button.iBitmap : -1});
        }
    }
    return TRUE;
}

CString COXMenuOrganizer::Section(const char* section, const char* fallback)
{
    return (section && *section) ? CString(section) : CString(fallback);
}

void COXMenuOrganizer::WriteHiddenCommands(CArchive& archive) const
{
    archive << static_cast<uint32_t>(m_hiddenCommands.size());
    for (const UINT command : m_hiddenCommands)
        archive << static_cast<uint32_t>(command);
}

void COXMenuOrganizer::ReadHiddenCommands(CArchive& archive, UINT length)
{
    uint32_t count = 0;
    archive >> count;
    if (count > (length / 4))
        ThrowBadArchive();
    std::vector<UINT> commands;
    for (uint32_t i = 0; i < count; ++i)
    {
        uint32_t command = 0;
        archive >> command;
        commands.push_back(command);
    }
    m_hiddenCommands.clear();
    for (const UINT command : commands)
        ExcludeCommandFromRecentlyUsed(command);
}

void COXMenuOrganizer::WriteHiddenSubmenus(CArchive& archive, HMENU root) const
{
    archive << static_cast<uint32_t>(m_hiddenSubmenus.size());
    for (const HMENU submenu : m_hiddenSubmenus)
    {
        // The path of positions from root down to the submenu, found depth first.
        std::vector<uint32_t> path;
        const std::function<bool(HMENU)> find = [&](HMENU menu) -> bool
        {
            const int count = ::GetMenuItemCount(menu);
            for (int i = 0; i < count && static_cast<int>(path.size()) < kMaxPathLength; ++i)
            {
                const HMENU sub = ::GetSubMenu(menu, i);
                if (!sub)
                    continue;
                path.push_back(static_cast<uint32_t>(i));
                if (sub == submenu || find(sub))
                    return true;
                path.pop_back();
            }
            return false;
        };
        if (::IsMenu(submenu) && root && find(root))
        {
            for (const uint32_t position : path)
                archive << position;
        }
        archive << kPathEnd;
    }
}

void COXMenuOrganizer::ReadHiddenSubmenus(CArchive& archive, UINT length, HMENU root)
{
    uint32_t count = 0;
    archive >> count;
    if (count > length / 4)
        ThrowBadArchive();
    std::vector<HMENU> found;
    for (uint32_t i = 0; i < count; ++i)
    {
        HMENU menu = root;
        int steps = 0;
        for (;;)
        {
            uint32_t position = 0;
            archive >> position;
            if (position == kPathEnd)
                break;
            if (++steps > kMaxPathLength)
                ThrowBadArchive();
            menu = menu ? ::GetSubMenu(menu, static_cast<int>(position)) : nullptr;
        }
        if (steps > 0 && menu)
            found.push_back(menu);
    }
    m_hiddenSubmenus.clear();
    for (const HMENU menu : found)
        ExcludeSubmenuFromRecentlyUsed(menu);
}

namespace
{
BOOL WriteProfileArchive(const CString& section, const std::function<void(CArchive&)>& write)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    CMemFile file(1024);
    {
        CArchive archive(&file, CArchive::store, 4096);
        write(archive);
        archive.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    std::unique_ptr<BYTE, decltype(&std::free)> bytes(file.Detach(), &std::free);
    app->WriteProfileBinary(section, kContentsEntry, bytes.get(), length);
    app->WriteProfileInt(section, kSizeEntry, static_cast<int>(length));
    return TRUE;
}

// FALSE when there is no value or it cannot be read whole; read throws on a bad archive.
BOOL ReadProfileArchive(const CString& section,
                        const std::function<void(CArchive&, UINT length)>& read)
{
    CWinApp* app = AfxGetApp();
    if (!app || static_cast<int>(app->GetProfileInt(section, kSizeEntry, -1)) == -1)
        return FALSE;
    BYTE* raw = nullptr;
    UINT length = 0;
    if (!app->GetProfileBinary(section, kContentsEntry, &raw, &length) || !raw)
        return FALSE;
    std::unique_ptr<BYTE[]> owned(raw);
    try
    {
        CMemFile file(raw, length);
        CArchive archive(&file, CArchive::load, 4096);
        read(archive, length);
        archive.Close();
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}
} // namespace

BOOL COXMenuOrganizer::SaveHiddenSubmenus(HMENU root, const char* section)
{
    return WriteProfileArchive(Section(section, kSubmenuSection), [this, root](CArchive& archive)
                               { WriteHiddenSubmenus(archive, root); });
}

BOOL COXMenuOrganizer::LoadHiddenSubmenus(HMENU root, const char* section)
{
    return ReadProfileArchive(Section(section, kSubmenuSection),
                              [this, root](CArchive& archive, UINT length)
                              { ReadHiddenSubmenus(archive, length, root); });
}

BOOL COXMenuOrganizer::SaveHiddenCommands(const char* section)
{
    return WriteProfileArchive(Section(section, kCommandSection),
                               [this](CArchive& archive) { WriteHiddenCommands(archive); });
}

BOOL COXMenuOrganizer::LoadHiddenCommands(const char* section)
{
    return ReadProfileArchive(Section(section, kCommandSection),
                              [this](CArchive& archive, UINT length)
                              { ReadHiddenCommands(archive, length); });
}
