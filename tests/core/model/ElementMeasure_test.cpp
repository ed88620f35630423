#include "core/model/ElementMeasure.h"

#include "tests/core/geometry/TestEntitySet.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
// Unit cube, nodes 1..8: bottom 1-4 counter-clockwise from above, top 5-8 above them.
void AddUnitCube(TestEntitySet& set)
{
    set.Node(1, 0, 0, 0);
    set.Node(2, 1, 0, 0);
    set.Node(3, 1, 1, 0);
    set.Node(4, 0, 1, 0);
    set.Node(5, 0, 0, 1);
    set.Node(6, 1, 0, 1);
    set.Node(7, 1, 1, 1);
    set.Node(8, 0, 1, 1);
}
} // namespace

TEST(ElementMeasure, VolumesOfSolids)
{
    TestEntitySet set;
    AddUnitCube(set);
    const CElementMeasure measure(&set);

    EXPECT_DOUBLE_EQ(1.0, measure.Volume(*MakeElement(1, 115, {1, 2, 3, 4, 5, 6, 7, 8})));
    EXPECT_DOUBLE_EQ(1.0 / 6.0, measure.Volume(*MakeElement(2, 111, {1, 2, 4, 5})));
    EXPECT_DOUBLE_EQ(0.5, measure.Volume(*MakeElement(3, 112, {1, 2, 4, 5, 6, 8})));
}

TEST(ElementMeasure, ParabolicSolidUsesItsCorners)
{
    TestEntitySet set;
    set.Node(1, 0, 0, 0);
    set.Node(3, 2, 0, 0);
    set.Node(5, 0, 2, 0);
    set.Node(10, 0, 0, 2);
    // Mid-side nodes pushed off the edges must not change the corner volume.
    set.Node(2, 1, 0, 5);
    set.Node(4, 1, 1, 5);
    set.Node(6, 0, 1, 5);
    set.Node(7, 1, 0, 7);
    set.Node(8, 0, 1, 7);
    set.Node(9, 0, 0, 9);
    const CElementMeasure measure(&set);
    const auto tetra10 = MakeElement(1, 118, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_DOUBLE_EQ(8.0 / 6.0, measure.Volume(*tetra10));
}

TEST(ElementMeasure, AreasOfShells)
{
    TestEntitySet set;
    AddUnitCube(set);
    set.Node(20, 3, 0, 0);
    set.Node(21, 0, 4, 0);
    const CElementMeasure measure(&set);

    EXPECT_DOUBLE_EQ(0.5, measure.Area(*MakeElement(1, 91, {1, 2, 4}), 1.0));
    EXPECT_DOUBLE_EQ(6.0, measure.Area(*MakeElement(2, 91, {1, 20, 21}), 1.0));
    EXPECT_DOUBLE_EQ(1.0, measure.Area(*MakeElement(3, 94, {1, 2, 3, 4}), 1.0));
    EXPECT_DOUBLE_EQ(std::sqrt(2.0), measure.Area(*MakeElement(3, 94, {1, 2, 7, 8}), 1.0));
    EXPECT_DOUBLE_EQ(3.0, measure.Area(*MakeElement(4, 94, {1, 2, 3, 4}), 3.0));
    // Eight-node quadrilateral: corners at the even positions, mid-side nodes ignored.
    const auto quad8 = MakeElement(5, 95, {1, 6, 2, 7, 3, 8, 4, 5});
    EXPECT_DOUBLE_EQ(1.0, measure.Area(*quad8, 1.0));
}

TEST(ElementMeasure, LengthsOfBeams)
{
    TestEntitySet set;
    set.Node(1, 0, 0, 0);
    set.Node(2, 3, 4, 0);
    set.Node(3, 6, 8, 0);
    const CElementMeasure measure(&set);

    EXPECT_DOUBLE_EQ(5.0, measure.Length(*MakeElement(1, 21, {1, 2}), 1.0));
    EXPECT_DOUBLE_EQ(5.0, measure.Length(*MakeElement(1, 21, {1, 2}), -1.0));
    // A parabolic beam ends at its third node; the mid node is at position 1.
    EXPECT_DOUBLE_EQ(10.0, measure.Length(*MakeElement(2, 24, {1, 2, 3}), 1.0));
}

TEST(ElementMeasure, MissingNodesAndShortListsGiveNeutralResults)
{
    TestEntitySet set;
    AddUnitCube(set);
    const CElementMeasure measure(&set);

    EXPECT_EQ(0.0, measure.Length(*MakeElement(1, 21, {1, 99}), 1.0));
    EXPECT_EQ(0.0, measure.Length(*MakeElement(2, 21, {1}), 1.0));
    EXPECT_EQ(0.0, measure.Length(*MakeElement(3, 24, {1, 2}), 1.0));
    // A quadrilateral missing one node keeps the triangle of the nodes found.
    EXPECT_DOUBLE_EQ(0.5, measure.Area(*MakeElement(4, 94, {1, 2, 3, 99}), 1.0));
    EXPECT_EQ(0.0, measure.Area(*MakeElement(5, 94, {98, 99, 97, 96}), 1.0));
    EXPECT_EQ(0.0, measure.Volume(*MakeElement(6, 115, {91, 92, 93, 94, 95, 96, 97, 98})));
    EXPECT_EQ(0.0, measure.Volume(CFEElement()));
    EXPECT_EQ(0.0, measure.Area(CFEElement(), 1.0));

    const CElementMeasure noSet(nullptr);
    EXPECT_EQ(0.0, noSet.Volume(*MakeElement(7, 115, {1, 2, 3, 4, 5, 6, 7, 8})));
}
