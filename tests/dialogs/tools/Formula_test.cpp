// Formula check and evaluation of the result sheet's computed columns.
#include "dialogs/tools/Formula.h"

#include <gtest/gtest.h>

using formula::Check;

TEST(Formula, TokensKeepNumbersAndExponentsWhole)
{
    using Tokens = std::vector<std::string>;
    EXPECT_EQ((Tokens{"2", "*", "(", "C1", "+", "C2", ")"}), formula::Tokenize("2*(C1+C2)"));
    EXPECT_EQ((Tokens{"C1", "*", "1e-3", "-", "2.5E+2"}), formula::Tokenize("C1*1e-3-2.5E+2"));
    EXPECT_EQ((Tokens{"C1", "+", "C2"}), formula::Tokenize(" C 1 +\tC2 ")); // blanks ignored
    EXPECT_EQ((Tokens{"C1", "*", ".5"}), formula::Tokenize("C1*.5"));       // nothing is skipped
    EXPECT_EQ((Tokens{"sqrt", "(", "C1", ")"}), formula::Tokenize("sqrt(C1)"));
    EXPECT_EQ((Tokens{"C1", "-", "C2"}), formula::Tokenize("C1-C2")); // no exponent in a column
}

TEST(Formula, CheckTable)
{
    struct Case
    {
        const char* text;
        Check expected;
    };
    const Case cases[] = {
        {"C1+C2", Check::Valid},
        {"(C1+C2)*2", Check::Valid},
        {"C1*1.5", Check::Valid},
        {"C1*1e-3", Check::Valid},
        {"2*(C1+C2)", Check::Valid},
        {"((C1))-C2/3", Check::Valid},
        {"", Check::Invalid},
        {"C1", Check::Invalid},
        {"2*3", Check::Invalid},
        {"C1+", Check::Invalid},
        {"+C1", Check::Invalid},
        {"(C1+C2", Check::Invalid},
        {"C1)+(C2", Check::UnopenedClose},
        {"C1*(+C2)", Check::Invalid},
        {"C1(C2)", Check::Invalid},
        {"(C1)(C2)", Check::Invalid},
        {"C1+C2+()", Check::Invalid},
        {")(", Check::Invalid},
        {"()", Check::Invalid},
        {"C0+C1", Check::Invalid},
        {"C9+C1", Check::Invalid}, // two columns
        {"C1x+C2", Check::Invalid},
        {"C1*1e", Check::Invalid},
        {"C1 C2", Check::Invalid}, // one token "C1C2"
        // Characters outside the formula language refuse the formula: none is skipped.
        {"sqrt(C1)*C2", Check::Invalid},
        {"abs(C1)+C2", Check::Invalid},
        {"c1+C2", Check::Invalid},
        {"x2*C1", Check::Invalid},
        {"C1*.5", Check::Invalid},
        {"C1+C2;", Check::Invalid},
        {"C1^2+C2", Check::Invalid},
        {"C1+C2=", Check::Invalid},
        {"C1,5+C2", Check::Invalid},
        {"C1+1.5e+2x", Check::Invalid},
        {"C1+\x8c\x76"
         "C2",
         Check::Invalid}, // a double-byte character
        {"C1+C1234567890123456789012345678901", Check::LongToken},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, formula::CheckFormula(c.text, 2)) << c.text;

    std::string many = "C1";
    while (many.size() < 400)
        many += "+C2"; // 200 tokens and more
    EXPECT_EQ(Check::Invalid, formula::CheckFormula(many, 2));
    std::string deep(40, '(');
    deep += "C1+C2" + std::string(40, ')');
    EXPECT_EQ(Check::Invalid, formula::CheckFormula(deep, 2)); // 83 tokens
}

TEST(Formula, EvaluatesInDoublesWithPrecedence)
{
    const std::vector<double> c1 = {1.234567890123e-6, 3.0, 7.0};
    const std::vector<double> c2 = {2.5e-6, 0.0, 2.0};
    const std::vector<double> c3 = {10.0, 10.0, 10.0};
    const std::vector<const double*> columns = {c1.data(), c2.data(), c3.data()};
    struct Case
    {
        const char* text;
        double row[3];
    };
    const Case cases[] = {
        {"2*(C1+C2)", {2 * (c1[0] + c2[0]), 6.0, 18.0}},
        {"C1-C2-C3", {c1[0] - c2[0] - 10.0, -7.0, -5.0}}, // left to right
        {"C1/C2", {c1[0] / c2[0], 0.0, 3.5}},             // zero divisor gives 0.0
        {"C3+C1/C2", {10.0 + c1[0] / c2[0], 10.0, 13.5}}, // the sum still takes C3
        {"C1*1e-3+C3*2", {c1[0] * 1e-3 + 20.0, 20.003, 20.007}},
        {" ( C 1 + C2 ) * 2.5E+1 ", {(c1[0] + c2[0]) * 25.0, 75.0, 225.0}}, // blanks anywhere
    };
    for (const Case& c : cases)
    {
        formula::Program program;
        ASSERT_TRUE(program.Compile(c.text, 3)) << c.text;
        std::vector<double> all(3);
        program.EvaluateRows(columns, 3, all.data());
        for (size_t row = 0; row < 3; ++row)
        {
            EXPECT_DOUBLE_EQ(c.row[row], program.Evaluate(columns, row))
                << c.text << " row " << row;
            EXPECT_EQ(program.Evaluate(columns, row), all[row]);
        }
    }
    formula::Program refused;
    EXPECT_FALSE(refused.Compile("C1+", 3));
}
