// Control bars in a frame's layout: sides, thickness, the client pane, queries, idle updates
// and what child controls send reaching the owner frame.
#include "platform/bars/statusbar.h"
#include "platform/ctrl/stdctrl.h"
#include "platform/test/pump.h"
#include "tests/platform/bars/bars_fixture.h"

#include <gtest/gtest.h>

namespace fw::test
{
namespace
{
class BarLayout : public BarsFixture
{
protected:
    // A toolbar, then a status bar, then docking: the usual start of a main frame.
    void CreateToolAndStatusBars()
    {
        ASSERT_TRUE(m_toolBar.CreateEx(m_frame, TBSTYLE_FLAT,
                                       WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(),
                                       kBarA));
        ASSERT_TRUE(m_toolBar.LoadToolBar(kToolBarResource));
        ASSERT_TRUE(m_statusBar.Create(m_frame));
        const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
        ASSERT_TRUE(m_statusBar.SetIndicators(indicators, 3));
        m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&m_toolBar);
        m_frame->RecalcLayout();
    }

    CToolBar m_toolBar;
    CStatusBar m_statusBar;
};

TEST_F(BarLayout, ToolBarTakesTheTopStatusBarTheBottomAndThePaneTheRest)
{
    CreateToolAndStatusBars();
    const CRect top = InFrame(DockBar(AFX_IDW_DOCKBAR_TOP));
    const CRect status = InFrame(&m_statusBar);
    const CRect pane = InFrame(m_frame->GetDlgItem(AFX_IDW_PANE_FIRST));
    const CRect tool = InFrame(&m_toolBar);

    const int T = top.Height();
    const int S = status.Height();
    EXPECT_GT(S, 10);
    EXPECT_EQ(CRect(0, 0, 800, T), top);
    EXPECT_EQ(CRect(0, 600 - S, 800, 600), status);
    EXPECT_EQ(CRect(0, T, 800, 600 - S), pane);
    // The toolbar is the top dock bar's one row, above the dock bar's border line.
    EXPECT_EQ(T, tool.Height() + fw::CyBorder2());
    EXPECT_EQ(CPoint(0, 0), tool.TopLeft());
    // The gripper and border come before the first button.
    CRect first;
    m_toolBar.GetItemRect(0, &first);
    m_toolBar.ClientToScreen(&first);
    m_frame->ScreenToClient(&first);
    EXPECT_EQ(fw::kGripperSpace, first.left); // no border space was asked for
    // Empty dock bars take nothing.
    for (const UINT id : {AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
    {
        const CRect rect = InFrame(DockBar(id));
        EXPECT_TRUE(rect.Width() == 0 || rect.Height() == 0) << std::hex << id;
    }
}

TEST_F(BarLayout, QueryMeasuresWithoutMovingAnything)
{
    CreateToolAndStatusBars();
    const CRect top = InFrame(DockBar(AFX_IDW_DOCKBAR_TOP));
    const CRect status = InFrame(&m_statusBar);
    const CRect pane = InFrame(m_frame->GetDlgItem(AFX_IDW_PANE_FIRST));

    CRect smaller(0, 0, 400, 300);
    CRect left;
    m_frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &left, &smaller);
    EXPECT_EQ(CRect(0, top.Height(), 400, 300 - status.Height()), left);
    // The dock bar saw the query's rectangle (the status bar, made first, took its part).
    EXPECT_FALSE(DockBar(AFX_IDW_DOCKBAR_TOP)->m_bLayoutQuery);
    EXPECT_EQ(CRect(0, 0, 400, 300 - status.Height()), DockBar(AFX_IDW_DOCKBAR_TOP)->m_rectLayout);

    EXPECT_EQ(top, InFrame(DockBar(AFX_IDW_DOCKBAR_TOP)));
    EXPECT_EQ(status, InFrame(&m_statusBar));
    EXPECT_EQ(pane, InFrame(m_frame->GetDlgItem(AFX_IDW_PANE_FIRST)));
}

TEST_F(BarLayout, HiddenBarsLeaveTheirSideToThePane)
{
    CreateToolAndStatusBars();
    m_frame->ShowControlBar(&m_toolBar, FALSE, FALSE);
    m_frame->ShowControlBar(&m_statusBar, FALSE, TRUE); // at the next idle pass
    EXPECT_FALSE(m_statusBar.IsVisible());
    EXPECT_TRUE(m_statusBar.IsWindowVisible());
    Pump();
    EXPECT_FALSE(m_statusBar.IsWindowVisible());
    EXPECT_EQ(CRect(0, 0, 800, 600), InFrame(m_frame->GetDlgItem(AFX_IDW_PANE_FIRST)));

    // The View menu's command shows it again.
    m_frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(m_statusBar.IsWindowVisible());
    EXPECT_EQ(600 - InFrame(&m_statusBar).Height(),
              InFrame(m_frame->GetDlgItem(AFX_IDW_PANE_FIRST)).bottom);
}

TEST_F(BarLayout, BarsJoinTheFrameListOnCreationAndLeaveOnDestruction)
{
    CreateToolAndStatusBars();
    EXPECT_EQ(&m_toolBar, m_frame->GetControlBar(kBarA));
    EXPECT_EQ(&m_statusBar, m_frame->GetControlBar(AFX_IDW_STATUS_BAR));
    m_toolBar.DestroyWindow();
    EXPECT_EQ(nullptr, m_frame->GetControlBar(kBarA));
    EXPECT_EQ(std::vector<UINT>({0}), Entries(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(nullptr, m_toolBar.m_pDockBar);
}

TEST_F(BarLayout, OneIdlePassUpdatesAFloatingToolBarFromTheActiveView)
{
    CreateToolAndStatusBars();
    OpenDocument();
    auto* view = dynamic_cast<CBarsView*>(ActiveView());
    ASSERT_NE(nullptr, view);
    m_frame->FloatControlBar(&m_toolBar, CPoint(300, 300));
    ASSERT_TRUE(m_toolBar.IsFloating());

    view->m_enableFirst = FALSE;
    view->m_checkFirst = 1;
    m_app->OnIdle(0);
    const LRESULT state = m_toolBar.SendMessage(TB_GETSTATE, kCmdFirst);
    EXPECT_EQ(0, state & TBSTATE_ENABLED);
    EXPECT_EQ(TBSTATE_CHECKED, state & TBSTATE_CHECKED);
    // No handler anywhere: disabled.
    EXPECT_EQ(0, m_toolBar.SendMessage(TB_GETSTATE, kCmdSecond) & TBSTATE_ENABLED);

    view->m_enableFirst = TRUE;
    view->m_checkFirst = 2;
    m_app->OnIdle(0);
    EXPECT_EQ(TBSTATE_ENABLED | TBSTATE_INDETERMINATE,
              m_toolBar.SendMessage(TB_GETSTATE, kCmdFirst) &
                  (TBSTATE_ENABLED | TBSTATE_CHECKED | TBSTATE_INDETERMINATE));
}

TEST_F(BarLayout, ToolBarButtonAndComboBoxReachTheActiveViewEvenFloating)
{
    CreateToolAndStatusBars();
    OpenDocument();
    auto* view = dynamic_cast<CBarsView*>(ActiveView());
    ASSERT_NE(nullptr, view);
    // The third button makes room for a combo box, as the main frame's load-case list does.
    const int index = m_toolBar.CommandToIndex(kCmdThird);
    m_toolBar.SetButtonInfo(index, kComboId, TBBS_SEPARATOR, 125);
    CRect rect;
    m_toolBar.GetItemRect(index, &rect);
    EXPECT_EQ(125, rect.Width());
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL,
                             CRect(rect.left + 1, rect.top + 1, rect.left + 122, rect.top + 100),
                             &m_toolBar, kComboId));
    combo.AddString("Step 1");
    combo.AddString("Step 2");
    combo.SetCurSel(0);
    m_frame->FloatControlBar(&m_toolBar, CPoint(300, 300));
    Pump();

    // The user picks the next entry with the keyboard.
    combo.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    EXPECT_EQ(1, combo.GetCurSel());
    EXPECT_EQ(1, view->m_comboChanges);

    // A button click is a command for the active view.
    CRect button;
    m_toolBar.GetItemRect(0, &button);
    Click(m_toolBar.m_hWnd, button.CenterPoint().x, button.CenterPoint().y);
    Pump();
    EXPECT_EQ(1, view->m_firstCommands);
}
} // namespace
} // namespace fw::test
