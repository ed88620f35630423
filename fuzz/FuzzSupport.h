// What the fuzz targets share: a sink that drops the readers' lines, and a scratch folder per
// process that also serves as the executable folder (logs and the product INI land there).
#pragma once

#include "core/services/AppEnvironment.h"
#include "core/services/OutputSink.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzz_support
{
class CNullSink : public COutputSink
{
public:
    void AddOutputLine(const std::string&) override {}
};

// One scratch folder per process (workers run side by side), removed at a normal exit. The
// target name is taken at the first call.
inline const std::filesystem::path& ScratchFolder(const char* target)
{
    static const std::filesystem::path folder = [target]
    {
        // scripts/fuzz.sh gives a folder of its own that it removes: a process that libFuzzer
        // ends on a finding or in fork mode leaves its folder behind.
        std::error_code error;
        const char* given = std::getenv("GRAVIK_FUZZ_SCRATCH");
        std::filesystem::path base = given != nullptr ? given : "/dev/shm";
        if (!std::filesystem::is_directory(base, error))
            base = std::filesystem::temp_directory_path();
        const std::filesystem::path path =
            base / ("gravik_" + std::string(target) + "_" + std::to_string(getpid()));
        std::filesystem::create_directories(path / "bin", error);
        SetExecutableFolder((path / "bin").string());
        std::atexit([] { std::filesystem::remove_all(ScratchFolder(nullptr)); });
        return path;
    }();
    return folder;
}
} // namespace fuzz_support
