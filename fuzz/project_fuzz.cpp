// libFuzzer target: a project file opened as the program opens one, with a main frame that
// makes views, then saved onto itself and opened again; the second open must see what the
// first saw. Separators and drive colons are blanked so that the file can only name files of
// the scratch folder, and "$" stands for that folder: the seeds name the plate deck, its
// universal-file copy and its results there ("$plate.dat", "$plate.unv", "$plate.op2").
//
// With GRAVIK_PROJECT_SEEDS set to a folder, the target writes its seed projects there through
// the program's own save and exits.
#include "fuzz/FuzzSupport.h"
#include "fuzz/ProjectFuzzSeeds.h"
#include "fuzz/ProjectSnapshot.h"
#include "project/ProjectData.h"
#include "project/ProjectFileAccess.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{
const std::filesystem::path& ScratchFolder()
{
    return fuzz_support::ScratchFolder("project_fuzz");
}

// The bytes with every path kept inside the scratch folder.
std::string Sandboxed(const uint8_t* data, size_t size)
{
    const std::string folder = ScratchFolder().string() + "/";
    std::string text;
    text.reserve(size);
    for (size_t i = 0; i < size; ++i)
    {
        const char c = static_cast<char>(data[i]);
        if (c == '$')
            text += folder;
        else
            text += c == '/' || c == '\\' || c == ':' ? '_' : c;
    }
    return text;
}

[[noreturn]] void ReportDifference(const std::string& first, const std::string& second)
{
    std::fprintf(stderr,
                 "the reopened project differs from the first open\n--- first\n%s"
                 "--- after save and reopen\n%s",
                 first.c_str(), second.c_str());
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const std::filesystem::path& folder = ScratchFolder();
    project_fuzz::WriteModelFiles(folder);
    if (const char* seeds = std::getenv("GRAVIK_PROJECT_SEEDS"))
    {
        const bool isWritten = project_fuzz::WriteSeeds(folder, seeds);
        std::exit(isWritten ? 0 : 1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = (ScratchFolder() / "p.mpj").string();
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr)
            std::abort();
        const std::string text = Sandboxed(data, size);
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }

    std::string first;
    {
        CFakeProjectHost host;
        CProjectData project;
        project.SetHost(&host);
        if (!project.OpenProject(path.c_str()))
            return 0;
        first = project_fuzz::Snapshot(project, host);
        if (!project.SaveProject())
        {
            std::fprintf(stderr, "saving an opened project onto its own file failed\n");
            std::abort();
        }
    }
    CFakeProjectHost host;
    CProjectData project;
    project.SetHost(&host);
    if (!project.OpenProject(path.c_str()))
    {
        std::fprintf(stderr, "a project saved by the program does not open again\n");
        std::abort();
    }
    const std::string second = project_fuzz::Snapshot(project, host);
    if (second != first)
        ReportDifference(first, second);
    return 0;
}
