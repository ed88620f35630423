// Section plane arithmetic: the plane through three points, its range over a box and the slider
// percent; and the renderer's section moved and turned through a model.
#include "render/SectionPlane.h"

#include "FakeSceneView.h"
#include "core/geometry/Box3D.h"
#include "core/model/ModelSet.h"
#include "render/AESet.h"
#include "tests/core/model/ModelFixtures.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace section_plane;

TEST(SectionPlane, PlaneThroughThreePointsHasAUnitNormalByTheRightHandRule)
{
    const CPoint3D c(1, 2, 3);
    const CPoint3D x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    struct Case
    {
        const char* name;
        CPoint3D points[3];
        double plane[4];
    } cases[] = {
        {"+XY", {c, c + x, c + y}, {0, 0, 1, -3}},
        {"-XY", {c + y, c + x, c}, {0, 0, -1, 3}},
        {"+XZ", {c + z, c + x, c}, {0, 1, 0, -2}},
        {"-XZ", {c, c + x, c + z}, {0, -1, 0, 2}},
        {"+YZ", {c, c + y, c + z}, {1, 0, 0, -1}},
        {"-YZ", {c + z, c + y, c}, {-1, 0, 0, 1}},
        // Far-apart points: the constant is scaled with the normal.
        {"x = 5, long edges",
         {CPoint3D(5, 0, 0), CPoint3D(5, 40, 0), CPoint3D(5, 0, 30)},
         {1, 0, 0, -5}},
        {"oblique",
         {CPoint3D(1, 0, 0), CPoint3D(0, 1, 0), CPoint3D(0, 0, 1)},
         {1 / std::sqrt(3.0), 1 / std::sqrt(3.0), 1 / std::sqrt(3.0), -1 / std::sqrt(3.0)}},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        double plane[4] = {9, 9, 9, 9};
        EXPECT_TRUE(PlaneFromPoints(test.points, plane));
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(test.plane[i], plane[i] + 0.0, 1e-12) << i;
        for (const CPoint3D& p : test.points)
            EXPECT_NEAR(0.0, plane[0] * p.x + plane[1] * p.y + plane[2] * p.z + plane[3], 1e-12);
    }
}

TEST(SectionPlane, PointsInALineGiveNoNormalAndKeepTheConstant)
{
    const CPoint3D line[3] = {CPoint3D(0, 0, 0), CPoint3D(1, 1, 1), CPoint3D(3, 3, 3)};
    double plane[4] = {0.5, 0.5, 0.5, 7.0};
    EXPECT_FALSE(PlaneFromPoints(line, plane));
    EXPECT_EQ(0.0, plane[0]);
    EXPECT_EQ(0.0, plane[1]);
    EXPECT_EQ(0.0, plane[2]);
    EXPECT_EQ(7.0, plane[3]);
}

TEST(SectionPlane, RangeRunsFromTheMinimumToTheMaximumCornerWidenedToEveryCorner)
{
    const CBox3D box(CPoint3D(0, 0, 0), CPoint3D(10, 20, 30));
    const double r = 1 / std::sqrt(2.0);
    struct Case
    {
        const char* name;
        double normal[3];
        double low;
        double high;
    } cases[] = {
        {"+z", {0, 0, 1}, 0, -30},
        {"-z", {0, 0, -1}, 0, 30},
        {"+x", {1, 0, 0}, 0, -10},
        // The extreme corners do not bound x - y: corners (10, 0) and (0, 20) widen the range,
        // each at the end the pair's direction gives it.
        {"x - y", {r, -r, 0}, -10 * r, 20 * r},
        {"y - x", {-r, r, 0}, 10 * r, -20 * r},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        double low = 0.0;
        double high = 0.0;
        PlaneRange(test.normal, box, low, high);
        EXPECT_NEAR(test.low, low, 1e-12);
        EXPECT_NEAR(test.high, high, 1e-12);
    }
}

TEST(SectionPlane, PercentOfAConstantAndBack)
{
    EXPECT_EQ(0, PercentOf(0.0, 0.0, -30.0));
    EXPECT_EQ(100, PercentOf(-30.0, 0.0, -30.0));
    EXPECT_EQ(50, PercentOf(-15.0, 0.0, -30.0));
    EXPECT_EQ(33, PercentOf(-10.0, 0.0, -30.0)) << "truncated";
    EXPECT_EQ(33, PercentOf(10.0, 0.0, 30.0));
    EXPECT_EQ(0, PercentOf(4.0, 4.0, 4.0)) << "an empty range puts the slider at 0";
    EXPECT_DOUBLE_EQ(-22.5, ConstantAt(75, 0.0, -30.0));
    EXPECT_DOUBLE_EQ(22.5, ConstantAt(75, 0.0, 30.0));
    const double xPlane[4] = {0, 2, 0, -8};
    EXPECT_DOUBLE_EQ(4.0, PointOnPlane(xPlane).y);
    const double none[4] = {0, 0, 0, 3};
    EXPECT_EQ(0.0, PointOnPlane(none).x);
}

TEST(SectionPlane, RendererMovesAndTurnsTheSectionAndItsCutFollows)
{
    // A brick from z = -1 to 3 about the centre z = 1.
    CModelSet model;
    int id = 1;
    for (const double z : {-1.0, 3.0})
    {
        for (const double y : {0.0, 2.0})
        {
            for (const double x : {0.0, 2.0})
                AddTestNode(model, id++, x, y, z);
        }
    }
    AddBrick(model, 1, {1, 2, 4, 3, 5, 6, 8, 7});
    model.BuildElementFaces();
    model.UpdateBoundingBox(0, nullptr);
    render_test::FakeSceneView scene;
    scene.m_pModel = &model;
    CAESet& renderer = *scene.m_renderer;
    const CPoint3D c = model.GetCenter();
    renderer.SectionPoint(0) = c;
    renderer.SectionPoint(1) = c + CPoint3D(1, 0, 0);
    renderer.SectionPoint(2) = c + CPoint3D(0, 1, 0);

    EXPECT_EQ(50, renderer.PlaceSectionFromPoints());
    EXPECT_EQ(1.0, renderer.ClipEquation()[2]);
    EXPECT_EQ(-1.0, renderer.ClipEquation()[3]);
    EXPECT_EQ(1.0, renderer.SectionRangeLow());
    EXPECT_EQ(-3.0, renderer.SectionRangeHigh());
    renderer.PrepareSectionCut();
    EXPECT_EQ(1, renderer.ClipPlane().m_nSteps);
    EXPECT_DOUBLE_EQ(-2.0, renderer.ClipPlane().m_nodeDistances[1]) << "node at z = -1";

    // 75 %: the plane at z = 2, one unit above the record's plane.
    renderer.MoveSection(75);
    EXPECT_DOUBLE_EQ(-2.0, renderer.ClipEquation()[3]);
    EXPECT_DOUBLE_EQ(1.0, renderer.ClipPlane().m_stepOffsets[0]);

    // Turned round at the same percent: the same plane, the other side kept, the same cut.
    std::swap(renderer.SectionPoint(0), renderer.SectionPoint(2));
    renderer.PlaceSectionFromPoints();
    renderer.MoveSection(75);
    EXPECT_EQ(-1.0, renderer.ClipEquation()[2]);
    EXPECT_DOUBLE_EQ(2.0, renderer.ClipEquation()[3]);
    EXPECT_DOUBLE_EQ(1.0, renderer.ClipPlane().m_stepOffsets[0]);
}
