// Buffered line reader for universal files.
#include "io/unv/UnvLineFile.h"

#include "io/results/InputFile.h"
#include "platform/base/os.h"
#include "platform/base/progress.h"

#include <cstring>

namespace
{
constexpr size_t kBufferSize = 1 << 20;

void AppendCapped(std::string& line, const char* begin, size_t count)
{
    const size_t room = CUnvLineFile::kMaxLineLength - line.size();
    line.append(begin, count < room ? count : room);
}
} // namespace

CUnvLineFile::CUnvLineFile()
    : m_file(nullptr)
    , m_pos(0)
    , m_end(0)
    , m_lineNumber(0)
{
}

CUnvLineFile::~CUnvLineFile()
{
    Close();
}

bool CUnvLineFile::Open(const std::string& path)
{
    Close();
    // Binary mode on every platform: the carriage returns are dropped here, and a text-mode
    // stream would stop at a ^Z byte inside a binary dataset.
    // A FIFO or a device would block or never end.
    if (!IsRegularInputFile(path))
        return false;
    m_file = std::fopen(fw::os::ResolvePath(path).c_str(), "rb");
    if (m_file == nullptr)
        return false;
    m_buffer.resize(kBufferSize);
    m_pos = m_end = 0;
    m_lineNumber = 0;
    return true;
}

void CUnvLineFile::Close()
{
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    m_pos = m_end = 0;
}

bool CUnvLineFile::Refill()
{
    if (m_file == nullptr)
        return false;
    m_pos = 0;
    m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    fw::NoteProgress();
    return m_end > 0;
}

bool CUnvLineFile::ReadLine(std::string& line)
{
    line.clear();
    bool gotAny = false;
    for (;;)
    {
        if (m_pos == m_end && !Refill())
            break;
        gotAny = true;
        const char* start = m_buffer.data() + m_pos;
        const size_t available = m_end - m_pos;
        const void* found = std::memchr(start, '\n', available);
        if (found != nullptr)
        {
            const size_t count = static_cast<const char*>(found) - start;
            AppendCapped(line, start, count);
            m_pos += count + 1;
            break;
        }
        AppendCapped(line, start, available);
        m_pos = m_end;
    }
    if (!gotAny)
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    // Editors that save UTF-8 may mark the start of the file.
    if (m_lineNumber == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);
    ++m_lineNumber;
    return true;
}
