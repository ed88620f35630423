// Model display lists of a flat model of 1,000,000 quads under Wine: the time to build all
// model lists, one shaded frame, one fast-drag frame (ridge lines) and the memory the lists
// take. Run from the repository root: wine build/win/ModelLists_bench.exe [quads per side]
// [ridge|shaded] [workers]; with ridge the lists are built in the ridge-line shaded mode a new
// view starts in, which draws no element edges, and the first shaded frame builds them; workers
// (3 unless given) compile the lists beside the view's thread, 0 compiles them all on it.
#include "PlateSceneView.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "platform/win/dc.h"
#include "platform/win/wnd.h"
#include "render/ListCompiler.h"

#include <windows.h>

#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <psapi.h>

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;

double PrivateMegabytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    std::printf("  (private %.0f MB, working set %.0f MB, pagefile %.0f MB)\n",
                counters.PrivateUsage / 1048576.0, counters.WorkingSetSize / 1048576.0,
                counters.PagefileUsage / 1048576.0);
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    const int side = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    CWnd window;
    if (!window.CreateEx(0, fw::RegisterWndClass(CS_OWNDC), "lists",
                         WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, kWidth,
                         kHeight, nullptr, nullptr))
        return 1;
    win_bench::PlateSceneView view;
    view.m_renderer.SetView(&view);
    if (!view.Device().CreateRenderingContext(&window, CColorRGBA(0, 0, 0, 0)))
    {
        std::printf("no OpenGL context\n");
        return 1;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    CModelSet model;
    double start = win_bench::Now();
    win_bench::BuildQuadPlate(model, side, 8); // eight property colours
    std::printf("model of %d quads made in %.2f s\n", side * side, win_bench::Now() - start);
    view.m_pModel = &model;
    view.m_renderer.SetGroup(model.GetDefaultGroup());
    view.Camera(CSceneView::kSceneViewport)
        .SetViewport(CPoint3D(0, 0, 0), CPoint3D(kWidth, kHeight, 0));
    view.m_renderer.AutoScale(&view);
    const bool isRidgeBuild = argc > 2 && std::strcmp(argv[2], "ridge") == 0;
    const int workers = argc > 3 ? std::max(0, std::atoi(argv[3]))
                                 : static_cast<int>(CListCompiler::kDefaultWorkers);
    CAESet::SetListCompileWorkers(static_cast<size_t>(workers));
    std::printf("lists compiled on %d worker threads%s\n", workers,
                workers == 0 ? " (all on the view's thread)" : "");
    view.EditScene().SetDisplayMode(isRidgeBuild ? kRidgeLineShading : kShading);
    view.m_settings.m_displayFilter = kKindAll;
    view.m_settings.m_rigidLineView = 1;
    for (int face = 0; face < 2; ++face)
    {
        view.m_settings.m_materials[CSceneSettings::kShellMaterial].m_diffusePercent[face] = 100;
        view.m_settings.m_materials[CSceneSettings::kShellMaterial].m_ambientPercent[face] = 100;
    }

    const double before = PrivateMegabytes();
    start = win_bench::Now();
    view.m_renderer.RenderAll();
    glFinish();
    const double firstBuild = win_bench::Now() - start;
    const double after = PrivateMegabytes();
    start = win_bench::Now();
    view.m_renderer.RenderAll();
    glFinish();
    const double rebuild = win_bench::Now() - start;
    std::printf("build all model lists%s: first %.2f s (with outer faces), again %.2f s\n",
                isRidgeBuild ? " in the ridge-line shaded mode" : "", firstBuild, rebuild);
    std::printf("memory of the lists: %.0f MB\n", after - before);

    if (isRidgeBuild)
    {
        // The element edges wait for the first frame of a mode that draws them.
        view.EditScene().SetDisplayMode(kShading);
        std::printf("first shaded frame, its element-edge lists built: %.2f s\n", view.DrawFrame());
    }
    const auto printFrame = [&view](const char* what)
    {
        const double seconds = view.MedianFrame();
        std::printf("%s: %.3f s (processor %.3f s, kernel %.3f s a frame)\n", what, seconds,
                    view.m_frameProcessor, view.m_frameKernel);
    };
    printFrame("shaded frame");
    view.EditScene().SetDisplayMode(kRidgeLineShading);
    printFrame("ridge-line shaded frame");
    view.EditScene().SetDisplayMode(kWireframe);
    std::printf("wireframe frame: %.3f s\n", view.MedianFrame());
    view.EditScene().SetDisplayMode(kShading);
    view.m_settings.m_displayFilter = kKindAll & ~kKindNode;
    printFrame("shaded frame without nodes");
    view.m_settings.m_displayFilter = kKindAll;
    view.m_isDragging = true;
    std::printf("fast-drag frame: %.3f s\n", view.MedianFrame());
    view.m_settings.m_displayFilter = kKindAll & ~kKindNode;
    std::printf("fast-drag frame without nodes: %.3f s\n", view.MedianFrame());
    view.Device().DeleteRenderingContext();
    window.DestroyWindow();
    return 0;
}
