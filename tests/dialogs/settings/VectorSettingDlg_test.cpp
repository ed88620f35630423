// The per-view vector settings dialog and its colour bands dialog under Wine, opened from a
// view showing a displacement's arrows: the controls that the colour choice enables, the band
// count refused outside 1..117, the bands recomputed for a new count before the colour bands
// open, Cancel there keeping the settings, and Apply showing the arrows' new colour, bands and
// thickness in the view (screen pixels), the dialog opening again on them.
#include "dialogs/settings/VectorSettingDlg.h"

#include "core/services/AppEnvironment.h"
#include "dialogs/settings/VectorColorBandsDlg.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/ResultSettingsFixture.h"
#include "view/CmdRecord.h"

#include <gtest/gtest.h>

using settings_test::ResultSettingsFixture;

namespace
{
const std::string kBandMessage = "The number of bands must lie between 1 and 117";
const std::string kRangeMessage = "The maximum must not lie below the minimum.";

class VectorSettingDlgTest : public ResultSettingsFixture
{
protected:
    void TearDown() override
    {
        fw::test::CancelDialogScript();
        ResultSettingsFixture::TearDown();
    }

    HWND Open(int mode = kRidgeLine)
    {
        if (ShowResult(m_vectorId, 0, mode) == nullptr)
            return nullptr;
        TakeCodes();
        Menu(ID_RESULT_VECTOR_SETTINGS);
        return SettingsDialog();
    }
    static CVectorSettingDlg& Dialog(HWND window)
    {
        return *dynamic_cast<CVectorSettingDlg*>(CWnd::FromHandlePermanent(window));
    }
    const CVectorDisplayAttr& Shown() const
    {
        return m_view->Scene().VectorPlots().Find(static_cast<int>(m_vectorId))->m_attr;
    }
    // Pixels of the colour on the screen within 20 pixels of a model point.
    int CountNear(const CPoint3D& point, COLORREF colour)
    {
        m_view->RedrawWindow();
        fw::test::Pump();
        m_view->MakeCurrent();
        const CPoint3D window = m_view->Device().ProjectToWindow(point, &m_view->Camera(0));
        POINT centre = {static_cast<int>(window.x), static_cast<int>(window.y)};
        ::ClientToScreen(m_view->GetSafeHwnd(), &centre);
        const HDC screen = ::GetDC(nullptr);
        int count = 0;
        for (int y = centre.y - 20; y <= centre.y + 20; ++y)
            for (int x = centre.x - 20; x <= centre.x + 20; ++x)
                count += ::GetPixel(screen, x, y) == colour ? 1 : 0;
        ::ReleaseDC(nullptr, screen);
        return count;
    }

    const CPoint3D kTopNode{5, -1, 0}; // node 21: the largest displacement
};
} // namespace

TEST_F(VectorSettingDlgTest, OpensOnTheShownResultAndTheColourChoiceEnablesItsControls)
{
    const HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Vector", Caption(dialog));
    EXPECT_EQ("Result: Displacement", ControlText(dialog, IDC_VECTOR_RESULT_NAME));
    EXPECT_EQ("Colour Band", ControlText(dialog, IDC_VECTOR_COLOR_BAND));
    EXPECT_EQ("Apply", ControlText(dialog, IDC_VECTOR_APPLY));
    EXPECT_EQ(std::to_string(Shown().GetNoOfBands()), ControlText(dialog, IDC_VECTOR_BANDS));

    Click(dialog, IDC_VECTOR_SAME_COLOR);
    EXPECT_TRUE(IsEnabled(dialog, IDC_VECTOR_COLOR));
    EXPECT_FALSE(IsEnabled(dialog, IDC_VECTOR_BANDS));
    EXPECT_FALSE(IsEnabled(dialog, IDC_VECTOR_COLOR_BAND));
    Click(dialog, IDC_VECTOR_COLOR_BANDS);
    EXPECT_FALSE(IsEnabled(dialog, IDC_VECTOR_COLOR));
    EXPECT_TRUE(IsEnabled(dialog, IDC_VECTOR_BANDS));
    EXPECT_TRUE(IsEnabled(dialog, IDC_VECTOR_COLOR_BAND));
    Click(dialog, IDC_VECTOR_HEAD_CONSTANT);
    EXPECT_FALSE(IsEnabled(dialog, IDC_VECTOR_HEAD_PERCENT));
    Click(dialog, IDC_VECTOR_HEAD_VARIABLE);
    EXPECT_TRUE(IsEnabled(dialog, IDC_VECTOR_HEAD_PERCENT));

    // Cancel ends the command and leaves the view's settings.
    const CVectorDisplayAttr before = Shown();
    TakeCodes();
    Click(dialog, IDC_VECTOR_CANCEL);
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogCancel, CCmdRecord::kEndCommand}), TakeCodes());
    EXPECT_EQ(before.IsSameColor(), Shown().IsSameColor());
}

TEST_F(VectorSettingDlgTest, BandCountsOutsideOneTo117RefuseApplyAndColorBand)
{
    const HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_VECTOR_COLOR_BANDS);
    bool bandsOpened = false;
    fw::test::WhenDialogShows("Vector Colour Bands",
                              [&](HWND bands)
                              {
                                  bandsOpened = true;
                                  Click(bands, IDCANCEL);
                              });
    for (const char* count : {"0", "118"})
    {
        for (const int button : {IDC_VECTOR_APPLY, IDC_VECTOR_COLOR_BAND})
        {
            SCOPED_TRACE(std::string(count) + " " + std::to_string(button));
            ::SetDlgItemTextA(dialog, IDC_VECTOR_BANDS, count);
            Click(dialog, button);
            EXPECT_EQ(kBandMessage, LastMessage());
            (*m_services)->messageBoxes.clear();
            EXPECT_EQ(dialog, OnlyDialog());
        }
    }
    EXPECT_FALSE(bandsOpened);
    const std::vector<int> codes = TakeCodes();
    EXPECT_EQ(codes.end(), std::find(codes.begin(), codes.end(), CCmdRecord::kDialogOk));
}

TEST_F(VectorSettingDlgTest, ColorBandRecomputesForANewCountAndItsCancelKeepsTheSettings)
{
    const HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_VECTOR_COLOR_BANDS);
    ::SetDlgItemTextA(dialog, IDC_VECTOR_BANDS, "5");
    size_t rows = 0;
    std::string firstRow;
    fw::test::WhenDialogShows("Vector Colour Bands",
                              [&](HWND bands)
                              {
                                  rows = Rows(bands, IDC_VECTOR_BAND_LIST).size();
                                  firstRow = Rows(bands, IDC_VECTOR_BAND_LIST)[0].second;
                                  Click(bands, IDC_CONTOUR_REVERSE);
                                  Click(bands, IDCANCEL);
                              });
    Click(dialog, IDC_VECTOR_COLOR_BAND);
    EXPECT_EQ(5u, rows) << "the bands are made for the new count first";
    EXPECT_EQ("100.0000", firstRow.substr(firstRow.find_first_not_of(' ')));
    const CVectorDisplayAttr& working = Dialog(dialog).m_working;
    EXPECT_EQ(5, working.m_colorBands.m_nBands);
    EXPECT_EQ(0, working.m_colorBands.m_bReverseBand) << "Cancel keeps the settings";

    // OK takes the bands chosen there; Apply shows them, reversed: the top arrow blue.
    fw::test::WhenDialogShows("Vector Colour Bands",
                              [&](HWND bands)
                              {
                                  Click(bands, IDC_CONTOUR_REVERSE);
                                  Click(bands, IDOK);
                              });
    Click(dialog, IDC_VECTOR_COLOR_BAND);
    EXPECT_EQ(1, Dialog(dialog).m_working.m_colorBands.m_bReverseBand);
    EXPECT_GT(CountNear(kTopNode, RGB(255, 0, 0)), 0);
    const UINT generation = m_view->Renderer().ListGeneration();
    Click(dialog, IDC_VECTOR_APPLY);
    const HWND reopened = SettingsDialog();
    EXPECT_EQ(generation + 1, m_view->Renderer().ListGeneration());
    EXPECT_EQ(5, Shown().GetNoOfBands());
    EXPECT_EQ(1, Shown().m_colorBands.m_bReverseBand);
    EXPECT_EQ(0, CountNear(kTopNode, RGB(255, 0, 0)));
    EXPECT_GT(CountNear(kTopNode, RGB(0, 0, 255)), 0);
    ASSERT_NE(nullptr, reopened);
    EXPECT_EQ("5", ControlText(reopened, IDC_VECTOR_BANDS)) << "opened again on them";
}

// A rigid translation: every arrow of one length, the magnitudes' range no wider than a point.
TEST_F(VectorSettingDlgTest, ARigidTranslationStillListsItsColourBands)
{
    Model().AddLoadCaseValue(3, settings_test::kDisplacementType, 1.0);
    auto* result = new CResultData();
    result->m_id = MakeLoadCaseKey(3, settings_test::kDisplacementType, 1);
    result->m_flags = CResultData::kFlagAtNodes | CResultData::kFlagVector | 8;
    result->m_type = 8;
    result->m_loaded = CResultData::kLoaded;
    result->SetName("Displacement");
    for (int node = 1; node <= 22; ++node)
    {
        result->SetNodeValue(node, 5.0);
        result->SetNodeVector(node, CPoint3D(3, 4, 0));
        result->WidenRange(5.0);
        result->WidenVectorRange(CPoint3D(3, 4, 0));
    }
    Model().AddResult(result);
    m_vectorId = result->m_id;
    const HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_VECTOR_COLOR_BANDS);
    std::vector<std::pair<std::string, std::string>> rows;
    fw::test::WhenDialogShows("Vector Colour Bands",
                              [&](HWND bands)
                              {
                                  rows = Rows(bands, IDC_VECTOR_BAND_LIST);
                                  Click(bands, IDCANCEL);
                              });
    Click(dialog, IDC_VECTOR_COLOR_BAND);
    ASSERT_EQ(10u, rows.size());
    EXPECT_EQ("5.0000", rows[0].second.substr(rows[0].second.find_first_not_of(' ')));
}

TEST_F(VectorSettingDlgTest, ApplyDrawsTheArrowsInTheirOneColourAndThickness)
{
    HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    const COLORREF magenta = RGB(255, 0, 255);
    EXPECT_EQ(0, CountNear(kTopNode, magenta));
    Click(dialog, IDC_VECTOR_SAME_COLOR);
    Click(dialog, IDC_VECTOR_THIN);
    Dialog(dialog).m_colorButton.SetColor(magenta, TRUE);
    Click(dialog, IDC_VECTOR_APPLY);
    dialog = SettingsDialog();
    EXPECT_TRUE(Shown().IsSameColor());
    EXPECT_EQ(1, Shown().GetThickness());
    const int thin = CountNear(kTopNode, magenta);
    EXPECT_GT(thin, 0);

    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(::IsDlgButtonChecked(dialog, IDC_VECTOR_SAME_COLOR));
    Click(dialog, IDC_VECTOR_THICK);
    Click(dialog, IDC_VECTOR_APPLY);
    SettingsDialog();
    EXPECT_EQ(5, Shown().GetThickness());
    EXPECT_GT(CountNear(kTopNode, magenta), thin * 2) << "a thick arrow covers more pixels";
}

TEST_F(VectorSettingDlgTest, ColourBandsRefuseAnUpsideDownBarAndDefaultValueRestoresTheRange)
{
    const HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_VECTOR_COLOR_BANDS);
    std::vector<std::string> messages;
    bool staysOpen = false;
    std::string restoredMin;
    std::string restoredMax;
    fw::test::WhenDialogShows("Vector Colour Bands",
                              [&](HWND bands)
                              {
                                  Type(bands, IDC_BAND_RANGE_MIN, "50");
                                  Type(bands, IDC_BAND_RANGE_MAX, "20");
                                  messages.push_back(LastMessage());
                                  (*m_services)->messageBoxes.clear();
                                  Click(bands, IDOK);
                                  messages.push_back(LastMessage());
                                  staysOpen = ::IsWindowVisible(bands) != FALSE;
                                  Click(bands, IDC_BAND_DEFAULT);
                                  restoredMin = ControlText(bands, IDC_BAND_RANGE_MIN);
                                  restoredMax = ControlText(bands, IDC_BAND_RANGE_MAX);
                                  Click(bands, IDOK);
                              });
    Click(dialog, IDC_VECTOR_COLOR_BAND);
    EXPECT_EQ((std::vector<std::string>{kRangeMessage, kRangeMessage}), messages);
    EXPECT_TRUE(staysOpen);
    EXPECT_EQ("0", restoredMin);
    EXPECT_EQ("100", restoredMax);
    EXPECT_EQ(100.0, Dialog(dialog).m_working.m_colorBands.m_viewMax);
}

TEST_F(VectorSettingDlgTest, TextsComeInJapaneseToo)
{
    SetLanguageSuffix("_JPN");
    const HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(Caption(dialog).empty());
    EXPECT_NE("Vector", Caption(dialog));
    for (int id : {IDC_VECTOR_RESULT_NAME, IDC_VECTOR_LENGTH_GROUP, IDC_VECTOR_THICKNESS_GROUP,
                   IDC_VECTOR_COLOR_GROUP, IDC_VECTOR_COLOR_BAND, IDC_VECTOR_POSITION_GROUP,
                   IDC_VECTOR_HEAD_SIZE_GROUP, IDC_VECTOR_HEAD_TYPE_GROUP, IDC_VECTOR_DLG_SLIM,
                   IDC_VECTOR_APPLY, IDC_VECTOR_CANCEL})
        EXPECT_FALSE(ControlText(dialog, id).empty()) << id;
    Click(dialog, IDC_VECTOR_COLOR_BANDS);
    std::vector<std::string> texts;
    fw::test::WhenDialogShows(ToolText("Dialog.str", "VectorBands", "VectorColorBands").GetString(),
                              [&](HWND bands)
                              {
                                  for (int id : {IDC_CONTOUR_REVERSE, IDC_BAND_SELECT_GROUP,
                                                 IDC_BAND_BAR_GROUP, IDC_BAND_DEFAULT, IDOK})
                                      texts.push_back(ControlText(bands, id));
                                  Click(bands, IDCANCEL);
                              });
    Click(dialog, IDC_VECTOR_COLOR_BAND);
    ASSERT_EQ(5u, texts.size()) << "the colour bands opened under their Japanese caption";
    for (const std::string& text : texts)
        EXPECT_FALSE(text.empty());
    SetLanguageSuffix("_ENG");
}

TEST_F(VectorSettingDlgTest, ArrowsKeepTheLengthOfTheModelsLargestExtent)
{
    // A node far up makes the model taller than it is wide.
    AddTestNode(Model(), 99, 0, 50, 0);
    Model().UpdateBoundingBox(0, nullptr);
    const HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    const double shownLength = Shown().GetLength();
    EXPECT_NEAR(0.1 * 51, shownLength, 1e-5);
    Click(dialog, IDC_VECTOR_THICK);
    Click(dialog, IDC_VECTOR_APPLY);
    EXPECT_NEAR(shownLength, Shown().GetLength(), 1e-5) << "not the x extent alone";
}

TEST_F(VectorSettingDlgTest, ArrowsTakeTheirColourInEveryDisplayMode)
{
    const COLORREF magenta = RGB(255, 0, 255);
    for (const int mode : {kWireframe, kRidgeLine, kShading, kRidgeLineShading, kHiddenLine})
    {
        SCOPED_TRACE(mode);
        HWND dialog = Open(mode);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(0, CountNear(kTopNode, magenta));
        Click(dialog, IDC_VECTOR_SAME_COLOR);
        Dialog(dialog).m_colorButton.SetColor(magenta, TRUE);
        Click(dialog, IDC_VECTOR_APPLY);
        dialog = SettingsDialog();
        EXPECT_GT(CountNear(kTopNode, magenta), 0);
        ASSERT_NE(nullptr, dialog);
        Click(dialog, IDC_VECTOR_CANCEL);
    }
}
