// COXBitmapMenu: measuring, hit testing, the command-update pass, customisation operations and
// items from packed data. Drawing is in OXBitmapMenu_draw.cpp.
#include "widgets/bars/OXBitmapMenu.h"

#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/cmdtarget.h"
#include "platform/win/resource.h"
#include "platform/win/wnd.h"
#include "resources/ids/widgets_ids.h"
#include "widgets/bars/AnsiText.h"
#include "widgets/bars/OXBitmapMenuPopupWnd.h"
#include "widgets/bars/OXMenuOrganizer.h"

#include <cstring>

namespace
{
// Stored menus nest a few levels; deeper data is no menu of ours.
constexpr int kMaxDepth = 16;
constexpr size_t kSkippedBytes = 5;
constexpr UINT kPopupId = 0xFFFFFFFFu;

bool IsSeparatorId(UINT id)
{
    return id == 0 || id == 0xFFFF;
}

uint32_t ReadWord(const BYTE* at)
{
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

// The part after the first line break of string resource id; empty when it has none.
CString TextAfterLineBreak(UINT id)
{
    char buffer[COXBitmapMenu::kTextLength] = {};
    if (::LoadStringA(fw::ResourceHandle(), id, buffer, sizeof buffer) <= 0)
        return CString();
    const char* lineBreak = std::strchr(buffer, '\n');
    return lineBreak ? CString(lineBreak + 1) : CString();
}

// An update object whose text goes into the item data of an owner-drawn item.
class CBitmapMenuCmdUI : public CCmdUI
{
public:
    void SetText(const char* text) override
    {
        if (m_pMenu && !m_pSubMenu)
        {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            if (m_pMenu->GetMenuItemInfo(m_nIndex, &info, TRUE) && (info.fType & MFT_OWNERDRAW) &&
                info.dwItemData)
            {
                reinterpret_cast<BitmapMenuItemData*>(info.dwItemData)->text = text;
                return;
            }
        }
        CCmdUI::SetText(text);
    }
};
} // namespace

struct COXBitmapMenu::DataRecord
{
    UINT id;
    CString text;
    UINT flags;
    std::vector<DataRecord> items;
};

COXBitmapMenu::COXBitmapMenu() = default;

COXBitmapMenu::~COXBitmapMenu()
{
    if (m_pPopupWnd && m_pPopupWnd->GetBitmapMenu() == this)
        m_pPopupWnd->Hide();
    m_dropTarget.Revoke();
    // The base destroys the handle; the item data goes with this object.
}

void COXBitmapMenu::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    if (!item || !item->itemData)
        return;
    const auto* data = reinterpret_cast<const BitmapMenuItemData*>(item->itemData);
    int imageHeight = 0;
    if (data->image && data->image->imageList)
    {
        int cx = 0;
        int cy = 0;
        data->image->imageList->GetIconSize(&cx, &cy);
        imageHeight = cy + 2;
    }
    item->itemWidth = kImageGapLeft + m_maxImageWidth + kImageLabelGap + m_maxLabelWidth +
                      (m_maxShortcutWidth > 0 ? kLabelShortcutGap + m_maxShortcutWidth : 0) +
                      kShortcutGapRight;
    if (IsSeparatorId(item->itemID))
        item->itemHeight = kSeparatorHeight;
    else
        item->itemHeight = std::max(m_textHeight + kTextMargin, imageHeight + kImageMargin);
}

void COXBitmapMenu::MeasureColumns()
{
    m_maxImageWidth = 0;
    m_maxLabelWidth = 0;
    m_maxShortcutWidth = 0;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = ::CreateFontIndirectA(&metrics.lfMenuFont);
    CWnd* main = AfxGetMainWnd();
    const HWND screenOf = main ? main->GetSafeHwnd() : nullptr;
    const HDC dc = ::GetDC(screenOf);
    const HGDIOBJ oldFont = ::SelectObject(dc, font);
    const int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count; ++i)
    {
        char text[kTextLength] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        if (!::GetMenuItemInfoA(m_hMenu, static_cast<UINT>(i), TRUE, &info) ||
            (info.fType & MFT_SEPARATOR) || (!info.hSubMenu && IsSeparatorId(info.wID)))
            continue;
        CString itemText;
        const auto* data = reinterpret_cast<const BitmapMenuItemData*>(info.dwItemData);
        if ((info.fType & MFT_OWNERDRAW) && data)
        {
            itemText = data->text;
            if (data->image && data->image->imageList)
            {
                int cx = 0;
                int cy = 0;
                data->image->imageList->GetIconSize(&cx, &cy);
                m_maxImageWidth = std::max(m_maxImageWidth, cx);
            }
        }
        else
        {
            ::GetMenuStringA(m_hMenu, static_cast<UINT>(i), text, kTextLength, MF_BYPOSITION);
            itemText = text;
        }
        const int tab = itemText.Find('\t');
        const CString label = tab < 0 ? itemText : itemText.Left(tab);
        // A submenu's arrow needs room where a shortcut would be.
        const CString shortcut =
            tab < 0 ? CString(info.hSubMenu ? "W" : "") : itemText.Mid(tab + 1);
        RECT bounds = {};
        DrawAnsiText(dc, label, label.GetLength(), &bounds, DT_SINGLELINE | DT_CALCRECT);
        m_maxLabelWidth = std::max(m_maxLabelWidth, static_cast<int>(bounds.right - bounds.left));
        if (!shortcut.IsEmpty())
        {
            bounds = {};
            DrawAnsiText(dc, shortcut, shortcut.GetLength(), &bounds, DT_SINGLELINE | DT_CALCRECT);
            m_maxShortcutWidth =
                std::max(m_maxShortcutWidth, static_cast<int>(bounds.right - bounds.left));
        }
    }
    RECT bounds = {};
    DrawAnsiText(dc, "A", 1, &bounds, DT_SINGLELINE | DT_CALCRECT);
    m_textHeight = bounds.bottom - bounds.top;
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(screenOf, dc);
    ::DeleteObject(font);
}

int COXBitmapMenu::GetItemFromPoint(CPoint point, BOOL* upperHalf) const
{
    const int count = ::GetMenuItemCount(m_hMenu);
    int bottom = 0;
    for (int i = 0; i < count; ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        ::GetMenuItemInfoA(m_hMenu, static_cast<UINT>(i), TRUE, &info);
        MEASUREITEMSTRUCT measure = {};
        measure.CtlType = ODT_MENU;
        measure.itemID = info.hSubMenu ? kPopupId : info.wID;
        measure.itemData = info.dwItemData;
        const_cast<COXBitmapMenu*>(this)->MeasureItem(&measure);
        bottom += static_cast<int>(measure.itemHeight);
        if (bottom >= point.y)
        {
            if (upperHalf)
                *upperHalf = point.y <= bottom - static_cast<int>(measure.itemHeight) / 2;
            return i;
        }
    }
    return -1;
}

void COXBitmapMenu::UpdateMenuItems(CFrameWnd* frame, UINT, BOOL sysMenu)
{
    if (sysMenu || !frame)
        return;
    CBitmapMenuCmdUI state;
    state.m_pMenu = this;
    state.m_nIndexMax = GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;
        if (state.m_nID == kPopupId)
        {
            state.m_pSubMenu = GetSubMenu(static_cast<int>(state.m_nIndex));
            if (!state.m_pSubMenu)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == kPopupId)
                continue;
            state.DoUpdate(frame, FALSE);
        }
        else
        {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(frame, frame->m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // An update handler may have removed items.
        const UINT count = GetMenuItemCount();
        if (count < state.m_nIndexMax)
        {
            state.m_nIndex -= state.m_nIndexMax - count;
            while (state.m_nIndex < count &&
                   GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}

int COXBitmapMenu::SetCustomizedItem(int position)
{
    const int previous = m_customizedItem;
    m_customizedItem = position;
    if (m_pPopupWnd)
    {
        if (previous != position)
        {
            if (previous != -1)
                m_pPopupWnd->RedrawItem(previous);
            if (position != -1)
                m_pPopupWnd->RedrawItem(position);
        }
        SendCustomizeNotification(ID_OXBM_SELECTIONCHANGED);
    }
    return previous;
}

void COXBitmapMenu::RedrawAround(int position)
{
    if (!m_pPopupWnd || position < 0)
        return;
    const int count = static_cast<int>(GetMenuItemCount());
    if (position - 1 >= 0 && position - 1 < count)
        m_pPopupWnd->RedrawItem(position - 1);
    if (position < count)
        m_pPopupWnd->RedrawItem(position);
}

int COXBitmapMenu::SetDropInsertIndex(int position)
{
    const int previous = m_dropInsertIndex;
    if (previous == position)
        return previous;
    m_dropInsertIndex = position;
    RedrawAround(previous);
    RedrawAround(position);
    SendCustomizeNotification(ID_OXBM_INSERTMARKCHANGED);
    return previous;
}

LRESULT COXBitmapMenu::SendCustomizeNotification(UINT command)
{
    HWND owner = m_hNotifyOwner;
    if (!owner || !::IsWindow(owner))
    {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->GetSafeHwnd() : nullptr;
    }
    if (!owner)
        return 0;
    OXBitmapMenuNotify notify = {};
    notify.hdr.hwndFrom = m_pPopupWnd ? m_pPopupWnd->GetSafeHwnd() : nullptr;
    // A top-level window's "control id" is its menu handle: it has none.
    const bool isChild = (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD) != 0;
    notify.hdr.idFrom = isChild ? static_cast<UINT_PTR>(::GetDlgCtrlID(owner)) : 0;
    notify.hdr.code = OXBMN_CUSTOMIZE;
    notify.command = command;
    return ::SendMessageA(owner, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

void COXBitmapMenu::OnMenuChanged()
{
    CWnd* main = AfxGetMainWnd();
    if (COXMenuOrganizer* organizer =
            main ? COXMenuOrganizer::FindOrganizer(main->GetSafeHwnd()) : nullptr)
        organizer->ConvertMenuItems(this, false);
    if (m_pPopupWnd)
        m_pPopupWnd->OnMenuChanged();
}

int COXBitmapMenu::FindMnemonic(char lower) const
{
    const auto found = m_mnemonics.find(lower);
    return found == m_mnemonics.end() ? -1 : found->second;
}

BitmapMenuItemData* COXBitmapMenu::AddItemData(MenuImageInfo* image, const CString& text)
{
    m_itemData.push_back(std::make_unique<BitmapMenuItemData>(BitmapMenuItemData{image, text}));
    return m_itemData.back().get();
}

COXDropSource* COXBitmapMenu::GetDropSource(CWnd* owner)
{
    m_dropSource.m_pOwner = owner;
    return &m_dropSource;
}

void COXBitmapMenu::OnBeginDragItem(int)
{
    m_bDragInProgress = FALSE;
}

BOOL COXBitmapMenu::ShowCustomizeMenu(int position, int screenX, int screenY)
{
    char text[kTextLength] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kTextLength;
    if (!::GetMenuItemInfoA(m_hMenu, static_cast<UINT>(position), TRUE, &info))
        return FALSE;
    // Recent-file entries and window-list items are the system's.
    if ((info.wID >= 0xE110 && info.wID <= 0xE11F) || (info.wID >= 0xFF00 && !info.hSubMenu))
        return FALSE;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return FALSE;
    const auto textOf = [](UINT id)
    {
        CString text;
        fw::LoadResourceString(id, text);
        return text;
    };
    menu.AppendMenu(MF_STRING, ID_OXBM_DELETE, textOf(IDS_OXBM_DELETE));
    const bool isSeparator = (info.fType & MFT_SEPARATOR) || (!info.hSubMenu && info.wID == 0);
    if (!isSeparator)
    {
        const int count = static_cast<int>(GetMenuItemCount());
        const auto separatorAt = [this, count](int at)
        { return at >= 0 && at < count && GetMenuItemID(at) == 0; };
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_OXBM_APPEARANCE, textOf(IDS_OXBM_APPEARANCE));
        menu.AppendMenu(MF_SEPARATOR);
        CWnd* main = AfxGetMainWnd();
        COXMenuOrganizer* organizer =
            main ? COXMenuOrganizer::FindOrganizer(main->GetSafeHwnd()) : nullptr;
        if (organizer && organizer->IsShowOnlyRecentlyUsed())
        {
            const UINT checked =
                organizer->IsRecentlyUsed(m_hMenu, position) ? MF_CHECKED : MF_UNCHECKED;
            menu.AppendMenu(MF_STRING | checked, ID_OXBM_RECENTLYUSED,
                            textOf(IDS_OXBM_RECENTLYUSED));
            menu.AppendMenu(MF_SEPARATOR);
        }
        const UINT before = position == 0 || separatorAt(position - 1) ? MF_GRAYED : 0;
        const UINT after = position == count - 1 || separatorAt(position + 1) ? MF_GRAYED : 0;
        menu.AppendMenu(MF_STRING | before, ID_OXBM_SEPARATORBEFORE,
                        textOf(IDS_OXBM_SEPARATORBEFORE));
        menu.AppendMenu(MF_STRING | after, ID_OXBM_SEPARATORAFTER, textOf(IDS_OXBM_SEPARATORAFTER));
    }
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenX, screenY, m_pPopupWnd);
    return TRUE;
}

void COXBitmapMenu::DeleteCustomizedItem()
{
    if (SendCustomizeNotification(ID_OXBM_DELETE) != 0)
        return;
    if (m_customizedItem >= 0)
        ::DeleteMenu(m_hMenu, static_cast<UINT>(m_customizedItem), MF_BYPOSITION);
    m_customizedItem = -1;
    OnMenuChanged();
}

void COXBitmapMenu::ShowItemAppearance()
{
    SendCustomizeNotification(ID_OXBM_APPEARANCE);
}

void COXBitmapMenu::InsertSeparatorBefore()
{
    if (SendCustomizeNotification(ID_OXBM_SEPARATORBEFORE) != 0)
        return;
    if (m_customizedItem >= 0)
    {
        ::InsertMenuA(m_hMenu, static_cast<UINT>(m_customizedItem), MF_BYPOSITION | MF_SEPARATOR, 0,
                      nullptr);
        ++m_customizedItem;
    }
    OnMenuChanged();
}

void COXBitmapMenu::InsertSeparatorAfter()
{
    if (SendCustomizeNotification(ID_OXBM_SEPARATORAFTER) != 0)
        return;
    if (m_customizedItem >= 0)
        ::InsertMenuA(m_hMenu, static_cast<UINT>(m_customizedItem + 1),
                      MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    OnMenuChanged();
}

void COXBitmapMenu::ToggleRecentlyUsed()
{
    if (SendCustomizeNotification(ID_OXBM_RECENTLYUSED) != 0)
        return;
    CWnd* main = AfxGetMainWnd();
    COXMenuOrganizer* organizer =
        main ? COXMenuOrganizer::FindOrganizer(main->GetSafeHwnd()) : nullptr;
    if (organizer && m_customizedItem >= 0)
    {
        if (organizer->IsRecentlyUsed(m_hMenu, m_customizedItem))
            organizer->MarkNotRecentlyUsed(m_hMenu, m_customizedItem);
        else
            organizer->MarkRecentlyUsed(m_hMenu, m_customizedItem);
    }
    OnMenuChanged();
}

LRESULT COXBitmapMenu::OnDragEnter(WPARAM wParam, LPARAM lParam)
{
    if (m_bCustomizationAllowed)
        m_bDragOver = TRUE;
    return OnDragOver(wParam, lParam);
}

LRESULT COXBitmapMenu::OnDragOver(WPARAM, LPARAM lParam)
{
    if (!m_bCustomizationAllowed)
        return 0;
    if (auto* record = reinterpret_cast<OXDropRecord*>(lParam))
        record->result = DROPEFFECT_NONE;
    return 1;
}

LRESULT COXBitmapMenu::OnDragLeave(WPARAM, LPARAM)
{
    SetDropInsertIndex(-1);
    m_bDragOver = FALSE;
    return m_bCustomizationAllowed ? 1 : 0;
}

LRESULT COXBitmapMenu::OnDrop(WPARAM, LPARAM lParam)
{
    m_bDragOver = FALSE;
    if (!m_bCustomizationAllowed)
        return 0;
    if (auto* record = reinterpret_cast<OXDropRecord*>(lParam))
        record->result = DROPEFFECT_NONE;
    return 1;
}

bool COXBitmapMenu::ParseRecords(const BYTE*& at, const BYTE* end, int depth,
                                 std::vector<DataRecord>& records)
{
    if (depth >= kMaxDepth)
        return false;
    for (;;)
    {
        DataRecord record;
        if (end - at < 4)
            return false;
        record.id = ReadWord(at);
        at += 4;
        const void* terminator = std::memchr(at, 0, static_cast<size_t>(end - at));
        if (!terminator)
            return false;
        const auto length = static_cast<const BYTE*>(terminator) - at;
        // Texts longer than an item's text buffer are cut as the menu would cut them.
        record.text = CString(reinterpret_cast<const char*>(at),
                              static_cast<int>(std::min<ptrdiff_t>(length, kTextLength - 1)));
        at += length + 1;
        if (static_cast<size_t>(end - at) < kSkippedBytes + 4)
            return false;
        at += kSkippedBytes;
        record.flags = ReadWord(at);
        at += 4;
        if (record.id == kPopupId && record.flags != 0 &&
            !ParseRecords(at, end, depth + 1, record.items))
            return false;
        const UINT flags = record.flags;
        records.push_back(std::move(record));
        if (flags == 0 || flags == 2)
            return true;
    }
}

void COXBitmapMenu::InsertRecords(HMENU menu, int position, const std::vector<DataRecord>& records)
{
    CWnd* main = AfxGetMainWnd();
    COXMenuOrganizer* organizer =
        main ? COXMenuOrganizer::FindOrganizer(main->GetSafeHwnd()) : nullptr;
    for (const DataRecord& record : records)
    {
        CString text = record.text;
        if (text.IsEmpty() && record.id != 0 && record.id != kPopupId)
        {
            const CString fromResource = TextAfterLineBreak(record.id);
            if (!fromResource.IsEmpty())
                text = fromResource;
        }
        const auto at = static_cast<UINT>(position);
        if (record.id == kPopupId)
        {
            const HMENU popup = ::CreatePopupMenu();
            if (!popup)
                continue;
            if (organizer)
                organizer->m_createdMenus.push_back(popup);
            ::InsertMenuA(menu, at, MF_BYPOSITION | MF_POPUP | MF_STRING,
                          reinterpret_cast<UINT_PTR>(popup), text);
            if (record.flags != 0)
                InsertRecords(popup, 0, record.items);
        }
        else if (record.id == 0)
        {
            ::InsertMenuA(menu, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        }
        else
        {
            ::InsertMenuA(menu, at, MF_BYPOSITION | MF_STRING, record.id, text);
        }
        ++position;
    }
}

BOOL COXBitmapMenu::InsertItemsFromData(const BYTE*& cursor, const BYTE* end, HMENU menu,
                                        int position)
{
    if (!cursor || !end || cursor > end || !::IsMenu(menu))
        return FALSE;
    const BYTE* at = cursor;
    std::vector<DataRecord> records;
    if (!ParseRecords(at, end, 0, records))
        return FALSE;
    cursor = at;
    InsertRecords(menu, position, records);
    CWnd* main = AfxGetMainWnd();
    COXMenuOrganizer* organizer =
        main ? COXMenuOrganizer::FindOrganizer(main->GetSafeHwnd()) : nullptr;
    if (organizer && !dynamic_cast<COXBitmapMenu*>(CMenu::FromHandlePermanent(menu)))
        organizer->OnInitMenuPopup(CMenu::FromHandle(menu), 0, FALSE);
    OnMenuChanged();
    return TRUE;
}
