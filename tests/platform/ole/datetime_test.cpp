// OLE dates: the day numbering around the 1899-12-30 epoch, the valid range, arithmetic across
// the epoch, formatting and parsing.
#include "platform/ole/datetime.h"

#include <gtest/gtest.h>

namespace
{
struct DateCase
{
    int year, month, day, hour, minute, second;
    double date; // the OLE DATE, from the documented numbering
    int dayOfWeek;
};

const DateCase kDates[] = {
    {1899, 12, 30, 0, 0, 0, 0.0, 7},
    {1900, 1, 1, 0, 0, 0, 2.0, 2},
    {2000, 1, 1, 0, 0, 0, 36526.0, 7},
    {2000, 1, 1, 18, 0, 0, 36526.75, 7},
    {1899, 12, 29, 6, 0, 0, -1.25, 6},
    {1800, 3, 1, 0, 0, 0, -36463.0, 7},
    {100, 1, 1, 0, 0, 0, -657434.0, 6},
    {9999, 12, 31, 0, 0, 0, 2958465.0, 6},
    {2024, 2, 29, 12, 30, 15, 45351.521006944, 5},
};
} // namespace

TEST(OleDateTime, PartsAndDayNumbersAgree)
{
    for (const DateCase& c : kDates)
    {
        SCOPED_TRACE(c.date);
        const COleDateTime fromParts(c.year, c.month, c.day, c.hour, c.minute, c.second);
        ASSERT_EQ(COleDateTime::valid, fromParts.GetStatus());
        EXPECT_NEAR(c.date, fromParts.m_dt, 1e-8);

        const COleDateTime fromDate(c.date);
        EXPECT_EQ(c.year, fromDate.GetYear());
        EXPECT_EQ(c.month, fromDate.GetMonth());
        EXPECT_EQ(c.day, fromDate.GetDay());
        EXPECT_EQ(c.hour, fromDate.GetHour());
        EXPECT_EQ(c.minute, fromDate.GetMinute());
        EXPECT_EQ(c.second, fromDate.GetSecond());
        EXPECT_EQ(c.dayOfWeek, fromDate.GetDayOfWeek());
    }
}

TEST(OleDateTime, DatesOutsideTheCalendarAreInvalid)
{
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(99, 12, 31, 0, 0, 0).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(2023, 2, 29, 0, 0, 0).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(2023, 1, 1, 24, 0, 0).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(DATE(3e6)).GetStatus());
    EXPECT_EQ(-1, COleDateTime(DATE(3e6)).GetYear());
    COleDateTime date;
    EXPECT_EQ(1, date.SetDate(2023, 13, 1));
    EXPECT_EQ(0, date.SetDate(2023, 12, 1));
}

TEST(OleDateTime, ArithmeticRunsStraightAcrossTheEpoch)
{
    const COleDateTime early(1899, 12, 30, 3, 0, 0);
    const COleDateTime before = early - COleDateTimeSpan(0.25);
    EXPECT_EQ(1899, before.GetYear());
    EXPECT_EQ(29, before.GetDay());
    EXPECT_EQ(21, before.GetHour());
    EXPECT_NEAR(-1.875, before.m_dt, 1e-9);
    EXPECT_TRUE(before < early);
    EXPECT_NEAR(0.25, (early - before).GetTotalDays(), 1e-9);

    COleDateTime stepped(2024, 1, 31, 0, 0, 0);
    stepped += COleDateTimeSpan(1, 0, 0, 0);
    EXPECT_EQ(2, stepped.GetMonth());
    EXPECT_EQ(1, stepped.GetDay());

    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    none += COleDateTimeSpan(5.0);
    EXPECT_EQ(COleDateTime::null, none.GetStatus());
    EXPECT_NE(none, COleDateTime(2024, 1, 1, 0, 0, 0));
}

TEST(OleDateTime, FormatsAndParses)
{
    EXPECT_STREQ("100 01 01 07:05:09 001%",
                 COleDateTime(100, 1, 1, 7, 5, 9).Format("%Y %m %d %H:%M:%S %j%%").GetString());
    EXPECT_STREQ("", COleDateTime(DATE(-1e7)).Format("%Y").GetString());

    const LCID us = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    COleDateTime parsed;
    ASSERT_TRUE(parsed.ParseDateTime("2/3/2001", 0, us));
    EXPECT_EQ(2001, parsed.GetYear());
    EXPECT_EQ(2, parsed.GetMonth());
    EXPECT_EQ(3, parsed.GetDay());
    EXPECT_FALSE(parsed.ParseDateTime("no date", 0, us));
    EXPECT_EQ(COleDateTime::invalid, parsed.GetStatus());
    EXPECT_FALSE(parsed.ParseDateTime("", 0, us));
}
