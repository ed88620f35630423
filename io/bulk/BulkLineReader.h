// Lines of a bulk-data file, read through a block buffer: "\n", "\r\n" and a lone "\r" end a
// line, a last line may lack its end, tabs are expanded to the 8-column stops that fixed fields
// assume. A line is bounded: one far longer than any card ends the file.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

class CBulkLineReader
{
public:
    // Longer than any card or comment a deck holds; a file of one huge line stops here.
    static constexpr std::size_t kMaxLineLength = std::size_t(1) << 20;
    // Bytes asked of the file at a time; the buffer grows past it only for a longer line.
    static constexpr std::size_t kBlockSize = 256 * 1024;

    // Reads from an open stream; the caller keeps and closes it.
    explicit CBulkLineReader(std::FILE* file);
    CBulkLineReader(const CBulkLineReader&) = delete;
    CBulkLineReader& operator=(const CBulkLineReader&) = delete;

    // The next line without its line end, seen in place: valid until the next call (after
    // PutBack, until the call after next). False when the file holds no further line, or when
    // the next line is longer than kMaxLineLength (IsLineTooLong then tells).
    bool ReadLine(std::string_view& line);
    // The same as a copy.
    bool ReadCardLine(std::string& line);

    // The next ReadLine returns the line just read again (one line of look-ahead).
    void PutBack();

    // Number of the line last returned, counted from 1.
    int LineNumber() const { return m_lineNumber; }
    // True once a line longer than kMaxLineLength was met; nothing after it is read.
    bool IsLineTooLong() const { return m_isLineTooLong; }

private:
    bool Refill();
    bool ReadRawLine(std::string_view& line, bool& hasTab);
    std::string_view ExpandTabs(std::string_view line);

    std::FILE* m_file;
    std::vector<char> m_buffer; // the unread bytes lie in [m_position, m_end)
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    bool m_isAtEnd = false;
    bool m_isAfterReturn = false; // the last line ended with "\r": a "\n" next belongs to it
    bool m_isLineTooLong = false;
    std::string m_expanded;      // the last line with its tabs expanded
    std::string_view m_lastLine; // kept for PutBack
    bool m_hasPutBack = false;
    int m_lineNumber = 0;
};
