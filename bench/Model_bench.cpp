// Finishing a large shell model: face building with node links, then the outer surface and
// feature edges the renderer asks for; averaging element results to the nodes; closing the
// model. 1001 x 1001 nodes carry 1000 x 1000 quad shells. And result value tables filled in
// orders that once made them quadratic.
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/OuterFaces.h"
#include "core/model/ViewServices.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <vector>

namespace
{
constexpr int kSide = 1000; // quads per side

class ShowAllView : public CVisibilityView
{
public:
    int IsEntityVisible(const CFEElement* element) const override { return element ? 1 : 0; }
    bool HasVisibleElement(const CFENode*) const override { return true; }
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
    std::unique_ptr<CModelSet> model = BuildPlate();
    const int elements = model->GetElementCount();
    for (auto _ : state)
    {
        model->BuildElementFaces();
        CEdgeMap edges;
        CGroupSet::ExtractOuterFaces(edges, elements, model->GetDefaultGroup()->GetShells(), &view);
        benchmark::DoNotOptimize(edges.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * elements);
    state.counters["peak_bytes_per_element"] = PeakBytes() / elements;
}
BENCHMARK(BM_FinishShellModel)->Unit(benchmark::kMillisecond)->Iterations(3);

// Threads: 0 lets the model's size choose (as the program does), 1 keeps the work on the
// caller's thread, as for a small model.
void BM_ExtractOuterFaces(benchmark::State& state)
{
    ShowAllView view;
    std::unique_ptr<CModelSet> model = BuildPlate();
    model->BuildElementFaces();
    const int elements = model->GetElementCount();
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        CEdgeMap edges;
        ExtractOuterFacesOnThreads(edges, model->GetDefaultGroup()->GetShells(), view, threads);
        benchmark::DoNotOptimize(edges.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * elements);
}
BENCHMARK(BM_ExtractOuterFaces)
    ->ArgName("threads")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Closing the project: the model with its faces and node links is freed.
void BM_FreeModel(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        std::unique_ptr<CModelSet> model = BuildPlate();
        model->BuildElementFaces();
        state.ResumeTiming();
        model.reset();
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_FreeModel)->Unit(benchmark::kMillisecond)->Iterations(3);

// Element results averaged to the nodes: 12 scalar and 2 vector results, as the plate stresses
// of one subcase give them.
std::unique_ptr<CModelSet> PlateWithElementResults(std::vector<const CResultData*>& results)
{
    constexpr int kScalars = 12;
    constexpr int kVectors = 2;
    std::unique_ptr<CModelSet> model = BuildPlate();
    model->BuildElementFaces();
    for (int r = 0; r < kScalars + kVectors; ++r)
    {
        auto result = std::make_unique<CResultData>();
        result->m_id = static_cast<UINT>(r + 1) << 23 | 1u << 3;
        result->m_loaded = CResultData::kLoaded;
        result->m_flags = r < kScalars ? 0 : CResultData::kFlagVector;
        for (int id = 1; id <= kSide * kSide; ++id)
        {
            result->SetElementValue(id, id * 0.5 + r);
            if (r >= kScalars)
                result->SetElementVector(id, CPoint3D(id, r, -id));
        }
        results.push_back(result.get());
        model->AddResult(result.release());
    }
    return model;
}

// What an import pays: the update that leaves the means to the first read.
void BM_UpdateLoadedResults(benchmark::State& state)
{
    std::vector<const CResultData*> results;
    std::unique_ptr<CModelSet> model = PlateWithElementResults(results);
    for (auto _ : state)
        model->UpdateLoadedResults();
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_UpdateLoadedResults)->Unit(benchmark::kMillisecond)->Iterations(3);

// The update and the first read of every result, which works out its means: the whole work the
// import did before.
void BM_AverageEveryResultOnFirstRead(benchmark::State& state)
{
    std::vector<const CResultData*> results;
    std::unique_ptr<CModelSet> model = PlateWithElementResults(results);
    for (auto _ : state)
    {
        state.PauseTiming();
        for (const CResultData* result : results) // as if never averaged
            const_cast<CResultData*>(result)->SetPendingNodeMeans(nullptr);
        state.ResumeTiming();
        model->UpdateLoadedResults();
        double value = 0.0;
        for (const CResultData* result : results)
            benchmark::DoNotOptimize(result->GetNodeValue(1, &value));
    }
    // Work: one value per element corner and result.
    state.SetItemsProcessed(state.iterations() * kSide * kSide * 4 *
                            static_cast<int64_t>(results.size()));
}
BENCHMARK(BM_AverageEveryResultOnFirstRead)->Unit(benchmark::kMillisecond)->Iterations(3);

// 400,000 element values in random order over twice as many ids, and the same number of far
// cells followed by values that keep the array just behind the ids.
std::vector<int> SparseIds(bool isCrossing)
{
    constexpr int kValues = 400000;
    std::vector<int> ids;
    if (!isCrossing)
    {
        for (int i = 0; i < kValues; ++i)
            ids.push_back(2 * i);
        std::shuffle(ids.begin(), ids.end(), std::mt19937(1));
        return ids;
    }
    for (int i = 0; i < kValues / 2; ++i)
        ids.push_back(50000000 + i);
    int made = kValues / 2;
    for (int i = 0; i < kValues / 4; ++i, made += 2)
    {
        const int frontier = static_cast<int>(CIdTable<double>::kDenseIds) + 2 * (made + 1);
        ids.push_back(frontier);
        ids.push_back(frontier + 1);
    }
    return ids;
}

void BM_ResultTableSparseIds(benchmark::State& state)
{
    const std::vector<int> ids = SparseIds(state.range(0) != 0);
    for (auto _ : state)
    {
        CResultData result;
        for (int id : ids)
            result.SetElementValue(id, 1.0);
        double value = 0.0;
        benchmark::DoNotOptimize(result.GetElementValue(ids.back(), &value));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(ids.size()));
}
// Argument 1: the far cells and the array frontier.
BENCHMARK(BM_ResultTableSparseIds)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
