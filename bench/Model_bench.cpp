// Finishing a large shell model: face building with node links, then the outer surface and
// feature edges the renderer asks for. 1001 x 1001 nodes carry 1000 x 1000 quad shells.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ViewServices.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

namespace
{
constexpr int kSide = 1000; // quads per side

class ShowAllView : public CVisibilityView, public CActiveViewSource
{
public:
    int IsEntityVisible(const CFEElement* element) const override { return element ? 1 : 0; }
    bool HasVisibleElement(const CFENode*) const override { return true; }
    CVisibilityView* GetActiveVisibilityView() override { return this; }
};

int NodeId(int i, int j)
{
    return j * (kSide + 1) + i + 1;
}

// A gently curved plate, so that some edges are feature edges and most are smooth.
std::unique_ptr<CModelSet> BuildPlate()
{
    auto model = std::make_unique<CModelSet>();
    for (int j = 0; j <= kSide; ++j)
    {
        for (int i = 0; i <= kSide; ++i)
        {
            const double z = (i % 100 == 0) ? 0.5 : 0.0;
            model->AddNode(new CFENode(NodeId(i, j), CPoint3D(i, j, z)));
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
    return model;
}

double PeakBytes()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0; // kilobytes on Linux
}

void BM_FinishShellModel(benchmark::State& state)
{
    ShowAllView view;
    SetActiveViewSource(&view);
    std::unique_ptr<CModelSet> model = BuildPlate();
    const int elements = model->GetElementCount();
    for (auto _ : state)
    {
        model->BuildElementFaces();
        CEdgeMap edges;
        CGroupSet::ExtractOuterFaces(edges, elements, model->GetDefaultGroup()->GetShells());
        benchmark::DoNotOptimize(edges.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * elements);
    state.counters["peak_bytes_per_element"] = PeakBytes() / elements;
    SetActiveViewSource(nullptr);
}
BENCHMARK(BM_FinishShellModel)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExtractOuterFaces(benchmark::State& state)
{
    ShowAllView view;
    SetActiveViewSource(&view);
    std::unique_ptr<CModelSet> model = BuildPlate();
    model->BuildElementFaces();
    const int elements = model->GetElementCount();
    for (auto _ : state)
    {
        CEdgeMap edges;
        CGroupSet::ExtractOuterFaces(edges, elements, model->GetDefaultGroup()->GetShells());
        benchmark::DoNotOptimize(edges.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * elements);
    SetActiveViewSource(nullptr);
}
BENCHMARK(BM_ExtractOuterFaces)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

BENCHMARK_MAIN();
