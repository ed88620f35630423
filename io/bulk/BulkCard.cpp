// One fixed-field bulk-data card.
#include "io/bulk/BulkCard.h"

#include "io/bulk/BulkField.h"

#include <algorithm>

namespace
{
constexpr std::size_t kNameWidth = 8;
constexpr std::size_t kDataEnd = 72; // columns 73-80 hold the continuation marker
constexpr std::size_t kSmallWidth = 8;
constexpr std::size_t kLargeWidth = 16;

char ToUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

CBulkCard::SName CBulkCard::ReadName(std::string_view line)
{
    SName result;
    ReadName(line, result);
    return result;
}

void CBulkCard::ReadName(std::string_view line, SName& name)
{
    std::string_view head = line.substr(0, kNameWidth);
    const std::size_t comma = head.find(',');
    name.isFreeField = comma != std::string_view::npos;
    if (name.isFreeField)
        head = head.substr(0, comma);
    while (!head.empty() && (head.back() == ' ' || head.back() == '\r'))
        head.remove_suffix(1);
    name.isLargeField = !head.empty() && head.back() == '*';
    if (name.isLargeField)
        head.remove_suffix(1);
    name.name.assign(head.data(), head.size());
    for (char& c : name.name)
        c = ToUpper(c);
}

bool CBulkCard::IsContinuation(std::string_view line)
{
    if (line.empty())
        return false;
    if (line[0] == '+' || line[0] == '*')
        return true;
    return line[0] == ' ' && IsFieldFilled(line);
}

void CBulkCard::Start(const SName& name, std::string_view line, int lineNumber)
{
    m_name = name.name;
    m_isLargeField = name.isLargeField;
    m_lineNumber = lineNumber;
    m_text.clear();
    m_fields.clear();
    AppendFields(line, m_isLargeField);
}

void CBulkCard::AddContinuation(std::string_view line)
{
    bool isLargeField = m_isLargeField;
    if (!line.empty() && line[0] == '*')
        isLargeField = true;
    else if (!line.empty() && line[0] == '+')
        isLargeField = false;
    AppendFields(line, isLargeField);
}

bool CBulkCard::IsFilled(int index) const
{
    return IsFieldFilled(Field(index));
}

// The line's data columns are kept in one piece; the fields are places in them.
void CBulkCard::AppendFields(std::string_view line, bool isLargeField)
{
    const std::size_t width = isLargeField ? kLargeWidth : kSmallWidth;
    const std::size_t base = m_text.size();
    const std::string_view data = line.size() > kNameWidth
                                      ? line.substr(kNameWidth, kDataEnd - kNameWidth)
                                      : std::string_view();
    m_text.append(data);
    const std::size_t textEnd = m_text.size();
    const std::size_t count = (kDataEnd - kNameWidth) / width;
    const std::size_t first = m_fields.size();
    m_fields.resize(first + count);
    SPlace* const places = m_fields.data() + first;
    for (std::size_t i = 0; i < count; ++i)
    {
        const std::size_t start = i * width;
        const std::size_t length = start < data.size() ? std::min(width, data.size() - start) : 0;
        places[i] = {length > 0 ? base + start : textEnd, length};
    }
}
