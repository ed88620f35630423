// The contour defaults page under Wine: the record shown, Load and Save Defaults against the
// product INI, Apply and Cancel, and band counts outside 1..117 refused.
#include "dialogs/settings/ContourDefaultSettingsDlg.h"

#include "core/display/ResultDisplayAttr.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <gtest/gtest.h>

using dialogs_test::SettingsPageFixture;

namespace
{
class ContourDefaultSettingsDlg : public SettingsPageFixture
{
protected:
    HWND OpenOn(CResultDisplayAttr& record)
    {
        m_page = std::make_unique<CContourDefaultSettingsDlg>(&record);
        return Open(*m_page);
    }

    static bool IsChecked(HWND page, int id)
    {
        return ::IsDlgButtonChecked(page, id) == BST_CHECKED;
    }

    std::unique_ptr<CContourDefaultSettingsDlg> m_page;
};

CResultDisplayAttr MakeRecord(int type, BYTE bandType, int bands, BYTE reverse)
{
    CResultDisplayAttr record;
    record.m_nContourType = type;
    record.m_nBandType = bandType;
    record.m_nBands = bands;
    record.m_bReverseBand = reverse;
    return record;
}
} // namespace

TEST_F(ContourDefaultSettingsDlg, ShowsTheRecordAndKeepsAnUnknownContourType)
{
    CResultDisplayAttr record = MakeRecord(CResultDisplayAttr::kLines, 2, 12, 1);
    HWND page = OpenOn(record);
    char caption[64] = {};
    ::GetWindowTextA(page, caption, sizeof caption);
    EXPECT_STREQ("Contour", caption);
    EXPECT_TRUE(IsChecked(page, IDC_CONTOUR_SMOOTH));
    EXPECT_TRUE(IsChecked(page, IDC_CONTOUR_REVERSE));
    EXPECT_TRUE(IsChecked(page, IDC_CONTOUR_LINES));
    EXPECT_EQ("12", ControlText(page, IDC_CONTOUR_BAND_COUNT));
    EXPECT_EQ("Number of bands", ControlText(page, IDC_CONTOUR_BAND_COUNT_LABEL));
    EXPECT_EQ("Load Defaults", ControlText(page, IDC_CONTOUR_LOAD_DEFAULT));
    PressCancel();

    // A type of no button: none is checked, and applying a change keeps the type.
    CResultDisplayAttr odd = MakeRecord(99, 0, 10, 0);
    page = OpenOn(odd);
    for (int id : {IDC_CONTOUR_BANDS, IDC_CONTOUR_LINES, IDC_CONTOUR_ISOSURFACE})
        EXPECT_FALSE(IsChecked(page, id)) << id;
    Click(page, IDC_CONTOUR_SMOOTH);
    PressApply();
    EXPECT_EQ(99, odd.m_nContourType);
    EXPECT_EQ(2, odd.m_nBandType);
}

TEST_F(ContourDefaultSettingsDlg, LoadDefaultsReachesTheRecordOnlyThroughApply)
{
    WriteIni("[ContourDefaluts]\r\nSmoothContour=1\r\nReverseBand=1\r\nNoOfBands=20\r\n"
             "BandType=102\r\n");
    CResultDisplayAttr record = MakeRecord(CResultDisplayAttr::kBands, 2, 10, 0);
    HWND page = OpenOn(record);
    Click(page, IDC_CONTOUR_LOAD_DEFAULT);
    // "1" is not smooth: only "2" is.
    EXPECT_FALSE(IsChecked(page, IDC_CONTOUR_SMOOTH));
    EXPECT_TRUE(IsChecked(page, IDC_CONTOUR_ISOSURFACE));
    EXPECT_EQ("20", ControlText(page, IDC_CONTOUR_BAND_COUNT));
    PressCancel();
    EXPECT_EQ(CResultDisplayAttr::kBands, record.m_nContourType);
    EXPECT_EQ(2, record.m_nBandType);
    EXPECT_EQ(10, record.m_nBands);
    EXPECT_EQ(0, m_host.applyCount);

    page = OpenOn(record);
    Click(page, IDC_CONTOUR_LOAD_DEFAULT);
    PressApply();
    EXPECT_EQ(CResultDisplayAttr::kIsoSurface, record.m_nContourType);
    EXPECT_EQ(0, record.m_nBandType);
    EXPECT_EQ(20, record.m_nBands);
    EXPECT_EQ(1, record.m_bReverseBand);
    EXPECT_EQ(1, m_host.applyCount);
    EXPECT_TRUE(m_host.lastRender);
}

TEST_F(ContourDefaultSettingsDlg, AnUnknownBandTypeInTheIniLeavesTheRadioButtons)
{
    for (const char* type : {"0", "103"})
    {
        SCOPED_TRACE(type);
        WriteIni(std::string("[ContourDefaluts]\r\nBandType=") + type + "\r\n");
        CResultDisplayAttr record = MakeRecord(CResultDisplayAttr::kLines, 2, 10, 0);
        HWND page = OpenOn(record);
        Click(page, IDC_CONTOUR_LOAD_DEFAULT);
        EXPECT_TRUE(IsChecked(page, IDC_CONTOUR_LINES));
        PressCancel();
    }
}

TEST_F(ContourDefaultSettingsDlg, ApplyWithoutAChangeNeitherCopiesNorRedraws)
{
    CResultDisplayAttr record = MakeRecord(CResultDisplayAttr::kBands, 2, 10, 0);
    HWND page = OpenOn(record);
    ::SetDlgItemTextA(page, IDC_CONTOUR_BAND_COUNT, "30");
    m_page->SetModifiedFlag(FALSE); // the typing above, as if it had not happened
    EXPECT_TRUE(m_page->OnApply());
    EXPECT_EQ(10, record.m_nBands);
    EXPECT_EQ(0, m_host.applyCount);
}

TEST_F(ContourDefaultSettingsDlg, BandCountsOutsideOneTo117AreRefused)
{
    const struct
    {
        const char* typed;
        bool accepted;
    } kCounts[] = {{"0", false}, {"118", false}, {"1", true}, {"117", true}};
    for (const auto& count : kCounts)
    {
        SCOPED_TRACE(count.typed);
        (*m_services)->messageBoxes.clear();
        CResultDisplayAttr record = MakeRecord(CResultDisplayAttr::kBands, 2, 10, 0);
        HWND page = OpenOn(record);
        ::SetDlgItemTextA(page, IDC_CONTOUR_BAND_COUNT, count.typed);
        PressApply();
        if (count.accepted)
        {
            EXPECT_EQ(atoi(count.typed), record.m_nBands);
            EXPECT_EQ("", LastMessage());
        }
        else
        {
            EXPECT_EQ(10, record.m_nBands);
            EXPECT_EQ("The number of bands must lie between 1 and 117", LastMessage());
        }
        PressCancel();
    }
}

TEST_F(ContourDefaultSettingsDlg, SaveDefaultsWritesTheControlsAndAMissingTypeAsZero)
{
    CResultDisplayAttr record = MakeRecord(77, 2, 15, 1);
    HWND page = OpenOn(record);
    Click(page, IDC_CONTOUR_SAVE_DEFAULT);
    EXPECT_EQ("2", IniValue("ContourDefaluts", "SmoothContour"));
    EXPECT_EQ("1", IniValue("ContourDefaluts", "ReverseBand"));
    EXPECT_EQ("15", IniValue("ContourDefaluts", "NoOfBands"));
    EXPECT_EQ("0", IniValue("ContourDefaluts", "BandType"));
    Click(page, IDC_CONTOUR_LINES);
    Click(page, IDC_CONTOUR_SAVE_DEFAULT);
    EXPECT_EQ("101", IniValue("ContourDefaluts", "BandType"));
    EXPECT_EQ(77, record.m_nContourType); // saving leaves the record
}
