// Message dispatch and command routing under Wine: a message through the window procedure and
// message table, a command routed from the MDI main frame to the active view's handler, one
// update of an item that no target handles (the whole route, then "disable if no handler"),
// and one idle pass over a main frame with 200 such items.
// Run from the repository root: wine build/win/Dispatch_bench.exe [iterations]
#include "WinBench.h"
#include "platform/docview/doc.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/mdi.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/msgloop.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace
{
constexpr UINT kCommand = 0x7E03;
constexpr UINT kUnhandled = 0x7E04;
constexpr int kIdleItems = 200;

class BenchDoc : public CDocument
{
    FW_CREATABLE(BenchDoc, CDocument)
};

class BenchView : public CView
{
    FW_CREATABLE(BenchView, CView)

public:
    long commands = 0;
    void OnDraw(CDC*) override {}
    void OnCommand() { ++commands; }
    LRESULT OnPing(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) + 1; }
    FW_MESSAGE_TABLE()
};
FW_TABLE(BenchView, CView, fw::command<kCommand, &BenchView::OnCommand>(),
         fw::raw<WM_APP + 1, &BenchView::OnPing>())

class BenchChild : public CMDIChildWnd
{
    FW_CREATABLE(BenchChild, CMDIChildWnd)
};

// Updates kIdleItems unhandled items through its frame at every idle pass, as a toolbar does.
class BenchBar : public CWnd
{
public:
    LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        CFrameWnd* frame = GetParentFrame();
        for (int i = 0; i < kIdleItems; ++i)
        {
            CCmdUI state;
            state.m_nID = kUnhandled;
            state.DoUpdate(frame, TRUE);
        }
        return 0;
    }
    FW_MESSAGE_TABLE()
};
FW_TABLE(BenchBar, CWnd, fw::raw<WM_IDLEUPDATECMDUI, &BenchBar::OnIdleUpdate>())

void Report(const char* what, double seconds, long count)
{
    std::printf("%-44s %10.3f us\n", what, seconds * 1e6 / static_cast<double>(count));
}
} // namespace

int main(int argc, char** argv)
{
    const long iterations = argc > 1 ? std::atol(argv[1]) : 100000;
    CWinApp app("DispatchBench");
    auto* docTemplate = new CMultiDocTemplate(0, RUNTIME_CLASS(BenchDoc), RUNTIME_CLASS(BenchChild),
                                              RUNTIME_CLASS(BenchView));
    app.AddDocTemplate(docTemplate);
    auto* frame = new CMDIFrameWnd;
    frame->CreateEx(0, nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                    nullptr);
    app.m_pMainWnd = frame;
    BenchBar bar;
    bar.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, 0x7E50);
    docTemplate->OpenDocumentFile(nullptr);
    fw::PumpMessages();
    auto* view = dynamic_cast<BenchView*>(frame->MDIGetActive()->GetActiveView());

    double start = win_bench::Now();
    LRESULT sum = 0;
    for (long i = 0; i < iterations; ++i)
        sum += view->SendMessage(WM_APP + 1, 1);
    Report("message through table (SendMessage)", win_bench::Now() - start, iterations);

    start = win_bench::Now();
    for (long i = 0; i < iterations; ++i)
        frame->SendMessage(WM_COMMAND, kCommand, 0);
    Report("command main frame -> active view", win_bench::Now() - start, iterations);

    start = win_bench::Now();
    for (long i = 0; i < iterations; ++i)
    {
        CCmdUI state;
        state.m_nID = kUnhandled;
        state.DoUpdate(frame, TRUE);
    }
    Report("update of an unhandled item (whole route)", win_bench::Now() - start, iterations);

    const long passes = iterations / 100 > 0 ? iterations / 100 : 1;
    start = win_bench::Now();
    for (long i = 0; i < passes; ++i)
        app.OnIdle(0);
    Report("idle pass, 200 unhandled items", win_bench::Now() - start, passes);

    std::printf("(%ld commands, checksum %lld)\n", view->commands, static_cast<long long>(sum));
    app.CloseAllDocuments(TRUE);
    frame->DestroyWindow();
    return 0;
}
