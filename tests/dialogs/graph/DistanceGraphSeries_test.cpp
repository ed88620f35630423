// Distance graph series: X by each scale, values read or 0.0, ordered along X with ties in
// picking order; and a displacement along a row of the demo model's nodes on the screen.
#include "dialogs/graph/DistanceGraphSeries.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "dialogs/graph/GraphFrame.h"
#include "io/unv/UnvReader.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace
{
// Three nodes picked in the order 7, 3, 5; the scalar result holds values for 3 and 7 only.
class DistanceSeriesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_result.m_flags = CResultData::kFlagAtNodes;
        m_result.SetNodeValue(3, 30.0);
        m_result.SetNodeValue(7, 70.0);
        m_result.SetNodeVector(3, CPoint3D(1.0, 2.0, 3.0));
    }
    std::vector<const CModelEntity*> Picks() const { return {&m_node7, &m_node3, &m_node5}; }

    CModelSet m_model;
    CFENode m_node7{7, CPoint3D(2.0, 0.0, 0.0)};
    CFENode m_node3{3, CPoint3D(0.0, 1.0, 0.0)};
    CFENode m_node5{5, CPoint3D(1.0, 0.0, 3.0)};
    CResultData m_result;
};
} // namespace

TEST_F(DistanceSeriesTest, EachScaleOrdersThePicksAlongItsX)
{
    const struct
    {
        int scale;
        std::vector<double> x;
        std::vector<double> y;
    } cases[] = {
        {kScaleXPoint, {0.0, 1.0, 2.0}, {30.0, 0.0, 70.0}},
        {kScaleYPoint, {0.0, 0.0, 1.0}, {70.0, 0.0, 30.0}}, // 7 and 5 tie: picking order
        {kScaleZPoint, {0.0, 0.0, 3.0}, {70.0, 30.0, 0.0}},
        {kScaleDistance, {0.0, std::sqrt(5.0), std::sqrt(10.0)}, {70.0, 30.0, 0.0}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.scale);
        const DistanceSeries series =
            MakeDistanceSeries(m_model, Picks(), m_result, kComponentScalar, c.scale);
        EXPECT_FALSE(series.isLabelled);
        ASSERT_EQ(3u, series.x.size());
        for (size_t i = 0; i < 3; ++i)
        {
            EXPECT_DOUBLE_EQ(c.x[i], series.x[i]) << i;
            EXPECT_DOUBLE_EQ(c.y[i], series.y[i]) << i;
        }
    }
}

TEST_F(DistanceSeriesTest, IdScaleLabelsTheIdsInOrder)
{
    const DistanceSeries series =
        MakeDistanceSeries(m_model, Picks(), m_result, kComponentResultant, kScaleEntityId);
    EXPECT_TRUE(series.isLabelled);
    ASSERT_EQ(3u, series.xLabels.size());
    EXPECT_EQ("3", series.xLabels[0]);
    EXPECT_EQ("5", series.xLabels[1]);
    EXPECT_EQ("7", series.xLabels[2]);
    EXPECT_EQ((std::vector<double>{30.0, 0.0, 70.0}), series.y);
    EXPECT_TRUE(series.x.empty());
}

TEST_F(DistanceSeriesTest, ComponentsReadVectorsOfNodesOrOfElementsByThePicksKind)
{
    EXPECT_EQ(2.0, DistanceValue(m_model, m_result, kComponentY, m_node3));
    EXPECT_EQ(3.0, DistanceValue(m_model, m_result, kComponentZ, m_node3));
    EXPECT_EQ(0.0, DistanceValue(m_model, m_result, kComponentX, m_node7)); // no vector there
    EXPECT_EQ(0.0, DistanceValue(m_model, m_result, 99, m_node3));

    // An element result is read by element id, at the element's reference point.
    CResultData onElements;
    onElements.SetElementVector(4, CPoint3D(-1.0, -2.0, -3.0));
    onElements.SetElementValue(4, 8.0);
    CFEElement element;
    element.m_id = 4;
    element.m_point = CPoint3D(5.0, 6.0, 7.0);
    EXPECT_EQ(-1.0, DistanceValue(m_model, onElements, kComponentX, element));
    EXPECT_EQ(8.0, DistanceValue(m_model, onElements, kComponentScalar, element));
    EXPECT_EQ(0.0, DistanceValue(m_model, m_result, kComponentScalar, element)); // a nodal result
    EXPECT_EQ(6.0, DistancePoint(element).y);
    // A node reads the node means of an element result, never the element of its id.
    onElements.SetElementValue(3, 5.0);
    EXPECT_EQ(0.0, DistanceValue(m_model, onElements, kComponentScalar, m_node3));
    onElements.SetNodeValue(3, 0.5);
    EXPECT_EQ(0.5, DistanceValue(m_model, onElements, kComponentScalar, m_node3));
}

TEST(DistanceSeries, TwentyThousandPicksInReverseOrderSortWithoutDeepRecursion)
{
    CResultData result;
    result.m_flags = CResultData::kFlagAtNodes;
    std::vector<std::unique_ptr<CFENode>> nodes;
    std::vector<const CModelEntity*> picks;
    for (int id = 20000; id >= 1; --id)
    {
        // Two rows at equal x: the sort must keep each pair in picking order.
        nodes.push_back(std::make_unique<CFENode>(id, CPoint3D((id + 1) / 2, id % 2, 0.0)));
        result.SetNodeValue(id, id);
        picks.push_back(nodes.back().get());
    }
    const CModelSet model;
    const DistanceSeries byId =
        MakeDistanceSeries(model, picks, result, kComponentScalar, kScaleEntityId);
    ASSERT_EQ(20000u, byId.xLabels.size());
    EXPECT_EQ("1", byId.xLabels.front());
    EXPECT_EQ("20000", byId.xLabels.back());
    const DistanceSeries byX =
        MakeDistanceSeries(model, picks, result, kComponentScalar, kScaleXPoint);
    // x = 1 holds ids 2 and 1, picked in that order.
    EXPECT_EQ(2.0, byX.y[0]);
    EXPECT_EQ(1.0, byX.y[1]);
    EXPECT_TRUE(std::is_sorted(byX.x.begin(), byX.x.end()));

    CGraphView view(nullptr);
    AddDistanceSeries(view, byId, "ids");
    AddDistanceSeries(view, DistanceSeries(), "empty");
    EXPECT_EQ(1, view.Graph().Data().SeriesCount());
    HDC screen = ::GetDC(nullptr);
    view.SetDrawRect(RECT{0, 0, 1018, 718}, screen);
    view.Plot(CGraphCtrl::kLines, 0, 1);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(20001, view.Graph().XDivisions());
}

namespace
{
class DemoDistanceGraph : public fw::test::MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        CUnvReader reader(&m_model);
        ASSERT_TRUE(reader.ReadUnv("resources/demo/demo.unv")) << "the demo model is missing";
    }
    void TearDown() override
    {
        if (::IsWindow(m_graphHwnd))
            ::DestroyWindow(m_graphHwnd);
        fw::test::Pump();
        MainFrameFixture::TearDown();
    }

    // The bending case's translations.
    const CResultData* Bending() const
    {
        const CResultData* found = nullptr;
        POSITION position = m_model.GetResults().GetStartPosition();
        while (position != nullptr)
        {
            UINT id = 0;
            CResultData* result = nullptr;
            m_model.GetResults().GetNextAssoc(position, id, result);
            CPoint3D tip;
            if (result->GetName() == "Displacement" && result->m_type == 8 &&
                result->GetNodeVector(NodeAt(200.0), &tip) && std::fabs(tip.z + 12.0) < 1e-4)
                found = result;
        }
        return found;
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

    CModelSet m_model;
    HWND m_graphHwnd = nullptr;
};
} // namespace

TEST_F(DemoDistanceGraph, DisplacementAlongARowIsAMonotoneCurveEndingAtTheNodalValues)
{
    const CResultData* bending = Bending();
    ASSERT_NE(nullptr, bending);
    // The row from the clamp to the tip, picked from both ends inwards.
    std::vector<const CModelEntity*> picks;
    for (int i = 0; i <= 20; ++i)
    {
        picks.push_back(m_model.GetNode(NodeAt(5.0 * i)));
        if (i < 20)
            picks.push_back(m_model.GetNode(NodeAt(200.0 - 5.0 * i)));
    }
    ASSERT_EQ(41u, picks.size());
    const DistanceSeries series =
        MakeDistanceSeries(m_model, picks, *bending, kComponentZ, kScaleDistance);
    ASSERT_EQ(41u, series.y.size());
    EXPECT_EQ(0.0, series.x.front());
    EXPECT_DOUBLE_EQ(200.0, series.x.back());
    for (size_t i = 1; i < series.y.size(); ++i)
        EXPECT_LE(series.y[i], series.y[i - 1]) << i;
    CPoint3D clamp;
    CPoint3D tip;
    ASSERT_TRUE(bending->GetNodeVector(NodeAt(0.0), &clamp));
    ASSERT_TRUE(bending->GetNodeVector(NodeAt(200.0), &tip));
    EXPECT_EQ(clamp.z, series.y.front());
    EXPECT_EQ(tip.z, series.y.back());

    auto* frame = new CGraphFrame; // deletes itself
    ASSERT_TRUE(frame->Create(nullptr, "Graph Control", WS_OVERLAPPEDWINDOW,
                              CRect(10, 100, 1000, 700), m_frame));
    m_graphHwnd = frame->m_hWnd;
    CGraphView& view = *frame->GetPane().GetView();
    AddDistanceSeries(view, series, "Displacement Z");
    view.SetTitles("Distance Graph", "Distance", "Result");
    frame->ShowGraph();
    ::SetForegroundWindow(m_graphHwnd);
    fw::test::Pump();
    const HWND pane = frame->GetPane().m_hWnd;
    const auto curveNear = [&](double x, double y)
    {
        const POINT at = view.Graph().Position(x, y);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (fw::test::ClientPixel(pane, at.x + dx, at.y + dy) == RGB(25, 0, 230))
                    return true;
        return false;
    };
    EXPECT_TRUE(curveNear(0.0, clamp.z));
    EXPECT_TRUE(curveNear(200.0, tip.z));
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}
