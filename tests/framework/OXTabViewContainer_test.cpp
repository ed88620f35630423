// The tab view container under Wine: pages, activation and ids, the splitter and tab
// scrolling, the mark pages look for, the scroll bars that pages borrow, and what it paints.
#include "framework/OXTabViewContainer.h"

#include "framework/OXHistoryCtrl.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/app.h"
#include "platform/win/resource.h"
#include "resources/ids/framework_ids.h"
#include "tests/support/TestPaths.h"

#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
// A page made from its run-time class.
class CPlainPage : public CWnd
{
    FW_CREATABLE(CPlainPage, CWnd)

protected:
    void PostNcDestroy() override { delete this; }
};

// A history that scrolls with the container's bars while it has none of its own, as the
// output bar's message history does.
class CBorrowingHistory : public COXHistoryCtrl
{
public:
    CScrollBar* GetScrollBarCtrl(int bar) const override
    {
        COXTabViewContainer* container = GetParentTabViewContainer(this, TRUE);
        const DWORD style = GetStyle();
        if (container && bar == SB_HORZ && !(style & WS_HSCROLL) &&
            ::IsWindow(container->GetHorzScrollBar()->m_hWnd))
            return container->GetHorzScrollBar();
        if (container && bar == SB_VERT && !(style & WS_VSCROLL) &&
            ::IsWindow(container->GetVertScrollBar()->m_hWnd))
            return container->GetVertScrollBar();
        return COXHistoryCtrl::GetScrollBarCtrl(bar);
    }
};

SCROLLINFO BarInfo(CScrollBar* bar)
{
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(bar->m_hWnd, SB_CTL, &info);
    return info;
}

class TabViewContainer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, fw::RegisterWndClass(0), "tabs", WS_POPUP | WS_VISIBLE, 10,
                                      10, 420, 300, nullptr, nullptr));
        ASSERT_TRUE(m_container.Create(&m_parent, CRect(0, 0, 400, 280)));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    // A plain child window with a title, to be inserted as a page.
    CWnd* MakePage(const char* title, DWORD style = 0)
    {
        CWnd* page = new CWnd;
        page->CreateEx(0, fw::RegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_WINDOW)), title,
                       WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, m_parent.m_hWnd, nullptr);
        m_owned.push_back(std::unique_ptr<CWnd>(page));
        return page;
    }

    void Press(int hitCode)
    {
        const CPoint point = m_container.GetScrollButtonRect(hitCode).CenterPoint();
        m_container.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_container.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    void DragSplitterTo(int x)
    {
        const CPoint start = m_container.GetSplitterRect().CenterPoint();
        m_container.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
        m_container.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, start.y));
        m_container.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, start.y));
    }

    COLORREF PixelAt(int x, int y)
    {
        fw::test::Pump();
        const HDC dc = ::GetDC(m_container.m_hWnd);
        const COLORREF color = ::GetPixel(dc, x, y);
        ::ReleaseDC(m_container.m_hWnd, dc);
        return color;
    }

    CWnd m_parent;
    COXTabViewContainer m_container;
    std::vector<std::unique_ptr<CWnd>> m_owned;
};
} // namespace

TEST_F(TabViewContainer, IsMarkedForItsPages)
{
    EXPECT_EQ(kTabViewContainerMark, ::GetWindowLongPtrA(m_container.m_hWnd, GWLP_USERDATA));
    CWnd* first = MakePage("first");
    CWnd* second = MakePage("second");
    ASSERT_TRUE(m_container.InsertPage(0, first));
    ASSERT_TRUE(m_container.InsertPage(1, second));
    EXPECT_EQ(&m_container, GetParentTabViewContainer(second));
    EXPECT_EQ(nullptr, GetParentTabViewContainer(first)); // not the active page
    EXPECT_EQ(&m_container, GetParentTabViewContainer(first, FALSE));
    EXPECT_EQ(nullptr, GetParentTabViewContainer(&m_container, FALSE)); // parent unmarked
    EXPECT_STREQ("first", m_container.GetPageTitle(0));
}

TEST_F(TabViewContainer, ShowsOnlyTheActivePageInThePageArea)
{
    CWnd* first = MakePage("first");
    CWnd* second = MakePage(nullptr);
    ASSERT_TRUE(m_container.InsertPage(0, first, "One"));
    ASSERT_TRUE(m_container.InsertPage(1, second));
    EXPECT_STREQ("1", m_container.GetPageTitle(1)); // no title, no text: the index
    EXPECT_EQ(1, m_container.GetActivePageIndex());
    EXPECT_FALSE(first->IsWindowVisible());
    EXPECT_TRUE(second->IsWindowVisible());
    CRect placed;
    second->GetWindowRect(&placed);
    m_container.ScreenToClient(&placed);
    EXPECT_EQ(m_container.GetPageRect(), placed);

    // A click on the other tab activates it.
    const CPoint tab = m_container.GetTabRect(0).CenterPoint();
    m_container.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.x, tab.y));
    EXPECT_EQ(0, m_container.GetActivePageIndex());
    EXPECT_TRUE(first->IsWindowVisible());
    EXPECT_FALSE(second->IsWindowVisible());

    // Inserting before the active page activates the new one and hides the shown one.
    CWnd* third = MakePage("third");
    ASSERT_TRUE(m_container.InsertPage(0, third));
    EXPECT_EQ(0, m_container.GetActivePageIndex());
    EXPECT_FALSE(first->IsWindowVisible());
    EXPECT_FALSE(m_container.InsertPage(5, MakePage("far")));
    EXPECT_FALSE(m_container.InsertPage(0, static_cast<CWnd*>(nullptr)));
}

TEST_F(TabViewContainer, DeletingTheActivePageActivatesTheNextOrTheFirst)
{
    for (const char* title : {"a", "b", "c"})
        ASSERT_TRUE(m_container.InsertPage(m_container.GetPageCount(), MakePage(title)));
    ASSERT_EQ(2, m_container.GetActivePageIndex());
    ASSERT_TRUE(m_container.DeletePage(2, FALSE)); // the active last page
    EXPECT_EQ(0, m_container.GetActivePageIndex());
    EXPECT_STREQ("a", m_container.GetPageTitle(0));
    ASSERT_TRUE(m_container.DeletePage(0, TRUE)); // the active first page: the next takes over
    EXPECT_EQ(0, m_container.GetActivePageIndex());
    EXPECT_STREQ("b", m_container.GetPageTitle(0));
    EXPECT_TRUE(m_container.GetPage(0)->IsWindowVisible());
    ASSERT_TRUE(m_container.DeletePage(0, TRUE)); // the only page
    EXPECT_EQ(-1, m_container.GetActivePageIndex());
    EXPECT_EQ(0, m_container.GetPageCount());
    EXPECT_FALSE(m_container.DeletePage(0, TRUE));
}

TEST_F(TabViewContainer, FreedPageIdsAreReusedLatestFirst)
{
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(m_container.InsertPage(i, RUNTIME_CLASS(CPlainPage)));
    EXPECT_EQ(1, m_container.GetPage(0)->GetDlgCtrlID());
    EXPECT_EQ(3, m_container.GetPage(2)->GetDlgCtrlID());
    ASSERT_TRUE(m_container.DeletePage(1, TRUE)); // id 2
    ASSERT_TRUE(m_container.DeletePage(1, TRUE)); // id 3
    ASSERT_TRUE(m_container.InsertPage(1, RUNTIME_CLASS(CPlainPage)));
    ASSERT_TRUE(m_container.InsertPage(2, RUNTIME_CLASS(CPlainPage)));
    ASSERT_TRUE(m_container.InsertPage(3, RUNTIME_CLASS(CPlainPage)));
    EXPECT_EQ(3, m_container.GetPage(1)->GetDlgCtrlID());
    EXPECT_EQ(2, m_container.GetPage(2)->GetDlgCtrlID());
    EXPECT_EQ(4, m_container.GetPage(3)->GetDlgCtrlID());
}

TEST_F(TabViewContainer, SplitterStopsSixtyPixelsShortOfTheRightEnd)
{
    const int buttonsRight = m_container.GetScrollButtonRect(COXTabViewContainer::hitLast).right;
    EXPECT_EQ(200, m_container.GetTabAreaRect().Width());
    // Over the splitter the cursor is the splitter's own.
    POINT over = m_container.GetSplitterRect().CenterPoint();
    m_container.ClientToScreen(&over);
    ::SetCursorPos(over.x, over.y);
    m_container.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_container.m_hWnd),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const HCURSOR splitterCursor = fw::LoadResourceCursor(IDC_OXTABVIEW_SPLITTER);
    ASSERT_NE(nullptr, splitterCursor);
    EXPECT_EQ(splitterCursor, ::GetCursor());
    DragSplitterTo(1000);
    EXPECT_EQ(m_container.GetPageRect().right - 60, m_container.GetSplitterRect().left);
    EXPECT_EQ(m_container.GetSplitterRect().left - buttonsRight,
              m_container.GetTabButtonsAreaWidth());
    DragSplitterTo(-50);
    EXPECT_EQ(buttonsRight, m_container.GetSplitterRect().left);
    EXPECT_EQ(0, m_container.GetTabAreaRect().Width());

    // A container narrower than its buttons and that room has no tab area at all.
    m_container.MoveWindow(0, 0, 120, 100);
    DragSplitterTo(300);
    EXPECT_EQ(0, m_container.GetTabAreaRect().Width());
}

TEST_F(TabViewContainer, TabsScrollInFifteenPixelSteps)
{
    for (int i = 0; i < 8; ++i)
    {
        const std::string title = "Long page title " + std::to_string(i);
        ASSERT_TRUE(m_container.InsertPage(i, MakePage(title.c_str())));
    }
    const int areaWidth = m_container.GetTabAreaRect().Width();
    const int lastRight = m_container.GetTabRect(7).right - m_container.GetTabAreaRect().left -
                          m_container.GetTabOffset();
    ASSERT_GT(lastRight, areaWidth);
    EXPECT_LT(m_container.GetTabOffset(), 0); // activating the last tab showed it

    Press(COXTabViewContainer::hitFirst);
    EXPECT_EQ(0, m_container.GetTabOffset());
    Press(COXTabViewContainer::hitPrevious);
    EXPECT_EQ(0, m_container.GetTabOffset());
    Press(COXTabViewContainer::hitNext);
    EXPECT_EQ(-15, m_container.GetTabOffset());
    Press(COXTabViewContainer::hitNext);
    EXPECT_EQ(-30, m_container.GetTabOffset());
    Press(COXTabViewContainer::hitPrevious);
    EXPECT_EQ(-15, m_container.GetTabOffset());
    Press(COXTabViewContainer::hitLast);
    EXPECT_EQ(areaWidth - lastRight, m_container.GetTabOffset());
    Press(COXTabViewContainer::hitNext); // the last tab already ends at the edge
    EXPECT_EQ(areaWidth - lastRight, m_container.GetTabOffset());

    // Activating the first tab brings it back into view.
    m_container.SetActivePageIndex(0);
    EXPECT_EQ(0, m_container.GetTabOffset());
}

// The history has no bars of its own: the container's scroll it, and the horizontal range
// is the longest line, shrinking when that line drops out.
TEST_F(TabViewContainer, HistoryPageScrollsWithTheContainersBars)
{
    CBorrowingHistory history;
    ASSERT_TRUE(history.Create(nullptr, nullptr, WS_CHILD, CRect(), &m_container, 1));
    ASSERT_TRUE(m_container.InsertPage(0, &history, "Message Window"));
    const int charWidth = history.GetCharSize().cx;
    history.SetMaxLines(40);
    history.AddLine(CString('m', 120));
    for (int i = 0; i < 39; ++i)
        history.AddLine("short");
    EXPECT_FALSE(history.GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    CScrollBar* horz = m_container.GetHorzScrollBar();
    CScrollBar* vert = m_container.GetVertScrollBar();
    EXPECT_TRUE(horz->IsWindowEnabled());
    EXPECT_TRUE(vert->IsWindowEnabled());
    EXPECT_EQ(120 * charWidth - 1, BarInfo(horz).nMax);
    const SCROLLINFO vertical = BarInfo(vert);
    EXPECT_EQ(vertical.nMax - static_cast<int>(vertical.nPage) + 1, vertical.nPos); // at the end

    m_container.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0),
                            reinterpret_cast<LPARAM>(horz->m_hWnd));
    EXPECT_EQ(charWidth, history.GetDeviceScrollPosition().x);
    EXPECT_EQ(charWidth, BarInfo(horz).nPos);

    history.AddLine(CString('n', 60)); // the long line drops out
    EXPECT_EQ(60 * charWidth - 1, BarInfo(horz).nMax);

    // Shown again after another page, the history has the bars' ranges back.
    ASSERT_TRUE(m_container.InsertPage(1, MakePage("other")));
    EXPECT_FALSE(horz->IsWindowEnabled());
    ASSERT_TRUE(m_container.SetActivePageIndex(0));
    EXPECT_TRUE(horz->IsWindowEnabled());
    EXPECT_EQ(60 * charWidth - 1, BarInfo(horz).nMax);
    history.SetMaxLines(1);
    EXPECT_FALSE(vert->IsWindowEnabled());
    m_container.DeletePage(0, FALSE);
    history.DestroyWindow();
}

TEST_F(TabViewContainer, APageWithOnlyAVerticalBarGetsADisabledHorizontalOne)
{
    CWnd* page = MakePage("list", WS_VSCROLL);
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 500, 100, 40, 0};
    ::SetScrollInfo(page->m_hWnd, SB_VERT, &info, FALSE);
    ASSERT_TRUE(m_container.InsertPage(0, page));
    EXPECT_FALSE(m_container.GetHorzScrollBar()->IsWindowEnabled());
    EXPECT_TRUE(m_container.GetVertScrollBar()->IsWindowEnabled());
    const SCROLLINFO copied = BarInfo(m_container.GetVertScrollBar());
    EXPECT_EQ(500, copied.nMax);
    EXPECT_EQ(40, copied.nPos);
    EXPECT_FALSE(page->GetStyle() & WS_VSCROLL); // its own bar is hidden while it is a page

    // Scrolling the container's bar reaches the page.
    m_container.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0),
                            reinterpret_cast<LPARAM>(m_container.GetVertScrollBar()->m_hWnd));
    ASSERT_TRUE(m_container.InsertPage(1, MakePage("other")));
    EXPECT_TRUE(page->GetStyle() & WS_VSCROLL); // given back when another page shows
}

// A page that, whenever it is sized, has another container copy its page's bars: what a page
// of one container may do while that container reads its bars.
class CCrossUpdatingPage : public CWnd
{
public:
    COXTabViewContainer* own = nullptr;
    COXTabViewContainer* other = nullptr;
    std::vector<std::pair<bool, bool>> updatingAtSize; // (own, other) at each size

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_SIZE && own != nullptr && other != nullptr)
        {
            updatingAtSize.emplace_back(own->IsUpdatingScrollBars() != FALSE,
                                        other->IsUpdatingScrollBars() != FALSE);
            other->UpdateScrollInfo();
        }
        return CWnd::WindowProc(msg, wParam, lParam);
    }
};

TEST_F(TabViewContainer, OneContainersScrollUpdateLeavesAnotherFreeToUpdate)
{
    COXTabViewContainer second;
    ASSERT_TRUE(second.Create(&m_parent, CRect(0, 0, 400, 280)));
    CWnd* list = MakePage("list", WS_VSCROLL);
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 500, 100, 40, 0};
    ::SetScrollInfo(list->m_hWnd, SB_VERT, &info, FALSE);
    ASSERT_TRUE(second.InsertPage(0, list));
    ASSERT_EQ(500, BarInfo(second.GetVertScrollBar()).nMax);

    CCrossUpdatingPage page;
    ASSERT_TRUE(page.CreateEx(0, fw::RegisterWndClass(0), "sized", WS_CHILD | WS_VISIBLE, 0, 0, 10,
                              10, m_parent.m_hWnd, nullptr));
    ASSERT_TRUE(m_container.InsertPage(0, &page));
    // The list's range changes; the next update of its container copies it.
    info.nMax = 900;
    ::SetScrollInfo(list->m_hWnd, SB_VERT, &info, FALSE);
    page.own = &m_container;
    page.other = &second;
    m_container.UpdateScrollState();

    ASSERT_FALSE(page.updatingAtSize.empty()); // reading its bars sized the page
    for (const auto& [own, other] : page.updatingAtSize)
    {
        EXPECT_TRUE(own);
        EXPECT_FALSE(other);
    }
    EXPECT_EQ(900, BarInfo(second.GetVertScrollBar()).nMax);
    EXPECT_FALSE(m_container.IsUpdatingScrollBars());
    page.own = page.other = nullptr;
    m_container.DeletePage(0, FALSE);
    page.DestroyWindow();
}

TEST_F(TabViewContainer, PaintsTheActiveTabLightAndTheOthersInButtonFace)
{
    ASSERT_TRUE(m_container.InsertPage(0, MakePage("First page")));
    ASSERT_TRUE(m_container.InsertPage(1, MakePage("Second page")));
    m_container.SetActivePageIndex(0);
    const CRect active = m_container.GetTabRect(0);
    const CRect other = m_container.GetTabRect(1);
    const CRect area = m_container.GetTabAreaRect();
    ASSERT_LT(other.right, area.right - 4); // room right of the tabs
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), PixelAt(area.right - 2, area.top));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelAt(area.right - 2, area.top + 4));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), PixelAt(active.left + 3, active.top + 2));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelAt(other.right - 4, other.top + 2));
    // The splitter's face.
    const CRect splitter = m_container.GetSplitterRect();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelAt(splitter.left + 3, splitter.top + 5));
}

TEST_F(TabViewContainer, TabAreaWidthLivesInTheProfile)
{
    EXPECT_FALSE(m_container.SaveState("Output")); // no application object yet
    CWinApp app("TabTest");
    const std::string ini = testing_support::MakeTempDir("tabs") + "\\tabs.ini";
    app.SetProfileName(ini.c_str());
    DragSplitterTo(m_container.GetSplitterRect().left - 50);
    const int width = m_container.GetTabButtonsAreaWidth();
    ASSERT_TRUE(m_container.SaveState("Output"));
    EXPECT_EQ(width, static_cast<int>(::GetPrivateProfileIntA("Output", "TabButtonsAreaWidth", -1,
                                                              ini.c_str())));
    ::WritePrivateProfileStringA("Output", "TabButtonsAreaWidth", "120", ini.c_str());
    ASSERT_TRUE(m_container.LoadState("Output"));
    EXPECT_EQ(120, m_container.GetTabButtonsAreaWidth());
    EXPECT_EQ(m_container.GetScrollButtonRect(COXTabViewContainer::hitLast).right + 120,
              m_container.GetTabAreaRect().right);
}

namespace
{
// A container as the pane of a document's child frame, its pages views of the document; it
// goes with the frame when the fixture closes the document.
class CFramePaneContainer : public COXTabViewContainer
{
protected:
    void PostNcDestroy() override { delete this; }
};

class TabViewContainerInFrame : public fw::test::MainFrameFixture
{
};
} // namespace

TEST_F(TabViewContainerInFrame, ViewPagesJoinTheDocumentAndBecomeTheActiveView)
{
    CDocument* document = OpenDocument();
    ASSERT_NE(nullptr, document);
    CMDIChildWnd* child = ActiveChild();
    CView* firstView = ActiveView();
    auto* pane = new CFramePaneContainer;
    COXTabViewContainer& container = *pane;
    ASSERT_TRUE(container.Create(child, CRect(0, 0, 300, 200)));
    ASSERT_TRUE(container.InsertPage(0, firstView, "First"));
    EXPECT_EQ(firstView, child->GetActiveView());

    fw::test::Events().clear();
    ASSERT_TRUE(container.InsertPage(1, RUNTIME_CLASS(fw::test::CTestView)));
    auto* secondView = dynamic_cast<CView*>(container.GetPage(1));
    ASSERT_NE(nullptr, secondView);
    EXPECT_EQ(document, secondView->GetDocument());
    EXPECT_EQ(secondView, child->GetActiveView());
    const std::vector<std::string>& events = fw::test::Events();
    EXPECT_NE(events.end(), std::find(events.begin(), events.end(), "view initial update"));

    ASSERT_TRUE(container.SetActivePageIndex(0));
    EXPECT_EQ(firstView, child->GetActiveView());
}
