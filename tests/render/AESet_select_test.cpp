// Renderer: area selection (rectangle and ellipse in model space, at displayed positions) and
// polygon selection (window pixels, stored positions), with the kinds a selection lets through.
#include "FakeSceneView.h"
#include "core/model/FEElement.h"
#include "render/WindowProjection.h"
#include "tests/core/model/ModelFixtures.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using render_test::GLTestWindow;
using render_test::SceneTest;

namespace
{
// Ids of the entities of a result, nodes as positive and elements as negative numbers, sorted.
std::vector<int> IdsOf(const CEntityArray& entities)
{
    std::vector<int> ids;
    for (const CModelEntity* entity : entities)
        ids.push_back(entity->type == kTagNode ? entity->m_id : -entity->m_id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<CPoint3D> Square(double x1, double y1, double x2, double y2)
{
    return {CPoint3D(x1, y1, 0), CPoint3D(x2, y1, 0), CPoint3D(x2, y2, 0), CPoint3D(x1, y2, 0)};
}

// Nine nodes 40 apart around the origin (ids 1 to 9, row by row from the bottom left) and four
// quads between them (ids 1 to 4: bottom left, bottom right, top left, top right). Through the
// square camera a model point (x, y) is the window pixel (100 + x, 100 - y).
class SelectionTest : public SceneTest
{
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        for (int j = 0; j < 3; ++j)
        {
            for (int i = 0; i < 3; ++i)
                AddTestNode(m_model, 3 * j + i + 1, -40 + 40 * i, -40 + 40 * j, 0);
        }
        AddQuad(m_model, 1, 1, 2, 5, 4);
        AddQuad(m_model, 2, 2, 3, 6, 5);
        AddQuad(m_model, 3, 4, 5, 8, 7);
        AddQuad(m_model, 4, 5, 6, 9, 8);
        m_model.BuildElementFaces();
        View().Show(&m_model);
        View().Camera(0) = GLTestWindow::SquareVolume();
        View().m_settings.m_displayFilter = kKindAll;
        Allow(kKindNode | kKindShell);
    }

    void Allow(int kinds)
    {
        View().EditSelection().SetAllowedKinds(kinds);
        View().EditSelection().SetFilter(kinds);
    }

    std::vector<int> InRectangle(int x1, int y1, int x2, int y2, int shape = 1)
    {
        CEntityArray result;
        Renderer().SelectInRectangle(x1, y1, x2, y2, shape, result);
        return IdsOf(result);
    }

    std::vector<int> InPolygon(const std::vector<CPoint3D>& points)
    {
        CEntityArray result;
        Renderer().SelectInPolygon(points.data(), static_cast<int>(points.size()), result);
        return IdsOf(result);
    }
};

struct PolygonCase
{
    const char* name;
    CPoint3D point;
    int inside;
};
} // namespace

TEST(IsPointInPolygon, InsideOutsideVerticesAndEdges)
{
    const std::vector<CPoint3D> square = Square(0, 0, 10, 10);
    // An L: the square's top right quarter cut away.
    const std::vector<CPoint3D> ell = {CPoint3D(0, 0, 0), CPoint3D(10, 0, 0), CPoint3D(10, 5, 0),
                                       CPoint3D(5, 5, 0), CPoint3D(5, 10, 0), CPoint3D(0, 10, 0)};
    const PolygonCase squareCases[] = {{"inside", CPoint3D(5, 5, 0), 1},
                                       {"outside", CPoint3D(15, 5, 0), 0},
                                       {"vertex", CPoint3D(10, 10, 0), 1},
                                       {"edge", CPoint3D(5, 0, 0), 1},
                                       {"edge within tolerance", CPoint3D(5, -0.0005, 0), 1},
                                       {"beside the edge", CPoint3D(5, -0.01, 0), 0},
                                       {"z is ignored", CPoint3D(5, 5, 99), 1}};
    for (const PolygonCase& c : squareCases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.inside, IsPointInPolygon(square.data(), c.point, 4));
    }
    EXPECT_EQ(0, IsPointInPolygon(ell.data(), CPoint3D(8, 8, 0), 6));
    EXPECT_EQ(1, IsPointInPolygon(ell.data(), CPoint3D(2, 8, 0), 6));
    // Fewer than three points: only a vertex itself, or a point on the one edge.
    EXPECT_EQ(1, IsPointInPolygon(square.data(), CPoint3D(0, 0, 0), 1));
    EXPECT_EQ(0, IsPointInPolygon(square.data(), CPoint3D(1, 1, 0), 1));
    EXPECT_EQ(1, IsPointInPolygon(square.data(), CPoint3D(4, 0, 0), 2));
    EXPECT_EQ(0, IsPointInPolygon(square.data(), CPoint3D(4, 0, 0), 0));
}

TEST_F(SelectionTest, RectangleSelectsTheSameSetDraggedEitherWay)
{
    // Model x from -50 to 5 and y from -5 to 50: nodes 4, 5, 7, 8 and quad 3 (centre -20, 20).
    const std::vector<int> expected = {-3, 4, 5, 7, 8};
    EXPECT_EQ(expected, InRectangle(50, 50, 105, 105));
    EXPECT_EQ(expected, InRectangle(105, 105, 50, 50));
    EXPECT_EQ(expected, InRectangle(50, 105, 105, 50));
}

TEST_F(SelectionTest, DragsOfOnePixelSelectNothingAndTwoPixelsDo)
{
    EXPECT_TRUE(InRectangle(99, 90, 100, 110).empty());
    EXPECT_TRUE(InRectangle(90, 99, 110, 100).empty());
    EXPECT_EQ(std::vector<int>{5}, InRectangle(99, 99, 101, 101));
    EXPECT_TRUE(InRectangle(0, 0, 200, 200, 3).empty()) << "a polygon shape is no area";
}

TEST_F(SelectionTest, EntityOnASidePlaneIsSelected)
{
    // The left side passes through node 5 at model x = 0.
    EXPECT_EQ(std::vector<int>{5}, InRectangle(100, 90, 120, 110));
}

TEST_F(SelectionTest, EllipseLeavesOutTheCornersOfItsRectangle)
{
    // Radius 50 about node 5: the axis nodes at 40 are inside, the corners at 56.6 are not.
    EXPECT_EQ((std::vector<int>{-4, -3, -2, -1, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
              InRectangle(50, 50, 150, 150));
    EXPECT_EQ((std::vector<int>{-4, -3, -2, -1, 2, 4, 5, 6, 8}), InRectangle(50, 50, 150, 150, 2));
}

TEST_F(SelectionTest, KindsNeedTheRequestTheFilterAndTheDisplay)
{
    View().m_settings.m_displayFilter = kKindAll & ~kKindShell;
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}), InRectangle(0, 0, 200, 200));
    View().m_settings.m_displayFilter = kKindAll;
    View().EditSelection().SetFilter(kKindShell);
    EXPECT_EQ((std::vector<int>{-4, -3, -2, -1}), InRectangle(0, 0, 200, 200));
    // The element filter hides quad 1; nodes have no filter.
    View().EditSelection().SetFilter(kKindShell | kKindNode);
    View().m_hiddenIds = {1};
    EXPECT_EQ((std::vector<int>{-4, -3, -2, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
              InRectangle(0, 0, 200, 200));
    EXPECT_EQ((std::vector<int>{-4, -3, -2, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
              InPolygon(Square(0, 0, 200, 200)));
}

TEST_F(SelectionTest, ResultsAreAppendedBehindWhatTheListHeld)
{
    CEntityArray result;
    result.Add(m_model.GetNode(9));
    Renderer().SelectInRectangle(90, 90, 110, 110, 1, result);
    Renderer().SelectInPolygon(Square(90, 90, 110, 110).data(), 4, result);
    ASSERT_EQ(3, result.GetSize());
    EXPECT_EQ(9, result[0]->m_id);
    EXPECT_EQ(5, result[1]->m_id);
    EXPECT_EQ(5, result[2]->m_id);
}

TEST_F(SelectionTest, AreasUseDisplayedPositionsAndPolygonsStoredOnes)
{
    View().m_offset = CPoint3D(25, 0, 0); // the deformed shape
    // Node 5 is stored at pixel (100, 100) and shown at (125, 100).
    EXPECT_TRUE(InRectangle(90, 90, 110, 110).empty());
    EXPECT_EQ(std::vector<int>{5}, InRectangle(115, 90, 135, 110));
    EXPECT_EQ(std::vector<int>{5}, InPolygon(Square(90, 90, 110, 110)));
    EXPECT_TRUE(InPolygon(Square(115, 90, 135, 110)).empty());
    // Quad 3's stored centre (-20, 20) is pixel (80, 80).
    Allow(kKindShell);
    EXPECT_EQ(std::vector<int>{-3}, InPolygon(Square(70, 70, 90, 90)));
}

TEST_F(SelectionTest, PolygonTakesNodesOnItsVerticesAndEdges)
{
    // A triangle with a vertex on node 5 (pixel 100, 100) and one with an edge through it.
    EXPECT_EQ(std::vector<int>{5},
              InPolygon({CPoint3D(100, 100, 0), CPoint3D(110, 110, 0), CPoint3D(90, 110, 0)}));
    EXPECT_EQ(std::vector<int>{5},
              InPolygon({CPoint3D(100, 80, 0), CPoint3D(120, 100, 0), CPoint3D(100, 120, 0)}));
    EXPECT_TRUE(
        InPolygon({CPoint3D(101, 80, 0), CPoint3D(120, 100, 0), CPoint3D(101, 120, 0)}).empty());
}

TEST_F(SelectionTest, WindowProjectionMatchesTheDevice)
{
    CViewVolume& scene = View().Camera(0);
    scene.SetRotationAngles(CPoint3D(30, -20, 75));
    scene.SetPanPoint(CPoint3D(3, -7, 2));
    const CWindowProjection projection(View().Device(), scene);
    for (int i = 0; i < 50; ++i)
    {
        const CPoint3D p(-90 + 3.7 * i, 80 - 2.9 * i, -40 + 1.3 * i);
        const CPoint3D expected = View().Device().ProjectToWindow(p, &scene);
        const CPoint3D actual = projection.Project(p);
        EXPECT_EQ(expected.x, actual.x);
        EXPECT_EQ(expected.y, actual.y);
        EXPECT_NEAR(expected.z, actual.z, 1e-9);
    }
}
