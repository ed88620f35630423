// Where the tool dialogs open in the program: inside the main window, below its menu bar and
// toolbars, never at the screen's corner over the caption and menu. The modeless tools open at
// the corner of the view area; the result filter, which the picks lead to, over the main
// window. Once open, they stay in front of the main window on the screen whatever the user does
// in the main window.
#include "core/geometry/FENode.h"
#include "core/model/ModelSet.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"
#include "view/CmdManager.h"

#include <functional>
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

namespace
{
// Lets the window system and the X server settle: raises, exposures, paints.
void Settle()
{
    fw::test::WaitFor([] { return false; }, 400);
}

// A screen point of the window's client area, at the fractions of its width and height.
POINT At(HWND window, double x, double y)
{
    RECT client = {};
    ::GetClientRect(window, &client);
    POINT point = {static_cast<LONG>(client.right * x), static_cast<LONG>(client.bottom * y)};
    ::ClientToScreen(window, &point);
    return point;
}

// Nodes 1 and 2 of the demo, as the view's picks give them.
CEntityArray TwoNodes(CModelSet& model)
{
    CEntityArray nodes;
    nodes.Add(model.GetNode(1));
    nodes.Add(model.GetNode(2));
    return nodes;
}
} // namespace

// Every modeless tool stays in front of the main window on the screen as the main window takes
// the focus from it: clicks on the view, the tree, the output bar and the toolbars, a case
// chosen in the toolbar box, another view made active.
TEST_F(ToolDialogPlacement, ModelessToolsStayInFrontOfTheMainWindow)
{
    // The clicks leave the cursor over the bars, where the next tests' frames would see a hover.
    const fw::test::CursorParkedAfter parkCursor;
    CCAEView* view = ShowDemoTranslation();
    ASSERT_TRUE(view != nullptr && view->Renderer().ContourResultId() != -1);
    CModelSet& model = Project()->m_model;
    ASSERT_NE(nullptr, model.GetNode(2));
    CCmdManager& manager = *MainFrame()->GetCmdManager();
    // Away from the dialogs, to show them inactive.
    const fw::test::WindowElsewhere windowElsewhere;
    const HWND elsewhere = windowElsewhere.Get();

    struct Tool
    {
        const char* caption;
        std::function<void()> open;
    };
    const Tool tools[] = {
        {"Contour Settings", [this] { Command(ID_RESULT_CONTOUR_SETTINGS); }},
        {"Element Filter", [this] { Command(ID_ELEMENT_FILTER); }},
        {"Node Distance",
         [&]
         {
             Command(ID_INFO_ENTITY_DISTANCE);
             view->AddPickedEntity(TwoNodes(model));
             if (view->ViewSelection().IsSelecting())
                 view->CommitSelection(CCAEView::kDecision);
         }},
        {"Choose Entity",
         [&]
         {
             Command(ID_INFO_ENTITY_DISTANCE);
             CEntityArray candidates = TwoNodes(model);
             CCmdRecord offer;
             offer.nCode = CCmdRecord::kCandidates;
             offer.pData = &candidates;
             manager.m_nFrameKey = view->FrameKey();
             manager.ExecuteCommand(&offer);
         }},
    };
    CComboBox& combo = MainFrame()->GetLoadCaseCombo();
    const HWND animationBar = MainFrame()->GetToolBar(CMainFrame::kAnimationBar).m_hWnd;
    struct Action
    {
        const char* what;
        std::function<void()> act;
    };
    const Action actions[] = {
        {"a click on an empty part of the view",
         [&] { fw::test::ClickOnScreen(At(view->m_hWnd, 0.95, 0.95)); }},
        {"a click on the project tree",
         [&] { fw::test::ClickOnScreen(At(Tree().m_hWnd, 0.5, 0.95)); }},
        {"a click on the output bar",
         [&] { fw::test::ClickOnScreen(At(MainFrame()->GetOutputBar().m_hWnd, 0.5, 0.5)); }},
        {"a click on the Play button",
         [&]
         {
             POINT play = {};
             ASSERT_TRUE(ToolbarButtonCentre(animationBar, ID_ANIMATION_PLAY, &play));
             ::ClientToScreen(animationBar, &play);
             fw::test::ClickOnScreen(play);
         }},
        {"another case chosen in the toolbar box",
         [&]
         {
             combo.SetFocus();
             combo.SetCurSel((combo.GetCurSel() + 1) % combo.GetCount());
             ::SendMessageA(::GetParent(combo.m_hWnd), WM_COMMAND,
                            MAKEWPARAM(ID_LOADCASE_COMBO, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(combo.m_hWnd));
         }},
        {"another view made active", [this] { MainFrame()->MDINext(); }},
    };
    for (const Tool& tool : tools)
    {
        SCOPED_TRACE(tool.caption);
        MainFrame()->MDIActivate(view->GetParentFrame());
        tool.open();
        Settle();
        const HWND dialog = FindDialog(tool.caption);
        ASSERT_NE(nullptr, dialog);
        fw::test::ScreenCaption caption(dialog);
        ::SetForegroundWindow(dialog);
        Settle();
        caption.TakeLook();
        ::SetForegroundWindow(elsewhere);
        Settle();
        caption.TakeLook();
        for (const Action& action : actions)
        {
            SCOPED_TRACE(action.what);
            ::SetForegroundWindow(dialog);
            Settle();
            action.act();
            Settle();
            EXPECT_TRUE(fw::test::WaitFor([&caption] { return caption.IsShown(); }, 1500))
                << "the main window covers the dialog";
            if (view->Animation().IsAnimating())
                view->SendMessage(WM_COMMAND, ID_ANIMATION_STOP);
        }
        ::SendMessageA(dialog, WM_CLOSE, 0, 0);
        Settle();
    }
}
