// CFile on POSIX descriptors. Paths written with '\\' are read with '/', so that the
// program's Windows-style relative paths work in the native build.
#include "platform/base/file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const fw::FileHandle CFile::hFileNull = fw::NullFileHandle();

namespace
{
std::string NativePath(const char* fileName)
{
    std::string path(fileName);
    for (char& ch : path)
    {
        if (ch == '\\')
            ch = '/';
    }
    return path;
}

// Windows tells a missing file from a missing folder on its path; so do we.
bool HasFolder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return true;
    struct stat info;
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A read from a file opened only for writing (or the reverse) fails with EBADF here and
// with access denied on Windows; report it as Windows does.
int AccessError(int osError, int descriptor)
{
    return osError == EBADF && descriptor >= 0 ? EACCES : osError;
}

int OpenFlagsFor(UINT openFlags)
{
    int flags = O_CLOEXEC;
    switch (openFlags & 0x3)
    {
    case CFile::modeWrite: flags |= O_WRONLY; break;
    case CFile::modeReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY; break;
    }
    if (openFlags & CFile::modeCreate)
        flags |= O_CREAT | ((openFlags & CFile::modeNoTruncate) ? 0 : O_TRUNC);
    return flags;
}
} // namespace

namespace fw
{
int FileCauseFromOsError(LONG osError)
{
    switch (osError)
    {
    case 0: return CFileException::none;
    case ENOENT: return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return CFileException::badPath;
    case EMFILE:
    case ENFILE: return CFileException::tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return CFileException::accessDenied;
    case EBADF: return CFileException::invalidFile;
    case EINVAL:
    case ESPIPE: return CFileException::badSeek;
    case EIO: return CFileException::hardIO;
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return CFileException::diskFull;
    default: return CFileException::genericException;
    }
}
} // namespace fw

CFile::~CFile()
{
    if (m_hFile != fw::NullFileHandle())
        ::close(m_hFile);
}

bool CFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    Abort();
    const std::string path = NativePath(fileName ? fileName : "");
    int descriptor = ::open(path.c_str(), OpenFlagsFor(openFlags), 0666);
    int osError = descriptor < 0 ? errno : 0;
    struct stat info;
    // Windows refuses to open a folder as a file; do the same.
    if (descriptor >= 0 && ::fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode))
    {
        ::close(descriptor);
        descriptor = -1;
        osError = EISDIR;
    }
    if (descriptor < 0)
    {
        if (error)
        {
            error->m_cause = osError == ENOENT && !HasFolder(path)
                                 ? static_cast<int>(CFileException::badPath)
                                 : fw::FileCauseFromOsError(osError);
            error->m_lOsError = osError;
            error->m_strFileName = fileName;
        }
        return false;
    }
    m_hFile = descriptor;
    m_strFileName = fileName;
    m_openFlags = openFlags;
    return true;
}

UINT CFile::Read(void* buffer, UINT count)
{
    char* out = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count)
    {
        const ssize_t got = ::read(m_hFile, out + done, count - done);
        if (got < 0)
        {
            if (errno == EINTR)
                continue;
            ThrowOsError(AccessError(errno, m_hFile));
        }
        if (got == 0)
            break;
        done += static_cast<UINT>(got);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count)
{
    const char* in = static_cast<const char*>(buffer);
    UINT done = 0;
    while (done < count)
    {
        const ssize_t put = ::write(m_hFile, in + done, count - done);
        if (put < 0)
        {
            if (errno == EINTR)
                continue;
            ThrowOsError(AccessError(errno, m_hFile));
        }
        if (put == 0)
            ThrowOsError(ENOSPC);
        done += static_cast<UINT>(put);
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    const int whence = from == current ? SEEK_CUR : (from == end ? SEEK_END : SEEK_SET);
    const off_t position = ::lseek(m_hFile, static_cast<off_t>(offset), whence);
    if (position < 0)
        ThrowOsError(errno);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetPosition() const
{
    const off_t position = ::lseek(m_hFile, 0, SEEK_CUR);
    if (position < 0)
        ThrowOsError(errno);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetLength() const
{
    struct stat info;
    if (::fstat(m_hFile, &info) != 0)
        ThrowOsError(errno);
    return static_cast<ULONGLONG>(info.st_size);
}

void CFile::SetLength(ULONGLONG newLength)
{
    if (::ftruncate(m_hFile, static_cast<off_t>(newLength)) != 0)
        ThrowOsError(errno);
    Seek(static_cast<LONGLONG>(newLength), begin);
}

void CFile::Flush()
{
    if (m_hFile == fw::NullFileHandle() || IsReadOnly())
        return;
    if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS)
        ThrowOsError(errno);
}

void CFile::Close()
{
    if (m_hFile == fw::NullFileHandle())
        return;
    const int result = ::close(m_hFile);
    const int osError = errno;
    m_hFile = fw::NullFileHandle();
    if (result != 0)
        ThrowOsError(osError);
}

void CFile::Abort()
{
    if (m_hFile != fw::NullFileHandle())
        ::close(m_hFile);
    m_hFile = fw::NullFileHandle();
}
