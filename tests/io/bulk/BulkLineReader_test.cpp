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

TEST(BulkLineReader, CarriageReturnsEndLinesAloneOrBeforeLineFeeds)
{
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), ReadAll("A\r\nB\r\nC\r\n"));
    // Old Macintosh files end lines with a lone carriage return.
    EXPECT_EQ((std::vector<std::string>{"GRID", "CQUAD4", "", "x"}), ReadAll("GRID\rCQUAD4\r\rx"));
    EXPECT_EQ((std::vector<std::string>{"A", "B", "", "C"}), ReadAll("A\r\nB\r\n\rC\n"));
    // "\r\n" split by the end of a read block is still one line end.
    const std::string first(CBulkLineReader::kBlockSize - 1, 'a');
    EXPECT_EQ((std::vector<std::string>{first, "b"}), ReadAll(first + "\r\nb\r\n"));
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

TEST(BulkLineReader, LinesUpToTheBoundStayWholeAndALongerOneEndsTheFile)
{
    const std::string longLine(100, 'x');
    const std::string hugeLine(3 * CBulkLineReader::kBlockSize, 'y'); // spans several blocks
    const std::string boundLine(CBulkLineReader::kMaxLineLength, 'b');
    EXPECT_EQ((std::vector<std::string>{longLine, hugeLine, "z", boundLine, "e"}),
              ReadAll(longLine + "\n" + hugeLine + "\nz\n" + boundLine + "\ne"));

    std::FILE* file = std::tmpfile();
    ASSERT_NE(nullptr, file);
    const std::string tooLong(CBulkLineReader::kMaxLineLength + 1, 'w');
    std::fputs(("GRID\n" + tooLong + "\nCQUAD4\n").c_str(), file);
    std::rewind(file);
    CBulkLineReader reader(file);
    std::string line;
    ASSERT_TRUE(reader.ReadCardLine(line));
    EXPECT_FALSE(reader.IsLineTooLong());
    EXPECT_FALSE(reader.ReadCardLine(line));
    EXPECT_TRUE(reader.IsLineTooLong());
    EXPECT_FALSE(reader.ReadCardLine(line)); // nothing after it
    EXPECT_EQ(1, reader.LineNumber());
    std::fclose(file);
}

// Lines are seen in place in the buffer: one that a block end cuts, with or without tabs, still
// reads whole, and again after PutBack.
TEST(BulkLineReader, LinesAcrossBlockEndsReadWholeAndAgainAfterPutBack)
{
    const std::size_t block = CBulkLineReader::kBlockSize;
    const std::string filler(block - 5, 'f');
    const std::string tabbed = "GRID\t1\t\t2.5";
    const std::string expanded = "GRID    1               2.5";
    struct Case
    {
        std::string content;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {filler + "\nCQUAD4  1\n", {filler, "CQUAD4  1"}},
        {filler + "\n" + tabbed + "\nx", {filler, expanded, "x"}},
        {filler + "\r" + tabbed + "\r\n" + filler + "\r\n", {filler, expanded, filler}},
        {"\xEF\xBB\xBF\tA\n", {"        A"}}, // the mark is no column
    };
    for (const Case& c : cases)
    {
        std::FILE* file = std::tmpfile();
        ASSERT_NE(nullptr, file);
        std::fwrite(c.content.data(), 1, c.content.size(), file);
        std::rewind(file);
        CBulkLineReader reader(file);
        std::vector<std::string> lines;
        std::string_view line;
        while (reader.ReadLine(line))
        {
            const std::string first(line);
            reader.PutBack();
            ASSERT_TRUE(reader.ReadLine(line));
            EXPECT_EQ(first, line);
            lines.push_back(first);
        }
        EXPECT_EQ(c.lines, lines);
        std::fclose(file);
    }
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
