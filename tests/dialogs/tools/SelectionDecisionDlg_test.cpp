// The selection decision under Wine: a click on several entities lists them, Next and Previous
// wrap and move the view's highlight, OK picks the chosen one and Cancel none.
#include "dialogs/tools/SelectionDecisionDlg.h"

#include "core/model/FEFace.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "view/CmdRecord.h"

#include <algorithm>
#include <gtest/gtest.h>

using tools_test::ToolFixture;

namespace
{
constexpr std::array<int, 3> kHoverColour = {255, 128, 255};

// Nine nodes 10 apart and four quads between them; node 5 is a corner of all four.
class SelectionDecision : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        for (int j = 0; j < 3; ++j)
        {
            for (int i = 0; i < 3; ++i)
                AddTestNode(Model(), 3 * j + i + 1, 10 * i, 10 * j, 0);
        }
        AddQuad(Model(), 1, 1, 2, 5, 4);
        AddQuad(Model(), 2, 2, 3, 6, 5);
        AddQuad(Model(), 3, 4, 5, 8, 7);
        AddQuad(Model(), 4, 5, 6, 9, 8);
        Model().BuildElementFaces();
        Model().UpdateBoundingBox(0, nullptr);
        Frame().m_project->m_settings.m_displayFilter = kKindAll;
        OpenToolView();
        Menu(ID_INFO_ENTITY);
        TakeCodes();
    }

    void ClickNode(int id)
    {
        m_view->MakeCurrent();
        const CPoint3D p =
            m_view->Device().ProjectToWindow(Model().GetNode(id)->m_coord, &m_view->Camera(0));
        const LPARAM at = MAKELPARAM(static_cast<int>(p.x), static_cast<int>(p.y));
        m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        m_view->SendMessage(WM_LBUTTONUP, 0, at);
        fw::test::Pump();
        EXPECT_EQ(std::vector<int>{CCmdRecord::kCandidates}, TakeCodes());
    }

    CModelEntity* RowEntity(HWND dialog, int row)
    {
        return reinterpret_cast<CModelEntity*>(
            ::SendDlgItemMessageA(dialog, IDC_DECISION_LIST, LB_GETITEMDATA, row, 0));
    }
    int CurrentRow(HWND dialog)
    {
        return static_cast<int>(
            ::SendDlgItemMessageA(dialog, IDC_DECISION_LIST, LB_GETCURSEL, 0, 0));
    }
    std::vector<CModelEntity*> Picked() const
    {
        std::vector<CModelEntity*> entities;
        POSITION pos = m_view->Selection().Picked().GetStartPosition();
        while (pos != nullptr)
        {
            CModelEntity* entity = nullptr;
            int batch = 0;
            m_view->Selection().Picked().GetNextAssoc(pos, entity, batch);
            entities.push_back(entity);
        }
        return entities;
    }
};
} // namespace

TEST_F(SelectionDecision, ClickOnSeveralListsThemAndNextWrapsMovingTheHighlight)
{
    ClickNode(5);
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Choose Entity", Caption(dialog));
    EXPECT_TRUE(m_view->ViewSelection().IsDecisionPending());
    const std::vector<std::string> rows = ListLines(dialog, IDC_DECISION_LIST);
    ASSERT_EQ(5u, rows.size());
    std::vector<std::string> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ((std::vector<std::string>{"Grid 5", "Shell 1", "Shell 2", "Shell 3", "Shell 4"}),
              sorted);
    EXPECT_EQ(0, CurrentRow(dialog));

    for (int step = 1; step <= 5; ++step)
    {
        Click(dialog, IDC_TOOL_NEXT);
        EXPECT_EQ(step % 5, CurrentRow(dialog));
        EXPECT_EQ(RowEntity(dialog, step % 5), m_view->Selection().Hover());
    }
    Click(dialog, IDC_TOOL_PREVIOUS);
    EXPECT_EQ(4, CurrentRow(dialog)) << "Previous on the first row wraps to the last";
    EXPECT_EQ(RowEntity(dialog, 4), m_view->Selection().Hover());
    EXPECT_GT(CountPixels(kHoverColour), 0) << "the row's entity drawn highlighted";

    CModelEntity* chosen = RowEntity(dialog, 4);
    Click(dialog, IDOK);
    EXPECT_EQ(std::vector<int>{CCmdRecord::kDialogOk}, TakeCodes());
    EXPECT_EQ(std::vector<CModelEntity*>{chosen}, Picked());
    EXPECT_FALSE(m_view->ViewSelection().IsDecisionPending());
    EXPECT_EQ(nullptr, m_view->Selection().Hover()) << "the highlight goes with the dialog";
    EXPECT_EQ(0, CountPixels(kHoverColour));
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_TRUE(m_view->ViewSelection().IsSelecting());
}

TEST_F(SelectionDecision, CancelPicksNothingAlsoWithARowSelected)
{
    ClickNode(5);
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_TOOL_NEXT);
    Escape(dialog);
    EXPECT_EQ(std::vector<int>{CCmdRecord::kDialogCancel}, TakeCodes());
    EXPECT_TRUE(Picked().empty());
    EXPECT_FALSE(m_view->ViewSelection().IsDecisionPending());
    EXPECT_EQ(nullptr, m_view->Selection().Hover());
    EXPECT_TRUE(VisibleDialogs().empty());

    // The next click opens the list again.
    ClickNode(5);
    EXPECT_EQ(5u, ListLines(OnlyDialog(), IDC_DECISION_LIST).size());
}

TEST_F(SelectionDecision, OkWithoutASelectedRowDoesNothing)
{
    ClickNode(5);
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    ::SendDlgItemMessageA(dialog, IDC_DECISION_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Click(dialog, IDOK);
    EXPECT_TRUE(TakeCodes().empty());
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_TRUE(m_view->ViewSelection().IsDecisionPending());
}

TEST_F(SelectionDecision, OnlyKnownKindsGetRowsInCandidateOrder)
{
    auto decision = m_tools.CreateSelectionDecision(m_view);
    ASSERT_NE(nullptr, decision);
    CEntityArray candidates;
    EXPECT_FALSE(decision->FillEntityList(candidates)) << "no row, no list";
    CFEFace face;
    candidates.Add(Model().FindElement(3));
    candidates.Add(&face); // no kind the list knows
    candidates.Add(Model().GetNode(2));
    candidates.Add(Model().FindElement(1));
    ASSERT_TRUE(decision->FillEntityList(candidates));
    decision->Show();
    fw::test::Pump();
    EXPECT_EQ((std::vector<std::string>{"Shell 3", "Grid 2", "Shell 1"}),
              ListLines(OnlyDialog(), IDC_DECISION_LIST));
}

// The click that lists the entities may activate the main window only after the dialog showed
// (so the first click into the program does under Wine): the dialog still ends in front, active.
TEST_F(SelectionDecision, ComesUpInFrontActiveAlsoWhenTheClickActivatesTheMainWindowAfterIt)
{
    const HWND main = ::GetAncestor(m_view->m_hWnd, GA_ROOT);
    m_view->MakeCurrent();
    const CPoint3D p =
        m_view->Device().ProjectToWindow(Model().GetNode(5)->m_coord, &m_view->Camera(0));
    const LPARAM at = MAKELPARAM(static_cast<int>(p.x), static_cast<int>(p.y));
    m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    m_view->SendMessage(WM_LBUTTONUP, 0, at);
    ::SetForegroundWindow(main); // the click's own activation, late
    fw::test::Pump();
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(dialog, ::GetForegroundWindow());
    EXPECT_EQ(dialog, ::GetActiveWindow());
    Click(dialog, IDCANCEL);
}
