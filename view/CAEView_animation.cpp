// 3-D view: animation of the shown result, over its loaded cases when they are steps, else
// over the renderer's frames; the commands, their enabling and the animation timer.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "platform/win/cmdtarget.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/WaitCursor.h"

#include <algorithm>

namespace
{
// A step result shows one loaded case a frame; other results scale one case by the frame.
bool IsStepResult(const CResultData& result)
{
    return result.GetStepKind() == CResultData::kFlagStepKind;
}

// A step result needs two cases besides slot 0 to be animated.
constexpr int kFewestStepSlots = 3;
} // namespace

int CCAEView::GetShownResultId() const
{
    return m_AESet.ContourResultId() != -1 ? m_AESet.ContourResultId() : m_AESet.VectorResultId();
}

void CCAEView::SetShownResultId(int resultId)
{
    if (m_AESet.ContourResultId() != -1)
        m_AESet.SetContourResultId(resultId);
    else if (m_AESet.VectorResultId() != -1)
        m_AESet.SetVectorResultId(resultId);
}

BOOL CCAEView::CanAnimate(CCmdUI* cmdUI)
{
    const int shown = GetShownResultId();
    const CModelSet* model = GetModel();
    const CResultData* result = m_AESet.FindResult(shown);
    const bool canAnimate = result != nullptr &&
                            !(IsStepResult(*result) &&
                              model->GetLoadCaseCount(static_cast<UINT>(shown)) < kFewestStepSlots);
    if (cmdUI != nullptr)
        cmdUI->Enable(canAnimate ? TRUE : FALSE);
    return canAnimate ? TRUE : FALSE;
}

void CCAEView::SwitchDeformationOn(const CResultData& result)
{
    if (m_AESet.ShowDeformation() != CAESet::kNoDeformation)
        return;
    m_AESet.SetShowDeformation(IsStepResult(result) ? CAESet::kAbsoluteScale
                                                    : CAESet::kRelativeToModel);
    m_AESet.UpdateAnimationFrame();
}

// The result to animate, as the renderer and the deformation want it before a frame.
CResultData* CCAEView::PrepareAnimatedResult()
{
    CResultData* result = m_AESet.FindResult(GetShownResultId());
    if (result == nullptr)
        return nullptr;
    SetCurrentResult(result);
    ChooseAnimationMode(result);
    return result;
}

void CCAEView::ShowAnimationFrame(int resultId, bool isAnimationFrame)
{
    const int category = GetDisplayAttr().m_nResultCategory;
    if (isAnimationFrame)
        DisplayAnimationFrame(resultId, m_AESet.ResultComponent(), category);
    else
        DisplayResultView(resultId, m_AESet.ResultComponent(), category, FALSE);
}

// A frame of the renderer's frames moves the lists' geometry in place where the renderer can;
// else the lists are rebuilt for it as for any result shown.
void CCAEView::ShowRendererFrame(int resultId, bool isAnimationFrame)
{
    if (!m_AESet.ShowAnimatedFrame())
    {
        ShowAnimationFrame(resultId, isAnimationFrame);
        return;
    }
    InvalidateView();
    UpdateWindow();
}

void CCAEView::OnPlay()
{
    CResultData* result = PrepareAnimatedResult();
    if (result == nullptr)
        return;
    if (IsStepResult(*result))
    {
        // The first tick moves on to the case after the first loaded one.
        const int first = GetModel()->GetFirstLoadCase(result->m_id);
        if (first == -1)
            return; // no case is loaded: nothing to play
        SetShownResultId(first);
    }
    else
    {
        m_AESet.SetLCStep(0);
        m_AESet.UpdateAnimationFrame();
    }
    SwitchDeformationOn(*result);
    m_animation.SetAnimating(true);
    SetTimer(kAnimationTimer, static_cast<UINT>(std::max(1, m_animation.Interval())));
}

void CCAEView::OnRepeat()
{
    m_animation.SetRepeating(true);
    OnPlay();
}

void CCAEView::OnStop()
{
    m_animation.Stop();
    KillTimer(kAnimationTimer);
    m_AESet.RenderAll();
    InvalidateView();
}

void CCAEView::OnForward()
{
    StepAnimation(true);
}

void CCAEView::OnBack()
{
    StepAnimation(false);
}

void CCAEView::StepAnimation(bool forward)
{
    CResultData* result = PrepareAnimatedResult();
    if (result == nullptr)
        return;
    CWaitCursorScope wait(*this);
    int shown = GetShownResultId();
    if (IsStepResult(*result))
    {
        const UINT id = static_cast<UINT>(shown);
        shown = forward ? GetModel()->GetNextLoadCase(id) : GetModel()->GetPrevLoadCase(id);
    }
    else
    {
        const int frames = std::max(0, m_AESet.MaxLCSteps());
        m_AESet.SetLCStep(CViewAnimation::StepFrame(m_AESet.LCStep(), frames, forward));
        m_AESet.UpdateAnimationFrame();
    }
    SwitchDeformationOn(*result);
    // A step while the animation plays is one of its frames; else the case is a choice.
    const bool isAnimationFrame = m_animation.IsAnimating() != 0;
    if (IsStepResult(*result))
        ShowAnimationFrame(shown, isAnimationFrame);
    else
        ShowRendererFrame(shown, isAnimationFrame);
}

void CCAEView::OnUpdateAnimation(CCmdUI* cmdUI)
{
    CanAnimate(cmdUI);
}

void CCAEView::OnUpdateStop(CCmdUI* cmdUI)
{
    if (cmdUI != nullptr)
        cmdUI->Enable(CanAnimate(nullptr) && m_animation.IsAnimating() ? TRUE : FALSE);
}

void CCAEView::OnAnimationTimer(UINT_PTR id)
{
    if (id == kAnimationTimer)
        AdvanceAnimation();
    Default();
}

void CCAEView::AdvanceAnimation()
{
    const int shown = GetShownResultId();
    const CResultData* result = m_AESet.FindResult(shown);
    if (result == nullptr)
        return; // the timer keeps running: the result may come back
    if (IsStepResult(*result))
    {
        const CModelSet* model = GetModel();
        const int next = model->GetNextLoadCase(static_cast<UINT>(shown));
        // The last case stays on screen after the stop, still a frame of the run.
        if (!m_animation.IsRepeating() && next == model->GetLastLoadCase(static_cast<UINT>(shown)))
            OnStop();
        ShowAnimationFrame(next, true);
        return;
    }
    const int next = m_animation.NextFrame(m_AESet.LCStep(), std::max(0, m_AESet.MaxLCSteps()));
    if (next < 0)
    {
        OnStop();
        return;
    }
    m_AESet.SetLCStep(next);
    m_AESet.UpdateAnimationFrame();
    ShowRendererFrame(shown, true);
}

CCAEView::EntrySpan CCAEView::AnimationEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_ANIMATION_PLAY, &CCAEView::OnPlay>(),
        fw::command<ID_ANIMATION_STOP, &CCAEView::OnStop>(),
        fw::command<ID_ANIMATION_BACK, &CCAEView::OnBack>(),
        fw::command<ID_ANIMATION_FORWARD, &CCAEView::OnForward>(),
        fw::command<ID_ANIMATION_REPEAT, &CCAEView::OnRepeat>(),
        fw::update<ID_ANIMATION_PLAY, &CCAEView::OnUpdateAnimation>(),
        fw::update<ID_ANIMATION_STOP, &CCAEView::OnUpdateStop>(),
        fw::update_range<ID_ANIMATION_BACK, ID_ANIMATION_REPEAT, &CCAEView::OnUpdateAnimation>(),
        fw::update<ID_EXPORT_AVI, &CCAEView::OnUpdateAnimation>(),
        fw::update<ID_LOADCASE_COMBO, &CCAEView::OnUpdateAnimation>(),
    };
    return {kEntries, std::size(kEntries)};
}
