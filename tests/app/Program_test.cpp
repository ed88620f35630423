// The program itself, started as a user would: Gravik.exe in a scratch copy of its runtime
// layout, closed through its main window; ten runs in a row, a run in Japanese mode, and runs
// whose INI names no language it knows.
#include "core/services/StringFile.h"
#include "platform/win/platform_ids.h"
#include "tests/app/AppFolders.h"
#include "tests/app/ScreenInk.h"

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
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
// ("NAME=value") and without the splash; ended when the object goes.
class CRunningProgram
{
public:
    CRunningProgram(const std::string& folder, const std::vector<std::string>& environment = {})
    {
        const std::string program = folder + "\\Gravik.exe";
        if (!fs::exists(program))
            fs::copy_file(kStagedProgram, program);
        std::string commandLine = "\"" + program + "\" /Automation";
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
    DWORD ProcessId() const { return m_process.dwProcessId; }
    // The exit code once the program ended within the time, else -1.
    long WaitForExit(DWORD timeoutMs) const
    {
        if (::WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD exitCode = 1;
        ::GetExitCodeProcess(m_process.hProcess, &exitCode);
        return static_cast<long>(exitCode);
    }
    HWND MainWindow() const { return m_main; }
    // Closes the main window as the close box does; the exit code, -1 when it did not end.
    long Close()
    {
        if (m_main != nullptr)
            ::PostMessageA(m_main, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_process.hProcess, 20000) != WAIT_OBJECT_0)
            return -1;
        DWORD exitCode = 1;
        ::GetExitCodeProcess(m_process.hProcess, &exitCode);
        return static_cast<long>(exitCode);
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

std::wstring Widen(const std::string& text, UINT codePage)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(codePage, 0, text.data(),
                                                          static_cast<int>(text.size()), &wide[0],
                                                          static_cast<int>(wide.size()))));
    return wide;
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM data)
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

// The static control of a message box that holds its text (the one without an icon).
HWND MessageTextControl(HWND box)
{
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
    {
        char className[16] = {};
        ::GetClassNameA(child, className, sizeof className);
        wchar_t text[8] = {};
        if (_stricmp(className, "Static") == 0 && ::GetWindowTextW(child, text, 8) > 0)
            return child;
    }
    return nullptr;
}

std::wstring WindowText(HWND hwnd)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(::GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

// The dark pixels of the text drawn black on white in the message font, as a message box's
// text control draws it in a rectangle of the size.
std::vector<bool> MessageInk(const std::wstring& text, int width, int height)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    const HFONT font = ::CreateFontIndirectW(&metrics.lfMessageFont);
    const HGDIOBJ oldFont = ::SelectObject(dc, font);
    RECT all = {0, 0, width, height};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &all,
                DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    std::vector<bool> ink = ReadDarkPixels(dc, 0, 0, width, height);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return ink;
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
    std::string log;
    for (const auto& entry : fs::directory_iterator(folders.Path("log")))
        log += folders.Read("log\\" + entry.path().filename().string());
    EXPECT_EQ(10u, Count(log, " ------ START ------- "));
    EXPECT_EQ(10u, Count(log, " ------ END ------- "));
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

// An INI without a language it knows stops the program with a message box that shows its text
// in English and in Japanese, readable on the screen; OK ends the program.
TEST(Program, AnUnknownLanguageStopsWithTheMessageInBothLanguages)
{
    if (!fs::exists(kStagedProgram))
        GTEST_SKIP() << kStagedProgram << " is not built";
    struct Case
    {
        const char* what;
        std::string ini;
        const char* key;
    };
    const Case cases[] = {
        {"empty", "", "LangSettingNotFound"},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "LangSettingNotFound"},
        {"unknown", "[Environment]\r\nLanguage=French\r\n", "LangSetting"},
    };
    const std::string shots = fs::absolute("build/win/menu-shots").string();
    fs::create_directories(shots);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CAppFolders folders(std::string("program_language_") + c.what, c.ini);
        std::string english;
        std::string japanese;
        LoadStringWithSuffix("standard.str", "Error", c.key, "_ENG", &english);
        LoadStringWithSuffix("standard.str", "Error", c.key, "_JPN", &japanese);
        const std::wstring expected = Widen(english, CP_ACP) + L"\n\n" + Widen(japanese, 932);
        ASSERT_FALSE(english.empty());

        CRunningProgram running(folders.Path("bin"));
        ASSERT_TRUE(running.Started());
        FindWindowOf search = {running.ProcessId(), nullptr};
        for (int i = 0; i < 100 && search.found == nullptr; ++i)
        {
            ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
            if (search.found == nullptr)
                ::Sleep(100);
        }
        ASSERT_NE(nullptr, search.found) << "no message box";
        const HWND text = MessageTextControl(search.found);
        ASSERT_NE(nullptr, text);
        EXPECT_TRUE(WindowText(text) == expected) << "the box's text is not the two texts";

        // On the screen: the text control shows what the message font draws of the two texts.
        ::SetForegroundWindow(search.found);
        ::RedrawWindow(search.found, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::Sleep(300);
        RECT rect = {};
        ::GetClientRect(text, &rect);
        POINT origin = {0, 0};
        ::ClientToScreen(text, &origin);
        const HDC screen = ::GetDC(nullptr);
        const std::vector<bool> shown =
            ReadDarkPixels(screen, origin.x, origin.y, rect.right, rect.bottom,
                           shots + "\\language-" + c.what + ".bmp");
        ::ReleaseDC(nullptr, screen);
        const std::vector<bool> drawn = MessageInk(expected, rect.right, rect.bottom);
        int both = 0;
        int either = 0;
        for (size_t i = 0; i < shown.size() && i < drawn.size(); ++i)
        {
            both += shown[i] && drawn[i];
            either += shown[i] || drawn[i];
        }
        ASSERT_GT(either, 0);
        EXPECT_GT(static_cast<double>(both) / either, 0.9) << "the screen shows another text";

        ::PostMessageA(search.found, WM_COMMAND, IDOK, 0);
        EXPECT_NE(-1, running.WaitForExit(20000)) << "the program did not end";
    }
}
