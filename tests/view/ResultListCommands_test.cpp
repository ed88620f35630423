// Result list commands: the values of the picked nodes or elements read from each kind of
// result table, and Result List Nodal from the pick through the result filter to the sheet
// (code 612) with the installed tools; the distance graph from the pick through the filter to
// the distance graph dialog (523), the result graph through the result id selection to the
// transient graph (519), and the Information menu entries that start them.
#include "view/ResultListCommands.h"

#include "ViewTestFrame.h"
#include "core/display/EntityKinds.h"
#include "core/geometry/FENode.h"
#include "core/model/ResultData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"
#include "view/GraphCommands.h"
#include "view/GraphTools.h"
#include "view/ResultListTable.h"

#include <gtest/gtest.h>

using namespace view_window_test;

namespace
{
std::vector<double> Values(const CResultListRecord& record, int series)
{
    const CDataSeries& s = record.m_Series[series];
    return std::vector<double>(s.m_values.GetData(), s.m_values.GetData() + s.m_values.GetSize());
}

std::vector<int> Ids(const CResultListRecord& record)
{
    return std::vector<int>(record.m_Ids.GetData(),
                            record.m_Ids.GetData() + record.m_Ids.GetSize());
}

// Nodes 1 and 2 used by element 10 (corners 1, 2), node 1 also by element 12, which holds no
// values (a shell beside a solid), and node 2 by element 11; node 3 by none.
class ResultListTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const int id : {1, 2, 3})
        {
            auto* node = new CFENode(id, CPoint3D(id, 0.0, 0.0));
            m_nodes.push_back(node);
            ASSERT_TRUE(m_model.AddNode(node));
        }
        m_nodes[0]->m_ids.Add(10);
        m_nodes[0]->m_ids.Add(12);
        m_nodes[1]->m_ids.Add(10);
        m_nodes[1]->m_ids.Add(11);

        m_atNodes.m_flags = CResultData::kFlagAtNodes;
        m_atNodes.SetNodeValue(1, 1.5);
        m_atNodes.SetNodeValue(2, -2.5);
        m_atNodes.SetNodeVector(2, CPoint3D(7.0, 8.0, 9.0));

        m_corners.m_flags = CResultData::kFlagElementNodes;
        CComponentSet& ten = m_corners.GetOrCreateComponentSet(10, 2);
        ten.nodeIds = {1, 2};
        ten.values = {1.0, 3.0};
        ten.vectors = {CPoint3D(1.0, 2.0, 3.0), CPoint3D(3.0, 4.0, 5.0)};
        CComponentSet& eleven = m_corners.GetOrCreateComponentSet(11, 1);
        eleven.nodeIds = {2};
        eleven.values = {5.0};

        m_perElement.SetElementValue(11, 6.25);
    }

    CResultListRecord Build(bool nodal, std::initializer_list<int> picks,
                            const std::vector<CChosenResult>& chosen)
    {
        CEntityArray entities;
        for (const int id : picks)
        {
            m_picks.push_back(std::make_unique<CFENode>(id, CPoint3D()));
            entities.Add(m_picks.back().get());
        }
        CResultListRecord record;
        BuildResultList(m_model, entities, nodal, chosen, &record);
        return record;
    }

    CModelSet m_model;
    std::vector<CFENode*> m_nodes; // owned by the model
    std::vector<std::unique_ptr<CFENode>> m_picks;
    CResultData m_atNodes;
    CResultData m_corners;
    CResultData m_perElement;
};
} // namespace

TEST_F(ResultListTable, NodesReadTheirTablesAndTheMeanOverTheirElements)
{
    const CResultListRecord record = Build(true, {3, 1, 2},
                                           {{&m_atNodes, 12, "a"},
                                            {&m_atNodes, 14, "ay"},
                                            {&m_corners, 12, "c"},
                                            {&m_corners, 13, "cx"}});
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Ids(record));
    ASSERT_EQ(4, record.m_Series.GetSize());
    EXPECT_EQ(CString("ay"), record.m_Series[1].m_title);
    EXPECT_EQ((std::vector<double>{1.5, -2.5, 0.0}), Values(record, 0));
    EXPECT_EQ((std::vector<double>{0.0, 8.0, 0.0}), Values(record, 1));
    // Only elements holding a value at the node count: node 1 takes element 10's 1 alone,
    // node 2 (3 + 5) / 2; node 3 has none and no value, never 0 / 0.
    EXPECT_EQ((std::vector<double>{1.0, 4.0, 0.0}), Values(record, 2));
    // Element 11 has no corner vectors: node 2's x is element 10's alone.
    EXPECT_EQ((std::vector<double>{1.0, 3.0, 0.0}), Values(record, 3));
}

TEST_F(ResultListTable, ElementsReadTheirValueOrTheMeanOfTheirCorners)
{
    const CResultListRecord record =
        Build(false, {11, 10, 12},
              {{&m_perElement, 12, "e"}, {&m_corners, 12, "c"}, {&m_corners, 15, "cz"}});
    EXPECT_EQ((std::vector<int>{10, 11, 12}), Ids(record));
    EXPECT_EQ((std::vector<double>{0.0, 6.25, 0.0}), Values(record, 0));
    EXPECT_EQ((std::vector<double>{2.0, 5.0, 0.0}), Values(record, 1));
    EXPECT_EQ((std::vector<double>{4.0, 0.0, 0.0}), Values(record, 2));
}

namespace
{
struct FakeFilter : CResultFilterWindow
{
    explicit FakeFilter(std::vector<std::string>& log)
        : events(log)
    {
    }
    ~FakeFilter() override { events.push_back("gone"); }
    bool Open(const CModelSet&, bool nodal, const std::vector<int>& ids, UINT shownResultId,
              int shownSelector, int,
              std::function<void(const std::vector<CChosenResult>&)> ok) override
    {
        std::string text = std::string("open ") + (nodal ? "nodal" : "elemental");
        for (const int id : ids)
            text += " " + std::to_string(id);
        text += " shown " + std::to_string(shownResultId) + "/" + std::to_string(shownSelector);
        events.push_back(text);
        onOk = ok;
        return true;
    }
    void Close() override { events.push_back("close"); }
    std::vector<std::string>& events;
    std::function<void(const std::vector<CChosenResult>&)>& onOk = s_onOk;
    static std::function<void(const std::vector<CChosenResult>&)> s_onOk;
};
std::function<void(const std::vector<CChosenResult>&)> FakeFilter::s_onOk;

struct FakeIdSelection : CResultIdSelectionWindow
{
    explicit FakeIdSelection(std::vector<std::string>& log)
        : events(log)
    {
    }
    ~FakeIdSelection() override { events.push_back("gone"); }
    bool Open(const CModelSet&, bool nodal, const std::vector<int>& ids, int,
              std::function<void(int, int)> ok) override
    {
        std::string text = std::string("choose ") + (nodal ? "nodal" : "elemental");
        for (const int id : ids)
            text += " " + std::to_string(id);
        events.push_back(text);
        s_onOk = ok;
        return true;
    }
    void Close() override { events.push_back("close"); }
    std::vector<std::string>& events;
    static std::function<void(int, int)> s_onOk;
};
std::function<void(int, int)> FakeIdSelection::s_onOk;

struct FakeDistanceDialog : CDistanceGraphWindow
{
    explicit FakeDistanceDialog(std::vector<std::string>& log)
        : events(log)
    {
    }
    bool Open(const CModelSet&, const CDistanceGraphRecord& record) override
    {
        std::string text = std::string("distance ") + (record.bNodal ? "nodal" : "elemental");
        for (int i = 0; i < record.m_Entities.GetSize(); ++i)
            text += " " + std::to_string(record.m_Entities[i]->m_id);
        for (int i = 0; i < record.m_Results.GetSize(); ++i)
            text += std::string(" [") + record.m_Names[i].GetString() + " " +
                    std::to_string(record.m_Components[i]) + "]";
        events.push_back(text);
        results.assign(record.m_Results.GetData(),
                       record.m_Results.GetData() + record.m_Results.GetSize());
        return true;
    }
    std::vector<std::string>& events;
    std::vector<CResultData*> results;
};

struct FakeTools : CResultListTools, CGraphTools
{
    std::unique_ptr<CResultFilterWindow> CreateResultFilter() override
    {
        return std::make_unique<FakeFilter>(events);
    }
    std::unique_ptr<CResultIdSelectionWindow> CreateResultIdSelection() override
    {
        return std::make_unique<FakeIdSelection>(events);
    }
    std::unique_ptr<CDistanceGraphWindow> CreateDistanceGraphDialog() override
    {
        auto dialog = std::make_unique<FakeDistanceDialog>(events);
        distance = dialog.get();
        return dialog;
    }
    bool OpenTransientGraph(const CModelSet&, const CEntityArray& entities, UINT resultId,
                            int component) override
    {
        std::string text = "graph " + std::to_string(resultId) + "/" + std::to_string(component);
        for (int i = 0; i < entities.GetSize(); ++i)
            text += " " + std::to_string(entities[i]->m_id);
        events.push_back(text);
        return true;
    }
    FakeDistanceDialog* distance = nullptr;
    void RunResultSheet(const CResultListRecord& record) override
    {
        events.push_back("sheet");
        sheetIds = Ids(record);
        for (INT_PTR i = 0; i < record.m_Series.GetSize(); ++i)
            sheetSeries.push_back({record.m_Series[i].m_title.GetString(), Values(record, int(i))});
        nodal = record.bNodal;
    }
    std::vector<std::string> events;
    std::vector<int> sheetIds;
    std::vector<std::pair<std::string, std::vector<double>>> sheetSeries;
    BYTE nodal = 9;
};

class ResultListCommandTest : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        m_view = OpenView();
        ASSERT_NE(nullptr, m_view);
        m_previous = InstallResultListTools(&m_tools);
        m_previousGraph = InstallGraphTools(&m_tools);
        FakeFilter::s_onOk = nullptr;
        FakeIdSelection::s_onOk = nullptr;
    }
    void TearDown() override
    {
        InstallResultListTools(m_previous);
        InstallGraphTools(m_previousGraph);
        FakeFilter::s_onOk = nullptr;
        FakeIdSelection::s_onOk = nullptr;
        ViewFixture::TearDown();
    }
    // Starts the command and ends its pick with the nodes.
    void Pick(int code, bool isOk = true)
    {
        Frame().m_manager.m_nFrameKey = m_view->FrameKey();
        CCmdRecord start;
        start.nCode = code;
        Frame().m_manager.ExecuteCommand(&start);
        m_allowedKinds = m_view->Selection().AllowedKinds();
        CSelectionRecord end;
        end.bOk = isOk ? 1 : 0;
        end.bCancel = isOk ? 0 : 1;
        for (CFENode* node : {&m_node9, &m_node4, &m_node2})
            end.m_Entities.Add(node);
        Frame().m_manager.ExecuteCommand(&end);
    }

    CWendraView* m_view = nullptr;
    CFENode m_node9{9, CPoint3D()};
    CFENode m_node4{4, CPoint3D()};
    CFENode m_node2{2, CPoint3D()};
    CResultData m_result;
    FakeTools m_tools;
    CResultListTools* m_previous = nullptr;
    CGraphTools* m_previousGraph = nullptr;
    int m_allowedKinds = 0;
};
} // namespace

TEST_F(ResultListCommandTest, NodalPicksGoThroughTheFilterToTheSheetAscending)
{
    m_view->Renderer().SetContourResultId(0x00802008);
    m_view->Renderer().SetResultComponent(0x100 | 3);
    Pick(CCmdRecord::kResultListNodal);
    EXPECT_EQ(kKindNode, m_allowedKinds);
    ASSERT_EQ((std::vector<std::string>{"open nodal 9 4 2 shown 8396808/259"}), m_tools.events);
    ASSERT_TRUE(FakeFilter::s_onOk);
    EXPECT_EQ(1, Frame().m_manager.GetRunningCommand()->m_bDialogOpen);

    m_result.m_flags = CResultData::kFlagAtNodes;
    m_result.SetNodeValue(4, 40.0);
    m_result.SetNodeValue(9, 90.0);
    m_result.SetNodeVector(2, CPoint3D(0.0, 2.0, 0.0));
    FakeFilter::s_onOk({{&m_result, 12, "Stress"}, {&m_result, 14, "Case1 : Y : Disp"}});
    EXPECT_EQ(
        (std::vector<std::string>{"open nodal 9 4 2 shown 8396808/259", "close", "gone", "sheet"}),
        m_tools.events);
    EXPECT_EQ((std::vector<int>{2, 4, 9}), m_tools.sheetIds);
    ASSERT_EQ(2u, m_tools.sheetSeries.size());
    EXPECT_EQ("Stress", m_tools.sheetSeries[0].first);
    EXPECT_EQ((std::vector<double>{0.0, 40.0, 90.0}), m_tools.sheetSeries[0].second);
    EXPECT_EQ((std::vector<double>{2.0, 0.0, 0.0}), m_tools.sheetSeries[1].second);
    EXPECT_EQ(1, m_tools.nodal);
}

TEST_F(ResultListCommandTest, ElementalCancelAndMissingToolsOpenNoSheet)
{
    m_view->Renderer().SetContourResultId(-1);
    m_view->Renderer().SetVectorResultId(-1);
    Pick(CCmdRecord::kResultListElemental);
    EXPECT_EQ(kKindAll & ~kKindNode, m_allowedKinds);
    EXPECT_EQ((std::vector<std::string>{"open elemental 9 4 2 shown 0/0"}), m_tools.events);

    m_tools.events.clear();
    Pick(CCmdRecord::kResultListNodal, false); // the earlier filter goes with its command
    EXPECT_EQ((std::vector<std::string>{"gone"}), m_tools.events);

    InstallResultListTools(nullptr);
    m_tools.events.clear();
    Pick(CCmdRecord::kResultListNodal);
    EXPECT_TRUE(m_tools.events.empty());
}

TEST_F(ResultListCommandTest, DistanceGraphHandsThePicksAndChosenResultsToItsDialog)
{
    for (const bool nodal : {true, false})
    {
        SCOPED_TRACE(nodal);
        m_tools.events.clear();
        m_view->Renderer().SetContourResultId(-1);
        m_view->Renderer().SetVectorResultId(-1);
        Pick(nodal ? CCmdRecord::kDistanceGraphNodal : CCmdRecord::kDistanceGraphElemental);
        EXPECT_EQ(nodal ? kKindNode : kKindAll & ~kKindNode, m_allowedKinds);
        ASSERT_TRUE(FakeFilter::s_onOk);
        EXPECT_EQ(1, Frame().m_manager.GetRunningCommand()->m_bDialogOpen);

        // The picks stay in picking order: the dialog sorts them along its own X.
        FakeFilter::s_onOk({{&m_result, 14, "Case1 : Y : Disp"}, {&m_result, 12, "Stress"}});
        const std::string kind = nodal ? "nodal" : "elemental";
        EXPECT_EQ((std::vector<std::string>{"open " + kind + " 9 4 2 shown 0/0", "close", "gone",
                                            "distance " + kind +
                                                " 9 4 2 [Case1 : Y : Disp 14] [Stress 12]"}),
                  m_tools.events);
        ASSERT_NE(nullptr, m_tools.distance);
        EXPECT_EQ((std::vector<CResultData*>{&m_result, &m_result}), m_tools.distance->results);
        EXPECT_NE(nullptr,
                  dynamic_cast<CCmdCollDistanceGraphDlg*>(Frame().m_manager.GetRunningCommand()));
    }

    // A cancelled pick opens no filter.
    m_tools.events.clear();
    Pick(CCmdRecord::kDistanceGraphNodal, false);
    EXPECT_TRUE(m_tools.events.empty());
}

TEST_F(ResultListCommandTest, ResultGraphWithoutAShownResultAsksForOneAndGraphsIt)
{
    m_view->Renderer().SetContourResultId(-1);
    m_view->Renderer().SetVectorResultId(-1);
    Pick(CCmdRecord::kResultGraphElemental);
    ASSERT_EQ((std::vector<std::string>{"choose elemental 9 4 2"}), m_tools.events);
    ASSERT_TRUE(FakeIdSelection::s_onOk);
    EXPECT_EQ(1, Frame().m_manager.GetRunningCommand()->m_bDialogOpen);

    FakeIdSelection::s_onOk(0x00802009, 14);
    EXPECT_EQ((std::vector<std::string>{"choose elemental 9 4 2", "close", "gone",
                                        "graph 8396809/14 9 4 2"}),
              m_tools.events);

    // A cancelled pick closes an open selection and ends the command.
    m_tools.events.clear();
    Pick(CCmdRecord::kResultGraphNodal);
    CSelectionRecord cancel;
    cancel.bCancel = 1;
    Frame().m_manager.ExecuteCommand(&cancel);
    EXPECT_EQ("choose nodal 9 4 2", m_tools.events.front());

    // With a shown result no selection opens: the graph takes the view's result at once.
    m_tools.events.clear();
    m_view->Renderer().SetContourResultId(0x00802008);
    m_view->Renderer().SetResultComponent(3);
    Pick(CCmdRecord::kResultGraphNodal);
    EXPECT_EQ((std::vector<std::string>{"graph 8396808/14 9 4 2"}), m_tools.events);
}

TEST_F(ResultListCommandTest, InformationMenuStartsEachResultToolOnThisView)
{
    const struct
    {
        UINT command;
        int code;
        const char* event;
    } cases[] = {
        {ID_INFO_RESULT_LIST_NODAL, CCmdRecord::kResultListNodal, "open nodal 9 4 2 shown 0/0"},
        {ID_INFO_RESULT_LIST_ELEM, CCmdRecord::kResultListElemental,
         "open elemental 9 4 2 shown 0/0"},
        {ID_INFO_RESULT_GRAPH_NODAL, CCmdRecord::kResultGraphNodal, "choose nodal 9 4 2"},
        {ID_INFO_RESULT_GRAPH_ELEM, CCmdRecord::kResultGraphElemental, "choose elemental 9 4 2"},
        {ID_INFO_DISTANCE_GRAPH_NODAL, CCmdRecord::kDistanceGraphNodal,
         "open nodal 9 4 2 shown 0/0"},
        {ID_INFO_DISTANCE_GRAPH_ELEM, CCmdRecord::kDistanceGraphElemental,
         "open elemental 9 4 2 shown 0/0"},
    };
    m_view->Renderer().SetContourResultId(-1);
    m_view->Renderer().SetVectorResultId(-1);
    auto* result = new CResultData(); // the entries want a result in the project
    result->m_id = 0x00802008;
    ASSERT_TRUE(Model().AddResult(result));
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.command);
        m_tools.events.clear();
        Frame().m_manager.m_nFrameKey = -5;
        Command(m_view, c.command);
        EXPECT_EQ(m_view->FrameKey(), Frame().m_manager.m_nFrameKey);
        CSelectionRecord end;
        end.bOk = 1;
        for (CFENode* node : {&m_node9, &m_node4, &m_node2})
            end.m_Entities.Add(node);
        Frame().m_manager.ExecuteCommand(&end);
        ASSERT_FALSE(m_tools.events.empty());
        EXPECT_EQ(c.event, m_tools.events.back());
    }
}

TEST_F(ResultListCommandTest, ResultToolsAreEnabledByWhereTheCurrentResultIsHeld)
{
    const UINT nodal[] = {ID_INFO_RESULT_LIST_NODAL, ID_INFO_RESULT_GRAPH_NODAL,
                          ID_INFO_DISTANCE_GRAPH_NODAL};
    const UINT elemental[] = {ID_INFO_RESULT_LIST_ELEM, ID_INFO_RESULT_GRAPH_ELEM,
                              ID_INFO_DISTANCE_GRAPH_ELEM};
    const auto expect = [&](int nodalOn, int elementalOn)
    {
        for (const UINT id : nodal)
            EXPECT_EQ(nodalOn, QueryUpdate(m_view, id).enabled) << id;
        for (const UINT id : elemental)
            EXPECT_EQ(elementalOn, QueryUpdate(m_view, id).enabled) << id;
    };
    m_view->SetCurrentResult(nullptr);
    expect(0, 0); // no results in the project

    auto* result = new CResultData();
    result->m_id = 0x00802008;
    ASSERT_TRUE(Model().AddResult(result));
    expect(1, 1); // none current
    const struct
    {
        int flags;
        BYTE average;
        int nodalOn;
        int elementalOn;
    } cases[] = {
        {CResultData::kFlagAtNodes, 1, 1, 0},
        {CResultData::kFlagElementNodes, 0, 1, 1},
        {0, 1, 1, 1}, // per element, averaged to the nodes
        {0, 0, 0, 1}, // per element only
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.flags * 10 + c.average);
        result->m_flags = c.flags;
        result->m_average = c.average;
        m_view->SetCurrentResult(result);
        expect(c.nodalOn, c.elementalOn);
    }
    m_view->SetCurrentResult(nullptr);
}
