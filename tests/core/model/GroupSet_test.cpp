#include "core/model/GroupSet.h"

#include "ModelFixtures.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace
{
// Two unit cubes side by side along x: nodes (offset + 1 .. offset + 12); they share the face
// x = 1.
void AddTwoBricks(CModelSet& model, int offset)
{
    for (int i = 0; i < 3; ++i)
    {
        const int base = offset + 4 * i;
        AddTestNode(model, base + 1, i, 0, 0);
        AddTestNode(model, base + 2, i, 1, 0);
        AddTestNode(model, base + 3, i, 1, 1);
        AddTestNode(model, base + 4, i, 0, 1);
    }
    const int o = offset;
    AddBrick(model, o + 1, {o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7, o + 8});
    AddBrick(model, o + 2, {o + 5, o + 6, o + 7, o + 8, o + 9, o + 10, o + 11, o + 12});
    model.BuildElementFaces();
}

int CountOuterFaces(const CElementMap& elements)
{
    int count = 0;
    for (const auto& [id, element] : fw::Assocs(elements))
    {
        for (int i = 0; i < element->m_faces.GetSize(); ++i)
            count += element->m_outerFace[i];
    }
    return count;
}

// The edges as node-id pairs, less an offset.
std::set<std::pair<UINT, UINT>> EdgePairs(const CEdgeMap& edges, UINT offset)
{
    std::set<std::pair<UINT, UINT>> pairs;
    for (const auto& [key, value] : fw::Assocs(edges))
    {
        pairs.emplace(EdgeKeyLargerNode(key) - offset, EdgeKeySmallerNode(key) - offset);
    }
    return pairs;
}

// Two unit quads sharing the edge between nodes 2 and 3; the second is folded by foldDeg
// about that edge (0: coplanar).
void AddTwoQuads(CModelSet& model, int offset, double foldDeg)
{
    const double angle = foldDeg * 3.14159265358979323846 / 180.0;
    AddTestNode(model, offset + 1, 0, 0, 0);
    AddTestNode(model, offset + 2, 1, 0, 0);
    AddTestNode(model, offset + 3, 1, 1, 0);
    AddTestNode(model, offset + 4, 0, 1, 0);
    AddTestNode(model, offset + 5, 1 + std::cos(angle), 0, std::sin(angle));
    AddTestNode(model, offset + 6, 1 + std::cos(angle), 1, std::sin(angle));
    AddQuad(model, offset + 1, offset + 1, offset + 2, offset + 3, offset + 4);
    AddQuad(model, offset + 2, offset + 2, offset + 5, offset + 6, offset + 3);
    model.BuildElementFaces();
}
} // namespace

TEST(GroupSet, StartsNamedGroupWithResetBox)
{
    CGroupSet group;
    EXPECT_STREQ("Group", group.GetName().GetString());
    EXPECT_EQ(99999999.0, group.GetBoundingBox().min.x);
    EXPECT_EQ(-99999999.0, group.GetBoundingBox().max.z);
    EXPECT_EQ(200000u, group.GetShells().GetHashTableSize());
    group.UpdateBoundingBox(0, nullptr); // no nodes: the box keeps its reset values
    EXPECT_EQ(99999999.0, group.GetBoundingBox().min.y);
}

TEST(GroupSet, FilesElementsByKindAndRefusesOtherTags)
{
    CGroupSet group;
    CFEElement shell;
    shell.type = kTagShell;
    shell.m_id = 3;
    CFEElement unset; // still tag 114
    CFEElement face;
    face.type = kTagFace;
    EXPECT_TRUE(group.AddElement(&shell));
    EXPECT_FALSE(group.AddElement(&unset));
    EXPECT_FALSE(group.AddElement(&face));
    EXPECT_FALSE(group.AddElement(nullptr));
    EXPECT_EQ(&shell, group.FindElement(3));

    CElementMap all;
    group.CollectElements(all);
    EXPECT_EQ(1, all.GetCount());
    EXPECT_TRUE(group.RemoveElement(&shell));
    EXPECT_TRUE(group.RemoveElement(&shell)); // absent is fine
    EXPECT_EQ(nullptr, group.FindElement(3));
    CFEElement beam;
    beam.type = kTagBeam;
    beam.m_id = 3;
    EXPECT_TRUE(group.AddElement(&beam)); // the emptied map takes entries again
    EXPECT_EQ(&beam, group.FindElement(3));
}

TEST(GroupSet, NodesWidenTheBoxAndDuplicatesAreRefused)
{
    CGroupSet group;
    CFENode a(1, CPoint3D(1.0, -2.0, 3.0));
    CFENode b(2, CPoint3D(-1.0, 4.0, 0.0));
    CFENode again(1, CPoint3D(50.0, 50.0, 50.0));
    EXPECT_TRUE(group.AddNode(&a));
    EXPECT_TRUE(group.AddNode(&b));
    EXPECT_FALSE(group.AddNode(&again));
    EXPECT_EQ(-1.0, group.GetBoundingBox().min.x);
    EXPECT_EQ(4.0, group.GetBoundingBox().max.y);
    EXPECT_DOUBLE_EQ(1.5, group.GetCenter().z);
    EXPECT_DOUBLE_EQ(-2.0, group.GetNodePoint(1).y);
    EXPECT_TRUE(group.RemoveNode(&a));
    EXPECT_EQ(nullptr, group.GetNode(1));
    group.UpdateBoundingBox(0, nullptr);
    EXPECT_EQ(-1.0, group.GetBoundingBox().max.x);
}

TEST(GroupSet, VisibleOnlyBoxCountsNodesOfShownElements)
{
    CModelSet model;
    AddTestNode(model, 1, 0, 0, 0);
    AddTestNode(model, 2, 1, 1, 1);
    AddTestNode(model, 3, 9, 9, 9); // used by no element
    AddTestElement(model, 1, kTagBeam, 21, {1, 2});
    model.BuildElementFaces();
    model.UpdateBoundingBox(1, nullptr); // no view: nothing counts, the box stays
    EXPECT_EQ(9.0, model.GetBoundingBox().max.x);
    ShowAllView view;
    model.UpdateBoundingBox(1, &view);
    EXPECT_EQ(1.0, model.GetBoundingBox().max.x);
    model.UpdateBoundingBox(0, nullptr);
    EXPECT_EQ(9.0, model.GetBoundingBox().max.x);
}

TEST(GroupSet, TwoBricksSharingAFaceKeepTenOuterFaces)
{
    CModelSet model;
    AddTwoBricks(model, 0);
    ShowAllView view;
    CEdgeMap edges;
    CGroupSet::ExtractOuterFaces(edges, 2, model.GetDefaultGroup()->GetSolids(), &view);
    EXPECT_EQ(10, CountOuterFaces(model.GetDefaultGroup()->GetSolids()));
    EXPECT_EQ(1, model.FindElement(1)->m_hasOuterFace);
    // The box edges of the 2x1x1 block, its four long edges in two pieces each; the x = 1
    // ring lies between coplanar faces and is dropped.
    EXPECT_EQ(16, edges.GetCount());
    EXPECT_EQ(0u, EdgePairs(edges, 0).count({6, 5}));
    EXPECT_EQ(1u, EdgePairs(edges, 0).count({5, 1}));
}

TEST(GroupSet, AFaceMetThreeTimesIsOuterAgain)
{
    CModelSet model;
    for (int id = 1; id <= 4; ++id)
        AddTestNode(model, id, id == 2 || id == 3, id >= 3, 0);
    AddQuad(model, 1, 1, 2, 3, 4);
    AddQuad(model, 2, 2, 3, 4, 1);
    AddQuad(model, 3, 4, 3, 2, 1);
    model.BuildElementFaces();
    ShowAllView view;
    CEdgeMap edges;
    CGroupSet::ExtractOuterFaces(edges, 3, model.GetDefaultGroup()->GetShells(), &view);
    EXPECT_EQ(1, CountOuterFaces(model.GetDefaultGroup()->GetShells()));
}

TEST(GroupSet, FeatureEdgesFollowTheFoldAngle)
{
    struct Case
    {
        double foldDeg;
        int edges;
    };
    const Case cases[] = {{0.0, 6}, {20.0, 6}, {90.0, 7}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.foldDeg);
        CModelSet model;
        AddTwoQuads(model, 0, c.foldDeg);
        ShowAllView view;
        CEdgeMap edges;
        CGroupSet::ExtractOuterFaces(edges, 2, model.GetDefaultGroup()->GetShells(), &view);
        EXPECT_EQ(c.edges, edges.GetCount());
        EXPECT_EQ(c.edges == 7, EdgePairs(edges, 0).count({3, 2}) == 1);
    }
}

// A collapsed quad has no normal, so no angle to its neighbour: the edge they share is kept.
TEST(GroupSet, EdgeOfADegenerateFaceStaysAFeatureEdge)
{
    CModelSet model;
    AddTestNode(model, 1, 0, 0, 0);
    AddTestNode(model, 2, 1, 0, 0);
    AddTestNode(model, 3, 1, 1, 0);
    AddTestNode(model, 4, 0, 1, 0);
    AddTestNode(model, 5, 2, 0, 0);
    AddTestNode(model, 6, 3, 0, 0);
    AddQuad(model, 1, 1, 2, 3, 4);
    AddQuad(model, 2, 2, 5, 6, 3); // corners 2, 5, 6 in a line: zero normal
    model.BuildElementFaces();
    ShowAllView view;
    CEdgeMap edges;
    CGroupSet::ExtractOuterFaces(edges, 2, model.GetDefaultGroup()->GetShells(), &view);
    EXPECT_EQ(7, edges.GetCount());
    EXPECT_EQ(1u, EdgePairs(edges, 0).count({3, 2}));
}

TEST(GroupSet, LargeNodeIdsGiveTheSameEdgesAsSmallOnes)
{
    std::set<std::pair<UINT, UINT>> expected;
    for (int offset : {0, 70000, 99000000})
    {
        SCOPED_TRACE(offset);
        CModelSet model;
        AddTwoQuads(model, offset, 90.0);
        ShowAllView view;
        CEdgeMap edges;
        CGroupSet::ExtractOuterFaces(edges, 2, model.GetDefaultGroup()->GetShells(), &view);
        const auto pairs = EdgePairs(edges, static_cast<UINT>(offset));
        if (offset == 0)
            expected = pairs;
        EXPECT_EQ(expected, pairs);
        // The values name the owning element whatever its id.
        POSITION pos = edges.GetStartPosition();
        CEdgeKey key;
        ULONGLONG value = 0;
        edges.GetNextAssoc(pos, key, value);
        const UINT owner = EdgeValueElementId(value) - static_cast<UINT>(offset);
        EXPECT_TRUE(owner == 1 || owner == 2);
    }
}

// A plate large enough that the ridge edges outgrow the first table many times over: only its
// rim is left, every inner edge lies between coplanar quads.
TEST(GroupSet, ALargeFlatPlateKeepsOnlyItsRim)
{
    constexpr int kSide = 200;
    CModelSet model;
    auto node = [](int i, int j) { return j * (kSide + 1) + i + 1; };
    for (int j = 0; j <= kSide; ++j)
    {
        for (int i = 0; i <= kSide; ++i)
            AddTestNode(model, node(i, j), i, j, 0);
    }
    int id = 0;
    for (int j = 0; j < kSide; ++j)
    {
        for (int i = 0; i < kSide; ++i)
            AddQuad(model, ++id, node(i, j), node(i + 1, j), node(i + 1, j + 1), node(i, j + 1));
    }
    model.BuildElementFaces();
    ShowAllView view;
    CEdgeMap edges;
    CGroupSet::ExtractOuterFaces(edges, id, model.GetDefaultGroup()->GetShells(), &view);
    ASSERT_EQ(4 * kSide, edges.GetCount());
    int rim = 0;
    for (const auto& [larger, smaller] : EdgePairs(edges, 0))
    {
        const int i1 = static_cast<int>(larger - 1) % (kSide + 1);
        const int j1 = static_cast<int>(larger - 1) / (kSide + 1);
        const int i2 = static_cast<int>(smaller - 1) % (kSide + 1);
        const int j2 = static_cast<int>(smaller - 1) / (kSide + 1);
        rim += (i1 == i2 && (i1 == 0 || i1 == kSide)) || (j1 == j2 && (j1 == 0 || j1 == kSide));
    }
    EXPECT_EQ(4 * kSide, rim);
    EXPECT_EQ(id, CountOuterFaces(model.GetDefaultGroup()->GetShells()));
}

// Edges the caller's map holds already count as met once: met again between coplanar faces
// (a face and itself, on a second pass) they leave the map; others stay.
TEST(GroupSet, EdgesAlreadyInTheMapAreMetAgain)
{
    CModelSet model;
    AddTwoQuads(model, 0, 90.0);
    ShowAllView view;
    CEdgeMap edges;
    edges.SetAt(MakeEdgeKey(100, 200), 5);
    CGroupSet::ExtractOuterFaces(edges, 2, model.GetDefaultGroup()->GetShells(), &view);
    ASSERT_EQ(8, edges.GetCount());
    CGroupSet::ExtractOuterFaces(edges, 2, model.GetDefaultGroup()->GetShells(), &view);
    // The fold edge: the first quad met removes it, the second stores it again.
    const std::set<std::pair<UINT, UINT>> expected = {{3, 2}, {200, 100}};
    EXPECT_EQ(expected, EdgePairs(edges, 0));
}

TEST(GroupSet, WithoutActiveViewNothingIsVisited)
{
    CModelSet model;
    AddTwoQuads(model, 0, 90.0);
    CEdgeMap edges;
    edges.SetAt(MakeEdgeKey(100, 200), 5);
    model.FindElement(1)->m_hasOuterFace = 1;
    CGroupSet::ExtractOuterFaces(edges, 2, model.GetDefaultGroup()->GetShells(), nullptr);
    EXPECT_EQ(1, edges.GetCount());
    EXPECT_EQ(1, model.FindElement(1)->m_hasOuterFace);
}

TEST(GroupSet, MidSideFacesUseCornerEdgesWithMidNodePositions)
{
    CModelSet model;
    const double points[8][2] = {{0, 0}, {0.5, 0}, {1, 0}, {1, 0.5},
                                 {1, 1}, {0.5, 1}, {0, 1}, {0, 0.5}};
    for (int i = 0; i < 8; ++i)
        AddTestNode(model, i + 1, points[i][0], points[i][1], 0);
    AddTestElement(model, 1, kTagShell, 95, {1, 2, 3, 4, 5, 6, 7, 8});
    model.BuildElementFaces();
    ShowAllView view;
    CEdgeMap edges;
    CGroupSet::ExtractOuterFaces(edges, 1, model.GetDefaultGroup()->GetShells(), &view);
    ASSERT_EQ(4, edges.GetCount());
    ULONGLONG value = 0;
    ASSERT_TRUE(edges.Lookup(MakeEdgeKey(3, 5), value));
    EXPECT_EQ(3u, EdgeValuePosition(value));
    EXPECT_EQ(1u, EdgeValueElementId(value));
    EXPECT_EQ(0u, EdgeValueFaceIndex(value));
}

namespace
{
// A view that is not the active one and shows only the element with the given id.
class OnlyOneElementView : public CVisibilityView
{
public:
    explicit OnlyOneElementView(int id)
        : m_id(id)
    {
    }
    int IsEntityVisible(const CFEElement* element) const override
    {
        return element != nullptr && element->m_id == m_id ? 1 : 0;
    }
    bool HasVisibleElement(const CFENode* node) const override
    {
        for (int i = 0; node != nullptr && i < node->m_ids.GetSize(); ++i)
        {
            if (node->m_ids[i] == m_id)
                return true;
        }
        return false;
    }

private:
    int m_id;
};
} // namespace

TEST(GroupSet, ExtractionAndBoxFollowTheGivenView)
{
    CModelSet model;
    AddTwoBricks(model, 0);
    OnlyOneElementView own(2);
    CEdgeMap edges;
    CGroupSet::ExtractOuterFaces(edges, 2, model.GetDefaultGroup()->GetSolids(), &own);
    // The second brick alone has six outer faces and twelve ridge edges; the first is unvisited.
    EXPECT_EQ(6, CountOuterFaces(model.GetDefaultGroup()->GetSolids()));
    EXPECT_EQ(12, edges.GetCount());
    EXPECT_EQ(0, model.FindElement(1)->m_hasOuterFace);

    model.UpdateBoundingBox(1, &own);
    EXPECT_EQ(1.0, model.GetBoundingBox().min.x);
    EXPECT_EQ(2.0, model.GetBoundingBox().max.x);
    model.UpdateBoundingBox(1, nullptr); // no view to ask: the box stays
    EXPECT_EQ(1.0, model.GetBoundingBox().min.x);
}
