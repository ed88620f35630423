#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace testing_support
{
namespace
{
struct TempDirs
{
    std::vector<fs::path> dirs;
    ~TempDirs()
    {
        std::error_code ec;
        for (const fs::path& d : dirs)
            fs::remove_all(d, ec);
    }
};

TempDirs& Temps()
{
    static TempDirs temps;
    return temps;
}
} // namespace

std::string SamplePath(const std::string& relative)
{
    return "../shared/samples/" + relative;
}

bool HasSamples()
{
    std::error_code ec;
    return fs::is_directory("../shared/samples", ec);
}

bool IsCiRun()
{
    const char* value = std::getenv("CI");
    return value != nullptr && std::strcmp(value, "true") == 0;
}

std::string MakeTempDir(const std::string& name)
{
    static int counter = 0;
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    fs::path dir = base / ("gravik_test_" + name + "_" + std::to_string(++counter));
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);
    Temps().dirs.push_back(dir);
    return dir.string();
}
} // namespace testing_support
