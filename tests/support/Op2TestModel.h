// Shared helpers of the OUTPUT2 reader tests: packed ids, an output capture, fixture files.
#pragma once

#include "core/services/OutputSink.h"
#include "tests/support/Op2TestFile.h"
#include "tests/support/UnixSide.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

class CaptureSink : public COutputSink
{
public:
    void AddOutputLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

inline int PackedId(int resultNumber, int typeBits, int loadCase, int variant)
{
    return (typeBits << 23) | (resultNumber << 13) | (loadCase << 3) | variant;
}

// One OUG entry: node id with device code 1, point type 1, translation and rotation.
inline Op2Words DisplacementEntry(int nodeId, float t1, float t2, float t3, float r1, float r2,
                                  float r3)
{
    return Op2Words().I(nodeId * 10 + 1).I(1).F(t1).F(t2).F(t3).F(r1).F(r2).F(r3);
}

// What becomes of a file's name between the catalogue pass and the data pass, as an analysis
// writing its output again, or a user cleaning up, does it from another program. A step the
// system refuses (Windows, while the reader holds the file open) leaves the file as it was.
struct Op2FileReplacement
{
    const char* name;
    void (*apply)(const std::string& path, const std::string& other);
    // The open file keeps its contents: its results are read, not told as changed.
    bool isReadThrough;
};

inline const Op2FileReplacement kOp2FileReplacements[] = {
    {"another run renamed over it",
     [](const std::string& path, const std::string& other)
     { testing_support::RenameAsAnotherProgram(other, path); },
     true},
    {"deleted",
     [](const std::string& path, const std::string&)
     { testing_support::RemoveAsAnotherProgram(path); },
     true},
    {"its folder deleted",
     [](const std::string& path, const std::string&) {
         testing_support::RemoveAsAnotherProgram(
             std::filesystem::path(path).parent_path().string());
     },
     true},
    {"another run written into it",
     [](const std::string& path, const std::string& other)
     {
         std::error_code ec;
         std::filesystem::copy_file(other, path, std::filesystem::copy_options::overwrite_existing,
                                    ec);
     },
     false},
};
