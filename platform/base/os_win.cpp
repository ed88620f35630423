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
SaveFault g_saveFault;

constexpr DWORD kCopyChunk = 1u << 20;

class OwnedHandle
{
public:
    explicit OwnedHandle(HANDLE handle = INVALID_HANDLE_VALUE)
        : m_handle(handle)
    {
    }
    ~OwnedHandle() { Close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle& operator=(HANDLE handle)
    {
        Close();
        m_handle = handle;
        return *this;
    }

    HANDLE Get() const { return m_handle; }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Close()
    {
        const bool isClosed = !IsOpen() || CloseHandle(m_handle) != FALSE;
        m_handle = INVALID_HANDLE_VALUE;
        return isClosed;
    }

private:
    HANDLE m_handle;
};

// Writes from the file's current position; stops, as a full disk does, at failAfter bytes
// (-1: never).
bool WriteBytes(HANDLE file, const char* data, std::size_t size, long long failAfter = -1)
{
    std::size_t done = 0;
    while (done < size)
    {
        DWORD chunk = DWORD(std::min<std::size_t>(size - done, kCopyChunk));
        if (failAfter >= 0)
        {
            if (done >= std::size_t(failAfter))
                return false;
            chunk = DWORD(std::min<std::size_t>(chunk, std::size_t(failAfter) - done));
        }
        DWORD written = 0;
        if (WriteFile(file, data + done, chunk, &written, nullptr) == FALSE || written != chunk)
            return false;
        done += written;
    }
    return true;
}

bool Rewind(HANDLE file)
{
    LARGE_INTEGER start = {};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != FALSE;
}

// The whole of one file's contents as the whole of another's, forced to the disk.
bool CopyContents(HANDLE from, HANDLE to, bool isFailing = false)
{
    if (isFailing || !Rewind(from) || !Rewind(to))
        return false;
    std::vector<char> buffer(kCopyChunk);
    for (;;)
    {
        DWORD got = 0;
        if (ReadFile(from, buffer.data(), kCopyChunk, &got, nullptr) == FALSE)
            return false;
        if (got == 0)
            break;
        if (!WriteBytes(to, buffer.data(), got))
            return false;
    }
    return SetEndOfFile(to) != FALSE && FlushFileBuffers(to) != FALSE;
}

bool DeleteOnClose(HANDLE file)
{
    // Wine shows a file nobody may write as read-only, which it will not delete: the attribute
    // goes first (times of 0 are left as they are).
    FILE_BASIC_INFO basic = {};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

// A new file beside path that nobody may open but through the handle returned: an empty access
// list, kept from what the folder would hand down. Its owner may still change that list (under
// Wine: its mode is 0), so a copy left by an interrupted save stays within reach.
HANDLE CreateSealedFileBeside(const std::string& path, std::string* name)
{
    SECURITY_DESCRIPTOR descriptor;
    ACL emptyList;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !InitializeAcl(&emptyList, sizeof emptyList, ACL_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, &emptyList, FALSE) ||
        !SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED))
        return INVALID_HANDLE_VALUE;
    SECURITY_ATTRIBUTES sealed = {sizeof sealed, &descriptor, FALSE};
    const unsigned long seed = GetCurrentProcessId() * 7919ul + GetTickCount();
    for (unsigned long attempt = 0; attempt < 100; ++attempt)
    {
        *name = TemporaryNameBeside(path, seed + attempt);
        const HANDLE file = CreateFileA(name->c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0,
                                        &sealed, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
            GetFileAttributesA(name->c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
    }
    name->clear();
    return INVALID_HANDLE_VALUE;
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
        if (isWritten)
            return name;
        DeleteFileA(name.c_str());
        return std::string();
    }
    return std::string();
}

void SetSaveFault(const SaveFault& fault)
{
    g_saveFault = fault;
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes, SaveFailure* failure)
{
    // Opened to nobody else: no reader sees it half written, and a holder that lets nobody
    // write makes the save fail before anything changed.
    OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen() && GetLastError() == ERROR_ACCESS_DENIED)
    {
        file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file.IsOpen() &&
            WriteBytes(file.Get(), bytes.data(), bytes.size(), g_saveFault.newContentsFailAfter) &&
            SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get()))
            return file.Close();
        if (failure != nullptr && file.IsOpen())
            failure->isFileChanged = true;
        return false;
    }
    if (!file.IsOpen())
        return false;
    std::string copyName;
    OwnedHandle copy(CreateSealedFileBeside(path, &copyName));
    if (!copy.IsOpen())
        return false;
    if (!CopyContents(file.Get(), copy.Get()))
    {
        DeleteOnClose(copy.Get());
        return false;
    }
    if (Rewind(file.Get()) &&
        WriteBytes(file.Get(), bytes.data(), bytes.size(), g_saveFault.newContentsFailAfter) &&
        SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get()) && file.Close())
    {
        DeleteOnClose(copy.Get());
        return true;
    }
    if (file.IsOpen() && CopyContents(copy.Get(), file.Get(), g_saveFault.isPuttingBackFailing))
    {
        DeleteOnClose(copy.Get());
        return false;
    }
    // Kept: the only whole form of what the file held.
    if (failure != nullptr)
    {
        failure->isFileChanged = true;
        failure->formerContents = copyName;
    }
    return false;
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
