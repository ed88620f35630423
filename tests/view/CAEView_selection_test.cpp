// Interactive selection in the view, driven by a probe command's pick request: clicks, areas,
// polygons, the keys, the toolbars, the decision dialog and the hand-over to the requester.
#include "CommandProbes.h"
#include "ViewTestFrame.h"
#include "core/model/FEElement.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "view/QueryTools.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace view_window_test;

namespace
{
using Rgb = std::array<int, 3>;
using Ids = std::vector<int>;
constexpr Rgb kRed = {255, 0, 0};
constexpr Rgb kPink = {255, 128, 255};

// The query tools as a test scripts them: the decision dialog keeps its candidates until the
// test chooses one, and Select Entities adds what the test prepared.
class ScriptedTools : public CQueryTools
{
public:
    class Decision : public CSelectionDecision
    {
    public:
        explicit Decision(ScriptedTools& tools)
            : m_tools(tools)
        {
            m_tools.m_decision = this;
        }
        ~Decision() override { m_tools.m_decision = nullptr; }
        bool FillEntityList(const CEntityArray& candidates) override
        {
            m_tools.m_candidates = IdsOf(candidates);
            m_candidates.Copy(candidates);
            return !candidates.IsEmpty();
        }
        void Show() override { m_tools.m_shown = true; }
        // The dialog's OK with the entry at index: code 700 with the entity. The selection may
        // end and delete this dialog with its command: nothing is touched afterwards.
        void Choose(INT_PTR index)
        {
            CCmdRecord ok;
            ok.nCode = CCmdRecord::kDialogOk;
            ok.pData = m_candidates[index];
            GetViewMainFrame()->GetCmdManager()->ExecuteCommand(&ok);
        }

    private:
        ScriptedTools& m_tools;
        CEntityArray m_candidates;
    };

    std::unique_ptr<CSelectionDecision> CreateSelectionDecision(CCAEView*) override
    {
        return std::make_unique<Decision>(*this);
    }
    void RunSelectionById(CCAEView* view, int searchKind) override
    {
        m_searchKinds.push_back(searchKind);
        view->AddPickedEntity(m_found);
    }

    Decision* m_decision = nullptr; // the open selection's, owned by its command
    Ids m_candidates;
    bool m_shown = false;
    std::vector<int> m_searchKinds;
    CEntityArray m_found;
};

// Nine nodes 10 apart (ids 1 to 9, rows from the bottom left), four quads between them (1 bottom
// left, 2 bottom right, 3 top left, 4 top right; quad 4 of property 2) and a mass on node 5.
class ViewSelection : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        for (int j = 0; j < 3; ++j)
        {
            for (int i = 0; i < 3; ++i)
                AddTestNode(Model(), 3 * j + i + 1, 10 * i, 10 * j, 0);
        }
        AddQuad(Model(), 1, 1, 2, 5, 4);
        AddQuad(Model(), 2, 2, 3, 6, 5);
        AddQuad(Model(), 3, 4, 5, 8, 7);
        AddTestElement(Model(), 4, kTagShell, 94, {5, 6, 9, 8}, 2);
        AddTestElement(Model(), 5, kTagMass, 161, {5});
        Model().BuildElementFaces();
        Frame().m_project->m_settings.m_displayFilter = kKindAll;
        m_view = OpenView(300, 300);
        ASSERT_NE(nullptr, m_view);
        Command(m_view, ID_VIEW_AUTOSCALE);
        m_view->Renderer().RenderAll();
        CRect client;
        m_view->GetClientRect(&client);
        m_height = client.Height();
        Frame().m_manager.m_create = [this](const CCmdRecord& record) -> CCmdColl*
        {
            if (record.nCode != CCmdRecord::kModelInfo)
                return nullptr;
            auto* probe = new ProbeCommand(m_log, "A");
            probe->m_request = std::make_unique<CPickRequestRecord>(m_request);
            return probe;
        };
    }
    void TearDown() override
    {
        Frame().m_manager.m_create = nullptr;
        InstallQueryTools(nullptr);
        ViewFixture::TearDown();
    }

    // Starts the requester with m_request (nodes unless changed).
    void Request()
    {
        CCmdRecord start;
        start.nCode = CCmdRecord::kModelInfo;
        start.bKeepRunning = 0;
        Frame().m_manager.m_nFrameKey = m_view->FrameKey();
        Frame().m_manager.ExecuteCommand(&start);
        ASSERT_EQ(1, m_view->ViewSelection().IsSelecting());
    }
    void Allow(int kinds)
    {
        m_request.nAllowedKinds = kinds;
        m_request.nInitialFilter = kinds;
    }
    POINT NodePixel(int id)
    {
        m_view->MakeCurrent();
        const CPoint3D p =
            m_view->Device().ProjectToWindow(Model().GetNode(id)->m_coord, &m_view->Camera(0));
        return POINT{static_cast<int>(p.x), static_cast<int>(p.y)};
    }
    void Mouse(UINT message, UINT flags, POINT p)
    {
        m_view->SendMessage(message, flags, MAKELPARAM(p.x, p.y));
    }
    void Click(POINT p)
    {
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, p);
        Mouse(WM_LBUTTONUP, 0, p);
    }
    void Drag(POINT from, POINT to, UINT modifiers = 0)
    {
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON | modifiers, from);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON | modifiers,
              POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
        Mouse(WM_MOUSEMOVE, MK_LBUTTON | modifiers, to);
        Mouse(WM_LBUTTONUP, modifiers, to);
    }
    void Key(UINT key) { m_view->SendMessage(WM_KEYDOWN, key, 0); }
    Ids Picked()
    {
        CEntityArray entities;
        POSITION pos = m_view->Selection().Picked().GetStartPosition();
        while (pos != nullptr)
        {
            CModelEntity* entity = nullptr;
            int batch = 0;
            m_view->Selection().Picked().GetNextAssoc(pos, entity, batch);
            entities.Add(entity);
        }
        Ids ids = IdsOf(entities);
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    Rgb PixelAt(POINT p)
    {
        DrawFrame(m_view);
        return ReadPixel(p.x, p.y, m_height);
    }
    static POINT Offset(POINT p, int dx, int dy) { return POINT{p.x + dx, p.y + dy}; }

    CWendraView* m_view = nullptr;
    int m_height = 0;
    ProbeLog m_log;
    CPickRequestRecord m_request = []
    {
        CPickRequestRecord request;
        request.nAllowedKinds = kKindNode;
        request.nInitialFilter = kKindNode;
        return request;
    }();
};
} // namespace

TEST_F(ViewSelection, ClickOnANodeHighlightsItRedAndASecondClickUnpicksIt)
{
    Request();
    const POINT node = NodePixel(5);
    Click(node);
    EXPECT_EQ(Ids{5}, Picked());
    EXPECT_EQ(1, m_view->ViewSelection().PickBatch());
    EXPECT_EQ(kRed, PixelAt(node));
    Click(node);
    EXPECT_TRUE(Picked().empty());
    EXPECT_EQ(1, m_view->ViewSelection().PickBatch());
    EXPECT_NE(kRed, PixelAt(node));
    EXPECT_EQ(1, m_view->ViewSelection().IsSelecting());
}

TEST_F(ViewSelection, RectangleDraggedEitherWaySelectsTheSameSet)
{
    Allow(kKindNode | kKindShell);
    const POINT a = Offset(NodePixel(1), -10, 10);
    const POINT b = Offset(NodePixel(5), 10, -10);
    for (const auto& corners : {std::make_pair(a, b), std::make_pair(b, a)})
    {
        Request();
        Drag(corners.first, corners.second);
        EXPECT_EQ(0, m_view->ViewSelection().ChosenShape()) << "back to single picks";
        Key(VK_RETURN);
    }
    ASSERT_EQ(2u, m_log.selections.size());
    for (Ids& ids : m_log.selections)
        std::sort(ids.begin(), ids.end());
    EXPECT_EQ((Ids{-1, 1, 2, 4, 5}), m_log.selections[0]);
    EXPECT_EQ(m_log.selections[0], m_log.selections[1]);
}

TEST_F(ViewSelection, SecondPickOfTwoEndsWithOkAndHandsBothOverInPickOrder)
{
    m_request.nMaxPicks = 2;
    Request();
    Click(NodePixel(9));
    EXPECT_EQ(1, m_view->ViewSelection().IsSelecting());
    Click(NodePixel(1));
    EXPECT_EQ(0, m_view->ViewSelection().IsSelecting());
    EXPECT_EQ("A selection ok", m_log.events.back());
    ASSERT_EQ(1u, m_log.selections.size());
    EXPECT_EQ((Ids{9, 1}), m_log.selections[0]);
}

TEST_F(ViewSelection, OtherPickOrdersHandOverSortedById)
{
    m_request.nPickOrder = 0;
    Request();
    for (const int id : {9, 1, 5})
        Click(NodePixel(id));
    Command(m_view, ID_SELECT_DECISION);
    ASSERT_EQ(1u, m_log.selections.size());
    EXPECT_EQ((Ids{1, 5, 9}), m_log.selections[0]);
}

TEST_F(ViewSelection, EscEmptiesTheSelectionAndASecondEscAbortsIt)
{
    Request();
    const POINT node = NodePixel(1);
    Click(node);
    Key(VK_ESCAPE);
    EXPECT_TRUE(Picked().empty());
    EXPECT_EQ(0, m_view->ViewSelection().PickBatch());
    EXPECT_EQ(1, m_view->ViewSelection().IsSelecting());
    EXPECT_NE(kRed, PixelAt(node)) << "the highlight goes with the picks";
    Key(VK_ESCAPE);
    EXPECT_EQ(0, m_view->ViewSelection().IsSelecting());
    EXPECT_EQ("A selection cancel", m_log.events.back());
}

TEST_F(ViewSelection, DecisionWaitsForTheMinimumAndAbortEmptiesBeforeItEnds)
{
    m_request.nMinPicks = 2;
    Request();
    Click(NodePixel(1));
    Command(m_view, ID_SELECT_DECISION);
    Key(VK_RETURN);
    EXPECT_EQ(1, m_view->ViewSelection().IsSelecting());
    Click(NodePixel(2));
    Key(VK_RETURN);
    EXPECT_EQ("A selection ok", m_log.events.back());
    EXPECT_EQ((Ids{1, 2}), m_log.selections.back());

    Request();
    Click(NodePixel(3));
    Command(m_view, ID_SELECT_ABORT);
    EXPECT_EQ(1, m_view->ViewSelection().IsSelecting());
    EXPECT_TRUE(Picked().empty());
    Command(m_view, ID_SELECT_ABORT);
    EXPECT_EQ("A selection cancel", m_log.events.back());
}

TEST_F(ViewSelection, SelectAllTakesWhatIsShownAndUnpicksWhatWasPicked)
{
    Allow(kKindAll);
    m_view->ElementFilter().Properties().SetAt(2, 0); // quad 4 hidden
    Request();
    Click(NodePixel(1));
    ASSERT_EQ(Ids{1}, Picked());
    Command(m_view, ID_SELECT_ALL);
    EXPECT_EQ((Ids{-5, -3, -2, -1, 2, 3, 4, 5, 6, 7, 8, 9}), Picked());
    EXPECT_EQ(2, m_view->ViewSelection().PickBatch());
    // Kinds the user filters out or the display hides are left alone.
    Command(m_view, ID_SELECT_CANCEL_ALL);
    Command(m_view, ID_SELECT_FILTER_NODE);
    Frame().m_project->m_settings.m_displayFilter &= ~kKindMass;
    Command(m_view, ID_SELECT_ALL);
    EXPECT_EQ((Ids{-3, -2, -1}), Picked());
}

TEST_F(ViewSelection, CancelOneTakesBackTheLastBatch)
{
    Allow(kKindNode | kKindShell);
    Request();
    Click(NodePixel(9));
    Drag(Offset(NodePixel(1), -10, 10), Offset(NodePixel(2), 5, -5));
    EXPECT_EQ((Ids{1, 2, 9}), Picked());
    EXPECT_EQ(2, m_view->ViewSelection().PickBatch());
    Command(m_view, ID_SELECT_CANCEL_ONE);
    EXPECT_EQ(Ids{9}, Picked());
    EXPECT_EQ(1, m_view->ViewSelection().PickBatch());
    Command(m_view, ID_SELECT_CANCEL_ALL);
    EXPECT_TRUE(Picked().empty());
    Command(m_view, ID_SELECT_CANCEL_ONE); // nothing left: stays empty
    EXPECT_EQ(0, m_view->ViewSelection().PickBatch());
    EXPECT_EQ(1, m_view->ViewSelection().IsSelecting());
}

TEST_F(ViewSelection, ClickNeverPicksAMass)
{
    Allow(kKindMass);
    Request();
    Click(NodePixel(5));
    EXPECT_TRUE(Picked().empty());
    Command(m_view, ID_SELECT_ALL);
    EXPECT_EQ(Ids{-5}, Picked());
}

TEST_F(ViewSelection, SeveralEntitiesUnderTheCursorGoToTheDecisionDialog)
{
    ScriptedTools tools;
    InstallQueryTools(&tools);
    Allow(kKindNode | kKindShell);
    Request();
    const POINT centre = NodePixel(5); // node 5 and the corners of four quads
    Click(centre);
    ASSERT_TRUE(tools.m_shown);
    ASSERT_NE(nullptr, tools.m_decision);
    EXPECT_EQ(1, m_view->ViewSelection().IsDecisionPending());
    EXPECT_EQ(5u, tools.m_candidates.size());
    EXPECT_TRUE(Picked().empty());
    // While the decision is pending, clicks and keys do nothing.
    Click(NodePixel(1));
    Key(VK_ESCAPE);
    Command(m_view, ID_SELECT_ABORT);
    EXPECT_EQ(1, m_view->ViewSelection().IsSelecting());
    EXPECT_TRUE(Picked().empty());
    const auto shell = std::find(tools.m_candidates.begin(), tools.m_candidates.end(), -2);
    ASSERT_NE(tools.m_candidates.end(), shell);
    tools.m_decision->Choose(shell - tools.m_candidates.begin());
    EXPECT_EQ(0, m_view->ViewSelection().IsDecisionPending());
    EXPECT_EQ(Ids{-2}, Picked());
}

TEST_F(ViewSelection, DecisionThatEndsTheSelectionDeletesItsDialogUnderIt)
{
    ScriptedTools tools;
    InstallQueryTools(&tools);
    Allow(kKindNode | kKindShell);
    m_request.nMaxPicks = 1;
    Request();
    Click(NodePixel(5));
    ASSERT_NE(nullptr, tools.m_decision);
    const auto node = std::find(tools.m_candidates.begin(), tools.m_candidates.end(), 5);
    ASSERT_NE(tools.m_candidates.end(), node);
    tools.m_decision->Choose(node - tools.m_candidates.begin());
    EXPECT_EQ(nullptr, tools.m_decision) << "deleted with the selection command";
    EXPECT_EQ(0, m_view->ViewSelection().IsSelecting());
    EXPECT_EQ(Ids{5}, m_log.selections.back());
}

TEST_F(ViewSelection, WithoutTheDialogTheNearestEntityIsPicked)
{
    Allow(kKindNode | kKindShell);
    Request();
    Click(NodePixel(5));
    EXPECT_EQ(1u, Picked().size());
    EXPECT_EQ(0, m_view->ViewSelection().IsDecisionPending());
}

TEST_F(ViewSelection, PolygonClosesWithEnterOrTheMiddleButton)
{
    Request();
    Command(m_view, ID_SELECT_POLYGON);
    EXPECT_EQ(1, QueryUpdate(m_view, ID_SELECT_POLYGON).checked);
    const POINT five = NodePixel(5);
    for (const POINT p : {Offset(five, -20, -20), Offset(five, 20, -20), Offset(five, 20, 20)})
        Click(p);
    EXPECT_EQ(3, m_view->ViewSelection().PolygonPointCount());
    Mouse(WM_MOUSEMOVE, 0, Offset(five, -20, 20));
    DrawFrame(m_view);
    EXPECT_GT(
        CountDiffering(five.x - 15, five.y + 20, five.x + 15, five.y + 21, m_height, {0, 0, 0}), 3)
        << "the rubber edge to the cursor";
    Click(Offset(five, -20, 20));
    Key(VK_RETURN);
    EXPECT_EQ(Ids{5}, Picked());
    EXPECT_EQ(0, m_view->ViewSelection().ChosenShape());
    EXPECT_EQ(0, m_view->ViewSelection().PolygonPointCount());

    Command(m_view, ID_SELECT_POLYGON);
    const POINT one = NodePixel(1);
    for (const POINT p : {Offset(one, -20, -20), Offset(one, 20, -20), Offset(one, 0, 20)})
        Click(p);
    Mouse(WM_MBUTTONDOWN, MK_MBUTTON, one);
    EXPECT_EQ((Ids{1, 5}), Picked());
    EXPECT_EQ(2, m_view->ViewSelection().PickBatch());
    EXPECT_EQ(1, m_view->ViewSelection().IsSelecting());
}

TEST_F(ViewSelection, HoverIsPinkAndFollowsTheMouseAtItsOwnPace)
{
    Request();
    const POINT node = NodePixel(5);
    Mouse(WM_MOUSEMOVE, 0, node);
    ASSERT_NE(nullptr, m_view->Selection().Hover());
    EXPECT_EQ(5, m_view->Selection().Hover()->m_id);
    EXPECT_EQ(kPink, PixelAt(node));
    // The clock stands still: the next pick waits for the timer.
    Mouse(WM_MOUSEMOVE, 0, Offset(node, 40, 40));
    EXPECT_NE(nullptr, m_view->Selection().Hover());
    EXPECT_TRUE(fw::test::WaitFor([this] { return m_view->Selection().Hover() == nullptr; }));
}

TEST_F(ViewSelection, ReleaseOfACameraDragPicksNothing)
{
    Request();
    const POINT node = NodePixel(5);
    Drag(Offset(node, -30, 0), node, MK_SHIFT);
    EXPECT_TRUE(Picked().empty());
    Command(m_view, ID_VIEW_PAN);
    Click(NodePixel(5));
    EXPECT_TRUE(Picked().empty());
    EXPECT_EQ(kModeNone, g_nOperationMode);
}

TEST_F(ViewSelection, WithoutAreaSelectionADragStillPicksOnlyAtTheRelease)
{
    m_request.bAreaSelect = 0;
    Request();
    Drag(Offset(NodePixel(1), -10, 10), NodePixel(5));
    EXPECT_EQ(Ids{5}, Picked());
    EXPECT_EQ(0, m_view->ViewSelection().ChosenShape());
    EXPECT_EQ(0, QueryUpdate(m_view, ID_SELECT_RECTANGLE).enabled);
}

TEST_F(ViewSelection, ToolbarsFollowTheSelection)
{
    const UINT selectionCommands[] = {ID_SELECT_CANCEL_ALL, ID_SELECT_CANCEL_ONE,
                                      ID_SELECT_DECISION,   ID_SELECT_ABORT,
                                      ID_SELECT_ALL,        ID_SELECT_BY_ID};
    for (const UINT id : selectionCommands)
        EXPECT_EQ(0, QueryUpdate(m_view, id).enabled);
    Allow(kKindAll);
    Request();
    for (const UINT id : selectionCommands)
        EXPECT_EQ(1, QueryUpdate(m_view, id).enabled);
    EXPECT_EQ(1, QueryUpdate(m_view, ID_SELECT_BY_PROPERTY).enabled);
    EXPECT_EQ(1, QueryUpdate(m_view, ID_SELECT_CIRCLE).enabled);
    EXPECT_EQ(0, QueryUpdate(m_view, ID_SELECT_CIRCLE).checked);
    Command(m_view, ID_SELECT_CIRCLE);
    EXPECT_EQ(1, QueryUpdate(m_view, ID_SELECT_CIRCLE).checked);
    Command(m_view, ID_SELECT_FILTER_BEAM);
    EXPECT_EQ(0, QueryUpdate(m_view, ID_SELECT_BY_MATERIAL).enabled);
    Command(m_view, ID_SELECT_FILTER_BEAM);

    ScriptedTools tools;
    InstallQueryTools(&tools);
    tools.m_found.Add(Model().FindElement(3));
    Command(m_view, ID_SELECT_BY_ID);
    Command(m_view, ID_SELECT_BY_MATERIAL);
    EXPECT_EQ((std::vector<int>{CQueryTools::kById, CQueryTools::kByMaterial}),
              tools.m_searchKinds);
    EXPECT_TRUE(Picked().empty()) << "added, then unpicked by the second search";
}

TEST_F(ViewSelection, RepeatedRequestKeepsTheUsersLastFilter)
{
    Allow(kKindNode | kKindShell);
    Request();
    Command(m_view, ID_SELECT_FILTER_SHELL);
    Click(NodePixel(1));
    Key(VK_RETURN);
    Request();
    EXPECT_EQ(kKindNode, m_view->Selection().Filter());
    Key(VK_ESCAPE);
    // Other allowed kinds start from the request's own filter.
    Allow(kKindNode | kKindShell | kKindSolid);
    Request();
    EXPECT_EQ(kKindNode | kKindShell | kKindSolid, m_view->Selection().Filter());
}
