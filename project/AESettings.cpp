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

constexpr unsigned kMaxColor = 0xFFFFFF; // Windows colour values: blue, green, red bytes
constexpr double kMaxRealColor = kMaxColor + 0.999999; // truncated to kMaxColor
constexpr CRealRange kRealColor{0.0, kMaxRealColor};
// The weights a LOGFONT knows.
constexpr int kMaxFontWeight = 1000;
// Font sizes in pixels, either sign: larger letters fill the view or vanish.
constexpr double kMaxFontSize = 200.0;

long long IniWholeInRange(const char* section, const char* key, long long missing, long long low,
                          long long high, long long fallback)
{
    return ReadIniWhole(section, key, missing, low, high, fallback);
}

double IniRealInRange(const char* section, const char* key, double missing, double low, double high,
                      double fallback)
{
    return ReadIniReal(section, key, CRealRange{low, high}, missing, fallback);
}

int IniIntInRange(const char* section, const std::string& key, int missing, const CIntRange& range,
                  int fallback)
{
    return ReadIniInt(section, key.c_str(), range, missing, fallback);
}

// A real truncated into a colour value; the key is left alone when missing.
void ReadIniRealColor(const char* section, const std::string& key, COLORREF* color)
{
    const double value = ReadIniReal(section, key.c_str(), kRealColor, *color, *color);
    *color = static_cast<COLORREF>(TruncateToInt(value));
}

void ReadIniPercent(const std::string& key, int* percent)
{
    *percent =
        IniIntInRange(kMaterialSection, key, *percent, setting_ranges::kOpacityPercent, *percent);
}

void ReadIniColor(const char* section, const char* key, COLORREF* color)
{
    *color = static_cast<COLORREF>(IniWholeInRange(section, key, *color, 0, kMaxColor, *color));
}

// Reads the font keys with the suffix ("", "ElementLabel", "NodeLabel"). Missing sizes read
// as 0 and a missing face name empties the name; a size out of range keeps the constructed one.
void ReadIniFont(const std::string& suffix, CFontSetting& setting)
{
    const auto key = [&suffix](const char* word) { return std::string(word) + suffix; };
    LOGFONT& font = setting.font;
    const double height = IniRealInRange(kDisplaySection, key("FontHeight").c_str(), 0.0,
                                         -kMaxFontSize, kMaxFontSize, font.lfHeight);
    const double width = IniRealInRange(kDisplaySection, key("FontWidth").c_str(), 0.0,
                                        -kMaxFontSize, kMaxFontSize, font.lfWidth);
    const double weight = IniRealInRange(kDisplaySection, key("FontWeight").c_str(), 0.0, 0.0,
                                         kMaxFontWeight, font.lfWeight);
    int italic = 0;
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
    if (CResultDisplayAttr::IsBandCountValid(bands))
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
        ReadIniColor(kDisplaySection, keys.colorKey, &m_entityColors[keys.kind]);
        int& size = m_entitySizes[keys.kind];
        size =
            IniIntInRange(kDisplaySection, keys.sizeKey, size, setting_ranges::kEntitySize, size);
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
    // Missing keys read as 0; a value out of range gives the constructed one.
    m_triadPosition = static_cast<int16_t>(
        IniIntInRange(kViewSection, "RefferenceTriadPosition", 0, {0, 3}, m_triadPosition));
    m_displayType =
        static_cast<int16_t>(IniIntInRange(kViewSection, "DisplayType", 0, {0, 4}, m_displayType));
    // A missing count is the default, as a count out of range is.
    m_curveDivisions =
        IniIntInRange(kViewSection, "CurveDivisions", setting_ranges::kDefaultCurveDivisions,
                      setting_ranges::kCurveDivisions, setting_ranges::kDefaultCurveDivisions);
    m_displayFilter = static_cast<DWORD>(
        IniWholeInRange(kViewSection, "SelectionFilter", 0, 0, kKindAll, kKindAll));
}

void CAESettings::LoadContourDefaults()
{
    CResultDisplayAttr& contour = m_contourDefaults;
    const CResultDisplayAttr constructed;
    contour.m_nBandType = static_cast<unsigned char>(
        IniIntInRange(kContourSection, "SmoothContour", 0, {0, 2}, constructed.m_nBandType));
    contour.m_bReverseBand =
        static_cast<unsigned char>(IniFlagOr(kContourSection, "ReverseBand", 0));
    contour.m_nBands = IniBandCount(kContourSection, "NoOfBands", contour.m_nBands,
                                    "CAESettings::LoadContourDefaults");
    contour.m_nContourType = IniIntInRange(
        kContourSection, "BandType", contour.m_nContourType,
        {CResultDisplayAttr::kBands, CResultDisplayAttr::kIsoSurface}, constructed.m_nContourType);
}

void CAESettings::LoadVectorDefaults()
{
    ReadIniVectorDefaults(m_vectorDefaults);
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
            const int shininess = material.m_shininess[side];
            material.m_shininess[side] = static_cast<int16_t>(
                IniIntInRange(kMaterialSection, prefix + "Shininess", shininess,
                              setting_ranges::kShininess, shininess));
        }
    }
}

void ReadIniVectorDefaults(CVectorDisplayAttr& vector)
{
    const CVectorDisplayAttr constructed;
    // Missing codes and reals read as 0; a value out of range gives the constructed one.
    const auto code = [](const char* key, int high, int16_t fallback) {
        return static_cast<int16_t>(IniIntInRange(kVectorSection, key, 0, {1, high}, fallback));
    };
    const auto fraction = [](const char* key, double fallback)
    { return ReadIniReal(kVectorSection, key, setting_ranges::kArrowHeadFraction, 0.0, fallback); };
    vector.SetConstantLength(IniFlagOr(kVectorSection, "IsVectorLenConst", 1) != 0);
    vector.SetLengthPercent(IniDoubleOr(kVectorSection, "VectorLengthPercent", 0.0));
    vector.SetThickness(code("VectorThickness", 5, constructed.GetThickness()));
    vector.SetSameColor(IniFlagOr(kVectorSection, "IsSameVectorColor", 1) != 0);
    // A missing count is the constructed one; a count that is read is kept to the band range.
    vector.SetNoOfBands(IniBandCount(kVectorSection, "VectorColorBands", constructed.GetNoOfBands(),
                                     "CAESettings::LoadVectorDefaults"));
    // The vector page stores its reverse switch here; older files have only the contour one.
    const int contourReverse = IniFlagOr(kContourSection, "ReverseBand", 0);
    vector.m_colorBands.m_bReverseBand =
        static_cast<unsigned char>(IniFlagOr(kVectorSection, "ReverseBand", contourReverse));
    vector.SetPosition(code("VectorPosition", 3, constructed.GetPosition()));
    vector.SetArrowHeadSize(code("VectorArrowHeadSize", 2, constructed.GetArrowHeadSize()));
    vector.SetArrowHeadPercLen(
        fraction("VectorArrowHeadPercLen", constructed.GetArrowHeadPercLen()));
    vector.SetArrowHeadConst(fraction("VectorArrowHeadConst", constructed.GetArrowHeadConst()));
    vector.SetArrowHeadType(code("VectorArrowHeadType", 3, constructed.GetArrowHeadType()));
    vector.SetScaleFactor(ReadIniReal(kVectorSection, "ScaleFactor", setting_ranges::kScaleFactor,
                                      0.0, constructed.GetScaleFactor()));
    const double color = IniRealInRange(kVectorSection, "VectorSameColor", 0.0, 0.0, kMaxRealColor,
                                        ColorToCOLORREF(constructed.GetColor()));
    vector.SetColor(COLORREFToColor(static_cast<COLORREF>(TruncateToInt(color))));
}
