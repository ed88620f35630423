// OUTPUT2 test-file builder.
#include "tests/support/Op2TestFile.h"

#include <cstring>
#include <fstream>

Op2Words& Op2Words::I(int32_t value)
{
    m_words.push_back(value);
    return *this;
}

Op2Words& Op2Words::F(float value)
{
    int32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    m_words.push_back(bits);
    return *this;
}

Op2Words& Op2Words::Text(const char* text, int words)
{
    std::string padded(text);
    padded.resize(static_cast<size_t>(words) * 4, ' ');
    for (int i = 0; i < words; ++i)
    {
        int32_t bits = 0;
        std::memcpy(&bits, padded.data() + 4 * i, 4);
        m_words.push_back(bits);
    }
    return *this;
}

Op2Words& Op2Words::Append(const Op2Words& other)
{
    m_words.insert(m_words.end(), other.m_words.begin(), other.m_words.end());
    return *this;
}

Op2TestFile& Op2TestFile::Raw(int32_t word)
{
    unsigned char bytes[4];
    std::memcpy(bytes, &word, 4);
    m_bytes.insert(m_bytes.end(), bytes, bytes + 4);
    return *this;
}

Op2TestFile& Op2TestFile::ControlWord(int value)
{
    return Raw(4).Raw(value).Raw(4);
}

Op2TestFile& Op2TestFile::FramedRecord(const Op2Words& words)
{
    const int32_t length = static_cast<int32_t>(words.Size() * 4);
    Raw(length);
    for (int32_t w : words.Get())
        Raw(w);
    return Raw(length);
}

Op2TestFile& Op2TestFile::Label(bool withVersion)
{
    ControlWord(3).FramedRecord(Op2Words().I(12).I(9).I(26));
    ControlWord(7).FramedRecord(Op2Words().Text("NASTRAN FORT TAPE ID CODE - ", 7));
    ControlWord(2).FramedRecord(Op2Words().Text("TESTLABL", 2));
    if (withVersion)
        ControlWord(6).FramedRecord(Op2Words().Text("20200   0   ", 3).I(0).Text("    ", 1).I(0));
    return ControlWord(-1).ControlWord(0);
}

Op2TestFile& Op2TestFile::BlockHeader(const char* name, bool withVersion)
{
    ControlWord(2).FramedRecord(Op2Words().Text(name, 2));
    if (withVersion)
        ControlWord(6).FramedRecord(Op2Words().Text("20200   0   ", 3).I(7).Text(name, 2));
    ControlWord(-1).ControlWord(7);
    FramedRecord(Op2Words().I(101).I(0).I(0).I(0).I(0).I(0).I(0));
    ControlWord(-2).ControlWord(1).ControlWord(0).ControlWord(2);
    FramedRecord(Op2Words().Text(name, 2));
    m_marker = -4;
    return ControlWord(-3);
}

Op2TestFile& Op2TestFile::Record(const Op2Words& words, int pieceWords)
{
    const std::vector<int32_t>& all = words.Get();
    const size_t total = all.size();
    const size_t step = pieceWords > 0 ? static_cast<size_t>(pieceWords) : total;
    size_t first = total < step ? total : step;
    ControlWord(1).ControlWord(0).ControlWord(static_cast<int>(first));
    size_t done = 0;
    for (;;)
    {
        const size_t count = (total - done) < step ? (total - done) : step;
        Raw(static_cast<int32_t>(count * 4));
        for (size_t i = 0; i < count; ++i)
            Raw(all[done + i]);
        Raw(static_cast<int32_t>(count * 4));
        done += count;
        if (done >= total)
            break;
        const size_t next = (total - done) < step ? (total - done) : step;
        ControlWord(static_cast<int>(next));
    }
    return ControlWord(m_marker--);
}

Op2TestFile& Op2TestFile::KeyedRecord(int k1, int k2, int k3, const Op2Words& entries,
                                      int pieceWords)
{
    return Record(Op2Words().I(k1).I(k2).I(k3).Append(entries), pieceWords);
}

Op2TestFile& Op2TestFile::Subcase(const Op2Words& ident, const Op2Words& data, int pieceWords)
{
    return Record(ident).Record(data, pieceWords);
}

Op2TestFile& Op2TestFile::EndBlock()
{
    return ControlWord(1).ControlWord(0).ControlWord(0);
}

Op2TestFile& Op2TestFile::EndFile()
{
    return ControlWord(0);
}

std::string Op2TestFile::Save(const std::string& dir, const std::string& name) const
{
    const std::string path = dir + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(m_bytes.data()),
              static_cast<std::streamsize>(m_bytes.size()));
    return path;
}

Op2Words MakeIdent(int approachCode, int tableCode, int stepWord, int wordsPerEntry, int subcase)
{
    Op2Words ident;
    ident.I(approachCode * 10 + 1).I(tableCode).I(0).I(subcase).I(stepWord);
    for (int i = 5; i < 146; ++i)
        ident.I(i == 9 ? wordsPerEntry : 0);
    return ident;
}

Op2Words MakeIdentFloatStep(int approachCode, int tableCode, float stepValue, int wordsPerEntry)
{
    int32_t bits = 0;
    std::memcpy(&bits, &stepValue, sizeof(bits));
    return MakeIdent(approachCode, tableCode, bits, wordsPerEntry);
}
