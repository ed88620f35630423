// Windows side of the operating-system seam: thin calls of the system functions.
#include "platform/base/os.h"

#include <windows.h>

#include <algorithm>
#include <io.h>
#include <share.h>
#include <vector>

namespace fw::os
{
namespace
{
// Read-only is left out: a read-only file is never replaced, and a read-only temporary could
// not be removed when the replacement fails.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// What a file that replaces another takes over from it.
struct Protection
{
    bool hasFile = false;
    DWORD attributes = 0;
    std::vector<BYTE> accessList; // a security descriptor with the DACL; empty: none to copy
};

Protection ProtectionOf(const std::string& path)
{
    Protection protection;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return protection;
    protection.hasFile = true;
    protection.attributes = attributes & kKeptAttributes;
    DWORD needed = 0;
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    protection.accessList.resize(needed);
    // A volume without access lists has none to copy.
    if (needed == 0 || !GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION,
                                         protection.accessList.data(), needed, &needed))
        protection.accessList.clear();
    return protection;
}

bool GiveProtection(const std::string& path, const Protection& protection)
{
    if (!protection.hasFile)
        return true;
    if (!protection.accessList.empty() &&
        !SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION,
                          const_cast<BYTE*>(protection.accessList.data())))
        return false;
    const DWORD attributes =
        protection.attributes != 0 ? protection.attributes : DWORD(FILE_ATTRIBUTE_NORMAL);
    return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}
} // namespace

std::string ExecutableFolder()
{
    std::vector<char> name(MAX_PATH);
    for (;;)
    {
        const DWORD length = GetModuleFileNameA(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return std::string();
        if (length < name.size())
        {
            const std::string path(name.data(), length);
            const std::size_t cut = path.find_last_of("\\/");
            return cut == std::string::npos ? std::string() : path.substr(0, cut);
        }
        // The name was cut to the buffer: try again with a larger one.
        name.resize(name.size() * 2);
    }
}

bool SetCurrentFolder(const std::string& folder)
{
    return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

std::string ResolvePath(const std::string& path)
{
    return path;
}

std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& defaultValue,
                              std::size_t bufferSize)
{
    if (bufferSize == 0)
        return std::string();
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                 DWORD(bufferSize), file.c_str());
    return std::string(buffer.data(), length < bufferSize ? length : bufferSize - 1);
}

bool StoreProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           FALSE;
}

bool WriteFileToDisk(const std::string& path, const std::string& bytes)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool isWritten = true;
    std::size_t done = 0;
    while (isWritten && done < bytes.size())
    {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        isWritten = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) != FALSE &&
                    written == chunk;
        done += written;
    }
    isWritten = isWritten && FlushFileBuffers(file) != FALSE;
    return CloseHandle(file) != FALSE && isWritten;
}

bool MoveFileReplacing(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

FileKind GetFileKind(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
    {
        // Devices ("NUL", "COM1", pipes) have no attributes but open.
        const HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return FileKind::kMissing;
        CloseHandle(handle);
        return FileKind::kOther;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FileKind::kFolder;
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0)
        return FileKind::kOther;
    // "NUL", "CON" and their kin show attributes of a file: only a disk file is one.
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (DWORD access : {DWORD(0), DWORD(GENERIC_READ)}) // the console opens only to be read
    {
        handle = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            break;
    }
    if (handle == INVALID_HANDLE_VALUE)
        return FileKind::kRegular; // there, but not to be opened now: the reader will say so
    const bool isDisk = GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    return isDisk ? FileKind::kRegular : FileKind::kOther;
}

std::string FollowLinks(const std::string& path)
{
    // Asked of every existing file: Wine shows a Unix link as a plain file, which only the
    // final name of an open handle tells apart.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return path;
    const bool isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    const HANDLE handle =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return isLink ? std::string() : path; // a link to nothing: no file to write through it
    std::vector<char> name(MAX_PATH);
    DWORD length = 0;
    for (;;)
    {
        length = GetFinalPathNameByHandleA(handle, name.data(), DWORD(name.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length < name.size())
            break;
        name.resize(length + 1);
    }
    CloseHandle(handle);
    if (length == 0)
        return isLink ? std::string() : path;
    std::string target(name.data(), length);
    // "\\?\C:\x" and "\\?\UNC\server\x" back to the paths the other calls take.
    if (target.compare(0, 8, "\\\\?\\UNC\\") == 0)
        target = "\\" + target.substr(7);
    else if (target.compare(0, 4, "\\\\?\\") == 0)
        target = target.substr(4);
    return target;
}

bool IsReadOnlyFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::string WriteNewFileBeside(const std::string& path, const std::string& bytes)
{
    const Protection protection = ProtectionOf(path);
    const unsigned long seed = GetCurrentProcessId() * 7919ul + GetTickCount();
    for (unsigned long attempt = 0; attempt < 100; ++attempt)
    {
        const std::string name = TemporaryNameBeside(path, seed + attempt);
        // CREATE_NEW: an existing file, folder or link of that name is never opened.
        const HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
        {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES)
                continue;
            return std::string();
        }
        bool isWritten = true;
        std::size_t done = 0;
        while (isWritten && done < bytes.size())
        {
            const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 20));
            DWORD written = 0;
            isWritten = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) != FALSE &&
                        written == chunk;
            done += written;
        }
        isWritten = isWritten && FlushFileBuffers(file) != FALSE;
        isWritten = CloseHandle(file) != FALSE && isWritten;
        // Given once the file is closed: it was opened to no one else.
        if (isWritten && GiveProtection(name, protection))
            return name;
        DeleteFileA(name.c_str());
        return std::string();
    }
    return std::string();
}

std::FILE* OpenFileForReading(const std::string& path)
{
    return _fsopen(path.c_str(), "rb", _SH_DENYWR);
}

bool GetOpenFileStamp(std::FILE* file, FileStamp* stamp)
{
    const intptr_t osHandle = file != nullptr ? _get_osfhandle(_fileno(file)) : -1;
    BY_HANDLE_FILE_INFORMATION info;
    if (osHandle == -1 || !GetFileInformationByHandle(reinterpret_cast<HANDLE>(osHandle), &info))
        return false;
    stamp->volume = info.dwVolumeSerialNumber;
    stamp->index = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp->size = int64_t((uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    stamp->writeTime = int64_t((uint64_t(info.ftLastWriteTime.dwHighDateTime) << 32) |
                               info.ftLastWriteTime.dwLowDateTime);
    return true;
}

bool RemoveFile(const std::string& path)
{
    return DeleteFileA(path.c_str()) != FALSE;
}

LocalTime GetLocalTime()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    time.millisecond = now.wMilliseconds;
    return time;
}

unsigned long CurrentThreadId()
{
    return GetCurrentThreadId();
}

struct Lock::Impl
{
    CRITICAL_SECTION section;
};

Lock::Lock()
    : m_impl(new Impl)
{
    InitializeCriticalSection(&m_impl->section);
}

Lock::~Lock()
{
    DeleteCriticalSection(&m_impl->section);
}

void Lock::Enter()
{
    EnterCriticalSection(&m_impl->section);
}

void Lock::Leave()
{
    LeaveCriticalSection(&m_impl->section);
}
} // namespace fw::os
