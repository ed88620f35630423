// libFuzzer target: a bulk-data deck imported into a model as the model-file command imports
// it, then again into the populated model. A form feed splits the input into the main deck and
// two files it may include; separators are blanked so that an include can only name files of
// the scratch folder. After each import the model's invariants hold, and a refused import
// leaves the model exactly as it was.
#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "core/services/OutputSink.h"
#include "fuzz/FuzzSupport.h"
#include "io/bulk/BulkImport.h"

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
    return fuzz_support::ScratchFolder("bulk_fuzz");
}

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void ImportAndCheck(CModelSet& model, const std::string& path, COutputSink& sink)
{
    const fuzz_support::SModelState before = fuzz_support::SModelState::Of(model);
    if (!ImportBulkFile(model, path, sink))
        fuzz_support::CheckRolledBack(before, model);
    fuzz_support::CheckInvariants(model);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path& folder = ScratchFolder();
    std::string text(reinterpret_cast<const char*>(data), size);
    for (char& c : text)
    {
        if (c == '/' || c == '\\' || c == ':')
            c = '_';
    }
    static const char* const kNames[] = {"main.dat", "a.inc", "b.inc"};
    size_t start = 0;
    for (int i = 0; i < 3; ++i)
    {
        size_t end = i == 2 ? text.size() : text.find('\f', start);
        end = end == std::string::npos ? text.size() : end;
        WriteFile(folder / kNames[i], text.substr(start, end - start));
        start = end < text.size() ? end + 1 : text.size();
    }

    CNullSink sink;
    CModelSet model;
    model.SetOutputSink(&sink);
    const std::string mainDeck = (folder / kNames[0]).string();
    ImportAndCheck(model, mainDeck, sink);
    ImportAndCheck(model, mainDeck, sink);
    return 0;
}
