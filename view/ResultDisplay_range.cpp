// Result display: the value range of the shown result and the colour bands in effect.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "render/AESet.h"
#include "render/SceneView.h"
#include "view/ResultDisplay.h"
#include "view/ResultRange.h"

namespace
{
constexpr int kFilterByGroup = 2;
} // namespace

CResultDisplayAttr CResultDisplay::GetDisplayAttr()
{
    return ResultRenderer().GetDisplayAttr();
}

int CResultDisplay::CopyDisplayAttr(CResultDisplayAttr attr)
{
    return ResultRenderer().CopyDisplayAttr(attr);
}

CValueRange CResultDisplay::ShownRange(CResultData& result)
{
    const int kind = ResultRenderer().ResultComponent();
    const int location = ResultScene().Scene().DisplayAttr().m_nResultCategory;
    if (GetElementFilterMode() == kFilterByGroup || ResultScene().IsElementFilterActive() == 1)
    {
        ComputeVisibleRange(FALSE);
        return CValueRange{m_dVisibleMin, m_dVisibleMax};
    }
    CValueRange range;
    GetResultRange(&result, kind, location, range.min, range.max);
    return range;
}

CResultDisplayAttr CResultDisplay::PrepareResultRange(int resultId, CResultDisplayAttr attr,
                                                      int flag)
{
    CResultData* result = FindResult(resultId);
    if (result == nullptr)
        return CResultDisplayAttr();
    ResultScene().SetCurrentResult(result);
    const CValueRange range = ShownRange(*result);
    const CResultDisplayAttr* contour = ContourDefaults();
    const CVectorDisplayAttr* vector = VectorDefaults();
    const CBandDefaults contourDefaults =
        contour ? ContourBandDefaults(*contour) : ContourBandDefaults(CResultDisplayAttr());
    const CBandDefaults vectorDefaults =
        vector ? VectorBandDefaults(*vector) : VectorBandDefaults(CVectorDisplayAttr());
    const bool isVectorPlot = (ResultRenderer().ResultComponent() & ~kElementBlock) == 0;
    return PrepareBands(attr, range, flag != 0, isVectorPlot, contourDefaults, vectorDefaults);
}

void CResultDisplay::ComputeVisibleRange(BOOL bStored)
{
    CValueRange range;
    const CResultData* result = ResultScene().CurrentResult();
    const CModelSet* model = Model();
    const int kind = ResultRenderer().ResultComponent();
    const int location = ResultScene().Scene().DisplayAttr().m_nResultCategory;
    if (result != nullptr && bStored)
        range = GetStoredResultRange(*result, kind, location);
    else if (result != nullptr && model != nullptr)
        range =
            ComputeRangeOverElements(*result, kind, location, model->GetElements(), ResultScene());
    m_dVisibleMin = range.min;
    m_dVisibleMax = range.max;
}

void CResultDisplay::GetResultRange(CResultData* result, int kind, int location, double& minimum,
                                    double& maximum)
{
    const CValueRange range =
        result ? GetStoredResultRange(*result, kind, location) : CValueRange{};
    minimum = range.min;
    maximum = range.max;
}

CPoint3D CResultDisplay::GetResultMinPoint(CResultData* result, int location)
{
    return result ? GetStoredMinPoint(*result, location) : CPoint3D();
}

CPoint3D CResultDisplay::GetResultMaxPoint(CResultData* result, int location)
{
    return result ? GetStoredMaxPoint(*result, location) : CPoint3D();
}

void CResultDisplay::SetResultMinPoint(CResultData* result, CPoint3D point, int location)
{
    if (result)
        SetStoredMinPoint(*result, point, location);
}

void CResultDisplay::SetResultMaxPoint(CResultData* result, CPoint3D point, int location)
{
    if (result)
        SetStoredMaxPoint(*result, point, location);
}

void CResultDisplay::ChooseAnimationMode(CResultData* result)
{
    CAESet& renderer = ResultRenderer();
    if (result == nullptr || renderer.AnimationMode() != kAnimationNotChosen)
        return;
    const bool isSteps = result->GetStepKind() == CResultData::kFlagStepKind;
    renderer.SetAnimationMode(isSteps ? kAnimationSteps : kAnimationFrames);
    renderer.UpdateAnimationFrame();
}

void CResultDisplay::SetBandDefaults(CResultDisplayAttr& attr)
{
    const CResultDisplayAttr* defaults = ContourDefaults();
    if (defaults == nullptr)
        return;
    attr.m_nContourType = defaults->m_nContourType;
    attr.m_nBandType = defaults->m_nBandType;
    attr.m_nBands = defaults->m_nBands;
    attr.m_bReverseBand = defaults->m_bReverseBand;
}

void CResultDisplay::SetVectorDefaults(CVectorDisplayAttr& attr)
{
    const CVectorDisplayAttr* defaults = VectorDefaults();
    if (defaults == nullptr)
        return;
    attr.SetConstantLength(defaults->IsConstantLength());
    attr.SetScaleFactor(defaults->GetScaleFactor());
    attr.SetThickness(defaults->GetThickness());
    attr.SetSameColor(defaults->IsSameColor());
    attr.SetPosition(defaults->GetPosition());
    attr.SetNoOfBands(defaults->GetNoOfBands());
    attr.SetArrowHeadSize(defaults->GetArrowHeadSize());
    attr.SetArrowHeadPercLen(defaults->GetArrowHeadPercLen());
    attr.SetArrowHeadType(defaults->GetArrowHeadType());
    attr.SetArrowHeadConst(defaults->GetArrowHeadConst());
    attr.SetLengthPercent(defaults->GetLengthPercent());
    attr.SetColor(defaults->GetColor());
}
