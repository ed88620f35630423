// Opening a project: a saved project comes back whole (solver files read again, results with
// their convert switches, settings, colours, groups, views), and bad or odd files open safely.
#include "core/services/AppEnvironment.h"
#include "io/bulk/BulkImport.h"
#include "io/op2/Op2Import.h"
#include "io/results/ImportMessages.h"
#include "io/unv/UnvImport.h"
#include "project/ProjectData.h"
#include "project/ProjectFileAccess.h"
#include "tests/support/BulkTestSupport.h"
#include "tests/support/ProjectFixture.h"

#include <algorithm>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace
{
std::vector<std::pair<UINT, BYTE>> LoadedResults(const CModelSet& model)
{
    std::vector<std::pair<UINT, BYTE>> loaded;
    for (UINT id : CollectLoadedResultIds(model))
        loaded.emplace_back(id, model.GetResult(id)->m_average);
    return loaded;
}

struct OpenFixture
{
    explicit OpenFixture(const std::string& name)
        : folders(name)
    {
        project.SetHost(&host);
    }

    // Writes the text as a project file in the data folder and opens it.
    BOOL Open(const std::string& text, const char* fileName = "p.mpj")
    {
        path = folders.DataFile(fileName);
        CProjectFolders::WriteBytes(path, text);
        return project.OpenProject(path.c_str());
    }

    CProjectFolders folders;
    CFakeProjectHost host;
    CProjectData project;
    std::string path;
};
} // namespace

TEST(ProjectOpen, ASavedProjectComesBackWhole)
{
    CProjectFolders folders("open_round_trip");
    const std::string deck = folders.DataFile("plate.dat");
    CProjectFolders::WriteBytes(deck, PlateDeck());
    const std::string results = WritePlateResults(folders.Path("data"), "plate.op2");
    bulk_test::CCapturedOutput sink;

    CFakeProjectHost savingHost;
    CProjectData saved;
    saved.SetHost(&savingHost);
    saved.m_name = "plate";
    saved.m_folder = folders.Path("data").c_str();
    ASSERT_TRUE(saved.AddInputFile(deck.c_str()));
    ASSERT_TRUE(ImportBulkFile(saved.m_model, deck, sink));
    ASSERT_TRUE(saved.AddInputFile(results.c_str()));
    std::vector<std::string> op2Files;
    // Load set 1 only; its first result is kept without averaging.
    ASSERT_EQ(0, ImportOp2File(
                     results, &saved.m_model, op2Files,
                     [](const std::vector<CResultData*>& catalogued)
                     {
                         for (CResultData* r : catalogued)
                         {
                             if (ResultIdLoadCase(r->m_id) == 1)
                                 r->m_loaded = CResultData::kRequested;
                         }
                         catalogued.front()->m_average = 0;
                     },
                     &sink));
    FillFixtureSettings(saved.m_settings);
    FillFixtureGroupAndColors(saved.m_model);
    FillFixtureViews(savingHost);
    const std::vector<std::pair<UINT, BYTE>> loaded = LoadedResults(saved.m_model);
    ASSERT_GE(loaded.size(), 1u);
    ASSERT_LT(loaded.size(), saved.m_model.GetResults().GetCount());
    ASSERT_TRUE(saved.SaveProject());

    CFakeProjectHost host;
    CProjectData project;
    project.SetHost(&host);
    ASSERT_TRUE(project.OpenProject(saved.GetProjectFilePath().c_str()));
    EXPECT_STREQ("plate", project.m_name);
    EXPECT_STREQ(saved.m_folder, project.m_folder);
    const CAESettings& a = saved.m_settings;
    const CAESettings& b = project.m_settings;
    ASSERT_EQ(2, b.m_inputFileCount);
    EXPECT_STREQ(deck.c_str(), b.m_inputFiles[0]);
    EXPECT_STREQ(results.c_str(), b.m_inputFiles[1]);
    EXPECT_EQ(CAESettings::kBulkData, b.m_modelSource);
    EXPECT_EQ(12, project.m_model.GetElementCount());
    EXPECT_EQ(loaded, LoadedResults(project.m_model));
    EXPECT_EQ(a.m_viewAngles.x, b.m_viewAngles.x);
    EXPECT_EQ(a.m_viewAngles.y, b.m_viewAngles.y);
    EXPECT_EQ(a.m_viewAngles.z, b.m_viewAngles.z);
    EXPECT_EQ(a.m_triadPosition, b.m_triadPosition);
    EXPECT_EQ(a.m_displayFilter, b.m_displayFilter);
    EXPECT_EQ(0, std::memcmp(&a.m_generalFont, &b.m_generalFont, sizeof a.m_generalFont));
    EXPECT_EQ(0, std::memcmp(&a.m_materials, &b.m_materials, sizeof a.m_materials));
    EXPECT_EQ(0, std::memcmp(a.m_entityColors, b.m_entityColors, sizeof a.m_entityColors));
    EXPECT_EQ(0, std::memcmp(a.m_entitySizes, b.m_entitySizes, sizeof a.m_entitySizes));
    EXPECT_EQ(a.m_backgroundColor, b.m_backgroundColor);
    EXPECT_EQ(255, project.m_model.LookupPropertyColor(1)->color);
    EXPECT_EQ(65280, project.m_model.LookupPropertyColor(2)->color);
    EXPECT_EQ(16711680, project.m_model.LookupMaterialColor(1)->color);
    // Groups: the default group and group 5, with its name and twelve members.
    EXPECT_EQ(2, project.m_model.GetGroups().GetCount());
    const CGroupSet* group = project.m_model.LookupGroup(5);
    ASSERT_NE(nullptr, group);
    EXPECT_STREQ("Left side", group->GetName());
    EXPECT_EQ(12, group->GetShells().GetCount());
    EXPECT_EQ(2, project.m_model.FindElement(12)->m_groups.GetSize()); // groups 0 and 5

    // Views: frame 1 and one new frame for each other section, the active one last.
    ASSERT_EQ(3u, host.frames.size());
    const CViewFileState& first = host.View(1)->state;
    EXPECT_EQ(10, first.left);
    EXPECT_EQ(640, first.width);
    EXPECT_DOUBLE_EQ(30.0, first.camera.rotationDeg.x);
    EXPECT_DOUBLE_EQ(-7.0, first.camera.volumeStart.z);
    EXPECT_DOUBLE_EQ(0.5, first.camera.pan.x);
    EXPECT_EQ(2, first.displayMode);
    EXPECT_DOUBLE_EQ(0.8, first.shrinkFactor);
    EXPECT_EQ(static_cast<int>(kContourResultId), first.contourResultId);
    EXPECT_DOUBLE_EQ(2.5, first.deformationScale);
    EXPECT_EQ(2, b.m_displayType); // from the view of frame 1
    EXPECT_EQ(CViewFileState::kMinimized, host.View(2)->state.windowState);
    EXPECT_EQ(CViewFileState::kMaximized, host.View(3)->state.windowState);
    EXPECT_EQ(0, host.waitDepth);
}

TEST(ProjectOpen, AUniversalFileProjectIgnoresLoadedResults)
{
    OpenFixture f("open_unv");
    const std::string deck = f.folders.DataFile("plate.dat");
    CProjectFolders::WriteBytes(deck, PlateDeck());
    const std::string results = WritePlateResults(f.folders.Path("data"), "plate.op2");
    const std::string more = WritePlateResults(f.folders.Path("data"), "more.OP2", 5);
    const std::string unv = f.folders.DataFile("plate.unv");
    {
        CModelSet model;
        bulk_test::CCapturedOutput sink;
        ASSERT_TRUE(ImportBulkFile(model, deck, sink));
        ASSERT_TRUE(ExportUnvFile(model, model, unv, sink));
    }
    // Load sets 5 and 6 of the second file are load cases 3 and 4.
    const UINT translation = static_cast<UINT>(PackedId(1, 1, 1, 1));
    const UINT fromSecond = static_cast<UINT>(PackedId(1, 1, 4, 1));
    const auto projectText = [&](const std::string& modelFile)
    {
        return "[Path]\r\nInputFileCount=3\r\nInputFile0=" + modelFile +
               "\r\nInputFile1=" + results + "\r\nInputFile2=" + more +
               "\r\n[LoadedResults]\r\nLoadedResult0ID=" + std::to_string(translation) +
               "\r\nLoadedResult0Convert=0\r\nLoadedResult1ID=" + std::to_string(fromSecond) +
               "\r\nCount=2\r\n";
    };
    ASSERT_TRUE(f.Open(projectText(unv)));
    EXPECT_EQ(CAESettings::kUniversalFile, f.project.m_settings.m_modelSource);
    EXPECT_EQ(12, f.project.m_model.GetElementCount());
    EXPECT_EQ(0, f.project.m_model.GetResults().GetCount());

    // The same list with the deck: the listed results are read from both ".op2" files.
    OpenFixture bulk("open_bulk");
    ASSERT_TRUE(bulk.Open(projectText(deck)));
    EXPECT_EQ(CAESettings::kBulkData, bulk.project.m_settings.m_modelSource);
    const CResultData* result = bulk.project.m_model.GetResult(translation);
    ASSERT_NE(nullptr, result);
    EXPECT_TRUE(result->IsLoaded());
    EXPECT_EQ(0, result->m_average);
    const CResultData* second = bulk.project.m_model.GetResult(fromSecond);
    ASSERT_NE(nullptr, second);
    EXPECT_TRUE(second->IsLoaded());
    EXPECT_EQ(1, second->m_average); // a missing convert switch is 1
    EXPECT_EQ((std::vector<UINT>{translation, fromSecond}),
              CollectLoadedResultIds(bulk.project.m_model));
}

TEST(ProjectOpen, ViewSectionsRecreateTheirViews)
{
    OpenFixture f("open_views");
    // Section 2 lacks "ViewID"; section 4 lies above "ViewCnt".
    ASSERT_TRUE(
        f.Open(CrLf({"[ViewSettings]",  "ViewCnt=3",     "DisplayFilters=12", "[ViewSettings1]",
                     "ViewID=1",        "ViewState=1",   "DisplayMode=3",     "ContourResultID=77",
                     "Bands=500",       "DataMin=-1",    "DataMax=3",         "ViewMin=0",
                     "ViewMax=2",       "ReverseBand=1", "[ViewSettings2]",   "ViewState=2",
                     "[ViewSettings3]", "ViewID=9",      "PositionStartX=15", "PositionStartY=25",
                     "Height=300",      "Width=400",     "ViewState=1",       "VectorResultID=88",
                     "[ViewSettings4]", "ViewID=4"})));
    ASSERT_EQ(2u, f.host.frames.size());
    EXPECT_EQ(12u, f.project.m_settings.m_displayFilter);
    const CFakeProjectView* first = f.host.View(1);
    EXPECT_EQ(3, f.project.m_settings.m_displayType);
    EXPECT_EQ(f.project.m_model.GetDefaultGroup(), first->currentGroup);
    EXPECT_EQ(f.project.m_model.GetDefaultGroup(), first->idMapGroup);
    EXPECT_EQ(&f.project.m_model, first->filterModel);
    // Result 77 is not in the catalogue: the contour is still set up and shown.
    EXPECT_EQ(nullptr, first->currentResult);
    EXPECT_EQ(77, first->shownContourId);
    EXPECT_EQ(117, first->ownAttr.m_nBands);
    EXPECT_EQ(1, first->ownAttr.m_bReverseBand);
    // The range was applied: bands below and above the user range, then 117 inside it.
    EXPECT_EQ(1, first->ownAttr.m_bLowBand);
    EXPECT_EQ(1, first->ownAttr.m_bHighBand);
    EXPECT_DOUBLE_EQ(-1.0, first->ownAttr.m_levels[0]);
    EXPECT_DOUBLE_EQ(0.0, first->ownAttr.m_levels[1]);
    EXPECT_EQ(119, first->ownAttr.m_nTotalBands);
    const std::vector<std::string> firstCalls = {
        "SetCurrentGroup",  "MaximizeFrame",      "ApplyFileState",    "LoadElementFilter",
        "LoadViewIdMaps",   "SetBackgroundColor", "SetOwnDisplayAttr", "DisplayContourView",
        "BuildResultTitle", "ActivateFrame",      "SetCamera",         "MaximizeFrame",
        "RenderAll",        "UpdateAndInvalidate"};
    EXPECT_EQ(firstCalls, first->calls);
    // A maximised view with a rectangle is first moved to it; vector result 88 is not there.
    const CFakeProjectView* second = f.host.View(2);
    const std::vector<std::string> secondCalls = {
        "SetCurrentGroup", "RestoreFrame",       "ApplyFileState",     "LoadElementFilter",
        "LoadViewIdMaps",  "SetBackgroundColor", "BuildResultTitle",   "ActivateFrame",
        "SetCamera",       "MaximizeFrame",      "UpdateAndInvalidate"};
    EXPECT_EQ(secondCalls, second->calls);
    EXPECT_EQ(15, second->state.left);
    EXPECT_EQ(-1, second->shownVectorId);
    EXPECT_EQ((std::vector<int>{88}), f.host.comboResultIds);
}

TEST(ProjectOpen, AMissingFileGivesAnEmptyProjectWithOneView)
{
    OpenFixture f("open_missing");
    const std::string path = f.folders.DataFile("absent.mpj");
    ASSERT_TRUE(f.project.OpenProject(path.c_str()));
    EXPECT_EQ(1u, f.host.frames.size());
    EXPECT_STREQ("absent", f.project.m_name);
    EXPECT_FALSE(CProjectFolders::Exists(path)); // opening creates no file
    // The two status texts go to the output log and the status bar.
    ASSERT_EQ(2u, f.host.statusTexts.size());
    EXPECT_EQ(f.host.statusTexts, f.host.lines);
    EXPECT_FALSE(f.host.statusTexts[0].empty());
    EXPECT_NE(f.host.statusTexts[0], f.host.statusTexts[1]);
}

TEST(ProjectOpen, WithoutAMainFrameOnlyTheViewsAreLeftOut)
{
    CProjectFolders folders("open_no_host");
    const std::string path = folders.DataFile("p.mpj");
    CProjectFolders::WriteBytes(
        path, CrLf({"[ViewSettings]", "ViewCnt=1", "DisplayFilters=12", "[ViewSettings1]",
                    "ViewID=1", "[Axis]", "CornorPosition=1"}));
    CProjectData project;
    ASSERT_TRUE(project.OpenProject(path.c_str()));
    EXPECT_EQ(12u, project.m_settings.m_displayFilter);
    EXPECT_EQ(1, project.m_settings.m_triadPosition);
    // Colours missing from the file keep their values.
    EXPECT_EQ(RGB(0, 255, 0), project.m_settings.m_entityColors[CAESettings::kSolid]);
    EXPECT_EQ(RGB(255, 0, 0), project.m_settings.m_generalFont.color);
    EXPECT_TRUE(project.CloseProject());
}

TEST(ProjectOpen, NamesComeFromTheFileName)
{
    const struct
    {
        const char* file;
        const char* name;
    } cases[] = {{"plain.mpj", "plain"},
                 {"UPPER.MPJ", "UPPER"},
                 {"no_point", "no_point"},
                 {"two.points.mpj", "two.points"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.file);
        OpenFixture f("open_names");
        ASSERT_TRUE(f.Open("[Path]\r\nInputFileCount=0\r\n", c.file));
        EXPECT_STREQ(c.name, f.project.m_name);
        EXPECT_STREQ(f.folders.Path("data").c_str(), f.project.m_folder);
        EXPECT_EQ(f.path, GetCurrentProjectFile());
    }
    EXPECT_TRUE(HasProjectFileExtension("a\\b.MPJ"));
    EXPECT_FALSE(HasProjectFileExtension("a\\b.mpjx"));
}

TEST(ProjectOpen, CountsBeyondTheFileOpenSafely)
{
    OpenFixture f("open_counts");
    ASSERT_TRUE(f.Open(CrLf({"[Path]", "InputFileCount=40", "InputFile0=a.op2", "InputFile35=b.op2",
                             "[GroupSettings]", "GroupCount=2000000000", "[Group 0]", "GroupID=3",
                             "ElementListCount=2000000000", "ElemList 0=1,2,", "[Property]",
                             "PropertyCount=2147483647", "[LoadedResults]", "Count=2147483647",
                             "[ViewSettings]", "ViewCnt=2147483647"})));
    EXPECT_EQ(30, f.project.m_settings.m_inputFileCount);
    EXPECT_STREQ("a.op2", f.project.m_settings.m_inputFiles[0]);
    EXPECT_EQ(2, f.project.m_model.GetGroups().GetCount());
    EXPECT_EQ(1u, f.host.frames.size());
}

TEST(ProjectOpen, GroupsKeepKnownElementsAndDropHeldIds)
{
    OpenFixture f("open_groups");
    const std::string deck = f.folders.DataFile("plate.dat");
    CProjectFolders::WriteBytes(deck, PlateDeck());
    ASSERT_TRUE(f.Open(CrLf({"[Path]",
                             "InputFileCount=1",
                             ("InputFile0=" + deck).c_str(),
                             "[GroupSettings]",
                             "GroupCount=4",
                             "[Group 0]",
                             "GroupID=7",
                             "GroupName=Mixed",
                             "ElementListCount=2",
                             "ElemList 0=1,99,3,,x,",
                             "ElemList 1=3.9,12",
                             "[Group 1]",
                             "GroupID=7",
                             "GroupName=Again",
                             "ElementListCount=1",
                             "ElemList 0=4,",
                             "[Group 2]",
                             "GroupID=0",
                             "ElementListCount=1",
                             "ElemList 0=5,",
                             "[Group 3]",
                             "ElementListCount=1",
                             "ElemList 0=6,"})));
    const CModelSet& model = f.project.m_model;
    EXPECT_EQ(2, model.GetGroups().GetCount()); // the default group and group 7
    const CGroupSet* group = model.LookupGroup(7);
    ASSERT_NE(nullptr, group);
    EXPECT_STREQ("Mixed", group->GetName());
    EXPECT_EQ(3, group->GetShells().GetCount()); // 1, 3 and 12; 99 is not in the model
    EXPECT_NE(nullptr, group->FindElement(12));
    EXPECT_EQ(nullptr, group->FindElement(4));
    EXPECT_EQ(12, model.GetDefaultGroup()->GetShells().GetCount());
}

// Texts the user gave come back whole after a save and an open, quotes included.
TEST(ProjectOpen, QuotedNamesComeBackWithTheirQuotes)
{
    CProjectFolders folders("open_quoted_names");
    CProjectData saved;
    saved.m_name = "quoted";
    saved.m_folder = folders.Path("data").c_str();
    const char* const names[] = {"\"Front\"", "'Rear'", "\"", "\"\""};
    for (int n = 0; n < 4; ++n)
    {
        auto group = std::make_unique<CGroupSet>();
        group->m_id = n + 1;
        group->SetName(names[n]);
        saved.m_model.AddGroup(group.release());
    }
    ASSERT_TRUE(saved.SaveProject());

    CProjectData project;
    ASSERT_TRUE(project.OpenProject(saved.GetProjectFilePath().c_str()));
    for (int n = 0; n < 4; ++n)
    {
        const CGroupSet* group = project.m_model.LookupGroup(n + 1);
        ASSERT_NE(nullptr, group);
        EXPECT_STREQ(names[n], group->GetName());
    }
}

TEST(ProjectOpen, OpeningRewritesObjectColorKeysInOneDigitForm)
{
    OpenFixture f("open_object_color");
    ASSERT_TRUE(f.Open(
        CrLf({"[Path]", "InputFileCount=0", "[ViewSettings]", "ViewCnt=0", "[Material]",
              "SolidObverseObjectColor=0", "ShellReverseObjectColor=12", "[Other]", "kept=1"})));
    CProjectFile file;
    file.Parse(CProjectFolders::ReadBytes(f.path));
    std::string value;
    ASSERT_TRUE(file.Find("Material", "SolidObverseObjectColor", &value, 10));
    EXPECT_EQ("0", value);
    ASSERT_TRUE(file.Find("Material", "ShellReverseObjectColor", &value, 10));
    EXPECT_EQ("1", value); // "12" is no flag: the constructed 1 goes back
    ASSERT_TRUE(file.Find("Material", "ShellObverseObjectColor", &value, 10));
    EXPECT_EQ("1", value);
    EXPECT_TRUE(file.Find("Other", "kept", &value, 10));
    EXPECT_EQ(0, f.project.m_settings.m_materials[CAESettings::kSolidMaterial].m_flag[0]);
}

namespace
{
// A project file as a save writes it, with "ObjectColor" values that opening writes back in
// their one-digit form ("01" is no flag, and three keys are missing).
const std::string kProjectText =
    CrLf({"[Path]", "InputFileCount=0", "[ViewSettings]", "ViewCnt=0", "[Axis]", "CornorPosition=3",
          "[Material]", "SolidObverseObjectColor=01"});

std::string Utf16(const std::string& text, bool isBigEndian, bool hasMark)
{
    std::string bytes = hasMark ? (isBigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (char c : text)
    {
        bytes.push_back(isBigEndian ? '\0' : c);
        bytes.push_back(isBigEndian ? c : '\0');
    }
    return bytes;
}

// Bytes of a result file: records with binary words and NULs, a "[Material]" among them.
std::string BinaryBytes()
{
    std::string bytes;
    for (int i = 0; i < 4000; ++i)
        bytes.push_back(static_cast<char>((i * 7919) % 251));
    return bytes.substr(0, 2000) + "\r\n[Material]\r\nSolidObverseObjectColor=5\r\n" +
           bytes.substr(2000);
}

struct OpenCase
{
    const char* name;
    std::string bytes;
    bool isReadOnly;
    bool isOpened;
    bool isRewritten;
    int cornerPosition; // read from "Axis", 0 when the file is not read
};
} // namespace

// Opening writes only into a project file as this program writes it, and only when it may be
// written; other files keep their bytes (and their read-only state), and their values are read
// where they are text.
TEST(ProjectOpen, OpeningRewritesOnlyAWritableProjectFile)
{
    const std::string utf16NonAscii = Utf16(kProjectText, false, true) + "\x42\x30";
    const OpenCase cases[] = {
        {"a project file", kProjectText, false, true, true, 3},
        {"a read-only project file", kProjectText, true, true, false, 3},
        {"a result file renamed", BinaryBytes(), false, true, false, 0},
        {"a user's text", "Notes for Monday\r\nsize=4\r\n[Material]\r\nx=1\r\n", false, true, false,
         0},
        {"a UTF-8 mark", "\xEF\xBB\xBF" + kProjectText, false, true, false, 3},
        {"UTF-16 with a mark", Utf16(kProjectText, false, true), false, true, false, 3},
        {"big-endian UTF-16 with a mark", Utf16(kProjectText, true, true), false, true, false, 3},
        {"UTF-16 without a mark", Utf16(kProjectText, false, false), false, true, false, 3},
        {"UTF-16 beyond ASCII", utf16NonAscii, false, false, false, 0},
    };
    for (const OpenCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        OpenFixture f("open_rewrites");
        const std::string folder = f.folders.Path("data");
        const std::string path = f.folders.DataFile("p.mpj");
        CProjectFolders::WriteBytes(path, c.bytes);
        if (c.isReadOnly)
        {
#ifdef _WIN32
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
#else
            ASSERT_EQ(0, chmod(CProjectFolders::Native(path).c_str(), 0444));
#endif
        }
        const auto before = SnapshotFolder(folder);

        EXPECT_EQ(c.isOpened, f.project.OpenProject(path.c_str()) != FALSE);

        EXPECT_EQ(c.cornerPosition, f.project.m_settings.m_triadPosition);
        const auto after = SnapshotFolder(folder);
        if (c.isRewritten)
        {
            EXPECT_NE(before, after);
            EXPECT_NE(std::string::npos,
                      CProjectFolders::ReadBytes(path).find("ShellReverseObjectColor="));
        }
        else
            EXPECT_EQ(before, after);
        if (!c.isOpened)
        {
            EXPECT_EQ("Error/ProjectUnicode: " + path, f.host.messages.front());
        }
#ifdef _WIN32
        if (c.isReadOnly)
        {
            EXPECT_NE(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
#else
        chmod(CProjectFolders::Native(path).c_str(), 0644);
#endif
    }
}

#ifndef _WIN32
// A FIFO named as the project neither blocks opening nor is written.
TEST(ProjectOpen, AFifoInThePlaceOfTheProjectIsNotOpened)
{
    OpenFixture f("open_fifo");
    const std::string path = f.folders.DataFile("p.mpj");
    ASSERT_EQ(0, mkfifo(CProjectFolders::Native(path).c_str(), 0644));
    EXPECT_FALSE(f.project.OpenProject(path.c_str()));
    EXPECT_EQ((std::map<std::string, std::string>{{"p.mpj", "other"}}),
              SnapshotFolder(f.folders.Path("data")));
}
#endif

// The entries of "Path" as a user who moved a project folder or wrote one by hand gives them:
// relative names are found beside the project file, whatever the current folder; a missing
// result file is named; a 31st file is told, not only logged.
TEST(ProjectOpen, InputEntriesAreReadLikeFilesTheUserNamed)
{
    OpenFixture f("open_entries");
    CProjectFolders::WriteBytes(f.folders.DataFile("plate.dat"), PlateDeck());
    std::string text = "[Path]\r\nInputFileCount=31\r\nInputFile0=plate.dat\r\n"
                       "InputFile1=gone.op2\r\n";
    for (int i = 2; i <= 30; ++i)
        text += "InputFile" + std::to_string(i) + "=C:\\absent\\m" + std::to_string(i) + ".op2\r\n";
    ASSERT_TRUE(f.Open(text));

    const std::string folder = f.folders.Path("data");
    EXPECT_EQ(12, f.project.m_model.GetElementCount());
    EXPECT_EQ(30, f.project.m_settings.m_inputFileCount);
    // The entries stay as written, so that a save keeps the folder movable.
    EXPECT_EQ("plate.dat", f.project.m_settings.m_inputFiles[0].Str());
    EXPECT_EQ("gone.op2", f.project.m_settings.m_inputFiles[1].Str());
    EXPECT_EQ("C:\\absent\\m2.op2", f.project.m_settings.m_inputFiles[2].Str());
    const auto has = [](const std::vector<std::string>& lines, const std::string& line)
    { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has(f.host.lines, ImportMessage("NotFound", {folder + "\\gone.op2"})));
    EXPECT_TRUE(has(f.host.messages, "Error/TooManyInputFiles: C:\\absent\\m30.op2"));
}

// A result file the project lists but the folder lacks is named in the message, in either
// language.
TEST(ProjectOpen, AMissingResultFileIsNamedInTheMessage)
{
    const std::string savedSuffix = GetLanguageSuffix();
    const struct
    {
        const char* suffix;
        const char* before; // the text around the path
        const char* after;
    } cases[] = {
        {"_ENG", "The file ", " cannot be opened."},
        // Code page 932: "ファイル %s を開けません。"
        {"_JPN", "\x83\x74\x83\x40\x83\x43\x83\x8B ",
         " \x82\xF0\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x81\x42"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.suffix);
        SetLanguageSuffix(c.suffix);
        OpenFixture f("open_missing_result");
        CProjectFolders::WriteBytes(f.folders.DataFile("plate.dat"), PlateDeck());
        f.Open(CrLf({"[Path]", "InputFileCount=2", "InputFile0=plate.dat", "InputFile1=gone.op2"}));
        const std::string expected = c.before + f.folders.Path("data") + "\\gone.op2" + c.after;
        EXPECT_NE(f.host.lines.end(), std::find(f.host.lines.begin(), f.host.lines.end(), expected))
            << expected;
    }
    SetLanguageSuffix(savedSuffix);
}

#ifndef _WIN32
// A FIFO or a device listed as a model or result file is refused by name, and opening goes on
// instead of waiting for a writer.
TEST(ProjectOpen, InputEntriesThatAreNoFilesAreRefusedByName)
{
    OpenFixture f("open_entry_fifo");
    const std::string pipe = CProjectFolders::Native(f.folders.DataFile("pipe.unv"));
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0600));
    ASSERT_TRUE(f.Open(CrLf({"[Path]", "InputFileCount=3", "InputFile0=pipe.unv",
                             "InputFile1=/dev/zero", "InputFile2=/dev/null.op2"})));
    const std::string folder = f.folders.Path("data");
    for (const std::string& line :
         {ImportMessage("NotAFile", {folder + "\\pipe.unv"}),
          ImportMessage("NotAFile", {"/dev/zero"}), ImportMessage("NotFound", {"/dev/null.op2"})})
    {
        EXPECT_NE(f.host.lines.end(), std::find(f.host.lines.begin(), f.host.lines.end(), line))
            << line;
    }
    EXPECT_EQ(0, f.project.m_model.GetElementCount());
}
#endif

// A file cannot make the program open thousands of windows: past the limit the rest of the
// views are skipped with one message.
TEST(ProjectOpen, ViewsPastTheLimitAreSkippedWithOneMessage)
{
    OpenFixture f("open_many_views");
    const int sections = CProjectData::kMaxViews + 40;
    std::string text = "[ViewSettings]\r\nViewCnt=" + std::to_string(sections) + "\r\n";
    for (int n = 1; n <= sections; ++n)
        text +=
            "[ViewSettings" + std::to_string(n) + "]\r\nViewID=" + std::to_string(n + 1) + "\r\n";
    ASSERT_TRUE(f.Open(text));
    // The first view, made at once, and the limit's worth of views from the sections.
    EXPECT_EQ(static_cast<std::size_t>(CProjectData::kMaxViews + 1), f.host.frames.size());
    EXPECT_EQ(1, std::count(f.host.messages.begin(), f.host.messages.end(),
                            "Error/TooManyViews: " + f.path));
}

// Reals that are no finite numbers keep the defaults: a NaN scale or angle would spread to
// every coordinate the view draws.
TEST(ProjectOpen, NonFiniteRealsKeepTheDefaults)
{
    OpenFixture f("open_non_finite");
    f.project.m_settings.m_viewAngles = CPoint3D(10.0, 20.0, 30.0);
    ASSERT_TRUE(
        f.Open(CrLf({"[ViewAngle]", "X=nan", "Y=inf", "Z=-1e999", "[ViewSettings]", "ViewCnt=1",
                     "[ViewSettings1]", "ViewID=1", "ShrinkFactor=nan", "RotationAngleX=inf",
                     "RotationAngleY=12.5", "stViewVolumeX=-nan", "PanPtZ=1e400",
                     "DeformationScaleFactor=-inf", "ModelScaleFactor=NAN"})));
    const auto xyz = [](const CPoint3D& p) { return std::vector<double>{p.x, p.y, p.z}; };
    EXPECT_EQ((std::vector<double>{10.0, 20.0, 30.0}), xyz(f.project.m_settings.m_viewAngles));
    const CViewFileState& state = f.host.View(1)->state;
    const CViewFileState defaults;
    EXPECT_EQ(1.0, state.shrinkFactor);
    EXPECT_EQ((std::vector<double>{0.0, 12.5, 0.0}), xyz(state.camera.rotationDeg));
    EXPECT_EQ((std::vector<double>{0.0, 0.0, 0.0}), xyz(state.camera.volumeStart));
    EXPECT_EQ((std::vector<double>{0.0, 0.0, 0.0}), xyz(state.camera.pan));
    EXPECT_EQ(defaults.deformationScale, state.deformationScale);
    EXPECT_EQ(defaults.modelScale, state.modelScale);
}

TEST(ProjectOpen, AFailureHalfwayClosesTheViewsMadeSoFar)
{
    OpenFixture f("open_fails");
    f.host.throwOnCreation = 2;
    EXPECT_FALSE(f.Open(CrLf({"[ViewSettings]", "ViewCnt=2", "[ViewSettings1]", "ViewID=1",
                              "[ViewSettings2]", "ViewID=2"})));
    EXPECT_TRUE(f.host.frames.empty());
    ASSERT_EQ(1u, f.host.closedFrames.size());
    EXPECT_TRUE(f.host.closedFrames[0].isDestroyed);
    EXPECT_EQ(0, f.host.waitDepth);
    EXPECT_EQ("Status/ProjectClosed", f.host.messages.back());
}

TEST(ProjectOpen, AVectorViewRestoresItsRecord)
{
    OpenFixture f("open_vector");
    AddFixtureResult(f.project.m_model, kVectorResultId, CResultData::kLoaded, 1);
    const std::string id = std::to_string(kVectorResultId);
    ASSERT_TRUE(f.Open(CrLf({"[ViewSettings]", "ViewCnt=1", "[ViewSettings1]", "ViewID=1",
                             ("VectorResultId=" + id).c_str(), "ResultType=3", "VectorThickness=5",
                             "IsSameVectorColor=1", "VectorColor=16744192", "VectorColorBands=500",
                             "VectorArrowHeadPercLen=0.3", "VectorLength=2.5", "Bands=6"})));
    const CFakeProjectView* view = f.host.View(1);
    ASSERT_EQ(static_cast<int>(kVectorResultId), view->shownVectorId);
    EXPECT_EQ(f.project.m_model.GetResult(kVectorResultId), view->currentResult);
    EXPECT_EQ(3, view->state.resultType);
    const CVectorDisplayAttr& vector = view->shownVector;
    EXPECT_EQ(static_cast<int>(kVectorResultId), vector.GetResultID());
    EXPECT_EQ(5, vector.GetThickness());
    EXPECT_TRUE(vector.IsSameColor());
    EXPECT_FLOAT_EQ(1.0f, vector.GetColor().r);
    EXPECT_FLOAT_EQ(127.0f / 255.0f, vector.GetColor().g);
    EXPECT_EQ(117, vector.GetNoOfBands());
    EXPECT_DOUBLE_EQ(2.5, vector.GetLength());
    EXPECT_DOUBLE_EQ(0.0, vector.GetScaleFactor()); // missing: 0.0
    EXPECT_TRUE(vector.IsConstantLength());
    EXPECT_EQ(6, vector.m_colorBands.m_nBands);
    EXPECT_EQ((std::vector<int>{static_cast<int>(kVectorResultId)}), f.host.comboResultIds);
}

TEST(ProjectOpen, ClosingTellsEveryViewAndEmptiesTheFrameMap)
{
    OpenFixture f("close");
    f.host.AddFrame(1);
    f.host.AddFrame(2, false);
    f.host.AddFrame(3);
    ASSERT_TRUE(f.project.CloseProject());
    EXPECT_TRUE(f.host.frames.empty());
    ASSERT_EQ(3u, f.host.closedFrames.size());
    for (const CFakeProjectHost::Frame& frame : f.host.closedFrames)
    {
        EXPECT_TRUE(frame.isDestroyed);
        if (frame.view)
        {
            EXPECT_EQ(std::vector<std::string>{"OnProjectClosed"}, frame.view->calls);
        }
    }
    EXPECT_EQ("Status/ProjectClosed", f.host.messages.back());
}
