// Dockable MDI children, the float window and the resizable floating frame under Wine: docking
// a maximized child and back, the hidden frame while docked, the docking item, float windows
// of several bars, and closing floating frames.
#include "framework/OXMDIChildWndSizeDock.h"

#include "framework/OXMDIFloatWnd.h"
#include "framework/OXMDIFrameWndSizeDock.h"
#include "framework/OXSizableMiniDockFrameWnd.h"
#include "platform/docview/view.h"
#include "platform/test/pump.h"
#include "platform/win/menu.h"
#include "tests/framework/SizeDockFixture.h"

#include <gtest/gtest.h>

namespace sizedock
{
namespace
{
// Tells when it goes.
class CDeletedBar : public CRecordingBar
{
public:
    explicit CDeletedBar(bool* deleted)
        : CRecordingBar(solidCaption | deleteOnClose)
        , m_deleted(deleted)
    {
    }
    ~CDeletedBar() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

class DockableChild : public SizeDockFixture
{
protected:
    DockableChild() { m_childClass = RUNTIME_CLASS(COXMDIChildWndSizeDock); }

    COXMDIChildWndSizeDock* OpenChild()
    {
        OpenDocument();
        return dynamic_cast<COXMDIChildWndSizeDock*>(ActiveChild());
    }

    CRecordingBar m_a;
    CRecordingBar m_b;
};
} // namespace

TEST_F(DockableChild, DockingTheActiveMaximizedChildRestoresItAndUndockingMaximizesItAgain)
{
    COXMDIChildWndSizeDock* first = OpenChild();
    COXMDIChildWndSizeDock* child = OpenChild();
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, child);
    m_frame->MDIMaximize(child);
    ASSERT_TRUE(child->IsZoomed());
    CView* view = child->GetActiveView();

    ASSERT_TRUE(child->SetDocked(TRUE));
    fw::test::Pump();
    EXPECT_TRUE(child->IsDocked());
    EXPECT_FALSE(child->IsZoomed());
    EXPECT_FALSE(child->IsWindowVisible());
    EXPECT_FALSE(first->IsZoomed()); // the next child took the client restored
    EXPECT_TRUE(child->m_wndSizeViewBar.IsWindowVisible());
    EXPECT_TRUE(::IsChild(child->m_wndSizeViewBar.m_hWnd, view->m_hWnd));
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), child->m_wndSizeViewBar.m_pDockBar);
    CRect viewRect;
    view->GetWindowRect(&viewRect);
    EXPECT_GT(viewRect.Width(), 0);

    ASSERT_TRUE(child->SetDocked(FALSE));
    fw::test::Pump();
    EXPECT_FALSE(child->IsDocked());
    EXPECT_TRUE(child->IsWindowVisible());
    EXPECT_TRUE(child->IsZoomed());
    EXPECT_EQ(child, view->GetParent());
    EXPECT_FALSE(child->m_wndSizeViewBar.IsWindowVisible());
}

TEST_F(DockableChild, DockedFrameStaysHiddenAndItsTextNamesTheBar)
{
    COXMDIChildWndSizeDock* child = OpenChild();
    ASSERT_NE(nullptr, child);
    ASSERT_TRUE(child->SetDocked(TRUE));
    fw::test::Pump();
    child->ModifyStyle(0, WS_VISIBLE);
    EXPECT_FALSE(child->GetStyle() & WS_VISIBLE);

    child->SetWindowText("Renamed");
    CString text;
    child->m_wndSizeViewBar.GetWindowText(text);
    EXPECT_STREQ("Renamed", text.GetString());
}

TEST_F(DockableChild, DockingItemIsInTheSystemMenuAndCheckedWhileDocked)
{
    COXMDIChildWndSizeDock* child = OpenChild();
    ASSERT_NE(nullptr, child);
    CMenu* systemMenu = child->GetSystemMenu(FALSE);
    ASSERT_NE(nullptr, systemMenu);
    const UINT state = systemMenu->GetMenuState(g_nDockMDIChildCommand, MF_BYCOMMAND);
    ASSERT_NE(0xFFFFFFFFu, state);
    EXPECT_FALSE(state & MF_CHECKED);

    // The system menu's item docks the child.
    child->SendMessage(WM_SYSCOMMAND, g_nDockMDIChildCommand);
    fw::test::Pump();
    EXPECT_TRUE(child->IsDocked());
    CMenu popup;
    popup.CreatePopupMenu();
    child->AppendDockMenuItem(popup.m_hMenu);
    EXPECT_TRUE(popup.GetMenuState(g_nDockMDIChildCommand, MF_BYCOMMAND) & MF_CHECKED);

    // Floating, the bar's frame offers the child's item, checked.
    COXSizeViewBar& bar = child->m_wndSizeViewBar;
    m_frame->FloatControlBar(&bar, CPoint(200, 200));
    fw::test::Pump();
    auto* floating = dynamic_cast<COXSizableMiniDockFrameWnd*>(bar.GetParentFrame());
    ASSERT_NE(nullptr, floating);
    CMenu* frameMenu = floating->GetSystemMenu(FALSE);
    ASSERT_NE(nullptr, frameMenu);
    floating->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(frameMenu->m_hMenu),
                          MAKELPARAM(0, TRUE));
    EXPECT_TRUE(frameMenu->GetMenuState(g_nDockMDIChildCommand, MF_BYCOMMAND) & MF_CHECKED);

    // Closing the floating frame closes the child, its document and nothing else.
    const HWND childHwnd = child->m_hWnd;
    floating->SendMessage(WM_CLOSE);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(childHwnd));
    EXPECT_TRUE(::IsWindow(m_frame->m_hWnd));
    POSITION documents = m_template->GetFirstDocPosition();
    EXPECT_EQ(nullptr, documents);
}

TEST_F(DockableChild, ClosingTheLastDockedChildOfADocumentLeavesTheMainFrame)
{
    COXMDIChildWndSizeDock* child = OpenChild();
    ASSERT_NE(nullptr, child);
    ASSERT_TRUE(child->SetDocked(TRUE));
    fw::test::Pump();
    const HWND childHwnd = child->m_hWnd;
    child->SendMessage(WM_CLOSE);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(childHwnd));
    EXPECT_TRUE(::IsWindow(m_frame->m_hWnd));
    EXPECT_EQ(nullptr, m_template->GetFirstDocPosition());
}

TEST_F(DockableChild, FloatWindowOfSeveralBarsKeepsTheirSizesAndClosingHidesThemAll)
{
    CreateBar(m_a, kBarA, "A", CSize(200, 100));
    CreateBar(m_b, kBarB, "B", CSize(200, 100));
    COXMDIFloatWnd* floatWnd = FloatInClient(m_a, 10, 10, CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI);
    ASSERT_NE(nullptr, floatWnd);
    ASSERT_TRUE(floatWnd->m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI);
    floatWnd->m_wndDockBar.DockControlBar(&m_b);
    floatWnd->RecalcLayout();
    const CSize before = m_a.m_sizeFloat;

    CRect window;
    floatWnd->GetWindowRect(&window);
    floatWnd->SetWindowPos(nullptr, 0, 0, window.Width() + 50, window.Height() + 30,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Text(before), Text(m_a.m_sizeFloat));

    floatWnd->SendMessage(WM_CLOSE);
    fw::test::Pump();
    EXPECT_FALSE(m_a.IsWindowVisible());
    EXPECT_FALSE(m_b.IsWindowVisible());
}

TEST_F(DockableChild, ClosingTheFloatingFrameOfABarThatDeletesOnCloseDeletesIt)
{
    bool deleted = false;
    auto* bar = new CDeletedBar(&deleted);
    CreateBar(*bar, kBarA, "A", CSize(200, 100));
    m_frame->FloatControlBar(bar, CPoint(300, 300));
    fw::test::Pump();
    auto* floating = dynamic_cast<COXSizableMiniDockFrameWnd*>(bar->GetParentFrame());
    ASSERT_NE(nullptr, floating);
    floating->SendMessage(WM_CLOSE);
    fw::test::Pump();
    EXPECT_TRUE(deleted);
}
} // namespace sizedock
