// The framework's exceptions. They are thrown as heap pointers and the catcher frees them:
//   catch (CException* e) { report(e); e->Delete(); }
// Catch-all sites also catch "..." for failures from the standard library.
#pragma once

#include "platform/base/object.h"
#include "platform/base/string.h"

class CException : public CObject
{
    FW_CLASS(CException, CObject)

    void Delete() { delete this; }
    // Copies a description into buffer (always terminated); false when there is none.
    virtual bool GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const;
    // The description as a string; empty when there is none.
    CString GetErrorText() const;

protected:
    virtual CString Describe() const { return CString(); }
};

class CMemoryException : public CException
{
    FW_CLASS(CMemoryException, CException)

protected:
    CString Describe() const override { return "Out of memory."; }
};

class CNotSupportedException : public CException
{
    FW_CLASS(CNotSupportedException, CException)

protected:
    CString Describe() const override { return "Unsupported operation."; }
};

class CResourceException : public CException
{
    FW_CLASS(CResourceException, CException)

protected:
    CString Describe() const override { return "A required resource was unavailable."; }
};

// Thrown after the user has already been told; catchers stay silent.
class CUserException : public CException
{
    FW_CLASS(CUserException, CException)
};

class CFileException : public CException
{
    FW_CLASS(CFileException, CException)

    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr);

    int m_cause;
    LONG m_lOsError; // GetLastError() on Windows, errno natively; -1 when unknown
    CString m_strFileName;

protected:
    CString Describe() const override;
};

class CArchiveException : public CException
{
    FW_CLASS(CArchiveException, CException)

    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    explicit CArchiveException(int cause = none, const char* fileName = nullptr);

    int m_cause;
    CString m_strFileName;

protected:
    CString Describe() const override;
};

namespace fw
{
[[noreturn]] void ThrowMemoryException();
[[noreturn]] void ThrowNotSupportedException();
[[noreturn]] void ThrowResourceException();
[[noreturn]] void ThrowUserException();
[[noreturn]] void ThrowFileException(int cause, LONG osError = -1, const char* fileName = nullptr);
[[noreturn]] void ThrowArchiveException(int cause, const char* fileName = nullptr);
} // namespace fw
