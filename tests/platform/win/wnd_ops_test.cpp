// Window operations under Wine: scrolling through GetScrollBarCtrl, messages to descendants,
// bar layout, the modal loop and owners.
#include "platform/test/pump.h"
#include "platform/win/scrollbar.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <vector>

namespace
{
const char* PlainClass()
{
    return fw::RegisterWndClass(CS_DBLCLKS);
}

class CScrollingWnd : public CWnd
{
public:
    CScrollBar* sibling = nullptr;
    CScrollBar* GetScrollBarCtrl(int bar) const override
    {
        return bar == SB_VERT ? sibling : nullptr;
    }
};

// Counts a message and, as a bar, takes `thickness` pixels from the top in WM_SIZEPARENT.
class CCountingWnd : public CWnd
{
public:
    int idleUpdates = 0;
    int thickness = 0;
    std::vector<bool> queries;

    LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        ++idleUpdates;
        return 0;
    }
    LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* layout = reinterpret_cast<fw::SizeParentParams*>(lParam);
        queries.push_back(layout->hDWP == nullptr);
        const RECT rect = {layout->rect.left, layout->rect.top, layout->rect.right,
                           layout->rect.top + thickness};
        layout->rect.top += thickness;
        layout->sizeTotal.cy += thickness;
        if (layout->hDWP)
            fw::RepositionWindow(layout, m_hWnd, &rect);
        return 0;
    }

    FW_MESSAGE_TABLE()
};

FW_TABLE(CCountingWnd, CWnd, fw::raw<WM_IDLEUPDATECMDUI, &CCountingWnd::OnIdleUpdate>(),
         fw::raw<WM_SIZEPARENT, &CCountingWnd::OnSizeParent>())

CRect ChildRect(const CWnd& parent, HWND child)
{
    CRect rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, parent.m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}
} // namespace

TEST(WndOps, ScrollCallsGoToTheSiblingScrollBarWhenTheWindowNamesOne)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | SBS_VERT, CRect(180, 0, 200, 200), &parent, 1));
    CScrollingWnd view;
    ASSERT_TRUE(view.Create(nullptr, "", WS_CHILD | WS_VSCROLL, CRect(0, 0, 180, 200), &parent, 2));
    view.sibling = &bar;

    SCROLLINFO info = {};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 42;
    view.SetScrollInfo(SB_VERT, &info);
    EXPECT_EQ(42, ::GetScrollPos(bar.m_hWnd, SB_CTL));
    EXPECT_EQ(0, ::GetScrollPos(view.m_hWnd, SB_VERT));
    EXPECT_EQ(42, view.GetScrollPos(SB_VERT));
    EXPECT_EQ(90, view.GetScrollLimit(SB_VERT));
    view.SetScrollPos(SB_VERT, 7);
    EXPECT_EQ(7, bar.GetScrollPos());

    // Without a sibling the window's own bar moves.
    view.sibling = nullptr;
    view.SetScrollRange(SB_VERT, 0, 50);
    view.SetScrollPos(SB_VERT, 12);
    EXPECT_EQ(12, ::GetScrollPos(view.m_hWnd, SB_VERT));
}

TEST(WndOps, MessagesReachDescendantsDeepOrShallowAndPermanentOnly)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CCountingWnd child;
    CCountingWnd grandchild;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD, CRect(0, 0, 50, 50), &top, 1));
    ASSERT_TRUE(grandchild.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &child, 2));
    // A window without an object among them.
    ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, top.m_hWnd, nullptr,
                      ::GetModuleHandleA(nullptr), nullptr);

    top.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, FALSE, FALSE);
    EXPECT_EQ(1, child.idleUpdates);
    EXPECT_EQ(0, grandchild.idleUpdates);
    top.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(2, child.idleUpdates);
    EXPECT_EQ(1, grandchild.idleUpdates);
}

namespace
{
// Destroys a sibling when it gets the message.
class CDestroyingWnd : public CWnd
{
public:
    HWND victim = nullptr;
    LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        ::DestroyWindow(victim);
        return 0;
    }
    FW_MESSAGE_TABLE()
};
FW_TABLE(CDestroyingWnd, CWnd, fw::raw<WM_IDLEUPDATECMDUI, &CDestroyingWnd::OnIdleUpdate>())
} // namespace

TEST(WndOps, MessagesToDescendantsSurviveAHandlerDestroyingASibling)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CDestroyingWnd first;
    CCountingWnd second;
    CCountingWnd third;
    for (CWnd* child :
         {static_cast<CWnd*>(&first), static_cast<CWnd*>(&second), static_cast<CWnd*>(&third)})
        ASSERT_TRUE(child->Create(nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &top, 1));
    first.victim = second.m_hWnd;
    top.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, FALSE);
    EXPECT_EQ(0, second.idleUpdates);
    EXPECT_EQ(1, third.idleUpdates);
}

TEST(WndOps, RepositionBarsGivesBarsTheirSidesInCreationOrderAndThePaneTheRest)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    CCountingWnd first;
    CCountingWnd second;
    CWnd pane;
    ASSERT_TRUE(
        first.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame, 0xE800));
    ASSERT_TRUE(
        second.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame, 0xE801));
    ASSERT_TRUE(pane.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame, 0xE900));
    first.thickness = 20;
    second.thickness = 30;

    // A query measures and moves nothing.
    CRect available;
    frame.RepositionBars(0, 0xFFFF, 0xE900, CWnd::reposQuery, &available);
    EXPECT_EQ(CRect(0, 50, 400, 300), available);
    EXPECT_EQ(CRect(0, 0, 1, 1), ChildRect(frame, first.m_hWnd));
    EXPECT_EQ(CRect(0, 0, 1, 1), ChildRect(frame, pane.m_hWnd));
    EXPECT_EQ((std::vector<bool>{true}), first.queries);

    frame.RepositionBars(0, 0xFFFF, 0xE900);
    EXPECT_EQ(CRect(0, 0, 400, 20), ChildRect(frame, first.m_hWnd));
    EXPECT_EQ(CRect(0, 20, 400, 50), ChildRect(frame, second.m_hWnd));
    EXPECT_EQ(CRect(0, 50, 400, 300), ChildRect(frame, pane.m_hWnd));
    EXPECT_EQ((std::vector<bool>{true, false}), first.queries);
}

namespace
{
class CModalWnd : public CWnd
{
public:
    bool deleteOnEnd = false;
    int kicks = 0;
    WPARAM endResult = 0; // posted as the end request at the first idle moment

    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (kicks++ == 0)
            PostMessage(WM_APP + 3, endResult);
        return FALSE;
    }
    LRESULT OnEnd(WPARAM wParam, LPARAM)
    {
        EndModalLoop(static_cast<int>(wParam));
        if (deleteOnEnd)
            delete this;
        return 0;
    }

    FW_MESSAGE_TABLE()
};

FW_TABLE(CModalWnd, CWnd, fw::raw<WM_KICKIDLE, &CModalWnd::OnKickIdle>(),
         fw::raw<WM_APP + 3, &CModalWnd::OnEnd>())
} // namespace

TEST(WndOps, ModalLoopRunsUntilEndedAndSurvivesItsObjectsDeletion)
{
    CModalWnd modal;
    ASSERT_TRUE(modal.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    modal.endResult = 17;
    EXPECT_EQ(17, modal.RunModalLoop(MLF_SHOWONIDLE));
    EXPECT_GE(modal.kicks, 1);
    EXPECT_TRUE(modal.IsWindowVisible()) << "shown once the queue went idle";
    EXPECT_EQ(0u, modal.m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL));

    auto* doomed = new CModalWnd;
    doomed->deleteOnEnd = true;
    ASSERT_TRUE(doomed->CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    const HWND hwnd = doomed->m_hWnd;
    doomed->endResult = 23;
    EXPECT_EQ(23, doomed->RunModalLoop());
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(WndOps, OwnerIsAFieldThatFallsBackToTheParent)
{
    CWnd parent;
    CWnd other;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(other.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &parent, 3));
    EXPECT_EQ(&parent, child.GetOwner());
    child.SetOwner(&other);
    EXPECT_EQ(&other, child.GetOwner());
    EXPECT_EQ(&parent, child.GetParent());
    EXPECT_EQ(&child, parent.GetDlgItem(3));
    EXPECT_EQ(&child, parent.GetDescendantWindow(3, TRUE));
}

TEST(WndOps, NonClientRectsPutTheWindowAtTheOriginAndTheClientInsideItsFrame)
{
    struct Case
    {
        const char* what;
        DWORD style;
        DWORD exStyle;
    };
    for (const Case& c :
         {Case{"captioned frame", WS_POPUP | WS_CAPTION | WS_THICKFRAME, 0},
          Case{"client edge", WS_POPUP, WS_EX_CLIENTEDGE}, Case{"no frame", WS_POPUP, 0}})
    {
        SCOPED_TRACE(c.what);
        const HWND hwnd = ::CreateWindowExA(c.exStyle, fw::RegisterWndClass(0), "", c.style, 40, 30,
                                            200, 120, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, hwnd);
        RECT screen;
        ::GetWindowRect(hwnd, &screen);
        POINT origin = {0, 0};
        ::ClientToScreen(hwnd, &origin);
        RECT own;
        ::GetClientRect(hwnd, &own);

        RECT window;
        RECT client;
        fw::GetNonClientRects(hwnd, &window, &client);
        EXPECT_EQ(0, window.left);
        EXPECT_EQ(0, window.top);
        EXPECT_EQ(screen.right - screen.left, window.right);
        EXPECT_EQ(screen.bottom - screen.top, window.bottom);
        EXPECT_EQ(origin.x - screen.left, client.left);
        EXPECT_EQ(origin.y - screen.top, client.top);
        EXPECT_EQ(own.right, client.right - client.left);
        EXPECT_EQ(own.bottom, client.bottom - client.top);
        ::DestroyWindow(hwnd);
    }
}
