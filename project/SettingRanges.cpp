// Ranged reads of the product INI, with a log line for each value not taken as written.
#include "project/SettingRanges.h"

#include "core/services/LogFile.h"
#include "core/services/ProductIni.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
void LogChanged(const char* section, const char* key, const std::string& text, const char* why,
                const std::string& used)
{
    CAELogFile log("Project");
    log.WriteLog(1, "ReadIniSetting", "[%s] %s=%s %s: %s is used", section, key, text.c_str(), why,
                 used.c_str());
}

std::string RangeText(double low, double high)
{
    char text[64];
    std::snprintf(text, sizeof text, "is outside %.15g..%.15g", low, high);
    return text;
}

std::string NumberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

// A whole number with an optional sign and blanks around it; one past the long long range
// gives that range's end, past every setting's range too.
bool ParseWhole(const std::string& text, long long* value)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const std::string number = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const size_t digits = number[0] == '+' || number[0] == '-' ? 1 : 0;
    if (digits >= number.size() ||
        number.find_first_not_of("0123456789", digits) != std::string::npos)
        return false;
    *value = std::strtoll(number.c_str(), nullptr, 10); // out of range: its end
    return true;
}
} // namespace

int ReadIniInt(const char* section, const char* key, const CIntRange& range, int missing)
{
    std::string text;
    if (!GetIniString(section, key, &text) || text.empty())
        return missing;
    long long value = 0;
    if (!ParseWhole(text, &value))
    {
        LogChanged(section, key, text, "is not a whole number", std::to_string(missing));
        return missing;
    }
    const int used = range.Clamp(value);
    if (used != value)
        LogChanged(section, key, text, RangeText(range.low, range.high).c_str(),
                   std::to_string(used));
    return used;
}

double ReadIniReal(const char* section, const char* key, const CRealRange& range, double missing)
{
    std::string text;
    if (!GetIniString(section, key, &text) || text.empty())
        return missing;
    double value = 0.0;
    if (!GetIniDouble(section, key, &value))
    {
        LogChanged(section, key, text, "is not a number", NumberText(missing));
        return missing;
    }
    const double used = range.Clamp(value);
    if (used != value)
        LogChanged(section, key, text, RangeText(range.low, range.high).c_str(), NumberText(used));
    return used;
}

int ClampBandCount(int bands, const char* location)
{
    const CIntRange& range = setting_ranges::kBandCount;
    const int clamped = range.Clamp(bands);
    if (clamped != bands)
    {
        CAELogFile log("Project");
        log.WriteLog(1, location, "Band count %d is outside %d..%d: %d is used", bands, range.low,
                     range.high, clamped);
    }
    return clamped;
}
