// The sizeable control bar under Wine: its three sizes, its caption and buttons, hiding and
// maximizing through them, the active caption, the context menu's commands, the bars that go
// with their frame, and the sizes kept in the dock state.
#include "framework/OXSizeControlBar.h"

#include "platform/bars/dockstate.h"
#include "platform/ctrl/stdctrl.h"
#include "platform/test/pump.h"
#include "platform/win/menu.h"
#include "resources/ids/framework_ids.h"
#include "tests/framework/SizeDockFixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace sizedock
{
namespace
{
class SizeControlBar : public SizeDockFixture
{
protected:
    // The middle of a caption button, in the bar's client coordinates.
    static CPoint Middle(const CRect& button) { return button.CenterPoint(); }

    CRecordingBar m_a;
    CRecordingBar m_b;
    CRecordingBar m_c;
};

// A plain parent window with the given client size.
class ParentWindow
{
public:
    explicit ParentWindow(CSize client)
    {
        CRect rect(CPoint(0, 0), client);
        ::AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
        m_wnd.CreateEx(0, fw::RegisterWndClass(0), "parent", WS_POPUP, 0, 0, rect.Width(),
                       rect.Height(), nullptr, nullptr);
    }
    ~ParentWindow() { m_wnd.DestroyWindow(); }
    CWnd m_wnd;
};
} // namespace

TEST_F(SizeControlBar, DefaultRectangleIsTheParentsBottomRightCornerAndGivesAllThreeSizes)
{
    ParentWindow parent(CSize(801, 603));
    CRecordingBar bar;
    ASSERT_TRUE(bar.CreateBar(&parent.m_wnd, "bar", kBarA, WS_CHILD | WS_VISIBLE | CBRS_NOALIGN));
    CRect window;
    bar.GetWindowRect(&window);
    parent.m_wnd.ScreenToClient(&window);
    EXPECT_EQ("(401,453)-(801,603)", Text(window));
    EXPECT_EQ("400x150", Text(bar.m_sizeFloat));
    EXPECT_EQ("400x150", Text(bar.m_sizeHorzDock));
    EXPECT_EQ("150x400", Text(bar.m_sizeVertDock));
    // The first change of place always reports the floating state as changed.
    bar.SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_FALSE(bar.m_resizes.empty());
    EXPECT_EQ(COXSizeControlBar::sizeChanged | COXSizeControlBar::floatingChanged,
              bar.m_resizes.front().flags);
    EXPECT_TRUE(bar.m_resizes.front().floating);
    bar.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(1u, bar.m_resizes.size());
    bar.DestroyWindow();
}

TEST_F(SizeControlBar, DockedAtTheTopTheCaptionRunsDownTheLeftWithItsButtons)
{
    CreateBar(m_a, kBarA, "A", CSize(400, 120));
    DockRow(AFX_IDW_DOCKBAR_TOP, {&m_a});
    CRect window;
    m_a.GetWindowRect(&window);
    POINT origin = {0, 0};
    m_a.ClientToScreen(&origin);
    EXPECT_EQ(21, origin.x - window.left);
    EXPECT_EQ(5, origin.y - window.top);
    // The buttons are 11-pixel squares at the top of the strip, 13 apart.
    EXPECT_EQ("(-16,0)-(-5,11)", Text(m_a.GetCloseButtonRect()));
    EXPECT_EQ("(-16,13)-(-5,24)", Text(m_a.GetMaximizeButtonRect()));
    EXPECT_EQ(-16, m_a.GetCaptionRect().left);
    EXPECT_EQ(26, m_a.GetCaptionRect().top);

    // Docked at the left the caption runs along the top, the buttons at its right end.
    m_frame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_LEFT);
    m_frame->RecalcLayout();
    m_a.GetWindowRect(&window);
    origin = {0, 0};
    m_a.ClientToScreen(&origin);
    EXPECT_EQ(5, origin.x - window.left);
    EXPECT_EQ(21, origin.y - window.top);
    CRect client;
    m_a.GetClientRect(&client);
    EXPECT_EQ(client.right, m_a.GetCloseButtonRect().right);
    EXPECT_EQ(-16, m_a.GetCloseButtonRect().top);
    EXPECT_EQ(m_a.GetCloseButtonRect().left - 13, m_a.GetMaximizeButtonRect().left);
}

TEST_F(SizeControlBar, CloseButtonHidesTheBarAndShowingItRestoresItsRow)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    CreateBar(m_b, kBarB, "B", CSize(100, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a, &m_b});

    // Released outside the button: nothing happens.
    const CPoint close = Middle(m_b.GetCloseButtonRect());
    PostClick(&m_b, close, CPoint(close.x + 40, close.y + 40));
    EXPECT_TRUE(m_b.IsWindowVisible());

    PostClick(&m_b, close, close);
    EXPECT_FALSE(m_b.IsWindowVisible());
    EXPECT_EQ(800, InFrame(&m_a).right); // A alone fills the row
    EXPECT_EQ(802, InFrame(&m_a).Width());

    Frame()->ShowControlBar(&m_b, TRUE, FALSE);
    fw::test::Pump();
    EXPECT_TRUE(m_b.IsWindowVisible());
    EXPECT_EQ(800, InFrame(&m_b).right);
    EXPECT_EQ(InFrame(&m_a).bottom, InFrame(&m_b).bottom);
    // A made room for B's 199 pixels and both were refitted to the row: 605 and 199 share
    // 796 as 598 and 198.
    EXPECT_EQ(598, InFrame(&m_a).Width());
    EXPECT_EQ(198, InFrame(&m_b).Width());
}

TEST_F(SizeControlBar, MaximizeLeavesTheOthersTheirCaptionsAndRestoreGivesTheLengthsBack)
{
    CreateBar(m_a, kBarA, "A", CSize(200, 150));
    CreateBar(m_b, kBarB, "B", CSize(200, 150));
    CreateBar(m_c, kBarC, "C", CSize(200, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a, &m_b, &m_c});
    const int a = InFrame(&m_a).Width();
    const int b = InFrame(&m_b).Width();
    const int c = InFrame(&m_c).Width();
    EXPECT_EQ(800, InFrame(&m_c).right);

    const CPoint maximize = Middle(m_b.GetMaximizeButtonRect());
    PostClick(&m_b, maximize, maximize);
    EXPECT_TRUE(m_b.IsMaximized());
    EXPECT_EQ(21, InFrame(&m_a).Width());
    EXPECT_EQ(21, InFrame(&m_c).Width());
    EXPECT_EQ(a + b + c - 42, InFrame(&m_b).Width());
    EXPECT_EQ(800, InFrame(&m_c).right);

    PostClick(&m_b, maximize, maximize);
    EXPECT_FALSE(m_b.IsMaximized());
    EXPECT_EQ(a, InFrame(&m_a).Width());
    EXPECT_EQ(b, InFrame(&m_b).Width());
    EXPECT_EQ(c, InFrame(&m_c).Width());
}

// A maximized state that a resize or a drag ended leaves no saved lengths behind: the next
// maximize saves the lengths of that moment, and its restore gives those back.
TEST_F(SizeControlBar, RestoreGivesBackTheLengthsFromJustBeforeItsMaximize)
{
    CreateBar(m_a, kBarA, "A", CSize(200, 150));
    CreateBar(m_b, kBarB, "B", CSize(200, 150));
    CreateBar(m_c, kBarC, "C", CSize(200, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a, &m_b, &m_c});
    const CPoint maximize = Middle(m_b.GetMaximizeButtonRect());
    struct Step
    {
        const char* name;
        std::function<void()> endMaximized;
    };
    COXSizeDockBar* dockBar = DockBar(AFX_IDW_DOCKBAR_BOTTOM);
    const Step steps[] = {
        {"the frame resized", [this] { SetClientSize(600, 600); }},
        {"a splitter dragged",
         [&]
         {
             // The splitter between A and B, 279 pixels to the right.
             for (const CDockSplitter& s : dockBar->GetSplitters())
             {
                 if (s.type != dockrows::kColumnSplitter)
                     continue;
                 PostDrag(dockBar, s.rect.CenterPoint(), {CSize(140, 0), CSize(139, 0)});
                 break;
             }
         }},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.name);
        PostClick(&m_b, maximize, maximize);
        ASSERT_TRUE(m_b.IsMaximized());
        step.endMaximized();
        ASSERT_FALSE(m_b.IsMaximized());
        const int a = InFrame(&m_a).Width();
        const int b = InFrame(&m_b).Width();
        const int c = InFrame(&m_c).Width();
        const int right = InFrame(&m_c).right;
        PostClick(&m_b, maximize, maximize);
        ASSERT_TRUE(m_b.IsMaximized());
        PostClick(&m_b, maximize, maximize);
        ASSERT_FALSE(m_b.IsMaximized());
        EXPECT_EQ(a, InFrame(&m_a).Width());
        EXPECT_EQ(b, InFrame(&m_b).Width());
        EXPECT_EQ(c, InFrame(&m_c).Width());
        EXPECT_EQ(right, InFrame(&m_c).right);
    }
    EXPECT_EQ(600, InFrame(&m_c).right);
}

TEST_F(SizeControlBar, AloneInItsRowTheMaximizeButtonDoesNothing)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a});
    EXPECT_FALSE(m_a.CanMaximizeInRow());
    const CRect before = InFrame(&m_a);
    const CPoint maximize = Middle(m_a.GetMaximizeButtonRect());
    PostClick(&m_a, maximize, maximize);
    EXPECT_FALSE(m_a.IsMaximized());
    EXPECT_EQ(Text(before), Text(InFrame(&m_a)));
    EXPECT_EQ(COXSizeControlBar::trackNone, m_a.GetTrackedButton());
}

TEST_F(SizeControlBar, CaptionIsActiveWhileTheFocusIsInsideTheBar)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    Dock(m_a, AFX_IDW_DOCKBAR_BOTTOM);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &m_a, 100));
    m_frame->RecalcLayout();
    m_frame->SetForegroundWindow();
    fw::test::Pump();

    edit.SetFocus();
    fw::test::Pump(); // the idle update notices
    EXPECT_TRUE(m_a.IsActive());
    EXPECT_EQ(&m_a, Frame()->m_pActiveSizeBar);
    // The solid caption shows in the active caption colour.
    const CRect caption = m_a.GetCaptionRect();
    const CPoint inCaption(caption.left + 3, caption.bottom - 2);
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), PixelAt(&m_a, inCaption));

    m_frame->SetFocus();
    fw::test::Pump();
    EXPECT_FALSE(m_a.IsActive());
    EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTION), PixelAt(&m_a, inCaption));
}

TEST_F(SizeControlBar, ContextMenuOffersItsCommandsAndAllowDockingToggles)
{
    CRecordingBar bar(COXSizeControlBar::contextMenu | COXSizeControlBar::mdiFloatCommand);
    CreateBar(bar, kBarA, "A", CSize(300, 150));
    Dock(bar, AFX_IDW_DOCKBAR_BOTTOM);
    m_frame->RecalcLayout();
    CMenu menu;
    menu.CreatePopupMenu();
    bar.SendMessage(WM_OX_APPENDDOCKMENU, 0, reinterpret_cast<LPARAM>(menu.m_hMenu));
    ASSERT_EQ(3u, menu.GetMenuItemCount());
    EXPECT_EQ(static_cast<UINT>(ID_OXSIZEBAR_MDIFLOAT), menu.GetMenuItemID(0));
    EXPECT_EQ(static_cast<UINT>(ID_OXSIZEBAR_ALLOWDOCKING), menu.GetMenuItemID(1));
    EXPECT_TRUE(menu.GetMenuState(1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(static_cast<UINT>(ID_OXSIZEBAR_HIDE), menu.GetMenuItemID(2));
    CString text;
    menu.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_FALSE(text.IsEmpty());

    // Disallowing docking floats the bar and keeps its sides for allowing it again.
    bar.SendMessage(WM_COMMAND, ID_OXSIZEBAR_ALLOWDOCKING);
    fw::test::Pump();
    EXPECT_TRUE(bar.IsFloating());
    EXPECT_EQ(0u, bar.m_dwDockStyle & CBRS_ALIGN_ANY);
    bar.SendMessage(WM_COMMAND, ID_OXSIZEBAR_ALLOWDOCKING);
    EXPECT_EQ(CBRS_ALIGN_ANY, bar.m_dwDockStyle & CBRS_ALIGN_ANY);

    // Hide.
    bar.SendMessage(WM_COMMAND, ID_OXSIZEBAR_HIDE);
    fw::test::Pump();
    EXPECT_FALSE(bar.IsWindowVisible());

    // Without the float-as-MDI-child bit there are two items.
    CMenu plain;
    plain.CreatePopupMenu();
    m_b.CreateBar(m_frame, "B", kBarB, WS_CHILD | WS_VISIBLE | CBRS_NOALIGN, CRect(0, 0, 50, 50));
    m_b.EnableDocking(CBRS_ALIGN_ANY);
    m_b.AppendContextMenuItems(&plain);
    EXPECT_EQ(2u, plain.GetMenuItemCount());
}

TEST_F(SizeControlBar, ClosingTheFrameDeletesOnlyListedBars)
{
    const int before = COXSizeControlBar::ListedBarCount();
    auto* listed = new CRecordingBar(COXSizeControlBar::listed);
    CreateBar(*listed, kBarA, "listed", CSize(300, 150));
    Dock(*listed, AFX_IDW_DOCKBAR_BOTTOM);
    CreateBar(m_b, kBarB, "member", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_LEFT, {&m_b});
    EXPECT_EQ(before + 1, COXSizeControlBar::ListedBarCount());

    m_app->m_pMainWnd->DestroyWindow();
    fw::test::Pump();
    EXPECT_EQ(before, COXSizeControlBar::ListedBarCount());
    EXPECT_EQ(nullptr, m_b.m_hWnd); // destroyed with the frame, still an object
}

TEST_F(SizeControlBar, DockStateKeepsTheThreeSizes)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_LEFT, {&m_a});
    m_a.m_sizeFloat = CSize(333, 222);
    m_a.m_sizeHorzDock = CSize(444, 111);
    m_a.m_sizeVertDock = CSize(155, 500);
    CDockState state;
    m_frame->GetDockState(state);

    m_a.m_sizeFloat = m_a.m_sizeHorzDock = m_a.m_sizeVertDock = CSize(1, 1);
    m_frame->SetDockState(state);
    EXPECT_EQ("333x222", Text(m_a.m_sizeFloat));
    EXPECT_EQ("444x111", Text(m_a.m_sizeHorzDock));
    EXPECT_EQ(155, m_a.m_sizeVertDock.cx);
}
} // namespace sizedock
