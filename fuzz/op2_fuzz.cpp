// libFuzzer target: an OUTPUT2 file as the import command takes it: the catalogue pass with
// geometry, every catalogued result requested and loaded, and the model finished; then the same
// file imported again on top, with its ids shifted past the first copy's.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/services/AppEnvironment.h"
#include "core/services/OutputSink.h"
#include "io/op2/OP2Reader.h"

#include <cstddef>
#include <cstdint>
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
        const std::filesystem::path path = base / ("gravik_op2_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(path / "bin", error);
        // The readers' logs resolve against the executable folder: keep them here.
        SetExecutableFolder((path / "bin").string());
        std::atexit([] { std::filesystem::remove_all(ScratchFolder()); });
        return path;
    }();
    return folder;
}

void RequestAll(CModelSet& model)
{
    const CResultMap& results = model.GetResults();
    for (UINT id : results.SortedKeys())
    {
        CResultData* result = nullptr;
        if (results.Lookup(id, result) && result != nullptr &&
            result->m_loaded == CResultData::kNotLoaded)
            result->m_loaded = CResultData::kRequested;
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = (ScratchFolder() / "input.op2").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    CNullSink sink;
    CModelSet model;
    model.SetOutputSink(&sink);
    for (int pass = 0; pass < 2; ++pass)
    {
        OP2Reader reader;
        const int code = reader.readCatalogue(path, &model, model.GetElementCount() == 0, &sink);
        if (code == OP2Reader::kCannotOpen || code == OP2Reader::kRefused)
            return 0;
        RequestAll(model);
        reader.readResults(path, &model);
        model.TransformPendingNodes();
        model.BuildElementFaces();
        model.UpdateLoadedResults();
    }
    return 0;
}
