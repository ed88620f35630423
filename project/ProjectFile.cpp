// The in-memory project file: parsing, lookup, changes and the one-pass write.
#include "project/ProjectFile.h"

#include "platform/base/os.h"

#include <cstdio>

namespace
{
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string Fold(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
    {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && Fold(text.substr(0, prefix.size())) == Fold(prefix);
}

// N of a name prefix + N (decimal digits, few enough to stay inside long long).
bool ParseSectionNumber(std::string_view name, std::string_view prefix, long long* number)
{
    constexpr std::size_t kMaxDigits = 18;
    if (!StartsWithNoCase(name, prefix))
        return false;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > kMaxDigits)
        return false;
    long long value = 0;
    for (char c : digits)
    {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    *number = value;
    return true;
}

// Names end at a NUL byte as values do.
std::string_view CutAtNul(std::string_view text)
{
    return Trim(text.substr(0, text.find('\0')));
}

// "[name]" up to the last "]"; false for any other line.
bool ParseHeader(std::string_view line, std::string_view* name)
{
    if (line.empty() || line[0] != '[')
        return false;
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0)
        return false;
    *name = CutAtNul(line.substr(1, close - 1));
    return true;
}

std::string StripQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

// One entry line holds one value: line breaks inside it would start new lines. A value is a C
// string to the profile functions, so it ends at a NUL byte. Reading and writing clean alike,
// so that a value read, written and read again is the value first read.
std::string CleanValue(std::string_view value)
{
    std::string clean(Trim(value.substr(0, value.find('\0'))));
    for (char& c : clean)
    {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return std::string(Trim(clean));
}

// Reading takes one pair of enclosing quotes off; a value that has them itself gets one more
// pair, so that it comes back whole.
std::string QuoteForReading(std::string value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return '"' + value + '"';
    return value;
}

bool ReadWholeFile(const std::string& path, std::string* bytes)
{
    if (fw::os::GetFileKind(path) != fw::os::FileKind::kRegular)
        return false;
    std::FILE* file = std::fopen(fw::os::ResolvePath(path).c_str(), "rb");
    if (file == nullptr)
        return false;
    char chunk[65536];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes->append(chunk, count);
    const bool isRead = std::ferror(file) == 0;
    std::fclose(file);
    return isRead;
}
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// UTF-16 by its mark, or, without one, by a first "[" with a NUL beside it.
bool IsUtf16(std::string_view bytes, bool* isBigEndian, std::size_t* start)
{
    if (bytes.size() < 2)
        return false;
    const unsigned char first = static_cast<unsigned char>(bytes[0]);
    const unsigned char second = static_cast<unsigned char>(bytes[1]);
    *start = 2;
    *isBigEndian = first == 0xFE && second == 0xFF;
    if (*isBigEndian || (first == 0xFF && second == 0xFE))
        return true;
    *start = 0;
    *isBigEndian = first == 0 && second == '[';
    return *isBigEndian || (first == '[' && second == 0);
}

// The text of the bytes and their form: UTF-16 is read when every character is ASCII, since a
// project holds single-byte text; beyond that it is refused rather than read wrong.
std::string DecodeText(std::string_view bytes, CProjectFile::EForm* form)
{
    bool isBigEndian = false;
    std::size_t start = 0;
    if (IsUtf16(bytes, &isBigEndian, &start))
    {
        std::string text;
        text.reserve(bytes.size() / 2);
        for (std::size_t i = start; i + 1 < bytes.size(); i += 2)
        {
            const unsigned high = static_cast<unsigned char>(bytes[isBigEndian ? i : i + 1]);
            const unsigned low = static_cast<unsigned char>(bytes[isBigEndian ? i + 1 : i]);
            const unsigned unit = (high << 8) | low;
            if (unit >= 0x80)
            {
                *form = CProjectFile::EForm::kUnicode;
                return std::string();
            }
            text.push_back(static_cast<char>(unit));
        }
        *form = CProjectFile::EForm::kRecoded;
        return text;
    }
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark)
    {
        *form = CProjectFile::EForm::kRecoded;
        return std::string(bytes.substr(kUtf8Mark.size()));
    }
    *form = bytes.find('\0') == std::string_view::npos ? CProjectFile::EForm::kPlain
                                                       : CProjectFile::EForm::kBinary;
    return std::string(bytes);
}
} // namespace

CProjectFile::CProjectFile()
{
    Clear();
}

CProjectFile::~CProjectFile() = default;

void CProjectFile::Clear()
{
    m_sections.clear();
    m_index.clear();
    m_sections.push_back(std::make_unique<Section>());
    m_index[std::string()].sections.push_back(m_sections.back().get());
    m_isModified = false;
    m_form = EForm::kPlain;
}

bool CProjectFile::Load(const std::string& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, &bytes))
    {
        Clear();
        return false;
    }
    EForm form = EForm::kPlain;
    const std::string text = DecodeText(bytes, &form);
    Parse(text);
    m_form = form;
    return true;
}

void CProjectFile::Parse(std::string_view text)
{
    Clear();
    // A UTF-8 mark before the first section would hide its header.
    if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        text.remove_prefix(kUtf8Mark.size());
    Section* current = m_sections.front().get();
    std::size_t start = 0;
    while (start < text.size())
    {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        std::string_view name;
        if (line.empty())
            continue;
        if (ParseHeader(line, &name))
        {
            current = &AddSection(name);
            continue;
        }
        Entry entry;
        const std::size_t equals = line.find('=');
        entry.key = std::string(CutAtNul(line.substr(0, equals)));
        if (equals != std::string_view::npos)
        {
            entry.value = CleanValue(line.substr(equals + 1));
            entry.hasValue = true;
        }
        AddEntry(*current, std::move(entry));
    }
    m_isModified = false;
}

std::string CProjectFile::ToText() const
{
    std::string text;
    for (const std::unique_ptr<Section>& section : m_sections)
    {
        if (section->isErased)
            continue;
        if (section.get() != m_sections.front().get())
            text.append("[").append(section->name).append("]\r\n");
        for (const Entry& entry : section->entries)
        {
            text.append(entry.key);
            if (entry.hasValue)
                text.append("=").append(entry.value);
            text.append("\r\n");
        }
    }
    return text;
}

bool CProjectFile::Save(const std::string& path, fw::os::SaveFailure* failure) const
{
    return fw::os::SaveWholeFile(path, ToText(), failure);
}

bool CProjectFile::Find(std::string_view section, std::string_view key, std::string* value,
                        std::size_t maxLength) const
{
    const Section* found = FindSection(section);
    if (found == nullptr)
        return false;
    const auto it = found->index.find(Fold(key));
    if (it == found->index.end() || !found->entries[it->second].hasValue)
        return false;
    *value = StripQuotes(found->entries[it->second].value);
    if (value->size() > maxLength)
        value->resize(maxLength);
    return true;
}

void CProjectFile::Write(std::string_view section, std::string_view key, std::string_view value)
{
    Section* target = FindSection(section);
    if (target == nullptr)
        target = &AddSection(section);
    std::string clean = QuoteForReading(CleanValue(value));
    const auto it = target->index.find(Fold(key));
    if (it == target->index.end())
    {
        AddEntry(*target, Entry{std::string(key), std::move(clean), true});
        m_isModified = true;
        return;
    }
    Entry& entry = target->entries[it->second];
    if (entry.hasValue && entry.value == clean)
        return;
    entry.value = std::move(clean);
    entry.hasValue = true;
    m_isModified = true;
}

void CProjectFile::EraseSection(std::string_view section)
{
    if (Section* target = FindSection(section))
        Erase(*target);
}

void CProjectFile::Erase(Section& section)
{
    section.isErased = true;
    section.entries.clear();
    section.index.clear();
    m_isModified = true;
    // A later section of the same name now comes first.
    Named& named = m_index[Fold(section.name)];
    while (named.first < named.sections.size() && named.sections[named.first]->isErased)
        ++named.first;
}

bool CProjectFile::HasSection(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

std::size_t CProjectFile::GetEntryCount(std::string_view section) const
{
    const Section* found = FindSection(section);
    return found ? found->entries.size() : 0;
}

std::vector<long long> CProjectFile::GetNumberedSections(std::string_view prefix) const
{
    std::vector<long long> numbers;
    for (const std::unique_ptr<Section>& section : m_sections)
    {
        long long number = 0;
        if (!section->isErased && ParseSectionNumber(section->name, prefix, &number))
            numbers.push_back(number);
    }
    return numbers;
}

void CProjectFile::EraseNumberedSectionsAbove(std::string_view prefix, long long count)
{
    for (const std::unique_ptr<Section>& section : m_sections)
    {
        long long number = 0;
        if (!section->isErased && section.get() != m_sections.front().get() &&
            ParseSectionNumber(section->name, prefix, &number) && number > count)
            Erase(*section);
    }
}

const CProjectFile::Section* CProjectFile::FindSection(std::string_view name) const
{
    const auto it = m_index.find(Fold(name));
    if (it == m_index.end() || it->second.first >= it->second.sections.size())
        return nullptr;
    return it->second.sections[it->second.first];
}

CProjectFile::Section* CProjectFile::FindSection(std::string_view name)
{
    return const_cast<Section*>(static_cast<const CProjectFile*>(this)->FindSection(name));
}

CProjectFile::Section& CProjectFile::AddSection(std::string_view name)
{
    m_sections.push_back(std::make_unique<Section>());
    Section& section = *m_sections.back();
    section.name = std::string(name);
    m_index[Fold(name)].sections.push_back(&section); // an earlier live section stays first
    return section;
}

void CProjectFile::AddEntry(Section& section, Entry entry)
{
    section.index.emplace(Fold(entry.key), section.entries.size());
    section.entries.push_back(std::move(entry));
}
