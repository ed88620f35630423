// The project and file commands of the main frame under Wine, driven as a user would: New with
// an import file, Save As, Close, Open and the recent projects, the imports with their readers'
// messages, the exports, dropped files and which commands are enabled.
#include "core/services/OutputSink.h"
#include "core/services/StringFile.h"
#include "io/bulk/BulkImport.h"
#include "platform/test/dropdata.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"
#include "tests/support/UnixSide.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>
#include <thread>

namespace unv_sink
{
class CNullSink : public COutputSink
{
public:
    void AddOutputLine(const std::string&) override {}
};
} // namespace unv_sink

namespace
{
class ProjectCommands : public ProjectAppFixture
{
protected:
    // The entity switches under the geometry node, top to bottom.
    std::vector<HTREEITEM> Switches()
    {
        const HTREEITEM geometry = FindItem("Geometry");
        std::vector<HTREEITEM> items;
        for (HTREEITEM item = Tree().GetChildItem(geometry); item != nullptr;
             item = Tree().GetNextSiblingItem(item))
            items.push_back(item);
        return items;
    }

    static std::string MessageText(const char* section, const char* key)
    {
        std::string text;
        LoadStringFromFile("Message.str", section, key, &text);
        return text;
    }

    // The nodes of a universal file's dataset 2411: label to coordinates.
    static std::map<int, CPoint3D> ReadUnvNodes(std::istream& in)
    {
        std::map<int, CPoint3D> nodes;
        std::string line;
        bool inNodes = false;
        while (std::getline(in, line))
        {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line == "    -1")
            {
                if (inNodes)
                    break;
                if (std::getline(in, line) && line.find("2411") != std::string::npos)
                    inNodes = true;
                continue;
            }
            if (!inNodes)
                continue;
            std::string coordinates;
            std::getline(in, coordinates);
            std::replace(coordinates.begin(), coordinates.end(), 'D', 'E');
            std::istringstream record(line + " " + coordinates);
            int label = 0;
            int skip = 0;
            CPoint3D p;
            record >> label >> skip >> skip >> skip >> p.x >> p.y >> p.z;
            nodes[label] = p;
        }
        return nodes;
    }
};
} // namespace

TEST_F(ProjectCommands, NewWithAnImportFileMakesTheProjectItsViewAndItsTree)
{
    const std::string deck = WriteDataFile("plate.dat", kPlateDeck);
    NewProject("plate", deck);
    CProjectData* project = Project();
    ASSERT_NE(nullptr, project);
    EXPECT_STREQ("plate", project->m_name.GetString());
    EXPECT_EQ(m_dataFolder, project->m_folder.Str());
    EXPECT_EQ(6, project->m_model.GetNodeCount());
    EXPECT_EQ(2, project->m_model.GetElementCount());
    ASSERT_NE(nullptr, View(1));
    EXPECT_EQ(1, MainFrame()->GetFrameCounter());
    EXPECT_EQ(m_dataFolder + "\\", IniValue("FileIOPaths", "MPJ"));
    EXPECT_EQ(m_dataFolder + "\\", IniValue("FileIOPaths", "DAT"));

    // The red bold root, the geometry node with its six switches, the result heading.
    const HTREEITEM root = Tree().GetChildItem(TVI_ROOT);
    ASSERT_NE(nullptr, root);
    EXPECT_EQ("plate", ItemText(root));
    EXPECT_EQ(RGB(255, 0, 0), Tree().GetItemColor(root));
    EXPECT_EQ(static_cast<UINT>(TVIS_BOLD), Tree().GetItemState(root, TVIS_BOLD));
    EXPECT_EQ(0, ItemImage(root));
    std::vector<std::string> texts;
    for (HTREEITEM item : Switches())
        texts.push_back(ItemText(item));
    EXPECT_EQ(
        (std::vector<std::string>{"Mass", "Shell", "Solid", "Beam", "Elastic spring", "Grid"}),
        texts);
    EXPECT_NE(nullptr, FindItem("Results"));
    EXPECT_FALSE(IsEnabled(ID_IMPORT_UNV));
    EXPECT_TRUE(IsEnabled(ID_IMPORT_BULK_DATA));
    EXPECT_TRUE(IsEnabled(ID_PROJECT_SAVE));
    EXPECT_TRUE(IsEnabled(ID_EXPORT_ORIGINAL_UNV));
}

TEST_F(ProjectCommands, SaveAsWritesTheFileRecordsItAndRelabelsTheRoot)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, Project());
    (*m_services)->fileAnswers.push_back(DataPath("p.v2"));
    Command(ID_PROJECT_SAVE_AS);
    const std::string file = DataPath("p.mpj");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(file.c_str()));
    EXPECT_EQ(file, std::string(m_app->GetRecentProjects().Entries()[0].GetString()));
    EXPECT_EQ("p", ItemText(Tree().GetChildItem(TVI_ROOT)));
    EXPECT_EQ(m_dataFolder + "\\", IniValue("FileIOPaths", "MPJ"));

    // A blank project saved at its close onto a file that exists: No keeps the file, the
    // project and its view.
    // "p" was just saved: New closes it without a question.
    NewProject("ignored");
    ASSERT_NE(nullptr, Project());
    const std::string blank = WriteDataFile(Project()->m_name.Str() + ".mpj", "[Path]\r\n");
    (*m_services)->messageBoxAnswers.push_back(IDYES); // save before closing
    (*m_services)->fileAnswers.push_back(blank);
    (*m_services)->messageBoxAnswers.push_back(IDNO); // do not replace
    Command(ID_PROJECT_CLOSE);
    ASSERT_NE(nullptr, Project());
    EXPECT_NE(nullptr, View(1));
    EXPECT_NE(nullptr, Tree().GetChildItem(TVI_ROOT));
    std::ifstream in(blank, std::ios::binary);
    EXPECT_EQ("[Path]\r\n", std::string(std::istreambuf_iterator<char>(in), {}));
    const auto& boxes = (*m_services)->messageBoxes;
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_TRUE(boxes.back().type & MB_YESNO);
    EXPECT_EQ(MessageText("Confirm", "Projexist"), boxes.back().text);
}

// Under Wine a file made anew takes a mode that Wine works out from an access list: Save keeps
// the project file's own, and its owner's rights are nobody else's.
TEST_F(ProjectCommands, SaveKeepsTheProjectFilesModeUnderWine)
{
    const std::string file = DataPath("p.mpj");
    const std::string unixFile = testing_support::UnixName(file);
    if (unixFile.empty())
        GTEST_SKIP() << "not under Wine: there is no Unix mode to keep";
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, Project());
    (*m_services)->fileAnswers.push_back(file);
    Command(ID_PROJECT_SAVE_AS);
    const auto modeOf = [&]
    {
        std::string mode;
        testing_support::RunUnixShell("stat -c %A " + testing_support::ShellQuoted(unixFile),
                                      &mode);
        return mode;
    };
    for (const char* mode : {"644", "600"})
    {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(testing_support::RunUnixShell(
            std::string("chmod ") + mode + " " + testing_support::ShellQuoted(unixFile) +
            " && : >" + testing_support::ShellQuoted(unixFile)));
        const std::string before = modeOf();
        Command(ID_PROJECT_SAVE);
        EXPECT_EQ(before, modeOf());
        std::ifstream in(file, std::ios::binary);
        EXPECT_NE(std::string::npos,
                  std::string(std::istreambuf_iterator<char>(in), {}).find("[Path]"));
    }
    EXPECT_EQ("-rw-------\n", modeOf());
}

// At an end that cannot wait for a save, another thread keeps the project's unsaved changes
// while the window does not answer: nothing it asks may wait on the window. The copy is what a
// save writes, views included; the project file and the question at the close stay.
TEST_F(ProjectCommands, UnsavedChangesAreKeptBesideTheProjectWhileTheWindowDoesNotAnswer)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, Project());
    (*m_services)->fileAnswers.push_back(DataPath("p.mpj"));
    Command(ID_PROJECT_SAVE_AS);
    Project()->m_settings.m_triadPosition = 2;
    ASSERT_TRUE(Project()->HasUnsavedChanges());
    std::string saved;
    {
        std::ifstream in(DataPath("p.mpj"), std::ios::binary);
        saved.assign(std::istreambuf_iterator<char>(in), {});
    }

    std::promise<std::string> keeping;
    std::future<std::string> answer = keeping.get_future();
    std::thread keeper([frame = MainFrame(), &keeping]
                       { keeping.set_value(frame->KeepUnsavedProject()); });
    // This thread is the window's, and it does not answer meanwhile.
    const bool isKept = answer.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    if (!isKept)
    {
        keeper.detach();
        FAIL() << "keeping the project waited on the window";
    }
    keeper.join();
    const std::string keptFile = answer.get();

    EXPECT_EQ(DataPath("p (recovered).mpj"), keptFile);
    std::ifstream in(keptFile, std::ios::binary);
    const std::string kept(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(std::string::npos, kept.find("[ViewSettings1]")) << kept;
    EXPECT_NE(kept, saved);
    std::ifstream again(DataPath("p.mpj"), std::ios::binary);
    EXPECT_EQ(saved, std::string(std::istreambuf_iterator<char>(again), {}));
    EXPECT_TRUE(Project()->HasUnsavedChanges());
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}

// A project never saved, as a start on a model file makes it, has no folder of its own: its
// work is kept beside the model, not at the top of the drive.
TEST_F(ProjectCommands, UnsavedWorkOfAProjectNeverSavedIsKeptBesideItsModel)
{
    const std::string model = WriteDataFile("plate.dat", kPlateDeck);
    MainFrame()->OpenFileInNewProject("plate.dat", model.c_str());
    ASSERT_NE(nullptr, Project());
    ASSERT_TRUE(Project()->m_folder.IsEmpty());
    const std::string name = Project()->m_name.Str();

    const std::string keptFile = MainFrame()->KeepUnsavedProject();

    EXPECT_EQ(m_dataFolder + "\\" + name + " (recovered).mpj", keptFile);
    std::ifstream in(keptFile, std::ios::binary);
    const std::string kept(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(std::string::npos, kept.find("plate.dat")) << kept;
    in.close();
    std::remove(keptFile.c_str());
}

// A project made from an import file takes its name and folder from the New Project dialog:
// its first Save asks before it replaces another project file of that name, as Save As does.
TEST_F(ProjectCommands, TheFirstSaveOfANewProjectAsksBeforeReplacingAFileOfItsName)
{
    const std::string other = WriteDataFile("plate.mpj", "[Notes]\r\nkept=1\r\n");
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, Project());
    const auto& boxes = (*m_services)->messageBoxes;
    const auto read = [&other]
    {
        std::ifstream in(other, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };

    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Command(ID_PROJECT_SAVE);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(MessageText("Confirm", "Projexist"), boxes.back().text);
    EXPECT_TRUE(boxes.back().type & MB_YESNO);
    EXPECT_EQ("[Notes]\r\nkept=1\r\n", read());

    (*m_services)->messageBoxAnswers.push_back(IDYES);
    Command(ID_PROJECT_SAVE);
    EXPECT_EQ(0u, read().rfind("[Path]", 0)); // replaced, nothing of the other file kept
    EXPECT_EQ(std::string::npos, read().find("[Notes]"));

    // Its own file now: saved again without a question.
    const std::size_t asked = boxes.size();
    Command(ID_PROJECT_SAVE);
    EXPECT_EQ(asked, boxes.size());
}

TEST_F(ProjectCommands, CloseEmptiesTheTreeEvenForAProjectNamedLikeANodeAndViewsCountFromOne)
{
    NewProject("Geometry", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, MainFrame()->CreateMainView("second"));
    EXPECT_EQ(2, MainFrame()->GetFrameCounter());
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Command(ID_PROJECT_CLOSE);
    EXPECT_EQ(nullptr, Project());
    EXPECT_TRUE(Items().empty());
    EXPECT_EQ(0, MainFrame()->GetFrameCounter());
    EXPECT_EQ(0, MainFrame()->GetFrameMap().GetCount());
    EXPECT_FALSE(IsEnabled(ID_PROJECT_SAVE));
    EXPECT_FALSE(IsEnabled(ID_PROJECT_CLOSE));

    NewProject("again");
    ASSERT_NE(nullptr, View(1));
    EXPECT_EQ(1, MainFrame()->GetFrameCounter());
}

TEST_F(ProjectCommands, OpenTakesAnExistingProjectFileInAnyLetterCase)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    (*m_services)->fileAnswers.push_back(DataPath("plate.mpj"));
    Command(ID_PROJECT_SAVE_AS);
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Command(ID_PROJECT_CLOSE);
    ASSERT_EQ(nullptr, Project());

    // Cancelled, another extension, a file that is not there: no project.
    Command(ID_PROJECT_OPEN);
    EXPECT_EQ(MessageText("MsgPane", "ProjectOpenCancelled"), OutputLines().back());
    for (const std::string& wrong : {DataPath("plate.dat"), DataPath("gone.mpj")})
    {
        (*m_services)->fileAnswers.push_back(wrong);
        Command(ID_PROJECT_OPEN);
        EXPECT_EQ(nullptr, Project()) << wrong;
        EXPECT_EQ(MessageText("Error", "InvalidProjectFile"),
                  (*m_services)->messageBoxes.back().text);
    }

    (*m_services)->fileAnswers.push_back(DataPath("PLATE.MPJ"));
    Command(ID_PROJECT_OPEN);
    ASSERT_NE(nullptr, Project());
    EXPECT_EQ(6, Project()->m_model.GetNodeCount());
    ASSERT_NE(nullptr, View(1));
    EXPECT_EQ("PLATE", ItemText(Tree().GetChildItem(TVI_ROOT)));
    EXPECT_NE(nullptr, FindItem("Geometry"));
    EXPECT_EQ(MessageText("MsgPane", "Openproject"), OutputLines().back());
}

namespace
{
// The sections of a project file in the opposite order, each with its lines as they were.
std::string WithSectionsReversed(const std::string& text)
{
    std::vector<std::string> sections;
    std::size_t start = 0;
    while (start < text.size())
    {
        std::size_t next = text.find("\r\n[", start);
        next = next == std::string::npos ? text.size() : next + 2;
        sections.push_back(text.substr(start, next - start));
        start = next;
    }
    std::string reversed;
    for (auto it = sections.rbegin(); it != sections.rend(); ++it)
        reversed += *it;
    return reversed;
}
} // namespace

// Open, New and Close ask to save only after a change that a save would record: not just after
// a save or an open, whatever order the file holds its sections in, nor after an open of the
// project's own file.
TEST_F(ProjectCommands, TheSaveQuestionComesOnlyAfterAChange)
{
    const std::string question = MessageText("Confirm", "Save");
    const auto& boxes = (*m_services)->messageBoxes;
    const auto questions = [&]
    {
        return std::count_if(boxes.begin(), boxes.end(),
                             [&](const auto& box) { return box.text == question; });
    };
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, MainFrame()->CreateMainView("second"));
    const std::string file = DataPath("plate.mpj");
    (*m_services)->fileAnswers.push_back(file);
    Command(ID_PROJECT_SAVE_AS);

    Command(ID_PROJECT_CLOSE);
    EXPECT_EQ(nullptr, Project()) << "closed at once after Save As";
    EXPECT_EQ(0, questions());

    std::string text;
    {
        std::ifstream in(file, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_NE(std::string::npos, text.find("[ViewSettings2]"));
    std::ofstream(file, std::ios::binary) << WithSectionsReversed(text);
    for (int open = 0; open < 2; ++open) // the second Open closes the first
    {
        (*m_services)->fileAnswers.push_back(file);
        Command(ID_PROJECT_OPEN);
        ASSERT_NE(nullptr, Project());
        ASSERT_NE(nullptr, View(2));
    }
    EXPECT_EQ(0, questions()) << "Open after an open";

    // A change of a view's display mode is saved with the view: now Close asks.
    Command(ID_VIEW_WIREFRAME);
    Command(ID_VIEW_SHADING);
    (*m_services)->messageBoxAnswers.push_back(IDCANCEL);
    Command(ID_PROJECT_CLOSE);
    EXPECT_EQ(1, questions());
    ASSERT_NE(nullptr, Project()) << "Cancel keeps the project";
    (*m_services)->messageBoxAnswers.push_back(IDYES);
    Command(ID_PROJECT_CLOSE);
    EXPECT_EQ(2, questions());
    EXPECT_EQ(nullptr, Project());

    // Saved at the close: opened again, it closes without a question; a project never saved
    // asks.
    (*m_services)->fileAnswers.push_back(file);
    Command(ID_PROJECT_OPEN);
    ASSERT_NE(nullptr, Project());
    Command(ID_PROJECT_CLOSE);
    EXPECT_EQ(2, questions());
    NewProject("blank");
    ASSERT_NE(nullptr, Project());
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Command(ID_PROJECT_CLOSE);
    EXPECT_EQ(3, questions());
    EXPECT_EQ(nullptr, Project());
}

TEST_F(ProjectCommands, ARecentProjectThatIsGoneIsReportedAndOneThatExistsOpens)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    (*m_services)->fileAnswers.push_back(DataPath("plate.mpj"));
    Command(ID_PROJECT_SAVE_AS);
    m_app->AddToRecentProjects(DataPath("gone.mpj").c_str());
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Command(ID_RECENT_PROJECT_FIRST);
    EXPECT_EQ(nullptr, Project());
    const std::string gone = MessageText("Status", "ProjDoesNotExists");
    EXPECT_EQ(gone, (*m_services)->messageBoxes.back().text);
    EXPECT_TRUE((*m_services)->messageBoxes.back().type & MB_ICONWARNING);
    EXPECT_EQ(0u, OutputLines().back().rfind(gone, 0));

    Command(ID_RECENT_PROJECT_FIRST + 1); // plate.mpj, below the missing one
    ASSERT_NE(nullptr, Project());
    EXPECT_STREQ("plate", Project()->m_name.GetString());
    EXPECT_EQ(DataPath("plate.mpj"), std::string(m_app->GetRecentProjects().Entries()[0]));
}

TEST_F(ProjectCommands, DroppingReadsTheFirstModelFileOnlyAndIgnoresOtherFiles)
{
    const std::string plate = WriteDataFile("plate.dat", kPlateDeck);
    const std::string notes = WriteDataFile("notes.txt", "GRID is not read here\n");
    ::SendMessageA(MainFrame()->m_hWnd, WM_DROPFILES,
                   reinterpret_cast<WPARAM>(fw::test::MakeFileDrop({notes})), 0);
    fw::test::Pump();
    EXPECT_EQ(nullptr, Project());

    ::SendMessageA(
        MainFrame()->m_hWnd, WM_DROPFILES,
        reinterpret_cast<WPARAM>(fw::test::MakeFileDrop({plate, m_demoModel, DataPath("b.dat")})),
        0);
    fw::test::Pump();
    ASSERT_NE(nullptr, Project());
    EXPECT_EQ(6, Project()->m_model.GetNodeCount());
    EXPECT_EQ(1, Project()->m_settings.m_inputFileCount);
    EXPECT_EQ(plate, Project()->m_settings.m_inputFiles[0].Str());
    EXPECT_NE(nullptr, View(1));
    EXPECT_EQ(Project()->m_name, ItemText(Tree().GetChildItem(TVI_ROOT)).c_str());

    // A text file on an open project leaves it alone, unasked.
    const size_t boxes = (*m_services)->messageBoxes.size();
    CProjectData* open = Project();
    ::SendMessageA(MainFrame()->m_hWnd, WM_DROPFILES,
                   reinterpret_cast<WPARAM>(fw::test::MakeFileDrop({notes})), 0);
    fw::test::Pump();
    EXPECT_EQ(open, Project());
    EXPECT_EQ(boxes, (*m_services)->messageBoxes.size());
}

TEST_F(ProjectCommands, AFailedUniversalFileShowsFiveErrorsAndKeepsWhatWasReadBefore)
{
    MainFrame()->OpenFileInNewProject("demo.unv", m_demoModel.c_str());
    ASSERT_NE(nullptr, Project());
    const int nodes = Project()->m_model.GetNodeCount();
    const int results = static_cast<int>(Project()->m_model.GetResults().GetCount());
    // Seven errors: six elements of a kind that is not read, then a record that ends the read.
    std::string text = "    -1\n  2411\n"
                       "         1         0         0        11\n 0.0 0.0 0.0\n"
                       "         2         0         0        11\n 1.0 0.0 0.0\n"
                       "         3         0         0        11\n 1.0 1.0 0.0\n"
                       "    -1\n    -1\n  2412\n";
    for (int i = 0; i < 6; ++i)
        text += std::to_string(9001 + i) + " 122 1 1 7 4\n1 2 3 1\n";
    text += "9007 41 1 1 7 4\n1 2 3\n    -1\n";
    const std::string bad = WriteDataFile("bad.unv", text);
    const size_t before = OutputLines().size();
    MainFrame()->ReadFile("bad.unv", bad.c_str());
    const std::vector<std::string> lines = OutputLines();
    ASSERT_EQ(before + 7, lines.size()); // "Reading", five errors, "..."
    // The file's name stands apart from the text before it.
    EXPECT_EQ(MessageText("MsgPane", "ReadFile") + " bad.unv", lines[before]);
    EXPECT_EQ("...", lines.back());
    EXPECT_EQ(nodes, Project()->m_model.GetNodeCount());
    EXPECT_EQ(results, static_cast<int>(Project()->m_model.GetResults().GetCount()));
    EXPECT_EQ(1, Project()->m_settings.m_inputFileCount);
    EXPECT_EQ(CAESettings::kUniversalFile, Project()->m_settings.m_modelSource);
}

TEST_F(ProjectCommands, TheOriginalExportWritesModelCoordinatesAndTheDeformedOneTheShownShape)
{
    // Without a view there is nothing to export from: an error, no file.
    auto* viewless = new CProjectData;
    unv_sink::CNullSink sink;
    ASSERT_TRUE(ImportBulkFile(viewless->m_model, WriteDataFile("plate.dat", kPlateDeck), sink));
    MainFrame()->SetProject(viewless);
    ASSERT_TRUE(IsEnabled(ID_EXPORT_ORIGINAL_UNV));
    (*m_services)->fileAnswers.push_back(DataPath("none.unv"));
    Command(ID_EXPORT_ORIGINAL_UNV);
    ASSERT_FALSE((*m_services)->messageBoxes.empty());
    EXPECT_EQ(MessageText("Error", "ExportNeedsView"), (*m_services)->messageBoxes.back().text);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(DataPath("none.unv").c_str()));

    MainFrame()->OpenFileInNewProject("demo.unv", m_demoModel.c_str());
    CCAEView* view = View(1);
    ASSERT_NE(nullptr, view);
    const HTREEITEM displacement = FindResultItem("Translation");
    ASSERT_NE(nullptr, displacement);
    const auto* node = dynamic_cast<CResultItemNode*>(Tree().NodeOf(displacement));
    const int loadCase = Project()->m_model.GetFirstLoadCase(node->m_result->m_id);
    view->Renderer().SetVectorResultId(loadCase);
    view->Renderer().SetShowDeformation(CAESet::kAbsoluteScale);
    view->Renderer().SetDeformationScale(10.0);
    view->Renderer().UpdateAnimationFrame();
    const CModelSet& model = Project()->m_model;
    int tip = 0;
    for (int id = 1; id <= model.GetNodeCount(); ++id)
        if (model.GetNodePoint(id).x > 199.0)
            tip = id;
    ASSERT_NE(0, tip);
    ASSERT_GT(std::abs(view->GetNodePoint(tip).z - model.GetNodePoint(tip).z), 1.0);

    for (const bool deformed : {false, true})
    {
        SCOPED_TRACE(deformed);
        const std::string path = DataPath(deformed ? "deformed" : "original");
        (*m_services)->fileAnswers.push_back(path);
        Command(deformed ? ID_EXPORT_DEFORMED_UNV : ID_EXPORT_ORIGINAL_UNV);
        std::ifstream in(path + ".unv", std::ios::binary);
        ASSERT_TRUE(in.good());
        const std::map<int, CPoint3D> written = ReadUnvNodes(in);
        ASSERT_EQ(static_cast<size_t>(model.GetNodeCount()), written.size());
        const CPoint3D expected = deformed ? view->GetNodePoint(tip) : model.GetNodePoint(tip);
        EXPECT_NEAR(expected.z, written.at(tip).z, 1e-9);
    }
    EXPECT_EQ(m_dataFolder + "\\", IniValue("FileIOPaths", "UNV"));
}

TEST_F(ProjectCommands, ReadFileChoosesTheReaderByTheNamesEndingInAnyCase)
{
    struct Case
    {
        const char* name;
        int nodes;
        int inputFiles;
    };
    // An OUTPUT2 name on a text file is refused by its reader and leaves no input file behind.
    const Case cases[] = {{"PLATE.DAT", 6, 1}, {"plate.Bdf", 6, 1},     {"plate.d", 6, 1},
                          {"plate.txt", 0, 0}, {"plate.dat.bak", 0, 0}, {"plate.op2", 0, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string path = WriteDataFile(c.name, kPlateDeck);
        MainFrame()->SetProject(new CProjectData);
        MainFrame()->ReadFile(c.name, path.c_str());
        EXPECT_EQ(c.nodes, Project()->m_model.GetNodeCount());
        EXPECT_EQ(c.inputFiles, Project()->m_settings.m_inputFileCount);
        EXPECT_EQ(c.nodes > 0 ? CAESettings::kBulkData : 0, Project()->m_settings.m_modelSource);
    }
}

TEST_F(ProjectCommands, ASaveThatFailsIsReportedAndKeepsTheProjectAsItWas)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, Project());
    const std::string lost = DataPath("gone\\p.mpj"); // a folder that does not exist
    (*m_services)->fileAnswers.push_back(lost);
    Command(ID_PROJECT_SAVE_AS);
    EXPECT_EQ(0u, OutputLines().back().rfind(MessageText("Error", "ProjectSaveFailed"), 0));
    EXPECT_NE(lost, std::string(m_app->GetRecentProjects().Entries()[0].GetString()));
    EXPECT_STREQ("plate", Project()->m_name.GetString());
    EXPECT_EQ(m_dataFolder, Project()->m_folder.Str());
    EXPECT_EQ("plate", ItemText(Tree().GetChildItem(TVI_ROOT)));

    // Yes to saving at the close, and the save fails: the close is cancelled.
    ASSERT_TRUE(::CreateDirectoryA(DataPath("plate.mpj").c_str(), nullptr)); // in the way
    (*m_services)->messageBoxAnswers.push_back(IDYES);
    (*m_services)->messageBoxAnswers.push_back(IDYES); // replace what has the project's name
    const std::size_t linesBefore = OutputLines().size();
    Command(ID_PROJECT_CLOSE);
    ASSERT_GT(OutputLines().size(), linesBefore);
    EXPECT_EQ(0u, OutputLines().back().rfind(MessageText("Error", "ProjectSaveFailed"), 0));
    ASSERT_NE(nullptr, Project());
    EXPECT_NE(nullptr, View(1));
    EXPECT_NE(nullptr, FindItem("Geometry"));
    EXPECT_EQ(6, Project()->m_model.GetNodeCount());
}
