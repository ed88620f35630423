// Interactive selection on a flat model of 1,000,000 quads under Wine: Select All (shells, and
// shells with their nodes), the hand-over of the picks when the selection ends, a frame with
// everything highlighted, rectangle and polygon selection over the whole view and one hover
// pick. Run from the repository root: wine build/win/Selection_bench.exe [quads per side]
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "platform/win/dc.h"
#include "platform/win/wnd.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "view/CmdManager.h"
#include "view/ProjectOnlyMainFrame.h"
#include "view/ViewMainFrame.h"
#include "view/WendraView.h"

#include <windows.h>

#include <GL/gl.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;

double Now()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// What the view asks of the main frame: the project and a command manager; the rest is idle.
class BenchFrame : public CProjectOnlyMainFrame
{
public:
    BenchFrame()
        : m_manager(this)
    {
    }
    CCmdManager* GetCmdManager() override { return &m_manager; }
    CCAEView* GetFrameView(int) override { return m_view; }
    void RemoveFrame(int) override { m_view = nullptr; }

    CCmdManager m_manager;
    CCAEView* m_view = nullptr;
};

void BuildFlatModel(CModelSet& model, int side)
{
    for (int j = 0; j <= side; ++j)
    {
        for (int i = 0; i <= side; ++i)
            model.AddNode(new CFENode(j * (side + 1) + i + 1, CPoint3D(i, j, 0)));
    }
    for (int j = 0; j < side; ++j)
    {
        for (int i = 0; i < side; ++i)
        {
            CFEElement* quad = new CFEElement();
            quad->type = kTagShell;
            quad->m_id = j * side + i + 1;
            quad->m_feDescriptorId = 94;
            quad->m_propertyId = 1 + (i * 8) / side;
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
}

void OpenSelection(CCAEView& view, int kinds)
{
    CPickRequestRecord request;
    request.nAllowedKinds = kinds;
    request.nInitialFilter = kinds;
    view.ResetSelection(request);
}

// Select All through the view's command, then the hand-over as Decision makes it.
void BenchSelectAll(CCAEView& view, int kinds, const char* what)
{
    OpenSelection(view, kinds);
    const double start = Now();
    view.OnCmdMsg(ID_SELECT_ALL, CN_COMMAND, nullptr, nullptr);
    const double picked = Now();
    const INT_PTR count = view.Selection().Picked().GetCount();
    view.CommitSelection(CCAEView::kDecision);
    const double handedOver = Now();
    std::printf("Select All, %s: %lld picked in %.3f s; hand-over in pick order %.3f s\n", what,
                static_cast<long long>(count), picked - start, handedOver - picked);
}

double DrawFrame(CWendraView& view)
{
    const double start = Now();
    view.DrawAll(nullptr);
    glFinish();
    return Now() - start;
}
} // namespace

int main(int argc, char** argv)
{
    const int side = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    CWnd window;
    if (!window.CreateEx(0, fw::RegisterWndClass(CS_OWNDC), "selection",
                         WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight, nullptr,
                         nullptr))
        return 1;
    BenchFrame frame;
    frame.m_project.m_settings.m_displayFilter = kKindAll;
    BuildFlatModel(frame.m_project.m_model, side);
    auto* view = new CWendraView(); // deletes itself with its window
    view->SetMainFrame(&frame);
    frame.m_view = view;
    if (!view->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &window,
                      1) ||
        view->Device().GetRenderingContext() == nullptr)
    {
        std::printf("no view or no OpenGL context\n");
        return 1;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    CModelSet& model = frame.m_project.m_model;
    view->SetCurrentGroup(model.GetDefaultGroup());
    view->LoadElementFilter(&model);
    view->Renderer().AutoScale(view);
    view->Renderer().FitViewVolumeToAspect(0);
    view->Renderer().RenderAll();
    std::printf("model: %d quads, %d nodes\n", model.GetElementCount(), model.GetNodeCount());

    BenchSelectAll(*view, kKindShell, "shells");
    BenchSelectAll(*view, kKindShell | kKindNode, "shells and nodes");

    OpenSelection(*view, kKindShell);
    view->OnCmdMsg(ID_SELECT_ALL, CN_COMMAND, nullptr, nullptr);
    view->MakeCurrent();
    const double first = DrawFrame(*view);
    std::printf("frame with every shell highlighted: %.3f s, the first (listing them) %.3f s\n",
                DrawFrame(*view), first);
    view->ClearSelection();
    std::printf("frame with nothing picked: %.3f s\n", DrawFrame(*view));

    view->EditSelection().SetAllowedKinds(kKindShell | kKindNode);
    view->EditSelection().SetFilter(kKindShell | kKindNode);
    CEntityArray inside;
    double start = Now();
    view->Renderer().SelectInRectangle(0, 0, kWidth, kHeight, 1, inside);
    std::printf("rectangle over the view: %lld entities in %.3f s\n",
                static_cast<long long>(inside.GetSize()), Now() - start);
    inside.RemoveAll();
    const CPoint3D polygon[] = {CPoint3D(0, 0, 0), CPoint3D(kWidth, 0, 0),
                                CPoint3D(kWidth, kHeight, 0), CPoint3D(0, kHeight, 0)};
    start = Now();
    view->Renderer().SelectInPolygon(polygon, 4, inside);
    std::printf("polygon over the view: %lld entities in %.3f s\n",
                static_cast<long long>(inside.GetSize()), Now() - start);

    for (const int kinds : {kKindShell, kKindNode})
    {
        CDWordArray lists;
        start = Now();
        view->Renderer().GetPickLists(kinds, lists);
        const double compiled = Now() - start;
        start = Now();
        const CPickHitList hits =
            view->Device().Pick(kWidth / 2, kHeight / 2, lists, &view->Camera(0), 0.01);
        std::printf("pick over the %s: list compiled once after a rebuild in %.3f s, then one "
                    "pick (%lld hits) in %.3f s\n",
                    kinds == kKindShell ? "shells" : "nodes", compiled,
                    static_cast<long long>(hits.GetSize()), Now() - start);
    }
    view->DestroyWindow();
    window.DestroyWindow();
    return 0;
}
