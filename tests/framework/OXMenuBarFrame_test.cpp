// The menu-bar host frame under Wine: the frame's and the documents' menus on the bar and
// never on the window, Alt and the keys through the keyboard hook, the mouse moving from one
// open item to another, the maximised child's icon, the MDI client subclass put back at idle,
// the Windows menu when there is no bar, the menu bar's own row, and help mode in which the
// bar still opens its menus.
#include "framework/OXMenuBarFrame.h"

#include "platform/bars/toolbar.h"
#include "platform/ctrl/threadhook.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"

#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace
{
// Key flags of the keyboard hook: a press with Alt held, its repeat, and a release.
constexpr LPARAM kAltDown = 0x20000001;
constexpr LPARAM kAltRepeat = 0x60000001;
constexpr LPARAM kAltUp = static_cast<LPARAM>(0xE0000001u);

// A host frame with the test frames' status pane that records the popups it shows and acts
// while one is open.
class CHostTestFrame : public COXMenuBarHostFrame
{
    FW_CREATABLE(CHostTestFrame, COXMenuBarHostFrame)

public:
    fw::test::CTestStatusPane m_statusPane;
    std::vector<HMENU> m_popups;
    std::function<void(HWND popup)> m_whileOpen;

    COXMenuBar& Bar() { return m_menuBar; }

    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs)
    {
        if (COXMenuBarHostFrame::OnCreate(cs) == -1)
            return -1;
        return m_statusPane.Create(this) ? 0 : -1;
    }
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
    {
        m_popups.push_back(popup->GetSafeHmenu());
        COXMenuBarHostFrame::OnInitMenuPopup(popup, index, sysMenu);
    }
    void OnEnterIdle(UINT why, CWnd* who)
    {
        if (why != MSGF_MENU || !who)
            return;
        const auto action = std::move(m_whileOpen);
        m_whileOpen = nullptr;
        if (action)
            action(who->GetSafeHwnd());
        else
            PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    }
};

FW_TABLE(CHostTestFrame, COXMenuBarHostFrame, fw::on<WM_CREATE, &CHostTestFrame::OnCreate>(),
         fw::on<WM_INITMENUPOPUP, &CHostTestFrame::OnInitMenuPopup>(),
         fw::on<WM_ENTERIDLE, &CHostTestFrame::OnEnterIdle>())

// A frame whose bar cannot be made.
class CNoBarFrame : public COXMenuBarHostFrame
{
    FW_CREATABLE(CNoBarFrame, COXMenuBarHostFrame)

public:
    BOOL AttachMenuBar(HMENU, CWnd*, DWORD, UINT) override { return FALSE; }
};

// A replacement of the MDI client's procedure that does not pass messages on to ours.
WNDPROC g_classProc = nullptr;
LRESULT CALLBACK ForeignClientProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(g_classProc, hwnd, msg, wParam, lParam);
}

WNDPROC ProcOf(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}
} // namespace

class MenuBarHostFrame : public fw::test::MainFrameFixture
{
protected:
    MenuBarHostFrame() { m_frameClass = RUNTIME_CLASS(CHostTestFrame); }

    void SetUp() override
    {
        MainFrameFixture::SetUp();
        // The fixture made the frame with its menu; the bar took it.
        if (COXMenuBar* bar = Host()->GetMenuBar())
            m_frame->m_hMenuDefault = bar->GetMenu();
        m_frame->SetForegroundWindow();
        fw::test::Pump();
    }

    CHostTestFrame* Host() const { return dynamic_cast<CHostTestFrame*>(m_frame); }
    COXMenuBar& Bar() const { return Host()->Bar(); }
    LRESULT Key(UINT key, LPARAM flags) const
    {
        return fw::ThreadHook::Call(WH_KEYBOARD, HC_ACTION, key, flags);
    }
    CPoint ButtonCentre(int index) const
    {
        CRect item;
        Bar().GetItemRect(index, &item);
        Bar().ClientToScreen(&item);
        return item.CenterPoint();
    }
};

TEST_F(MenuBarHostFrame, TheFrameAndDocumentMenusGoOnTheBarNeverOnTheWindow)
{
    EXPECT_EQ(nullptr, ::GetMenu(m_frame->m_hWnd));
    ASSERT_NE(nullptr, Bar().GetMenu());
    EXPECT_EQ(2, Bar().GetCount()); // File, Window
    EXPECT_TRUE(dynamic_cast<COXMenuBarDockBar*>(Bar().m_pDockBar) != nullptr);

    OpenDocument();
    const HMENU shared = m_template->m_hMenuShared;
    EXPECT_EQ(shared, Bar().GetMenu());
    EXPECT_EQ(nullptr, ::GetMenu(m_frame->m_hWnd));
    // The MDI client lists the child in the shared menu's Window popup.
    const HMENU window = ::GetSubMenu(shared, 1);
    bool listed = false;
    for (int i = 0; i < ::GetMenuItemCount(window); ++i)
        listed = listed || ::GetMenuItemID(window, i) == AFX_IDM_FIRST_MDICHILD;
    EXPECT_TRUE(listed);

    // A maximised child's icon comes to the bar through the client's notices alone.
    ActiveChild()->MDIMaximize();
    fw::test::Pump();
    EXPECT_NE(nullptr, Bar().GetBarIcon());

    m_app->CloseAllDocuments(FALSE);
    fw::test::Pump();
    EXPECT_EQ(m_frame->m_hMenuDefault, Bar().GetMenu());
    EXPECT_EQ(nullptr, Bar().GetBarIcon());
    EXPECT_EQ(nullptr, ::GetMenu(m_frame->m_hWnd));
}

TEST_F(MenuBarHostFrame, AltAloneGivesKeyboardModeARepeatIsNotEatenAndAltF4Closes)
{
    ASSERT_EQ(m_frame, CWnd::GetActiveWindow());
    EXPECT_NE(0, Key(VK_MENU, kAltDown));
    EXPECT_NE(0, Key(VK_MENU, kAltUp));
    EXPECT_TRUE(Bar().IsInMenuMode());
    // In keyboard mode the arrows reach the bar.
    EXPECT_NE(0, Key(VK_RIGHT, 1));
    EXPECT_EQ(1, static_cast<int>(Bar().SendMessage(TB_GETHOTITEM)));
    EXPECT_NE(0, Key(VK_ESCAPE, 1));
    EXPECT_FALSE(Bar().IsInMenuMode());

    EXPECT_EQ(0, Key(VK_MENU, kAltRepeat));
    EXPECT_FALSE(Bar().IsInMenuMode());

    EXPECT_NE(0, Key(VK_MENU, kAltDown));
    EXPECT_EQ(0, Key(VK_F4, kAltDown));
    m_frame->PostMessage(WM_SYSKEYDOWN, VK_F4, kAltDown);
    fw::test::Pump();
    EXPECT_EQ(nullptr, m_app->m_pMainWnd);
}

TEST_F(MenuBarHostFrame, AltAndAMnemonicOpenTheItemsPopup)
{
    // Real key presses through the thread's hook: Alt+W, the keys held while the popup is
    // open (the hook reads the keyboard's state as it is when it runs).
    auto press = [](std::initializer_list<std::pair<WORD, DWORD>> events)
    {
        std::vector<INPUT> keys;
        for (const auto& [key, flags] : events)
        {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = flags;
            keys.push_back(input);
        }
        return ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    };
    ASSERT_EQ(2u, press({{VK_MENU, 0}, {'W', 0}}));
    EXPECT_TRUE(fw::test::WaitFor([this] { return !Host()->m_popups.empty(); }, 2000));
    ASSERT_EQ(2u, press({{'W', KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}}));
    fw::test::Pump();
    ASSERT_FALSE(Host()->m_popups.empty());
    EXPECT_EQ(::GetSubMenu(Bar().GetMenu(), 1), Host()->m_popups.front());
    EXPECT_FALSE(Bar().IsInMenuMode());
}

TEST_F(MenuBarHostFrame, TheMouseMovingOntoAnotherItemOpensItsPopup)
{
    Host()->m_whileOpen = [this](HWND popup)
    {
        MOUSEHOOKSTRUCT mouse = {};
        mouse.hwnd = popup;
        // Over the open item: nothing.
        mouse.pt = ButtonCentre(0);
        EXPECT_FALSE(
            Host()->OnMenuBarMouseHook(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&mouse)));
        mouse.pt = ButtonCentre(1);
        EXPECT_TRUE(
            Host()->OnMenuBarMouseHook(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&mouse)));
        EXPECT_EQ(1, Bar().GetNextItem());
        // Already on its way: the same move again changes nothing.
        EXPECT_FALSE(
            Host()->OnMenuBarMouseHook(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&mouse)));
    };
    Bar().HandleMenuKey('F');
    fw::test::Pump();
    fw::test::Pump();
    ASSERT_EQ(2u, Host()->m_popups.size());
    EXPECT_EQ(::GetSubMenu(Bar().GetMenu(), 0), Host()->m_popups[0]);
    EXPECT_EQ(::GetSubMenu(Bar().GetMenu(), 1), Host()->m_popups[1]);
    EXPECT_EQ(-1, Bar().GetPressedItem());
}

TEST_F(MenuBarHostFrame, AReplacedMDIClientProcedureIsSubclassedAgainAtIdle)
{
    const HWND client = m_frame->m_hWndMDIClient;
    const WNDPROC ours = ProcOf(client);
    g_classProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrA(client, GCLP_WNDPROC));
    ::SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignClientProc));
    // The replacement puts the menu on the window, as the client would without us.
    ::SetMenu(m_frame->m_hWnd, m_frame->m_hMenuDefault);
    m_frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(ours, ProcOf(client));
    EXPECT_EQ(nullptr, ::GetMenu(m_frame->m_hWnd));
    EXPECT_EQ(&ForeignClientProc, Host()->m_pfnOldMDIClientProc);

    // The documents' menus still reach the bar through both procedures.
    OpenDocument();
    EXPECT_EQ(m_template->m_hMenuShared, Bar().GetMenu());
    EXPECT_EQ(nullptr, ::GetMenu(m_frame->m_hWnd));
}

TEST_F(MenuBarHostFrame, TheMenuBarHasARowOfItsOwn)
{
    CToolBar toolBar;
    ASSERT_TRUE(toolBar.CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                 CRect(0, 0, 0, 0), 0x7B91));
    const UINT buttons[] = {0x7B92, 0x7B93};
    toolBar.SetButtons(buttons, 2);
    toolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_frame->EnableDocking(CBRS_ALIGN_ANY);
    // Docked into the bar's row, at its right end.
    CRect bar;
    Bar().GetWindowRect(&bar);
    const CRect right(bar.right - 60, bar.top, bar.right - 10, bar.bottom);
    m_frame->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_TOP, &right);
    m_frame->RecalcLayout();
    fw::test::Pump();
    CRect client;
    m_frame->GetClientRect(&client);
    Bar().GetWindowRect(&bar);
    CRect tool;
    toolBar.GetWindowRect(&tool);
    EXPECT_GE(bar.Width(), client.Width());
    EXPECT_GT(tool.top, bar.top); // a row below (rows share their border lines)
}

TEST_F(MenuBarHostFrame, InHelpModeTheBarStillOpensItsMenusAndEscapeEndsIt)
{
    Host()->SetHelpUnavailableText(CString("Help is not available in this installation."));
    // In help mode a press on File opens its menu; then, with the menu closed, a press in
    // the frame asks for help, which there is none of. Everything is queued beforehand: the
    // help loop runs until a press or Escape ends it.
    m_frame->m_nIDHelp = 0x7B99;
    const HWND client = m_frame->m_hWndMDIClient;
    Host()->m_whileOpen = [this, client](HWND)
    {
        m_frame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        CRect area;
        ::GetClientRect(client, &area);
        POINT inside = area.CenterPoint();
        ::ClientToScreen(client, &inside);
        ::SetCursorPos(inside.x, inside.y);
        ::PostMessageA(client, WM_LBUTTONDOWN, MK_LBUTTON,
                       MAKELPARAM(area.CenterPoint().x, area.CenterPoint().y));
    };
    m_frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    EXPECT_EQ(HELP_ENTERING, m_frame->m_bHelpMode);
    const CPoint file = ButtonCentre(0);
    ::SetCursorPos(file.x, file.y);
    CPoint onBar = file;
    Bar().ScreenToClient(&onBar);
    Bar().PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onBar.x, onBar.y));
    Bar().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(onBar.x, onBar.y));
    fw::test::Pump();
    ASSERT_FALSE(Host()->m_popups.empty());
    EXPECT_EQ(::GetSubMenu(Bar().GetMenu(), 0), Host()->m_popups.front());
    EXPECT_EQ(HELP_INACTIVE, m_frame->m_bHelpMode);
    EXPECT_STREQ("Help is not available in this installation.", Host()->m_statusPane.Text());

    // Escape ends help mode without asking anything.
    m_frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    m_frame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    fw::test::Pump();
    EXPECT_EQ(HELP_INACTIVE, m_frame->m_bHelpMode);
}

class MenuBarHostWithoutBar : public fw::test::MainFrameFixture
{
protected:
    MenuBarHostWithoutBar() { m_frameClass = RUNTIME_CLASS(CNoBarFrame); }
};

TEST_F(MenuBarHostWithoutBar, TheWindowsMenuIsUsed)
{
    EXPECT_NE(nullptr, ::GetMenu(m_frame->m_hWnd));
    OpenDocument();
    EXPECT_EQ(m_template->m_hMenuShared, ::GetMenu(m_frame->m_hWnd));
}
