// Selection by id, the element filter and group creation on a flat model of 1,000,000 quads
// under Wine: "1-1000000" typed as element ids, once and 200 times; an element-filter Apply that
// hides half the quads against a rebuild of the view's lists; a group of every quad picked with
// Select All, from the end of the pick to the list filled and from Create to the group in the
// model. Run from the repository root: wine build/win/SelectionGroupTools_bench.exe [quads per
// side]
#include "WinBench.h"
#include "core/display/EntityKinds.h"
#include "dialogs/tools/DialogQueryTools.h"
#include "dialogs/tools/PidMidFilterDlg.h"
#include "dialogs/tools/SelectionByIdDlg.h"
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
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <psapi.h>
#include <string>

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kFrameKey = 1;

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

HWND VisibleDialog()
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleDialog,
                        reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

void SendCode(BenchMainWnd& frame, int code)
{
    CCmdRecord record;
    record.nCode = code;
    record.bKeepRunning = 0;
    frame.m_manager.m_nFrameKey = kFrameKey;
    frame.m_manager.ExecuteCommand(&record);
}

void Click(HWND dialog, int id)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    fw::PumpMessages();
}

double PeakPrivateMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakPagefileUsage) / (1024.0 * 1024.0);
}

void BenchSelectionById(BenchMainWnd& frame, CCAEView& view, const std::string& text,
                        const char* label)
{
    SendCode(frame, CCmdRecord::kSelectedModelInfo); // a selection of every kind runs
    CSelectionByIdDlg dialog(kFrameKey);
    const double peakBefore = PeakPrivateMegabytes();
    const double start = win_bench::Now();
    dialog.SelectByIdList(text.c_str(), CSelectionByIdDlg::kElements);
    const double done = win_bench::Now();
    std::printf("Selection by id %s (%zu characters): %lld elements picked in %.3f s; peak "
                "private memory %.0f MB before, %.0f MB after\n",
                label, text.size(), static_cast<long long>(view.Selection().PickCount()),
                done - start, peakBefore, PeakPrivateMegabytes());
    SendCode(frame, CCmdRecord::kEndCommand);
    view.ClearSelection();
    fw::PumpMessages();
}

void BenchElementFilter(CCAEView& view)
{
    const double rebuildStart = win_bench::Now();
    view.Renderer().RenderAll();
    const double rebuilt = win_bench::Now();
    CPidMidFilterDlg* dialog = CPidMidFilterDlg::Open(kFrameKey);
    if (dialog == nullptr)
        return;
    ListView_SetCheckState(::GetDlgItem(dialog->GetSafeHwnd(), IDC_FILTER_LIST), 1, FALSE);
    const double start = win_bench::Now();
    ::SendMessageA(dialog->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    const double applied = win_bench::Now();
    int shown = 0;
    view.GetModel()->ForEachElement([&](CFEElement* element)
                                    { shown += view.IsEntityVisible(element) == 1 ? 1 : 0; });
    std::printf("Element filter Apply hiding property 2 (%d quads left shown): %.3f s; the "
                "view's list rebuild alone: %.3f s; Apply over the rebuild: %.3f s\n",
                shown, applied - start, rebuilt - rebuildStart,
                (applied - start) - (rebuilt - rebuildStart));
    Click(dialog->GetSafeHwnd(), IDCANCEL);
    view.ElementFilter().SetMode(CCAEView::kNoElementFilter);
    view.Renderer().RenderAll();
}

void BenchGroupCreate(BenchMainWnd& frame, CCAEView& view)
{
    SendCode(frame, CCmdRecord::kGroupCreate);
    HWND dialog = VisibleDialog();
    if (dialog == nullptr)
        return;
    Click(dialog, IDC_GROUP_SELECT);
    view.OnCmdMsg(ID_SELECT_ALL, CN_COMMAND, nullptr, nullptr);
    const INT_PTR picked = view.Selection().PickCount();
    const double start = win_bench::Now();
    view.CommitSelection(CCAEView::kDecision);
    const double listed = win_bench::Now();
    const int rows =
        static_cast<int>(::SendDlgItemMessageA(dialog, IDC_GROUP_ELEMENTS, LB_GETCOUNT, 0, 0));
    ::SetDlgItemTextA(dialog, IDC_GROUP_NAME, "All");
    const double createStart = win_bench::Now();
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GROUP_ACTION, BN_CLICKED), 0);
    const double created = win_bench::Now();
    const CGroupSet* group = view.GetModel()->FindGroupByName("All");
    std::printf("Group of %lld picked elements: pick handed over and listed (%d rows) %.3f s; "
                "Create to the group in the model (%lld shells) %.3f s; together %.3f s\n",
                static_cast<long long>(picked), rows, listed - start,
                static_cast<long long>(group ? group->GetShells().GetCount() : 0),
                created - createStart, (listed - start) + (created - createStart));
    SendCode(frame, CCmdRecord::kEndCommand);
    fw::PumpMessages();
}
} // namespace

int main(int argc, char** argv)
{
    const int side = argc > 1 ? std::max(2, std::atoi(argv[1])) : 1000;
    CWinApp app("SelectionGroupToolsBench");
    BenchMainWnd frame;
    if (!frame.CreateEx(0, fw::RegisterWndClass(CS_OWNDC), "tools",
                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight, nullptr,
                        nullptr))
        return 1;
    app.m_pMainWnd = &frame;
    CDialogQueryTools tools;
    InstallQueryTools(&tools);
    CModelSet& model = frame.m_project.m_model;
    win_bench::BuildQuadPlate(model, side, 2);
    model.AddPropertyColor(1);
    model.AddPropertyColor(2);
    model.UpdateBoundingBox(0, nullptr);
    frame.m_project.m_settings.m_displayFilter = kKindShell;
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

    const std::string range = "1-" + std::to_string(model.GetElementCount());
    BenchSelectionById(frame, *view, range, ("\"" + range + "\"").c_str());
    std::string repeated;
    for (int i = 0; i < 200; ++i)
        repeated += range + ", ";
    BenchSelectionById(frame, *view, repeated, ("\"" + range + ", \" written 200 times").c_str());
    BenchElementFilter(*view);
    BenchGroupCreate(frame, *view);

    InstallQueryTools(nullptr);
    app.m_pMainWnd = nullptr;
    frame.DestroyWindow();
    return 0;
}
