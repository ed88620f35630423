// The shrink dialog under Wine on a view of the view tests' main frame: its texts, the view's
// values shown, the factors refused and accepted, and the view's lists rebuilt only when what
// it shows changed.
#include "dialogs/settings/ShrinkSettingDlg.h"

#include "core/services/AppEnvironment.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/dialogs/settings/DialogTestSupport.h"
#include "tests/dialogs/tools/ToolTestSupport.h"

#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

using dialogs_test::FittingTexts;
using tools_test::ToolFixture;

namespace
{
class ShrinkSettingDlg : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        for (int i = 1; i <= 4; ++i)
            AddTestNode(Model(), i, i == 2 || i == 3, i >= 3, 0);
        AddQuad(Model(), 1, 1, 2, 3, 4);
        Model().BuildElementFaces();
        Model().UpdateBoundingBox(0, nullptr);
        OpenToolView();
        // Shading compiles the shell face list whose rebuild the tests watch.
        m_view->EditScene().SetDisplayMode(kShading);
        m_view->Renderer().RenderAll();
    }

    HWND Open(CShrinkSettingDlg& dialog)
    {
        dialog.m_frameKey = m_view->FrameKey();
        EXPECT_TRUE(dialog.Create(IDD_SHRINK_SETTING));
        dialog.ShowWindow(SW_SHOW);
        fw::test::Pump();
        return dialog.GetSafeHwnd();
    }
    // Drops a list of the view, so that a rebuild shows as the list made again.
    void DropShellFaces()
    {
        m_view->MakeCurrent();
        m_faces = m_view->Renderer().ListName(CAESet::kShellFaceList);
        glDeleteLists(m_faces, 1);
    }
    bool WasRebuilt()
    {
        m_view->MakeCurrent();
        return glIsList(m_faces) == GL_TRUE;
    }
    // Types into the dialog and presses OK; true when it closed.
    bool Answer(CShrinkSettingDlg& dialog, int mode, const char* factor)
    {
        const HWND hwnd = dialog.GetSafeHwnd();
        ::CheckDlgButton(hwnd, IDC_SHRINK_MODE, mode);
        ::SetDlgItemTextA(hwnd, IDC_SHRINK_FACTOR, factor);
        ::SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
        fw::test::Pump();
        return !::IsWindowVisible(hwnd);
    }

    UINT m_faces = 0;
};
} // namespace

TEST_F(ShrinkSettingDlg, ShowsTheViewsShrinkUnderTextsOfBothLanguages)
{
    m_view->EditScene().SetShrunk(true);
    m_view->EditScene().SetShrinkFactor(0.12345);
    for (const auto& [suffix, codePage] :
         {std::make_pair("_ENG", 1252u), std::make_pair("_JPN", 932u)})
    {
        SCOPED_TRACE(suffix);
        SetLanguageSuffix(suffix);
        CShrinkSettingDlg dialog;
        const HWND hwnd = Open(dialog);
        const std::map<int, std::string> texts = FittingTexts(hwnd, codePage);
        for (int id : {0, IDC_SHRINK_FACTOR_LABEL, IDC_SHRINK_MODE, IDOK, IDCANCEL})
            EXPECT_FALSE(texts.at(id).empty()) << id;
        EXPECT_EQ("0.123", ControlText(hwnd, IDC_SHRINK_FACTOR));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hwnd, IDC_SHRINK_MODE));
        dialog.DestroyWindow();
    }
}

TEST_F(ShrinkSettingDlg, AFactorOutsideZeroToOneOrNoNumberIsRefusedAndLeavesTheView)
{
    // Text that is no number gets the message of every number field, as "1e999", which no
    // double holds.
    const struct
    {
        const char* factor;
        const char* message;
    } kCases[] = {{"1.0001", "The shrink factor must lie between 0 and 1."},
                  {"-0.5", "The shrink factor must lie between 0 and 1."},
                  {"abc", "Enter a number."},
                  {"", "Enter a number."},
                  {"0.5x", "Enter a number."},
                  {"nan", "Enter a number."},
                  {"1e999", "Enter a number."}};
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.factor);
        (*m_services)->messageBoxes.clear();
        CShrinkSettingDlg dialog;
        Open(dialog);
        DropShellFaces();
        EXPECT_FALSE(Answer(dialog, BST_CHECKED, c.factor)) << "the dialog stays";
        ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
        EXPECT_EQ(c.message, LastMessage());
        EXPECT_FALSE(m_view->Scene().IsShrunk());
        EXPECT_DOUBLE_EQ(0.8, m_view->Scene().ShrinkFactor());
        EXPECT_FALSE(WasRebuilt());
        dialog.DestroyWindow();
    }
}

TEST_F(ShrinkSettingDlg, TheViewIsRebuiltOnlyWhenWhatItShowsChanged)
{
    const struct
    {
        const char* step;
        int mode;
        const char* factor;
        bool isShrunk;
        double storedFactor;
        bool rebuilt;
    } kSteps[] = {
        {"unchanged, off", BST_UNCHECKED, "0.800", false, 0.8, false},
        {"factor alone while off", BST_UNCHECKED, "0.5", false, 0.5, false},
        {"on, at the edge", BST_CHECKED, "1.0", true, 1.0, true},
        {"unchanged, on", BST_CHECKED, "1.000", true, 1.0, false},
        {"factor while on, the other edge", BST_CHECKED, "0", true, 0.0, true},
        {"off again", BST_UNCHECKED, "0.000", false, 0.0, true},
    };
    for (const auto& s : kSteps)
    {
        SCOPED_TRACE(s.step);
        CShrinkSettingDlg dialog;
        Open(dialog);
        DropShellFaces();
        EXPECT_TRUE(Answer(dialog, s.mode, s.factor));
        EXPECT_EQ(s.isShrunk, m_view->Scene().IsShrunk());
        EXPECT_DOUBLE_EQ(s.storedFactor, m_view->Scene().ShrinkFactor());
        EXPECT_EQ(s.rebuilt, WasRebuilt());
        EXPECT_TRUE((*m_services)->messageBoxes.empty());
        dialog.DestroyWindow();
    }
}

TEST_F(ShrinkSettingDlg, AnUnchangedOkKeepsAFactorTheTextRounds)
{
    m_view->EditScene().SetShrunk(true);
    m_view->EditScene().SetShrinkFactor(0.12345);
    CShrinkSettingDlg dialog;
    const HWND hwnd = Open(dialog);
    DropShellFaces();
    ::SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_DOUBLE_EQ(0.12345, m_view->Scene().ShrinkFactor());
    EXPECT_FALSE(WasRebuilt());
    dialog.DestroyWindow();
}
