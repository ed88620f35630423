// The program itself, started as a user would: Gravik.exe in a scratch copy of its runtime
// layout, closed through its main window; ten runs in a row, and a run in Japanese mode.
#include "core/services/StringFile.h"
#include "platform/win/platform_ids.h"
#include "resources/ids/view_ids.h"
#include "tests/app/AppFolders.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

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
    char title[64] = {};
    ::GetWindowTextA(hwnd, title, sizeof title);
    if (processId == search->processId && ::IsWindowVisible(hwnd) &&
        std::strncmp(title, "Gravik", 6) == 0)
    {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Gravik.exe copied into folder, started there with the extra environment lines
// ("NAME=value") and without the splash, on the model file when one is given; ended when the
// object goes.
class CRunningProgram
{
public:
    CRunningProgram(const std::string& folder, const std::vector<std::string>& environment = {},
                    const std::string& file = "")
    {
        const std::string program = folder + "\\Gravik.exe";
        if (!fs::exists(program))
            fs::copy_file(kStagedProgram, program);
        std::string commandLine = "\"" + program + "\" /Automation";
        if (!file.empty())
            commandLine += " \"" + file + "\"";
        std::string block;
        for (const std::string& line : environment)
            block += line + '\0';
        const char* strings = ::GetEnvironmentStringsA();
        for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1)
            block += std::string(entry) + '\0';
        block += '\0';
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        m_started = ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                     0, environment.empty() ? nullptr : block.data(),
                                     folder.c_str(), &startup, &m_process) != FALSE;
        if (m_started)
            m_main = WaitForMainWindow(20000);
    }
    ~CRunningProgram()
    {
        if (!m_started)
            return;
        if (::WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.hProcess, 99);
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
    CRunningProgram(const CRunningProgram&) = delete;
    CRunningProgram& operator=(const CRunningProgram&) = delete;

    bool Started() const { return m_started; }
    HWND MainWindow() const { return m_main; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    // The exit code once the process ends within the time, -1 when it does not.
    long WaitForExit(DWORD timeoutMs) const
    {
        if (::WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD exitCode = 1;
        ::GetExitCodeProcess(m_process.hProcess, &exitCode);
        return static_cast<long>(exitCode);
    }
    // Closes the main window as the close box does; the exit code, -1 when it did not end.
    long Close()
    {
        if (m_main != nullptr)
            ::PostMessageA(m_main, WM_CLOSE, 0, 0);
        return WaitForExit(20000);
    }

private:
    HWND WaitForMainWindow(DWORD timeoutMs) const
    {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < timeoutMs)
        {
            FindWindowOf search = {m_process.dwProcessId, nullptr};
            ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr)
                return search.found;
            if (::WaitForSingleObject(m_process.hProcess, 100) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }

    bool m_started = false;
    PROCESS_INFORMATION m_process = {};
    HWND m_main = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<FindWindowOf*>(data);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hwnd, &processId);
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    if (processId == search->processId && ::IsWindowVisible(hwnd) &&
        std::strcmp(className, "#32770") == 0)
    {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The message box the process shows within the time, or null.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs)
    {
        FindWindowOf search = {processId, nullptr};
        ::EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        ::Sleep(100);
    }
    return nullptr;
}

// Every log file of the layout, one after the other.
std::string ReadLogs(const CAppFolders& folders)
{
    std::string log;
    for (const auto& entry : fs::directory_iterator(folders.Path("log")))
        log += folders.Read("log\\" + entry.path().filename().string());
    return log;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::string JapaneseText(const char* file, const char* section, const char* key)
{
    std::string text;
    LoadStringWithSuffix(file, section, key, "_JPN", &text);
    return text;
}
} // namespace

TEST(Program, StartsAndExitsCleanlyTenTimesInARow)
{
    if (!fs::exists(kStagedProgram))
        GTEST_SKIP() << kStagedProgram << " is not built";
    CAppFolders folders("program", "[Environment]\r\nLanguage=English\r\n");
    for (int run = 1; run <= 10; ++run)
    {
        SCOPED_TRACE(run);
        CRunningProgram running(folders.Path("bin"));
        ASSERT_TRUE(running.Started());
        EXPECT_NE(nullptr, running.MainWindow());
        ASSERT_EQ(0, running.Close());
    }
    const std::string log = ReadLogs(folders);
    EXPECT_EQ(10u, Count(log, " ------ START ------- "));
    EXPECT_EQ(10u, Count(log, " ------ END ------- "));
}

TEST(Program, AStartThatEndsShowsWhyLogsItAndExitsWithAFailingCode)
{
    if (!fs::exists(kStagedProgram))
        GTEST_SKIP() << kStagedProgram << " is not built";
    CAppFolders folders("program_nolanguage", "[Environment]\r\nVersion_Number=1\r\n");
    CRunningProgram running(folders.Path("bin"));
    ASSERT_TRUE(running.Started());
    const HWND box = WaitForMessageBox(running.ProcessId(), 20000);
    ASSERT_NE(nullptr, box) << "the user is told why the program ends";
    char text[512] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_NE('\0', text[0]);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(3, running.WaitForExit(20000));
    const std::string log = ReadLogs(folders);
    const size_t start = log.find(" ------ START ------- ");
    const size_t ended = log.find("Start ended: no language", start);
    EXPECT_NE(std::string::npos, ended) << log;
    EXPECT_LT(ended, log.find(" ------ END ------- ", start));
}

TEST(Program, JapaneseModeShowsTheJapaneseIdleText)
{
    if (!fs::exists(kStagedProgram))
        GTEST_SKIP() << kStagedProgram << " is not built";
    CAppFolders folders("program_jpn", "[Environment]\r\nLanguage=Japanese\r\n");
    CRunningProgram running(folders.Path("bin"));
    ASSERT_TRUE(running.Started());
    const HWND main = running.MainWindow();
    ASSERT_NE(nullptr, main);

    // The status bar's idle text, from the framework's section of Message.str.
    const HWND status = ::GetDlgItem(main, AFX_IDW_STATUS_BAR);
    ASSERT_NE(nullptr, status);
    const std::string ready = JapaneseText("Message.str", "Framework", "Ready");
    char statusText[128] = {};
    for (int i = 0; i < 50 && ready != statusText; ++i)
    {
        ::Sleep(100);
        ::SendMessageTimeoutA(status, WM_GETTEXT, sizeof statusText,
                              reinterpret_cast<LPARAM>(statusText), SMTO_ABORTIFHUNG, 2000,
                              nullptr);
    }
    EXPECT_EQ(ready, statusText);
    EXPECT_EQ(0, running.Close());
}
