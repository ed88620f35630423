// The date edit under Wine: its range and date, reading the date from the text, clamping when
// the focus leaves, the forwarded notifications and picking from the drop-down calendar.
#include "widgets/controls/OXDateEdit.h"

#include "platform/test/pump.h"
#include "tests/widgets/controls/DateTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
constexpr UINT kDateEditId = 42;

std::vector<std::pair<UINT, UINT>> g_commands; // (id, code) received by the parent

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND)
        g_commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

COleDateTime Invalid()
{
    COleDateTime date;
    date.SetStatus(COleDateTime::invalid);
    return date;
}

class DateEditTest : public testing::Test
{
protected:
    void SetUp() override
    {
        static const bool registered = []
        {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = &ParentProc;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = "DateEditParent";
            return ::RegisterClassA(&wc) != 0;
        }();
        (void)registered;
        m_parent = ::CreateWindowExA(0, "DateEditParent", "", WS_POPUP | WS_VISIBLE, 100, 100, 300,
                                     100, nullptr, nullptr, nullptr, nullptr);
        m_other = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 60, 100, 20, m_parent,
                                    nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 210, 34),
                                  CWnd::FromHandle(m_parent), kDateEditId));
        g_commands.clear();
    }
    void TearDown() override { ::DestroyWindow(m_parent); }

    std::string EditText()
    {
        char text[128] = {};
        ::GetWindowTextA(m_edit.GetEditWnd(), text, sizeof text);
        return text;
    }

    HWND m_parent = nullptr;
    HWND m_other = nullptr;
    COXDateEdit m_edit;
};

std::string AbbreviatedDayName(CALTYPE type)
{
    char name[32] = {};
    ::GetCalendarInfoA(LOCALE_USER_DEFAULT, CAL_GREGORIAN, type, name, sizeof name, nullptr);
    return name;
}
} // namespace

TEST_F(DateEditTest, RangesWithAnInvalidOrReversedBoundAreRefused)
{
    EXPECT_FALSE(m_edit.SetRange(Invalid(), Day(2024, 1, 1)));
    EXPECT_FALSE(m_edit.SetRange(Day(2024, 1, 2), Day(2024, 1, 1)));
    COleDateTime earliest;
    COleDateTime latest;
    m_edit.GetRange(earliest, latest);
    EXPECT_EQ(Day(100, 1, 1), earliest);
    EXPECT_EQ(Day(9999, 12, 31), latest);

    EXPECT_TRUE(m_edit.SetRange(Day(2024, 1, 1), Day(2024, 1, 1)));
    EXPECT_TRUE(m_edit.SetRange(NullDay(), Day(2024, 6, 30)));
    EXPECT_FALSE(m_edit.SetDate(Day(2024, 7, 1)));
    EXPECT_FALSE(m_edit.SetDate(Invalid()));
    EXPECT_TRUE(m_edit.SetDate(Day(1900, 1, 1)));
}

TEST_F(DateEditTest, TheDateIsShownWithItsDayNameAndReadBackFromTheFirstDigit)
{
    ASSERT_TRUE(m_edit.SetDate(Day(2024, 3, 10))); // a Sunday
    const std::string text = EditText();
    EXPECT_EQ(0u, text.find(AbbreviatedDayName(CAL_SABBREVDAYNAME7) + " "));
    EXPECT_NE(std::string::npos, text.find("2024"));
    EXPECT_EQ(Day(2024, 3, 10), m_edit.GetDate());

    const CString other = "Someday " + Day(2025, 12, 24).Format(VAR_DATEVALUEONLY);
    ::SetWindowTextA(m_edit.GetEditWnd(), other);
    EXPECT_EQ(Day(2025, 12, 24), m_edit.GetDate());

    ::SetWindowTextA(m_edit.GetEditWnd(), "no date here");
    EXPECT_EQ(COleDateTime::null, m_edit.GetDate().GetStatus());
    ::SetWindowTextA(m_edit.GetEditWnd(), "99/99/99/99");
    EXPECT_EQ(COleDateTime::null, m_edit.GetDate().GetStatus());
    CString shown;
    m_edit.FormatDate(shown);
    EXPECT_EQ("None", shown);
    m_edit.SetDateFormat("%Y-%m-%d");
    m_edit.SetDate(Day(2024, 2, 29));
    EXPECT_EQ("2024-02-29", EditText());
}

TEST_F(DateEditTest, FocusShowsTheDropButtonAndLeavingClampsTheDateIntoTheRange)
{
    ASSERT_TRUE(m_edit.SetRange(Day(2024, 3, 1), Day(2024, 3, 31)));
    m_edit.SetDateFormat("%Y-%m-%d");
    ::SetFocus(m_edit.GetEditWnd());
    EXPECT_TRUE(m_edit.IsDropButtonShown());
    RECT editRect = {};
    ::GetClientRect(m_edit.GetEditWnd(), &editRect);
    EXPECT_EQ(200 - 2 - ::GetSystemMetrics(SM_CXVSCROLL), editRect.right);

    ::SetWindowTextA(m_edit.GetEditWnd(), "2024-02-10");
    ::SetFocus(m_other);
    EXPECT_FALSE(m_edit.IsDropButtonShown());
    EXPECT_EQ("2024-03-01", EditText());
    const std::vector<std::pair<UINT, UINT>> focusCodes = {{kDateEditId, EN_SETFOCUS},
                                                           {kDateEditId, EN_KILLFOCUS}};
    std::vector<std::pair<UINT, UINT>> focus;
    for (const auto& command : g_commands)
    {
        if (command.first == kDateEditId &&
            (command.second == EN_SETFOCUS || command.second == EN_KILLFOCUS))
            focus.push_back(command);
    }
    EXPECT_EQ(focusCodes, focus);
    bool changed = false;
    for (const auto& command : g_commands)
        changed = changed || (command.first == kDateEditId && command.second == EN_CHANGE);
    EXPECT_TRUE(changed);
}

TEST_F(DateEditTest, TheDropButtonOpensTheCalendarAndAPickedDateIsShown)
{
    m_edit.SetDateFormat("%Y-%m-%d");
    m_edit.SetFirstDayOfWeek(0);
    EXPECT_EQ(0, m_edit.GetFirstDayOfWeek());
    EXPECT_EQ(0, m_edit.GetCalendar().GetFirstDayOfWeek());
    ASSERT_TRUE(m_edit.SetDate(Day(2024, 3, 20)));
    // March 2024 with Sunday first starts on February 25: cell 14 is March 10.
    const CPoint day = m_edit.GetCalendar().GetDayRect(14).CenterPoint();
    const HWND calendar = m_edit.GetCalendar().GetSafeHwnd();
    m_edit.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(195, 10));
    ::PostMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(day.x, day.y));
    ::PostMessageA(calendar, WM_LBUTTONUP, 0, MAKELPARAM(day.x, day.y));
    fw::test::Pump();
    EXPECT_EQ("2024-03-10", EditText());
    EXPECT_EQ(m_edit.GetEditWnd(), ::GetFocus());
    EXPECT_FALSE(::IsWindowVisible(calendar));
}
