// Solid sectioning under Wine: the View menu's planes and the custom plane open the clipping
// plane dialog, whose slider moves the section through the model and whose Reverse turns it;
// however the dialog closes, the section goes.
#include "dialogs/tools/ClippingPlaneDlg.h"

#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/dialogs/settings/DialogTestSupport.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "view/CmdRecord.h"

#include <cmath>
#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>

using tools_test::ToolFixture;

namespace
{
// Two bricks side by side: x 0..4, y 0..2, z 0..2 (centre (2, 1, 1)); nodes 1 to 12, and nodes
// 13 to 15 in the plane x = 1 (a quarter of the way along x).
class ClippingPlane : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        int id = 1;
        for (int i = 0; i < 3; ++i)
        {
            for (const double z : {0.0, 2.0})
            {
                for (const double y : {0.0, 2.0})
                    AddTestNode(Model(), id++, 2.0 * i, y, z);
            }
        }
        for (int i = 0; i < 2; ++i)
        {
            const int a = 4 * i;
            AddBrick(Model(), i + 1, {a + 1, a + 5, a + 6, a + 2, a + 3, a + 7, a + 8, a + 4});
        }
        AddTestNode(Model(), 13, 1, 0, 0);
        AddTestNode(Model(), 14, 1, 2, 0);
        AddTestNode(Model(), 15, 1, 0, 2);
        Model().BuildElementFaces();
        Model().UpdateBoundingBox(0, nullptr);
        OpenToolView();
    }

    CAESet& Renderer() { return m_view->Renderer(); }
    const double* Plane() { return Renderer().ClipEquation(); }
    int SliderPosition(HWND dialog)
    {
        return static_cast<int>(
            ::SendDlgItemMessageA(dialog, IDC_CLIPPLANE_SLIDER, TBM_GETPOS, 0, 0));
    }
    // The slider dragged to the percent, as the user's mouse does it.
    void Slide(HWND dialog, int percent)
    {
        const HWND slider = ::GetDlgItem(dialog, IDC_CLIPPLANE_SLIDER);
        ::SendMessageA(slider, TBM_SETPOS, TRUE, percent);
        ::SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, percent),
                       reinterpret_cast<LPARAM>(slider));
        ::SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                       reinterpret_cast<LPARAM>(slider));
        fw::test::Pump();
    }
    // The colour the frame, drawn now, shows at a model point.
    std::array<int, 3> PixelAt(const CPoint3D& point)
    {
        DrawFrame(m_view);
        m_view->MakeCurrent();
        const CPoint3D p = m_view->Device().ProjectToWindow(point, &m_view->Camera(0));
        CRect client;
        m_view->GetClientRect(&client);
        return view_window_test::ReadPixel(static_cast<int>(p.x), static_cast<int>(p.y),
                                           client.Height());
    }
    void ExpectPlane(const std::array<double, 4>& expected)
    {
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(expected[i], Plane()[i], 1e-12) << "coefficient " << i;
    }
};
} // namespace

TEST_F(ClippingPlane, EachPrincipalPlanePassesThroughTheModelCentreAtHalfWay)
{
    struct Case
    {
        UINT command;
        const char* name;
        std::array<double, 4> plane;
    } cases[] = {
        {ID_SECTION_XY_PLUS, "+XY", {0, 0, 1, -1}}, {ID_SECTION_XY_MINUS, "-XY", {0, 0, -1, 1}},
        {ID_SECTION_XZ_PLUS, "+XZ", {0, 1, 0, -1}}, {ID_SECTION_XZ_MINUS, "-XZ", {0, -1, 0, 1}},
        {ID_SECTION_YZ_PLUS, "+YZ", {1, 0, 0, -2}}, {ID_SECTION_YZ_MINUS, "-YZ", {-1, 0, 0, 2}},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        Menu(test.command);
        EXPECT_EQ((std::vector<int>{CCmdRecord::kSectionPlane}), TakeCodes());
        const HWND dialog = OnlyDialog();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ("Section Plane", Caption(dialog));
        EXPECT_EQ("Plane position (%)", ControlText(dialog, IDC_CLIPPLANE_LABEL));
        EXPECT_EQ("Reverse", ControlText(dialog, IDC_CLIPPLANE_REVERSE));
        EXPECT_EQ("Close", ControlText(dialog, IDC_CLIPPLANE_CLOSE));
        EXPECT_EQ(1, Renderer().IsClipping());
        ExpectPlane(test.plane);
        EXPECT_EQ(50, SliderPosition(dialog));
        EXPECT_EQ(0.0, Renderer().ClipPlane().m_stepOffsets[0]);
        EXPECT_EQ(1, Renderer().ClipPlane().m_nSteps);
    }
    // The last plane's dialog is the only one left, the earlier ones gone with their commands.
    EXPECT_EQ(1u, VisibleDialogs().size());
}

TEST_F(ClippingPlane, TextsInBothLanguagesFitTheirControls)
{
    for (const auto& [suffix, codePage] :
         {std::make_pair("_ENG", 1252u), std::make_pair("_JPN", 932u)})
    {
        SCOPED_TRACE(suffix);
        SetLanguageSuffix(suffix);
        Menu(ID_SECTION_XY_PLUS);
        const HWND dialog = OnlyDialog();
        ASSERT_NE(nullptr, dialog);
        const std::map<int, std::string> texts = dialogs_test::FittingTexts(dialog, codePage);
        for (const int id : {0, IDC_CLIPPLANE_LABEL, IDC_CLIPPLANE_REVERSE, IDC_CLIPPLANE_CLOSE})
            EXPECT_FALSE(texts.at(id).empty()) << id;
        Click(dialog, IDC_CLIPPLANE_CLOSE);
    }
    SetLanguageSuffix("_ENG");
}

TEST_F(ClippingPlane, SliderMovesThePlaneAndReverseTurnsItWhereItIs)
{
    Menu(ID_SECTION_XY_PLUS);
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    // 0 % and 100 % are the bottom and top of the model box.
    Slide(dialog, 0);
    ExpectPlane({0, 0, 1, 0});
    Slide(dialog, 100);
    ExpectPlane({0, 0, 1, -2});
    Slide(dialog, 75);
    ExpectPlane({0, 0, 1, -1.5});
    // The cut is drawn half a unit above the record's plane through the centre.
    EXPECT_DOUBLE_EQ(0.5, Renderer().ClipPlane().m_stepOffsets[0]);

    Click(dialog, IDC_CLIPPLANE_REVERSE);
    EXPECT_EQ(75, SliderPosition(dialog));
    ExpectPlane({0, 0, -1, 1.5});
    EXPECT_DOUBLE_EQ(0.5, Renderer().ClipPlane().m_stepOffsets[0]);
    Slide(dialog, 25);
    ExpectPlane({0, 0, -1, 0.5});
    EXPECT_DOUBLE_EQ(-0.5, Renderer().ClipPlane().m_stepOffsets[0]);
    Click(dialog, IDC_CLIPPLANE_REVERSE);
    EXPECT_EQ(25, SliderPosition(dialog));
    ExpectPlane({0, 0, 1, -0.5});
}

TEST_F(ClippingPlane, SectionKeepsTheSideTheNormalPointsTo)
{
    // Seen from the side y = 0 with z up: +XY at 75 % leaves the part above z = 1.5, turned
    // round the part below; closing brings the whole side back.
    m_view->Camera(0).m_rotation = CPoint3D(-90, 0, 0);
    m_view->EditScene().SetDisplayMode(kShading);
    m_view->Renderer().RenderAll();
    const std::array<int, 3> black = {0, 0, 0};
    const CPoint3D high(1, 0, 1.8);
    const CPoint3D low(1, 0, 0.5);
    ASSERT_NE(black, PixelAt(high));
    ASSERT_NE(black, PixelAt(low));

    Menu(ID_SECTION_XY_PLUS);
    HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    Slide(dialog, 75);
    EXPECT_NE(black, PixelAt(high));
    EXPECT_EQ(black, PixelAt(low));
    Click(dialog, IDC_CLIPPLANE_REVERSE);
    EXPECT_EQ(black, PixelAt(high));
    EXPECT_NE(black, PixelAt(low));
    Click(dialog, IDC_CLIPPLANE_CLOSE);
    EXPECT_NE(black, PixelAt(high));
    EXPECT_NE(black, PixelAt(low));
}

TEST_F(ClippingPlane, AnyCloseTakesTheSectionAway)
{
    const std::pair<const char*, std::function<void(HWND)>> closes[] = {
        {"Close", [](HWND dialog) { Click(dialog, IDC_CLIPPLANE_CLOSE); }},
        {"Enter",
         [](HWND dialog)
         {
             ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
             fw::test::Pump();
         }},
        {"Escape", [](HWND dialog) { Escape(dialog); }},
        {"close box", [](HWND dialog) { CloseBox(dialog); }},
    };
    for (const auto& [name, close] : closes)
    {
        SCOPED_TRACE(name);
        Menu(ID_SECTION_YZ_MINUS);
        const HWND dialog = OnlyDialog();
        ASSERT_NE(nullptr, dialog);
        ASSERT_EQ(1, Renderer().IsClipping());
        TakeCodes();
        close(dialog);
        EXPECT_EQ(0, Renderer().IsClipping());
        EXPECT_TRUE(VisibleDialogs().empty());
        // Close reports to the command, which stays until the next tool replaces it.
        EXPECT_EQ(std::string(name) == "Close" ? std::vector<int>{CCmdRecord::kDialogOk}
                                               : std::vector<int>{},
                  TakeCodes());
        EXPECT_NE(nullptr, Frame().m_manager.GetRunningCommand());
    }
}

TEST_F(ClippingPlane, ANewPlaneKeepsItsSectionWhenTheOldDialogGoes)
{
    Menu(ID_SECTION_XY_PLUS);
    const HWND first = OnlyDialog();
    Menu(ID_SECTION_XZ_MINUS);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(1, Renderer().IsClipping());
    ExpectPlane({0, -1, 0, 1});
    // Another tool ends the sectioning command and its section.
    Menu(ID_INFO_MODEL);
    fw::test::Pump();
    EXPECT_EQ(0, Renderer().IsClipping());
}

TEST_F(ClippingPlane, CustomPlanePassesThroughThreePickedNodes)
{
    Menu(ID_SECTION_CUSTOM);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kCustomSection, CCmdRecord::kPickRequest}),
              TakeCodes());
    EXPECT_EQ("MsgPane/SolidSectioning", Frame().m_statusKeys.back());
    EXPECT_TRUE(VisibleDialogs().empty()) << "nothing opens before the picks";
    Pick({Node(13), Node(14), Node(15)});
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    // The plane x = 1, a quarter of the way along x.
    EXPECT_EQ(1, Renderer().IsClipping());
    EXPECT_NEAR(0.0, Plane()[1], 1e-12);
    EXPECT_NEAR(0.0, Plane()[2], 1e-12);
    EXPECT_NEAR(1.0, std::fabs(Plane()[0]), 1e-12);
    EXPECT_NEAR(-1.0, Plane()[3] / Plane()[0], 1e-12);
    EXPECT_EQ(25, SliderPosition(dialog)) << "the slider opens at the plane's percent";

    // Close leaves the command waiting; the element direction arrows go with it.
    TakeCodes();
    Click(dialog, IDC_CLIPPLANE_CLOSE);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk}), TakeCodes());
    EXPECT_EQ(0, Renderer().IsClipping());
    EXPECT_NE(nullptr, Frame().m_manager.GetRunningCommand());
}

TEST_F(ClippingPlane, CustomPlaneNeedsThreeNodesOffALine)
{
    // Nodes 1, 5 and 9 lie on the line y = z = 0.
    Menu(ID_SECTION_CUSTOM);
    Pick({Node(1), Node(5), Node(9)});
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_EQ(0, Renderer().IsClipping());

    Menu(ID_SECTION_CUSTOM);
    TakeCodes();
    m_view->CommitSelection(CCAEView::kAbort);
    fw::test::Pump();
    EXPECT_EQ((std::vector<int>{CCmdRecord::kSelectionEnded, CCmdRecord::kEndCommand}),
              TakeCodes());
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
}

TEST_F(ClippingPlane, ButtonsAfterTheViewClosedTouchNoView)
{
    auto handle = m_tools.CreateToolDialog(CToolDialog::kClippingPlane, m_view->FrameKey());
    ASSERT_TRUE(handle->Open(CEntityArray()));
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    m_view->GetParentFrame()->DestroyWindow();
    m_view = nullptr;
    fw::test::Pump();
    ASSERT_TRUE(::IsWindow(dialog));
    TakeCodes();
    Slide(dialog, 30);
    Click(dialog, IDC_CLIPPLANE_REVERSE);
    ::SendMessageA(dialog, WM_COMMAND, ID_CLIPPLANE_RELOAD_POINTS, 0);
    Click(dialog, IDC_CLIPPLANE_CLOSE);
    EXPECT_EQ((std::vector<int>{CCmdRecord::kDialogOk}), TakeCodes());
    Escape(dialog);
    EXPECT_FALSE(::IsWindow(dialog));
    handle.reset();
    fw::test::Pump();
}
