// Dates for the date edit and calendar tests.
#pragma once

#include "platform/ole/datetime.h"

inline COleDateTime Day(int year, int month, int day)
{
    return COleDateTime(year, month, day, 0, 0, 0);
}

inline COleDateTime NullDay()
{
    COleDateTime date;
    date.SetStatus(COleDateTime::null);
    return date;
}
