// Paths of decks and their include files.
#include "io/bulk/BulkPaths.h"

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
