// Saving and opening a project whose group holds 1,000,000 elements, timed under Wine (the
// Windows build's figure), and the same group lines written one real profile call each for
// a few line counts, to show how that cost grows. Prints one line per figure.
//   wine build/win/ProjectFileWine_bench.exe
#include "bench/ProjectBenchModel.h"

#include <chrono>
#include <cstdio>

namespace
{
double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

int main()
{
    CProjectData saved;
    saved.m_folder = BenchFolder("gravik_winbench_project").c_str();
    saved.m_name = "million";
    AddBenchElements(saved.m_model, kBenchGroupElements);
    AddBenchGroup(saved.m_model, kBenchGroupElements);
    auto start = std::chrono::steady_clock::now();
    const BOOL isSaved = saved.SaveProject();
    std::printf("save, group of %d elements: %.3f s (%s)\n", kBenchGroupElements,
                SecondsSince(start), isSaved ? "saved" : "FAILED");

    CProjectData opened;
    AddBenchElements(opened.m_model, kBenchGroupElements);
    start = std::chrono::steady_clock::now();
    const BOOL isOpened = opened.OpenProject(saved.GetProjectFilePath().c_str());
    const CGroupSet* group = opened.m_model.LookupGroup(1);
    std::printf("open, group of %d elements: %.3f s (%s, %d members)\n", kBenchGroupElements,
                SecondsSince(start), isOpened ? "opened" : "FAILED",
                group ? static_cast<int>(group->GetShells().GetCount()) : 0);

    for (int lines : {1000, 2000, 4000})
    {
        const std::string path = saved.m_folder.Str() + "\\calls.mpj";
        std::remove(path.c_str());
        start = std::chrono::steady_clock::now();
        const bool isWritten = WriteGroupByProfileCalls(path, lines);
        std::printf("%d ElemList lines by one profile call each: %.3f s%s\n", lines,
                    SecondsSince(start), isWritten ? "" : " (FAILED)");
    }
    return isSaved && isOpened ? 0 : 1;
}
