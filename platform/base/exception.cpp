// Exception descriptions and throw helpers.
#include "platform/base/exception.h"

#include <algorithm>
#include <cstring>

namespace
{
const char* const kFileCauses[] = {"no error",
                                   "an unspecified error occurred",
                                   "the file was not found",
                                   "the path is invalid",
                                   "too many files are open",
                                   "access was denied",
                                   "the file handle is invalid",
                                   "the current directory cannot be removed",
                                   "the directory is full",
                                   "the file position could not be set",
                                   "a hardware I/O error occurred",
                                   "a sharing violation occurred",
                                   "a locking violation occurred",
                                   "the disk is full",
                                   "the end of the file was reached"};

const char* const kArchiveCauses[] = {"no error",
                                      "an unspecified error occurred",
                                      "the archive was opened for reading only",
                                      "the end of the archive was reached",
                                      "the archive was opened for writing only",
                                      "the archive holds an invalid object reference",
                                      "the archive holds an unknown class",
                                      "the archive holds an unexpected class version"};

template <size_t N>
const char* CauseText(const char* const (&texts)[N], int cause)
{
    return cause >= 0 && static_cast<size_t>(cause) < N ? texts[cause] : texts[1];
}

CString WithFileName(const CString& fileName, const char* cause)
{
    CString text;
    if (fileName.IsEmpty())
        text.Format("An error occurred: %s.", cause);
    else
        text.Format("%s: %s.", fileName.GetString(), cause);
    return text;
}
} // namespace

bool CException::GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    const CString text = Describe();
    if (buffer && maxLength > 0)
    {
        const size_t length = std::min<size_t>(static_cast<size_t>(text.GetLength()),
                                               static_cast<size_t>(maxLength) - 1);
        std::memcpy(buffer, text.GetString(), length);
        buffer[length] = '\0';
    }
    return !text.IsEmpty();
}

CString CException::GetErrorText() const
{
    return Describe();
}

CFileException::CFileException(int cause, LONG osError, const char* fileName)
    : m_cause(cause)
    , m_lOsError(osError)
    , m_strFileName(fileName)
{
}

CString CFileException::Describe() const
{
    return WithFileName(m_strFileName, CauseText(kFileCauses, m_cause));
}

CArchiveException::CArchiveException(int cause, const char* fileName)
    : m_cause(cause)
    , m_strFileName(fileName)
{
}

CString CArchiveException::Describe() const
{
    return WithFileName(m_strFileName, CauseText(kArchiveCauses, m_cause));
}

namespace fw
{
void ThrowMemoryException()
{
    throw new CMemoryException;
}

void ThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void ThrowResourceException()
{
    throw new CResourceException;
}

void ThrowUserException()
{
    throw new CUserException;
}

void ThrowFileException(int cause, LONG osError, const char* fileName)
{
    throw new CFileException(cause, osError, fileName);
}

void ThrowArchiveException(int cause, const char* fileName)
{
    throw new CArchiveException(cause, fileName);
}
} // namespace fw
