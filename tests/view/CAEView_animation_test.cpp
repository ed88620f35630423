// Animation of a 3-D view in the MDI frame: frames advanced by the timer handler, repeat and
// stop, single steps, the loaded cases of a step result, and the commands' enabling.
#include "ResultViewFixture.h"
#include "StripModel.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

using namespace view_window_test;
using view_test::AddNodalCase;

namespace
{
using Rgb = std::array<int, 3>;
constexpr int kSide = 200;
constexpr UINT kFrameType = 0x2000000u;
constexpr UINT kStepType = 0x4000000u;

class CAEViewAnimationTest : public ResultViewFixture
{
protected:
    // Ten quads from x = -5 to 5; a static result (frames) and a step result of four cases
    // whose third is not loaded.
    void SetUp() override
    {
        ResultViewFixture::SetUp();
        CModelSet& model = Model();
        view_test::AddStrip(model);
        m_frameId = AddNodalCase(model, 1, kFrameType, 1, CResultData::kFlagAtNodes | 8, 10)->m_id;
        for (UINT c = 1; c <= 4; ++c)
        {
            CResultData* step =
                AddNodalCase(model, 2, kStepType, c, CResultData::kFlagAtNodes | 24, 2.5 * c);
            if (c == 3)
                step->m_loaded = CResultData::kNotLoaded;
        }
        Frame().m_project->m_settings.m_contourDefaults.m_nBandType = 0;
    }

    CWendraView* ShowResult(UINT id) { return ResultViewFixture::ShowResult(id, kSide, kSide); }
    static void Tick(CWendraView* view, int count = 1)
    {
        for (int i = 0; i < count; ++i)
            view->SendMessage(WM_TIMER, CCAEView::kAnimationTimer, 0);
    }
    // Whether timer 2 runs; it keeps running when it did.
    static bool TimerRuns(CWendraView* view)
    {
        if (!::KillTimer(view->m_hWnd, CCAEView::kAnimationTimer))
            return false;
        view->SetTimer(CCAEView::kAnimationTimer, 250);
        return true;
    }
    // The contour at the right end of the strip, as the next frame draws it.
    static Rgb RightEnd(CWendraView* view)
    {
        DrawFrame(view);
        return ReadPixel(kSide / 2 + 85, kSide / 2, kSide);
    }
    UINT StepCase(UINT loadCase) const { return MakeLoadCaseKey(2, kStepType, loadCase); }
    // Every pixel of the view's back buffer, as the next frame draws it.
    static std::vector<Rgb> Picture(CWendraView* view)
    {
        DrawFrame(view);
        std::vector<Rgb> pixels;
        for (int y = 0; y < kSide; ++y)
        {
            for (int x = 0; x < kSide; ++x)
                pixels.push_back(ReadPixel(x, y, kSide));
        }
        return pixels;
    }

    UINT m_frameId = 0;
};
} // namespace

TEST_F(CAEViewAnimationTest, PlayAdvancesAFramePerTickAndStopsOnTheLast)
{
    CWendraView* view = ShowResult(m_frameId);
    ASSERT_NE(nullptr, view);
    view->Renderer().SetLCStep(4);
    Command(view, ID_ANIMATION_PLAY);
    EXPECT_EQ(0, view->Renderer().LCStep());
    EXPECT_EQ(1, view->Animation().IsAnimating());
    EXPECT_EQ(CAESet::kRelativeToModel, view->Renderer().ShowDeformation());
    EXPECT_TRUE(TimerRuns(view));

    Tick(view);
    EXPECT_EQ(1, view->Renderer().LCStep());
    EXPECT_DOUBLE_EQ(0.1, view->Renderer().ResultFactor());
    const Rgb first = RightEnd(view);
    Tick(view, 9);
    EXPECT_EQ(10, view->Renderer().LCStep());
    EXPECT_EQ(1, view->Animation().IsAnimating());
    // The whole value at the last frame: the top band's red.
    const Rgb last = RightEnd(view);
    EXPECT_NE(first, last);
    EXPECT_GT(last[0], 200);
    EXPECT_LT(last[2], 60);

    Tick(view); // past the last frame: the animation stops there
    EXPECT_EQ(10, view->Renderer().LCStep());
    EXPECT_EQ(0, view->Animation().IsAnimating());
    EXPECT_FALSE(TimerRuns(view));
    EXPECT_EQ(CAESet::kRelativeToModel, view->Renderer().ShowDeformation());
}

TEST_F(CAEViewAnimationTest, RepeatWrapsToTheFirstFrameAndStopEndsIt)
{
    CWendraView* view = ShowResult(m_frameId);
    ASSERT_NE(nullptr, view);
    Command(view, ID_ANIMATION_REPEAT);
    Tick(view, 10);
    EXPECT_EQ(10, view->Renderer().LCStep());
    Tick(view);
    EXPECT_EQ(0, view->Renderer().LCStep());
    Tick(view);
    EXPECT_EQ(1, view->Renderer().LCStep());
    EXPECT_EQ(1, QueryUpdate(view, ID_ANIMATION_STOP).enabled);

    Command(view, ID_ANIMATION_STOP);
    EXPECT_EQ(0, view->Animation().IsAnimating());
    EXPECT_EQ(0, view->Animation().IsRepeating());
    EXPECT_FALSE(TimerRuns(view));
    EXPECT_EQ(1, view->Renderer().LCStep()); // the frame shown stays
    EXPECT_EQ(CAESet::kRelativeToModel, view->Renderer().ShowDeformation());
    EXPECT_EQ(0, QueryUpdate(view, ID_ANIMATION_STOP).enabled);
    EXPECT_EQ(1, QueryUpdate(view, ID_ANIMATION_PLAY).enabled);
}

TEST_F(CAEViewAnimationTest, ForwardAndBackWrapAroundTheFrames)
{
    CWendraView* view = ShowResult(m_frameId);
    ASSERT_NE(nullptr, view);
    view->Renderer().SetLCStep(10);
    Command(view, ID_ANIMATION_FORWARD);
    EXPECT_EQ(0, view->Renderer().LCStep());
    Command(view, ID_ANIMATION_BACK);
    EXPECT_EQ(10, view->Renderer().LCStep());
    Command(view, ID_ANIMATION_BACK);
    EXPECT_EQ(9, view->Renderer().LCStep());
    EXPECT_EQ(0, view->Animation().IsAnimating()); // steps leave the timer alone
    EXPECT_FALSE(TimerRuns(view));
    EXPECT_EQ(0, Frame().m_waitDepth);
}

TEST_F(CAEViewAnimationTest, StepResultPlaysItsLoadedCasesAndStopsOnTheLast)
{
    CWendraView* view = ShowResult(StepCase(2));
    ASSERT_NE(nullptr, view);
    Command(view, ID_ANIMATION_PLAY);
    EXPECT_EQ(static_cast<int>(StepCase(1)), view->Renderer().ContourResultId());
    EXPECT_EQ(CAESet::kAbsoluteScale, view->Renderer().ShowDeformation());
    Tick(view);
    EXPECT_EQ(static_cast<int>(StepCase(2)), view->Renderer().ContourResultId());
    Tick(view); // case 3 is not loaded: case 4, the last, stays shown
    EXPECT_EQ(static_cast<int>(StepCase(4)), view->Renderer().ContourResultId());
    EXPECT_EQ(0, view->Animation().IsAnimating());
    EXPECT_FALSE(TimerRuns(view));

    Command(view, ID_ANIMATION_REPEAT); // from the first loaded case again
    Tick(view, 2);
    EXPECT_EQ(static_cast<int>(StepCase(4)), view->Renderer().ContourResultId());
    Tick(view);
    EXPECT_EQ(static_cast<int>(StepCase(1)), view->Renderer().ContourResultId());
    EXPECT_EQ(1, view->Animation().IsAnimating());
    Command(view, ID_ANIMATION_BACK);
    EXPECT_EQ(static_cast<int>(StepCase(4)), view->Renderer().ContourResultId());
}

// The range an animation starts with holds on every frame, the last of a run that stops there
// too: case 4 reaches 100 but shows in the bands of 0 to 50, red from its middle on.
TEST_F(CAEViewAnimationTest, StepAnimationKeepsItsRangeToTheLastFrame)
{
    CWendraView* view = ShowResult(StepCase(2));
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(50.0, view->Scene().DisplayAttr().m_dataMax);
    Command(view, ID_ANIMATION_PLAY);
    Tick(view);
    EXPECT_EQ(50.0, view->Scene().DisplayAttr().m_dataMax);
    Tick(view); // case 4, the last: the run stops on it
    ASSERT_EQ(static_cast<int>(StepCase(4)), view->Renderer().ContourResultId());
    EXPECT_EQ(0, view->Animation().IsAnimating());
    EXPECT_EQ(50.0, view->Scene().DisplayAttr().m_dataMax);
    DrawFrame(view);
    const Rgb middle = ReadPixel(kSide / 2 + 10, kSide / 2, kSide); // values 50 to 60
    EXPECT_GT(middle[0], 200);
    EXPECT_LT(middle[1], 60);
    EXPECT_LT(middle[2], 60);
}

TEST_F(CAEViewAnimationTest, StepResultOfOneCaseDisablesTheAnimationCommands)
{
    // Two slots: case 1 only.
    AddNodalCase(Model(), 3, kStepType, 1, CResultData::kFlagAtNodes | 24, 1.0);
    CWendraView* view = ShowResult(MakeLoadCaseKey(3, kStepType, 1));
    ASSERT_NE(nullptr, view);
    view->Animation().SetAnimating(true);
    for (const UINT id :
         {ID_ANIMATION_PLAY, ID_ANIMATION_STOP, ID_ANIMATION_BACK, ID_ANIMATION_FORWARD,
          ID_ANIMATION_REPEAT, ID_EXPORT_AVI, ID_LOADCASE_COMBO})
    {
        SCOPED_TRACE(id);
        EXPECT_EQ(0, QueryUpdate(view, id).enabled);
    }
    EXPECT_FALSE(view->CanAnimate(nullptr));

    CWendraView* frames = ShowResult(m_frameId);
    ASSERT_NE(nullptr, frames);
    for (const UINT id : {ID_ANIMATION_PLAY, ID_ANIMATION_BACK, ID_ANIMATION_FORWARD,
                          ID_ANIMATION_REPEAT, ID_EXPORT_AVI, ID_LOADCASE_COMBO})
    {
        SCOPED_TRACE(id);
        EXPECT_EQ(1, QueryUpdate(frames, id).enabled);
    }
}

TEST_F(CAEViewAnimationTest, NothingToPlayLeavesTheShownResult)
{
    CWendraView* view = ShowResult(StepCase(2));
    ASSERT_NE(nullptr, view);
    // No case of the step result is loaded any more.
    for (UINT c = 1; c <= 4; ++c)
        Model().GetResult(StepCase(c))->m_loaded = CResultData::kNotLoaded;
    Command(view, ID_ANIMATION_PLAY);
    EXPECT_EQ(static_cast<int>(StepCase(2)), view->Renderer().ContourResultId());
    EXPECT_EQ(0, view->Animation().IsAnimating());
    EXPECT_FALSE(TimerRuns(view));

    // A result that is gone: every command and tick does nothing.
    view->Renderer().SetContourResultId(static_cast<int>(MakeLoadCaseKey(9, kStepType, 1)));
    for (const UINT id : {ID_ANIMATION_PLAY, ID_ANIMATION_FORWARD, ID_ANIMATION_BACK})
        Command(view, id);
    Tick(view);
    EXPECT_EQ(0, view->Animation().IsAnimating());
    EXPECT_EQ(0, QueryUpdate(view, ID_ANIMATION_PLAY).enabled);
}

namespace
{
constexpr UINT kModeType = 0x1000000u; // eigenvectors: the shown result moves the nodes

// A plate of 6 x 6 quads with a mode shape: a hump of displacements along z and the same as
// the nodes' values.
UINT AddPlateMode(CModelSet& model)
{
    constexpr int kSideQuads = 6;
    for (int j = 0; j <= kSideQuads; ++j)
    {
        for (int i = 0; i <= kSideQuads; ++i)
            AddTestNode(model, j * 7 + i + 1, i, j, 0);
    }
    for (int j = 0; j < kSideQuads; ++j)
    {
        for (int i = 0; i < kSideQuads; ++i)
        {
            const int n = j * 7 + i + 1;
            AddQuad(model, j * kSideQuads + i + 1, n, n + 1, n + 8, n + 7);
        }
    }
    model.BuildElementFaces();
    model.AddLoadCaseValue(1, kModeType, 1.0);
    auto* mode = new CResultData();
    mode->m_id = MakeLoadCaseKey(1, kModeType, 1);
    mode->m_flags = CResultData::kFlagAtNodes | 16;
    mode->m_loaded = CResultData::kLoaded;
    mode->SetName("Mode");
    for (int node = 1; node <= 49; ++node)
    {
        const int i = (node - 1) % 7;
        const int j = (node - 1) / 7;
        const double z = i * (6 - i) * j * (6 - j) / 81.0;
        mode->SetNodeVector(node, CPoint3D(0, 0, z));
        mode->SetNodeValue(node, z);
        mode->WidenRange(z);
    }
    model.AddResult(mode);
    return mode->m_id;
}

int CountDifferences(const std::vector<Rgb>& a, const std::vector<Rgb>& b)
{
    int count = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        count += a[i] != b[i];
    return count;
}
} // namespace

TEST_F(CAEViewAnimationTest, FramesMovedInPlaceShowWhatRebuiltListsShow)
{
    Frame().m_project->m_settings.m_contourDefaults.m_nBandType = 2; // smooth
    const UINT modeId = AddPlateMode(Model());
    CWendraView* view = ShowResult(modeId);
    ASSERT_NE(nullptr, view);
    view->Camera(0).m_rotation = CPoint3D(-60, 0, 30); // the hump seen from aside
    view->Renderer().AutoScale(view);
    Command(view, ID_ANIMATION_REPEAT);
    for (const int mode : {kWireframe, kRidgeLine, kShading, kHiddenLine})
    {
        SCOPED_TRACE(mode);
        view->EditScene().SetDisplayMode(mode);
        Tick(view, 3);
        ASSERT_TRUE(view->Renderer().HasAnimatedFrames());
        const std::vector<Rgb> inPlace = Picture(view);
        // The same frame with its lists compiled anew.
        view->Renderer().RenderAll();
        EXPECT_FALSE(view->Renderer().HasAnimatedFrames());
        const std::vector<Rgb> rebuilt = Picture(view);
        EXPECT_GT(CountDiffering(0, 0, kSide, kSide, kSide, {0, 0, 0}), 2000);
        EXPECT_LE(CountDifferences(inPlace, rebuilt), 20);
    }
}

TEST_F(CAEViewAnimationTest, FramesThatCannotMoveInPlaceRebuildTheirLists)
{
    const UINT modeId = AddPlateMode(Model());
    for (const int bandType : {0, 2})
    {
        SCOPED_TRACE(bandType);
        Frame().m_project->m_settings.m_contourDefaults.m_nBandType =
            static_cast<unsigned char>(bandType);
        CWendraView* view = ShowResult(modeId);
        ASSERT_NE(nullptr, view);
        view->EditScene().SetShrunk(
            static_cast<BYTE>(bandType == 2)); // shrunk elements rebuild too
        Command(view, ID_ANIMATION_PLAY);
        Tick(view, 2);
        EXPECT_EQ(2, view->Renderer().LCStep());
        EXPECT_FALSE(view->Renderer().HasAnimatedFrames());
        // Otherwise it plays on, and its ticks race the opening of the next view.
        Command(view, ID_ANIMATION_STOP);
    }
}
