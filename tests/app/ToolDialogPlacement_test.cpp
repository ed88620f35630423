// Where the tool dialogs open in the program: inside the main window, below its menu bar and
// toolbars, never at the screen's corner over the caption and menu. The modeless tools open at
// the corner of the view area; the result filter, which the picks lead to, over the main
// window.
#include "core/geometry/FENode.h"
#include "core/model/ModelSet.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"

#include <gtest/gtest.h>

namespace
{
class ToolDialogPlacement : public ProjectAppFixture
{
protected:
    static HWND FindDialog(const char* caption)
    {
        fw::test::Pump();
        const HWND dialog = ::FindWindowA("#32770", caption);
        return dialog != nullptr && ::IsWindowVisible(dialog) ? dialog : nullptr;
    }

    // The dialog lies in the main window, with its top below the menu bar and toolbars (the
    // top of the view area).
    void ExpectInViewArea(HWND dialog)
    {
        RECT self = {};
        ::GetWindowRect(dialog, &self);
        RECT main = {};
        MainFrame()->GetWindowRect(&main);
        const HWND client = ::FindWindowExA(MainFrame()->m_hWnd, nullptr, "MDIClient", nullptr);
        ASSERT_NE(nullptr, client);
        RECT views = {};
        ::GetWindowRect(client, &views);
        EXPECT_GE(self.top, views.top) << "over the menu bar or toolbars";
        EXPECT_GE(self.left, main.left);
        EXPECT_LE(self.right, main.right);
        EXPECT_LE(self.bottom, main.bottom);
    }
};
} // namespace

TEST_F(ToolDialogPlacement, ModelessToolsOpenInTheViewArea)
{
    NewProject("demo", m_demoModel);
    ASSERT_NE(nullptr, Project());
    struct Case
    {
        UINT command;
        const char* caption;
        int close;
    };
    const Case cases[] = {
        {ID_INFO_MODEL, "Model Information", IDOK},
        {ID_GROUP_CREATE, "Create Group", IDCANCEL},
        {ID_ELEMENT_FILTER, "Element Filter", IDCANCEL},
        {ID_VIEW_CLIPPING, "Depth Clipping", IDC_CLIPPING_CLOSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.caption);
        Command(c.command);
        const HWND dialog = FindDialog(c.caption);
        ASSERT_NE(nullptr, dialog);
        ExpectInViewArea(dialog);
        ::SendMessageA(::GetDlgItem(dialog, c.close), BM_CLICK, 0, 0);
        fw::test::Pump();
        EXPECT_EQ(nullptr, FindDialog(c.caption));
    }
}

TEST_F(ToolDialogPlacement, TheResultFilterOfAResultListOpensOverTheMainWindow)
{
    NewProject("demo", m_demoModel);
    ASSERT_NE(nullptr, Project());
    Command(ID_INFO_RESULT_LIST_NODAL);
    CCAEView* view = nullptr;
    for (int key = 1; key <= 2 && view == nullptr; ++key)
    {
        if (View(key) != nullptr && View(key)->ViewSelection().IsSelecting())
            view = View(key);
    }
    ASSERT_NE(nullptr, view) << "the view picks nodes";
    CEntityArray picked;
    picked.Add(Project()->m_model.GetNode(1));
    picked.Add(Project()->m_model.GetNode(2));
    ASSERT_NE(nullptr, picked[0]);
    view->AddPickedEntity(picked);
    view->CommitSelection(CCAEView::kDecision);
    const HWND dialog = FindDialog("Result Filter");
    ASSERT_NE(nullptr, dialog);
    ExpectInViewArea(dialog);
    ::SendMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(nullptr, FindDialog("Result Filter"));
}
