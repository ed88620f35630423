// The view angle and view vector dialogs under Wine: their texts in both languages, values shown
// with three decimals, the texts read back as typed, and a zero view vector refused.
#include "dialogs/settings/ChangeViewAngleDlg.h"
#include "dialogs/settings/SetViewVectorDlg.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <memory>

using dialogs_test::DialogFixture;
using dialogs_test::FittingTexts;

namespace
{
struct Kind
{
    const char* name;
    UINT templateId;
    int group;
    int edits[3];
    const char* caption; // English
};
const Kind kAngle = {"angle",
                     IDD_VIEW_ANGLE,
                     IDC_VIEWANGLE_GROUP,
                     {IDC_VIEWANGLE_X, IDC_VIEWANGLE_Y, IDC_VIEWANGLE_Z},
                     "View Angle"};
const Kind kVector = {"vector",
                      IDD_VIEW_VECTOR,
                      IDC_VIEWVECTOR_GROUP,
                      {IDC_VIEWVECTOR_X, IDC_VIEWVECTOR_Y, IDC_VIEWVECTOR_Z},
                      "View Vector"};

class ViewXYZDlg : public DialogFixture
{
protected:
    static std::unique_ptr<CViewXYZDlg> Make(const Kind& kind)
    {
        if (kind.templateId == IDD_VIEW_ANGLE)
            return std::make_unique<CChangeViewAngleDlg>();
        return std::make_unique<CSetViewVectorDlg>();
    }
    HWND Open(CViewXYZDlg& dialog, const Kind& kind)
    {
        EXPECT_TRUE(dialog.Create(kind.templateId));
        dialog.ShowWindow(SW_SHOW);
        fw::test::Pump();
        return dialog.GetSafeHwnd();
    }
    static void Type(HWND dialog, const Kind& kind, const char* x, const char* y, const char* z)
    {
        ::SetDlgItemTextA(dialog, kind.edits[0], x);
        ::SetDlgItemTextA(dialog, kind.edits[1], y);
        ::SetDlgItemTextA(dialog, kind.edits[2], z);
    }
    static void PressOk(HWND dialog)
    {
        ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        fw::test::Pump();
    }
};
} // namespace

TEST_F(ViewXYZDlg, TextsInBothLanguagesFitTheirControls)
{
    for (const Kind& kind : {kAngle, kVector})
    {
        for (const auto& [suffix, codePage] :
             {std::make_pair("_ENG", 1252u), std::make_pair("_JPN", 932u)})
        {
            SCOPED_TRACE(std::string(kind.name) + suffix);
            SetLanguage(suffix);
            std::unique_ptr<CViewXYZDlg> dialog = Make(kind);
            const std::map<int, std::string> texts = FittingTexts(Open(*dialog, kind), codePage);
            for (int id :
                 {0, kind.group, IDC_XYZ_X_LABEL, IDC_XYZ_Y_LABEL, IDC_XYZ_Z_LABEL, IDOK, IDCANCEL})
                EXPECT_FALSE(texts.at(id).empty()) << id;
            if (codePage == 1252)
            {
                EXPECT_EQ(kind.caption, texts.at(0));
                EXPECT_EQ("X", texts.at(IDC_XYZ_X_LABEL));
            }
            dialog->DestroyWindow();
        }
    }
}

TEST_F(ViewXYZDlg, ShowsThreeDecimalsAndHandsBackWhatWasTyped)
{
    for (const Kind& kind : {kAngle, kVector})
    {
        SCOPED_TRACE(kind.name);
        std::unique_ptr<CViewXYZDlg> dialog = Make(kind);
        dialog->m_values = CPoint3D(12.3456, -0.0004, 270);
        const HWND hwnd = Open(*dialog, kind);
        EXPECT_EQ("12.346", ControlText(hwnd, kind.edits[0]));
        EXPECT_EQ("-0.000", ControlText(hwnd, kind.edits[1]));
        EXPECT_EQ("270.000", ControlText(hwnd, kind.edits[2]));

        Type(hwnd, kind, "1.5", " 2e1", "-3");
        PressOk(hwnd);
        EXPECT_FALSE(::IsWindowVisible(hwnd));
        EXPECT_DOUBLE_EQ(1.5, dialog->m_values.x);
        EXPECT_DOUBLE_EQ(20.0, dialog->m_values.y);
        EXPECT_DOUBLE_EQ(-3.0, dialog->m_values.z);
        EXPECT_EQ(CString(" 2e1"), dialog->m_texts[1]);
        dialog->DestroyWindow();
    }
}

TEST_F(ViewXYZDlg, TextThatIsNoNumberGetsTheNumberMessageAndTheDialogStays)
{
    for (const Kind& kind : {kAngle, kVector})
    {
        std::unique_ptr<CViewXYZDlg> dialog = Make(kind);
        dialog->m_values = CPoint3D(10, 20, 30);
        const HWND hwnd = Open(*dialog, kind);
        for (const char* text : {"abc", "", "nan", "1e999", "1.5x"})
        {
            for (int field = 0; field < 3; ++field)
            {
                SCOPED_TRACE(std::string(kind.name) + " " + text + " in " + std::to_string(field));
                (*m_services)->messageBoxes.clear();
                const char* typed[3] = {"1", "2", "3"};
                typed[field] = text;
                Type(hwnd, kind, typed[0], typed[1], typed[2]);
                PressOk(hwnd);
                EXPECT_TRUE(::IsWindowVisible(hwnd));
                EXPECT_EQ("Enter a number.", LastMessage());
                EXPECT_EQ(kind.edits[field], ::GetDlgCtrlID(::GetFocus()));
                EXPECT_DOUBLE_EQ(20.0, dialog->m_values.y) << "the values the dialog had stay";
            }
        }
        dialog->DestroyWindow();
    }
}

TEST_F(ViewXYZDlg, AZeroViewVectorIsRefusedAndTheDialogStays)
{
    CSetViewVectorDlg dialog;
    dialog.m_values = CPoint3D(0, 0, 1);
    const HWND hwnd = Open(dialog, kVector);
    for (const char* zero : {"0", "0e5", "-0.0"})
    {
        SCOPED_TRACE(zero);
        (*m_services)->messageBoxes.clear();
        Type(hwnd, kVector, zero, "0.0", "-0");
        PressOk(hwnd);
        EXPECT_TRUE(::IsWindowVisible(hwnd));
        EXPECT_EQ("Enter a direction: the view vector cannot be zero.", LastMessage());
        EXPECT_DOUBLE_EQ(1.0, dialog.m_values.z) << "the vector the dialog had stays";
    }
    Type(hwnd, kVector, "0", "0", "-5");
    PressOk(hwnd);
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_DOUBLE_EQ(-5.0, dialog.m_values.z);
    dialog.DestroyWindow();
}
