#include "io/unv/UnvLineFile.h"

#include "tests/support/TestPaths.h"

#include <fstream>
#include <gtest/gtest.h>

namespace
{
std::string WriteBytes(const std::string& name, const std::string& bytes)
{
    const std::string path = testing_support::MakeTempDir("unvline") + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

std::vector<std::string> ReadAll(const std::string& path)
{
    CUnvLineFile file;
    EXPECT_TRUE(file.Open(path));
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadLine(line))
        lines.push_back(line);
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(file.ReadLine(line)); // stays at the end
    return lines;
}

TEST(UnvLineFile, DropsCarriageReturnsAndKeepsALastLineWithoutLineEnd)
{
    const std::string path = WriteBytes("a.unv", "    -1\r\n  2411\r\n\r\nlast");
    const std::vector<std::string> lines = ReadAll(path);
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("    -1", lines[0]);
    EXPECT_EQ("  2411", lines[1]);
    EXPECT_EQ("", lines[2]);
    EXPECT_EQ("last", lines[3]);
}

TEST(UnvLineFile, CutsOverlongLinesAndCarriesOn)
{
    std::string bytes(CUnvLineFile::kMaxLineLength * 3, '\x01');
    bytes += "\nnext\n";
    const std::vector<std::string> lines = ReadAll(WriteBytes("long.unv", bytes));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(CUnvLineFile::kMaxLineLength, lines[0].size());
    EXPECT_EQ("next", lines[1]);
}

TEST(UnvLineFile, LinesCrossingTheBufferEdgeStayWhole)
{
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += std::to_string(i) + "\r\n";
    const std::vector<std::string> lines = ReadAll(WriteBytes("many.unv", bytes));
    ASSERT_EQ(200000u, lines.size());
    for (int i = 0; i < 200000; i += 997)
        ASSERT_EQ(std::to_string(i), lines[i]);
    EXPECT_EQ("199999", lines.back());
}

TEST(UnvLineFile, MissingFileDoesNotOpen)
{
    CUnvLineFile file;
    EXPECT_FALSE(file.Open("../shared/samples/no-such-file.unv"));
    std::string line = "x";
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_TRUE(line.empty());
}
} // namespace
