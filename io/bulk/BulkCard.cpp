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
    std::string_view head = line.substr(0, kNameWidth);
    const std::size_t comma = head.find(',');
    if (comma != std::string_view::npos)
    {
        head = head.substr(0, comma);
        result.isFreeField = true;
    }
    while (!head.empty() && (head.back() == ' ' || head.back() == '\r'))
        head.remove_suffix(1);
    if (!head.empty() && head.back() == '*')
    {
        head.remove_suffix(1);
        result.isLargeField = true;
    }
    result.name.reserve(head.size());
    for (const char c : head)
        result.name.push_back(ToUpper(c));
    return result;
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

std::string_view CBulkCard::Field(int index) const
{
    if (index < 0 || index >= FieldCount())
        return {};
    const std::pair<std::size_t, std::size_t>& field = m_fields[static_cast<std::size_t>(index)];
    return std::string_view(m_text).substr(field.first, field.second);
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
    for (std::size_t start = 0; start < kDataEnd - kNameWidth; start += width)
    {
        const std::size_t length = start < data.size() ? std::min(width, data.size() - start) : 0;
        m_fields.emplace_back(length > 0 ? base + start : m_text.size(), length);
    }
}
