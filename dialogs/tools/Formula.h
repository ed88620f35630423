// Formulas of the result sheet's computed columns: tokens, the strict check, postfix
// evaluation in doubles over the sheet's columns.
#pragma once

#include <string>
#include <vector>

namespace formula
{
// Longest token the formula dialog accepts, and most tokens in one formula.
constexpr size_t kMaxTokenLength = 31;
constexpr size_t kMaxTokens = 64;

enum class Check
{
    Valid,
    Invalid,
    UnopenedClose, // ")" with nothing open
    LongToken,     // a token past kMaxTokenLength
};

// Splits "(", ")", "+", "-", "*", "/" off as tokens of their own; any other character but a
// blank starts a token that runs to the next of them ("1e-3" keeps its exponent's sign), its
// blanks dropped. Nothing typed is skipped: "sqrt(C1)" gives "sqrt", which the check refuses,
// never a formula other than the one shown.
std::vector<std::string> Tokenize(const std::string& text);

// Checks a formula over columns C1..columnCount: operands (column references in range or
// decimal numbers) and operators alternate, parentheses balance and hold something, at
// least two operands with one column reference among them.
Check CheckFormula(const std::string& text, int columnCount);

// A checked formula in postfix order, evaluated row by row in doubles.
class Program
{
public:
    // False when the text does not pass CheckFormula.
    bool Compile(const std::string& text, int columnCount);

    // columns[n - 1][row] is the value of Cn; a division by zero gives 0.0 for that step.
    double Evaluate(const std::vector<const double*>& columns, size_t row) const;
    // The formula for rows 0..rowCount-1 into out, one stack for all rows.
    void EvaluateRows(const std::vector<const double*>& columns, size_t rowCount,
                      double* out) const;

private:
    double Run(const std::vector<const double*>& columns, size_t row, double* stack) const;

    struct Step
    {
        char op = 0;     // '+', '-', '*', '/' or 0 for an operand
        int column = -1; // 0-based column of an operand, -1 for a number
        double number = 0;
    };
    std::vector<Step> m_steps;
    size_t m_depth = 0; // deepest stack the steps need
};
} // namespace formula
