// The status bar's prompt of a toolbar button, as a user meets it: under the mouse it says
// what the button does in the program's language, and while the modal dialog the button opened
// waits for the user, the bar is back to its idle text.
#include "core/services/StringFile.h"
#include "platform/test/pump.h"
#include "platform/win/resource.h"
#include "resources/resource.h"
#include "tests/app/AppFixture.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace
{
std::string Text(const char* file, const char* section, const char* key, const char* suffix)
{
    std::string text;
    LoadStringWithSuffix(file, section, key, suffix, &text);
    return text;
}

HWND g_mainWindow = nullptr;
CStatusBar* g_statusBar = nullptr;
std::string g_paneWhileUp;
bool g_dialogShown = false;

// A visible window the main window owns: the modal dialog.
BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM found)
{
    if (::GetWindow(window, GW_OWNER) != g_mainWindow || !::IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The command ids of a menu and its submenus.
void CollectMenuCommands(HMENU menu, std::set<UINT>& ids)
{
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
    {
        if (const HMENU sub = ::GetSubMenu(menu, i))
            CollectMenuCommands(sub, ids);
        else if (const UINT id = ::GetMenuItemID(menu, i); id != 0 && id != 0xFFFFFFFFu)
            ids.insert(id);
    }
}

// Reads the status pane once the modal dialog shows, then cancels the dialog.
void CALLBACK ReadPaneAndCancel(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    ::KillTimer(nullptr, id);
    g_dialogShown = true;
    g_paneWhileUp = g_statusBar->GetPaneText(0).GetString();
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}
} // namespace

class StatusPrompts : public AppFixture
{
};

TEST_F(StatusPrompts, ButtonPromptIsInTheProgramsLanguageAndGivesWayToItsDialog)
{
    for (const LanguageCase& c : kLanguageCases)
    {
        SCOPED_TRACE(c.suffix);
        ASSERT_TRUE(StartUp(c.ini));
        CMainFrame* frame = MainFrame();
        const HWND bar = frame->GetToolBar(CMainFrame::kStandardBar).m_hWnd;
        POINT point = {};
        ASSERT_TRUE(ToolbarButtonCentre(bar, ID_APP_ABOUT, &point));
        const LPARAM centre = MAKELPARAM(point.x, point.y);

        // The mouse over the About button.
        ::SendMessageA(bar, WM_MOUSEMOVE, 0, centre);
        fw::test::Pump();
        EXPECT_EQ(Text("standard.str", "Prompt", "ID57664", c.suffix),
                  frame->GetStatusBar().GetPaneText(0).GetString());

        // Clicked: the About box waits for the user, the mouse no longer over any button.
        g_mainWindow = frame->m_hWnd;
        g_statusBar = &frame->GetStatusBar();
        g_paneWhileUp.clear();
        g_dialogShown = false;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ReadPaneAndCancel);
        ::SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        ::SendMessageA(bar, WM_LBUTTONUP, 0, centre);
        fw::test::WaitFor([] { return g_dialogShown; }, 5000);
        ::KillTimer(nullptr, timer);
        fw::test::Pump();
        ASSERT_TRUE(g_dialogShown) << "the About box never showed";
        EXPECT_EQ(Text("Message.str", "Framework", "Ready", c.suffix), g_paneWhileUp);
        TearDown();
    }
    ::SetThreadLocale(MAKELCID(0x409, SORT_DEFAULT));
}

// Every menu item and toolbar button with a prompt has it in both languages, the English one
// as the resources give it.
TEST_F(StatusPrompts, EveryCommandPromptExistsInBothLanguages)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    std::set<UINT> ids;
    for (const UINT menuId : {IDR_MAINFRAME, IDR_WENDRATYPE})
    {
        const HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
        ASSERT_NE(nullptr, menu);
        CollectMenuCommands(menu, ids);
        ::DestroyMenu(menu);
    }
    const std::set<UINT> toolBar = ToolBarCommands(*MainFrame());
    ids.insert(toolBar.begin(), toolBar.end());
    int prompts = 0;
    for (const UINT id : ids)
    {
        CString full;
        CString english;
        if (!fw::LoadResourceString(id, full) || !fw::ExtractSubString(english, full, 0) ||
            english.IsEmpty())
            continue;
        ++prompts;
        const std::string key = "ID" + std::to_string(id);
        SCOPED_TRACE(key);
        EXPECT_EQ(english.GetString(), Text("standard.str", "Prompt", key.c_str(), "_ENG"));
        EXPECT_FALSE(Text("standard.str", "Prompt", key.c_str(), "_JPN").empty());
    }
    EXPECT_GT(prompts, 30);
}
