// The table behind the result sheet: one row per id, result columns then formula columns,
// the cell texts the list shows and the CSV file written from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CResultSheet
{
public:
    // caption: the id column's header ("Node ID" or "Element ID").
    CResultSheet(std::string caption, std::vector<int32_t> ids);

    // A column of the command's results; values in the order of the ids.
    void AddResultColumn(std::string title, std::vector<double> values);
    // Appends a column computed from the formula over the values (never the shown texts);
    // false, with nothing added, when the formula does not pass the check.
    bool AddFormulaColumn(const std::string& formula);

    size_t RowCount() const { return m_ids.size(); }
    int ColumnCount() const { return int(m_columns.size()); }
    int ReferableCount() const { return m_referable; }
    const std::string& Title(int column) const { return m_columns[column - 1].title; }
    const std::vector<double>& Values(int column) const { return m_columns[column - 1].values; }

    // The list's cell: row 0 holds the caption and the titles, rows 1..RowCount the id and the
    // values as "%13.5E"; column 0 is the id column.
    std::string CellText(size_t row, int column) const;

    // The whole CSV file: the list's cells, result titles behind "C%d : ", CR LF line ends,
    // a cell holding a comma, a quote or a line break quoted with its quotes doubled.
    std::string ToCsv() const;

private:
    struct Column
    {
        std::string title;
        std::vector<double> values;
    };

    std::string m_caption;
    std::vector<int32_t> m_ids;
    std::vector<Column> m_columns;
    int m_referable = 0; // the result columns lead; formula columns follow them
};
