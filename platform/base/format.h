// printf-style formatting behind CString::Format. Each conversion is printed on its own, so
// that outputs where C libraries differ come out the same in both builds: a NaN prints as
// "nan" whatever its sign, "%p" as 16 upper-case hex digits, a null "%s" as "(null)".
// Formats read at run time are handled safely: an unknown conversion is copied as text
// without taking an argument, and "%I64d" / "%I32d" / "%Id" are read as their sizes. "%n" is
// such a text: a format from a file must never make us write through an argument.
#pragma once

#include <cstdarg>
#include <string>

namespace fw
{
void AppendFormatted(std::string& out, const char* format, va_list args);
} // namespace fw
