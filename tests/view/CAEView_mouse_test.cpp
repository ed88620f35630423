// The view's operation modes, mouse drags, wheel and cursors: zoom, pan, rotation and window
// zoom by mode and by modifier keys, the rubber band in the picture, and the mode commands.
#include "ViewTestFrame.h"
#include "platform/test/pump.h"
#include "platform/win/resource.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "view/CmdRecord.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace view_window_test;

namespace
{
using Rgb = std::array<int, 3>;
constexpr Rgb kBlack = {0, 0, 0};

class ViewMouse : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        // A 10 x 10 quad shell with a corner at the origin.
        AddTestNode(Model(), 1, 0, 0, 0);
        AddTestNode(Model(), 2, 10, 0, 0);
        AddTestNode(Model(), 3, 10, 10, 0);
        AddTestNode(Model(), 4, 0, 10, 0);
        AddQuad(Model(), 1, 1, 2, 3, 4);
        Model().BuildElementFaces();
        m_view = OpenView(300, 300);
        ASSERT_NE(nullptr, m_view);
        Command(m_view, ID_VIEW_AUTOSCALE);
        m_view->Renderer().RenderAll();
        CRect client;
        m_view->GetClientRect(&client);
        m_width = client.Width();
        m_height = client.Height();
    }
    void TearDown() override
    {
        g_nOperationMode = kModeNone;
        ::ReleaseCapture();
        ViewFixture::TearDown();
    }

    void Mouse(UINT message, UINT flags, int x, int y)
    {
        m_view->SendMessage(message, flags, MAKELPARAM(x, y));
    }
    // Press, moves and release of the left button, with the modifier flags held throughout.
    void Drag(UINT modifiers, std::initializer_list<POINT> points)
    {
        const POINT* p = points.begin();
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON | modifiers, p->x, p->y);
        for (++p; p != points.end(); ++p)
            Mouse(WM_MOUSEMOVE, MK_LBUTTON | modifiers, p->x, p->y);
        Mouse(WM_LBUTTONUP, modifiers, (p - 1)->x, (p - 1)->y);
    }
    CViewVolume& Scene() { return m_view->Camera(0); }
    double Width() { return Scene().m_volumeEnd.x - Scene().m_volumeStart.x; }
    CPoint3D Project(const CPoint3D& p)
    {
        m_view->MakeCurrent();
        return m_view->Device().ProjectToWindow(p, &Scene());
    }

    CWendraView* m_view = nullptr;
    // The width a drag of dy pixels in Zoom mode leaves of w: 20 steps of 5 % a side per height.
    double Zoomed(double w, int dy) { return w * (1.0 - 2 * 0.05 * dy * 20.0 / m_height); }

    int m_width = 0;
    int m_height = 0;
};
} // namespace

TEST_F(ViewMouse, ZoomModeDragDownShrinksTheVolumeAndTheReleaseEndsTheMode)
{
    Command(m_view, ID_VIEW_ZOOM);
    EXPECT_EQ(kModeZoom, g_nOperationMode);
    EXPECT_EQ(m_view, CWnd::GetCapture());
    EXPECT_EQ("MsgPane/Zoom", Frame().m_statusKeys.back());
    const double w0 = Width();
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 150, 100);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 150, 130);
    const double w1 = Zoomed(w0, 30);
    EXPECT_NEAR(w1, Width(), 1e-9 * w0);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 150, 100); // back up: zooms out by as much of the new box
    const double w2 = w1 * (2.0 - Zoomed(1.0, 30));
    EXPECT_NEAR(w2, Width(), 1e-9 * w0);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 250, 100); // sideways: factor 0
    EXPECT_NEAR(w2, Width(), 1e-9 * w0);
    Mouse(WM_LBUTTONUP, 0, 250, 100);
    EXPECT_EQ(kModeNone, g_nOperationMode);
    EXPECT_EQ(nullptr, CWnd::GetCapture());
}

TEST_F(ViewMouse, OneZoomStepNeverTurnsTheBoxInsideOut)
{
    Command(m_view, ID_VIEW_ZOOM);
    const double w0 = Width();
    Drag(0, {{150, 0}, {150, m_height}}); // 20 steps at once
    EXPECT_GT(Width(), 0.05 * w0);
    EXPECT_LT(Width(), 0.2 * w0);
}

TEST_F(ViewMouse, ShiftDragPansAndTheModelFollowsTheMouse)
{
    const CPoint3D corner(10, 10, 0);
    const CPoint3D before = Project(corner);
    Drag(MK_SHIFT, {{100, 150}, {120, 150}, {140, 170}});
    const CPoint3D after = Project(corner);
    EXPECT_NEAR(before.x + 40, after.x, 1.0);
    EXPECT_NEAR(before.y + 20, after.y, 1.0);
    EXPECT_EQ(nullptr, CWnd::GetCapture());

    // Shift pans in Zoom mode too; the release ends the mode.
    Command(m_view, ID_VIEW_ZOOM);
    const double w0 = Width();
    Drag(MK_SHIFT, {{100, 150}, {100, 200}});
    EXPECT_DOUBLE_EQ(w0, Width());
    EXPECT_NEAR(after.y + 50, Project(corner).y, 1.0);
    EXPECT_EQ(kModeNone, g_nOperationMode);
}

TEST_F(ViewMouse, CtrlShiftRotatesInAnyModeAndCtrlZoomsInPanMode)
{
    for (const UINT command : {ID_VIEW_PAN, ID_VIEW_ZOOM})
    {
        SCOPED_TRACE(command);
        Command(m_view, command);
        Scene().SetRotationAngles(CPoint3D(0, 0, 0));
        const double w0 = Width();
        Drag(MK_SHIFT | MK_CONTROL, {{100, 150}, {140, 170}});
        const CPoint3D& r = Scene().m_rotation;
        EXPECT_GT(std::fabs(r.x) + std::fabs(r.y), 5.0);
        EXPECT_DOUBLE_EQ(w0, Width());
        EXPECT_EQ(kModeNone, g_nOperationMode);
    }
    Command(m_view, ID_VIEW_PAN);
    const double w0 = Width();
    Drag(MK_CONTROL, {{100, 100}, {100, 115}});
    EXPECT_NEAR(Zoomed(w0, 15), Width(), 1e-9 * w0);
}

TEST_F(ViewMouse, OneAxisRotationsTurnByTheirOwnDirectionOfTheDrag)
{
    struct AxisCase
    {
        UINT command;
        POINT to; // from (100, 100)
        bool turns;
    };
    const AxisCase cases[] = {{ID_VIEW_ROTATE_VERTICAL, {100, 140}, true},
                              {ID_VIEW_ROTATE_VERTICAL, {140, 100}, false},
                              {ID_VIEW_ROTATE_HORIZONTAL, {140, 100}, true},
                              {ID_VIEW_ROTATE_HORIZONTAL, {100, 140}, false},
                              {ID_VIEW_ROTATE_PLANE, {200, 100}, true}};
    for (const AxisCase& c : cases)
    {
        SCOPED_TRACE(c.command);
        Scene().SetRotationAngles(CPoint3D(10, 20, 30));
        Command(m_view, c.command);
        Drag(0, {{100, 100}, c.to});
        const CPoint3D& r = Scene().m_rotation;
        const double change = std::fabs(r.x - 10) + std::fabs(r.y - 20) + std::fabs(r.z - 30);
        if (c.turns)
            EXPECT_GT(change, 1.0);
        else
            EXPECT_LT(change, 1e-3);
    }
    // Plane rotation by a quarter turn about the centre.
    Scene().SetRotationAngles(CPoint3D(0, 0, 0));
    Command(m_view, ID_VIEW_ROTATE_PLANE);
    const int cx = m_width / 2;
    const int cy = m_height / 2;
    Drag(0, {{cx + 40, cy}, {cx, cy + 40}});
    EXPECT_NEAR(90.0, std::fabs(Scene().m_rotation.z), 0.5);
}

TEST_F(ViewMouse, RotationTurnsAboutTheModelOrAboutThePickedCentre)
{
    for (const BYTE modelCentred : {0, 1})
    {
        m_view->SetModelCenteredRotation(modelCentred);
        Command(m_view, ID_VIEW_ROTATE3D);
        Drag(0, {{150, 150}, {160, 160}});
        EXPECT_EQ(modelCentred, Scene().m_bRotateAboutViewportCentre);
    }
}

TEST_F(ViewMouse, ClickInAModeEndsItWithoutMovingTheCamera)
{
    const CViewVolume before = Scene();
    for (const UINT command : {ID_VIEW_PAN, ID_VIEW_ZOOM, ID_VIEW_ROTATE3D, ID_VIEW_WINDOW_ZOOM})
    {
        SCOPED_TRACE(command);
        Command(m_view, command);
        Drag(0, {{120, 130}});
        EXPECT_EQ(kModeNone, g_nOperationMode);
        EXPECT_EQ(before.m_volumeStart.x, Scene().m_volumeStart.x);
        EXPECT_EQ(before.m_volumeEnd.y, Scene().m_volumeEnd.y);
        EXPECT_EQ(before.m_rotation.x, Scene().m_rotation.x);
    }
}

TEST_F(ViewMouse, WindowZoomBandShowsAndZoomsToTheCornerItSurrounds)
{
    for (int i = 0; i < 5; ++i) // the model's corner well inside the view
        m_view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(150, 150));
    Command(m_view, ID_VIEW_WINDOW_ZOOM);
    EXPECT_EQ("MsgPane/WindowZoom", Frame().m_statusKeys.back());
    const CPoint3D corner = Project(CPoint3D(10, 10, 0));
    const int x = static_cast<int>(corner.x);
    const int y = static_cast<int>(corner.y);
    const double w0 = Width();
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, x - 15, y - 15);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, x + 15, y + 15);
    DrawFrame(m_view);
    // The band's top edge shows dotted over the black background, its inside stays black.
    EXPECT_GT(CountDiffering(x - 10, y - 15, x + 10, y - 14, m_height, kBlack), 5);
    EXPECT_EQ(0, CountDiffering(x - 14, y - 13, x - 8, y - 8, m_height, kBlack));
    Mouse(WM_LBUTTONUP, 0, x + 15, y + 15);
    EXPECT_EQ(kModeNone, g_nOperationMode);
    EXPECT_LT(Width(), 0.5 * w0);
    // The corner was found to a pixel, which the zoom enlarges.
    const double tolerance = 1.0 + w0 / Width();
    const CPoint3D centred = Project(CPoint3D(10, 10, 0));
    EXPECT_NEAR(m_width / 2.0, centred.x, tolerance);
    EXPECT_NEAR(m_height / 2.0, centred.y, tolerance);
    DrawFrame(m_view);
    EXPECT_EQ(0, CountDiffering(x - 10, y - 15, x + 10, y - 14, m_height, kBlack))
        << "the band is gone";
}

TEST_F(ViewMouse, SmallBandOrClickChangesNothing)
{
    const CViewVolume before = Scene();
    Command(m_view, ID_VIEW_WINDOW_ZOOM);
    Drag(0, {{100, 100}, {103, 103}});
    EXPECT_EQ(before.m_volumeStart.x, Scene().m_volumeStart.x);
    EXPECT_EQ(before.m_volumeEnd.x, Scene().m_volumeEnd.x);
    // A click after a drag elsewhere: the band does not reach back to that drag's end.
    Mouse(WM_MOUSEMOVE, 0, 250, 250);
    Command(m_view, ID_VIEW_WINDOW_ZOOM);
    Drag(0, {{100, 100}});
    EXPECT_EQ(before.m_volumeStart.y, Scene().m_volumeStart.y);
    EXPECT_EQ(before.m_volumeEnd.y, Scene().m_volumeEnd.y);
}

TEST_F(ViewMouse, WheelZoomsInAndOut)
{
    const double w0 = Width();
    m_view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(150, 150));
    EXPECT_NEAR(0.9 * w0, Width(), 1e-9 * w0);
    m_view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(150, 150));
    EXPECT_NEAR(0.99 * w0, Width(), 1e-9 * w0);
}

TEST_F(ViewMouse, ModeCommandsCheckTheirItemAndSetTheirCursor)
{
    struct ModeCase
    {
        UINT command;
        const char* key;
        int mode;
        UINT cursor; // 0: the standard arrow
    };
    const ModeCase cases[] = {
        {ID_VIEW_PAN, "MsgPane/Pan", kModePan, IDC_VIEW_PAN},
        {ID_VIEW_ZOOM, "MsgPane/Zoom", kModeZoom, IDC_VIEW_ZOOM},
        {ID_VIEW_WINDOW_ZOOM, "MsgPane/WindowZoom", kModeWindowZoom, 0},
        {ID_VIEW_ROTATE3D, "MsgPane/Rotate3D", kModeRotate3D, IDC_VIEW_ROTATE3D},
        {ID_VIEW_ROTATE_PLANE, "MsgPane/RotatePlane", kModeRotatePlane, IDC_VIEW_ROTATE_PLANE},
        {ID_VIEW_ROTATE_VERTICAL, "MsgPane/RotateVertical", kModeRotateVertical,
         IDC_VIEW_ROTATE_VERTICAL},
        {ID_VIEW_ROTATE_HORIZONTAL, "MsgPane/RotateHorizontal", kModeRotateHorizontal,
         IDC_VIEW_ROTATE_HORIZONTAL}};
    for (const ModeCase& c : cases)
    {
        SCOPED_TRACE(c.key);
        Command(m_view, c.command);
        EXPECT_EQ(c.key, Frame().m_statusKeys.back());
        EXPECT_EQ(c.mode, g_nOperationMode);
        EXPECT_EQ(1, QueryUpdate(m_view, c.command).checked);
        EXPECT_EQ(
            0, QueryUpdate(m_view, ID_VIEW_PAN == c.command ? ID_VIEW_ZOOM : ID_VIEW_PAN).checked);
        m_view->SendMessage(WM_SETCURSOR, 0, 0);
        const HCURSOR expected =
            c.cursor ? fw::LoadResourceCursor(c.cursor) : ::LoadCursor(nullptr, IDC_ARROW);
        ASSERT_NE(nullptr, expected);
        EXPECT_EQ(expected, ::GetCursor());
    }
    m_view->SetOperationMode(kModeNone);
    m_view->SendMessage(WM_SETCURSOR, 0, 0);
    EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), ::GetCursor());
    m_view->ViewSelection().Open(CPickRequestRecord());
    m_view->SendMessage(WM_SETCURSOR, 0, 0);
    EXPECT_EQ(fw::LoadResourceCursor(IDC_VIEW_SELECT), ::GetCursor());
    m_view->ViewSelection().Close();
}
