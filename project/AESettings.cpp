// Project settings: constructed values and the product INI defaults.
#include "project/AESettings.h"

#include "core/geometry/ColorConvert.h"
#include "core/services/LogFile.h"
#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "project/ProjectFileAccess.h"
#include "project/ProjectKeys.h"
#include "project/SettingRanges.h"

#include <cstdio>
#include <cstring>
#include <string>

// "ＭＳ Ｐゴシック" (MS P Gothic), split where a hex escape would run on.
const char kDefaultFontFace[] = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";

using namespace project_keys;
using namespace setting_ranges;

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

// A real cut into a colour value; the colour is left alone when the key is missing.
void ReadIniRealColor(const char* section, const std::string& key, COLORREF* color)
{
    const double value = ReadIniReal(section, key.c_str(), kRealColor, *color);
    *color = static_cast<COLORREF>(TruncateToInt(value));
}

void ReadIniPercent(const std::string& key, int* percent)
{
    *percent = ReadIniInt(kMaterialSection, key.c_str(), kOpacityPercent, *percent);
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
} // namespace

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
    ReadIniMaterials(m_materials, m_sameOnBothSides);
    // The switches go back in their one-digit form, created when they were missing.
    for (int side = 0; side < 2; ++side)
    {
        for (int kind = 0; kind < kMaterialKinds; ++kind)
        {
            const std::string key =
                std::string(kMaterialWords[kind]) + kSides[side] + "ObjectColor";
            SetIniFlag(kMaterialSection, key.c_str(), m_materials[kind].m_flag[side]);
        }
    }
}

void CAESettings::LoadDisplayAttributes()
{
    for (const EntityKeys& keys : kEntityKeys)
    {
        m_entityColors[keys.kind] =
            ReadIniColor(kDisplaySection, keys.colorKey, m_entityColors[keys.kind]);
        m_entitySizes[keys.kind] =
            ReadIniInt(kDisplaySection, keys.sizeKey, kEntitySize, m_entitySizes[keys.kind]);
    }
    m_backgroundColor = ReadIniColor(kDisplaySection, "BackgroundColor", m_backgroundColor);
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
    // Missing keys read as 0.
    m_triadPosition =
        static_cast<int16_t>(ReadIniInt(kViewSection, "RefferenceTriadPosition", kTriadCorner, 0));
    m_displayType = static_cast<int16_t>(ReadIniInt(kViewSection, "DisplayType", kDisplayMode, 0));
    m_curveDivisions =
        ReadIniInt(kViewSection, "CurveDivisions", kCurveDivisions, kDefaultCurveDivisions);
    m_displayFilter =
        static_cast<DWORD>(ReadIniInt(kViewSection, "SelectionFilter", kDisplayFilter, 0));
}

void CAESettings::LoadContourDefaults()
{
    CResultDisplayAttr& contour = m_contourDefaults;
    // Missing switches read as 0.
    contour.m_nBandType = 0;
    contour.m_bReverseBand = 0;
    ReadIniContourDefaults(contour);
}

void CAESettings::LoadVectorDefaults()
{
    ReadIniVectorDefaults(m_vectorDefaults);
}

COLORREF ReadIniColor(const char* section, const char* key, COLORREF missing)
{
    return static_cast<COLORREF>(ReadIniInt(section, key, kColor, static_cast<int>(missing)));
}

void ReadIniFont(const char* suffix, CFontSetting& setting)
{
    const auto key = [suffix](const char* word) { return std::string(word) + suffix; };
    LOGFONT& font = setting.font;
    font.lfHeight =
        TruncateToInt(ReadIniReal(kDisplaySection, key("FontHeight").c_str(), kFontSize, 0.0));
    font.lfWidth =
        TruncateToInt(ReadIniReal(kDisplaySection, key("FontWidth").c_str(), kFontSize, 0.0));
    font.lfWeight =
        TruncateToInt(ReadIniReal(kDisplaySection, key("FontWeight").c_str(), kFontWeight, 0.0));
    font.lfItalic = static_cast<BYTE>(IniFlagOr(kDisplaySection, key("FontItalic").c_str(), 0));
    std::string faceName;
    GetIniString(kDisplaySection, key("FontFaceName").c_str(), &faceName);
    SetFontFaceName(font, faceName.c_str());
    setting.color = ReadIniColor(kDisplaySection, key("FontColor").c_str(), setting.color);
}

void ReadIniContourDefaults(CResultDisplayAttr& contour)
{
    // Smooth bands are 2; any other number is the bands' plain form, which is all the renderer
    // draws besides them.
    unsigned smooth = 0;
    if (GetIniUInt(kContourSection, "SmoothContour", &smooth))
        contour.m_nBandType = static_cast<unsigned char>(smooth == 2 ? 2 : 0);
    int reverse = 0;
    if (GetIniFlag(kContourSection, "ReverseBand", &reverse))
        contour.m_bReverseBand = static_cast<unsigned char>(reverse);
    contour.m_nBands = ReadIniInt(kContourSection, "NoOfBands", kBandCount, contour.m_nBands);
    unsigned type = 0;
    if (GetIniUInt(kContourSection, "BandType", &type) && type >= CResultDisplayAttr::kBands &&
        type <= CResultDisplayAttr::kIsoSurface)
        contour.m_nContourType = static_cast<int>(type);
}

void ReadIniMaterials(CGLMaterial (&materials)[CAESettings::kMaterialKinds], int& sameOnBothSides)
{
    sameOnBothSides = IniFlagOr(kMaterialSection, "SameOnBothSide", sameOnBothSides);
    for (int side = 0; side < 2; ++side)
    {
        for (int kind = 0; kind < CAESettings::kMaterialKinds; ++kind)
        {
            CGLMaterial& material = materials[kind];
            const std::string prefix = std::string(kMaterialWords[kind]) + kSides[side];
            GetIniFlag(kMaterialSection, (prefix + "ObjectColor").c_str(), &material.m_flag[side]);
            ReadIniRealColor(kMaterialSection, prefix + "EnvColor", &material.m_ambient[side]);
            ReadIniPercent(prefix + "EnvOpacity", &material.m_ambientPercent[side]);
            ReadIniRealColor(kMaterialSection, prefix + "DiffColor", &material.m_diffuse[side]);
            ReadIniPercent(prefix + "DiffOpacity", &material.m_diffusePercent[side]);
            ReadIniRealColor(kMaterialSection, prefix + "SpecColor", &material.m_specular[side]);
            ReadIniPercent(prefix + "SpecOpacity", &material.m_specularPercent[side]);
            ReadIniRealColor(kMaterialSection, prefix + "EmmiColor", &material.m_emission[side]);
            ReadIniPercent(prefix + "EmmiOpacity", &material.m_emissionPercent[side]);
            material.m_shininess[side] =
                static_cast<int16_t>(ReadIniInt(kMaterialSection, (prefix + "Shininess").c_str(),
                                                kShininess, material.m_shininess[side]));
        }
    }
}

void ReadIniVectorDefaults(CVectorDisplayAttr& vector)
{
    const CVectorDisplayAttr constructed;
    // Missing codes and reals read as 0.
    const auto code = [](const char* key, const CIntRange& range)
    { return static_cast<int16_t>(ReadIniInt(kVectorSection, key, range, 0)); };
    const auto fraction = [](const char* key)
    { return ReadIniReal(kVectorSection, key, kArrowHeadFraction, 0.0); };
    vector.SetConstantLength(IniFlagOr(kVectorSection, "IsVectorLenConst", 1) != 0);
    vector.SetLengthPercent(IniDoubleOr(kVectorSection, "VectorLengthPercent", 0.0));
    vector.SetThickness(code("VectorThickness", kVectorThickness));
    vector.SetSameColor(IniFlagOr(kVectorSection, "IsSameVectorColor", 1) != 0);
    // A missing count is the constructed one.
    vector.SetNoOfBands(
        ReadIniInt(kVectorSection, "VectorColorBands", kBandCount, constructed.GetNoOfBands()));
    // The vector page stores its reverse switch here; older files have only the contour one.
    const int contourReverse = IniFlagOr(kContourSection, "ReverseBand", 0);
    vector.m_colorBands.m_bReverseBand =
        static_cast<unsigned char>(IniFlagOr(kVectorSection, "ReverseBand", contourReverse));
    vector.SetPosition(code("VectorPosition", kVectorPosition));
    vector.SetArrowHeadSize(code("VectorArrowHeadSize", kArrowHeadMode));
    vector.SetArrowHeadPercLen(fraction("VectorArrowHeadPercLen"));
    vector.SetArrowHeadConst(fraction("VectorArrowHeadConst"));
    vector.SetArrowHeadType(code("VectorArrowHeadType", kArrowHeadType));
    vector.SetScaleFactor(ReadIniReal(kVectorSection, "ScaleFactor", kScaleFactor, 0.0));
    const double color = ReadIniReal(kVectorSection, "VectorSameColor", kRealColor, 0.0);
    vector.SetColor(COLORREFToColor(static_cast<COLORREF>(TruncateToInt(color))));
}
