// The view's commands through its message table: directions, angle and vector views, triad
// corners, display modes, redraw, tools, toolbars, filters and the load-case combo.
#include "ViewTestFrame.h"
#include "core/geometry/VectorMath.h"
#include "core/model/FEElement.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"

#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>

using namespace view_window_test;

namespace
{
class ViewCommands : public ViewFixture
{
protected:
    // One quad shell over the unit square.
    void AddUnitSquare()
    {
        for (int i = 1; i <= 4; ++i)
            AddTestNode(Model(), i, i == 2 || i == 3, i >= 3, 0);
        AddQuad(Model(), 1, 1, 2, 3, 4);
        Model().BuildElementFaces();
    }

    void ExpectAngles(const CPoint3D& expected, const CCAEView* view)
    {
        const CPoint3D& r = view->Camera(0).m_rotation;
        EXPECT_NEAR(expected.x, r.x, 1e-6);
        EXPECT_NEAR(expected.y, r.y, 1e-6);
        EXPECT_NEAR(expected.z, r.z, 1e-6);
    }
};

struct DirectionCase
{
    UINT id;
    const char* key;
    CPoint3D angles;
};
const DirectionCase kDirections[] = {
    {ID_VIEW_DIR_XY, "MsgPane/ViewVectorXY", CPoint3D(0, 0, 0)},
    {ID_VIEW_DIR_XYZ, "MsgPane/ViewVectorXYZ", CPoint3D(-55, 0, -135)},
    {ID_VIEW_DIR_XZ, "MsgPane/ViewVectorXZ", CPoint3D(270, 0, 0)},
    {ID_VIEW_DIR_YX, "MsgPane/ViewVectorYX", CPoint3D(0, 180, 90)},
    {ID_VIEW_DIR_YXZ, "MsgPane/ViewVectorYXZ", CPoint3D(-135, 0, 45)},
    {ID_VIEW_DIR_YZ, "MsgPane/ViewVectorYZ", CPoint3D(-90, 0, -90)},
    {ID_VIEW_DIR_ZX, "MsgPane/ViewVectorZX", CPoint3D(0, 90, 90)},
    {ID_VIEW_DIR_ZY, "MsgPane/ViewVectorZY", CPoint3D(90, 90, -90)},
};
} // namespace

TEST_F(ViewCommands, FixedDirectionsTurnTheSceneCamera)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    for (const DirectionCase& c : kDirections)
    {
        SCOPED_TRACE(c.key);
        Command(view, c.id);
        ExpectAngles(c.angles, view);
        EXPECT_EQ(c.key, Frame().m_statusKeys.back());
        EXPECT_EQ(0, QueryUpdate(view, c.id).checked);
    }
    g_nOperationMode = 6; // checked only while rotating freely
    EXPECT_EQ(1, QueryUpdate(view, ID_VIEW_DIR_ZY).checked);
    g_nOperationMode = 0;
}

TEST_F(ViewCommands, ViewVectorAlongZAndZero)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    view->Camera(0).SetRotationAngles(CPoint3D(10, 20, 30));
    Frame().m_vectorAnswers = {CPoint3D(0, 0, 0)};
    Command(view, ID_VIEW_VECTOR);
    ExpectAngles(CPoint3D(10, 20, 30), view);
    Frame().m_vectorAnswers = {CPoint3D(0, 0, -5)};
    Command(view, ID_VIEW_VECTOR);
    ExpectAngles(CPoint3D(180, 0, -180), view);
    Frame().m_vectorAnswers = {CPoint3D(0, 0, 3)};
    Command(view, ID_VIEW_VECTOR);
    ExpectAngles(CPoint3D(0, 0, 0), view);
    EXPECT_EQ("MsgPane/ViewRelativeVector", Frame().m_statusKeys.back());

    // Along x: the camera looks down the x axis, so the direction of the new angles is x.
    Frame().m_vectorAnswers = {CPoint3D(2, 0, 0)};
    Command(view, ID_VIEW_VECTOR);
    const CPoint3D direction = DirectionFromAngles(view->Camera(0).m_rotation);
    EXPECT_NEAR(1.0, std::fabs(direction.x), 1e-3);
}

TEST_F(ViewCommands, AngleViewReopensUntilCancel)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    Frame().m_angleAnswers = {CPoint3D(10, 20, 30), CPoint3D(-5, 0, 45)};
    Command(view, ID_VIEW_ANGLE);
    ExpectAngles(CPoint3D(-5, 0, 45), view);
    ASSERT_EQ(2u, Frame().m_outputLines.size());
    EXPECT_NE(std::string::npos, Frame().m_outputLines[0].find(" X=10 Y=20 Z=30"));
    EXPECT_NE(std::string::npos, Frame().m_outputLines[1].find(" X=-5 Y=0 Z=45"));
    EXPECT_EQ(0, Frame().m_waitDepth);
}

TEST_F(ViewCommands, AutoScaleCentresTheModel)
{
    AddTestNode(Model(), 1, 10, 20, 30);
    AddTestNode(Model(), 2, 12, 20, 30);
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    Command(view, ID_VIEW_AUTOSCALE);
    EXPECT_EQ("MsgPane/Autoscale", Frame().m_statusKeys.back());
    EXPECT_DOUBLE_EQ(-11.0, view->Camera(0).m_panPoint.x);
    EXPECT_DOUBLE_EQ(-30.0, view->Camera(0).m_panPoint.z);
    EXPECT_DOUBLE_EQ(view->ModelBoxCorner(0).x, view->Camera(0).m_copyStart.x);
}

TEST_F(ViewCommands, TriadCornerMovesTheTriadOfEveryView)
{
    CWendraView* first = OpenView(300, 200);
    CWendraView* second = OpenView(400, 200);
    ASSERT_NE(nullptr, second);
    Command(second, ID_TRIAD_RIGHT_TOP);
    EXPECT_EQ(CCAEView::kRightTop, Frame().m_project->m_settings.m_triadPosition);
    EXPECT_EQ(1, Frame().m_settingsApplied);
    for (CWendraView* view : {first, second})
    {
        CRect client;
        view->GetClientRect(&client);
        const double side = 0.1 * client.Width();
        EXPECT_DOUBLE_EQ(client.Width() - side, view->Camera(1).m_viewportP1.x);
        EXPECT_DOUBLE_EQ(client.Height() - side, view->Camera(1).m_viewportP1.y);
        EXPECT_DOUBLE_EQ(client.Height(), view->Camera(1).m_viewportP2.y);
    }
    EXPECT_EQ(1, QueryUpdate(first, ID_TRIAD_RIGHT_TOP).checked);
    EXPECT_EQ(0, QueryUpdate(first, ID_TRIAD_LEFT_TOP).checked);
}

TEST_F(ViewCommands, DisplayModeRebuildsOnlyWhenColoursAreBakedIn)
{
    AddUnitSquare();
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    view->Renderer().RenderAll();
    const UINT faces = view->Renderer().ListName(CAESet::kShellFaceList);
    view->MakeCurrent();
    glDeleteLists(faces, 1);
    view->EditScene().SetColorMode(kColorByElementType);
    Command(view, ID_VIEW_SHADING);
    EXPECT_EQ(kShading, view->Scene().DisplayMode());
    EXPECT_EQ(kShading, Frame().m_project->m_settings.m_displayType);
    view->MakeCurrent();
    EXPECT_FALSE(glIsList(faces));
    view->EditScene().SetColorMode(kColorByProperty);
    Command(view, ID_VIEW_HIDDENLINE);
    view->MakeCurrent();
    EXPECT_TRUE(glIsList(faces));
    EXPECT_EQ(1, QueryUpdate(view, ID_VIEW_HIDDENLINE).checked);
    EXPECT_EQ(0, QueryUpdate(view, ID_VIEW_SHADING).checked);
}

TEST_F(ViewCommands, RedrawExtractsTheRidgesAgain)
{
    AddUnitSquare();
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    view->ShellRidgeEdges().SetAt(MakeEdgeKey(90, 91), 0); // a stale edge
    Command(view, ID_VIEW_REDRAW);
    EXPECT_EQ("MsgPane/Redraw", Frame().m_statusKeys.back());
    EXPECT_EQ(4, view->ShellRidgeEdges().GetCount());
    ULONGLONG value = 0;
    EXPECT_FALSE(view->ShellRidgeEdges().Lookup(MakeEdgeKey(90, 91), value));
}

TEST_F(ViewCommands, ToolsStartThroughTheCommandManager)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    Frame().m_manager.m_entries.clear();
    Command(view, ID_VIEW_SHRINK_SETTING);
    ASSERT_EQ(1u, Frame().m_manager.m_entries.size());
    EXPECT_EQ(CCmdRecord::kEndCommand, Frame().m_manager.m_entries[0].code);
    EXPECT_EQ(std::vector<int>{view->FrameKey()}, Frame().m_shrinkDialogKeys);
    EXPECT_EQ("MsgPane/ShrinkSetting", Frame().m_statusKeys.back());

    AddTestNode(Model(), 1, 0, 0, 0); // the model commands need a model
    Command(view, ID_EDIT_ELEMENT_PROPERTY);
    ASSERT_EQ(3u, Frame().m_manager.m_entries.size());
    EXPECT_EQ(CCmdRecord::kElementProperty, Frame().m_manager.m_entries[1].code);
    EXPECT_EQ(0, Frame().m_manager.m_entries[1].keepRunning);
    EXPECT_EQ(view->FrameKey(), Frame().m_manager.m_entries[1].frameKey);
    EXPECT_EQ(CCmdRecord::kPickRequest, Frame().m_manager.m_entries[2].code)
        << "the tool asks for elements";

    Command(view, ID_ELEMENT_FILTER);
    EXPECT_EQ(std::vector<CCAEView*>{view}, Frame().m_filterDialogViews);
    Command(view, ID_RECENT_PROJECT_FIRST + 2);
    EXPECT_EQ(std::vector<UINT>{ID_RECENT_PROJECT_FIRST + 2}, Frame().m_recentProjects);
}

TEST_F(ViewCommands, ClippingGivesTheCameraTheModelsDepth)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    view->SetClipBox(CPoint3D(-1, -2, -3), CPoint3D(1, 2, 3));
    view->Camera(0).SetRotationAngles(CPoint3D(0, 90, 0)); // z becomes x's depth
    Command(view, ID_VIEW_CLIPPING);
    EXPECT_NEAR(-1.0, view->Camera(0).m_volumeStart.z, 1e-5);
    EXPECT_NEAR(1.0, view->Camera(0).m_volumeEnd.z, 1e-5);
    ASSERT_EQ(1u, Frame().m_clippingCalls.size());
    EXPECT_EQ(view->FrameKey(), Frame().m_clippingCalls[0].x);
    EXPECT_EQ(-7.0, Frame().m_clippingCalls[0].y); // the camera's depth before
    EXPECT_EQ(4.0, Frame().m_clippingCalls[0].z);
}

TEST_F(ViewCommands, ToolbarsToggleAndFollowTheirWindows)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    Frame().m_barShown[ID_TOOLBAR_DIRECTION] = 1;
    Frame().m_barVisible[ID_TOOLBAR_DIRECTION] = true;
    Command(view, ID_TOOLBAR_DIRECTION);
    EXPECT_EQ(0, Frame().m_barShown[ID_TOOLBAR_DIRECTION]);
    EXPECT_FALSE(Frame().m_barVisible[ID_TOOLBAR_DIRECTION]);
    EXPECT_EQ("MsgPane/ToolbarsDirH", Frame().m_statusKeys.back());
    Command(view, ID_TOOLBAR_DIRECTION);
    EXPECT_EQ(1, Frame().m_barShown[ID_TOOLBAR_DIRECTION]);
    EXPECT_EQ("MsgPane/ToolbarsDirS", Frame().m_statusKeys.back());

    // Closed with its own box: the check goes, and the next command shows the bar again.
    Frame().m_barVisible[ID_TOOLBAR_DIRECTION] = false;
    EXPECT_EQ(0, QueryUpdate(view, ID_TOOLBAR_DIRECTION).checked);
    Command(view, ID_TOOLBAR_DIRECTION);
    EXPECT_TRUE(Frame().m_barVisible[ID_TOOLBAR_DIRECTION]);

    // The Animation bar's flag follows its window both ways.
    Frame().m_barShown[ID_TOOLBAR_ANIMATION] = 0;
    Frame().m_barVisible[ID_TOOLBAR_ANIMATION] = true;
    EXPECT_EQ(1, QueryUpdate(view, ID_TOOLBAR_ANIMATION).checked);
    EXPECT_EQ(1, Frame().m_barShown[ID_TOOLBAR_ANIMATION]);
}

TEST_F(ViewCommands, SelectionFilterOnlyForKindsTheRequestAccepts)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    Command(view, ID_SELECT_FILTER_SHELL); // disabled: the command is not carried out
    EXPECT_EQ(0, view->Selection().Filter());
    view->EditSelection().SetFilter(kKindShell);
    const ProbeCmdUI refused = QueryUpdate(view, ID_SELECT_FILTER_SHELL);
    EXPECT_EQ(0, refused.enabled);
    EXPECT_EQ(0, refused.checked);
    view->EditSelection().SetAllowedKinds(kKindShell | kKindNode);
    const ProbeCmdUI accepted = QueryUpdate(view, ID_SELECT_FILTER_SHELL);
    EXPECT_EQ(1, accepted.enabled);
    EXPECT_EQ(1, accepted.checked);
    EXPECT_EQ(0, QueryUpdate(view, ID_SELECT_FILTER_NODE).checked);
    Command(view, ID_SELECT_FILTER_NODE);
    EXPECT_EQ(kKindShell | kKindNode, view->Selection().Filter());
}

TEST_F(ViewCommands, IdLabelsToggle)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    Command(view, ID_SHOW_NODE_IDS);
    EXPECT_EQ(1, view->Scene().NodeIdMode());
    EXPECT_EQ(1, QueryUpdate(view, ID_SHOW_NODE_IDS).checked);
    view->EditScene().SetElementIdMode(5); // anything but 1 counts as off
    Command(view, ID_SHOW_ELEMENT_IDS);
    EXPECT_EQ(1, view->Scene().ElementIdMode());
    Command(view, ID_SHOW_ELEMENT_IDS);
    Command(view, ID_SHOW_NODE_IDS);
    EXPECT_EQ(0, view->Scene().ElementIdMode());
    EXPECT_EQ(0, view->Scene().NodeIdMode());
}

TEST_F(ViewCommands, LoadCaseComboFollowsTheFocusedView)
{
    CWendraView* first = OpenView();
    CWendraView* second = OpenView();
    ASSERT_NE(nullptr, second);
    first->Renderer().SetVectorResultId(0x800008);
    second->Renderer().SetContourResultId(0x2000010);
    second->Renderer().SetVectorResultId(0x800008);
    Frame().m_comboResults.clear();
    first->SendMessage(WM_SETFOCUS, 0, 0);
    second->SendMessage(WM_SETFOCUS, 0, 0);
    EXPECT_EQ((std::vector<int>{0x800008, 0x2000010}), Frame().m_comboResults);

    // A case chosen in the combo starts the animation over.
    second->Renderer().SetLCStep(4);
    Frame().m_selectedLoadCase = 0x2000008;
    const HWND combo =
        ::CreateWindowA("COMBOBOX", "", WS_CHILD, 0, 0, 50, 50, Frame().m_hWnd,
                        reinterpret_cast<HMENU>(ID_LOADCASE_COMBO), nullptr, nullptr);
    second->SendMessage(WM_COMMAND, MAKEWPARAM(ID_LOADCASE_COMBO, CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(combo));
    ::DestroyWindow(combo);
    EXPECT_EQ(0, second->Renderer().LCStep());
}
