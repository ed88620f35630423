// Field helpers for universal-file records.
#include "io/unv/UnvFields.h"

#include <charconv>
#include <system_error>

namespace
{
// Skips blanks, then one optional "+" that std::from_chars does not take.
const char* SkipToNumber(const char* p, const char* end)
{
    while (p != end && IsUnvBlank(*p))
        ++p;
    if (p != end && *p == '+' && p + 1 != end && *(p + 1) != '-')
        ++p;
    return p;
}
} // namespace

bool IsUnvBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view TrimLeft(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsUnvBlank(text[i]))
        ++i;
    return text.substr(i);
}

std::string_view TrimRight(std::string_view text)
{
    size_t n = text.size();
    while (n > 0 && IsUnvBlank(text[n - 1]))
        --n;
    return text.substr(0, n);
}

std::string_view Trim(std::string_view text)
{
    return TrimRight(TrimLeft(text));
}

void FixExponent(std::string& line)
{
    for (char& c : line)
    {
        if (c == 'D' || c == 'd')
            c = 'E';
    }
}

int ScanInts(std::string_view text, int* values, int maxCount)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    int count = 0;
    while (count < maxCount)
    {
        p = SkipToNumber(p, end);
        int value = 0;
        const std::from_chars_result r = std::from_chars(p, end, value);
        if (r.ec != std::errc())
            break;
        values[count++] = value;
        p = r.ptr;
    }
    return count;
}

int ScanReals(std::string_view text, double* values, int maxCount)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    int count = 0;
    while (count < maxCount)
    {
        p = SkipToNumber(p, end);
        double value = 0.0;
        const std::from_chars_result r = std::from_chars(p, end, value);
        if (r.ec != std::errc())
            break;
        values[count++] = value;
        p = r.ptr;
    }
    return count;
}

bool IsUnvClosingLine(std::string_view line)
{
    return Trim(line) == "-1";
}
