#include "core/model/CurveInterpolation.h"

#include "tests/core/geometry/TestEntitySet.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
constexpr double kPi = 3.14159265358979323846;

CPoint3DArray Points(std::initializer_list<CPoint3D> list)
{
    CPoint3DArray points;
    for (const CPoint3D& p : list)
        points.Add(p);
    return points;
}

void ExpectPoint(const CPoint3D& expected, const CPoint3D& actual, double tolerance = 1e-12)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}
} // namespace

TEST(CurveInterpolation, ThreePointsOnAParabola)
{
    // Equal chords, so the spline is the parabola y = 2x - x^2 through the points.
    CPoint3DArray out;
    InterpolateCurve(Points({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}}), 4, out);
    const CPoint3D expected[] = {
        {0, 0, 0}, {0.25, 0.4375, 0}, {0.5, 0.75, 0}, {0.75, 0.9375, 0}, {1, 1, 0},
        {1, 1, 0}, {1.25, 0.9375, 0}, {1.5, 0.75, 0}, {1.75, 0.4375, 0}, {2, 0, 0}};
    ASSERT_EQ(10, out.GetSize());
    for (int i = 0; i < 10; ++i)
    {
        SCOPED_TRACE(i);
        ExpectPoint(expected[i], out[i]);
    }
}

TEST(CurveInterpolation, CollinearPointsStayOnTheLine)
{
    CPoint3DArray out;
    InterpolateCurve(Points({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}), 2, out);
    const double xs[] = {0, 0.5, 1, 1, 1.5, 2};
    ASSERT_EQ(6, out.GetSize());
    for (int i = 0; i < 6; ++i)
        ExpectPoint(CPoint3D(xs[i], 0, 0), out[i]);
}

TEST(CurveInterpolation, CountsAndNodesOfTheOutput)
{
    CPoint3DArray none;
    InterpolateCurve(Points({{0, 0, 0}, {1, 1, 0}}), 4, none);
    InterpolateCurve(Points({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}}), 0, none);
    EXPECT_EQ(0, none.GetSize());

    const CPoint3DArray points =
        Points({{0, 0, 0}, {1, 2, 0.5}, {3, 2.5, 1}, {4, 1, 0}, {6, 1.5, -1}});
    for (int steps = 1; steps <= 5; ++steps)
    {
        SCOPED_TRACE(steps);
        CPoint3DArray out;
        out.Add(CPoint3D(9, 9, 9)); // appended to, never cleared
        InterpolateCurve(points, steps, out);
        ASSERT_EQ(1 + 4 * (steps + 1), out.GetSize());
        // Every segment runs from one input point to the next.
        for (int k = 0; k < 4; ++k)
        {
            ExpectPoint(points[k], out[1 + k * (steps + 1)]);
            ExpectPoint(points[k + 1], out[1 + k * (steps + 1) + steps]);
        }
    }
}

TEST(CurveInterpolation, ManyPointsFollowACircle)
{
    // Far beyond the few points the callers pass: the working storage grows with the input.
    CPoint3DArray points;
    const int count = 400;
    for (int i = 0; i < count; ++i)
    {
        const double angle = 2.0 * kPi * i / (count - 1);
        points.Add(CPoint3D(std::cos(angle), std::sin(angle), 0.0));
    }
    CPoint3DArray out;
    InterpolateCurve(points, 3, out);
    ASSERT_EQ((count - 1) * 4, out.GetSize());
    for (INT_PTR i = 0; i < out.GetSize(); ++i)
        ASSERT_NEAR(1.0, std::hypot(out[i].x, out[i].y), 1e-6) << i;
}

TEST(CurveInterpolation, CoincidentPointsDoNotStopTheCall)
{
    CPoint3DArray out;
    InterpolateCurve(Points({{1, 1, 1}, {1, 1, 1}, {2, 0, 0}}), 2, out);
    EXPECT_EQ(6, out.GetSize());
}

TEST(CurveInterpolation, ShrunkCurveMovesOnlyTheEnds)
{
    const CPoint3D p[3] = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}};
    CPoint3DArray whole;
    CPoint3DArray same;
    InterpolateCurve(Points({p[0], p[1], p[2]}), 4, whole);
    BuildShrunkCurve(p, 1.0, 4, same);
    ASSERT_EQ(whole.GetSize(), same.GetSize());
    for (INT_PTR i = 0; i < whole.GetSize(); ++i)
        ExpectPoint(whole[i], same[i]);

    CPoint3DArray half;
    BuildShrunkCurve(p, 0.5, 4, half);
    ASSERT_EQ(10, half.GetSize());
    ExpectPoint(CPoint3D(0.5, 0, 0), half[0]);
    ExpectPoint(CPoint3D(1, 1, 0), half[4]);
    ExpectPoint(CPoint3D(1.5, 0, 0), half[9]);

    CPoint3DArray collapsed;
    BuildShrunkCurve(p, 0.0, 4, collapsed);
    ASSERT_EQ(10, collapsed.GetSize());
    ExpectPoint(CPoint3D(1, 0, 0), collapsed[0]);
    ExpectPoint(CPoint3D(1, 1, 0), collapsed[4]);
    ExpectPoint(CPoint3D(1, 0, 0), collapsed[9]);
}

TEST(CurveInterpolation, TessellatesFacesWithMidSideNodes)
{
    TestEntitySet set;
    // An eight-node quadrilateral: corners 1, 3, 5, 7 of a 2 x 2 square, bulged mid-sides.
    set.Node(1, 0, 0, 0);
    set.Node(2, 1, -0.2, 0);
    set.Node(3, 2, 0, 0);
    set.Node(4, 2.2, 1, 0);
    set.Node(5, 2, 2, 0);
    set.Node(6, 1, 2.2, 0);
    set.Node(7, 0, 2, 0);
    set.Node(8, -0.2, 1, 0);
    auto quad = MakeElement(10, 95, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_EQ(1, quad->m_faces.GetSize());
    quad->m_faces[0].m_outline.Add(CPoint3D(9, 9, 9)); // replaced, not appended to
    ASSERT_EQ(0, TessellateElementFaces(*quad, set, 3));
    const CPoint3DArray& outline = quad->m_faces[0].m_outline;
    ASSERT_EQ(4 * 2 * 4, outline.GetSize());
    ExpectPoint(CPoint3D(0, 0, 0), outline[0]);
    ExpectPoint(CPoint3D(1, -0.2, 0), outline[3]);
    ExpectPoint(CPoint3D(2, 0, 0), outline[7]);
    // The last edge runs from node 7 through node 8 back to node 1.
    ExpectPoint(CPoint3D(0, 2, 0), outline[24]);
    ExpectPoint(CPoint3D(-0.2, 1, 0), outline[27]);
    ExpectPoint(CPoint3D(0, 0, 0), outline[31]);

    set.Node(11, 0, 0, 1);
    set.Node(12, 1, 0, 1);
    set.Node(13, 2, 0, 1);
    auto tria = MakeElement(11, 92, {1, 11, 3, 12, 5, 13});
    ASSERT_EQ(0, TessellateElementFaces(*tria, set, 2));
    EXPECT_EQ(3 * 2 * 3, tria->m_faces[0].m_outline.GetSize());
}

TEST(CurveInterpolation, LinearElementsAreLeftAlone)
{
    TestEntitySet set;
    auto quad = MakeElement(1, 94, {1, 2, 3, 4});
    ASSERT_EQ(1, quad->m_faces.GetSize());
    quad->m_faces[0].m_outline.Add(CPoint3D(9, 9, 9));
    EXPECT_EQ(-1, TessellateElementFaces(*quad, set, 3));
    EXPECT_EQ(1, quad->m_faces[0].m_outline.GetSize());
}
