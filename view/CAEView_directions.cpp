// 3-D view: the fixed view directions, the angle and vector views, auto scale, the corner of
// the reference triad and the drawing of a triad.
#include "core/geometry/VectorMath.h"
#include "core/services/StringFile.h"
#include "platform/win/cmdtarget.h"
#include "project/ProjectData.h"
#include "render/QuadricGlyph.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/ViewMainFrame.h"

#include <GL/gl.h>
#include <cmath>
#include <commctrl.h>

namespace
{
struct Direction
{
    UINT id;
    const char* statusKey;
    double x, y, z; // rotation angles, degrees
};
constexpr Direction kDirections[] = {
    {ID_VIEW_DIR_XY, "ViewVectorXY", 0, 0, 0},
    {ID_VIEW_DIR_XYZ, "ViewVectorXYZ", -55, 0, -135},
    {ID_VIEW_DIR_XZ, "ViewVectorXZ", 270, 0, 0},
    {ID_VIEW_DIR_YX, "ViewVectorYX", 0, 180, 90},
    {ID_VIEW_DIR_YXZ, "ViewVectorYXZ", -135, 0, 45},
    {ID_VIEW_DIR_YZ, "ViewVectorYZ", -90, 0, -90},
    {ID_VIEW_DIR_ZX, "ViewVectorZX", 0, 90, 90},
    {ID_VIEW_DIR_ZY, "ViewVectorZY", 90, 90, -90},
};

struct Corner
{
    UINT id;
    int corner;
};
constexpr Corner kCorners[] = {{ID_TRIAD_LEFT_TOP, CCAEView::kLeftTop},
                               {ID_TRIAD_RIGHT_TOP, CCAEView::kRightTop},
                               {ID_TRIAD_LEFT_BOTTOM, CCAEView::kLeftBottom},
                               {ID_TRIAD_RIGHT_BOTTOM, CCAEView::kRightBottom}};

int CornerOf(UINT id)
{
    for (const Corner& c : kCorners)
    {
        if (c.id == id)
            return c.corner;
    }
    return -1;
}

// Triad geometry in the triad camera's units.
constexpr double kAxisLength = 50.0;
constexpr double kHeadBase = 35.0;
constexpr double kHeadRadius = 7.0;
constexpr double kTriadVolume = 100.0;
} // namespace

void CCAEView::ApplyViewAngles(const CPoint3D& anglesDeg)
{
    BeginWaitCursor();
    Camera(kSceneViewport).SetRotationAngles(anglesDeg);
    InvalidateView();
    EndWaitCursor();
}

void CCAEView::OnViewDirection(UINT commandId)
{
    for (const Direction& d : kDirections)
    {
        if (d.id != commandId)
            continue;
        ApplyViewAngles(CPoint3D(d.x, d.y, d.z));
        ShowStatus(d.statusKey);
        return;
    }
}

// Checked only while the mouse rotates the model freely.
void CCAEView::OnUpdateViewDirection(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(g_nOperationMode == 6 ? 1 : 0);
}

void CCAEView::OnViewAngle()
{
    ShowStatus("ViewRelativeangle");
    if (m_pMainFrame == nullptr)
        return;
    CString prefix;
    LoadStringFromFile(CString("Message.str"), CString("MsgPane"), CString("ViewRelativeAngleR"),
                       &prefix);
    // The dialog opens again after each OK, until Cancel.
    CPoint3D angles = Camera(kSceneViewport).m_rotation;
    CString texts[3];
    while (m_pMainFrame->RunViewAngleDialog(angles, texts))
    {
        ApplyViewAngles(angles);
        const CString line = prefix + " X=" + texts[0] + " Y=" + texts[1] + " Z=" + texts[2];
        m_pMainFrame->AddOutputLine(line.GetString());
        angles = Camera(kSceneViewport).m_rotation;
    }
}

void CCAEView::OnViewVector()
{
    ShowStatus("ViewRelativeVector");
    if (m_pMainFrame == nullptr)
        return;
    CPoint3D direction = DirectionFromAngles(Camera(kSceneViewport).m_rotation);
    if (!m_pMainFrame->RunViewVectorDialog(direction))
        return;
    BeginWaitCursor();
    const CPoint3D n = Normalize(direction);
    CViewVolume& scene = Camera(kSceneViewport);
    if (n.x == 0.0 && n.y == 0.0 && n.z == 0.0)
    {
        // No direction: the camera stays.
    }
    else if (n.x == 0.0 && n.y == 0.0)
    {
        scene.SetRotationAngles(n.z > 0.0 ? CPoint3D(0, 0, 0) : CPoint3D(180, 0, -180));
        InvalidateView();
    }
    else
    {
        // Up is the direction towards the point of the z axis that the eye sees straight on.
        double t = 1.0 / std::sin(1.5707963265 - n.z);
        if (n.z < 0.0)
            t = -t;
        const CPoint3D up = UnitVector(n, CPoint3D(0, 0, t));
        MakeCurrent();
        scene.SetViewVector(n, up);
        InvalidateView();
    }
    EndWaitCursor();
}

void CCAEView::OnAutoScale()
{
    ShowStatus("Autoscale");
    m_AESet.AutoScale(this);
    InvalidateView();
}

void CCAEView::OnTriadCorner(UINT commandId)
{
    CAESettings* settings = GetSettings();
    const int corner = CornerOf(commandId);
    if (settings == nullptr || corner < 0)
        return;
    settings->m_triadPosition = static_cast<int16_t>(corner);
    if (m_pMainFrame)
        m_pMainFrame->ApplySettingsToAllViews(TRUE);
}

void CCAEView::OnUpdateTriadCorner(CCmdUI* cmdUI)
{
    const CAESettings* settings = GetSettings();
    cmdUI->SetCheck(settings && settings->m_triadPosition == CornerOf(cmdUI->m_nID) ? 1 : 0);
}

// The triad turns with the model and is never hidden by it.
void CCAEView::DrawTriad(CViewVolume& camera)
{
    camera.SetRotationAngles(Camera(kSceneViewport).m_rotation);
    camera.SetPanPoint(CPoint3D(0, 0, 0));
    camera.SetVolume(CPoint3D(-kTriadVolume, -kTriadVolume, -kTriadVolume),
                     CPoint3D(kTriadVolume, kTriadVolume, kTriadVolume));
    Device().BeginScene(&camera);
    Device().SetRenderMode(kRenderLines);
    Device().SetLineWidth(1.0f);
    glDisable(GL_DEPTH_TEST);
    Device().SetFontListBase(m_nTextFontBase);
    Device().SetColor(CColorRGBA(0.65f, 0.65f, 0.65f, 0.0f));
    static const char* const kLabels[3] = {" X", " Y", " Z"};
    CQuadricGlyph glyph;
    for (int axis = 0; axis < 3; ++axis)
    {
        const CPoint3D end(axis == 0 ? kAxisLength : 0, axis == 1 ? kAxisLength : 0,
                           axis == 2 ? kAxisLength : 0);
        const CPoint3D base(axis == 0 ? kHeadBase : 0, axis == 1 ? kHeadBase : 0,
                            axis == 2 ? kHeadBase : 0);
        Device().SetColor(CColorRGBA(axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f,
                                     axis == 2 ? 1.0f : 0.0f, 0.0f));
        Device().DrawText3D(end, kLabels[axis]);
        glyph.DrawArrow(end, base, kHeadRadius);
        Device().DrawLine(CPoint3D(0, 0, 0), end, 0);
    }
    Device().SetPointSize(4);
    Device().SetColor(CColorRGBA(1.0f, 1.0f, 1.0f, 0.0f));
    Device().DrawTriangle(CPoint3D(10, 0, 0), CPoint3D(0, 0, 10), CPoint3D(0, 10, 0), 0);
    Device().EndScene();
}

CCAEView::EntrySpan CCAEView::DirectionEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_VIEW_DIR_XY, &CCAEView::OnViewDirection>(),
        fw::command<ID_VIEW_DIR_YX, &CCAEView::OnViewDirection>(),
        fw::command<ID_VIEW_DIR_YZ, &CCAEView::OnViewDirection>(),
        fw::command_range<ID_VIEW_DIR_XZ, ID_VIEW_DIR_YXZ, &CCAEView::OnViewDirection>(),
        fw::command_range<ID_VIEW_DIR_ZY, ID_VIEW_DIR_ZX, &CCAEView::OnViewDirection>(),
        fw::update<ID_VIEW_DIR_XY, &CCAEView::OnUpdateViewDirection>(),
        fw::update_range<ID_VIEW_DIR_YX, ID_VIEW_DIR_YZ, &CCAEView::OnUpdateViewDirection>(),
        fw::update_range<ID_VIEW_DIR_XZ, ID_VIEW_DIR_YXZ, &CCAEView::OnUpdateViewDirection>(),
        fw::update_range<ID_VIEW_DIR_ZY, ID_VIEW_DIR_ZX, &CCAEView::OnUpdateViewDirection>(),
        fw::command<ID_VIEW_ANGLE, &CCAEView::OnViewAngle>(),
        fw::command<ID_VIEW_VECTOR, &CCAEView::OnViewVector>(),
        fw::command<ID_VIEW_AUTOSCALE, &CCAEView::OnAutoScale>(),
        fw::command<ID_TRIAD_RIGHT_BOTTOM, &CCAEView::OnTriadCorner>(),
        fw::command<ID_TRIAD_RIGHT_TOP, &CCAEView::OnTriadCorner>(),
        fw::command<ID_TRIAD_LEFT_TOP, &CCAEView::OnTriadCorner>(),
        fw::command<ID_TRIAD_LEFT_BOTTOM, &CCAEView::OnTriadCorner>(),
        fw::update<ID_TRIAD_RIGHT_BOTTOM, &CCAEView::OnUpdateTriadCorner>(),
        fw::update<ID_TRIAD_RIGHT_TOP, &CCAEView::OnUpdateTriadCorner>(),
        fw::update<ID_TRIAD_LEFT_TOP, &CCAEView::OnUpdateTriadCorner>(),
        fw::update<ID_TRIAD_LEFT_BOTTOM, &CCAEView::OnUpdateTriadCorner>(),
        fw::notify<static_cast<int>(TBN_DROPDOWN), IDW_VIEW_DROPDOWN_BAR_1,
                   &CCAEView::OnToolBarDropDown>(),
        fw::notify<static_cast<int>(TBN_DROPDOWN), IDW_VIEW_DROPDOWN_BAR_2,
                   &CCAEView::OnToolBarDropDown>(),
        fw::notify<static_cast<int>(TBN_DROPDOWN), IDW_VIEW_DROPDOWN_BAR_3,
                   &CCAEView::OnToolBarDropDown>(),
    };
    return {kEntries, std::size(kEntries)};
}
