// Contour of a nodal result on a flat model of 1000 x 1000 quads with 12 bands under Wine: the
// time to compile the contour lists through the renderer, one frame of the view (ridge lines
// and contour) and of the contour list alone, and the memory the lists take.
// Run from the repository root: wine build/win/Contour_bench.exe [bands|smooth|lines] [side]
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "platform/win/wnd.h"
#include "render/AESet.h"
#include "render/SceneView.h"

#include <windows.h>

#include <GL/gl.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <psapi.h>
#include <vector>

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kBands = 12;
constexpr UINT kResultId = MakeLoadCaseKey(1, 0x800000u, 1);

double Now()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double WorkingSetMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// A view as the renderer sees it: stored coordinates, the nodal values of the shown result.
class BenchView : public CSceneView
{
public:
    CModelSet* GetModel() const override { return m_pModel; }
    bool GetSceneSettings(CSceneSettings& settings) const override
    {
        settings = m_settings;
        return true;
    }
    int IsElementFilterActive() const override { return 0; }
    CPoint3D GetElementCenter(const CFEElement* element) const override
    {
        CPoint3D sum;
        for (int i = 0; i < element->m_ids.GetSize(); ++i)
            sum = sum + GetNodePoint(element->m_ids[i]);
        return sum * (1.0 / std::max<INT_PTR>(1, element->m_ids.GetSize()));
    }
    bool IsDragging() const override { return false; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    int IsEntityVisible(const CFEElement* element) const override { return element ? 1 : 0; }
    bool HasVisibleElement(const CFENode*) const override { return true; }
    CFENode* GetNode(int id) const override { return m_pModel->GetNode(id); }
    CPoint3D GetNodePoint(int id) const override
    {
        return m_pModel->GetDefaultGroup()->GetNodePoint(id);
    }
    double GetResultValue(int nodeId, int) const override
    {
        double value = 0.0;
        return m_pResult->GetNodeValue(nodeId, &value) ? value : 0.0;
    }

    CAESet m_renderer;
    CModelSet* m_pModel = nullptr;
    const CResultData* m_pResult = nullptr;
    CSceneSettings m_settings;
};

// A flat plate with a smooth hill of values, so that every band crosses many quads.
void BuildPlate(CModelSet& model, int side)
{
    auto* result = new CResultData();
    result->m_id = kResultId;
    result->m_loaded = CResultData::kLoaded;
    result->m_flags = CResultData::kFlagAtNodes;
    for (int j = 0; j <= side; ++j)
    {
        for (int i = 0; i <= side; ++i)
        {
            const int id = j * (side + 1) + i + 1;
            model.AddNode(new CFENode(id, CPoint3D(i, j, 0)));
            const double x = (i - side / 2.0) / (side / 5.0);
            const double y = (j - side / 2.0) / (side / 3.0);
            const double value = 100.0 / (1.0 + x * x + y * y);
            result->SetNodeValue(id, value);
            result->WidenRange(value);
        }
    }
    for (int j = 0; j < side; ++j)
    {
        for (int i = 0; i < side; ++i)
        {
            CFEElement* quad = new CFEElement();
            quad->type = kTagShell;
            quad->m_id = j * side + i + 1;
            quad->m_feDescriptorId = 94;
            const int n1 = j * (side + 1) + i + 1;
            quad->m_ids.Add(n1);
            quad->m_ids.Add(n1 + 1);
            quad->m_ids.Add(n1 + side + 2);
            quad->m_ids.Add(n1 + side + 1);
            quad->m_nodeCount = 4;
            model.AddElement(quad);
        }
    }
    model.BuildElementFaces();
    model.AddResult(result);
}

double DrawFrame(BenchView& view, bool contourOnly)
{
    const double start = Now();
    view.MakeCurrent();
    view.m_Device.ClearBuffers();
    view.m_Device.BeginScene(&view.m_ViewVolume[CSceneView::kSceneViewport]);
    if (contourOnly)
        view.m_Device.CallList(view.m_renderer.ListName(CAESet::kShellContourList));
    else
        view.m_renderer.DrawScene();
    view.m_Device.EndScene();
    glFinish();
    return Now() - start;
}

// The median of five frames, after one to warm up.
double MedianFrame(BenchView& view, bool contourOnly)
{
    DrawFrame(view, contourOnly);
    std::vector<double> times;
    for (int i = 0; i < 5; ++i)
        times.push_back(DrawFrame(view, contourOnly));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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
    BenchView view;
    view.m_renderer.m_pView = &view;
    if (!view.m_Device.CreateRenderingContext(&window, CColorRGBA(0, 0, 0, 0)))
    {
        std::printf("no OpenGL context\n");
        return 1;
    }
    CModelSet model;
    BuildPlate(model, side);
    view.m_pModel = &model;
    view.m_pResult = model.GetResult(kResultId);
    view.m_renderer.m_pGroup = model.GetDefaultGroup();
    view.m_ViewVolume[CSceneView::kSceneViewport].SetViewport(CPoint3D(0, 0, 0),
                                                              CPoint3D(kWidth, kHeight, 0));
    view.m_renderer.AutoScale(&view);
    view.m_nDisplayMode = kRidgeLine;
    view.m_settings.m_displayFilter = kKindAll & ~kKindNode;
    CResultDisplayAttr& attr = view.m_DisplayAttr;
    attr.SetRange(0.0, 100.0, 0.0, 100.0, kBands);
    attr.m_nBandType = std::strcmp(kind, "smooth") == 0 ? 2 : 0;
    if (std::strcmp(kind, "lines") == 0)
        attr.m_nContourType = CResultDisplayAttr::kLines;
    view.m_renderer.RenderAll(); // model lists, then the contour lists once

    view.m_renderer.m_nContourResultId = static_cast<int>(kResultId);
    view.m_renderer.m_nResultComponent = 1;
    const double before = WorkingSetMegabytes();
    const double start = Now();
    view.m_renderer.CreateDisplayListForContourResult();
    glFinish();
    const double lists = Now() - start;
    const double after = WorkingSetMegabytes();
    std::printf("contour %s of %d quads, %d bands: lists %.2f s, %.0f MB\n", kind, side * side,
                kBands, lists, after - before);
    std::printf("  frame of the view %.3f s, of the contour list alone %.3f s\n",
                MedianFrame(view, false), MedianFrame(view, true));
    view.m_Device.DeleteRenderingContext();
    window.DestroyWindow();
    return 0;
}
