// Section readers of the project file, except the views' (ProjectData_views.cpp). A count read
// from the file never runs a loop past what the file can hold: indexed keys are looked for
// only up to the number of entries of their section, so "ElementListCount=2000000000" costs
// no more than the lines that are there.
#include "core/model/FEElement.h"
#include "core/services/LogFile.h"
#include "io/bulk/BulkImport.h"
#include "io/op2/OP2Reader.h"
#include "io/op2/Op2Import.h"
#include "io/unv/UnvImport.h"
#include "project/ProjectData.h"
#include "project/ProjectFileAccess.h"
#include "project/ProjectHost.h"
#include "project/ProjectKeys.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace project_keys;

namespace
{
void LogWarning(const char* location, const std::string& text)
{
    CAELogFile log("Project");
    log.WriteLine(1, location, text.c_str());
}

// The count of an indexed list, kept to what the section can hold.
int BoundedCount(const char* section, const char* countKey)
{
    const int count = GetProjectIntOr(section, countKey, 0);
    const int entries = static_cast<int>(
        std::min<std::size_t>(GetCurrentProjectFileContent().GetEntryCount(section), 0x7FFFFFFF));
    return std::clamp(count, 0, entries);
}

bool EndsWithNoCase(const std::string& text, const char* ending)
{
    const std::size_t length = std::char_traits<char>::length(ending);
    if (text.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i)
    {
        char c = text[text.size() - length + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != ending[i])
            return false;
    }
    return true;
}

void ReadRealColor(const char* section, const std::string& key, COLORREF* color)
{
    double value = static_cast<double>(*color);
    if (GetProjectDouble(section, key.c_str(), &value))
        *color = static_cast<COLORREF>(TruncateToInt(value));
}

// One "ElemList" piece as an element id: a number, truncated ("12.7" is 12); false for a
// piece that is empty or not a number.
bool ParseElementId(const char* first, const char* last, int* id)
{
    const auto result = std::from_chars(first, last, *id);
    if (result.ec == std::errc() && result.ptr == last)
        return true;
    const std::string piece(first, last);
    char* end = nullptr;
    const double value = std::strtod(piece.c_str(), &end);
    if (end == piece.c_str())
        return false;
    *id = TruncateToInt(value);
    return true;
}

template <class Record>
void ReadColorTable(const char* section, const char* countKey, const char* idFormat,
                    const char* colorFormat, CModelSet& model, bool (CModelSet::*add)(int),
                    Record* (CModelSet::*lookup)(int))
{
    const int count = BoundedCount(section, countKey);
    for (int n = 1; n <= count; ++n)
    {
        int id = 0;
        double color = 0.0;
        if (!GetProjectInt(section, Numbered(idFormat, n).c_str(), &id) ||
            !GetProjectDouble(section, Numbered(colorFormat, n).c_str(), &color))
            continue;
        (model.*add)(id);
        if (Record* record = (model.*lookup)(id))
            record->color = TruncateToInt(color);
    }
}
} // namespace

void CProjectData::ReadPathSection()
{
    const int count = GetProjectIntOr("Path", "InputFileCount", 0);
    const int kept = std::clamp(count, 0, static_cast<int>(CAESettings::kMaxInputFiles));
    m_settings.m_inputFileCount = static_cast<int16_t>(kept);
    // Entries past the slots are looked for only as far as the section can hold them.
    const int listed = std::max(kept, BoundedCount("Path", "InputFileCount"));
    for (int i = 0; i < listed; ++i)
    {
        CString path;
        if (!GetProjectString("Path", Numbered("InputFile%d", i).c_str(), &path))
            continue;
        if (i < kept)
            m_settings.m_inputFiles[i] = path;
        else
            ReportError("TooManyInputFiles", ResolveInputPath(path).Str());
    }
}

// A relative entry names a file beside the project file, wherever the program runs; the entry
// itself stays as written, so that the project folder can move.
CString CProjectData::ResolveInputPath(const CString& path) const
{
    const std::string text = path.Str();
    const bool isAbsolute =
        text.empty() || text[0] == '\\' || text[0] == '/' || (text.size() >= 2 && text[1] == ':');
    if (isAbsolute || m_folder.IsEmpty())
        return path;
    return m_folder + "\\" + path;
}

void CProjectData::ReadAxisAndFont()
{
    m_settings.m_triadPosition = static_cast<int16_t>(GetProjectIntOr("Axis", "CornorPosition", 0));
    m_settings.m_showCentralTriad = static_cast<BYTE>(GetProjectFlagOr("Axis", "CornorDisplay", 0));
    m_settings.m_showReferenceTriad =
        static_cast<BYTE>(GetProjectFlagOr("Axis", "ModelOriginDisplay", 0));
    GetProjectDouble("ViewAngle", "X", &m_settings.m_viewAngles.x);
    GetProjectDouble("ViewAngle", "Y", &m_settings.m_viewAngles.y);
    GetProjectDouble("ViewAngle", "Z", &m_settings.m_viewAngles.z);

    LOGFONT& font = m_settings.m_generalFont.font;
    font.lfHeight = TruncateToInt(GetProjectDoubleOr("Font", "Height", 0.0));
    font.lfWidth = TruncateToInt(GetProjectDoubleOr("Font", "Width", 0.0));
    font.lfWeight = TruncateToInt(GetProjectDoubleOr("Font", "Weight", 0.0));
    font.lfItalic = static_cast<BYTE>(GetProjectFlagOr("Font", "Italic", 0));
    CString faceName;
    GetProjectString("Font", "FaceName", &faceName);
    SetFontFaceName(font, faceName);
    GetProjectUInt("Font", "LabelColor", &m_settings.m_generalFont.color);
    m_settings.m_modelSource =
        static_cast<int16_t>(GetProjectIntOr("Others", "ImportFile", m_settings.m_modelSource));
}

// Bulk data and universal files by extension; results come later, from the ".op2" files.
void CProjectData::ReadSolverFiles()
{
    for (int i = 0; i < m_settings.m_inputFileCount; ++i)
    {
        const std::string path = ResolveInputPath(m_settings.m_inputFiles[i]).Str();
        if (EndsWithNoCase(path, ".op2"))
            continue;
        const std::string argument = " " + path + " ... ";
        const bool isUnv = EndsWithNoCase(path, ".unv");
        if (m_host != nullptr)
            m_host->ShowMessageWithArg("Status", isUnv ? "OpeningUNVFile" : "OpeningBDFFile",
                                       "Message.str", argument.c_str());
        // The readers report their own errors; opening goes on with the next file.
        if (isUnv)
            ImportUnvFile(m_model, path, nullptr, Sink());
        else
            ImportBulkFile(m_model, path, Sink());
        m_settings.m_modelSource = isUnv ? CAESettings::kUniversalFile : CAESettings::kBulkData;
    }
}

// The reader catalogues each ".op2" file, the listed results are marked to be loaded with
// their convert switch, then one data pass per file loads them.
void CProjectData::ReadLoadedResults()
{
    std::vector<std::string> resultFiles;
    for (int i = 0; i < m_settings.m_inputFileCount; ++i)
    {
        const std::string path = ResolveInputPath(m_settings.m_inputFiles[i]).Str();
        if (EndsWithNoCase(path, ".op2"))
            resultFiles.push_back(path);
    }
    OP2Reader reader;
    for (const std::string& path : resultFiles)
        reader.readCatalogue(path, &m_model, m_model.GetElementCount() == 0, &Sink());

    const int count = BoundedCount("LoadedResults", "Count");
    for (int n = 0; n < count; ++n)
    {
        const int id =
            GetProjectIntOr("LoadedResults", Numbered("LoadedResult%dID", n).c_str(), -1);
        CResultData* result = m_model.GetResult(static_cast<UINT>(id));
        if (result == nullptr)
            continue;
        result->m_loaded = CResultData::kRequested;
        int convert = 1;
        GetProjectFlag("LoadedResults", Numbered("LoadedResult%dConvert", n).c_str(), &convert);
        result->m_average = convert != 0 ? 1 : 0;
    }
    for (const std::string& path : resultFiles)
        ReadChosenOp2Results(reader, path, &m_model, &Sink());
}

void CProjectData::ReadMaterialAndDisplay()
{
    GetProjectFlag("Material", "SameOnBothSide", &m_settings.m_sameOnBothSides);
    for (int side = 0; side < 2; ++side)
    {
        for (int kind = 0; kind < CAESettings::kMaterialKinds; ++kind)
        {
            CGLMaterial& material = m_settings.m_materials[kind];
            const std::string prefix = std::string(kMaterialWords[kind]) + kSides[side];
            const auto key = [&prefix](const char* word) { return prefix + word; };
            GetProjectFlag("Material", key("ObjectColor").c_str(), &material.m_flag[side]);
            WriteProjectFlag("Material", key("ObjectColor").c_str(),
                             static_cast<BYTE>(material.m_flag[side]));
            ReadRealColor("Material", key("EnvColor"), &material.m_ambient[side]);
            GetProjectInt("Material", key("EnvOpacity").c_str(), &material.m_ambientPercent[side]);
            ReadRealColor("Material", key("DiffColor"), &material.m_diffuse[side]);
            GetProjectInt("Material", key("DiffOpacity").c_str(), &material.m_diffusePercent[side]);
            ReadRealColor("Material", key("SpecColor"), &material.m_specular[side]);
            GetProjectInt("Material", key("SpecOpacity").c_str(),
                          &material.m_specularPercent[side]);
            ReadRealColor("Material", key("EmmiColor"), &material.m_emission[side]);
            GetProjectInt("Material", key("EmmiOpacity").c_str(),
                          &material.m_emissionPercent[side]);
            int shininess = material.m_shininess[side];
            GetProjectInt("Material", key("Shininess").c_str(), &shininess);
            material.m_shininess[side] = static_cast<int16_t>(shininess);
        }
    }
    for (const EntityKeys& keys : kEntityKeys)
    {
        GetProjectUInt("DisplayAttribute", keys.colorKey, &m_settings.m_entityColors[keys.kind]);
        GetProjectInt("DisplayAttribute", keys.sizeKey, &m_settings.m_entitySizes[keys.kind]);
    }
    GetProjectUInt("DisplayAttribute", "BackgroundColor", &m_settings.m_backgroundColor);
}

void CProjectData::ReadPropertyColors()
{
    ReadColorTable<CPropertyColor>("Property", "PropertyCount", "PropertyID %d",
                                   "PropertyID %d Color", m_model, &CModelSet::AddPropertyColor,
                                   &CModelSet::LookupPropertyColor);
}

void CProjectData::ReadMaterialColors()
{
    ReadColorTable<CMaterialColor>("Material", "MaterialCount", "MaterialID %d",
                                   "MaterialID %d Color", m_model, &CModelSet::AddMaterialColor,
                                   &CModelSet::LookupMaterialColor);
}

void CProjectData::ReadGroups()
{
    // A "Group %d" section must exist for its group to be read: a large count is kept to the
    // sections that are there.
    const int count = GetProjectIntOr("GroupSettings", "GroupCount", 0);
    std::vector<long long> numbers = GetCurrentProjectFileContent().GetNumberedSections("Group ");
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (long long number : numbers)
    {
        if (number < count)
            ReadGroup(Numbered("Group %d", static_cast<int>(number)).c_str());
    }
}

void CProjectData::ReadGroup(const char* section)
{
    int id = 0;
    GetProjectInt(section, "GroupID", &id);
    // Id 0 is the default group; an id the model holds would leave the group unowned.
    if (m_model.LookupGroup(id) != nullptr)
    {
        LogWarning("CProjectData::ReadGroups", std::string(section) + ": group id " +
                                                   std::to_string(id) +
                                                   " is already held; the group is left out");
        return;
    }
    auto group = std::make_unique<CGroupSet>();
    group->m_id = id;
    CString name;
    if (GetProjectString(section, "GroupName", &name))
        group->SetName(name);
    const int lines = BoundedCount(section, "ElementListCount");
    for (int k = 0; k < lines; ++k)
    {
        CString line;
        if (!GetProjectString(section, Numbered("ElemList %d", k).c_str(), &line))
            continue;
        const char* first = line.GetString();
        const char* const end = first + line.GetLength();
        while (first < end)
        {
            const char* comma = std::find(first, end, ',');
            int elementId = 0;
            CFEElement* element = first < comma && ParseElementId(first, comma, &elementId)
                                      ? m_model.FindElement(elementId)
                                      : nullptr;
            // The element lists its groups, so that releasing it also leaves this one.
            if (element != nullptr && group->FindElement(elementId) == nullptr &&
                group->AddElement(element))
                element->m_groups.Add(id);
            first = comma + (comma < end ? 1 : 0);
        }
    }
    m_model.AddGroup(group.release());
}
