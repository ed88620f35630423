// Transient graph of the demo model's displacements over its two load cases: one series per
// picked node with a value per step, gaps where a step is not loaded, titles, and the curve on
// the screen.
#include "dialogs/graph/TransientGraph.h"

#include "core/geometry/FENode.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/services/StringFile.h"
#include "dialogs/graph/DialogGraphTools.h"
#include "dialogs/graph/DistanceGraphSeries.h"
#include "dialogs/graph/GraphFrame.h"
#include "io/unv/UnvReader.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/resource.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"
#include "view/CmdRecord.h"
#include "view/ResultListTable.h"

#include <cmath>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>

namespace
{
// The program's string files in both languages.
class TransientGraphTest : public dialogs_test::DialogFixture
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
            if (result->GetName() == "Displacement" && result->m_type == 8)
                m_displacements.push_back(result);
        }
        ASSERT_EQ(2u, m_displacements.size());
        if (ResultIdLoadCase(m_displacements[0]->m_id) > ResultIdLoadCase(m_displacements[1]->m_id))
            std::swap(m_displacements[0], m_displacements[1]);
        m_tip = m_model.GetNode(NodeAt(200.0));
        m_middle = m_model.GetNode(NodeAt(100.0));
    }
    void TearDown() override
    {
        if (::IsWindow(m_graphHwnd))
            ::DestroyWindow(m_graphHwnd);
        fw::test::Pump();
        DialogFixture::TearDown();
    }

    // The node on the plate's edge y = 0 at x.
    int NodeAt(double x) const
    {
        for (int id = 1; id <= m_model.GetNodeCount(); ++id)
        {
            const CPoint3D point = m_model.GetNodePoint(id);
            if (std::fabs(point.x - x) < 1e-9 && point.y == 0.0 && point.z == 0.0)
                return id;
        }
        return 0;
    }
    double Z(int loadCase, const CModelEntity* node) const
    {
        CPoint3D vector;
        m_displacements[loadCase]->GetNodeVector(node->m_id, &vector);
        return vector.z;
    }

    CModelSet m_model;
    std::vector<CResultData*> m_displacements; // by load case
    const CModelEntity* m_tip = nullptr;
    const CModelEntity* m_middle = nullptr;
    HWND m_graphHwnd = nullptr;
};
} // namespace

TEST_F(TransientGraphTest, EachNodeHasOneValuePerStepAndGapsWhereAStepIsNotLoaded)
{
    const UINT id = m_displacements[0]->m_id;
    const TransientSeries tip = MakeTransientSeries(m_model, *m_tip, id, kComponentZ);
    CString tipName;
    tipName.Format("%d", m_tip->m_id);
    EXPECT_EQ(tipName, tip.name);
    ASSERT_EQ(2u, tip.values.size());
    EXPECT_EQ("Step-1", tip.labels[0]);
    EXPECT_EQ("Step-2", tip.labels[1]);
    EXPECT_NEAR(-12.0, tip.values[0], 1e-4);
    EXPECT_NEAR(-9.0, tip.values[1], 1e-4);
    EXPECT_TRUE(MakeTransientSeries(m_model, *m_tip, id, 11).values.empty());

    // An id beyond the tables gives 0.0; a step that is not loaded gives no value and keeps
    // the label of the next one.
    CFENode stranger(999999, CPoint3D(0.0, 0.0, 0.0));
    EXPECT_EQ((std::vector<double>{0.0, 0.0}),
              MakeTransientSeries(m_model, stranger, id, kComponentScalar).values);
    m_displacements[0]->m_loaded = CResultData::kNotLoaded;
    const TransientSeries gap = MakeTransientSeries(m_model, *m_tip, id, kComponentZ);
    ASSERT_EQ(1u, gap.values.size());
    EXPECT_EQ("Step-2", gap.labels[0]);
    EXPECT_NEAR(-9.0, gap.values[0], 1e-4);
}

TEST_F(TransientGraphTest, AnElementResultOverNodesGivesTheResultListsValueAtEachStep)
{
    // As the import does: faces, then element values averaged to the nodes.
    m_model.BuildElementFaces();
    m_model.UpdateLoadedResults();
    std::vector<const CResultData*> densities; // by load case
    for (const auto& [id, result] : fw::Assocs(m_model.GetResults()))
    {
        if (result->GetName() == "Strain energy density")
            densities.push_back(result);
    }
    ASSERT_EQ(2u, densities.size());
    if (ResultIdLoadCase(densities[0]->m_id) > ResultIdLoadCase(densities[1]->m_id))
        std::swap(densities[0], densities[1]);
    // Node 351 shares its id with a brick; node 400 lies beyond the elements' ids.
    CEntityArray nodes;
    nodes.Add(m_model.GetNode(351));
    nodes.Add(m_model.GetNode(400));
    for (const CModelEntity* node : {nodes[0], nodes[1]})
    {
        ASSERT_NE(nullptr, node);
        const TransientSeries series =
            MakeTransientSeries(m_model, *node, densities[0]->m_id, kComponentScalar);
        ASSERT_EQ(2u, series.values.size());
        for (int k = 0; k < 2; ++k)
        {
            CResultListRecord listed;
            BuildResultList(m_model, nodes, true, {{densities[k], kComponentScalar, "d"}}, &listed);
            const int row = node == nodes[0] ? 0 : 1;
            ASSERT_EQ(node->m_id, listed.m_Ids[row]);
            EXPECT_DOUBLE_EQ(listed.m_Series[0].m_values[row], series.values[k])
                << "node " << node->m_id << " step " << k + 1;
            EXPECT_GT(series.values[k], 0.0);
        }
    }
}

TEST_F(TransientGraphTest, GraphShowsEachNodesStepsWithTheResultsName)
{
    const std::vector<const CModelEntity*> picks = {m_tip, m_middle};
    CGraphFrame* frame =
        OpenTransientGraph(m_model, picks, m_displacements[1]->m_id, kComponentZ, m_frame);
    ASSERT_NE(nullptr, frame);
    m_graphHwnd = frame->m_hWnd;
    ::SetForegroundWindow(m_graphHwnd);
    fw::test::Pump();
    CGraphCtrl& graph = frame->GetPane().GetView()->Graph();
    const CGraphData& data = graph.Data();
    ASSERT_EQ(2, data.SeriesCount());
    EXPECT_EQ("DISPLACEMENT", data.m_title);
    EXPECT_EQ("STEPS", data.m_xCaption);
    EXPECT_EQ("RESULT", data.m_yCaption);
    // Steps 1 and 2 at positions 1 and 2; the tip's curve in the first colour, the middle's in
    // the second, at both steps.
    const HWND pane = frame->GetPane().m_hWnd;
    const auto colourNear = [&](double x, double y, COLORREF colour)
    {
        const POINT at = graph.Position(x, y);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (fw::test::ClientPixel(pane, at.x + dx, at.y + dy) == colour)
                    return true;
        return false;
    };
    EXPECT_TRUE(colourNear(1.0, Z(0, m_tip), graph.GetSeriesColour(0)));
    EXPECT_TRUE(colourNear(2.0, Z(1, m_tip), graph.GetSeriesColour(0)));
    EXPECT_TRUE(colourNear(1.0, Z(0, m_middle), graph.GetSeriesColour(1)));
    EXPECT_TRUE(colourNear(2.0, Z(1, m_middle), graph.GetSeriesColour(1)));
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}

TEST_F(TransientGraphTest, ResultWithoutLoadCasesOpensNoFrame)
{
    const std::vector<const CModelEntity*> picks = {m_tip};
    EXPECT_EQ(nullptr, OpenTransientGraph(m_model, picks, 0x3F800000u, kComponentZ, m_frame));
}

TEST_F(TransientGraphTest, TextsFollowTheLanguage)
{
    SetLanguage("_JPN");
    CGraphCtrl graph(nullptr);
    graph.Data().AddSeries({kNoGraphValue}, {1.0}, "none");
    HDC screen = ::GetDC(nullptr);
    graph.SetDrawRect(RECT{0, 0, 618, 318}, screen);
    graph.Plot(CGraphCtrl::kLines, 0, 1);
    ::ReleaseDC(nullptr, screen);
    ASSERT_EQ(2u, graph.Warnings().size());
    // "系列 1 の..." in code page 932.
    EXPECT_EQ(0u, graph.Warnings()[0].find("\x8c\x6e\x97\xf1 1 "));

    const std::vector<const CModelEntity*> picks = {m_tip};
    CGraphFrame* frame =
        OpenTransientGraph(m_model, picks, m_displacements[0]->m_id, kComponentZ, m_frame);
    ASSERT_NE(nullptr, frame);
    m_graphHwnd = frame->m_hWnd;
    EXPECT_EQ("\x83\x58\x83\x65\x83\x62\x83\x76",
              frame->GetPane().GetView()->Graph().Data().m_xCaption);
}

// The mouse on each toolbar button: the graph window's status bar prompts, and the tip names,
// what the button does in the program's language; the English texts are the resources' own.
TEST_F(TransientGraphTest, ButtonPromptsAndTipsFollowTheLanguage)
{
    const auto text = [](const char* section, UINT id, const char* suffix)
    {
        std::string value;
        LoadStringWithSuffix("standard.str", section, "ID" + std::to_string(id), suffix, &value);
        return value;
    };
    const std::vector<const CModelEntity*> picks = {m_tip};
    for (const char* suffix : {"_ENG", "_JPN"})
    {
        SCOPED_TRACE(suffix);
        SetLanguage(suffix);
        CGraphFrame* frame =
            OpenTransientGraph(m_model, picks, m_displacements[0]->m_id, kComponentZ, m_frame);
        ASSERT_NE(nullptr, frame);
        m_graphHwnd = frame->m_hWnd;
        fw::test::Pump(); // the window settles: its status bar shows its idle text
        CToolBar& bar = frame->GetToolBar();
        const auto status = ::GetDlgItem(m_graphHwnd, AFX_IDW_STATUS_BAR);
        ASSERT_NE(nullptr, status);
        for (const UINT id : {UINT{ID_GRAPH_POINT_DISPLAY}, UINT{ID_GRAPH_PRINT}})
        {
            SCOPED_TRACE(id);
            const std::string prompt = text("Prompt", id, suffix);
            const std::string tip = text("ToolTip", id, suffix);
            ASSERT_FALSE(prompt.empty());
            ASSERT_FALSE(tip.empty());
            if (suffix == std::string("_ENG"))
            {
                CString full;
                CString english;
                ASSERT_TRUE(fw::LoadResourceString(id, full));
                fw::ExtractSubString(english, full, 0);
                EXPECT_EQ(english.GetString(), prompt);
                fw::ExtractSubString(english, full, 1);
                EXPECT_EQ(english.GetString(), tip);
            }
            RECT button = {};
            bar.SendMessage(TB_GETITEMRECT, bar.SendMessage(TB_COMMANDTOINDEX, id),
                            reinterpret_cast<LPARAM>(&button));
            POINT centre = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
            const LPARAM client = MAKELPARAM(centre.x, centre.y);
            ::ClientToScreen(bar.m_hWnd, &centre);
            ::SetCursorPos(centre.x, centre.y); // the mouse stays: the bar sees no leaving
            bar.SendMessage(WM_MOUSEMOVE, 0, client);
            fw::test::Pump();
            char pane[256] = {};
            ::GetWindowTextA(status, pane, sizeof pane);
            EXPECT_EQ(prompt, pane);

            NMTTDISPINFOA info = {};
            info.hdr.hwndFrom = reinterpret_cast<HWND>(bar.SendMessage(TB_GETTOOLTIPS));
            info.hdr.idFrom = id;
            info.hdr.code = TTN_GETDISPINFOA;
            bar.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
            ASSERT_NE(nullptr, info.lpszText);
            EXPECT_EQ(tip, info.lpszText);
        }
        fw::test::ParkCursor();
        ::DestroyWindow(m_graphHwnd);
        fw::test::Pump();
    }
}

TEST_F(TransientGraphTest, ProgramsGraphToolsOpenTheGraphOverTheMainWindow)
{
    CDialogGraphTools tools;
    CEntityArray picks;
    picks.Add(m_model.GetNode(m_tip->m_id));
    ASSERT_TRUE(tools.OpenTransientGraph(m_model, picks, m_displacements[0]->m_id, kComponentZ));
    m_graphHwnd = ::FindWindowA(nullptr, "Graph Control");
    ASSERT_NE(nullptr, m_graphHwnd);
    EXPECT_EQ(m_frame->m_hWnd, ::GetWindow(m_graphHwnd, GW_OWNER));
    EXPECT_FALSE(tools.OpenTransientGraph(m_model, picks, 0x3F800000u, kComponentZ));
}
