// CFile on Win32 handles (ANSI file names).
#include "platform/base/file.h"

#include <windows.h>

const fw::FileHandle CFile::hFileNull = fw::NullFileHandle();

namespace
{
DWORD ShareModeFor(UINT openFlags)
{
    switch (openFlags & 0x70)
    {
    case CFile::shareExclusive: return 0;
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE; // deny none, and the default
    }
}

DWORD AccessFor(UINT openFlags)
{
    switch (openFlags & 0x3)
    {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD DispositionFor(UINT openFlags)
{
    if (openFlags & CFile::modeCreate)
        return (openFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    return OPEN_EXISTING;
}

LONG LastError()
{
    return static_cast<LONG>(::GetLastError());
}
} // namespace

namespace fw
{
int FileCauseFromOsError(LONG osError)
{
    switch (osError)
    {
    case NO_ERROR: return CFileException::none;
    case ERROR_FILE_NOT_FOUND: return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return CFileException::accessDenied;
    case ERROR_INVALID_HANDLE: return CFileException::invalidFile;
    case ERROR_CURRENT_DIRECTORY: return CFileException::removeCurrentDir;
    case ERROR_CANNOT_MAKE: return CFileException::directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_INVALID_PARAMETER: return CFileException::badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT: return CFileException::hardIO;
    case ERROR_SHARING_VIOLATION: return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION: return CFileException::lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return CFileException::diskFull;
    case ERROR_HANDLE_EOF: return CFileException::endOfFile;
    default: return CFileException::genericException;
    }
}
} // namespace fw

CFile::~CFile()
{
    if (m_hFile != fw::NullFileHandle())
        ::CloseHandle(m_hFile);
}

bool CFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    Abort();
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr,
                                    (openFlags & modeNoInherit) ? FALSE : TRUE};
    const HANDLE handle =
        ::CreateFileA(fileName ? fileName : "", AccessFor(openFlags), ShareModeFor(openFlags),
                      &security, DispositionFor(openFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
    {
        if (error)
        {
            const LONG osError = LastError();
            error->m_cause = fw::FileCauseFromOsError(osError);
            error->m_lOsError = osError;
            error->m_strFileName = fileName;
        }
        return false;
    }
    m_hFile = handle;
    m_strFileName = fileName;
    m_openFlags = openFlags;
    return true;
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD got = 0;
    if (count > 0 && !::ReadFile(m_hFile, buffer, count, &got, nullptr))
    {
        const LONG osError = LastError();
        if (osError != ERROR_BROKEN_PIPE && osError != ERROR_HANDLE_EOF)
            ThrowOsError(osError);
    }
    return got;
}

void CFile::Write(const void* buffer, UINT count)
{
    DWORD put = 0;
    if (count == 0)
        return;
    if (!::WriteFile(m_hFile, buffer, count, &put, nullptr))
        ThrowOsError(LastError());
    if (put < count)
        ThrowOsError(ERROR_DISK_FULL);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    const DWORD method = from == current ? FILE_CURRENT : (from == end ? FILE_END : FILE_BEGIN);
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, method))
        ThrowOsError(LastError());
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        ThrowOsError(LastError());
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowOsError(LastError());
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG newLength)
{
    Seek(static_cast<LONGLONG>(newLength), begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowOsError(LastError());
}

void CFile::Flush()
{
    if (m_hFile == fw::NullFileHandle() || IsReadOnly())
        return;
    if (!::FlushFileBuffers(m_hFile))
        ThrowOsError(LastError());
}

void CFile::Close()
{
    if (m_hFile == fw::NullFileHandle())
        return;
    const BOOL closed = ::CloseHandle(m_hFile);
    const LONG osError = LastError();
    m_hFile = fw::NullFileHandle();
    if (!closed)
        ThrowOsError(osError);
}

void CFile::Abort()
{
    if (m_hFile != fw::NullFileHandle())
        ::CloseHandle(m_hFile);
    m_hFile = fw::NullFileHandle();
}
