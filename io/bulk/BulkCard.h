// One fixed-field bulk-data card: its name and the fields of its first and continuation lines.
// Small-field lines give 8 fields of 8 columns, large-field lines 4 fields of 16 columns; the
// fields of all lines are numbered on, from 0 for the field after the name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CBulkCard
{
public:
    // How the first 8 columns of a line name a card.
    struct SName
    {
        std::string name;          // upper case, without the large-field "*"
        bool isLargeField = false; // "GRID*"
        bool isFreeField = false;  // "GRID,1,,..."
    };

    // Reads the name from columns 1-8 (or up to a comma); an empty name for blank columns.
    static SName ReadName(std::string_view line);
    // The same into name, whose text keeps its storage from card to card.
    static void ReadName(std::string_view line, SName& name);

    // A line that continues the card before it: "+" (small), "*" (large) or blank in column 1
    // with something in the fields.
    static bool IsContinuation(std::string_view line);

    void Start(const SName& name, std::string_view line, int lineNumber);

    // Appends the fields of a continuation line. "*" in column 1 gives large fields, "+" small
    // fields, a blank the form of the card's first line.
    void AddContinuation(std::string_view line);

    const std::string& Name() const { return m_name; }
    bool IsLargeField() const { return m_isLargeField; }
    int LineNumber() const { return m_lineNumber; }
    int FieldCount() const { return static_cast<int>(m_fields.size()); }

    // The raw text of field index (blank padding kept); empty past the last field.
    std::string_view Field(int index) const
    {
        if (index < 0 || index >= FieldCount())
            return {};
        const SPlace& field = m_fields[static_cast<std::size_t>(index)];
        return std::string_view(m_text.data() + field.offset, field.length);
    }

    // True when field index holds anything but blanks.
    bool IsFilled(int index) const;

private:
    void AppendFields(std::string_view line, bool isLargeField);

    std::string m_name;
    bool m_isLargeField = false;
    int m_lineNumber = 0;
    std::string m_text; // all fields, back to back
    struct SPlace
    {
        std::size_t offset; // in m_text
        std::size_t length;
    };

    std::vector<SPlace> m_fields;
};
