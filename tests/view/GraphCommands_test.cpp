// The transient graph command: code 519 hands the picks, the result and its component to the
// installed graph tools with the project's model, and opens nothing without them.
#include "view/GraphCommands.h"

#include "ViewTestFrame.h"
#include "core/display/EntityKinds.h"
#include "core/geometry/FENode.h"
#include "core/model/ResultData.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"
#include "view/GraphTools.h"

#include <gtest/gtest.h>

using namespace view_window_test;

namespace
{
struct FakeDistanceWindow : CDistanceGraphWindow
{
    explicit FakeDistanceWindow(std::vector<std::string>& log)
        : events(log)
    {
    }
    ~FakeDistanceWindow() override { events.push_back("gone"); }
    bool Open(const CModelSet&, const CDistanceGraphRecord& record) override
    {
        events.push_back("open " + std::to_string(record.m_Results.GetSize()) + " " +
                         std::to_string(record.m_Entities.GetSize()));
        return true;
    }
    std::vector<std::string>& events;
};

struct ScriptedGraphTools : CGraphTools
{
    std::unique_ptr<CDistanceGraphWindow> CreateDistanceGraphDialog() override
    {
        return std::make_unique<FakeDistanceWindow>(dialogEvents);
    }
    std::vector<std::string> dialogEvents;
    void RunResultSheet(const CResultListRecord& record) override
    {
        sheets.push_back(std::to_string(record.m_Ids.GetSize()) + " ids, " +
                         std::to_string(record.m_Series.GetSize()) + " columns, nodal " +
                         std::to_string(record.bNodal));
    }
    std::vector<std::string> sheets;

    bool OpenTransientGraph(const CModelSet& model, const CEntityArray& entities, UINT resultId,
                            int component) override
    {
        models.push_back(&model);
        for (int i = 0; i < entities.GetSize(); ++i)
            ids.push_back(entities[i]->m_id);
        this->resultId = resultId;
        this->component = component;
        return answer;
    }

    std::vector<const CModelSet*> models;
    std::vector<int> ids;
    UINT resultId = 0;
    int component = 0;
    bool answer = true;
};

class GraphCommandsTest : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        m_view = OpenView();
        ASSERT_NE(nullptr, m_view);
    }
    void TearDown() override
    {
        InstallGraphTools(m_previous);
        ViewFixture::TearDown();
    }
    void SendTransientGraph(int resultId, int component)
    {
        CResultGraphRecord record;
        record.m_Entities.Add(&m_node4);
        record.m_Entities.Add(&m_node2);
        record.nResultId = resultId;
        record.nComponent = component;
        record.bKeepRunning = 0;
        Frame().m_manager.m_nFrameKey = m_view->FrameKey();
        Frame().m_manager.ExecuteCommand(&record);
    }
    CCmdCollTransientGraph* Running()
    {
        return dynamic_cast<CCmdCollTransientGraph*>(Frame().m_manager.GetRunningCommand());
    }

    CWendraView* m_view = nullptr;
    CFENode m_node4{4, CPoint3D(0.0, 0.0, 0.0)};
    CFENode m_node2{2, CPoint3D(1.0, 0.0, 0.0)};
    ScriptedGraphTools m_tools;
    CGraphTools* m_previous = GetGraphTools();
};
} // namespace

TEST_F(GraphCommandsTest, HandsThePicksAndTheResultToTheGraphTools)
{
    InstallGraphTools(&m_tools);
    SendTransientGraph(0x00802008, 14);
    ASSERT_NE(nullptr, Running());
    EXPECT_TRUE(Running()->HasOpenedGraph());
    ASSERT_EQ(1u, m_tools.models.size());
    EXPECT_EQ(&Model(), m_tools.models[0]);
    EXPECT_EQ((std::vector<int>{4, 2}), m_tools.ids);
    EXPECT_EQ(0x00802008u, m_tools.resultId);
    EXPECT_EQ(14, m_tools.component);

    // A result that opens no window leaves the command without one.
    m_tools.answer = false;
    SendTransientGraph(0x00802008, 12);
    ASSERT_NE(nullptr, Running());
    EXPECT_FALSE(Running()->HasOpenedGraph());
}

TEST_F(GraphCommandsTest, WithoutGraphToolsOrResultNothingOpens)
{
    InstallGraphTools(nullptr);
    SendTransientGraph(0x00802008, 14);
    ASSERT_NE(nullptr, Running());
    EXPECT_FALSE(Running()->HasOpenedGraph());

    InstallGraphTools(&m_tools);
    SendTransientGraph(-1, 14);
    EXPECT_TRUE(m_tools.models.empty());
}

namespace
{
class ResultGraphTest : public GraphCommandsTest
{
protected:
    // The nodal result graph picks these two nodes; true when it sent code 519.
    void PickTwoNodes(bool isOk = true)
    {
        Frame().m_manager.m_nFrameKey = m_view->FrameKey();
        CCmdRecord start;
        start.nCode = CCmdRecord::kResultGraphNodal;
        Frame().m_manager.ExecuteCommand(&start);
        m_allowedKinds = m_view->Selection().AllowedKinds();
        CSelectionRecord end;
        end.bOk = isOk ? 1 : 0;
        end.bCancel = isOk ? 0 : 1;
        end.m_Entities.Add(&m_node4);
        end.m_Entities.Add(&m_node2);
        Frame().m_manager.ExecuteCommand(&end);
    }

    int m_allowedKinds = 0;
};
} // namespace

TEST_F(ResultGraphTest, ShownContourComponentGoesToTheTransientGraph)
{
    InstallGraphTools(&m_tools);
    const struct
    {
        int shown;
        int component;
    } cases[] = {{1, 16}, {2, 13}, {3, 14}, {4 | 8, 15}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.shown);
        m_tools.models.clear();
        m_view->Renderer().SetContourResultId(0x00802008);
        m_view->Renderer().SetResultComponent(c.shown);
        PickTwoNodes();
        ASSERT_EQ(1u, m_tools.models.size());
        EXPECT_EQ(c.component, m_tools.component);
        EXPECT_EQ(0x00802008u, m_tools.resultId);
        EXPECT_NE(nullptr, Running());
        EXPECT_EQ(kKindNode, m_allowedKinds);
    }
    EXPECT_EQ((std::vector<int>{4, 2, 4, 2, 4, 2, 4, 2}), m_tools.ids);
}

TEST_F(ResultGraphTest, VectorsAloneGiveTheScalarAndNoResultOrCancelGraphsNothingAtOnce)
{
    InstallGraphTools(&m_tools);
    Frame().m_project->m_settings.m_displayFilter = 0;
    m_view->Renderer().SetContourResultId(-1);
    m_view->Renderer().SetVectorResultId(0x00804008);
    PickTwoNodes();
    ASSERT_EQ(1u, m_tools.models.size());
    EXPECT_EQ(12, m_tools.component);
    EXPECT_EQ(0x00804008u, m_tools.resultId);

    // Without a shown result the user chooses one first (ResultListCommands_test).
    m_view->Renderer().SetVectorResultId(-1);
    PickTwoNodes();
    PickTwoNodes(false);
    EXPECT_EQ(1u, m_tools.models.size());
    // The nodes were made visible for the pick.
    EXPECT_TRUE(Frame().m_project->m_settings.m_displayFilter & kKindNode);
}

TEST_F(GraphCommandsTest, DistanceGraphDialogOpensForChosenResultsAndGoesWithItsCommand)
{
    InstallGraphTools(&m_tools);
    CResultData result;
    const auto send = [&](bool withResult)
    {
        CDistanceGraphRecord record;
        record.m_Entities.Add(&m_node4);
        if (withResult)
        {
            record.m_Results.Add(&result);
            record.m_Components.Add(12);
            record.m_Names.Add("r");
        }
        record.bKeepRunning = 0;
        Frame().m_manager.m_nFrameKey = m_view->FrameKey();
        Frame().m_manager.ExecuteCommand(&record);
    };
    send(true);
    auto* running = dynamic_cast<CCmdCollDistanceGraphDlg*>(Frame().m_manager.GetRunningCommand());
    ASSERT_NE(nullptr, running);
    EXPECT_EQ(1, running->m_bDialogOpen);
    EXPECT_EQ((std::vector<std::string>{"open 1 1"}), m_tools.dialogEvents);

    // The next command replaces it, and the dialog goes; a record without results opens none.
    send(false);
    running = dynamic_cast<CCmdCollDistanceGraphDlg*>(Frame().m_manager.GetRunningCommand());
    ASSERT_NE(nullptr, running);
    EXPECT_EQ(0, running->m_bDialogOpen);
    EXPECT_EQ((std::vector<std::string>{"open 1 1", "gone"}), m_tools.dialogEvents);
}

TEST_F(GraphCommandsTest, ResultSheetRunsWithTheRecordsIdsAndColumns)
{
    InstallGraphTools(&m_tools);
    CResultListRecord record;
    record.m_Ids.Add(3);
    record.m_Ids.Add(8);
    CDataSeries column;
    column.m_title = "t";
    record.m_Series.Add(column);
    record.bNodal = 1;
    record.bKeepRunning = 0;
    Frame().m_manager.m_nFrameKey = m_view->FrameKey();
    Frame().m_manager.ExecuteCommand(&record);
    EXPECT_EQ((std::vector<std::string>{"2 ids, 1 columns, nodal 1"}), m_tools.sheets);
    EXPECT_NE(nullptr, dynamic_cast<CCmdCollCsvSheet*>(Frame().m_manager.GetRunningCommand()));
}
