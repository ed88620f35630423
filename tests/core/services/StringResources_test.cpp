// Checks the shipped string files: every text the program looks up exists in both languages,
// the Japanese bytes are real code page 932, and the texts used as formats take their values.
#include "core/services/StringFile.h"
#include "core/services/TextFormat.h"
#include "tests/core/services/ServiceFolders.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
struct TextKey
{
    const char* file;
    const char* section;
    std::string key;
};

std::vector<TextKey> RequiredKeys()
{
    std::vector<TextKey> keys = {
        {"standard.str", "Error", "LangSettingNotFound"},
        {"standard.str", "Error", "LangSetting"},
        {"standard.str", "Common", "DefaultGroup"},
        {"standard.str", "Common", "Undefined"},
        {"standard.str", "CaseCombo", "Step"},
        {"standard.str", "CaseCombo", "LoadCase"},
        {"standard.str", "CaseCombo", "Mode"},
        {"standard.str", "Tree", "ResultNode"},
        {"standard.str", "Tree", "VectorNode"},
        {"standard.str", "Tree", "ScalarNode"},
        {"Dialog.str", "ResultCategory", "Elemental"},
        {"Dialog.str", "ResultCategory", "Nodal"},
        {"Dialog.str", "COMMON", "MinValue"},
        {"Dialog.str", "COMMON", "MaxValue"},
        {"Message.str", "Error", "NotFound"},
        {"Message.str", "Error", "NonSupportedElement"},
        {"Message.str", "Error", "FormatErrorAtLineNumber"},
        {"Message.str", "Error", "NonSupportedHighElement"},
        {"Message.str", "Error", "IncludeCycle"},
        {"Message.str", "Error", "UndefinedCoordSystem"},
        {"Message.str", "Error", "NoBulkData"},
        {"Message.str", "Error", "NotAFile"},
        {"Message.str", "Error", "IncludeRepeated"},
        {"Message.str", "Error", "LineTooLong"},
        {"Message.str", "Error", "ElementsMissingNodes"},
        {"Message.str", "Error", "ElementMissingNodes"},
        {"Message.str", "Error", "LogNotWritten"},
        {"Message.str", "Error", "IdsPastBound"},
        {"Message.str", "Error", "Op2TableRefused"},
        {"Message.str", "Error", "Op2EntriesRefused"},
        {"Message.str", "Error", "Op2RecordPastEnd"},
        {"Message.str", "MsgPane", "ReadFile"},
        {"Message.str", "Status", "OpeningUNVFile"},
        {"Result.str", "ResultType", "Translation"},
        {"Result.str", "ResultType", "Roatation"},
    };
    // The New Project dialog and the folder chooser.
    for (const char* key : {"ProjectNew", "CreateProject", "BlankProject", "UsingImportFile",
                            "ProjectName", "ProjectPath", "FileName"})
        keys.push_back({"Dialog.str", "ProjectNew", key});
    for (const char* key : {"Title", "Path", "CreateNew"})
        keys.push_back({"dialog.str", "DirectoryDialog", key});
    for (const char* key : {"OK", "Cancel", "NewProject"})
        keys.push_back({"Dialog.str", "COMMON", key});
    for (const char* key : {"ProjectName", "FileName", "InvalidProjectName"})
        keys.push_back({"message.str", "ProjectNew", key});
    keys.push_back({"Message.str", "Error", "FolderNotCreate"});
    keys.push_back({"message.str", "Request", "SelectFolder"});
    // The project tree's geometry heading and entity-kind switches.
    for (const char* node : {"GeometryNode", "SolidNode", "ShellNode", "BeamNode", "MassNode",
                             "ElassNode", "GRIDNode"})
        keys.push_back({"standard.str", "Tree", node});
    for (const char* word :
         {"X", "Y", "Z", "XX", "YY", "ZZ", "XY", "YZ", "ZX", "UX", "UY", "UZ", "RX", "RY", "RZ"})
        keys.push_back({"Dialog.str", "Common", std::string(word) + "Direction"});
    // Status texts of the 3-D view's display, direction and toolbar commands.
    for (const char* key :
         {"Wireframe", "Ridgline", "Shading", "Ridlneshading", "HiddenLine", "Redraw",
          "ShrinkSetting", "Autoscale", "ViewVectorXY", "ViewVectorXYZ", "ViewVectorXZ",
          "ViewVectorYX", "ViewVectorYXZ", "ViewVectorYZ", "ViewVectorZX", "ViewVectorZY",
          "ViewRelativeangle", "ViewRelativeVector", "ViewRelativeAngleR"})
        keys.push_back({"Message.str", "MsgPane", key});
    // Status texts of the 3-D view's operation modes.
    for (const char* key : {"Pan", "Zoom", "WindowZoom", "Rotate3D", "RotatePlane",
                            "RotateVertical", "RotateHorizontal"})
        keys.push_back({"Message.str", "MsgPane", key});
    for (const char* bar :
         {"ViewMode", "WorkSpace", "Dir", "Selection", "Selectionmode", "Triadposition",
          "DisplayFilters", "SelectionFilters", "Viewsettings", "Animation"})
    {
        for (const char* state : {"H", "S"})
            keys.push_back({"Message.str", "MsgPane", std::string("Toolbars") + bar + state});
    }
    for (const char* which : {"Max", "Interim", "Min"})
    {
        keys.push_back({"Result.str", "ResultType", std::string("PrincipalStress") + which});
        keys.push_back({"Result.str", "ResultType", std::string("PrincipalStressVector") + which});
    }
    // clang-format off
    for (const char* key :
         {"FileOpenError", "FileOpenError_Write", "InvalidFileFormat", "Exception",
          "Exception_write", "MandatoryDataSet_Node", "MandatoryDataSet_Element",
          "InvalidDataSet[2411]", "InvalidDataSet[15]", "InvalidDataSet[2412]", "NodeAddition",
          "ElementAddition", "InvalidElementType", "NodeException", "ElementException",
          "ResultDataSet[2414]", "ResultDataSet[55]", "ResultDataSet[56]", "ResultException",
          "IdsPastBound", "NotNumbers"})
        keys.push_back({"message.str", "UNVErrorMessages", key});
    // clang-format on
    // The framework's data-exchange failures.
    for (const char* key :
         {"ParseInt", "ParseUInt", "ParseReal", "IntRange", "RealRange", "MaxChars"})
        keys.push_back({"Message.str", "DataExchange", key});
    // The framework's own texts: prompts, failures and the idle status text.
    for (const char* key :
         {"Ready", "HelpMode", "Untitled", "AskToSave", "FailedToOpenDocument",
          "FailedToSaveDocument", "FailedToCreateDocument", "CommandFailed", "InvalidFileName"})
        keys.push_back({"Message.str", "Framework", key});
    // The framework's printing texts.
    for (const char* key : {"FailedToStartPrint", "FailedToPrint", "PrintPreview"})
        keys.push_back({"Message.str", "Framework", key});
    // The 3-D view's image, AVI and print texts.
    for (const char* key : {"JPGExtNotFound", "FileOpen", "ImageFlip", "ImageCapture"})
        keys.push_back({"Message.str", "Error", key});
    keys.push_back({"Message.str", "Confirm", "ReverseBlackAndWhite"});
    for (const char* key : {"Export", "ExportDone"})
        keys.push_back({"Message.str", "MsgPane", key});
    // The application shell's texts (the menu texts are checked against the menus).
    keys.push_back({"Message.str", "Status", "HelpNotAvailable"});
    keys.push_back({"Message.str", "MsgPane", "CreateMainView"});
    keys.push_back({"Message.str", "MsgPane", "RecommendedOpenViews"});
    keys.push_back({"Message.str", "MsgPane", "Closeproject"});
    keys.push_back({"Message.str", "Error", "Closeerr"});
    keys.push_back({"Message.str", "MsgPane", "Saveproject"});
    for (const char* key : {"Save", "ModifiedUNVFile", "SaveUNVFile", "Projexist"})
        keys.push_back({"Message.str", "Confirm", key});
    // The project and file commands and the project tree bar.
    for (const char* key : {"CreatingNewproject", "Newproject", "Openingprj", "Openproject",
                            "ProjectOpenCancelled", "ReadFile", "Dispread", "WritingFile"})
        keys.push_back({"Message.str", "MsgPane", key});
    for (const char* key : {"InvalidProjectFile", "FileOpen", "ExportNeedsView"})
        keys.push_back({"Message.str", "Error", key});
    for (const char* key : {"ProjDoesNotExists", "ProjectOpenAborted"})
        keys.push_back({"Message.str", "Status", key});
    keys.push_back({"Message.str", "Request", "SelectProjectFile"});
    keys.push_back({"standard.str", "Common", "WorkSpaceLabel"});
    keys.push_back({"Dialog.str", "COMMON", "NewProject"});
    // The result groups that the readers register, and the result names of the OUTPUT2 tables
    // with the components they store (type bits in place).
    for (const char* group : {"DISPLACEMENT",
                              "DISPLACEMENT_ACOUSTIC",
                              "EIGENVECTOR",
                              "SPC_FORCES_MPC_FORCES",
                              "ELEMENT_STRAIN_ENERGY",
                              "ELEMENT_FORCE_CROD",
                              "ELEMENT_FORCE_CBAR_34",
                              "ELEMENT_FORCE_CBAR_100",
                              "ELEMENT_FORCE_CBEAM",
                              "ELEMENT_FORCE_CBEND",
                              "ELEMENT_FORCE_CELAS",
                              "ELEMENT_FORCE_CGAP",
                              "ELEMENT_FORCE_CQUAD_CTRIA",
                              "ELEMENT_FORCE_CTRIA_CQUAD",
                              "ELEMENT_FORCE_CSHEAR",
                              "STRESS_QUAD",
                              "STRAIN_QUAD",
                              "STRESS_HEXA",
                              "STRAIN_HEXA",
                              "STRESS_SOLID",
                              "STRAIN_SOLID",
                              "GRID_POINT_STRESSES_SURFACE",
                              "GRID_POINT_STRESSES_VOLUME_DIRECT",
                              "GRID_POINT_STRESSES_VOLUME_PRINCIPAL",
                              "GRID_POINT_STRESSES_PLANE_STRAIN",
                              "STRESS",
                              "STRAIN"})
        keys.push_back({"Standard.str", "RESULT_GROUP_TITLE", group});
    for (int table : {1, 3, 4, 5, 7, 12, 18, 26, 27, 28, 35, 39})
        keys.push_back({"standard.str", "Tree", "ResultName_" + std::to_string(table)});
    std::vector<int> types = {67, 68};
    for (int t = 1; t <= 57; ++t)
        types.push_back(t);
    for (int t = 69; t <= 118; ++t)
        types.push_back(t);
    for (int t : types)
        keys.push_back({"standard.str", "Tree", "ResultSub_" + std::to_string(t << 23)});
    for (int t : {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18,
                  19, 20, 21, 22, 23, 24, 25, 27, 28, 29, 30, 31, 32, 34, 35, 36, 37})
        keys.push_back({"Result.str", "ResultType", "ResultTitle_" + std::to_string(t)});
    return keys;
}

class StringResources : public ::testing::Test
{
protected:
    StringResources()
        : m_folders("resources")
    {
        // The repository's string folder as the sibling of a (not existing) executable folder.
        SetExecutableFolder((fs::current_path() / "resources" / "bin").string());
    }

    static bool Has(const std::string& file, const std::string& section, const std::string& key,
                    const char* suffix, std::string* text)
    {
        text->clear();
        return LoadStringWithSuffix(file, section, key, suffix, text);
    }

    CServiceFolders m_folders;
};

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsCp932TrailByte(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}
} // namespace

TEST_F(StringResources, EveryLookedUpTextExistsInBothLanguages)
{
    for (const TextKey& k : RequiredKeys())
    {
        SCOPED_TRACE(std::string(k.file) + " [" + k.section + "] " + k.key);
        std::string text;
        EXPECT_TRUE(Has(k.file, k.section, k.key, "_ENG", &text));
        EXPECT_TRUE(Has(k.file, k.section, k.key, "_JPN", &text));
    }
}

TEST_F(StringResources, DefaultGroupKeepsItsNameInBothLanguages)
{
    std::string text;
    for (const char* suffix : {"_ENG", "_JPN"})
    {
        ASSERT_TRUE(Has("standard.str", "Common", "DefaultGroup", suffix, &text));
        EXPECT_EQ("DefaultGroup", text);
    }
}

TEST_F(StringResources, FormatTextsTakeTheirValuesInBothLanguages)
{
    struct FormatKey
    {
        const char* file;
        const char* section;
        const char* key;
        std::initializer_list<CFormatArg> args;
    };
    const FormatKey formats[] = {
        {"Message.str", "Error", "NonSupportedElement", {"CQUADX  ", 12}},
        {"Message.str", "Error", "FormatErrorAtLineNumber", {12}},
        {"Message.str", "Error", "NonSupportedHighElement", {"CHEXA"}},
        {"Message.str", "Error", "IncludeCycle", {"a.bdf", 7}},
        {"Message.str", "Error", "UndefinedCoordSystem", {5, 12}},
        {"Message.str", "Error", "NoBulkData", {"deck.dat"}},
        {"Message.str", "Error", "NotAFile", {"/dev/zero"}},
        {"Message.str", "Error", "IncludeRepeated", {"a.bdf", 7}},
        {"Message.str", "Error", "LineTooLong", {"a.bdf", 7, 1048576}},
        {"Message.str", "Error", "ElementsMissingNodes", {3, "element 12 without nodes 15"}},
        {"Message.str", "Error", "ElementMissingNodes", {12, "15, 16"}},
        {"Message.str", "Error", "IdsPastBound", {"a.bdf", 100000000}},
        {"Message.str", "Error", "Op2TableRefused", {"a.op2", "OEF1X", 5}},
        {"Message.str", "Error", "Op2EntriesRefused", {"a.op2", 4, "GEOM1"}},
        {"Message.str", "Error", "Op2RecordPastEnd", {"a.op2", "GEOM2"}},
        {"message.str", "UNVErrorMessages", "InvalidElementType", {41}},
        {"message.str", "UNVErrorMessages", "IdsPastBound", {100000000}},
        {"message.str", "UNVErrorMessages", "NotNumbers", {2414, 16, 2}},
        {"Message.str", "DataExchange", "IntRange", {-5, 10}},
        {"Message.str", "DataExchange", "RealRange", {"0.1", "1e+06"}},
        {"Message.str", "DataExchange", "MaxChars", {64}},
    };
    for (const FormatKey& f : formats)
    {
        for (const char* suffix : {"_ENG", "_JPN"})
        {
            SCOPED_TRACE(std::string(f.key) + suffix);
            std::string text;
            ASSERT_TRUE(Has(f.file, f.section, f.key, suffix, &text));
            EXPECT_TRUE(IsFormatSafe(text, f.args));
            EXPECT_NE(std::string::npos, text.find('%'));
        }
    }
}

// Every key of every section comes in both languages, and the bytes are code page 932.
TEST_F(StringResources, FilesPairTheLanguagesAndHoldCp932)
{
    const std::regex entry(R"(^\s*([^=]*?)_(ENG|JPN)\s*=.*$)");
    for (const char* name : {"standard.str", "Dialog.str", "Message.str", "Result.str"})
    {
        SCOPED_TRACE(name);
        const std::string bytes = ReadBytes(fs::path("resources") / "string" / name);
        ASSERT_FALSE(bytes.empty());
        for (std::size_t i = 0; i < bytes.size(); ++i)
        {
            const unsigned char c = static_cast<unsigned char>(bytes[i]);
            if (IsCp932LeadByte(c))
            {
                ASSERT_TRUE(i + 1 < bytes.size() &&
                            IsCp932TrailByte(static_cast<unsigned char>(bytes[i + 1])))
                    << "at byte " << i;
                ++i;
            }
            else
            {
                ASSERT_LT(c, 0x80) << "at byte " << i; // no single-byte katakana either
            }
        }

        std::map<std::string, std::set<std::string>> keysBySuffix;
        std::set<std::string> headers;
        std::string section;
        std::istringstream lines(bytes);
        std::string line;
        while (std::getline(lines, line))
        {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            std::smatch m;
            if (!line.empty() && line[0] == '[')
            {
                section = line;
                EXPECT_TRUE(headers.insert(section).second) << "repeated " << section;
            }
            else if (!section.empty() && std::regex_match(line, m, entry))
            {
                const std::string key = section + m[1].str();
                EXPECT_TRUE(keysBySuffix[m[2].str()].insert(key).second) << "repeated " << key;
            }
        }
        EXPECT_EQ(keysBySuffix["ENG"], keysBySuffix["JPN"]);
    }
}

// Literal lookups in the program's sources: LoadStringFromFile("file", "section", "key", ...).
TEST_F(StringResources, LiteralLookupsInTheSourcesExist)
{
    const std::regex call(
        R"re(LoadStringFromFile\s*\(\s*"([^"]+)"\s*,\s*"([^"]+)"\s*,\s*"([^"%]+)"\s*,)re");
    int checked = 0;
    for (const char* root : {"core", "io", "render", "view", "platform", "app"})
    {
        if (!fs::is_directory(root))
            continue;
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(root))
        {
            const std::string ext = e.path().extension().string();
            if (ext != ".cpp" && ext != ".h")
                continue;
            const std::string source = ReadBytes(e.path());
            for (auto it = std::sregex_iterator(source.begin(), source.end(), call);
                 it != std::sregex_iterator(); ++it)
            {
                const std::smatch& m = *it;
                SCOPED_TRACE(e.path().string() + ": " + m[1].str() + " [" + m[2].str() + "] " +
                             m[3].str());
                std::string text;
                EXPECT_TRUE(Has(m[1], m[2], m[3], "_ENG", &text));
                EXPECT_TRUE(Has(m[1], m[2], m[3], "_JPN", &text));
                ++checked;
            }
        }
    }
    RecordProperty("checked", checked);
}
