#include "core/geometry/Point3D.h"

#include "core/geometry/Box3D.h"
#include "core/geometry/ColorRGBA.h"

#include <gtest/gtest.h>

TEST(Point3D, IsEqualUsesAnAbsoluteToleranceWithItsLimitIncluded)
{
    struct Case
    {
        double dx;
        bool equal;
    };
    // From a zero coordinate the difference is the double 0.001 exactly.
    const Case cases[] = {
        {0.0, true}, {0.001, true}, {-0.001, true}, {0.0011, false}, {-0.0011, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.dx);
        const CPoint3D a(0.0, 2.0, 0.0);
        EXPECT_EQ(c.equal, a.IsEqual(CPoint3D(c.dx, 2.0, 0.0)));
        EXPECT_EQ(c.equal, a.IsEqual(CPoint3D(0.0, 2.0, c.dx)));
    }
    // Absolute, not relative to the magnitude.
    EXPECT_FALSE(CPoint3D(1.0e6, 0, 0).IsEqual(CPoint3D(1.0e6 + 0.01, 0, 0)));
}

TEST(Point3D, AssignmentResetsTheTagAndCopyingKeepsIt)
{
    CPoint3D source(1.0, 2.0, 3.0);
    source.type = kTagNode;

    const CPoint3D copy(source);
    EXPECT_EQ(kTagNode, copy.type);

    CPoint3D target;
    target.type = kTagBox;
    target = source;
    EXPECT_EQ(kTagPoint, target.type);
    EXPECT_EQ(3.0, target.z);
}

TEST(Point3D, ArithmeticIsComponentWise)
{
    const CPoint3D a(1.0, 2.0, 3.0);
    const CPoint3D b(0.5, -1.0, 4.0);
    const CPoint3D sum = a + b;
    const CPoint3D difference = a - b;
    const CPoint3D scaled = a * 2.0;
    EXPECT_EQ(1.5, sum.x);
    EXPECT_EQ(1.0, sum.y);
    EXPECT_EQ(7.0, sum.z);
    EXPECT_EQ(0.5, difference.x);
    EXPECT_EQ(3.0, difference.y);
    EXPECT_EQ(-1.0, difference.z);
    EXPECT_EQ(6.0, scaled.z);
    EXPECT_EQ(kTagPoint, sum.type);
}

TEST(Point3D, ArrayAddReturnsTheNewIndexAndGrowsByTheRule)
{
    CPoint3DArray points;
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(i, points.Add(CPoint3D(i, 0, 0)));
    EXPECT_EQ(100, points.GetSize());
    EXPECT_EQ(42.0, points[42].x);
    points.SetSize(3);
    EXPECT_EQ(3, points.GetSize());
    EXPECT_EQ(2.0, points[2].x);
}

TEST(ValueTypes, DefaultsAndTags)
{
    const CGeomObject root;
    EXPECT_EQ(kTagGeomObject, root.type);

    const CColorRGBA color;
    EXPECT_EQ(kTagGeomObject, color.type);
    EXPECT_EQ(0.0f, color.r);
    EXPECT_EQ(0.0f, color.g);
    EXPECT_EQ(0.0f, color.b);
    EXPECT_EQ(0.0f, color.a); // fully transparent black

    const CBox3D box;
    EXPECT_EQ(kTagBox, box.type);
    EXPECT_EQ(0.0, box.min.x);
    EXPECT_EQ(0.0, box.max.z);

    const CNamedObject named;
    EXPECT_EQ(kTagGeomObject, named.type);
    EXPECT_EQ(0, named.id);
    EXPECT_TRUE(named.name.IsEmpty());
}

TEST(ValueTypes, ColourAssignmentLeavesTheTagAndBoxAssignmentCopiesIt)
{
    CColorRGBA target;
    target.type = kTagNode;
    target = CColorRGBA(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_EQ(kTagNode, target.type);
    EXPECT_EQ(0.4f, target.a);

    CBox3D source(CPoint3D(-1, -2, -3), CPoint3D(1, 2, 3));
    source.type = kTagNode;
    CBox3D box;
    box = source;
    EXPECT_EQ(kTagNode, box.type);
    EXPECT_EQ(-2.0, box.min.y);
    EXPECT_EQ(3.0, box.max.z);
}
