// OLE dates by our own calendar arithmetic (proleptic Gregorian), so that every valid year
// formats and compares alike; the locale's forms go through the OLE variant functions.
#include "platform/ole/datetime.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace
{
// Exclusive bounds: 100-01-01 is day -657434 and its hours count down to -657434.99999.
constexpr double kBeforeMinDate = -657435.0;
constexpr double kAfterMaxDate = 2958466.0; // 10000-01-01
constexpr long kSecondsPerDay = 86400;

struct Parts
{
    int year, month, day, hour, minute, second;
    int dayOfWeek; // 0 = Sunday
    int dayOfYear; // 1-based
};

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a Gregorian date, and back.
long DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long days, int* year, int* month, int* day)
{
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long dayOfEra = days - era * 146097;
    const long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long mp = (5 * dayOfYear + 2) / 153;
    *day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = static_cast<int>(yearOfEra + era * 400 + (*month <= 2));
}

const long kEpochDays = DaysFromCivil(1899, 12, 30);

// A DATE on a straight time line (days since the epoch, time of day included), and back.
double ToLinear(DATE date)
{
    const double whole = std::trunc(date);
    return date >= 0 ? date : whole - (date - whole);
}

DATE FromLinear(double linear)
{
    if (linear >= 0)
        return linear;
    const double whole = std::floor(linear);
    return whole - (linear - whole);
}

bool IsInRange(double date)
{
    return date > kBeforeMinDate && date < kAfterMaxDate;
}

bool PartsFromDate(DATE date, Parts* parts)
{
    if (!IsInRange(date))
        return false;
    // The calendar day is the whole part; the time of day the fraction, forwards either way.
    long dayIndex = static_cast<long>(std::trunc(date));
    long seconds = std::lround(std::fabs(date - std::trunc(date)) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay)
    {
        seconds -= kSecondsPerDay;
        ++dayIndex;
    }
    const long civil = dayIndex + kEpochDays;
    CivilFromDays(civil, &parts->year, &parts->month, &parts->day);
    parts->hour = static_cast<int>(seconds / 3600);
    parts->minute = static_cast<int>(seconds / 60 % 60);
    parts->second = static_cast<int>(seconds % 60);
    parts->dayOfWeek = static_cast<int>(((civil % 7) + 11) % 7); // 1970-01-01 was a Thursday
    parts->dayOfYear = static_cast<int>(civil - DaysFromCivil(parts->year, 1, 1) + 1);
    return true;
}

bool DateFromParts(int year, int month, int day, int hour, int minute, int second, DATE* date)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59)
        return false;
    const long dayIndex = DaysFromCivil(year, month, day) - kEpochDays;
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    *date = dayIndex >= 0 ? dayIndex + fraction : dayIndex - fraction;
    return true;
}

std::string Narrow(const wchar_t* text)
{
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

// A name from the user's locale: the day (0 = Sunday) or month (1..12), full or abbreviated.
std::string LocaleName(bool isDay, int index, bool abbreviated)
{
    LCTYPE type;
    if (isDay)
        type = (abbreviated ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1) + (index + 6) % 7;
    else
        type = (abbreviated ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + index - 1;
    char name[80] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, name, sizeof name);
    return name;
}

void AppendNumber(std::string& out, int value, int width)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*d", width, value);
    out += digits;
}

// One conversion code; false for a code we do not know (it is copied as written).
bool AppendField(std::string& out, char code, const Parts& p)
{
    switch (code)
    {
    case 'Y': AppendNumber(out, p.year, 1); return true;
    case 'y': AppendNumber(out, p.year % 100, 2); return true;
    case 'm': AppendNumber(out, p.month, 2); return true;
    case 'd': AppendNumber(out, p.day, 2); return true;
    case 'H': AppendNumber(out, p.hour, 2); return true;
    case 'I': AppendNumber(out, p.hour % 12 == 0 ? 12 : p.hour % 12, 2); return true;
    case 'M': AppendNumber(out, p.minute, 2); return true;
    case 'S': AppendNumber(out, p.second, 2); return true;
    case 'j': AppendNumber(out, p.dayOfYear, 3); return true;
    case 'w': AppendNumber(out, p.dayOfWeek, 1); return true;
    case 'p': out += p.hour < 12 ? "AM" : "PM"; return true;
    case 'a': out += LocaleName(true, p.dayOfWeek, true); return true;
    case 'A': out += LocaleName(true, p.dayOfWeek, false); return true;
    case 'b': out += LocaleName(false, p.month, true); return true;
    case 'B': out += LocaleName(false, p.month, false); return true;
    case '%': out += '%'; return true;
    default: return false;
    }
}
} // namespace

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds)
    : m_span(days + (hours * 3600.0 + minutes * 60.0 + seconds) / kSecondsPerDay)
{
}

COleDateTime::COleDateTime(DATE date)
    : m_dt(date)
    , m_status(IsInRange(date) ? valid : invalid)
{
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const SYSTEMTIME& time)
{
    SetDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    return COleDateTime(now);
}

int COleDateTime::SetDate(int year, int month, int day)
{
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    m_status = DateFromParts(year, month, day, hour, minute, second, &m_dt) ? valid : invalid;
    return m_status == valid ? 0 : 1;
}

#define FW_DATE_PART(Name, member)                                                                 \
    int COleDateTime::Name() const                                                                 \
    {                                                                                              \
        Parts parts;                                                                               \
        return m_status == valid && PartsFromDate(m_dt, &parts) ? (member) : -1;                   \
    }
FW_DATE_PART(GetYear, parts.year)
FW_DATE_PART(GetMonth, parts.month)
FW_DATE_PART(GetDay, parts.day)
FW_DATE_PART(GetHour, parts.hour)
FW_DATE_PART(GetMinute, parts.minute)
FW_DATE_PART(GetSecond, parts.second)
FW_DATE_PART(GetDayOfWeek, parts.dayOfWeek + 1)
FW_DATE_PART(GetDayOfYear, parts.dayOfYear)
#undef FW_DATE_PART

bool COleDateTime::GetAsSystemTime(SYSTEMTIME* time) const
{
    Parts parts;
    if (m_status != valid || !PartsFromDate(m_dt, &parts))
        return false;
    *time = {};
    time->wYear = static_cast<WORD>(parts.year);
    time->wMonth = static_cast<WORD>(parts.month);
    time->wDay = static_cast<WORD>(parts.day);
    time->wDayOfWeek = static_cast<WORD>(parts.dayOfWeek);
    time->wHour = static_cast<WORD>(parts.hour);
    time->wMinute = static_cast<WORD>(parts.minute);
    time->wSecond = static_cast<WORD>(parts.second);
    return true;
}

CString COleDateTime::Format(const char* format) const
{
    Parts parts;
    if (!format || m_status != valid || !PartsFromDate(m_dt, &parts))
        return CString();
    std::string out;
    for (const char* c = format; *c; ++c)
    {
        if (*c == '%' && c[1] && AppendField(out, c[1], parts))
        {
            ++c;
            continue;
        }
        out += *c;
    }
    return CString(out);
}

CString COleDateTime::Format(DWORD flags, LCID locale) const
{
    if (m_status != valid)
        return CString();
    BSTR text = nullptr;
    if (FAILED(::VarBstrFromDate(m_dt, locale, flags, &text)))
        return CString();
    const std::string narrow = Narrow(text);
    ::SysFreeString(text);
    return CString(narrow);
}

BOOL COleDateTime::ParseDateTime(const char* text, DWORD flags, LCID locale)
{
    m_status = invalid;
    if (!text || !*text)
        return FALSE;
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
    DATE parsed = 0;
    if (FAILED(::VarDateFromStr(&wide[0], locale, flags, &parsed)) || !IsInRange(parsed))
        return FALSE;
    m_dt = parsed;
    m_status = valid;
    return TRUE;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == other.m_status && (m_status != valid || m_dt == other.m_dt);
}

bool COleDateTime::operator<(const COleDateTime& other) const
{
    return ToLinear(m_dt) < ToLinear(other.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result = *this;
    result += span;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    COleDateTime result = *this;
    result -= span;
    return result;
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span)
{
    if (m_status == valid)
        *this = COleDateTime(FromLinear(ToLinear(m_dt) + span.m_span));
    return *this;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span)
{
    return *this += COleDateTimeSpan(-span.m_span);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    return COleDateTimeSpan(ToLinear(m_dt) - ToLinear(other.m_dt));
}
