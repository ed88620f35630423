// The view default page under Wine: the angles taken from the active view, the display filter
// kept under "SelectionFilter", and Apply that stores into the project and redraws.
#include "dialogs/settings/ViewDefaultSettingDlg.h"

#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <gtest/gtest.h>

using dialogs_test::SettingsPageFixture;

namespace
{
class ViewDefaultSettingDlg : public SettingsPageFixture
{
protected:
    static bool IsChecked(HWND page, int id)
    {
        return ::IsDlgButtonChecked(page, id) == BST_CHECKED;
    }

    static constexpr int kFilterChecks[] = {IDC_VIEWDEF_GRID,  IDC_VIEWDEF_MASS,  IDC_VIEWDEF_SOLID,
                                            IDC_VIEWDEF_SHELL, IDC_VIEWDEF_ELASS, IDC_VIEWDEF_BEAM};
};
} // namespace

TEST_F(ViewDefaultSettingDlg, GetCopiesTheActiveViewsAnglesAndMarksThePage)
{
    MakeProject();
    CViewDefaultSettingDlg page;
    const HWND window = Open(page);
    Click(window, IDC_VIEWDEF_GET);
    EXPECT_FALSE(page.IsPageModified()) << "without a view Get does nothing";
    m_host.hasView = true;
    m_host.viewAngles = CPoint3D(-55, 0, -135);
    Click(window, IDC_VIEWDEF_GET);
    EXPECT_EQ("-55", ControlText(window, IDC_VIEWDEF_ANGLE_X));
    EXPECT_EQ("0", ControlText(window, IDC_VIEWDEF_ANGLE_Y));
    EXPECT_EQ("-135", ControlText(window, IDC_VIEWDEF_ANGLE_Z));
    EXPECT_TRUE(page.IsPageModified());
    Click(window, IDC_VIEWDEF_SHADING);
    PressApply();
    EXPECT_DOUBLE_EQ(-135.0, m_project->m_settings.m_viewAngles.z);
    EXPECT_EQ(2, m_project->m_settings.m_displayType);
    EXPECT_EQ(2, m_host.viewDisplayMode) << "the active view takes the mode";
    EXPECT_EQ(1, m_host.applyCount);
}

TEST_F(ViewDefaultSettingDlg, TheDisplayFilterIsKeptAsSelectionFilter)
{
    const struct
    {
        const char* stored;
        bool checked;
    } kFilters[] = {{"63", true}, {"0", false}};
    for (const auto& filter : kFilters)
    {
        SCOPED_TRACE(filter.stored);
        WriteIni(std::string("[ViewDefaultSetting]\r\nSelectionFilter=") + filter.stored +
                 "\r\nRefferenceTriadPosition=3\r\n");
        CProjectData& project = MakeProject();
        project.m_settings.m_displayFilter = filter.checked ? 0 : 63;
        CViewDefaultSettingDlg page;
        const HWND window = Open(page);
        Click(window, IDC_SETTINGS_LOAD_DEFAULT);
        for (int id : kFilterChecks)
            EXPECT_EQ(filter.checked, IsChecked(window, id)) << id;
        EXPECT_TRUE(IsChecked(window, IDC_VIEWDEF_RIGHT_BOTTOM));
        PressApply();
        EXPECT_EQ(filter.checked ? 63u : 0u, project.m_settings.m_displayFilter);
        EXPECT_EQ(3, project.m_settings.m_triadPosition);
        PressCancel();
    }
}

TEST_F(ViewDefaultSettingDlg, SaveDefaultsWithoutADisplayModeLeavesThatKey)
{
    WriteIni("[ViewDefaultSetting]\r\nDisplayType=3\r\n");
    CProjectData& project = MakeProject();
    project.m_settings.m_displayType = -1;
    project.m_settings.m_displayFilter = kKindShell | kKindNode;
    CViewDefaultSettingDlg page;
    const HWND window = Open(page);
    for (int id : {IDC_VIEWDEF_WIREFRAME, IDC_VIEWDEF_SHADING, IDC_VIEWDEF_HIDDEN_LINE})
        EXPECT_FALSE(IsChecked(window, id));
    Click(window, IDC_SETTINGS_SAVE_DEFAULT);
    EXPECT_EQ("3", IniValue("ViewDefaultSetting", "DisplayType"));
    EXPECT_EQ("34", IniValue("ViewDefaultSetting", "SelectionFilter"));
    EXPECT_FALSE(page.IsPageModified());
    PressApply();
    EXPECT_EQ(0, m_host.applyCount) << "an unchanged page neither stores nor redraws";
}
