// Windows side of the operating-system seam: thin calls of the system functions.
#include "platform/base/os.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace fw::os
{
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
