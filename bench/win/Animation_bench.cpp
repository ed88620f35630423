// Deformation animation of a flat model of 1,000,000 quads under Wine: a 3-D view shows the
// contour of a mode shape and plays it; each tick of the animation timer (frame step, lists,
// paint) is timed and given as frames per second, with the paint of an unchanged frame beside it.
// Run from the repository root:
//   wine build/win/Animation_bench.exe [quads per side] [ticks] [flat]
#include "WinBench.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "platform/win/wnd.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "view/ProjectOnlyMainFrame.h"
#include "view/ViewMainFrame.h"
#include "view/WendraView.h"

#include <windows.h>

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr UINT kModeType = 0x1000000u; // eigenvectors

// A plate of side x side quads with the first mode of a plate simply supported on its edges:
// a sine hump of displacements along z, its magnitude as the nodes' values.
UINT BuildPlate(CModelSet& model, int side)
{
    win_bench::BuildQuadPlate(model, side, 1);
    model.AddLoadCaseValue(1, kModeType, 1.0);
    auto* mode = new CResultData();
    mode->m_id = MakeLoadCaseKey(1, kModeType, 1);
    mode->m_loaded = CResultData::kLoaded;
    mode->m_flags = CResultData::kFlagAtNodes | 16;
    const double pi = 3.14159265358979323846;
    for (int j = 0; j <= side; ++j)
    {
        for (int i = 0; i <= side; ++i)
        {
            const int id = j * (side + 1) + i + 1;
            const double z = std::sin(pi * i / side) * std::sin(pi * j / side);
            mode->SetNodeVector(id, CPoint3D(0, 0, z));
            mode->SetNodeValue(id, z);
            mode->WidenRange(z);
        }
    }
    model.AddResult(mode);
    model.SetDefaultDisplacementId(static_cast<int>(MakeResultKey(1, kModeType)));
    return mode->m_id;
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    const int side = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int ticks = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    const bool isFlat = argc > 3 && std::strcmp(argv[3], "flat") == 0;
    CWnd window;
    if (!window.CreateEx(0, fw::RegisterWndClass(0), "animation",
                         WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight, nullptr,
                         nullptr))
        return 1;
    CProjectOnlyMainFrame frame;
    CAESettings& settings = frame.m_project.m_settings;
    settings.m_displayFilter = kKindAll & ~kKindNode;
    CModelSet& model = frame.m_project.m_model;
    double start = win_bench::Now();
    const UINT modeId = BuildPlate(model, side);
    std::printf("model of %d quads made in %.2f s\n", side * side, win_bench::Now() - start);

    auto* view = new CWendraView; // deletes itself with its window
    view->SetMainFrame(&frame);
    if (!view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &window,
                      AFX_IDW_PANE_FIRST, nullptr) ||
        view->Device().GetRenderingContext() == nullptr)
    {
        std::printf("no OpenGL context\n");
        return 1;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    view->SendMessage(WM_INITIALUPDATE);
    view->SetCurrentGroup(model.GetDefaultGroup());
    view->LoadElementFilter(&model);
    view->EditScene().SetDisplayMode(kRidgeLine);
    view->Renderer().AutoScale(view);
    view->Renderer().SetResultComponent(1);
    // Smooth contours, as the program shows them by default; "flat" asks for flat bands, whose
    // lists are compiled anew for every frame.
    view->EditScene().EditDisplayAttr().m_nBandType = isFlat ? 0 : 2;
    start = win_bench::Now();
    view->DisplayResultView(static_cast<int>(modeId), 1, 2, FALSE);
    view->UpdateWindow();
    std::printf("first display of the mode: %.2f s\n", win_bench::Now() - start);

    view->Renderer().SetMaxLCSteps(10);
    view->Renderer().SetShowDeformation(CAESet::kRelativeToModel);
    view->SendMessage(WM_COMMAND, ID_ANIMATION_REPEAT);
    std::vector<double> tickTimes;
    for (int i = 0; i < ticks; ++i)
    {
        start = win_bench::Now();
        view->SendMessage(WM_TIMER, CCAEView::kAnimationTimer);
        view->UpdateWindow();
        glFinish();
        tickTimes.push_back(win_bench::Now() - start);
    }
    view->SendMessage(WM_COMMAND, ID_ANIMATION_STOP);
    std::vector<double> paintTimes;
    for (int i = 0; i < 5; ++i)
    {
        start = win_bench::Now();
        view->Invalidate(FALSE);
        view->UpdateWindow();
        glFinish();
        paintTimes.push_back(win_bench::Now() - start);
    }
    const double tick = Median(tickTimes);
    std::printf("first tick %.3f s; animation tick (frame, lists, paint): median %.3f s over %d "
                "ticks, %.1f frames per second\n",
                tickTimes.front(), tick, ticks, 1.0 / tick);
    std::printf("paint of an unchanged frame: %.3f s\n", Median(paintTimes));
    window.DestroyWindow();
    return 0;
}
