// The frame's docking functions: dock bars made once per side, the floating-frame class the
// program chose, docking tests against rectangles, and showing bars from the View menu.
#include "platform/bars/minidock.h"
#include "platform/test/pump.h"
#include "tests/platform/bars/bars_fixture.h"

#include <gtest/gtest.h>

namespace fw::test
{
namespace
{
class CTestMiniDock : public CMiniDockFrameWnd
{
    FW_CREATABLE(CTestMiniDock, CMiniDockFrameWnd)
};

// Records what an update handler does.
class CRecordingCmdUI : public CCmdUI
{
public:
    void Enable(BOOL on) override
    {
        m_enabled = on;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check) override { m_check = check; }

    BOOL m_enabled = -1;
    int m_check = -1;
};

using FrameDocking = BarsFixture;

TEST_F(FrameDocking, EnableDockingMakesOnlyTheMissingDockBars)
{
    auto* own = new CDockBar;
    own->m_bAutoDelete = TRUE;
    ASSERT_TRUE(own->Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM));
    m_frame->m_pFloatingFrameClass = RUNTIME_CLASS(CTestMiniDock);

    m_frame->EnableDocking(CBRS_ALIGN_TOP);
    CDockBar* top = DockBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(nullptr, top);
    EXPECT_EQ(nullptr, DockBar(AFX_IDW_DOCKBAR_LEFT));
    m_frame->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_EQ(top, DockBar(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(own, DockBar(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_NE(nullptr, DockBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_NE(nullptr, DockBar(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_EQ(RUNTIME_CLASS(CTestMiniDock), m_frame->m_pFloatingFrameClass);

    // Floating frames are made of the class the program chose.
    CBoxBar bar;
    ASSERT_TRUE(bar.Create(m_frame, kBarA, WS_CHILD | WS_VISIBLE | CBRS_NOALIGN));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_frame->FloatControlBar(&bar, CPoint(200, 200));
    EXPECT_NE(nullptr, dynamic_cast<CTestMiniDock*>(bar.GetParentFrame()));
}

TEST_F(FrameDocking, DockingLandsWhereTheRectangleMeetsADockBarOfAnAllowedSide)
{
    m_frame->EnableDocking(CBRS_ALIGN_ANY);
    m_frame->RecalcLayout();
    CRect client;
    m_frame->GetClientRect(&client);
    m_frame->ClientToScreen(&client);
    struct Case
    {
        CRect rect; // frame client coordinates
        DWORD sides;
        DWORD expected;
    };
    const Case cases[] = {
        {CRect(100, -10, 300, 10), CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},
        {CRect(100, 590, 300, 620), CBRS_ALIGN_ANY, CBRS_ALIGN_BOTTOM},
        {CRect(-5, 200, 20, 400), CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT},
        {CRect(790, 200, 810, 400), CBRS_ALIGN_ANY, CBRS_ALIGN_RIGHT},
        {CRect(-5, 200, 20, 400), CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM, 0},
        {CRect(200, 200, 400, 400), CBRS_ALIGN_ANY, 0},
    };
    for (const Case& c : cases)
    {
        CRect rect = c.rect;
        rect.OffsetRect(client.TopLeft());
        CDockBar* dockBar = nullptr;
        EXPECT_EQ(c.expected, m_frame->CanDock(rect, c.sides, &dockBar));
        if (c.expected)
            EXPECT_EQ(c.expected, dockBar ? (dockBar->m_dwStyle & CBRS_ALIGN_ANY) : 0);
    }
}

TEST_F(FrameDocking, ViewMenuShowsAndHidesTheBarOfItsId)
{
    m_frame->EnableDocking(CBRS_ALIGN_ANY);
    CToolBar toolBar;
    ASSERT_TRUE(toolBar.Create(m_frame)); // AFX_IDW_TOOLBAR, the View menu's toolbar
    ASSERT_TRUE(toolBar.LoadToolBar(kToolBarResource));
    toolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_frame->DockControlBar(&toolBar);
    m_frame->RecalcLayout();

    CRecordingCmdUI state;
    state.m_nID = ID_VIEW_TOOLBAR;
    state.DoUpdate(m_frame, TRUE);
    EXPECT_EQ(1, state.m_check);

    m_frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(toolBar.IsWindowVisible());
    EXPECT_EQ(0, InFrame(m_frame->GetDlgItem(AFX_IDW_PANE_FIRST)).top);
    state.DoUpdate(m_frame, TRUE);
    EXPECT_EQ(0, state.m_check);

    // A floating bar hidden takes its floating frame with it.
    m_frame->FloatControlBar(&toolBar, CPoint(200, 200));
    CFrameWnd* frame = toolBar.GetParentFrame();
    EXPECT_FALSE(frame->IsWindowVisible());
    m_frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(toolBar.IsWindowVisible());
    EXPECT_TRUE(frame->IsWindowVisible());
}
} // namespace
} // namespace fw::test
