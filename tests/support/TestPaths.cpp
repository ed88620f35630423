#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace testing_support
{
namespace
{
struct TempDirs
{
    std::vector<fs::path> dirs;
    ~TempDirs()
    {
        std::error_code ec;
        for (const fs::path& d : dirs)
            fs::remove_all(d, ec);
    }
};

TempDirs& Temps()
{
    static TempDirs temps;
    return temps;
}

#ifdef _WIN32
// The Unix name of a Windows path under Wine; empty elsewhere.
std::string UnixNameUnderWine(const std::string& path)
{
    using UnixName = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixName>(
        ::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
    if (unixName == nullptr)
        return std::string();
    const std::wstring wide = fs::path(path).wstring();
    char* name = unixName(wide.c_str());
    if (name == nullptr)
        return std::string();
    std::string result(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

// Runs a Unix command with its arguments and waits for it; Wine starts a Unix program for a
// path to it.
bool RunUnixCommand(const char* program, const std::string& arguments)
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

// Wine does not wait for a Unix program through its process handle: wait for what it does.
bool WaitUntil(const std::function<bool()>& isDone)
{
    for (int i = 0; i < 300; ++i)
    {
        if (isDone())
            return true;
        ::Sleep(10);
    }
    return isDone();
}

// Wine splits a Unix program's command line as Windows does: no shell.
std::string Quoted(const std::string& unixName)
{
    return "\"" + unixName + "\"";
}
#endif
} // namespace

std::string SamplePath(const std::string& relative)
{
    return "../shared/samples/" + relative;
}

bool HasSamples()
{
    std::error_code ec;
    return fs::is_directory("../shared/samples", ec);
}

bool IsCiRun()
{
    const char* value = std::getenv("CI");
    return value != nullptr && std::strcmp(value, "true") == 0;
}

std::string MakeTempDir(const std::string& name)
{
    static int counter = 0;
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    fs::path dir = base / ("gravik_test_" + name + "_" + std::to_string(++counter));
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);
    Temps().dirs.push_back(dir);
    return dir.string();
}

bool RemoveAsAnotherProgram(const std::string& path)
{
    std::error_code ec;
#ifdef _WIN32
    const std::string unixName = UnixNameUnderWine(path);
    if (!unixName.empty())
    {
        return RunUnixCommand("/bin/rm", "-rf " + Quoted(unixName)) &&
               WaitUntil([&] { return !fs::exists(path, ec); });
    }
#endif
    fs::remove_all(path, ec);
    return !fs::exists(path, ec);
}

bool RenameAsAnotherProgram(const std::string& from, const std::string& to)
{
    std::error_code ec;
#ifdef _WIN32
    const std::string fromUnix = UnixNameUnderWine(from);
    const std::string toUnix = UnixNameUnderWine(to);
    if (!fromUnix.empty() && !toUnix.empty())
    {
        return RunUnixCommand("/bin/mv", "-f " + Quoted(fromUnix) + " " + Quoted(toUnix)) &&
               WaitUntil([&] { return !fs::exists(from, ec); });
    }
#endif
    fs::rename(from, to, ec);
    return !fs::exists(from, ec) && fs::exists(to, ec);
}
} // namespace testing_support
