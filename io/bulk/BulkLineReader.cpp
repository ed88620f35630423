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
    if (m_position == m_end && !Refill())
        return false;

    ReadRawLine(line);
    // Editors that save UTF-8 may mark the start of the file.
    if (m_lineNumber == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
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

// Takes the characters up to the next line feed, across as many blocks as the line spans.
void CBulkLineReader::ReadRawLine(std::string& line)
{
    line.clear();
    for (;;)
    {
        const char* const start = m_buffer.data() + m_position;
        const std::size_t available = m_end - m_position;
        const void* const feed = std::memchr(start, '\n', available);
        if (feed != nullptr)
        {
            const std::size_t length = static_cast<const char*>(feed) - start;
            line.append(start, length);
            m_position += length + 1;
            return;
        }
        line.append(start, available);
        m_position = m_end;
        if (!Refill())
            return;
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
