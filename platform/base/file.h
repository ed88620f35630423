// Files: CFile (unbuffered, 64-bit positions, throws CFileException*), CStdioFile (buffered
// lines) and CMemFile (a growable memory block). Text mode, the default of CStdioFile, reads
// "\r\n" as "\n" and writes "\n" as "\r\n" in both builds, so files and lines are the same
// whichever build wrote or reads them. Native builds read '\\' in paths as '/'.
#pragma once

#include "platform/base/exception.h"
#include "platform/base/object.h"
#include "platform/base/string.h"
#include "platform/base/types.h"

#include <vector>

namespace fw
{
#ifdef _WIN32
using FileHandle = HANDLE;
#else
using FileHandle = int;
#endif

// A function rather than a constant, so that files constructed during static
// initialisation start closed whatever the order of initialisation.
inline FileHandle NullFileHandle()
{
#ifdef _WIN32
    return INVALID_HANDLE_VALUE;
#else
    return -1;
#endif
}
} // namespace fw

class CFile : public CObject
{
    FW_CLASS(CFile, CObject)

    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };

    enum SeekPosition
    {
        begin = 0,
        current = 1,
        end = 2
    };

    static const fw::FileHandle hFileNull;

    CFile() = default;
    // Opens or throws CFileException*.
    CFile(const char* fileName, UINT openFlags);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes the file; errors on closing are ignored here (call Close to see them).
    ~CFile() override;

    // False on failure, with the reason in *error when given. An open file is closed first.
    virtual bool Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    // The number of bytes read; less than count only at the end of the file.
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    // Returns the new position; a position before the start throws badSeek.
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    // Also moves the position to the new length.
    virtual void SetLength(ULONGLONG newLength);
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors.
    virtual void Abort();

    virtual bool IsOpen() const { return m_hFile != fw::NullFileHandle(); }
    const CString& GetFilePath() const { return m_strFileName; }
    // The name after the last path separator.
    CString GetFileName() const;

    fw::FileHandle m_hFile = fw::NullFileHandle();

protected:
    [[noreturn]] void ThrowOsError(LONG osError) const;
    bool IsReadOnly() const { return (m_openFlags & 0x3) == modeRead; }

    CString m_strFileName;
    UINT m_openFlags = 0;
};

class CStdioFile : public CFile
{
    FW_CLASS(CStdioFile, CFile)

    CStdioFile() = default;
    CStdioFile(const char* fileName, UINT openFlags);
    ~CStdioFile() override;

    bool Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
    // One line without its line feed; false at the end of the file when nothing was read.
    // Any length: the line is not cut.
    virtual bool ReadString(CString& line);
    // At most maxLength - 1 bytes up to and including a line feed, terminated; null at the
    // end of the file.
    virtual char* ReadString(char* buffer, UINT maxLength);
    virtual void WriteString(const char* text);

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG newLength) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

private:
    bool IsText() const { return (m_openFlags & typeBinary) == 0; }
    // Next byte of the file, or -1 at its end; text mode turns "\r\n" into '\n'.
    int GetChar();
    int GetRawByte();
    bool FillBuffer();
    void PutRaw(const char* bytes, size_t count);
    void FlushWrites();
    void DropReadBuffer();

    std::vector<char> m_buffer;
    size_t m_readPos = 0;  // next unread byte in m_buffer
    size_t m_readEnd = 0;  // end of the read bytes in m_buffer
    size_t m_writeEnd = 0; // pending bytes to write in m_buffer
};

class CMemFile : public CFile
{
    FW_CLASS(CMemFile, CFile)

    explicit CMemFile(UINT growBytes = 1024);
    // Uses the caller's buffer as the file; the caller keeps owning it. With growBytes 0 a
    // write past size throws CMemoryException*; otherwise growing moves the data to a block
    // of the file's own.
    CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
    // Hands the block to the caller (free it with free()) and empties the file.
    BYTE* Detach();

    bool Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override { return m_position; }
    ULONGLONG GetLength() const override { return m_size; }
    void SetLength(ULONGLONG newLength) override;
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }
    bool IsOpen() const override { return true; }

private:
    void Resize(ULONGLONG newLength);
    void Reserve(size_t capacity);

    BYTE* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
    ULONGLONG m_position = 0;
    UINT m_growBytes = 1024;
    bool m_ownsData = true; // false while the data is an attached caller's buffer
};

namespace fw
{
// The CFileException cause for an operating-system error code of this build.
int FileCauseFromOsError(LONG osError);
} // namespace fw
