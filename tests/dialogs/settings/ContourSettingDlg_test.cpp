// The per-view contour settings dialog under Wine, opened from a view showing a contour: the
// view's bands listed highest first, the band count refused outside 1..117, borders that push
// their neighbours, a narrowed colour bar, chosen band colours, and Apply showing the new
// settings in the view (screen pixels) in every display mode, the dialog opening again on them.
#include "dialogs/settings/ContourSettingDlg.h"

#include "core/services/AppEnvironment.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/ResultSettingsFixture.h"
#include "view/CmdRecord.h"

#include <gtest/gtest.h>

using settings_test::ResultSettingsFixture;

namespace
{
using BandRows = std::vector<std::pair<std::string, std::string>>;

class ContourSettingDlgTest : public ResultSettingsFixture
{
protected:
    // The view of the contour and its settings dialog, as the menu opens it.
    HWND Open(int mode = kRidgeLine)
    {
        if (ShowResult(m_scalarId, 1, mode) == nullptr)
            return nullptr;
        TakeCodes();
        Menu(ID_RESULT_CONTOUR_SETTINGS);
        return SettingsDialog();
    }
    // Smoothing off: the bands can be picked and the colour bar edited.
    HWND OpenBanded()
    {
        const HWND dialog = Open();
        if (dialog != nullptr && IsChecked(dialog, IDC_CONTOUR_SMOOTH))
            Click(dialog, IDC_CONTOUR_SMOOTH);
        return dialog;
    }
    static CContourSettingDlg& Dialog(HWND window)
    {
        return *dynamic_cast<CContourSettingDlg*>(CWnd::FromHandlePermanent(window));
    }
    static void ChooseColor(HWND dialog, COLORREF color)
    {
        Dialog(dialog).m_colorButton.SetColor(color, TRUE);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BAND_COLOR, BN_CLICKED), 0);
        fw::test::Pump();
    }
    // Apply pressed; the dialog that opens again on the new settings, moved off the view.
    HWND Apply(HWND dialog)
    {
        Click(dialog, IDC_BAND_APPLY);
        fw::test::Pump();
        return SettingsDialog();
    }

    const CPoint3D kNearRight{4.5, 0, 0}; // value 9.5: the top band
    const CPoint3D kNearLeft{-2.5, 0, 0}; // value 2.5: the third band, right of the legend
};

const std::string kBandMessage = "The number of bands must lie between 1 and 117";
} // namespace

TEST_F(ContourSettingDlgTest, OpensOnTheViewsBandsHighestFirst)
{
    const HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Contour Settings", Caption(dialog));
    EXPECT_EQ("Whole colour bar", ControlText(dialog, IDC_BAND_BAR_GROUP));
    EXPECT_EQ("Apply", ControlText(dialog, IDC_BAND_APPLY));
    const BandRows rows = Rows(dialog, IDC_BAND_LIST);
    ASSERT_EQ(10u, rows.size());
    EXPECT_EQ((std::pair<std::string, std::string>{"9.000E+00", "1.000E+01"}), rows.front());
    EXPECT_EQ((std::pair<std::string, std::string>{"0.000E+00", "1.000E+00"}), rows.back());
    EXPECT_EQ("0", ControlText(dialog, IDC_BAND_DATA_MIN));
    EXPECT_EQ("10", ControlText(dialog, IDC_BAND_DATA_MAX));
    EXPECT_EQ("10", ControlText(dialog, IDC_BAND_COUNT));
    EXPECT_TRUE(IsChecked(dialog, IDC_CONTOUR_BANDS));
    EXPECT_FALSE(IsEnabled(dialog, IDC_BAND_DATA_MIN));

    // Smooth contours: nothing to pick, no colour bar to edit.
    if (!IsChecked(dialog, IDC_CONTOUR_SMOOTH))
        Click(dialog, IDC_CONTOUR_SMOOTH);
    for (int id : {IDC_BAND_RANGE_MIN, IDC_BAND_RANGE_MAX, IDC_BAND_COUNT, IDC_BAND_LOWER,
                   IDC_BAND_UPPER, IDC_BAND_COLOR})
        EXPECT_FALSE(IsEnabled(dialog, id)) << id;
    ClickRow(dialog, IDC_BAND_LIST, 2);
    EXPECT_FALSE(IsEnabled(dialog, IDC_BAND_LOWER));
    EXPECT_EQ("0", ControlText(dialog, IDC_BAND_LOWER));
    Click(dialog, IDC_CONTOUR_SMOOTH);
    for (int id : {IDC_BAND_RANGE_MIN, IDC_BAND_RANGE_MAX, IDC_BAND_COUNT, IDC_BAND_COLOR})
        EXPECT_TRUE(IsEnabled(dialog, id)) << id;
    ClickRow(dialog, IDC_BAND_LIST, 2);
    EXPECT_TRUE(IsEnabled(dialog, IDC_BAND_LOWER));
    EXPECT_EQ("7", ControlText(dialog, IDC_BAND_LOWER));
    EXPECT_EQ("8", ControlText(dialog, IDC_BAND_UPPER));

    // Close ends the command; the view keeps its bands.
    Click(dialog, IDC_BAND_CLOSE);
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_EQ((std::vector<int>{CCmdRecord::kContourSetting, CCmdRecord::kDialogCancel,
                                CCmdRecord::kEndCommand}),
              TakeCodes());
    EXPECT_EQ(CResultDisplayAttr().m_nContourType, m_view->GetDisplayAttr().m_nContourType);
}

TEST_F(ContourSettingDlgTest, ElementalResultsOfferNeitherLinesNorSmoothingAndTextsComeInJapanese)
{
    ASSERT_NE(nullptr, ShowResult(m_scalarId, 1));
    m_view->EditScene().EditDisplayAttr().m_nResultCategory = 0;
    SetLanguageSuffix("_JPN");
    Menu(ID_RESULT_CONTOUR_SETTINGS);
    const HWND dialog = SettingsDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(IsEnabled(dialog, IDC_CONTOUR_BANDS));
    for (int id : {IDC_CONTOUR_LINES, IDC_CONTOUR_ISOSURFACE, IDC_CONTOUR_SMOOTH})
        EXPECT_FALSE(IsEnabled(dialog, id)) << id;
    EXPECT_FALSE(Caption(dialog).empty());
    EXPECT_NE("Contour Settings", Caption(dialog));
    for (int id : {IDC_CONTOUR_VALUE_GROUP, IDC_BAND_SELECT_GROUP, IDC_BAND_BORDER_LABEL,
                   IDC_BAND_COLOR_LABEL, IDC_BAND_BAR_GROUP, IDC_BAND_COUNT_LABEL,
                   IDC_BAND_RESULT_GROUP, IDC_BAND_RANGE_LABEL, IDC_BAND_DEFAULT, IDC_BAND_APPLY,
                   IDC_BAND_CLOSE, IDC_CONTOUR_REVERSE})
        EXPECT_FALSE(ControlText(dialog, id).empty()) << id;
    SetLanguageSuffix("_ENG");
    // Escape closes it as Close does, ending the command.
    Escape(dialog);
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
}

TEST_F(ContourSettingDlgTest, BandCountsOutsideOneTo117AreRefused)
{
    HWND dialog = OpenBanded();
    ASSERT_NE(nullptr, dialog);
    for (const char* count : {"0", "118", "1000"})
    {
        SCOPED_TRACE(count);
        Type(dialog, IDC_BAND_COUNT, count);
        EXPECT_EQ(kBandMessage, LastMessage()) << "on leaving the edit";
        EXPECT_EQ(10u, Rows(dialog, IDC_BAND_LIST).size());
        (*m_services)->messageBoxes.clear();
        Click(dialog, IDC_BAND_APPLY);
        EXPECT_EQ(kBandMessage, LastMessage()) << "on Apply";
        (*m_services)->messageBoxes.clear();
        EXPECT_EQ(10, m_view->GetDisplayAttr().m_nBands);
        EXPECT_EQ(dialog, OnlyDialog());
    }
    const std::vector<int> codes = TakeCodes();
    EXPECT_EQ(codes.end(), std::find(codes.begin(), codes.end(), CCmdRecord::kDialogOk));
    // A refused count never reaches the bands: recolouring them still lists the ten.
    Click(dialog, IDC_CONTOUR_REVERSE);
    EXPECT_EQ(10u, Rows(dialog, IDC_BAND_LIST).size());
    (*m_services)->messageBoxes.clear();

    // A count typed and applied at once (Enter in its edit) takes effect with Apply.
    ::SetDlgItemTextA(dialog, IDC_BAND_COUNT, "4");
    Apply(dialog);
    EXPECT_EQ(4, m_view->GetDisplayAttr().m_nBands);
    EXPECT_EQ(7.5, m_view->GetDisplayAttr().m_levels[3]);
    dialog = SettingsDialog();
    ASSERT_NE(nullptr, dialog);

    Type(dialog, IDC_BAND_COUNT, "117");
    EXPECT_EQ("", LastMessage());
    EXPECT_EQ(117u, Rows(dialog, IDC_BAND_LIST).size());
    Apply(dialog);
    EXPECT_EQ(117, m_view->GetDisplayAttr().m_nBands);
}

TEST_F(ContourSettingDlgTest, MovingABorderUpRaisesTheLevelsAboveItAndDownLowersThoseBelow)
{
    const HWND dialog = OpenBanded();
    ASSERT_NE(nullptr, dialog);
    ClickRow(dialog, IDC_BAND_LIST, 7); // band 2: 2 to 3
    EXPECT_EQ("2", ControlText(dialog, IDC_BAND_LOWER));
    Type(dialog, IDC_BAND_LOWER, "6.5");
    const BandRows raised = Rows(dialog, IDC_BAND_LIST);
    const BandRows expected = {{"  9.0000", " 10.0000"}, {"  8.0000", "  9.0000"},
                               {"  7.0000", "  8.0000"}, {"  6.5000", "  7.0000"},
                               {"  6.5000", "  6.5000"}, {"  6.5000", "  6.5000"},
                               {"  6.5000", "  6.5000"}, {"  6.5000", "  6.5000"},
                               {"  1.0000", "  6.5000"}, {"  0.0000", "  1.0000"}};
    EXPECT_EQ(expected, raised);
    EXPECT_EQ("6.5", ControlText(dialog, IDC_BAND_LOWER));
    EXPECT_EQ("6.5", ControlText(dialog, IDC_BAND_UPPER));

    ClickRow(dialog, IDC_BAND_LIST, 1); // band 8: 8 to 9
    Type(dialog, IDC_BAND_UPPER, "0.5");
    const BandRows lowered = Rows(dialog, IDC_BAND_LIST);
    EXPECT_EQ((std::pair<std::string, std::string>{"  0.5000", " 10.0000"}), lowered[0]);
    for (size_t row = 1; row < 9; ++row)
        EXPECT_EQ((std::pair<std::string, std::string>{"  0.5000", "  0.5000"}), lowered[row])
            << row;
    EXPECT_EQ((std::pair<std::string, std::string>{"  0.0000", "  0.5000"}), lowered[9]);

    Apply(dialog);
    const CResultDisplayAttr applied = m_view->GetDisplayAttr();
    EXPECT_EQ(0.5, applied.m_levels[1]);
    EXPECT_EQ(0.5, applied.m_levels[9]);
    EXPECT_EQ(10.0, applied.m_levels[10]);
}

TEST_F(ContourSettingDlgTest, NarrowingTheBarAtTheBottomAddsABandInTheBackgroundColour)
{
    const COLORREF background = RGB(90, 90, 90);
    Frame().m_project->m_settings.m_backgroundColor = background;
    HWND dialog = OpenBanded();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(IsBluish(ScreenAt(kNearLeft)));
    Type(dialog, IDC_BAND_RANGE_MIN, "4");
    const BandRows rows = Rows(dialog, IDC_BAND_LIST);
    ASSERT_EQ(10u, rows.size()) << "still the n bands of the bar";
    EXPECT_EQ("9.400E+00", rows.front().first);
    EXPECT_EQ("4.000E+00", rows.back().first);
    ClickRow(dialog, IDC_BAND_LIST, 9);
    EXPECT_EQ("4", ControlText(dialog, IDC_BAND_LOWER));
    EXPECT_EQ("4.6", ControlText(dialog, IDC_BAND_UPPER));

    dialog = Apply(dialog);
    const CResultDisplayAttr applied = m_view->GetDisplayAttr();
    EXPECT_EQ(1, applied.m_bLowBand);
    EXPECT_EQ(11, applied.m_nTotalBands);
    EXPECT_EQ(background, ScreenAt(kNearLeft)) << "below the bar: the background colour";
    EXPECT_TRUE(IsReddish(ScreenAt(kNearRight)));
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("4", ControlText(dialog, IDC_BAND_RANGE_MIN)) << "opened again on the new bands";
    EXPECT_EQ(10u, Rows(dialog, IDC_BAND_LIST).size());
}

TEST_F(ContourSettingDlgTest, ApplyShowsTheNewBandsInEveryDisplayModeWithOneRebuild)
{
    for (const int mode : {kWireframe, kRidgeLine, kShading, kRidgeLineShading, kHiddenLine})
    {
        SCOPED_TRACE(mode);
        HWND dialog = Open(mode);
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(IsReddish(ScreenAt(kNearRight)));
        Click(dialog, IDC_CONTOUR_REVERSE);
        EXPECT_EQ("9.000E+00", Rows(dialog, IDC_BAND_LIST).front().first) << "levels stay";
        const UINT generation = m_view->Renderer().ListGeneration();
        dialog = Apply(dialog);
        EXPECT_EQ(generation + 1, m_view->Renderer().ListGeneration())
            << "applied once, opened again without a rebuild";
        EXPECT_EQ((std::vector<int>{CCmdRecord::kContourSetting, CCmdRecord::kDialogOk,
                                    CCmdRecord::kContourApply, CCmdRecord::kDone,
                                    CCmdRecord::kApplyContour, CCmdRecord::kPostCommand,
                                    CCmdRecord::kContourSetting}),
                  TakeCodes());
        EXPECT_TRUE(IsBluish(ScreenAt(kNearRight)));
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(IsChecked(dialog, IDC_CONTOUR_REVERSE));
        Click(dialog, IDC_BAND_CLOSE);
        TakeCodes();
    }
}

TEST_F(ContourSettingDlgTest, LinesAndChosenBandColoursReachTheView)
{
    HWND dialog = OpenBanded();
    ASSERT_NE(nullptr, dialog);
    ClickRow(dialog, IDC_BAND_LIST, 0);
    EXPECT_TRUE(IsEnabled(dialog, IDC_BAND_COLOR));
    ChooseColor(dialog, RGB(255, 0, 255));
    EXPECT_EQ(RGB(255, 0, 255), SwatchPixel(dialog, IDC_BAND_LIST, 0));
    ClickRow(dialog, IDC_BAND_LIST, 1);
    ChooseColor(dialog, RGB(0, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), SwatchPixel(dialog, IDC_BAND_LIST, 1)) << "black is not see-through";
    EXPECT_EQ((std::pair<std::string, std::string>{"  8.0000", "  9.0000"}),
              Rows(dialog, IDC_BAND_LIST)[1])
        << "the recoloured row's texts are written anew";
    // The same bar again recomputes nothing: the chosen colours stay.
    Type(dialog, IDC_BAND_RANGE_MAX, "10");
    EXPECT_EQ(RGB(255, 0, 255), SwatchPixel(dialog, IDC_BAND_LIST, 0));
    dialog = Apply(dialog);
    EXPECT_EQ(RGB(255, 0, 255), ScreenAt(kNearRight));

    // Lines: only the levels are drawn, the band between them is not filled.
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_CONTOUR_LINES);
    Apply(dialog);
    EXPECT_EQ(CResultDisplayAttr::kLines, m_view->GetDisplayAttr().m_nContourType);
    EXPECT_NE(RGB(255, 0, 255), ScreenAt(kNearRight));
}

// The settings take effect while the view plays (its frames scale the values, so the screen is
// read once it stops) and stay after Stop; the dialog does not open again.
TEST_F(ContourSettingDlgTest, ApplyWhileAnAnimationPlaysAppliesTheSettingsAndDoesNotOpenAgain)
{
    const HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(IsReddish(ScreenAt(kNearRight)));
    Command(m_view, ID_ANIMATION_REPEAT);
    ASSERT_TRUE(m_view->Animation().IsAnimating());
    Click(dialog, IDC_CONTOUR_REVERSE);
    const UINT generation = m_view->Renderer().ListGeneration();
    TakeCodes();
    Click(dialog, IDC_BAND_APPLY);
    fw::test::Pump();
    EXPECT_TRUE(VisibleDialogs().empty());
    const std::vector<int> codes = TakeCodes();
    EXPECT_EQ(codes.end(), std::find(codes.begin(), codes.end(), CCmdRecord::kContourSetting));
    EXPECT_LT(generation, m_view->Renderer().ListGeneration()) << "the view is drawn again";
    EXPECT_TRUE(m_view->Animation().IsAnimating());
    EXPECT_EQ(1, m_view->GetDisplayAttr().m_bReverseBand) << "in effect while it plays";
    Command(m_view, ID_ANIMATION_STOP);
    EXPECT_EQ(1, m_view->GetDisplayAttr().m_bReverseBand);
    EXPECT_TRUE(IsBluish(ScreenAt(kNearRight))) << "and after Stop";
}

TEST_F(ContourSettingDlgTest, ARangeLeftAsShownKeepsChosenColoursWhateverItsDigits)
{
    // 10/3 has more digits than its edit shows.
    const UINT third = view_test::AddNodalCase(Model(), 3, settings_test::kScalarType, 1,
                                               CResultData::kFlagAtNodes | 8, 1.0 / 3.0)
                           ->m_id;
    m_scalarId = third;
    const HWND dialog = OpenBanded();
    ASSERT_NE(nullptr, dialog);
    ClickRow(dialog, IDC_BAND_LIST, 0);
    ChooseColor(dialog, RGB(255, 0, 255));
    for (int id : {IDC_BAND_RANGE_MIN, IDC_BAND_RANGE_MAX, IDC_BAND_COUNT})
        Leave(dialog, id);
    EXPECT_EQ(RGB(255, 0, 255), SwatchPixel(dialog, IDC_BAND_LIST, 0));
    Apply(dialog);
    EXPECT_EQ(RGB(255, 0, 255), ScreenAt(kNearRight));
}
