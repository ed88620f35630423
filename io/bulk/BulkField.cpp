// Conversions of single bulk-data fields.
#include "io/bulk/BulkField.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace
{
// Blank, tab, line feed, carriage return: one test of a bit.
constexpr std::uint64_t kBlanks = (std::uint64_t(1) << ' ') | (std::uint64_t(1) << '\t') |
                                  (std::uint64_t(1) << '\n') | (std::uint64_t(1) << '\r');

bool IsBlank(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u <= ' ' && ((kBlanks >> u) & 1) != 0;
}

bool IsDigit(char c)
{
    return static_cast<unsigned>(c - '0') <= 9;
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

// The exact powers of ten a double holds.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common forms of a real: [sign] digits [. digits] [exponent, its E or D optional],
// between blanks, at most 19 significant digits and an exponent that keeps the value one
// exact product or quotient of two doubles, which is then rounded once as a full parse
// rounds it. False for anything else, which the full parse then reads or refuses.
bool ParseSimpleReal(std::string_view field, double& value)
{
    const char* p = field.data();
    const char* const end = p + field.size();
    while (p < end && IsBlank(*p))
        ++p;
    if (p == end)
    {
        value = 0.0;
        return true;
    }
    const char* const word = p;
    const bool isNegative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    std::uint64_t mantissa = 0;
    int digits = 0; // significant digits in the mantissa
    int scale = 0;  // the mantissa's power of ten
    bool hasDigit = false;
    for (; p < end && IsDigit(*p); ++p)
    {
        hasDigit = true;
        if (mantissa == 0 && *p == '0')
            continue;
        if (++digits > 19)
            return false;
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    if (p < end && *p == '.')
    {
        for (++p; p < end && IsDigit(*p); ++p)
        {
            hasDigit = true;
            --scale;
            if (mantissa == 0 && *p == '0')
                continue;
            if (++digits > 19)
                return false;
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        }
    }
    if (!hasDigit)
        return false;
    if (p < end && !IsBlank(*p))
    {
        if (IsExponentLetter(*p))
            ++p;
        else if (*p != '-' && *p != '+')
            return false;
        bool isExponentNegative = false;
        if (p < end && (*p == '-' || *p == '+'))
            isExponentNegative = *p++ == '-';
        int exponent = 0;
        const char* const firstDigit = p;
        for (; p < end && IsDigit(*p); ++p)
        {
            if (p - firstDigit == 4)
                return false;
            exponent = exponent * 10 + (*p - '0');
        }
        if (p == firstDigit)
            return false;
        scale += isExponentNegative ? -exponent : exponent;
    }
    // The full parse refuses a word longer than its buffer.
    if (p - word > 38)
        return false;
    for (; p < end; ++p)
    {
        if (!IsBlank(*p))
            return false;
    }
    if (mantissa > (std::uint64_t(1) << 53) || scale < -22 || scale > 22)
        return false;
    const double magnitude = scale < 0 ? static_cast<double>(mantissa) / kPowersOfTen[-scale]
                                       : static_cast<double>(mantissa) * kPowersOfTen[scale];
    value = isNegative ? -magnitude : magnitude;
    return true;
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
    double simple = 0.0;
    if (ParseSimpleReal(field, simple))
        return simple;
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

namespace
{
constexpr std::uint64_t kEightBlanks = 0x2020202020202020;

std::uint64_t LoadEight(const char* p)
{
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof(word));
    return word;
}

// An 8-column field of blanks and one run of digits ("     123", "123     ", "12345678"), read
// eight characters at a time; false for anything else (a sign, a second word, other text),
// which the full parse then reads or refuses. Ids fill most of a deck's fields.
bool ParseEightColumnInt(std::uint64_t word, int& value)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
    constexpr std::uint64_t kHigh = 0x8080808080808080;
    // The high bit of each byte that is not a blank (the first column in the lowest byte).
    const std::uint64_t diff = word ^ kEightBlanks;
    const std::uint64_t filled = (((diff & kLow7) + kLow7) | diff) & kHigh;
    if (filled == 0)
    {
        value = 0;
        return true;
    }
    const int first = __builtin_ctzll(filled) / 8;
    const int count = 8 - first - __builtin_clzll(filled) / 8;
    if (filled != (kHigh >> (8 * (8 - count)) << (8 * first)))
        return false; // blanks between two words
    // The run's digits at the top, zeros before them: "00000123".
    std::uint64_t digits = word >> (8 * first) << (8 * (8 - count));
    if (count < 8)
        digits |= 0x3030303030303030 >> (8 * count);
    if ((digits & 0xF0F0F0F0F0F0F0F0) != 0x3030303030303030 ||
        ((digits + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) != 0x3030303030303030)
        return false;
    digits -= 0x3030303030303030;
    // Pairs, then fours, then the eight: each step joins neighbours, the earlier one higher.
    digits = (digits * 10 + (digits >> 8)) & 0x00FF00FF00FF00FF;
    digits = (digits * 100 + (digits >> 16)) & 0x0000FFFF0000FFFF;
    digits = (digits * 10000 + (digits >> 32)) & 0xFFFFFFFF;
    value = static_cast<int>(digits);
    return true;
#else
    (void)word;
    (void)value;
    return false;
#endif
}
} // namespace

// One pass over the field: blanks, a sign, digits, blanks. Ids are most of a deck's fields.
int ParseBulkInt(std::string_view field)
{
    // Small fields are 8 columns, large ones 16 with the number in either half.
    int simple = 0;
    if (field.size() == 8 && ParseEightColumnInt(LoadEight(field.data()), simple))
        return simple;
    if (field.size() == 16)
    {
        const std::uint64_t first = LoadEight(field.data());
        const std::uint64_t second = LoadEight(field.data() + 8);
        if ((first == kEightBlanks && ParseEightColumnInt(second, simple)) ||
            (second == kEightBlanks && ParseEightColumnInt(first, simple)))
            return simple;
    }
    const char* p = field.data();
    const char* const end = p + field.size();
    while (p < end && IsBlank(*p))
        ++p;
    if (p == end)
        return 0;
    const bool isNegative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    const char* const firstDigit = p;
    std::int64_t value = 0;
    for (; p < end && IsDigit(*p); ++p)
    {
        value = value * 10 + (*p - '0');
        if (value > std::int64_t(std::numeric_limits<int>::max()) + 1)
            throw CBulkFieldError("integer too large");
    }
    if (p == firstDigit)
        throw CBulkFieldError("not an integer");
    for (; p < end; ++p)
    {
        if (!IsBlank(*p))
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
