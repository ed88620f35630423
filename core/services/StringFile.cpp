// UI-text lookup: each call opens the string file, scans to the section and key, and closes it.
#include "core/services/StringFile.h"

#include "core/services/AppEnvironment.h"
#include "platform/base/os.h"

#include <cstdio>

namespace
{
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string TrimLeft(const std::string& text)
{
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    return text.substr(first);
}

std::string Trim(const std::string& text)
{
    std::string trimmed = TrimLeft(text);
    while (!trimmed.empty() && IsBlank(trimmed.back()))
        trimmed.pop_back();
    return trimmed;
}

// Lines of a string file: ends at a line feed, a carriage return before it is dropped, the
// last line needs no line end. No length limit.
class CLineReader
{
public:
    explicit CLineReader(FILE* file)
        : m_file(file)
    {
    }

    bool ReadLine(std::string* line)
    {
        line->clear();
        int c;
        bool isAny = false;
        while ((c = std::fgetc(m_file)) != EOF)
        {
            isAny = true;
            if (c == '\n')
                break;
            line->push_back(char(c));
        }
        if (!isAny)
            return false;
        if (!line->empty() && line->back() == '\r')
            line->pop_back();
        return true;
    }

private:
    FILE* m_file;
};

bool FindSectionIn(CLineReader& reader, const std::string& section)
{
    const std::string target = "[" + section + "]";
    std::string line;
    while (reader.ReadLine(&line))
    {
        line = Trim(line);
        if (line.empty() || line[0] != '[')
            continue;
        if (EqualTextNoCase(line, target))
            return true;
    }
    return false;
}

bool FindKeyIn(CLineReader& reader, const std::string& key, std::string* out, bool* isFound)
{
    *isFound = false;
    std::string line;
    while (reader.ReadLine(&line))
    {
        line = TrimLeft(line);
        if (line.empty())
            continue;
        if (line[0] == '[')
            break;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        if (EqualTextNoCase(Trim(line.substr(0, equals)), key))
        {
            *out = line.substr(equals + 1);
            *isFound = true;
            break;
        }
    }
    return !out->empty();
}

// "\n" as two characters becomes a blank and a line feed; the trail byte of a double-byte
// character (it may be a backslash, as in 0x95 0x5C) never starts the sequence.
void ReplaceLineBreaks(std::string* text)
{
    std::string& s = *text;
    for (std::size_t i = 0; i < s.size();)
    {
        if (IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size())
        {
            i += 2;
        }
        else if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n')
        {
            s[i] = ' ';
            s[i + 1] = '\n';
            i += 2;
        }
        else
        {
            ++i;
        }
    }
}
} // namespace

bool FindSection(FILE* file, const std::string& section)
{
    if (file == nullptr)
        return false;
    CLineReader reader(file);
    return FindSectionIn(reader, section);
}

bool FindKey(FILE* file, const std::string& key, std::string* out)
{
    if (file == nullptr || out == nullptr)
        return false;
    CLineReader reader(file);
    bool isFound = false;
    return FindKeyIn(reader, key, out, &isFound);
}

bool EqualTextNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (IsCp932LeadByte(x) && i + 1 < a.size())
        {
            if (x != y || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        const int foldX = (x >= 'A' && x <= 'Z') ? x - 'A' + 'a' : x;
        const int foldY = (y >= 'A' && y <= 'Z') ? y - 'A' + 'a' : y;
        if (foldX != foldY)
            return false;
    }
    return true;
}

bool LoadStringWithSuffix(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& suffix, std::string* out)
{
    if (!out)
        return false;
    const std::string path = fw::os::ResolvePath(DataPath("..\\string\\" + file));
    FILE* stream = std::fopen(path.c_str(), "rb");
    if (!stream)
        return !out->empty();

    CLineReader reader(stream);
    if (FindSectionIn(reader, section))
    {
        bool isFound = false;
        std::string value = *out;
        FindKeyIn(reader, key + suffix, &value, &isFound);
        value = Trim(value);
        if (isFound)
            ReplaceLineBreaks(&value);
        // A read error part-way leaves the caller's text as it was.
        if (!std::ferror(stream))
            *out = value;
    }
    std::fclose(stream);
    return !out->empty();
}

bool LoadStringFromFile(std::string file, std::string section, std::string key, std::string* out)
{
    return LoadStringWithSuffix(file, section, key, GetLanguageSuffix(), out);
}

bool LoadStringFromFile(CString file, CString section, CString key, CString* out)
{
    if (!out)
        return false;
    std::string text = out->Str();
    const bool isFound =
        LoadStringWithSuffix(file.Str(), section.Str(), key.Str(), GetLanguageSuffix(), &text);
    *out = CString(text);
    return isFound;
}

CString LoadCommandText(const char* section, unsigned id)
{
    std::string text;
    LoadStringFromFile("standard.str", section, "ID" + std::to_string(id), &text);
    return CString(text);
}
