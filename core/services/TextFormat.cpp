// Checked formatting of string-file texts: each conversion is formatted by itself with its
// one argument, so no argument list can ever disagree with the format.
#include "core/services/TextFormat.h"

#include "platform/base/string.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
std::string Printf(const char* format, ...) FW_PRINTF_FORMAT(1, 2);

std::string Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0)
    {
        std::vector<char> buffer(std::size_t(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), std::size_t(length));
    }
    va_end(args);
    return text;
}

// One conversion of a format: its text without the length modifier, its conversion letter and
// how wide the argument was declared.
struct Conversion
{
    std::size_t begin = 0;
    std::size_t end = 0;   // one past the conversion letter
    std::string directive; // "%-5.2" without length modifier or letter
    char letter = 0;
    bool isLong = false; // "l", "ll", "j", "z" or "t"
};

// Parses the conversion at format[at] == '%'. False for anything this module does not format.
bool ParseConversion(const std::string& format, std::size_t at, Conversion* c)
{
    std::size_t i = at + 1;
    c->begin = at;
    c->directive = "%";
    while (i < format.size() && std::strchr("-+ #0", format[i]))
        c->directive += format[i++];
    while (i < format.size() && format[i] >= '0' && format[i] <= '9')
        c->directive += format[i++];
    if (i < format.size() && format[i] == '.')
    {
        c->directive += format[i++];
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            c->directive += format[i++];
    }
    c->isLong = false;
    while (i < format.size() && std::strchr("hlLjzt", format[i]))
    {
        if (std::strchr("ljzt", format[i]))
            c->isLong = true;
        ++i;
    }
    if (i >= format.size())
        return false;
    c->letter = format[i];
    c->end = i + 1;
    return std::strchr("%diouxXcfFeEgGaAs", c->letter) != nullptr;
}

CFormatArg::Kind KindOf(char letter)
{
    if (std::strchr("diouxXc", letter))
        return CFormatArg::Kind::Integer;
    if (letter == 's')
        return CFormatArg::Kind::Text;
    return CFormatArg::Kind::Real;
}

std::string FormatOne(const Conversion& c, const CFormatArg& arg)
{
    const long long value = arg.GetInteger();
    switch (c.letter)
    {
    case 'd':
    case 'i':
        return c.isLong ? Printf((c.directive + "lld").c_str(), value)
                        : Printf((c.directive + "d").c_str(), int(value));
    case 'o':
    case 'u':
    case 'x':
    case 'X':
    {
        const std::string letter(1, c.letter);
        return c.isLong ? Printf((c.directive + "ll" + letter).c_str(), (unsigned long long)value)
                        : Printf((c.directive + letter).c_str(), unsigned(value));
    }
    case 'c': return Printf((c.directive + "c").c_str(), int(value));
    case 's': return Printf((c.directive + "s").c_str(), arg.GetText().c_str());
    default: return Printf((c.directive + c.letter).c_str(), arg.GetReal());
    }
}

// Walks the format; with out set it also formats. False at the first mismatch.
bool Walk(const std::string& format, std::initializer_list<CFormatArg> args, std::string* out)
{
    const CFormatArg* next = args.begin();
    std::size_t i = 0;
    while (i < format.size())
    {
        const std::size_t percent = format.find('%', i);
        if (out)
            out->append(format, i, percent == std::string::npos ? std::string::npos : percent - i);
        if (percent == std::string::npos)
            break;
        Conversion c;
        if (!ParseConversion(format, percent, &c))
            return false;
        if (c.letter == '%')
        {
            if (c.end != percent + 2)
                return false;
            if (out)
                out->push_back('%');
        }
        else
        {
            if (next == args.end() || next->GetKind() != KindOf(c.letter))
                return false;
            if (out)
                out->append(FormatOne(c, *next));
            ++next;
        }
        i = c.end;
    }
    return true;
}
} // namespace

std::string CFormatArg::ToText() const
{
    switch (m_kind)
    {
    case Kind::Integer: return std::to_string(m_integer);
    case Kind::Real: return Printf("%g", m_real);
    case Kind::Text: return m_text;
    }
    return std::string();
}

bool IsFormatSafe(const std::string& format, std::initializer_list<CFormatArg> args)
{
    return Walk(format, args, nullptr);
}

std::string FormatText(const std::string& format, std::initializer_list<CFormatArg> args)
{
    std::string text;
    if (Walk(format, args, &text))
        return text;
    text = format;
    for (const CFormatArg& arg : args)
        text += " " + arg.ToText();
    return text;
}

std::string WithThreeDigitExponents(const std::string& text)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::string out;
    out.reserve(text.size() + 4);
    for (size_t i = 0; i < text.size(); ++i)
    {
        out += text[i];
        const char c = text[i];
        // A mantissa digit, then "e+dd" or "E-dd" with nothing numeric after the two digits.
        const bool isExponent = (c == 'e' || c == 'E') && i > 0 &&
                                (isDigit(text[i - 1]) || text[i - 1] == '.') &&
                                i + 3 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-') &&
                                isDigit(text[i + 2]) && isDigit(text[i + 3]) &&
                                (i + 4 == text.size() || !isDigit(text[i + 4]));
        if (isExponent)
        {
            out += text[i + 1];
            out += '0';
            i += 1;
        }
    }
    return out;
}
