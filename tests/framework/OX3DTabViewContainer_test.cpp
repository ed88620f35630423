// The 3-D tab view container under Wine: pages on tabs, deletion and activation, the margin,
// generic creation, and activation of the tab under a drag.
#include "framework/OX3DTabViewContainer.h"

#include "framework/TabPages.h"
#include "platform/ole/dataobject.h"
#include "platform/ole/oleinit.h"
#include "platform/test/pump.h"

#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <shlobj.h>
#include <string>
#include <vector>

namespace
{
// A CF_HDROP block naming one file, as the shell builds it for a dragged file.
HGLOBAL MakeFileDrop(const char* file)
{
    const size_t length = std::strlen(file);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + length + 2);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), file, length);
    ::GlobalUnlock(block);
    return block;
}

class ThreeDTabViewContainer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fw::OleInit());
        ASSERT_TRUE(m_parent.CreateEx(0, fw::RegisterWndClass(0), "3d tabs", WS_POPUP | WS_VISIBLE,
                                      40, 40, 360, 260, nullptr, nullptr));
        ASSERT_TRUE(m_container.Create(COX3DTabViewContainer::kDefaultStyle, CRect(0, 0, 340, 240),
                                       &m_parent, 0xE900));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    // Pages are destroyed with the container; the objects stay with the test.
    CWnd* MakePage()
    {
        m_pages.push_back(std::make_unique<CWnd>());
        CWnd* page = m_pages.back().get();
        page->CreateEx(0, fw::RegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_WINDOW)), "",
                       WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_parent.m_hWnd, nullptr);
        return page;
    }

    void AddPages(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            const std::string title = "Tree " + std::to_string(i);
            ASSERT_TRUE(m_container.InsertPage(i, MakePage(), title.c_str()));
        }
    }

    CWnd m_parent;
    COX3DTabViewContainer m_container;
    std::vector<std::unique_ptr<CWnd>> m_pages;
};
} // namespace

TEST(TabPageIds, FreedIdsComeBackLatestFirst)
{
    CTabPageIds ids;
    EXPECT_EQ(1u, ids.Take());
    EXPECT_EQ(2u, ids.Take());
    EXPECT_EQ(3u, ids.Take());
    ids.Free(2);
    ids.Free(3);
    EXPECT_EQ(3u, ids.Take());
    EXPECT_EQ(2u, ids.Take());
    EXPECT_EQ(4u, ids.Take());
}

TEST_F(ThreeDTabViewContainer, ShowsTheSelectedTabsPageInTheDisplayArea)
{
    AddPages(3);
    EXPECT_EQ(2, m_container.GetActivePageIndex());
    EXPECT_EQ(2, m_container.GetCurSel());
    EXPECT_TRUE(m_container.GetPage(2)->IsWindowVisible());
    EXPECT_FALSE(m_container.GetPage(0)->IsWindowVisible());
    EXPECT_TRUE(m_container.GetPage(0)->GetStyle() & WS_TABSTOP);
    CRect placed;
    m_container.GetPage(2)->GetWindowRect(&placed);
    m_container.ScreenToClient(&placed);
    EXPECT_EQ(m_container.GetPageRect(), placed);
    EXPECT_FALSE(placed.IsRectEmpty());

    // A page inserted without activation stays hidden.
    ASSERT_TRUE(m_container.InsertPage(0, MakePage(), "Hidden", -1, 0, FALSE));
    EXPECT_EQ(3, m_container.GetActivePageIndex());
    EXPECT_FALSE(m_container.GetPage(0)->IsWindowVisible());
    EXPECT_FALSE(m_container.InsertPage(9, MakePage(), "far"));

    // Choosing a tab as the user does.
    NMHDR header = {m_container.m_hWnd, 0xE900, static_cast<UINT>(TCN_SELCHANGE)};
    m_container.SetCurSel(1);
    m_parent.SendMessage(WM_NOTIFY, 0xE900, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(1, m_container.GetActivePageIndex());
    EXPECT_TRUE(m_container.GetPage(1)->IsWindowVisible());
}

TEST_F(ThreeDTabViewContainer, DeletingTheActiveLastPageActivatesTheFirst)
{
    AddPages(3);
    ASSERT_TRUE(m_container.DeletePage(2, TRUE));
    EXPECT_EQ(0, m_container.GetActivePageIndex());
    EXPECT_EQ(0, m_container.GetCurSel());
    ASSERT_TRUE(m_container.SetActivePageIndex(1));
    ASSERT_TRUE(m_container.DeletePage(0, TRUE)); // before the active one
    EXPECT_EQ(0, m_container.GetActivePageIndex());
    EXPECT_EQ(0, m_container.GetCurSel());
    ASSERT_TRUE(m_container.DeletePage(0, TRUE)); // the only page
    EXPECT_EQ(-1, m_container.GetActivePageIndex());
    EXPECT_EQ(-1, m_container.GetCurSel());
    EXPECT_FALSE(m_container.DeletePage(0, TRUE));
}

TEST_F(ThreeDTabViewContainer, KeepsAMarginThatCollapsesWhenTooSmall)
{
    CRect window;
    m_container.GetWindowRect(&window);
    CRect client;
    m_container.GetClientRect(&client);
    EXPECT_EQ(window.Width() - 10, client.Width());
    EXPECT_EQ(window.Height() - 10, client.Height());

    m_container.MoveWindow(0, 0, 200, 10);
    m_container.GetClientRect(&client);
    EXPECT_EQ(190, client.Width());
    EXPECT_EQ(0, client.Height());
    // The margin is still painted, in the control's own background.
    fw::test::Pump();
    const HDC dc = ::GetWindowDC(m_container.m_hWnd);
    const COLORREF margin = ::GetPixel(dc, 2, 2);
    const COLORREF middle = ::GetPixel(dc, 100, 5);
    ::ReleaseDC(m_container.m_hWnd, dc);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), margin);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), middle);
}

TEST_F(ThreeDTabViewContainer, GenericCreationMakesATabControlWithTheFixedStyle)
{
    COX3DTabViewContainer generic;
    ASSERT_TRUE(generic.Create(nullptr, "Project", WS_CHILD, CRect(0, 0, 100, 80), &m_parent, 5));
    char className[32] = {};
    ::GetClassNameA(generic.m_hWnd, className, sizeof className);
    EXPECT_STREQ(WC_TABCONTROLA, className);
    EXPECT_EQ(COX3DTabViewContainer::kDefaultStyle,
              generic.GetStyle() & COX3DTabViewContainer::kDefaultStyle);
    EXPECT_TRUE(generic.GetExStyle() & WS_EX_CONTROLPARENT);
    CString text;
    generic.GetWindowText(text);
    EXPECT_STREQ("Project", text);
    generic.DestroyWindow();
}

// A file dragged over an inactive tab activates it; the drop is refused.
TEST_F(ThreeDTabViewContainer, DraggingAFileOverATabActivatesIt)
{
    AddPages(3);
    m_container.SetActivePageIndex(0);
    CRect tab;
    ASSERT_TRUE(m_container.GetItemRect(2, &tab));
    POINT over = tab.CenterPoint();
    m_container.ClientToScreen(&over);

    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, MakeFileDrop("C:\\model.dat"));
    IDropTarget* target = m_container.GetDropTarget().GetInterface();
    ASSERT_NE(nullptr, target);
    DWORD effect = DROPEFFECT_COPY;
    const POINTL at = {over.x, over.y};
    ASSERT_EQ(S_OK, target->DragEnter(source.GetInterface(), MK_LBUTTON, at, &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    EXPECT_EQ(2, m_container.GetActivePageIndex());
    EXPECT_TRUE(m_container.GetPage(2)->IsWindowVisible());

    // Staying over the same tab does not fight the user's own choice.
    m_container.SetActivePageIndex(1);
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(S_OK, target->DragOver(MK_LBUTTON, at, &effect));
    EXPECT_EQ(1, m_container.GetActivePageIndex());
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    effect = DROPEFFECT_COPY;
    target->Drop(source.GetInterface(), MK_LBUTTON, at, &effect);
    EXPECT_EQ(DROPEFFECT_NONE, effect);
}
