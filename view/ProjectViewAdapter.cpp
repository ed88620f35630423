// A 3-D view as the project file reads and writes it.
#include "view/ProjectViewAdapter.h"

#include "platform/docview/frame.h"
#include "platform/docview/mdi.h"
#include "view/CAEView.h"

CViewFileState CProjectViewAdapter::GetFileState() const
{
    CViewFileState state;
    if (const CFrameWnd* frame = m_view.GetParentFrame())
    {
        state.windowState = frame->IsIconic()   ? CViewFileState::kMinimized
                            : frame->IsZoomed() ? CViewFileState::kMaximized
                                                : CViewFileState::kNormal;
        CRect rect;
        frame->GetWindowRect(&rect);
        state.left = rect.left;
        state.top = rect.top;
        state.width = rect.Width();
        state.height = rect.Height();
    }
    const CViewVolume& camera = m_view.Camera(CSceneView::kSceneViewport);
    state.camera.rotationDeg = camera.m_rotation;
    state.camera.pan = camera.m_panPoint;
    state.camera.volumeStart = camera.m_volumeStart;
    state.camera.volumeEnd = camera.m_volumeEnd;
    state.displayMode = m_view.Scene().DisplayMode();
    state.shrinkFactor = m_view.Scene().ShrinkFactor();
    state.isShrunk = m_view.Scene().IsShrunk() != 0;
    const CAESet& renderer = m_view.Renderer();
    state.showDeformation = renderer.ShowDeformation();
    state.animationInterval = m_view.Animation().Interval();
    state.maxLoadCaseSteps = renderer.MaxLCSteps();
    state.loadCaseStep = renderer.LCStep();
    state.deformationScale = renderer.DeformationScale();
    state.modelScale = renderer.ModelScale();
    state.contourResultId = renderer.ContourResultId();
    state.vectorResultId = renderer.VectorResultId();
    state.showModel = renderer.ShowsModel() != 0;
    state.showContour = renderer.ShowsContour() != 0;
    // The component shown: which values of the result the contour or arrows take.
    state.resultType = renderer.ResultComponent();
    return state;
}

CResultDisplayAttr CProjectViewAdapter::GetDisplayAttr() const
{
    return m_view.GetDisplayAttr();
}

const CVectorDisplayAttr* CProjectViewAdapter::FindVectorAttr(UINT packedId) const
{
    const CVectorPlotEntry* entry = m_view.Scene().VectorPlots().Find(static_cast<int>(packedId));
    return entry != nullptr ? &entry->m_attr : nullptr;
}

void CProjectViewAdapter::SetCurrentGroup(CGroupSet* group)
{
    m_view.SetCurrentGroup(group);
}

void CProjectViewAdapter::ShowFrameMinimized()
{
    if (CFrameWnd* frame = m_view.GetParentFrame())
        frame->ShowWindow(SW_SHOWMINIMIZED);
}

void CProjectViewAdapter::RestoreFrame(int left, int top, int width, int height)
{
    CFrameWnd* frame = m_view.GetParentFrame();
    if (frame == nullptr)
        return;
    if (auto* child = dynamic_cast<CMDIChildWnd*>(frame))
        child->MDIRestore();
    else
        frame->ShowWindow(SW_RESTORE);
    // Saved in screen coordinates; the frame moves in its parent's client area.
    POINT origin = {left, top};
    if (const HWND parent = ::GetParent(frame->m_hWnd))
        ::ScreenToClient(parent, &origin);
    frame->MoveWindow(origin.x, origin.y, width, height);
}

void CProjectViewAdapter::MaximizeFrame()
{
    CFrameWnd* frame = m_view.GetParentFrame();
    if (auto* child = dynamic_cast<CMDIChildWnd*>(frame))
        child->MDIMaximize();
    else if (frame != nullptr)
        frame->ShowWindow(SW_SHOWMAXIMIZED);
}

void CProjectViewAdapter::ApplyFileState(const CViewFileState& state)
{
    m_view.EditScene().SetDisplayMode(state.displayMode);
    m_view.EditScene().SetShrinkFactor(state.shrinkFactor);
    m_view.EditScene().SetShrunk(state.isShrunk ? 1 : 0);
    m_view.Animation().SetInterval(state.animationInterval);
    CAESet& renderer = m_view.Renderer();
    renderer.SetContourResultId(state.contourResultId);
    renderer.SetVectorResultId(state.vectorResultId);
    renderer.SetResultComponent(state.resultType);
    renderer.SetShowDeformation(state.showDeformation);
    renderer.SetMaxLCSteps(state.maxLoadCaseSteps);
    renderer.SetDeformationScale(state.deformationScale);
    renderer.SetModelScale(state.modelScale);
    renderer.SetLCStep(state.loadCaseStep);
    renderer.SetShowModel(state.showModel ? 1 : 0);
    renderer.SetShowContour(state.showContour ? 1 : 0);
    renderer.UpdateAnimationFrame();
}

void CProjectViewAdapter::LoadElementFilter(CModelSet* model)
{
    m_view.LoadElementFilter(model);
}

void CProjectViewAdapter::LoadViewIdMaps(CGroupSet* group)
{
    if (group != nullptr)
        m_view.LoadViewIdMaps(group->GetSolidEdges(), group->GetShellEdges());
}

void CProjectViewAdapter::SetBackgroundColor(const CColorRGBA& color)
{
    m_view.Device().SetColor(color);
}

void CProjectViewAdapter::SetCurrentResult(CResultData* result)
{
    m_view.SetCurrentResult(result);
}

CResultDisplayAttr CProjectViewAdapter::GetOwnDisplayAttr() const
{
    return m_view.Scene().DisplayAttr();
}

void CProjectViewAdapter::SetOwnDisplayAttr(const CResultDisplayAttr& attr)
{
    m_view.EditScene().EditDisplayAttr() = attr;
}

void CProjectViewAdapter::DisplayContourView(int resultId, int flag)
{
    m_view.DisplayContourView(resultId, &m_view, flag);
}

void CProjectViewAdapter::DisplayVectorView(int resultId, const CVectorDisplayAttr& attr, int)
{
    m_view.GetResultDisplayAttr(resultId, &attr, m_view.Scene().DisplayAttr().m_nResultCategory);
}

void CProjectViewAdapter::BuildResultTitle()
{
    m_view.BuildResultTitle();
}

void CProjectViewAdapter::ActivateFrame()
{
    if (CFrameWnd* frame = m_view.GetParentFrame())
        frame->ActivateFrame(-1);
}

void CProjectViewAdapter::SetCamera(const CViewCamera& camera)
{
    CViewVolume& volume = m_view.Camera(CSceneView::kSceneViewport);
    volume.SetRotationAngles(camera.rotationDeg);
    volume.SetVolume(camera.volumeStart, camera.volumeEnd);
    volume.m_copyStart = camera.volumeStart;
    volume.m_copyEnd = camera.volumeEnd;
    volume.SetPanPoint(camera.pan);
}

void CProjectViewAdapter::RenderAll()
{
    m_view.Renderer().RenderAll();
}

void CProjectViewAdapter::UpdateAndInvalidate()
{
    m_view.UpdateWindow();
    m_view.InvalidateView();
}

void CProjectViewAdapter::OnProjectClosed()
{
    m_view.Renderer().OnProjectClosed();
    m_view.Invalidate(TRUE);
}
