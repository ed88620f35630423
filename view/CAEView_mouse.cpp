// 3-D view: operation modes and their cursors, the left button, the wheel and the middle and
// right buttons. A left-button drag moves the camera in an operation mode or with Shift
// (pan), Ctrl (zoom) or both (rotation); without either it belongs to the open selection.
#include "platform/win/cmdtarget.h"
#include "platform/win/resource.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/ModeCommand.h"

#include <algorithm>

namespace
{
constexpr ModeCommand kModeCommands[] = {
    {ID_VIEW_PAN, "Pan", kModePan},
    {ID_VIEW_ZOOM, "Zoom", kModeZoom},
    {ID_VIEW_WINDOW_ZOOM, "WindowZoom", kModeWindowZoom},
    {ID_VIEW_ROTATE3D, "Rotate3D", kModeRotate3D},
    {ID_VIEW_ROTATE_PLANE, "RotatePlane", kModeRotatePlane},
    {ID_VIEW_ROTATE_VERTICAL, "RotateVertical", kModeRotateVertical},
    {ID_VIEW_ROTATE_HORIZONTAL, "RotateHorizontal", kModeRotateHorizontal},
};

struct ModeCursor
{
    int mode;
    UINT cursor;
};
constexpr ModeCursor kModeCursors[] = {
    {kModePan, IDC_VIEW_PAN},
    {kModeZoom, IDC_VIEW_ZOOM},
    {kModeRotate3D, IDC_VIEW_ROTATE3D},
    {kModeRotateVertical, IDC_VIEW_ROTATE_VERTICAL},
    {kModeRotateHorizontal, IDC_VIEW_ROTATE_HORIZONTAL},
    {kModeRotatePlane, IDC_VIEW_ROTATE_PLANE},
};

// Screen axis of the one-axis rotations: 1 horizontal, 2 vertical, 3 the viewing axis.
int ScreenAxisOf(int mode)
{
    switch (mode)
    {
    case kModeRotateVertical: return 1;
    case kModeRotateHorizontal: return 2;
    case kModeRotatePlane: return 3;
    default: return 0;
    }
}

// A drag over the client height zooms by 20 steps; one event never zooms the box in by more
// than 45 % a side, so that it cannot turn inside out.
constexpr double kZoomStepsPerHeight = 20.0;
constexpr double kMaxZoomShare = 0.45;
} // namespace

void CCAEView::SetOperationMode(int mode)
{
    if (mode == kModeNone)
        ::ReleaseCapture();
    g_nOperationMode = mode;
    if (mode != kModeNone)
        SetCapture();
    PostMessage(WM_SETCURSOR, 0, 0);
}

void CCAEView::OnOperationMode(UINT commandId)
{
    const ModeCommand* command = FindModeCommand(kModeCommands, commandId);
    if (command == nullptr)
        return;
    ShowStatus(command->statusKey);
    SetOperationMode(command->mode);
}

void CCAEView::OnUpdateOperationMode(CCmdUI* cmdUI)
{
    const ModeCommand* command = FindModeCommand(kModeCommands, cmdUI->m_nID);
    cmdUI->SetCheck(command != nullptr && g_nOperationMode == command->mode ? 1 : 0);
}

BOOL CCAEView::OnSetCursor(CWnd*, UINT, UINT)
{
    for (const ModeCursor& entry : kModeCursors)
    {
        if (entry.mode != g_nOperationMode)
            continue;
        if (HCURSOR cursor = fw::LoadResourceCursor(entry.cursor))
            ::SetCursor(cursor);
        return TRUE;
    }
    HCURSOR cursor =
        m_viewSelection.IsSelecting() ? fw::LoadResourceCursor(IDC_VIEW_SELECT) : nullptr;
    ::SetCursor(cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

void CCAEView::OnLButtonDown(UINT, CPoint point)
{
    m_ptMouseDown = CPoint3D(point.x, point.y, 0.0);
    // The band of a click without a move is empty, not reaching back to an earlier point.
    m_ptMouseLast = m_ptMouseDown;
    m_bCameraMoved = false;
    if (g_nOperationMode == kModeWindowZoom)
    {
        SetCapture();
        return;
    }
    if (m_viewSelection.IsSelecting() && !m_viewSelection.IsDecisionPending() &&
        m_viewSelection.AreaShape() == 3)
    {
        m_viewSelection.AddPolygonPoint(POINT{point.x, point.y});
    }
    Default();
}

void CCAEView::OnMouseMove(UINT flags, CPoint point)
{
    if (g_nOperationMode != kModeWindowZoom && !m_viewSelection.IsSelecting())
        m_ptMouseLast = CPoint3D(point.x, point.y, 0.0);
    if ((flags & MK_LBUTTON) && MoveCamera(flags, point.x, point.y))
        return;
    if (m_viewSelection.IsSelecting() && !m_viewSelection.IsDecisionPending())
        DragSelection(flags, point.x, point.y);
}

// Each step moves the camera from the previous point (m_ptMouseDown) to this one.
bool CCAEView::MoveCamera(UINT flags, int x, int y)
{
    const bool isShift = (flags & MK_SHIFT) != 0;
    const bool isControl = (flags & MK_CONTROL) != 0;
    if ((isShift || isControl) && GetCapture() != this)
        SetCapture();
    if (GetCapture() != this)
        return false;
    const int mode = g_nOperationMode;
    CViewVolume& scene = Camera(kSceneViewport);
    const CPoint3D to(x, y, 0.0);
    // A modifier the user holds wins over the chosen mode.
    const bool hasModifier = isShift || isControl;
    const bool rotates = (isShift && isControl) || (!hasModifier && mode == kModeRotate3D);
    const bool pans = !rotates && (isShift || (!hasModifier && mode == kModePan));
    const bool zooms = !rotates && !pans && (isControl || (!hasModifier && mode == kModeZoom));
    const int axis = hasModifier ? 0 : ScreenAxisOf(mode);
    if (!rotates && !pans && !zooms && axis == 0)
    {
        if (mode != kModeWindowZoom)
            return false;
        m_ptMouseLast = to;
        m_nRubberBand = kBandRectangle;
        InvalidateView();
        return true;
    }
    m_ptMouseLast = to;
    MakeCurrent();
    Device().BeginScene(&scene);
    if (rotates || axis != 0)
    {
        // The model turns about its own centre unless the user picked a centre.
        scene.m_bRotateAboutViewportCentre = m_bModelCenteredRotation ? 1 : 0;
        if (rotates)
            Device().RotateByDrag(m_ptMouseDown, to, &scene);
        else
            Device().RotateAboutScreenAxis(m_ptMouseDown, to, axis, &scene);
    }
    else if (pans)
    {
        Device().Pan(m_ptMouseDown, to, &scene); // the model follows the mouse
    }
    else
    {
        ZoomByDrag(y);
    }
    Device().EndScene();
    m_ptMouseDown = to;
    m_bCameraMoved = true;
    InvalidateView();
    return true;
}

void CCAEView::ZoomByDrag(int y)
{
    CRect client;
    GetClientRect(&client);
    const double height = std::max(1, client.Height());
    const double step = Device().GetZoomStep() * 0.01;
    const double limit = step > 0.0 ? kMaxZoomShare / step : 0.0;
    CViewVolume& scene = Camera(kSceneViewport);
    const double previousY = m_ptMouseDown.y;
    if (previousY <= y)
        Device().ZoomIn(&scene, std::min(limit, (y - previousY) * kZoomStepsPerHeight / height));
    else
        Device().ZoomOut(&scene, (previousY - y) * kZoomStepsPerHeight / height);
}

void CCAEView::OnLButtonUp(UINT, CPoint point)
{
    if (g_nOperationMode == kModeWindowZoom && GetCapture() == this)
    {
        EndWindowZoom();
        return;
    }
    const bool endsMode = g_nOperationMode != kModeNone;
    SetOperationMode(kModeNone);
    // A press that belonged to a camera move picks nothing on its release.
    const bool picks = !endsMode && !m_bCameraMoved;
    const bool isPolygonClick = m_viewSelection.IsSelecting() &&
                                !m_viewSelection.IsDecisionPending() &&
                                m_viewSelection.AreaShape() == 3;
    if (picks && m_viewSelection.IsSelecting() && !m_viewSelection.IsDecisionPending() &&
        !isPolygonClick)
        ReleaseSelection(point.x, point.y);
    m_nRubberBand = kNoBand;
    Default();
    if (!isPolygonClick)
        InvalidateView();
}

void CCAEView::EndWindowZoom()
{
    m_nRubberBand = kNoBand;
    ::ReleaseCapture();
    BeginWaitCursor();
    // The band's corners unproject into the camera's box: its projection without the model's
    // rotation and pan.
    MakeCurrent();
    CViewVolume& scene = Camera(kSceneViewport);
    Device().BeginScene(&scene);
    Device().EndScene();
    Device().ZoomWindow(m_ptMouseDown, m_ptMouseLast, &scene);
    EndWaitCursor();
    m_ptMouseDown = CPoint3D();
    m_ptMouseLast = CPoint3D();
    SetOperationMode(kModeNone);
    InvalidateView();
}

BOOL CCAEView::OnMouseWheel(UINT, short delta, CPoint)
{
    CViewVolume& scene = Camera(kSceneViewport);
    if (delta >= 0)
        Device().ZoomIn(&scene, 1.0);
    else
        Device().ZoomOut(&scene, 1.0);
    InvalidateView();
    Default();
    return TRUE;
}

// The middle button closes a polygon or decides, as Enter does.
void CCAEView::OnMButtonDown(UINT, CPoint)
{
    OnSelectionKey(VK_RETURN);
    Default();
}

void CCAEView::OnRButtonDown(UINT, CPoint)
{
    Default();
}

void CCAEView::OnRButtonUp(UINT, CPoint)
{
    Default();
}

CCAEView::EntrySpan CCAEView::MouseEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command_range<ID_VIEW_PAN, ID_VIEW_ZOOM, &CCAEView::OnOperationMode>(),
        fw::command_range<ID_VIEW_WINDOW_ZOOM, ID_VIEW_ROTATE_HORIZONTAL,
                          &CCAEView::OnOperationMode>(),
        fw::update_range<ID_VIEW_PAN, ID_VIEW_ZOOM, &CCAEView::OnUpdateOperationMode>(),
        fw::update_range<ID_VIEW_WINDOW_ZOOM, ID_VIEW_ROTATE_HORIZONTAL,
                         &CCAEView::OnUpdateOperationMode>(),
        fw::on<WM_SETCURSOR, &CCAEView::OnSetCursor>(),
        fw::on<WM_LBUTTONDOWN, &CCAEView::OnLButtonDown>(),
        fw::on<WM_LBUTTONUP, &CCAEView::OnLButtonUp>(),
        fw::on<WM_MOUSEMOVE, &CCAEView::OnMouseMove>(),
        fw::on<WM_MOUSEWHEEL, &CCAEView::OnMouseWheel>(),
        fw::on<WM_MBUTTONDOWN, &CCAEView::OnMButtonDown>(),
        fw::on<WM_RBUTTONDOWN, &CCAEView::OnRButtonDown>(),
        fw::on<WM_RBUTTONUP, &CCAEView::OnRButtonUp>(),
    };
    return {kEntries, std::size(kEntries)};
}
