// Item tips over a report-view list control under Wine: a cut-off or partly hidden cell shows
// its whole text, a fitting one shows nothing, the parent may change or refuse the tip, a
// click on the tip reaches the row beneath, and an inactive application shows no tips.
#include "widgets/controls/OXItemTip.h"

#include "platform/test/pump.h"

#include <windows.h>

#include <commctrl.h>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace
{
constexpr int kListId = 300;

std::function<void(OXItemTipInfo&)> g_parentAnswer;
int g_parentQueries = 0;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NOTIFY)
    {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == OXITEMTIP_NOTIFY)
        {
            ++g_parentQueries;
            if (g_parentAnswer)
                g_parentAnswer(reinterpret_cast<OXItemTipNotify*>(lParam)->info);
            return 0;
        }
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateFrame(int x, bool activate)
{
    static const bool registered = []
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &FrameProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "ItemTipFrame";
        return ::RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    const HWND frame = ::CreateWindowExA(0, "ItemTipFrame", "tips", WS_POPUP | WS_BORDER, x, 100,
                                         300, 200, nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(frame, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    return frame;
}

HWND CreateList(HWND frame)
{
    const HWND list = ::CreateWindowExA(
        0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 280, 180, frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr, nullptr);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   0);
    const int widths[] = {120, 60, 250};
    for (int column = 0; column < 3; ++column)
    {
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_WIDTH | LVCF_TEXT;
        lvc.cx = widths[column];
        lvc.pszText = const_cast<char*>("h");
        ListView_InsertColumn(list, column, &lvc);
    }
    const char* rows[][3] = {{"first", "short", "a"}, {"second", "a rather long cell text", "fit"}};
    for (int row = 0; row < 2; ++row)
    {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(rows[row][0]);
        ListView_InsertItem(list, &item);
        for (int column = 1; column < 3; ++column)
            ListView_SetItemText(list, row, column, const_cast<char*>(rows[row][column]));
    }
    return list;
}

// The tips of one active frame are shared by the tests: deactivating a window costs seconds
// under Wine, so the frame is made once.
class ItemTipTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_frame = CreateFrame(100, true);
        s_list = CreateList(s_frame);
        fw::test::Pump();
    }
    static void TearDownTestSuite() { ::DestroyWindow(s_frame); }

    void SetUp() override
    {
        g_parentAnswer = nullptr;
        g_parentQueries = 0;
        ::SetForegroundWindow(s_frame);
        ASSERT_TRUE(m_tip.Attach(s_list));
    }
    void TearDown() override { m_tip.Detach(); }

    // Rests the mouse on a client point of the list, as the queue would deliver it.
    void RestMouse(int x, int y)
    {
        POINT screen = {x, y};
        ::ClientToScreen(s_list, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::PostMessageA(s_list, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        fw::test::Pump();
    }

    RECT CellRect(int row, int column)
    {
        RECT rect = {};
        ListView_GetSubItemRect(s_list, row, column, LVIR_BOUNDS, &rect);
        return rect;
    }

    static HWND s_frame;
    static HWND s_list;
    COXItemTip m_tip;
};

HWND ItemTipTest::s_frame = nullptr;
HWND ItemTipTest::s_list = nullptr;

RECT WindowRect(HWND hwnd)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}
} // namespace

TEST_F(ItemTipTest, ACutOffCellShowsItsWholeTextOverTheCell)
{
    const RECT cell = CellRect(1, 1);
    RestMouse(cell.left + 10, (cell.top + cell.bottom) / 2);
    ASSERT_TRUE(m_tip.IsTipVisible());
    RECT cellScreen = cell;
    ::MapWindowPoints(s_list, nullptr, reinterpret_cast<POINT*>(&cellScreen), 2);
    const RECT tip = WindowRect(m_tip.GetTipWnd());
    EXPECT_EQ(cellScreen.left, tip.left);
    EXPECT_EQ(cellScreen.top, tip.top);
    EXPECT_GT(tip.right - tip.left, cell.right - cell.left + 40);
    EXPECT_EQ(1, g_parentQueries);
}

TEST_F(ItemTipTest, AFittingCellShowsNoTip)
{
    const RECT cell = CellRect(0, 1);
    RestMouse(cell.left + 5, (cell.top + cell.bottom) / 2);
    EXPECT_FALSE(m_tip.IsTipVisible());
}

TEST_F(ItemTipTest, ACellPartlyScrolledOutShowsATip)
{
    // Column 2 is wide enough for "fit" but runs past the list's right edge.
    const RECT cell = CellRect(1, 2);
    RECT client = {};
    ::GetClientRect(s_list, &client);
    ASSERT_GT(cell.right, client.right);
    RestMouse(cell.left + 5, (cell.top + cell.bottom) / 2);
    EXPECT_TRUE(m_tip.IsTipVisible());
}

TEST_F(ItemTipTest, TheParentMayRewriteOrRefuseTheTip)
{
    const RECT cell = CellRect(1, 1);
    g_parentAnswer = [](OXItemTipInfo& info) { info.result = 0; };
    RestMouse(cell.left + 10, cell.top + 2);
    EXPECT_FALSE(m_tip.IsTipVisible());

    // An unterminated text and an overstated limit still give a bounded, terminated text.
    g_parentAnswer = [](OXItemTipInfo& info)
    {
        std::memset(info.text, 'x', sizeof info.text);
        info.textLimit = 5000;
        info.backColor = RGB(0, 128, 0);
    };
    m_tip.Detach();
    m_tip.Attach(s_list,
                 [](HWND, OXItemTipInfo* info) { EXPECT_EQ(OXITEMTIP_SHOW, info->result); });
    RestMouse(cell.left + 11, cell.top + 3);
    ASSERT_TRUE(m_tip.IsTipVisible());
    const RECT tip = WindowRect(m_tip.GetTipWnd());
    // 299 x's in the default font are far wider than the cell.
    EXPECT_GT(tip.right - tip.left, 600);
    const HDC dc = ::GetDC(m_tip.GetTipWnd());
    EXPECT_EQ(RGB(0, 128, 0), ::GetPixel(dc, 1, 1));
    ::ReleaseDC(m_tip.GetTipWnd(), dc);
}

TEST_F(ItemTipTest, AClickOnTheTipSelectsTheRowBeneath)
{
    const RECT cell = CellRect(1, 1);
    RestMouse(cell.left + 10, cell.top + 3);
    ASSERT_TRUE(m_tip.IsTipVisible());
    ASSERT_EQ(-1, ListView_GetNextItem(s_list, -1, LVNI_SELECTED));
    const HWND tip = m_tip.GetTipWnd();
    POINT inTip = {5, 3};
    ::PostMessageA(tip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inTip.x, inTip.y));
    ::PostMessageA(tip, WM_LBUTTONUP, 0, MAKELPARAM(inTip.x, inTip.y));
    fw::test::Pump();
    EXPECT_EQ(1, ListView_GetNextItem(s_list, -1, LVNI_SELECTED));
}

TEST_F(ItemTipTest, TheTipHidesWhenTheCursorLeavesIt)
{
    const RECT cell = CellRect(1, 1);
    RestMouse(cell.left + 10, cell.top + 3);
    ASSERT_TRUE(m_tip.IsTipVisible());
    ::SetCursorPos(900, 900);
    EXPECT_TRUE(fw::test::WaitFor([&] { return !m_tip.IsTipVisible(); }, 1000));
}

TEST(ItemTip, AnApplicationInTheBackgroundShowsNoTips)
{
    const HWND frame = CreateFrame(500, false);
    const HWND list = CreateList(frame);
    COXItemTip tip;
    tip.Attach(list);
    if (::GetActiveWindow())
        ::SetActiveWindow(nullptr);
    RECT cell = {};
    ListView_GetSubItemRect(list, 1, 1, LVIR_BOUNDS, &cell);
    POINT screen = {cell.left + 10, cell.top + 3};
    ::ClientToScreen(list, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 10, cell.top + 3));
    fw::test::Pump();
    EXPECT_FALSE(tip.IsTipVisible());
    ::DestroyWindow(frame);
}
