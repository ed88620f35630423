// A date-entry control: an edit box for a date with a drop-down button that opens the month
// calendar. The date is read from the text (from its first digit on) and kept within a range;
// the edit's focus and change notifications reach the parent under the control's own id.
#pragma once

#include "platform/base/string.h"
#include "platform/ole/datetime.h"
#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"
#include "widgets/controls/OXCalendarPopup.h"

#include <windows.h>

class COXDateEdit : public CWnd
{
public:
    static constexpr int kEditId = 100;

    COXDateEdit();

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // FALSE, keeping the old range, when a bound is invalid or earliest is after latest;
    // null bounds do not limit.
    BOOL SetRange(const COleDateTime& earliest, const COleDateTime& latest);
    void GetRange(COleDateTime& earliest, COleDateTime& latest) const;
    // FALSE for an invalid date or one outside the range; otherwise shown in the edit.
    BOOL SetDate(const COleDateTime& date);
    // The date read from the edit's text; null when it holds none.
    COleDateTime GetDate();
    // 0 = Sunday ... 6 = Saturday.
    BOOL SetFirstDayOfWeek(int day);
    int GetFirstDayOfWeek() const { return (m_firstDayOfWeek + 1) % 7; }
    // strftime-style format of the shown date; empty: day name and the locale's date form.
    void SetDateFormat(const char* format) { m_dateFormat = format; }
    // The text shown for the current date.
    virtual void FormatDate(CString& text);

    HWND GetEditWnd() const { return m_edit.GetSafeHwnd(); }
    COXCalendarPopup& GetCalendar() { return m_calendar; }
    BOOL IsDropButtonShown() const { return m_dropButtonShown; }
    CRect GetDropButtonRect() const;

    // Notifications of the edit box.
    void OnEditSetFocus();
    void OnEditKillFocus();
    void OnEditChange();
    void OnEditUpdate();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnSetFocus(CWnd* oldWnd);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnClose();
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);

    FW_MESSAGE_TABLE()

protected:
    void PreSubclassWindow() override;

private:
    BOOL CreateChildren();
    void Notify(UINT code);
    void ReadAndClampDate();
    void ShowDateText();
    void ShowDropButton(bool show);
    void LayoutEdit();

    CWnd m_edit;  // id kEditId
    CFont m_font; // a copy of the parent's
    COleDateTime m_date;
    COleDateTime m_latest;
    COleDateTime m_earliest;
    int m_firstDayOfWeek; // 0 = Monday ... 6 = Sunday
    COXCalendarPopup m_calendar;
    BOOL m_dropButtonShown = FALSE;
    int m_dropButtonWidth = 0;
    HCURSOR m_cursor = nullptr;
    CString m_dateFormat;
    bool m_creating = false;
};
