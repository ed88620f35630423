// The month calendar that drops down from a date edit: a popup with a 7 by 6 grid of days,
// arrows to step months, and "Today" and "None" buttons. Track runs its own loop while it holds
// the mouse capture and returns the picked date. Day and month names and the first day of the
// week come from the user's locale.
#pragma once

#include "platform/base/coll_array.h"
#include "platform/base/geometry.h"
#include "platform/ole/datetime.h"
#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"

#include <windows.h>

class COXDateEdit;

namespace oxdate
{
// A valid date: a bound that limits, or a date to show.
inline bool IsBound(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}

inline COleDateTime NullDate()
{
    COleDateTime date;
    date.SetStatus(COleDateTime::null);
    return date;
}
} // namespace oxdate

// The locale's abbreviated day names (Monday first) and month names, shared by every date edit
// and calendar; filled on first use and again when the user's settings change.
class COXCalendarNames
{
public:
    static const CStringArray& DayNames();
    static const CStringArray& MonthNames();
    static void Refill();
    // The locale's first day of the week, 0 = Monday ... 6 = Sunday.
    static int LocaleFirstDayOfWeek();
};

class COXCalendarPopup : public CWnd
{
public:
    // Posted to the calendar to end Track: wParam 1 picked, 0 cancelled.
    static constexpr UINT kEndTrack = WM_USER + 10;
    static constexpr UINT_PTR kArrowTimerId = 0;
    static constexpr UINT kArrowTimerMs = 200;

    COXCalendarPopup();

    // A hidden popup owned by owner, with owner's font; FALSE (nothing left) on failure.
    BOOL Create(COXDateEdit* owner);
    BOOL Create(CWnd* owner);
    // Shows the calendar below (or above) the owner and runs until the user picks a date,
    // "Today" or "None" (TRUE, date set, maybe null) or cancels (FALSE, date untouched).
    // Refused when both bounds are valid and earliest is after latest.
    BOOL Track(COleDateTime& date, const COleDateTime& earliest, const COleDateTime& latest,
               const RECT& ownerScreenRect);

    // 0 = Sunday ... 6 = Saturday; FALSE for other values.
    BOOL SetFirstDayOfWeek(int day);
    int GetFirstDayOfWeek() const { return (m_firstDayOfWeek + 1) % 7; }
    CString GetNoneText() const;

    // State and layout, in client coordinates.
    COleDateTime GetShownMonth() const { return m_shownMonth; }
    void SetShownMonth(const COleDateTime& date) { m_shownMonth = Truncate(date); }
    COleDateTime GetSelectedDate() const { return m_selected; }
    COleDateTime GetFirstGridDate() const;
    CRect GetDayRect(int cell) const;
    CRect GetGridRect() const { return m_grid; }
    CRect GetLeftArrowRect() const { return m_leftArrow; }
    CRect GetRightArrowRect() const { return m_rightArrow; }
    CRect GetTodayButtonRect() const;
    CRect GetNoneButtonRect() const;
    // The date of the cell under point when it lies in the range; FALSE otherwise.
    BOOL DateFromPoint(CPoint point, COleDateTime& date) const;

    static COleDateTime Truncate(const COleDateTime& date);

    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);

    FW_MESSAGE_TABLE()

private:
    enum Mode
    {
        kNone = 0,
        kTodayPressed = 1,
        kNonePressed = 2,
        kDayPressed = 3,
    };
    enum Arrow
    {
        kNoArrow = 0,
        kLeftArrow = 1,
        kRightArrow = 2,
    };

    void Layout();
    BOOL CreateButtons();
    int RunTrackLoop();
    bool IsInRange(const COleDateTime& date) const;
    COleDateTime GridDate(int cell) const;
    COleDateTime StepMonth(int direction) const;
    bool IsStepAccepted(const COleDateTime& month) const;
    bool StepArrow(Arrow arrow);
    void PressArrow(Arrow arrow);
    void Select(const COleDateTime& date);
    void InvalidateDay(const COleDateTime& date);
    void InvalidateGrid();
    void PaintDayNames(CDC& dc);
    void PaintDays(CDC& dc);

    Mode m_mode = kNone;
    CWnd m_captionButton; // id 102: month and year
    CWnd m_noneButton;    // id 101
    CWnd m_todayButton;   // id 100
    CRect m_grid;
    int m_width = 0;
    int m_height = 0;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
    CFont m_font; // a copy of the owner's
    CRect m_leftArrow;
    CRect m_rightArrow;
    COleDateTime m_candidate;
    COleDateTime m_today;
    COleDateTime m_selected;
    COleDateTime m_latest;
    COleDateTime m_earliest;
    COleDateTime m_shownMonth; // any day inside the month shown
    int m_firstDayOfWeek;      // 0 = Monday ... 6 = Sunday
    Arrow m_heldArrow = kNoArrow;
};
