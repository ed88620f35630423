// Native side of the operating-system seam. The INI access re-implements the rules of the
// Windows profile functions; the shared tests check both builds against the same cases.
#include "platform/base/os.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace fw::os
{
namespace
{
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

bool Exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The entry of the folder whose name equals the wanted one without regard to case, or the
// wanted name itself when none does.
std::string MatchEntry(const std::string& folder, const std::string& wanted)
{
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return wanted;
    std::string found = wanted;
    while (const dirent* entry = readdir(dir))
    {
        if (EqualNoCase(entry->d_name, wanted))
        {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

std::vector<std::string> ReadLines(const std::string& path, bool* exists)
{
    std::vector<std::string> lines;
    FILE* file = std::fopen(path.c_str(), "rb");
    *exists = file != nullptr;
    if (!file)
        return lines;
    std::string content;
    char chunk[4096];
    std::size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        content.append(chunk, count);
    std::fclose(file);

    std::size_t start = 0;
    while (start < content.size())
    {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// "[name]" with blanks around; false for an entry line. A header lacking its "]" names the
// rest of the line.
bool ParseHeader(const std::string& line, std::string* name)
{
    const std::string text = Trim(line);
    if (text.empty() || text[0] != '[')
        return false;
    const std::size_t close = text.find(']');
    *name = Trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// "key = value"; a line without "=" is a key with an empty value.
void ParseEntry(const std::string& line, std::string* key, std::string* value)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
    {
        *key = Trim(line);
        value->clear();
        return;
    }
    *key = Trim(line.substr(0, equals));
    *value = Trim(line.substr(equals + 1));
}

// Index of the first header line naming the section, or lines.size().
std::size_t FindSection(const std::vector<std::string>& lines, const std::string& section)
{
    std::string name;
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        if (ParseHeader(lines[i], &name) && EqualNoCase(name, section))
            return i;
    }
    return lines.size();
}

std::string StripQuotes(const std::string& value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}
} // namespace

std::string ExecutableFolder()
{
    std::vector<char> name(4096);
    for (;;)
    {
        const ssize_t length = readlink("/proc/self/exe", name.data(), name.size());
        if (length < 0)
            return std::string();
        if (std::size_t(length) < name.size())
        {
            const std::string path(name.data(), std::size_t(length));
            const std::size_t cut = path.rfind('/');
            return cut == std::string::npos ? std::string() : path.substr(0, cut);
        }
        name.resize(name.size() * 2);
    }
}

bool SetCurrentFolder(const std::string& folder)
{
    return chdir(ResolvePath(folder).c_str()) == 0;
}

std::string ResolvePath(const std::string& path)
{
    std::string slashed = path;
    for (char& c : slashed)
    {
        if (c == '\\')
            c = '/';
    }
    const bool isAbsolute = !slashed.empty() && slashed[0] == '/';

    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= slashed.size())
    {
        std::size_t end = slashed.find('/', start);
        if (end == std::string::npos)
            end = slashed.size();
        const std::string part = slashed.substr(start, end - start);
        if (part == "..")
        {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!isAbsolute)
                parts.push_back(part);
        }
        else if (!part.empty() && part != ".")
            parts.push_back(part);
        start = end + 1;
    }

    std::string resolved = isAbsolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i)
    {
        std::string part = parts[i];
        const std::string folder = resolved;
        if (part != ".." && !Exists(resolved + part))
            part = MatchEntry(folder, part);
        resolved += part;
        if (i + 1 < parts.size())
            resolved += '/';
    }
    if (resolved.empty())
        resolved = ".";
    return resolved;
}

std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t bufferSize)
{
    if (bufferSize == 0)
        return std::string();
    bool exists = false;
    const std::vector<std::string> lines = ReadLines(ResolvePath(file), &exists);

    std::string result;
    bool found = false;
    std::size_t i = FindSection(lines, section);
    if (i < lines.size())
    {
        std::string name;
        std::string value;
        for (++i; i < lines.size() && !ParseHeader(lines[i], &name); ++i)
        {
            if (Trim(lines[i]).empty())
                continue;
            ParseEntry(lines[i], &name, &value);
            if (EqualNoCase(name, key))
            {
                result = StripQuotes(value);
                found = true;
                break;
            }
        }
    }
    if (!found)
    {
        result = defaultValue;
        while (!result.empty() && IsBlank(result.back()))
            result.pop_back();
    }
    if (result.size() > bufferSize - 1)
        result.resize(bufferSize - 1);
    return result;
}

bool StoreProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value)
{
    const std::string path = ResolvePath(file);
    bool exists = false;
    std::vector<std::string> lines = ReadLines(path, &exists);
    const std::string entry = key + "=" + value;

    const std::size_t header = FindSection(lines, section);
    if (header == lines.size())
    {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.push_back(std::string());
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    else
    {
        std::size_t lastEntry = header;
        bool replaced = false;
        std::string name;
        std::string oldValue;
        for (std::size_t i = header + 1; i < lines.size() && !ParseHeader(lines[i], &name); ++i)
        {
            if (Trim(lines[i]).empty())
                continue;
            lastEntry = i;
            ParseEntry(lines[i], &name, &oldValue);
            if (EqualNoCase(name, key))
            {
                lines[i] = name + "=" + value;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            lines.insert(lines.begin() + std::ptrdiff_t(lastEntry + 1), entry);
    }

    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool isWritten = true;
    for (const std::string& line : lines)
    {
        const std::string text = line + "\r\n";
        isWritten = isWritten && std::fwrite(text.data(), 1, text.size(), out) == text.size();
    }
    return std::fclose(out) == 0 && isWritten;
}

bool WriteFileToDisk(const std::string& path, const std::string& bytes)
{
    const int file = open(ResolvePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0)
        return false;
    bool isWritten = true;
    std::size_t done = 0;
    while (isWritten && done < bytes.size())
    {
        const ssize_t written = write(file, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        isWritten = written > 0;
        if (isWritten)
            done += std::size_t(written);
    }
    isWritten = isWritten && fsync(file) == 0;
    return close(file) == 0 && isWritten;
}

bool MoveFileReplacing(const std::string& from, const std::string& to)
{
    return std::rename(ResolvePath(from).c_str(), ResolvePath(to).c_str()) == 0;
}

FileKind GetFileKind(const std::string& path)
{
    struct stat info;
    if (stat(ResolvePath(path).c_str(), &info) != 0)
        return FileKind::kMissing;
    if (S_ISREG(info.st_mode))
        return FileKind::kRegular;
    return S_ISDIR(info.st_mode) ? FileKind::kFolder : FileKind::kOther;
}

std::string FollowLinks(const std::string& path)
{
    constexpr int kMaxLinks = 40; // as the kernel allows
    std::string current = ResolvePath(path);
    for (int hop = 0; hop < kMaxLinks; ++hop)
    {
        std::vector<char> target(4096);
        const ssize_t length = readlink(current.c_str(), target.data(), target.size());
        if (length < 0)
            return current;
        std::string next(target.data(), std::size_t(length));
        // A relative link names a file beside the link.
        const std::size_t slash = current.rfind('/');
        if (!next.empty() && next[0] != '/' && slash != std::string::npos)
            next = current.substr(0, slash + 1) + next;
        current = next;
    }
    return std::string(); // a loop of links names no file
}

bool IsReadOnlyFile(const std::string& path)
{
    const std::string resolved = ResolvePath(path);
    struct stat info;
    if (stat(resolved.c_str(), &info) != 0)
        return false;
    // The mode bits too: access() grants root every write.
    return (info.st_mode & 0222) == 0 || access(resolved.c_str(), W_OK) != 0;
}

namespace
{
// Owner and group first: a change of owner clears the set-id bits that the mode then gives.
bool KeepOwnerAndMode(int file, const struct stat& original)
{
    mode_t mode = original.st_mode & 07777;
    if (fchown(file, original.st_uid, original.st_gid) != 0 &&
        fchown(file, static_cast<uid_t>(-1), original.st_gid) != 0)
        mode &= ~(S_IRWXG | S_ISGID); // our group, not the file's: it gains nothing
    return fchmod(file, mode) == 0;
}
} // namespace

std::string WriteNewFileBeside(const std::string& path, const std::string& bytes)
{
    const std::string resolved = ResolvePath(path);
    struct stat original;
    const bool hasOriginal = stat(resolved.c_str(), &original) == 0 && S_ISREG(original.st_mode);
    const unsigned long seed = (unsigned long)getpid() * 7919ul + (unsigned long)time(nullptr);
    for (unsigned long attempt = 0; attempt < 100; ++attempt)
    {
        const std::string name = TemporaryNameBeside(resolved, seed + attempt);
        // O_EXCL with O_NOFOLLOW: a file, folder or link of that name is never opened.
        const int file =
            open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (file < 0)
        {
            if (errno == EEXIST)
                continue;
            return std::string();
        }
        bool isWritten = !hasOriginal || KeepOwnerAndMode(file, original);
        std::size_t done = 0;
        while (isWritten && done < bytes.size())
        {
            const ssize_t written = write(file, bytes.data() + done, bytes.size() - done);
            if (written < 0 && errno == EINTR)
                continue;
            isWritten = written > 0;
            if (isWritten)
                done += std::size_t(written);
        }
        isWritten = isWritten && fsync(file) == 0;
        isWritten = close(file) == 0 && isWritten;
        if (isWritten)
            return name;
        unlink(name.c_str());
        return std::string();
    }
    return std::string();
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes, SaveFailure*)
{
    // The new file takes the old one's mode, owner and group (WriteNewFileBeside).
    return WriteBesideAndRename(path, bytes);
}

std::FILE* OpenFileForReading(const std::string& path)
{
    return std::fopen(ResolvePath(path).c_str(), "rb");
}

bool GetOpenFileStamp(std::FILE* file, FileStamp* stamp)
{
    struct stat info;
    if (file == nullptr || fstat(fileno(file), &info) != 0)
        return false;
    stamp->volume = static_cast<uint64_t>(info.st_dev);
    stamp->index = static_cast<uint64_t>(info.st_ino);
    stamp->size = static_cast<int64_t>(info.st_size);
    stamp->writeTime =
        static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

bool RemoveFile(const std::string& path)
{
    // unlink, not remove: remove would take an empty folder as well.
    return unlink(ResolvePath(path).c_str()) == 0;
}

LocalTime GetLocalTime()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm parts{};
    localtime_r(&now.tv_sec, &parts);
    LocalTime time;
    time.year = parts.tm_year + 1900;
    time.month = parts.tm_mon + 1;
    time.day = parts.tm_mday;
    time.hour = parts.tm_hour;
    time.minute = parts.tm_min;
    time.second = parts.tm_sec;
    time.millisecond = int(now.tv_nsec / 1000000);
    return time;
}

unsigned long CurrentThreadId()
{
    return static_cast<unsigned long>(syscall(SYS_gettid)) & 0xffffffffUL;
}

struct Lock::Impl
{
    std::mutex mutex;
};

Lock::Lock()
    : m_impl(new Impl)
{
}

Lock::~Lock() = default;

void Lock::Enter()
{
    m_impl->mutex.lock();
}

void Lock::Leave()
{
    m_impl->mutex.unlock();
}
} // namespace fw::os
