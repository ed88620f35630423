// Reading a generated universal file: 1,000,000 quad shells on a 1001 x 1001 node grid
// (datasets 2411 and 2412) and one nodal displacement result (2414). Synthetic input. The read
// alone, and the whole import (read, faces, update of the loaded results).
#include "core/model/ModelSet.h"
#include "io/unv/UnvReader.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace
{
constexpr int kCells = 1000; // per side
constexpr int kNodesPerSide = kCells + 1;

const std::string& GeneratedFile()
{
    static const std::string path = []
    {
        const std::string file = "/tmp/gravik_unv_bench_quads.unv";
        std::FILE* out = std::fopen(file.c_str(), "w");
        if (out == nullptr)
            return file;
        std::fputs("    -1\n  2411\n", out);
        for (int j = 0; j < kNodesPerSide; ++j)
        {
            for (int i = 0; i < kNodesPerSide; ++i)
            {
                const int id = j * kNodesPerSide + i + 1;
                std::fprintf(out, "%10d%10d%10d%10d\n", id, 1, 1, 11);
                std::fprintf(out, "%25.16E%25.16E%25.16E\n", 0.01 * i, 0.01 * j, 0.0);
            }
        }
        std::fputs("    -1\n    -1\n  2412\n", out);
        int elementId = 0;
        for (int j = 0; j < kCells; ++j)
        {
            for (int i = 0; i < kCells; ++i)
            {
                const int n1 = j * kNodesPerSide + i + 1;
                std::fprintf(out, "%10d%10d%10d%10d%10d%10d\n", ++elementId, 44, 1, 1, 7, 4);
                std::fprintf(out, "%10d%10d%10d%10d\n", n1, n1 + 1, n1 + 1 + kNodesPerSide,
                             n1 + kNodesPerSide);
            }
        }
        std::fputs("    -1\n    -1\n  2414\n         1\nDISPLACEMENT\n         1\n", out);
        std::fputs("NONE\nNONE\nNONE\nNONE\nNONE\n", out);
        std::fputs("         1         1         2         8         2         3\n", out);
        std::fputs("         0         0         1         0         1         0         0"
                   "         0\n         0         0\n",
                   out);
        std::fputs("  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00"
                   "  0.00000E+00\n",
                   out);
        std::fputs("  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00"
                   "  0.00000E+00\n",
                   out);
        for (int id = 1; id <= kNodesPerSide * kNodesPerSide; ++id)
        {
            std::fprintf(out, "%10d\n", id);
            std::fprintf(out, "%13.5E%13.5E%13.5E\n", 1.0e-3 * (id % 97), -2.0e-4, 3.0e-5);
        }
        std::fputs("    -1\n", out);
        std::fclose(out);
        return file;
    }();
    return path;
}

long long FileBytes(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : 0;
}

// Peak resident set of the process so far, in MB (Linux).
double PeakResidentMB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

void BM_ReadQuadMeshWithResult(benchmark::State& state)
{
    const std::string& path = GeneratedFile();
    const long long bytes = FileBytes(path);
    if (bytes == 0)
    {
        state.SkipWithError("could not write the generated file");
        return;
    }
    const double residentBefore = PeakResidentMB();
    for (auto _ : state)
    {
        auto model = std::make_unique<CModelSet>();
        CUnvReader reader(model.get());
        const bool isRead = reader.ReadUnv(path);
        benchmark::DoNotOptimize(isRead);
        if (!isRead || model->GetElementCount() != kCells * kCells)
            state.SkipWithError("the generated file was not read whole");
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * kCells * kCells);
    state.counters["file_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["peak_rss_MB"] = PeakResidentMB();
    state.counters["rss_before_MB"] = residentBefore;
}
BENCHMARK(BM_ReadQuadMeshWithResult)->Unit(benchmark::kMillisecond)->Iterations(2);

// The whole import a user waits for: the read, the faces, the update of the loaded results.
void BM_ImportQuadMeshWithResult(benchmark::State& state)
{
    const std::string& path = GeneratedFile();
    const long long bytes = FileBytes(path);
    for (auto _ : state)
    {
        state.PauseTiming();
        auto model = std::make_unique<CModelSet>();
        state.ResumeTiming();
        {
            CUnvReader reader(model.get());
            if (!reader.ReadUnv(path))
                state.SkipWithError("the generated file was not read whole");
        }
        model->BuildElementFaces();
        model->UpdateLoadedResults();
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * kCells * kCells);
    state.counters["peak_rss_MB"] = PeakResidentMB();
}
BENCHMARK(BM_ImportQuadMeshWithResult)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

BENCHMARK_MAIN();
