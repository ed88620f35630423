// The menu organizer under Wine: attaching and detaching, hiding items that are not recently
// used behind the expansion item and showing them all again in a real menu loop, choosing a
// hidden command, giving converted menus back, and the hidden sets kept in the profile.
#include "widgets/bars/OXMenuOrganizer.h"

#include "platform/test/pump.h"
#include "platform/win/app.h"
#include "tests/widgets/bars/MenuTestSupport.h"
#include "widgets/bars/OXMenuBar.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace menu_test;

namespace
{
constexpr UINT kA = 0x7A35;
constexpr UINT kB = 0x7A36;
constexpr UINT kC = 0x7A37;

std::vector<UINT> Ids(HMENU menu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        ids.push_back(::GetSubMenu(menu, i) ? 0xFFFFFFFFu : ::GetMenuItemID(menu, i));
    return ids;
}

bool AnyOwnerDrawn(HMENU menu)
{
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_OWNERDRAW)
            return true;
    }
    return false;
}

// A popup from a layout: a command id, 0 a separator, 1 a submenu holding kC.
HMENU MakePopup(const std::vector<UINT>& layout, HMENU* submenu = nullptr)
{
    const HMENU popup = ::CreatePopupMenu();
    for (const UINT id : layout)
    {
        if (id == 0)
        {
            ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        }
        else if (id == 1)
        {
            const HMENU sub = ::CreatePopupMenu();
            ::AppendMenuA(sub, MF_STRING, kC, "&Inner");
            ::AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Sub");
            if (submenu)
                *submenu = sub;
        }
        else
        {
            ::AppendMenuA(popup, MF_STRING, id, ("Item " + std::to_string(id)).c_str());
        }
    }
    return popup;
}
} // namespace

class MenuOrganizer : public MenuFixture
{
};

namespace
{
WNDPROC g_aboveProc = nullptr;

LRESULT CALLBACK AboveProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(g_aboveProc, wnd, msg, wParam, lParam);
}
} // namespace

TEST_F(MenuOrganizer, AttachesOnceAndGivesTheFrameItsProcedureBack)
{
    const HWND frame = m_frame->GetSafeHwnd();
    const auto procedure = [frame]
    { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(frame, GWLP_WNDPROC)); };
    EXPECT_FALSE(m_organizer->AttachFrameWnd(m_frame)) << "already attached";
    COXMenuOrganizer other;
    EXPECT_FALSE(other.AttachFrameWnd(nullptr));
    EXPECT_FALSE(other.SetMenuBitmap(kA, bars_test::kToolBarResource)) << "detached";
    EXPECT_EQ(m_organizer.get(), COXMenuOrganizer::FindOrganizer(frame));
    const WNDPROC shared = procedure();
    EXPECT_NE(m_frameProc, shared);

    EXPECT_EQ(m_frame, m_organizer->DetachFrameWnd());
    EXPECT_EQ(m_frameProc, procedure());
    EXPECT_EQ(nullptr, COXMenuOrganizer::FindOrganizer(frame));
    EXPECT_TRUE(other.AttachFrameWnd(m_frame));
    EXPECT_TRUE(other.SetMenuBitmap(kA, bars_test::kToolBarResource));
    EXPECT_FALSE(other.SetMenuBitmap(kA, 0x7FFF)) << "no such bitmap";
    other.DetachFrameWnd();
    EXPECT_EQ(m_frameProc, procedure());

    // Subclassed by someone else above the organizer, the frame takes no second one: its
    // messages would come back round to the organizers.
    ASSERT_TRUE(m_organizer->AttachFrameWnd(m_frame));
    g_aboveProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AboveProc)));
    EXPECT_FALSE(other.AttachFrameWnd(m_frame));
    ::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_aboveProc));
}

TEST_F(MenuOrganizer, ASecondOrganizerServesTheFrameUntilItGoes)
{
    const HWND frame = m_frame->GetSafeHwnd();
    const auto procedure = [frame]
    { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(frame, GWLP_WNDPROC)); };
    const WNDPROC shared = procedure();
    const HMENU popup = MakePopup({kA, kB});
    // Which organizer converted the popup while it was open, and the frame's commands.
    const auto trackWith = [&](const COXMenuOrganizer& expected)
    {
        bool converted = false;
        Frame()->m_whileOpen.push_back(
            [&](HWND window)
            {
                const auto& menus = expected.GetBitmapMenus();
                converted =
                    std::any_of(menus.begin(), menus.end(),
                                [&](COXBitmapMenu* menu) { return menu->GetSafeHmenu() == popup; });
                ::PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
                ::PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
            });
        Frame()->m_commands.clear();
        Track(popup);
        return converted && Frame()->m_commands == std::vector<UINT>({kA});
    };

    {
        COXMenuOrganizer dropDown;
        ASSERT_TRUE(dropDown.AttachFrameWnd(m_frame));
        EXPECT_EQ(&dropDown, COXMenuOrganizer::FindOrganizer(frame));
        EXPECT_EQ(shared, procedure());
        EXPECT_TRUE(trackWith(dropDown));
        EXPECT_TRUE(m_organizer->GetBitmapMenus().empty()) << "the first one waits";
    }
    // Gone: the first serves the frame again, through the same procedure.
    EXPECT_EQ(m_organizer.get(), COXMenuOrganizer::FindOrganizer(frame));
    EXPECT_EQ(shared, procedure());
    EXPECT_FALSE(AnyOwnerDrawn(popup));
    EXPECT_TRUE(trackWith(*m_organizer));
    m_organizer->RestoreMenus();

    // Detached in either order, the frame ends with its own procedure.
    COXMenuOrganizer second;
    ASSERT_TRUE(second.AttachFrameWnd(m_frame));
    m_organizer->DetachFrameWnd();
    EXPECT_EQ(&second, COXMenuOrganizer::FindOrganizer(frame));
    EXPECT_EQ(shared, procedure());
    EXPECT_TRUE(trackWith(second));
    second.DetachFrameWnd();
    EXPECT_EQ(m_frameProc, procedure());
    EXPECT_EQ(nullptr, COXMenuOrganizer::FindOrganizer(frame));
    ::DestroyMenu(popup);
}

TEST_F(MenuOrganizer, HidesItemsThatAreNotRecentlyUsedBehindTheExpansionItem)
{
    constexpr UINT X = ID_OXBM_EXPANSION;
    constexpr UINT S = 0xFFFFFFFFu;
    struct Case
    {
        const char* name;
        std::vector<UINT> layout;
        std::vector<UINT> hiddenCommands;
        bool hideSubmenu;
        std::vector<UINT> shown;
    };
    const Case cases[] = {
        {"nothing marked", {0, kA, 0, kB}, {}, false, {0, kA, 0, kB}},
        {"all hidden", {kA, kB}, {kA, kB}, false, {X}},
        {"leading separator goes with the items", {0, kA, kB}, {kA}, false, {kB, X}},
        {"separator after a hidden item that followed one",
         {kA, 0, kB, 0, kC},
         {kB},
         false,
         {kA, 0, kC, X}},
        {"hidden first item takes its separator", {kA, 0, kB, 0, kC}, {kA, kB}, false, {kC, X}},
        {"hidden submenu", {kA, 1, kB}, {}, true, {kA, kB, X}},
        {"shown submenu", {kA, 1, kB}, {kB}, false, {kA, S, X}},
    };
    for (const Case& c : cases)
    {
        HMENU submenu = nullptr;
        const HMENU popup = MakePopup(c.layout, &submenu);
        const std::vector<UINT> original = Ids(popup);
        for (const UINT id : c.hiddenCommands)
            m_organizer->ExcludeCommandFromRecentlyUsed(id);
        if (c.hideSubmenu)
            m_organizer->ExcludeSubmenuFromRecentlyUsed(submenu);
        m_organizer->OnInitMenuPopup(CMenu::FromHandle(popup), 0, FALSE);
        EXPECT_EQ(c.shown, Ids(popup)) << c.name;
        // Given back, the menu has its items in order, plain again.
        m_organizer->RestoreMenus();
        EXPECT_EQ(original, Ids(popup)) << c.name;
        EXPECT_FALSE(AnyOwnerDrawn(popup)) << c.name;
        for (const UINT id : c.hiddenCommands)
            m_organizer->IncludeCommandInRecentlyUsed(id);
        ::DestroyMenu(popup);
    }
    EXPECT_TRUE(m_organizer->GetBitmapMenus().empty());
}

TEST_F(MenuOrganizer, ALetterAnswersThePositionItsItemIsShownAtBelowAHiddenOne)
{
    // The first of three items hidden: the frame's owner-drawn menu asks for each letter as the
    // system asks a menu's owner.
    const HMENU popup = ::CreatePopupMenu();
    ::AppendMenuA(popup, MF_STRING, kA, "&Alpha");
    ::AppendMenuA(popup, MF_STRING, kB, "&Beta");
    ::AppendMenuA(popup, MF_STRING, kC, "&Gamma");
    m_organizer->ExcludeCommandFromRecentlyUsed(kA);
    m_organizer->OnInitMenuPopup(CMenu::FromHandle(popup), 0, FALSE);
    ASSERT_EQ(std::vector<UINT>({kB, kC, ID_OXBM_EXPANSION}), Ids(popup));
    const struct
    {
        char letter;
        LRESULT answer;
    } cases[] = {{'b', MAKELRESULT(0, MNC_EXECUTE)}, {'G', MAKELRESULT(1, MNC_EXECUTE)}, {'a', 0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.letter);
        EXPECT_EQ(c.answer,
                  ::SendMessageA(m_frame->GetSafeHwnd(), WM_MENUCHAR,
                                 MAKEWPARAM(c.letter, MF_POPUP), reinterpret_cast<LPARAM>(popup)));
    }
    m_organizer->RestoreMenus();
    m_organizer->IncludeCommandInRecentlyUsed(kA);
    ::DestroyMenu(popup);
}

TEST_F(MenuOrganizer, ExpansionReopensThePopupWithEveryItemAndAChosenCommandIsUsedAgain)
{
    // The frame's File menu: New, Main, Test, separator, Exit.
    const HMENU file = ::GetSubMenu(::GetMenu(m_frame->GetSafeHwnd()), 0);
    const std::vector<UINT> original = Ids(file);
    m_organizer->ExcludeCommandFromRecentlyUsed(fw::test::kCmdMainMenuOnly);
    m_organizer->ExcludeCommandFromRecentlyUsed(ID_APP_EXIT);
    std::vector<UINT> firstShown;
    std::vector<UINT> reopened;
    bool expansionChosen = false;
    COLORREF hiddenBackground = 0;
    COLORREF shownBackground = 0;
    auto& script = Frame()->m_whileOpen;
    script.push_back(
        [&](HWND popup)
        {
            firstShown = Ids(file);
            // Up from the first item wraps to the last: the expansion item.
            ::PostMessageA(popup, WM_KEYDOWN, VK_UP, 0);
        });
    script.push_back(
        [&](HWND)
        {
            // The thread's keyboard hook sees Return on the highlighted expansion item.
            expansionChosen = m_organizer->HandleKeyboardHook(VK_RETURN, 0x1C0001);
        });
    script.push_back(
        [&](HWND popup)
        {
            ::UpdateWindow(popup);
            reopened = Ids(file);
            // Hidden items lie on the checkerboard: light and menu pixels side by side.
            hiddenBackground =
                ScreenPixel(popup, file, 1, 40, 1) ^ ScreenPixel(popup, file, 1, 41, 1);
            shownBackground =
                ScreenPixel(popup, file, 2, 40, 1) ^ ScreenPixel(popup, file, 2, 41, 1);
            ::PostMessageA(popup, WM_CHAR, 'm', 0);
        });
    const int element = COLOR_MENU;
    const COLORREF oldMenu = ::GetSysColor(COLOR_MENU);
    const COLORREF grey = RGB(212, 208, 200);
    ::SetSysColors(1, &element, &grey);
    m_frame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    fw::test::WaitFor([&] { return !Frame()->m_commands.empty(); }, 5000);
    fw::test::Pump();
    ::SetSysColors(1, &element, &oldMenu);

    EXPECT_EQ(std::vector<UINT>({ID_FILE_NEW, fw::test::kCmdTest, 0, ID_OXBM_EXPANSION}),
              firstShown);
    EXPECT_TRUE(expansionChosen);
    EXPECT_EQ(original, reopened);
    EXPECT_NE(0u, hiddenBackground);
    EXPECT_EQ(0u, shownBackground);
    ASSERT_EQ(std::vector<UINT>({fw::test::kCmdMainMenuOnly}), Frame()->m_commands);
    // Chosen, the command is recently used again, and the frame is told once.
    EXPECT_TRUE(m_organizer->IsRecentlyUsed(file, 1));
    EXPECT_FALSE(m_organizer->IsRecentlyUsed(file, 4));
    EXPECT_EQ(1, Frame()->m_recentlyUsedChanges);
    // The loop is over: every item is back and plain.
    EXPECT_FALSE(m_organizer->IsShowingAll());
    EXPECT_EQ(original, Ids(file));
    EXPECT_FALSE(AnyOwnerDrawn(file));
}

TEST_F(MenuOrganizer, HiddenSubmenusRoundTripThroughTheProfile)
{
    // Root: A, Sub(Inner), and a second popup holding a nested one.
    HMENU sub = nullptr;
    const HMENU root = MakePopup({kA, 1}, &sub);
    const HMENU outer = ::CreatePopupMenu();
    const HMENU nested = ::CreatePopupMenu();
    ::AppendMenuA(nested, MF_STRING, kB, "Deep");
    ::AppendMenuA(outer, MF_STRING, kC, "Outer item");
    ::AppendMenuA(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "Nested");
    ::AppendMenuA(root, MF_POPUP, reinterpret_cast<UINT_PTR>(outer), "Outer");
    m_organizer->ExcludeSubmenuFromRecentlyUsed(sub);
    m_organizer->ExcludeSubmenuFromRecentlyUsed(nested);
    // The menu bar's "saved" message stores the set under the bar's section.
    m_frame->SendMessage(WM_OX_MENUSAVED, reinterpret_cast<WPARAM>(root),
                         reinterpret_cast<LPARAM>("Menu_Test"));
    CWinApp* app = AfxGetApp();
    EXPECT_EQ(4 + 4 * 2 + 4 * 3, static_cast<int>(app->GetProfileInt(
                                     "Menu_Test_RecentlyUsedSubmenuItems", "RUItemsDataSize", -1)));

    COXMenuOrganizer other;
    m_organizer.reset();
    ASSERT_TRUE(other.AttachFrameWnd(m_frame));
    m_frame->SendMessage(WM_OX_MENULOADED, reinterpret_cast<WPARAM>(root),
                         reinterpret_cast<LPARAM>("Menu_Test"));
    EXPECT_TRUE(other.IsRecentlyUsed(root, 0));
    EXPECT_FALSE(other.IsRecentlyUsed(root, 1));
    EXPECT_TRUE(other.IsRecentlyUsed(root, 2));
    EXPECT_FALSE(other.IsRecentlyUsed(outer, 1));

    // Hidden commands under their default section.
    other.ExcludeCommandFromRecentlyUsed(kA);
    other.ExcludeCommandFromRecentlyUsed(kC);
    EXPECT_TRUE(other.SaveHiddenCommands());
    other.IncludeCommandInRecentlyUsed(kA);
    other.IncludeCommandInRecentlyUsed(kC);
    EXPECT_TRUE(other.LoadHiddenCommands(""));
    EXPECT_FALSE(other.IsRecentlyUsed(root, 0));
    EXPECT_FALSE(other.IsRecentlyUsed(outer, 0));
    other.DetachFrameWnd();
    ::DestroyMenu(root);
}

TEST_F(MenuOrganizer, TruncatedOrForgedProfileValuesAreRefusedWithoutChange)
{
    HMENU sub = nullptr;
    const HMENU root = MakePopup({kA, 1}, &sub);
    m_organizer->ExcludeSubmenuFromRecentlyUsed(sub);
    ASSERT_TRUE(m_organizer->SaveHiddenSubmenus(root, "Good"));
    m_organizer->ExcludeCommandFromRecentlyUsed(kB);
    ASSERT_TRUE(m_organizer->SaveHiddenCommands("GoodCommands"));
    CWinApp* app = AfxGetApp();
    BYTE* raw = nullptr;
    UINT length = 0;
    ASSERT_TRUE(app->GetProfileBinary("Good", "RUContents", &raw, &length));
    const std::vector<BYTE> good(raw, raw + length);
    delete[] raw;
    ASSERT_TRUE(app->GetProfileBinary("GoodCommands", "RUContents", &raw, &length));
    const std::vector<BYTE> goodCommands(raw, raw + length);
    delete[] raw;

    const auto word = [](uint32_t value)
    {
        return std::vector<BYTE>{static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                                 static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    };
    std::vector<std::pair<std::string, std::vector<BYTE>>> submenuCases = {
        {"a count far beyond the bytes", word(0x40000000)},
        {"a path without its end",
         [&]
         {
             auto bytes = word(1);
             for (int i = 0; i < 40; ++i)
             {
                 const auto zero = word(0);
                 bytes.insert(bytes.end(), zero.begin(), zero.end());
             }
             return bytes;
         }()},
    };
    for (size_t cut = 1; cut < good.size(); ++cut)
        submenuCases.emplace_back(
            "first " + std::to_string(cut) + " bytes",
            std::vector<BYTE>(good.begin(), good.begin() + static_cast<long>(cut)));
    for (const auto& [name, bytes] : submenuCases)
    {
        app->WriteProfileBinary("Bad", "RUContents", bytes.data(), static_cast<UINT>(bytes.size()));
        app->WriteProfileInt("Bad", "RUItemsDataSize", static_cast<int>(bytes.size()));
        EXPECT_FALSE(m_organizer->LoadHiddenSubmenus(root, "Bad")) << name;
        EXPECT_FALSE(m_organizer->IsRecentlyUsed(root, 1)) << name << ": the set is kept";
    }
    for (size_t cut = 1; cut < goodCommands.size(); ++cut)
    {
        app->WriteProfileBinary("BadCommands", "RUContents", goodCommands.data(),
                                static_cast<UINT>(cut));
        app->WriteProfileInt("BadCommands", "RUItemsDataSize", static_cast<int>(cut));
        EXPECT_FALSE(m_organizer->LoadHiddenCommands("BadCommands")) << cut;
        EXPECT_EQ(FALSE, m_organizer->ExcludeCommandFromRecentlyUsed(kB)) << cut << ": kept";
    }
    // No size entry: nothing is read.
    EXPECT_FALSE(m_organizer->LoadHiddenSubmenus(root, "Missing"));
    EXPECT_FALSE(m_organizer->IsRecentlyUsed(root, 1));
    ::DestroyMenu(root);
}
