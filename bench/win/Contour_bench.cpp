// Contour of a nodal result on a flat model of 1000 x 1000 quads with 12 bands: the time to
// compile the contour display list and to draw one frame of it, and the memory they take.
// Run from the repository root: wine build/win/Contour_bench.exe [bands|smooth]
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "platform/win/wnd.h"
#include "render/ContourObject.h"
#include "render/GLDevice.h"
#include "render/ResultDisplayAttr.h"
#include "render/ViewVolume.h"

#include <windows.h>

#include <GL/gl.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <psapi.h>

namespace
{
constexpr int kSide = 1000;
constexpr int kBands = 12;
constexpr UINT kList = 0x14405;

int NodeId(int i, int j)
{
    return j * (kSide + 1) + i + 1;
}

// The view's part in the real build: displayed positions and values by node id.
class NodeSource : public CEntitySet
{
public:
    NodeSource(const CModelSet& model, const CResultData& result)
        : m_model(model)
        , m_result(result)
    {
    }
    CPoint3D GetNodePoint(int id) const override { return m_model.GetNodePoint(id); }
    double GetResultValue(int nodeId, int) const override
    {
        double value = 0.0;
        return m_result.GetNodeValue(nodeId, &value) ? value : 0.0;
    }

private:
    const CModelSet& m_model;
    const CResultData& m_result;
};

std::unique_ptr<CModelSet> BuildPlate(CResultData& result)
{
    auto model = std::make_unique<CModelSet>();
    for (int j = 0; j <= kSide; ++j)
    {
        for (int i = 0; i <= kSide; ++i)
        {
            model->AddNode(new CFENode(NodeId(i, j), CPoint3D(i, j, 0.0)));
            // A smooth hill, so that every band crosses many quads.
            const double x = (i - kSide / 2) / 200.0;
            const double y = (j - kSide / 2) / 300.0;
            result.SetNodeValue(NodeId(i, j), 100.0 / (1.0 + x * x + y * y));
        }
    }
    int elementId = 1;
    for (int j = 0; j < kSide; ++j)
    {
        for (int i = 0; i < kSide; ++i)
        {
            CFEElement* quad = new CFEElement(1);
            quad->type = kTagShell;
            quad->m_id = elementId++;
            quad->m_feDescriptorId = 94;
            quad->m_nodeCount = 4;
            quad->m_ids.Add(NodeId(i, j));
            quad->m_ids.Add(NodeId(i + 1, j));
            quad->m_ids.Add(NodeId(i + 1, j + 1));
            quad->m_ids.Add(NodeId(i, j + 1));
            model->AddElement(quad);
        }
    }
    model->BuildElementFaces();
    for (POSITION pos = model->GetElements().GetStartPosition(); pos;)
    {
        UINT id = 0;
        CFEElement* element = nullptr;
        model->GetElements().GetNextAssoc(pos, id, element);
        element->m_outerFace[0] = 1;
    }
    return model;
}

double MegaBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

int main(int argc, char** argv)
{
    const bool isSmooth = argc > 1 && std::strcmp(argv[1], "smooth") == 0;
    CWnd window;
    const char* className = fw::RegisterWndClass(CS_OWNDC);
    if (!window.CreateEx(0, className, "contour bench", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 800, 600,
                         nullptr, nullptr))
        return 1;
    CGLDevice device;
    if (!device.CreateRenderingContext(&window, CColorRGBA(1, 1, 1, 0)))
    {
        std::printf("no OpenGL context\n");
        return 1;
    }
    CResultData result;
    const std::unique_ptr<CModelSet> model = BuildPlate(result);
    NodeSource source(*model, result);
    CResultDisplayAttr attr;
    attr.SetRange(0.0, 100.0, 0.0, 100.0, kBands);
    attr.m_nBandType = isSmooth ? 2 : 0;

    const double before = MegaBytes();
    auto start = std::chrono::steady_clock::now();
    {
        CContourObject object(&attr, &source, 4);
        device.DeleteList(kList);
        device.BeginList(kList);
        device.SetRenderMode(kRenderFill);
        for (POSITION pos = model->GetElements().GetStartPosition(); pos;)
        {
            UINT id = 0;
            CFEElement* element = nullptr;
            model->GetElements().GetNextAssoc(pos, id, element);
            object.DrawEntity(element, &device);
        }
        device.EndList();
    }
    glFinish();
    const double listSeconds = Seconds(start);
    const double after = MegaBytes();

    CViewVolume volume;
    volume.SetVolume(CPoint3D(-10, -10, -10), CPoint3D(kSide + 10, kSide + 10, 10));
    volume.SetViewport(CPoint3D(0, 0, 0), CPoint3D(800, 600, 0));
    double frameSeconds = 0.0;
    for (int frame = 0; frame < 3; ++frame)
    {
        start = std::chrono::steady_clock::now();
        device.ClearBuffers();
        device.BeginScene(&volume);
        device.CallList(kList);
        device.EndScene();
        glFinish();
        frameSeconds = Seconds(start); // the last of three: caches warm
    }
    std::printf("contour %s, %d quads, %d bands: lists %.2f s, frame %.3f s, lists take %.0f MB\n",
                isSmooth ? "smooth" : "bands", kSide * kSide, kBands, listSeconds, frameSeconds,
                after - before);
    device.DeleteRenderingContext();
    window.DestroyWindow();
    return 0;
}
