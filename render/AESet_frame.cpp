// Renderer: the deformation factor and the result factor of the current animation frame.
#include "core/geometry/VectorMath.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultId.h"
#include "render/AESet.h"
#include "render/SceneView.h"

namespace
{
// Both case-kind bits: a result whose cases are steps, never scaled by the frame.
constexpr int kStepCases = CResultData::kFlagStepKind;

// Largest displacement M of the load case of the shown result, and the model diagonal D, for
// deformation relative to the model size. Both stay 1 when there is nothing to measure.
void MeasureDeformation(const CModelSet* model, int shownId, double& diagonal, double& largest)
{
    diagonal = 1.0;
    largest = 1.0;
    if (model == nullptr || shownId == -1)
        return;
    UINT caseId = static_cast<UINT>(-1);
    const int loadCase = static_cast<int>(ResultIdLoadCase(static_cast<uint32_t>(shownId)));
    if (!model->GetLoadCaseResultId(static_cast<UINT>(model->GetDefaultDisplacementId()), loadCase,
                                    &caseId))
        return;
    const CResultData* displacement = model->GetResult(caseId);
    if (displacement == nullptr)
        return;
    const CBox3D box = model->GetBoundingBox();
    diagonal = Distance(box.min, box.max);
    const double value = displacement->GetLargestValue();
    largest = value != 0.0 ? value : 1.0;
}
} // namespace

void CAESet::UpdateAnimationFrame()
{
    m_dDeformationFactor = 0.0;
    m_dResultFactor = 1.0;
    const CResultData* current = m_pView ? m_pView->CurrentResult() : nullptr;
    const bool isAnimated = current != nullptr && current->GetStepKind() != kStepCases &&
                            (m_nContourResultId != -1 || m_nVectorResultId != -1) &&
                            m_nMaxLCSteps > 0;
    const double n = m_nLCStep;
    const double steps = m_nMaxLCSteps;
    if (isAnimated)
    {
        m_dResultFactor = n / steps;
        if (m_dResultFactor == 0.0)
            m_dResultFactor = 1.0; // frame 0 shows the full values
    }
    switch (m_nShowDeformation)
    {
    case kAbsoluteScale:
        m_dDeformationFactor = isAnimated ? n * m_dDeformationScale / steps : m_dDeformationScale;
        break;
    case kRelativeToModel:
    {
        const int shownId = m_nContourResultId != -1 ? m_nContourResultId : m_nVectorResultId;
        double diagonal = 1.0;
        double largest = 1.0;
        MeasureDeformation(m_pView ? m_pView->GetModel() : nullptr, shownId, diagonal, largest);
        m_dDeformationFactor = isAnimated ? n * m_dModelScale * diagonal / (steps * largest)
                                          : diagonal * m_dModelScale / largest;
        break;
    }
    default: break;
    }
}
