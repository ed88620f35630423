// Helpers of the bulk-data tests: a captured output pane and deck files in a scratch folder.
#pragma once

#include "core/services/AppEnvironment.h"
#include "core/services/OutputSink.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
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

// A scratch executable folder with its sibling "ini" folder, so that imports can store their
// folders in a product INI of their own. Restores the executable folder on destruction.
class CScratchProduct
{
public:
    explicit CScratchProduct(const std::string& name)
        : m_savedFolder(GetExecutableFolder())
    {
        const std::filesystem::path root = testing_support::MakeTempDir(name);
        std::filesystem::create_directories(root / "bin");
        std::filesystem::create_directories(root / "ini");
        SetExecutableFolder((root / "bin").string());
    }
    ~CScratchProduct() { SetExecutableFolder(m_savedFolder); }
    CScratchProduct(const CScratchProduct&) = delete;
    CScratchProduct& operator=(const CScratchProduct&) = delete;

private:
    std::string m_savedFolder;
};

// The path as the reader writes it: with the folder separator of the platform.
inline std::string Native(std::string path)
{
#ifdef _WIN32
    for (char& c : path)
        c = c == '/' ? '\\' : c;
#endif
    return path;
}

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
