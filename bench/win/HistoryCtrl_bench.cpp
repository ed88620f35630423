// The message history under Wine: lines added one by one as a long read reports them, each
// logged and repainted at once, with the default limit of 100 lines and with 1000 (every
// paint draws every line). Run from the repository root:
//   wine build/win/HistoryCtrl_bench.exe [lines]
#include "WinBench.h"
#include "framework/OXHistoryCtrl.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Adds lines to a fresh history of the given limit; returns the lines per second.
double Run(int lines, int maxLines, const std::string& logPath)
{
    CWnd frame;
    frame.CreateEx(0, fw::RegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 300,
                   nullptr, nullptr);
    COXHistoryCtrl history;
    history.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 300), &frame, 1);
    LOGFONT logFont = {};
    logFont.lfHeight = -13;
    lstrcpynA(logFont.lfFaceName, "Tahoma", LF_FACESIZE);
    CFont font;
    font.CreateFontIndirect(&logFont);
    history.SetFont(&font, TRUE);
    history.SetTextIndent(4);
    history.SetMaxLines(maxLines);
    history.SetLogFileName(logPath.c_str());
    history.EnableLogFile(TRUE);
    Pump();
    char text[128];
    const double start = win_bench::Now();
    for (int i = 0; i < lines; ++i)
    {
        std::snprintf(text, sizeof text, "GRID %8d read from ..\\model\\part_%03d.dat", i, i % 997);
        history.AddLine(text);
    }
    const double seconds = win_bench::Now() - start;
    history.DestroyWindow();
    frame.DestroyWindow();
    DeleteFileA(logPath.c_str());
    return lines / seconds;
}
} // namespace

int main(int argc, char** argv)
{
    const int lines = argc > 1 ? std::atoi(argv[1]) : 5000;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string logPath = std::string(folder) + "HistoryCtrl_bench.log";
    for (const int maxLines : {100, 1000})
    {
        const double rate = Run(lines, maxLines, logPath);
        std::printf("%d lines, limit %4d: %8.0f lines/s (%.3f ms per line, logged and painted)\n",
                    lines, maxLines, rate, 1000.0 / rate);
    }
    return 0;
}
