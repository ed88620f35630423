// Contour of a nodal result on a flat model of 1000 x 1000 quads with 12 bands under Wine: the
// time to compile the contour lists through the renderer, one frame of the view (ridge lines
// and contour) and of the contour list alone, and the memory the lists take.
// Run from the repository root: wine build/win/Contour_bench.exe [bands|rough|smooth|lines] [side]
#include "PlateSceneView.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kBands = 12;
constexpr UINT kResultId = MakeLoadCaseKey(1, 0x800000u, 1);

// A flat plate with a smooth hill of values, so that every band crosses many quads; or, rough,
// the generated universal file's field 0.001 (n mod 97), which crosses about four bands a quad.
void BuildPlate(CModelSet& model, int side, bool isRough)
{
    win_bench::BuildQuadPlate(model, side, 1);
    auto* result = new CResultData();
    result->m_id = kResultId;
    result->m_loaded = CResultData::kLoaded;
    result->m_flags = CResultData::kFlagAtNodes;
    for (int j = 0; j <= side; ++j)
    {
        for (int i = 0; i <= side; ++i)
        {
            const double x = (i - side / 2.0) / (side / 5.0);
            const double y = (j - side / 2.0) / (side / 3.0);
            const int node = j * (side + 1) + i + 1;
            const double value =
                isRough ? 100.0 * (node % 97) / 96.0 : 100.0 / (1.0 + x * x + y * y);
            result->SetNodeValue(node, value);
            result->WidenRange(value);
        }
    }
    model.AddResult(result);
}
} // namespace

int main(int argc, char** argv)
{
    const char* kind = argc > 1 ? argv[1] : "bands";
    const int side = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;
    CWnd window;
    if (!window.CreateEx(0, fw::RegisterWndClass(CS_OWNDC), "contour",
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
    CModelSet model;
    BuildPlate(model, side, std::strcmp(kind, "rough") == 0);
    view.m_pModel = &model;
    view.m_pResult = model.GetResult(kResultId);
    view.m_renderer.SetGroup(model.GetDefaultGroup());
    view.Camera(CSceneView::kSceneViewport)
        .SetViewport(CPoint3D(0, 0, 0), CPoint3D(kWidth, kHeight, 0));
    view.m_renderer.AutoScale(&view);
    view.EditScene().SetDisplayMode(kRidgeLine);
    view.m_settings.m_displayFilter = kKindAll & ~kKindNode;
    CResultDisplayAttr& attr = view.EditScene().EditDisplayAttr();
    attr.SetRange(0.0, 100.0, 0.0, 100.0, kBands);
    attr.m_nBandType = std::strcmp(kind, "smooth") == 0 ? 2 : 0;
    if (std::strcmp(kind, "lines") == 0)
        attr.m_nContourType = CResultDisplayAttr::kLines;
    view.m_renderer.RenderAll(); // model lists, then the contour lists once

    view.m_renderer.SetContourResultId(static_cast<int>(kResultId));
    view.m_renderer.SetResultComponent(1);
    const double before = win_bench::WorkingSetMegabytes();
    const double start = win_bench::Now();
    view.m_renderer.CreateDisplayListForContourResult();
    glFinish();
    const double lists = win_bench::Now() - start;
    const double after = win_bench::WorkingSetMegabytes();
    std::printf("contour %s of %d quads, %d bands: lists %.2f s, %.0f MB\n", kind, side * side,
                kBands, lists, after - before);
    std::printf("  frame of the view %.3f s, of the contour list alone %.3f s\n",
                view.MedianFrame(),
                view.MedianFrame(view.m_renderer.ListName(CAESet::kShellContourList)));
    view.Device().DeleteRenderingContext();
    window.DestroyWindow();
    return 0;
}
