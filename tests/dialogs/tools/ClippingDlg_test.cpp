// Depth clipping under Wine: the sliders and fields of the dialog that the View menu's Clipping
// opens move the near and far ends of the view's depth range; closing gives the range back.
#include "dialogs/tools/ClippingDlg.h"

#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/dialogs/settings/DialogTestSupport.h"
#include "tests/dialogs/tools/ToolTestSupport.h"

#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>

using tools_test::ToolFixture;

namespace
{
// Two quads seen from above: the near one at z = 1 over x 0..1, the far one at z = -1 over
// x 2..3.
class DepthClipping : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        AddTestNode(Model(), 1, 0, 0, 1);
        AddTestNode(Model(), 2, 1, 0, 1);
        AddTestNode(Model(), 3, 1, 1, 1);
        AddTestNode(Model(), 4, 0, 1, 1);
        AddTestNode(Model(), 5, 2, 0, -1);
        AddTestNode(Model(), 6, 3, 0, -1);
        AddTestNode(Model(), 7, 3, 1, -1);
        AddTestNode(Model(), 8, 2, 1, -1);
        AddQuad(Model(), 1, 1, 2, 3, 4);
        AddQuad(Model(), 2, 5, 6, 7, 8);
        Model().BuildElementFaces();
        Model().UpdateBoundingBox(0, nullptr);
        OpenToolView();
        m_view->Camera(0).m_rotation = CPoint3D(0, 0, 0);
        m_view->EditScene().SetDisplayMode(kShading);
        Menu(ID_VIEW_AUTOSCALE);
        m_view->Renderer().RenderAll();
    }

    // Clipping from the View menu: the view narrows its depth to the model's and the program
    // opens the dialog with the depth range the view had before.
    HWND OpenClipping()
    {
        Menu(ID_VIEW_CLIPPING);
        const CPoint3D call = Frame().m_clippingCalls.back();
        m_savedStart = call.y;
        m_savedEnd = call.z;
        CClippingDlg::Open(static_cast<int>(call.x), call.y, call.z);
        fw::test::Pump();
        return OnlyDialog();
    }
    // The dialog on a view whose depth is exactly start z to end z.
    HWND OpenWithDepth(double startZ, double endZ)
    {
        m_view->Camera(0).m_volumeStart.z = startZ;
        m_view->Camera(0).m_volumeEnd.z = endZ;
        m_savedStart = -50;
        m_savedEnd = 60;
        CClippingDlg::Open(m_view->FrameKey(), m_savedStart, m_savedEnd);
        fw::test::Pump();
        return OnlyDialog();
    }
    static int Position(HWND dialog, int slider)
    {
        return static_cast<int>(::SendDlgItemMessageA(dialog, slider, TBM_GETPOS, 0, 0));
    }
    static std::pair<int, int> Range(HWND dialog, int slider)
    {
        return {static_cast<int>(::SendDlgItemMessageA(dialog, slider, TBM_GETRANGEMIN, 0, 0)),
                static_cast<int>(::SendDlgItemMessageA(dialog, slider, TBM_GETRANGEMAX, 0, 0))};
    }
    static void Slide(HWND dialog, int slider, int position)
    {
        const HWND control = ::GetDlgItem(dialog, slider);
        ::SendMessageA(control, TBM_SETPOS, TRUE, position);
        ::SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                       reinterpret_cast<LPARAM>(control));
        fw::test::Pump();
    }
    // Types into a field as keystrokes do, without leaving it.
    static void Type(HWND dialog, int edit, const char* text)
    {
        ::SetFocus(::GetDlgItem(dialog, edit));
        ::SetDlgItemTextA(dialog, edit, text);
        fw::test::Pump();
    }
    static void Enter(HWND dialog)
    {
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        fw::test::Pump();
    }
    // Leaves the field for the other slider.
    static void Leave(HWND dialog)
    {
        ::SetFocus(::GetDlgItem(dialog, IDC_CLIPPING_FORWARD_SLIDER));
        fw::test::Pump();
    }
    double StartZ() { return m_view->Camera(0).m_volumeStart.z; }
    double EndZ() { return m_view->Camera(0).m_volumeEnd.z; }
    // The frame drawn now at a model point.
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

    double m_savedStart = 0.0;
    double m_savedEnd = 0.0;
};
} // namespace

TEST_F(DepthClipping, OpensOnTheWholeDepthOfTheModel)
{
    const HWND dialog = OpenWithDepth(-1.85, 1.85);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Depth Clipping", Caption(dialog));
    EXPECT_EQ("Front", ControlText(dialog, IDC_CLIPPING_FORWARD_LABEL));
    EXPECT_EQ("Back", ControlText(dialog, IDC_CLIPPING_BACKWARD_LABEL));
    EXPECT_EQ("Close", ControlText(dialog, IDC_CLIPPING_CLOSE));
    EXPECT_EQ("0.000", ControlText(dialog, IDC_CLIPPING_FORWARD_EDIT));
    EXPECT_EQ("100.000", ControlText(dialog, IDC_CLIPPING_BACKWARD_EDIT));
    EXPECT_TRUE(IsEnabled(dialog, IDC_CLIPPING_FORWARD_EDIT));
    EXPECT_TRUE(IsEnabled(dialog, IDC_CLIPPING_BACKWARD_EDIT));
    // A depth of 3.7 in steps of 0.01.
    EXPECT_EQ((std::pair<int, int>{0, 370}), Range(dialog, IDC_CLIPPING_FORWARD_SLIDER));
    EXPECT_EQ((std::pair<int, int>{0, 370}), Range(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
    EXPECT_EQ(0, Position(dialog, IDC_CLIPPING_FORWARD_SLIDER));
    EXPECT_EQ(370, Position(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
}

TEST_F(DepthClipping, TextsInBothLanguagesFitTheirControls)
{
    for (const auto& [suffix, codePage] :
         {std::make_pair("_ENG", 1252u), std::make_pair("_JPN", 932u)})
    {
        SCOPED_TRACE(suffix);
        SetLanguageSuffix(suffix);
        const HWND dialog = OpenWithDepth(-1, 1);
        ASSERT_NE(nullptr, dialog);
        const std::map<int, std::string> texts = dialogs_test::FittingTexts(dialog, codePage);
        for (const int id :
             {0, IDC_CLIPPING_FORWARD_LABEL, IDC_CLIPPING_BACKWARD_LABEL, IDC_CLIPPING_CLOSE})
            EXPECT_FALSE(texts.at(id).empty()) << id;
        Click(dialog, IDC_CLIPPING_CLOSE);
    }
    SetLanguageSuffix("_ENG");
}

TEST_F(DepthClipping, DeepModelReachesAHundredPercentAtTheRightEnd)
{
    const HWND dialog = OpenWithDepth(-1000, 1000);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ((std::pair<int, int>{0, 200000}), Range(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
    EXPECT_EQ(200000, Position(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
    Slide(dialog, IDC_CLIPPING_FORWARD_SLIDER, 150000);
    EXPECT_EQ("75.000", ControlText(dialog, IDC_CLIPPING_FORWARD_EDIT));
    EXPECT_DOUBLE_EQ(500.0, StartZ());
    Slide(dialog, IDC_CLIPPING_BACKWARD_SLIDER, 200000);
    EXPECT_EQ("100.000", ControlText(dialog, IDC_CLIPPING_BACKWARD_EDIT));
    EXPECT_DOUBLE_EQ(1000.0, EndZ());
}

TEST_F(DepthClipping, ModelWithoutDepthKeepsBothSlidersAtZeroAndTheViewAsItIs)
{
    const HWND dialog = OpenWithDepth(0.5, 0.5);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ((std::pair<int, int>{0, 0}), Range(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
    EXPECT_EQ(0, Position(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
    Type(dialog, IDC_CLIPPING_FORWARD_EDIT, "30");
    Enter(dialog);
    Slide(dialog, IDC_CLIPPING_BACKWARD_SLIDER, 0);
    EXPECT_EQ(0, Position(dialog, IDC_CLIPPING_FORWARD_SLIDER));
    EXPECT_EQ(0.5, StartZ());
    EXPECT_EQ(0.5, EndZ());
}

TEST_F(DepthClipping, TypedPercentMovesItsSliderOnEnterOrWhenTheFieldIsLeft)
{
    const HWND dialog = OpenWithDepth(-1.85, 1.85);
    ASSERT_NE(nullptr, dialog);
    Type(dialog, IDC_CLIPPING_FORWARD_EDIT, "1");
    Type(dialog, IDC_CLIPPING_FORWARD_EDIT, "10");
    EXPECT_EQ(0, Position(dialog, IDC_CLIPPING_FORWARD_SLIDER)) << "not on every keystroke";
    EXPECT_DOUBLE_EQ(-1.85, StartZ());
    Enter(dialog);
    EXPECT_TRUE(::IsWindowVisible(dialog)) << "Enter in a field does not close";
    EXPECT_EQ(37, Position(dialog, IDC_CLIPPING_FORWARD_SLIDER));
    EXPECT_EQ("10.000", ControlText(dialog, IDC_CLIPPING_FORWARD_EDIT));
    EXPECT_NEAR(-1.48, StartZ(), 1e-12);

    Type(dialog, IDC_CLIPPING_BACKWARD_EDIT, " 50 ");
    Leave(dialog);
    EXPECT_EQ(185, Position(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
    EXPECT_EQ("50.000", ControlText(dialog, IDC_CLIPPING_BACKWARD_EDIT));
    EXPECT_NEAR(0.0, EndZ(), 1e-12);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}

TEST_F(DepthClipping, SlidersAndFieldsThatCrossPullTheOtherAlong)
{
    const HWND dialog = OpenWithDepth(-1.85, 1.85);
    ASSERT_NE(nullptr, dialog);
    // Forward 50 typed against backward 40: both 50.
    Type(dialog, IDC_CLIPPING_BACKWARD_EDIT, "40");
    Leave(dialog);
    Type(dialog, IDC_CLIPPING_FORWARD_EDIT, "50");
    Enter(dialog);
    EXPECT_EQ("50.000", ControlText(dialog, IDC_CLIPPING_FORWARD_EDIT));
    EXPECT_EQ("50.000", ControlText(dialog, IDC_CLIPPING_BACKWARD_EDIT));
    EXPECT_EQ(185, Position(dialog, IDC_CLIPPING_FORWARD_SLIDER));
    EXPECT_EQ(185, Position(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
    // Backward typed below forward pulls the forward back.
    Type(dialog, IDC_CLIPPING_BACKWARD_EDIT, "20");
    Enter(dialog);
    EXPECT_EQ("20.000", ControlText(dialog, IDC_CLIPPING_FORWARD_EDIT));
    EXPECT_EQ(74, Position(dialog, IDC_CLIPPING_FORWARD_SLIDER));
    // The backward slider dragged left of the forward one drags it along; and the other way.
    Slide(dialog, IDC_CLIPPING_BACKWARD_SLIDER, 37);
    EXPECT_EQ(37, Position(dialog, IDC_CLIPPING_FORWARD_SLIDER));
    EXPECT_EQ("10.000", ControlText(dialog, IDC_CLIPPING_FORWARD_EDIT));
    Slide(dialog, IDC_CLIPPING_FORWARD_SLIDER, 111);
    EXPECT_EQ(111, Position(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
    EXPECT_EQ("30.000", ControlText(dialog, IDC_CLIPPING_BACKWARD_EDIT));
    EXPECT_NEAR(-1.85 + 1.11, StartZ(), 1e-12);
    EXPECT_NEAR(1.85 - (3.7 - 1.11), EndZ(), 1e-5);
    EXPECT_LT(StartZ(), EndZ()) << "both ends at one depth would make no projection";
}

TEST_F(DepthClipping, PercentOutsideZeroToHundredIsRefusedAndTheFieldGoesBack)
{
    const HWND dialog = OpenWithDepth(-1.85, 1.85);
    ASSERT_NE(nullptr, dialog);
    Type(dialog, IDC_CLIPPING_FORWARD_EDIT, "10");
    Enter(dialog);
    for (const char* text : {"100.5", "-1", "abc", "5x", ""})
    {
        SCOPED_TRACE(text);
        for (const int edit : {IDC_CLIPPING_FORWARD_EDIT, IDC_CLIPPING_BACKWARD_EDIT})
        {
            const size_t boxes = (*m_services)->messageBoxes.size();
            const std::string before = ControlText(dialog, edit);
            Type(dialog, edit, text);
            Enter(dialog);
            ASSERT_EQ(boxes + 1, (*m_services)->messageBoxes.size());
            EXPECT_EQ("Type a percentage from 0 to 100.", LastMessage());
            EXPECT_NE(0u, (*m_services)->messageBoxes.back().type & MB_ICONERROR);
            EXPECT_EQ(before, ControlText(dialog, edit));
            EXPECT_EQ(::GetDlgItem(dialog, edit), ::GetFocus());
            EXPECT_EQ(37, Position(dialog, IDC_CLIPPING_FORWARD_SLIDER));
            EXPECT_EQ(370, Position(dialog, IDC_CLIPPING_BACKWARD_SLIDER));
            EXPECT_NEAR(-1.48, StartZ(), 1e-12);
            EXPECT_DOUBLE_EQ(1.85, EndZ());
        }
    }
}

TEST_F(DepthClipping, SlidersHideTheNearAndFarPartsAndEveryCloseRestoresTheDepth)
{
    const std::pair<const char*, std::function<void(HWND)>> closes[] = {
        {"Close", [](HWND dialog) { Click(dialog, IDC_CLIPPING_CLOSE); }},
        {"Enter",
         [](HWND dialog)
         {
             ::SetFocus(::GetDlgItem(dialog, IDC_CLIPPING_CLOSE));
             Enter(dialog);
         }},
        {"Escape", [](HWND dialog) { Escape(dialog); }},
        {"close box", [](HWND dialog) { CloseBox(dialog); }},
    };
    const std::array<int, 3> black = {0, 0, 0};
    const CPoint3D nearQuad(0.5, 0.5, 1);
    const CPoint3D farQuad(2.5, 0.5, -1);
    for (const auto& [name, close] : closes)
    {
        SCOPED_TRACE(name);
        const double startZ = StartZ();
        const double endZ = EndZ();
        ASSERT_NE(black, PixelAt(nearQuad));
        ASSERT_NE(black, PixelAt(farQuad));
        const HWND dialog = OpenClipping();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(startZ, m_savedStart);
        EXPECT_EQ(endZ, m_savedEnd);
        const int maximum = Range(dialog, IDC_CLIPPING_BACKWARD_SLIDER).second;
        Slide(dialog, IDC_CLIPPING_FORWARD_SLIDER, maximum * 4 / 10);
        EXPECT_EQ(black, PixelAt(nearQuad));
        EXPECT_NE(black, PixelAt(farQuad));
        Slide(dialog, IDC_CLIPPING_FORWARD_SLIDER, 0);
        Slide(dialog, IDC_CLIPPING_BACKWARD_SLIDER, maximum * 6 / 10);
        EXPECT_NE(black, PixelAt(nearQuad));
        EXPECT_EQ(black, PixelAt(farQuad));

        close(dialog);
        EXPECT_EQ(startZ, StartZ());
        EXPECT_EQ(endZ, EndZ());
        EXPECT_FALSE(::IsWindow(dialog));
        EXPECT_EQ(nullptr, CClippingDlg::Find(m_view->FrameKey()));
        EXPECT_NE(black, PixelAt(nearQuad));
        EXPECT_NE(black, PixelAt(farQuad));
    }
}

TEST_F(DepthClipping, ClippingAgainReplacesTheDialogAndStillRestoresTheFirstDepth)
{
    const double startZ = StartZ();
    const double endZ = EndZ();
    const HWND first = OpenClipping();
    ASSERT_NE(nullptr, first);
    Slide(first, IDC_CLIPPING_FORWARD_SLIDER, 50);
    const HWND second = OpenClipping();
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(first));
    ASSERT_NE(nullptr, second);
    Click(second, IDC_CLIPPING_CLOSE);
    EXPECT_EQ(startZ, StartZ());
    EXPECT_EQ(endZ, EndZ());
}

TEST_F(DepthClipping, DialogWhoseViewClosedTouchesNoView)
{
    const HWND dialog = OpenWithDepth(-1.85, 1.85);
    ASSERT_NE(nullptr, dialog);
    m_view->GetParentFrame()->DestroyWindow();
    m_view = nullptr;
    fw::test::Pump();
    ASSERT_TRUE(::IsWindow(dialog));
    Slide(dialog, IDC_CLIPPING_FORWARD_SLIDER, 100);
    Type(dialog, IDC_CLIPPING_BACKWARD_EDIT, "30");
    Enter(dialog);
    Click(dialog, IDC_CLIPPING_CLOSE);
    EXPECT_FALSE(::IsWindow(dialog));
}
