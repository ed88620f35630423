// Files: raw access and errors, 64-bit positions, text-mode lines in both builds, buffered
// mixing of reads, writes and seeks, and memory files.
#include "platform/base/file.h"

#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// A new file in a fresh folder, written with the given bytes; the path uses '\\' as the
// program's paths do.
std::string WriteFile(const std::string& name, const std::string& bytes)
{
    const std::string path = testing_support::MakeTempDir("file") + "\\" + name;
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
    return path;
}

std::string ReadAll(const std::string& path)
{
    CFile file(path.c_str(), CFile::modeRead);
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    EXPECT_EQ(bytes.size(), file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
    return bytes;
}

std::vector<std::string> ReadLines(const std::string& path, UINT flags)
{
    CStdioFile file(path.c_str(), CFile::modeRead | flags);
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back(line.GetString());
    return lines;
}

int CauseOf(void (*action)())
{
    try
    {
        action();
    }
    catch (CFileException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return CFileException::none;
}
} // namespace

TEST(CFile, WritesReadsSeeksAndTruncates)
{
    const std::string path = WriteFile("raw.bin", "0123456789");
    CFile file(path.c_str(), CFile::modeReadWrite);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_STREQ("raw.bin", file.GetFileName());
    EXPECT_EQ(4u, file.Seek(4, CFile::begin));
    char buffer[8] = {};
    EXPECT_EQ(3u, file.Read(buffer, 3));
    EXPECT_STREQ("456", buffer);
    EXPECT_EQ(5u, file.Seek(-2, CFile::current));
    file.Write("ab", 2);
    EXPECT_EQ(7u, file.GetPosition());
    EXPECT_EQ(8u, file.Seek(-2, CFile::end));
    EXPECT_EQ(2u, file.Read(buffer, 8)); // short read at the end
    file.SetLength(6);
    EXPECT_EQ(6u, file.GetPosition());
    EXPECT_EQ(6u, file.GetLength());
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ("01234a", ReadAll(path));
}

TEST(CFile, PositionsPastFourGigabytes)
{
    const std::string path = WriteFile("big.bin", "x");
    CFile file(path.c_str(), CFile::modeRead);
    const ULONGLONG farPosition = 5ULL * 1024 * 1024 * 1024 + 7;
    EXPECT_EQ(farPosition, file.Seek(static_cast<LONGLONG>(farPosition), CFile::begin));
    EXPECT_EQ(farPosition, file.GetPosition());
    char ch = 0;
    EXPECT_EQ(0u, file.Read(&ch, 1));
}

TEST(CFile, OpenFailuresReportTheirCause)
{
    const std::string folder = testing_support::MakeTempDir("open");
    const std::string missing = folder + "\\missing.dat";
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_STREQ(missing.c_str(), error.m_strFileName);
    EXPECT_FALSE(file.Open((folder + "\\no\\such\\x.dat").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    // A folder is not a file in either build.
    EXPECT_FALSE(file.Open(folder.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::accessDenied, error.m_cause);

    static std::string s_missing;
    s_missing = missing;
    EXPECT_EQ(CFileException::fileNotFound,
              CauseOf([] { CStdioFile(s_missing.c_str(), CFile::modeRead); }));
}

TEST(CFile, ReadingAWriteOnlyFileIsAccessDenied)
{
    static std::string s_path;
    s_path = WriteFile("writeonly.bin", "abc");
    EXPECT_EQ(CFileException::accessDenied, CauseOf(
                                                []
                                                {
                                                    CFile file(s_path.c_str(), CFile::modeWrite);
                                                    char ch = 0;
                                                    file.Read(&ch, 1);
                                                }));
    EXPECT_EQ(CFileException::accessDenied, CauseOf(
                                                []
                                                {
                                                    CFile file(s_path.c_str(), CFile::modeRead);
                                                    file.Write("x", 1);
                                                }));
}

TEST(CFile, SeekBeforeTheStartThrows)
{
    static std::string s_path;
    s_path = WriteFile("seek.bin", "abc");
    EXPECT_EQ(CFileException::badSeek, CauseOf(
                                           []
                                           {
                                               CFile file(s_path.c_str(), CFile::modeRead);
                                               file.Seek(-1, CFile::begin);
                                           }));
    EXPECT_EQ(CFileException::badSeek, CauseOf(
                                           []
                                           {
                                               CStdioFile file(s_path.c_str(), CFile::modeRead);
                                               file.Seek(-5, CFile::end);
                                           }));
}

TEST(CStdioFile, TextModeDropsTheCarriageReturnBeforeALineFeed)
{
    const std::string path = WriteFile("text.txt", "one\r\ntwo\nthree\r\r\na\rb\n\nlast");
    const std::vector<std::string> expected{"one", "two", "three\r", "a\rb", "", "last"};
    EXPECT_EQ(expected, ReadLines(path, CFile::typeText));
    EXPECT_EQ(expected, ReadLines(path, 0)); // text is the default
    const std::vector<std::string> binary{"one\r", "two", "three\r\r", "a\rb", "", "last"};
    EXPECT_EQ(binary, ReadLines(path, CFile::typeBinary));
    EXPECT_TRUE(ReadLines(WriteFile("empty.txt", ""), 0).empty());
    EXPECT_EQ(std::vector<std::string>{""}, ReadLines(WriteFile("feed.txt", "\r\n"), 0));
}

TEST(CStdioFile, LongLinesAndLineEndsAcrossBufferBoundaries)
{
    // The buffer holds 64 KiB: put a "\r\n" across its edge and a line longer than it.
    const std::string edge(65535, 'e');
    const std::string longLine(200000, 'L');
    const std::string path = WriteFile("long.txt", edge + "\r\n" + longLine + "\r\nend\r\n");
    const std::vector<std::string> lines = ReadLines(path, 0);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(edge, lines[0]);
    EXPECT_EQ(longLine, lines[1]);
    EXPECT_EQ("end", lines[2]);
}

TEST(CStdioFile, BoundedReadStringKeepsTheLineFeed)
{
    const std::string path = WriteFile("bounded.txt", "abcdef\r\ngh");
    CStdioFile file(path.c_str(), CFile::modeRead);
    char buffer[5];
    ASSERT_NE(nullptr, file.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("abcd", buffer);
    ASSERT_NE(nullptr, file.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("ef\n", buffer);
    ASSERT_NE(nullptr, file.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("gh", buffer);
    EXPECT_EQ(nullptr, file.ReadString(buffer, sizeof(buffer)));
}

TEST(CStdioFile, TextModeWritesCarriageReturnLineFeed)
{
    const std::string folder = testing_support::MakeTempDir("write");
    const std::string textPath = folder + "\\out.txt";
    const std::string binaryPath = folder + "\\out.bin";
    {
        CStdioFile text(textPath.c_str(), CFile::modeCreate | CFile::modeWrite);
        text.WriteString("a\nb\n");
        text.WriteString("c");
        EXPECT_EQ(7u, text.GetLength()); // pending bytes count
        CStdioFile binary(binaryPath.c_str(),
                          CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        binary.WriteString("a\nb\n");
    } // closed by the destructors, which write what is pending
    EXPECT_EQ("a\r\nb\r\nc", ReadAll(textPath));
    EXPECT_EQ("a\nb\n", ReadAll(binaryPath));
}

TEST(CStdioFile, MixesReadsWritesAndSeeks)
{
    const std::string path = WriteFile("mixed.txt", "first\r\nsecond\r\nthird\r\n");
    CStdioFile file(path.c_str(), CFile::modeReadWrite);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("first", line);
    EXPECT_EQ(7u, file.GetPosition()); // byte offset, carriage return included
    file.WriteString("SECOND\n");      // overwrites "second\r\n" in place
    EXPECT_EQ(15u, file.GetPosition());
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("third", line);
    EXPECT_FALSE(file.ReadString(line));
    file.SeekToBegin();
    char raw[6] = {};
    EXPECT_EQ(5u, file.Read(raw, 5));
    EXPECT_STREQ("first", raw);
    EXPECT_EQ(7u, file.Seek(2, CFile::current));
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("SECOND", line);
    file.Close();
    EXPECT_EQ("first\r\nSECOND\r\nthird\r\n", ReadAll(path));
}

TEST(CStdioFile, TextReadTranslatesLineEnds)
{
    const std::string path = WriteFile("read.txt", "a\r\nb\rc");
    CStdioFile file(path.c_str(), CFile::modeRead);
    char buffer[16] = {};
    EXPECT_EQ(5u, file.Read(buffer, sizeof(buffer)));
    EXPECT_STREQ("a\nb\rc", buffer);
}

TEST(CMemFile, GrowsAndZeroFillsGaps)
{
    CMemFile file;
    std::string block(3000, 'm');
    file.Write(block.data(), static_cast<UINT>(block.size()));
    EXPECT_EQ(3000u, file.GetLength());
    EXPECT_EQ(4010u, file.Seek(1010, CFile::current));
    file.Write("z", 1);
    EXPECT_EQ(4011u, file.GetLength());
    file.Seek(2999, CFile::begin);
    char bytes[4] = {};
    EXPECT_EQ(3u, file.Read(bytes, 3));
    EXPECT_EQ('m', bytes[0]);
    EXPECT_EQ(0, bytes[1]);
    EXPECT_EQ(0, bytes[2]);
    file.Seek(-1, CFile::end);
    EXPECT_EQ(1u, file.Read(bytes, 4));
    EXPECT_EQ('z', bytes[0]);
    EXPECT_EQ(0u, file.Read(bytes, 4));
    EXPECT_EQ(CFileException::badSeek, CauseOf(
                                           []
                                           {
                                               CMemFile memory;
                                               memory.Seek(-1, CFile::current);
                                           }));

    BYTE* data = file.Detach();
    ASSERT_NE(nullptr, data);
    EXPECT_EQ('z', data[4010]);
    std::free(data);
    EXPECT_EQ(0u, file.GetLength());
}

TEST(CMemFile, AttachedBuffersStayTheCallers)
{
    BYTE fixed[4] = {'a', 'b', 'c', 'd'};
    {
        CMemFile file(fixed, sizeof(fixed));
        file.Seek(2, CFile::begin);
        file.Write("XY", 2);
        bool threw = false;
        try
        {
            file.Write("!", 1);
        }
        catch (CMemoryException* e)
        {
            threw = true;
            e->Delete();
        }
        EXPECT_TRUE(threw);
    }
    EXPECT_EQ(0, std::memcmp(fixed, "abXY", 4));

    BYTE small[2] = {'1', '2'};
    CMemFile growing(small, sizeof(small), 16);
    growing.SeekToEnd();
    growing.Write("345", 3);
    EXPECT_EQ(5u, growing.GetLength());
    growing.SeekToBegin();
    char text[6] = {};
    EXPECT_EQ(5u, growing.Read(text, 5));
    EXPECT_STREQ("12345", text);
    EXPECT_EQ('1', small[0]); // the caller's block is untouched and not freed
}

TEST(CStdioFile, ReadsASampleFileLineByLine)
{
    REQUIRE_SAMPLES();
    // Any sample text file: every line comes back without a carriage return.
    const std::string path = testing_support::SamplePath("README.md");
    CStdioFile file(path.c_str(), CFile::modeRead);
    CString line;
    int count = 0;
    while (file.ReadString(line))
    {
        EXPECT_EQ(-1, line.Find('\r'));
        ++count;
    }
    EXPECT_GT(count, 0);
}
