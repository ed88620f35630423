// The program's per-view contour settings on the demo model: Result > Contour Settings opens the
// installed dialog over the view showing a contour, its Apply reaches that view and opens the
// dialog again, and Close leaves no dialog behind.
#include "platform/test/pump.h"
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
