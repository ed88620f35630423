// Recorded lists taken by the animation's frames: every vertex must stand at a node, and
// coincident nodes must move alike, or the frames cannot move the list.
#include "render/AnimatedFrames.h"

#include "render/ListBatch.h"

#include <gtest/gtest.h>

namespace
{
CAnimatedFrames::Node MakeNode(double x, double y, double dz)
{
    return {{x, y, 0.0}, {0.0, 0.0, dz}, 0.0};
}

struct ListCase
{
    const char* name;
    std::vector<CAnimatedFrames::Node> nodes;
    bool isTaken;
};
} // namespace

TEST(AnimatedFrames, ListIsTakenOnlyWhenEveryVertexStandsAtNodesThatMoveAlike)
{
    // A quad on (0,0)-(1,1) and one of its edges, as the face and edge lists record them.
    CListBatch batch;
    batch.Reset(false);
    batch.DrawQuad(CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), CPoint3D(1, 1, 0), CPoint3D(0, 1, 0), 0);
    batch.DrawLine(CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), 0);
    const std::vector<CAnimatedFrames::Node> corners = {MakeNode(0, 0, 1), MakeNode(1, 0, 2),
                                                        MakeNode(1, 1, 3), MakeNode(0, 1, 4)};
    std::vector<CAnimatedFrames::Node> alike = corners;
    alike.push_back(MakeNode(1, 1, 3)); // a second node at a corner, moving with it
    std::vector<CAnimatedFrames::Node> apart = corners;
    apart.push_back(MakeNode(1, 1, -3));
    const ListCase cases[] = {
        {"corners", corners, true},
        {"coincident nodes moving alike", alike, true},
        {"coincident nodes moving apart", apart, false},
        {"a corner at no node", {corners[0], corners[1], corners[2]}, false},
    };
    for (const ListCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        CAnimatedFrames frames;
        frames.SetNodes(c.nodes);
        EXPECT_EQ(c.isTaken, frames.AddList(7, batch));
        EXPECT_EQ(c.isTaken ? 1u : 0u, frames.GetListCount());
    }
}
