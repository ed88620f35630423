// Deck files through the Windows calls: a handle checked for being a disk file, then a stream.
#include "io/bulk/DeckFile.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

CDeckFile::EOpen CDeckFile::Open(const std::string& path)
{
    Close();
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
    {
        // A folder cannot be opened this way; say what it is rather than that it is missing.
        const DWORD attributes = GetFileAttributesA(path.c_str());
        const bool isFolder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return isFolder ? kNotAFile : kCannotOpen;
    }
    BY_HANDLE_FILE_INFORMATION information = {};
    // "CON", "NUL", "COM1" and pipes are no disk files.
    if (GetFileType(handle) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(handle, &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    {
        CloseHandle(handle);
        return kNotAFile;
    }
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0)
    {
        CloseHandle(handle);
        return kCannotOpen;
    }
    m_file = _fdopen(descriptor, "rb");
    if (m_file == nullptr)
    {
        _close(descriptor);
        return kCannotOpen;
    }
    m_identity.volume = information.dwVolumeSerialNumber;
    m_identity.file =
        (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return kOpened;
}
