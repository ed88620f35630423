// Formatting of values into texts that come from the string files. Such a text is data: a
// wrong conversion in it ("%s" where a number is given) must not reach printf, so every
// conversion is checked against its argument before anything is formatted.
#pragma once

#include "platform/base/string.h"

#include <initializer_list>
#include <string>

class CFormatArg
{
public:
    enum class Kind
    {
        Integer,
        Real,
        Text
    };

    CFormatArg(int value)
        : m_kind(Kind::Integer)
        , m_integer(value)
    {
    }
    CFormatArg(unsigned value)
        : m_kind(Kind::Integer)
        , m_integer(value)
    {
    }
    CFormatArg(long value)
        : m_kind(Kind::Integer)
        , m_integer(value)
    {
    }
    CFormatArg(unsigned long value)
        : m_kind(Kind::Integer)
        , m_integer((long long)value)
    {
    }
    CFormatArg(long long value)
        : m_kind(Kind::Integer)
        , m_integer(value)
    {
    }
    CFormatArg(unsigned long long value)
        : m_kind(Kind::Integer)
        , m_integer((long long)value)
    {
    }
    CFormatArg(double value)
        : m_kind(Kind::Real)
        , m_real(value)
    {
    }
    CFormatArg(const char* value)
        : m_kind(Kind::Text)
        , m_text(value ? value : "")
    {
    }
    CFormatArg(const std::string& value)
        : m_kind(Kind::Text)
        , m_text(value)
    {
    }
    CFormatArg(const CString& value)
        : m_kind(Kind::Text)
        , m_text(value.Str())
    {
    }

    Kind GetKind() const { return m_kind; }
    long long GetInteger() const { return m_integer; }
    double GetReal() const { return m_real; }
    const std::string& GetText() const { return m_text; }

    // The value as plain text, for the fallback form.
    std::string ToText() const;

private:
    Kind m_kind;
    long long m_integer = 0;
    double m_real = 0.0;
    std::string m_text;
};

// True when every conversion of the format takes the kind of its argument in order ("%d",
// "%5.2f", "%-8s", "%%" ...), there are no more conversions than arguments, and none of them
// is "%n" or a "*" width or precision.
bool IsFormatSafe(const std::string& format, std::initializer_list<CFormatArg> args);

// printf-style formatting of the arguments into the format. When the format does not match
// the arguments the result is the format as plain text, then the arguments' values after a
// blank each.
std::string FormatText(const std::string& format, std::initializer_list<CFormatArg> args);

// Screen texts show exponents with three digits ("1.230E-003", "5.000000e+004"), as the
// program always has; files keep the two digits of the C library. Pads every exponent of two
// digits in the text.
std::string WithThreeDigitExponents(const std::string& text);
