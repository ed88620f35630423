// The material page under Wine: Solid and Shell edited side by side, the shininess range, and
// the "Material" section of the product INI written and read back.
#include "dialogs/settings/MaterialSettingDlg.h"

#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <gtest/gtest.h>
#include <string>

using dialogs_test::SettingsPageFixture;

using MaterialSettingDlg = SettingsPageFixture;

TEST_F(MaterialSettingDlg, SwitchingBetweenSolidAndShellKeepsTheEditsOfBoth)
{
    CProjectData& project = MakeProject();
    project.m_settings.m_materials[CAESettings::kSolidMaterial].m_shininess[0] = 20;
    project.m_settings.m_materials[CAESettings::kShellMaterial].m_shininess[0] = 70;
    CMaterialSettingDlg page;
    const HWND window = Open(page);
    EXPECT_EQ("20", ControlText(window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT));
    ::SetDlgItemTextA(window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT, "33");
    Click(window, IDC_MATERIAL_SHELL);
    EXPECT_EQ("70", ControlText(window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT));
    ::SetDlgItemTextA(window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT, "44");
    Click(window, IDC_MATERIAL_SOLID);
    EXPECT_EQ("33", ControlText(window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT));
    EXPECT_EQ(33, ::SendDlgItemMessageA(window, IDC_MATERIAL_OBVERSE_SHININESS, TBM_GETPOS, 0, 0));
    // The project keeps its materials until Apply.
    EXPECT_EQ(20, project.m_settings.m_materials[CAESettings::kSolidMaterial].m_shininess[0]);
    PressApply();
    EXPECT_EQ(33, project.m_settings.m_materials[CAESettings::kSolidMaterial].m_shininess[0]);
    EXPECT_EQ(44, project.m_settings.m_materials[CAESettings::kShellMaterial].m_shininess[0]);
    EXPECT_EQ(1, m_host.applyCount);
}

TEST_F(MaterialSettingDlg, AShininessAbove100IsRefusedAndTheBoxTakesThreeCharacters)
{
    CProjectData& project = MakeProject();
    project.m_settings.m_materials[CAESettings::kSolidMaterial].m_shininess[0] = 20;
    CMaterialSettingDlg page;
    const HWND window = Open(page);
    EXPECT_EQ(3u, static_cast<UINT>(::SendDlgItemMessageA(
                      window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT, EM_GETLIMITTEXT, 0, 0)));
    ::SetDlgItemTextA(window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT, "150");
    PressApply();
    EXPECT_EQ(window, ::GetParent(::GetFocus())) << "the box keeps the focus";
    EXPECT_EQ(20, project.m_settings.m_materials[CAESettings::kSolidMaterial].m_shininess[0]);
}

// What the start takes from the INI the page takes too: a shininess past the page's range gives
// the range's end at the start, and Load Defaults reads the INI as the start does.
TEST_F(MaterialSettingDlg, AShininessTheStartOrLoadDefaultsTakesIsOneApplyTakes)
{
    const struct
    {
        const char* stored;
        const char* shown;
    } cases[] = {{"100", "100"}, {"101", "100"}, {"128", "100"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.stored);
        WriteIni(std::string("[Material]\r\nShellObverseShininess=") + c.stored + "\r\n");
        CProjectData& project = MakeProject();
        CMaterialSettingDlg page;
        const HWND window = Open(page);
        Click(window, IDC_MATERIAL_SHELL);
        EXPECT_EQ(c.shown, ControlText(window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT));
        ::SetDlgItemTextA(window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT, "7");
        Click(window, IDC_MATERIAL_LOAD_DEFAULT);
        EXPECT_EQ(c.shown, ControlText(window, IDC_MATERIAL_OBVERSE_SHININESS_EDIT));
        const std::size_t shown = (*m_services)->messageBoxes.size();
        PressApply();
        EXPECT_EQ(shown, (*m_services)->messageBoxes.size()) << LastMessage();
        EXPECT_EQ(std::stoi(c.shown),
                  project.m_settings.m_materials[CAESettings::kShellMaterial].m_shininess[0]);
        PressCancel();
    }
}

TEST_F(MaterialSettingDlg, SaveDefaultsWritesColoursAsRealsAndLoadDefaultsReadsThemBack)
{
    CProjectData& project = MakeProject();
    CGLMaterial& shell = project.m_settings.m_materials[CAESettings::kShellMaterial];
    shell.m_diffuse[1] = RGB(255, 255, 255);
    shell.m_specularPercent[0] = 42;
    CMaterialSettingDlg page;
    const HWND window = Open(page);
    Click(window, IDC_MATERIAL_SHELL);
    ::SetDlgItemTextA(window, IDC_MATERIAL_REVERSE_SHININESS_EDIT, "77");
    Click(window, IDC_MATERIAL_SAVE_DEFAULT);
    EXPECT_EQ("16777215.000000", IniValue("Material", "ShellReverseDiffColor"));
    EXPECT_EQ("42", IniValue("Material", "ShellObverseSpecOpacity"));
    EXPECT_EQ("77", IniValue("Material", "ShellReverseShininess"))
        << "the edits, not the last applied";
    EXPECT_FALSE(IniValue("Material", "SolidObverseObjectColor").empty());
    PressCancel();

    shell.m_diffuse[1] = 0;
    shell.m_shininess[1] = 5;
    CMaterialSettingDlg again;
    const HWND second = Open(again);
    Click(second, IDC_MATERIAL_SHELL);
    Click(second, IDC_MATERIAL_LOAD_DEFAULT);
    EXPECT_EQ("77", ControlText(second, IDC_MATERIAL_REVERSE_SHININESS_EDIT));
    EXPECT_EQ(5, shell.m_shininess[1]) << "the project waits for Apply";
    PressApply();
    EXPECT_EQ(RGB(255, 255, 255), shell.m_diffuse[1]);
    EXPECT_EQ(77, shell.m_shininess[1]);
}
