// The popup bar under Wine: its grid's columns, placement beside the anchor (and on the other
// side when there is no room), picks by mouse and keys from inside its modal loop, a click
// outside that cancels and reaches the window below, the custom choice, and tearing it off
// into a floating window that posts its picks.
#include "widgets/bars/OXPopupBarControl.h"

#include "platform/test/pump.h"
#include "tests/widgets/bars/ButtonTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace buttons_test;

namespace
{
constexpr DWORD kDefaultValue = 0xDEF;
constexpr DWORD kGridOnly = COXPopupBarControl::kNoDefaultButton |
                            COXPopupBarControl::kNoCustomButton | COXPopupBarControl::kNoTearOff;

// Runs a step from inside whatever message loop runs 30 ms from now (the bar's own).
std::function<void()> g_step;
void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    const std::function<void()> step = std::move(g_step);
    g_step = nullptr;
    if (step)
        step();
}
void DuringLoop(std::function<void()> step)
{
    g_step = std::move(step);
    ::SetTimer(nullptr, 0, 30, &RunStep);
}

// A plain child window that records the clicks it gets.
std::vector<POINT> g_clicks;
LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONDOWN)
        g_clicks.push_back(
            {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateTarget(HWND parent, const RECT& rect)
{
    static const bool registered = []
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &TargetProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "PopupClickTarget";
        return ::RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    return ::CreateWindowExA(0, "PopupClickTarget", "", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                             nullptr, nullptr);
}

std::vector<DWORD> Values(int count)
{
    std::vector<DWORD> values;
    for (int i = 0; i < count; ++i)
        values.push_back(static_cast<DWORD>(100 + i));
    return values;
}

// A bar whose custom choice answers as told.
class CTestPopupBar : public COXPopupBarControl
{
public:
    using COXPopupBarControl::COXPopupBarControl;
    BOOL m_customAnswer = FALSE;
    int m_customCalls = 0;

protected:
    BOOL OnCustomButton() override
    {
        ++m_customCalls;
        return m_customAnswer;
    }
};

// The focus a closing bar gives back reaches the window system later, and the activation
// that follows ends any capture then held: a bar opened again at once would see it.
void LetFocusSettle()
{
    fw::test::WaitFor([] { return false; }, 100);
}

CPoint CentreOf(const CRect& rect)
{
    return rect.CenterPoint();
}

void PostClick(HWND hwnd, CPoint client)
{
    ::PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    ::PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    ::PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
}
} // namespace

class PopupBar : public ButtonFixture
{
protected:
    void TearDown() override
    {
        g_step = nullptr;
        ButtonFixture::TearDown();
    }

    // The anchor: a rectangle of the host in screen coordinates.
    CRect Anchor(const CRect& client) const
    {
        CRect rect = client;
        m_host->ClientToScreen(&rect);
        return rect;
    }

    void CancelDuringLoop(CRect* placed, CTestPopupBar& bar)
    {
        DuringLoop(
            [placed, &bar]
            {
                if (placed)
                    bar.GetWindowRect(placed);
                bar.SendMessage(WM_KEYUP, VK_ESCAPE, 0);
            });
    }
};

TEST_F(PopupBar, LaysItsButtonsOutInColumnsOfTheRowCount)
{
    const struct
    {
        int count;
        int rows;
        int columns;
    } cases[] = {{40, 4, 10}, {41, 4, 11}, {5, 0, 5}, {0, 3, 1}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << c.count << " in " << c.rows);
        CTestPopupBar bar(c.count, c.rows, kDefaultValue, 18, 18, "Default", "Custom...");
        ASSERT_TRUE(bar.Create(m_host.get(), kGridOnly));
        bar.SetButtons(Values(c.count));
        EXPECT_EQ(c.columns, bar.GetColumns());
        CancelDuringLoop(nullptr, bar);
        EXPECT_FALSE(bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30))));
        CRect client;
        bar.GetClientRect(&client);
        EXPECT_EQ(c.columns * 18 + 8, client.Width());
    }

    // 41 in 4 rows: the last row holds the 34th to 41st buttons.
    CTestPopupBar bar(41, 4, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(bar.Create(m_host.get(), kGridOnly));
    bar.SetButtons(Values(41));
    CancelDuringLoop(nullptr, bar);
    bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30)));
    EXPECT_EQ(CRect(4 + 7 * 18, 2 + 3 * 18, 4 + 8 * 18, 2 + 4 * 18), bar.GetButtonRect(41));
    EXPECT_EQ(41, bar.HitTest(CPoint(4 + 7 * 18 + 9, 2 + 3 * 18 + 9)));
    EXPECT_EQ(-1, bar.HitTest(CPoint(4 + 9 * 18, 2 + 3 * 18 + 9))) << "the short row ends";
}

TEST_F(PopupBar, OpensBesideItsAnchorOrOnTheOtherSideWhenThereIsNoRoom)
{
    RECT area;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const struct
    {
        UINT alignment;
        CRect anchor;
        const char* where;
    } cases[] = {
        {COXPopupBarControl::kBelowLeft, CRect(300, 300, 360, 320), "below"},
        {COXPopupBarControl::kBelowLeft, CRect(300, area.bottom - 25, 360, area.bottom - 5),
         "above"},
        {COXPopupBarControl::kAboveLeft, CRect(300, area.top + 5, 360, area.top + 25), "below"},
        {COXPopupBarControl::kRightTop, CRect(area.right - 70, 300, area.right - 10, 320), "left"},
        {COXPopupBarControl::kLeftTop, CRect(300, 300, 360, 320), "left"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << c.alignment << " " << c.where);
        CTestPopupBar bar(40, 4, kDefaultValue, 18, 18, "Default", "Custom...");
        ASSERT_TRUE(bar.Create(m_host.get(), 0));
        CRect placed;
        CancelDuringLoop(&placed, bar);
        bar.Pick(c.alignment, c.anchor);
        const std::string where = c.where;
        if (where == "below")
        {
            EXPECT_EQ(c.anchor.bottom, placed.top);
            EXPECT_EQ(c.anchor.left, placed.left);
        }
        else if (where == "above")
        {
            EXPECT_EQ(c.anchor.top, placed.bottom);
            EXPECT_EQ(c.anchor.left, placed.left);
        }
        else
        {
            EXPECT_EQ(c.anchor.left, placed.right);
        }
    }

    // A bar wider than the screen is not shown at all.
    CTestPopupBar wide(200, 1, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(wide.Create(m_host.get(), 0));
    EXPECT_FALSE(wide.Pick(COXPopupBarControl::kBelowLeft, CRect(300, 300, 360, 320)));
    EXPECT_FALSE(wide.IsWindowVisible());
}

TEST_F(PopupBar, AClickPicksTheButtonUnderIt)
{
    CTestPopupBar bar(40, 4, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(bar.Create(m_host.get(), 0));
    bar.SetButtons(Values(40));
    bar.SetSelectedValue(105);
    int selectedWhileOpen = -2;
    DuringLoop(
        [&]
        {
            selectedWhileOpen = bar.GetSelectedIndex();
            const CPoint point = CentreOf(bar.GetButtonRect(17));
            MoveCursorTo(bar.GetSafeHwnd(), point);
            PostClick(bar.GetSafeHwnd(), point);
        });
    EXPECT_TRUE(bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30))));
    EXPECT_EQ(6, selectedWhileOpen) << "the value's button is selected when the bar opens";
    EXPECT_EQ(116u, bar.GetSelectedValue());
    EXPECT_EQ(17, bar.GetSelectedIndex());
    EXPECT_FALSE(bar.IsWindowVisible());

    // The default button gives the default value.
    LetFocusSettle();
    DuringLoop([&] { PostClick(bar.GetSafeHwnd(), CentreOf(bar.GetButtonRect(0))); });
    EXPECT_TRUE(bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30))));
    EXPECT_EQ(kDefaultValue, bar.GetSelectedValue());
}

// A colour button of a dialog opens the bar: after a pick or a cancel the dialog is active
// again and the button has the focus at once, so that Tab and Escape reach the dialog.
TEST_F(PopupBar, APickOrACancelGivesTheActivationAndTheFocusBack)
{
    const HWND button =
        ::CreateWindowExA(0, "BUTTON", "colour", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 60, 20,
                          m_host->GetSafeHwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, button);
    CTestPopupBar bar(40, 4, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(bar.Create(m_host.get(), 0));
    bar.SetButtons(Values(40));
    const struct
    {
        const char* what;
        std::function<void()> step;
        BOOL picked;
    } cases[] = {
        {"pick", [&] { PostClick(bar.GetSafeHwnd(), CentreOf(bar.GetButtonRect(7))); }, TRUE},
        {"cancel", [&] { bar.SendMessage(WM_KEYUP, VK_ESCAPE, 0); }, FALSE},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        ::SetActiveWindow(m_host->GetSafeHwnd());
        ::SetFocus(button);
        ASSERT_EQ(m_host->GetSafeHwnd(), ::GetActiveWindow());
        DuringLoop(c.step);
        EXPECT_EQ(c.picked,
                  bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 70, 30))));
        EXPECT_EQ(m_host->GetSafeHwnd(), ::GetActiveWindow());
        EXPECT_EQ(button, ::GetFocus());
    }
    ::DestroyWindow(button);
}

TEST_F(PopupBar, AClickOutsideCancelsAndReachesTheWindowBelow)
{
    const HWND target = CreateTarget(m_host->GetSafeHwnd(), CRect(250, 150, 350, 250));
    g_clicks.clear();
    CTestPopupBar bar(40, 4, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(bar.Create(m_host.get(), 0));
    bar.SetButtons(Values(40));
    bar.SetSelectedValue(103);
    DuringLoop(
        [&]
        {
            POINT point = {30, 40}; // in the target
            ::ClientToScreen(target, &point);
            ::ScreenToClient(bar.GetSafeHwnd(), &point);
            PostClick(bar.GetSafeHwnd(), CPoint(point));
        });
    EXPECT_FALSE(bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30))));
    EXPECT_EQ(COXPopupBarControl::kCancel, bar.GetLastResult());
    EXPECT_EQ(103u, bar.GetSelectedValue()) << "unchanged";
    fw::test::Pump();
    ASSERT_EQ(1u, g_clicks.size());
    EXPECT_EQ(30, g_clicks[0].x);
    EXPECT_EQ(40, g_clicks[0].y);
    ::DestroyWindow(target);
}

TEST_F(PopupBar, KeysMoveThroughTheGridAndItsTwoButtonsAndEnterPicks)
{
    CTestPopupBar bar(40, 4, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(bar.Create(m_host.get(), 0));
    bar.SetButtons(Values(40));
    const struct
    {
        UINT key;
        int hot;
    } steps[] = {{VK_RIGHT, 0}, {VK_DOWN, 1},  {VK_DOWN, 11}, {VK_LEFT, 10}, {VK_UP, 0},
                 {VK_LEFT, 41}, {VK_RIGHT, 0}, {VK_UP, 41},   {VK_UP, 40},   {VK_DOWN, 41},
                 {VK_DOWN, 0},  {VK_TAB, 1},   {VK_TAB, 41},  {VK_TAB, 0},   {VK_DOWN, 1},
                 {VK_DOWN, 11}, {VK_DOWN, 21}, {VK_DOWN, 31}, {VK_RIGHT, 32}};
    std::vector<int> seen;
    DuringLoop(
        [&]
        {
            for (const auto& step : steps)
            {
                bar.SendMessage(WM_KEYDOWN, step.key, 0);
                seen.push_back(bar.GetHotIndex());
            }
            bar.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        });
    EXPECT_TRUE(bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30))));
    ASSERT_EQ(std::size(steps), seen.size());
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(steps[i].hot, seen[i]) << "step " << i;
    EXPECT_EQ(131u, bar.GetSelectedValue());

    // Without the two buttons Tab goes from none to button 1 and stays in the grid.
    CTestPopupBar grid(40, 4, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(grid.Create(m_host.get(), kGridOnly));
    grid.SetButtons(Values(40));
    std::vector<int> tabs;
    DuringLoop(
        [&]
        {
            for (UINT key : {VK_TAB, VK_TAB, VK_LEFT, VK_DOWN})
            {
                grid.SendMessage(WM_KEYDOWN, key, 0);
                tabs.push_back(grid.GetHotIndex());
            }
            grid.SendMessage(WM_KEYUP, VK_ESCAPE, 0);
        });
    EXPECT_FALSE(grid.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30))));
    EXPECT_EQ((std::vector<int>{1, 1, 40, 1}), tabs);
}

TEST_F(PopupBar, TheCustomButtonAnswersThroughItsHandler)
{
    CTestPopupBar bar(40, 4, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(bar.Create(m_host.get(), 0));
    bar.SetButtons(Values(40));
    EXPECT_EQ(41, bar.IndexFromValue(0x123456)) << "a value not in the grid";
    EXPECT_EQ(-1, bar.IndexFromValue(COXPopupBarControl::kNone));
    for (BOOL answer : {FALSE, TRUE})
    {
        bar.m_customAnswer = answer;
        LetFocusSettle();
        DuringLoop([&] { PostClick(bar.GetSafeHwnd(), CentreOf(bar.GetButtonRect(41))); });
        EXPECT_EQ(answer, bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30))));
        EXPECT_EQ(COXPopupBarControl::kCustom, bar.GetLastResult());
    }
    EXPECT_EQ(2, bar.m_customCalls);

    CTestPopupBar grid(40, 4, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(grid.Create(m_host.get(), kGridOnly));
    grid.SetButtons(Values(40));
    EXPECT_EQ(-1, grid.IndexFromValue(0x123456));
    EXPECT_EQ(1, grid.IndexFromValue(100));
}

TEST_F(PopupBar, ATornOffBarFloatsAndPostsItsPicksToItsOwner)
{
    CTestPopupBar bar(40, 4, kDefaultValue, 18, 18, "Default", "Custom...");
    ASSERT_TRUE(bar.Create(m_host.get(), 0));
    bar.SetButtons(Values(40));
    CRect opened;
    DuringLoop(
        [&]
        {
            bar.GetWindowRect(&opened);
            const CPoint strip = CentreOf(bar.GetTearOffRect());
            MoveCursorTo(bar.GetSafeHwnd(), strip);
            ::PostMessageA(bar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                           MAKELPARAM(strip.x, strip.y));
            ::PostMessageA(bar.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON,
                           MAKELPARAM(strip.x, strip.y + 30));
            // The drag: 100 pixels to the right, then the button goes up.
            DuringLoop(
                [&bar, strip]
                {
                    const CPoint moved(strip.x + 100, strip.y + 30);
                    ::PostMessageA(bar.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON,
                                   MAKELPARAM(moved.x, moved.y));
                    ::PostMessageA(bar.GetSafeHwnd(), WM_LBUTTONUP, 0,
                                   MAKELPARAM(moved.x, moved.y));
                });
        });
    EXPECT_FALSE(bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30))));
    EXPECT_EQ(COXPopupBarControl::kTearOff, bar.GetLastResult());
    ASSERT_TRUE(bar.IsTornOff());
    fw::test::Pump();
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_NE(0u, bar.GetStyle() & WS_CAPTION);
    EXPECT_TRUE(bar.GetTearOffRect().IsRectEmpty()) << "no strip once torn off";
    CRect floating;
    bar.GetWindowRect(&floating);
    EXPECT_EQ(opened.left + 100, floating.left);

    const CPoint swatch = CentreOf(bar.GetButtonRect(5));
    MoveCursorTo(bar.GetSafeHwnd(), swatch);
    PostClick(bar.GetSafeHwnd(), swatch);
    fw::test::Pump();
    EXPECT_EQ(104u, bar.GetSelectedValue());
    ASSERT_EQ(1u, m_host->m_received.size());
    EXPECT_EQ(OXPB_PICKED, m_host->m_received[0].message);
    EXPECT_EQ(bar.GetSafeHwnd(), m_host->m_received[0].from);

    // The next Pick makes it a popup again.
    CancelDuringLoop(nullptr, bar);
    bar.Pick(COXPopupBarControl::kBelowLeft, Anchor(CRect(10, 10, 60, 30)));
    EXPECT_FALSE(bar.IsTornOff());
    EXPECT_EQ(0u, bar.GetStyle() & WS_CAPTION);
}
