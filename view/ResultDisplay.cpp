// Result display of a 3-D view: contour or vectors, in the same view or a new one.
#include "view/ResultDisplay.h"

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/services/LogFile.h"
#include "platform/base/exception.h"
#include "render/AESet.h"
#include "render/SceneView.h"
#include "view/ResultRange.h"
#include "view/VectorPlotSetup.h"

namespace
{
constexpr int kNormal = 0;
constexpr int kError = 2;

void WriteLog(int level, const char* location, const char* text)
{
    CAELogFile log("Gravik");
    log.WriteLine(level, location, text);
}
} // namespace

CResultDisplay::~CResultDisplay() = default;

CModelSet* CResultDisplay::Model()
{
    return ResultScene().GetModel();
}

CResultData* CResultDisplay::FindResult(int resultId)
{
    const CModelSet* model = Model();
    return model && resultId != -1 ? model->GetResult(static_cast<UINT>(resultId)) : nullptr;
}

void CResultDisplay::DisplayResultView(int resultId, int component, int category, BOOL inNewView)
{
    ShowResult(resultId, component, category, inNewView, !inNewView && IsAnimating());
}

void CResultDisplay::DisplayAnimationFrame(int resultId, int component, int category)
{
    ShowResult(resultId, component, category, FALSE, true);
}

void CResultDisplay::ShowResult(int resultId, int component, int category, BOOL inNewView,
                                bool isAnimationFrame)
{
    const char* location = "CCAEView::DisplayResultView";
    WriteLog(kNormal, location, " ------ START ------- ");
    try
    {
        CResultData* result = FindResult(resultId);
        CResultDisplay* target = this;
        if (result != nullptr && inNewView)
        {
            target = OpenResultView(result->GetName());
            if (target != nullptr)
            {
                CopyCameraTo(*target);
                CopyElementFilterTo(*target);
                target->ResultScene().EditScene().EditDisplayAttr().m_nResultCategory = category;
                HideNodes();
                CAESet& renderer = target->ResultRenderer();
                if ((component & ~kElementBlock) == 0)
                    renderer.SetVectorResultId(resultId);
                else
                    renderer.SetContourResultId(resultId);
                target->ResultScene().SetCurrentResult(result);
                renderer.SetResultComponent(component);
            }
        }
        if (result != nullptr && target != nullptr)
        {
            const CAESet& shown = target->ResultRenderer();
            const int low = component & ~kElementBlock;
            const bool isNewCase =
                resultId != shown.ContourResultId() && resultId != shown.VectorResultId();
            if (low >= 1 && low <= 4)
            {
                const CResultDisplayAttr bands =
                    BandsForDisplay(*target, resultId, inNewView, isNewCase, isAnimationFrame);
                target->CopyDisplayAttr(bands);
                DisplayContourView(resultId, target, TRUE);
            }
            else if (low == 0)
            {
                ShowVectors(
                    *target, resultId, category,
                    BandsForDisplay(*target, resultId, inNewView, isNewCase, isAnimationFrame));
            }
            target->m_strResultTitle.Empty();
            target->m_strResultSubTitle.Empty();
            target->BuildResultTitle();
            if (result->GetStepKind() != 0)
                target->SelectLoadCaseCombo(resultId);
            target->ActivateAndUpdate();
            target->InvalidateView();
            if (isNewCase && !isAnimationFrame)
                target->OnShownResultChanged();
        }
    }
    catch (CException* e)
    {
        e->Delete();
        WriteLog(kError, location, "Exception occured in CCAEView::DisplayResultView");
    }
    catch (...)
    {
        WriteLog(kError, location, "Exception occured in CCAEView::DisplayResultView");
    }
    WriteLog(kNormal, location, " ------ END ------- ");
}

CResultDisplayAttr CResultDisplay::BandsForDisplay(CResultDisplay& target, int resultId,
                                                   BOOL inNewView, bool isNewCase,
                                                   bool isAnimationFrame)
{
    if (inNewView)
    {
        // This view's record carries its own category; the new view keeps the one asked for.
        CResultDisplayAttr bands = target.PrepareResultRange(resultId, GetDisplayAttr(), 0);
        bands.m_nResultCategory = target.ResultScene().Scene().DisplayAttr().m_nResultCategory;
        return bands;
    }
    CResultDisplayAttr bands = target.GetDisplayAttr();
    // Another case in the same view shows its own range with the view's bands; animation
    // frames keep the range they started with.
    CResultData* result = FindResult(resultId);
    if (isNewCase && !isAnimationFrame && result != nullptr)
    {
        ResultScene().SetCurrentResult(result);
        const CValueRange range = ShownRange(*result);
        bands.SetRange(range.min, range.max, range.min, range.max, bands.m_nBands);
    }
    return bands;
}

void CResultDisplay::CopyCameraTo(CResultDisplay& target)
{
    const CSceneView& from = ResultScene();
    CSceneView& to = target.ResultScene();
    to.SetModelBox(from.ModelBoxCorner(0), from.ModelBoxCorner(1));
    const CViewVolume& source = from.Camera(CSceneView::kSceneViewport);
    CViewVolume& scene = to.Camera(CSceneView::kSceneViewport);
    scene.m_volumeStart = source.m_volumeStart;
    scene.m_volumeEnd = source.m_volumeEnd;
    scene.m_copyStart = source.m_copyStart;
    scene.m_copyEnd = source.m_copyEnd;
    target.ResultRenderer().FitViewVolumeToAspect(CSceneView::kSceneViewport);
    scene.m_rotation = source.m_rotation;
    scene.m_panPoint = source.m_panPoint;
}

void CResultDisplay::ShowVectors(CResultDisplay& target, int resultId, int category,
                                 const CResultDisplayAttr& bands)
{
    CVectorDisplayAttr defaults;
    if (const CVectorDisplayAttr* project = VectorDefaults())
        defaults = *project;
    const CResultData* result = FindResult(resultId);
    const CModelSet* model = Model();
    if (result == nullptr || model == nullptr)
        return;
    // The arrows' lengths follow the magnitudes of the result as stored.
    const CValueRange magnitudes = GetStoredResultRange(*result, kKindScalar, category);
    const CVectorDisplayAttr attr = MakeVectorDisplayAttr(
        bands, defaults, resultId, model->GetBoundingBox(), magnitudes.min, magnitudes.max);
    // The view that shows the result gets its settings, whichever view is active.
    target.GetResultDisplayAttr(resultId, &attr, category);
}

void CResultDisplay::DisplayContourView(int resultId, CResultDisplay* target, BOOL rebuildAll)
{
    const char* location = "CCAEView::DisplayContourView";
    try
    {
        if (target == nullptr || FindResult(resultId) == nullptr)
            return;
        CAESet& renderer = target->ResultRenderer();
        renderer.SetContourResultId(resultId);
        if (rebuildAll)
            renderer.RenderAll();
        else
            renderer.RenderResults();
        target->InvalidateView();
    }
    catch (CException* e)
    {
        e->Delete();
        WriteLog(kError, location, "Exception occured in CCAEView::DisplayContourView");
    }
    catch (...)
    {
        WriteLog(kError, location, "Exception occured in CCAEView::DisplayContourView");
    }
}

void CResultDisplay::GetResultDisplayAttr(int resultId, const CVectorDisplayAttr* attr, int)
{
    if (attr == nullptr)
        return;
    CAESet& renderer = ResultRenderer();
    InstallVectorPlot(ResultScene().EditScene().EditVectorPlots(), renderer.VectorPlotKey(resultId),
                      *attr);
    renderer.SetVectorResultId(resultId);
    renderer.RenderAll();
    InvalidateView();
}

void CResultDisplay::OnDisplayResult()
{
    ShowStatusText("DisplayResult");
    const CAESet& renderer = ResultRenderer();
    DisplayResultView(renderer.ContourResultId(), renderer.ResultComponent(),
                      ResultScene().Scene().DisplayAttr().m_nResultCategory, TRUE);
}

BOOL CResultDisplay::CanUseModelCommands()
{
    const CModelSet* model = Model();
    const CGroupSet* group = model ? model->GetDefaultGroup() : nullptr;
    if (group == nullptr)
        return FALSE;
    const bool hasMembers = group->GetNodes().GetCount() > 0 || group->GetSolids().GetCount() > 0 ||
                            group->GetShells().GetCount() > 0 || group->GetBeams().GetCount() > 0 ||
                            group->GetSprings().GetCount() > 0 || group->GetMasses().GetCount() > 0;
    return hasMembers ? TRUE : FALSE;
}
