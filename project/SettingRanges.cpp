// Ranged reads of the product INI, with a log line for each value refused.
#include "project/SettingRanges.h"

#include "core/services/LogFile.h"
#include "core/services/ProductIni.h"

#include <cstdio>
#include <string>

namespace
{
void LogRefused(const char* section, const char* key, const std::string& text, const char* why,
                const std::string& used)
{
    CAELogFile log("Project");
    log.WriteLog(1, "CAESettings::LoadIniSettings", "[%s] %s=%s %s: %s is used", section, key,
                 text.c_str(), why, used.c_str());
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
} // namespace

long long ReadIniWhole(const char* section, const char* key, long long missing, long long low,
                       long long high, long long fallback)
{
    std::string text;
    if (!GetIniString(section, key, &text))
        return missing;
    unsigned value = 0;
    if (!GetIniUInt(section, key, &value))
    {
        LogRefused(section, key, text, "is not a whole number of 0 or more",
                   std::to_string(missing));
        return missing;
    }
    if (value >= low && value <= high)
        return value;
    LogRefused(section, key, text, RangeText(double(low), double(high)).c_str(),
               std::to_string(fallback));
    return fallback;
}

int ReadIniInt(const char* section, const char* key, const CIntRange& range, int missing,
               int fallback)
{
    return static_cast<int>(ReadIniWhole(section, key, missing, range.low, range.high, fallback));
}

double ReadIniReal(const char* section, const char* key, const CRealRange& range, double missing,
                   double fallback)
{
    std::string text;
    if (!GetIniString(section, key, &text))
        return missing;
    double value = 0.0;
    if (!GetIniDouble(section, key, &value))
    {
        LogRefused(section, key, text, "is not a number", NumberText(missing));
        return missing;
    }
    if (range.Contains(value))
        return value;
    LogRefused(section, key, text, RangeText(range.low, range.high).c_str(), NumberText(fallback));
    return fallback;
}
