#include "io/bulk/BulkLineReader.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> ReadAll(const std::string& content)
{
    std::FILE* file = std::tmpfile();
    EXPECT_NE(nullptr, file);
    std::fwrite(content.data(), 1, content.size(), file);
    std::rewind(file);
    CBulkLineReader reader(file);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadCardLine(line))
        lines.push_back(line);
    std::fclose(file);
    return lines;
}

TEST(BulkLineReader, LastLineWithoutLineEndIsRead)
{
    EXPECT_EQ((std::vector<std::string>{"GRID", "CQUAD4"}), ReadAll("GRID\nCQUAD4"));
    EXPECT_EQ((std::vector<std::string>{"A", "", "B"}), ReadAll("A\n\nB\n"));
    EXPECT_TRUE(ReadAll("").empty());
}

TEST(BulkLineReader, CarriageReturnsBeforeLineFeedsAreDropped)
{
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), ReadAll("A\r\nB\r\nC\r\n"));
}

TEST(BulkLineReader, ByteOrderMarkOfTheFirstLineIsDropped)
{
    EXPECT_EQ((std::vector<std::string>{"GRID", "\xEF\xBB\xBFx"}),
              ReadAll("\xEF\xBB\xBFGRID\n\xEF\xBB\xBFx\n"));
}

TEST(BulkLineReader, TabsAdvanceToTheNextEightColumnStop)
{
    EXPECT_EQ((std::vector<std::string>{"GRID    1       0.      1.5"}),
              ReadAll("GRID\t1\t0.\t1.5\n"));
    EXPECT_EQ((std::vector<std::string>{"CHEXA1234       7"}), ReadAll("CHEXA1234\t7"));
}

TEST(BulkLineReader, LinesOfAnyLengthStayWhole)
{
    const std::string longLine(100, 'x');
    const std::string hugeLine(200000, 'y'); // spans several blocks
    EXPECT_EQ((std::vector<std::string>{longLine, hugeLine, "z"}),
              ReadAll(longLine + "\n" + hugeLine + "\nz\n"));
}

TEST(BulkLineReader, PutBackReturnsTheSameLineWithItsNumber)
{
    std::FILE* file = std::tmpfile();
    ASSERT_NE(nullptr, file);
    std::fputs("one\ntwo\n", file);
    std::rewind(file);
    CBulkLineReader reader(file);
    std::string line;
    ASSERT_TRUE(reader.ReadCardLine(line));
    ASSERT_TRUE(reader.ReadCardLine(line));
    EXPECT_EQ(2, reader.LineNumber());
    reader.PutBack();
    EXPECT_EQ(1, reader.LineNumber());
    ASSERT_TRUE(reader.ReadCardLine(line));
    EXPECT_EQ("two", line);
    EXPECT_EQ(2, reader.LineNumber());
    EXPECT_FALSE(reader.ReadCardLine(line));
    std::fclose(file);
}
} // namespace
