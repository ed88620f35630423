#include "core/model/FEElement.h"

#include "core/model/ElementDescriptor.h"
#include "tests/core/geometry/TestEntitySet.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace
{
std::vector<int> FaceIds(const CFEFace& face)
{
    return std::vector<int>(face.m_ids.begin(), face.m_ids.end());
}

std::unique_ptr<CFEElement> ElementWithNodes(int id, int descriptorId, int nodeCount)
{
    auto element = std::make_unique<CFEElement>();
    element->m_id = id;
    element->m_feDescriptorId = descriptorId;
    for (int i = 1; i <= nodeCount; ++i)
        element->m_ids.Add(i);
    element->SetFaceCountByDescriptor(descriptorId);
    element->BuildElementFaces();
    return element;
}
} // namespace

TEST(FEElement, ConstructionDefaults)
{
    const CFEElement element;
    EXPECT_EQ(kTagElement, element.type);
    EXPECT_EQ(0, element.m_propertyId);
    EXPECT_EQ(1, element.m_materialId);
    EXPECT_EQ(0, element.m_feDescriptorId);
    EXPECT_EQ(0, element.m_faceCount);
    EXPECT_EQ(0, element.m_faces.GetSize());
    EXPECT_EQ(0, element.m_hasOuterFace);
    EXPECT_EQ(1, element.m_display);
    for (uint8_t flag : element.m_outerFace)
        EXPECT_EQ(0, flag);

    const CFEElement withFaces(3);
    EXPECT_EQ(3, withFaces.m_faceCount);
    ASSERT_EQ(3, withFaces.m_faces.GetSize());
    EXPECT_EQ(kTagFace, withFaces.m_faces[2].type);
    EXPECT_EQ(4, withFaces.m_faces[2].m_cornerCount);

    const CFEElement negative(-2);
    EXPECT_EQ(0, negative.m_faceCount);
    EXPECT_EQ(0, negative.m_faces.GetSize());
}

TEST(FEElement, BrickBuildsItsSixFaces)
{
    const auto brick = ElementWithNodes(77, 115, 8);
    const std::vector<std::vector<int>> expected = {{1, 4, 3, 2}, {5, 6, 7, 8}, {1, 2, 6, 5},
                                                    {4, 8, 7, 3}, {2, 3, 7, 6}, {1, 5, 8, 4}};
    EXPECT_EQ(6, brick->m_faceCount);
    ASSERT_EQ(6, brick->m_faces.GetSize());
    for (int k = 0; k < 6; ++k)
    {
        SCOPED_TRACE(k);
        const CFEFace& face = brick->m_faces[k];
        EXPECT_EQ(expected[k], FaceIds(face));
        EXPECT_EQ(4, face.m_cornerCount);
        EXPECT_EQ(k, face.m_faceIndex);
        EXPECT_EQ(77, face.m_elementId);
        EXPECT_EQ(0, face.m_id);
    }
}

TEST(FEElement, FaceTablesOfEveryShape)
{
    struct Case
    {
        int descriptorId;
        int nodeCount;
        int faceCount;
        int face;             // one face to check
        std::vector<int> ids; // its node ids when the element holds ids 1..n
    };
    const Case cases[] = {
        {91, 3, 1, 0, {1, 2, 3}},
        {94, 4, 1, 0, {1, 2, 3, 4}},
        {92, 6, 1, 0, {1, 2, 3, 4, 5, 6}},
        {42, 6, 1, 0, {1, 2, 3, 4, 5, 6}},
        {172, 8, 1, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
        {111, 4, 4, 3, {2, 3, 4}},
        {112, 6, 5, 4, {3, 1, 4, 6}},
        {118, 10, 4, 2, {1, 7, 10, 9, 5, 6}},
        {113, 15, 5, 4, {5, 6, 1, 7, 10, 15, 14, 9}},
        {102, 15, 5, 1, {10, 11, 12, 13, 14, 15}},
        {116, 20, 6, 3, {7, 12, 19, 18, 17, 11, 5, 6}},
        {105, 20, 6, 5, {1, 9, 13, 20, 19, 12, 7, 8}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.descriptorId);
        const auto element = ElementWithNodes(5, c.descriptorId, c.nodeCount);
        ASSERT_EQ(c.faceCount, element->m_faces.GetSize());
        EXPECT_EQ(c.faceCount, element->m_faceCount);
        const CFEFace& face = element->m_faces[c.face];
        EXPECT_EQ(c.ids, FaceIds(face));
        EXPECT_EQ(static_cast<int>(c.ids.size()), face.m_cornerCount);
        EXPECT_EQ(c.face, face.m_faceIndex);
    }
}

TEST(FEElement, IsParabolicForExactlyTheMidSideNodeShapes)
{
    const std::set<int> parabolic = {24, 42, 45, 52,  55,  62,  65,  72,  75, 82,
                                     85, 92, 95, 102, 105, 113, 116, 118, 172};
    for (int id = -1; id < 400; ++id)
    {
        CFEElement element;
        element.m_feDescriptorId = id;
        EXPECT_EQ(parabolic.count(id) == 1, element.IsParabolicElement()) << id;
        EXPECT_EQ(parabolic.count(id) == 1, IsParabolicElement(id)) << id;
    }
}

TEST(FEElement, SetFaceCountByDescriptor)
{
    struct Case
    {
        int descriptorId;
        int16_t initialFaces;
        int expectedFaces;
    };
    const Case cases[] = {
        {21, 1, 0},  {250, 1, 0}, {251, 2, 0}, {24, 0, 0},  {24, 2, 2}, {253, 3, 3},
        {254, 0, 1}, {999, 2, 2}, {115, 1, 6}, {111, 6, 4}, {91, 0, 1}, {0, 5, 5},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.descriptorId);
        CFEElement element(c.initialFaces);
        element.SetFaceCountByDescriptor(c.descriptorId);
        EXPECT_EQ(c.expectedFaces, element.m_faceCount);
        EXPECT_EQ(c.expectedFaces, element.m_faces.GetSize());
    }
}

// Resizing the faces keeps what the faces that stay describe, makes default faces for the new
// positions and destroys the rest, whether the block grows, shrinks or holds one face.
TEST(FEElement, ResizedFacesKeepWhatTheyDescribe)
{
    const int counts[] = {6, 1, 4, 1, 0, 5};
    CFEElement element(2);
    int kept = 2;
    for (int k = 0; k < 2; ++k)
    {
        element.m_faces[k].m_ids.Add(10 + k);
        element.m_faces[k].m_normal = CPoint3D(k, 1.0, 0.0);
        element.m_faces[k].m_outline.Add(CPoint3D(k, k, k));
    }
    for (const int count : counts)
    {
        SCOPED_TRACE(count);
        element.m_faces.SetSize(count);
        ASSERT_EQ(count, element.m_faces.GetSize());
        kept = std::min(kept, count);
        int position = 0;
        for (const CFEFace& face : element.m_faces)
        {
            EXPECT_EQ(kTagFace, face.type);
            if (position < kept)
            {
                ASSERT_EQ(1, face.m_ids.GetSize());
                EXPECT_EQ(10 + position, face.m_ids[0]);
                EXPECT_EQ(position, face.m_normal.x);
                ASSERT_EQ(1, face.m_outline.GetSize());
                EXPECT_EQ(position, face.m_outline[0].z);
            }
            else
            {
                EXPECT_EQ(0, face.m_ids.GetSize());
                EXPECT_EQ(0.0, face.m_normal.y);
                EXPECT_TRUE(face.m_outline.IsEmpty());
            }
            ++position;
        }
        EXPECT_EQ(count, position);
    }
    // The same count keeps the faces where they are.
    const CFEFace* first = &element.m_faces[0];
    element.m_faces.SetSize(5);
    EXPECT_EQ(first, &element.m_faces[0]);
}

TEST(FEElement, BeamsAndUnknownShapesBuildNoFaces)
{
    const auto beam = ElementWithNodes(1, 24, 3);
    EXPECT_EQ(0, beam->m_faces.GetSize());
    EXPECT_TRUE(beam->IsParabolicElement());

    // An unknown descriptor keeps the faces it was created with, untouched.
    CFEElement element(2);
    element.m_feDescriptorId = 999;
    element.m_ids.Add(1);
    element.m_faces[1].m_ids.Add(42);
    element.SetFaceCountByDescriptor(999);
    element.BuildElementFaces();
    ASSERT_EQ(2, element.m_faces.GetSize());
    EXPECT_EQ(std::vector<int>{42}, FaceIds(element.m_faces[1]));
}

TEST(FEElement, ShortNodeListGetsNoFacesInsteadOfReadingPastIt)
{
    // Seven ids for an eight-node brick: the last face table entries have nothing to point at.
    const auto brick = ElementWithNodes(1, 115, 7);
    EXPECT_EQ(0, brick->m_faceCount);
    EXPECT_EQ(0, brick->m_faces.GetSize());

    const auto quad8 = ElementWithNodes(2, 95, 4);
    EXPECT_EQ(0, quad8->m_faces.GetSize());

    // Building without sizing first still gives the right number of faces.
    CFEElement tetra;
    tetra.m_feDescriptorId = 111;
    for (int id : {1, 2, 3, 4})
        tetra.m_ids.Add(id);
    tetra.BuildElementFaces();
    EXPECT_EQ(4, tetra.m_faceCount);
    EXPECT_EQ(4, tetra.m_faces.GetSize());
}

TEST(FEElement, RebuildingReplacesNodeIdsAndKeepsNormalAndOutline)
{
    auto shell = ElementWithNodes(3, 94, 4);
    CFEFace& face = shell->m_faces[0];
    face.m_normal = CPoint3D(0, 0, 1);
    face.m_outline.Add(CPoint3D(1, 2, 3));

    for (int i = 0; i < 4; ++i)
        shell->m_ids[i] = 10 + i;
    shell->m_id = 30;
    shell->SetFaceCountByDescriptor(94);
    shell->BuildElementFaces();

    const CFEFace& rebuilt = shell->m_faces[0];
    EXPECT_EQ((std::vector<int>{10, 11, 12, 13}), FaceIds(rebuilt));
    EXPECT_EQ(30, rebuilt.m_elementId);
    EXPECT_EQ(1.0, rebuilt.m_normal.z);
    ASSERT_EQ(1, rebuilt.m_outline.GetSize());
    EXPECT_EQ(2.0, rebuilt.m_outline[0].y);
}

TEST(ElementDescriptor, NodeCountsOfTheShapes)
{
    struct Case
    {
        int descriptorId;
        int nodeCount;
    };
    const Case cases[] = {{21, 2},  {24, 3},  {91, 3},  {94, 4},   {62, 6},   {85, 8},
                          {111, 4}, {112, 6}, {115, 8}, {118, 10}, {113, 15}, {116, 20}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.descriptorId);
        const ElementDescriptor* descriptor = FindElementDescriptor(c.descriptorId);
        ASSERT_NE(nullptr, descriptor);
        EXPECT_EQ(c.nodeCount, descriptor->nodeCount);
    }
    EXPECT_EQ(nullptr, FindElementDescriptor(0));
    EXPECT_EQ(nullptr, FindElementDescriptor(114));
}
