// The customisation popup window under Wine: the menu laid out and painted in a window that
// never takes the activation, selection by click, the context menu's commands changing the
// menu and the window's size, and hiding.
#include "widgets/bars/OXBitmapMenuPopupWnd.h"

#include "platform/test/pump.h"
#include "tests/widgets/bars/MenuTestSupport.h"

#include <gtest/gtest.h>

using namespace menu_test;

namespace
{
bool Near(COLORREF a, COLORREF b, int tolerance = 24)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF ClientPixel(HWND wnd, int x, int y)
{
    POINT point = {x, y};
    ::ClientToScreen(wnd, &point);
    const HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}
} // namespace

class BitmapMenuPopupWnd : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        m_popup = MakeColourPopup();
        m_organizer->OnInitMenuPopup(CMenu::FromHandle(m_popup), 0, FALSE);
        m_menu = dynamic_cast<COXBitmapMenu*>(CMenu::FromHandlePermanent(m_popup));
        ASSERT_NE(nullptr, m_menu);
    }
    void TearDown() override
    {
        m_window.Hide();
        m_organizer->RestoreMenus();
        ::DestroyMenu(m_popup);
        MenuFixture::TearDown();
    }
    CRect Client() const
    {
        CRect client;
        ::GetClientRect(m_window.GetSafeHwnd(), &client);
        return client;
    }
    void ClickAt(UINT down, UINT up, CPoint point)
    {
        m_window.SendMessage(down, 0, MAKELPARAM(point.x, point.y));
        m_window.SendMessage(up, 0, MAKELPARAM(point.x, point.y));
        // The button is up: no drag starts.
        m_window.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    }

    HMENU m_popup = nullptr;
    COXBitmapMenu* m_menu = nullptr;
    COXBitmapMenuPopupWnd m_window;
};

TEST_F(BitmapMenuPopupWnd, ShowsTheMenuPaintedByItsOwnDrawingWithoutTakingTheActivation)
{
    ASSERT_TRUE(m_window.Show(m_menu, COXBitmapMenuPopupWnd::alignLeft, 300, 200, m_frame));
    fw::test::Pump();
    EXPECT_TRUE(::IsWindowVisible(m_window.GetSafeHwnd()));
    EXPECT_EQ(m_frame->GetSafeHwnd(), ::GetForegroundWindow());
    EXPECT_EQ(&m_window, m_menu->GetPopupWnd());
    EXPECT_TRUE(m_menu->IsCustomizationAllowed());
    ASSERT_EQ(4u, m_window.GetItemRects().size());
    // Items stack from the top; the client area holds them all.
    int height = 0;
    for (const CRect& item : m_window.GetItemRects())
    {
        EXPECT_EQ(height, item.top);
        height = item.bottom;
    }
    EXPECT_EQ(height, Client().Height());
    // The window's corner is at the point; it is wider by twice its frame, so that the
    // highlight reaches its right edge.
    CRect window;
    ::GetWindowRect(m_window.GetSafeHwnd(), &window);
    EXPECT_EQ(CPoint(300, 200), window.TopLeft());
    CPoint origin(0, 0);
    ::ClientToScreen(m_window.GetSafeHwnd(), &origin);
    const int frame = origin.x - 300;
    EXPECT_GT(frame, 0);
    EXPECT_EQ(m_window.GetItemRects()[0].Width(), Client().Width());
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    for (int i = 0; i < 4; ++i)
    {
        const CRect item = m_window.GetItemRects()[static_cast<size_t>(i)];
        EXPECT_TRUE(
            Near(colours[i], ClientPixel(m_window.GetSafeHwnd(), 2 + 8, item.CenterPoint().y)))
            << i;
    }

    // Centred and right-aligned on x.
    const int width = Client().Width() - 2 * frame;
    for (const auto& [alignment, left] :
         {std::pair<int, int>{COXBitmapMenuPopupWnd::alignCenter, 300 - width / 2},
          std::pair<int, int>{COXBitmapMenuPopupWnd::alignRight, 300 - width}})
    {
        m_window.CalcLayout(alignment, 300, 200);
        EXPECT_EQ(left, m_window.GetWindowRectangle().left) << alignment;
    }

    m_window.Hide();
    EXPECT_FALSE(::IsWindowVisible(m_window.GetSafeHwnd()));
    EXPECT_EQ(nullptr, m_menu->GetPopupWnd());
}

TEST_F(BitmapMenuPopupWnd, AnEmptyMenuShowsASmallEmptyWindow)
{
    while (::GetMenuItemCount(m_popup) > 0)
        ::DeleteMenu(m_popup, 0, MF_BYPOSITION);
    ASSERT_TRUE(m_window.Show(m_menu, COXBitmapMenuPopupWnd::alignLeft, 100, 100, m_frame));
    CPoint origin(0, 0);
    ::ClientToScreen(m_window.GetSafeHwnd(), &origin);
    const int frame = origin.x - 100;
    EXPECT_EQ(CSize(50 + 2 * frame, 18), Client().Size());
}

TEST_F(BitmapMenuPopupWnd, ClicksSelectItemsAndTheContextMenuChangesTheMenu)
{
    ASSERT_TRUE(m_window.Show(m_menu, COXBitmapMenuPopupWnd::alignLeft, 300, 200, m_frame));
    fw::test::Pump();
    const std::vector<CRect> items = m_window.GetItemRects();
    Frame()->m_menuNotices.clear();
    ClickAt(WM_LBUTTONDOWN, WM_LBUTTONUP, items[1].CenterPoint());
    EXPECT_EQ(1, m_menu->GetCustomizedItem());
    EXPECT_EQ(std::vector<UINT>({ID_OXBM_SELECTIONCHANGED}), Frame()->m_menuNotices);
    // Below the last item: nothing is selected.
    ClickAt(WM_LBUTTONDOWN, WM_LBUTTONUP, CPoint(5, items.back().bottom + 2));
    EXPECT_EQ(-1, m_menu->GetCustomizedItem());

    // A separator before the third item: the window grows by a separator's height.
    ClickAt(WM_RBUTTONDOWN, WM_MOUSEMOVE, items[2].CenterPoint());
    EXPECT_EQ(2, m_menu->GetCustomizedItem());
    const int height = Client().Height();
    m_window.SendMessage(WM_COMMAND, ID_OXBM_SEPARATORBEFORE);
    EXPECT_EQ(0u, ::GetMenuItemID(m_popup, 2));
    EXPECT_EQ(3, m_menu->GetCustomizedItem());
    EXPECT_EQ(height + 8, Client().Height());

    // The right button's menu, answered from the queue: its first command deletes.
    ClickAt(WM_RBUTTONDOWN, WM_MOUSEMOVE, m_window.GetItemRects()[0].CenterPoint());
    const HWND window = m_window.GetSafeHwnd();
    ::PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    POINT point = m_window.GetItemRects()[0].CenterPoint();
    m_window.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    fw::test::Pump();
    ASSERT_EQ(4, ::GetMenuItemCount(m_popup));
    EXPECT_EQ(kCmdGreen, ::GetMenuItemID(m_popup, 0));
    EXPECT_EQ(-1, m_menu->GetCustomizedItem());
    EXPECT_EQ(height + 8 - (items[0].Height()), Client().Height());
}
