// Project settings from the product INI: constructed values, every key read, the one-digit
// rewrite of "ObjectColor", numbers kept in range and the vector defaults' own keys.
#include "project/AESettings.h"

#include "core/geometry/ColorConvert.h"
#include "tests/support/ProjectTestSupport.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace
{
std::string FaceName(const LOGFONT& font)
{
    return std::string(font.lfFaceName);
}

void ExpectFont(const CFontSetting& setting, COLORREF color, LONG height, LONG width, LONG weight,
                BYTE italic, const std::string& face)
{
    EXPECT_EQ(color, setting.color);
    EXPECT_EQ(height, setting.font.lfHeight);
    EXPECT_EQ(width, setting.font.lfWidth);
    EXPECT_EQ(weight, setting.font.lfWeight);
    EXPECT_EQ(italic, setting.font.lfItalic);
    EXPECT_EQ(face, FaceName(setting.font));
    EXPECT_EQ(DEFAULT_CHARSET, setting.font.lfCharSet);
    EXPECT_EQ(OUT_OUTLINE_PRECIS, setting.font.lfOutPrecision);
    EXPECT_EQ(CLIP_STROKE_PRECIS, setting.font.lfClipPrecision);
}

const char kFullIni[] = "[Environment]\r\n"
                        "Language=English\r\n"
                        "[Material]\r\n"
                        "SameOnBothSide=0\r\n"
                        "SolidObverseObjectColor=0\r\n"
                        "SolidObverseEnvColor=16711680.000000\r\n"
                        "SolidObverseEnvOpacity=40\r\n"
                        "SolidObverseDiffColor=255.9\r\n"
                        "SolidObverseDiffOpacity=41\r\n"
                        "SolidObverseSpecColor=65280\r\n"
                        "SolidObverseSpecOpacity=42\r\n"
                        "SolidObverseEmmiColor=1\r\n"
                        "SolidObverseEmmiOpacity=43\r\n"
                        "SolidObverseShininess=70000\r\n"
                        "ShellReverseObjectColor=01\r\n"
                        "ShellReverseShininess=12\r\n"
                        "[DisplayAttribute]\r\n"
                        "GridColor=1\r\nGridSize=2\r\nSolidColor=3\r\nSolidSize=4\r\n"
                        "ShellColor=5\r\nShellSize=6\r\nMassColor=7\r\nMassSize=8\r\n"
                        "ElassColor=9\r\nElassSize=10\r\nBeamColor=11\r\nBeamSize=12\r\n"
                        "BackgroundColor=8421504\r\n"
                        "FontHeight=-16.7\r\nFontWidth=3\r\nFontWeight=700\r\nFontItalic=1\r\n"
                        "FontFaceName=Arial\r\nFontColor=65280\r\n"
                        "FontHeightElementLabel=10\r\nFontFaceNameElementLabel=Courier New\r\n"
                        "FontColorElementLabel=16711680\r\n"
                        "FontHeightNodeLabel=11\r\nFontWeightNodeLabel=400\r\n"
                        "FontFaceNameNodeLabel=Tahoma\r\n"
                        "[FileIOPaths]\r\n"
                        "MPJ=c:\\p\\\r\nOP2=c:\\o\\\r\nDAT=c:\\d\\\r\nIMG=c:\\i\\\r\n"
                        "CSV=c:\\c\\\r\nUNV=c:\\u\\\r\n"
                        "[ViewDefaultSetting]\r\n"
                        "X_Angle=30.5\r\nY_Angle=-45\r\nZ_Angle=90\r\nRigidLineView=1\r\n"
                        "ShowCentralTriad=0\r\nRefferenceTriad=5\r\nRefferenceTriadPosition=3\r\n"
                        "DisplayType=4\r\nCurveDivisions=8\r\nSelectionFilter=35\r\n"
                        "[ContourDefaluts]\r\n"
                        "SmoothContour=2\r\nReverseBand=1\r\nNoOfBands=12\r\nBandType=101\r\n"
                        "[VectorDefaluts]\r\n"
                        "IsVectorLenConst=0\r\nVectorLengthPercent=5.5\r\nVectorThickness=5\r\n"
                        "IsSameVectorColor=0\r\nVectorColorBands=7\r\nReverseBand=0\r\n"
                        "VectorPosition=3\r\nVectorArrowHeadSize=2\r\n"
                        "VectorArrowHeadPercLen=0.3\r\nVectorArrowHeadConst=0.125000\r\n"
                        "VectorArrowHeadType=2\r\nScaleFactor=2.5\r\nVectorSameColor=255.0\r\n";
} // namespace

TEST(AESettings, WithoutAnIniTakesTheConstructedAndMissingKeyValues)
{
    CProjectFolders folders("settings_no_ini");
    CAESettings settings;
    EXPECT_EQ(0u, settings.m_displayFilter);
    EXPECT_EQ(0, settings.m_triadPosition);
    EXPECT_EQ(0, settings.m_displayType);
    EXPECT_EQ(4, settings.m_curveDivisions) << "as a written 0 reads";
    EXPECT_EQ(1, settings.m_language);
    EXPECT_EQ(1, settings.m_showCentralTriad);
    EXPECT_EQ(0, settings.m_showReferenceTriad);
    EXPECT_EQ(0, settings.m_inputFileCount);
    EXPECT_EQ(CAESettings::kNoModel, settings.m_modelSource);
    EXPECT_EQ(RGB(0, 0, 0), settings.m_backgroundColor);
    for (const CFontSetting* font :
         {&settings.m_generalFont, &settings.m_elementLabelFont, &settings.m_nodeLabelFont})
        ExpectFont(*font, RGB(255, 0, 0), 0, 0, 0, 0, "");
    for (const CGLMaterial& material : settings.m_materials)
    {
        EXPECT_EQ(1, material.m_flag[0]);
        EXPECT_EQ(50, material.m_shininess[1]);
    }
    // Contour: smoothing and reverse read as 0 when missing, the rest as constructed.
    EXPECT_EQ(0, settings.m_contourDefaults.m_nBandType);
    EXPECT_EQ(0, settings.m_contourDefaults.m_bReverseBand);
    EXPECT_EQ(10, settings.m_contourDefaults.m_nBands);
    EXPECT_EQ(CResultDisplayAttr::kBands, settings.m_contourDefaults.m_nContourType);
    const CVectorDisplayAttr& vector = settings.m_vectorDefaults;
    EXPECT_TRUE(vector.IsConstantLength());
    EXPECT_DOUBLE_EQ(0.0, vector.GetLengthPercent());
    EXPECT_EQ(0, vector.GetThickness());
    EXPECT_TRUE(vector.IsSameColor());
    EXPECT_EQ(10, vector.GetNoOfBands()) << "a count the band range holds";
    EXPECT_EQ(0, vector.m_colorBands.m_bReverseBand);
    EXPECT_EQ(0, vector.GetPosition());
    EXPECT_EQ(0, vector.GetArrowHeadSize());
    EXPECT_DOUBLE_EQ(0.0, vector.GetArrowHeadPercLen());
    EXPECT_DOUBLE_EQ(0.0, vector.GetArrowHeadConst());
    EXPECT_EQ(0, vector.GetArrowHeadType());
    EXPECT_DOUBLE_EQ(0.0, vector.GetScaleFactor());
    EXPECT_FLOAT_EQ(0.0f, vector.GetColor().g);
}

TEST(AESettings, AConstructedFontIsRedFourteenPixelsInMsPGothic)
{
    LOGFONT font = {};
    SetFontFaceName(font, kDefaultFontFace);
    EXPECT_EQ(15u, std::strlen(font.lfFaceName));
    EXPECT_EQ(std::string("\x82\x6c\x82\x72 \x82\x6f"), std::string(font.lfFaceName, 7));
}

TEST(AESettings, AFullIniGivesEveryField)
{
    CProjectFolders folders("settings_full_ini");
    folders.WriteIni(kFullIni);
    CAESettings settings;
    EXPECT_EQ(0, settings.m_language);
    EXPECT_EQ(0, settings.m_sameOnBothSides);
    const CGLMaterial& solid = settings.m_materials[CAESettings::kSolidMaterial];
    EXPECT_EQ(0, solid.m_flag[0]);
    EXPECT_EQ(RGB(0, 0, 255), solid.m_ambient[0]);
    EXPECT_EQ(40, solid.m_ambientPercent[0]);
    EXPECT_EQ(255u, solid.m_diffuse[0]); // 255.9 truncated
    EXPECT_EQ(41, solid.m_diffusePercent[0]);
    EXPECT_EQ(RGB(0, 255, 0), solid.m_specular[0]);
    EXPECT_EQ(42, solid.m_specularPercent[0]);
    EXPECT_EQ(1u, solid.m_emission[0]);
    EXPECT_EQ(43, solid.m_emissionPercent[0]);
    EXPECT_EQ(100, solid.m_shininess[0]); // past the range: its end
    const CGLMaterial& shell = settings.m_materials[CAESettings::kShellMaterial];
    EXPECT_EQ(1, shell.m_flag[1]); // "01" is no one-digit flag
    EXPECT_EQ(12, shell.m_shininess[1]);

    const struct
    {
        CAESettings::EntityKind kind;
        COLORREF color;
        int size;
    } entities[] = {{CAESettings::kGrid, 1, 2},   {CAESettings::kSolid, 3, 4},
                    {CAESettings::kShell, 5, 6},  {CAESettings::kMass, 7, 8},
                    {CAESettings::kElass, 9, 10}, {CAESettings::kBeam, 11, 12}};
    for (const auto& e : entities)
    {
        EXPECT_EQ(e.color, settings.m_entityColors[e.kind]);
        EXPECT_EQ(e.size, settings.m_entitySizes[e.kind]);
    }
    EXPECT_EQ(RGB(128, 128, 128), settings.m_backgroundColor);
    ExpectFont(settings.m_generalFont, RGB(0, 255, 0), -16, 3, 700, 1, "Arial");
    ExpectFont(settings.m_elementLabelFont, RGB(0, 0, 255), 10, 0, 0, 0, "Courier New");
    ExpectFont(settings.m_nodeLabelFont, RGB(255, 0, 0), 11, 0, 400, 0, "Tahoma");

    const char* folders6[] = {"c:\\p\\", "c:\\o\\", "c:\\d\\", "c:\\i\\", "c:\\c\\", "c:\\u\\"};
    for (int i = 0; i < CAESettings::kFileIoFolders; ++i)
        EXPECT_STREQ(folders6[i], settings.m_fileIoFolders[i]);
    EXPECT_DOUBLE_EQ(30.5, settings.m_viewAngles.x);
    EXPECT_DOUBLE_EQ(-45.0, settings.m_viewAngles.y);
    EXPECT_DOUBLE_EQ(90.0, settings.m_viewAngles.z);
    EXPECT_EQ(1, settings.m_rigidLineView);
    EXPECT_EQ(0, settings.m_showCentralTriad);
    EXPECT_EQ(1, settings.m_showReferenceTriad); // "5" counts as on
    EXPECT_EQ(3, settings.m_triadPosition);
    EXPECT_EQ(4, settings.m_displayType);
    EXPECT_EQ(8, settings.m_curveDivisions);
    EXPECT_EQ(35u, settings.m_displayFilter);

    EXPECT_EQ(2, settings.m_contourDefaults.m_nBandType);
    EXPECT_EQ(1, settings.m_contourDefaults.m_bReverseBand);
    EXPECT_EQ(12, settings.m_contourDefaults.m_nBands);
    EXPECT_EQ(CResultDisplayAttr::kLines, settings.m_contourDefaults.m_nContourType);
    const CVectorDisplayAttr& vector = settings.m_vectorDefaults;
    EXPECT_FALSE(vector.IsConstantLength());
    EXPECT_DOUBLE_EQ(5.5, vector.GetLengthPercent());
    EXPECT_EQ(5, vector.GetThickness());
    EXPECT_FALSE(vector.IsSameColor());
    EXPECT_EQ(7, vector.GetNoOfBands());
    EXPECT_EQ(0, vector.m_colorBands.m_bReverseBand); // its own key, not the contour one
    EXPECT_EQ(3, vector.GetPosition());
    EXPECT_EQ(2, vector.GetArrowHeadSize());
    EXPECT_DOUBLE_EQ(0.3, vector.GetArrowHeadPercLen());
    EXPECT_DOUBLE_EQ(0.125, vector.GetArrowHeadConst());
    EXPECT_EQ(2, vector.GetArrowHeadType());
    EXPECT_DOUBLE_EQ(2.5, vector.GetScaleFactor());
    EXPECT_FLOAT_EQ(1.0f, vector.GetColor().r);
    EXPECT_FLOAT_EQ(0.0f, vector.GetColor().g);
}

TEST(AESettings, ReadingRewritesEveryObjectColorKeyInOneDigitForm)
{
    CProjectFolders folders("settings_object_color");
    folders.WriteIni("[Material]\r\nSolidObverseObjectColor=0\r\nShellReverseObjectColor=01\r\n");
    CAESettings settings;
    CAESettings again; // the rewritten file reads the same
    EXPECT_EQ(0, again.m_materials[CAESettings::kSolidMaterial].m_flag[0]);
    const std::string ini = folders.ReadIni();
    for (const char* key : {"SolidObverseObjectColor=0", "ShellObverseObjectColor=1",
                            "SolidReverseObjectColor=1", "ShellReverseObjectColor=1"})
        EXPECT_NE(std::string::npos, ini.find(key)) << key << "\n" << ini;
    EXPECT_EQ(std::string::npos, ini.find("=01"));
}

TEST(AESettings, LanguageIsEnglishOnlyForTheWordEnglish)
{
    const struct
    {
        const char* ini;
        int language;
    } cases[] = {{"[Environment]\r\nLanguage=English\r\n", 0},
                 {"[Environment]\r\nLanguage=ENGLISH\r\n", 0},
                 {"[Environment]\r\nLanguage=Japanese\r\n", 1},
                 {"[Environment]\r\nLanguage=Deutsch\r\n", 1},
                 {"[Environment]\r\n", 1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.ini);
        CProjectFolders folders("settings_language");
        folders.WriteIni(c.ini);
        CAESettings settings;
        EXPECT_EQ(c.language, settings.m_language);
    }
}

TEST(AESettings, FaceNamesAreCutToThirtyOneBytesWithoutSplittingACharacter)
{
    LOGFONT font = {};
    SetFontFaceName(font, std::string(40, 'a').c_str());
    EXPECT_EQ(std::string(31, 'a'), FaceName(font));
    // Fifteen double-byte characters and one more: the sixteenth would need bytes 31 and 32.
    std::string wide;
    for (int i = 0; i < 16; ++i)
        wide += "\x82\x60";
    SetFontFaceName(font, wide.c_str());
    EXPECT_EQ(wide.substr(0, 30), FaceName(font));
}

TEST(AESettings, BandCountsFromTheIniStayWithinTheRecord)
{
    const struct
    {
        const char* count;
        int contour;
        int vector;
    } cases[] = {{"500", 117, 117}, {"0", 1, 1}, {"117", 117, 117}, {"4294967295", 117, 117}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.count);
        CProjectFolders folders("settings_bands");
        folders.WriteIni(std::string("[ContourDefaluts]\r\nNoOfBands=") + c.count +
                         "\r\n[VectorDefaluts]\r\nVectorColorBands=" + c.count + "\r\n");
        CAESettings settings;
        EXPECT_EQ(c.contour, settings.m_contourDefaults.m_nBands);
        EXPECT_EQ(c.vector, settings.m_vectorDefaults.GetNoOfBands());
    }
}

// The ends of the ranges the settings pages keep to are read as written; a step past them gives
// the nearest end.
TEST(AESettings, TheEndsOfEachPageRangeAreKeptAndAStepPastThemGiveTheNearestEnd)
{
    using S = const CAESettings&;
    const struct
    {
        const char* section;
        const char* key;
        const char* value;
        double expected;
        std::function<double(S)> read;
    } cases[] = {
        {"DisplayAttribute", "BeamSize", "1", 1,
         [](S s) { return s.m_entitySizes[CAESettings::kBeam]; }},
        {"DisplayAttribute", "BeamSize", "20", 20,
         [](S s) { return s.m_entitySizes[CAESettings::kBeam]; }},
        {"DisplayAttribute", "BeamSize", "21", 20,
         [](S s) { return s.m_entitySizes[CAESettings::kBeam]; }},
        {"Material", "SolidObverseShininess", "100", 100,
         [](S s) { return s.m_materials[CAESettings::kSolidMaterial].m_shininess[0]; }},
        {"Material", "SolidObverseShininess", "101", 100,
         [](S s) { return s.m_materials[CAESettings::kSolidMaterial].m_shininess[0]; }},
        {"Material", "SolidObverseShininess", "128", 100,
         [](S s) { return s.m_materials[CAESettings::kSolidMaterial].m_shininess[0]; }},
        {"VectorDefaluts", "VectorArrowHeadPercLen", "1.000000", 1.0,
         [](S s) { return s.m_vectorDefaults.GetArrowHeadPercLen(); }},
        {"VectorDefaluts", "VectorArrowHeadPercLen", "1.010000", 1.0,
         [](S s) { return s.m_vectorDefaults.GetArrowHeadPercLen(); }},
        {"VectorDefaluts", "ScaleFactor", "1000000.000000", 1.0e6,
         [](S s) { return s.m_vectorDefaults.GetScaleFactor(); }},
        {"VectorDefaluts", "ScaleFactor", "1000001.000000", 1.0e6,
         [](S s) { return s.m_vectorDefaults.GetScaleFactor(); }},
        {"ViewDefaultSetting", "CurveDivisions", "16", 16, [](S s) { return s.m_curveDivisions; }},
        {"ViewDefaultSetting", "CurveDivisions", "0", 1, [](S s) { return s.m_curveDivisions; }},
    };
    int n = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        // A folder each: the profile functions may keep a file they have just read.
        CProjectFolders folders("settings_range_end_" + std::to_string(n++));
        folders.WriteIni(std::string("[") + c.section + "]\r\n" + c.key + "=" + c.value + "\r\n");
        const CAESettings settings;
        EXPECT_DOUBLE_EQ(c.expected, c.read(settings));
    }
}

TEST(AESettings, VectorReverseBandFallsBackToTheContourSection)
{
    // One folder each: the profile functions may keep a file they have just read.
    CProjectFolders contourOnly("settings_reverse_contour");
    contourOnly.WriteIni("[ContourDefaluts]\r\nReverseBand=1\r\n");
    CAESettings fromContour;
    EXPECT_EQ(1, fromContour.m_vectorDefaults.m_colorBands.m_bReverseBand);
    CProjectFolders both("settings_reverse_both");
    both.WriteIni("[ContourDefaluts]\r\nReverseBand=1\r\n[VectorDefaluts]\r\nReverseBand=0\r\n");
    CAESettings fromVector;
    EXPECT_EQ(0, fromVector.m_vectorDefaults.m_colorBands.m_bReverseBand);
}

TEST(AESettings, TheInputFileListHoldsThirty)
{
    CProjectFolders folders("settings_inputs");
    CAESettings settings;
    for (int i = 0; i < CAESettings::kMaxInputFiles; ++i)
        EXPECT_TRUE(settings.AddInputFile(CString("f") + CString(std::to_string(i))));
    EXPECT_FALSE(settings.AddInputFile("f30"));
    EXPECT_EQ(30, settings.m_inputFileCount);
    EXPECT_STREQ("f29", settings.m_inputFiles[29]);
}

namespace
{
// What a damaged INI may hold in every numeric key.
const char* const kDamaged[] = {"0", "-1", "100000", "4294967295", "abc"};
// The value of a key that is missing: "abc" is no number.
const double kAsMissing = std::numeric_limits<double>::quiet_NaN();

struct NumericKey
{
    const char* section;
    std::string key;
    std::function<double(const CAESettings&)> read;
    double expected[4]; // for "0", "-1", "100000", "4294967295"; "abc" reads as missing
};

std::vector<NumericKey> NumericKeys()
{
    using S = const CAESettings&;
    using ColorPair = COLORREF[2];
    std::vector<NumericKey> keys;
    const char* const kinds[] = {"Solid", "Shell"};
    const char* const sides[] = {"Obverse", "Reverse"};
    for (int kind = 0; kind < 2; ++kind)
    {
        for (int side = 0; side < 2; ++side)
        {
            const std::string prefix = std::string(kinds[kind]) + sides[side];
            const auto material = [kind, side](ColorPair CGLMaterial::*colors, int which)
            {
                return [=](S s)
                {
                    const CGLMaterial& m = s.m_materials[kind];
                    switch (which)
                    {
                    case 0: return double((m.*colors)[side]);
                    case 1: return double(m.m_ambientPercent[side]);
                    case 2: return double(m.m_diffusePercent[side]);
                    case 3: return double(m.m_specularPercent[side]);
                    case 4: return double(m.m_emissionPercent[side]);
                    default: return double(m.m_shininess[side]);
                    }
                };
            };
            // Numbers outside a range give its nearest end.
            const double colors[4] = {0, 0, 100000, 0xFFFFFF};
            const double percents[4] = {0, 0, 100, 100};
            const char* const colorKeys[] = {"EnvColor", "DiffColor", "SpecColor", "EmmiColor"};
            ColorPair CGLMaterial::*const colorFields[] = {
                &CGLMaterial::m_ambient, &CGLMaterial::m_diffuse, &CGLMaterial::m_specular,
                &CGLMaterial::m_emission};
            const char* const opacityKeys[] = {"EnvOpacity", "DiffOpacity", "SpecOpacity",
                                               "EmmiOpacity"};
            for (int i = 0; i < 4; ++i)
            {
                keys.push_back({"Material",
                                prefix + colorKeys[i],
                                material(colorFields[i], 0),
                                {colors[0], colors[1], colors[2], colors[3]}});
                keys.push_back({"Material",
                                prefix + opacityKeys[i],
                                material(nullptr, i + 1),
                                {percents[0], percents[1], percents[2], percents[3]}});
            }
            keys.push_back(
                {"Material", prefix + "Shininess", material(nullptr, 5), {0, 0, 100, 100}});
        }
    }
    const struct
    {
        const char* name;
        CAESettings::EntityKind kind;
    } entities[] = {{"Grid", CAESettings::kGrid},   {"Solid", CAESettings::kSolid},
                    {"Shell", CAESettings::kShell}, {"Mass", CAESettings::kMass},
                    {"Elass", CAESettings::kElass}, {"Beam", CAESettings::kBeam}};
    for (const auto& e : entities)
    {
        const CAESettings::EntityKind kind = e.kind;
        keys.push_back({"DisplayAttribute",
                        std::string(e.name) + "Color",
                        [kind](S s) { return double(s.m_entityColors[kind]); },
                        {0, 0, 100000, 0xFFFFFF}});
        keys.push_back({"DisplayAttribute",
                        std::string(e.name) + "Size",
                        [kind](S s) { return double(s.m_entitySizes[kind]); },
                        {1, 1, 20, 20}});
    }
    keys.push_back({"DisplayAttribute",
                    "BackgroundColor",
                    [](S s) { return double(s.m_backgroundColor); },
                    {0, 0, 100000, 0xFFFFFF}});
    const struct
    {
        const char* suffix;
        const CFontSetting CAESettings::*font;
    } fonts[] = {{"", &CAESettings::m_generalFont},
                 {"ElementLabel", &CAESettings::m_elementLabelFont},
                 {"NodeLabel", &CAESettings::m_nodeLabelFont}};
    for (const auto& f : fonts)
    {
        const CFontSetting CAESettings::*font = f.font;
        const std::string suffix = f.suffix;
        // Sizes of -200..200 pixels, weights of 0..1000.
        keys.push_back({"DisplayAttribute",
                        "FontHeight" + suffix,
                        [font](S s) { return double((s.*font).font.lfHeight); },
                        {0, -1, 200, 200}});
        keys.push_back({"DisplayAttribute",
                        "FontWidth" + suffix,
                        [font](S s) { return double((s.*font).font.lfWidth); },
                        {0, -1, 200, 200}});
        keys.push_back({"DisplayAttribute",
                        "FontWeight" + suffix,
                        [font](S s) { return double((s.*font).font.lfWeight); },
                        {0, 0, 1000, 1000}});
        keys.push_back({"DisplayAttribute",
                        "FontColor" + suffix,
                        [font](S s) { return double((s.*font).color); },
                        {0, 0, 100000, 0xFFFFFF}});
    }
    const std::vector<NumericKey> others = {
        // Angles are any finite number of degrees.
        {"ViewDefaultSetting",
         "X_Angle",
         [](S s) { return s.m_viewAngles.x; },
         {0, -1, 100000, 4294967295.0}},
        {"ViewDefaultSetting",
         "Y_Angle",
         [](S s) { return s.m_viewAngles.y; },
         {0, -1, 100000, 4294967295.0}},
        {"ViewDefaultSetting",
         "Z_Angle",
         [](S s) { return s.m_viewAngles.z; },
         {0, -1, 100000, 4294967295.0}},
        {"ViewDefaultSetting",
         "RefferenceTriadPosition",
         [](S s) { return double(s.m_triadPosition); },
         {0, 0, 3, 3}},
        {"ViewDefaultSetting",
         "DisplayType",
         [](S s) { return double(s.m_displayType); },
         {0, 0, 4, 4}},
        {"ViewDefaultSetting",
         "CurveDivisions",
         [](S s) { return double(s.m_curveDivisions); },
         {1, 1, 16, 16}},
        {"ViewDefaultSetting",
         "SelectionFilter",
         [](S s) { return double(s.m_displayFilter); },
         {0, 0, 63, 63}},
        // Only 2 is smooth; any other number is the plain bands.
        {"ContourDefaluts",
         "SmoothContour",
         [](S s) { return double(s.m_contourDefaults.m_nBandType); },
         {0, 0, 0, 0}},
        {"ContourDefaluts",
         "NoOfBands",
         [](S s) { return double(s.m_contourDefaults.m_nBands); },
         {1, 1, 117, 117}},
        // A contour type other than 100..102 is left as constructed.
        {"ContourDefaluts",
         "BandType",
         [](S s) { return double(s.m_contourDefaults.m_nContourType); },
         {100, 100, 100, 100}},
        {"VectorDefaluts",
         "VectorThickness",
         [](S s) { return double(s.m_vectorDefaults.GetThickness()); },
         {1, 1, 5, 5}},
        {"VectorDefaluts",
         "VectorColorBands",
         [](S s) { return double(s.m_vectorDefaults.GetNoOfBands()); },
         {1, 1, 117, 117}},
        {"VectorDefaluts",
         "VectorPosition",
         [](S s) { return double(s.m_vectorDefaults.GetPosition()); },
         {1, 1, 3, 3}},
        {"VectorDefaluts",
         "VectorArrowHeadSize",
         [](S s) { return double(s.m_vectorDefaults.GetArrowHeadSize()); },
         {1, 1, 2, 2}},
        {"VectorDefaluts",
         "VectorArrowHeadType",
         [](S s) { return double(s.m_vectorDefaults.GetArrowHeadType()); },
         {1, 1, 3, 3}},
        {"VectorDefaluts",
         "VectorArrowHeadPercLen",
         [](S s) { return s.m_vectorDefaults.GetArrowHeadPercLen(); },
         {0, 0, 1, 1}},
        {"VectorDefaluts",
         "VectorArrowHeadConst",
         [](S s) { return s.m_vectorDefaults.GetArrowHeadConst(); },
         {0, 0, 1, 1}},
        {"VectorDefaluts",
         "ScaleFactor",
         [](S s) { return s.m_vectorDefaults.GetScaleFactor(); },
         {0, 0, 100000, 1.0e6}},
        {"VectorDefaluts",
         "VectorSameColor",
         [](S s) { return double(ColorToCOLORREF(s.m_vectorDefaults.GetColor())); },
         {0, 0, 100000, 0xFFFFFF}}};
    keys.insert(keys.end(), others.begin(), others.end());
    return keys;
}

// Every key of the table holding the value, section by section.
std::string IniWithEveryKey(const std::vector<NumericKey>& keys, const std::string& value)
{
    std::string ini;
    std::string section;
    for (const NumericKey& k : keys)
    {
        if (k.section != section)
        {
            section = k.section;
            ini += "[" + section + "]\r\n";
        }
        ini += k.key + "=" + value + "\r\n";
    }
    return ini;
}

std::string ReadLogs(const CProjectFolders& folders)
{
    std::string text;
    for (const auto& entry : std::filesystem::directory_iterator(folders.Path("log")))
        text += CProjectFolders::ReadBytes(entry.path().string());
    return text;
}
} // namespace

TEST(AESettings, EveryNumericKeyStaysInItsRangeAndARefusedValueIsLogged)
{
    const std::vector<NumericKey> keys = NumericKeys();
    CProjectFolders none("settings_numbers_missing");
    const CAESettings missing;
    for (int v = 0; v < 5; ++v)
    {
        SCOPED_TRACE(kDamaged[v]);
        // A folder each: the profile functions may keep a file they have just read.
        CProjectFolders folders(std::string("settings_numbers_") + std::to_string(v));
        folders.WriteIni(IniWithEveryKey(keys, kDamaged[v]));
        const CAESettings settings;
        for (const NumericKey& k : keys)
        {
            SCOPED_TRACE(k.key);
            const double expected = v < 4 ? k.expected[v] : kAsMissing;
            EXPECT_EQ(std::isnan(expected) ? k.read(missing) : expected, k.read(settings));
        }
        const std::string log = ReadLogs(folders);
        if (v == 2)
        {
            for (const char* line :
                 {"[ViewDefaultSetting] CurveDivisions=100000 is outside 1..16: 16 is used",
                  "[Material] ShellObverseShininess=100000 is outside 0..100: 100 is used",
                  "[DisplayAttribute] FontHeight=100000 is outside -200..200: 200 is used"})
                EXPECT_NE(std::string::npos, log.find(line)) << line << "\n" << log;
        }
        if (v == 4)
        {
            const char* line = "[Material] ShellObverseShininess=abc is not a whole number: 50 is "
                               "used";
            EXPECT_NE(std::string::npos, log.find(line)) << log;
        }
    }
}
