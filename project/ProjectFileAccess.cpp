// The current project file: its path, its content held in memory, and the typed accessors.
#include "project/ProjectFileAccess.h"

#include "platform/base/os.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
constexpr std::size_t kStringLength = 1023;
constexpr std::size_t kNumberLength = 127;

struct CurrentFile
{
    std::string path;
    CProjectFile content;
};

CurrentFile& Current()
{
    static CurrentFile current;
    return current;
}

bool Find(const char* section, const char* key, std::size_t maxLength, std::string* value)
{
    return Current().content.Find(section ? section : "", key ? key : "", value, maxLength) &&
           !value->empty();
}

void Write(const char* section, const char* key, const std::string& value)
{
    Current().content.Write(section ? section : "", key ? key : "", value);
}

// "%d" as sscanf reads it, with values beyond the int range clamped instead of undefined.
bool ScanInt(const std::string& text, int* out)
{
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str())
        return false;
    *out = value < INT_MIN ? INT_MIN : (value > INT_MAX ? INT_MAX : static_cast<int>(value));
    return true;
}
} // namespace

const std::string& GetCurrentProjectFile()
{
    return Current().path;
}

bool OpenCurrentProjectFile(const std::string& path, bool readContent)
{
    CurrentFile& current = Current();
    current.path = path;
    current.content.Clear();
    if (!readContent)
        return true;
    if (current.content.Load(path))
        return true;
    // No file yet: an empty one. Asked without opening, as a FIFO would block.
    return fw::os::GetFileKind(path) == fw::os::FileKind::kMissing;
}

bool CommitCurrentProjectFile(fw::os::SaveFailure* failure)
{
    return Current().content.Save(Current().path, failure);
}

bool CommitCurrentProjectFileTo(const std::string& path)
{
    return Current().content.Save(path);
}

bool IsCurrentProjectFileModified()
{
    return Current().content.IsModified();
}

void ReleaseCurrentProjectFile()
{
    Current().content.Clear();
}

const CProjectFile& GetCurrentProjectFileContent()
{
    return Current().content;
}

BOOL GetProjectString(const char* section, const char* key, CString* out)
{
    std::string value;
    if (!Find(section, key, kStringLength, &value))
        return FALSE;
    *out = CString(value);
    return TRUE;
}

void WriteProjectString(const char* section, const char* key, const char* text)
{
    Write(section, key, text ? text : "");
}

BOOL GetProjectDouble(const char* section, const char* key, double* out)
{
    std::string value;
    if (!Find(section, key, kNumberLength, &value))
        return FALSE;
    double number = 0.0;
    // "nan", "inf" or "1e999" would poison every sum they reach: the value is left as it was.
    if (std::sscanf(value.c_str(), "%lf", &number) == 1 && std::isfinite(number))
        *out = number;
    return TRUE;
}

void WriteProjectDouble(const char* section, const char* key, double value)
{
    Write(section, key, FormatFixed(value, 6));
}

BOOL GetProjectInt(const char* section, const char* key, int* out)
{
    std::string value;
    if (!Find(section, key, kNumberLength, &value))
        return FALSE;
    ScanInt(value, out);
    return TRUE;
}

void WriteProjectInt(const char* section, const char* key, int value)
{
    Write(section, key, std::to_string(value));
}

int GetProjectFlag(const char* section, const char* key, int* out)
{
    std::string value;
    if (!Find(section, key, kNumberLength, &value) || value.size() != 1)
        return 0;
    *out = static_cast<signed char>(value[0]) - '0';
    return *out;
}

void WriteProjectFlag(const char* section, const char* key, BYTE value)
{
    Write(section, key, std::string(1, static_cast<char>('0' + value)));
}

void EraseProjectSection(const char* section)
{
    Current().content.EraseSection(section ? section : "");
}

void WriteProjectPreciseDouble(const char* section, const char* key, double value)
{
    Write(section, key, FormatFixed(value, 20));
}

void WriteProjectUInt(const char* section, const char* key, DWORD value)
{
    Write(section, key, std::to_string(value));
}

BOOL GetProjectUInt(const char* section, const char* key, DWORD* out)
{
    std::string value;
    if (!Find(section, key, kNumberLength, &value))
        return FALSE;
    // "%u": a sign is accepted and the value kept in 32 bits ("-1" gives 4294967295).
    char* end = nullptr;
    const unsigned long long number = std::strtoull(value.c_str(), &end, 10);
    if (end != value.c_str())
        *out = static_cast<DWORD>(number);
    return TRUE;
}

int GetProjectIntOr(const char* section, const char* key, int fallback)
{
    int value = fallback;
    GetProjectInt(section, key, &value);
    return value;
}

double GetProjectDoubleOr(const char* section, const char* key, double fallback)
{
    double value = fallback;
    GetProjectDouble(section, key, &value);
    return value;
}

int GetProjectFlagOr(const char* section, const char* key, int fallback)
{
    int value = fallback;
    GetProjectFlag(section, key, &value);
    return value;
}

void EraseProjectSectionsAbove(const char* prefix, int count)
{
    Current().content.EraseNumberedSectionsAbove(prefix ? prefix : "", count);
}

std::string FormatFixed(double value, int decimals)
{
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(&text[0], text.size() + 1, "%.*f", decimals, value);
    return text;
}

int TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(value);
}
