// Saving and opening a project whose group holds 1,000,000 elements (100,000 "ElemList"
// lines), and, for comparison, writing such lines with one profile call per key; opening a
// project of many empty groups.
#include "bench/ProjectBenchModel.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <sys/resource.h>

namespace
{
double PeakResidentMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_SaveProjectWithMillionElementGroup(benchmark::State& state)
{
    CProjectData project;
    project.m_folder = BenchFolder("gravik_bench_project_save").c_str();
    project.m_name = "million";
    AddBenchElements(project.m_model, kBenchGroupElements);
    AddBenchGroup(project.m_model, kBenchGroupElements);
    for (auto _ : state)
        benchmark::DoNotOptimize(project.SaveProject());
    const auto bytes =
        std::filesystem::file_size(fw::os::ResolvePath(project.GetProjectFilePath()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
    state.SetItemsProcessed(state.iterations() * kBenchGroupElements);
    state.counters["peak_MB"] = PeakResidentMb();
}

void BM_OpenProjectWithMillionElementGroup(benchmark::State& state)
{
    std::string path;
    {
        CProjectData project;
        project.m_folder = BenchFolder("gravik_bench_project_open").c_str();
        project.m_name = "million";
        AddBenchElements(project.m_model, kBenchGroupElements);
        AddBenchGroup(project.m_model, kBenchGroupElements);
        project.SaveProject();
        path = project.GetProjectFilePath();
    }
    int members = 0;
    for (auto _ : state)
    {
        // The solver files would have filled the model before the groups are read.
        state.PauseTiming();
        auto project = std::make_unique<CProjectData>();
        AddBenchElements(project->m_model, kBenchGroupElements);
        state.ResumeTiming();
        benchmark::DoNotOptimize(project->OpenProject(path.c_str()));
        state.PauseTiming();
        const CGroupSet* group = project->m_model.LookupGroup(1);
        members = group ? static_cast<int>(group->GetShells().GetCount()) : 0;
        project.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kBenchGroupElements);
    state.counters["members"] = members;
    state.counters["peak_MB"] = PeakResidentMb();
}

// Lines written one profile call each; the time grows with the square of the line count.
void BM_GroupLinesThroughProfileCalls(benchmark::State& state)
{
    const std::string folder = BenchFolder("gravik_bench_project_profile");
    const int lines = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        const std::string path = folder + "/calls.mpj";
        std::filesystem::remove(path);
        benchmark::DoNotOptimize(WriteGroupByProfileCalls(path, lines));
    }
    state.SetItemsProcessed(state.iterations() * lines * 10);
}
} // namespace

// A project of 1,000 groups without elements: what each empty group costs to make and free.
void BM_OpenProjectWithThousandEmptyGroups(benchmark::State& state)
{
    constexpr int kGroups = 1000;
    const std::string path = BenchFolder("gravik_bench_project_groups") + "/groups.mpj";
    {
        std::string text = "[GroupSettings]\r\nGroupCount=" + std::to_string(kGroups) + "\r\n";
        for (int n = 0; n < kGroups; ++n)
            text +=
                "[Group " + std::to_string(n) + "]\r\nGroupID=" + std::to_string(n + 1) + "\r\n";
        fw::os::WriteFileToDisk(path, text);
    }
    for (auto _ : state)
    {
        CProjectData project;
        benchmark::DoNotOptimize(project.OpenProject(path.c_str()));
    }
    state.SetItemsProcessed(state.iterations() * kGroups);
    state.counters["peak_MB"] = PeakResidentMb();
}

// Saving onto a project file that holds many group and view sections of earlier saves, all
// erased by this one.
void BM_SaveProjectOverStaleSections(benchmark::State& state)
{
    const int sections = static_cast<int>(state.range(0));
    CProjectData project;
    project.m_folder = BenchFolder("gravik_bench_project_stale").c_str();
    project.m_name = "stale";
    project.SaveProject();
    const std::string path = project.GetProjectFilePath();
    std::string stale;
    for (int n = 0; n < sections / 2; ++n)
    {
        stale += "[Group " + std::to_string(n) + "]\r\nGroupID=" + std::to_string(n + 1) + "\r\n";
        stale += "[ViewSettings" + std::to_string(n + 1) + "]\r\nViewID=1\r\n";
    }
    for (auto _ : state)
    {
        state.PauseTiming();
        fw::os::WriteFileToDisk(path, stale);
        state.ResumeTiming();
        benchmark::DoNotOptimize(project.SaveProject());
    }
    state.SetItemsProcessed(state.iterations() * sections);
}

BENCHMARK(BM_SaveProjectOverStaleSections)
    ->Unit(benchmark::kMillisecond)
    ->Arg(40000)
    ->Arg(100000)
    ->Iterations(3);
BENCHMARK(BM_SaveProjectWithMillionElementGroup)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenProjectWithMillionElementGroup)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenProjectWithThousandEmptyGroups)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupLinesThroughProfileCalls)
    ->Unit(benchmark::kMillisecond)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Iterations(1);
BENCHMARK_MAIN();
