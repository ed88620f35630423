// Renderer: model lists and the draw pass, checked by the pixels of the back buffer.
#include "FakeSceneView.h"
#include "core/model/FEElement.h"
#include "render/ListCompiler.h"
#include "render/SelectionNames.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/support/FailingThreadStarts.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

using render_test::AddUnitQuad;
using render_test::kSize;
using render_test::ReadFrame;
using render_test::ReadPixel;
using render_test::SceneTest;
using render_test::SetShellMaterial;

namespace
{
using Rgb = std::array<int, 3>;
constexpr Rgb kBlack = {0, 0, 0};
constexpr COLORREF kQuadColor = RGB(200, 0, 0);

// Pixels of window row y with exactly the colour.
int CountInRow(int y, const Rgb& colour)
{
    int count = 0;
    for (int x = 0; x < kSize; ++x)
        count += ReadPixel(x, y) == colour ? 1 : 0;
    return count;
}

// Pixels of the whole window that are not the colour.
int CountNot(const Rgb& colour)
{
    return render_test::CountPixelsDiffering(0, 0, kSize, kSize, colour);
}
} // namespace

TEST_F(SceneTest, ShadedShellShowsItsPropertyColourAtTheCentre)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    Renderer().RenderAll();
    EXPECT_EQ(0, View().m_waitCursors);
    View().Draw();
    const Rgb centre = ReadPixel(kSize / 2, kSize / 2);
    EXPECT_GE(centre[0], 200);
    EXPECT_LT(centre[1], 30);
    EXPECT_LT(centre[2], 30);
}

TEST_F(SceneTest, WireframeLeavesTheCentreEmptyAndDrawsTheEdges)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    View().EditScene().SetDisplayMode(kWireframe);
    Renderer().RenderAll();
    View().Draw();
    EXPECT_EQ(kBlack, ReadPixel(kSize / 2, kSize / 2));
    // Colour by property: the edge list carries the element's colour.
    EXPECT_EQ(2, CountInRow(kSize / 2, Rgb{200, 0, 0}));

    // By element type the list has no colour: the shell colour of the settings applies.
    View().EditScene().SetColorMode(kColorByElementType);
    Renderer().RenderAll();
    View().Draw();
    EXPECT_EQ(2, CountInRow(kSize / 2, Rgb{0, 255, 0}));
}

TEST_F(SceneTest, ElementTypeColoursShadeWithTheShellMaterial)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    View().EditScene().SetColorMode(kColorByElementType);
    Renderer().RenderAll();
    View().Draw();
    const Rgb centre = ReadPixel(kSize / 2, kSize / 2);
    EXPECT_LT(centre[0], 30);
    EXPECT_GE(centre[2], 200);
}

TEST_F(SceneTest, ShellBackFacesTakeTheSecondFaceOfTheMaterial)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    View().EditScene().SetColorMode(kColorByElementType);
    View().m_settings.m_sameOnBothSide = 0;
    SetShellMaterial(View().m_settings, RGB(200, 0, 0), RGB(0, 0, 200));
    Renderer().RenderAll();
    View().Draw();
    const Rgb front = ReadPixel(kSize / 2, kSize / 2);
    EXPECT_GE(front[0], 200);
    EXPECT_LT(front[2], 30);

    // Turned round: the back of the quad faces the viewer.
    View().Camera(0).SetRotationAngles(CPoint3D(0, 180, 0));
    View().Draw();
    const Rgb back = ReadPixel(kSize / 2, kSize / 2);
    EXPECT_LT(back[0], 30);
    EXPECT_GE(back[2], 200);
}

TEST_F(SceneTest, ShrinkLeavesTheCornersEmpty)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    View().EditScene().SetShrunk(1);
    View().EditScene().SetShrinkFactor(0.5);
    Renderer().RenderAll();
    View().Draw();
    EXPECT_EQ(kBlack, ReadPixel(15, 15));
    EXPECT_EQ(kBlack, ReadPixel(kSize - 15, kSize - 15));
    EXPECT_NE(kBlack, ReadPixel(kSize / 2, kSize / 2));
    EXPECT_NE(kBlack, ReadPixel(kSize / 2 + 40, kSize / 2 + 40));
}

TEST_F(SceneTest, ListsFollowTheDisplayedNodePositions)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    View().m_offset = CPoint3D(1.0, 0.0, 0.0); // half the model to the right
    Renderer().RenderAll();
    View().Draw();
    EXPECT_EQ(kBlack, ReadPixel(30, kSize / 2));
    EXPECT_NE(kBlack, ReadPixel(kSize - 30, kSize / 2));
}

TEST_F(SceneTest, DisplayFilterDecidesWhatIsDrawn)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    View().m_settings.m_displayFilter = kKindAll;
    Renderer().RenderAll();
    View().Draw();
    const int drawn = CountNot(kBlack);
    EXPECT_GT(drawn, 10000);

    View().m_settings.m_displayFilter = 0;
    View().Draw();
    EXPECT_EQ(0, CountNot(kBlack));

    View().m_settings.m_displayFilter = kKindAll ^ kKindShell;
    View().Draw();
    EXPECT_LT(CountNot(kBlack), 100); // the four nodes only
    View().m_settings.m_displayFilter ^= kKindShell;
    View().Draw();
    EXPECT_EQ(drawn, CountNot(kBlack));
}

TEST_F(SceneTest, HiddenLineHidesWhatLiesBehindAShell)
{
    // A unit brick below the plane z = -1 and a shell at z = 0 over its left half.
    AddTestNode(m_model, 1, 0, 0, -2);
    AddTestNode(m_model, 2, 1, 0, -2);
    AddTestNode(m_model, 3, 1, 1, -2);
    AddTestNode(m_model, 4, 0, 1, -2);
    AddTestNode(m_model, 5, 0, 0, -1);
    AddTestNode(m_model, 6, 1, 0, -1);
    AddTestNode(m_model, 7, 1, 1, -1);
    AddTestNode(m_model, 8, 0, 1, -1);
    AddTestNode(m_model, 11, -0.5, -0.5, 0);
    AddTestNode(m_model, 12, 0.5, -0.5, 0);
    AddTestNode(m_model, 13, 0.5, 1.5, 0);
    AddTestNode(m_model, 14, -0.5, 1.5, 0);
    AddBrick(m_model, 1, {1, 2, 3, 4, 5, 6, 7, 8});
    AddQuad(m_model, 2, 11, 12, 13, 14);
    m_model.BuildElementFaces();
    View().Show(&m_model);
    View().EditScene().SetColorMode(kColorByElementType);
    const CPoint3D left = View().Device().ProjectToWindow(CPoint3D(0, 0.5, -1), &View().Camera(0));
    const CPoint3D right = View().Device().ProjectToWindow(CPoint3D(1, 0.5, -1), &View().Camera(0));
    const Rgb edge = {0, 255, 255}; // the solid colour
    const auto hasEdgeNear = [&edge](const CPoint3D& p)
    {
        for (int dx = -1; dx <= 1; ++dx)
        {
            if (ReadPixel(static_cast<int>(p.x) + dx, static_cast<int>(p.y)) == edge)
                return true;
        }
        return false;
    };

    View().EditScene().SetDisplayMode(kWireframe);
    Renderer().RenderAll();
    View().Draw();
    EXPECT_TRUE(hasEdgeNear(left));
    EXPECT_TRUE(hasEdgeNear(right));

    View().EditScene().SetDisplayMode(kHiddenLine);
    Renderer().RenderAll();
    View().Draw();
    EXPECT_FALSE(hasEdgeNear(left));
    EXPECT_TRUE(hasEdgeNear(right));
}

TEST_F(SceneTest, DraggingWithRigidLinesDrawsOnlyTheRidgeLines)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    View().m_settings.m_rigidLineView = 1;
    View().m_isDragging = true;
    Renderer().RenderAll();
    View().Draw();
    EXPECT_EQ(kBlack, ReadPixel(kSize / 2, kSize / 2));
    EXPECT_EQ(2, CountInRow(kSize / 2, Rgb{0, 255, 0})); // the outline, in the shell colour

    View().m_settings.m_rigidLineView = 0; // full detail while dragging
    View().Draw();
    EXPECT_NE(kBlack, ReadPixel(kSize / 2, kSize / 2));
}

TEST_F(SceneTest, AnElementWithoutAColourRecordKeepsOneColour)
{
    AddUnitQuad(m_model, kQuadColor);
    m_model.FindElement(1)->m_propertyId = 7;
    m_model.GetPropertyColors().RemoveKey(7);
    View().Show(&m_model);
    Renderer().RenderAll();
    View().Draw();
    const Rgb first = ReadPixel(kSize / 2, kSize / 2);
    ASSERT_NE(nullptr, m_model.LookupPropertyColor(7));
    Renderer().RenderAll();
    View().Draw();
    EXPECT_EQ(first, ReadPixel(kSize / 2, kSize / 2));
}

TEST_F(SceneTest, NoGroupBuildsNothing)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    Renderer().SetGroup(nullptr);
    Renderer().RenderAll();
    EXPECT_FALSE(glIsList(CAESet::kShellFaceList));
    View().Draw();
    EXPECT_EQ(0, CountNot(kBlack));
}

TEST_F(SceneTest, UndeformedShapeListsAreBuiltOnce)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    Renderer().SetShowModel(1);
    Renderer().RenderAll();
    const UINT undeformed = Renderer().ListName(CAESet::kShellFaceList | CAESet::kUndeformed);
    EXPECT_TRUE(glIsList(undeformed));
    EXPECT_EQ(1, Renderer().AreUndeformedListsBuilt());
    glDeleteLists(undeformed, 1);
    Renderer().RenderAll();
    EXPECT_FALSE(glIsList(undeformed));
}

TEST_F(SceneTest, ResultListsStayWithoutAContourResult)
{
    View().m_pModel = &m_model;
    const UINT vectors = Renderer().ListName(CAESet::kShellVectorList);
    const UINT contours = Renderer().ListName(CAESet::kShellContourList);
    for (const UINT list : {vectors, contours})
    {
        glNewList(list, GL_COMPILE);
        glEndList();
    }
    Renderer().DeleteResultLists();
    EXPECT_TRUE(glIsList(vectors));
    EXPECT_TRUE(glIsList(contours));
    Renderer().SetContourResultId(8);
    Renderer().DeleteResultLists();
    EXPECT_TRUE(glIsList(vectors));
    EXPECT_FALSE(glIsList(contours));
    glDeleteLists(vectors, 1);
}

TEST_F(SceneTest, PickListsNameEachEntity)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    Renderer().RenderAll();
    CDWordArray lists;
    Renderer().GetPickLists(kKindShell | kKindNode, lists);
    ASSERT_EQ(2, lists.GetSize());
    const CPickHitList hits =
        View().Device().Pick(kSize / 2, kSize / 2, lists, &View().Camera(0), 0.01);
    ASSERT_EQ(1, hits.GetSize());
    EXPECT_EQ(m_model.FindElement(1), View().Device().GetSelectionNames().Find(hits.m_names[0]));

    // A rebuild with the element hidden leaves nothing to pick there.
    View().m_hiddenIds = {1};
    View().ShellRidgeEdges().RemoveAll();
    Renderer().RenderAll();
    lists.RemoveAll();
    Renderer().GetPickLists(kKindShell, lists);
    EXPECT_EQ(0,
              View().Device().Pick(kSize / 2, kSize / 2, lists, &View().Camera(0), 0.01).GetSize());
}

// A rebuild left to the next draw deletes the lists at once and compiles them when the view is
// drawn, or when picking needs them first; an explicit rebuild meanwhile ends the wait.
TEST_F(SceneTest, RebuildAtNextDrawWaitsForTheDrawOrThePick)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    Renderer().RenderAll();
    const UINT faces = Renderer().ListName(CAESet::kShellFaceList);
    ASSERT_TRUE(glIsList(faces));

    Renderer().RenderAllAtNextDraw();
    EXPECT_TRUE(Renderer().IsRenderAllPending());
    EXPECT_FALSE(glIsList(faces));
    Renderer().RenderResults(); // part of the rebuild to come
    EXPECT_FALSE(glIsList(faces));
    View().Draw();
    EXPECT_FALSE(Renderer().IsRenderAllPending());
    EXPECT_TRUE(glIsList(faces));
    EXPECT_GE(ReadPixel(kSize / 2, kSize / 2)[0], 200);

    Renderer().RenderAllAtNextDraw();
    CDWordArray lists;
    Renderer().GetPickLists(kKindShell, lists);
    EXPECT_FALSE(Renderer().IsRenderAllPending());
    EXPECT_EQ(1,
              View().Device().Pick(kSize / 2, kSize / 2, lists, &View().Camera(0), 0.01).GetSize());

    Renderer().RenderAllAtNextDraw();
    Renderer().RenderAll();
    EXPECT_FALSE(Renderer().IsRenderAllPending());
    EXPECT_TRUE(glIsList(faces));
}

// The ridge-line modes draw no element edges: a rebuild in them leaves the edge list until a
// mode that draws it is drawn, even one set without a rebuild.
TEST_F(SceneTest, ElementEdgesWaitForAModeThatDrawsThem)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    const UINT edges = Renderer().ListName(CAESet::kShellEdgeList);
    for (const int mode : {kRidgeLine, kRidgeLineShading})
    {
        SCOPED_TRACE(mode);
        glDeleteLists(edges, 1);
        View().EditScene().SetDisplayMode(mode);
        Renderer().RenderAll();
        View().Draw();
        EXPECT_FALSE(glIsList(edges));

        View().EditScene().SetDisplayMode(kWireframe);
        View().Draw();
        EXPECT_TRUE(glIsList(edges));
        EXPECT_EQ(kBlack, ReadPixel(kSize / 2, kSize / 2));
        EXPECT_EQ(2, CountInRow(kSize / 2, Rgb{200, 0, 0}));
    }
    // A mode that draws them builds them with the rest.
    glDeleteLists(edges, 1);
    Renderer().RenderAll();
    EXPECT_TRUE(glIsList(edges));
}

// A rebuild with the nodes filtered out (as a result view starts) leaves their markers until a
// pass shows nodes; the pass that shows them again draws them at the corners.
TEST_F(SceneTest, NodeMarkersWaitForAPassThatShowsThem)
{
    AddUnitQuad(m_model, kQuadColor);
    View().Show(&m_model);
    View().EditScene().SetDisplayMode(kWireframe);
    View().m_settings.m_displayFilter = kKindAll ^ kKindShell;
    Renderer().RenderAll();
    View().Draw();
    const int withNodes = CountNot(kBlack);
    EXPECT_GT(withNodes, 0);
    EXPECT_LT(withNodes, 100);

    const UINT nodes = Renderer().ListName(CAESet::kNodeList);
    View().m_settings.m_displayFilter = kKindAll ^ kKindShell ^ kKindNode;
    Renderer().RenderAll();
    EXPECT_FALSE(glIsList(nodes));
    View().Draw();
    EXPECT_EQ(0, CountNot(kBlack));
    EXPECT_FALSE(glIsList(nodes));

    View().m_settings.m_displayFilter = kKindAll ^ kKindShell;
    View().Draw();
    EXPECT_TRUE(glIsList(nodes));
    EXPECT_EQ(withNodes, CountNot(kBlack));
    // A rebuild while they are shown builds them with the rest.
    Renderer().RenderAllAtNextDraw();
    View().Draw();
    EXPECT_TRUE(glIsList(nodes));
    EXPECT_EQ(withNodes, CountNot(kBlack));
}

namespace
{
// side x side quads from (-1, -1) to (1, 1), in three property strips of their own colours.
void AddPlate(CModelSet& model, int side)
{
    const auto node = [side](int i, int j) { return j * (side + 1) + i + 1; };
    for (int j = 0; j <= side; ++j)
    {
        for (int i = 0; i <= side; ++i)
            AddTestNode(model, node(i, j), -1.0 + 2.0 * i / side, -1.0 + 2.0 * j / side, 0);
    }
    for (int j = 0; j < side; ++j)
    {
        for (int i = 0; i < side; ++i)
        {
            CFEElement* quad = AddQuad(model, j * side + i + 1, node(i, j), node(i + 1, j),
                                       node(i + 1, j + 1), node(i, j + 1));
            quad->m_propertyId = 1 + 3 * i / side;
        }
    }
    model.BuildElementFaces();
    const COLORREF colours[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
    for (int property = 1; property <= 3; ++property)
    {
        if (CPropertyColor* record = model.LookupPropertyColor(property))
            record->color = static_cast<int>(colours[property - 1]);
    }
}
} // namespace

// Face and edge lists of a large model are recorded on several threads a block at a time: the
// picture is the one a single thread records, in every display mode and colour mode, with blocks
// of one element or of many (shrunk faces, whose centres the view gives, stay on one thread).
TEST_F(SceneTest, ListsRecordedOnSeveralThreadsDrawWhatOneThreadDraws)
{
    AddPlate(m_model, 30);
    View().Show(&m_model);
    View().m_settings.m_displayFilter = kKindAll ^ kKindNode;
    struct Case
    {
        int displayMode;
        int colorMode;
        bool isShrunk;
    };
    const Case cases[] = {
        {kShading, kColorByProperty, false},          {kShading, kColorByElementType, false},
        {kRidgeLineShading, kColorByProperty, false}, {kWireframe, kColorByProperty, false},
        {kWireframe, kColorByElementType, false},     {kHiddenLine, kColorByProperty, false},
        {kShading, kColorByMaterial, false},          {kShading, kColorByProperty, true},
        {kWireframe, kColorByProperty, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.displayMode << ", colours " << c.colorMode
                                        << ", shrunk " << c.isShrunk);
        View().EditScene().SetDisplayMode(c.displayMode);
        View().EditScene().SetColorMode(c.colorMode);
        View().EditScene().SetShrunk(c.isShrunk);
        CAESet::SetParallelListElements(SIZE_MAX);
        Renderer().RenderAll();
        View().Draw();
        const std::vector<unsigned char> oneThread = ReadFrame();
        EXPECT_GT(CountNot(kBlack), 1000);
        for (const size_t block : {size_t{1}, size_t{7}, size_t{1000}})
        {
            CAESet::SetParallelListElements(1, block);
            Renderer().RenderAll();
            View().Draw();
            EXPECT_TRUE(oneThread == ReadFrame()) << "blocks of " << block;
        }
    }
    CAESet::SetParallelListElements(CAESet::kDefaultParallelListElements);
    View().EditScene().SetShrunk(false);
}

// Recording threads that the system does not give leave their blocks to the view's thread: with
// 0, 1 and 2 of them started the faces and edges are those one thread records, in every display
// mode, for starts failing for want of threads or of memory.
TEST_F(SceneTest, ListsRecordedWithoutSomeOfTheirThreadsDrawWhatOneThreadDraws)
{
    AddPlate(m_model, 30);
    View().Show(&m_model);
    View().m_settings.m_displayFilter = kKindAll ^ kKindNode;
    View().EditScene().SetColorMode(kColorByProperty);
    for (const int mode : {kShading, kRidgeLineShading, kWireframe, kHiddenLine})
    {
        View().EditScene().SetDisplayMode(mode);
        CAESet::SetParallelListElements(SIZE_MAX);
        Renderer().RenderAll();
        View().Draw();
        const std::vector<unsigned char> oneThread = ReadFrame();
        EXPECT_GT(CountNot(kBlack), 1000);
        CAESet::SetParallelListElements(1, 7);
        for (const bool isBadAlloc : {false, true})
        {
            for (const int started : {0, 1, 2})
            {
                SCOPED_TRACE(testing::Message() << "mode " << mode << ", " << started
                                                << " started, bad_alloc " << isBadAlloc);
                const testing_support::FailingThreadStarts failing(started, isBadAlloc);
                Renderer().RenderAll();
                View().Draw();
                EXPECT_TRUE(oneThread == ReadFrame());
            }
        }
    }
    CAESet::SetParallelListElements(CAESet::kDefaultParallelListElements);
}

// The lists of a large model compile on worker threads whose contexts share the view's lists,
// side by side: the picture, and the colour the view's device is left with, are those of the
// lists compiled on the view's thread, in every display mode, with node markers, a beam and a
// mass among the shells, and with the element edges a ridge-line build leaves for the first
// shaded frame.
TEST_F(SceneTest, ListsCompiledOnWorkerContextsDrawWhatTheViewsThreadCompiles)
{
    AddPlate(m_model, 30);
    AddTestElement(m_model, 901, kTagBeam, 21, {1, 31 * 31}, 2);
    AddTestElement(m_model, 902, kTagMass, 161, {31 * 15 + 16}, 3);
    View().Show(&m_model);
    View().m_settings.m_displayFilter = kKindAll;
    struct Case
    {
        int builtIn; // display mode of the rebuild
        int drawnIn; // display mode of the frame
        int colorMode;
    };
    const Case cases[] = {
        {kShading, kShading, kColorByProperty},
        {kShading, kShading, kColorByElementType},
        {kRidgeLineShading, kRidgeLineShading, kColorByProperty},
        {kWireframe, kWireframe, kColorByMaterial},
        {kHiddenLine, kHiddenLine, kColorByProperty},
        {kRidgeLineShading, kShading, kColorByProperty},
    };
    CAESet::SetParallelListElements(1, 100);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.builtIn << " then " << c.drawnIn
                                        << ", colours " << c.colorMode);
        View().EditScene().SetColorMode(c.colorMode);
        const auto draw = [&](size_t workers)
        {
            CAESet::SetListCompileWorkers(workers);
            View().EditScene().SetDisplayMode(c.builtIn);
            Renderer().RenderAll();
            const CColorRGBA left = View().Device().GetColor();
            View().EditScene().SetDisplayMode(c.drawnIn);
            View().Draw();
            return std::make_pair(ReadFrame(), left);
        };
        const auto viewsThread = draw(0);
        EXPECT_GT(CountNot(kBlack), 1000);
        const auto workers = draw(CListCompiler::kDefaultWorkers);
        EXPECT_TRUE(viewsThread.first == workers.first);
        EXPECT_EQ(viewsThread.second.r, workers.second.r);
        EXPECT_EQ(viewsThread.second.g, workers.second.g);
        EXPECT_EQ(viewsThread.second.b, workers.second.b);
        EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    }
    CAESet::SetParallelListElements(CAESet::kDefaultParallelListElements);
}
