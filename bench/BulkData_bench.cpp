// Importing generated decks of 1,000,000 GRID and 1,000,000 CQUAD4 cards, small-field and
// large-field: the read, the pending-node transform, face building and the marks; and the
// reading of the cards alone, without a model.
#include "core/geometry/FENode.h"
#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "io/bulk/BulkDataReader.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/resource.h>

namespace
{
constexpr int kSide = 1000; // nodes per side of the plate; as many quads as nodes

class CDiscardOutput : public COutputSink
{
public:
    void AddOutputLine(const std::string&) override {}
};

// Counts the records, to time the reading of the cards apart from the model.
class CCountingTarget : public CBulkRecordTarget
{
public:
    void AddGrid(const SBulkGrid&) override { ++count; }
    void AddCoordSystem(const SBulkCoordSystem&) override { ++count; }
    void AddElement(const SBulkElement&) override { ++count; }
    long count = 0;
};

int NodeId(int i, int j)
{
    return (j % kSide) * kSide + (i % kSide) + 1;
}

// Writes the deck once per process; returns its path and size.
std::string WriteDeck(bool isLargeField, long* bytes)
{
    const std::string path =
        std::string("/tmp/gravik_bench_") + (isLargeField ? "large" : "small") + ".bdf";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return path;
    for (int j = 0; j < kSide; ++j)
    {
        for (int i = 0; i < kSide; ++i)
        {
            const double x = i * 0.125;
            const double y = j * 0.25;
            const double z = (i % 7) * 1.5e-3;
            if (isLargeField)
            {
                std::fprintf(file, "GRID*   %16d%16s%16.9f%16.9f*\n*       %16.9e\n", NodeId(i, j),
                             "", x, y, z);
            }
            else
                std::fprintf(file, "GRID    %8d%8s%8.3f%8.3f%8.1e\n", NodeId(i, j), "", x, y, z);
        }
    }
    int elementId = 1;
    for (int j = 0; j < kSide; ++j)
    {
        for (int i = 0; i < kSide; ++i, ++elementId)
        {
            const int n1 = NodeId(i, j);
            const int n2 = NodeId(i + 1, j);
            const int n3 = NodeId(i + 1, j + 1);
            const int n4 = NodeId(i, j + 1);
            if (isLargeField)
            {
                std::fprintf(file, "CQUAD4* %16d%16d%16d%16d*\n*       %16d%16d\n", elementId,
                             1 + elementId % 5, n1, n2, n3, n4);
            }
            else
            {
                std::fprintf(file, "CQUAD4  %8d%8d%8d%8d%8d%8d\n", elementId, 1 + elementId % 5, n1,
                             n2, n3, n4);
            }
        }
    }
    *bytes = std::ftell(file);
    std::fclose(file);
    return path;
}

double PeakResidentMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void ImportDeck(benchmark::State& state, bool isLargeField)
{
    long bytes = 0;
    const std::string path = WriteDeck(isLargeField, &bytes);
    CDiscardOutput output;
    int nodeCount = 0;
    for (auto _ : state)
    {
        // The project's model exists before the import and is released long after it.
        state.PauseTiming();
        auto model = std::make_unique<CModelSet>();
        state.ResumeTiming();
        {
            CBulkDataReader reader(*model, output);
            benchmark::DoNotOptimize(reader.ReadBulkData(path));
        }
        model->TransformPendingNodes();
        model->BuildElementFaces();
        model->SaveMaxIds();
        state.PauseTiming();
        nodeCount = model->GetNodeCount();
        model.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * 2 * kSide * kSide);
    state.counters["nodes"] = nodeCount;
    state.counters["peak_MB"] = PeakResidentMb();
}

void ReadCards(benchmark::State& state, bool isLargeField)
{
    long bytes = 0;
    const std::string path = WriteDeck(isLargeField, &bytes);
    CDiscardOutput output;
    for (auto _ : state)
    {
        CCountingTarget target;
        CBulkDataReader reader(target, output);
        benchmark::DoNotOptimize(reader.ReadBulkData(path));
        benchmark::DoNotOptimize(target.count);
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * 2 * kSide * kSide);
}

void BM_ReadSmallFieldCards(benchmark::State& state)
{
    ReadCards(state, false);
}

void BM_ReadLargeFieldCards(benchmark::State& state)
{
    ReadCards(state, true);
}

void BM_ImportSmallFieldDeck(benchmark::State& state)
{
    ImportDeck(state, false);
}

void BM_ImportLargeFieldDeck(benchmark::State& state)
{
    ImportDeck(state, true);
}
} // namespace

// A chain of systems, each given in the next and listed first to last, with a grid in every
// one: each is settled once, so the import grows linearly with the chain.
void BM_ImportChainedSystems(benchmark::State& state)
{
    const int chain = static_cast<int>(state.range(0));
    const std::string path = "/tmp/gravik_bench_chain.bdf";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    for (int id = 1; id <= chain; ++id)
    {
        std::fprintf(file, "GRID    %8d%8d%8s%8s%8s\n", id, id, "1.", "0.", "0.");
        std::fprintf(file, "CORD2R  %8d%8d%8s%8s%8s%8s%8s%8s\n        %8s%8s%8s\n", id,
                     id == chain ? 0 : id + 1, "1.", "0.", "0.", "1.", "0.", "1.", "2.", "0.",
                     "0.");
    }
    std::fclose(file);
    CDiscardOutput output;
    for (auto _ : state)
    {
        auto model = std::make_unique<CModelSet>();
        {
            CBulkDataReader reader(*model, output);
            benchmark::DoNotOptimize(reader.ReadBulkData(path));
        }
        benchmark::DoNotOptimize(model->GetNode(1)->m_coord.x);
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * chain);
}

BENCHMARK(BM_ImportChainedSystems)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
// The deck is read on a second thread while this one files its records: the rates are of the
// time a user waits, not of one thread's processor time.
BENCHMARK(BM_ReadSmallFieldCards)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReadLargeFieldCards)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ImportSmallFieldDeck)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ImportLargeFieldDeck)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK_MAIN();
