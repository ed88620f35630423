// The program itself, started as a user would: Gravik.exe in a scratch copy of its runtime
// layout, closed through its main window; ten runs in a row, a run in Japanese mode, a run whose
// INI holds values far out of range, and runs whose INI names no language it knows.
#include "core/services/StringFile.h"
#include "platform/test/pump.h"
#include "platform/win/platform_ids.h"
#include "resources/ids/view_ids.h"
#include "tests/app/AppFolders.h"
#include "tests/app/ScreenInk.h"
#include "tests/app/WideText.h"

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

// The first visible top-level window of the process for which matches(window) holds.
template <typename Match>
HWND VisibleWindowOf(DWORD processId, Match matches)
{
    struct Search
    {
        DWORD processId;
        Match* matches;
        HWND found;
    } search = {processId, &matches, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL
        {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s->processId || !::IsWindowVisible(hwnd) || !(*s->matches)(hwnd))
                return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TitleOf(HWND hwnd)
{
    char title[64] = {};
    ::GetWindowTextA(hwnd, title, sizeof title);
    return title;
}

HWND MainWindowOf(DWORD processId)
{
    return VisibleWindowOf(processId,
                           [](HWND hwnd) { return TitleOf(hwnd).compare(0, 6, "Gravik") == 0; });
}

HWND MessageBoxOf(DWORD processId)
{
    return VisibleWindowOf(processId,
                           [](HWND hwnd)
                           {
                               char className[16] = {};
                               ::GetClassNameA(hwnd, className, sizeof className);
                               return std::strcmp(className, "#32770") == 0;
                           });
}

// Gravik.exe copied into folder, started there with the extra environment lines
// ("NAME=value"), on the model file when one is given (opened last on its command line),
// without the splash unless asked; ended when the object goes.
class CRunningProgram
{
public:
    CRunningProgram(const std::string& folder, const std::vector<std::string>& environment = {},
                    const std::string& file = "", bool withSplash = false)
    {
        const std::string program = folder + "\\Gravik.exe";
        if (!fs::exists(program))
            fs::copy_file(kStagedProgram, program);
        std::string commandLine = "\"" + program + "\"" + (withSplash ? "" : " /Automation");
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
        return WaitForExit(20000);
    }

    // Closes the main window and answers No when the program asks whether to save the project.
    long CloseWithoutSaving()
    {
        if (m_main != nullptr)
            ::PostMessageA(m_main, WM_CLOSE, 0, 0);
        const DWORD start = ::GetTickCount();
        while (::WaitForSingleObject(m_process.hProcess, 100) != WAIT_OBJECT_0 &&
               ::GetTickCount() - start < 20000)
        {
            const HWND box = MessageBoxOf(m_process.dwProcessId);
            if (box != nullptr)
                ::PostMessageA(box, WM_COMMAND, IDNO, 0);
        }
        return Close();
    }

private:
    HWND WaitForMainWindow(DWORD timeoutMs) const
    {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < timeoutMs)
        {
            const HWND main = MainWindowOf(m_process.dwProcessId);
            if (main != nullptr)
                return main;
            if (::WaitForSingleObject(m_process.hProcess, 100) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }

    bool m_started = false;
    PROCESS_INFORMATION m_process = {};
    HWND m_main = nullptr;
};

struct LargestWindow
{
    HWND found;
    LONG area;
};

BOOL CALLBACK FindLargestVisible(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<LargestWindow*>(data);
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    const LONG area = (rect.right - rect.left) * (rect.bottom - rect.top);
    if (::IsWindowVisible(hwnd) && area > search->area)
        *search = {hwnd, area};
    return TRUE;
}

// The screen rectangle of the view: the largest window inside the active child frame.
RECT ViewOnScreen(HWND main)
{
    RECT rect = {};
    const HWND client = ::FindWindowExA(main, nullptr, "MDIClient", nullptr);
    const HWND frame = client != nullptr ? ::GetWindow(client, GW_CHILD) : nullptr;
    if (frame == nullptr)
        return rect;
    LargestWindow search = {nullptr, 0};
    ::EnumChildWindows(frame, FindLargestVisible, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr)
        ::GetWindowRect(search.found, &rect);
    return rect;
}

// Coloured pixels of the view on the screen, every 4th of each row and column, once they make
// more than a tenth of those sampled or after timeoutMs. Black (the background) and the grey of
// a view never painted do not count; the model's colours do.
double WaitForColouredView(HWND main, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    double share = 0.0;
    do
    {
        ::Sleep(200);
        const RECT view = ViewOnScreen(main);
        int sampled = 0;
        int coloured = 0;
        const HDC screen = ::GetDC(nullptr);
        for (int y = view.top; y < view.bottom; y += 4)
        {
            for (int x = view.left; x < view.right; x += 4)
            {
                const COLORREF c = ::GetPixel(screen, x, y);
                const int high = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
                const int low = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
                coloured += high - low > 60 ? 1 : 0;
                ++sampled;
            }
        }
        ::ReleaseDC(nullptr, screen);
        share = sampled > 0 ? double(coloured) / sampled : 0.0;
    } while (share <= 0.1 && ::GetTickCount() - start < timeoutMs);
    return share;
}

std::string ShippedIni()
{
    std::ifstream in("resources/ini/Gravik.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The INI text with the value of the key's first line replaced.
std::string WithValue(std::string ini, const std::string& key, const std::string& value)
{
    const size_t at = ini.find("\n" + key + "=");
    if (at == std::string::npos)
        return ini;
    const size_t begin = at + key.size() + 2;
    return ini.replace(begin, ini.find_first_of("\r\n", begin) - begin, value);
}

// A shaded plate of one 8-node shell: its faces are cut by the curve divisions.
const char kCurvedShellDeck[] = "BEGIN BULK\n"
                                "GRID           1              0.      0.      0.\n"
                                "GRID           2              2.      0.      0.\n"
                                "GRID           3              2.      2.      0.\n"
                                "GRID           4              0.      2.      0.\n"
                                "GRID           5              1.      0.      0.\n"
                                "GRID           6              2.      1.      0.\n"
                                "GRID           7              1.      2.      0.\n"
                                "GRID           8              0.      1.      0.\n"
                                "CQUAD8         1       1       1       2       3       4\n"
                                "               5       6       7       8\n"
                                "ENDDATA\n";

// The message box the process shows within the time, or null.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs)
    {
        const HWND box = MessageBoxOf(processId);
        if (box != nullptr)
            return box;
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

namespace
{
HWND ChooseEntityOf(DWORD processId)
{
    return VisibleWindowOf(processId, [](HWND hwnd) { return TitleOf(hwnd) == "Choose Entity"; });
}

// The 3-D view of the main window's first child frame, once it is there.
HWND WaitForView(HWND main, DWORD timeoutMs)
{
    const HWND client = ::FindWindowExA(main, nullptr, "MDIClient", nullptr);
    for (DWORD waited = 0; client != nullptr && waited < timeoutMs; waited += 100)
    {
        const HWND frame = ::GetWindow(client, GW_CHILD);
        const HWND view = frame != nullptr ? ::GetDlgItem(frame, AFX_IDW_PANE_FIRST) : nullptr;
        if (view != nullptr && ::IsWindowVisible(view))
            return view;
        ::Sleep(100);
    }
    return nullptr;
}

// Lets the test's own windows take their messages for a while.
void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms)
    {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        ::Sleep(10);
    }
}
} // namespace

// The first opening of a tool dialog in a fresh program: the selection decision of a click
// where several entities meet comes up in front of the main window, active.
TEST(Program, FirstChooseEntityComesUpInFrontActive)
{
    if (!fs::exists(kStagedProgram))
        GTEST_SKIP() << kStagedProgram << " is not built";
    const fs::path demo = fs::absolute("build/win/stage/demo/demo.unv");
    if (!fs::exists(demo))
        GTEST_SKIP() << demo.string() << " is not staged";
    // The shipped INI: the model shows as the user sees it.
    std::ifstream shipped("resources/ini/Gravik.ini", std::ios::binary);
    std::stringstream ini;
    ini << shipped.rdbuf();
    CAppFolders folders("program_choose", ini.str());
    // Started as the run command starts it, with the splash.
    CRunningProgram running(folders.Path("bin"), {}, demo.string(), true);
    ASSERT_TRUE(running.Started());
    const HWND main = running.MainWindow();
    ASSERT_NE(nullptr, main);
    const HWND view = WaitForView(main, 20000);
    ASSERT_NE(nullptr, view) << "the demo model opens in a view";
    // The view has drawn its result once it logs the end of showing it.
    const std::string shown = "[CCAEView::DisplayResultView], ------ END";
    for (int wait = 0; wait < 300 && ReadLogs(folders).find(shown) == std::string::npos; ++wait)
        ::Sleep(100);
    ::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20000, nullptr);
    ::PostMessageA(main, WM_COMMAND, ID_INFO_ENTITY, 0);
    ::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20000, nullptr);

    // The user comes from another window: the click on the view activates the program too.
    const HWND elsewhere =
        ::CreateWindowExA(0, "STATIC", "elsewhere", WS_POPUP | WS_VISIBLE | WS_BORDER, 1000, 900,
                          120, 60, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(elsewhere);
    PumpFor(300);
    // Clicks from the view's centre outwards until one lands where several entities meet (a
    // click on one entity only adds it to the picks).
    RECT client = {};
    ::GetClientRect(view, &client);
    POINT centre = {client.right / 2, client.bottom / 2};
    ::ClientToScreen(view, &centre);
    HWND dialog = nullptr;
    for (int ring = 0; ring <= 6 && dialog == nullptr; ++ring)
    {
        for (int step = 0; step < std::max(1, 8 * ring) && dialog == nullptr; ++step)
        {
            const double angle = 6.283185307 * step / std::max(1, 8 * ring);
            fw::test::ClickOnScreen({centre.x + static_cast<LONG>(5 * ring * std::cos(angle)),
                                     centre.y + static_cast<LONG>(5 * ring * std::sin(angle))});
            ::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr);
            for (int wait = 0; wait < 3 && dialog == nullptr; ++wait)
            {
                PumpFor(50);
                dialog = ChooseEntityOf(running.ProcessId());
            }
        }
    }
    ASSERT_NE(nullptr, dialog) << "no click met several entities";
    PumpFor(500); // what comes after the click has run
    EXPECT_EQ(dialog, ::GetForegroundWindow());
    RECT rect = {};
    ::GetWindowRect(dialog, &rect);
    const POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    EXPECT_EQ(dialog, ::GetAncestor(::WindowFromPoint(middle), GA_ROOT)) << "the dialog is covered";
    ::DestroyWindow(elsewhere);
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

// Far out of range, the curve divisions would cut the shell's face into 10^10 pieces and the
// shininess would leave the shaded view unpainted: both give the nearest ends of their ranges.
TEST(Program, AnIniOutOfRangeStillShowsTheModelAndCloses)
{
    if (!fs::exists(kStagedProgram))
        GTEST_SKIP() << kStagedProgram << " is not built";
    std::string ini = WithValue(ShippedIni(), "Language", "English");
    ini = WithValue(ini, "CurveDivisions", "100000");
    ini = WithValue(ini, "ShellObverseShininess", "100000");
    CAppFolders folders("program_out_of_range", ini);
    const std::string deck = folders.Path("curved_shell.dat");
    std::ofstream(deck, std::ios::binary) << kCurvedShellDeck;
    CRunningProgram running(folders.Path("bin"), {}, deck);
    ASSERT_TRUE(running.Started());
    ASSERT_NE(nullptr, running.MainWindow());
    // New views shade with ridge lines: the plate in its property colour.
    EXPECT_GT(WaitForColouredView(running.MainWindow(), 20000), 0.1);
    EXPECT_EQ(0, running.CloseWithoutSaving());
    std::string log;
    for (const auto& entry : fs::directory_iterator(folders.Path("log")))
        log += folders.Read("log\\" + entry.path().filename().string());
    for (const char* line :
         {"[ViewDefaultSetting] CurveDivisions=100000 is outside 1..16: 16 is used",
          "[Material] ShellObverseShininess=100000 is outside 0..100: 100 is used"})
        EXPECT_NE(std::string::npos, log.find(line)) << line;
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
        const HWND box = WaitForMessageBox(running.ProcessId(), 10000);
        ASSERT_NE(nullptr, box) << "no message box";
        const HWND text = MessageTextControl(box);
        ASSERT_NE(nullptr, text);
        EXPECT_TRUE(WindowText(text) == expected) << "the box's text is not the two texts";

        // On the screen: the text control shows what the message font draws of the two texts.
        ::SetForegroundWindow(box);
        ::RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
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

        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_NE(-1, running.WaitForExit(20000)) << "the program did not end";
    }
}

// A model in a folder whose name the code page cannot carry, started as the run command starts
// it: the program's ANSI command line holds '?' there, and the program says that the file
// cannot be opened, naming it as the wide command line gives it.
TEST(Program, AFileTheCodePageCannotCarryIsNamedInTheMessage)
{
    if (!fs::exists(kStagedProgram))
        GTEST_SKIP() << kStagedProgram << " is not built";
    CAppFolders folders("program_uncarried", ShippedIni());
    const fs::path folder =
        fs::path(folders.Path("data")) / L"\u7D50\u679C \u30D5\u30A9\u30EB\u30C0";
    const std::wstring model =
        (folder / L"\u30E2\u30C7\u30EB \u30D5\u30A1\u30A4\u30EB.unv").wstring();
    BOOL lost = FALSE;
    char narrow[MAX_PATH] = {};
    ::WideCharToMultiByte(CP_ACP, 0, model.c_str(), -1, narrow, sizeof narrow, nullptr, &lost);
    if (!lost)
        GTEST_SKIP() << "the code page carries the name";
    fs::create_directories(folder);
    fs::copy_file("resources/demo/demo.unv", model);
    const std::string program = folders.Path("bin") + "\\Gravik.exe";
    fs::copy_file(kStagedProgram, program, fs::copy_options::overwrite_existing);
    std::wstring commandLine =
        L"\"" + Widen(program, CP_ACP) + L"\" /Automation \"" + model + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 Widen(folders.Path("bin"), CP_ACP).c_str(), &startup, &process));
    const HWND box = WaitForMessageBox(process.dwProcessId, 20000);
    std::wstring shown;
    if (box != nullptr)
    {
        const HWND text = MessageTextControl(box);
        shown = text != nullptr ? WindowText(text) : L"";
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (int waited = 0; waited < 10000 && ::IsWindow(box); waited += 100)
            ::Sleep(100);
    }
    const HWND main = MainWindowOf(process.dwProcessId);
    if (main != nullptr)
        ::PostMessageA(main, WM_CLOSE, 0, 0);
    const bool ended = ::WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ASSERT_NE(nullptr, box) << "nothing was said";
    EXPECT_NE(std::wstring::npos, shown.find(model)) << "the box does not name the file";
    EXPECT_TRUE(ended) << "the program did not end";
}
