// The graph window under Wine with 100,000 points in 20 series: the first layout and paint
// when it is shown, a resize (layout and paint) per frame, and a layout with every point
// marked. Run from the repository root: wine build/win/Graph_bench.exe [frames]
#include "WinBench.h"
#include "dialogs/graph/GraphFrame.h"
#include "platform/win/app.h"
#include "resources/resource.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
constexpr int kSeries = 20;
constexpr int kPointsPerSeries = 5000;

void Fill(CGraphView& view)
{
    for (int s = 0; s < kSeries; ++s)
    {
        std::vector<double> x(kPointsPerSeries);
        std::vector<double> y(kPointsPerSeries);
        for (int i = 0; i < kPointsPerSeries; ++i)
        {
            x[i] = i * 0.01;
            y[i] = (s + 1) * std::sin(i * 0.002 * (s + 1)) * 1e3;
        }
        CString name;
        name.Format("series %d", s + 1);
        view.AddSeries(x, y, name);
    }
    view.SetTitles("Bench", "Time", "Value");
}
} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 20;
    CWinApp app("GraphBench");
    auto* frame = new CGraphFrame; // deletes itself
    if (!frame->Create(nullptr, "Graph Control", WS_OVERLAPPEDWINDOW, CRect(10, 100, 1000, 700)))
    {
        std::printf("the graph frame could not be created\n");
        return 1;
    }
    app.m_pMainWnd = frame;
    Fill(*frame->GetPane().GetView());

    double start = win_bench::Now();
    frame->ShowGraph(); // first layout and paint
    ::GdiFlush();
    std::printf("%-52s %8.1f ms\n", "show: layout and paint, 100,000 points in 20 series",
                (win_bench::Now() - start) * 1e3);

    start = win_bench::Now();
    for (int i = 0; i < frames; ++i)
    {
        frame->MoveWindow(10, 100, 900 + (i % 2) * 200, 600 + (i % 2) * 150);
        frame->UpdateWindow();
        ::GdiFlush();
    }
    std::printf("%-52s %8.1f ms\n", "resize: layout and paint, per frame",
                (win_bench::Now() - start) * 1e3 / frames);

    {
        CGraphWnd& pane = frame->GetPane();
        RECT client = {};
        pane.GetClientRect(&client);
        HDC dc = ::GetDC(pane.m_hWnd);
        CGraphView& view = *pane.GetView();
        start = win_bench::Now();
        view.SetDrawRect(client, dc);
        view.Plot(CGraphCtrl::kLines, 0, 1);
        std::printf("%-52s %8.1f ms\n", "layout alone: surface, plot, legend",
                    (win_bench::Now() - start) * 1e3);
        start = win_bench::Now();
        view.Paint(dc, client);
        ::GdiFlush();
        std::printf("%-52s %8.1f ms\n", "paint alone: one copy", (win_bench::Now() - start) * 1e3);
        ::ReleaseDC(pane.m_hWnd, dc);
    }
    start = win_bench::Now();
    frame->SendMessage(WM_COMMAND, ID_GRAPH_POINT_DISPLAY);
    frame->UpdateWindow();
    ::GdiFlush();
    std::printf("%-52s %8.1f ms\n", "point display on: every point marked and labelled",
                (win_bench::Now() - start) * 1e3);
    frame->DestroyWindow();
    return 0;
}
