// A display setting applied to three views of one model of 1,000,000 quads under Wine: what
// the views' refresh after a settings sheet's Apply or OK costs. The sheet gathers the
// requests of its pages into one refresh, which rebuilds each view's lists once (three
// rebuilds for three views, whatever number of pages changed; the app tests count it).
// Run from the repository root: wine build/win/SettingsApply_bench.exe [quads per side]
#include "PlateSceneView.h"
#include "core/model/ModelSet.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <GL/gl.h>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace
{
constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr int kViews = 3;
} // namespace

int main(int argc, char** argv)
{
    const int side = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    CModelSet model;
    double start = win_bench::Now();
    win_bench::BuildQuadPlate(model, side, 8);
    std::printf("model of %d quads made in %.2f s\n", side * side, win_bench::Now() - start);

    std::array<CWnd, kViews> windows;
    std::array<std::unique_ptr<win_bench::PlateSceneView>, kViews> views;
    for (int i = 0; i < kViews; ++i)
    {
        if (!windows[i].CreateEx(0, fw::RegisterWndClass(CS_OWNDC), "view",
                                 WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                 i * kWidth, 0, kWidth, kHeight, nullptr, nullptr))
            return 1;
        views[i] = std::make_unique<win_bench::PlateSceneView>();
        win_bench::PlateSceneView& view = *views[i];
        view.m_renderer.SetView(&view);
        if (!view.Device().CreateRenderingContext(&windows[i], CColorRGBA(0, 0, 0, 0)))
        {
            std::printf("no OpenGL context\n");
            return 1;
        }
        view.m_pModel = &model;
        view.m_renderer.SetGroup(model.GetDefaultGroup());
        view.Camera(CSceneView::kSceneViewport)
            .SetViewport(CPoint3D(0, 0, 0), CPoint3D(kWidth, kHeight, 0));
        view.m_renderer.AutoScale(&view);
        view.EditScene().SetDisplayMode(kShading);
        view.m_settings.m_displayFilter = kKindAll;
        view.m_renderer.RenderAll();
        glFinish();
    }

    // A new shell colour, as the display attribute page applies it: every view rebuilt once.
    int rebuilds = 0;
    start = win_bench::Now();
    for (auto& view : views)
    {
        view->m_settings.m_colors[CSceneSettings::kShell] = RGB(0, 128, 255);
        view->MakeCurrent();
        view->m_renderer.RenderAll();
        glFinish();
        ++rebuilds;
    }
    const double refresh = win_bench::Now() - start;
    std::printf("display change applied to %d views: %d list rebuilds, %.2f s (%.2f s a view)\n",
                kViews, rebuilds, refresh, refresh / kViews);
    for (int i = 0; i < kViews; ++i)
    {
        views[i]->Device().DeleteRenderingContext();
        windows[i].DestroyWindow();
    }
    return 0;
}
