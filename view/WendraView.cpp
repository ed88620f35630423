// The document template's 3-D view: initial camera, the frame drawn in a fixed order, and the
// message table of every view handler.
#include "view/WendraView.h"

#include "core/geometry/ColorConvert.h"
#include "core/services/LogFile.h"
#include "platform/base/exception.h"
#include "platform/win/dc.h"
#include "platform/win/glpresent.h"
#include "platform/win/platform_ids.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"

#include <GL/gl.h>

namespace
{
void LogDrawFailure()
{
    CAELogFile log("Gravik");
    log.WriteLine(2, "CWendraView::OnDraw", "Exception occured in CWendraView::OnDraw");
}

// Runs a drawing step; a failure is logged and ends the step.
template <class Step>
bool RunDrawStep(Step&& step)
{
    try
    {
        step();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    LogDrawFailure();
    return false;
}
} // namespace

CWendraView::CWendraView()
{
    CViewVolume& scene = Camera(kSceneViewport);
    scene.SetRotationAngles(CPoint3D(0, 0, 0));
    scene.SetVolume(CPoint3D(-7, -7, -7), CPoint3D(4, 4, 4));
    scene.SetPanPoint(CPoint3D(0, 0, 0));
    scene.m_copyStart = scene.m_volumeStart;
    scene.m_copyEnd = scene.m_volumeEnd;
}

BOOL CWendraView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!Device().ReservedSlot30(reinterpret_cast<UINT_PTR>(&cs)))
        return FALSE;
    if (!CCAEView::PreCreateWindow(cs))
        return FALSE;
    // OpenGL keeps its pixel format on a window DC of its own and paints no other window.
    cs.lpszClass = fw::RegisterWndClass(CS_OWNDC | CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    cs.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return TRUE;
}

void CWendraView::OnDraw(CDC* dc)
{
    const bool isDrawn = RunDrawStep(
        [this, dc]
        {
            if (!IsPrinting())
                MakeCurrent();
            DrawFrame(dc);
        });
    if (isDrawn && Device().GetClientDC() != nullptr)
        fw::PresentGLFrame(Device().GetClientDC()->GetSafeHdc());
}

void CWendraView::DrawForPrint(CDC* dc)
{
    RunDrawStep([this, dc] { DrawFrame(dc); });
}

void CWendraView::DrawFrame(CDC* dc)
{
    const CAESettings* settings = GetSettings();
    Device().SetColor(COLORREFToColor(settings ? settings->m_backgroundColor : RGB(0, 0, 0)));
    DrawAll(dc);
}

void CWendraView::DrawAll(CDC* dc)
{
    RunDrawStep(
        [this, dc]
        {
            Device().ClearBuffers();
            Device().Finish();
            Device().ClearBuffers();
            Device().BeginScene(&Camera(kSceneViewport));
            Renderer().DrawScene();
            Renderer().DrawSelection();
            Device().EndScene();
            const CAESettings* settings = GetSettings();
            if (settings && settings->m_showReferenceTriad)
                DrawTriad(Camera(kCornerTriadViewport));
            PlaceCentralTriad();
            if (settings && settings->m_showCentralTriad)
                DrawTriad(Camera(kCentralTriadViewport));
            if (Renderer().ContourResultId() != -1 || Renderer().VectorResultId() != -1)
                DrawLegend();
            if (ResultTitle().IsEmpty())
                BuildResultTitle();
            DrawGLText(dc);
            DrawRubberBand();
            Device().BeginScene(&Camera(kSceneViewport));
            Device().EndScene();
            Device().Finish();
        });
}

// The central triad sits on the model origin as the scene camera shows it.
void CWendraView::PlaceCentralTriad()
{
    CViewVolume& scene = Camera(kSceneViewport);
    const CPoint3D origin = Device().ProjectToWindow(CPoint3D(0, 0, 0), &scene);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double y = (viewport[1] + viewport[3]) - origin.y;
    const double s = 0.05 * scene.m_viewportP2.x;
    Camera(kCentralTriadViewport)
        .SetViewport(CPoint3D(origin.x - s, y - s, origin.z - s),
                     CPoint3D(origin.x + s, y + s, origin.z + s));
}

FW_TABLE(
    CWendraView, CCAEView,
    // Window life.
    fw::on<WM_CREATE, &CWendraView::OnCreate>(), fw::on<WM_SIZE, &CWendraView::OnSize>(),
    fw::on<WM_ERASEBKGND, &CWendraView::OnEraseBkgnd>(),
    fw::on<WM_DESTROY, &CWendraView::OnDestroy>(), fw::on<WM_SETFOCUS, &CWendraView::OnSetFocus>(),
    fw::command_range<ID_RECENT_PROJECT_FIRST, ID_RECENT_PROJECT_LAST,
                      &CWendraView::OnRecentProject>(),
    // View directions, angle and vector views, auto scale, triad corners.
    fw::command_range<ID_VIEW_DIR_XY, ID_VIEW_DIR_XY, &CWendraView::OnViewDirection>(),
    fw::command_range<ID_VIEW_DIR_YX, ID_VIEW_DIR_YX, &CWendraView::OnViewDirection>(),
    fw::command_range<ID_VIEW_DIR_YZ, ID_VIEW_DIR_YZ, &CWendraView::OnViewDirection>(),
    fw::command_range<ID_VIEW_DIR_XZ, ID_VIEW_DIR_YXZ, &CWendraView::OnViewDirection>(),
    fw::command_range<ID_VIEW_DIR_ZY, ID_VIEW_DIR_ZX, &CWendraView::OnViewDirection>(),
    fw::update_range<ID_VIEW_DIR_XY, ID_VIEW_DIR_XY, &CWendraView::OnUpdateViewDirection>(),
    fw::update_range<ID_VIEW_DIR_YX, ID_VIEW_DIR_YZ, &CWendraView::OnUpdateViewDirection>(),
    fw::update_range<ID_VIEW_DIR_XZ, ID_VIEW_DIR_YXZ, &CWendraView::OnUpdateViewDirection>(),
    fw::update_range<ID_VIEW_DIR_ZY, ID_VIEW_DIR_ZX, &CWendraView::OnUpdateViewDirection>(),
    fw::command<ID_VIEW_ANGLE, &CWendraView::OnViewAngle>(),
    fw::command<ID_VIEW_VECTOR, &CWendraView::OnViewVector>(),
    fw::command<ID_VIEW_AUTOSCALE, &CWendraView::OnAutoScale>(),
    fw::command_range<ID_TRIAD_RIGHT_BOTTOM, ID_TRIAD_RIGHT_BOTTOM, &CWendraView::OnTriadCorner>(),
    fw::command_range<ID_TRIAD_RIGHT_TOP, ID_TRIAD_RIGHT_TOP, &CWendraView::OnTriadCorner>(),
    fw::command_range<ID_TRIAD_LEFT_TOP, ID_TRIAD_LEFT_TOP, &CWendraView::OnTriadCorner>(),
    fw::command_range<ID_TRIAD_LEFT_BOTTOM, ID_TRIAD_LEFT_BOTTOM, &CWendraView::OnTriadCorner>(),
    fw::update_range<ID_TRIAD_RIGHT_BOTTOM, ID_TRIAD_RIGHT_BOTTOM,
                     &CWendraView::OnUpdateTriadCorner>(),
    fw::update_range<ID_TRIAD_RIGHT_TOP, ID_TRIAD_RIGHT_TOP, &CWendraView::OnUpdateTriadCorner>(),
    fw::update_range<ID_TRIAD_LEFT_TOP, ID_TRIAD_LEFT_TOP, &CWendraView::OnUpdateTriadCorner>(),
    fw::update_range<ID_TRIAD_LEFT_BOTTOM, ID_TRIAD_LEFT_BOTTOM,
                     &CWendraView::OnUpdateTriadCorner>(),
    // Display modes, redraw, tools, the load-case combo.
    fw::command_range<ID_VIEW_WIREFRAME, ID_VIEW_HIDDENLINE, &CWendraView::OnDisplayMode>(),
    fw::update_range<ID_VIEW_WIREFRAME, ID_VIEW_HIDDENLINE, &CWendraView::OnUpdateDisplayMode>(),
    fw::command<ID_VIEW_REDRAW, &CWendraView::OnRedraw>(),
    fw::command<ID_VIEW_SHRINK_SETTING, &CWendraView::OnShrinkSetting>(),
    fw::command<ID_VIEW_CLIPPING, &CWendraView::OnClipping>(),
    fw::command<ID_EDIT_ELEMENT_PROPERTY, &CWendraView::OnEditElementProperty>(),
    fw::update<ID_EDIT_ELEMENT_PROPERTY, &CWendraView::OnUpdateModelCommand>(),
    fw::command<ID_DISPLAY_RESULT, &CWendraView::OnDisplayResultCommand>(),
    fw::control<CBN_SELCHANGE, ID_LOADCASE_COMBO, &CWendraView::OnLoadCaseChange>(),
    // Animation, its timer, image and AVI export, printing.
    fw::command<ID_ANIMATION_PLAY, &CWendraView::OnPlay>(),
    fw::command<ID_ANIMATION_STOP, &CWendraView::OnStop>(),
    fw::command<ID_ANIMATION_BACK, &CWendraView::OnBack>(),
    fw::command<ID_ANIMATION_FORWARD, &CWendraView::OnForward>(),
    fw::command<ID_ANIMATION_REPEAT, &CWendraView::OnRepeat>(),
    fw::update<ID_ANIMATION_PLAY, &CWendraView::OnUpdateAnimation>(),
    fw::update<ID_ANIMATION_STOP, &CWendraView::OnUpdateStop>(),
    fw::update_range<ID_ANIMATION_BACK, ID_ANIMATION_REPEAT, &CWendraView::OnUpdateAnimation>(),
    fw::update<ID_EXPORT_AVI, &CWendraView::OnUpdateAnimation>(),
    fw::update<ID_LOADCASE_COMBO, &CWendraView::OnUpdateAnimation>(),
    fw::command<ID_EXPORT_IMAGE, &CWendraView::OnExportImage>(),
    fw::command<ID_EXPORT_AVI, &CWendraView::OnExportAvi>(),
    fw::command<ID_VIEW_PRINT, &CWendraView::OnPrintAsking>(),
    fw::command<ID_FILE_PRINT, &CWendraView::OnFilePrint>(),
    fw::command<ID_FILE_PRINT_DIRECT, &CWendraView::OnFilePrint>(),
    fw::command<ID_FILE_PRINT_PREVIEW, &CWendraView::OnPrintPreviewAsking>(),
    // View toolbars.
    fw::command_range<ID_TOOLBAR_ANIMATION, ID_TOOLBAR_ANIMATION, &CWendraView::OnToolbar>(),
    fw::command_range<ID_TOOLBAR_SELECTION, ID_TOOLBAR_WORKSPACE, &CWendraView::OnToolbar>(),
    fw::command_range<ID_TOOLBAR_VIEW_MODE, ID_TOOLBAR_VIEW_MODE, &CWendraView::OnToolbar>(),
    fw::command_range<ID_TOOLBAR_SELECTION_FILTER, ID_TOOLBAR_SELECTION_FILTER,
                      &CWendraView::OnToolbar>(),
    fw::command_range<ID_TOOLBAR_DISPLAY_FILTER, ID_TOOLBAR_DISPLAY_FILTER,
                      &CWendraView::OnToolbar>(),
    fw::update_range<ID_TOOLBAR_ANIMATION, ID_TOOLBAR_ANIMATION, &CWendraView::OnUpdateToolbar>(),
    fw::update_range<ID_TOOLBAR_SELECTION, ID_TOOLBAR_WORKSPACE, &CWendraView::OnUpdateToolbar>(),
    fw::update_range<ID_TOOLBAR_VIEW_MODE, ID_TOOLBAR_VIEW_MODE, &CWendraView::OnUpdateToolbar>(),
    fw::update_range<ID_TOOLBAR_SELECTION_FILTER, ID_TOOLBAR_SELECTION_FILTER,
                     &CWendraView::OnUpdateToolbar>(),
    fw::update_range<ID_TOOLBAR_DISPLAY_FILTER, ID_TOOLBAR_DISPLAY_FILTER,
                     &CWendraView::OnUpdateToolbar>(),
    // Display filter, selection filter, id labels, element filter.
    fw::command_range<ID_DISPLAY_FILTER_NODE, ID_DISPLAY_FILTER_NODE,
                      &CWendraView::OnDisplayFilter>(),
    fw::command_range<ID_DISPLAY_FILTER_BEAM, ID_DISPLAY_FILTER_SOLID,
                      &CWendraView::OnDisplayFilter>(),
    fw::command_range<ID_DISPLAY_FILTER_MASS, ID_DISPLAY_FILTER_MASS,
                      &CWendraView::OnDisplayFilter>(),
    fw::update_range<ID_DISPLAY_FILTER_NODE, ID_DISPLAY_FILTER_NODE,
                     &CWendraView::OnUpdateDisplayFilter>(),
    fw::update_range<ID_DISPLAY_FILTER_BEAM, ID_DISPLAY_FILTER_SOLID,
                     &CWendraView::OnUpdateDisplayFilter>(),
    fw::update_range<ID_DISPLAY_FILTER_MASS, ID_DISPLAY_FILTER_MASS,
                     &CWendraView::OnUpdateDisplayFilter>(),
    fw::command_range<ID_SELECT_FILTER_NODE, ID_SELECT_FILTER_SOLID,
                      &CWendraView::OnSelectionFilter>(),
    fw::command_range<ID_SELECT_FILTER_MASS, ID_SELECT_FILTER_MASS,
                      &CWendraView::OnSelectionFilter>(),
    fw::update_range<ID_SELECT_FILTER_NODE, ID_SELECT_FILTER_SOLID,
                     &CWendraView::OnUpdateSelectionFilter>(),
    fw::update_range<ID_SELECT_FILTER_MASS, ID_SELECT_FILTER_MASS,
                     &CWendraView::OnUpdateSelectionFilter>(),
    fw::command<ID_SHOW_ELEMENT_IDS, &CWendraView::OnShowElementIds>(),
    fw::update<ID_SHOW_ELEMENT_IDS, &CWendraView::OnUpdateShowElementIds>(),
    fw::command<ID_SHOW_NODE_IDS, &CWendraView::OnShowNodeIds>(),
    fw::update<ID_SHOW_NODE_IDS, &CWendraView::OnUpdateShowNodeIds>(),
    fw::command<ID_ELEMENT_FILTER, &CWendraView::OnElementFilter>(),
    // Operation modes, mouse, wheel and keys.
    fw::command_range<ID_VIEW_PAN, ID_VIEW_ZOOM, &CWendraView::OnOperationMode>(),
    fw::command_range<ID_VIEW_WINDOW_ZOOM, ID_VIEW_ROTATE_HORIZONTAL,
                      &CWendraView::OnOperationMode>(),
    fw::update_range<ID_VIEW_PAN, ID_VIEW_ZOOM, &CWendraView::OnUpdateOperationMode>(),
    fw::update_range<ID_VIEW_WINDOW_ZOOM, ID_VIEW_ROTATE_HORIZONTAL,
                     &CWendraView::OnUpdateOperationMode>(),
    fw::on<WM_SETCURSOR, &CWendraView::OnSetCursor>(),
    fw::on<WM_LBUTTONDOWN, &CWendraView::OnLButtonDown>(),
    fw::on<WM_LBUTTONUP, &CWendraView::OnLButtonUp>(),
    fw::on<WM_MOUSEMOVE, &CWendraView::OnMouseMove>(),
    fw::on<WM_MOUSEWHEEL, &CWendraView::OnMouseWheel>(),
    fw::on<WM_MBUTTONDOWN, &CWendraView::OnMButtonDown>(),
    fw::on<WM_RBUTTONDOWN, &CWendraView::OnRButtonDown>(),
    fw::on<WM_RBUTTONUP, &CWendraView::OnRButtonUp>(),
    fw::on<WM_KEYDOWN, &CWendraView::OnKeyDown>(), fw::on<WM_TIMER, &CWendraView::OnTimer>(),
    // Selection and selection mode toolbars, undo and redo.
    fw::command<ID_SELECT_CANCEL_ALL, &CWendraView::OnCancelAll>(),
    fw::command<ID_SELECT_CANCEL_ONE, &CWendraView::OnCancelOne>(),
    fw::command<ID_SELECT_DECISION, &CWendraView::OnDecision>(),
    fw::command<ID_SELECT_ABORT, &CWendraView::OnAbortSelection>(),
    fw::command<ID_SELECT_ALL, &CWendraView::OnSelectAll>(),
    fw::command_range<ID_SELECT_BY_ID, ID_SELECT_BY_ID, &CWendraView::OnSelectEntities>(),
    fw::command_range<ID_SELECT_BY_PROPERTY, ID_SELECT_BY_MATERIAL,
                      &CWendraView::OnSelectEntities>(),
    fw::update_range<ID_SELECT_CANCEL_ALL, ID_SELECT_BY_ID, &CWendraView::OnUpdateSelecting>(),
    fw::update_range<ID_SELECT_BY_PROPERTY, ID_SELECT_BY_MATERIAL,
                     &CWendraView::OnUpdateSelectByGroup>(),
    fw::command_range<ID_SELECT_RECTANGLE, ID_SELECT_POLYGON, &CWendraView::OnSelectionShape>(),
    fw::update_range<ID_SELECT_RECTANGLE, ID_SELECT_POLYGON,
                     &CWendraView::OnUpdateSelectionShape>(),
    fw::command<ID_EDIT_UNDO, &CWendraView::OnUndo>(),
    fw::command<ID_EDIT_REDO, &CWendraView::OnRedo>(),
    fw::update<ID_EDIT_UNDO, &CWendraView::OnUpdateUndo>(),
    fw::update<ID_EDIT_REDO, &CWendraView::OnUpdateRedo>())
