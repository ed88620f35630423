// Formulas of the result sheet's computed columns.
#include "dialogs/tools/Formula.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <cstdlib>

namespace formula
{
namespace
{
bool IsSingle(char c)
{
    return c == '(' || c == ')' || c == '+' || c == '-' || c == '*' || c == '/';
}

bool IsOperator(const std::string& t)
{
    return t == "+" || t == "-" || t == "*" || t == "/";
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A column reference C1..columnCount; its 0-based index, else -1.
int ColumnOf(const std::string& t, int columnCount)
{
    if (t.size() < 2 || t[0] != 'C' || t.size() > 10)
        return -1;
    long n = 0;
    for (size_t i = 1; i < t.size(); ++i)
    {
        if (!IsDigit(t[i]))
            return -1;
        n = n * 10 + (t[i] - '0');
    }
    return n >= 1 && n <= columnCount ? int(n - 1) : -1;
}

// "12", "1.5", "2.", "1e-3", "1.5E+02"; never a sign or a lone exponent.
bool IsNumber(const std::string& t)
{
    size_t i = 0;
    while (i < t.size() && IsDigit(t[i]))
        ++i;
    if (i == 0)
        return false;
    if (i < t.size() && t[i] == '.')
        for (++i; i < t.size() && IsDigit(t[i]);)
            ++i;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E'))
    {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        const size_t digits = i;
        while (i < t.size() && IsDigit(t[i]))
            ++i;
        if (i == digits)
            return false;
    }
    return i == t.size();
}

int Precedence(const std::string& t)
{
    if (t == "(")
        return 0;
    return t == "+" || t == "-" ? 1 : 2;
}
} // namespace

std::vector<std::string> Tokenize(const std::string& text)
{
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < text.size())
    {
        const char c = text[i];
        if (IsSingle(c))
        {
            tokens.emplace_back(1, c);
            ++i;
            continue;
        }
        if (IsBlank(c))
        {
            ++i;
            continue;
        }
        std::string token;
        for (; i < text.size(); ++i)
        {
            const char d = text[i];
            // "1e-3": the sign right after a number's exponent letter is the exponent's.
            const bool exponentSign = (d == '+' || d == '-') && !token.empty() &&
                                      IsDigit(token[0]) &&
                                      (token.back() == 'e' || token.back() == 'E');
            if (IsSingle(d) && !exponentSign)
                break;
            if (!IsBlank(d))
                token += d;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

Check CheckFormula(const std::string& text, int columnCount)
{
    const std::vector<std::string> tokens = Tokenize(text);
    if (tokens.empty() || tokens.size() > kMaxTokens)
        return Check::Invalid;
    bool expectOperand = true;
    int depth = 0;
    int operands = 0;
    bool hasColumn = false;
    for (const std::string& t : tokens)
    {
        if (t.size() > kMaxTokenLength)
            return Check::LongToken;
        if (t == "(")
        {
            if (!expectOperand)
                return Check::Invalid; // "C1(C2)", "(C1)(C2)"
            ++depth;
        }
        else if (t == ")")
        {
            if (expectOperand)
                return Check::Invalid; // "()", "C1+)"
            if (depth == 0)
                return Check::UnopenedClose;
            --depth;
        }
        else if (IsOperator(t))
        {
            if (expectOperand)
                return Check::Invalid; // "+C1", "C1*(+C2)", "C1++C2"
            expectOperand = true;
        }
        else
        {
            if (!expectOperand)
                return Check::Invalid;
            const bool column = ColumnOf(t, columnCount) >= 0;
            if (!column && !IsNumber(t))
                return Check::Invalid; // "C0", "C9" past the columns, "C1x"
            hasColumn = hasColumn || column;
            ++operands;
            expectOperand = false;
        }
    }
    if (expectOperand || depth != 0 || operands < 2 || !hasColumn)
        return Check::Invalid;
    return Check::Valid;
}

bool Program::Compile(const std::string& text, int columnCount)
{
    m_steps.clear();
    m_depth = 0;
    if (CheckFormula(text, columnCount) != Check::Valid)
        return false;
    std::vector<std::string> pending;
    auto emitOperator = [this](const std::string& t)
    {
        Step step;
        step.op = t[0];
        m_steps.push_back(step);
    };
    for (const std::string& t : Tokenize(text))
    {
        if (t == "(")
            pending.push_back(t);
        else if (t == ")")
        {
            for (; pending.back() != "("; pending.pop_back())
                emitOperator(pending.back());
            pending.pop_back();
        }
        else if (IsOperator(t))
        {
            for (; !pending.empty() && Precedence(pending.back()) >= Precedence(t);
                 pending.pop_back())
                emitOperator(pending.back());
            pending.push_back(t);
        }
        else
        {
            Step step;
            step.column = ColumnOf(t, columnCount);
            if (step.column < 0)
                step.number = std::strtod(t.c_str(), nullptr);
            m_steps.push_back(step);
        }
    }
    for (; !pending.empty(); pending.pop_back())
        emitOperator(pending.back());

    size_t depth = 0;
    for (const Step& step : m_steps)
    {
        depth = step.op ? depth - 1 : depth + 1;
        m_depth = std::max(m_depth, depth);
    }
    assert(depth == 1); // the check leaves no operator without two operands
    return true;
}

double Program::Run(const std::vector<const double*>& columns, size_t row, double* stack) const
{
    size_t top = 0;
    for (const Step& step : m_steps)
    {
        if (!step.op)
        {
            stack[top++] = step.column >= 0 ? columns[step.column][row] : step.number;
            continue;
        }
        const double right = stack[--top];
        const double left = stack[top - 1];
        double value = 0.0;
        switch (step.op)
        {
        case '+': value = left + right; break;
        case '-': value = left - right; break;
        case '*': value = left * right; break;
        default: value = right != 0.0 ? left / right : 0.0; break;
        }
        stack[top - 1] = value;
    }
    return top ? stack[0] : 0.0;
}

double Program::Evaluate(const std::vector<const double*>& columns, size_t row) const
{
    std::vector<double> stack(m_depth + 1);
    return Run(columns, row, stack.data());
}

void Program::EvaluateRows(const std::vector<const double*>& columns, size_t rowCount,
                           double* out) const
{
    std::vector<double> stack(m_depth + 1);
    for (size_t row = 0; row < rowCount; ++row)
        out[row] = Run(columns, row, stack.data());
}
} // namespace formula
