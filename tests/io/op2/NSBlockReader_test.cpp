#include "io/op2/NSBlockReader.h"

#include "io/op2/Op2File.h"
#include "tests/support/Op2TestFile.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

namespace
{
// Takes whole entries of entryWords words and remembers their words.
class CollectingReader : public NSRecordReader
{
public:
    explicit CollectingReader(int entryWords, std::vector<int>* words)
        : m_entryBytes(entryWords * 4)
        , m_words(words)
    {
    }
    int readRecord(const int* data, int nBytes, CModelSet*) override
    {
        ++calls;
        const int entries = nBytes / m_entryBytes;
        m_words->insert(m_words->end(), data, data + entries * m_entryBytes / 4);
        return nBytes % m_entryBytes;
    }
    int calls = 0;

private:
    int m_entryBytes;
    std::vector<int>* m_words;
};

class FailingReader : public NSRecordReader
{
public:
    int readRecord(const int*, int, CModelSet*) override { return -1; }
};

Op2Words Counting(int count)
{
    Op2Words words;
    for (int i = 0; i < count; ++i)
        words.I(1000 + i);
    return words;
}

struct BlockRun
{
    int code;
    int64_t position;
};

BlockRun RunBlock(const Op2TestFile& content, NSBlockReader& reader, bool skipAll = false)
{
    const std::string dir = testing_support::MakeTempDir("op2block");
    COp2File file;
    EXPECT_TRUE(file.Open(content.Save(dir, "block.op2")));
    const int code = reader.readBlock(&file, nullptr, skipAll);
    return {code, file.GetPosition()};
}
} // namespace

TEST(NSBlockReader, SplitRecordGivesTheSameEntriesAsUnsplit)
{
    // 7-word entries across pieces of 5 words (the first piece also holds the 3-word key).
    for (int pieceWords : {0, 5, 8, 3})
    {
        SCOPED_TRACE(pieceWords);
        std::vector<int> words;
        NSBlockReader reader(NSBlockReader::kGeometryKind);
        auto collecting = std::make_unique<CollectingReader>(7, &words);
        reader.AddRecordReader(45, std::move(collecting));
        Op2TestFile content;
        content.KeyedRecord(4501, 45, 1, Counting(70), pieceWords).EndBlock().Raw(77);
        const BlockRun run = RunBlock(content, reader);
        EXPECT_EQ(0, run.code);
        EXPECT_EQ(static_cast<int64_t>(content.Bytes().size()) - 4, run.position);
        ASSERT_EQ(70u, words.size());
        for (int i = 0; i < 70; ++i)
            EXPECT_EQ(1000 + i, words[i]);
    }
}

TEST(NSBlockReader, SkipsRecordsWithoutReaderAndCallsNoneForAKeyOnly)
{
    std::vector<int> words;
    NSBlockReader reader(NSBlockReader::kGeometryKind);
    auto collecting = std::make_unique<CollectingReader>(2, &words);
    CollectingReader* observed = collecting.get();
    reader.AddRecordReader(45, std::move(collecting));
    Op2TestFile content;
    content
        .KeyedRecord(101, 99, 1, Counting(9), 4) // unknown key, split
        .KeyedRecord(4501, 45, 1, Op2Words())    // key only
        .KeyedRecord(4501, 45, 1, Counting(4))
        .EndBlock();
    EXPECT_EQ(0, RunBlock(content, reader).code);
    EXPECT_EQ(1, observed->calls);
    EXPECT_EQ((std::vector<int>{1000, 1001, 1002, 1003}), words);
}

TEST(NSBlockReader, SkipAllReadsOverShortAndLongRecords)
{
    std::vector<int> words;
    NSBlockReader reader(NSBlockReader::kGeometryKind);
    reader.AddRecordReader(45, std::make_unique<CollectingReader>(1, &words));
    Op2TestFile content;
    content.Record(Op2Words().I(7)).KeyedRecord(4501, 45, 1, Counting(20), 6).EndBlock();
    EXPECT_EQ(0, RunBlock(content, reader, true).code);
    EXPECT_TRUE(words.empty());
}

TEST(NSBlockReader, FramingFaultsEndTheBlockWithTheirCode)
{
    struct Case
    {
        const char* what;
        int expected;
        std::function<void(Op2TestFile&)> build;
    };
    const Case cases[] = {
        {"prefix word 1 not 1", op2::kBadPrefix,
         [](Op2TestFile& f) { f.ControlWord(2).ControlWord(0).ControlWord(4); }},
        {"prefix word 4 not 0", op2::kBadPrefix,
         [](Op2TestFile& f) { f.ControlWord(1).ControlWord(3).ControlWord(4); }},
        {"leading length not 4n", op2::kBadLength,
         [](Op2TestFile& f) { f.ControlWord(1).ControlWord(0).ControlWord(4).Raw(20); }},
        {"record shorter than its key", op2::kBadLength,
         [](Op2TestFile& f)
         { f.ControlWord(1).ControlWord(0).ControlWord(2).Raw(8).Raw(1).Raw(2).Raw(8); }},
        {"trailing length differs", op2::kBadTrailer,
         [](Op2TestFile& f)
         {
             f.ControlWord(1).ControlWord(0).ControlWord(4).Raw(16).Raw(1).Raw(45).Raw(1).Raw(5);
             f.Raw(12).ControlWord(-4);
         }},
        {"continuation length not 4k", op2::kBadLength,
         [](Op2TestFile& f)
         {
             f.ControlWord(1).ControlWord(0).ControlWord(4).Raw(16).Raw(1).Raw(45).Raw(1).Raw(5);
             f.Raw(16).ControlWord(2).Raw(12).Raw(1).Raw(2).Raw(3).Raw(12).ControlWord(-4);
         }},
        {"truncated inside a record", op2::kTruncated,
         [](Op2TestFile& f) { f.ControlWord(1).ControlWord(0).ControlWord(40).Raw(160).Raw(1); }},
        {"truncated before the prefix", op2::kTruncated, [](Op2TestFile& f) { f.Raw(4); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        std::vector<int> words;
        NSBlockReader reader(NSBlockReader::kGeometryKind);
        reader.AddRecordReader(45, std::make_unique<CollectingReader>(1, &words));
        Op2TestFile content;
        c.build(content);
        EXPECT_EQ(c.expected, RunBlock(content, reader).code);
    }
}

TEST(NSBlockReader, ReaderFailureOrNoProgressEndsTheBlock)
{
    NSBlockReader failing(NSBlockReader::kGeometryKind);
    failing.AddRecordReader(45, std::make_unique<FailingReader>());
    Op2TestFile content;
    content.KeyedRecord(4501, 45, 1, Counting(8)).EndBlock();
    EXPECT_EQ(op2::kReaderFailed, RunBlock(content, failing).code);

    // An entry larger than the shared buffer can never be completed: stop, do not loop.
    std::vector<int> words;
    NSBlockReader huge(NSBlockReader::kGeometryKind);
    huge.AddRecordReader(45,
                         std::make_unique<CollectingReader>(NSBlockReader::kBufferBytes, &words));
    Op2TestFile big;
    big.KeyedRecord(4501, 45, 1, Counting(NSBlockReader::kBufferBytes / 4 + 10)).EndBlock();
    EXPECT_EQ(op2::kReaderFailed, RunBlock(big, huge).code);
}
