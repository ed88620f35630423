#include "io/bulk/BulkCard.h"

#include <gtest/gtest.h>

namespace
{
struct NameCase
{
    const char* line;
    const char* name;
    bool isLargeField;
    bool isFreeField;
};

const NameCase kNames[] = {
    {"GRID    1", "GRID", false, false},   {"GRID*   1", "GRID", true, false},
    {"grid    1", "GRID", false, false},   {"GRID,1,,0.", "GRID", false, true},
    {"CQUAD4* 12", "CQUAD4", true, false}, {"CTRIAX6 1", "CTRIAX6", false, false},
    {"CORD2R*,1", "CORD2R", true, true},   {"PARAM", "PARAM", false, false},
};

TEST(BulkCard, NameComesFromTheFirstEightColumns)
{
    for (const NameCase& c : kNames)
    {
        SCOPED_TRACE(c.line);
        const CBulkCard::SName name = CBulkCard::ReadName(c.line);
        EXPECT_EQ(c.name, name.name);
        EXPECT_EQ(c.isLargeField, name.isLargeField);
        EXPECT_EQ(c.isFreeField, name.isFreeField);
    }
}

TEST(BulkCard, ContinuationsBeginWithPlusStarOrBlank)
{
    EXPECT_TRUE(CBulkCard::IsContinuation("+P1     7"));
    EXPECT_TRUE(CBulkCard::IsContinuation("*       1.0"));
    EXPECT_TRUE(CBulkCard::IsContinuation("        7       8"));
    EXPECT_FALSE(CBulkCard::IsContinuation("        "));
    EXPECT_FALSE(CBulkCard::IsContinuation(""));
    EXPECT_FALSE(CBulkCard::IsContinuation("GRID    1"));
    EXPECT_FALSE(CBulkCard::IsContinuation("$ comment"));
}

TEST(BulkCard, SmallFieldsAreEightColumnsFromColumnNine)
{
    const std::string line =
        "CQUAD4  12      3       1       2       3       4" + std::string(24, ' ') + "+C1";
    CBulkCard card;
    card.Start(CBulkCard::ReadName(line), line, 5);
    card.AddContinuation("+C1     10      11");
    EXPECT_EQ(5, card.LineNumber());
    EXPECT_EQ(16, card.FieldCount());
    EXPECT_EQ("12      ", card.Field(0));
    EXPECT_EQ("4       ", card.Field(5));
    EXPECT_FALSE(card.IsFilled(6));
    EXPECT_EQ("10      ", card.Field(8));
    EXPECT_EQ("11", card.Field(9));
    EXPECT_EQ("", card.Field(10));
    EXPECT_EQ("", card.Field(99));
}

// A line of fields of the given width after an 8-column head.
std::string Line(const std::string& head, std::initializer_list<const char*> fields, int width)
{
    std::string line = head;
    line.resize(8, ' ');
    for (const char* field : fields)
    {
        std::string text = field;
        text.resize(static_cast<std::size_t>(width), ' ');
        line += text;
    }
    return line;
}

TEST(BulkCard, LargeFieldsSpanTwoLinesAndMayMixWithSmallOnes)
{
    const std::string line = Line("CORD2R*", {"3", "1", "25.", "0."}, 16) + "*     FM";
    CBulkCard card;
    card.Start(CBulkCard::ReadName(line), line, 1);
    card.AddContinuation(Line("*     FM", {"0.", "50.", "1.092785-6", "4.7-14"}, 16) + "*  FN");
    card.AddContinuation(Line("+     FN", {"24.9999", "25.", "1.092-6"}, 8));
    EXPECT_TRUE(card.IsLargeField());
    ASSERT_EQ(16, card.FieldCount());
    const char* const expected[] = {"3",          "1",      "25.",     "0.",  "0.",     "50.",
                                    "1.092785-6", "4.7-14", "24.9999", "25.", "1.092-6"};
    for (int i = 0; i < 11; ++i)
    {
        SCOPED_TRACE(i);
        std::string field(card.Field(i));
        field.erase(field.find_last_not_of(' ') + 1);
        EXPECT_EQ(expected[i], field);
    }
}

TEST(BulkCard, BlankContinuationKeepsTheFormOfTheFirstLine)
{
    const std::string line = Line("GRID*", {"1", "0", "1.5", "2.5"}, 16);
    CBulkCard card;
    card.Start(CBulkCard::ReadName(line), line, 1);
    card.AddContinuation(Line("", {"3.5"}, 16));
    EXPECT_EQ("3.5             ", card.Field(4));
}
} // namespace
