// The animation frames dialog under Wine: its texts, the count shown, the digits-only edit and
// the number OK takes from what was typed or the message it refuses it with.
#include "dialogs/settings/MaxLCStepDlg.h"

#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

using dialogs_test::DialogFixture;
using dialogs_test::FittingTexts;

namespace
{
class MaxLCStepDlg : public DialogFixture
{
protected:
    HWND Open(CMaxLCStepDlg& dialog)
    {
        EXPECT_TRUE(dialog.Create(IDD_MAX_LC_STEP));
        dialog.ShowWindow(SW_SHOW);
        fw::test::Pump();
        return dialog.GetSafeHwnd();
    }
};
} // namespace

TEST_F(MaxLCStepDlg, ShowsTheCountUnderTextsOfBothLanguages)
{
    for (const auto& [suffix, codePage] :
         {std::make_pair("_ENG", 1252u), std::make_pair("_JPN", 932u)})
    {
        SCOPED_TRACE(suffix);
        SetLanguage(suffix);
        CMaxLCStepDlg dialog;
        dialog.m_maxStep = 12;
        const HWND hwnd = Open(dialog);
        const std::map<int, std::string> texts = FittingTexts(hwnd, codePage);
        for (int id : {0, IDC_MAXLCSTEP_LABEL, IDOK, IDCANCEL})
            EXPECT_FALSE(texts.at(id).empty()) << id;
        EXPECT_EQ("12", ControlText(hwnd, IDC_MAXLCSTEP_EDIT));
        dialog.DestroyWindow();
    }
}

TEST_F(MaxLCStepDlg, TheEditTakesDigitsOnly)
{
    CMaxLCStepDlg dialog;
    const HWND edit = ::GetDlgItem(Open(dialog), IDC_MAXLCSTEP_EDIT);
    ::SetWindowTextA(edit, "");
    for (char c : std::string("4x-2."))
        ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ("42", ControlText(dialog.GetSafeHwnd(), IDC_MAXLCSTEP_EDIT));
    dialog.DestroyWindow();
}

TEST_F(MaxLCStepDlg, OkTakesAWholeNumberOfZeroOrMoreAndRefusesOtherText)
{
    const struct
    {
        const char* text;
        int frames;          // after OK; the preset 10 when refused
        const char* message; // empty when accepted
    } kCases[] = {{"25", 25, ""},
                  {"007", 7, ""},
                  {"0", 0, ""},
                  {"abc", 10, "Enter a whole number."},
                  {"", 10, "Enter a whole number."},
                  {"12ab", 10, "Enter a whole number."},
                  {"-5", 10, "Enter a whole number from 0 to 2147483647."},
                  {"99999999999", 10, "Enter a whole number."}};
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.text);
        (*m_services)->messageBoxes.clear();
        CMaxLCStepDlg dialog;
        dialog.m_maxStep = 10;
        const HWND hwnd = Open(dialog);
        ::SetDlgItemTextA(hwnd, IDC_MAXLCSTEP_EDIT, c.text);
        ::SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
        fw::test::Pump();
        const bool isAccepted = *c.message == '\0';
        EXPECT_EQ(!isAccepted, ::IsWindowVisible(hwnd) != FALSE);
        EXPECT_EQ(c.frames, dialog.m_maxStep);
        EXPECT_EQ(c.message, LastMessage());
        dialog.DestroyWindow();
    }
}
