// The model file named on the command line at start-up: opened in a new project with its default
// displacement result, or else its first nodal result, shown as a contour; a name that is not
// found opens nothing and says nothing.
#include "core/model/ResultId.h"
#include "platform/test/pump.h"
#include "platform/win/glpresent.h"
#include "project/ProjectData.h"
#include "tests/app/ProjectAppFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

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
