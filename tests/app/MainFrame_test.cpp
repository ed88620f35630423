// The main frame as start-up makes it: eleven toolbars in two rows with the load-case combo,
// the status bar; the load-case list of a result, the id sort, the default results, views
// made for a project and settings applied to them.
#include "app/ChildFrame.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/services/StringFile.h"
#include "platform/docview/doc.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/ids/app_ids.h"
#include "resources/ids/view_ids.h"
#include "tests/app/AppFixture.h"
#include "view/CAEView.h"

#include <windows.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace
{
class MainFrameWindow : public AppFixture
{
protected:
    CRect BarRect(CMainFrame::ToolBarSlot slot)
    {
        CRect rect;
        MainFrame()->GetToolBar(slot).GetWindowRect(&rect);
        MainFrame()->ScreenToClient(&rect);
        return rect;
    }

    // A result of three load-case slots: cases 1 and 2, only case 1 loaded.
    static UINT AddSteppedResult(CModelSet& model, int stepKind, bool secondLoaded)
    {
        const UINT typeBits = 5u << 23;
        UINT first = 0;
        for (double value : {1.0, 2.0})
        {
            const UINT index = model.AddLoadCaseValue(7, typeBits, value);
            auto* result = new CResultData;
            result->m_id = MakeLoadCaseKey(7, typeBits, index);
            result->m_flags = stepKind;
            result->m_loaded =
                index == 1 || secondLoaded ? CResultData::kLoaded : CResultData::kNotLoaded;
            model.AddResult(result);
            if (index == 1)
                first = result->m_id;
        }
        return first;
    }

    std::vector<std::pair<std::string, DWORD_PTR>> ComboEntries()
    {
        CComboBox& combo = MainFrame()->GetLoadCaseCombo();
        std::vector<std::pair<std::string, DWORD_PTR>> entries;
        for (int i = 0; i < combo.GetCount(); ++i)
        {
            CString text;
            combo.GetLBText(i, text);
            entries.emplace_back(text.GetString(), combo.GetItemData(i));
        }
        return entries;
    }
};
} // namespace

TEST_F(MainFrameWindow, ElevenToolbarsInTwoRowsWithTheComboDisabledAndTheStatusBar)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CMainFrame* frame = MainFrame();
    ASSERT_NE(nullptr, frame);
    const CMainFrame::ToolBarSlot firstRow[] = {
        CMainFrame::kStandardBar,      CMainFrame::kWorkSpaceBar,    CMainFrame::kDirectionBar,
        CMainFrame::kTriadPositionBar, CMainFrame::kViewSettingsBar, CMainFrame::kViewModeBar};
    const CMainFrame::ToolBarSlot secondRow[] = {
        CMainFrame::kSelectionBar, CMainFrame::kSelectionModeBar, CMainFrame::kSelectionFilterBar,
        CMainFrame::kDisplayFilterBar, CMainFrame::kAnimationBar};
    for (const auto* row : {firstRow, secondRow})
    {
        const size_t count = row == firstRow ? 6 : 5;
        for (size_t i = 0; i < count; ++i)
        {
            SCOPED_TRACE(row[i]);
            const CRect rect = BarRect(row[i]);
            EXPECT_TRUE(frame->GetToolBar(row[i]).IsWindowVisible());
            EXPECT_EQ(BarRect(row[0]).top, rect.top);
            if (i > 0)
            {
                EXPECT_GE(rect.left, BarRect(row[i - 1]).right - 2);
            }
        }
    }
    EXPECT_GE(BarRect(CMainFrame::kSelectionBar).top, BarRect(CMainFrame::kStandardBar).bottom - 2);
    // The menu bar has the row above them, with the frame's menu on it.
    ASSERT_NE(nullptr, frame->GetMenuBar());
    CRect menuBar;
    frame->GetMenuBar()->GetWindowRect(&menuBar);
    frame->ScreenToClient(&menuBar);
    EXPECT_TRUE(frame->GetMenuBar()->IsWindowVisible());
    EXPECT_LE(menuBar.bottom, BarRect(CMainFrame::kStandardBar).top + 2);
    EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));
    EXPECT_EQ(4, ::GetMenuItemCount(frame->GetFrameMenu()));
    EXPECT_EQ(BarRect(CMainFrame::kStandardBar).left, BarRect(CMainFrame::kSelectionBar).left);

    char title[64] = {};
    ::GetWindowTextA(frame->GetToolBar(CMainFrame::kTriadPositionBar).m_hWnd, title, sizeof title);
    EXPECT_STREQ("Triad Postion", title);
    EXPECT_EQ(
        static_cast<UINT>(IDW_TOOLBAR_ANIMATION),
        static_cast<UINT>(::GetDlgCtrlID(frame->GetToolBar(CMainFrame::kAnimationBar).m_hWnd)));

    CComboBox& combo = frame->GetLoadCaseCombo();
    ASSERT_NE(nullptr, combo.m_hWnd);
    EXPECT_FALSE(combo.IsWindowEnabled());
    EXPECT_EQ(frame->GetToolBar(CMainFrame::kAnimationBar).m_hWnd, ::GetParent(combo.m_hWnd));
    EXPECT_EQ(ID_LOADCASE_COMBO, ::GetDlgCtrlID(combo.m_hWnd));
    CRect comboRect;
    combo.GetWindowRect(&comboRect);
    EXPECT_EQ(121, comboRect.Width());

    EXPECT_EQ(4, frame->GetStatusBar().GetCount());
    CRect client;
    frame->GetClientRect(&client);
    CRect status;
    frame->GetStatusBar().GetWindowRect(&status);
    frame->ScreenToClient(&status);
    EXPECT_EQ(client.bottom, status.bottom);
    // Every view toolbar starts shown.
    for (UINT command : {ID_TOOLBAR_ANIMATION, ID_TOOLBAR_SELECTION, ID_TOOLBAR_VIEW_MODE})
    {
        ASSERT_NE(nullptr, frame->GetBarShownFlag(command));
        EXPECT_EQ(1, *frame->GetBarShownFlag(command));
        EXPECT_TRUE(frame->IsBarVisible(command));
    }
    frame->ShowBar(ID_TOOLBAR_ANIMATION, FALSE);
    EXPECT_FALSE(frame->IsBarVisible(ID_TOOLBAR_ANIMATION));
    EXPECT_EQ(nullptr, frame->GetBarShownFlag(0x7777));
}

TEST_F(MainFrameWindow, LoadCaseComboListsTheLoadedCasesWithTheirIds)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    struct Case
    {
        int stepKind;
        const char* key; // null: no label
    };
    const Case cases[] = {{0x18, "Step"}, {0x08, "LoadCase"}, {0x10, "Mode"}, {0, nullptr}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.stepKind);
        CModelSet model;
        const UINT id = AddSteppedResult(model, c.stepKind, false);
        MainFrame()->FillLoadCaseCombo(&model, static_cast<int>(id));
        std::string label;
        if (c.key != nullptr)
            LoadStringFromFile("standard.str", "CaseCombo", c.key, &label);
        const auto entries = ComboEntries();
        ASSERT_EQ(1u, entries.size());
        EXPECT_EQ(label + " 1", entries[0].first);
        EXPECT_EQ(id, entries[0].second);
        EXPECT_EQ(0, MainFrame()->GetLoadCaseCombo().GetCurSel());
    }
    // An unknown id leaves it empty; no project leaves it empty too.
    CModelSet model;
    MainFrame()->FillLoadCaseCombo(&model, 12345);
    EXPECT_TRUE(ComboEntries().empty());
    MainFrame()->FillLoadCaseCombo(12345);
    EXPECT_TRUE(ComboEntries().empty());
}

TEST_F(MainFrameWindow, SelectingAnIdNoEntryCarriesKeepsTheSelection)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CModelSet model;
    const UINT first = AddSteppedResult(model, 0x18, true);
    MainFrame()->FillLoadCaseCombo(&model, static_cast<int>(first));
    const auto entries = ComboEntries();
    ASSERT_EQ(2u, entries.size());
    MainFrame()->SelectLoadCaseCombo(static_cast<int>(entries[1].second));
    EXPECT_EQ(1, MainFrame()->GetLoadCaseCombo().GetCurSel());
    MainFrame()->SelectLoadCaseCombo(999);
    EXPECT_EQ(1, MainFrame()->GetLoadCaseCombo().GetCurSel());
    int selected = 0;
    ASSERT_TRUE(MainFrame()->GetSelectedLoadCase(selected));
    EXPECT_EQ(static_cast<int>(entries[1].second), selected);
}

TEST(MainFrameSort, QuickSortOrdersTheRangeAscending)
{
    struct Case
    {
        std::vector<int> values;
        int low;
        int high;
        std::vector<int> sorted;
    };
    const Case cases[] = {{{5, 1, 4, 1}, 0, 3, {1, 1, 4, 5}},
                          {{9, 3, 7, 2, 8}, 1, 3, {9, 2, 3, 7, 8}},
                          {{2, 2, 2}, 0, 2, {2, 2, 2}},
                          {{3, 2, 1, 0, -1}, 0, 4, {-1, 0, 1, 2, 3}},
                          {{4}, 0, 0, {4}}};
    for (const Case& c : cases)
    {
        std::vector<int> values = c.values;
        CMainFrame::QuickSort(values.data(), c.low, c.high);
        EXPECT_EQ(c.sorted, values);
    }
}

TEST(MainFrameSort, LongRangesInOrderOrReversedAreSorted)
{
    // Ids often arrive already in order or reversed: a sort that partitions round the first
    // value recurses once per value on these and overflows the stack.
    constexpr int kCount = 200000;
    std::vector<int> ascending(kCount);
    for (int i = 0; i < kCount; ++i)
        ascending[static_cast<size_t>(i)] = i + 1;
    std::vector<int> reversed(ascending.rbegin(), ascending.rend());
    CMainFrame::QuickSort(reversed.data(), 0, kCount - 1);
    EXPECT_EQ(ascending, reversed);
    std::vector<int> inOrder = ascending;
    CMainFrame::QuickSort(inOrder.data(), 0, kCount - 1);
    EXPECT_EQ(ascending, inOrder);
}

TEST_F(MainFrameWindow, DefaultResultsComeFromTheProductIni)
{
    ASSERT_TRUE(StartUp(std::string(kEnglishIni) +
                        "[DefaultResults]\r\nResult1=Displacement\r\nResult2=Stress\r\n"));
    EXPECT_TRUE(MainFrame()->IsDefaultResult("Displacement"));
    EXPECT_TRUE(MainFrame()->IsDefaultResult("Stress"));
    EXPECT_FALSE(MainFrame()->IsDefaultResult("Strain"));
    EXPECT_FALSE(MainFrame()->IsDefaultResult(""));
}

TEST_F(MainFrameWindow, ViewsOfAProjectCountFromOneAndTheFirstStaysOpen)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CMainFrame* frame = MainFrame();
    // Settings reach no view while none is open.
    frame->ApplySettingsToAllViews(TRUE);
    EXPECT_EQ(nullptr, frame->CreateMainView(""));

    auto* project = new CProjectData;
    project->m_name = "plate";
    frame->SetProject(project);
    CCAEView* first = frame->CreateMainView("");
    CCAEView* second = frame->CreateMainView("Stress");
    fw::test::Pump();
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(1, first->FrameKey());
    EXPECT_EQ(2, second->FrameKey());
    EXPECT_EQ(first, frame->GetFrameView(1));
    EXPECT_EQ(second, frame->GetFrameView(2));
    EXPECT_STREQ("plate", first->GetDocument()->GetTitle().GetString());

    frame->ApplySettingsToAllViews(FALSE);
    const HWND firstFrame = first->GetParentFrame()->m_hWnd;
    const HWND secondFrame = second->GetParentFrame()->m_hWnd;
    ::SendMessageA(firstFrame, WM_CLOSE, 0, 0);
    fw::test::Pump();
    EXPECT_TRUE(::IsWindow(firstFrame));
    ::SendMessageA(secondFrame, WM_CLOSE, 0, 0);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(secondFrame));
    EXPECT_EQ(nullptr, frame->GetFrameView(2));
    // Replacing the project takes its views along; a new project counts its views from 1.
    frame->SetProject(nullptr);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(firstFrame));
    EXPECT_EQ(0, frame->GetFrameCounter());
    EXPECT_EQ(0, frame->GetFrameMap().GetCount());
}

TEST_F(MainFrameWindow, ClosingWithoutAProjectAsksNothing)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    EXPECT_EQ(CMainFrame::kNoProject, MainFrame()->CloseProject());
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}

TEST_F(MainFrameWindow, CancellingTheSavePromptOnExitKeepsEverythingOpen)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CMainFrame* frame = MainFrame();
    auto* project = new CProjectData;
    project->m_name = "plate";
    frame->SetProject(project);
    ASSERT_NE(nullptr, frame->CreateMainView(""));
    fw::test::Pump();
    (*m_services)->messageBoxAnswers.push_back(IDCANCEL);
    ::SendMessageA(frame->m_hWnd, WM_CLOSE, 0, 0);
    fw::test::Pump();
    ASSERT_TRUE(::IsWindow(frame->m_hWnd));
    EXPECT_EQ(project, frame->GetProject());
    EXPECT_NE(nullptr, frame->GetFrameView(1));
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    EXPECT_TRUE((*m_services)->messageBoxes[0].type & MB_YESNOCANCEL);
    EXPECT_EQ("<missing>", IniValue("MRU", "MRU0")) << "nothing was stored";

    // Not saving closes the project, its views and the program.
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    EXPECT_TRUE(CloseMainFrame());
    EXPECT_EQ("", IniValue("MRU", "MRU0"));
}

TEST_F(MainFrameWindow, SavingUnderATypedNameDropsItsExtensionAndRecordsTheProject)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CMainFrame* frame = MainFrame();
    auto* project = new CProjectData;
    project->m_name = "plate";
    frame->SetProject(project);
    const std::string typed = m_folders->Path("ini") + "\\plate.v2.txt";
    (*m_services)->fileAnswers.push_back(typed);
    ASSERT_EQ(CMainFrame::kSaved, frame->DoSaveProject(false));
    const std::string saved = m_folders->Path("ini") + "\\plate.v2.mpj";
    EXPECT_EQ(saved, project->GetProjectFilePath());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES != ::GetFileAttributesA(saved.c_str()), true);
    EXPECT_EQ(saved, std::string(m_app->GetRecentProjects()[0].GetString()));
    EXPECT_EQ(m_folders->Path("ini") + "\\", IniValue("FileIOPaths", "MPJ"));

    // Save As asks again even with a folder; an existing file needs a yes.
    (*m_services)->fileAnswers.push_back(saved);
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    EXPECT_EQ(CMainFrame::kSaveCancelled, frame->DoSaveProject(true));
    EXPECT_EQ(2u, (*m_services)->fileDialogTitles.size());
    // A plain save of a project with a folder asks nothing.
    EXPECT_EQ(CMainFrame::kSaved, frame->DoSaveProject(false));
    EXPECT_EQ(2u, (*m_services)->fileDialogTitles.size());
    frame->SetProject(nullptr);
}

TEST_F(MainFrameWindow, ShowsTheTreesResultsWhileItLives)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CMainFrame* frame = MainFrame();
    EXPECT_EQ(static_cast<CResultShowHost*>(frame), GetResultShowHost());
    EXPECT_EQ(nullptr, frame->GetProjectModel());
    EXPECT_FALSE(frame->HasActiveView());
    auto* project = new CProjectData;
    frame->SetProject(project);
    EXPECT_EQ(&project->m_model, frame->GetProjectModel());
    ASSERT_NE(nullptr, frame->CreateMainView(""));
    fw::test::Pump();
    EXPECT_TRUE(frame->HasActiveView());
    frame->SetProject(nullptr);
    ASSERT_TRUE(CloseMainFrame());
    EXPECT_EQ(nullptr, GetResultShowHost());
}

TEST_F(MainFrameWindow, LayoutStoredAtShutDownComesBackAtTheNextStart)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    MainFrame()->ShowBar(ID_TOOLBAR_ANIMATION, FALSE);
    fw::test::Pump();
    ASSERT_TRUE(CloseMainFrame());
    const std::string layout = m_folders->Read("ini\\GRAVIK.cfg");
    ASSERT_GE(layout.size(), 8u);
    EXPECT_EQ(std::string("\xDC\xFE\x34\x12", 4), layout.substr(0, 4)) << "the layout's magic";

    // A second run in the same place finds the bar hidden.
    const std::string folder = m_folders->Path("bin");
    m_app.reset();
    m_app = std::make_unique<CTestWendraApp>(folder);
    m_app->m_hInstance = ::GetModuleHandleA(nullptr);
    m_app->SetCommandLine("/Automation");
    ASSERT_TRUE(m_app->InitInstance());
    fw::test::Pump();
    EXPECT_FALSE(MainFrame()->IsBarVisible(ID_TOOLBAR_ANIMATION));
    EXPECT_TRUE(MainFrame()->IsBarVisible(ID_TOOLBAR_SELECTION));
}

TEST_F(MainFrameWindow, BadOrUnwritableLayoutLeavesStartAndShutDownAlone)
{
    struct Case
    {
        const char* name;
        bool directory; // a folder where the file should be: it can be neither read nor written
    };
    for (const Case& c : {Case{"garbage", false}, Case{"folder", true}})
    {
        SCOPED_TRACE(c.name);
        CAppFolders folders("layout", kEnglishIni);
        const std::string path = folders.Path("ini\\GRAVIK.cfg");
        if (c.directory)
            ::CreateDirectoryA(path.c_str(), nullptr);
        else
        {
            FILE* file = std::fopen(path.c_str(), "wb");
            std::fputs("not a layout at all", file);
            std::fclose(file);
        }
        fw::test::ScopedServices services;
        CTestWendraApp app(folders.Path("bin"));
        app.m_hInstance = ::GetModuleHandleA(nullptr);
        app.SetCommandLine("/Automation");
        ASSERT_TRUE(app.InitInstance());
        fw::test::Pump();
        auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
        ASSERT_NE(nullptr, frame);
        EXPECT_TRUE(frame->IsBarVisible(ID_TOOLBAR_ANIMATION));
        const HWND hwnd = frame->m_hWnd;
        ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
        fw::test::Pump();
        EXPECT_FALSE(::IsWindow(hwnd)) << "shut-down completes";
        fw::test::DrainQuit();
        char mru[16] = {};
        EXPECT_EQ(0u, ::GetPrivateProfileStringA("MRU", "MRU0", "<missing>", mru, sizeof mru,
                                                 folders.Path("ini\\Gravik.ini").c_str()));
    }
}

TEST_F(MainFrameWindow, TreeBarOnTheLeftAFifthOfTheScreenAndTheOutputBarAtTheBottom)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CMainFrame* frame = MainFrame();
    CRect tree;
    frame->GetProjectTreeBar().GetWindowRect(&tree);
    frame->ScreenToClient(&tree);
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_NEAR(client.left, tree.left, 2); // sizeable bars overlap their dock bar's edge
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 5, tree.Width()); // 256 on a 1280 screen
    EXPECT_TRUE(frame->GetProjectTreeBar().IsWindowVisible());
    char title[32] = {};
    ::GetWindowTextA(frame->GetProjectTreeBar().m_hWnd, title, sizeof title);
    EXPECT_STREQ("Project Tree", title);

    CRect output;
    frame->GetOutputBar().GetWindowRect(&output);
    frame->ScreenToClient(&output);
    CRect status;
    frame->GetStatusBar().GetWindowRect(&status);
    frame->ScreenToClient(&status);
    EXPECT_NEAR(status.top, output.bottom, 2) << "the output bar sits on the status bar";
    EXPECT_EQ(client.bottom, status.bottom);
    ::GetWindowTextA(frame->GetOutputBar().m_hWnd, title, sizeof title);
    EXPECT_STREQ("OutPut", title);
}

TEST_F(MainFrameWindow, MessagesGoToTheOutputLogAndItsFile)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CMainFrame* frame = MainFrame();
    COXHistoryCtrl& history = frame->GetOutputBar().GetHistory();
    const int before = history.GetLineCount();
    frame->ShowMessage("Error", "Closeerr", "message.str");
    frame->ShowMessageWithArg("MsgPane", "Saveproject", "message.str", "C:\\p\\plate.mpj");
    frame->ShowMessage("MsgPane", "NoSuchKey", "message.str");
    frame->AddOutputLine("raw line");
    ASSERT_EQ(before + 4, history.GetLineCount());
    std::string text;
    LoadStringFromFile("message.str", "Error", "Closeerr", &text);
    EXPECT_EQ(text, history.GetLineText(before).GetString());
    text.clear();
    LoadStringFromFile("message.str", "MsgPane", "Saveproject", &text);
    // The text file drops the text's trailing blank; the line keeps the name apart.
    EXPECT_EQ(text + " C:\\p\\plate.mpj", history.GetLineText(before + 1).GetString());
    EXPECT_STREQ("", history.GetLineText(before + 2).GetString())
        << "a missing text: an empty line";
    EXPECT_STREQ("raw line", history.GetLineText(before + 3).GetString());
    // Every line also went to the log file in the program's folder.
    EXPECT_NE(std::string::npos, m_folders->Read("bin\\FileLog").find("raw line"));

    frame->SetStatusText("status words");
    EXPECT_STREQ("status words", frame->GetStatusBar().GetPaneText(0).GetString());
}
