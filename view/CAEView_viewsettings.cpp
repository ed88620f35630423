// 3-D view: the deformation and animation-frame settings, run in their dialogs and applied to
// the renderer, and the colour modes of the elements.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/services/StringFile.h"
#include "platform/win/cmdtarget.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/ModeCommand.h"
#include "view/ViewMainFrame.h"

namespace
{
// The texts are the output log's, in section "ColorMode" of "message.str".
constexpr ModeCommand kColorModeCommands[] = {
    {ID_COLOR_MODE_PROPERTY, "ColorModeProperty", kColorByProperty},
    {ID_COLOR_MODE_MATERIAL, "ColorModeMaterial", kColorByMaterial},
    {ID_COLOR_MODE_ELEMENT_TYPE, "ColorModeElementType", kColorByElementType},
};

// Type bits of translations and rotations: results that move the nodes.
constexpr UINT kTranslationTypeBits = 0x800000;
constexpr UINT kRotationTypeBits = 0x1000000;
// Step kinds of results that hold one case to scale over frames: static loads and modes.
constexpr int kStaticStepKind = 0x08;
constexpr int kModeStepKind = 0x10;
} // namespace

void CCAEView::OnDeformationSettings()
{
    if (m_pMainFrame == nullptr)
        return;
    CDeformationChoice choice;
    choice.deformationScale = m_AESet.DeformationScale();
    choice.modelScalePercent = m_AESet.ModelScale() * 100.0;
    choice.isEnabled = m_AESet.ShowDeformation() != CAESet::kNoDeformation;
    choice.isByModelScale = m_AESet.ShowDeformation() == CAESet::kRelativeToModel;
    choice.showsModel = m_AESet.ShowsModel() != 0;
    choice.showsContour = m_AESet.ShowsContour() != 0;
    if (!m_pMainFrame->RunDeformationDialog(choice))
        return;
    m_AESet.SetDeformationScale(choice.deformationScale);
    m_AESet.SetModelScale(choice.modelScalePercent * 0.01);
    if (!choice.isEnabled)
        m_AESet.SetShowDeformation(CAESet::kNoDeformation);
    else
        m_AESet.SetShowDeformation(choice.isByModelScale ? CAESet::kRelativeToModel
                                                         : CAESet::kAbsoluteScale);
    m_AESet.SetShowModel(choice.showsModel ? 1 : 0);
    m_AESet.SetShowContour(choice.showsContour ? 1 : 0);
    // The last frame: the whole deformation shows.
    m_AESet.SetLCStep(m_AESet.MaxLCSteps());
    m_AESet.UpdateAnimationFrame();
    m_AESet.RenderAll();
    InvalidateView();
}

// For a result that moves the nodes, one of steps, or any result of a model with a default
// displacement result, while the case chosen in the load-case combo is one of that
// displacement's (else of the shown result's) cases. With no case chosen (a result without
// cases leaves the combo empty) the command stays enabled.
void CCAEView::OnUpdateDeformationSettings(CCmdUI* cmdUI)
{
    const int shown = GetShownResultId();
    const CResultData* result = m_AESet.FindResult(shown);
    const CModelSet* model = GetModel();
    bool isEnabled = false;
    if (result != nullptr && model != nullptr)
    {
        const UINT typeBits = ResultIdTypeBits(static_cast<UINT>(shown));
        const int displacement = model->GetDefaultDisplacementId();
        isEnabled = typeBits == kTranslationTypeBits || typeBits == kRotationTypeBits ||
                    result->GetStepKind() == CResultData::kFlagStepKind || displacement != -1;
        int selected = -1;
        if (isEnabled && m_pMainFrame != nullptr && m_pMainFrame->GetSelectedLoadCase(selected))
        {
            const int count = model->GetLoadCaseCount(
                static_cast<UINT>(displacement != -1 ? displacement : shown));
            isEnabled =
                static_cast<int>(ResultIdLoadCase(static_cast<UINT>(selected))) <= count - 1;
        }
    }
    cmdUI->Enable(isEnabled ? TRUE : FALSE);
}

void CCAEView::OnAnimationSettings()
{
    if (m_pMainFrame == nullptr)
        return;
    int frames = m_AESet.MaxLCSteps();
    if (!m_pMainFrame->RunMaxLCStepDialog(frames))
        return;
    m_AESet.SetMaxLCSteps(frames);
    m_AESet.SetLCStep(0);
    m_AESet.UpdateAnimationFrame();
    m_AESet.RenderAll();
    InvalidateView();
}

// Frames scale one case: results of static loads and of modes have them, results of steps
// show their own cases instead.
void CCAEView::OnUpdateAnimationSettings(CCmdUI* cmdUI)
{
    const CResultData* result = m_AESet.FindResult(GetShownResultId());
    const bool isEnabled = result != nullptr && (result->GetStepKind() == kStaticStepKind ||
                                                 result->GetStepKind() == kModeStepKind);
    cmdUI->Enable(isEnabled ? TRUE : FALSE);
}

// The log says which mode was chosen even when it is the current one; only a new mode
// rebuilds the lists.
void CCAEView::OnColorMode(UINT commandId)
{
    const ModeCommand* command = FindModeCommand(kColorModeCommands, commandId);
    if (command == nullptr)
        return;
    CString text;
    LoadStringFromFile(CString("message.str"), CString("ColorMode"), CString(command->statusKey),
                       &text);
    if (m_pMainFrame)
        m_pMainFrame->AddOutputLine(text.GetString());
    if (Scene().ColorMode() == command->mode)
        return;
    EditScene().SetColorMode(command->mode);
    m_AESet.RenderAll();
    InvalidateView();
}

void CCAEView::OnUpdateColorMode(CCmdUI* cmdUI)
{
    const ModeCommand* command = FindModeCommand(kColorModeCommands, cmdUI->m_nID);
    if (command != nullptr)
        cmdUI->SetCheck(Scene().ColorMode() == command->mode ? 1 : 0);
}

CCAEView::EntrySpan CCAEView::ViewSettingEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_RESULT_DEFORMATION_SETTINGS, &CCAEView::OnDeformationSettings>(),
        fw::update<ID_RESULT_DEFORMATION_SETTINGS, &CCAEView::OnUpdateDeformationSettings>(),
        fw::command<ID_RESULT_ANIMATION_SETTINGS, &CCAEView::OnAnimationSettings>(),
        fw::update<ID_RESULT_ANIMATION_SETTINGS, &CCAEView::OnUpdateAnimationSettings>(),
        fw::command_range<ID_COLOR_MODE_PROPERTY, ID_COLOR_MODE_ELEMENT_TYPE,
                          &CCAEView::OnColorMode>(),
        fw::command_range<ID_COLOR_MODE_MATERIAL, ID_COLOR_MODE_MATERIAL, &CCAEView::OnColorMode>(),
        fw::update_range<ID_COLOR_MODE_PROPERTY, ID_COLOR_MODE_ELEMENT_TYPE,
                         &CCAEView::OnUpdateColorMode>(),
        fw::update_range<ID_COLOR_MODE_MATERIAL, ID_COLOR_MODE_MATERIAL,
                         &CCAEView::OnUpdateColorMode>(),
    };
    return {kEntries, std::size(kEntries)};
}
