// The program's per-view contour and vector settings on the demo model: each Result menu command
// opens the installed dialog over the view showing a contour or arrows, its Apply reaches that
// view and opens the dialog again, and Close or Cancel leaves no dialog behind.
#include "platform/test/pump.h"
#include "render/VectorPlotEntry.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"

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
};
} // namespace

TEST_F(ResultSettingDialogs, ContourSettingsApplyToTheViewAndOpenAgain)
{
    MainFrame()->OpenFileInNewProject("demo.unv", m_demoModel.c_str());
    fw::test::Pump();
    const HTREEITEM result = FindResultItem("Temperature");
    ASSERT_NE(nullptr, result);
    DoubleClick(result);
    CCAEView* view = View(2);
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

TEST_F(ResultSettingDialogs, VectorSettingApplyToTheViewShowingArrows)
{
    MainFrame()->OpenFileInNewProject("demo.unv", m_demoModel.c_str());
    fw::test::Pump();
    const HTREEITEM translation = FindResultItem("Translation");
    ASSERT_NE(nullptr, translation);
    DoubleClick(translation);
    CCAEView* view = View(2);
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
