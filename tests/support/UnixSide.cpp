#include "tests/support/UnixSide.h"

#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace testing_support
{
namespace
{
std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

#ifdef _WIN32
// Wine starts a Unix program for a path to it, and splits its command line as Windows does. It
// does not let the process handle wait for that program: the caller waits for what it does.
bool StartUnixProgram(const char* program, const std::string& arguments)
{
    std::string commandLine = std::string(program) + " " + arguments;
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process = {};
    const std::string windowsName = std::string("Z:") + program;
    if (!::CreateProcessA(windowsName.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &start, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

// A double-quoted argument of a Windows command line.
std::string CommandLineArgument(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text)
    {
        if (c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}
#endif
} // namespace

std::string UnixName(const std::string& path)
{
#ifdef _WIN32
    using UnixFileName = char*(CDECL*)(const WCHAR*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        ::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
    if (unixFileName == nullptr)
        return std::string();
    const std::wstring wide = fs::path(path).wstring();
    char* name = unixFileName(wide.c_str());
    if (name == nullptr)
        return std::string();
    std::string result(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
#else
    return path;
#endif
}

std::string ShellQuoted(const std::string& unixName)
{
    std::string quoted = "'";
    for (char c : unixName)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool RunUnixShell(const std::string& script, std::string* output)
{
    const std::string folder = MakeTempDir("unix_shell");
    const std::string outputFile = folder + "/output";
    const std::string statusFile = folder + "/status";
    const std::string unixFolder = UnixName(folder);
    if (unixFolder.empty())
        return false;
    const std::string whole = "( " + script + " ) >" + ShellQuoted(unixFolder + "/output") +
                              " 2>&1; echo $? >" + ShellQuoted(unixFolder + "/status.part") +
                              "; mv " + ShellQuoted(unixFolder + "/status.part") + " " +
                              ShellQuoted(unixFolder + "/status");
#ifdef _WIN32
    if (!StartUnixProgram("/bin/sh", "-c " + CommandLineArgument(whole)))
        return false;
    std::error_code ec;
    for (int i = 0; i < 3000 && !fs::exists(statusFile, ec); ++i)
        ::Sleep(10);
#else
    if (std::system(("/bin/sh -c " + ShellQuoted(whole)).c_str()) == -1)
        return false;
#endif
    if (output != nullptr)
        *output = ReadWhole(outputFile);
    return std::atoi(ReadWhole(statusFile).c_str()) == 0 && !ReadWhole(statusFile).empty();
}

bool RemoveAsAnotherProgram(const std::string& path)
{
    std::error_code ec;
    const std::string unixName = UnixName(path);
    if (!unixName.empty())
        RunUnixShell("rm -rf " + ShellQuoted(unixName));
    else
        fs::remove_all(path, ec);
    return !fs::exists(path, ec);
}

bool RenameAsAnotherProgram(const std::string& from, const std::string& to)
{
    std::error_code ec;
    const std::string fromUnix = UnixName(from);
    const std::string toUnix = UnixName(to);
    if (!fromUnix.empty() && !toUnix.empty())
        RunUnixShell("mv -f " + ShellQuoted(fromUnix) + " " + ShellQuoted(toUnix));
    else
        fs::rename(from, to, ec);
    return !fs::exists(from, ec) && fs::exists(to, ec);
}
} // namespace testing_support
