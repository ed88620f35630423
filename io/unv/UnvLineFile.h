// Buffered line reader for universal files: lines end at a line feed, a carriage return
// before it is dropped, the last line may lack its line end, and a UTF-8 byte-order mark
// before the first line is dropped.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class CUnvLineFile
{
public:
    CUnvLineFile();
    ~CUnvLineFile();
    CUnvLineFile(const CUnvLineFile&) = delete;
    CUnvLineFile& operator=(const CUnvLineFile&) = delete;

    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // Reads the next line into line, without its line end. At the end of the file line is
    // emptied and the result is false. Lines longer than kMaxLineLength keep only their start:
    // binary datasets may run for megabytes without a line feed.
    bool ReadLine(std::string& line);

    // Number of the line last read, 1 for the first line of the file.
    long long LineNumber() const { return m_lineNumber; }

    static constexpr size_t kMaxLineLength = 65536;

private:
    bool Refill();

    std::FILE* m_file; // owned
    std::vector<char> m_buffer;
    size_t m_pos;
    size_t m_end;
    long long m_lineNumber;
};
