// The calendar popup under Wine: the grid of a month, month steps inside the range, picking
// days and the buttons, and cancelling. Track's loop takes the mouse messages posted before it.
#include "widgets/controls/OXCalendarPopup.h"

#include "platform/test/pump.h"
#include "tests/widgets/controls/DateTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
constexpr UINT kCancelLater = WM_APP + 7;
HWND g_calendar = nullptr;

// The owner cancels the calendar when it gets kCancelLater: posted after the test's mouse
// messages, the cancel then queues behind whatever those messages posted.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kCancelLater)
    {
        ::PostMessageA(g_calendar, COXCalendarPopup::kEndTrack, 0, 0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateOwner()
{
    static const bool registered = []
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &OwnerProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "CalendarOwner";
        return ::RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    return ::CreateWindowExA(0, "CalendarOwner", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 24,
                             nullptr, nullptr, nullptr, nullptr);
}

class CalendarTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_owner = CreateOwner();
        ASSERT_TRUE(m_calendar.Create(CWnd::FromHandle(m_owner)));
        g_calendar = m_calendar.GetSafeHwnd();
        m_calendar.SetFirstDayOfWeek(0); // Sunday
    }
    void TearDown() override
    {
        m_calendar.DestroyWindow();
        ::DestroyWindow(m_owner);
    }

    CPoint CellCentre(int cell) { return m_calendar.GetDayRect(cell).CenterPoint(); }

    void PostClick(CPoint point)
    {
        m_calendar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_calendar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    // Runs Track over the messages posted so far; a final cancel ends it when nothing did.
    BOOL Track(COleDateTime& date, const COleDateTime& earliest, const COleDateTime& latest)
    {
        ::PostMessageA(m_owner, kCancelLater, 0, 0);
        RECT owner = {};
        ::GetWindowRect(m_owner, &owner);
        const BOOL picked = m_calendar.Track(date, earliest, latest, owner);
        fw::test::Pump(); // drops the cancel left behind after a pick
        return picked;
    }

    HWND m_owner = nullptr;
    COXCalendarPopup m_calendar;
};
} // namespace

struct GridCase
{
    int firstDay; // 0 = Sunday
    int year;
    int month;
    COleDateTime firstCell;
};

TEST_F(CalendarTest, AMonthStartingOnTheFirstWeekdayStartsItsGridAWeekEarlier)
{
    const GridCase cases[] = {
        {1, 2024, 1, Day(2023, 12, 25)},                                 // 2024-01-01 is a Monday
        {0, 2024, 9, Day(2024, 8, 25)},                                  // 2024-09-01 is a Sunday
        {0, 2024, 3, Day(2024, 2, 25)},                                  // 2024-03-01 is a Friday
        {1, 2024, 3, Day(2024, 2, 26)},  {6, 2024, 6, Day(2024, 5, 25)}, // 2024-06-01 is a Saturday
    };
    for (const GridCase& c : cases)
    {
        SCOPED_TRACE(c.month);
        m_calendar.SetFirstDayOfWeek(c.firstDay);
        m_calendar.SetShownMonth(Day(c.year, c.month, 15));
        EXPECT_EQ(c.firstCell, m_calendar.GetFirstGridDate());
        COleDateTime date;
        ASSERT_TRUE(m_calendar.DateFromPoint(CellCentre(0), date));
        EXPECT_EQ(c.firstCell, date);
        ASSERT_TRUE(m_calendar.DateFromPoint(CellCentre(41), date));
        EXPECT_EQ(c.firstCell + COleDateTimeSpan(41), date);
    }
}

TEST_F(CalendarTest, AWeekStartingOnSundayShowsSundayFirst)
{
    EXPECT_EQ(0, m_calendar.GetFirstDayOfWeek());
    m_calendar.SetShownMonth(Day(2024, 7, 4));
    EXPECT_EQ(1, m_calendar.GetFirstGridDate().GetDayOfWeek()); // 1 = Sunday
    EXPECT_FALSE(m_calendar.SetFirstDayOfWeek(7));
    EXPECT_EQ(0, m_calendar.GetFirstDayOfWeek());
}

TEST_F(CalendarTest, ARangeInsideOneMonthRefusesBothArrows)
{
    COleDateTime date = Day(2024, 3, 10);
    PostClick(m_calendar.GetLeftArrowRect().CenterPoint());
    PostClick(m_calendar.GetRightArrowRect().CenterPoint());
    EXPECT_FALSE(Track(date, Day(2024, 3, 5), Day(2024, 3, 20)));
    EXPECT_EQ(3, m_calendar.GetShownMonth().GetMonth());
    EXPECT_EQ(Day(2024, 3, 10), date);
}

TEST_F(CalendarTest, ArrowsStepWholeMonthsAndRepeatWhileHeld)
{
    COleDateTime date = Day(2024, 1, 31);
    const CPoint right = m_calendar.GetRightArrowRect().CenterPoint();
    m_calendar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right.x, right.y));
    m_calendar.PostMessage(WM_TIMER, COXCalendarPopup::kArrowTimerId);
    m_calendar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(right.x, right.y));
    m_calendar.PostMessage(WM_TIMER, COXCalendarPopup::kArrowTimerId); // released: no step
    EXPECT_FALSE(Track(date, NullDay(), NullDay()));
    EXPECT_EQ(3, m_calendar.GetShownMonth().GetMonth());
    EXPECT_EQ(2024, m_calendar.GetShownMonth().GetYear());

    PostClick(m_calendar.GetLeftArrowRect().CenterPoint());
    Track(date, NullDay(), NullDay());
    EXPECT_EQ(12, m_calendar.GetShownMonth().GetMonth());
    EXPECT_EQ(2023, m_calendar.GetShownMonth().GetYear());
}

TEST_F(CalendarTest, ClickingADayInTheRangePicksItAndOneOutsideDoesNothing)
{
    // March 2024 with Sunday first starts on February 25: cell 14 is March 10.
    COleDateTime date = Day(2024, 3, 20);
    PostClick(CellCentre(14));
    EXPECT_TRUE(Track(date, NullDay(), NullDay()));
    EXPECT_EQ(Day(2024, 3, 10), date);

    date = Day(2024, 3, 20);
    PostClick(CellCentre(14)); // before the range
    EXPECT_FALSE(Track(date, Day(2024, 3, 15), Day(2024, 4, 30)));
    EXPECT_EQ(Day(2024, 3, 20), date);
    EXPECT_EQ(Day(2024, 3, 20), m_calendar.GetSelectedDate());
}

TEST_F(CalendarTest, ReleasingOverAnotherDayPicksThatDay)
{
    COleDateTime date = Day(2024, 3, 20);
    const CPoint from = CellCentre(14);
    const CPoint to = CellCentre(16);
    m_calendar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    m_calendar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    m_calendar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    EXPECT_TRUE(Track(date, NullDay(), NullDay()));
    EXPECT_EQ(Day(2024, 3, 12), date);
}

TEST_F(CalendarTest, NoneAndTodayButtonsPick)
{
    COleDateTime date = Day(2024, 3, 20);
    PostClick(m_calendar.GetNoneButtonRect().CenterPoint());
    EXPECT_TRUE(Track(date, NullDay(), NullDay()));
    EXPECT_EQ(COleDateTime::null, date.GetStatus());

    PostClick(m_calendar.GetTodayButtonRect().CenterPoint());
    EXPECT_TRUE(Track(date, NullDay(), NullDay()));
    EXPECT_EQ(COXCalendarPopup::Truncate(COleDateTime::GetCurrentTime()), date);

    // Today outside the range: the button is disabled and picks nothing.
    date = Day(2024, 3, 20);
    PostClick(m_calendar.GetTodayButtonRect().CenterPoint());
    EXPECT_FALSE(Track(date, Day(2024, 3, 1), Day(2024, 3, 31)));
    EXPECT_EQ(Day(2024, 3, 20), date);
}

TEST_F(CalendarTest, EscapeRightButtonAndAClickOutsideCancel)
{
    COleDateTime date = Day(2024, 3, 20);
    m_calendar.PostMessage(WM_KEYDOWN, 'A');
    m_calendar.PostMessage(WM_KEYDOWN, VK_ESCAPE);
    PostClick(CellCentre(14));
    EXPECT_FALSE(Track(date, NullDay(), NullDay()));
    fw::test::Pump();

    m_calendar.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostClick(CellCentre(14));
    EXPECT_FALSE(Track(date, NullDay(), NullDay()));

    m_calendar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, -5));
    PostClick(CellCentre(14));
    EXPECT_FALSE(Track(date, NullDay(), NullDay()));
    EXPECT_EQ(Day(2024, 3, 20), date);
}

TEST_F(CalendarTest, EqualBoundsAreAOneDayRangeAndReversedBoundsAreRefused)
{
    COleDateTime date = Day(2024, 3, 10);
    PostClick(CellCentre(14));
    EXPECT_TRUE(Track(date, Day(2024, 3, 10), Day(2024, 3, 10)));
    EXPECT_EQ(Day(2024, 3, 10), date);

    RECT owner = {};
    EXPECT_FALSE(m_calendar.Track(date, Day(2024, 3, 11), Day(2024, 3, 10), owner));
    EXPECT_FALSE(::IsWindowVisible(m_calendar.GetSafeHwnd()));
}
