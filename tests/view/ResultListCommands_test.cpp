// Result list commands: the values of the picked nodes or elements read from each kind of
// result table, and Result List Nodal from the pick through the result filter to the sheet
// (code 612) with the installed tools.
#include "view/ResultListCommands.h"

#include "ViewTestFrame.h"
#include "core/display/EntityKinds.h"
#include "core/geometry/FENode.h"
#include "core/model/ResultData.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"
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
    return std::vector<int>(record.m_Ids.GetData(), record.m_Ids.GetData() + record.m_Ids.GetSize());
}

// Nodes 1 and 2 used by element 10 (corners 1, 2) and node 2 by element 11; node 3 by none.
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
    // Node 2: (3 + 5) / 2 elements; node 3 has none and no value, never 0 / 0.
    EXPECT_EQ((std::vector<double>{1.0, 4.0, 0.0}), Values(record, 2));
    // Element 11 has no corner vectors but counts.
    EXPECT_EQ((std::vector<double>{1.0, 1.5, 0.0}), Values(record, 3));
}

TEST_F(ResultListTable, ElementsReadTheirValueOrTheMeanOfTheirCorners)
{
    const CResultListRecord record = Build(false, {11, 10, 12},
                                           {{&m_perElement, 12, "e"},
                                            {&m_corners, 12, "c"},
                                            {&m_corners, 15, "cz"}});
    EXPECT_EQ((std::vector<int>{10, 11, 12}), Ids(record));
    EXPECT_EQ((std::vector<double>{0.0, 6.25, 0.0}), Values(record, 0));
    EXPECT_EQ((std::vector<double>{2.0, 5.0, 0.0}), Values(record, 1));
    EXPECT_EQ((std::vector<double>{4.0, 0.0, 0.0}), Values(record, 2));
}

namespace
{
struct FakeFilter : CResultFilterWindow
{
    explicit FakeFilter(std::vector<std::string>& log) : events(log) {}
    ~FakeFilter() override { events.push_back("gone"); }
    bool Open(const CModelSet&, bool nodal, const std::vector<int>& ids, UINT shownResultId,
              int shownSelector, std::function<void(const std::vector<CChosenResult>&)> ok) override
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

struct FakeTools : CResultListTools, CGraphTools
{
    std::unique_ptr<CResultFilterWindow> CreateResultFilter() override
    {
        return std::make_unique<FakeFilter>(events);
    }
    bool OpenTransientGraph(const CModelSet&, const CEntityArray&, UINT, int) override
    {
        return false;
    }
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
    }
    void TearDown() override
    {
        InstallResultListTools(m_previous);
        InstallGraphTools(m_previousGraph);
        FakeFilter::s_onOk = nullptr;
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
    EXPECT_EQ((std::vector<std::string>{"open nodal 9 4 2 shown 8396808/259", "close", "gone", "sheet"}),
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
