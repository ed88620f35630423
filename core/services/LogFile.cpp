// Daily log files. Loggers of the same name share a file without sharing an object, so all
// loggers of the process also take one common lock around the append: a line is never split
// by another logger's line, however long it is.
#include "core/services/LogFile.h"

#include "core/services/AppEnvironment.h"

#include <cstdio>
#include <vector>

namespace
{
std::string Printf(const char* format, ...) FW_PRINTF_FORMAT(1, 2);

std::string Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatStringV(format, args);
    va_end(args);
    return text;
}

// Never destroyed: loggers may still write while static objects are torn down at exit.
fw::os::Lock& AppendLock()
{
    static fw::os::Lock* lock = new fw::os::Lock;
    return *lock;
}
} // namespace

CAELogFile::CAELogFile(const char* name)
    : m_name(name ? name : "")
{
}

CAELogFile::~CAELogFile() = default;

void CAELogFile::WriteLog(int level, const char* location, const char* format, ...)
{
    std::string message;
    if (format)
    {
        va_list args;
        va_start(args, format);
        message = FormatStringV(format, args);
        va_end(args);
    }
    WriteLine(level, location, message.c_str());
}

void CAELogFile::WriteLine(int level, const char* location, const char* message)
{
    fw::os::LockGuard guard(m_lock);
    const fw::os::LocalTime now = fw::os::GetLocalTime();
    const std::string timeStamp = FormatLogTimeStamp(now);
    if (m_name.empty())
        return;
    m_path = FormatLogFilePath(GetExecutableFolder(), m_name, now);

    const std::string line =
        FormatLogLine(timeStamp, level, fw::os::CurrentThreadId(), location, message);
    fw::os::LockGuard appendGuard(AppendLock());
    FILE* file = std::fopen(fw::os::ResolvePath(m_path).c_str(), "a+");
    if (!file)
        return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

std::string FormatStringV(const char* format, va_list args)
{
    if (!format)
        return std::string();
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    // The limit is checked here rather than left to the C runtime's truncation rules, which
    // differ between the platforms.
    if (length <= 0 || std::size_t(length) > kMaxLogMessage)
        return std::string();
    std::vector<char> buffer(std::size_t(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), std::size_t(length));
}

const char* LogLevelText(int level)
{
    switch (level)
    {
    case 0: return "NORM";
    case 1: return "WARN";
    case 2: return "ERR ";
    default: return "UnknownType";
    }
}

std::string FormatLogTimeStamp(const fw::os::LocalTime& time)
{
    return Printf("%2d/%2d/%2d %02d:%02d:%02d.%03d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second, time.millisecond);
}

std::string FormatLogFilePath(const std::string& folder, const std::string& name,
                              const fw::os::LocalTime& time)
{
    return folder + "\\..\\log\\" + name +
           Printf("%04d%02d%02d.log", time.year, time.month, time.day);
}

std::string FormatLogLine(const std::string& timeStamp, int level, unsigned long threadId,
                          const char* location, const char* message)
{
    std::string line = timeStamp + "," + LogLevelText(level) + "," +
                       Printf("[tid=%08lx]", threadId & 0xffffffffUL) + ",";
    if (location && location[0] != '\0')
        line += std::string("[") + location + "],";
    line += message ? message : "";
    line += '\n';
    return line;
}
