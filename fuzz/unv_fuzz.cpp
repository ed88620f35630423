// libFuzzer target: a universal file read into an empty model as the import command reads it
// (faces on success, roll-back on failure), then once more into the populated model. A failed
// read must leave the model as it was before.
#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "core/services/OutputSink.h"
#include "fuzz/FuzzSupport.h"
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
using fuzz_support::CNullSink;

const std::filesystem::path& ScratchFolder()
{
    return fuzz_support::ScratchFolder("unv_fuzz");
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
        fuzz_support::CheckInvariants(model);
        return true;
    }
    model.RemoveAll(1);
    if (model.GetNodeCount() != nodesBefore || model.GetElementCount() != elementsBefore)
    {
        std::fprintf(stderr, "roll-back left %d nodes and %d elements (before: %d and %d)\n",
                     model.GetNodeCount(), model.GetElementCount(), nodesBefore, elementsBefore);
        std::abort();
    }
    fuzz_support::CheckInvariants(model);
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
