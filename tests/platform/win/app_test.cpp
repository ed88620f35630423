// The application: start-up and loop, idle updates, message boxes through the services, the
// profile, the recent-file list and the command line.
#include "platform/win/app.h"

#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/test/scripted_services.h"
#include "platform/win/cmdline.h"
#include "platform/win/msgloop.h"
#include "platform/win/recentfiles.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

using fw::test::ScopedServices;
using fw::test::TestApp;

namespace
{
class CIdleCounter : public CWnd
{
public:
    int count = 0;
    LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        ++count;
        return 0;
    }
    FW_MESSAGE_TABLE()
};

FW_TABLE(CIdleCounter, CWnd, fw::raw<WM_IDLEUPDATECMDUI, &CIdleCounter::OnIdleUpdate>())
} // namespace

TEST(App, IdleZeroUpdatesTheMainWindowAndItsDescendantsAndIdleOneFreesTemporaries)
{
    TestApp app;
    CIdleCounter main;
    CIdleCounter child;
    CIdleCounter grandchild;
    ASSERT_TRUE(
        main.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &main, 1));
    ASSERT_TRUE(
        grandchild.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &child, 2));
    app.m_pMainWnd = &main;

    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_EQ(1, main.count);
    EXPECT_EQ(1, child.count);
    EXPECT_EQ(1, grandchild.count);

    CWnd::FromHandle(::GetDesktopWindow());
    EXPECT_FALSE(fw::GetThreadState().tempWindows.empty());
    EXPECT_FALSE(app.OnIdle(1));
    EXPECT_TRUE(fw::GetThreadState().tempWindows.empty());
    EXPECT_EQ(1, main.count) << "only pass 0 updates";
    app.m_pMainWnd = nullptr;
}

TEST(App, MessageBoxesGoThroughTheServicesWithTheApplicationsName)
{
    ScopedServices services;
    TestApp app;
    services->messageBoxAnswers.push_back(IDYES);
    EXPECT_EQ(IDYES, AfxMessageBox("Continue?", MB_YESNO));
    EXPECT_EQ(IDOK, AfxMessageBox(AFX_IDP_COMMAND_FAILURE));
    ASSERT_EQ(2u, services->messageBoxes.size());
    EXPECT_EQ("Continue?", services->messageBoxes[0].text);
    EXPECT_EQ(std::string(app.m_pszAppName), services->messageBoxes[0].caption);
    // The type goes as asked: no icon is added.
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), services->messageBoxes[0].type);
    EXPECT_EQ("Command failed.", services->messageBoxes[1].text);

    app.WinHelp(42, HELP_CONTEXT);
    ASSERT_EQ(1u, services->helpCalls.size());
    EXPECT_EQ(42u, services->helpCalls[0].data);
}

TEST(App, ProfileValuesRoundTripInTheRegistryAndInAnIniFile)
{
    for (const bool useRegistry : {true, false})
    {
        SCOPED_TRACE(useRegistry ? "registry" : "INI");
        TestApp app;
        char iniPath[MAX_PATH] = {};
        if (!useRegistry)
        {
            char folder[MAX_PATH] = {};
            ::GetTempPathA(MAX_PATH, folder);
            ::GetTempFileNameA(folder, "fwi", 0, iniPath);
            app.SetRegistryKey(static_cast<const char*>(nullptr));
            app.SetProfileName(iniPath);
        }
        EXPECT_EQ(7u, app.GetProfileInt("Settings", "Missing", 7));
        EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", -3));
        EXPECT_EQ(static_cast<UINT>(-3), app.GetProfileInt("Settings", "Count", 0));
        EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "abc def"));
        EXPECT_STREQ("abc def", app.GetProfileString("Settings", "Name"));
        EXPECT_STREQ("x", app.GetProfileString("Settings", "Missing", "x"));
        const BYTE blob[] = {0, 1, 0xFE, 0xFF, 0x80};
        EXPECT_TRUE(app.WriteProfileBinary("Settings", "Blob", blob, sizeof blob));
        BYTE* data = nullptr;
        UINT bytes = 0;
        ASSERT_TRUE(app.GetProfileBinary("Settings", "Blob", &data, &bytes));
        EXPECT_EQ(std::vector<BYTE>(blob, blob + sizeof blob),
                  std::vector<BYTE>(data, data + bytes));
        delete[] data;
        if (!useRegistry)
            ::DeleteFileA(iniPath);
    }
}

TEST(App, RecentFileListKeepsFourEntriesNewestFirstInTheProfile)
{
    TestApp app;
    app.LoadStdProfileSettings(4);
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    for (const char* path :
         {"C:\\a.mpj", "C:\\b.mpj", "C:\\c.mpj", "C:\\d.mpj", "C:\\e.mpj", "C:\\C.MPJ"})
        app.AddToRecentFileList(path);
    app.SaveStdProfileSettings();

    // The newest first; a path added again (in any case) moved up; the oldest dropped out.
    const std::vector<std::string> expected = {"C:\\C.MPJ", "C:\\e.mpj", "C:\\d.mpj", "C:\\b.mpj"};
    for (int i = 0; i < 4; ++i)
    {
        char entry[16];
        std::snprintf(entry, sizeof entry, "File%d", i + 1);
        EXPECT_EQ(expected[static_cast<size_t>(i)],
                  std::string(app.GetProfileString("Recent File List", entry)));
    }
    EXPECT_STREQ("", app.GetProfileString("Recent File List", "File5"));

    // Read back by a new list.
    app.LoadStdProfileSettings(4);
    EXPECT_STREQ("C:\\e.mpj", (*app.m_pRecentFileList)[1]);
    app.m_pRecentFileList->Remove(0);
    EXPECT_STREQ("C:\\e.mpj", (*app.m_pRecentFileList)[0]);
    EXPECT_STREQ("", (*app.m_pRecentFileList)[3]);
}

TEST(App, RecentFilesReplaceTheirMenuItems)
{
    TestApp app;
    app.LoadStdProfileSettings(4);
    app.AddToRecentFileList("C:\\first.mpj");
    app.AddToRecentFileList("C:\\second & more.mpj");
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_FILE_NEW, "New");
    popup.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
    popup.AppendMenu(MF_STRING, ID_APP_EXIT, "Exit");
    CCmdUI state;
    state.m_pMenu = &popup;
    state.m_nIndex = 1;
    state.m_nIndexMax = popup.GetMenuItemCount();
    state.m_nID = ID_FILE_MRU_FILE1;
    state.DoUpdate(&app, TRUE);
    ASSERT_EQ(4u, popup.GetMenuItemCount());
    CString text;
    popup.GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_STREQ("&1 C:\\second && more.mpj", text);
    popup.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_STREQ("&2 C:\\first.mpj", text);
    EXPECT_EQ(static_cast<UINT>(ID_FILE_MRU_FILE2), popup.GetMenuItemID(2));
    EXPECT_EQ(static_cast<UINT>(ID_APP_EXIT), popup.GetMenuItemID(3));
}

namespace
{
// Stores every parameter, as the program's own command-line class does.
class CAllParams : public CCommandLineInfo
{
public:
    std::vector<std::string> params;
    void ParseParam(const char* param, BOOL isFlag, BOOL isLast) override
    {
        params.push_back(std::string(isFlag ? "flag:" : "") + param + (isLast ? " (last)" : ""));
    }
};
} // namespace

TEST(App, CommandLineIsSplitAsTheSystemDoesAndFlagsLoseTheirMark)
{
    TestApp app;
    app.SetCommandLine("model.dat \"C:\\My Files\\a b.op2\" /x -Embedding a\\\\\"b\" \"q\"\"r\"");
    CAllParams all;
    app.ParseCommandLine(all);
    EXPECT_EQ((std::vector<std::string>{"model.dat", "C:\\My Files\\a b.op2", "flag:x",
                                        "flag:Embedding", "a\\b", "q\"r (last)"}),
              all.params);

    CCommandLineInfo plain;
    app.SetCommandLine("file.dat");
    app.ParseCommandLine(plain);
    EXPECT_STREQ("file.dat", plain.m_strFileName);
    EXPECT_EQ(CCommandLineInfo::FileOpen, plain.m_nShellCommand);
    EXPECT_TRUE(plain.m_bShowSplash);
    CCommandLineInfo embedded;
    app.SetCommandLine("/Embedding");
    app.ParseCommandLine(embedded);
    EXPECT_FALSE(embedded.m_bShowSplash);
}

namespace
{
class CStartApp : public TestApp
{
public:
    bool startOk = true;
    std::vector<std::string> steps;
    BOOL InitInstance() override
    {
        steps.push_back("init");
        if (!startOk)
            return FALSE;
        ::PostQuitMessage(9);
        return TRUE;
    }
    int ExitInstance() override
    {
        steps.push_back("exit");
        return CWinApp::ExitInstance();
    }
};
} // namespace

TEST(App, RunApplicationInitialisesRunsAndExits)
{
    {
        CStartApp app;
        EXPECT_EQ(9, fw::RunApplication(&app, nullptr, "", SW_HIDE));
        EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.steps);
        EXPECT_EQ(SW_HIDE, app.m_nCmdShow);
    }
    {
        CStartApp app;
        app.startOk = false;
        fw::RunApplication(&app, nullptr, "", SW_SHOW);
        EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.steps);
    }
}

TEST(App, WaitCursorIsCounted)
{
    TestApp app;
    const HCURSOR before = ::GetCursor();
    {
        CWaitCursor outer;
        CWaitCursor inner;
        EXPECT_EQ(2, app.m_nWaitCursorCount);
        EXPECT_EQ(::LoadCursorA(nullptr, IDC_WAIT), ::GetCursor());
    }
    EXPECT_EQ(0, app.m_nWaitCursorCount);
    app.DoWaitCursor(-1);
    EXPECT_EQ(0, app.m_nWaitCursorCount) << "no count below zero";
    (void)before;
}
