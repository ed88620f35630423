#include "tests/io/unv/UnvTestFile.h"

#include "tests/support/TestPaths.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace unv_test
{
std::string WriteTextFile(const std::string& name, const std::string& text)
{
    const std::string path = testing_support::MakeTempDir("unv") + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << text;
    return path;
}

std::string ReadTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

int CountKey(const std::vector<std::string>& keys, const std::string& key)
{
    return static_cast<int>(std::count(keys.begin(), keys.end(), key));
}
} // namespace unv_test
