// Lines of the program's daily logs, for tests of what is reported there.
#pragma once

#include "core/services/AppEnvironment.h"
#include "core/services/LogFile.h"
#include "platform/base/os.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support
{
// The lines of today's log of that name that hold the text. Its folder is made when missing, so
// that what the program writes next is kept.
inline int CountLogLines(const char* name, const std::string& text)
{
    const std::string path =
        fw::os::ResolvePath(FormatLogFilePath(GetExecutableFolder(), name, fw::os::GetLocalTime()));
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ifstream file(path, std::ios::binary);
    int count = 0;
    for (std::string line; std::getline(file, line);)
        count += line.find(text) != std::string::npos ? 1 : 0;
    return count;
}
} // namespace testing_support
