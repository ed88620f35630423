// Lines of a bulk-data file of any length, read through a block buffer: "\n" and "\r\n" ends,
// a last line without an end, tabs expanded to the 8-column stops that fixed fields assume.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class CBulkLineReader
{
public:
    // Reads from an open stream; the caller keeps and closes it.
    explicit CBulkLineReader(std::FILE* file);
    CBulkLineReader(const CBulkLineReader&) = delete;
    CBulkLineReader& operator=(const CBulkLineReader&) = delete;

    // The next line without its line end; false when the file holds no further line.
    bool ReadCardLine(std::string& line);

    // The next ReadCardLine returns the line just read again (one line of look-ahead).
    void PutBack();

    // Number of the line last returned, counted from 1.
    int LineNumber() const { return m_lineNumber; }

private:
    bool Refill();
    void ReadRawLine(std::string& line);
    static void ExpandTabs(std::string& line);

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    bool m_isAtEnd = false;
    std::string m_lastLine; // kept for PutBack
    bool m_hasPutBack = false;
    int m_lineNumber = 0;
};
