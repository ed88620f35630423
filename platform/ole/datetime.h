// COleDateTime: a date and time as an OLE DATE (days since 1899-12-30; before that day the
// time of day still counts forwards, so -1.25 is 1899-12-29 06:00) with a status, and
// COleDateTimeSpan, a signed number of days. Valid dates run from 100-01-01 to 9999-12-31.
#pragma once

#include "platform/base/string.h"

#include <windows.h>

#include <oleauto.h>

class COleDateTimeSpan
{
public:
    COleDateTimeSpan() = default;
    explicit COleDateTimeSpan(double days)
        : m_span(days)
    {
    }
    COleDateTimeSpan(long days, int hours, int minutes, int seconds);

    double GetTotalDays() const { return m_span; }
    long GetDays() const { return static_cast<long>(m_span); }

    double m_span = 0;
};

class COleDateTime
{
public:
    enum DateTimeStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTime() = default;
    COleDateTime(DATE date);
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    explicit COleDateTime(const SYSTEMTIME& time);

    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    // Each returns 0 unless the status is valid (the value is then unchanged).
    int SetDate(int year, int month, int day);
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);

    // Parts of a valid date; -1 otherwise. Day of week 1 = Sunday ... 7 = Saturday.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    int GetDayOfYear() const;
    bool GetAsSystemTime(SYSTEMTIME* time) const;

    // strftime-style codes (%Y %m %d %H %M %S %a %A %b %B %y %j %w %p %%); empty unless valid.
    CString Format(const char* format) const;
    // The locale's own form (VAR_DATEVALUEONLY for the date alone); empty unless valid.
    CString Format(DWORD flags = 0, LCID locale = LANG_USER_DEFAULT) const;
    // Parses text the locale's way; FALSE and the status invalid when it does not parse.
    BOOL ParseDateTime(const char* text, DWORD flags = 0, LCID locale = LANG_USER_DEFAULT);

    operator DATE() const { return m_dt; }

    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    // A span added to or taken from an invalid or null date leaves it so.
    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span);
    COleDateTime& operator-=(const COleDateTimeSpan& span);
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;
};
