// Conversions of single bulk-data fields.
#include "io/bulk/BulkField.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The first blank-separated word of the field.
std::string_view FirstWord(std::string_view field)
{
    std::size_t begin = 0;
    while (begin < field.size() && IsBlank(field[begin]))
        ++begin;
    std::size_t end = begin;
    while (end < field.size() && !IsBlank(field[end]))
        ++end;
    return field.substr(begin, end - begin);
}

// The one word of a field that holds a value: "7 9" or "1.5 3" is two values in one field,
// most likely a card written in the wrong columns.
std::string_view SoleWord(std::string_view field)
{
    const std::string_view word = FirstWord(field);
    const std::size_t rest = static_cast<std::size_t>(word.data() - field.data()) + word.size();
    for (std::size_t i = rest; i < field.size(); ++i)
    {
        if (!IsBlank(field[i]))
            throw CBulkFieldError("more than one value in a field");
    }
    return word;
}

// "1.0E-400" underflows: it is 0. "1.0E+400" overflows: no number.
bool IsUnderflow(std::string_view text)
{
    std::size_t exponent = text.find_last_of("Ee");
    return exponent != std::string_view::npos && exponent + 1 < text.size() &&
           text[exponent + 1] == '-';
}

bool IsExponentLetter(char c)
{
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Index before which an implicit exponent's E belongs, or npos. Only one is ever inserted:
// a "-" is looked at first, a "+" only when no "-" took it.
std::size_t ImplicitExponentAt(std::string_view word)
{
    const std::size_t minus = word.rfind('-');
    if (minus != std::string_view::npos && minus > 0 && !IsExponentLetter(word[minus - 1]))
        return minus;
    const std::size_t plus = word.rfind('+');
    if (plus != std::string_view::npos && plus > 0 && !IsExponentLetter(word[plus - 1]))
        return plus;
    return std::string_view::npos;
}
} // namespace

bool IsFieldFilled(std::string_view field)
{
    for (const char c : field)
    {
        if (!IsBlank(c))
            return true;
    }
    return false;
}

double ParseBulkField(std::string_view field)
{
    const std::string_view word = SoleWord(field);
    if (word.empty())
        return 0.0;

    // Room for a 16-character large field, its inserted E and slack for longer free text.
    char text[40];
    if (word.size() + 2 > sizeof(text))
        throw CBulkFieldError("real field too long");
    std::size_t length = 0;
    const std::size_t exponentAt = ImplicitExponentAt(word);
    for (std::size_t i = 0; i < word.size(); ++i)
    {
        if (i == exponentAt)
            text[length++] = 'E';
        const char c = word[i];
        text[length++] = (c == 'D' || c == 'd') ? 'E' : c;
    }

    // from_chars takes no leading "+" and ignores the locale.
    const char* begin = text;
    const char* const end = text + length;
    if (*begin == '+')
        ++begin;
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(begin, end, value);
    if (result.ec == std::errc::result_out_of_range && result.ptr == end &&
        IsUnderflow(std::string_view(begin, static_cast<std::size_t>(end - begin))))
        return 0.0;
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        throw CBulkFieldError("not a real number");
    return value;
}

// One pass over the field: blanks, a sign, digits, blanks. Ids are most of a deck's fields.
int ParseBulkInt(std::string_view field)
{
    std::size_t i = 0;
    const std::size_t size = field.size();
    while (i < size && IsBlank(field[i]))
        ++i;
    if (i == size)
        return 0;
    const bool isNegative = field[i] == '-';
    if (field[i] == '-' || field[i] == '+')
        ++i;
    const std::size_t firstDigit = i;
    std::int64_t value = 0;
    for (; i < size && field[i] >= '0' && field[i] <= '9'; ++i)
    {
        value = value * 10 + (field[i] - '0');
        if (value > std::int64_t(std::numeric_limits<int>::max()) + 1)
            throw CBulkFieldError("integer too large");
    }
    if (i == firstDigit)
        throw CBulkFieldError("not an integer");
    for (; i < size; ++i)
    {
        if (!IsBlank(field[i]))
            throw CBulkFieldError("not an integer");
    }
    value = isNegative ? -value : value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw CBulkFieldError("integer too large");
    return static_cast<int>(value);
}

int ParseLeadingInt(std::string_view field)
{
    const std::string_view word = FirstWord(field);
    std::size_t i = 0;
    bool isNegative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-'))
        isNegative = word[i++] == '-';
    std::int64_t value = 0;
    for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i)
    {
        value = value * 10 + (word[i] - '0');
        if (value > std::numeric_limits<int>::max())
            return isNegative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return static_cast<int>(isNegative ? -value : value);
}
