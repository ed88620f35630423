#include "core/geometry/ModelEntity.h"

#include "core/geometry/ElementForce.h"
#include "core/geometry/EntitySet.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"

#include <gtest/gtest.h>

TEST(ModelEntity, ConstructorsSetTagsAndDefaults)
{
    const CModelEntity entity;
    EXPECT_EQ(kTagModelEntity, entity.type);
    EXPECT_EQ(0, entity.m_id);
    EXPECT_EQ(0, entity.m_ids.GetSize());
    EXPECT_EQ(0.0f, entity.m_color.Get().a);

    const CFENode node;
    EXPECT_EQ(kTagNode, node.type);
    EXPECT_EQ(0, node.m_id);
    EXPECT_EQ(0.0, node.m_coord.x);
    EXPECT_EQ(0, node.m_ids.GetSize());
    EXPECT_EQ(0, node.m_groups.GetSize());

    const CElementForce force;
    EXPECT_EQ(kTagElementForce, force.type);
    EXPECT_EQ(-1, force.m_count);
    EXPECT_EQ(0, force.m_coordSystemId);
    EXPECT_EQ(0.0, force.m_scale);
}

TEST(ModelEntity, ForceWithACountHoldsThatManyZeroIds)
{
    const CElementForce force(3);
    ASSERT_EQ(3, force.m_ids.GetSize());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(0, force.m_ids[i]);
    const CElementForce negative(-5);
    EXPECT_EQ(0, negative.m_ids.GetSize());
}

TEST(ModelEntity, ForceSetGrowsPastItsFirstEightSlots)
{
    CForceSet set;
    for (int i = 1; i <= 20; ++i)
    {
        auto* force = new CElementForce();
        force->m_id = 100 + i;
        EXPECT_EQ(i, set.Add(force));
    }
    ASSERT_EQ(20, set.GetCount());
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(101 + i, set.GetAt(i)->m_id);
}

TEST(ModelEntity, LineAndCurveSegmentStartWithTwoPoints)
{
    const CLineEntity line;
    EXPECT_EQ(kTagLine, line.type);
    EXPECT_EQ(2, line.m_points.GetSize());

    CPolygonEntity segment;
    EXPECT_EQ(kTagPolygon, segment.type);
    EXPECT_EQ(2, segment.m_points.GetSize());
    EXPECT_EQ(2, segment.m_kind);

    segment.m_points[1] = CPoint3D(1, 2, 3);
    segment.m_controlPoints.Add(CPoint3D(4, 5, 6));
    segment.m_control2 = CPoint3D(7, 8, 9);
    segment.m_values.Add(2.5);
    segment.m_param3 = 0.25;
    const CPolygonEntity copy(segment);
    EXPECT_EQ(3.0, copy.m_points[1].z);
    ASSERT_EQ(1, copy.m_controlPoints.GetSize());
    EXPECT_EQ(5.0, copy.m_controlPoints[0].y);
    EXPECT_EQ(9.0, copy.m_control2.z);
    ASSERT_EQ(1, copy.m_values.GetSize());
    EXPECT_EQ(2.5, copy.m_values[0]);
    EXPECT_EQ(0.25, copy.m_param3);
}

TEST(EntitySet, BaseAnswersEveryLookupWithNothing)
{
    CEntitySet set;
    EXPECT_EQ(kTagEntitySet, set.type);
    EXPECT_EQ(nullptr, set.GetNode(1));
    const CPoint3D point = set.GetNodePoint(1);
    EXPECT_EQ(0.0, point.x);
    EXPECT_EQ(0.0, point.y);
    EXPECT_EQ(0.0, point.z);
    EXPECT_EQ(0.0, set.GetResultValue(1, 0));
    EXPECT_EQ(nullptr, set.FindElement(1));
    EXPECT_FALSE(set.ContainsEntity(1));
    EXPECT_FALSE(set.ContainsEdge(1, 2));
    set.AddPoint(CPoint3D(1, 1, 1), 3);

    // Refused: the caller keeps ownership.
    CFENode node;
    EXPECT_FALSE(set.AddNode(&node));
    CFEElement element;
    EXPECT_FALSE(set.AddElement(&element));
}

// The colour and reference point take storage only when one is stored; they must still read,
// assign and copy as the plain members did.
TEST(ModelEntity, ColourAndReferencePointReadAsDefaultsUntilStoredAndCopyAsValues)
{
    CPolygonEntity source;
    const CPoint3D& origin = source.m_point;
    EXPECT_EQ(kTagPoint, origin.type);
    EXPECT_EQ(0.0, origin.x + origin.y + origin.z);
    const CColorRGBA& black = source.m_color;
    EXPECT_EQ(kTagGeomObject, black.type);
    EXPECT_EQ(0.0f, black.r + black.g + black.b + black.a);

    CPoint3D tagged(1.0, 2.0, 3.0);
    tagged.type = kTagNode;
    source.m_point = tagged; // assignment makes it a plain point, as for a CPoint3D member
    source.m_color = CColorRGBA(0.5f, 0.25f, 1.0f, 0.75f);
    EXPECT_EQ(kTagPoint, source.m_point.Get().type);
    EXPECT_EQ(2.0, source.m_point.Get().y);

    CPolygonEntity copy(source);
    EXPECT_EQ(3.0, copy.m_point.Get().z);
    EXPECT_EQ(0.75f, copy.m_color.Get().a);
    // A copy holds its own value.
    source.m_point = CPoint3D(9.0, 9.0, 9.0);
    EXPECT_EQ(1.0, copy.m_point.Get().x);

    // Assigning an entity that never stored one puts the target back to the defaults.
    const CPolygonEntity plain;
    copy = plain;
    EXPECT_EQ(0.0, copy.m_point.Get().x);
    EXPECT_EQ(0.0f, copy.m_color.Get().r);
}

// Coordinates, centres and normals are held as three doubles and read back as points.
TEST(ModelEntity, PackedPointsReadAndComputeAsPoints)
{
    CFENode node(7, CPoint3D(1.0, -2.0, 0.5));
    const CPoint3D read = node.m_coord;
    EXPECT_EQ(kTagPoint, read.type);
    EXPECT_EQ(-2.0, read.y);

    const CPoint3D other(0.5, 0.5, 0.5);
    EXPECT_EQ(0.5, (node.m_coord - other).x);
    EXPECT_EQ(-1.5, (node.m_coord + other).y);
    EXPECT_EQ(1.0, (node.m_coord * 2.0).z);
    EXPECT_TRUE(node.m_coord.IsEqual(CPoint3D(1.001, -2.0, 0.5)));
    EXPECT_FALSE(node.m_coord.IsEqual(CPoint3D(1.0011, -2.0, 0.5)));

    node.m_coord = CPoint3D(4.0, 5.0, 6.0);
    EXPECT_EQ(6.0, node.m_coord.z);
    // Entities a model holds millions of keep these members small.
    static_assert(sizeof(node.m_coord) == 3 * sizeof(double));
}
