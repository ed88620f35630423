#include "core/model/FaceMeasures.h"

#include "tests/core/geometry/TestEntitySet.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(FaceMeasures, CalcFaceNormalWritesTheUnitNormalOfTheFirstThreePoints)
{
    CFEFace face;
    const CPoint3D points[4] = {CPoint3D(0, 0, 0), CPoint3D(0, 2, 0), CPoint3D(2, 2, 0),
                                CPoint3D(2, 0, 0)};
    CalcFaceNormal(face, points);
    EXPECT_DOUBLE_EQ(0.0, face.m_normal.x);
    EXPECT_DOUBLE_EQ(0.0, face.m_normal.y);
    EXPECT_DOUBLE_EQ(-1.0, face.m_normal.z);
}

TEST(FaceMeasures, FaceAngleComparesStoredNormals)
{
    CFEFace f1;
    CFEFace f2;
    f1.m_normal = CPoint3D(0, 0, 1);
    f2.m_normal = CPoint3D(0, 2, 2);
    EXPECT_NEAR(0.7853981633974483, FaceAngle(f1, f2), 1e-12);
    f2.m_normal = CPoint3D(0, 0, 5);
    EXPECT_EQ(0.0, FaceAngle(f1, f2));
    // A face whose normal was never computed gives the neutral angle, not a NaN.
    f2.m_normal = CPoint3D();
    EXPECT_EQ(0.0, FaceAngle(f1, f2));
}

TEST(FaceMeasures, FaceCentroidAveragesAllNodesOfTheFace)
{
    TestEntitySet set;
    set.Node(1, 0, 0, 0);
    set.Node(2, 2, 0, 0);
    set.Node(3, 2, 2, 0);
    set.Node(4, 0, 2, 0);
    set.Node(5, 1, 0, 3); // a displaced mid-side node takes part in the mean
    set.Node(6, 2, 1, 0);

    CFEFace quad;
    for (int id : {1, 2, 3, 4})
        quad.m_ids.Add(id);
    const CPoint3D c = FaceCentroid(quad, set);
    EXPECT_DOUBLE_EQ(1.0, c.x);
    EXPECT_DOUBLE_EQ(1.0, c.y);
    EXPECT_DOUBLE_EQ(0.0, c.z);

    CFEFace tri6;
    tri6.m_cornerCount = 6;
    for (int id : {1, 5, 2, 6, 3, 1})
        tri6.m_ids.Add(id);
    EXPECT_DOUBLE_EQ(0.5, FaceCentroid(tri6, set).z);
}

TEST(FaceMeasures, FaceCentroidStaysWithinTheIdsHeld)
{
    TestEntitySet set;
    set.Node(1, 3, 0, 0);
    set.Node(2, 5, 0, 0);

    CFEFace empty;
    empty.m_cornerCount = 0;
    const CPoint3D none = FaceCentroid(empty, set);
    EXPECT_EQ(0.0, none.x);
    EXPECT_FALSE(std::isnan(none.y));

    // A count byte that claims more nodes than the face holds.
    CFEFace shortFace;
    shortFace.m_cornerCount = 8;
    shortFace.m_ids.Add(1);
    shortFace.m_ids.Add(2);
    EXPECT_DOUBLE_EQ(4.0, FaceCentroid(shortFace, set).x);
}
