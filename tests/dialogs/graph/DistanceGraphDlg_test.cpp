// The distance graph dialog under Wine: its texts and scales, a graph window per Create Graph
// with the chosen scale and titles, no series without picks, and Close; over nodes, the
// demo's element and corner results plotted as the result list shows them.
#include "dialogs/graph/DistanceGraphDlg.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "dialogs/graph/DialogGraphTools.h"
#include "dialogs/graph/DistanceGraphSeries.h"
#include "dialogs/graph/GraphFrame.h"
#include "io/unv/UnvReader.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/DialogTestSupport.h"
#include "view/CmdRecord.h"
#include "view/ResultListTable.h"

#include <cmath>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <map>

namespace
{
class DistanceGraphDlgTest : public dialogs_test::DialogFixture
{
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        CUnvReader reader(&m_model);
        ASSERT_TRUE(reader.ReadUnv("resources/demo/demo.unv")) << "the demo model is missing";
        POSITION position = m_model.GetResults().GetStartPosition();
        while (position != nullptr)
        {
            UINT id = 0;
            CResultData* result = nullptr;
            m_model.GetResults().GetNextAssoc(position, id, result);
            if (result->GetName() == "Temperature")
                m_temperature = result;
        }
        ASSERT_NE(nullptr, m_temperature);
        // Nodes of the edge y = 0, picked from the tip towards the clamp.
        for (int id = m_model.GetNodeCount(); id >= 1; --id)
        {
            const CPoint3D point = m_model.GetNodePoint(id);
            if (point.y == 0.0 && point.z == 0.0 && point.x >= 0.0 &&
                std::fmod(point.x, 50.0) == 0.0)
                m_picks.Add(m_model.GetNode(id));
        }
        ASSERT_EQ(5, m_picks.GetSize());
    }
    void TearDown() override
    {
        for (HWND frame : m_frames)
        {
            if (::IsWindow(frame))
                ::DestroyWindow(frame);
        }
        if (::IsWindow(m_dialog.m_hWnd))
            m_dialog.DestroyWindow();
        fw::test::Pump();
        DialogFixture::TearDown();
    }

    CGraphFrame* Press()
    {
        CGraphFrame* frame = m_dialog.CreateGraph();
        if (frame != nullptr)
            m_frames.push_back(frame->m_hWnd);
        return frame;
    }
    void Open(const CEntityArray& picks)
    {
        m_dialog.SetData(m_model, true, picks, {m_temperature}, {kComponentScalar},
                         {"Temperature"});
        ASSERT_TRUE(m_dialog.CreateAndShow());
        fw::test::Pump();
    }
    void ChooseScale(int scale)
    {
        ::SendDlgItemMessageA(m_dialog.m_hWnd, IDC_DISTGRAPH_SCALE, CB_SETCURSEL, scale, 0);
    }

    CModelSet m_model;
    const CResultData* m_temperature = nullptr;
    CEntityArray m_picks;
    CDistanceGraphDlg m_dialog;
    std::vector<HWND> m_frames;
};
} // namespace

TEST_F(DistanceGraphDlgTest, ShowsItsTextsAndTheFiveScalesWithTheIdFirst)
{
    Open(m_picks);
    char caption[64] = {};
    ::GetWindowTextA(m_dialog.m_hWnd, caption, sizeof caption);
    EXPECT_STREQ("Distance Graph", caption);
    EXPECT_EQ("X Scale", ControlText(m_dialog.m_hWnd, IDC_DISTGRAPH_SCALE_GROUP));
    EXPECT_EQ("Create Graph", ControlText(m_dialog.m_hWnd, IDC_DISTGRAPH_CREATE));
    EXPECT_EQ("Close", ControlText(m_dialog.m_hWnd, IDC_DISTGRAPH_CLOSE));
    EXPECT_EQ(5, ::SendDlgItemMessageA(m_dialog.m_hWnd, IDC_DISTGRAPH_SCALE, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(kScaleEntityId, m_dialog.GetScale());
    ChooseScale(4);
    EXPECT_EQ(kScaleDistance, m_dialog.GetScale());
}

TEST_F(DistanceGraphDlgTest, EachPressOpensAGraphOfTheChosenScale)
{
    Open(m_picks);
    CGraphFrame* byId = Press();
    ASSERT_NE(nullptr, byId);
    const CGraphData& idData = byId->GetPane().GetView()->Graph().Data();
    ASSERT_EQ(1, idData.SeriesCount());
    EXPECT_EQ("Temperature", idData.Series(0).m_name);
    // Ids in ascending order, whatever the picking order.
    const auto& labels = idData.Series(0).m_xLabels;
    ASSERT_EQ(5u, labels.size());
    for (size_t i = 1; i < labels.size(); ++i)
        EXPECT_LT(std::atoi(labels[i - 1].GetString()), std::atoi(labels[i].GetString()));
    EXPECT_EQ("DISTANCE GRAPH", idData.m_title);
    EXPECT_EQ("ENTITY ID", idData.m_xCaption);
    EXPECT_EQ("RESULT", idData.m_yCaption);

    ChooseScale(kScaleDistance);
    CGraphFrame* byDistance = Press();
    ASSERT_NE(nullptr, byDistance);
    EXPECT_TRUE(::IsWindow(byId->m_hWnd));
    const CGraphSeries& series = byDistance->GetPane().GetView()->Graph().Data().Series(0);
    // From the first pick, the tip, back to the clamp: 0, 50, ... 200.
    EXPECT_EQ(0.0, series.m_points.front().x);
    EXPECT_DOUBLE_EQ(200.0, series.m_points.back().x);
    EXPECT_EQ("DISTANCE", byDistance->GetPane().GetView()->Graph().Data().m_xCaption);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}

TEST_F(DistanceGraphDlgTest, NoPicksOpenAGraphWithItsTitlesOnlyAndCloseEndsTheDialog)
{
    Open(CEntityArray());
    CGraphFrame* frame = Press();
    ASSERT_NE(nullptr, frame);
    const CGraphData& data = frame->GetPane().GetView()->Graph().Data();
    EXPECT_EQ(0, data.SeriesCount());
    EXPECT_EQ("DISTANCE GRAPH", data.m_title);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());

    Click(m_dialog.m_hWnd, IDC_DISTGRAPH_CLOSE);
    fw::test::Pump();
    EXPECT_EQ(nullptr, m_dialog.m_hWnd);
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));
}

TEST_F(DistanceGraphDlgTest, ProgramsGraphToolsMakeTheDialogOfACommandAndCloseItWithIt)
{
    CDialogGraphTools tools;
    std::unique_ptr<CDistanceGraphWindow> window = tools.CreateDistanceGraphDialog();
    ASSERT_NE(nullptr, window);
    CDistanceGraphRecord record;
    record.m_Entities.Copy(m_picks);
    record.m_Results.Add(const_cast<CResultData*>(m_temperature));
    record.m_Components.Add(kComponentScalar);
    record.m_Names.Add("Temperature");
    record.bNodal = 1;
    ASSERT_TRUE(window->Open(m_model, record));
    fw::test::Pump();
    const HWND dialog = ::FindWindowA(nullptr, "Distance Graph");
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    window.reset();
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST_F(DistanceGraphDlgTest, ProgramsToolsRunTheResultSheetWithTheRecordsRows)
{
    CResultListRecord record;
    for (const int id : {4, 9})
        record.m_Ids.Add(id);
    CDataSeries column;
    column.m_title = "Temperature";
    column.m_values.Add(1.5);
    column.m_values.Add(-2.0);
    record.m_Series.Add(column);
    record.bNodal = 1;
    std::string firstRow;
    bool shown = false;
    dialogs_test::WhenDialogShows(
        "Result List",
        [&](HWND sheet)
        {
            shown = true;
            char text[64] = {};
            const HWND list = ::FindWindowExA(sheet, nullptr, "SysListView32", nullptr);
            LVITEMA item = {};
            item.iSubItem = 0;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(list, LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
            firstRow = text;
            EXPECT_EQ(3, ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
            Click(sheet, IDCANCEL);
        });
    CDialogGraphTools().RunResultSheet(record);
    EXPECT_TRUE(shown);
    EXPECT_NE(std::string::npos, firstRow.find('4')) << firstRow;
}

namespace
{
// The nodes of the demo's edge y = 40 from the block's back (x = -10) to the tip, the loaded
// results as the import leaves them (element values averaged to the nodes), the first case of
// the element result and a result kept at element corners.
class DemoElementResultGraph : public DistanceGraphDlgTest
{
protected:
    void SetUp() override
    {
        DistanceGraphDlgTest::SetUp();
        m_model.BuildElementFaces();
        m_model.UpdateLoadedResults();
        for (const auto& [id, result] : fw::Assocs(m_model.GetResults()))
        {
            if (result->GetName() == "Strain energy density" &&
                (m_density == nullptr || id < m_density->m_id))
                m_density = result;
        }
        ASSERT_NE(nullptr, m_density);
        for (int id = 1; id <= m_model.GetNodeCount(); ++id)
        {
            const CPoint3D point = m_model.GetNodePoint(id);
            if (point.y == 40.0 && point.z == 0.0)
            {
                m_edge.Add(m_model.GetNode(id));
                m_nodeAtX[point.x] = id;
            }
        }
        ASSERT_EQ(43, m_edge.GetSize());
        // Each corner holds its node's x plus the element id: every element differs.
        m_corners.m_flags = CResultData::kFlagElementNodes;
        m_corners.SetName("Corners");
        for (int id = 1; id <= m_model.GetElementCount(); ++id)
        {
            const CFEElement* element = m_model.FindElement(id);
            ASSERT_NE(nullptr, element);
            CComponentSet& set = m_corners.GetOrCreateComponentSet(id, element->m_ids.GetSize());
            for (int k = 0; k < element->m_ids.GetSize(); ++k)
            {
                set.nodeIds[k] = element->m_ids[k];
                set.values[k] = m_model.GetNodePoint(element->m_ids[k]).x + id;
            }
        }
    }

    // What the result list shows of the result for the edge's nodes, by node id.
    std::map<int, double> Listed(const CResultData& result) const
    {
        CResultListRecord record;
        BuildResultList(m_model, m_edge, true, {{&result, kComponentScalar, "listed"}}, &record);
        std::map<int, double> values;
        for (int i = 0; i < record.m_Ids.GetSize(); ++i)
            values[record.m_Ids[i]] = record.m_Series[0].m_values[i];
        return values;
    }

    CEntityArray m_edge;
    std::map<double, int> m_nodeAtX;
    const CResultData* m_density = nullptr;
    CResultData m_corners;
};
} // namespace

TEST_F(DemoElementResultGraph, NodesPlotTheResultListsValuesOfElementAndCornerResults)
{
    // Node 351 of the edge shares its id with a brick whose own value the graph once showed.
    ASSERT_NE(m_model.GetNode(351), nullptr);
    ASSERT_EQ(40.0, m_model.GetNodePoint(351).y);
    double brick = 0.0;
    ASSERT_TRUE(m_density->GetElementValue(351, &brick));
    const std::map<int, double> densities = Listed(*m_density);
    EXPECT_GT(densities.at(351), 0.0);
    EXPECT_LT(densities.at(351), brick / 10.0);
    // The block's back nodes carry the block's mean, their ids no element's.
    EXPECT_GT(densities.at(m_nodeAtX.at(-10.0)), 0.005);

    m_dialog.SetData(m_model, true, m_edge, {m_density}, {kComponentScalar}, {"Density"});
    ASSERT_TRUE(m_dialog.CreateAndShow());
    for (const CResultData* result : {m_density, static_cast<const CResultData*>(&m_corners)})
    {
        SCOPED_TRACE(result->GetName().GetString());
        const std::map<int, double> listed = Listed(*result);
        m_dialog.SetData(m_model, true, m_edge, {result}, {kComponentScalar}, {"Result"});
        ChooseScale(kScaleXPoint);
        CGraphFrame* frame = Press();
        ASSERT_NE(nullptr, frame);
        CGraphCtrl& graph = frame->GetPane().GetView()->Graph();
        ASSERT_EQ(1, graph.Data().SeriesCount());
        const CGraphSeries& series = graph.Data().Series(0);
        ASSERT_EQ(43u, series.m_points.size());
        for (const auto& point : series.m_points)
        {
            const int node = m_nodeAtX.at(point.x);
            EXPECT_DOUBLE_EQ(listed.at(node), point.y) << "node " << node << " at x " << point.x;
        }
        // On the screen: the curve runs through the block's back nodes at their listed value.
        ::SetForegroundWindow(frame->m_hWnd);
        fw::test::Pump();
        const HWND pane = frame->GetPane().m_hWnd;
        const POINT at = graph.Position(-10.0, listed.at(m_nodeAtX.at(-10.0)));
        bool isDrawn = false;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                isDrawn = isDrawn || fw::test::ClientPixel(pane, at.x + dx, at.y + dy) ==
                                         graph.GetSeriesColour(0);
        EXPECT_TRUE(isDrawn);
    }
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}
