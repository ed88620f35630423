// A model file imported under Wine as the program's start imports it, with the processor and
// kernel time it took, to set beside the native ImportFile_bench of the same file. Run from the
// repository root:
// wine build/win/ImportFile_bench.exe FILE    (universal file .unv, OUTPUT2 .op2)
#include "WinBench.h"
#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "io/op2/Op2Import.h"
#include "io/unv/UnvImport.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
class CDiscardOutput : public COutputSink
{
public:
    void AddOutputLine(const std::string&) override {}
};

bool HasEnding(const std::string& path, const char* ending)
{
    const std::string tail(ending);
    return path.size() >= tail.size() &&
           _stricmp(path.c_str() + path.size() - tail.size(), tail.c_str()) == 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: ImportFile_bench FILE\n");
        return 2;
    }
    const std::string path = argv[1];
    // Kept to the end of the process: freeing it is not part of an import.
    auto* model = new CModelSet;
    CDiscardOutput output;
    double kernelBefore = 0.0;
    const double processorBefore = win_bench::ProcessorSeconds(&kernelBefore);
    const double start = win_bench::Now();
    bool isRead = false;
    if (HasEnding(path, ".op2"))
    {
        std::vector<std::string> inputs;
        isRead = ImportOp2File(path, model, inputs, ChooseAllOp2Results, &output) == 0;
    }
    else if (HasEnding(path, ".unv"))
    {
        isRead = ImportUnvFile(*model, path, nullptr, output);
        model->UpdateLoadedResults();
    }
    else
    {
        std::fprintf(stderr, "ImportFile_bench: no reader for %s\n", path.c_str());
        return 2;
    }
    const double seconds = win_bench::Now() - start;
    double kernel = 0.0;
    const double processor = win_bench::ProcessorSeconds(&kernel) - processorBefore;
    std::printf("read=%d nodes=%d elements=%d import=%.3f s processor=%.3f s kernel=%.3f s\n",
                isRead ? 1 : 0, model->GetNodeCount(), model->GetElementCount(), seconds, processor,
                kernel - kernelBefore);
    return isRead ? 0 : 1;
}
