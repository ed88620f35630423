// Helpers of the bad-input tables: captured output, files written byte for byte, garbage,
// truncated copies and CP932 text.
#pragma once

#include "core/services/OutputSink.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace badinput
{
class CCapturedOutput : public COutputSink
{
public:
    void AddOutputLine(const std::string& line) override { lines.push_back(line); }
    bool Has(const std::string& line) const
    {
        for (const std::string& each : lines)
        {
            if (each == line)
                return true;
        }
        return false;
    }
    std::vector<std::string> lines;
};

// Writes bytes to folder/name unchanged and returns the path.
inline std::string WriteBytes(const std::string& folder, const std::string& name,
                              const std::string& bytes)
{
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Bytes of every value, NULs and line ends among them; the same for every run.
inline std::string Garbage(size_t size, uint32_t seed = 12345)
{
    std::string bytes(size, '\0');
    for (char& c : bytes)
    {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return bytes;
}

// "テスト結果" in code page 932: lead bytes whose trail bytes are ASCII letters and symbols.
inline std::string Cp932Text()
{
    return "\x83\x65\x83\x58\x83\x67\x8C\x8B\x89\xCA";
}
} // namespace badinput
