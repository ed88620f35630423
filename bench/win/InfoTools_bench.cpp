// Information tools on a flat model of 1,000,000 quads under Wine: Model Information of the
// whole model (counts, volume, extents), and Entity Information after Select All (the dialog
// opening on a million picks, and Next). Run from the repository root:
// wine build/win/InfoTools_bench.exe [quads per side]
#include "WinBench.h"
#include "dialogs/tools/DialogQueryTools.h"
#include "platform/win/app.h"
#include "platform/win/msgloop.h"
#include "platform/win/wnd.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "view/CmdManager.h"
#include "view/ProjectOnlyMainFrame.h"
#include "view/WendraView.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kFrameKey = 1;

// The main window the tools find: the project, a command manager and the one view.
class BenchMainWnd : public CWnd, public CProjectOnlyMainFrame
{
public:
    BenchMainWnd()
        : m_manager(this)
    {
    }
    CCmdManager* GetCmdManager() override { return &m_manager; }
    CCAEView* GetFrameView(int) override { return m_view; }
    void RemoveFrame(int) override { m_view = nullptr; }

    CCmdManager m_manager;
    CCAEView* m_view = nullptr;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM param)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof(name));
    if (::IsWindowVisible(window) && lstrcmpA(name, "#32770") == 0)
    {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

void SendCode(BenchMainWnd& frame, int code)
{
    CCmdRecord record;
    record.nCode = code;
    record.bKeepRunning = 0;
    frame.m_manager.m_nFrameKey = kFrameKey;
    frame.m_manager.ExecuteCommand(&record);
}

void BenchModelInfo(BenchMainWnd& frame, CDialogQueryTools& tools)
{
    auto dialog = tools.CreateToolDialog(CToolDialog::kModelInfo, kFrameKey);
    const double start = win_bench::Now();
    const bool isOpen = dialog->Open(CEntityArray());
    const double opened = win_bench::Now();
    std::printf("Model Information, whole model: window filled in %.3f s%s\n", opened - start,
                isOpen ? "" : " (did not open)");
    dialog.reset();
    fw::PumpMessages();
    (void)frame;
}

void BenchEntityInfo(BenchMainWnd& frame, CCAEView& view)
{
    // Shells only, so that Select All picks one entity per quad.
    frame.m_project.m_settings.m_displayFilter = kKindShell;
    SendCode(frame, CCmdRecord::kEntityInfo);
    view.OnCmdMsg(ID_SELECT_ALL, CN_COMMAND, nullptr, nullptr);
    const INT_PTR picked = view.Selection().PickCount();
    const double start = win_bench::Now();
    view.CommitSelection(CCAEView::kDecision);
    const double opened = win_bench::Now();
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleDialog,
                        reinterpret_cast<LPARAM>(&dialog));
    std::printf("Entity Information after Select All (%lld picks): Decision to the dialog shown "
                "%.3f s%s\n",
                static_cast<long long>(picked), opened - start, dialog ? "" : " (no dialog)");
    if (dialog == nullptr)
        return;
    constexpr int kSteps = 1000;
    const double stepStart = win_bench::Now();
    for (int i = 0; i < kSteps; ++i)
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TOOL_NEXT, BN_CLICKED), 0);
    const double stepped = win_bench::Now();
    std::printf("Next: %.3f ms a step (%d steps)\n", (stepped - stepStart) * 1e3 / kSteps, kSteps);
    SendCode(frame, CCmdRecord::kEndCommand);
    fw::PumpMessages();
}
} // namespace

int main(int argc, char** argv)
{
    const int side = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    CWinApp app("InfoToolsBench");
    BenchMainWnd frame;
    if (!frame.CreateEx(0, fw::RegisterWndClass(CS_OWNDC), "tools",
                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight, nullptr,
                        nullptr))
        return 1;
    app.m_pMainWnd = &frame;
    CDialogQueryTools tools;
    InstallQueryTools(&tools);
    CModelSet& model = frame.m_project.m_model;
    win_bench::BuildQuadPlate(model, side, 8);
    model.UpdateBoundingBox(0, nullptr);
    auto* view = new CWendraView(); // deletes itself with its window
    view->SetMainFrame(&frame);
    view->SetFrameKey(kFrameKey);
    frame.m_view = view;
    if (!view->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &frame,
                      1))
    {
        std::printf("no view\n");
        return 1;
    }
    view->SetCurrentGroup(model.GetDefaultGroup());
    view->LoadElementFilter(&model);
    std::printf("model: %d quads, %d nodes\n", model.GetElementCount(), model.GetNodeCount());

    BenchModelInfo(frame, tools);
    BenchEntityInfo(frame, *view);

    InstallQueryTools(nullptr);
    app.m_pMainWnd = nullptr;
    frame.DestroyWindow();
    return 0;
}
