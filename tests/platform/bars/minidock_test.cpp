// Floating frames: one per floating bar, fitted to it, titled by it, moved rather than
// remade, hidden with it, closed into hiding, and following their owner's float status.
#include "platform/bars/minidock.h"

#include "platform/test/pump.h"
#include "tests/platform/bars/bars_fixture.h"

#include <gtest/gtest.h>

namespace fw::test
{
namespace
{
class Floating : public BarsFixture
{
protected:
    void SetUp() override
    {
        BarsFixture::SetUp();
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_bar.Create(m_frame, kBarA, WS_CHILD | WS_VISIBLE | CBRS_NOALIGN));
        m_bar.SetWindowText("Box");
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->FloatControlBar(&m_bar, CPoint(250, 220));
        m_mini = dynamic_cast<CMiniDockFrameWnd*>(m_bar.GetParentFrame());
        ASSERT_NE(nullptr, m_mini);
    }

    CBoxBar m_bar{160, 30};
    CMiniDockFrameWnd* m_mini = nullptr; // deletes itself
};

TEST_F(Floating, FrameFitsItsBarAndShowsItsTitle)
{
    EXPECT_EQ(AFX_IDW_DOCKBAR_FLOAT, static_cast<UINT>(m_bar.m_pDockBar->GetDlgCtrlID()));
    EXPECT_TRUE(m_bar.m_pDockBar->m_bFloating);
    EXPECT_EQ(m_frame->m_hWnd, ::GetWindow(m_mini->m_hWnd, GW_OWNER));
    EXPECT_TRUE(m_mini->IsWindowVisible());
    CRect window;
    m_mini->GetWindowRect(&window);
    EXPECT_EQ(CPoint(250, 220), window.TopLeft());
    CRect client;
    m_mini->GetClientRect(&client);
    EXPECT_EQ(CSize(160, 30), client.Size());
    CRect bar;
    m_bar.GetWindowRect(&bar);
    EXPECT_EQ(CSize(160, 30), bar.Size());
    CString title;
    m_mini->GetWindowText(title);
    EXPECT_STREQ("Box", title);
    EXPECT_TRUE(m_bar.m_dwStyle & CBRS_FLOATING);
}

TEST_F(Floating, FloatingAgainMovesTheSameFrame)
{
    const HWND before = m_mini->m_hWnd;
    m_frame->FloatControlBar(&m_bar, CPoint(100, 150));
    EXPECT_EQ(before, m_bar.GetParentFrame()->m_hWnd);
    CRect window;
    m_mini->GetWindowRect(&window);
    EXPECT_EQ(CPoint(100, 150), window.TopLeft());
}

TEST_F(Floating, ClosingHidesTheBarUntilItIsShownAgain)
{
    m_mini->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(m_mini->m_hWnd));
    EXPECT_FALSE(m_mini->IsWindowVisible());
    EXPECT_FALSE(m_bar.IsWindowVisible());

    m_frame->ShowControlBar(&m_bar, TRUE, FALSE);
    EXPECT_TRUE(m_mini->IsWindowVisible());
    EXPECT_TRUE(m_bar.IsWindowVisible());
}

TEST_F(Floating, FloatStatusFromTheOwnerHidesAndShowsTheFrame)
{
    EXPECT_TRUE(m_mini->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
    m_mini->SendMessage(WM_FLOATSTATUS, FS_HIDE);
    EXPECT_FALSE(m_mini->IsWindowVisible());
    // Laying out again does not bring back what the owner hid.
    m_mini->RecalcLayout();
    EXPECT_FALSE(m_mini->IsWindowVisible());
    m_mini->SendMessage(WM_FLOATSTATUS, FS_SHOW);
    EXPECT_TRUE(m_mini->IsWindowVisible());
    // A frame the owner did not hide is not shown by it.
    m_frame->ShowControlBar(&m_bar, FALSE, FALSE);
    m_mini->SendMessage(WM_FLOATSTATUS, FS_SHOW);
    EXPECT_FALSE(m_mini->IsWindowVisible());
}

TEST_F(Floating, FramesOfSeveralBarsStackThem)
{
    CBoxBar second{100, 20};
    ASSERT_TRUE(second.Create(m_frame, kBarB, WS_CHILD | WS_VISIBLE | CBRS_NOALIGN));
    second.EnableDocking(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    m_frame->FloatControlBar(&second, CPoint(400, 400), CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI);
    auto* multi = dynamic_cast<CMiniDockFrameWnd*>(second.GetParentFrame());
    ASSERT_NE(nullptr, multi);
    EXPECT_NE(m_mini, multi);
    // The first bar joins it as a row of its own.
    multi->m_wndDockBar.DockControlBar(&m_bar);
    multi->RecalcLayout();
    CRect client;
    multi->GetClientRect(&client);
    EXPECT_EQ(CSize(160, 50), client.Size());
    EXPECT_EQ(2, multi->m_wndDockBar.GetDockedCount());
}
} // namespace
} // namespace fw::test
