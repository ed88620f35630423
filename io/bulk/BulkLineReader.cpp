// Lines of a bulk-data file through a block buffer.
#include "io/bulk/BulkLineReader.h"

#include "platform/base/progress.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
constexpr std::size_t kTabStop = 8;
// A 16-byte load that starts before the last byte stays inside the buffer.
constexpr std::size_t kPadding = 16;

// The first line end ("\n" or "\r") in [p, end), or end; hasTab is set for a tab before it.
// Every byte of a deck passes here: sixteen at a time where the processor allows.
const char* FindLineEnd(const char* p, const char* const end, bool& hasTab)
{
#if defined(__SSE2__)
    const __m128i lastControl = _mm_set1_epi8('\r');
    for (; p < end; p += 16)
    {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Bytes up to "\r": line ends and tabs are among them.
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(bytes, lastControl), bytes)));
        const std::ptrdiff_t left = end - p;
        if (left < 16)
            mask &= (1u << left) - 1;
        for (; mask != 0; mask &= mask - 1)
        {
            const char* const c = p + __builtin_ctz(mask);
            if (*c == '\n' || *c == '\r')
                return c;
            if (*c == '\t')
                hasTab = true;
        }
    }
    return end;
#else
    for (; p < end; ++p)
    {
        if (static_cast<unsigned char>(*p) <= '\r')
        {
            if (*p == '\n' || *p == '\r')
                return p;
            if (*p == '\t')
                hasTab = true;
        }
    }
    return end;
#endif
}
} // namespace

CBulkLineReader::CBulkLineReader(std::FILE* file)
    : m_file(file)
    , m_buffer(kBlockSize + kPadding)
{
}

bool CBulkLineReader::ReadLine(std::string_view& line)
{
    if (m_hasPutBack)
    {
        m_hasPutBack = false;
        line = m_lastLine;
        ++m_lineNumber;
        return true;
    }
    bool hasTab = false;
    if (m_isLineTooLong || !ReadRawLine(line, hasTab))
        return false;
    // Editors that save UTF-8 may mark the start of the file.
    if (m_lineNumber == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.remove_prefix(3);
    if (hasTab)
        line = ExpandTabs(line);
    m_lastLine = line;
    ++m_lineNumber;
    return true;
}

bool CBulkLineReader::ReadCardLine(std::string& line)
{
    std::string_view view;
    if (!ReadLine(view))
        return false;
    line.assign(view.data(), view.size());
    return true;
}

void CBulkLineReader::PutBack()
{
    m_hasPutBack = true;
    --m_lineNumber;
}

// Moves the unread bytes to the start of the buffer and reads more after them; the buffer
// grows when a line fills it. False at the end of the file.
bool CBulkLineReader::Refill()
{
    if (m_isAtEnd)
        return false;
    char* const data = m_buffer.data();
    if (m_position > 0)
    {
        std::memmove(data, data + m_position, m_end - m_position);
        m_end -= m_position;
        m_position = 0;
    }
    if (m_end == m_buffer.size() - kPadding)
        m_buffer.resize(2 * (m_buffer.size() - kPadding) + kPadding);
    const std::size_t room = m_buffer.size() - kPadding - m_end;
    const std::size_t read = std::fread(m_buffer.data() + m_end, 1, room, m_file);
    fw::NoteProgress();
    if (read == 0)
    {
        m_isAtEnd = true;
        return false;
    }
    m_end += read;
    return true;
}

// The characters up to the next line end, in place in the buffer. False at the end of the
// file, or for a line past the bound.
bool CBulkLineReader::ReadRawLine(std::string_view& line, bool& hasTab)
{
    if (m_isAfterReturn)
    {
        // "\r\n" split between two blocks.
        if (m_position == m_end && !Refill())
            return false;
        m_isAfterReturn = false;
        if (m_buffer[m_position] == '\n')
            ++m_position;
    }
    std::size_t scanned = 0; // bytes of the line known to hold no line end
    for (;;)
    {
        const char* const start = m_buffer.data() + m_position;
        const char* const end = m_buffer.data() + m_end;
        const char* const stop = FindLineEnd(start + scanned, end, hasTab);
        const std::size_t length = static_cast<std::size_t>(stop - start);
        if (length > kMaxLineLength)
        {
            m_isLineTooLong = true;
            return false;
        }
        if (stop != end)
        {
            m_position += length + 1;
            if (*stop == '\r')
            {
                if (m_position == m_end)
                    m_isAfterReturn = true;
                else if (m_buffer[m_position] == '\n')
                    ++m_position;
            }
            line = std::string_view(start, length);
            return true;
        }
        scanned = length;
        if (!Refill())
        {
            if (length == 0)
                return false;
            line = std::string_view(m_buffer.data() + m_position, length);
            m_position = m_end;
            return true;
        }
    }
}

std::string_view CBulkLineReader::ExpandTabs(std::string_view line)
{
    m_expanded.clear();
    for (const char c : line)
    {
        if (c == '\t')
            m_expanded.append(kTabStop - m_expanded.size() % kTabStop, ' ');
        else
            m_expanded.push_back(c);
    }
    return m_expanded;
}
