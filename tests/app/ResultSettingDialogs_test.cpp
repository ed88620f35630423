// The program's per-view contour and vector settings on the demo model: each Result menu command
// opens the installed dialog over the view showing a contour or arrows, its Apply reaches that
// view and opens the dialog again, and Close or Cancel leaves no dialog behind; the contour
// dialog follows another case chosen in the toolbar box; the shipped arrow length shows the
// arrows.
#include "platform/test/pump.h"
#include "render/VectorPlotEntry.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
class ResultSettingDialogs : public ProjectAppFixture
{
protected:
    static HWND FindDialog(const char* caption)
    {
        const HWND dialog = ::FindWindowA("#32770", caption);
        return dialog != nullptr && ::IsWindowVisible(dialog) ? dialog : nullptr;
    }
    // The demo model in a new project, the named result shown by a double click on its tree
    // item: the first view, or null when the result is not in the tree.
    CCAEView* ShowDemoResult(const char* name)
    {
        MainFrame()->OpenFileInNewProject("demo.unv", m_demoModel.c_str());
        fw::test::Pump();
        const HTREEITEM result = FindResultItem(name);
        if (result == nullptr)
            return nullptr;
        DoubleClick(result);
        return View(2);
    }
};
} // namespace

TEST_F(ResultSettingDialogs, ContourSettingsApplyToTheViewAndOpenAgain)
{
    CCAEView* view = ShowDemoResult("Temperature");
    ASSERT_TRUE(view != nullptr && view->Renderer().ContourResultId() != -1);
    EXPECT_FALSE(IsEnabled(ID_RESULT_VECTOR_SETTINGS));
    ASSERT_TRUE(IsEnabled(ID_RESULT_CONTOUR_SETTINGS));
    const int reverse = view->GetDisplayAttr().m_bReverseBand;

    Command(ID_RESULT_CONTOUR_SETTINGS);
    HWND dialog = FindDialog("Contour Settings");
    ASSERT_NE(nullptr, dialog);
    ::SendMessageA(::GetDlgItem(dialog, IDC_CONTOUR_REVERSE), BM_CLICK, 0, 0);
    ::SendMessageA(::GetDlgItem(dialog, IDC_BAND_APPLY), BM_CLICK, 0, 0);
    fw::test::Pump();
    EXPECT_NE(reverse, view->GetDisplayAttr().m_bReverseBand);
    dialog = FindDialog("Contour Settings");
    ASSERT_NE(nullptr, dialog) << "opened again on the new settings";
    EXPECT_EQ(reverse == 0 ? BST_CHECKED : BST_UNCHECKED,
              ::IsDlgButtonChecked(dialog, IDC_CONTOUR_REVERSE));
    ::SendMessageA(::GetDlgItem(dialog, IDC_BAND_CLOSE), BM_CLICK, 0, 0);
    fw::test::Pump();
    EXPECT_EQ(nullptr, FindDialog("Contour Settings"));
}

namespace
{
double DialogNumber(HWND dialog, int control)
{
    char text[64] = {};
    ::GetDlgItemTextA(dialog, control, text, sizeof text);
    return std::atof(text);
}

// What the screen shows of the view beside the dialog, every third pixel of every third row.
std::vector<COLORREF> ViewBeside(CCAEView* view, HWND dialog)
{
    fw::test::Pump();
    RECT client = {};
    view->GetClientRect(&client);
    RECT covered = {};
    ::GetWindowRect(dialog, &covered);
    std::vector<COLORREF> pixels;
    const HDC screen = ::GetDC(nullptr);
    for (int y = 0; y < client.bottom; y += 3)
    {
        for (int x = 0; x < client.right; x += 3)
        {
            POINT point = {x, y};
            ::ClientToScreen(view->m_hWnd, &point);
            if (!::PtInRect(&covered, point))
                pixels.push_back(::GetPixel(screen, point.x, point.y));
        }
    }
    ::ReleaseDC(nullptr, screen);
    return pixels;
}
} // namespace

// Contour Settings opened on the first case of the displacements, the second then chosen in
// the toolbar box: the dialog shows the second case's range, and Apply without a change leaves
// the second case drawn with it.
TEST_F(ResultSettingDialogs, ContourSettingsFollowTheCaseChosenInTheToolbar)
{
    CCAEView* view = ShowDemoTranslation();
    ASSERT_TRUE(view != nullptr && view->Renderer().ContourResultId() != -1);
    CComboBox& combo = MainFrame()->GetLoadCaseCombo();
    ASSERT_EQ(2, combo.GetCount());
    ASSERT_EQ(0, combo.GetCurSel());
    Command(ID_RESULT_CONTOUR_SETTINGS);
    HWND dialog = FindDialog("Contour Settings");
    ASSERT_NE(nullptr, dialog);
    const double firstMax = DialogNumber(dialog, IDC_BAND_RANGE_MAX);

    combo.SetCurSel(1);
    ::SendMessageA(::GetParent(combo.m_hWnd), WM_COMMAND,
                   MAKEWPARAM(ID_LOADCASE_COMBO, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo.m_hWnd));
    fw::test::Pump();
    ASSERT_EQ(static_cast<int>(combo.GetItemData(1)), view->Renderer().ContourResultId());
    const CResultDisplayAttr second = view->GetDisplayAttr();
    ASSERT_GT(second.m_viewMax, firstMax * 1.1) << "the second case reaches further";
    ASSERT_EQ(second.m_dataMax, second.m_viewMax) << "shown with its own range";
    EXPECT_NEAR(second.m_viewMax, DialogNumber(dialog, IDC_BAND_RANGE_MAX), 1e-6 * firstMax);
    EXPECT_NEAR(second.m_dataMax, DialogNumber(dialog, IDC_BAND_DATA_MAX), 1e-6 * firstMax);
    const std::vector<COLORREF> before = ViewBeside(view, dialog);

    ::SendMessageA(::GetDlgItem(dialog, IDC_BAND_APPLY), BM_CLICK, 0, 0);
    fw::test::Pump();
    EXPECT_DOUBLE_EQ(second.m_viewMax, view->GetDisplayAttr().m_viewMax);
    EXPECT_DOUBLE_EQ(second.m_levels[1], view->GetDisplayAttr().m_levels[1]);
    dialog = FindDialog("Contour Settings");
    ASSERT_NE(nullptr, dialog) << "opened again";
    EXPECT_NEAR(second.m_viewMax, DialogNumber(dialog, IDC_BAND_RANGE_MAX), 1e-6 * firstMax);
    const std::vector<COLORREF> after = ViewBeside(view, dialog);
    ASSERT_EQ(before.size(), after.size());
    size_t alike = 0;
    for (size_t i = 0; i < before.size(); ++i)
        alike += IsNear(before[i], after[i]) ? 1 : 0;
    EXPECT_GT(static_cast<double>(alike) / before.size(), 0.99) << "the picture changed";
    ::SendMessageA(::GetDlgItem(dialog, IDC_BAND_CLOSE), BM_CLICK, 0, 0);
    fw::test::Pump();
}

TEST_F(ResultSettingDialogs, VectorSettingApplyToTheViewShowingArrows)
{
    CCAEView* view = ShowDemoResult("Translation");
    ASSERT_TRUE(view != nullptr && view->Renderer().VectorResultId() != -1);
    ASSERT_TRUE(IsEnabled(ID_RESULT_VECTOR_SETTINGS));
    EXPECT_FALSE(IsEnabled(ID_RESULT_CONTOUR_SETTINGS));

    Command(ID_RESULT_VECTOR_SETTINGS);
    HWND dialog = FindDialog("Vector");
    ASSERT_NE(nullptr, dialog);
    ::SendMessageA(::GetDlgItem(dialog, IDC_VECTOR_THICK), BM_CLICK, 0, 0);
    ::SendMessageA(::GetDlgItem(dialog, IDC_VECTOR_APPLY), BM_CLICK, 0, 0);
    fw::test::Pump();
    const CAESet& renderer = view->Renderer();
    const CVectorPlotEntry* entry =
        view->Scene().VectorPlots().Find(renderer.VectorPlotKey(renderer.VectorResultId()));
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(5, entry->m_attr.GetThickness());
    dialog = FindDialog("Vector");
    ASSERT_NE(nullptr, dialog) << "opened again on the new settings";
    ::SendMessageA(::GetDlgItem(dialog, IDC_VECTOR_CANCEL), BM_CLICK, 0, 0);
    fw::test::Pump();
    EXPECT_EQ(nullptr, FindDialog("Vector"));
}

TEST_F(ResultSettingDialogs, ShippedArrowLengthShowsTheDemosTranslationsFromTheSide)
{
    CCAEView* view = ShowDemoResult("Translation");
    ASSERT_TRUE(view != nullptr && view->Renderer().VectorResultId() != -1);
    // The undeformed plate from the side: the tip's arrows point down from it.
    view->Renderer().SetShowDeformation(CAESet::kNoDeformation);
    view->Renderer().RenderAll();
    Command(ID_VIEW_DIR_XZ);
    const CAESet& renderer = view->Renderer();
    const CVectorPlotEntry* entry =
        view->Scene().VectorPlots().Find(renderer.VectorPlotKey(renderer.VectorResultId()));
    ASSERT_NE(nullptr, entry);
    const CVectorDisplayAttr& arrows = entry->m_attr;
    int kind = 0;
    int band = 0;
    arrows.m_colorBands.FindBand(arrows.m_maxMagnitude * 0.999, kind, band);
    ASSERT_LT(band, arrows.m_colorBands.m_nTotalBands);
    const CColorRGBA& top = arrows.m_colorBands.m_bandColors[band];
    const COLORREF tipColour =
        RGB(static_cast<int>(top.r * 255 + 0.5f), static_cast<int>(top.g * 255 + 0.5f),
            static_cast<int>(top.b * 255 + 0.5f));

    // The rows of the screen where the tip's colour shows: a dot of a few rows at an arrow's
    // length of a thousandth of the model.
    CRect client;
    view->GetClientRect(&client);
    const std::vector<COLORREF> pixels = ScreenPixels(view, 1);
    int firstRow = client.Height();
    int lastRow = -1;
    for (size_t i = 0; i < pixels.size(); ++i)
    {
        const int x = static_cast<int>(i % client.Width());
        const int y = static_cast<int>(i / client.Width());
        if (x > client.Width() / 4 && IsNear(pixels[i], tipColour))
        {
            firstRow = std::min(firstRow, y);
            lastRow = std::max(lastRow, y);
        }
    }
    ASSERT_GE(lastRow, 0) << "the tip's arrows are not on the screen";
    // The model is about 210 long across most of the view: a tenth of it is a fair stretch.
    EXPECT_GT(lastRow - firstRow, client.Width() / 40);
}
