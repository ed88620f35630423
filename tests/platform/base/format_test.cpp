// Formatting through CString::Format: the same text in both builds, including the cases
// where C libraries differ, and run-time formats that are malformed.
#include "platform/base/format.h"

#include "platform/base/string.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace
{
struct Case
{
    const char* expected;
    CString text;
};

CString Printed(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return text;
}

void Check(const Case* cases, size_t count)
{
    for (size_t i = 0; i < count; ++i)
    {
        SCOPED_TRACE(cases[i].expected);
        EXPECT_STREQ(cases[i].expected, cases[i].text);
    }
}
} // namespace

TEST(Format, NumbersPrintTheSameInBothBuilds)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"0.1|1.000000e-01|1.000000E-01|0.1", Printed("%.15g|%e|%E|%G", 0.1, 0.1, 0.1, 0.1)},
        {"1.23457e+08|123456789.000", Printed("%g|%.3f", 123456789.0, 123456789.0)},
        {"2|2|-0", Printed("%.0f|%.0f|%g", 1.5, 2.5, -0.0)},
        {"4.94066e-324", Printed("%g", 5e-324)},
        {"inf|-inf|nan|nan|NAN", Printed("%f|%f|%e|%g|%G", INFINITY, -INFINITY, nan, -nan, -nan)},
        {"  -0.1|+0.000e+00| 5|0xff|010",
         Printed("%6.1f|%+.3e|% d|%#x|%#o", -0.05, 0.0, 5, 255, 8)},
        {" -1.25000E+01", Printed("%13.5E", -12.5)},
        {"1.5", Printed("%Lg", 1.5L)},
    };
    Check(cases, std::size(cases));
}

TEST(Format, IntegerSizesAndArgumentWidths)
{
    const Case cases[] = {
        {"44|4464|-7|7", Printed("%hhd|%hu|%ld|%lu", 300, 70000, -7L, 7UL)},
        {"-9000000000|18000000000", Printed("%lld|%llu", -9000000000LL, 18000000000ULL)},
        {"7|-3|42", Printed("%zu|%td|%jd", static_cast<size_t>(7), static_cast<ptrdiff_t>(-3),
                            static_cast<intmax_t>(42))},
        {"   42|42   |3.14", Printed("%*d|%*d|%.*f", 5, 42, -5, 42, 2, 3.14159)},
        {"3.141593", Printed("%.*f", -1, 3.14159265)}, // negative precision: none given
        {"      abcd|z|ab", Printed("%10.4s|%c|%s", "abcdefg", 'z', "ab")},
        {"(null)", Printed("%s", static_cast<const char*>(nullptr))},
        {"0000000000000000", Printed("%p", static_cast<void*>(nullptr))},
        {"00000000000000FF", Printed("%p", reinterpret_cast<void*>(uintptr_t{255}))},
    };
    Check(cases, std::size(cases));
}

TEST(Format, RunTimeFormatsAreReadSafely)
{
    // Formats from text files are not checked by the compiler: Windows sizes are understood,
    // and what is not a conversion is copied without taking an argument.
    const char* windowsSizes = "%I64d|%I64u|%I32d|%Iu";
    const char* unknown = "%y|%1$d|%";
    // "%n" would write through its argument: it is text, and the argument stays untouched.
    const char* count = "abc%n|%hhn|%d";
    const char* huge = "%99999999999d";
    const Case cases[] = {
        {"-5|5|-6|7", Printed(windowsSizes, -5LL, 5ULL, -6, static_cast<size_t>(7))},
        {"%y|%1$d|%", Printed(unknown, 1)},
        {"abc%n|%hhn|7", Printed(count, 7)},
        {"%99999999999d", Printed(huge, 1)},
        {"100%", Printed("%d%%", 100)},
        {"", Printed(nullptr)},
    };
    Check(cases, std::size(cases));
}

TEST(Format, LongResultsAndAppending)
{
    const std::string longText(3000, 'w');
    CString text;
    text.Format("%s|%.400f", longText.c_str(), 1.0);
    EXPECT_EQ(3000 + 1 + 402, text.GetLength());
    text.Format("%d", 1);
    text.AppendFormat("+%s", "2");
    EXPECT_STREQ("1+2", text);
    // A text formatted with itself as the format or as an argument.
    CString self("<%s>");
    self.Format(self, self.GetString());
    EXPECT_STREQ("<<%s>>", self);
    self.AppendFormat("%s", self.GetString());
    EXPECT_STREQ("<<%s>><<%s>>", self);
}
