// The bitmap menu under Wine: tracked popups drawn with their images, check marks on the
// checkerboard, shortcuts right-aligned; mnemonics; measuring and hit testing; customisation
// operations and the owner's veto; items from packed data, bad and random data included.
#include "widgets/bars/OXBitmapMenu.h"

#include "platform/test/pump.h"
#include "tests/widgets/bars/MenuTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace menu_test;

namespace
{
bool Near(COLORREF a, COLORREF b, int tolerance = 24)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COXBitmapMenu* BitmapMenuOf(HMENU menu)
{
    return dynamic_cast<COXBitmapMenu*>(CMenu::FromHandlePermanent(menu));
}

UINT ItemType(HMENU menu, int item)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(item), TRUE, &info);
    return info.fType;
}

std::string ItemText(HMENU menu, int item)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(item), TRUE, &info);
    if ((info.fType & MFT_OWNERDRAW) && info.dwItemData)
        return reinterpret_cast<BitmapMenuItemData*>(info.dwItemData)->text.GetString();
    char text[300] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
    return text;
}

// A packed item stream: id, text, 5 skipped bytes, flags.
class Blob
{
public:
    Blob& Item(uint32_t id, const std::string& text, uint32_t flags)
    {
        Word(id);
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_bytes.push_back(0);
        m_bytes.insert(m_bytes.end(), 5, 0xAB);
        Word(flags);
        return *this;
    }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    void Word(uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
    }
    std::vector<BYTE> m_bytes;
};

// Bytes placed so that they end at a page that cannot be read: a read past the end faults.
class GuardedBytes
{
public:
    explicit GuardedBytes(const std::vector<BYTE>& bytes)
    {
        SYSTEM_INFO system = {};
        ::GetSystemInfo(&system);
        const size_t page = system.dwPageSize;
        const size_t pages = (bytes.size() + page - 1) / page + 1;
        m_base = static_cast<BYTE*>(
            ::VirtualAlloc(nullptr, pages * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old = 0;
        ::VirtualProtect(m_base + (pages - 1) * page, page, PAGE_NOACCESS, &old);
        m_begin = m_base + (pages - 1) * page - bytes.size();
        if (!bytes.empty())
            std::memcpy(m_begin, bytes.data(), bytes.size());
        m_end = m_begin + bytes.size();
    }
    ~GuardedBytes() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    const BYTE* Begin() const { return m_begin; }
    const BYTE* End() const { return m_end; }

private:
    BYTE* m_base = nullptr;
    BYTE* m_begin = nullptr;
    BYTE* m_end = nullptr;
};
} // namespace

class BitmapMenu : public MenuFixture
{
};

TEST_F(BitmapMenu, TrackedPopupShowsEachImageAndTheChosenCommandReachesTheFrame)
{
    const HMENU popup = MakeColourPopup();
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    std::vector<COLORREF> seen;
    int count = 0;
    UINT types = MFT_OWNERDRAW;
    Frame()->m_whileOpen.push_back(
        [&](HWND window)
        {
            ::UpdateWindow(window);
            count = ::GetMenuItemCount(popup);
            for (int i = 0; i < count; ++i)
            {
                types &= ItemType(popup, i);
                // The image's centre: 2 pixels in, vertically centred.
                const CRect item = ItemRect(window, popup, i);
                seen.push_back(ScreenPixel(window, popup, i, 2 + 8, item.Height() / 2));
            }
            ::PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
        });
    Track(popup);
    ASSERT_EQ(4, count);
    EXPECT_EQ(static_cast<UINT>(MFT_OWNERDRAW), types);
    ASSERT_EQ(4u, seen.size());
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Near(colours[i], seen[static_cast<size_t>(i)]))
            << "item " << i << " shows " << std::hex << seen[static_cast<size_t>(i)];
    ASSERT_EQ(1u, Frame()->m_commands.size());
    EXPECT_EQ(kCmdGreen, Frame()->m_commands[0]);

    // Once the organizer goes, the frame has its own procedure back and the popup its items.
    m_organizer.reset();
    EXPECT_EQ(m_frameProc,
              reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_frame->GetSafeHwnd(), GWLP_WNDPROC)));
    EXPECT_EQ(nullptr, COXMenuOrganizer::FindOrganizer(m_frame->GetSafeHwnd()));
    EXPECT_EQ(nullptr, BitmapMenuOf(popup));
    EXPECT_EQ(0u, ItemType(popup, 0) & MFT_OWNERDRAW);
    EXPECT_EQ("&Red\tCtrl+R", ItemText(popup, 0));
    ::DestroyMenu(popup);
}

TEST_F(BitmapMenu, CheckedItemWithoutImageShowsTheCheckMarkOnTheCheckerboard)
{
    const HMENU popup = ::CreatePopupMenu();
    ::AppendMenuA(popup, MF_STRING | MF_CHECKED, kCmdPlain, "&Plain");
    ::AppendMenuA(popup, MF_STRING, kCmdRed, "&Unchecked");
    // The menu colour of the day may equal the 3-D highlight; give it a grey of its own.
    const int element = COLOR_MENU;
    const COLORREF oldMenu = ::GetSysColor(COLOR_MENU);
    const COLORREF grey = RGB(212, 208, 200);
    ::SetSysColors(1, &element, &grey);
    const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    ASSERT_NE(light, menu);
    int lightPixels = 0;
    int menuPixels = 0;
    int darkPixels = 0;
    int uncheckedDark = 0;
    std::vector<COLORREF> row;
    Frame()->m_whileOpen.push_back(
        [&](HWND window)
        {
            ::UpdateWindow(window);
            const COXBitmapMenu* bitmapMenu = BitmapMenuOf(popup);
            ASSERT_NE(nullptr, bitmapMenu);
            const int width = bitmapMenu->GetMaxImageWidth();
            const CRect item = ItemRect(window, popup, 0);
            const int imageTop = (item.Height() - ::GetSystemMetrics(SM_CYMENUCHECK)) / 2;
            for (int y = 0; y < ::GetSystemMetrics(SM_CYMENUCHECK); ++y)
            {
                for (int x = 0; x < width; ++x)
                {
                    const COLORREF pixel = ScreenPixel(window, popup, 0, 2 + x, imageTop + y);
                    lightPixels += pixel == light;
                    menuPixels += pixel == menu;
                    darkPixels += Near(pixel, RGB(0, 0, 0), 60);
                    uncheckedDark +=
                        Near(ScreenPixel(window, popup, 1, 2 + x, imageTop + y), RGB(0, 0, 0), 60);
                }
            }
            // Alternating pixels along a row of the button's margin.
            for (int x = 0; x < 4; ++x)
                row.push_back(ScreenPixel(window, popup, 0, x + 1, 1));
            ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        });
    Track(popup);
    ::SetSysColors(1, &element, &oldMenu);
    EXPECT_GT(darkPixels, 4) << "the check mark";
    EXPECT_GT(lightPixels, 10);
    EXPECT_GT(menuPixels, 10);
    EXPECT_EQ(0, uncheckedDark) << "an unchecked item shows no check mark";
    ASSERT_EQ(4u, row.size());
    EXPECT_NE(row[0], row[1]);
    EXPECT_EQ(row[0], row[2]);
    EXPECT_EQ(row[1], row[3]);
    ::DestroyMenu(popup);
}

TEST_F(BitmapMenu, ShortcutsAreRightAlignedInTheirColumn)
{
    const HMENU popup = MakeColourPopup();
    CRect item;
    int shortcutRight = -1;
    int labelLeft = -1;
    Frame()->m_whileOpen.push_back(
        [&](HWND window)
        {
            ::UpdateWindow(window);
            item = ItemRect(window, popup, 0);
            const COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
            for (int x = 0; x < item.Width(); ++x)
            {
                for (int y = 2; y < item.Height() - 2; ++y)
                {
                    if (ScreenPixel(window, popup, 0, x, y) != text)
                        continue;
                    shortcutRight = std::max(shortcutRight, x);
                    if (labelLeft < 0 && x > 16)
                        labelLeft = x;
                }
            }
            ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        });
    Track(popup);
    // "Ctrl+R" ends near the right edge; the label starts right of the image column, whose
    // place the draw request's rectangle does not move.
    EXPECT_GE(shortcutRight, item.Width() - 3 - 12);
    EXPECT_GE(item.left + labelLeft, 2 + 16 + 4);
    EXPECT_LE(item.left + labelLeft, 2 + 16 + 4 + 3);
    ::DestroyMenu(popup);
}

TEST_F(BitmapMenu, MnemonicChoosesItsItemThroughMenuChar)
{
    const HMENU popup = MakeColourPopup();
    LRESULT answer = 0;
    LRESULT upper = 0;
    LRESULT unknown = -1;
    Frame()->m_whileOpen.push_back(
        [&](HWND window)
        {
            const HWND frame = m_frame->GetSafeHwnd();
            answer = ::SendMessageA(frame, WM_MENUCHAR, MAKEWPARAM('b', MF_POPUP),
                                    reinterpret_cast<LPARAM>(popup));
            upper = ::SendMessageA(frame, WM_MENUCHAR, MAKEWPARAM('Y', MF_POPUP),
                                   reinterpret_cast<LPARAM>(popup));
            unknown = ::SendMessageA(frame, WM_MENUCHAR, MAKEWPARAM('q', MF_POPUP),
                                     reinterpret_cast<LPARAM>(popup));
            // Typed, the letter chooses the owner-drawn item.
            ::PostMessageA(window, WM_CHAR, 'b', 0);
        });
    Track(popup);
    EXPECT_EQ(MAKELRESULT(2, MNC_EXECUTE), answer);
    EXPECT_EQ(MAKELRESULT(3, MNC_EXECUTE), upper);
    EXPECT_EQ(0, unknown);
    ASSERT_EQ(1u, Frame()->m_commands.size());
    EXPECT_EQ(kCmdBlue, Frame()->m_commands[0]);
    ::DestroyMenu(popup);
}

TEST_F(BitmapMenu, MeasuresColumnsAndFindsItemsByHeight)
{
    const HMENU popup = MakeColourPopup();
    m_organizer->OnInitMenuPopup(CMenu::FromHandle(popup), 0, FALSE);
    COXBitmapMenu* menu = BitmapMenuOf(popup);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(16, menu->GetMaxImageWidth());
    EXPECT_GT(menu->GetMaxShortcutWidth(), 0);

    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfoA(popup, 0, TRUE, &info);
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, kCmdRed, 0, 0, info.dwItemData};
    menu->MeasureItem(&measure);
    const int expectedWidth =
        2 + 16 + 4 + menu->GetMaxLabelWidth() + 2 + menu->GetMaxShortcutWidth() + 3;
    EXPECT_EQ(static_cast<UINT>(expectedWidth), measure.itemWidth);
    // Image 15 high + 2, + 3 margin, against the text + 4.
    const UINT height = static_cast<UINT>(std::max(15 + 2 + 3, menu->GetTextHeight() + 4));
    EXPECT_EQ(height, measure.itemHeight);
    MEASUREITEMSTRUCT separator = {ODT_MENU, 0, 0, 0, 0, info.dwItemData};
    menu->MeasureItem(&separator);
    EXPECT_EQ(8u, separator.itemHeight);
    MEASUREITEMSTRUCT noData = {ODT_MENU, 0, kCmdRed, 77, 33, 0};
    menu->MeasureItem(&noData);
    EXPECT_EQ(77u, noData.itemWidth);
    EXPECT_EQ(33u, noData.itemHeight);

    const int h = static_cast<int>(height);
    const struct
    {
        int y;
        int item;
        BOOL upper;
    } points[] = {{0, 0, TRUE},     {h / 2 - 1, 0, TRUE}, {h - 1, 0, FALSE},
                  {h + 1, 1, TRUE}, {4 * h, 3, FALSE},    {4 * h + 1, -1, FALSE}};
    for (const auto& point : points)
    {
        BOOL upper = -1;
        EXPECT_EQ(point.item, menu->GetItemFromPoint(CPoint(500, point.y), &upper)) << point.y;
        if (point.item >= 0)
            EXPECT_EQ(point.upper, upper) << point.y;
    }

    // Without shortcuts there is no shortcut column and no gap before it.
    ::DeleteMenu(popup, 0, MF_BYPOSITION);
    menu->MeasureColumns();
    EXPECT_EQ(0, menu->GetMaxShortcutWidth());
    ::GetMenuItemInfoA(popup, 0, TRUE, &info);
    MEASUREITEMSTRUCT plain = {ODT_MENU, 0, kCmdGreen, 0, 0, info.dwItemData};
    menu->MeasureItem(&plain);
    EXPECT_EQ(static_cast<UINT>(2 + 16 + 4 + menu->GetMaxLabelWidth() + 3), plain.itemWidth);
    // A submenu item reserves room for its arrow.
    ::AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), "&More");
    m_organizer->ConvertMenuItems(menu, false);
    EXPECT_GT(menu->GetMaxShortcutWidth(), 0);
    m_organizer->RestoreMenus();
    ::DestroyMenu(popup);
}

TEST_F(BitmapMenu, CustomisationOperationsAskTheOwnerFirst)
{
    const HMENU popup = MakeColourPopup();
    m_organizer->OnInitMenuPopup(CMenu::FromHandle(popup), 0, FALSE);
    COXBitmapMenu* menu = BitmapMenuOf(popup);
    ASSERT_NE(nullptr, menu);
    const auto ids = [popup]()
    {
        std::vector<UINT> result;
        for (int i = 0; i < ::GetMenuItemCount(popup); ++i)
            result.push_back(::GetMenuItemID(popup, i));
        return result;
    };
    struct Case
    {
        void (COXBitmapMenu::*operation)();
        UINT command;
        int selected;
        std::vector<UINT> after;
        int selectedAfter;
    };
    const Case cases[] = {
        {&COXBitmapMenu::InsertSeparatorBefore,
         ID_OXBM_SEPARATORBEFORE,
         1,
         {kCmdRed, 0, kCmdGreen, kCmdBlue, kCmdYellow},
         2},
        {&COXBitmapMenu::InsertSeparatorAfter,
         ID_OXBM_SEPARATORAFTER,
         2,
         {kCmdRed, 0, kCmdGreen, 0, kCmdBlue, kCmdYellow},
         2},
        {&COXBitmapMenu::DeleteCustomizedItem,
         ID_OXBM_DELETE,
         0,
         {0, kCmdGreen, 0, kCmdBlue, kCmdYellow},
         -1},
        {&COXBitmapMenu::ShowItemAppearance,
         ID_OXBM_APPEARANCE,
         1,
         {0, kCmdGreen, 0, kCmdBlue, kCmdYellow},
         1},
    };
    for (const Case& c : cases)
    {
        // Vetoed: told, nothing changes.
        const std::vector<UINT> before = ids();
        menu->SetCustomizedItem(c.selected);
        Frame()->m_menuNotices.clear();
        Frame()->m_vetoMenu = 1;
        (menu->*c.operation)();
        EXPECT_EQ(before, ids()) << c.command;
        EXPECT_EQ(c.selected, menu->GetCustomizedItem()) << c.command;
        Frame()->m_vetoMenu = 0;
        (menu->*c.operation)();
        EXPECT_EQ(std::vector<UINT>({c.command, c.command}), Frame()->m_menuNotices);
        EXPECT_EQ(c.after, ids()) << c.command;
        EXPECT_EQ(c.selectedAfter, menu->GetCustomizedItem()) << c.command;
    }
    // Converted again after each change: new separators measure as separators.
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(popup, 1, TRUE, &info);
    EXPECT_EQ(static_cast<UINT>(MFT_OWNERDRAW), info.fType & MFT_OWNERDRAW);
    m_organizer->RestoreMenus();
    ::DestroyMenu(popup);
}

TEST_F(BitmapMenu, InsertsItemsFromPackedData)
{
    const HMENU popup = MakeColourPopup();
    m_organizer->OnInitMenuPopup(CMenu::FromHandle(popup), 0, FALSE);
    COXBitmapMenu* menu = BitmapMenuOf(popup);
    ASSERT_NE(nullptr, menu);
    // A command, a separator, a popup of two (the second's empty text from its resource) and
    // a last command; then bytes that belong to the caller.
    Blob blob;
    blob.Item(kCmdPlain, "&Plain", 1)
        .Item(0, "", 1)
        .Item(0xFFFFFFFF, "&Sub", 1)
        .Item(kCmdRed, "Inner", 1)
        .Item(bars_test::kCmdFirst, "", 2)
        .Item(kCmdLast, "Last", 0);
    std::vector<BYTE> bytes = blob.Bytes();
    bytes.push_back(0xEE);
    GuardedBytes guarded(bytes);
    const BYTE* cursor = guarded.Begin();
    ASSERT_TRUE(menu->InsertItemsFromData(cursor, guarded.End(), popup, 1));
    EXPECT_EQ(guarded.End() - 1, cursor);
    ASSERT_EQ(8, ::GetMenuItemCount(popup));
    EXPECT_EQ(kCmdPlain, ::GetMenuItemID(popup, 1));
    EXPECT_EQ("&Plain", ItemText(popup, 1));
    EXPECT_EQ(0u, ::GetMenuItemID(popup, 2));
    const HMENU sub = ::GetSubMenu(popup, 3);
    ASSERT_NE(nullptr, sub);
    EXPECT_EQ("&Sub", ItemText(popup, 3));
    ASSERT_EQ(2, ::GetMenuItemCount(sub));
    EXPECT_EQ("Inner", ItemText(sub, 0));
    EXPECT_EQ("First", ItemText(sub, 1));
    EXPECT_EQ(kCmdLast, ::GetMenuItemID(popup, 4));
    EXPECT_EQ(kCmdGreen, ::GetMenuItemID(popup, 5));
    // The new items are owner-drawn like the rest.
    EXPECT_EQ(static_cast<UINT>(MFT_OWNERDRAW), ItemType(popup, 1) & MFT_OWNERDRAW);
    m_organizer->RestoreMenus();
    ::DestroyMenu(popup);
}

TEST_F(BitmapMenu, BadPackedDataLeavesTheMenuAsItWas)
{
    const HMENU popup = MakeColourPopup();
    m_organizer->OnInitMenuPopup(CMenu::FromHandle(popup), 0, FALSE);
    COXBitmapMenu* menu = BitmapMenuOf(popup);
    ASSERT_NE(nullptr, menu);
    Blob good;
    good.Item(kCmdPlain, "Plain", 1)
        .Item(0xFFFFFFFF, "Sub", 1)
        .Item(kCmdRed, "In", 0)
        .Item(kCmdLast, "Last", 0);
    Blob unterminated; // no record ends the level
    unterminated.Item(kCmdPlain, "Plain", 1).Item(kCmdLast, "Last", 1);
    Blob deep;
    for (int level = 0; level < 20; ++level)
        deep.Item(0xFFFFFFFF, "Deeper", 1);
    deep.Item(kCmdPlain, "Bottom", 0);
    std::vector<std::pair<std::string, std::vector<BYTE>>> cases = {
        {"empty", {}},
        {"unterminated level", unterminated.Bytes()},
        {"popups nested 20 deep", deep.Bytes()},
        {"text without its zero", {0x34, 0x7A, 0, 0, 'a', 'b', 'c'}},
    };
    // Every proper prefix of a good stream is cut inside a record.
    for (size_t length = 0; length < good.Bytes().size(); ++length)
        cases.emplace_back("first " + std::to_string(length) + " bytes",
                           std::vector<BYTE>(good.Bytes().begin(),
                                             good.Bytes().begin() + static_cast<long>(length)));
    for (const auto& [name, bytes] : cases)
    {
        GuardedBytes guarded(bytes);
        const BYTE* cursor = guarded.Begin();
        EXPECT_FALSE(menu->InsertItemsFromData(cursor, guarded.End(), popup, 0)) << name;
        EXPECT_EQ(guarded.Begin(), cursor) << name;
        EXPECT_EQ(4, ::GetMenuItemCount(popup)) << name;
    }

    // Random streams: read within their bytes, whatever they hold.
    std::mt19937 random(41);
    for (int run = 0; run < 3000; ++run)
    {
        std::vector<BYTE> bytes(random() % 64);
        for (BYTE& byte : bytes)
        {
            // Mostly small words and zeros, so that records parse now and then.
            const unsigned roll = random() % 8;
            byte = static_cast<BYTE>(roll < 4 ? 0 : roll < 6 ? random() % 3 : random() % 256);
        }
        if (bytes.size() >= 4 && random() % 4 == 0)
            std::memset(bytes.data(), 0xFF, 4); // a popup record
        GuardedBytes guarded(bytes);
        const BYTE* cursor = guarded.Begin();
        const int before = ::GetMenuItemCount(popup);
        const BOOL inserted = menu->InsertItemsFromData(cursor, guarded.End(), popup, 0);
        ASSERT_GE(cursor, guarded.Begin());
        ASSERT_LE(cursor, guarded.End());
        if (!inserted)
            ASSERT_EQ(before, ::GetMenuItemCount(popup)) << "run " << run;
        while (::GetMenuItemCount(popup) > 4)
            ::DeleteMenu(popup, 0, MF_BYPOSITION);
    }
    m_organizer->RestoreMenus();
    ::DestroyMenu(popup);
}
