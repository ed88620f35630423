// Recording device of the list builders: groups by state, outlines or fills by render mode,
// shared edges once.
#include "render/ListBatch.h"

#include "GLTestWindow.h"
#include "core/geometry/EntitySet.h"
#include "render/Facet.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

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

namespace
{
// Node n at (n, n * n, 0): every id has its own point.
class ParabolaNodes : public CEntitySet
{
public:
    CPoint3D GetNodePoint(int id) const override { return CPoint3D(id, id * id, 0); }
};
} // namespace

TEST(ListBatch, EdgesByNodeIdsAreKeptOnceAcrossFacesAndBatches)
{
    const ParabolaNodes nodes;
    const int left[4] = {1, 2, 5, 4};
    const int right[4] = {5, 2, 3, 6}; // shares 2-5 with left, the other way round
    const int triangle[3] = {3, 7, 6}; // shares 3-6 with right

    CListBatch faces;
    faces.Reset(false);
    faces.SetRenderMode(kRenderLit);
    EXPECT_FALSE(faces.AddNodeOutline(left, 4, &nodes)); // a filling batch takes no edges
    EXPECT_TRUE(faces.IsEmpty());

    CListBatch first;
    first.Reset(true);
    first.SetColor(CColorRGBA(1, 1, 1, 0));
    ASSERT_TRUE(first.AddNodeOutline(left, 4, &nodes));
    ASSERT_TRUE(first.AddNodeOutline(right, 4, &nodes));
    CListBatch second;
    second.Reset(true);
    second.SetColor(CColorRGBA(1, 1, 1, 0));
    ASSERT_TRUE(second.AddNodeOutline(triangle, 3, &nodes));
    second.AddNodeOutline(right, 4, &nodes); // drawn by both runs
    second.SetColor(CColorRGBA(1, 0, 0, 0));
    second.AddNodeOutline(left, 4, &nodes); // another colour: its own lines

    first.TakeNodeEdges(second);
    second.ResolveNodeEdges();
    EXPECT_EQ(0u, second.GetLineCount());
    first.ResolveNodeEdges();
    EXPECT_EQ(2u, first.GetGroupCount());
    EXPECT_EQ(7u + 2u + 4u, first.GetLineCount());

    // The segments end at the nodes' points: a float segment between two of them is known.
    first.SetColor(CColorRGBA(1, 1, 1, 0));
    first.DrawLine(nodes.GetNodePoint(5), nodes.GetNodePoint(2), 0);
    first.DrawLine(nodes.GetNodePoint(1), nodes.GetNodePoint(3), 0);
    EXPECT_EQ(7u + 2u + 4u + 1u, first.GetLineCount());
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

namespace
{
using render_test::GLTest;
using render_test::GLTestWindow;

class ListBatchGL : public GLTest
{
protected:
    // The whole window, RGB, read from the back buffer.
    static std::vector<unsigned char> ReadWindow()
    {
        std::vector<unsigned char> rgb(static_cast<size_t>(render_test::kSize) *
                                       render_test::kSize * 3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, render_test::kSize, render_test::kSize, GL_RGB, GL_UNSIGNED_BYTE,
                     rgb.data());
        return rgb;
    }
    // The list drawn alone on black.
    std::vector<unsigned char> Show(UINT list)
    {
        const CViewVolume volume = GLTestWindow::SquareVolume();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Device().BeginScene(&volume);
        Device().CallList(list);
        Device().EndScene();
        return ReadWindow();
    }
    // Compiles what record draws into the list through a batch, streamed or replayed whole;
    // returns the faces the batch held at the end of the recording.
    template <class Record>
    size_t Compile(UINT list, bool streams, Record record)
    {
        CListBatch batch;
        Device().BeginList(list);
        batch.Reset(false);
        if (streams)
            batch.StreamFacesTo(&Device());
        record(batch);
        const size_t held = batch.GetQuadCount() + batch.GetTriangleCount();
        batch.ReplayAndReset(&Device());
        Device().EndList();
        return held;
    }
};
} // namespace

// A rough contour's band facets go into the list as they come: what it shows is what the
// replay of the whole recording shows, and the batch never holds them all.
TEST_F(ListBatchGL, StreamedFacetsShowWhatTheReplayShows)
{
    // 600 x 600 cells over the window in three colours, each cell a pentagon (three
    // triangles) or a quad: far more than one piece of each group.
    constexpr int kCells = 600;
    const CColorRGBA colours[3] = {CColorRGBA(1, 0, 0, 0), CColorRGBA(0, 1, 0, 0),
                                   CColorRGBA(0, 0, 1, 0)};
    auto record = [&](CListBatch& batch)
    {
        batch.SetRenderMode(kRenderFill);
        const double step = 200.0 / kCells;
        for (int j = 0; j < kCells; ++j)
        {
            for (int i = 0; i < kCells; ++i)
            {
                const double x = -100 + i * step;
                const double y = -100 + j * step;
                CFacet cell;
                for (const CPoint3D& p :
                     {CPoint3D(x, y, 0), CPoint3D(x + step, y, 0),
                      CPoint3D(x + step, y + step / 2, 0), CPoint3D(x + step, y + step, 0),
                      CPoint3D(x, y + step, 0)})
                    cell.AddVertex(new CPoint3D(p), 0);
                batch.SetColor(colours[(i + 2 * j) % 3]);
                if (i % 2 == 0)
                    batch.DrawFacet(&cell, 0);
                else
                    batch.DrawQuadWithNormal(*cell.m_vertices[0], *cell.m_vertices[1],
                                             *cell.m_vertices[3], *cell.m_vertices[4],
                                             CPoint3D(0, 0, 1), 0);
            }
        }
    };
    constexpr UINT kReplayed = 901;
    constexpr UINT kStreamed = 902;
    const size_t allFaces = Compile(kReplayed, false, record);
    const size_t heldFaces = Compile(kStreamed, true, record);
    EXPECT_EQ(2u * kCells * kCells, allFaces); // 3 triangles, 1 quad a pair of cells
    EXPECT_LT(heldFaces, allFaces / 2);
    const std::vector<unsigned char> replayed = Show(kReplayed);
    EXPECT_EQ(replayed, Show(kStreamed));
    // Every pixel is one of the three colours: no gap between the facets.
    size_t black = 0;
    for (size_t k = 0; k < replayed.size(); k += 3)
        black += replayed[k] == 0 && replayed[k + 1] == 0 && replayed[k + 2] == 0;
    EXPECT_EQ(0u, black);
    Device().DeleteList(kReplayed);
    Device().DeleteList(kStreamed);
}

namespace
{
// Node j * 1000 + i + 1 of a grid of 300 x 300 squares over the square volume.
class GridNodes : public CEntitySet
{
public:
    static constexpr int kCells = 300;
    static int Id(int i, int j) { return j * 1000 + i + 1; }
    CPoint3D GetNodePoint(int id) const override
    {
        const double step = 200.0 / kCells;
        return CPoint3D(-100 + ((id - 1) % 1000) * step, -100 + ((id - 1) / 1000) * step, 0);
    }
};
} // namespace

// A list compiled on another thread takes the batch in pieces, its edges by node ids resolved a
// piece at a time: the pieces show what the whole replay shows, a colour's edges drawn before
// the next colour's where both draw the same edge.
TEST_F(ListBatchGL, PiecesHandedOverShowWhatTheReplayShows)
{
    const GridNodes nodes;
    // Red columns 0 to 219 and green 150 to 299, overlapping; a point at every node of each.
    auto record = [&](CListBatch& batch)
    {
        batch.Reset(true);
        const struct
        {
            CColorRGBA colour;
            int first, end;
        } strips[] = {{CColorRGBA(1, 0, 0, 0), 0, 220}, {CColorRGBA(0, 1, 0, 0), 150, 300}};
        for (const auto& strip : strips)
        {
            batch.SetColor(strip.colour);
            batch.SetRenderMode(kRenderLines);
            for (int j = 0; j < GridNodes::kCells; ++j)
            {
                for (int i = strip.first; i < strip.end; ++i)
                {
                    const int ids[4] = {GridNodes::Id(i, j), GridNodes::Id(i + 1, j),
                                        GridNodes::Id(i + 1, j + 1), GridNodes::Id(i, j + 1)};
                    ASSERT_TRUE(batch.AddNodeOutline(ids, 4, &nodes));
                    batch.DrawPoint(nodes.GetNodePoint(ids[2]), 0);
                }
            }
        }
    };
    constexpr UINT kReplayed = 903;
    constexpr UINT kPieces = 904;
    CListBatch whole;
    record(whole);
    Device().BeginList(kReplayed);
    whole.ReplayAndReset(&Device());
    Device().EndList();

    CListBatch split;
    record(split);
    std::vector<std::unique_ptr<CListBatch>> pieces;
    split.HandOverInPieces([&](std::unique_ptr<CListBatch> piece)
                           { pieces.push_back(std::move(piece)); });
    EXPECT_TRUE(split.IsEmpty());
    size_t lines = 0;
    size_t points = 0;
    Device().BeginList(kPieces);
    for (const std::unique_ptr<CListBatch>& piece : pieces)
    {
        lines += piece->GetLineCount();
        points += piece->GetPointCount();
        piece->ReplayAndReset(&Device());
    }
    Device().EndList();
    // The red edges alone come in two pieces.
    EXPECT_GT(pieces.size(), 4u);
    EXPECT_EQ(2u * 220 * 300 + 220 + 300 + 2u * 150 * 300 + 150 + 300, lines);
    EXPECT_EQ(300u * (220 + 150), points);

    const std::vector<unsigned char> replayed = Show(kReplayed);
    EXPECT_EQ(replayed, Show(kPieces));
    // Where both colours draw, the red drawn first shows.
    const size_t middle = (static_cast<size_t>(render_test::kSize / 2) * render_test::kSize +
                           render_test::kSize * 185 / 300) *
                          3;
    EXPECT_EQ(255, replayed[middle]);
    EXPECT_EQ(0, replayed[middle + 1]);
    Device().DeleteList(kReplayed);
    Device().DeleteList(kPieces);
}
