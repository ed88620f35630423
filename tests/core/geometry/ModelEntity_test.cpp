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
    EXPECT_EQ(0.0f, entity.m_color.a);

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
