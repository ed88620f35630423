// Section writers of the project file, except the views' (ProjectData_views.cpp).
#include "project/ProjectData.h"
#include "project/ProjectFileAccess.h"
#include "project/ProjectKeys.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

using namespace project_keys;

namespace
{
constexpr int kIdsPerLine = 10;

// A colour value written as a real: pure blue gives 16711680.000000.
void WriteRealColor(const char* section, const std::string& key, COLORREF color)
{
    WriteProjectDouble(section, key.c_str(), static_cast<double>(color));
}

// Ids of every element of the group, ascending.
std::vector<int> GroupElementIds(const CGroupSet& group)
{
    std::vector<int> ids;
    for (const CElementMap* map : {&group.GetSolids(), &group.GetShells(), &group.GetSprings(),
                                   &group.GetBeams(), &group.GetMasses()})
    {
        for (const auto& assoc : fw::Assocs(*map))
            ids.push_back(static_cast<int>(assoc.key));
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

// In ascending id order, looked up in place: a record copy would draw random colours.
template <class Record>
void WriteColorTable(const char* section, const char* countKey, const char* idFormat,
                     const char* colorFormat, const CMap<UINT, UINT, Record, const Record&>& table)
{
    const std::vector<UINT> ids = table.SortedKeys();
    WriteProjectInt(section, countKey, static_cast<int>(ids.size()));
    for (std::size_t i = 0; i < ids.size(); ++i)
    {
        const Record* record = table.PLookup(ids[i]);
        const int n = static_cast<int>(i) + 1;
        WriteProjectInt(section, Numbered(idFormat, n).c_str(), static_cast<int>(ids[i]));
        WriteRealColor(section, Numbered(colorFormat, n), static_cast<COLORREF>(record->color));
    }
}
} // namespace

void CProjectData::WritePathSection()
{
    const int count = std::clamp<int>(m_settings.m_inputFileCount, 0, CAESettings::kMaxInputFiles);
    WriteProjectInt("Path", "InputFileCount", count);
    for (int i = 0; i < count; ++i)
        WriteProjectString("Path", Numbered("InputFile%d", i).c_str(), m_settings.m_inputFiles[i]);
}

void CProjectData::WriteAxisAndFont()
{
    WriteProjectInt("Axis", "CornorPosition", m_settings.m_triadPosition);
    WriteProjectFlag("Axis", "CornorDisplay", m_settings.m_showCentralTriad);
    WriteProjectFlag("Axis", "ModelOriginDisplay", m_settings.m_showReferenceTriad);
    WriteProjectDouble("ViewAngle", "X", m_settings.m_viewAngles.x);
    WriteProjectDouble("ViewAngle", "Y", m_settings.m_viewAngles.y);
    WriteProjectDouble("ViewAngle", "Z", m_settings.m_viewAngles.z);
    const CFontSetting& font = m_settings.m_generalFont;
    WriteProjectDouble("Font", "Height", font.font.lfHeight);
    WriteProjectDouble("Font", "Width", font.font.lfWidth);
    WriteProjectDouble("Font", "Weight", font.font.lfWeight);
    WriteProjectFlag("Font", "Italic", font.font.lfItalic != 0 ? 1 : 0);
    WriteProjectString("Font", "FaceName", font.font.lfFaceName);
    WriteProjectUInt("Font", "LabelColor", font.color);
    WriteProjectInt("Others", "ImportFile", m_settings.m_modelSource);
}

void CProjectData::WriteMaterialAndDisplay()
{
    WriteProjectFlag("Material", "SameOnBothSide", static_cast<BYTE>(m_settings.m_sameOnBothSides));
    for (int side = 0; side < 2; ++side)
    {
        for (int kind = 0; kind < CAESettings::kMaterialKinds; ++kind)
        {
            const CGLMaterial& material = m_settings.m_materials[kind];
            const std::string prefix = std::string(kMaterialWords[kind]) + kSides[side];
            const auto key = [&prefix](const char* word) { return prefix + word; };
            WriteProjectFlag("Material", key("ObjectColor").c_str(),
                             static_cast<BYTE>(material.m_flag[side]));
            WriteRealColor("Material", key("EnvColor"), material.m_ambient[side]);
            WriteProjectInt("Material", key("EnvOpacity").c_str(), material.m_ambientPercent[side]);
            WriteRealColor("Material", key("DiffColor"), material.m_diffuse[side]);
            WriteProjectInt("Material", key("DiffOpacity").c_str(),
                            material.m_diffusePercent[side]);
            WriteRealColor("Material", key("SpecColor"), material.m_specular[side]);
            WriteProjectInt("Material", key("SpecOpacity").c_str(),
                            material.m_specularPercent[side]);
            WriteRealColor("Material", key("EmmiColor"), material.m_emission[side]);
            WriteProjectInt("Material", key("EmmiOpacity").c_str(),
                            material.m_emissionPercent[side]);
            WriteProjectInt("Material", key("Shininess").c_str(), material.m_shininess[side]);
        }
    }
    for (const EntityKeys& keys : kEntityKeys)
    {
        WriteProjectUInt("DisplayAttribute", keys.colorKey, m_settings.m_entityColors[keys.kind]);
        WriteProjectInt("DisplayAttribute", keys.sizeKey, m_settings.m_entitySizes[keys.kind]);
    }
    WriteProjectUInt("DisplayAttribute", "BackgroundColor", m_settings.m_backgroundColor);
}

void CProjectData::WritePropertyColors()
{
    WriteColorTable("Property", "PropertyCount", "PropertyID %d", "PropertyID %d Color",
                    m_model.GetPropertyColors());
}

void CProjectData::WriteMaterialColors()
{
    WriteColorTable("Material", "MaterialCount", "MaterialID %d", "MaterialID %d Color",
                    m_model.GetMaterialColors());
}

void CProjectData::WriteGroups()
{
    const auto& groups = m_model.GetGroups();
    std::vector<const CGroupSet*> written;
    for (const auto& [id, group] : fw::Assocs(groups))
    {
        if (group != nullptr && id != CModelSet::kDefaultGroupId)
            written.push_back(group);
    }
    const int count = static_cast<int>(written.size());
    WriteProjectInt("GroupSettings", "GroupCount", count);
    for (int n = 0; n < count; ++n)
        WriteGroup(n, *written[n]);
    // Groups of an earlier save numbered from the count on go, as stale views do.
    EraseProjectSectionsAbove("Group ", count - 1);
}

// Ten ids to a line, each followed by a comma: "12,13,14,".
void CProjectData::WriteGroup(int number, const CGroupSet& group)
{
    const std::string section = Numbered("Group %d", number);
    EraseProjectSection(section.c_str());
    WriteProjectInt(section.c_str(), "GroupID", group.m_id);
    WriteProjectString(section.c_str(), "GroupName", group.GetName());
    const std::vector<int> ids = GroupElementIds(group);
    int lines = 0;
    std::string line;
    char digits[16];
    for (std::size_t i = 0; i < ids.size(); ++i)
    {
        const auto end = std::to_chars(digits, digits + sizeof digits, ids[i]).ptr;
        line.append(digits, end).push_back(',');
        if ((i + 1) % kIdsPerLine == 0 || i + 1 == ids.size())
        {
            WriteProjectString(section.c_str(), Numbered("ElemList %d", lines++).c_str(),
                               line.c_str());
            line.clear();
        }
    }
    WriteProjectInt(section.c_str(), "ElementListCount", lines);
}

void CProjectData::WriteLoadedResults()
{
    const CResultMap& results = m_model.GetResults();
    int n = 0;
    for (const auto& [id, result] : fw::Assocs(results))
    {
        if (result == nullptr || !result->IsLoaded())
            continue;
        WriteProjectInt("LoadedResults", Numbered("LoadedResult%dID", n).c_str(),
                        static_cast<int>(id));
        WriteProjectFlag("LoadedResults", Numbered("LoadedResult%dConvert", n).c_str(),
                         result->m_average);
        ++n;
    }
    WriteProjectInt("LoadedResults", "Count", n);
}
