// Builds OUTPUT2 files word by word for the reader tests: labels, block headers, keyed records,
// result subcases, continuation pieces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A run of 4-byte words; floats are stored by their bit pattern.
class Op2Words
{
public:
    Op2Words& I(int32_t value);
    Op2Words& F(float value);
    Op2Words& Text(const char* text, int words); // blank padded
    Op2Words& Append(const Op2Words& other);
    const std::vector<int32_t>& Get() const { return m_words; }
    size_t Size() const { return m_words.size(); }

private:
    std::vector<int32_t> m_words;
};

class Op2TestFile
{
public:
    // Label: control word 3, date, 7, tape text, 2, label text, -1, 0; with version, the newer
    // layout (a control word 6 and a 24-byte record before the -1).
    Op2TestFile& Label(bool withVersion = false);
    // Block header up to and including control word -3.
    Op2TestFile& BlockHeader(const char* name, bool withVersion = false);
    // A record with prefix 1, 0, n: the words split into pieces of at most pieceWords words
    // (0: one piece), ended by a negative marker.
    Op2TestFile& Record(const Op2Words& words, int pieceWords = 0);
    // A geometry record: key (k1, k2, k3) followed by the entry words.
    Op2TestFile& KeyedRecord(int k1, int k2, int k3, const Op2Words& entries, int pieceWords = 0);
    // One result subcase: a 146-word IDENT record and the data record.
    Op2TestFile& Subcase(const Op2Words& ident, const Op2Words& data, int pieceWords = 0);
    Op2TestFile& EndBlock(); // prefix 1, 0, 0
    Op2TestFile& EndFile();  // control word 0
    Op2TestFile& ControlWord(int value);
    Op2TestFile& Raw(int32_t word);
    Op2TestFile& FramedRecord(const Op2Words& words); // [4n][words][4n]

    // Position (bytes) the next word will be written at.
    int64_t Position() const { return static_cast<int64_t>(m_bytes.size()); }
    const std::vector<unsigned char>& Bytes() const { return m_bytes; }
    void Truncate(size_t size) { m_bytes.resize(size); }
    // Writes the bytes to dir/name and returns the path.
    std::string Save(const std::string& dir, const std::string& name) const;

private:
    std::vector<unsigned char> m_bytes;
    int m_marker = -4;
};

// An IDENT record with the given approach code, table code, step word (integer), entry words
// and subcase; the other words are 0.
Op2Words MakeIdent(int approachCode, int tableCode, int stepWord, int wordsPerEntry = 8,
                   int subcase = 1);
Op2Words MakeIdentFloatStep(int approachCode, int tableCode, float stepValue,
                            int wordsPerEntry = 8);
