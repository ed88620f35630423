// Picking, zoom, pan and rotation of the OpenGL device on a real window under Wine.
#include "GLTestWindow.h"
#include "core/geometry/VectorMath.h"
#include "platform/base/coll_array.h"
#include "render/GLDevice.h"

#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using render_test::GLTest;
using render_test::GLTestWindow;

namespace
{
constexpr UINT kList = 901;

void DrawSquare(CGLDevice& device, double cx, double cy, double h, double z, UINT name)
{
    device.DrawQuad(CPoint3D(cx - h, cy - h, z), CPoint3D(cx + h, cy - h, z),
                    CPoint3D(cx + h, cy + h, z), CPoint3D(cx - h, cy + h, z), name);
}

std::vector<DWORD> Names(const CPickHitList& hits)
{
    return std::vector<DWORD>(hits.m_names.begin(), hits.m_names.end());
}
} // namespace

class GLDevicePick : public GLTest
{
protected:
    CPickHitList PickCentre(int x = 100, int y = 100)
    {
        CDWordArray lists;
        lists.Add(kList);
        return Device().Pick(x, y, lists, &m_volume, 0.01);
    }
    void TearDown() override { glDeleteLists(kList, 1); }

    CViewVolume m_volume = GLTestWindow::SquareVolume();
};

TEST_F(GLDevicePick, QuadUnderTheCursorIsFoundByItsName)
{
    Device().BeginList(kList);
    DrawSquare(Device(), 0, 0, 20, 0, 7);
    DrawSquare(Device(), 70, 70, 10, 0, 8); // elsewhere
    Device().EndList();

    EXPECT_EQ(std::vector<DWORD>{7}, Names(PickCentre()));
    EXPECT_TRUE(Names(PickCentre(10, 190)).empty()); // empty space
    // Window y runs downwards: the square at model (70, 70) is near the top right.
    EXPECT_EQ(std::vector<DWORD>{8}, Names(PickCentre(170, 30)));
}

TEST_F(GLDevicePick, PickLeavesBothMatrixStacksAsItFoundThem)
{
    Device().BeginList(kList);
    DrawSquare(Device(), 0, 0, 20, 0, 7);
    Device().EndList();
    GLint modelView = 0, projection = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelView);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
    PickCentre();
    GLint modelViewAfter = 0, projectionAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelViewAfter);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionAfter);
    EXPECT_EQ(modelView, modelViewAfter);
    EXPECT_EQ(projection, projectionAfter);
    GLint renderMode = 0;
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    EXPECT_EQ(GL_RENDER, renderMode);
}

TEST_F(GLDevicePick, CoincidentQuadsBothComeBack)
{
    Device().BeginList(kList);
    DrawSquare(Device(), 0, 0, 20, 0, 3);
    DrawSquare(Device(), 0, 0, 20, 0, 4);
    Device().EndList();
    EXPECT_EQ((std::vector<DWORD>{3, 4}), Names(PickCentre()));
}

TEST_F(GLDevicePick, NameZeroKeepsThePreviousName)
{
    Device().BeginList(kList);
    DrawSquare(Device(), 50, 50, 10, 0, 5);
    DrawSquare(Device(), 0, 0, 20, 0, 0);
    Device().EndList();
    EXPECT_EQ(std::vector<DWORD>{5}, Names(PickCentre()));
}

TEST_F(GLDevicePick, HitsBeyondTheToleranceBehindTheNearestAreDropped)
{
    // Volume z runs -100..100, so the reported depth is 1 - z / 100.
    Device().BeginList(kList);
    DrawSquare(Device(), 0, 0, 20, 68.0, 3); // depth 0.32
    DrawSquare(Device(), 0, 0, 20, 69.5, 2); // depth 0.305
    DrawSquare(Device(), 0, 0, 20, 70.0, 1); // depth 0.30
    Device().EndList();
    const CPickHitList hits = PickCentre();
    ASSERT_EQ((std::vector<DWORD>{1, 2}), Names(hits));
    EXPECT_NEAR(0.30, hits.m_depths[0], 1e-4);
    EXPECT_NEAR(0.305, hits.m_depths[1], 1e-4);
}

TEST_F(GLDevicePick, DenseSceneOverflowingTheFirstBufferStillReturnsEveryHit)
{
    // 500 hits need 2000 words, ten times the first buffer.
    constexpr int kQuads = 500;
    Device().BeginList(kList);
    for (int i = 0; i < kQuads; ++i)
        DrawSquare(Device(), 0, 0, 20, i * 0.001, static_cast<UINT>(i + 1));
    Device().EndList();
    const CPickHitList hits = PickCentre();
    ASSERT_EQ(kQuads, hits.GetSize());
    // Nearest first: the highest z is the nearest.
    EXPECT_EQ(static_cast<DWORD>(kQuads), hits.m_names[0]);
    for (INT_PTR i = 1; i < hits.GetSize(); ++i)
        EXPECT_LE(hits.m_depths[i - 1], hits.m_depths[i]);
}

TEST_F(GLDevicePick, NamesMapBackToTheirEntities)
{
    CSelectionNames& names = Device().GetSelectionNames();
    names.Clear();
    int first = 0, second = 0;
    const UINT firstName = names.Add(&first);
    const UINT secondName = names.Add(&second);
    EXPECT_EQ(1u, firstName);
    EXPECT_EQ(2u, secondName);
    EXPECT_EQ(firstName, names.Add(&first));
    EXPECT_EQ(0u, names.Add(nullptr));

    Device().BeginList(kList);
    DrawSquare(Device(), 0, 0, 20, 0, secondName);
    Device().EndList();
    const CPickHitList hits = PickCentre();
    ASSERT_EQ(1, hits.GetSize());
    EXPECT_EQ(&second, names.Find(hits.m_names[0]));
    EXPECT_EQ(nullptr, names.Find(0));
    EXPECT_EQ(nullptr, names.Find(3));
    names.Clear();
}

class GLDeviceNavigation : public GLTest
{
protected:
    // Leaves the scene's projection current, as after a paint.
    void Paint(const CViewVolume& volume)
    {
        Device().BeginScene(&volume);
        Device().EndScene();
    }
};

TEST_F(GLDeviceNavigation, SmallRubberBandChangesNothingAndAFiveByOneBandZooms)
{
    CViewVolume volume = GLTestWindow::SquareVolume();
    Paint(volume);
    Device().ZoomWindow(CPoint3D(100, 100, 0), CPoint3D(104, 104, 0), &volume);
    EXPECT_EQ(-100.0, volume.m_volumeStart.x);
    EXPECT_EQ(100.0, volume.m_volumeEnd.y);

    // 5 x 1 pixels around model (0..5, -1..0), grown to the square viewport about its centre.
    Device().ZoomWindow(CPoint3D(100, 100, 0), CPoint3D(105, 101, 0), &volume);
    EXPECT_NEAR(0.0, volume.m_volumeStart.x, 1e-6);
    EXPECT_NEAR(5.0, volume.m_volumeEnd.x, 1e-6);
    EXPECT_NEAR(-3.0, volume.m_volumeStart.y, 1e-6);
    EXPECT_NEAR(2.0, volume.m_volumeEnd.y, 1e-6);
    EXPECT_EQ(-100.0, volume.m_volumeStart.z);
    EXPECT_EQ(100.0, volume.m_volumeEnd.z);
    // The saved copy is the new box, which the next resize starts from.
    EXPECT_NEAR(5.0, volume.m_copyEnd.x, 1e-6);
    EXPECT_NEAR(-3.0, volume.m_copyStart.y, 1e-6);
    EXPECT_EQ(-100.0, volume.m_copyStart.z);
}

TEST_F(GLDeviceNavigation, TallRubberBandWidensToTheViewportAspect)
{
    CViewVolume volume = GLTestWindow::SquareVolume();
    Paint(volume);
    Device().ZoomWindow(CPoint3D(90, 60, 0), CPoint3D(110, 140, 0), &volume);
    EXPECT_NEAR(-40.0, volume.m_volumeStart.x, 1e-6);
    EXPECT_NEAR(40.0, volume.m_volumeEnd.x, 1e-6);
    EXPECT_NEAR(-40.0, volume.m_volumeStart.y, 1e-6);
    EXPECT_NEAR(40.0, volume.m_volumeEnd.y, 1e-6);
}

TEST_F(GLDeviceNavigation, ZoomStepsAreRelativeToTheCurrentBox)
{
    CViewVolume volume = GLTestWindow::SquareVolume();
    Device().ZoomIn(&volume, 1.0); // 5 % of 200 from each side
    EXPECT_DOUBLE_EQ(-90.0, volume.m_volumeStart.x);
    EXPECT_DOUBLE_EQ(90.0, volume.m_volumeEnd.y);
    EXPECT_DOUBLE_EQ(-90.0, volume.m_copyStart.x);
    Device().ZoomOut(&volume, 1.0); // 5 % of 180
    EXPECT_DOUBLE_EQ(-99.0, volume.m_volumeStart.x);
    EXPECT_EQ(-100.0, volume.m_volumeStart.z);
    Device().ZoomIn(nullptr, 1.0);
}

TEST_F(GLDeviceNavigation, PanMakesTheModelFollowTheMouse)
{
    CViewVolume volume = GLTestWindow::SquareVolume();
    Paint(volume);
    const CPoint3D before = Device().ProjectToWindow(CPoint3D(0, 0, 0), &volume);
    Paint(volume);
    Device().PanByPixels(CPoint3D(100, 100, 0), 30, -20, &volume);
    const CPoint3D after = Device().ProjectToWindow(CPoint3D(0, 0, 0), &volume);
    EXPECT_NEAR(before.x + 30, after.x, 1.0);
    EXPECT_NEAR(before.y - 20, after.y, 1.0);
    EXPECT_DOUBLE_EQ(volume.m_volumeStart.x, volume.m_copyStart.x);
}

TEST_F(GLDeviceNavigation, ScreenAxisRotationTurnsHalfADegreePerPixel)
{
    CViewVolume volume = GLTestWindow::SquareVolume();
    // 180 pixels down turn 90 degrees about the screen X axis.
    Device().RotateAboutScreenAxis(CPoint3D(100, 10, 0), CPoint3D(100, 190, 0), 1, &volume);
    EXPECT_NEAR(90.0, volume.m_rotation.x, 0.25);
    EXPECT_NEAR(0.0, volume.m_rotation.y, 0.25);
    EXPECT_NEAR(0.0, volume.m_rotation.z, 0.25);

    CViewVolume flat = GLTestWindow::SquareVolume();
    Device().RotateAboutScreenAxis(CPoint3D(10, 100, 0), CPoint3D(70, 100, 0), 2, &flat);
    EXPECT_NEAR(-30.0, flat.m_rotation.y, 0.25);
    Device().RotateAboutScreenAxis(CPoint3D(10, 100, 0), CPoint3D(70, 100, 0), 7, &flat);
    EXPECT_NEAR(-30.0, flat.m_rotation.y, 0.25);
}

TEST_F(GLDeviceNavigation, RotationKeepsThePivotInPlaceOnTheScreen)
{
    CViewVolume volume = GLTestWindow::SquareVolume();
    volume.m_bRotateAboutViewportCentre = 0;
    volume.m_rotationCentre = CPoint3D(50, 20, 0);
    const CPoint3D before = Device().ProjectToWindow(volume.m_rotationCentre, &volume);
    Device().RotateAboutScreenAxis(CPoint3D(10, 100, 0), CPoint3D(70, 100, 0), 2, &volume);
    Device().RotateAboutScreenAxis(CPoint3D(10, 100, 0), CPoint3D(10, 160, 0), 1, &volume);
    const CPoint3D after = Device().ProjectToWindow(volume.m_rotationCentre, &volume);
    EXPECT_NEAR(before.x, after.x, 1.0);
    EXPECT_NEAR(before.y, after.y, 1.0);
    EXPECT_GT(std::fabs(volume.m_rotation.y), 10.0);
}

TEST_F(GLDeviceNavigation, RotationAboutTheViewportCentreKeepsTheModelPointThere)
{
    // An off-centre box, a pan and a turn already made: the centre is no model origin.
    CViewVolume volume = GLTestWindow::SquareVolume();
    volume.SetVolume(CPoint3D(-40, -130, -100), CPoint3D(160, 70, 100));
    volume.SetPanPoint(CPoint3D(15, -25, 10));
    volume.SetRotationAngles(CPoint3D(20, -35, 10));
    struct DragCase
    {
        int mode;
        CPoint3D to;
    };
    const DragCase drags[] = {{2, CPoint3D(70, 100, 0)}, {1, CPoint3D(10, 40, 0)}};
    for (const DragCase& drag : drags)
    {
        SCOPED_TRACE(drag.mode);
        // The model point at the centre of the viewport and of the box's depth.
        const CPoint3D centre = Device().UnprojectInScene(&volume, CPoint3D(100, 100, 0.5));
        const CPoint3D anglesBefore = volume.m_rotation;
        Device().RotateAboutScreenAxis(CPoint3D(10, 100, 0), drag.to, drag.mode, &volume);
        const CPoint3D after = Device().ProjectToWindow(centre, &volume);
        EXPECT_NEAR(100.0, after.x, 1.0);
        EXPECT_NEAR(100.0, after.y, 1.0);
        EXPECT_GT(Distance(anglesBefore, volume.m_rotation), 10.0);
    }
}

TEST_F(GLDeviceNavigation, RotationAboutTheViewingAxisFollowsTheDragAroundThePivot)
{
    CViewVolume volume = GLTestWindow::SquareVolume();
    // From right of the centre to above it: a quarter turn.
    Device().RotateAboutScreenAxis(CPoint3D(150, 100, 0), CPoint3D(100, 50, 0), 3, &volume);
    EXPECT_NEAR(90.0, std::fabs(volume.m_rotation.z), 0.25);
    // A drag starting on the pivot has no direction and turns nothing.
    CViewVolume still = GLTestWindow::SquareVolume();
    Device().RotateAboutScreenAxis(CPoint3D(100, 100, 0), CPoint3D(100, 50, 0), 3, &still);
    EXPECT_NEAR(0.0, still.m_rotation.z, 0.25);
}
