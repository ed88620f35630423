// Helpers of the bulk-data tests: a captured output pane and deck files in a scratch folder.
#pragma once

#include "core/services/OutputSink.h"

#include <fstream>
#include <string>
#include <vector>

namespace bulk_test
{
class CCapturedOutput : public COutputSink
{
public:
    void AddOutputLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

// Writes text to folder/name (binary, so line ends stay as given) and returns the path.
inline std::string WriteDeck(const std::string& folder, const std::string& name,
                             const std::string& text)
{
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// A card line: the name, then each field padded to width (8 small, 16 large).
inline std::string Card(const std::string& name, std::initializer_list<const char*> fields,
                        std::size_t width = 8)
{
    std::string line = name;
    line.resize(8, ' ');
    for (const char* field : fields)
    {
        std::string text = field;
        text.resize(width, ' ');
        line += text;
    }
    return line + "\n";
}
} // namespace bulk_test
