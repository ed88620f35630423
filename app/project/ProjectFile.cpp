// The in-memory project file: parsing, lookup, changes and the one-pass write.
#include "app/project/ProjectFile.h"

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

// "[name]" up to the last "]"; false for any other line.
bool ParseHeader(std::string_view line, std::string_view* name)
{
    if (line.empty() || line[0] != '[')
        return false;
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0)
        return false;
    *name = Trim(line.substr(1, close - 1));
    return true;
}

std::string StripQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

// One entry line holds one value: line breaks inside it would start new lines.
std::string CleanValue(std::string_view value)
{
    std::string clean(Trim(value));
    for (char& c : clean)
    {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return std::string(Trim(clean));
}

bool ReadWholeFile(const std::string& path, std::string* bytes)
{
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
    m_index.emplace(std::string(), m_sections.back().get());
    m_isModified = false;
}

bool CProjectFile::Load(const std::string& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, &bytes))
    {
        Clear();
        return false;
    }
    Parse(bytes);
    return true;
}

void CProjectFile::Parse(std::string_view text)
{
    Clear();
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
        entry.key = std::string(Trim(line.substr(0, equals)));
        if (equals != std::string_view::npos)
        {
            entry.value = std::string(Trim(line.substr(equals + 1)));
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

bool CProjectFile::Save(const std::string& path) const
{
    const std::string temporary = path + ".tmp";
    if (fw::os::WriteFileToDisk(temporary, ToText()) && fw::os::MoveFileReplacing(temporary, path))
        return true;
    std::remove(fw::os::ResolvePath(temporary).c_str());
    return false;
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
    std::string clean = CleanValue(value);
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
    Section* target = FindSection(section);
    if (target == nullptr)
        return;
    target->isErased = true;
    target->entries.clear();
    target->index.clear();
    m_isModified = true;
    // A later section of the same name now comes first.
    const std::string folded = Fold(section);
    m_index.erase(folded);
    for (const std::unique_ptr<Section>& candidate : m_sections)
    {
        if (!candidate->isErased && candidate.get() != m_sections.front().get() &&
            Fold(candidate->name) == folded)
        {
            m_index.emplace(folded, candidate.get());
            break;
        }
    }
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
    constexpr std::size_t kMaxDigits = 18; // stays inside long long
    std::vector<long long> numbers;
    for (const std::unique_ptr<Section>& section : m_sections)
    {
        const std::string_view name = section->name;
        if (section->isErased || !StartsWithNoCase(name, prefix))
            continue;
        const std::string_view digits = name.substr(prefix.size());
        bool isNumber = !digits.empty() && digits.size() <= kMaxDigits;
        long long number = 0;
        for (std::size_t i = 0; isNumber && i < digits.size(); ++i)
        {
            isNumber = digits[i] >= '0' && digits[i] <= '9';
            number = number * 10 + (digits[i] - '0');
        }
        if (isNumber)
            numbers.push_back(number);
    }
    return numbers;
}

const CProjectFile::Section* CProjectFile::FindSection(std::string_view name) const
{
    const auto it = m_index.find(Fold(name));
    return it == m_index.end() ? nullptr : it->second;
}

CProjectFile::Section* CProjectFile::FindSection(std::string_view name)
{
    const auto it = m_index.find(Fold(name));
    return it == m_index.end() ? nullptr : it->second;
}

CProjectFile::Section& CProjectFile::AddSection(std::string_view name)
{
    m_sections.push_back(std::make_unique<Section>());
    Section& section = *m_sections.back();
    section.name = std::string(name);
    m_index.emplace(Fold(name), &section); // keeps an earlier section of the name
    return section;
}

void CProjectFile::AddEntry(Section& section, Entry entry)
{
    section.index.emplace(Fold(entry.key), section.entries.size());
    section.entries.push_back(std::move(entry));
}
