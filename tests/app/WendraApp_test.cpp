// Start-up and shut-down of the application in a scratch product layout: the language, the
// recent projects, the main frame and its menus, and what closing the main frame stores.
#include "app/MenuTexts.h"
#include "core/services/AppEnvironment.h"
#include "core/services/StringFile.h"
#include "platform/docview/doctempl.h"
#include "platform/test/pump.h"
#include "platform/win/platform_ids.h"
#include "platform/win/recentfiles.h"
#include "resources/ids/app_ids.h"
#include "resources/ids/view_ids.h"
#include "tests/app/AppFixture.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace
{
std::string Text(const char* file, const char* section, const char* key, const char* suffix)
{
    std::string text;
    LoadStringWithSuffix(file, section, key, suffix, &text);
    return text;
}

// A text of the Japanese code page as UTF-8.
std::string JapaneseAsUtf8(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(932, 0, text.data(),
                                                          static_cast<int>(text.size()), &wide[0],
                                                          static_cast<int>(wide.size()))));
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<size_t>(
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0],
                              static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

std::string MenuText(HMENU menu, int position)
{
    char text[256] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

class WendraApp : public AppFixture
{
};
} // namespace

TEST_F(WendraApp, EnglishOrJapaneseInAnyLetterCaseChoosesTheTexts)
{
    struct Case
    {
        const char* value;
        const char* suffix;
        int language;
        LCID locale;
    };
    const Case cases[] = {{"english", "_ENG", kLanguageEnglish, 0x409},
                          {"JAPANESE", "_JPN", kLanguageJapanese, 0x411},
                          {"English", "_ENG", kLanguageEnglish, 0x409}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(StartUp(std::string("[Environment]\r\nLanguage=") + c.value + "\r\n"));
        EXPECT_EQ(c.suffix, GetLanguageSuffix());
        EXPECT_EQ(c.language, GetLanguageSetting());
        EXPECT_EQ(c.locale, LANGIDFROMLCID(::GetThreadLocale()));
        EXPECT_NE(nullptr, MainFrame());
        EXPECT_TRUE((*m_services)->messageBoxes.empty());
        const std::string help = c.language == kLanguageJapanese ? "Gravik_JPN.hlp" : "Gravik.hlp";
        EXPECT_EQ(m_folders->Path("bin") + "\\..\\Help\\" + help, m_app->m_pszHelpFilePath);
        TearDown();
    }
    ::SetThreadLocale(MAKELCID(0x409, SORT_DEFAULT));
}

// The language unknown, the text is shown in both: the English one and the Japanese one as
// wide text, readable whatever the process's code page.
TEST_F(WendraApp, MissingOrUnknownLanguageShowsItsTextAndEndsBeforeAnyWindow)
{
    struct Case
    {
        const char* ini;
        const char* key;
    };
    const Case cases[] = {{"[Environment]\r\nVersion_Number=1\r\n", "LangSettingNotFound"},
                          {"", "LangSettingNotFound"},
                          {"[Environment]\r\nLanguage=French\r\n", "LangSetting"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.key);
        EXPECT_FALSE(StartUp(c.ini));
        EXPECT_EQ(nullptr, m_app->m_pMainWnd);
        ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
        const auto& box = (*m_services)->messageBoxes[0];
        EXPECT_TRUE(box.isWide);
        const std::string english = Text("standard.str", "Error", c.key, "_ENG");
        const std::string japanese = JapaneseAsUtf8(Text("standard.str", "Error", c.key, "_JPN"));
        ASSERT_FALSE(english.empty());
        ASSERT_NE(Text("standard.str", "Error", c.key, "_JPN"), japanese) << "no Japanese text";
        EXPECT_EQ(english + "\n\n" + japanese, box.text);
        EXPECT_TRUE(box.type & MB_ICONERROR);
        TearDown();
    }
}

TEST_F(WendraApp, RecentProjectsKeepOneOfEachInOrderAndShowInTheMenu)
{
    ASSERT_TRUE(
        StartUp(std::string(kEnglishIni) + "[MRU]\r\nMRU0=a\r\nMRU1=\r\nMRU2=A\r\nMRU3=b\r\n"));
    const CRecentProjects& recent = m_app->GetRecentProjects();
    EXPECT_STREQ("a", recent[0].GetString());
    EXPECT_STREQ("b", recent[1].GetString());
    EXPECT_STREQ("", recent[2].GetString());
    // The framework's list shows them, the most recent first.
    CRecentFileList& list = *m_app->m_pRecentFileList;
    ASSERT_EQ(4, list.GetSize());
    EXPECT_EQ(m_folders->Path("bin") + "\\a", std::string(list[0].GetString()));
    EXPECT_EQ(m_folders->Path("bin") + "\\b", std::string(list[1].GetString()));
    EXPECT_TRUE(list[2].IsEmpty());

    // Opening the Recent Projects popup shows the two entries.
    const HMENU popup = ::GetSubMenu(::GetSubMenu(MainFrame()->GetFrameMenu(), 0), 3);
    ASSERT_NE(nullptr, popup);
    ::SendMessageA(MainFrame()->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                   MAKELPARAM(3, FALSE));
    ASSERT_EQ(2, ::GetMenuItemCount(popup));
    EXPECT_EQ("&1 a", MenuText(popup, 0));
    EXPECT_EQ("&2 b", MenuText(popup, 1));
}

TEST_F(WendraApp, ClosingTheMainFrameWritesTheFourRecentProjects)
{
    ASSERT_TRUE(StartUp(std::string(kEnglishIni) + "[MRU]\r\nMRU0=a.mpj\r\nMRU1=b.mpj\r\n"));
    MainFrame()->AddToRecentProjects("C:\\p\\c.mpj");
    MainFrame()->AddToRecentProjects("B.MPJ");
    ASSERT_TRUE(CloseMainFrame());
    EXPECT_EQ("B.MPJ", IniValue("MRU", "MRU0"));
    EXPECT_EQ("C:\\p\\c.mpj", IniValue("MRU", "MRU1"));
    EXPECT_EQ("a.mpj", IniValue("MRU", "MRU2"));
    EXPECT_EQ("", IniValue("MRU", "MRU3"));
    const auto& read = m_app->GetRecentProjectsRead();
    EXPECT_STREQ("B.MPJ", read[0].GetString());
}

TEST_F(WendraApp, MainFrameShowsTheTitleAndTheMenuOfTheLanguage)
{
    ASSERT_TRUE(StartUp("[Environment]\r\nLanguage=Japanese\r\n"));
    CMainFrame* frame = MainFrame();
    ASSERT_NE(nullptr, frame);
    char title[128] = {};
    ::GetWindowTextA(frame->m_hWnd, title, sizeof title);
    EXPECT_STREQ("Gravik - Finite-Element Post-Processor", title);
    // The Japanese texts of the string file, in code page 932 bytes.
    const HMENU menu = frame->GetFrameMenu();
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(Text("standard.str", "Menu", "Project", "_JPN"), MenuText(menu, 0));
    EXPECT_EQ("\x83\x76\x83\x8D\x83\x57\x83\x46\x83\x4E\x83\x67 (&P)", MenuText(menu, 0));
    const HMENU shared = m_app->GetDocTemplate()->m_hMenuShared;
    EXPECT_EQ(Text("standard.str", "Menu", "Window", "_JPN"), MenuText(shared, 7));
}

TEST_F(WendraApp, EveryMenuItemHasItsTextInBothLanguages)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    // Walks the menus as loaded from the resources, before any translation.
    std::vector<std::string> missing;
    std::function<void(HMENU)> walk = [&](HMENU menu)
    {
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        {
            const HMENU popup = ::GetSubMenu(menu, i);
            const UINT id = ::GetMenuItemID(menu, i);
            if (popup == nullptr && id == 0)
                continue;
            const CString key =
                popup ? MenuPopupKey(MenuText(menu, i).c_str()) : MenuCommandKey(id);
            for (const char* suffix : {"_ENG", "_JPN"})
            {
                if (Text("standard.str", "Menu", key, suffix).empty())
                    missing.push_back(std::string(key.GetString()) + suffix);
            }
            if (popup)
                walk(popup);
        }
    };
    for (UINT id : {128u, 129u})
    {
        const HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        ASSERT_NE(nullptr, menu);
        walk(menu);
        // English texts equal the resource's, so that English mode shows the menus as made.
        EXPECT_EQ(MenuText(menu, 0), Text("standard.str", "Menu", "Project", "_ENG"));
        ::DestroyMenu(menu);
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first " << missing[0];
}

TEST_F(WendraApp, HelpRequestsEndWithAShortMessage)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    m_app->WinHelp(0, HELP_FINDER);
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    EXPECT_EQ(Text("Message.str", "Status", "HelpNotAvailable", "_ENG"),
              (*m_services)->messageBoxes[0].text);
    EXPECT_TRUE((*m_services)->helpCalls.empty());
    // Context help in the frame shows the same text on the status bar.
    EXPECT_EQ((*m_services)->messageBoxes[0].text, MainFrame()->GetHelpUnavailableText().Str());
    // The Help menu's topics say the same.
    ::SendMessageA(MainFrame()->m_hWnd, WM_COMMAND, ID_HELP_FINDER, 0);
    ASSERT_EQ(2u, (*m_services)->messageBoxes.size());
    EXPECT_EQ((*m_services)->messageBoxes[0].text, (*m_services)->messageBoxes[1].text);
    (*m_services)->messageBoxes.pop_back();
    // The framework's closing of the viewer, as the main window goes, says nothing.
    m_app->WinHelp(0, HELP_QUIT);
    EXPECT_EQ(1u, (*m_services)->messageBoxes.size());
}

TEST_F(WendraApp, StartAndEndLinesGoToTheDailyLog)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    ASSERT_TRUE(CloseMainFrame());
    m_app->ExitInstance();
    const std::string log = m_folders->Read(
        "log\\" + std::string(theAppLog.GetPath().substr(theAppLog.GetPath().rfind('\\') + 1)));
    EXPECT_NE(std::string::npos, log.find(" ------ START ------- "));
    EXPECT_NE(std::string::npos, log.find(" ------ END ------- "));
}

namespace
{
// Refuses the creation of one window while it is installed: the child with the control id, or
// (id 0) the main frame; counts the refusals.
class CRefusedWindow
{
public:
    explicit CRefusedWindow(UINT controlId)
    {
        s_controlId = controlId;
        s_refusals = 0;
        m_hook = ::SetWindowsHookExA(WH_CBT, Refuse, nullptr, ::GetCurrentThreadId());
    }
    ~CRefusedWindow() { ::UnhookWindowsHookEx(m_hook); }
    CRefusedWindow(const CRefusedWindow&) = delete;
    CRefusedWindow& operator=(const CRefusedWindow&) = delete;

    static int Refusals() { return s_refusals; }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND)
        {
            const CREATESTRUCTA& cs = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            const bool isChild = (cs.style & WS_CHILD) != 0;
            const bool isMainFrame = !isChild && cs.lpszName != nullptr &&
                                     !IS_INTRESOURCE(cs.lpszName) &&
                                     std::strncmp(cs.lpszName, "Gravik", 6) == 0;
            const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(cs.hMenu));
            if (s_controlId == 0 ? isMainFrame : isChild && id == s_controlId)
            {
                ++s_refusals;
                return 1;
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static UINT s_controlId;
    static int s_refusals;
    HHOOK m_hook;
};
UINT CRefusedWindow::s_controlId = 0;
int CRefusedWindow::s_refusals = 0;
} // namespace

TEST_F(WendraApp, AMainFrameThatCannotBeMadeIsLoggedAndToldByItsPart)
{
    struct Case
    {
        UINT refusedId; // 0: the main frame itself
        const char* part;
    };
    const Case cases[] = {{0, "the main window (system error "},
                          {AFX_IDW_PANE_FIRST, "the frame's view area and menu bar"},
                          {AFX_IDW_TOOLBAR, "the toolbar \"Standard (&T)\""},
                          {IDW_PROJECT_TREE_BAR, "the project tree bar"},
                          {IDW_OUTPUT_BAR, "the output bar"},
                          {AFX_IDW_STATUS_BAR, "the status bar"},
                          {IDW_TOOLBAR_ANIMATION, "the toolbar \"Animation\""},
                          {ID_LOADCASE_COMBO, "the load-case box"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.part);
        {
            CRefusedWindow refused(c.refusedId);
            EXPECT_FALSE(StartUp(kEnglishIni));
            EXPECT_EQ(1, CRefusedWindow::Refusals());
        }
        EXPECT_EQ(nullptr, m_app->m_pMainWnd);
        EXPECT_EQ(3, m_app->ExitInstance()) << "the exit code says the start failed";
        // The user is told which part failed, once; the log names it between START and END.
        ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
        const std::string& told = (*m_services)->messageBoxes[0].text;
        EXPECT_EQ(0u, told.find("Gravik could not start: " + std::string(c.part))) << told;
        EXPECT_TRUE((*m_services)->messageBoxes[0].type & MB_ICONERROR);
        const std::string log = m_folders->Read(
            "log\\" + std::string(theAppLog.GetPath().substr(theAppLog.GetPath().rfind('\\') + 1)));
        const size_t start = log.rfind(" ------ START ------- ");
        const size_t ended =
            log.find("Start ended: the main window was not created: " + std::string(c.part), start);
        EXPECT_NE(std::string::npos, ended) << log.substr(start == std::string::npos ? 0 : start);
        EXPECT_LT(ended, log.find(" ------ END ------- ", start));
        TearDown();
    }
}

TEST(WendraCommandLineInfo, TheLastParameterWinsFlagsIncluded)
{
    CWendraCommandLineInfo info;
    CWinApp app;
    app.SetCommandLine("model.dat /x");
    app.ParseCommandLine(info);
    EXPECT_STREQ("x", info.GetFileToOpen().GetString());
    CWendraCommandLineInfo empty;
    EXPECT_TRUE(empty.GetFileToOpen().IsEmpty());
}

// Wine takes the code page from the locale a process starts in: this one runs as a test of its
// own (test_app_japanese) under a Japanese locale, and skips elsewhere.
TEST_F(WendraApp, JapaneseModeUnderAJapaneseLocale)
{
    if (std::getenv("GRAVIK_JAPANESE_LOCALE") == nullptr)
        GTEST_SKIP() << "runs as test_app_japanese, under a Japanese locale";
    EXPECT_EQ(932u, ::GetACP());
    ASSERT_TRUE(StartUp("[Environment]\r\nLanguage=Japanese\r\n"));
    EXPECT_EQ(0x411, LANGIDFROMLCID(::GetThreadLocale()));
    const HMENU menu = MainFrame()->GetFrameMenu();
    EXPECT_EQ(Text("standard.str", "Menu", "Project", "_JPN"), MenuText(menu, 0));
    EXPECT_EQ(Text("standard.str", "Menu", "Help", "_JPN"), MenuText(menu, 3));
    m_app->WinHelp(0, HELP_FINDER);
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    EXPECT_EQ(Text("Message.str", "Status", "HelpNotAvailable", "_JPN"),
              (*m_services)->messageBoxes[0].text);
}

namespace
{
RECT g_aboutRect = {};

void CALLBACK CloseAbout(HWND, UINT, UINT_PTR id, DWORD)
{
    const HWND about = ::FindWindowA(nullptr, "About Gravik");
    if (about == nullptr || !::IsWindowVisible(about))
        return;
    ::KillTimer(nullptr, id);
    ::GetWindowRect(about, &g_aboutRect);
    ::PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
}
} // namespace

TEST_F(WendraApp, TheAboutBoxOpensCentredOverTheMainWindow)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    RECT main = {};
    ::MoveWindow(MainFrame()->m_hWnd, 150, 120, 900, 700, TRUE);
    ::GetWindowRect(MainFrame()->m_hWnd, &main);
    g_aboutRect = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CloseAbout);
    MainFrame()->SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
    ::KillTimer(nullptr, timer);
    ASSERT_LT(g_aboutRect.left, g_aboutRect.right) << "the About box never showed";
    EXPECT_NEAR((main.left + main.right) / 2, (g_aboutRect.left + g_aboutRect.right) / 2, 2);
    EXPECT_NEAR((main.top + main.bottom) / 2, (g_aboutRect.top + g_aboutRect.bottom) / 2, 2);
}
