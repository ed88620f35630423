#include "core/geometry/CoordSystem.h"

#include "TestEntitySet.h"

#include <gtest/gtest.h>

namespace
{
void ExpectPoint(double x, double y, double z, const CPoint3D& p)
{
    EXPECT_NEAR(x, p.x, 1e-12);
    EXPECT_NEAR(y, p.y, 1e-12);
    EXPECT_NEAR(z, p.z, 1e-12);
}

CPoint3D Transformed(const CCoordSystem& system, const CPoint3D& local)
{
    CPoint3D p = local;
    EXPECT_EQ(1, system.Transform(p));
    return p;
}
} // namespace

TEST(CoordSystem, TransformsLocalCoordinatesIntoGlobalOnes)
{
    const CCoordSystem shifted(CPoint3D(10, 0, 0), CPoint3D(10, 0, 1), CPoint3D(11, 0, 0), nullptr);
    ExpectPoint(11, 2, 3, Transformed(shifted, CPoint3D(1, 2, 3)));
    // The local origin lands on A.
    ExpectPoint(10, 0, 0, Transformed(shifted, CPoint3D(0, 0, 0)));

    // x axis along global -y: a quarter turn about z the other way.
    const CCoordSystem turned(CPoint3D(10, 0, 0), CPoint3D(10, 0, 1), CPoint3D(10, -1, 0), nullptr);
    ExpectPoint(10, -1, 0, Transformed(turned, CPoint3D(1, 0, 0)));
    ExpectPoint(11, 0, 0, Transformed(turned, CPoint3D(0, 1, 0)));
    // And the opposite orientation, which an unsigned angle cannot tell apart.
    const CCoordSystem turnedBack(CPoint3D(10, 0, 0), CPoint3D(10, 0, 1), CPoint3D(10, 1, 0),
                                  nullptr);
    ExpectPoint(10, 1, 0, Transformed(turnedBack, CPoint3D(1, 0, 0)));
    ExpectPoint(9, 0, 0, Transformed(turnedBack, CPoint3D(0, 1, 0)));
}

TEST(CoordSystem, TiltedSystemKeepsLengthsAndHandedness)
{
    // z along global x, C off the axes so the x-z plane is skewed.
    const CCoordSystem system(CPoint3D(1, 2, 3), CPoint3D(5, 2, 3), CPoint3D(2, 2, 7), nullptr);
    ExpectPoint(1, 2, 3 + 2, Transformed(system, CPoint3D(2, 0, 0))); // x towards C's side
    ExpectPoint(1 + 3, 2, 3, Transformed(system, CPoint3D(0, 0, 3)));
    ExpectPoint(1, 2 - 1, 3, Transformed(system, CPoint3D(0, 1, 0))); // y = z cross x
}

TEST(CoordSystem, DegenerateSystemsTransformNothing)
{
    struct Case
    {
        const char* name;
        CPoint3D a, b, c;
    };
    const Case cases[] = {
        {"B on A", CPoint3D(1, 1, 1), CPoint3D(1, 1, 1), CPoint3D(2, 1, 1)},
        {"C on A", CPoint3D(0, 0, 0), CPoint3D(0, 0, 1), CPoint3D(0, 0, 0)},
        {"C on the z axis", CPoint3D(0, 0, 0), CPoint3D(0, 0, 1), CPoint3D(0, 0, 5)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const CCoordSystem system(c.a, c.b, c.c, nullptr);
        EXPECT_FALSE(system.IsDefined());
        EXPECT_EQ(CCoordSystem::kUndefinedAngle, system.m_angle1);
        CPoint3D p(1, 2, 3);
        EXPECT_EQ(0, system.Transform(p));
        ExpectPoint(1, 2, 3, p);
    }
}

TEST(CoordSystem, RedefiningAsDegenerateUndefines)
{
    CCoordSystem system(CPoint3D(0, 0, 0), CPoint3D(0, 0, 1), CPoint3D(1, 0, 0), nullptr);
    ASSERT_TRUE(system.IsDefined());
    system.Define(CPoint3D(0, 0, 0), CPoint3D(0, 0, 0), CPoint3D(1, 0, 0));
    EXPECT_FALSE(system.IsDefined());
}

TEST(CoordSystem, GridIdsDefineOnlyWhenAllThreeNodesAreFound)
{
    TestEntitySet set;
    set.Node(1, 10, 0, 0);
    set.Node(2, 10, 0, 1);
    set.Node(3, 11, 0, 0);

    CCoordSystem missing(1, 2, 99, &set);
    EXPECT_FALSE(missing.IsDefined());
    EXPECT_EQ(CCoordSystem::kUndefinedAngle, missing.m_angle2);
    EXPECT_EQ(99, missing.m_gridIds[2]);
    CPoint3D p(1, 2, 3);
    EXPECT_EQ(0, missing.Transform(p));
    EXPECT_EQ(1.0, p.x);

    CCoordSystem unset(&set);
    EXPECT_EQ(-1, unset.m_gridIds[0]);
    unset.SetGridIds(1, -1, 3);
    EXPECT_FALSE(unset.IsDefined());
    unset.SetGridIds(1, 2, 3);
    ASSERT_TRUE(unset.IsDefined());
    ExpectPoint(11, 2, 3, Transformed(unset, CPoint3D(1, 2, 3)));

    const CCoordSystem byIds(1, 2, 3, &set);
    EXPECT_TRUE(byIds.IsDefined());
}
