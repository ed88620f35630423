// Result display of a view: a contour or vectors in a new view with the camera and filter of
// the old one, the load-case road in the same view, the legend and title that come with it.
#include "view/ResultDisplay.h"

#include "FakeResultView.h"
#include "ViewTestSupport.h"
#include "core/model/FEElement.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "render/VectorPlotEntry.h"
#include "tests/core/model/ModelFixtures.h"

#include <gtest/gtest.h>
#include <set>

using view_test::FakeResultView;
using view_test::kSize;

namespace
{
using Rgb = std::array<int, 3>;
constexpr UINT kScalarType = 0x1000000u;
constexpr UINT kDisplacementType = 0x800000u;

// Ten quads in a row from x = -5 to 5 (elements 1..10), nodes 2i+1 below and 2i+2 above.
void AddStrip(CModelSet& model)
{
    for (int i = 0; i <= 10; ++i)
    {
        AddTestNode(model, 2 * i + 1, i - 5.0, -1, 0);
        AddTestNode(model, 2 * i + 2, i - 5.0, 1, 0);
    }
    for (int i = 0; i < 10; ++i)
        AddQuad(model, i + 1, 2 * i + 1, 2 * i + 3, 2 * i + 4, 2 * i + 2);
    model.BuildElementFaces();
}

// A result of load cases 1 and 2 at the nodes: value = scale * (x + 5) * 10 in case c (scale 1
// for case 1, 0.5 for case 2); vectors (0, value, 0) as displacements.
UINT AddNodalResult(CModelSet& model, UINT number, UINT typeBits, int dataType)
{
    for (const double step : {1.0, 2.0})
        model.AddLoadCaseValue(number, typeBits, step);
    for (UINT c = 1; c <= 2; ++c)
    {
        auto* result = new CResultData();
        result->m_id = MakeLoadCaseKey(number, typeBits, c);
        result->m_flags = CResultData::kFlagAtNodes | CResultData::kFlagVector | 8;
        result->m_type = dataType;
        result->m_loaded = CResultData::kLoaded;
        result->SetName("Result");
        result->SetTitle("Translation");
        const double scale = c == 1 ? 1.0 : 0.5;
        for (int i = 0; i <= 10; ++i)
        {
            for (const int node : {2 * i + 1, 2 * i + 2})
            {
                const double value = scale * 10.0 * i;
                result->SetNodeValue(node, value);
                result->SetNodeVector(node, CPoint3D(0, value, 0));
                result->WidenRange(value);
                result->WidenVectorRange(CPoint3D(0, value, 0));
            }
        }
        model.AddResult(result);
    }
    return MakeLoadCaseKey(number, typeBits, 1);
}

class ResultDisplayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        AddStrip(m_model);
        m_view = std::make_unique<FakeResultView>(&m_model, &m_opened);
        if (!m_view->IsReady())
        {
            if (std::getenv("GRAVIK_REQUIRE_GL"))
                FAIL() << "no OpenGL context on this display";
            GTEST_SKIP() << "no OpenGL context on this display";
        }
        m_view->Show();
        m_view->m_renderer.RenderAll();
    }
    void TearDown() override
    {
        m_opened.clear();
        m_view.reset();
    }

    FakeResultView& Opened(size_t i) { return *m_opened.at(i); }

    view_test::EnglishStrings m_strings;
    CModelSet m_model;
    std::vector<std::unique_ptr<FakeResultView>> m_opened;
    std::unique_ptr<FakeResultView> m_view;
};

bool IsNear(const Rgb& a, const Rgb& b)
{
    for (int i = 0; i < 3; ++i)
    {
        if (std::abs(a[i] - b[i]) > 24)
            return false;
    }
    return true;
}
} // namespace

TEST_F(ResultDisplayTest, NewViewShowsTheContourWithTheCameraFilterAndALegend)
{
    const UINT id = AddNodalResult(m_model, 1, kScalarType, 0);
    m_view->m_hiddenIds = {10};
    m_view->Camera(0).m_rotation = CPoint3D(0, 0, 0);
    m_view->Camera(0).m_panPoint = CPoint3D(0.5, 0, 0);
    m_view->m_contourDefaults.m_nBandType = 0;
    m_view->DisplayResultView(static_cast<int>(id), 1, 2, TRUE);

    ASSERT_EQ(1u, m_opened.size());
    FakeResultView& shown = Opened(0);
    EXPECT_EQ(-1, m_view->m_renderer.ContourResultId());
    EXPECT_EQ(static_cast<int>(id), shown.m_renderer.ContourResultId());
    EXPECT_EQ(1, shown.m_renderer.ResultComponent());
    EXPECT_EQ(std::set<int>{10}, shown.m_hiddenIds);
    EXPECT_EQ(0.5, shown.Camera(0).m_panPoint.x);
    EXPECT_EQ(m_view->Camera(0).m_volumeStart.x, shown.Camera(0).m_volumeStart.x);
    EXPECT_EQ(m_view->Camera(0).m_volumeEnd.y, shown.Camera(0).m_volumeEnd.y);
    EXPECT_EQ((std::vector<std::string>{"open Result", "hide nodes"}), m_view->m_events);
    EXPECT_EQ(0, m_view->m_displayFilter & 32);
    // The range of the elements shown: element 10 (values 90 to 100) is hidden.
    EXPECT_EQ(0.0, shown.Scene().DisplayAttr().m_dataMin);
    EXPECT_EQ(90.0, shown.Scene().DisplayAttr().m_dataMax);

    shown.Draw();
    // Ten bars of the ten band colours up the left fifth.
    std::set<Rgb> barColours;
    for (int y = kSize - 170; y < kSize - 36; ++y)
        barColours.insert(shown.ReadPixel(9, y));
    EXPECT_EQ(10u, barColours.size());
    for (int k = 0; k < 10; ++k)
    {
        const CColorRGBA& c = shown.Scene().DisplayAttr().m_bandColors[k];
        const Rgb band = {static_cast<int>(c.r * 255 + 0.5f), static_cast<int>(c.g * 255 + 0.5f),
                          static_cast<int>(c.b * 255 + 0.5f)};
        EXPECT_EQ(1u, barColours.count(band)) << k;
    }
    EXPECT_PRED2(IsNear, (Rgb{0, 0, 255}), shown.ReadPixel(24, kSize / 2)); // value near 5
    EXPECT_EQ((Rgb{0, 0, 0}), shown.ReadPixel(188, kSize / 2));             // hidden element
    EXPECT_EQ("Result :  (Load case 1)", shown.m_documentTitle);
    EXPECT_EQ(static_cast<int>(id), shown.m_selectedLoadCase);
}

TEST_F(ResultDisplayTest, TitleOfADisplacementYContour)
{
    const UINT id = AddNodalResult(m_model, 2, kDisplacementType, 8);
    m_view->DisplayResultView(static_cast<int>(id), 3, 2, TRUE);
    ASSERT_EQ(1u, m_opened.size());
    EXPECT_STREQ("Translation : UY : Minimum 0.000E+000 : Maximum 1.000E+002",
                 Opened(0).ResultSubTitle().GetString());
    EXPECT_STREQ("Result :  (Load case 1)", Opened(0).ResultTitle().GetString());
    EXPECT_GT(Opened(0).GetTextLists().title2, 0);
}

TEST_F(ResultDisplayTest, AnotherCaseInTheSameViewTakesItsRangeAndCaseText)
{
    const UINT first = AddNodalResult(m_model, 1, kScalarType, 0);
    const UINT second = ResultIdWithLoadCase(first, 2);
    m_view->DisplayResultView(static_cast<int>(first), 1, 2, TRUE);
    FakeResultView& shown = Opened(0);
    shown.EditScene().EditDisplayAttr().SetRange(0.0, 100.0, 0.0, 100.0, 6); // as the user set them
    shown.DisplayResultView(static_cast<int>(second), 1, 2, FALSE);
    EXPECT_EQ(1u, m_opened.size()); // no further view
    EXPECT_EQ(static_cast<int>(second), shown.m_renderer.ContourResultId());
    EXPECT_EQ(50.0, shown.Scene().DisplayAttr().m_dataMax);
    EXPECT_EQ(6, shown.Scene().DisplayAttr().m_nBands); // the view's bands stay
    EXPECT_STREQ("Result :  (Load case 2)", shown.ResultTitle().GetString());
    EXPECT_EQ(static_cast<int>(second), shown.m_selectedLoadCase);

    // Animation frames keep the range they started with.
    shown.m_bAnimating = true;
    shown.DisplayResultView(static_cast<int>(first), 1, 2, FALSE);
    EXPECT_EQ(50.0, shown.Scene().DisplayAttr().m_dataMax);
}

TEST_F(ResultDisplayTest, VectorsGetArrowsAsLongAsAShareOfTheModel)
{
    const UINT id = AddNodalResult(m_model, 3, kDisplacementType, 8);
    m_view->m_vectorDefaults.m_lengthPercent = 10.0;
    m_view->m_vectorDefaults.m_bSameColor = 1;
    m_view->m_vectorDefaults.m_sameColor = CColorRGBA(1, 1, 1, 0);
    m_view->DisplayResultView(static_cast<int>(id), 0, 2, TRUE);
    FakeResultView& shown = Opened(0);
    EXPECT_EQ(static_cast<int>(id), shown.m_renderer.VectorResultId());
    const CVectorPlotEntry* entry = shown.Scene().VectorPlots().Find(static_cast<int>(id));
    ASSERT_NE(nullptr, entry);
    EXPECT_DOUBLE_EQ(1.0, entry->m_attr.m_length); // 10 % of the 10 units of x
    EXPECT_DOUBLE_EQ(100.0, entry->m_attr.m_maxMagnitude);
    shown.Draw();
    // Node 21 at (5, -1) has the arrow (0, 100, 0), centred on it: up to y = -0.5.
    bool isWhite = false;
    for (int x = 193; x < 198; ++x)
        isWhite = isWhite || shown.ReadPixel(x, kSize / 2 + 12) == Rgb{255, 255, 255};
    EXPECT_TRUE(isWhite);
    // Arrows of one colour have no legend.
    EXPECT_EQ((Rgb{0, 0, 0}), shown.ReadPixel(9, kSize / 2));

    // A model in the YZ plane has no X extent, yet its arrows have a length.
    CModelSet flat;
    AddTestNode(flat, 1, 0, 0, 0);
    AddTestNode(flat, 2, 0, 4, 0);
    AddTestNode(flat, 3, 0, 4, 4);
    AddTestNode(flat, 4, 0, 0, 4);
    AddQuad(flat, 1, 1, 2, 3, 4);
    flat.BuildElementFaces();
    const UINT flatId = MakeLoadCaseKey(1, kDisplacementType, 1);
    auto* result = new CResultData();
    result->m_id = flatId;
    result->m_flags = CResultData::kFlagAtNodes | CResultData::kFlagVector;
    result->SetNodeVector(1, CPoint3D(1, 0, 0));
    flat.AddResult(result);
    std::vector<std::unique_ptr<FakeResultView>> opened;
    FakeResultView side(&flat, &opened);
    side.Show();
    side.m_vectorDefaults.m_lengthPercent = 10.0;
    side.DisplayResultView(static_cast<int>(flatId), 0, 2, TRUE);
    ASSERT_EQ(1u, opened.size());
    const CVectorPlotEntry* flatEntry = opened[0]->Scene().VectorPlots().Find(-1); // no load case 1
    ASSERT_NE(nullptr, flatEntry);
    EXPECT_DOUBLE_EQ(0.4, flatEntry->m_attr.m_length);
}

TEST_F(ResultDisplayTest, ResultTheCatalogueLacksChangesNothing)
{
    m_view->DisplayResultView(12345, 1, 2, TRUE);
    EXPECT_TRUE(m_opened.empty());
    EXPECT_TRUE(m_view->m_events.empty());
    EXPECT_EQ(-1, m_view->m_renderer.ContourResultId());
    // Nothing shown: no bands to store.
    EXPECT_EQ(-1, m_view->CopyDisplayAttr(CResultDisplayAttr()));
    // The Display Result command without a contour opens nothing either.
    m_view->OnDisplayResult();
    EXPECT_TRUE(m_opened.empty());
    EXPECT_EQ((std::vector<std::string>{"DisplayResult"}), m_view->m_events);
}

TEST_F(ResultDisplayTest, VisibleRangeWithEveryElementHiddenIsZero)
{
    const UINT id = AddNodalResult(m_model, 1, kScalarType, 0);
    m_view->m_renderer.SetResultComponent(1);
    m_view->SetCurrentResult(m_model.GetResult(id));
    m_view->ComputeVisibleRange(FALSE);
    EXPECT_EQ(100.0, m_view->VisibleMax());
    for (int i = 1; i <= 10; ++i)
        m_view->m_hiddenIds.insert(i);
    m_view->ComputeVisibleRange(FALSE);
    EXPECT_EQ(0.0, m_view->VisibleMin());
    EXPECT_EQ(0.0, m_view->VisibleMax());
    m_view->ComputeVisibleRange(TRUE); // as stored
    EXPECT_EQ(100.0, m_view->VisibleMax());
}

TEST_F(ResultDisplayTest, AnimationModeIsChosenOnce)
{
    const UINT id = AddNodalResult(m_model, 1, kScalarType, 0);
    CResultData* result = m_model.GetResult(id);
    m_view->ChooseAnimationMode(nullptr);
    EXPECT_EQ(CResultDisplay::kAnimationNotChosen, m_view->m_renderer.AnimationMode());
    m_view->ChooseAnimationMode(result); // load cases: frames
    EXPECT_EQ(CResultDisplay::kAnimationFrames, m_view->m_renderer.AnimationMode());
    result->m_flags |= CResultData::kFlagStepKind;
    m_view->ChooseAnimationMode(result);
    EXPECT_EQ(CResultDisplay::kAnimationFrames, m_view->m_renderer.AnimationMode());
}
