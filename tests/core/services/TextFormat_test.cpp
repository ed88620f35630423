#include "core/services/TextFormat.h"

#include <gtest/gtest.h>

TEST(TextFormat, FormatsMatchingConversions)
{
    EXPECT_EQ("Element 12 of type CQUAD8 not supported",
              FormatText("Element %d of type %s not supported", {12, "CQUAD8"}));
    EXPECT_EQ("Line 00042:  3.14", FormatText("Line %05d: %5.2f", {42, 3.14159}));
    EXPECT_EQ("100% ffffffff 9000000000", FormatText("100%% %x %lld", {-1, 9000000000LL}));
    EXPECT_EQ("[ab   ]", FormatText("[%-5s]", {std::string("ab")}));
    EXPECT_EQ("Element type CHEXA", FormatText("Element type %s", {CString("CHEXA")}));
    EXPECT_EQ("plain", FormatText("plain", {}));
    // Fewer conversions than values: the extra values are not used.
    EXPECT_EQ("no values", FormatText("no values", {1, 2}));
}

TEST(TextFormat, MismatchedFormatsFallBackToPlainText)
{
    struct Case
    {
        const char* format;
        const char* expected;
    };
    // The values are 7 and "GRID" in every case.
    const Case cases[] = {
        {"%s %s", "%s %s 7 GRID"},       // a number where a text is wanted
        {"%d %d", "%d %d 7 GRID"},       // a text where a number is wanted
        {"%d %s %d", "%d %s %d 7 GRID"}, // more conversions than values
        {"%n%s", "%n%s 7 GRID"},         // writes memory
        {"%*d %s", "%*d %s 7 GRID"},     // width taken from the values
        {"%d %s %", "%d %s % 7 GRID"},   {"%d %s %q", "%d %s %q 7 GRID"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.format);
        EXPECT_FALSE(IsFormatSafe(c.format, {7, "GRID"}));
        EXPECT_EQ(c.expected, FormatText(c.format, {7, "GRID"}));
    }
    EXPECT_TRUE(IsFormatSafe("%d %s", {7, "GRID"}));
}

TEST(TextFormat, ScreenExponentsHaveThreeDigits)
{
    struct Case
    {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"1.230E-03", "1.230E-003"},
        {"Minimum 1.000E+00 : Maximum -2.500e+12", "Minimum 1.000E+000 : Maximum -2.500e+012"},
        {"1.230E-003", "1.230E-003"}, // already three digits
        {"1.2E+123", "1.2E+123"},
        {"Mode 3, 1.200000e+04 Hz", "Mode 3, 1.200000e+004 Hz"},
        {"Element 12", "Element 12"},
        {"CHEXA E-12", "CHEXA E-12"}, // a word, not a number
        {"", ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.expected, WithThreeDigitExponents(c.text));
    }
}
