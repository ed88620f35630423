// The deformation settings dialog under Wine: its texts in both languages, the edits and checks
// that its choices enable, and the values OK hands back or refuses.
#include "dialogs/settings/DeformationSettingsDlg.h"

#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

using dialogs_test::DialogFixture;
using dialogs_test::FittingTexts;

namespace
{
class DeformationSettingsDlg : public DialogFixture
{
protected:
    HWND Open(CDeformationSettingsDlg& dialog)
    {
        EXPECT_TRUE(dialog.Create(IDD_DEFORMATION_SETTINGS));
        dialog.ShowWindow(SW_SHOW);
        fw::test::Pump();
        return dialog.GetSafeHwnd();
    }
    static void PressOk(HWND dialog)
    {
        ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        fw::test::Pump();
    }
};
} // namespace

TEST_F(DeformationSettingsDlg, TextsInBothLanguagesFitTheirControls)
{
    for (const auto& [suffix, codePage] :
         {std::make_pair("_ENG", 1252u), std::make_pair("_JPN", 932u)})
    {
        SCOPED_TRACE(suffix);
        SetLanguage(suffix);
        CDeformationSettingsDlg dialog;
        const std::map<int, std::string> texts = FittingTexts(Open(dialog), codePage);
        for (int id : {0, IDC_DEFORM_BY_SCALE, IDC_DEFORM_BY_MODEL_SCALE, IDC_DEFORM_ENABLE,
                       IDC_DEFORM_SHOW_MODEL, IDC_DEFORM_SHOW_CONTOUR, IDOK, IDCANCEL})
            EXPECT_FALSE(texts.at(id).empty()) << id;
        if (codePage == 1252)
        {
            EXPECT_EQ("Deformation Settings", texts.at(0));
            EXPECT_EQ("OK", texts.at(IDOK));
            EXPECT_EQ("Cancel", texts.at(IDCANCEL));
        }
        dialog.DestroyWindow();
    }
}

TEST_F(DeformationSettingsDlg, OpensWithTheEditOfTheChosenScaleAndTheOverlaysOfADeformation)
{
    const struct
    {
        int enable;
        int choice;
        bool scaleEdit;  // 1051
        bool modelEdit;  // 1052
        bool showChecks; // 1062 and 1063
    } kCases[] = {
        // Without deformation there is nothing to overlay: show model and contour are off.
        {FALSE, CDeformationSettingsDlg::kByDeformationScale, true, false, false},
        {TRUE, CDeformationSettingsDlg::kByDeformationScale, true, false, true},
        {TRUE, CDeformationSettingsDlg::kByModelScale, false, true, true},
        {TRUE, CDeformationSettingsDlg::kNoChoice, true, false, true},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(testing::Message() << c.enable << " " << c.choice);
        CDeformationSettingsDlg dialog;
        dialog.m_enableDeformation = c.enable;
        dialog.m_scaleChoice = c.choice;
        dialog.m_deformationScale = 2.5;
        dialog.m_modelScale = 10.0;
        const HWND hwnd = Open(dialog);
        EXPECT_EQ(c.scaleEdit, IsEnabled(hwnd, IDC_DEFORM_SCALE));
        EXPECT_EQ(c.modelEdit, IsEnabled(hwnd, IDC_DEFORM_MODEL_SCALE));
        EXPECT_EQ(c.showChecks, IsEnabled(hwnd, IDC_DEFORM_SHOW_MODEL));
        EXPECT_EQ(c.showChecks, IsEnabled(hwnd, IDC_DEFORM_SHOW_CONTOUR));
        EXPECT_EQ(c.enable == TRUE, ::IsDlgButtonChecked(hwnd, IDC_DEFORM_ENABLE) == BST_CHECKED);
        EXPECT_EQ(c.choice == CDeformationSettingsDlg::kByModelScale,
                  ::IsDlgButtonChecked(hwnd, IDC_DEFORM_BY_MODEL_SCALE) == BST_CHECKED);
        EXPECT_EQ("2.5", ControlText(hwnd, IDC_DEFORM_SCALE));
        EXPECT_EQ("10", ControlText(hwnd, IDC_DEFORM_MODEL_SCALE));
        dialog.DestroyWindow();
    }
}

TEST_F(DeformationSettingsDlg, ChoicesEnableTheirEditsAndTheDeformationItsOverlays)
{
    CDeformationSettingsDlg dialog;
    dialog.m_scaleChoice = CDeformationSettingsDlg::kByDeformationScale;
    const HWND hwnd = Open(dialog);
    Click(hwnd, IDC_DEFORM_BY_MODEL_SCALE);
    EXPECT_FALSE(IsEnabled(hwnd, IDC_DEFORM_SCALE));
    EXPECT_TRUE(IsEnabled(hwnd, IDC_DEFORM_MODEL_SCALE));
    Click(hwnd, IDC_DEFORM_BY_SCALE);
    EXPECT_TRUE(IsEnabled(hwnd, IDC_DEFORM_SCALE));
    EXPECT_FALSE(IsEnabled(hwnd, IDC_DEFORM_MODEL_SCALE));

    Click(hwnd, IDC_DEFORM_ENABLE);
    EXPECT_EQ(FALSE, dialog.m_enableDeformation);
    EXPECT_FALSE(IsEnabled(hwnd, IDC_DEFORM_SHOW_MODEL));
    EXPECT_FALSE(IsEnabled(hwnd, IDC_DEFORM_SHOW_CONTOUR));
    Click(hwnd, IDC_DEFORM_ENABLE);
    EXPECT_EQ(TRUE, dialog.m_enableDeformation);
    EXPECT_TRUE(IsEnabled(hwnd, IDC_DEFORM_SHOW_MODEL));
    EXPECT_TRUE(IsEnabled(hwnd, IDC_DEFORM_SHOW_CONTOUR));
    dialog.DestroyWindow();
}

TEST_F(DeformationSettingsDlg, OkHandsBackTheValuesAndRefusesAFactorThatIsNoNumber)
{
    CDeformationSettingsDlg dialog;
    dialog.m_scaleChoice = CDeformationSettingsDlg::kByDeformationScale;
    const HWND hwnd = Open(dialog);
    ::SetDlgItemTextA(hwnd, IDC_DEFORM_SCALE, "abc");
    PressOk(hwnd);
    EXPECT_TRUE(::IsWindowVisible(hwnd)) << "the dialog stays";
    EXPECT_EQ(1u, (*m_services)->messageBoxes.size()) << "the user is told";
    EXPECT_EQ(::GetDlgItem(hwnd, IDC_DEFORM_SCALE), ::GetFocus());

    ::SetDlgItemTextA(hwnd, IDC_DEFORM_SCALE, "3.5");
    ::SetDlgItemTextA(hwnd, IDC_DEFORM_MODEL_SCALE, "25");
    Click(hwnd, IDC_DEFORM_BY_MODEL_SCALE);
    Click(hwnd, IDC_DEFORM_SHOW_MODEL);
    Click(hwnd, IDC_DEFORM_SHOW_CONTOUR);
    PressOk(hwnd);
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_DOUBLE_EQ(3.5, dialog.m_deformationScale);
    EXPECT_DOUBLE_EQ(25.0, dialog.m_modelScale);
    EXPECT_EQ(CDeformationSettingsDlg::kByModelScale, dialog.m_scaleChoice);
    EXPECT_EQ(TRUE, dialog.m_enableDeformation);
    EXPECT_EQ(TRUE, dialog.m_showModel);
    EXPECT_EQ(FALSE, dialog.m_showContour);
    dialog.DestroyWindow();
}
