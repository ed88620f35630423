// Renderer: rebuilding and deleting the display lists, and what every builder shares (the
// positions of one rebuild, the list being recorded).
#include "core/model/ModelSet.h"
#include "render/AESet.h"
#include "render/ListBatch.h"
#include "render/NodePointCache.h"
#include "render/RenderLog.h"
#include "render/SceneView.h"

namespace
{
// Model lists DeleteLists removes, in its order; the element-edge and undeformed-shape lists
// are replaced when they are compiled again.
constexpr UINT kDeletedLists[] = {
    CAESet::kNodeList, CAESet::kMassList,  CAESet::kSolidFaceList,  CAESet::kShellFaceList,
    CAESet::kBeamList, CAESet::kElassList, CAESet::kSolidRidgeList, CAESet::kShellRidgeList};
constexpr UINT kPickedLists[] = {CAESet::kNodeList, CAESet::kSolidFaceList, CAESet::kShellFaceList,
                                 CAESet::kBeamList, CAESet::kMassList};
} // namespace

void CAESet::RenderAll()
{
    render_log::Write(render_log::kNormal, "CAESet::RenderAll", " ------ START ------- ");
    m_bRenderAllPending = false;
    if (m_pGroup == nullptr || m_pView == nullptr)
        return;
    m_pView->BeginWaitCursor();
    bool isComplete = false;
    render_log::RunLogged("CAESet::RenderAll",
                          [this, &isComplete]
                          {
                              EndAnimatedFrames();
                              DeleteLists();
                              // Names are handed out again as the lists are rebuilt.
                              m_pView->Device().GetSelectionNames().Clear();
                              CSceneLists::Compiling compiling(m_lists, ListCompiler());
                              m_lists.HoldPoints(true);
                              CreateModelLists();
                              if (m_bShowModel)
                                  CreateUndeformedShapeLists();
                              // The result lists draw at the same positions: computed once
                              // for a million nodes, not again for the contour.
                              RenderResults();
                              m_lists.HoldPoints(false);
                              ReleasePoints();
                              compiling.Finish();
                              isComplete = true;
                          });
    m_lists.HoldPoints(false);
    ReleasePoints();
    m_pView->EndWaitCursor();
    if (isComplete)
        render_log::Write(render_log::kNormal, "CAESet::RenderAll", " ------ END ------- ");
}

void CAESet::RenderAllAtNextDraw()
{
    if (m_pView == nullptr)
        return;
    EndAnimatedFrames();
    DeleteLists();
    m_bRenderAllPending = true;
}

bool CAESet::RunPendingRenderAll()
{
    if (!m_bRenderAllPending)
        return false;
    RenderAll();
    return true;
}

void CAESet::CreateModelLists()
{
    // The node markers first: little to record and much to compile, they compile on a worker
    // while the faces are recorded, when there are workers.
    CreateDisplayListForGrid(nullptr);
    CreateDisplayListForSolid(nullptr);
    CreateDisplayListForShell(nullptr);
    CreateDisplayListForBeam(nullptr);
    CreateDisplayListForElass(nullptr);
    CreateDisplayListForMass(nullptr);
}

void CAESet::RenderResults()
{
    // The pending RenderAll builds the result lists with the rest.
    if (m_pView == nullptr || m_bRenderAllPending)
        return;
    m_pView->BeginWaitCursor();
    // The result lists bake their faces in front of the model's: in the shaded and hidden-line
    // modes both lie at the same depth, and the result is drawn second.
    const CResultFacesInFront inFront(m_pView->Device());
    render_log::RunLogged("CAESet::RenderResults",
                          [this]
                          {
                              DeleteResultLists();
                              const bool isOverlayOnly =
                                  m_bShowModel && !m_bShowContour && m_nShowDeformation != 0;
                              if (!isOverlayOnly && m_nContourResultId != -1)
                                  CreateDisplayListForContourResult();
                              else if (!isOverlayOnly && m_nVectorResultId != -1)
                                  CreateVectorResultLists();
                          });
    m_pView->EndWaitCursor();
}

void CAESet::DeleteLists()
{
    if (m_pView == nullptr)
        return;
    render_log::RunLogged("CAESet::DeleteLists",
                          [this]
                          {
                              m_pView->MakeCurrent();
                              CGLDevice& device = m_pView->Device();
                              for (const UINT code : kDeletedLists)
                                  device.DeleteList(ListName(code));
                              for (const UINT code : kPickedLists)
                                  device.DeleteList(ListName(code | kPickList));
                              // Positions may change with the lists: the highlight follows.
                              device.DeleteList(kHighlightList);
                              m_highlight.Forget();
                              m_lists.NextGeneration();
                              MarkPickListsStale(kKindAll);
                              DeleteResultLists();
                          });
}

void CAESet::DeleteResultLists()
{
    if (m_pView == nullptr)
        return;
    render_log::RunLogged("CAESet::DeleteResultLists",
                          [this]
                          {
                              if (m_nContourResultId == -1)
                                  return;
                              m_pView->MakeCurrent();
                              m_pView->Device().DeleteList(ListName(kShellContourList));
                              m_pView->Device().DeleteList(ListName(kSolidContourList));
                          });
}

void CAESet::CreateUndeformedShapeLists()
{
    if (m_bUndeformedListsBuilt || m_pView == nullptr)
        return;
    CModelSet* model = m_pView->GetModel();
    if (model == nullptr)
        return;
    CreateDisplayListForSolid(model);
    CreateDisplayListForShell(model);
    CreateDisplayListForBeam(model);
    CreateDisplayListForElass(model);
    CreateDisplayListForMass(model);
    m_bUndeformedListsBuilt = 1;
}

CNodePointCache& CAESet::AcquirePoints(CEntitySet* source)
{
    CEntitySet* origin = source ? source : static_cast<CEntitySet*>(m_pView);
    return m_lists.AcquirePoints(m_pGroup->GetNodes(), *origin, source == nullptr);
}

void CAESet::ReleasePoints()
{
    m_lists.ReleasePoints();
}

CDrawDevice* CAESet::Target()
{
    return m_lists.Target(m_pView ? &m_pView->Device() : nullptr);
}

CSceneSettings CAESet::ReadSettings() const
{
    CSceneSettings settings;
    if (m_pView != nullptr)
        m_pView->GetSceneSettings(settings);
    return settings;
}

UINT CAESet::NameOf(const CModelEntity* entity)
{
    return m_pView->Device().GetSelectionNames().Add(entity);
}

void CAESet::GetPickLists(int kinds, CDWordArray& lists)
{
    if (m_pGroup == nullptr || m_pView == nullptr)
        return;
    RunPendingRenderAll();
    m_pickLists.Get(kinds, lists);
}

void CAESet::RebuildPickedLists()
{
    if (m_pView == nullptr || m_pGroup == nullptr)
        return;
    RunPendingRenderAll();
    m_highlight.RebuildPickedLists();
}

bool CAESet::ShowAnimatedFrame()
{
    RunPendingRenderAll();
    if (!m_animatedScene.ShowFrame())
        return false;
    // Picking and the highlight compile their lists again from the positions of this frame.
    MarkPickListsStale(kKindAll);
    m_lists.NextGeneration();
    return true;
}
