// The sizeable docking MDI frame under Wine: bars floating as MDI children and back, the
// active child when a child is docked, the frame's caption, the close sequence with docked
// children, and hiding a bar that floats in the active MDI float window.
#include "framework/OXMDIFrameWndSizeDock.h"

#include "framework/OXMDIChildWndSizeDock.h"
#include "framework/OXMDIFloatWnd.h"
#include "framework/OXSizableMiniDockFrameWnd.h"
#include "platform/bars/dockctx.h"
#include "platform/test/pump.h"
#include "resources/ids/framework_ids.h"
#include "tests/framework/SizeDockFixture.h"

#include <gtest/gtest.h>

namespace sizedock
{
namespace
{
// Notes whether its views were still docked (outside their child frames) when it closed.
class CDockedDocument : public fw::test::CTestDocument
{
    FW_CREATABLE(CDockedDocument, fw::test::CTestDocument)

public:
    void OnCloseDocument() override
    {
        for (POSITION pos = GetFirstViewPosition(); pos;)
        {
            CView* view = GetNextView(pos);
            // Undocked, the view is back in its child frame.
            s_closedDocked.push_back(!dynamic_cast<COXMDIChildWndSizeDock*>(view->GetParent()));
        }
        fw::test::CTestDocument::OnCloseDocument();
    }

    static std::vector<bool> s_closedDocked;
};

std::vector<bool> CDockedDocument::s_closedDocked;

class DockingFrame : public SizeDockFixture
{
protected:
    DockingFrame()
    {
        m_docClass = RUNTIME_CLASS(CDockedDocument);
        m_childClass = RUNTIME_CLASS(COXMDIChildWndSizeDock);
    }

    COXMDIChildWndSizeDock* OpenChild()
    {
        OpenDocument();
        return dynamic_cast<COXMDIChildWndSizeDock*>(ActiveChild());
    }

    CRect InClient(const CWnd* wnd) const
    {
        CRect rect;
        wnd->GetWindowRect(&rect);
        ::MapWindowPoints(nullptr, Frame()->m_hWndMDIClient, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    CRecordingBar m_output{COXSizeControlBar::contextMenu | COXSizeControlBar::mdiFloatCommand |
                           COXSizeControlBar::solidCaption};
};
} // namespace

TEST_F(DockingFrame, MDIFloatCommandFloatsTheBarInTheClientAndDocksItBack)
{
    CreateBar(m_output, kBarA, "Output", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_output});
    // Its last floating place lies far right of and below the client: a rectangle of the
    // bar's client size is kept inside.
    m_output.m_pDockContext->m_ptMRUFloatPos = CPoint(5000, 5000);
    CRect barClient;
    m_output.GetClientRect(&barClient);

    m_output.SendMessage(WM_COMMAND, ID_OXSIZEBAR_MDIFLOAT);
    fw::test::Pump();
    ASSERT_TRUE(m_output.IsMDIFloating());
    auto* floatWnd = dynamic_cast<COXMDIFloatWnd*>(m_output.GetParentFrame());
    ASSERT_NE(nullptr, floatWnd);
    EXPECT_TRUE(floatWnd->IsWindowVisible());
    CRect client;
    ::GetClientRect(Frame()->m_hWndMDIClient, &client);
    EXPECT_EQ(client.right - barClient.Width(), InClient(floatWnd).left);
    EXPECT_EQ(client.bottom - barClient.Height(), InClient(floatWnd).top);
    // The window shows the bar's title; the menu marks the command.
    CString title;
    floatWnd->GetWindowText(title);
    EXPECT_STREQ("Output", title.GetString());
    CMenu menu;
    menu.CreatePopupMenu();
    m_output.AppendContextMenuItems(&menu);
    EXPECT_EQ(static_cast<UINT>(ID_OXSIZEBAR_MDIFLOAT), menu.GetMenuItemID(0));
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(2u, menu.GetMenuItemCount()); // no allow-docking while floating in the client

    // Again: docked where it was, and the float window is gone.
    const HWND floatHwnd = floatWnd->m_hWnd;
    m_output.SendMessage(WM_COMMAND, ID_OXSIZEBAR_MDIFLOAT);
    fw::test::Pump();
    EXPECT_FALSE(m_output.IsFloating());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_BOTTOM), m_output.m_pDockBar);
    EXPECT_FALSE(::IsWindow(floatHwnd));
    EXPECT_EQ(800, InFrame(&m_output).right);
}

TEST_F(DockingFrame, ClosingTheMDIFloatWindowHidesTheBar)
{
    CreateBar(m_output, kBarA, "Output", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_output});
    COXMDIFloatWnd* floatWnd = FloatInClient(m_output, 50, 50);
    ASSERT_NE(nullptr, floatWnd);
    floatWnd->SendMessage(WM_CLOSE);
    fw::test::Pump();
    EXPECT_FALSE(m_output.IsWindowVisible());
    EXPECT_FALSE(floatWnd->IsWindowVisible());

    // Shown again, it comes back where it floated.
    Frame()->ShowControlBar(&m_output, TRUE, FALSE);
    fw::test::Pump();
    EXPECT_TRUE(m_output.IsWindowVisible());
    EXPECT_TRUE(floatWnd->IsWindowVisible());
}

TEST_F(DockingFrame, BarFloatingInTheClientMovesOutToAResizableFrameWhereItWas)
{
    CreateBar(m_output, kBarA, "Output", CSize(300, 150));
    COXMDIFloatWnd* floatWnd = FloatInClient(m_output, 200, 250);
    ASSERT_NE(nullptr, floatWnd);
    const HWND floatHwnd = floatWnd->m_hWnd;
    CRect before;
    floatWnd->GetWindowRect(&before);

    Frame()->FloatControlBarOutOfMDIClient(&m_output, 0, 0, CBRS_ALIGN_TOP);
    fw::test::Pump();
    auto* frame = dynamic_cast<COXSizableMiniDockFrameWnd*>(m_output.GetParentFrame());
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(frame->IsWindowVisible());
    CRect after;
    frame->GetWindowRect(&after);
    EXPECT_EQ(Text(before.TopLeft()), Text(after.TopLeft()));
    EXPECT_FALSE(::IsWindow(floatHwnd)); // nothing is left in it
}

TEST_F(DockingFrame, BarWiderThanTheClientFloatsAtItsLeftEdge)
{
    CreateBar(m_output, kBarA, "Output", CSize(1000, 150)); // wider than the client
    COXMDIFloatWnd* floatWnd = FloatInClient(m_output, 400, 5000);
    ASSERT_NE(nullptr, floatWnd);
    EXPECT_EQ(0, InClient(floatWnd).left);
}

TEST_F(DockingFrame, DockedActiveChildIsTheActiveChildAndNeverMaximized)
{
    COXMDIChildWndSizeDock* docked = OpenChild();
    COXMDIChildWndSizeDock* other = OpenChild();
    ASSERT_NE(nullptr, docked);
    ASSERT_NE(nullptr, other);
    ASSERT_TRUE(docked->SetDocked(TRUE));
    fw::test::Pump();
    m_frame->MDIMaximize(other);
    Frame()->MDIActivate(docked);
    BOOL maximized = TRUE;
    EXPECT_EQ(docked, Frame()->GetActiveChildFrame(&maximized));
    EXPECT_FALSE(maximized);
    EXPECT_EQ(docked, Frame()->GetActiveFrame());

    // The frame's caption carries no child title while the docked child is active.
    m_frame->SetWindowText("Main");
    CString caption;
    m_frame->GetWindowText(caption);
    EXPECT_STREQ("Main", caption.GetString());

    // Activating an undocked child makes the client's active child count again.
    Frame()->MDIActivate(other);
    EXPECT_EQ(nullptr, Frame()->m_pActiveDockChild);
    EXPECT_EQ(other, Frame()->GetActiveChildFrame(&maximized));
    EXPECT_TRUE(maximized);
}

TEST_F(DockingFrame, CloseUndocksDockedChildrenFirstAndACancelledCloseChangesNothing)
{
    COXMDIChildWndSizeDock* child = OpenChild();
    ASSERT_NE(nullptr, child);
    child->GetActiveDocument()->SetModifiedFlag(TRUE);
    ASSERT_TRUE(child->SetDocked(TRUE));
    fw::test::Pump();
    CDockedDocument::s_closedDocked.clear();

    (*m_services)->messageBoxAnswers.push_back(IDCANCEL);
    m_frame->SendMessage(WM_CLOSE);
    fw::test::Pump();
    ASSERT_TRUE(::IsWindow(m_frame->m_hWnd));
    EXPECT_FALSE(Frame()->m_bClosing);
    EXPECT_TRUE(child->IsDocked());
    EXPECT_TRUE(CDockedDocument::s_closedDocked.empty());

    (*m_services)->messageBoxAnswers.push_back(IDNO);
    m_frame->SendMessage(WM_CLOSE);
    fw::test::DrainQuit();
    EXPECT_EQ(nullptr, m_app->m_pMainWnd);
    ASSERT_EQ(1u, CDockedDocument::s_closedDocked.size());
    EXPECT_FALSE(CDockedDocument::s_closedDocked[0]);
}

TEST_F(DockingFrame, HidingABarOfTheActiveFloatWindowActivatesTheNextChild)
{
    COXMDIChildWndSizeDock* child = OpenChild();
    CreateBar(m_output, AFX_IDW_TOOLBAR, "Output", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_output});
    COXMDIFloatWnd* floatWnd = FloatInClient(m_output, 50, 50);
    ASSERT_NE(nullptr, floatWnd);
    Frame()->MDIActivate(floatWnd);
    ASSERT_EQ(floatWnd, Frame()->GetActiveChildFrame());

    m_frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    fw::test::Pump();
    EXPECT_FALSE(m_output.IsWindowVisible());
    EXPECT_EQ(child, Frame()->GetActiveChildFrame());
}
} // namespace sizedock
