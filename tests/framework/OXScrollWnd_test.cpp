// The scroll window under Wine: scroll sizes and bars, zoom limits and fitting, alignment,
// keyboard and wheel scrolling, smooth scrolling, track zoom and the context menu.
#include "framework/OXScrollWnd.h"

#include "platform/test/pump.h"
#include "platform/win/dc.h"
#include "platform/win/menu.h"
#include "resources/resource.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// Records the menu it is offered and shows none.
class CMenuRecordingWnd : public COXScrollWnd
{
public:
    struct Item
    {
        std::string text;
        UINT id;
        UINT state;
    };
    std::vector<Item> items;
    std::vector<Item> zoomItems;
    int initializeCount = 0;

    BOOL Initialize() override
    {
        ++initializeCount;
        return TRUE;
    }
    BOOL PrepareContextMenu(CMenu* popup, CPoint&) override
    {
        items = Read(popup->m_hMenu);
        if (!items.empty())
            zoomItems = Read(::GetSubMenu(popup->m_hMenu, 0));
        return FALSE;
    }

private:
    static std::vector<Item> Read(HMENU menu)
    {
        std::vector<Item> read;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        {
            char text[64] = {};
            ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            read.push_back(
                {text, ::GetMenuItemID(menu, i), ::GetMenuState(menu, i, MF_BYPOSITION)});
        }
        return read;
    }
};

class ScrollWnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, fw::RegisterWndClass(0), "scroll", WS_POPUP | WS_VISIBLE,
                                      30, 30, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(m_wnd.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100),
                                 &m_parent, 7));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CSize ClientSize() const
    {
        CRect client;
        m_wnd.GetClientRect(&client);
        return client.Size();
    }

    CWnd m_parent;
    CMenuRecordingWnd m_wnd;
};
} // namespace

TEST_F(ScrollWnd, InitializeRunsOnceAtCreation)
{
    EXPECT_EQ(1, m_wnd.initializeCount);
    CMenuRecordingWnd subclassed;
    const HWND plain = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, m_parent.m_hWnd,
                                         nullptr, nullptr, nullptr);
    ASSERT_TRUE(subclassed.SubclassWindow(plain));
    EXPECT_EQ(1, subclassed.initializeCount);
    subclassed.DestroyWindow();
}

TEST_F(ScrollWnd, SizesTakeDefaultsAndShowTheBarsThatAreNeeded)
{
    EXPECT_EQ(0, m_wnd.GetMapMode());
    m_wnd.SetScrollSizes(MM_TEXT, CSize(1000, 50));
    EXPECT_EQ(CSize(1000, 50), m_wnd.GetDeviceTotalSize());
    EXPECT_EQ(CSize(100, 5), m_wnd.GetDevicePageSize());
    EXPECT_EQ(CSize(10, 0), m_wnd.GetDeviceLineSize());
    EXPECT_TRUE(m_wnd.GetStyle() & WS_HSCROLL);
    EXPECT_FALSE(m_wnd.GetStyle() & WS_VSCROLL);
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(::GetScrollInfo(m_wnd.m_hWnd, SB_HORZ, &info));
    EXPECT_EQ(999, info.nMax);
    EXPECT_EQ(static_cast<UINT>(ClientSize().cx), info.nPage);

    // A metric mode: a tenth of a millimetre per unit, y up.
    m_wnd.SetScrollSizes(MM_LOMETRIC, CSize(254, 254), CSize(100, 100), CSize(10, 10));
    const HDC screen = ::CreateCompatibleDC(nullptr);
    ::SetMapMode(screen, MM_LOMETRIC);
    POINT corners[3] = {{0, 0}, {254, 254}, {100, 100}};
    ::LPtoDP(screen, corners, 3);
    ::DeleteDC(screen);
    EXPECT_EQ(CSize(corners[1].x, -corners[1].y), m_wnd.GetDeviceTotalSize());
    EXPECT_EQ(CSize(corners[2].x, -corners[2].y), m_wnd.GetDevicePageSize());
}

TEST_F(ScrollWnd, ZoomIsClampedAndKeepsTheAnchoredPoint)
{
    m_wnd.SetScrollSizes(MM_TEXT, CSize(400, 400), CSize(50, 50), CSize(10, 10));
    struct ZoomCase
    {
        int requested;
        int result;
    };
    for (const ZoomCase& c : {ZoomCase{5, 10}, ZoomCase{2000, 1000}, ZoomCase{250, 250}})
    {
        SCOPED_TRACE(c.requested);
        m_wnd.SetZoomLevel(c.requested);
        EXPECT_EQ(c.result, m_wnd.GetZoomLevel());
        EXPECT_EQ(CSize(4 * c.result, 4 * c.result), m_wnd.GetDeviceTotalSize());
    }
    EXPECT_EQ(250, m_wnd.SetZoomLevel(250)); // the same level changes nothing

    m_wnd.SetZoomLevel(100);
    m_wnd.ScrollToPosition(CPoint(100, 120));
    EXPECT_EQ(CPoint(100, 120), m_wnd.GetScrollPosition());
    m_wnd.SetZoomLevel(200);
    EXPECT_EQ(CPoint(100, 120), m_wnd.GetScrollPosition());
    EXPECT_EQ(CPoint(200, 240), m_wnd.GetDeviceScrollPosition());

    m_wnd.SetScrollAnchor(COXScrollWnd::anchorCenter);
    const CPoint centre = m_wnd.GetScrollPosition();
    m_wnd.SetZoomLevel(400);
    EXPECT_NEAR(centre.x, m_wnd.GetScrollPosition().x, 1);
    EXPECT_NEAR(centre.y, m_wnd.GetScrollPosition().y, 1);
}

TEST_F(ScrollWnd, ZoomToWindowAndToARectangle)
{
    m_wnd.SetScrollSizes(MM_TEXT, CSize(800, 800), CSize(50, 50), CSize(10, 10));
    const CSize client = ClientSize();
    m_wnd.ZoomToWindow();
    EXPECT_EQ(std::min(client.cx * 100 / 800, client.cy * 100 / 800), m_wnd.GetZoomLevel());

    m_wnd.SetZoomLevel(100);
    // A quarter of the client area, starting at (20, 10).
    const CSize now = ClientSize();
    m_wnd.ZoomToRectangle(CRect(20, 10, 20 + now.cx / 4, 10 + now.cy / 4),
                          COXScrollWnd::anchorTopLeft);
    EXPECT_NEAR(400, m_wnd.GetZoomLevel(), 10);
    EXPECT_NEAR(20, m_wnd.GetScrollPosition().x, 1);
    EXPECT_NEAR(10, m_wnd.GetScrollPosition().y, 1);

    const int before = m_wnd.GetZoomLevel();
    m_wnd.ZoomToRectangle(CRect(-50, -50, -10, -10)); // outside the window
    EXPECT_EQ(before, m_wnd.GetZoomLevel());
}

TEST_F(ScrollWnd, AlwaysFitFollowsResizingAndDisablesTheZoomCommands)
{
    m_wnd.SetScrollSizes(MM_TEXT, CSize(400, 400), CSize(50, 50), CSize(10, 10));
    m_wnd.SetAlwaysFitWindow(TRUE);
    m_wnd.MoveWindow(0, 0, 200, 200);
    const int fitted = m_wnd.GetZoomLevel();
    EXPECT_EQ(ClientSize().cx * 100 / 400, fitted);
    m_wnd.MoveWindow(0, 0, 400, 400);
    EXPECT_GT(m_wnd.GetZoomLevel(), fitted);

    m_wnd.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_wnd.m_hWnd), MAKELPARAM(50, 50));
    ASSERT_EQ(6u, m_wnd.items.size()); // no "100%" while fitting
    EXPECT_TRUE(m_wnd.items[0].state & MF_GRAYED);
    EXPECT_TRUE(m_wnd.items[1].state & MF_GRAYED);
    EXPECT_EQ("Always fit window", m_wnd.items[3].text);
    EXPECT_TRUE(m_wnd.items[3].state & MF_CHECKED);
}

TEST_F(ScrollWnd, ContextMenuOffersTheZoomLevels)
{
    m_wnd.SetScrollSizes(MM_TEXT, CSize(400, 400));
    m_wnd.SetZoomLevel(200);
    m_wnd.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_wnd.m_hWnd), MAKELPARAM(50, 50));
    const std::vector<std::string> expected = {
        "Zoom",           "Zoom to content", "100%", "", "Always fit window",
        "Use track zoom", "Smooth scrolling"};
    ASSERT_EQ(expected.size(), m_wnd.items.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], m_wnd.items[i].text);
    ASSERT_EQ(13u, m_wnd.zoomItems.size());
    EXPECT_EQ("10%", m_wnd.zoomItems[0].text);
    EXPECT_EQ("1000%", m_wnd.zoomItems[12].text);
    EXPECT_TRUE(m_wnd.zoomItems[4].state & MF_CHECKED); // 200%
    EXPECT_FALSE(m_wnd.zoomItems[3].state & MF_CHECKED);

    // The commands as the menu sends them.
    m_wnd.SendMessage(WM_COMMAND, ID_OXSCROLL_ZOOM_50);
    EXPECT_EQ(50, m_wnd.GetZoomLevel());
    m_wnd.SendMessage(WM_COMMAND, ID_OXSCROLL_SMOOTH);
    EXPECT_TRUE(m_wnd.GetSmoothScrolling());
    m_wnd.SendMessage(WM_COMMAND, ID_OXSCROLL_TRACK_ZOOM);
    EXPECT_TRUE(m_wnd.GetUseTrackZoom());

    m_wnd.items.clear();
    m_wnd.EnableContextMenu(FALSE);
    m_wnd.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_wnd.m_hWnd), MAKELPARAM(50, 50));
    EXPECT_TRUE(m_wnd.items.empty());
}

TEST_F(ScrollWnd, SmallContentIsAlignedAndDoesNotScroll)
{
    m_wnd.SetScrollSizes(MM_TEXT, CSize(60, 40));
    m_wnd.SetContentAlignment(COXScrollWnd::alignCenter);
    const CSize client = ClientSize();
    CClientDC dc(&m_wnd);
    m_wnd.OnPrepareDC(&dc);
    POINT origin;
    ::GetViewportOrgEx(dc.m_hDC, &origin);
    EXPECT_EQ(CPoint((client.cx - 60) / 2, (client.cy - 40) / 2), CPoint(origin));
    EXPECT_FALSE(m_wnd.OnScrollBy(CSize(10, 10)));
    EXPECT_EQ(CPoint(0, 0), m_wnd.GetDeviceScrollPosition());

    m_wnd.SetContentAlignment(COXScrollWnd::alignBottomRight);
    m_wnd.OnPrepareDC(&dc);
    ::GetViewportOrgEx(dc.m_hDC, &origin);
    EXPECT_EQ(CPoint(client.cx - 60, client.cy - 40), CPoint(origin));
}

TEST_F(ScrollWnd, KeysScrollByLinesPagesAndToTheEnds)
{
    m_wnd.SetScrollSizes(MM_TEXT, CSize(2000, 2000), CSize(100, 80), CSize(10, 8));
    EXPECT_TRUE(m_wnd.OnKeyScroll(VK_NEXT, 1, 0));
    EXPECT_TRUE(m_wnd.OnKeyScroll(VK_DOWN, 1, 0));
    EXPECT_TRUE(m_wnd.OnKeyScroll(VK_RIGHT, 1, 0));
    EXPECT_TRUE(m_wnd.OnKeyScroll(VK_TAB, 1, 0));
    EXPECT_EQ(CPoint(110, 88), m_wnd.GetDeviceScrollPosition());
    EXPECT_TRUE(m_wnd.OnKeyScroll(VK_END, 1, 0));
    EXPECT_EQ(m_wnd.GetScrollLimit(SB_HORZ), m_wnd.GetDeviceScrollPosition().x);
    EXPECT_TRUE(m_wnd.OnKeyScroll(VK_HOME, 1, 0));
    EXPECT_EQ(CPoint(0, 88), m_wnd.GetDeviceScrollPosition());
    EXPECT_FALSE(m_wnd.OnKeyScroll('A', 1, 0));

    // Ctrl moves Home and End to the vertical ends.
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    m_wnd.OnKeyScroll(VK_END, 1, 0);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(m_wnd.GetScrollLimit(SB_VERT), m_wnd.GetDeviceScrollPosition().y);
}

TEST_F(ScrollWnd, WheelScrollsLinesButNotWithCtrlOrShift)
{
    m_wnd.SetScrollSizes(MM_TEXT, CSize(2000, 2000), CSize(100, 80), CSize(10, 8));
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    for (const WPARAM keys : {WPARAM(MK_CONTROL), WPARAM(MK_SHIFT)})
    {
        m_wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(-WHEEL_DELTA)), 0);
        EXPECT_EQ(CPoint(0, 0), m_wnd.GetDeviceScrollPosition());
    }
    m_wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(std::min(80, static_cast<int>(lines) * 8), m_wnd.GetDeviceScrollPosition().y);
}

TEST_F(ScrollWnd, SmoothPageScrollEndsWhereAPlainOneDoes)
{
    m_wnd.SetScrollSizes(MM_TEXT, CSize(2000, 2000), CSize(100, 77), CSize(10, 8));
    m_wnd.SetSmoothScrolling(TRUE);
    m_wnd.SetSmoothScrollSteps(4, 12, 1);
    EXPECT_TRUE(m_wnd.OnScroll(MAKEWORD(0xFF, SB_PAGEDOWN), 0));
    EXPECT_EQ(CPoint(0, 77), m_wnd.GetDeviceScrollPosition());
    EXPECT_EQ(CSize(10, 8), m_wnd.GetDeviceLineSize());
    EXPECT_TRUE(m_wnd.OnScroll(MAKEWORD(SB_PAGEDOWN, 0xFF), 0));
    EXPECT_EQ(CPoint(100, 77), m_wnd.GetDeviceScrollPosition());
}

TEST_F(ScrollWnd, TrackZoomFillsTheWindowWithTheBandButNotWithASmallOne)
{
    m_wnd.SetScrollSizes(MM_TEXT, CSize(800, 800), CSize(50, 50), CSize(10, 10));
    m_wnd.SetUseTrackZoom(TRUE);
    const HWND hwnd = m_wnd.m_hWnd;
    ::PostMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(16, 15));
    ::PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(16, 15));
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(100, m_wnd.GetZoomLevel());

    const CSize client = ClientSize();
    const CRect band(10, 20, 10 + client.cx / 2, 20 + client.cy / 2);
    ::PostMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(band.right, band.bottom));
    ::PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(band.right, band.bottom));
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(band.left, band.top));
    EXPECT_NEAR(200, m_wnd.GetZoomLevel(), 2);
    EXPECT_NEAR(10, m_wnd.GetScrollPosition().x, 1);
    EXPECT_NEAR(20, m_wnd.GetScrollPosition().y, 1);
}
