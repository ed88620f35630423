// The vector defaults page under Wine: the record shown and written back, the controls that
// follow the colour and arrow-head choices, and its defaults round-tripped through the INI.
#include "dialogs/settings/VectorDefaultSettingsDlg.h"

#include "core/display/VectorDisplayAttr.h"
#include "core/geometry/ColorConvert.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <gtest/gtest.h>

using dialogs_test::SettingsPageFixture;

namespace
{
class VectorDefaultSettingsDlg : public SettingsPageFixture
{
protected:
    HWND OpenOn(CVectorDisplayAttr& record)
    {
        m_page = std::make_unique<CVectorDefaultSettingsDlg>(&record);
        return Open(*m_page);
    }

    static bool IsChecked(HWND page, int id)
    {
        return ::IsDlgButtonChecked(page, id) == BST_CHECKED;
    }

    std::unique_ptr<CVectorDefaultSettingsDlg> m_page;
};

// A record whose every field differs from a constructed one.
CVectorDisplayAttr MakeRecord()
{
    CVectorDisplayAttr r;
    r.SetConstantLength(false);
    r.SetLengthPercent(3.5);
    r.SetScaleFactor(2.25);
    r.SetThickness(5);
    r.SetSameColor(true);
    r.SetColor(COLORREFToColor(RGB(10, 20, 30)));
    r.SetNoOfBands(17);
    r.m_colorBands.m_bReverseBand = 1;
    r.SetPosition(3);
    r.SetArrowHeadSize(2);
    r.SetArrowHeadPercLen(0.4);
    r.SetArrowHeadConst(0.12);
    r.SetArrowHeadType(3);
    return r;
}
} // namespace

TEST_F(VectorDefaultSettingsDlg, ShowsTheRecordAndEnablesWhatItsChoicesUse)
{
    CVectorDisplayAttr record = MakeRecord();
    HWND page = OpenOn(record);
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_LENGTH_MAGNITUDE));
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_THICK));
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_SAME_COLOR));
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_TO_CENTER));
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_HEAD_VARIABLE));
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_LARGE));
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_REVERSE));
    EXPECT_EQ("17", ControlText(page, IDC_VECTOR_BANDS));
    EXPECT_EQ(40.0, atof(ControlText(page, IDC_VECTOR_HEAD_PERCENT).c_str()));
    EXPECT_EQ(RGB(10, 20, 30), m_page->m_colorButton.GetColor());
    EXPECT_EQ("Vector position on element", ControlText(page, IDC_VECTOR_POSITION_GROUP));
    EXPECT_EQ("Reverse band order", ControlText(page, IDC_VECTOR_REVERSE));

    // Same colour: the colour button, not the band count; variable head: the percent edit.
    EXPECT_TRUE(IsEnabled(page, IDC_VECTOR_COLOR));
    EXPECT_FALSE(IsEnabled(page, IDC_VECTOR_BANDS));
    EXPECT_TRUE(IsEnabled(page, IDC_VECTOR_HEAD_PERCENT));
    Click(page, IDC_VECTOR_COLOR_BANDS);
    EXPECT_FALSE(IsEnabled(page, IDC_VECTOR_COLOR));
    EXPECT_TRUE(IsEnabled(page, IDC_VECTOR_BANDS));
    Click(page, IDC_VECTOR_HEAD_CONSTANT);
    EXPECT_FALSE(IsEnabled(page, IDC_VECTOR_HEAD_PERCENT));
    Click(page, IDC_VECTOR_SAME_COLOR);
    Click(page, IDC_VECTOR_HEAD_VARIABLE);
    EXPECT_TRUE(IsEnabled(page, IDC_VECTOR_COLOR));
    EXPECT_FALSE(IsEnabled(page, IDC_VECTOR_BANDS));
    EXPECT_TRUE(IsEnabled(page, IDC_VECTOR_HEAD_PERCENT));
    PressCancel();
    EXPECT_EQ(2, record.GetArrowHeadSize());
    EXPECT_EQ(0, m_host.applyCount);
}

TEST_F(VectorDefaultSettingsDlg, ApplyWritesEveryChoiceInTheRecordsCodes)
{
    CVectorDisplayAttr record = MakeRecord();
    HWND page = OpenOn(record);
    Click(page, IDC_VECTOR_LENGTH_CONSTANT);
    Click(page, IDC_VECTOR_NORMAL);
    Click(page, IDC_VECTOR_COLOR_BANDS);
    Click(page, IDC_VECTOR_FROM_CENTER);
    Click(page, IDC_VECTOR_HEAD_CONSTANT);
    Click(page, IDC_VECTOR_SLIM);
    Click(page, IDC_VECTOR_REVERSE);
    ::SetDlgItemTextA(page, IDC_VECTOR_BANDS, "9");
    ::SetDlgItemTextA(page, IDC_VECTOR_HEAD_PERCENT, "30");
    PressApply();
    EXPECT_TRUE(record.IsConstantLength());
    EXPECT_EQ(2, record.GetThickness());
    EXPECT_FALSE(record.IsSameColor());
    EXPECT_EQ(2, record.GetPosition());
    EXPECT_EQ(1, record.GetArrowHeadSize());
    EXPECT_EQ(1, record.GetArrowHeadType());
    EXPECT_EQ(0, record.m_colorBands.m_bReverseBand);
    EXPECT_EQ(9, record.GetNoOfBands());
    EXPECT_DOUBLE_EQ(0.3, record.GetArrowHeadPercLen());
    EXPECT_DOUBLE_EQ(0.12, record.GetArrowHeadConst()); // no control: kept
    EXPECT_EQ(1, m_host.applyCount);

    // Width 3 and codes 0 select no button: a change elsewhere keeps those fields.
    CVectorDisplayAttr odd = MakeRecord();
    odd.SetThickness(3);
    odd.SetPosition(0);
    odd.SetArrowHeadType(7);
    PressCancel();
    page = OpenOn(odd);
    for (int id : {IDC_VECTOR_THIN, IDC_VECTOR_NORMAL, IDC_VECTOR_THICK, IDC_VECTOR_CENTER,
                   IDC_VECTOR_SLIM, IDC_VECTOR_LARGE})
        EXPECT_FALSE(IsChecked(page, id)) << id;
    Click(page, IDC_VECTOR_REVERSE);
    PressApply();
    EXPECT_EQ(3, odd.GetThickness());
    EXPECT_EQ(0, odd.GetPosition());
    EXPECT_EQ(7, odd.GetArrowHeadType());
}

TEST_F(VectorDefaultSettingsDlg, BandCountsOutsideOneTo117AreRefusedWithTheRangeMessage)
{
    const struct
    {
        const char* typed;
        int bands; // in the record after Apply
        const char* message;
    } kCounts[] = {{"0", 17, "The number of bands must lie between 1 and 117"},
                   {"-5", 17, "The number of bands must lie between 1 and 117"},
                   {"118", 17, "The number of bands must lie between 1 and 117"},
                   {"200", 17, "The number of bands must lie between 1 and 117"},
                   {"9999999", 17, "The number of bands must lie between 1 and 117"},
                   {"abc", 17, "Enter a whole number."},
                   {"1", 1, ""},
                   {"117", 117, ""}};
    for (const auto& c : kCounts)
    {
        SCOPED_TRACE(c.typed);
        (*m_services)->messageBoxes.clear();
        CVectorDisplayAttr record = MakeRecord();
        HWND page = OpenOn(record);
        Click(page, IDC_VECTOR_COLOR_BANDS);
        ::SetDlgItemTextA(page, IDC_VECTOR_BANDS, c.typed);
        PressApply();
        EXPECT_EQ(c.bands, record.GetNoOfBands());
        EXPECT_EQ(c.message, LastMessage());
        PressCancel();
    }
    // With one colour the count is neither used nor editable: a record without one applies.
    (*m_services)->messageBoxes.clear();
    CVectorDisplayAttr record = MakeRecord();
    record.SetNoOfBands(0);
    HWND page = OpenOn(record);
    Click(page, IDC_VECTOR_THIN);
    PressApply();
    EXPECT_EQ(1, record.GetThickness());
    EXPECT_EQ("", LastMessage());
}

TEST_F(VectorDefaultSettingsDlg, SaveThenLoadRestoresEveryValue)
{
    CVectorDisplayAttr saved = MakeRecord();
    HWND page = OpenOn(saved);
    Click(page, IDC_VECTOR_SAVE_DEFAULT);
    EXPECT_EQ("0", IniValue("VectorDefaluts", "IsVectorLenConst"));
    EXPECT_EQ("5", IniValue("VectorDefaluts", "VectorThickness"));
    EXPECT_EQ("1", IniValue("VectorDefaluts", "ReverseBand"));
    EXPECT_EQ("0.120000", IniValue("VectorDefaluts", "VectorArrowHeadConst"));
    EXPECT_EQ("", IniValue("ContourDefaluts", "ReverseBand"));
    EXPECT_EQ(0, m_host.applyCount);
    PressCancel();

    CVectorDisplayAttr loaded;
    loaded.SetColor(COLORREFToColor(RGB(200, 200, 200)));
    page = OpenOn(loaded);
    Click(page, IDC_VECTOR_LOAD_DEFAULT);
    // The loaded colour is in the button; the record has it only once applied.
    EXPECT_EQ(RGB(10, 20, 30), m_page->m_colorButton.GetColor());
    EXPECT_EQ(RGB(200, 200, 200), ColorToCOLORREF(loaded.GetColor()));
    EXPECT_TRUE(IsEnabled(page, IDC_VECTOR_COLOR));
    EXPECT_FALSE(IsEnabled(page, IDC_VECTOR_BANDS));
    PressApply();
    EXPECT_EQ(saved.IsConstantLength(), loaded.IsConstantLength());
    EXPECT_DOUBLE_EQ(saved.GetLengthPercent(), loaded.GetLengthPercent());
    EXPECT_DOUBLE_EQ(saved.GetScaleFactor(), loaded.GetScaleFactor());
    EXPECT_EQ(saved.GetThickness(), loaded.GetThickness());
    EXPECT_EQ(saved.IsSameColor(), loaded.IsSameColor());
    EXPECT_EQ(RGB(10, 20, 30), ColorToCOLORREF(loaded.GetColor()));
    EXPECT_EQ(saved.GetNoOfBands(), loaded.GetNoOfBands());
    EXPECT_EQ(1, loaded.m_colorBands.m_bReverseBand);
    EXPECT_EQ(saved.GetPosition(), loaded.GetPosition());
    EXPECT_EQ(saved.GetArrowHeadSize(), loaded.GetArrowHeadSize());
    EXPECT_DOUBLE_EQ(saved.GetArrowHeadPercLen(), loaded.GetArrowHeadPercLen());
    EXPECT_DOUBLE_EQ(saved.GetArrowHeadConst(), loaded.GetArrowHeadConst());
    EXPECT_EQ(saved.GetArrowHeadType(), loaded.GetArrowHeadType());
}

TEST_F(VectorDefaultSettingsDlg, LoadWithMissingKeysAndCancelKeepsTheRecord)
{
    // Only the contour section's reverse switch: the vector one falls back to it.
    WriteIni("[ContourDefaluts]\r\nReverseBand=1\r\n[VectorDefaluts]\r\nVectorThickness=3\r\n");
    CVectorDisplayAttr record = MakeRecord();
    record.SetSameColor(false);
    record.SetConstantLength(false);
    record.m_colorBands.m_bReverseBand = 0;
    HWND page = OpenOn(record);
    Click(page, IDC_VECTOR_LOAD_DEFAULT);
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_LENGTH_CONSTANT));
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_SAME_COLOR));
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_THICK)) << "width 3 leaves the buttons";
    EXPECT_TRUE(IsChecked(page, IDC_VECTOR_REVERSE));
    EXPECT_EQ("10", ControlText(page, IDC_VECTOR_BANDS))
        << "a missing count is the constructed one";
    EXPECT_EQ(RGB(0, 0, 0), m_page->m_colorButton.GetColor());
    PressCancel();
    EXPECT_FALSE(record.IsSameColor());
    EXPECT_EQ(17, record.GetNoOfBands());
    EXPECT_EQ(RGB(10, 20, 30), ColorToCOLORREF(record.GetColor()));
    EXPECT_EQ(0, m_host.applyCount);
}
