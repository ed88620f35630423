// Lines of a bulk-data file through a block buffer.
#include "io/bulk/BulkLineReader.h"

#include <cstring>

namespace
{
constexpr std::size_t kBlockSize = 64 * 1024;
constexpr std::size_t kTabStop = 8;
} // namespace

CBulkLineReader::CBulkLineReader(std::FILE* file)
    : m_file(file)
    , m_buffer(kBlockSize)
{
}

bool CBulkLineReader::ReadCardLine(std::string& line)
{
    if (m_hasPutBack)
    {
        m_hasPutBack = false;
        line = m_lastLine;
        ++m_lineNumber;
        return true;
    }
    if (m_isLineTooLong || !ReadRawLine(line))
        return false;
    // Editors that save UTF-8 may mark the start of the file.
    if (m_lineNumber == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);
    if (line.find('\t') != std::string::npos)
        ExpandTabs(line);
    m_lastLine = line;
    ++m_lineNumber;
    return true;
}

void CBulkLineReader::PutBack()
{
    m_hasPutBack = true;
    --m_lineNumber;
}

bool CBulkLineReader::Refill()
{
    if (m_isAtEnd)
        return false;
    m_position = 0;
    m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    if (m_end == 0)
        m_isAtEnd = true;
    return m_end > 0;
}

// Takes the characters up to the next line end, across as many blocks as the line spans.
// False at the end of the file, or for a line past the bound.
bool CBulkLineReader::ReadRawLine(std::string& line)
{
    line.clear();
    bool hasText = false;
    for (;;)
    {
        if (m_position == m_end && !Refill())
            return hasText;
        if (m_isAfterReturn)
        {
            // "\r\n" split between two blocks, or between two calls.
            m_isAfterReturn = false;
            if (m_buffer[m_position] == '\n')
            {
                ++m_position;
                continue;
            }
        }
        hasText = true;
        const char* const start = m_buffer.data() + m_position;
        const std::size_t available = m_end - m_position;
        const char* const feed = static_cast<const char*>(std::memchr(start, '\n', available));
        const std::size_t scanned =
            feed != nullptr ? static_cast<std::size_t>(feed - start) : available;
        const char* const ret = static_cast<const char*>(std::memchr(start, '\r', scanned));
        const std::size_t length = ret != nullptr ? static_cast<std::size_t>(ret - start) : scanned;
        if (line.size() + length > kMaxLineLength)
        {
            m_isLineTooLong = true;
            return false;
        }
        line.append(start, length);
        if (ret != nullptr)
        {
            m_position += length + 1;
            m_isAfterReturn = true;
            return true;
        }
        if (feed != nullptr)
        {
            m_position += length + 1;
            return true;
        }
        m_position = m_end;
    }
}

void CBulkLineReader::ExpandTabs(std::string& line)
{
    std::string expanded;
    expanded.reserve(line.size() + 4 * kTabStop);
    for (const char c : line)
    {
        if (c == '\t')
            expanded.append(kTabStop - expanded.size() % kTabStop, ' ');
        else
            expanded.push_back(c);
    }
    line.swap(expanded);
}
