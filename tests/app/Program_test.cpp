// The program itself, started as a user would: Gravik.exe in a scratch copy of its runtime
// layout, closed through its main window ten times in a row.
#include "tests/app/AppFolders.h"

#include <windows.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

namespace
{
const char* const kStagedProgram = "build/win/stage/bin/Gravik.exe";

struct FindWindowOf
{
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<FindWindowOf*>(data);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hwnd, &processId);
    if (processId == search->processId && ::IsWindowVisible(hwnd) && ::GetMenu(hwnd) != nullptr)
    {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Waits for the process's main window; null when none shows in time.
HWND WaitForMainWindow(const PROCESS_INFORMATION& process, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs)
    {
        FindWindowOf search = {process.dwProcessId, nullptr};
        ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        if (::WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}
} // namespace

TEST(Program, StartsAndExitsCleanlyTenTimesInARow)
{
    if (!fs::exists(kStagedProgram))
        GTEST_SKIP() << kStagedProgram << " is not built";
    CAppFolders folders("program", "[Environment]\r\nLanguage=English\r\n");
    fs::copy_file(kStagedProgram, fs::path(folders.Path("bin")) / "Gravik.exe");
    const std::string program = folders.Path("bin") + "\\Gravik.exe";
    for (int run = 1; run <= 10; ++run)
    {
        SCOPED_TRACE(run);
        std::string commandLine = "\"" + program + "\" /Automation";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                     0, nullptr, folders.Path("bin").c_str(), &startup, &process));
        const HWND main = WaitForMainWindow(process, 20000);
        EXPECT_NE(nullptr, main);
        if (main != nullptr)
            ::PostMessageA(main, WM_CLOSE, 0, 0);
        const DWORD waited = ::WaitForSingleObject(process.hProcess, 20000);
        if (waited != WAIT_OBJECT_0)
        {
            ADD_FAILURE() << "still running; main window " << (::IsWindow(main) ? "open" : "gone");
            ::TerminateProcess(process.hProcess, 99);
        }
        DWORD exitCode = 1;
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), waited);
        EXPECT_EQ(0u, exitCode);
    }
    std::string log;
    for (const auto& entry : fs::directory_iterator(folders.Path("log")))
        log += folders.Read("log\\" + entry.path().filename().string());
    EXPECT_EQ(10u, Count(log, " ------ START ------- "));
    EXPECT_EQ(10u, Count(log, " ------ END ------- "));
}
