// The menu bar under Wine: buttons from the menu, keyboard menu mode and mnemonics, popups
// under their buttons, plain commands on the bar, the click that closes a popup, switching to
// another item while a popup is open, the maximised child's icon and caption buttons, the
// command state, menus kept per document type, and menus built from a template.
#include "widgets/bars/OXMenuBar.h"

#include "platform/test/pump.h"
#include "tests/widgets/bars/BarsTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace bars_test;

namespace
{
constexpr UINT kCmdNew = 0x7A50;
constexpr UINT kCmdCopy = 0x7A51;
constexpr UINT kCmdAbout = 0x7A52;
constexpr UINT kMenuBarId = 0xE810;
constexpr UINT kTemplateMenu = 0x7A60;

// A frame that records the bar's menu-loop messages and acts while a popup is open.
class CMenuTestFrame : public fw::test::CTestMainFrame
{
    FW_CREATABLE(CMenuTestFrame, fw::test::CTestMainFrame)

public:
    std::vector<std::string> m_loop;
    std::vector<HMENU> m_popups;     // WM_INITMENUPOPUP, in order
    std::vector<CRect> m_popupRects; // where each open popup showed
    std::vector<UINT> m_commands;
    int m_loaded = 0;
    // Runs while a popup is open; by default the popup is closed with Escape.
    std::function<void(HWND popup)> m_whileOpen;

    FW_MESSAGE_TABLE()

protected:
    // The bar's loop; the popup's own tracking loop reports itself with TRUE.
    void OnEnterMenuLoop(BOOL trackPopup)
    {
        if (!trackPopup)
            m_loop.push_back("enter");
    }
    void OnExitMenuLoop(BOOL trackPopup)
    {
        if (!trackPopup)
            m_loop.push_back("exit");
    }
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
    {
        m_popups.push_back(popup->GetSafeHmenu());
        fw::test::CTestMainFrame::OnInitMenuPopup(popup, index, sysMenu);
    }
    void OnEnterIdle(UINT why, CWnd* who)
    {
        if (why != MSGF_MENU || !who)
            return;
        CRect rect;
        who->GetWindowRect(&rect);
        m_popupRects.push_back(rect);
        const auto action = std::move(m_whileOpen);
        m_whileOpen = nullptr;
        if (action)
            action(who->GetSafeHwnd());
        else
            PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    }
    BOOL OnCommandId(UINT id)
    {
        m_commands.push_back(id);
        return TRUE;
    }
    LRESULT OnMenuLoaded(WPARAM, LPARAM)
    {
        ++m_loaded;
        return 0;
    }
};

FW_TABLE(CMenuTestFrame, fw::test::CTestMainFrame,
         fw::on<WM_ENTERMENULOOP, &CMenuTestFrame::OnEnterMenuLoop>(),
         fw::on<WM_EXITMENULOOP, &CMenuTestFrame::OnExitMenuLoop>(),
         fw::on<WM_INITMENUPOPUP, &CMenuTestFrame::OnInitMenuPopup>(),
         fw::on<WM_ENTERIDLE, &CMenuTestFrame::OnEnterIdle>(),
         fw::command_range<kCmdNew, kCmdAbout, &CMenuTestFrame::OnCommandId>(),
         fw::raw<WM_OX_MENULOADED, &CMenuTestFrame::OnMenuLoaded>())

// "&File &Edit &About": two popups and a plain command.
HMENU MakeMenu()
{
    const HMENU file = ::CreatePopupMenu();
    ::AppendMenuA(file, MF_STRING, kCmdNew, "&New");
    const HMENU edit = ::CreatePopupMenu();
    ::AppendMenuA(edit, MF_STRING, kCmdCopy, "&Copy");
    const HMENU menu = ::CreateMenu();
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    ::AppendMenuA(menu, MF_STRING, kCmdAbout, "&About");
    return menu;
}

// Clicks a button of the bar by posting the press and release there, as the mouse would.
void PostClick(CWnd& bar, int index)
{
    CRect item;
    static_cast<CToolBar&>(bar).GetItemRect(index, &item);
    CPoint centre = item.CenterPoint();
    CPoint screen = centre;
    bar.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
}
} // namespace

class MenuBar : public CoolBarFixture
{
protected:
    MenuBar() { m_frameClass = RUNTIME_CLASS(CMenuTestFrame); }

    void SetUp() override
    {
        CoolBarFixture::SetUp();
        m_menu = MakeMenu();
        ASSERT_TRUE(m_menuBar.Create(m_frame,
                                     WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM |
                                         CBRS_SIZE_DYNAMIC,
                                     kMenuBarId));
        m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&m_menuBar);
        ASSERT_TRUE(m_menuBar.SetMenu(m_menu));
        m_frame->RecalcLayout();
        m_frame->SetForegroundWindow();
        fw::test::Pump();
    }

    void TearDown() override
    {
        m_menuBar.DestroyWindow();
        ::DestroyMenu(m_menu);
        CoolBarFixture::TearDown();
    }

    CMenuTestFrame* TestFrame() const { return dynamic_cast<CMenuTestFrame*>(m_frame); }
    int Hot() const { return static_cast<int>(m_menuBar.SendMessage(TB_GETHOTITEM)); }
    CRect ButtonOnScreen(int index) const
    {
        CRect item;
        m_menuBar.GetItemRect(index, &item);
        m_menuBar.ClientToScreen(&item);
        return item;
    }

    HMENU m_menu = nullptr;
    COXMenuBar m_menuBar;
};

TEST_F(MenuBar, HasOneTextButtonPerTopLevelItem)
{
    ASSERT_EQ(3, m_menuBar.GetCount());
    const char* texts[] = {"&File", "&Edit", "&About"};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(static_cast<UINT>(i + 1), m_menuBar.GetItemID(i));
        EXPECT_EQ(std::string(texts[i]), std::string(m_menuBar.GetButtonText(i)));
        EXPECT_EQ(static_cast<UINT>(TBBS_AUTOSIZE | TBBS_DROPDOWN),
                  m_menuBar.GetButtonStyle(i) & 0xFF);
    }
    EXPECT_FALSE(m_menuBar.GetDropDownArrow());
    CString title;
    m_menuBar.GetWindowText(title);
    EXPECT_STREQ("Menu", title);
    EXPECT_TRUE(m_menuBar.IsWindowVisible());
    // Docked, the bar takes the frame's whole width.
    CRect bar;
    CRect client;
    m_menuBar.GetWindowRect(&bar);
    m_frame->GetClientRect(&client);
    EXPECT_GE(bar.Width(), client.Width());

    CRect about;
    m_menuBar.GetItemRect(2, &about);
    EXPECT_EQ(2, m_menuBar.HitTest(about.CenterPoint()));
    EXPECT_EQ(COXMenuBar::hitNone, m_menuBar.HitTest(CPoint(about.right + 40, about.top + 2)));

    // No menu: no buttons and no bar.
    m_menuBar.SetMenu(nullptr);
    EXPECT_EQ(0, m_menuBar.GetCount());
    EXPECT_FALSE(m_menuBar.IsWindowVisible());
}

TEST_F(MenuBar, AltEntersMenuModeAndTheArrowsGoRoundTheItems)
{
    EXPECT_TRUE(m_menuBar.HandleMenuKey(0));
    EXPECT_TRUE(m_menuBar.IsInMenuMode());
    EXPECT_EQ(m_menuBar.GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(0, Hot());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(m_menuBar.HandleMenuKey(VK_RIGHT));
    EXPECT_EQ(0, Hot());
    EXPECT_TRUE(m_menuBar.HandleMenuKey(VK_LEFT));
    EXPECT_EQ(2, Hot());
    EXPECT_TRUE(m_menuBar.HandleMenuKey(VK_ESCAPE));
    EXPECT_FALSE(m_menuBar.IsInMenuMode());
    EXPECT_EQ(std::vector<std::string>({"enter", "exit"}), TestFrame()->m_loop);
    EXPECT_NE(m_menuBar.GetSafeHwnd(), ::GetFocus());
}

TEST_F(MenuBar, AMnemonicOpensItsPopupBelowItsButton)
{
    EXPECT_TRUE(m_menuBar.HandleMenuKey('E'));
    fw::test::Pump();
    ASSERT_EQ(1u, TestFrame()->m_popupRects.size());
    const CRect button = ButtonOnScreen(1);
    EXPECT_EQ(button.left, TestFrame()->m_popupRects[0].left);
    EXPECT_EQ(button.bottom + 1, TestFrame()->m_popupRects[0].top);
    ASSERT_FALSE(TestFrame()->m_popups.empty());
    EXPECT_EQ(::GetSubMenu(m_menu, 1), TestFrame()->m_popups.front());
    EXPECT_EQ(-1, m_menuBar.GetPressedItem());
    EXPECT_EQ(std::vector<std::string>({"enter", "exit"}), TestFrame()->m_loop);

    // Escape in the popup comes back to menu mode on the item.
    TestFrame()->m_whileOpen = [this](HWND)
    {
        EXPECT_FALSE(m_menuBar.HandleMenuKey(VK_ESCAPE));
        m_frame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    };
    m_menuBar.HandleMenuKey('F');
    fw::test::Pump();
    EXPECT_TRUE(m_menuBar.IsInMenuMode());
    EXPECT_EQ(0, Hot());

    // Texts without "&" have no mnemonics.
    const HMENU plain = ::CreateMenu();
    ::AppendMenuA(plain, MF_STRING, kCmdAbout, "About");
    m_menuBar.HandleMenuKey(0);
    m_menuBar.SetMenu(plain);
    EXPECT_FALSE(m_menuBar.HandleMenuKey('A'));
    m_menuBar.SetMenu(m_menu);
    ::DestroyMenu(plain);
}

TEST_F(MenuBar, APlainCommandRunsOnAClickWithoutAPopup)
{
    PostClick(m_menuBar, 2);
    fw::test::Pump();
    EXPECT_EQ(std::vector<UINT>({kCmdAbout}), TestFrame()->m_commands);
    EXPECT_TRUE(TestFrame()->m_popups.empty());
    EXPECT_FALSE(m_menuBar.SendMessage(TB_GETSTATE, 3) & TBSTATE_PRESSED);
}

TEST_F(MenuBar, TheClickThatClosesAPopupDoesNotOpenItAgain)
{
    TestFrame()->m_whileOpen = [this](HWND) { PostClick(m_menuBar, 1); };
    PostClick(m_menuBar, 1);
    fw::test::Pump();
    fw::test::Pump();
    EXPECT_EQ(1u, TestFrame()->m_popupRects.size());
    EXPECT_EQ(-1, m_menuBar.GetPressedItem());
    // A later click opens it again.
    PostClick(m_menuBar, 1);
    fw::test::Pump();
    EXPECT_EQ(2u, TestFrame()->m_popupRects.size());
}

TEST_F(MenuBar, WithAPopupOpenTheNextItemOpensWhenItCloses)
{
    // What the host frame does when the mouse moves onto Edit while File is open.
    TestFrame()->m_whileOpen = [this](HWND)
    {
        m_menuBar.SetNextItem(1);
        PostClick(m_menuBar, 1);
    };
    PostClick(m_menuBar, 0);
    fw::test::Pump();
    fw::test::Pump();
    ASSERT_EQ(2u, TestFrame()->m_popupRects.size());
    EXPECT_EQ(ButtonOnScreen(1).left, TestFrame()->m_popupRects[1].left);
    // One menu loop for both popups.
    EXPECT_EQ(std::vector<std::string>({"enter", "exit"}), TestFrame()->m_loop);

    // Right in an open popup moves to the next popup the same way.
    TestFrame()->m_whileOpen = [this](HWND)
    {
        EXPECT_TRUE(m_menuBar.HandleMenuKey(VK_RIGHT));
        EXPECT_EQ(1, m_menuBar.GetNextItem());
    };
    m_menuBar.HandleMenuKey('F');
    fw::test::Pump();
    fw::test::Pump();
    ASSERT_EQ(4u, TestFrame()->m_popupRects.size());
    EXPECT_EQ(ButtonOnScreen(1).left, TestFrame()->m_popupRects[3].left);
}

TEST_F(MenuBar, AMaximisedChildPutsItsIconAndCaptionButtonsOnTheBar)
{
    OpenDocument();
    CMDIChildWnd* child = ActiveChild();
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(nullptr, m_menuBar.GetBarIcon());
    child->MDIMaximize();
    m_menuBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    m_frame->RecalcLayout();
    m_menuBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_NE(nullptr, m_menuBar.GetBarIcon());

    // The ring of items takes the system-menu item between the last and the first.
    m_menuBar.HandleMenuKey(0);
    m_menuBar.HandleMenuKey(VK_LEFT);
    EXPECT_EQ(-1, Hot()); // the system-menu item has no button
    m_menuBar.HandleMenuKey(VK_RIGHT);
    EXPECT_EQ(0, Hot());
    m_menuBar.HandleMenuKey(0);

    // The close button, found by hit-testing along the bar's trailing end.
    CRect window;
    m_menuBar.GetWindowRect(&window);
    CPoint close(-1, -1);
    for (int x = window.right - 1; x > window.right - 80 && close.x < 0; --x)
        if (m_menuBar.HitTest(CPoint(x, window.CenterPoint().y), COXMenuBar::coordsScreen) ==
            COXMenuBar::hitClose)
            close = CPoint(x - 2, window.CenterPoint().y);
    ASSERT_GE(close.x, 0);
    EXPECT_EQ(HTCAPTION, m_menuBar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)));
    m_menuBar.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(close.x, close.y));
    EXPECT_EQ(&m_menuBar, CWnd::GetCapture());
    CPoint client = close;
    m_menuBar.ScreenToClient(&client);
    m_menuBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    fw::test::Pump();
    EXPECT_EQ(nullptr, ActiveChild());
    m_menuBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(nullptr, m_menuBar.GetBarIcon());
}

TEST_F(MenuBar, AGreyedItemDisablesItsButton)
{
    ::EnableMenuItem(m_menu, 1, MF_BYPOSITION | MF_GRAYED);
    m_menuBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(m_menuBar.SendMessage(TB_GETSTATE, 2) & TBSTATE_ENABLED);
    EXPECT_TRUE(m_menuBar.SendMessage(TB_GETSTATE, 1) & TBSTATE_ENABLED);
    ::EnableMenuItem(m_menu, 1, MF_BYPOSITION | MF_ENABLED);
    m_menuBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(m_menuBar.SendMessage(TB_GETSTATE, 2) & TBSTATE_ENABLED);
}

TEST_F(MenuBar, AfterADeletedButtonEachMnemonicOpensItsOwnItem)
{
    ASSERT_TRUE(m_menuBar.DeleteButton(0)); // File goes: Edit and About move up one place
    EXPECT_FALSE(m_menuBar.HandleMenuKey('F'));
    EXPECT_TRUE(m_menuBar.HandleMenuKey('E'));
    fw::test::Pump();
    ASSERT_FALSE(TestFrame()->m_popups.empty());
    EXPECT_EQ(::GetSubMenu(m_menu, 0), TestFrame()->m_popups.front());
    EXPECT_EQ(ButtonOnScreen(0).left, TestFrame()->m_popupRects.front().left);
}

TEST_F(MenuBar, ACustomisedMenuIsKeptUnderTheDefaultSectionWithoutADocument)
{
    ASSERT_TRUE(m_menuBar.DeleteButton(1)); // Edit goes
    ASSERT_EQ(2, m_menuBar.GetCount());
    EXPECT_EQ(2u, m_menuBar.GetItemID(1));
    EXPECT_EQ(2, ::GetMenuItemCount(m_menu));
    ASSERT_TRUE(m_menuBar.SaveBarState("Bars", "Menu"));
    const char* section = "Menu_Default~!@#$#$%^";
    EXPECT_GT(static_cast<int>(AfxGetApp()->GetProfileInt(section, "MenuDataSize", -1)), 0);

    // A bar showing a fresh menu of the same (no) document type reads it back.
    COXMenuBar other;
    ASSERT_TRUE(other.Create(m_frame, WS_CHILD | CBRS_ALIGN_TOP, 0x7A61));
    const HMENU fresh = MakeMenu();
    const int loadedBefore = TestFrame()->m_loaded;
    other.SetMenu(fresh);
    EXPECT_EQ(loadedBefore + 1, TestFrame()->m_loaded);
    ASSERT_EQ(2, ::GetMenuItemCount(fresh));
    char text[32] = {};
    ::GetMenuStringA(fresh, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&About", text);
    EXPECT_EQ(kCmdAbout, ::GetMenuItemID(fresh, 1));
    ASSERT_NE(nullptr, ::GetSubMenu(fresh, 0));
    EXPECT_EQ(kCmdNew, ::GetMenuItemID(::GetSubMenu(fresh, 0), 0));
    other.DestroyWindow();
    ::DestroyMenu(fresh);
}

TEST_F(MenuBar, ABadStoredMenuIsIgnored)
{
    const char* section = "Menu_Default~!@#$#$%^";
    // Nested deeper than any menu: 40 levels of one submenu each.
    std::vector<BYTE> deep;
    auto put = [&deep](int32_t value)
    {
        for (int i = 0; i < 4; ++i)
            deep.push_back(static_cast<BYTE>(value >> (8 * i)));
    };
    for (int level = 0; level < 40; ++level)
    {
        put(1);            // count
        put(MFT_STRING);   // type
        put(1);            // has a submenu
        put(-1);           // id
        deep.push_back(0); // empty text
    }
    put(0);
    const std::vector<std::vector<BYTE>> blobs = {
        deep, {0x02, 0, 0, 0, 0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0x7F}, {0x01}};
    for (const std::vector<BYTE>& blob : blobs)
    {
        AfxGetApp()->WriteProfileBinary(section, "MenuItems", blob.data(),
                                        static_cast<UINT>(blob.size()));
        AfxGetApp()->WriteProfileInt(section, "MenuDataSize", static_cast<int>(blob.size()));
        COXMenuBar other;
        ASSERT_TRUE(other.Create(m_frame, WS_CHILD | CBRS_ALIGN_TOP, 0x7A61));
        const HMENU fresh = MakeMenu();
        other.SetMenu(fresh);
        EXPECT_EQ(3, ::GetMenuItemCount(fresh));
        EXPECT_EQ(3, other.GetCount());
        other.DestroyWindow();
        ::DestroyMenu(fresh);
    }
}

TEST_F(MenuBar, AMenuBuiltFromATemplateMatchesTheSystemsReading)
{
    const HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(kTemplateMenu), RT_MENU);
    ASSERT_NE(nullptr, found);
    const void* data = ::LockResource(::LoadResource(nullptr, found));
    const DWORD size = ::SizeofResource(nullptr, found);
    const HMENU built = ::CreateMenu();
    ASSERT_TRUE(m_menuBar.BuildMenuFromTemplate(built, data, size));
    const HMENU reference =
        ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kTemplateMenu));
    ASSERT_EQ(::GetMenuItemCount(reference), ::GetMenuItemCount(built));
    const HMENU builtPopup = ::GetSubMenu(built, 0);
    const HMENU referencePopup = ::GetSubMenu(reference, 0);
    ASSERT_NE(nullptr, builtPopup);
    ASSERT_EQ(::GetMenuItemCount(referencePopup), ::GetMenuItemCount(builtPopup));
    for (int i = 0; i < ::GetMenuItemCount(referencePopup); ++i)
    {
        EXPECT_EQ(::GetMenuItemID(referencePopup, i), ::GetMenuItemID(builtPopup, i));
        EXPECT_EQ(::GetMenuState(referencePopup, i, MF_BYPOSITION) & MF_SEPARATOR,
                  ::GetMenuState(builtPopup, i, MF_BYPOSITION) & MF_SEPARATOR);
    }
    // Cut short, it is refused.
    EXPECT_FALSE(m_menuBar.BuildMenuFromTemplate(::CreateMenu(), data, size / 2));
    ::DestroyMenu(built);
    ::DestroyMenu(reference);
}
