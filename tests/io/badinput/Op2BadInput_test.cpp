// Bad input for the OUTPUT2 reader: the catalogue pass and the loading of every result, as the
// import command runs them. A file that is no OUTPUT2 file is refused with a message and adds
// nothing; a damaged block ends the pass and keeps what came before it.
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "io/op2/OP2Reader.h"
#include "io/op2/Op2Import.h"
#include "io/results/ImportMessages.h"
#include "tests/io/badinput/BadInputSupport.h"
#include "tests/support/TestPaths.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

using badinput::CCapturedOutput;
using badinput::WriteBytes;

namespace
{
// OUTPUT2 bytes word by word: control words [4][k][4] and records [n][bytes][n].
class COp2Bytes
{
public:
    COp2Bytes& Word(int32_t value)
    {
        char bytes[4];
        std::memcpy(bytes, &value, 4);
        m_bytes.append(bytes, 4);
        return *this;
    }
    COp2Bytes& Control(int32_t value) { return Word(4).Word(value).Word(4); }
    COp2Bytes& Record(const std::string& bytes)
    {
        Word(static_cast<int32_t>(bytes.size()));
        m_bytes += bytes;
        return Word(static_cast<int32_t>(bytes.size()));
    }
    COp2Bytes& Label()
    {
        Control(3).Record(std::string(12, '\0')).Control(7).Record(std::string(28, ' '));
        return Control(2).Record("LABEL   ").Control(-1).Control(0);
    }
    COp2Bytes& BlockHeader(const std::string& name)
    {
        std::string padded = name;
        padded.resize(8, ' ');
        Control(2).Record(padded).Control(-1).Control(7).Record(std::string(28, '\0'));
        return Control(-2)
            .Control(1)
            .Control(0)
            .Control(2)
            .Record(std::string(8, '\0'))
            .Control(-3);
    }
    // A record of key (k1, k2, k3) and the words after it, framed as one piece.
    COp2Bytes& KeyedRecord(int32_t k1, int32_t k2, int32_t k3, const std::vector<int32_t>& words)
    {
        Control(1).Control(0).Control(static_cast<int32_t>(3 + words.size()));
        Word(static_cast<int32_t>(4 * (3 + words.size()))).Word(k1).Word(k2).Word(k3);
        for (int32_t word : words)
            Word(word);
        Word(static_cast<int32_t>(4 * (3 + words.size())));
        return Control(-4);
    }
    COp2Bytes& EndBlock() { return Control(1).Control(0).Control(0); }
    COp2Bytes& EndFile() { return Control(0); }
    COp2Bytes& Raw(const std::string& bytes)
    {
        m_bytes += bytes;
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

int32_t FloatWord(float value)
{
    int32_t word = 0;
    std::memcpy(&word, &value, 4);
    return word;
}

// GEOM1 with GRID entries (id, cp, x, y, z, cd, ps, seid).
COp2Bytes Grids(COp2Bytes bytes, const std::vector<int32_t>& ids)
{
    std::vector<int32_t> words;
    for (int32_t id : ids)
    {
        const std::vector<int32_t> entry = {
            id, 0, FloatWord(1.0f), FloatWord(2.0f), FloatWord(3.0f), 0, 0, 0};
        words.insert(words.end(), entry.begin(), entry.end());
    }
    return bytes.BlockHeader("GEOM1").KeyedRecord(4501, 45, 1, words).EndBlock();
}

struct SOutcome
{
    int code;
    int nodes;
    int results;
    std::vector<std::string> lines;
};

// Catalogue pass with geometry, every result requested and read, the model finished.
SOutcome ReadOp2(CModelSet& model, const std::string& path)
{
    CCapturedOutput output;
    model.SetOutputSink(&output);
    OP2Reader reader;
    SOutcome outcome;
    outcome.code = reader.readCatalogue(path, &model, true, &output);
    std::vector<CResultData*> results;
    for (UINT id : model.GetResults().SortedKeys())
        results.push_back(model.GetResult(id));
    ChooseAllOp2Results(results);
    EXPECT_EQ(0, reader.readResults(path, &model));
    model.TransformPendingNodes();
    model.BuildElementFaces();
    model.UpdateLoadedResults();
    model.SetOutputSink(nullptr);
    outcome.nodes = model.GetNodeCount();
    outcome.results = static_cast<int>(results.size());
    outcome.lines = output.lines;
    return outcome;
}

bool HasLineWith(const std::vector<std::string>& lines, const std::string& text)
{
    for (const std::string& line : lines)
    {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

struct SOp2Case
{
    const char* name;
    std::string bytes;
    int code;         // of the catalogue pass; kRefused adds nothing
    int nodes;        // in the model afterwards
    const char* text; // part of the message line, or null for none
    // The block whose last record runs past the end of the file, or null.
    const char* blockPastEnd = nullptr;
    // Grids of block GEOM1 refused (id 0 or less, id past the largest, a coordinate that is no
    // finite number).
    int refusedGrids = 0;
};

TEST(Op2BadInputTest, EachCaseIsRefusedOrKeepsWhatCameBeforeTheDamage)
{
    const std::string grids = Grids(COp2Bytes().Label(), {1, 2, 3}).Bytes();
    const std::string whole = COp2Bytes().Raw(grids).EndFile().Bytes();
    const std::vector<SOp2Case> cases = {
        {"whole file", whole, 0, 3, nullptr},
        {"empty file", "", OP2Reader::kRefused, 0, "not a binary OUTPUT2 file"},
        {"truncated in the label", whole.substr(0, 30), OP2Reader::kRefused, 0, "label is damaged"},
        // No grid of a record cut short is kept.
        {"truncated in the grid record", whole.substr(0, grids.size() - 60), -1, 0, nullptr,
         "GEOM1"},
        {"truncated after the grid record", whole.substr(0, grids.size() - 20), -1, 3, nullptr,
         "GEOM1"},
        {"truncated before the end of file mark", grids, 0, 3, nullptr},
        {"a bulk-data deck", "GRID           1               0.      0.      0.\n",
         OP2Reader::kRefused, 0, "formatted (text)"},
        {"a universal file", "    -1\n  2411\n         1         0         0        11\n",
         OP2Reader::kRefused, 0, "formatted (text)"},
        {"binary garbage", badinput::Garbage(65536), OP2Reader::kRefused, 0,
         "not a binary OUTPUT2 file"},
        {"binary garbage after a label", COp2Bytes().Label().Raw(badinput::Garbage(4096)).Bytes(),
         -2, 0, "could not be read"},
        {"huge record length",
         COp2Bytes(COp2Bytes().Label())
             .BlockHeader("GEOM1")
             .Control(1)
             .Control(0)
             .Control(0x3FFFFFFF)
             .Word(0x7FFFFFFF)
             .Raw(std::string(64, '\0'))
             .Bytes(),
         -3, 0, "could not be read"},
        {"negative record length",
         COp2Bytes(COp2Bytes().Label())
             .BlockHeader("GEOM1")
             .Control(1)
             .Control(0)
             .Control(-5)
             .Word(-20)
             .Raw(std::string(64, '\0'))
             .Bytes(),
         -3, 0, "could not be read"},
        {"huge and negative grid ids, and id 0",
         Grids(COp2Bytes().Label(), {1, 2147483647, -7, 0}).EndFile().Bytes(), 0, 1, nullptr,
         nullptr, 3},
        {"coordinates that are no finite numbers",
         COp2Bytes(COp2Bytes().Label())
             .BlockHeader("GEOM1")
             .KeyedRecord(4501, 45, 1, {1, 0, FloatWord(NAN),
                                        0, 0, 0,
                                        0, 0, 2,
                                        0, 0, FloatWord(INFINITY),
                                        0, 0, 0,
                                        0, 3, 0,
                                        0, 0, 0,
                                        0, 0, 0})
             .EndBlock()
             .EndFile()
             .Bytes(),
         0, 1, nullptr, nullptr, 2},
        {"record of 100,000 bytes with an unknown key",
         COp2Bytes(COp2Bytes().Label())
             .BlockHeader("GEOM1")
             .KeyedRecord(9999, 99, 9, std::vector<int32_t>(25000, 7))
             .EndBlock()
             .Raw(Grids(COp2Bytes(), {4, 5}).Bytes())
             .EndFile()
             .Bytes(),
         0, 2, nullptr},
        {"CP932 bytes in a block name",
         COp2Bytes(COp2Bytes().Label())
             .BlockHeader(badinput::Cp932Text().substr(0, 8))
             .KeyedRecord(4501, 45, 1, {8, 0, 0, 0, 0, 0, 0, 0})
             .EndBlock()
             .Raw(Grids(COp2Bytes(), {4, 5}).Bytes())
             .EndFile()
             .Bytes(),
         0, 2, nullptr},
    };
    for (const SOp2Case& entry : cases)
    {
        SCOPED_TRACE(entry.name);
        const std::string folder = testing_support::MakeTempDir("op2_bad_input");
        CModelSet model;
        const std::string path = WriteBytes(folder, "bad.op2", entry.bytes);
        const SOutcome outcome = ReadOp2(model, path);
        if (entry.code < 0 && entry.code != OP2Reader::kRefused)
            EXPECT_LT(outcome.code, 0);
        else
            EXPECT_EQ(entry.code, outcome.code);
        EXPECT_EQ(entry.nodes, outcome.nodes);
        if (entry.text != nullptr)
        {
            EXPECT_TRUE(HasLineWith(outcome.lines, entry.text))
                << entry.text << " / " << (outcome.lines.empty() ? "" : outcome.lines.front());
        }
        else if (entry.refusedGrids > 0)
        {
            EXPECT_EQ((std::vector<std::string>{
                          ImportMessage("Op2EntriesRefused", {path, entry.refusedGrids, "GEOM1"})}),
                      outcome.lines);
        }
        else if (entry.blockPastEnd != nullptr)
        {
            EXPECT_EQ((std::vector<std::string>{
                          ImportMessage("Op2RecordPastEnd", {path, entry.blockPastEnd})}),
                      outcome.lines);
        }
        else
        {
            EXPECT_TRUE(outcome.lines.empty()) << outcome.lines.front();
        }
    }
}

// The ids of a second file are shifted past the first's: a huge id must not overflow.
TEST(Op2BadInputTest, HugeIdsOfASecondFileAreRefusedAfterTheShift)
{
    const std::string folder = testing_support::MakeTempDir("op2_bad_input");
    const std::string path = WriteBytes(
        folder, "ids.op2", Grids(COp2Bytes().Label(), {5, 2147483647, 1000}).EndFile().Bytes());
    CModelSet model;
    EXPECT_EQ(0, ReadOp2(model, path).code);
    EXPECT_EQ(2, model.GetNodeCount());
    const SOutcome second = ReadOp2(model, path);
    EXPECT_EQ(0, second.code);
    EXPECT_EQ(4, second.nodes);
    EXPECT_EQ((std::vector<std::string>{ImportMessage("Op2EntriesRefused", {path, 1, "GEOM1"})}),
              second.lines);
    EXPECT_NE(nullptr, model.GetNode(1005));
    EXPECT_NE(nullptr, model.GetNode(2000));
}
} // namespace

// Ids near the bound: the second file, numbered after the first, would pass it. The file is
// refused whole: no node of it, no result.
TEST(Op2BadInputTest, FileWhoseShiftedIdsPassTheBoundIsRefusedWhole)
{
    const std::string folder = testing_support::MakeTempDir("op2_bad_input");
    const std::string farFile =
        WriteBytes(folder, "far.op2", Grids(COp2Bytes().Label(), {99999990}).EndFile().Bytes());
    const std::string nearFile =
        WriteBytes(folder, "near.op2", Grids(COp2Bytes().Label(), {3, 20, 7}).EndFile().Bytes());
    CModelSet model;
    ASSERT_EQ(0, ReadOp2(model, farFile).code);
    const SOutcome second = ReadOp2(model, nearFile);
    EXPECT_EQ(OP2Reader::kRefused, second.code);
    EXPECT_EQ(1, second.nodes);
    EXPECT_EQ(99999990u, model.GetMaxNodeId());
    EXPECT_EQ((std::vector<std::string>{ImportMessage("IdsPastBound", {nearFile, kMaxEntityId})}),
              second.lines);
}
