// Saving a project: the file against a golden text written from the format's tables, the
// format's corner cases, stale view sections, Save As onto another file and failed writes.
#include "project/ProjectData.h"
#include "project/ProjectFileAccess.h"
#include "tests/support/ProjectFixture.h"
#include "tests/support/UnixSide.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace
{
const char* const kDefaultCamera[] = {
    "stViewVolumeX=0.000000",  "stViewVolumeY=0.000000",  "stViewVolumeZ=0.000000",
    "endViewVolumeX=0.000000", "endViewVolumeY=0.000000", "endViewVolumeZ=0.000000",
    "PanPtX=0.000000",         "PanPtY=0.000000",         "PanPtZ=0.000000",
    "RotationAngleX=0.000000", "RotationAngleY=0.000000", "RotationAngleZ=0.000000"};

const char* const kDefaultViewValues[] = {"DisplayMode=0",
                                          "ShrinkFactor=1.000000",
                                          "ShrinkView=0",
                                          "ShowDeformation=0",
                                          "AnimationInterval=250",
                                          "ContourResultID=-1",
                                          "ShowModel=0",
                                          "ShowContour=1",
                                          "ResultType=0",
                                          "MaxLCSteps=0",
                                          "LCStep=0",
                                          "DeformationScaleFactor=1.000000",
                                          "ModelScaleFactor=0.000000"};

// Ten keys of one lighting material side, constructed values.
std::vector<std::string> DefaultMaterial(const std::string& prefix, int shininess)
{
    std::vector<std::string> lines = {prefix + "ObjectColor=1"};
    for (const char* key : {"EnvColor", "DiffColor", "SpecColor", "EmmiColor"})
    {
        const std::string colour = key;
        lines.push_back(prefix + colour + "=0.000000");
        lines.push_back(prefix + colour.substr(0, colour.size() - 5) + "Opacity=1");
    }
    lines.push_back(prefix + "Shininess=" + std::to_string(shininess));
    return lines;
}

std::string GoldenFixtureFile()
{
    std::vector<std::string> lines = {
        "[Path]", "InputFileCount=2", "InputFile0=C:\\models\\plate.dat",
        "InputFile1=C:\\models\\plate.op2", "[ViewSettings]", "ViewCnt=3", "DisplayFilters=63",
        // Frame 1: normal, contour.
        "[ViewSettings1]", "ViewID=1", "PositionStartX=10", "PositionStartY=20", "Height=480",
        "Width=640", "ViewState=2", "stViewVolumeX=-7.000000", "stViewVolumeY=-7.000000",
        "stViewVolumeZ=-7.000000", "endViewVolumeX=4.000000", "endViewVolumeY=4.000000",
        "endViewVolumeZ=4.000000", "PanPtX=0.500000", "PanPtY=0.000000", "PanPtZ=0.000000",
        "RotationAngleX=30.000000", "RotationAngleY=45.000000", "RotationAngleZ=0.000000",
        "DisplayMode=2", "ShrinkFactor=0.800000", "ShrinkView=0", "ShowDeformation=1",
        "AnimationInterval=250", "ContourResultID=8396808", "ShowModel=1", "ShowContour=1",
        "ResultType=1", "MaxLCSteps=10", "LCStep=3", "DeformationScaleFactor=2.500000",
        "ModelScaleFactor=0.100000", "ContourType=100", "DisplayType=103", "BandType=2",
        "ResultCategory=2", "ReverseBand=0", "ViewMin=1.50000000000000000000",
        "ViewMax=20.25000000000000000000", "DataMin=-3.12500000000000000000",
        "DataMax=40.00000000000000000000", "Bands=12",
        // Frame 3: minimised, no position; vector keys, then the contour keys.
        "[ViewSettings2]", "ViewID=3", "ViewState=0"};
    lines.insert(lines.end(), std::begin(kDefaultCamera), std::end(kDefaultCamera));
    lines.insert(lines.end(), std::begin(kDefaultViewValues), std::end(kDefaultViewValues));
    for (const char* line :
         {"VectorResultId=8405000", "VectorThickness=2", "IsSameVectorColor=1",
          "VectorColor=16744192", "VectorColorBands=8", "VectorPosition=2", "VectorArrowHeadSize=2",
          "VectorArrowHeadPercLen=0.300000", "VectorArrowHeadType=3", "ScaleFactor=1.500000",
          "VectorLength=2.000000", "IsVectorLenConst=1", "ContourType=100", "DisplayType=103",
          "BandType=2", "ResultCategory=2", "ReverseBand=0", "ViewMin=0.00000000000000000000",
          "ViewMax=1.00000000000000000000", "DataMin=0.00000000000000000000",
          "DataMax=1.00000000000000000000", "Bands=10",
          // Frame 2, active so last: maximised; no vector record, so nothing after the view.
          "[ViewSettings3]", "ViewID=2", "PositionStartX=-4", "PositionStartY=-4", "Height=1032",
          "Width=1288", "ViewState=1"})
        lines.push_back(line);
    lines.insert(lines.end(), std::begin(kDefaultCamera), std::end(kDefaultCamera));
    lines.insert(lines.end(), std::begin(kDefaultViewValues), std::end(kDefaultViewValues));
    for (const char* line :
         {"[Axis]", "CornorPosition=3", "CornorDisplay=1", "ModelOriginDisplay=0", "[ViewAngle]",
          "X=30.000000", "Y=-45.500000", "Z=1.500000", "[Font]", "Height=14.000000",
          "Width=0.000000", "Weight=700.000000", "Italic=1", "FaceName=Arial", "LabelColor=255",
          "[Others]", "ImportFile=1", "[Material]", "SameOnBothSide=1"})
        lines.push_back(line);
    std::vector<std::string> solidObverse = DefaultMaterial("SolidObverse", 50);
    solidObverse[1] = "SolidObverseEnvColor=16711680.000000"; // pure blue
    for (const std::vector<std::string>& side :
         {solidObverse, DefaultMaterial("ShellObverse", 50), DefaultMaterial("SolidReverse", 50),
          DefaultMaterial("ShellReverse", 20)})
        lines.insert(lines.end(), side.begin(), side.end());
    for (const char* line : {"MaterialCount=1",
                             "MaterialID 1=1",
                             "MaterialID 1 Color=16711680.000000",
                             "[DisplayAttribute]",
                             "GridColor=16777215",
                             "GridSize=3",
                             "SolidColor=65280",
                             "SolidSize=1",
                             "ShellColor=16776960",
                             "ShellSize=1",
                             "MassColor=16711935",
                             "MassSize=1",
                             "ElassColor=33023",
                             "ElassSize=1",
                             "BeamColor=65535",
                             "BeamSize=1",
                             "BackgroundColor=1971210",
                             "[Property]",
                             "PropertyCount=2",
                             "PropertyID 1=1",
                             "PropertyID 1 Color=255.000000",
                             "PropertyID 2=2",
                             "PropertyID 2 Color=65280.000000",
                             "[GroupSettings]",
                             "GroupCount=1",
                             "[Group 0]",
                             "GroupID=5",
                             "GroupName=Left side",
                             "ElemList 0=1,2,3,4,5,6,7,8,9,10,",
                             "ElemList 1=11,12,",
                             "ElementListCount=2",
                             "[LoadedResults]",
                             "LoadedResult0ID=8396808",
                             "LoadedResult0Convert=1",
                             "LoadedResult1ID=8405000",
                             "LoadedResult1Convert=0",
                             "Count=2"})
        lines.push_back(line);
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

struct SaveFixture
{
    explicit SaveFixture(const std::string& name)
        : folders(name)
    {
        project.SetHost(&host);
        project.m_name = "fixture";
        project.m_folder = folders.Path("data").c_str();
    }

    std::string Saved() const { return CProjectFolders::ReadBytes(project.GetProjectFilePath()); }
    std::string Value(const char* section, const char* key)
    {
        CProjectFile file;
        file.Parse(Saved());
        std::string value;
        return file.Find(section, key, &value, 1023) ? value : "<missing>";
    }

    CProjectFolders folders;
    CFakeProjectHost host;
    CProjectData project;
};
} // namespace

TEST(ProjectSave, WritesTheGoldenFile)
{
    SaveFixture f("save_golden");
    f.project.AddInputFile("C:\\models\\plate.dat");
    f.project.AddInputFile("C:\\models\\plate.op2");
    FillFixtureSettings(f.project.m_settings);
    FillFixtureModel(f.project.m_model);
    FillFixtureViews(f.host);
    ASSERT_TRUE(f.project.SaveProject());
    EXPECT_EQ(GoldenFixtureFile(), f.Saved());
    EXPECT_EQ(0, f.host.waitDepth);
    EXPECT_EQ(f.project.GetProjectFilePath(), GetCurrentProjectFile());
}

TEST(ProjectSave, WritesTheEdgeCasesOfTheFormat)
{
    SaveFixture f("save_edges");
    // A frame without an active view is neither written nor counted.
    f.host.AddFrame(1);
    f.host.AddFrame(2, false);
    CModelSet& model = f.project.m_model;
    auto group = std::make_unique<CGroupSet>();
    group->m_id = 9;
    for (int id = 100; id < 125; ++id)
    {
        CFEElement* element = new CFEElement();
        element->type = id % 2 ? kTagShell : kTagSolid;
        element->m_id = id;
        model.AddElement(element);
        group->AddElement(element);
    }
    model.AddGroup(group.release());
    AddFixtureResult(model, kUnloadedResultId, CResultData::kNotLoaded, 1);
    ASSERT_TRUE(f.project.SaveProject());

    EXPECT_EQ("1", f.Value("ViewSettings", "ViewCnt"));
    EXPECT_EQ("<missing>", f.Value("ViewSettings2", "ViewID"));
    EXPECT_EQ("3", f.Value("Group 0", "ElementListCount"));
    EXPECT_EQ("100,101,102,103,104,105,106,107,108,109,", f.Value("Group 0", "ElemList 0"));
    EXPECT_EQ("120,121,122,123,124,", f.Value("Group 0", "ElemList 2"));
    EXPECT_EQ("0", f.Value("LoadedResults", "Count"));
    EXPECT_EQ("<missing>", f.Value("LoadedResults", "LoadedResult0ID"));
}

TEST(ProjectSave, AProjectWithoutViewsOrGroupsWritesCountsOfZero)
{
    SaveFixture f("save_empty");
    ASSERT_TRUE(f.project.SaveProject());
    EXPECT_EQ("0", f.Value("ViewSettings", "ViewCnt"));
    EXPECT_EQ("0", f.Value("GroupSettings", "GroupCount"));
    EXPECT_EQ("<missing>", f.Value("Group 0", "GroupID"));
    EXPECT_EQ("0", f.Value("LoadedResults", "Count"));
    EXPECT_EQ("0", f.Value("Path", "InputFileCount"));
}

TEST(ProjectSave, ViewSectionsOfAnEarlierSaveAreErased)
{
    SaveFixture f("save_stale_views");
    for (int id = 1; id <= 4; ++id)
        f.host.AddFrame(id);
    ASSERT_TRUE(f.project.SaveProject());
    EXPECT_EQ("4", f.Value("ViewSettings4", "ViewID"));
    f.host.frames.resize(2);
    f.host.activeFrameId = 1;
    ASSERT_TRUE(f.project.SaveProject());
    EXPECT_EQ("2", f.Value("ViewSettings", "ViewCnt"));
    EXPECT_EQ("2", f.Value("ViewSettings1", "ViewID"));
    EXPECT_EQ("1", f.Value("ViewSettings2", "ViewID"));
    EXPECT_EQ("<missing>", f.Value("ViewSettings3", "ViewID"));
    EXPECT_EQ("<missing>", f.Value("ViewSettings4", "ViewID"));
}

// Group sections from the count on would come back to any reader that trusts sections; one
// written "Group 07" by hand goes as well.
TEST(ProjectSave, GroupSectionsOfAnEarlierSaveAreErased)
{
    SaveFixture f("save_stale_groups");
    ASSERT_TRUE(f.project.SaveProject());
    CProjectFolders::WriteBytes(f.project.GetProjectFilePath(),
                                f.Saved() +
                                    CrLf({"[Group 0]", "GroupID=7", "[Group 1]", "GroupID=8",
                                          "[Group 07]", "GroupID=9", "[Group x]", "kept=yes"}));
    auto group = std::make_unique<CGroupSet>();
    group->m_id = 5;
    f.project.m_model.AddGroup(group.release());
    ASSERT_TRUE(f.project.SaveProject());
    EXPECT_EQ("1", f.Value("GroupSettings", "GroupCount"));
    EXPECT_EQ("5", f.Value("Group 0", "GroupID"));
    EXPECT_EQ("<missing>", f.Value("Group 1", "GroupID"));
    EXPECT_EQ("<missing>", f.Value("Group 07", "GroupID"));
    EXPECT_EQ("yes", f.Value("Group x", "kept"));
    EXPECT_EQ(std::string::npos, f.Saved().find("[Group 1]"));
}

// Saving onto the project's own file keeps what else it holds; any other target starts empty.
TEST(ProjectSave, SaveAsOntoAnotherFileStartsFromAnEmptyFile)
{
    SaveFixture f("save_as");
    const std::string other = f.folders.DataFile("other.mpj");
    CProjectFolders::WriteBytes(other, "[Foreign]\r\nkey=1\r\n[Group 7]\r\nGroupID=70\r\n");
    ASSERT_TRUE(f.project.SaveProject());
    CProjectFolders::WriteBytes(f.project.GetProjectFilePath(),
                                f.Saved() + "[Notes]\r\nkept=yes\r\n");
    ASSERT_TRUE(f.project.SaveProject());
    EXPECT_EQ("yes", f.Value("Notes", "kept"));

    f.project.m_name = "other";
    ASSERT_TRUE(f.project.SaveProject());
    EXPECT_EQ("<missing>", f.Value("Foreign", "key"));
    EXPECT_EQ("<missing>", f.Value("Group 7", "GroupID"));
    EXPECT_EQ("0", f.Value("Path", "InputFileCount"));
}

TEST(ProjectSave, AFailedWriteIsReportedAndReturnsFalse)
{
    SaveFixture f("save_fails");
    f.project.m_folder = f.folders.Path("data/absent").c_str();
    EXPECT_FALSE(f.project.SaveProject());
    ASSERT_EQ(1u, f.host.messages.size());
    EXPECT_EQ("Error/ProjectSaveFailed: " + f.project.GetProjectFilePath(), f.host.messages[0]);
    EXPECT_EQ(0, f.host.waitDepth);
}

#ifdef _WIN32
// A save that fails while it writes over the project file says what it left: the file as it
// was, or its former contents kept in a file it names.
TEST(ProjectSave, AFailureWhileWritingOverTheFileTellsWhatItLeft)
{
    SaveFixture f("save_fails_over");
    ASSERT_TRUE(f.project.SaveProject());
    const std::string path = f.project.GetProjectFilePath();
    const std::string former = f.Saved();
    f.project.m_settings.m_triadPosition = 2;

    fw::os::SetSaveFault({10, false});
    EXPECT_FALSE(f.project.SaveProject());
    EXPECT_EQ(former, f.Saved());

    fw::os::SetSaveFault({10, true});
    EXPECT_FALSE(f.project.SaveProject());
    fw::os::SetSaveFault({});
    ASSERT_EQ(2u, f.host.messages.size());
    EXPECT_EQ("Error/ProjectSaveFailed: " + path, f.host.messages[0]);
    const std::string told = "Error/ProjectSaveFailedFormerKept: " + path + "\n";
    ASSERT_EQ(0u, f.host.messages[1].rfind(told, 0)) << f.host.messages[1];
    const std::string kept = f.host.messages[1].substr(told.size());
    EXPECT_EQ(std::filesystem::path(path).parent_path(), std::filesystem::path(kept).parent_path());
    EXPECT_TRUE(testing_support::RemoveAsAnotherProgram(kept) ||
                testing_support::UnixName(kept).empty());
}
#endif

// A read-only project file is refused as the profile functions refuse it, with the message and
// FALSE, and keeps its bytes and its read-only state.
TEST(ProjectSave, AReadOnlyProjectFileIsRefusedAndLeftAsItWas)
{
    SaveFixture f("save_read_only");
    ASSERT_TRUE(f.project.SaveProject());
    const std::string path = CProjectFolders::Native(f.project.GetProjectFilePath());
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
#else
    ASSERT_EQ(0, chmod(path.c_str(), 0444));
#endif
    const auto before = SnapshotFolder(f.folders.Path("data"));
    f.project.m_settings.m_triadPosition = 2;
    EXPECT_FALSE(f.project.SaveProject());
    EXPECT_EQ(before, SnapshotFolder(f.folders.Path("data")));
    ASSERT_EQ(1u, f.host.messages.size());
    EXPECT_EQ("Error/ProjectSaveFailed: " + f.project.GetProjectFilePath(), f.host.messages[0]);
#ifdef _WIN32
    EXPECT_NE(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
    chmod(path.c_str(), 0644);
#endif
}

TEST(ProjectSave, TheThirtyFirstInputFileIsRefusedWithAMessage)
{
    SaveFixture f("save_inputs");
    for (int i = 0; i < CAESettings::kMaxInputFiles; ++i)
        ASSERT_TRUE(f.project.AddInputFile("m.dat"));
    EXPECT_FALSE(f.project.AddInputFile("c:\\m31.dat"));
    ASSERT_EQ(1u, f.host.messages.size());
    EXPECT_EQ("Error/TooManyInputFiles: c:\\m31.dat", f.host.messages[0]);
    ASSERT_TRUE(f.project.SaveProject());
    EXPECT_EQ("30", f.Value("Path", "InputFileCount"));
}
