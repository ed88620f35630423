#include "core/geometry/VectorMath.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace
{
constexpr double kPi = 3.14159265358979323846;

void ExpectPoint(double x, double y, double z, const CPoint3D& p, double tolerance = 1e-12)
{
    EXPECT_NEAR(x, p.x, tolerance);
    EXPECT_NEAR(y, p.y, tolerance);
    EXPECT_NEAR(z, p.z, tolerance);
}
} // namespace

TEST(VectorMath, ProductsLengthsAndDistances)
{
    const CPoint3D a(1, 2, 3);
    const CPoint3D b(4, 6, 3);
    ExpectPoint(3, 4, 0, Difference(a, b)); // second minus first
    ExpectPoint(0, 0, 1, CrossProduct(CPoint3D(1, 0, 0), CPoint3D(0, 1, 0)));
    ExpectPoint(-3, 6, -3, CrossProduct(CPoint3D(1, 2, 3), CPoint3D(4, 5, 6)));
    EXPECT_EQ(32.0, DotProduct(CPoint3D(1, 2, 3), CPoint3D(4, 5, 6)));
    EXPECT_EQ(5.0, Length(CPoint3D(3, 0, 4)));
    EXPECT_EQ(5.0, Distance(a, b));
    EXPECT_EQ(kTagPoint, Difference(a, b).type);
}

TEST(VectorMath, NormalizeAndUnitVectorKeepZeroVectors)
{
    ExpectPoint(0.6, 0, 0.8, Normalize(CPoint3D(3, 0, 4)));
    ExpectPoint(0, 0, 0, Normalize(CPoint3D()));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ExpectPoint(0, 0, 0, Normalize(CPoint3D(nan, 0, 0)));

    const CPoint3D p(2, 2, 2);
    ExpectPoint(0, 0, 0, UnitVector(p, p));
    ExpectPoint(0, -1, 0, UnitVector(CPoint3D(1, 5, 1), CPoint3D(1, 2, 1)));
}

TEST(VectorMath, AngleBetween)
{
    EXPECT_DOUBLE_EQ(kPi / 2, AngleBetween(CPoint3D(), CPoint3D(1, 0, 0)));
    EXPECT_DOUBLE_EQ(1.5707963267948966, AngleBetween(CPoint3D(0, 3, 0), CPoint3D()));
    EXPECT_DOUBLE_EQ(kPi / 2, AngleBetween(CPoint3D(1, 0, 0), CPoint3D(0, 0, 2)));
    EXPECT_NEAR(kPi / 4, AngleBetween(CPoint3D(1, 0, 0), CPoint3D(1, 1, 0)), 1e-12);
    EXPECT_NEAR(kPi, AngleBetween(CPoint3D(1, 0, 0), CPoint3D(-3, 0, 0)), 1e-12);
    // Rounding can put the dot product of a unit vector with itself just above 1.
    for (const CPoint3D& v : {CPoint3D(1, 1, 1), CPoint3D(0.1, 0.7, 0.3), CPoint3D(3, -7, 11)})
    {
        const double angle = AngleBetween(v, v);
        EXPECT_FALSE(std::isnan(angle));
        EXPECT_NEAR(0.0, angle, 1e-7);
    }
}

TEST(VectorMath, RotateAboutAxisFollowsTheRightHandRule)
{
    ExpectPoint(0, 1, 0, RotateAboutAxis(CPoint3D(1, 0, 0), kPi / 2, CPoint3D(0, 0, 1)));
    ExpectPoint(0, 0, 1, RotateAboutAxis(CPoint3D(0, 1, 0), kPi / 2, CPoint3D(5, 0, 0)));
    ExpectPoint(0, 1, 0, RotateAboutAxis(CPoint3D(1, 0, 0), 2 * kPi / 3, CPoint3D(1, 1, 1)), 1e-12);
    // A zero axis leaves cos(angle) times the vector.
    ExpectPoint(0.5, 1.0, 1.5, RotateAboutAxis(CPoint3D(1, 2, 3), kPi / 3, CPoint3D()), 1e-12);
}

TEST(VectorMath, DirectionFromAngles)
{
    ExpectPoint(0, 0, 1, DirectionFromAngles(CPoint3D(0, 0, 0)));
    ExpectPoint(0, 1, 0, DirectionFromAngles(CPoint3D(90, 0, 0)), 1e-8);
    ExpectPoint(-1, 0, 0, DirectionFromAngles(CPoint3D(0, 90, 0)), 1e-8);
    // x first, then z: (0, 1, 0) turned by -90 degrees about z.
    ExpectPoint(1, 0, 0, DirectionFromAngles(CPoint3D(90, 0, 90)), 1e-8);
}

TEST(VectorMath, TriangleNormalsAndArea)
{
    const CPoint3D tri[3] = {CPoint3D(0, 0, 0), CPoint3D(2, 0, 0), CPoint3D(0, 3, 0)};
    ExpectPoint(0, 0, 6, TriangleNormal(tri));

    CPoint3D n;
    n.type = kTagNode;
    CalcUnitNormal(n, tri[0], tri[1], tri[2]);
    ExpectPoint(0, 0, 1, n);
    EXPECT_EQ(kTagNode, n.type); // only the coordinates are written

    CalcUnitNormal(n, CPoint3D(0, 0, 0), CPoint3D(1, 1, 1), CPoint3D(3, 3, 3));
    ExpectPoint(0, 0, 0, n);

    CPoint3D unit;
    EXPECT_TRUE(TriangleUnitNormal(tri, unit));
    ExpectPoint(0, 0, 1, unit);
    EXPECT_FALSE(TriangleUnitNormal(nullptr, unit));

    EXPECT_DOUBLE_EQ(0.5, TriangleArea(CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), CPoint3D(0, 1, 0)));
    // Tilted: (0,0,0), (1,0,0), (0,1,1) spans a parallelogram of area sqrt(2).
    EXPECT_DOUBLE_EQ(std::sqrt(2.0) / 2,
                     TriangleArea(CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), CPoint3D(0, 1, 1)));
    EXPECT_EQ(0.0, TriangleArea(CPoint3D(1, 1, 1), CPoint3D(2, 2, 2), CPoint3D(4, 4, 4)));

    EXPECT_EQ(1.0, Determinant3(CPoint3D(1, 0, 0), CPoint3D(0, 1, 0), CPoint3D(0, 0, 1)));
    EXPECT_EQ(27.0, Determinant3(CPoint3D(1, 2, 3), CPoint3D(4, 5, 6), CPoint3D(7, 8, 0)));
}

TEST(VectorMath, DistanceFromLineAndPointOnSegment)
{
    const CPoint3D a(0, 0, 0);
    const CPoint3D b(10, 0, 0);
    EXPECT_DOUBLE_EQ(5.0, DistanceFromLine(a, b, CPoint3D(3, 3, 4)));
    EXPECT_DOUBLE_EQ(0.0, DistanceFromLine(a, a, CPoint3D(3, 3, 4)));

    struct Case
    {
        CPoint3D p;
        bool onSegment;
    };
    const Case cases[] = {
        {CPoint3D(0, 0, 0), true},    {CPoint3D(10, 0, 0), true},  {CPoint3D(5, 0.01, 0), true},
        {CPoint3D(5, 0.1, 0), false}, {CPoint3D(-1, 0, 0), false}, {CPoint3D(11, 0, 0), false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.p.x + c.p.y);
        EXPECT_EQ(c.onSegment, IsPointOnSegment(a, b, c.p, 0.05));
    }
    // A segment of one point holds only that point.
    EXPECT_TRUE(IsPointOnSegment(a, a, a, 0.05));
    EXPECT_FALSE(IsPointOnSegment(a, a, CPoint3D(0.01, 0, 0), 0.05));

    CGeomCalculator calculator;
    EXPECT_EQ(10.0, calculator.Distance(a, b));
}
