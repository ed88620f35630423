// Product INI access: each call builds the path anew and makes one profile call; nothing is
// cached, so a value written by one caller is read by the next.
#include "core/services/ProductIni.h"

#include "core/services/AppEnvironment.h"
#include "platform/base/os.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace
{
constexpr std::size_t kStringBuffer = 256;
constexpr std::size_t kNumberBuffer = 128;

std::string Read(const char* section, const char* key, std::size_t bufferSize)
{
    return fw::os::ReadProfileString(ProductIniPath(), section ? section : "", key ? key : "", "",
                                     bufferSize);
}

// The profile functions trim the value already; blanks are allowed once more for files
// edited by hand.
std::string_view TrimBlanks(const std::string& text)
{
    std::string_view view(text);
    while (!view.empty() && (view.front() == ' ' || view.front() == '\t'))
        view.remove_prefix(1);
    while (!view.empty() && (view.back() == ' ' || view.back() == '\t'))
        view.remove_suffix(1);
    return view;
}

// The whole text as a finite number, as "%lf" writes it ("2.500000", "-1e-05"); text after
// the number, or none, is no number.
bool ParseDouble(const std::string& text, double* value)
{
    std::string_view view = TrimBlanks(text);
    if (!view.empty() && view.front() == '+')
        view.remove_prefix(1);
    double number = 0.0;
    const auto result = std::from_chars(view.data(), view.data() + view.size(), number);
    if (result.ec != std::errc() || result.ptr != view.data() + view.size() ||
        !std::isfinite(number))
        return false;
    *value = number;
    return true;
}

// Decimal digits that fit 32 bits: "-1" read with "%u" would give 4294967295.
bool ParseUInt(const std::string& text, unsigned* value)
{
    std::string_view view = TrimBlanks(text);
    if (!view.empty() && view.front() == '+')
        view.remove_prefix(1);
    if (view.empty() || view.front() < '0' || view.front() > '9')
        return false;
    unsigned number = 0;
    const auto result = std::from_chars(view.data(), view.data() + view.size(), number);
    if (result.ec != std::errc() || result.ptr != view.data() + view.size())
        return false;
    *value = number;
    return true;
}

bool Write(const char* section, const char* key, const std::string& value)
{
    return fw::os::StoreProfileString(ProductIniPath(), section ? section : "", key ? key : "",
                                      value);
}
} // namespace

std::string ProductIniPath()
{
    return fw::os::ResolvePath(DataPath("..\\ini\\Gravik.ini"));
}

bool GetIniString(const char* section, const char* key, std::string* out)
{
    const std::string value = Read(section, key, kStringBuffer);
    if (value.empty())
        return false;
    *out = value;
    return true;
}

bool GetIniString(const char* section, const char* key, CString* out)
{
    std::string value;
    if (!GetIniString(section, key, &value))
        return false;
    *out = CString(value);
    return true;
}

bool SetIniString(const char* section, const char* key, const char* value)
{
    return Write(section, key, value ? value : "");
}

bool GetIniDouble(const char* section, const char* key, double* out)
{
    const std::string value = Read(section, key, kNumberBuffer);
    if (value.empty())
        return false;
    return ParseDouble(value, out);
}

bool SetIniDouble(const char* section, const char* key, double value)
{
    // "%lf" of a large value runs to hundreds of digits: size the text by the formatter.
    const int length = std::snprintf(nullptr, 0, "%lf", value);
    std::string text(std::size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        std::snprintf(&text[0], text.size() + 1, "%lf", value);
    return Write(section, key, text);
}

bool GetIniUInt(const char* section, const char* key, unsigned* out)
{
    const std::string value = Read(section, key, kNumberBuffer);
    if (value.empty())
        return false;
    return ParseUInt(value, out);
}

bool SetIniUInt(const char* section, const char* key, unsigned value)
{
    return Write(section, key, std::to_string(value));
}

bool GetIniFlag(const char* section, const char* key, int* out)
{
    const std::string value = Read(section, key, kNumberBuffer);
    if (value.size() != 1)
        return false;
    *out = static_cast<signed char>(value[0]) - '0';
    return true;
}

bool SetIniFlag(const char* section, const char* key, int value)
{
    const char flag = static_cast<char>('0' + static_cast<unsigned char>(value & 0xff));
    return Write(section, key, std::string(1, flag));
}
