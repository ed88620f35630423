// Recording device of the list builders: groups by state, outlines or fills by render mode,
// shared edges once.
#include "render/ListBatch.h"

#include "render/Facet.h"

#include <gtest/gtest.h>

namespace
{
const CPoint3D kA(0, 0, 0);
const CPoint3D kB(1, 0, 0);
const CPoint3D kC(1, 1, 0);
const CPoint3D kD(0, 1, 0);
const CPoint3D kE(2, 0, 0);
const CPoint3D kF(2, 1, 0);
const CPoint3D kUp(0, 0, 1);
} // namespace

TEST(ListBatch, FacesOfOneColourShareAGroup)
{
    CListBatch batch;
    batch.Reset(false);
    batch.SetColor(CColorRGBA(1, 0, 0, 0));
    batch.SetRenderMode(kRenderLit);
    batch.DrawQuadWithNormal(kA, kB, kC, kD, kUp, 0);
    batch.SetColor(CColorRGBA(0, 1, 0, 0));
    batch.SetRenderMode(kRenderLit);
    batch.DrawTriangleWithNormal(kB, kE, kF, kUp, 0);
    batch.SetColor(CColorRGBA(1, 0, 0, 0)); // back to the first state
    batch.SetRenderMode(kRenderLit);
    batch.DrawQuadWithNormal(kB, kE, kF, kC, kUp, 0);
    EXPECT_EQ(2u, batch.GetGroupCount());
    EXPECT_EQ(2u, batch.GetQuadCount());
    EXPECT_EQ(1u, batch.GetTriangleCount());
    EXPECT_EQ(0u, batch.GetLineCount());
}

TEST(ListBatch, LineModeOutlinesPolygonsAndDrawsSharedEdgesOnce)
{
    CListBatch batch;
    batch.Reset(false);
    batch.SetColor(CColorRGBA(1, 1, 1, 0));
    batch.SetRenderMode(kRenderLines);
    batch.DrawQuadWithNormal(kA, kB, kC, kD, kUp, 0);
    batch.DrawQuadWithNormal(kB, kE, kF, kC, kUp, 0); // shares B-C, drawn the other way round
    EXPECT_EQ(0u, batch.GetQuadCount());
    EXPECT_EQ(7u, batch.GetLineCount());

    // The same edge in another colour is another group's line.
    batch.SetColor(CColorRGBA(1, 0, 0, 0));
    batch.DrawLine(kC, kB, 0);
    EXPECT_EQ(8u, batch.GetLineCount());
}

TEST(ListBatch, PolygonsWithoutAModeFollowTheListKind)
{
    CListBatch edges;
    edges.Reset(true); // an edge list: the draw pass sets a line mode before calling it
    edges.DrawQuadWithNormal(kA, kB, kC, kD, kUp, 0);
    EXPECT_EQ(4u, edges.GetLineCount());
    EXPECT_EQ(1u, edges.GetGroupCount());

    CListBatch faces;
    faces.Reset(false);
    faces.DrawQuadWithNormal(kA, kB, kC, kD, kUp, 0);
    faces.SetRenderMode(kRenderFill);
    faces.DrawQuadWithNormal(kA, kB, kC, kD, kUp, 0);
    EXPECT_EQ(2u, faces.GetQuadCount());
    EXPECT_EQ(2u, faces.GetGroupCount());
}

TEST(ListBatch, FansCurvesAndPoints)
{
    CListBatch batch;
    batch.Reset(false);
    CPoint3DArray ring;
    for (const CPoint3D& p : {kA, kB, kC, kD})
        ring.Add(p);
    batch.DrawFan(&ring, CPoint3D(0.5, 0.5, 0), TRUE, 0);
    EXPECT_EQ(4u, batch.GetTriangleCount());
    batch.DrawFan(&ring, CPoint3D(), FALSE, 0); // an open strip through the ring
    EXPECT_EQ(3u, batch.GetLineCount());
    batch.DrawShrunkLine(0.5, kA, kE, 0);
    EXPECT_EQ(4u, batch.GetLineCount());
    batch.DrawPoint(kA, 0);
    batch.DrawPoint(kA, 0); // points are not merged
    EXPECT_EQ(2u, batch.GetPointCount());
    batch.Reset(false);
    EXPECT_TRUE(batch.IsEmpty());
    EXPECT_EQ(0u, batch.GetGroupCount());
}

TEST(ListBatch, FacetsAreFansOfTrianglesOrOutlines)
{
    CListBatch batch;
    batch.Reset(false);
    CFacet pentagon;
    for (const CPoint3D& p : {kA, kB, kE, kF, kD})
        pentagon.AddVertex(new CPoint3D(p), 0);
    batch.SetRenderMode(kRenderFill);
    batch.DrawFacet(&pentagon, 0);
    EXPECT_EQ(3u, batch.GetTriangleCount());
    batch.SetRenderMode(kRenderLines);
    batch.DrawFacet(&pentagon, 0);
    EXPECT_EQ(5u, batch.GetLineCount());
    CFacet line;
    line.AddVertex(new CPoint3D(kA), 0);
    line.AddVertex(new CPoint3D(kB), 0);
    batch.DrawFacet(&line, 0); // two points make no facet
    EXPECT_EQ(5u, batch.GetLineCount());
}
