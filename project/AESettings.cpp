// Project settings: constructed values and the product INI defaults.
#include "project/AESettings.h"

#include "core/geometry/ColorConvert.h"
#include "core/services/LogFile.h"
#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "project/ProjectFileAccess.h"
#include "project/ProjectKeys.h"

#include <cstring>
#include <string>

// "ＭＳ Ｐゴシック" (MS P Gothic), split where a hex escape would run on.
const char kDefaultFontFace[] = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";

using namespace project_keys;

namespace
{
const char kMaterialSection[] = "Material";
const char kDisplaySection[] = "DisplayAttribute";
const char kViewSection[] = "ViewDefaultSetting";
const char kContourSection[] = "ContourDefaluts";
const char kVectorSection[] = "VectorDefaluts";

const char* const kFolderKeys[] = {"MPJ", "OP2", "DAT", "IMG", "CSV", "UNV"};

void InitFont(CFontSetting& setting)
{
    setting.color = RGB(255, 0, 0);
    LOGFONT& font = setting.font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = 14;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_OUTLINE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    SetFontFaceName(font, kDefaultFontFace);
}

// A real truncated into a colour value; the key is left alone when missing.
void ReadIniRealColor(const char* section, const std::string& key, COLORREF* color)
{
    double value = static_cast<double>(*color);
    if (GetIniDouble(section, key.c_str(), &value))
        *color = static_cast<COLORREF>(TruncateToInt(value));
}

void ReadIniUInt(const char* section, const std::string& key, int* target)
{
    unsigned value = static_cast<unsigned>(*target);
    if (GetIniUInt(section, key.c_str(), &value))
        *target = static_cast<int>(value);
}

void ReadIniColor(const char* section, const char* key, COLORREF* color)
{
    unsigned value = *color;
    if (GetIniUInt(section, key, &value))
        *color = value;
}

// Reads the font keys with the suffix ("", "ElementLabel", "NodeLabel"). Missing sizes read
// as 0 and a missing face name empties the name.
void ReadIniFont(const std::string& suffix, CFontSetting& setting)
{
    const auto key = [&suffix](const char* word) { return std::string(word) + suffix; };
    double height = 0.0;
    double width = 0.0;
    double weight = 0.0;
    int italic = 0;
    GetIniDouble(kDisplaySection, key("FontHeight").c_str(), &height);
    GetIniDouble(kDisplaySection, key("FontWidth").c_str(), &width);
    GetIniDouble(kDisplaySection, key("FontWeight").c_str(), &weight);
    GetIniFlag(kDisplaySection, key("FontItalic").c_str(), &italic);
    setting.font.lfHeight = TruncateToInt(height);
    setting.font.lfWidth = TruncateToInt(width);
    setting.font.lfWeight = TruncateToInt(weight);
    setting.font.lfItalic = static_cast<BYTE>(italic);
    std::string faceName;
    GetIniString(kDisplaySection, key("FontFaceName").c_str(), &faceName);
    SetFontFaceName(setting.font, faceName.c_str());
    ReadIniColor(kDisplaySection, key("FontColor").c_str(), &setting.color);
}

// An unsigned key with a default for when it is missing.
unsigned IniUIntOr(const char* section, const char* key, unsigned fallback)
{
    unsigned value = fallback;
    GetIniUInt(section, key, &value);
    return value;
}

int IniFlagOr(const char* section, const char* key, int fallback)
{
    int value = fallback;
    GetIniFlag(section, key, &value);
    return value;
}

double IniDoubleOr(const char* section, const char* key, double fallback)
{
    double value = fallback;
    GetIniDouble(section, key, &value);
    return value;
}

// A count read as unsigned into the band range: 0 and values past INT_MAX are out of range.
int IniBandCount(const char* section, const char* key, int fallback, const char* location)
{
    unsigned value = static_cast<unsigned>(fallback);
    if (!GetIniUInt(section, key, &value))
        return fallback;
    return ClampBandCount(value > 0x7FFFFFFFu ? -1 : static_cast<int>(value), location);
}
} // namespace

int ClampBandCount(int bands, const char* location)
{
    if (bands >= 1 && bands <= CResultDisplayAttr::kMaxBands)
        return bands;
    const int clamped = bands < 1 ? 1 : CResultDisplayAttr::kMaxBands;
    CAELogFile log("Project");
    log.WriteLog(1, location, "Band count %d is outside 1..%d: %d is used", bands,
                 CResultDisplayAttr::kMaxBands, clamped);
    return clamped;
}

void SetFontFaceName(LOGFONT& font, const char* faceName)
{
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    const std::size_t length = std::strlen(faceName);
    std::size_t kept = 0;
    // A double-byte character that would not fit whole is left out with its lead byte.
    while (kept < length && kept < LF_FACESIZE - 1)
    {
        const bool isLead = IsCp932LeadByte(static_cast<unsigned char>(faceName[kept]));
        const std::size_t step = isLead && kept + 1 < length ? 2 : 1;
        if (kept + step > LF_FACESIZE - 1)
            break;
        kept += step;
    }
    std::memcpy(font.lfFaceName, faceName, kept);
}

CAESettings::CAESettings()
{
    InitFont(m_generalFont);
    InitFont(m_elementLabelFont);
    InitFont(m_nodeLabelFont);
    // Visible on the black background until the INI says otherwise.
    m_entityColors[kSolid] = RGB(0, 255, 0);
    m_entityColors[kShell] = RGB(0, 255, 255);
    m_entityColors[kBeam] = RGB(255, 255, 0);
    m_entityColors[kMass] = RGB(255, 0, 255);
    m_entityColors[kElass] = RGB(255, 128, 0);
    m_entityColors[kGrid] = RGB(255, 255, 255);
    for (int& size : m_entitySizes)
        size = 1;
    m_entitySizes[kGrid] = 3;
    LoadIniSettings();
}

CAESettings::~CAESettings() = default;

bool CAESettings::AddInputFile(const CString& path)
{
    if (m_inputFileCount < 0 || m_inputFileCount >= kMaxInputFiles)
        return false;
    m_inputFiles[m_inputFileCount++] = path;
    return true;
}

void CAESettings::LoadIniSettings()
{
    LoadMaterials();
    LoadDisplayAttributes();
    std::string language;
    if (GetIniString("Environment", "Language", &language))
        m_language = CString(language).CompareNoCase("English") == 0 ? 0 : 1;
    LoadFolders();
    LoadFonts();
    LoadViewDefaults();
    LoadContourDefaults();
    LoadVectorDefaults();
}

void CAESettings::LoadMaterials()
{
    m_sameOnBothSides = IniFlagOr(kMaterialSection, "SameOnBothSide", m_sameOnBothSides);
    for (int side = 0; side < 2; ++side)
    {
        for (int kind = 0; kind < kMaterialKinds; ++kind)
        {
            CGLMaterial& material = m_materials[kind];
            const std::string prefix = std::string(kMaterialWords[kind]) + kSides[side];
            const std::string flagKey = prefix + "ObjectColor";
            GetIniFlag(kMaterialSection, flagKey.c_str(), &material.m_flag[side]);
            // The switch goes back in its one-digit form, created when it was missing.
            SetIniFlag(kMaterialSection, flagKey.c_str(), material.m_flag[side]);
            ReadIniRealColor(kMaterialSection, prefix + "EnvColor", &material.m_ambient[side]);
            ReadIniUInt(kMaterialSection, prefix + "EnvOpacity", &material.m_ambientPercent[side]);
            ReadIniRealColor(kMaterialSection, prefix + "DiffColor", &material.m_diffuse[side]);
            ReadIniUInt(kMaterialSection, prefix + "DiffOpacity", &material.m_diffusePercent[side]);
            ReadIniRealColor(kMaterialSection, prefix + "SpecColor", &material.m_specular[side]);
            ReadIniUInt(kMaterialSection, prefix + "SpecOpacity",
                        &material.m_specularPercent[side]);
            ReadIniRealColor(kMaterialSection, prefix + "EmmiColor", &material.m_emission[side]);
            ReadIniUInt(kMaterialSection, prefix + "EmmiOpacity",
                        &material.m_emissionPercent[side]);
            int shininess = material.m_shininess[side];
            ReadIniUInt(kMaterialSection, prefix + "Shininess", &shininess);
            material.m_shininess[side] = static_cast<int16_t>(shininess);
        }
    }
}

void CAESettings::LoadDisplayAttributes()
{
    for (const EntityKeys& keys : kEntityKeys)
    {
        ReadIniColor(kDisplaySection, keys.colorKey, &m_entityColors[keys.kind]);
        ReadIniUInt(kDisplaySection, keys.sizeKey, &m_entitySizes[keys.kind]);
    }
    ReadIniColor(kDisplaySection, "BackgroundColor", &m_backgroundColor);
}

void CAESettings::LoadFolders()
{
    for (int i = 0; i < kFileIoFolders; ++i)
        GetIniString("FileIOPaths", kFolderKeys[i], &m_fileIoFolders[i]);
}

void CAESettings::LoadFonts()
{
    ReadIniFont("", m_generalFont);
    ReadIniFont("ElementLabel", m_elementLabelFont);
    ReadIniFont("NodeLabel", m_nodeLabelFont);
}

void CAESettings::LoadViewDefaults()
{
    m_viewAngles.x = IniDoubleOr(kViewSection, "X_Angle", m_viewAngles.x);
    m_viewAngles.y = IniDoubleOr(kViewSection, "Y_Angle", m_viewAngles.y);
    m_viewAngles.z = IniDoubleOr(kViewSection, "Z_Angle", m_viewAngles.z);
    m_rigidLineView =
        static_cast<int16_t>(IniFlagOr(kViewSection, "RigidLineView", m_rigidLineView));
    m_showCentralTriad =
        static_cast<BYTE>(IniFlagOr(kViewSection, "ShowCentralTriad", m_showCentralTriad));
    m_showReferenceTriad = IniFlagOr(kViewSection, "RefferenceTriad", 0) != 0 ? 1 : 0;
    m_triadPosition = static_cast<int16_t>(IniUIntOr(kViewSection, "RefferenceTriadPosition", 0));
    m_displayType = static_cast<int16_t>(IniUIntOr(kViewSection, "DisplayType", 0));
    m_curveDivisions = static_cast<int>(IniUIntOr(kViewSection, "CurveDivisions", 0));
    m_displayFilter = IniUIntOr(kViewSection, "SelectionFilter", 0);
}

void CAESettings::LoadContourDefaults()
{
    CResultDisplayAttr& contour = m_contourDefaults;
    contour.m_nBandType =
        static_cast<unsigned char>(IniUIntOr(kContourSection, "SmoothContour", 0));
    contour.m_bReverseBand =
        static_cast<unsigned char>(IniFlagOr(kContourSection, "ReverseBand", 0));
    contour.m_nBands = IniBandCount(kContourSection, "NoOfBands", contour.m_nBands,
                                    "CAESettings::LoadContourDefaults");
    contour.m_nContourType =
        static_cast<int>(IniUIntOr(kContourSection, "BandType", contour.m_nContourType));
}

void CAESettings::LoadVectorDefaults()
{
    CVectorDisplayAttr& vector = m_vectorDefaults;
    vector.SetConstantLength(IniFlagOr(kVectorSection, "IsVectorLenConst", 1) != 0);
    vector.SetLengthPercent(IniDoubleOr(kVectorSection, "VectorLengthPercent", 0.0));
    vector.SetThickness(static_cast<int16_t>(IniUIntOr(kVectorSection, "VectorThickness", 0)));
    vector.SetSameColor(IniFlagOr(kVectorSection, "IsSameVectorColor", 1) != 0);
    // A missing count stays 0; a count that is read is kept to the band range.
    vector.SetNoOfBands(
        IniBandCount(kVectorSection, "VectorColorBands", 0, "CAESettings::LoadVectorDefaults"));
    // The vector page stores its reverse switch here; older files have only the contour one.
    const int contourReverse = IniFlagOr(kContourSection, "ReverseBand", 0);
    vector.m_colorBands.m_bReverseBand =
        static_cast<unsigned char>(IniFlagOr(kVectorSection, "ReverseBand", contourReverse));
    vector.SetPosition(static_cast<int16_t>(IniUIntOr(kVectorSection, "VectorPosition", 0)));
    vector.SetArrowHeadSize(
        static_cast<int16_t>(IniUIntOr(kVectorSection, "VectorArrowHeadSize", 0)));
    vector.SetArrowHeadPercLen(IniDoubleOr(kVectorSection, "VectorArrowHeadPercLen", 0.0));
    vector.SetArrowHeadConst(IniDoubleOr(kVectorSection, "VectorArrowHeadConst", 0.0));
    vector.SetArrowHeadType(
        static_cast<int16_t>(IniUIntOr(kVectorSection, "VectorArrowHeadType", 0)));
    vector.SetScaleFactor(IniDoubleOr(kVectorSection, "ScaleFactor", 0.0));
    const double color = IniDoubleOr(kVectorSection, "VectorSameColor", 0.0);
    vector.SetColor(COLORREFToColor(static_cast<COLORREF>(TruncateToInt(color))));
}
