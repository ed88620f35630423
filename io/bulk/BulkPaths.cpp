// Paths of decks and their include files.
#include "io/bulk/BulkPaths.h"

#include "core/services/StringFile.h"

#include <vector>

namespace
{
#ifdef _WIN32
constexpr char kSeparator = '\\';
constexpr char kOtherSeparator = '/';
#else
constexpr char kSeparator = '/';
constexpr char kOtherSeparator = '\\';
#endif

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool IsAbsolutePath(const std::string& path)
{
    if (!path.empty() && IsSeparator(path[0]))
        return true;
    return path.size() >= 2 && path[1] == ':';
}

// The path cut at its separators, double-byte characters kept whole.
std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < path.size(); ++i)
    {
        if (IsPathLeadByte(path[i]) && i + 1 < path.size())
        {
            parts.back() += path.substr(i, 2);
            ++i;
        }
        else if (IsSeparator(path[i]))
            parts.emplace_back();
        else
            parts.back() += path[i];
    }
    return parts;
}
} // namespace

std::size_t LastSeparator(const std::string& path)
{
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i)
    {
        if (IsPathLeadByte(path[i]))
            ++i;
        else if (IsSeparator(path[i]))
            last = i;
    }
    return last;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t separator = LastSeparator(path);
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string IncludedPath(const std::string& includingPath, const std::string& name)
{
    std::string path;
    if (!IsAbsolutePath(name))
    {
        const std::size_t separator = LastSeparator(includingPath);
        if (separator != std::string::npos)
            path = includingPath.substr(0, separator + 1);
    }
    path += name;
    for (std::size_t i = 0; i < path.size(); ++i)
    {
        if (IsPathLeadByte(path[i]))
            ++i;
        else if (path[i] == kOtherSeparator)
            path[i] = kSeparator;
    }
    return path;
}

std::string ComparablePath(const std::string& path)
{
    std::vector<std::string> kept;
    std::size_t leadingUps = 0;
    for (const std::string& part : SplitPath(path))
    {
        if (part == "..")
        {
            if (!kept.empty())
                kept.pop_back();
            else
                ++leadingUps;
        }
        else if (!part.empty() && part != ".")
            kept.push_back(part);
    }
    std::string result = !path.empty() && IsSeparator(path[0]) ? "/" : "";
    for (std::size_t i = 0; i < leadingUps; ++i)
        result += "../";
    for (std::size_t i = 0; i < kept.size(); ++i)
        result += (i == 0 ? "" : "/") + kept[i];
    return result;
}

bool IsSameDeck(const std::string& comparableA, const std::string& comparableB)
{
#ifdef _WIN32
    return EqualTextNoCase(comparableA, comparableB);
#else
    return comparableA == comparableB;
#endif
}
