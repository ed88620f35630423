// The display attribute page under Wine: defaults loaded from and saved to the product INI
// (fonts, italics, the language in any letter case), and OK that copies the page into the
// project, tells a new background to the views and writes the language at once; the shipped
// INI's fonts named on their buttons in both languages.
#include "dialogs/settings/DisplayAttSettingsDlg.h"

#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using dialogs_test::SettingsPageFixture;

using DisplayAttSettingsDlg = SettingsPageFixture;

TEST_F(DisplayAttSettingsDlg, LoadDefaultsReadsFontsColoursAndTheLanguage)
{
    const struct
    {
        const char* language;
        bool isEnglish;
    } kLanguages[] = {{"English", true},
                      {"english", true},
                      {"ENGLISH", true},
                      {"Japanese", false},
                      {"Klingon", false}};
    for (const auto& language : kLanguages)
    {
        SCOPED_TRACE(language.language);
        WriteIni(std::string("[DisplayAttribute]\r\nFontHeight=-13.000000\r\nFontWidth=0.000000\r\n"
                             "FontFaceName=Arial\r\nFontItalic=1\r\nGridColor=255\r\n"
                             "GridSize=4\r\n[Environment]\r\nLanguage=") +
                 language.language + "\r\n");
        CProjectData& project = MakeProject();
        project.m_settings.m_generalFont.font.lfWeight = 700;
        project.m_settings.m_entityColors[CAESettings::kShell] = RGB(1, 2, 3);
        CDisplayAttSettingsDlg page;
        const HWND window = Open(page);
        Click(window, IDC_SETTINGS_LOAD_DEFAULT);
        EXPECT_EQ(-13, page.m_fonts[CDisplayAttSettingsDlg::kGeneralFont].font.lfHeight);
        EXPECT_EQ(0, page.m_fonts[CDisplayAttSettingsDlg::kGeneralFont].font.lfWeight)
            << "a missing weight is the font's default";
        EXPECT_EQ(1, page.m_fonts[CDisplayAttSettingsDlg::kGeneralFont].font.lfItalic);
        EXPECT_EQ("Arial", ControlText(window, IDC_DISPLAY_FONT));
        EXPECT_EQ(RGB(255, 0, 0), page.m_colors[CAESettings::kGrid]);
        EXPECT_EQ(RGB(1, 2, 3), page.m_colors[CAESettings::kShell]) << "a missing colour stays";
        EXPECT_EQ("4", ControlText(window, IDC_DISPLAY_GRID_SIZE));
        EXPECT_EQ(language.isEnglish,
                  ::IsDlgButtonChecked(window, IDC_DISPLAY_ENGLISH) == BST_CHECKED);
        EXPECT_EQ(700, project.m_settings.m_generalFont.font.lfWeight) << "nothing before Apply";
        PressOk();
        EXPECT_EQ(-13, project.m_settings.m_generalFont.font.lfHeight);
        EXPECT_EQ(language.isEnglish ? 0 : 1, project.m_settings.m_language);
        EXPECT_EQ(language.isEnglish ? "English" : "Japanese", IniValue("Environment", "Language"));
    }
}

TEST_F(DisplayAttSettingsDlg, SaveDefaultsWritesEveryKeyAndItalicAsOneDigit)
{
    CProjectData& project = MakeProject();
    project.m_settings.m_nodeLabelFont.font.lfItalic = 200;
    project.m_settings.m_backgroundColor = RGB(0, 0, 128);
    project.m_settings.m_language = 0;
    CDisplayAttSettingsDlg page;
    const HWND window = Open(page);
    Click(window, IDC_SETTINGS_SAVE_DEFAULT);
    EXPECT_EQ("1", IniValue("DisplayAttribute", "FontItalicNodeLabel"));
    EXPECT_EQ("8388608", IniValue("DisplayAttribute", "BackgroundColor"));
    EXPECT_EQ("English", IniValue("Environment", "Language"));
    for (const char* key : {"GridColor", "GridSize", "BeamSize", "FontHeight", "FontWeight",
                            "FontWidthElementLabel", "FontColorNodeLabel"})
        EXPECT_FALSE(IniValue("DisplayAttribute", key).empty()) << key;
    EXPECT_FALSE(page.IsPageModified()) << "saving is no change of the page";
}

TEST_F(DisplayAttSettingsDlg, OkTellsTheViewsOnlyAChangedBackground)
{
    CProjectData& project = MakeProject();
    project.m_settings.m_backgroundColor = RGB(0, 0, 0);
    {
        CDisplayAttSettingsDlg page;
        const HWND window = Open(page);
        ::SetDlgItemTextA(window, IDC_DISPLAY_SOLID_SIZE, "3");
        PressOk();
        EXPECT_EQ(3, project.m_settings.m_entitySizes[CAESettings::kSolid]);
        EXPECT_TRUE(m_host.backgrounds.empty());
        EXPECT_EQ(1, m_host.applyCount);
    }
    WriteIni("[DisplayAttribute]\r\nBackgroundColor=65280\r\n");
    CDisplayAttSettingsDlg page;
    const HWND window = Open(page);
    Click(window, IDC_SETTINGS_LOAD_DEFAULT);
    PressApply();
    EXPECT_EQ(std::vector<COLORREF>{RGB(0, 255, 0)}, m_host.backgrounds);
    EXPECT_EQ(RGB(0, 255, 0), project.m_settings.m_backgroundColor);
}

namespace
{
// Pixels of the control's face, inside its edges, that are dark (text drawn on it).
int DarkPixels(HWND control)
{
    RECT client = {};
    ::GetClientRect(control, &client);
    const HDC dc = ::GetDC(control);
    int dark = 0;
    for (int y = client.top + 4; y < client.bottom - 4; ++y)
    {
        for (int x = client.left + 4; x < client.right - 4; ++x)
        {
            const COLORREF pixel = ::GetPixel(dc, x, y);
            dark += GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 300 ? 1 : 0;
        }
    }
    ::ReleaseDC(control, dc);
    return dark;
}
} // namespace

TEST_F(DisplayAttSettingsDlg, TheShippedIniNamesEveryFontOnItsButtonInBothLanguages)
{
    std::ifstream shipped("resources/ini/Gravik.ini", std::ios::binary);
    const std::string ini((std::istreambuf_iterator<char>(shipped)), {});
    ASSERT_FALSE(ini.empty());
    WriteIni(ini);
    for (const char* language : {"_ENG", "_JPN"})
    {
        SCOPED_TRACE(language);
        SetLanguage(language);
        CProjectData& project = MakeProject();
        project.m_settings.LoadIniSettings();
        CDisplayAttSettingsDlg page;
        const HWND window = Open(page);
        ::SetForegroundWindow(::GetParent(window));
        fw::test::Pump();
        for (const int button : {IDC_DISPLAY_FONT, IDC_DISPLAY_ELEMENT_FONT, IDC_DISPLAY_NODE_FONT})
        {
            EXPECT_EQ("Tahoma", ControlText(window, button)) << button;
            EXPECT_GT(DarkPixels(::GetDlgItem(window, button)), 20) << button;
        }
        PressCancel();
    }
}
