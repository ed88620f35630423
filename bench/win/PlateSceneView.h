// The view the renderer benchmarks draw through: stored coordinates of the whole model, the
// nodal values of one result when there is one, and frames timed to the end of drawing.
#pragma once

#include "WinBench.h"
#include "core/model/ResultData.h"
#include "render/AESet.h"
#include "render/SceneView.h"

#include <windows.h>

#include <GL/gl.h>
#include <algorithm>
#include <psapi.h>
#include <vector>

namespace win_bench
{
inline double WorkingSetMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

class PlateSceneView : public CSceneView
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
    bool IsDragging() const override { return m_isDragging; }
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
        return m_pResult && m_pResult->GetNodeValue(nodeId, &value) ? value : 0.0;
    }

    // One frame of the whole scene, or of one display list alone when list is not 0.
    double DrawFrame(GLuint list = 0)
    {
        const double start = Now();
        MakeCurrent();
        Device().ClearBuffers();
        Device().BeginScene(&Camera(kSceneViewport));
        if (list != 0)
            Device().CallList(list);
        else
            m_renderer.DrawScene();
        Device().EndScene();
        glFinish();
        return Now() - start;
    }

    // The median of five frames, after one to warm up; the processor and kernel seconds of a
    // frame (means over the five) are kept in m_frameProcessor and m_frameKernel.
    double MedianFrame(GLuint list = 0)
    {
        DrawFrame(list);
        std::vector<double> times;
        double kernelBefore = 0.0;
        const double processorBefore = ProcessorSeconds(&kernelBefore);
        for (int i = 0; i < 5; ++i)
            times.push_back(DrawFrame(list));
        double kernelAfter = 0.0;
        m_frameProcessor = (ProcessorSeconds(&kernelAfter) - processorBefore) / 5.0;
        m_frameKernel = (kernelAfter - kernelBefore) / 5.0;
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

    CAESet m_renderer;
    CModelSet* m_pModel = nullptr;
    const CResultData* m_pResult = nullptr;
    CSceneSettings m_settings;
    bool m_isDragging = false;
    double m_frameProcessor = 0.0;
    double m_frameKernel = 0.0;
};
} // namespace win_bench
