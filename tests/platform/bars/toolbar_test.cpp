// Toolbars: buttons and images from resources, separators as room for windows, button
// styles, command UI that touches the control only on change, tips, custom draw, flyby
// prompts, and rows when docked upright or resized while floating.
#include "platform/bars/minidock.h"
#include "platform/bars/statusbar.h"
#include "platform/test/pump.h"
#include "tests/platform/bars/bars_fixture.h"

#include <gtest/gtest.h>

namespace fw::test
{
namespace
{
// Counts the states sent to the control and the custom-draw notices reflected to it.
class CProbeToolBar : public CToolBar
{
public:
    int m_stateSets = 0;
    int m_customDraws = 0;
    BOOL m_keepCustomDraw = FALSE; // TRUE: the frame does not see the notice

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnSetState(WPARAM, LPARAM)
    {
        ++m_stateSets;
        return Default();
    }

    BOOL OnCustomDraw(NMHDR*, LRESULT* result)
    {
        ++m_customDraws;
        *result = CDRF_DODEFAULT;
        return m_keepCustomDraw;
    }
};

FW_TABLE(CProbeToolBar, CToolBar, fw::raw<TB_SETSTATE, &CProbeToolBar::OnSetState>(),
         fw::reflect_notify_ex<static_cast<int>(NM_CUSTOMDRAW), &CProbeToolBar::OnCustomDraw>())

// A control in a bar that counts the custom-draw notices reflected to it and lets its bar's
// owner handle them too.
class CReflectingControl : public CWnd
{
public:
    int m_reflected = 0;

    FW_MESSAGE_TABLE()

protected:
    BOOL OnCustomDraw(NMHDR*, LRESULT* result)
    {
        ++m_reflected;
        *result = CDRF_DODEFAULT;
        return FALSE;
    }
};

FW_TABLE(
    CReflectingControl, CWnd,
    fw::reflect_notify_ex<static_cast<int>(NM_CUSTOMDRAW), &CReflectingControl::OnCustomDraw>())

class ToolBars : public BarsFixture
{
protected:
    void SetUp() override
    {
        BarsFixture::SetUp();
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
    }

    void CreateToolBar(DWORD barStyle = CBRS_TOP | CBRS_TOOLTIPS)
    {
        ASSERT_TRUE(m_toolBar.CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | barStyle,
                                       CRect(1, 1, 1, 1), kBarA));
        ASSERT_TRUE(m_toolBar.LoadToolBar(kToolBarResource));
        m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&m_toolBar, AFX_IDW_DOCKBAR_TOP);
        m_frame->RecalcLayout();
    }

    COLORREF ButtonCentre(int index)
    {
        CRect rect;
        m_toolBar.GetItemRect(index, &rect);
        return ClientPixel(m_toolBar.m_hWnd, rect.CenterPoint().x, rect.CenterPoint().y);
    }

    CProbeToolBar m_toolBar;
};

TEST_F(ToolBars, ResourceGivesButtonsSeparatorsAndImages)
{
    CreateToolBar();
    ASSERT_EQ(4, m_toolBar.GetCount());
    EXPECT_EQ(kCmdFirst, m_toolBar.GetItemID(0));
    EXPECT_EQ(ID_SEPARATOR, m_toolBar.GetItemID(1));
    EXPECT_EQ(3, m_toolBar.CommandToIndex(kCmdThird));
    EXPECT_EQ(-1, m_toolBar.CommandToIndex(0x7BFF));
    CRect first;
    m_toolBar.GetItemRect(0, &first);
    EXPECT_EQ(CSize(23, 22), first.Size());

    // Each button shows its own image (the bitmap's squares: red, green, blue).
    m_toolBar.UpdateWindow();
    struct Case
    {
        int index;
        COLORREF colour;
    };
    for (const Case& c :
         {Case{0, RGB(255, 0, 0)}, Case{2, RGB(0, 160, 0)}, Case{3, RGB(0, 0, 255)}})
        EXPECT_EQ(c.colour, ButtonCentre(c.index)) << "button " << c.index;
}

TEST_F(ToolBars, SeparatorWidthMakesRoomForAWindow)
{
    CreateToolBar();
    const int before = InFrame(&m_toolBar).Width();
    const int index = m_toolBar.CommandToIndex(kCmdThird);
    m_toolBar.SetButtonInfo(index, kComboId, TBBS_SEPARATOR, 125);
    UINT id = 0;
    UINT style = 0;
    int image = 0;
    m_toolBar.GetButtonInfo(index, id, style, image);
    EXPECT_EQ(kComboId, id);
    EXPECT_EQ(TBBS_SEPARATOR, style & 0xFF);
    EXPECT_EQ(125, image);
    CRect rect;
    m_toolBar.GetItemRect(index, &rect);
    EXPECT_EQ(125, rect.Width());
    m_frame->RecalcLayout();
    EXPECT_EQ(before - 23 + 125, InFrame(&m_toolBar).Width());

    // Button styles carry the control's state in the high word.
    m_toolBar.SetButtonStyle(0, TBBS_CHECKBOX | TBBS_CHECKED);
    EXPECT_EQ(TBBS_CHECKBOX | TBBS_CHECKED, m_toolBar.GetButtonStyle(0));
    EXPECT_EQ(TBSTATE_CHECKED | TBSTATE_ENABLED,
              m_toolBar.SendMessage(TB_GETSTATE, kCmdFirst) & (TBSTATE_CHECKED | TBSTATE_ENABLED));
    m_toolBar.SetButtonStyle(0, TBBS_BUTTON | TBBS_DISABLED);
    EXPECT_EQ(0, m_toolBar.SendMessage(TB_GETSTATE, kCmdFirst) & TBSTATE_ENABLED);
}

TEST_F(ToolBars, CommandUISendsAStateOnlyWhenItChanges)
{
    CreateToolBar();
    m_toolBar.m_stateSets = 0;
    OpenDocument(); // its idle pass updates the buttons
    auto* view = dynamic_cast<CBarsView*>(ActiveView());
    ASSERT_NE(nullptr, view);
    // The second and third buttons lose their enabled state: no handler anywhere.
    EXPECT_EQ(2, m_toolBar.m_stateSets);
    m_app->OnIdle(0);
    m_app->OnIdle(0);
    EXPECT_EQ(2, m_toolBar.m_stateSets);
    view->m_checkFirst = 1;
    m_app->OnIdle(0);
    EXPECT_EQ(3, m_toolBar.m_stateSets);
}

// The tip is the text after the new line, unless the frame that handles the bar's commands
// words it: docked or floating, the bar asks that frame.
TEST_F(ToolBars, TipIsTheTextAfterTheNewLineOrTheFramesOwn)
{
    CreateToolBar();
    auto* frame = dynamic_cast<CBarsFrame*>(m_frame);
    ASSERT_NE(nullptr, frame);
    struct Case
    {
        UINT id;
        const char* tip;
    };
    const auto expectTips = [this](std::initializer_list<Case> cases)
    {
        for (const Case& c : cases)
        {
            SCOPED_TRACE(c.id);
            NMTTDISPINFOA info = {};
            info.hdr.hwndFrom = reinterpret_cast<HWND>(m_toolBar.SendMessage(TB_GETTOOLTIPS));
            info.hdr.idFrom = c.id;
            info.hdr.code = TTN_GETDISPINFOA;
            m_toolBar.SendMessage(WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&info));
            EXPECT_STREQ(c.tip, info.lpszText);

            NMTTDISPINFOW wide = {};
            wide.hdr = info.hdr;
            wide.hdr.code = TTN_GETDISPINFOW;
            m_toolBar.SendMessage(WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&wide));
            char narrow[80] = {};
            ::WideCharToMultiByte(CP_ACP, 0, wide.lpszText, -1, narrow, sizeof narrow, nullptr,
                                  nullptr);
            EXPECT_STREQ(c.tip, narrow);
        }
    };
    expectTips({Case{kCmdFirst, "First"}, Case{kCmdSecond, "Second"}, Case{kCmdThird, ""}});

    frame->m_tips[kCmdSecond] = "The frame's second";
    frame->m_tips[kCmdThird] = "The frame's third";
    expectTips({Case{kCmdFirst, "First"}, Case{kCmdSecond, "The frame's second"},
                Case{kCmdThird, "The frame's third"}});
    m_frame->FloatControlBar(&m_toolBar, CPoint(300, 300));
    Pump();
    expectTips({Case{kCmdFirst, "First"}, Case{kCmdSecond, "The frame's second"}});
}

TEST_F(ToolBars, CustomDrawReachesTheToolBarAndItsFrameOnlyWhenLetThrough)
{
    CreateToolBar();
    auto* frame = dynamic_cast<CBarsFrame*>(m_frame);
    ASSERT_NE(nullptr, frame);
    m_toolBar.m_keepCustomDraw = TRUE;
    m_toolBar.Invalidate();
    m_toolBar.UpdateWindow();
    EXPECT_GT(m_toolBar.m_customDraws, 0);
    EXPECT_EQ(0, frame->m_customDraws);

    m_toolBar.m_keepCustomDraw = FALSE;
    m_toolBar.m_customDraws = 0;
    m_toolBar.Invalidate();
    m_toolBar.UpdateWindow();
    EXPECT_GT(m_toolBar.m_customDraws, 0);
    EXPECT_EQ(m_toolBar.m_customDraws, frame->m_customDraws);
}

TEST_F(ToolBars, NoticeOfAControlInTheBarRunsItsReflectedHandlerOnceDockedOrFloating)
{
    CreateToolBar();
    auto* frame = dynamic_cast<CBarsFrame*>(m_frame);
    ASSERT_NE(nullptr, frame);
    CReflectingControl control;
    ASSERT_TRUE(control.CreateEx(0, fw::RegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 20,
                                 20, m_toolBar.m_hWnd, reinterpret_cast<HMENU>(kBarA)));
    for (const bool isFloating : {false, true})
    {
        if (isFloating)
            m_frame->FloatControlBar(&m_toolBar, CPoint(300, 300));
        control.m_reflected = 0;
        frame->m_customDraws = 0;
        // What the control sends its parent, the bar, which passes it on to the frame.
        NMHDR header = {control.m_hWnd, kBarA, static_cast<UINT>(NM_CUSTOMDRAW)};
        ::SendMessageA(::GetParent(control.m_hWnd), WM_NOTIFY, kBarA,
                       reinterpret_cast<LPARAM>(&header));
        EXPECT_EQ(1, control.m_reflected) << (isFloating ? "floating" : "docked");
        EXPECT_EQ(1, frame->m_customDraws) << (isFloating ? "floating" : "docked");
    }
    control.DestroyWindow();
}

TEST_F(ToolBars, FlybyShowsTheButtonsPromptInTheStatusBar)
{
    CStatusBar statusBar;
    ASSERT_TRUE(statusBar.Create(m_frame));
    const UINT indicators[] = {ID_SEPARATOR};
    statusBar.SetIndicators(indicators, 1);
    CreateToolBar(CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY);

    NMTBHOTITEM hot = {};
    hot.hdr.hwndFrom = m_toolBar.m_hWnd;
    hot.hdr.idFrom = kBarA;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = static_cast<int>(kCmdFirst);
    hot.dwFlags = HICF_MOUSE | HICF_ENTERING;
    m_frame->SendMessage(WM_NOTIFY, kBarA, reinterpret_cast<LPARAM>(&hot));
    EXPECT_STREQ("Do the first thing", statusBar.GetPaneText(0));
    hot.dwFlags = HICF_MOUSE | HICF_LEAVING;
    m_frame->SendMessage(WM_NOTIFY, kBarA, reinterpret_cast<LPARAM>(&hot));
    EXPECT_STREQ("Ready", statusBar.GetPaneText(0));
}

TEST_F(ToolBars, UprightToolBarPutsEachButtonOnARowOfItsOwn)
{
    CreateToolBar();
    m_frame->DockControlBar(&m_toolBar, AFX_IDW_DOCKBAR_LEFT);
    m_frame->RecalcLayout();
    CRect client;
    m_toolBar.GetClientRect(&client);
    int lastTop = -1;
    for (const int index : {0, 2, 3})
    {
        CRect item;
        m_toolBar.GetItemRect(index, &item);
        EXPECT_EQ(0, item.left) << index;
        EXPECT_GT(item.top, lastTop) << index;
        lastTop = item.top;
        EXPECT_LE(item.bottom, client.bottom) << index;
    }
    CRect last;
    m_toolBar.GetItemRect(3, &last);
    EXPECT_EQ(last.bottom, client.bottom); // measured as the control places them
    EXPECT_EQ(23, client.Width());
}

TEST_F(ToolBars, DynamicToolBarWrapsWhenItsFloatingFrameIsMadeNarrower)
{
    CreateToolBar(CBRS_TOP | CBRS_SIZE_DYNAMIC);
    m_frame->FloatControlBar(&m_toolBar, CPoint(300, 300));
    auto* frame = dynamic_cast<CMiniDockFrameWnd*>(m_toolBar.GetParentFrame());
    ASSERT_NE(nullptr, frame);
    CRect before;
    frame->GetWindowRect(&before);
    // The right border pulled 40 pixels in.
    const CPoint press(before.right - 1, before.CenterPoint().y);
    CPoint to(press.x - 40, press.y);
    m_toolBar.ScreenToClient(&to);
    ::PostMessageA(frame->m_hWnd, WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(press.x, press.y));
    ::PostMessageA(m_toolBar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    ::PostMessageA(m_toolBar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();

    CRect after;
    frame->GetWindowRect(&after);
    EXPECT_LT(after.Width(), before.Width());
    EXPECT_GT(after.Height(), before.Height());
    EXPECT_EQ(before.TopLeft(), after.TopLeft());
    CRect client;
    m_toolBar.GetClientRect(&client);
    EXPECT_EQ(client.Width(), m_toolBar.m_nMRUWidth);
    for (const int index : {0, 2, 3})
    {
        CRect item;
        m_toolBar.GetItemRect(index, &item);
        EXPECT_LE(item.right, client.right) << index;
        EXPECT_LE(item.bottom, client.bottom) << index;
    }
}
} // namespace
} // namespace fw::test
