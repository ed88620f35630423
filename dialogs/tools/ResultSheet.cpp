// The result sheet's table and its CSV file.
#include "dialogs/tools/ResultSheet.h"

#include "dialogs/tools/Formula.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

namespace
{
// "%13.5E": the C library's printf takes half a microsecond a value under Wine, which a
// million rows of a sheet feel; the exact shortest-digit conversion of the standard library
// gives the same correctly rounded digits far faster.
void AppendValue(std::string& out, double value)
{
    char text[64];
    if (!std::isfinite(value))
    {
        const int n = std::snprintf(text, sizeof text, "%13.5E", value);
        out.append(text, n > 0 ? size_t(n) : 0);
        return;
    }
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 5);
    const size_t length = size_t(result.ptr - text);
    for (char* c = text; c != result.ptr; ++c)
    {
        if (*c == 'e')
            *c = 'E';
    }
    if (length < 13)
        out.append(13 - length, ' ');
    out.append(text, length);
}

void AppendCsvCell(std::string& out, const std::string& cell)
{
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
    {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell)
    {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}
} // namespace

CResultSheet::CResultSheet(std::string caption, std::vector<int32_t> ids)
    : m_caption(std::move(caption))
    , m_ids(std::move(ids))
{
}

void CResultSheet::AddResultColumn(std::string title, std::vector<double> values)
{
    assert(values.size() == m_ids.size());
    assert(m_referable == ColumnCount()); // result columns come before formula columns
    values.resize(m_ids.size());
    m_columns.push_back({std::move(title), std::move(values)});
    ++m_referable;
}

bool CResultSheet::AddFormulaColumn(const std::string& formula)
{
    formula::Program program;
    if (!program.Compile(formula, ColumnCount()))
        return false;
    std::vector<const double*> columns;
    for (const Column& column : m_columns)
        columns.push_back(column.values.data());
    Column column{formula, std::vector<double>(m_ids.size())};
    program.EvaluateRows(columns, m_ids.size(), column.values.data());
    m_columns.push_back(std::move(column));
    return true;
}

std::string CResultSheet::CellText(size_t row, int column) const
{
    if (row == 0)
        return column == 0 ? m_caption : Title(column);
    if (column == 0)
        return std::to_string(m_ids[row - 1]);
    std::string text;
    AppendValue(text, Values(column)[row - 1]);
    return text;
}

std::string CResultSheet::ToCsv() const
{
    std::string out;
    out.reserve((m_ids.size() + 1) * (12 + 14 * m_columns.size()));
    AppendCsvCell(out, m_caption);
    for (int n = 1; n <= ColumnCount(); ++n)
    {
        out += ',';
        AppendCsvCell(out,
                      n <= m_referable ? "C" + std::to_string(n) + " : " + Title(n) : Title(n));
    }
    out += "\r\n";
    for (size_t row = 0; row < m_ids.size(); ++row)
    {
        out += std::to_string(m_ids[row]);
        for (const Column& column : m_columns)
        {
            out += ',';
            AppendValue(out, column.values[row]);
        }
        out += "\r\n";
    }
    return out;
}
