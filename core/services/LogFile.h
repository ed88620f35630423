// Named daily log files: "<name><yyyymmdd>.log" in the "log" folder beside the executable's
// folder, one line per call, opened and closed for every line so a log survives a crash.
#pragma once

#include "platform/base/os.h"
#include "platform/base/string.h"

#include <cstdarg>
#include <string>

class CAELogFile
{
public:
    explicit CAELogFile(const char* name);
    virtual ~CAELogFile();
    CAELogFile(const CAELogFile&) = delete;
    CAELogFile& operator=(const CAELogFile&) = delete;

    // Formats the message printf-style and writes one line. Level 0 "NORM", 1 "WARN",
    // 2 "ERR ", others "UnknownType"; an empty location leaves out the bracketed field.
    void WriteLog(int level, const char* location, const char* format, ...) FW_PRINTF_FORMAT(4, 5);

    // Appends one line to today's file. Never fails towards the caller: a missing log folder
    // or a file that cannot be opened loses the line.
    void WriteLine(int level, const char* location, const char* message);

    const std::string& GetName() const { return m_name; }
    // The file written last (empty before the first line).
    const std::string& GetPath() const { return m_path; }

private:
    fw::os::Lock m_lock;
    std::string m_name;
    std::string m_path;
};

// The formatted text, or the empty text when it is longer than kMaxLogMessage characters.
constexpr std::size_t kMaxLogMessage = 65535;
std::string FormatStringV(const char* format, va_list args);

// The parts of a line, for the logger and its tests.
const char* LogLevelText(int level);
// "%2d/%2d/%2d %02d:%02d:%02d.%03d": "2026/12/ 8 09:05:03.042".
std::string FormatLogTimeStamp(const fw::os::LocalTime& time);
// Folder, "\..\log\", name and "%04d%02d%02d.log".
std::string FormatLogFilePath(const std::string& folder, const std::string& name,
                              const fw::os::LocalTime& time);
// "time,level,[tid=%08x],[location],message\n", without "[location]," when it is empty.
std::string FormatLogLine(const std::string& timeStamp, int level, unsigned long threadId,
                          const char* location, const char* message);
