// Renderer: contour lists and result values, checked by the pixels of the back buffer and by
// the values themselves.
#include "ResultSceneView.h"
#include "core/model/FEElement.h"
#include "core/model/ResultId.h"
#include "platform/base/memory.h"
#include "render/ListCompiler.h"
#include "render/RenderLog.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/support/FailingThreadStarts.h"

#include <GL/gl.h>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using render_test::kSize;
using render_test::ReadFrame;
using render_test::ReadPixel;
using render_test::ResultSceneTest;

namespace
{
using Rgb = std::array<int, 3>;

// Ten quads in a row from x = -5 to 5 (elements 1..10), nodal values 10 per unit from 0 at the
// left, element values 5, 15, ... 95.
CResultData* AddStrip(CModelSet& model, UINT resultId)
{
    render_test::AddQuadStrip(model, 1);
    auto* result = new CResultData();
    result->m_id = resultId;
    result->m_loaded = CResultData::kLoaded;
    for (int i = 0; i <= 10; ++i)
    {
        result->SetNodeValue(2 * i + 1, 10.0 * i);
        result->SetNodeValue(2 * i + 2, 10.0 * i);
    }
    for (int i = 0; i < 10; ++i)
        result->SetElementValue(i + 1, 10.0 * i + 5.0);
    model.AddResult(result);
    return result;
}

Rgb ToRgb(const CColorRGBA& c)
{
    return {static_cast<int>(std::lround(c.r * 255)), static_cast<int>(std::lround(c.g * 255)),
            static_cast<int>(std::lround(c.b * 255))};
}

bool IsNear(const Rgb& expected, const Rgb& actual, int tolerance)
{
    for (int i = 0; i < 3; ++i)
    {
        if (std::abs(expected[i] - actual[i]) > tolerance)
            return false;
    }
    return true;
}

// Window x of the centre of strip element i (0..9).
int ElementX(int i)
{
    return kSize / 2 + static_cast<int>((i - 4.5) * kSize / 10.5);
}

constexpr UINT kResultId = MakeLoadCaseKey(1, 0x800000u, 1);
} // namespace

TEST_F(ResultSceneTest, NodalContourRunsFromBlueAtTheLeftToRedAtTheRight)
{
    AddStrip(m_model, kResultId);
    View().Show(&m_model);
    View().EditScene().EditDisplayAttr().SetRange(0.0, 100.0, 0.0, 100.0, 10);
    Renderer().SetContourResultId(static_cast<int>(kResultId));
    Renderer().SetResultComponent(1);
    for (int bandType : {0, 2})
    {
        SCOPED_TRACE(bandType);
        View().EditScene().EditDisplayAttr().m_nBandType = static_cast<unsigned char>(bandType);
        Renderer().RenderAll();
        View().Draw();
        // Smooth shading reaches the end colours only at the ends themselves.
        EXPECT_PRED3(IsNear, (Rgb{0, 0, 255}), ReadPixel(ElementX(0) - 7, kSize / 2), 32);
        EXPECT_PRED3(IsNear, (Rgb{255, 0, 0}), ReadPixel(ElementX(9) + 7, kSize / 2), 32);
    }
}

TEST_F(ResultSceneTest, ElementCategoryFillsEachElementInOneBandColour)
{
    AddStrip(m_model, kResultId);
    View().Show(&m_model);
    CResultDisplayAttr& attr = View().EditScene().EditDisplayAttr();
    attr.SetRange(0.0, 100.0, 0.0, 100.0, 10);
    attr.m_nResultCategory = 0;
    Renderer().SetContourResultId(static_cast<int>(kResultId));
    Renderer().SetResultComponent(1);
    Renderer().RenderAll();
    View().Draw();
    for (int i = 0; i < 10; ++i)
    {
        SCOPED_TRACE(i);
        const Rgb expected = ToRgb(attr.m_bandColors[i]);
        EXPECT_PRED3(IsNear, expected, ReadPixel(ElementX(i) - 3, kSize / 2 - 5), 2);
        EXPECT_PRED3(IsNear, expected, ReadPixel(ElementX(i) + 3, kSize / 2 + 5), 2);
    }

    // An element without a value is left out of the contour, not drawn in the lowest band.
    View().m_background = {255, 255, 255};
    m_model.GetResult(kResultId)->m_elementValueFlags.At(3) = 0;
    Renderer().RenderAll();
    View().Draw();
    EXPECT_EQ((Rgb{255, 255, 255}), ReadPixel(ElementX(2), kSize / 2));
}

TEST_F(ResultSceneTest, MissingContourResultLeavesTheListsAlone)
{
    AddStrip(m_model, kResultId);
    View().Show(&m_model);
    View().EditScene().EditDisplayAttr().SetRange(0.0, 100.0, 0.0, 100.0, 10);
    Renderer().SetContourResultId(static_cast<int>(kResultId));
    Renderer().SetResultComponent(1);
    Renderer().RenderAll();
    // The same names, asked of a result that is no longer there: the shell list stays.
    Renderer().SetContourResultId(static_cast<int>(kResultId + 8));
    Renderer().CreateContourResultDisplayListForShell();
    EXPECT_TRUE(glIsList(Renderer().ListName(CAESet::kShellContourList)));
    View().Draw();
    EXPECT_PRED3(IsNear, (Rgb{255, 0, 0}), ReadPixel(ElementX(9) + 7, kSize / 2), 16);
}

TEST_F(ResultSceneTest, ElementValueOfTheShownComponent)
{
    CResultData result;
    result.SetElementValue(3, 7.5);
    result.SetElementVector(4, CPoint3D(1, 2, 3));
    struct Case
    {
        int component;
        int id;
        double expected; // NaN: no value
    };
    const double none = std::nan("");
    const Case cases[] = {{1, 3, 7.5},  {1, 4, none}, {2, 4, 1.0},  {3, 4, 2.0},  {4, 4, 3.0},
                          {2, 3, none}, {0, 4, none}, {9, 3, none}, {-1, 3, none}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.component << " of " << c.id);
        Renderer().SetResultComponent(c.component);
        const double value = Renderer().GetElementResultValue(&result, c.id);
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(value));
        else
            EXPECT_EQ(c.expected, value);
    }
}

TEST_F(ResultSceneTest, AnimatedValueScalesWithinTheDataRange)
{
    AddStrip(m_model, kResultId);
    View().Show(&m_model);
    Renderer().SetContourResultId(static_cast<int>(kResultId));
    struct Case
    {
        double min;
        double max;
        double factor;
        double value;
        double expected;
    };
    const Case cases[] = {
        {0, 10, 0.5, 8, 4}, // within the range: scaled
        {2, 10, 0.5, 0, 0}, // 1 is below the range: the value stays
        {0, 10, 1.0, 12, 12},
        {0, 10, 0.0, 6, 0},
    };
    for (const Case& c : cases)
    {
        View().EditScene().EditDisplayAttr().SetRange(c.min, c.max, c.min, c.max, 10);
        Renderer().SetResultFactor(c.factor);
        EXPECT_EQ(c.expected, Renderer().GetAnimatedValue(c.value));
    }
    EXPECT_TRUE(std::isnan(Renderer().GetAnimatedValue(std::nan(""))));
}

TEST_F(ResultSceneTest, BandsInEffectFollowTheResultShown)
{
    AddStrip(m_model, kResultId);
    View().Show(&m_model);
    CResultDisplayAttr bands;
    bands.SetRange(1.0, 2.0, 1.0, 2.0, 5);
    EXPECT_EQ(nullptr, Renderer().FindDisplayAttr());
    EXPECT_EQ(-1, Renderer().CopyDisplayAttr(bands)); // nothing shown: nothing changes
    EXPECT_EQ(1.0, Renderer().GetDisplayAttr().m_dataMax);

    Renderer().SetContourResultId(static_cast<int>(kResultId));
    EXPECT_EQ(1, Renderer().CopyDisplayAttr(bands));
    EXPECT_EQ(5, View().Scene().DisplayAttr().m_nBands);

    // A vector result's bands are those of its plot entry, filed under its load case 1.
    Renderer().SetContourResultId(-1);
    Renderer().SetVectorResultId(static_cast<int>(kResultId));
    EXPECT_EQ(-1, Renderer().VectorPlotKey(static_cast<int>(kResultId))); // no load cases yet
    m_model.AddLoadCaseValueById(kResultId, 1.0);
    EXPECT_EQ(static_cast<int>(kResultId), Renderer().VectorPlotKey(static_cast<int>(kResultId)));
    EXPECT_EQ(-1, Renderer().CopyDisplayAttr(bands));
    View().EditScene().EditVectorPlots().FindOrAdd(static_cast<int>(kResultId));
    bands.m_nBands = 7;
    EXPECT_EQ(1, Renderer().CopyDisplayAttr(bands));
    EXPECT_EQ(7, Renderer().GetDisplayAttr().m_nBands);
    EXPECT_EQ(5, View().Scene().DisplayAttr().m_nBands);
}

TEST_F(ResultSceneTest, ElementNodeValuesColourOnlyTheElementsThatHaveThem)
{
    AddStrip(m_model, kResultId);
    auto* corners = new CResultData();
    corners->m_id = kResultId + 8; // load case 2 of the same result
    corners->m_flags = CResultData::kFlagElementNodes;
    for (int element = 1; element <= 5; ++element)
    {
        CComponentSet& set = corners->GetOrCreateComponentSet(element, 4);
        const CFEElement* quad = m_model.FindElement(element);
        for (int i = 0; i < 4; ++i)
        {
            set.nodeIds[static_cast<size_t>(i)] = quad->m_ids[i];
            set.values[static_cast<size_t>(i)] = 50.0;
        }
    }
    m_model.AddResult(corners);
    View().Show(&m_model);
    View().m_background = {255, 255, 255};
    View().EditScene().EditDisplayAttr().SetRange(0.0, 100.0, 0.0, 100.0, 10);
    View().EditScene().EditDisplayAttr().m_nBandType = 0;
    Renderer().SetContourResultId(static_cast<int>(kResultId + 8));
    Renderer().SetResultComponent(9); // the scalar of the element block
    Renderer().RenderAll();
    View().Draw();
    EXPECT_NE((Rgb{255, 255, 255}), ReadPixel(ElementX(1), kSize / 2));
    EXPECT_EQ((Rgb{255, 255, 255}), ReadPixel(ElementX(7), kSize / 2));
}

namespace
{
// side x side quads from (-5, -5) to (5, 5) with a rough nodal field (values 0 to 96 that jump
// from node to node), and one quad far off whose node has an id no dense table holds.
void AddRoughPlate(CModelSet& model, UINT resultId, int side)
{
    const auto node = [side](int i, int j) { return j * (side + 1) + i + 1; };
    auto* result = new CResultData();
    result->m_id = resultId;
    result->m_loaded = CResultData::kLoaded;
    for (int j = 0; j <= side; ++j)
    {
        for (int i = 0; i <= side; ++i)
        {
            AddTestNode(model, node(i, j), -5.0 + 10.0 * i / side, -5.0 + 10.0 * j / side, 0);
            result->SetNodeValue(node(i, j), (node(i, j) * 37) % 97);
        }
    }
    for (int j = 0; j < side; ++j)
    {
        for (int i = 0; i < side; ++i)
            AddQuad(model, j * side + i + 1, node(i, j), node(i + 1, j), node(i + 1, j + 1),
                    node(i, j + 1));
    }
    model.BuildElementFaces();
    model.AddResult(result);
}
} // namespace

// Band contours of a large model are cut on several threads, a block at a time: the picture is
// the one a single thread cuts, with blocks of one element or of many, shrunk too, and with
// elements whose values only the view answers.
TEST_F(ResultSceneTest, BandsCutOnSeveralThreadsDrawWhatOneThreadDraws)
{
    AddRoughPlate(m_model, kResultId, 20);
    View().Show(&m_model);
    View().EditScene().EditDisplayAttr().SetRange(0.0, 100.0, 0.0, 100.0, 12);
    View().EditScene().EditDisplayAttr().m_nBandType = 0; // flat bands
    Renderer().SetContourResultId(static_cast<int>(kResultId));
    Renderer().SetResultComponent(1);
    const auto draw = [this](size_t fromElements, size_t block)
    {
        CAESet::SetParallelContourElements(fromElements, block);
        Renderer().RenderAll();
        View().Draw();
        return ReadFrame();
    };
    for (const bool isShrunk : {false, true})
    {
        SCOPED_TRACE(isShrunk);
        View().EditScene().SetShrunk(isShrunk);
        const std::vector<unsigned char> oneThread = draw(SIZE_MAX, 1);
        EXPECT_GT(render_test::CountPixelsDiffering(0, 0, kSize, kSize, {0, 0, 0}), 10000);
        EXPECT_TRUE(oneThread == draw(1, 1));
        EXPECT_TRUE(oneThread == draw(1, 7));
        EXPECT_TRUE(oneThread == draw(1, 1000));
    }
    View().EditScene().SetShrunk(false);

    // A node id far beyond the others: no value table, every value is asked of the view.
    AddTestNode(m_model, 50000000, 5.0, 6.0, 0);
    AddQuad(m_model, 1000, 441, 50000000, 440, 420);
    m_model.BuildElementFaces();
    m_model.GetResult(kResultId)->SetNodeValue(50000000, 50.0);
    View().Show(&m_model);
    const std::vector<unsigned char> oneThread = draw(SIZE_MAX, 1);
    EXPECT_TRUE(oneThread == draw(1, 3));
    CAESet::SetParallelContourElements(CAESet::kDefaultParallelContourElements);
}

// Cutting threads that the system does not give leave their blocks to the view's thread: with
// 0, 1 and 2 of them started the bands are those one thread cuts.
TEST_F(ResultSceneTest, BandsCutWithoutSomeOfTheirThreadsDrawWhatOneThreadDraws)
{
    AddRoughPlate(m_model, kResultId, 20);
    View().Show(&m_model);
    View().EditScene().EditDisplayAttr().SetRange(0.0, 100.0, 0.0, 100.0, 12);
    View().EditScene().EditDisplayAttr().m_nBandType = 0; // flat bands
    Renderer().SetContourResultId(static_cast<int>(kResultId));
    Renderer().SetResultComponent(1);
    CAESet::SetParallelContourElements(SIZE_MAX);
    Renderer().RenderAll();
    View().Draw();
    const std::vector<unsigned char> oneThread = ReadFrame();
    EXPECT_GT(render_test::CountPixelsDiffering(0, 0, kSize, kSize, {0, 0, 0}), 10000);
    CAESet::SetParallelContourElements(1, 7);
    for (const bool isBadAlloc : {false, true})
    {
        for (const int started : {0, 1, 2})
        {
            SCOPED_TRACE(testing::Message() << started << " started, bad_alloc " << isBadAlloc);
            const testing_support::FailingThreadStarts failing(started, isBadAlloc);
            Renderer().RenderAll();
            View().Draw();
            EXPECT_TRUE(oneThread == ReadFrame());
        }
    }
    CAESet::SetParallelContourElements(CAESet::kDefaultParallelContourElements);
}

// The lists of a large model compile on worker contexts while the contour lists are cut and
// compiled beside them: the picture is the one of every list compiled on the view's thread,
// for bands of nodal values (streamed into their list on the view's thread) and for element
// colours (recorded, then compiled on a worker).
TEST_F(ResultSceneTest, ContoursBesideListsCompiledOnWorkersDrawWhatTheViewsThreadDraws)
{
    AddRoughPlate(m_model, kResultId, 20);
    for (int id = 1; id <= 400; ++id)
        m_model.GetResult(kResultId)->SetElementValue(id, (id * 13) % 100);
    View().Show(&m_model);
    CResultDisplayAttr& attr = View().EditScene().EditDisplayAttr();
    attr.SetRange(0.0, 100.0, 0.0, 100.0, 12);
    attr.m_nBandType = 0; // flat bands
    Renderer().SetContourResultId(static_cast<int>(kResultId));
    Renderer().SetResultComponent(1);
    CAESet::SetParallelListElements(1, 50);
    CAESet::SetParallelContourElements(1, 50);
    const auto draw = [this](size_t workers)
    {
        CAESet::SetListCompileWorkers(workers);
        Renderer().RenderAll();
        View().Draw();
        return ReadFrame();
    };
    for (const int category : {attr.m_nResultCategory, 0})
    {
        SCOPED_TRACE(testing::Message() << "category " << category);
        attr.m_nResultCategory = category;
        const std::vector<unsigned char> viewsThread = draw(0);
        EXPECT_GT(render_test::CountPixelsDiffering(0, 0, kSize, kSize, {0, 0, 0}), 10000);
        EXPECT_TRUE(viewsThread == draw(CListCompiler::kDefaultWorkers));
    }
    CAESet::SetParallelListElements(CAESet::kDefaultParallelListElements);
    CAESet::SetParallelContourElements(CAESet::kDefaultParallelContourElements);
}

namespace
{
// Calls to the headroom probe before it says memory ran out.
int g_headroomCalls = 0;
bool RunsOutAfterSomeCalls(size_t)
{
    return --g_headroomCalls >= 0;
}

// Node values of a side x side plate rising from 0 on its first row of nodes to 100 on its last.
void SetRowValues(CResultData& result, int side)
{
    for (int j = 0; j <= side; ++j)
    {
        for (int i = 0; i <= side; ++i)
            result.SetNodeValue(j * (side + 1) + i + 1, 100.0 * j / side);
    }
}

// The pixels of a picture cut short: those of the whole contour, those left as without it, and
// those that are neither.
struct CutPixels
{
    size_t contour = 0;
    size_t left = 0;
    size_t wrong = 0;
};
CutPixels CountCutPixels(const std::vector<unsigned char>& part,
                         const std::vector<unsigned char>& whole,
                         const std::vector<unsigned char>& without)
{
    CutPixels count;
    for (size_t i = 0; i + 3 < part.size(); i += 4)
    {
        const bool isWhole = std::equal(&part[i], &part[i + 3], &whole[i]);
        const bool isWithout = std::equal(&part[i], &part[i + 3], &without[i]);
        count.contour += isWhole && !isWithout ? 1 : 0;
        count.left += isWithout && !isWhole ? 1 : 0;
        count.wrong += !isWhole && !isWithout ? 1 : 0;
    }
    return count;
}
} // namespace

// Memory that runs out while the bands of a large model go into their list leaves the blocks
// not yet taken out of the picture, says so, and draws the blocks taken with their own values:
// every pixel is the one of the whole contour or the one of no contour at all. Values rise
// from row to row, as the 4,000,000-quad plate's displacements do, and a block is a row.
TEST_F(ResultSceneTest, BandsCutShortOfMemoryDrawTheRowsTakenInTheirOwnColours)
{
    constexpr int kSide = 40;
    AddRoughPlate(m_model, kResultId, kSide);
    CResultData* result = m_model.GetResult(kResultId);
    SetRowValues(*result, kSide);
    View().m_background = {255, 255, 255};
    View().Show(&m_model);
    View().EditScene().EditDisplayAttr().SetRange(0.0, 100.0, 0.0, 100.0, 12);
    View().EditScene().EditDisplayAttr().m_nBandType = 0; // flat bands
    Renderer().SetResultComponent(1);
    CAESet::SetParallelContourElements(1, kSide);
    Renderer().SetContourResultId(-1);
    Renderer().RenderAll();
    View().Draw();
    const std::vector<unsigned char> none = ReadFrame();
    Renderer().SetContourResultId(static_cast<int>(kResultId));
    Renderer().RenderAll();
    View().Draw();
    const std::vector<unsigned char> whole = ReadFrame();
    render_log::TakeMemoryShortage();
    for (const int taken : {0, 1, 10, 25})
    {
        SCOPED_TRACE(testing::Message() << taken << " rows taken");
        g_headroomCalls = taken;
        fw::SetHeadroomProbe(&RunsOutAfterSomeCalls);
        Renderer().CreateDisplayListForContourResult();
        fw::SetHeadroomProbe(nullptr);
        EXPECT_TRUE(render_log::TakeMemoryShortage());
        View().Draw();
        const std::vector<unsigned char> part = ReadFrame();
        ASSERT_EQ(whole.size(), part.size());
        const auto [contour, left, wrong] = CountCutPixels(part, whole, none);
        EXPECT_EQ(0u, wrong);
        EXPECT_GT(left, 1000u);
        if (taken > 0)
            EXPECT_GT(contour, 100u * static_cast<size_t>(taken));
        else
            EXPECT_EQ(0u, contour);
    }
    CAESet::SetParallelContourElements(CAESet::kDefaultParallelContourElements);
}

namespace
{
// Refuses the headroom asked while the list of that name is being compiled on the asking thread
// (the cutting's takes on the view's thread, a worker's replays) once the grants are spent.
GLint g_refusedList = 0;
std::atomic<int> g_grantsLeft{0};
bool RunsOutInTheRefusedList(size_t)
{
    GLint compiling = 0;
    glGetIntegerv(GL_LIST_INDEX, &compiling);
    return compiling != g_refusedList || --g_grantsLeft >= 0;
}
} // namespace

// Memory that runs out while the contour list is compiled, its model lists compiled whole beside
// it: the rows the contour did not take are left out in every display mode, not filled with the
// model's faces (which, lit in the property's colour, read as a band). Every pixel is the one of
// the whole contour or the one of the mode with neither faces nor contour. For bands of nodal
// values (cut a row a block here) and for element colours (compiled on a worker a band at a
// time).
TEST_F(ResultSceneTest, ContourCutShortOfMemoryLeavesItsRowsOutInEveryDisplayMode)
{
    constexpr int kSide = 20;
    AddRoughPlate(m_model, kResultId, kSide);
    CResultData* result = m_model.GetResult(kResultId);
    SetRowValues(*result, kSide);
    for (int id = 1; id <= kSide * kSide; ++id)
        result->SetElementValue(id, 100.0 * ((id - 1) / kSide) / kSide);
    // Without a value in the top row: left out of the element colours, its face shows.
    result->m_elementValueFlags.At(kSide * kSide - kSide / 2) = 0;
    View().m_background = {255, 255, 255};
    View().Show(&m_model);
    CResultDisplayAttr& attr = View().EditScene().EditDisplayAttr();
    attr.SetRange(0.0, 100.0, 0.0, 100.0, 12);
    attr.m_nBandType = 0; // flat bands
    Renderer().SetResultComponent(1);
    Renderer().SetContourResultId(static_cast<int>(kResultId));
    CAESet::SetParallelListElements(1, kSide);
    CAESet::SetParallelContourElements(1, kSide);
    CAESet::SetListCompileWorkers(CListCompiler::kDefaultWorkers);
    const auto drawShadedElementColours = [&]
    {
        attr.m_nResultCategory = 0;
        View().EditScene().SetDisplayMode(kShading);
        Renderer().RenderAll();
        View().Draw();
        return ReadFrame();
    };
    const std::vector<unsigned char> unhurt = drawShadedElementColours();
    g_refusedList = static_cast<GLint>(Renderer().ListName(CAESet::kShellContourList));
    for (const int category : {attr.m_nResultCategory, 0})
    {
        for (const int mode : {kWireframe, kRidgeLine, kShading, kRidgeLineShading, kHiddenLine})
        {
            SCOPED_TRACE(testing::Message() << "category " << category << ", mode " << mode);
            attr.m_nResultCategory = category;
            View().EditScene().SetDisplayMode(mode);
            Renderer().SetContourResultId(-1);
            Renderer().RenderAll();
            View().Device().DeleteList(Renderer().ListName(CAESet::kShellFaceList));
            View().Draw();
            const std::vector<unsigned char> bare = ReadFrame();
            Renderer().SetContourResultId(static_cast<int>(kResultId));
            Renderer().RenderAll();
            View().Draw();
            const std::vector<unsigned char> whole = ReadFrame();
            render_log::TakeMemoryShortage();
            for (const int granted : {0, 3})
            {
                SCOPED_TRACE(testing::Message() << granted << " blocks granted");
                g_grantsLeft = granted;
                fw::SetHeadroomProbe(&RunsOutInTheRefusedList);
                Renderer().RenderAll();
                fw::SetHeadroomProbe(nullptr);
                EXPECT_TRUE(render_log::TakeMemoryShortage());
                View().Draw();
                const std::vector<unsigned char> part = ReadFrame();
                ASSERT_EQ(whole.size(), part.size());
                const auto [contour, left, wrong] = CountCutPixels(part, whole, bare);
                EXPECT_EQ(0u, wrong);
                EXPECT_GT(left, 10000u);
                if (granted > 0)
                    EXPECT_GT(contour, 2000u);
                else
                    EXPECT_EQ(0u, contour);
            }
        }
    }
    // Memory back: the lists are whole again, and so is the picture.
    EXPECT_TRUE(unhurt == drawShadedElementColours());
    CAESet::SetParallelListElements(CAESet::kDefaultParallelListElements);
    CAESet::SetParallelContourElements(CAESet::kDefaultParallelContourElements);
}
