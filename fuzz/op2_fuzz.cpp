// libFuzzer target: an OUTPUT2 file as the import command takes it: the catalogue pass with
// geometry, every catalogued result requested and loaded, and the model finished; then the same
// file imported again on top, with its ids shifted past the first copy's. After each pass the
// model's invariants hold, and a refused file leaves the model exactly as it was.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/services/AppEnvironment.h"
#include "core/services/OutputSink.h"
#include "fuzz/FuzzSupport.h"
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
using fuzz_support::CNullSink;

const std::filesystem::path& ScratchFolder()
{
    return fuzz_support::ScratchFolder("op2_fuzz");
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
        const fuzz_support::SModelState before = fuzz_support::SModelState::Of(model);
        const int code = reader.readCatalogue(path, &model, model.GetElementCount() == 0, &sink);
        if (code == OP2Reader::kCannotOpen || code == OP2Reader::kRefused)
        {
            fuzz_support::CheckRolledBack(before, model);
            return 0;
        }
        RequestAll(model);
        reader.readResults(path, &model);
        model.TransformPendingNodes();
        model.BuildElementFaces();
        model.UpdateLoadedResults();
        fuzz_support::CheckInvariants(model);
    }
    return 0;
}
