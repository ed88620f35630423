// The portable parts of the files: CStdioFile's buffering and text mode, and CMemFile.
#include "platform/base/file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr size_t kStdioBufferSize = 64 * 1024;

[[noreturn]] void ThrowOpenFailure(const char* fileName, const CFileException& error)
{
    throw new CFileException(error.m_cause, error.m_lOsError, fileName);
}
} // namespace

CFile::CFile(const char* fileName, UINT openFlags)
{
    CFileException error;
    if (!CFile::Open(fileName, openFlags, &error))
        ThrowOpenFailure(fileName, error);
}

CString CFile::GetFileName() const
{
    const int slash = std::max(m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'));
    return m_strFileName.Mid(slash + 1);
}

void CFile::ThrowOsError(LONG osError) const
{
    fw::ThrowFileException(fw::FileCauseFromOsError(osError), osError, m_strFileName);
}

CStdioFile::CStdioFile(const char* fileName, UINT openFlags)
{
    CFileException error;
    if (!CStdioFile::Open(fileName, openFlags, &error))
        ThrowOpenFailure(fileName, error);
}

CStdioFile::~CStdioFile()
{
    if (m_writeEnd == 0 || !IsOpen())
        return;
    try
    {
        FlushWrites();
    }
    catch (CException* e) // a destructor cannot report; Close does
    {
        e->Delete();
    }
}

bool CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    Abort();
    return CFile::Open(fileName, openFlags, error);
}

bool CStdioFile::ReadString(CString& line)
{
    FlushWrites();
    std::string text;
    bool readAny = false;
    while (m_readPos < m_readEnd || FillBuffer())
    {
        readAny = true;
        const char* start = m_buffer.data() + m_readPos;
        const size_t available = m_readEnd - m_readPos;
        const char* feed = static_cast<const char*>(std::memchr(start, '\n', available));
        if (!feed)
        {
            text.append(start, available);
            m_readPos = m_readEnd;
            continue;
        }
        text.append(start, static_cast<size_t>(feed - start));
        m_readPos += static_cast<size_t>(feed - start) + 1;
        // The carriage return may have come at the end of the previous buffer.
        if (IsText() && !text.empty() && text.back() == '\r')
            text.pop_back();
        line = CString(text);
        return true;
    }
    line = CString(text);
    return readAny;
}

char* CStdioFile::ReadString(char* buffer, UINT maxLength)
{
    if (!buffer || maxLength == 0)
        return nullptr;
    FlushWrites();
    UINT length = 0;
    while (length + 1 < maxLength)
    {
        const int ch = GetChar();
        if (ch < 0)
            break;
        buffer[length++] = static_cast<char>(ch);
        if (ch == '\n')
            break;
    }
    buffer[length] = '\0';
    return length == 0 && maxLength > 1 ? nullptr : buffer;
}

void CStdioFile::WriteString(const char* text)
{
    if (text)
        Write(text, static_cast<UINT>(std::strlen(text)));
}

UINT CStdioFile::Read(void* buffer, UINT count)
{
    FlushWrites();
    char* out = static_cast<char*>(buffer);
    UINT done = 0;
    if (IsText())
    {
        for (int ch = 0; done < count && (ch = GetChar()) >= 0;)
            out[done++] = static_cast<char>(ch);
        return done;
    }
    while (done < count)
    {
        if (m_readPos == m_readEnd)
        {
            if (count - done >= kStdioBufferSize)
                return done + CFile::Read(out + done, count - done);
            if (!FillBuffer())
                break;
        }
        const size_t take = std::min<size_t>(count - done, m_readEnd - m_readPos);
        std::memcpy(out + done, m_buffer.data() + m_readPos, take);
        m_readPos += take;
        done += static_cast<UINT>(take);
    }
    return done;
}

void CStdioFile::Write(const void* buffer, UINT count)
{
    DropReadBuffer();
    const char* in = static_cast<const char*>(buffer);
    if (!IsText())
    {
        PutRaw(in, count);
        return;
    }
    size_t start = 0;
    for (size_t i = 0; i < count; ++i)
    {
        if (in[i] == '\n')
        {
            PutRaw(in + start, i - start);
            PutRaw("\r\n", 2);
            start = i + 1;
        }
    }
    PutRaw(in + start, count - start);
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    if (from == current)
    {
        offset += static_cast<LONGLONG>(GetPosition());
        from = begin;
    }
    FlushWrites();
    m_readPos = m_readEnd = 0; // the absolute seek below replaces the position
    return CFile::Seek(offset, from);
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() - (m_readEnd - m_readPos) + m_writeEnd;
}

ULONGLONG CStdioFile::GetLength() const
{
    return std::max<ULONGLONG>(CFile::GetLength(), CFile::GetPosition() + m_writeEnd);
}

void CStdioFile::SetLength(ULONGLONG newLength)
{
    FlushWrites();
    DropReadBuffer();
    CFile::SetLength(newLength);
}

void CStdioFile::Flush()
{
    FlushWrites();
}

void CStdioFile::Close()
{
    if (!IsOpen())
        return;
    try
    {
        FlushWrites();
    }
    catch (CException*)
    {
        Abort();
        throw;
    }
    m_readPos = m_readEnd = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_readPos = m_readEnd = m_writeEnd = 0;
    CFile::Abort();
}

int CStdioFile::GetChar()
{
    const int ch = GetRawByte();
    if (ch != '\r' || !IsText())
        return ch;
    const int next = GetRawByte();
    if (next == '\n')
        return '\n';
    if (next >= 0)
        --m_readPos; // the byte is still in the buffer, even after a refill
    return ch;
}

int CStdioFile::GetRawByte()
{
    if (m_readPos == m_readEnd && !FillBuffer())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_readPos++]);
}

bool CStdioFile::FillBuffer()
{
    if (m_buffer.size() < kStdioBufferSize)
        m_buffer.resize(kStdioBufferSize);
    m_readPos = 0;
    m_readEnd = CFile::Read(m_buffer.data(), static_cast<UINT>(kStdioBufferSize));
    return m_readEnd > 0;
}

void CStdioFile::PutRaw(const char* bytes, size_t count)
{
    if (m_buffer.size() < kStdioBufferSize)
        m_buffer.resize(kStdioBufferSize);
    if (m_writeEnd + count > m_buffer.size())
    {
        FlushWrites();
        if (count >= m_buffer.size())
        {
            CFile::Write(bytes, static_cast<UINT>(count));
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_writeEnd, bytes, count);
    m_writeEnd += count;
}

void CStdioFile::FlushWrites()
{
    if (m_writeEnd == 0)
        return;
    const size_t pending = m_writeEnd;
    m_writeEnd = 0; // a failed write is reported once, not again at close
    CFile::Write(m_buffer.data(), static_cast<UINT>(pending));
}

void CStdioFile::DropReadBuffer()
{
    const size_t unread = m_readEnd - m_readPos;
    m_readPos = m_readEnd = 0;
    if (unread > 0)
        CFile::Seek(-static_cast<LONGLONG>(unread), current);
}

CMemFile::CMemFile(UINT growBytes)
    : m_growBytes(growBytes)
{
}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes)
{
    Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile()
{
    Close();
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes)
{
    Close();
    m_data = buffer;
    m_size = buffer ? size : 0;
    m_capacity = m_size;
    m_growBytes = growBytes;
    m_ownsData = false;
}

BYTE* CMemFile::Detach()
{
    BYTE* data = m_data;
    m_data = nullptr;
    m_ownsData = true;
    Close();
    return data;
}

bool CMemFile::Open(const char*, UINT, CFileException* error)
{
    if (error)
        error->m_cause = CFileException::genericException;
    return false; // a memory file has no name to open
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    if (m_position >= m_size)
        return 0;
    const size_t take = static_cast<size_t>(std::min<ULONGLONG>(count, m_size - m_position));
    std::memcpy(buffer, m_data + m_position, take);
    m_position += take;
    return static_cast<UINT>(take);
}

void CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    const ULONGLONG newEnd = m_position + count;
    Resize(std::max<ULONGLONG>(newEnd, m_size)); // zero-fills a gap left by a seek
    std::memcpy(m_data + (newEnd - count), buffer, count);
    m_position = newEnd;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    const LONGLONG base = from == current ? static_cast<LONGLONG>(m_position)
                          : from == end   ? static_cast<LONGLONG>(m_size)
                                          : 0;
    if (base + offset < 0)
        fw::ThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_position = static_cast<ULONGLONG>(base + offset);
    return m_position;
}

void CMemFile::SetLength(ULONGLONG newLength)
{
    Resize(newLength);
    m_position = newLength;
}

void CMemFile::Close()
{
    if (m_ownsData)
        std::free(m_data);
    m_data = nullptr;
    m_size = 0;
    m_capacity = 0;
    m_position = 0;
    m_ownsData = true;
}

void CMemFile::Resize(ULONGLONG newLength)
{
    if (newLength > SIZE_MAX)
        fw::ThrowMemoryException();
    if (newLength > m_capacity)
        Reserve(static_cast<size_t>(newLength));
    if (newLength > m_size)
        std::memset(m_data + m_size, 0, static_cast<size_t>(newLength - m_size));
    m_size = static_cast<size_t>(newLength);
}

void CMemFile::Reserve(size_t capacity)
{
    if (m_growBytes == 0)
        fw::ThrowMemoryException();
    // Steps of growBytes, but at least half again, so that many small writes stay linear.
    const size_t wanted = std::max(capacity, m_capacity + m_capacity / 2);
    const size_t rounded = (wanted + m_growBytes - 1) / m_growBytes * m_growBytes;
    BYTE* data =
        static_cast<BYTE*>(m_ownsData ? std::realloc(m_data, rounded) : std::malloc(rounded));
    if (!data)
        fw::ThrowMemoryException();
    if (!m_ownsData && m_size > 0)
        std::memcpy(data, m_data, m_size);
    m_data = data;
    m_capacity = rounded;
    m_ownsData = true;
}
