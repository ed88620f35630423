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

    UINT m_frameId = 0;
};
} // namespace

TEST_F(CAEViewAnimationTest, PlayAdvancesAFramePerTickAndStopsOnTheLast)
{
    CWendraView* view = ShowResult(m_frameId);
    ASSERT_NE(nullptr, view);
    view->m_AESet.m_nLCStep = 4;
    Command(view, ID_ANIMATION_PLAY);
    EXPECT_EQ(0, view->m_AESet.m_nLCStep);
    EXPECT_EQ(1, view->m_bAnimating);
    EXPECT_EQ(CAESet::kRelativeToModel, view->m_AESet.m_nShowDeformation);
    EXPECT_TRUE(TimerRuns(view));

    Tick(view);
    EXPECT_EQ(1, view->m_AESet.m_nLCStep);
    EXPECT_DOUBLE_EQ(0.1, view->m_AESet.m_dResultFactor);
    const Rgb first = RightEnd(view);
    Tick(view, 9);
    EXPECT_EQ(10, view->m_AESet.m_nLCStep);
    EXPECT_EQ(1, view->m_bAnimating);
    // The whole value at the last frame: the top band's red.
    const Rgb last = RightEnd(view);
    EXPECT_NE(first, last);
    EXPECT_GT(last[0], 200);
    EXPECT_LT(last[2], 60);

    Tick(view); // past the last frame: the animation stops there
    EXPECT_EQ(10, view->m_AESet.m_nLCStep);
    EXPECT_EQ(0, view->m_bAnimating);
    EXPECT_FALSE(TimerRuns(view));
    EXPECT_EQ(CAESet::kRelativeToModel, view->m_AESet.m_nShowDeformation);
}

TEST_F(CAEViewAnimationTest, RepeatWrapsToTheFirstFrameAndStopEndsIt)
{
    CWendraView* view = ShowResult(m_frameId);
    ASSERT_NE(nullptr, view);
    Command(view, ID_ANIMATION_REPEAT);
    Tick(view, 10);
    EXPECT_EQ(10, view->m_AESet.m_nLCStep);
    Tick(view);
    EXPECT_EQ(0, view->m_AESet.m_nLCStep);
    Tick(view);
    EXPECT_EQ(1, view->m_AESet.m_nLCStep);
    EXPECT_EQ(1, QueryUpdate(view, ID_ANIMATION_STOP).enabled);

    Command(view, ID_ANIMATION_STOP);
    EXPECT_EQ(0, view->m_bAnimating);
    EXPECT_EQ(0, view->m_bAnimationRepeat);
    EXPECT_FALSE(TimerRuns(view));
    EXPECT_EQ(1, view->m_AESet.m_nLCStep); // the frame shown stays
    EXPECT_EQ(CAESet::kRelativeToModel, view->m_AESet.m_nShowDeformation);
    EXPECT_EQ(0, QueryUpdate(view, ID_ANIMATION_STOP).enabled);
    EXPECT_EQ(1, QueryUpdate(view, ID_ANIMATION_PLAY).enabled);
}

TEST_F(CAEViewAnimationTest, ForwardAndBackWrapAroundTheFrames)
{
    CWendraView* view = ShowResult(m_frameId);
    ASSERT_NE(nullptr, view);
    view->m_AESet.m_nLCStep = 10;
    Command(view, ID_ANIMATION_FORWARD);
    EXPECT_EQ(0, view->m_AESet.m_nLCStep);
    Command(view, ID_ANIMATION_BACK);
    EXPECT_EQ(10, view->m_AESet.m_nLCStep);
    Command(view, ID_ANIMATION_BACK);
    EXPECT_EQ(9, view->m_AESet.m_nLCStep);
    EXPECT_EQ(0, view->m_bAnimating); // steps leave the timer alone
    EXPECT_FALSE(TimerRuns(view));
    EXPECT_EQ(0, Frame().m_waitDepth);
}

TEST_F(CAEViewAnimationTest, StepResultPlaysItsLoadedCasesAndStopsOnTheLast)
{
    CWendraView* view = ShowResult(StepCase(2));
    ASSERT_NE(nullptr, view);
    Command(view, ID_ANIMATION_PLAY);
    EXPECT_EQ(static_cast<int>(StepCase(1)), view->m_AESet.m_nContourResultId);
    EXPECT_EQ(CAESet::kAbsoluteScale, view->m_AESet.m_nShowDeformation);
    Tick(view);
    EXPECT_EQ(static_cast<int>(StepCase(2)), view->m_AESet.m_nContourResultId);
    Tick(view); // case 3 is not loaded: case 4, the last, stays shown
    EXPECT_EQ(static_cast<int>(StepCase(4)), view->m_AESet.m_nContourResultId);
    EXPECT_EQ(0, view->m_bAnimating);
    EXPECT_FALSE(TimerRuns(view));

    Command(view, ID_ANIMATION_REPEAT); // from the first loaded case again
    Tick(view, 2);
    EXPECT_EQ(static_cast<int>(StepCase(4)), view->m_AESet.m_nContourResultId);
    Tick(view);
    EXPECT_EQ(static_cast<int>(StepCase(1)), view->m_AESet.m_nContourResultId);
    EXPECT_EQ(1, view->m_bAnimating);
    Command(view, ID_ANIMATION_BACK);
    EXPECT_EQ(static_cast<int>(StepCase(4)), view->m_AESet.m_nContourResultId);
}

TEST_F(CAEViewAnimationTest, StepResultOfOneCaseDisablesTheAnimationCommands)
{
    // Two slots: case 1 only.
    AddNodalCase(Model(), 3, kStepType, 1, CResultData::kFlagAtNodes | 24, 1.0);
    CWendraView* view = ShowResult(MakeLoadCaseKey(3, kStepType, 1));
    ASSERT_NE(nullptr, view);
    view->m_bAnimating = 1;
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
    EXPECT_EQ(static_cast<int>(StepCase(2)), view->m_AESet.m_nContourResultId);
    EXPECT_EQ(0, view->m_bAnimating);
    EXPECT_FALSE(TimerRuns(view));

    // A result that is gone: every command and tick does nothing.
    view->m_AESet.m_nContourResultId = static_cast<int>(MakeLoadCaseKey(9, kStepType, 1));
    for (const UINT id : {ID_ANIMATION_PLAY, ID_ANIMATION_FORWARD, ID_ANIMATION_BACK})
        Command(view, id);
    Tick(view);
    EXPECT_EQ(0, view->m_bAnimating);
    EXPECT_EQ(0, QueryUpdate(view, ID_ANIMATION_PLAY).enabled);
}
