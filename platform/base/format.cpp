// One conversion at a time: parse the directive, fetch its argument with the type its
// length modifier names, and print it with a rebuilt directive.
#include "platform/base/format.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <type_traits>

namespace
{
constexpr int kMaxWidth = 1000000; // larger widths in a run-time format are taken as text

enum class Length
{
    None,
    Char,
    Short,
    Long,
    LongLong,
    IntMax,
    Size,
    PtrDiff,
    LongDouble
};

struct Directive
{
    std::string flags;
    int width = -1;
    int precision = -1;
    bool widthFromArgument = false;
    bool precisionFromArgument = false;
    Length length = Length::None;
    char conversion = 0;
};

const char* ParseNumber(const char* p, int& value)
{
    long long number = 0;
    while (*p >= '0' && *p <= '9')
    {
        number = number * 10 + (*p++ - '0');
        if (number > kMaxWidth)
            return nullptr;
    }
    value = static_cast<int>(number);
    return p;
}

const char* ParseLength(const char* p, Length& length)
{
    switch (*p)
    {
    case 'h': length = p[1] == 'h' ? Length::Char : Length::Short; return p + (p[1] == 'h' ? 2 : 1);
    case 'l':
        length = p[1] == 'l' ? Length::LongLong : Length::Long;
        return p + (p[1] == 'l' ? 2 : 1);
    case 'q': length = Length::LongLong; return p + 1;
    case 'j': length = Length::IntMax; return p + 1;
    case 'z': length = Length::Size; return p + 1;
    case 't': length = Length::PtrDiff; return p + 1;
    case 'L': length = Length::LongDouble; return p + 1;
    case 'I': // the Windows forms: I64, I32, and I for pointer size
        if (p[1] == '6' && p[2] == '4')
        {
            length = Length::LongLong;
            return p + 3;
        }
        if (p[1] == '3' && p[2] == '2')
        {
            length = Length::None;
            return p + 3;
        }
        length = Length::Size;
        return p + 1;
    default: return p;
    }
}

// The directive after '%', or null when it is not one we print.
const char* ParseDirective(const char* p, Directive& directive)
{
    for (; std::strchr("-+ #0'", *p) && *p != '\0'; ++p)
    {
        if (*p != '\'') // digit grouping differs between libraries; dropped
            directive.flags += *p;
    }
    if (*p == '*')
    {
        directive.widthFromArgument = true;
        ++p;
    }
    else if (!(p = ParseNumber(p, directive.width)) || *p == '$')
        return nullptr;
    if (*p == '.')
    {
        ++p;
        if (*p == '*')
        {
            directive.precisionFromArgument = true;
            ++p;
        }
        else if (!(p = ParseNumber(p, directive.precision)))
            return nullptr;
    }
    p = ParseLength(p, directive.length);
    if (*p == '\0' || !std::strchr("diouxXcsfFeEgGaAp", *p))
        return nullptr;
    directive.conversion = *p;
    return p + 1;
}

std::string BuildDirective(const Directive& directive, const char* length, char conversion)
{
    std::string text = "%" + directive.flags;
    if (directive.width >= 0)
        text += std::to_string(directive.width);
    if (directive.precision >= 0)
        text += "." + std::to_string(directive.precision);
    return text + length + conversion;
}

template <class T>
void AppendOne(std::string& out, const std::string& directive, T value)
{
    char buffer[256];
    const int length = std::snprintf(buffer, sizeof(buffer), directive.c_str(), value);
    if (length <= 0)
        return;
    if (static_cast<size_t>(length) < sizeof(buffer))
    {
        out.append(buffer, static_cast<size_t>(length));
        return;
    }
    const size_t oldSize = out.size();
    out.resize(oldSize + static_cast<size_t>(length));
    std::snprintf(&out[oldSize], static_cast<size_t>(length) + 1, directive.c_str(), value);
}

} // namespace

namespace fw
{
// All va_arg calls stay in this one function: a va_list handed on by value would not
// advance the caller's on every ABI.
void AppendFormatted(std::string& out, const char* format, va_list args)
{
    if (!format)
        return;
    for (const char* p = format; *p != '\0';)
    {
        const char* percent = std::strchr(p, '%');
        if (!percent)
        {
            out += p;
            break;
        }
        out.append(p, static_cast<size_t>(percent - p));
        if (percent[1] == '%')
        {
            out += '%';
            p = percent + 2;
            continue;
        }
        Directive directive;
        const char* next = ParseDirective(percent + 1, directive);
        if (!next)
        {
            out += '%';
            p = percent + 1;
            continue;
        }
        p = next;
        if (directive.widthFromArgument)
        {
            const int width = va_arg(args, int);
            if (width < 0)
                directive.flags += '-';
            directive.width = width == INT_MIN ? kMaxWidth : std::min(std::abs(width), kMaxWidth);
        }
        if (directive.precisionFromArgument)
        {
            const int precision = va_arg(args, int);
            directive.precision = precision < 0 ? -1 : std::min(precision, kMaxWidth);
        }
        switch (directive.conversion)
        {
        case 'd':
        case 'i':
        {
            long long value = 0;
            switch (directive.length)
            {
            case Length::Char: value = static_cast<signed char>(va_arg(args, int)); break;
            case Length::Short: value = static_cast<short>(va_arg(args, int)); break;
            case Length::Long: value = va_arg(args, long); break;
            case Length::LongLong: value = va_arg(args, long long); break;
            case Length::IntMax: value = static_cast<long long>(va_arg(args, intmax_t)); break;
            case Length::Size:
                value = static_cast<long long>(va_arg(args, std::make_signed_t<size_t>));
                break;
            case Length::PtrDiff: value = static_cast<long long>(va_arg(args, ptrdiff_t)); break;
            default: value = va_arg(args, int); break;
            }
            AppendOne(out, BuildDirective(directive, "ll", directive.conversion), value);
            break;
        }
        case 'o':
        case 'u':
        case 'x':
        case 'X':
        {
            unsigned long long value = 0;
            switch (directive.length)
            {
            case Length::Char: value = static_cast<unsigned char>(va_arg(args, unsigned)); break;
            case Length::Short: value = static_cast<unsigned short>(va_arg(args, unsigned)); break;
            case Length::Long: value = va_arg(args, unsigned long); break;
            case Length::LongLong: value = va_arg(args, unsigned long long); break;
            case Length::IntMax: value = va_arg(args, uintmax_t); break;
            case Length::Size: value = va_arg(args, size_t); break;
            case Length::PtrDiff:
                value = static_cast<unsigned long long>(va_arg(args, ptrdiff_t));
                break;
            default: value = va_arg(args, unsigned); break;
            }
            AppendOne(out, BuildDirective(directive, "ll", directive.conversion), value);
            break;
        }
        case 'c':
            if (directive.length == Length::Long)
                AppendOne(out, BuildDirective(directive, "l", 'c'),
                          static_cast<wint_t>(va_arg(args, int)));
            else
                AppendOne(out, BuildDirective(directive, "", 'c'), va_arg(args, int));
            break;
        case 's':
            if (directive.length == Length::Long)
            {
                const wchar_t* text = va_arg(args, const wchar_t*);
                AppendOne(out, BuildDirective(directive, "l", 's'), text ? text : L"(null)");
            }
            else
            {
                const char* text = va_arg(args, const char*);
                AppendOne(out, BuildDirective(directive, "", 's'), text ? text : "(null)");
            }
            break;
        case 'p':
        {
            const uintptr_t value = reinterpret_cast<uintptr_t>(va_arg(args, void*));
            if (directive.precision < 0)
                directive.precision = 16;
            AppendOne(out, BuildDirective(directive, "ll", 'X'),
                      static_cast<unsigned long long>(value));
            break;
        }
        default: // floating point
            if (directive.length == Length::LongDouble)
            {
                long double value = va_arg(args, long double);
                if (std::isnan(value))
                    value = std::fabs(value);
                AppendOne(out, BuildDirective(directive, "L", directive.conversion), value);
            }
            else
            {
                double value = va_arg(args, double);
                if (std::isnan(value))
                    value = std::fabs(value);
                AppendOne(out, BuildDirective(directive, "", directive.conversion), value);
            }
            break;
        }
    }
}
} // namespace fw
