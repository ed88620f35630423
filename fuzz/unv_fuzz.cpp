// libFuzzer target: a universal file read into an empty model as the import command reads it
// (faces on success, roll-back on failure), then once more into the populated model. A failed
// read must leave the model as it was before.
#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "core/services/OutputSink.h"
#include "io/unv/UnvReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{
class CNullSink : public COutputSink
{
public:
    void AddOutputLine(const std::string&) override {}
};

// One scratch folder per process (workers run side by side), removed at a normal exit.
const std::filesystem::path& ScratchFolder()
{
    static const std::filesystem::path folder = []
    {
        // scripts/fuzz.sh gives a folder of its own that it removes: a process that libFuzzer
        // ends on a finding or in fork mode leaves its folder behind.
        std::error_code error;
        const char* given = std::getenv("GRAVIK_FUZZ_SCRATCH");
        std::filesystem::path base = given != nullptr ? given : "/dev/shm";
        if (!std::filesystem::is_directory(base, error))
            base = std::filesystem::temp_directory_path();
        const std::filesystem::path path = base / ("gravik_unv_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(path / "bin", error);
        // Logs and the product INI resolve against the executable folder: keep them here.
        SetExecutableFolder((path / "bin").string());
        std::atexit([] { std::filesystem::remove_all(ScratchFolder()); });
        return path;
    }();
    return folder;
}

// Returns whether the read succeeded; a failed read is rolled back and checked.
bool ReadAndFinish(CModelSet& model, const std::string& path)
{
    const int nodesBefore = model.GetNodeCount();
    const int elementsBefore = model.GetElementCount();
    CUnvReader reader(&model);
    if (reader.ReadUnv(path))
    {
        model.BuildElementFaces();
        model.UpdateLoadedResults();
        return true;
    }
    model.RemoveAll(1);
    if (model.GetNodeCount() != nodesBefore || model.GetElementCount() != elementsBefore)
    {
        std::fprintf(stderr, "roll-back left %d nodes and %d elements (before: %d and %d)\n",
                     model.GetNodeCount(), model.GetElementCount(), nodesBefore, elementsBefore);
        std::abort();
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = (ScratchFolder() / "input.unv").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    CNullSink sink;
    CModelSet model;
    model.SetOutputSink(&sink);
    if (ReadAndFinish(model, path))
        ReadAndFinish(model, path);
    return 0;
}
