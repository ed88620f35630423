#include "core/model/FEFace.h"

#include <gtest/gtest.h>
#include <vector>

TEST(FEFace, ConstructionDefaults)
{
    const CFEFace face;
    EXPECT_EQ(kTagFace, face.type);
    EXPECT_EQ(0, face.m_id);
    EXPECT_EQ(4, face.m_cornerCount);
    EXPECT_EQ(0, face.m_faceIndex);
    EXPECT_EQ(0, face.m_elementId);
    EXPECT_EQ(0.0, face.m_normal.z);
    EXPECT_EQ(0, face.m_outline.GetSize());
}

TEST(FEFace, CopyTakesTheFaceButNotIdIndexOrReferencePoint)
{
    CFEFace source;
    source.type = kTagNode;
    source.m_id = 9;
    source.m_index = 4;
    source.m_point = CPoint3D(5, 5, 5);
    source.m_color = CColorRGBA(0.5f, 0.25f, 1.0f, 1.0f);
    source.m_cornerCount = 8;
    source.m_faceIndex = 3;
    source.m_elementId = 12;
    source.m_normal = CPoint3D(0, 1, 0);
    for (int id : {4, 5, 6})
        source.m_ids.Add(id);
    source.m_groups.Add(7);
    source.m_outline.Add(CPoint3D(1, 2, 3));

    const CFEFace copy(source);
    EXPECT_EQ(0, copy.m_id);
    EXPECT_EQ(0, copy.m_index);
    EXPECT_EQ(0.0, copy.m_point.Get().x);
    EXPECT_EQ(kTagNode, copy.type);
    EXPECT_EQ(8, copy.m_cornerCount);
    EXPECT_EQ(3, copy.m_faceIndex);
    EXPECT_EQ(12, copy.m_elementId);
    EXPECT_EQ(1.0, copy.m_normal.y);
    EXPECT_EQ(0.25f, copy.m_color.Get().g);
    ASSERT_EQ(3, copy.m_ids.GetSize());
    EXPECT_EQ(6, copy.m_ids[2]);
    ASSERT_EQ(1, copy.m_groups.GetSize());
    ASSERT_EQ(1, copy.m_outline.GetSize());
    EXPECT_EQ(3.0, copy.m_outline[0].z);

    CFEFace target;
    target.m_id = 2;
    target.m_ids.Add(99);
    target = source;
    EXPECT_EQ(2, target.m_id);
    EXPECT_EQ(3, target.m_ids.GetSize());
}

TEST(FEFace, CornerIdsSkipMidSideNodesAndStayWithinTheList)
{
    struct Case
    {
        uint8_t count;
        std::vector<int> ids;
        std::vector<int> corners;
    };
    const Case cases[] = {
        {3, {1, 2, 3}, {1, 2, 3}},
        {4, {1, 2, 3, 4}, {1, 2, 3, 4}},
        {6, {1, 2, 3, 4, 5, 6}, {1, 3, 5}},
        {8, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 3, 5, 7}},
        {8, {1, 2, 3}, {1, 3}}, // count byte larger than the list
        {4, {}, {}},
    };
    for (const Case& c : cases)
    {
        CFEFace face;
        face.m_cornerCount = c.count;
        for (int id : c.ids)
            face.m_ids.Add(id);
        int corners[4] = {};
        const int n = face.GetCornerIds(corners);
        EXPECT_EQ(c.corners, std::vector<int>(corners, corners + n));
    }
}
