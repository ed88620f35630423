// The model file named on the command line at start-up: opened in a new project with its default
// displacement result, or else its first nodal result, shown as a contour; a name that is not
// found opens nothing and says nothing; the frame answers while the file is read.
#include "app/FilePaths.h"
#include "app/ModelFileRead.h"
#include "core/model/ResultId.h"
#include "core/services/StringFile.h"
#include "platform/base/exception.h"
#include "platform/test/pump.h"
#include "platform/win/glpresent.h"
#include "platform/win/platform_ids.h"
#include "project/ProjectData.h"
#include "resources/ids/app_ids.h"
#include "tests/app/ProjectAppFixture.h"
#include "tests/app/ScreenInk.h"
#include "tests/app/WideText.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <commctrl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace
{
class StartUpFile : public ProjectAppFixture
{
protected:
    void Start(const std::string& commandLine)
    {
        m_commandLine = commandLine;
        ProjectAppFixture::SetUp();
    }
    void SetUp() override {}

    // The key of the result the second view shows as its contour.
    uint32_t ShownKey()
    {
        CCAEView* shown = View(2);
        if (shown == nullptr || shown->Renderer().ContourResultId() == -1)
            return 0;
        return ResultIdKey(static_cast<uint32_t>(shown->Renderer().ContourResultId()));
    }

    uint32_t KeyOfTitle(const char* title)
    {
        for (const auto& [id, result] : fw::Assocs(Project()->m_model.GetResults()))
        {
            if (result != nullptr && result->GetTitle() == title)
                return ResultIdKey(result->m_id);
        }
        return 0;
    }
};

// The demo model without its displacement datasets: a temperature and an element result.
std::string DemoWithoutDisplacements(const std::string& demo)
{
    std::ifstream in(demo, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string kept;
    std::string dataset;
    std::istringstream lines(text.str());
    bool inside = false;
    for (std::string line; std::getline(lines, line);)
    {
        dataset += line + "\n";
        if (line != "    -1")
            continue;
        if (inside && dataset.find("Displacement") == std::string::npos)
            kept += dataset;
        inside = !inside;
        if (!inside)
            dataset.clear();
    }
    return kept;
}
} // namespace

TEST_F(StartUpFile, TheDemoModelOpensWithAContour)
{
    Start("/Automation \"" + m_demoModel + "\"");
    ASSERT_NE(nullptr, Project());
    EXPECT_GT(Project()->m_model.GetElementCount(), 0);
    EXPECT_EQ(Project()->m_name, ItemText(Tree().GetChildItem(TVI_ROOT)).c_str());
    // The result opens in a view of its own, as from the tree, above the model's first view.
    ASSERT_NE(nullptr, View(1));
    CCAEView* shown = View(2);
    ASSERT_NE(nullptr, shown);
    EXPECT_NE(-1, shown->Renderer().ContourResultId());
    EXPECT_GE(ShownBands(shown).size(), 3u);
    // The default displacement, though the temperature comes first in the tree.
    const int displacement = Project()->m_model.GetDefaultDisplacementId();
    ASSERT_NE(-1, displacement);
    EXPECT_EQ(ResultIdKey(static_cast<uint32_t>(displacement)), ShownKey());
}

TEST_F(StartUpFile, AModelWithoutDisplacementsShowsItsFirstNodalResult)
{
    const std::string model = (fs::temp_directory_path() / "startup_no_displacement.unv").string();
    std::ofstream(model, std::ios::binary) << DemoWithoutDisplacements(m_demoModel);
    Start("/Automation \"" + model + "\"");
    fs::remove(model);
    ASSERT_NE(nullptr, Project());
    EXPECT_EQ(-1, Project()->m_model.GetDefaultDisplacementId());
    ASSERT_NE(0u, KeyOfTitle("Temperature"));
    EXPECT_EQ(KeyOfTitle("Temperature"), ShownKey());
}

TEST_F(StartUpFile, ANameThatIsNotFoundOpensNothing)
{
    // The last parameter is the file: a flag after the model's name hides it.
    for (const std::string& commandLine :
         {"/Automation \"" + m_demoModel + ".missing\"", "\"" + m_demoModel + "\" /x"})
    {
        SCOPED_TRACE(commandLine);
        Start(commandLine);
        EXPECT_EQ(nullptr, Project());
        EXPECT_TRUE(Items().empty());
        EXPECT_TRUE((*m_services)->messageBoxes.empty());
        ProjectAppFixture::TearDown();
    }
}

// A model in a folder whose name the code page cannot carry reaches the ANSI command line with
// '?' in place of those characters: the user is told, in the program's language, that the file
// cannot be opened, named as the wide command line gives it; a name the code page carries opens.
TEST_F(StartUpFile, AFileTheCodePageCannotCarryIsNamedAsTheWideLineGivesIt)
{
    const fs::path folder = fs::temp_directory_path() / L"\u7D50\u679C \u30D5\u30A9\u30EB\u30C0";
    const std::wstring model =
        (folder / L"\u30E2\u30C7\u30EB \u30D5\u30A1\u30A4\u30EB.unv").wstring();
    if (Widen(Narrow(model, CP_ACP), CP_ACP) == model)
        GTEST_SKIP() << "the code page carries the name";
    fs::create_directories(folder);
    fs::copy_file(m_demoModel, model, fs::copy_options::overwrite_existing);
    const struct
    {
        const char* ini;
        const char* suffix;
        UINT codePage; // of the string files' texts
    } languages[] = {{kLanguageCases[0].ini, "_ENG", CP_ACP}, {kLanguageCases[1].ini, "_JPN", 932}};
    for (const auto& language : languages)
    {
        SCOPED_TRACE(language.suffix);
        const std::wstring wideLine = L"/Automation \"" + model + L"\"";
        m_wideCommandLine = wideLine;
        ASSERT_TRUE(StartUp(language.ini, Narrow(wideLine, CP_ACP).c_str()));
        std::string text;
        LoadStringWithSuffix("Message.str", "Error", "NotFound", language.suffix, &text);
        std::wstring expected = Widen(text, language.codePage);
        ASSERT_NE(std::wstring::npos, expected.find(L"%s"));
        expected.replace(expected.find(L"%s"), 2, model);

        EXPECT_EQ(nullptr, Project());
        const auto& boxes = (*m_services)->messageBoxes;
        ASSERT_EQ(1u, boxes.size());
        EXPECT_TRUE(boxes[0].isWide);
        EXPECT_EQ(Narrow(expected, CP_UTF8), boxes[0].text);
        ProjectAppFixture::TearDown();
    }

    // The same model under a name the code page carries opens without a word.
    const std::string carried = (fs::temp_directory_path() / "startup_carried.unv").string();
    fs::copy_file(m_demoModel, carried, fs::copy_options::overwrite_existing);
    m_wideCommandLine = Widen("/Automation \"" + carried + "\"", CP_ACP);
    Start("/Automation \"" + carried + "\"");
    EXPECT_NE(nullptr, Project());
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
    fs::remove(carried);
    fs::remove_all(folder);
}

TEST_F(StartUpFile, AModelWithoutResultsShowsInItsFirstView)
{
    const std::string deck = (fs::temp_directory_path() / "startup_plate.dat").string();
    std::ofstream(deck, std::ios::binary) << kPlateDeck;
    Start("/Automation \"" + deck + "\"");
    fs::remove(deck);
    ASSERT_NE(nullptr, Project());
    CCAEView* view = View(1);
    ASSERT_NE(nullptr, view);
    if (!fw::PresentsThroughCopy())
        GTEST_SKIP() << "the last frame shown is kept only where it is copied";
    fw::test::Pump();
    // What the screen shows: the last frame the view presented, with the model fitted in it.
    const fw::CFrameCopyWnd* shown = fw::CFrameCopyWnd::Find(view->m_hWnd);
    ASSERT_NE(nullptr, shown);
    const fw::Dib32& picture = shown->GetPicture();
    ASSERT_NE(nullptr, picture.GetBits());
    const COLORREF background = Project()->m_settings.m_backgroundColor;
    int drawn = 0;
    for (int i = 0; i < picture.GetWidth() * picture.GetHeight(); ++i)
    {
        const unsigned char* bgr = picture.GetBits() + static_cast<size_t>(i) * 4;
        drawn += bgr[2] != GetRValue(background) || bgr[1] != GetGValue(background) ||
                 bgr[0] != GetBValue(background);
    }
    // The outline of a plate fitted to the view, more than the two triads alone.
    EXPECT_GT(drawn, 2 * (picture.GetWidth() + picture.GetHeight()));
}

// Behind the result's view the model's first view is not painted, so its lists wait; activated,
// it compiles them and the screen shows the model.
TEST_F(StartUpFile, TheCoveredModelViewBuildsItsListsWhenItShows)
{
    Start("/Automation \"" + m_demoModel + "\"");
    CCAEView* model = View(1);
    CCAEView* result = View(2);
    ASSERT_NE(nullptr, model);
    ASSERT_NE(nullptr, result);
    fw::test::Pump();
    EXPECT_TRUE(model->Renderer().IsRenderAllPending());
    EXPECT_FALSE(result->Renderer().IsRenderAllPending());

    MainFrame()->MDIActivate(model->GetParent());
    fw::test::Pump();
    EXPECT_FALSE(model->Renderer().IsRenderAllPending());
    if (!fw::PresentsThroughCopy())
        GTEST_SKIP() << "the last frame shown is kept only where it is copied";
    const fw::CFrameCopyWnd* shown = fw::CFrameCopyWnd::Find(model->m_hWnd);
    ASSERT_NE(nullptr, shown);
    const fw::Dib32& picture = shown->GetPicture();
    ASSERT_NE(nullptr, picture.GetBits());
    const COLORREF background = Project()->m_settings.m_backgroundColor;
    int drawn = 0;
    for (int i = 0; i < picture.GetWidth() * picture.GetHeight(); ++i)
    {
        const unsigned char* bgr = picture.GetBits() + static_cast<size_t>(i) * 4;
        drawn += bgr[2] != GetRValue(background) || bgr[1] != GetGValue(background) ||
                 bgr[0] != GetBValue(background);
    }
    // The demo model's faces, far more than the two triads.
    EXPECT_GT(drawn, picture.GetWidth() * picture.GetHeight() / 20);
}

namespace
{
// What a user sees of a project opened on a model file, and what it keeps.
struct OpenedProject
{
    std::vector<std::string> tree;
    std::vector<std::string> output;
    std::vector<std::string> inputFiles;
    int modelSource = 0;
    int elements = 0;
    std::vector<std::string> folders; // "FileIOPaths" of the INI
    std::vector<int> views;

    bool operator==(const OpenedProject& other) const
    {
        return tree == other.tree && output == other.output && inputFiles == other.inputFiles &&
               modelSource == other.modelSource && elements == other.elements &&
               folders == other.folders && views == other.views;
    }
};

void PrintTo(const OpenedProject& p, std::ostream* out)
{
    *out << "source " << p.modelSource << ", " << p.elements << " elements, views";
    for (int view : p.views)
        *out << " " << view;
    for (const auto& [name, lines] : {std::pair{"tree", &p.tree},
                                      {"output", &p.output},
                                      {"inputs", &p.inputFiles},
                                      {"folders", &p.folders}})
    {
        *out << "\n  " << name << ":";
        for (const std::string& line : *lines)
            *out << " [" << line << "]";
    }
}

class StartUpRead : public StartUpFile
{
protected:
    OpenedProject Opened()
    {
        fw::test::Pump();
        OpenedProject opened;
        for (HTREEITEM item : Items())
            opened.tree.push_back(ItemText(item));
        opened.output = OutputLines();
        if (CProjectData* project = Project())
        {
            for (int i = 0; i < project->m_settings.m_inputFileCount; ++i)
                opened.inputFiles.push_back(project->m_settings.m_inputFiles[i].GetString());
            opened.modelSource = project->m_settings.m_modelSource;
            opened.elements = project->m_model.GetElementCount();
        }
        for (const char* key : {"UNV", "DAT", "OP2"})
            opened.folders.push_back(IniValue("FileIOPaths", key));
        for (int id = 1; id <= 3; ++id)
            opened.views.push_back(View(id) != nullptr ? View(id)->Renderer().ContourResultId()
                                                       : -2);
        return opened;
    }
};
} // namespace

// The command line's file is read while the main window is made: the project, its tree, its
// messages in their order, its input files and stored folders are those of the same file opened
// once the window is there, for every kind of file, read or refused.
TEST_F(StartUpRead, GivesTheProjectOfTheSameFileOpenedAfterTheStart)
{
    const fs::path folder = fs::temp_directory_path() / "startup_read";
    fs::create_directories(folder);
    const auto write = [&folder](const char* name, const std::string& text)
    {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    };
    const std::string files[] = {
        m_demoModel,
        write("plate.dat", kPlateDeck),
        write("broken.op2", std::string(64, '\x7f')),
        write("broken.unv", "    -1\n  2411\nnot a node\n    -1\n"),
        write("notes.txt", "not a model"),
    };
    for (const std::string& file : files)
    {
        SCOPED_TRACE(file);
        Start("/Automation \"" + file + "\"");
        const OpenedProject atStart = Opened();
        ProjectAppFixture::TearDown();

        Start("/Automation");
        MainFrame()->OpenStartUpFile(CString(file));
        const OpenedProject afterStart = Opened();
        ProjectAppFixture::TearDown();

        EXPECT_EQ(afterStart, atStart);
        EXPECT_FALSE(atStart.tree.empty());
    }
    fs::remove_all(folder);
}

namespace
{
// The files of the scratch log folder, one after the other.
std::string LogText(const CAppFolders& folders)
{
    std::string log;
    for (const auto& entry : fs::directory_iterator(folders.Path("log")))
    {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        log += text.str();
    }
    return log;
}

struct ThrowCase
{
    const char* what;
    std::function<void()> raise;
    const char* logged; // part of the log's line
};
} // namespace

// A read that throws instead of returning (out of memory, a framework exception, any other) is
// a read that failed: the frame stays open on an empty project, the output log and the log file
// say so, and nothing of the file is kept.
TEST_F(StartUpRead, AReadThatThrowsIsToldAndTheFrameStaysOpen)
{
    const ThrowCase cases[] = {
        {"out of memory", [] { throw std::bad_alloc(); }, "std::bad_alloc"},
        {"framework", [] { fw::ThrowMemoryException(); }, "Out of memory."},
        {"other", [] { throw std::runtime_error("no more cards"); }, "no more cards"},
    };
    for (const ThrowCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        // Half the model read, then the throw.
        m_startUpReader =
            [&c](CProjectData& project, ModelFileKind kind, const CString& path, COutputSink& sink)
        {
            ReadModelFile(project, kind, path, sink, ChooseAllOp2Results);
            c.raise();
            return CModelFileRead();
        };
        Start("/Automation \"" + m_demoModel + "\"");
        ASSERT_NE(nullptr, MainFrame());
        EXPECT_TRUE(::IsWindowVisible(MainFrame()->m_hWnd));
        std::string failed;
        LoadStringFromFile("Message.str", "Error", "ReadFailed", &failed);
        ASSERT_FALSE(failed.empty());
        const std::vector<std::string> lines = OutputLines();
        const std::string told = failed + " " + FullPathOf(CString(m_demoModel.c_str())).Str();
        EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), told)) << told;
        ASSERT_NE(nullptr, Project());
        EXPECT_EQ(0, Project()->m_model.GetElementCount());
        EXPECT_EQ(0, Project()->m_settings.m_inputFileCount);
        const std::string log = LogText(*m_folders);
        EXPECT_NE(std::string::npos, log.find(std::string("exception: ") + c.logged)) << log;
        ProjectAppFixture::TearDown();
    }
}

namespace
{
// A reader held until the test lets it go or the main window is gone from the screen (at most
// 5 s), then the program's own: a slow read at the start.
class CHeldReader
{
public:
    CStartUpRead::Reader Reader()
    {
        return [this](CProjectData& project, ModelFileKind kind, const CString& path,
                      COutputSink& sink)
        {
            for (int waited = 0; waited < 5000 && !m_isLetGo; waited += 10)
            {
                const HWND main = m_main;
                if (main != nullptr && !::IsWindowVisible(main))
                {
                    m_wasMainGone = true;
                    break;
                }
                ::Sleep(10);
            }
            const CModelFileRead read =
                ReadModelFile(project, kind, path, sink, ChooseAllOp2Results);
            m_hasEnded = true;
            return read;
        };
    }
    void Watch(HWND main) { m_main = main; }
    void LetGo() { m_isLetGo = true; }
    bool HasEnded() const { return m_hasEnded; }
    bool WasMainGone() const { return m_wasMainGone; }

private:
    std::atomic<HWND> m_main{nullptr};
    std::atomic<bool> m_isLetGo{false};
    std::atomic<bool> m_hasEnded{false};
    std::atomic<bool> m_wasMainGone{false};
};

// Is the button of the command on a toolbar of the frame enabled, as the screen shows it?
bool IsButtonEnabled(CMainFrame& frame, UINT command)
{
    for (int slot = 0; slot < CMainFrame::kToolBarCount; ++slot)
    {
        const HWND bar = frame.GetToolBar(static_cast<CMainFrame::ToolBarSlot>(slot)).m_hWnd;
        if (::SendMessageA(bar, TB_COMMANDTOINDEX, command, 0) >= 0)
            return ::SendMessageA(bar, TB_ISBUTTONENABLED, command, 0) != 0;
    }
    ADD_FAILURE() << "no button for command " << command;
    return false;
}

// The dark pixels the screen shows of a window.
int ScreenInkOf(HWND hwnd)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    const HDC screen = ::GetDC(nullptr);
    const std::vector<bool> ink =
        ReadDarkPixels(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    ::ReleaseDC(nullptr, screen);
    return static_cast<int>(std::count(ink.begin(), ink.end(), true));
}

class SlowStartUpRead : public StartUpRead
{
protected:
    // Starts on the demo model with the held reader; true while the read still runs.
    bool StartHeld()
    {
        m_startUpReader = m_reader.Reader();
        m_waitsForStartUpRead = false;
        Start("/Automation \"" + m_demoModel + "\"");
        if (MainFrame() != nullptr)
            m_reader.Watch(MainFrame()->m_hWnd);
        return !m_reader.HasEnded();
    }
    void TearDown() override
    {
        m_reader.LetGo();
        StartUpRead::TearDown();
    }

    CHeldReader m_reader;
};
} // namespace

// While the start-up file is read the frame is painted and answers: its menus and buttons are
// greyed and refused, the cursor waits and the output log says which file is read. Then the
// project opens as it would have.
TEST_F(SlowStartUpRead, TheFrameAnswersWhileTheReadRunsThenOpensTheProject)
{
    ASSERT_TRUE(StartHeld()) << "the start waited for the read";
    CMainFrame& frame = *MainFrame();
    ASSERT_TRUE(frame.IsReadingStartUpFile());
    EXPECT_EQ(nullptr, Project());

    // Painted: the menu bar shows its texts on the screen.
    ::SetForegroundWindow(frame.m_hWnd);
    fw::test::Pump();
    ASSERT_NE(nullptr, frame.GetMenuBar());
    EXPECT_GT(ScreenInkOf(frame.GetMenuBar()->m_hWnd), 50);
    std::string reading;
    LoadStringFromFile("message.str", "MsgPane", "ReadFile", &reading);
    const std::vector<std::string> lines = OutputLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(reading + " demo.unv", lines.back());

    for (const UINT command : {ID_PROJECT_NEW, ID_PROJECT_OPEN})
    {
        EXPECT_FALSE(IsButtonEnabled(frame, command)) << command;
        EXPECT_FALSE(IsEnabled(command)) << command;
    }
    fw::test::CancelEveryDialog(true);
    Command(ID_PROJECT_NEW);
    fw::test::CancelEveryDialog(false);
    EXPECT_TRUE(fw::test::CancelledDialogs().empty()) << "a command ran during the read";

    const HWND client = ::FindWindowExA(frame.m_hWnd, nullptr, "MDIClient", nullptr);
    ::SendMessageA(client, WM_SETCURSOR, reinterpret_cast<WPARAM>(client),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_WAIT), ::GetCursor());

    m_reader.LetGo();
    ASSERT_TRUE(fw::test::WaitFor([&] { return !frame.IsReadingStartUpFile(); }, 20000));
    fw::test::Pump();
    ASSERT_NE(nullptr, Project());
    EXPECT_GT(Project()->m_model.GetElementCount(), 0);
    ASSERT_NE(nullptr, View(2)) << "the start-up result is shown";
    EXPECT_NE(-1, View(2)->Renderer().ContourResultId());
    EXPECT_TRUE(IsButtonEnabled(frame, ID_PROJECT_OPEN));
    ::SendMessageA(client, WM_SETCURSOR, reinterpret_cast<WPARAM>(client),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::LoadCursorA(nullptr, IDC_WAIT), ::GetCursor());
}

// A close asked while the start-up file is read is honoured at once: the window goes before
// the read has ended, and the program does not hang on it.
TEST_F(SlowStartUpRead, ACloseDuringTheReadEndsTheFrameAtOnce)
{
    ASSERT_TRUE(StartHeld()) << "the start waited for the read";
    EXPECT_TRUE(CloseMainFrame());
    ASSERT_TRUE(fw::test::WaitFor([this] { return m_reader.HasEnded(); }, 20000));
    EXPECT_TRUE(m_reader.WasMainGone()) << "the window stayed until the read ended";
}
