#include "io/op2/OP2Reader.h"

#include "core/model/ModelSet.h"
#include "io/op2/NSBlockReader.h"
#include "io/results/ImportMessages.h"
#include "platform/base/file.h"
#include "tests/support/Op2TestModel.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

namespace
{
constexpr int kStatic = 1;
constexpr int kModes = 2;

struct StaticFile
{
    std::string path;
    int64_t firstSubcase = 0;
    int64_t secondSubcase = 0;
};

// Label, one OUG block with two static subcases (load sets 1 and 2) over nodes 1 and 2.
StaticFile WriteTwoSubcases(const std::string& dir, int pieceWords = 0, const char* block = "OUG")
{
    Op2TestFile f;
    f.Label().BlockHeader(block);
    StaticFile result;
    result.firstSubcase = f.Position();
    f.Subcase(MakeIdent(kStatic, 1, 1),
              Op2Words()
                  .Append(DisplacementEntry(1, 1.0f, 2.0f, 3.0f, 0.1f, 0.2f, 0.3f))
                  .Append(DisplacementEntry(2, -1.0f, 0.5f, 0.25f, 0.0f, 0.0f, 1.0f)),
              pieceWords);
    result.secondSubcase = f.Position();
    f.Subcase(MakeIdent(kStatic, 1, 2),
              Op2Words()
                  .Append(DisplacementEntry(1, 10.0f, 20.0f, 30.0f, 1.0f, 2.0f, 3.0f))
                  .Append(DisplacementEntry(2, -10.0f, 5.0f, 2.5f, 0.0f, 0.0f, 10.0f)),
              pieceWords);
    f.EndBlock().EndFile();
    result.path = f.Save(dir, "two_subcases.op2");
    return result;
}

CPoint3D NodeVector(const CModelSet& model, int packedId, int nodeId)
{
    CPoint3D v;
    const CResultData* result = model.GetResult(static_cast<UINT>(packedId));
    EXPECT_NE(nullptr, result);
    if (result != nullptr)
    {
        EXPECT_TRUE(result->GetNodeVector(nodeId, &v));
    }
    return v;
}
} // namespace

TEST(OP2Reader, CatalogueRegistersEverySubcaseAndLoadsOnlyTheMarkedOne)
{
    const StaticFile file = WriteTwoSubcases(testing_support::MakeTempDir("op2cat"));
    CModelSet model;
    OP2Reader reader;
    ASSERT_EQ(0, reader.readCatalogue(file.path, &model, true, nullptr));

    const int ids[4] = {PackedId(1, 1, 1, 1), PackedId(1, 2, 1, 1), PackedId(1, 1, 2, 1),
                        PackedId(1, 2, 2, 1)};
    const int64_t positions[4] = {file.firstSubcase, file.firstSubcase, file.secondSubcase,
                                  file.secondSubcase};
    ASSERT_EQ(4, model.GetResults().GetCount());
    for (int i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        const CResultData* result = model.GetResult(static_cast<UINT>(ids[i]));
        ASSERT_NE(nullptr, result);
        EXPECT_EQ(CResultData::kNotLoaded, result->m_loaded);
        EXPECT_STREQ("OUG", result->m_blockName.GetString());
        EXPECT_STREQ(file.path.c_str(), result->m_sourcePath.GetString());
        EXPECT_EQ(positions[i], result->m_filePosition);
        EXPECT_EQ(CResultData::kVectorXYZ, result->m_kind);
    }

    // Rotations of the second load set only.
    model.GetResult(static_cast<UINT>(ids[3]))->m_loaded = CResultData::kRequested;
    EXPECT_EQ(0, reader.readResults(file.path, &model));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CResultData::kNotLoaded, model.GetResult(static_cast<UINT>(ids[i]))->m_loaded);
    const CResultData* loaded = model.GetResult(static_cast<UINT>(ids[3]));
    EXPECT_EQ(CResultData::kLoaded, loaded->m_loaded);
    EXPECT_EQ(8 | 0x3, loaded->m_flags);
    const CPoint3D r2 = NodeVector(model, ids[3], 2);
    EXPECT_FLOAT_EQ(10.0f, static_cast<float>(r2.z));
    // The first subcase holds the same node ids; it must not have been read into anything.
    EXPECT_EQ(0, model.GetResult(static_cast<UINT>(ids[0]))->GetNodeVectorCount());
}

TEST(OP2Reader, SplitSubcaseGivesTheSameValuesAsUnsplit)
{
    const std::string dir = testing_support::MakeTempDir("op2split");
    for (int pieceWords : {0, 3, 8, 13})
    {
        SCOPED_TRACE(pieceWords);
        const StaticFile file = WriteTwoSubcases(dir, pieceWords, "OUGV1");
        CModelSet model;
        OP2Reader reader;
        ASSERT_EQ(0, reader.readCatalogue(file.path, &model, true, nullptr));
        const CResultMap& results = model.GetResults();
        for (UINT id : results.SortedKeys())
            model.GetResult(id)->m_loaded = CResultData::kRequested;
        reader.readResults(file.path, &model);
        const CPoint3D t2 = NodeVector(model, PackedId(1, 1, 1, 1), 2);
        EXPECT_FLOAT_EQ(-1.0f, static_cast<float>(t2.x));
        EXPECT_FLOAT_EQ(0.25f, static_cast<float>(t2.z));
        const CPoint3D r1 = NodeVector(model, PackedId(1, 2, 2, 1), 1);
        EXPECT_FLOAT_EQ(2.0f, static_cast<float>(r1.y));
    }
}

TEST(OP2Reader, SharedNamesReachOneReader)
{
    OP2Reader reader;
    EXPECT_NE(nullptr, reader.FindBlockReader("OUG"));
    EXPECT_EQ(reader.FindBlockReader("OUG"), reader.FindBlockReader("OUGV1"));
    EXPECT_EQ(reader.FindBlockReader("OUG"), reader.FindBlockReader("BOUGV1"));
    EXPECT_EQ(reader.FindBlockReader("OQG1"), reader.FindBlockReader("OQMG1"));
    EXPECT_EQ(reader.FindBlockReader("GEOM1"), reader.FindBlockReader("GEOM1S"));
    EXPECT_EQ(nullptr, reader.FindBlockReader("oug"));
    // Destroying the reader frees the shared object once (checked by the sanitizer build).
}

TEST(OP2Reader, LabelLayoutsAndMissingLabel)
{
    const std::string dir = testing_support::MakeTempDir("op2label");
    struct Case
    {
        const char* name;
        bool label;
        bool version;
    };
    for (const Case& c :
         {Case{"plain", true, false}, Case{"version", true, true}, Case{"nolabel", false, false}})
    {
        SCOPED_TRACE(c.name);
        Op2TestFile f;
        if (c.label)
            f.Label(c.version);
        f.BlockHeader("PVT0", c.version).Record(Op2Words().I(1).I(2)).EndBlock();
        f.BlockHeader("LAMA", c.version);
        f.Subcase(MakeIdent(kModes, 6, 0, 7), Op2Words()
                                                  .I(1)
                                                  .I(1)
                                                  .F(39.48f)
                                                  .F(6.28f)
                                                  .F(1.0f)
                                                  .F(1.0f)
                                                  .F(39.48f)
                                                  .I(2)
                                                  .I(2)
                                                  .F(157.9f)
                                                  .F(12.57f)
                                                  .F(2.0f)
                                                  .F(1.0f)
                                                  .F(157.9f));
        f.EndBlock().EndFile();
        CModelSet model;
        OP2Reader reader;
        EXPECT_EQ(0, reader.readCatalogue(f.Save(dir, std::string(c.name) + ".op2"), &model, true,
                                          nullptr));
        double frequency = 0.0;
        EXPECT_TRUE(model.GetModeFrequency(1, &frequency));
        EXPECT_DOUBLE_EQ(1.0, frequency);
        EXPECT_TRUE(model.GetModeFrequency(2, &frequency));
        EXPECT_DOUBLE_EQ(2.0, frequency);
        EXPECT_FALSE(model.GetModeFrequency(3, &frequency));
    }
}

TEST(OP2Reader, RefusesOtherFormatsWithAMessage)
{
    const std::string dir = testing_support::MakeTempDir("op2refuse");
    Op2TestFile wide; // "[8][3 as 8 bytes][8]"
    wide.Raw(8).Raw(3).Raw(0).Raw(8).Raw(24);
    Op2TestFile text;
    for (char ch : std::string("X 0123456789ABCDEF NASTRAN FORT TAPE"))
        text.Raw(static_cast<int32_t>(0x20202000u | static_cast<unsigned char>(ch)));
    Op2TestFile damaged;
    damaged.ControlWord(3).FramedRecord(Op2Words().I(1).I(2).I(3)).ControlWord(8);
    struct Case
    {
        const char* name;
        const Op2TestFile* file;
        const char* says;
    };
    for (const Case& c : {Case{"wide", &wide, "8-byte words"}, Case{"text", &text, "formatted"},
                          Case{"damaged", &damaged, "label"}})
    {
        SCOPED_TRACE(c.name);
        CModelSet model;
        OP2Reader reader;
        CaptureSink sink;
        EXPECT_EQ(OP2Reader::kRefused,
                  reader.readCatalogue(c.file->Save(dir, c.name), &model, true, &sink));
        ASSERT_EQ(1u, sink.lines.size());
        EXPECT_NE(std::string::npos, sink.lines[0].find(c.says)) << sink.lines[0];
        EXPECT_EQ(0, model.GetResults().GetCount());
    }
    OP2Reader reader;
    EXPECT_EQ(OP2Reader::kCannotOpen,
              reader.readCatalogue(dir + "/absent.op2", nullptr, true, nullptr));
    CModelSet model;
    EXPECT_EQ(-1, reader.readResults(dir + "/absent.op2", &model));
}

TEST(OP2Reader, TruncatedFileEndsTheReadAndKeepsWhatWasCatalogued)
{
    const std::string dir = testing_support::MakeTempDir("op2trunc");
    const StaticFile file = WriteTwoSubcases(dir);
    Op2TestFile f;
    f.Label().BlockHeader("OUG");
    f.Subcase(MakeIdent(kStatic, 1, 1), DisplacementEntry(1, 1, 2, 3, 4, 5, 6));
    f.Subcase(MakeIdent(kStatic, 1, 2), DisplacementEntry(1, 1, 2, 3, 4, 5, 6));
    const size_t full = f.Bytes().size();
    for (size_t cut : {full - 4, full - 40, full - 600})
    {
        SCOPED_TRACE(cut);
        Op2TestFile copy = f;
        copy.Truncate(cut);
        CModelSet model;
        OP2Reader reader;
        CaptureSink sink;
        EXPECT_GT(0, reader.readCatalogue(copy.Save(dir, "cut.op2"), &model, true, &sink));
        EXPECT_NE(nullptr, model.GetResult(static_cast<UINT>(PackedId(1, 1, 1, 1))));
        EXPECT_EQ(1u, sink.lines.size());
    }
}

TEST(OP2Reader, PathsAreComparedExactly)
{
    const StaticFile file = WriteTwoSubcases(testing_support::MakeTempDir("op2case"));
    CModelSet model;
    OP2Reader reader;
    ASSERT_EQ(0, reader.readCatalogue(file.path, &model, true, nullptr));
    CResultData* result = model.GetResult(static_cast<UINT>(PackedId(1, 1, 1, 1)));
    result->m_loaded = CResultData::kRequested;
    std::string other = file.path;
    other.replace(other.size() - 4, 4, ".OP2");
    reader.readResults(other, &model);
    EXPECT_EQ(CResultData::kRequested, result->m_loaded);
}

TEST(OP2Reader, ConstraintForcesOfSpcAndMpcAreSeparateResults)
{
    Op2TestFile f;
    f.Label();
    for (const char* block : {"OQG1", "OQMG1"})
    {
        const int table = std::string(block) == "OQG1" ? 3 : 39;
        f.BlockHeader(block);
        f.Subcase(MakeIdent(12, table, 0x3f800000),
                  DisplacementEntry(7, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, float(table)));
        f.Subcase(MakeIdent(5, table, 0x3f800000), DisplacementEntry(7, 1, 1, 1, 1, 1, 1));
        f.EndBlock();
    }
    f.EndFile();
    const std::string path = f.Save(testing_support::MakeTempDir("op2oqg"), "oqg.op2");
    CModelSet model;
    OP2Reader reader;
    ASSERT_EQ(0, reader.readCatalogue(path, &model, true, nullptr));
    for (UINT id : model.GetResults().SortedKeys())
        model.GetResult(id)->m_loaded = CResultData::kRequested;
    reader.readResults(path, &model);
    for (int table : {3, 39})
    {
        SCOPED_TRACE(table);
        const CResultData* force = model.GetResult(static_cast<UINT>(PackedId(table, 67, 1, 1)));
        const CResultData* moment = model.GetResult(static_cast<UINT>(PackedId(table, 68, 1, 1)));
        ASSERT_NE(nullptr, force);
        ASSERT_NE(nullptr, moment);
        EXPECT_STREQ("OQG", force->m_blockName.GetString());
        EXPECT_EQ(CResultData::kVector, force->m_kind);
        EXPECT_EQ(24 | 0x3, force->m_flags);
        EXPECT_FLOAT_EQ(float(table),
                        static_cast<float>(NodeVector(model, PackedId(table, 68, 1, 1), 7).z));
        // Approach code 5 is not stepped here: index 0, flags 0.
        const CResultData* unstepped =
            model.GetResult(static_cast<UINT>(PackedId(table, 67, 0, 1)));
        ASSERT_NE(nullptr, unstepped);
        EXPECT_EQ(0x3, unstepped->m_flags);
    }
}

// Two static subcases with the same load set, and two of a writer that leaves it 0: each
// subcase keeps its own load case and values.
TEST(OP2Reader, SubcasesNeverShareALoadCase)
{
    Op2TestFile f;
    f.Label().BlockHeader("OUGV1");
    const int loadSets[4] = {1, 1, 0, 0};
    for (int subcase = 1; subcase <= 4; ++subcase)
    {
        f.Subcase(MakeIdent(kStatic, 1, loadSets[subcase - 1], 8, subcase),
                  DisplacementEntry(5, float(subcase), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f));
    }
    f.EndBlock().EndFile();
    const std::string path = f.Save(testing_support::MakeTempDir("op2subcases"), "sub.op2");
    CModelSet model;
    OP2Reader reader;
    ASSERT_EQ(0, reader.readCatalogue(path, &model, true, nullptr));
    for (UINT id : model.GetResults().SortedKeys())
        model.GetResult(id)->m_loaded = CResultData::kRequested;
    reader.readResults(path, &model);
    EXPECT_EQ(5, model.GetLoadCaseCountByKey(1, 1u << kResultTypeShift));
    for (int index = 1; index <= 4; ++index)
    {
        SCOPED_TRACE(index);
        EXPECT_FLOAT_EQ(float(index),
                        static_cast<float>(NodeVector(model, PackedId(1, 1, index, 1), 5).x));
    }
}

namespace
{
// One OUG subcase over nodes 1 to nodeCount, node n displaced by scale * n along x.
std::string WriteRun(const std::string& dir, const char* name, float scale, int nodeCount)
{
    Op2TestFile f;
    f.Label().BlockHeader("OUG");
    Op2Words entries;
    for (int node = 1; node <= nodeCount; ++node)
        entries.Append(DisplacementEntry(node, scale * float(node), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f));
    f.Subcase(MakeIdent(kStatic, 1, 1), entries).EndBlock().EndFile();
    return f.Save(dir, name);
}

} // namespace

// An analysis may write its output again while the program reads it: the results read are
// those of the file that was catalogued, or none with an error, never the other run's. A file
// renamed over or deleted is still the open one: its results are read.
TEST(OP2Reader, ResultsComeFromTheFileCatalogued)
{
    for (const Op2FileReplacement& c : kOp2FileReplacements)
    {
        SCOPED_TRACE(c.name);
        const std::string dir = testing_support::MakeTempDir("op2replaced");
        const std::string path = WriteRun(dir, "run.op2", 1.0f, 2);
        const std::string other = WriteRun(dir, "other.op2", 100.0f, 3);
        CModelSet model;
        OP2Reader reader;
        ASSERT_EQ(0, reader.readCatalogue(path, &model, true, nullptr));
        CResultData* translation = model.GetResult(static_cast<UINT>(PackedId(1, 1, 1, 1)));
        ASSERT_NE(nullptr, translation);
        translation->m_loaded = CResultData::kRequested;

        c.apply(path, other);
        const int code = reader.readResults(path, &model);

        if (c.isReadThrough)
            EXPECT_EQ(0, code);
        if (code == 0)
        {
            EXPECT_EQ(CResultData::kLoaded, translation->m_loaded);
            EXPECT_FLOAT_EQ(2.0f, static_cast<float>(NodeVector(model, PackedId(1, 1, 1, 1), 2).x));
            CPoint3D third;
            EXPECT_FALSE(translation->GetNodeVector(3, &third)); // the other run's third node
        }
        else
        {
            EXPECT_EQ(CResultData::kRequested, translation->m_loaded);
            EXPECT_EQ(0, translation->GetNodeVectorCount());
        }
    }
}

// Some writers pad block names in front.
TEST(OP2Reader, BlockNamesAreTrimmedOnBothSides)
{
    const StaticFile file = WriteTwoSubcases(testing_support::MakeTempDir("op2pad"), 0, "  OUGV1");
    CModelSet model;
    OP2Reader reader;
    ASSERT_EQ(0, reader.readCatalogue(file.path, &model, true, nullptr));
    EXPECT_EQ(4, model.GetResults().GetCount());
}

// A table under the name of a block of another kind is refused and said so, once per block:
// forces are not loaded as stresses, nor displacements as constraint forces.
TEST(OP2Reader, TablesOfAnotherKindThanTheirBlockAreRefused)
{
    struct Case
    {
        const char* block;
        int tableCode;
    };
    const Case cases[] = {{"OEF1X", 5}, {"OES1X1", 4}, {"OQG1", 1}, {"OUGV1", 3}, {"ONRGY1", 5}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.block);
        Op2TestFile f;
        f.Label().BlockHeader(c.block);
        Op2Words ident = MakeIdent(kStatic, c.tableCode, 1, c.block[1] == 'E' ? 17 : 8);
        for (int subcase = 0; subcase < 2; ++subcase)
        {
            f.Subcase(ident, DisplacementEntry(5, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f)
                                 .Append(Op2Words().I(0).I(0).I(0).I(0).I(0).I(0).I(0).I(0).I(0)));
        }
        f.EndBlock().EndFile();
        const std::string path = f.Save(testing_support::MakeTempDir("op2kind"), "kind.op2");
        CModelSet model;
        CaptureSink sink;
        OP2Reader reader;
        ASSERT_EQ(0, reader.readCatalogue(path, &model, true, &sink));
        EXPECT_EQ(0, model.GetResults().GetCount());
        EXPECT_EQ((std::vector<std::string>{
                      ImportMessage("Op2TableRefused", {path, c.block, c.tableCode})}),
                  sink.lines);
    }
}

TEST(OP2Reader, DisplacementTableVariants)
{
    struct Case
    {
        const char* what;
        int approach;
        int tableCode;
        int acousticFlag;
        int expectedResults;
    };
    const Case cases[] = {
        {"acoustic: four scalars", kStatic, 1, 2, 4},   {"sort-2 eigenvectors", kModes, 2007, 0, 0},
        {"complex displacements", kStatic, 1001, 0, 0}, {"velocity table", 6, 10, 0, 0},
        {"unknown acoustic flag", kStatic, 1, 1, 0},
    };
    const std::string dir = testing_support::MakeTempDir("op2oug");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Op2Words ident = MakeIdent(c.approach, c.tableCode, 1);
        std::vector<int32_t> words = ident.Get();
        words[12] = c.acousticFlag;
        Op2Words patched;
        for (int32_t w : words)
            patched.I(w);
        Op2TestFile f;
        f.Label().BlockHeader("OUG1");
        f.Subcase(patched, DisplacementEntry(5, 1, 2, 3, 4, 5, 6)).EndBlock().EndFile();
        const std::string path = f.Save(dir, "variant.op2");
        CModelSet model;
        OP2Reader reader;
        ASSERT_EQ(0, reader.readCatalogue(path, &model, true, nullptr));
        ASSERT_EQ(c.expectedResults, model.GetResults().GetCount());
        if (c.expectedResults != 4)
            continue;
        for (UINT id : model.GetResults().SortedKeys())
            model.GetResult(id)->m_loaded = CResultData::kRequested;
        reader.readResults(path, &model);
        for (int typeBits = 3; typeBits <= 6; ++typeBits)
        {
            const CResultData* r = model.GetResult(static_cast<UINT>(PackedId(1, typeBits, 1, 0)));
            ASSERT_NE(nullptr, r);
            EXPECT_EQ(CResultData::kScalar, r->m_kind);
            double value = 0.0;
            EXPECT_TRUE(r->GetNodeValue(5, &value));
            EXPECT_DOUBLE_EQ(typeBits - 2, value);
            EXPECT_EQ(0, r->GetNodeVectorCount());
        }
    }
}

TEST(OP2Reader, ReadRecordRefusesARecordLargerThanTheBuffer)
{
    Op2TestFile f;
    f.FramedRecord(Op2Words().I(1).I(2).I(3)).FramedRecord(Op2Words().I(4)).Raw(40).Raw(5);
    const std::string path = f.Save(testing_support::MakeTempDir("op2record"), "records.op2");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    int32_t buffer[3] = {};
    EXPECT_EQ(12, OP2Reader::ReadRecord(&file, buffer, sizeof(buffer)));
    EXPECT_EQ(3, buffer[2]);
    EXPECT_EQ(-2, OP2Reader::ReadRecord(&file, buffer, 2));
    EXPECT_EQ(4u, file.GetPosition() - 20u); // only the leading length was read
    file.Seek(32, CFile::begin);
    int32_t large[16] = {};
    EXPECT_EQ(-1, OP2Reader::ReadRecord(&file, large, sizeof(large))); // the file ends inside
}

TEST(OP2Reader, DataPassStopsAtTheEndOfItsSubcase)
{
    // Two subcases with the same load set share their results; the catalogue keeps the first
    // position, and loading must not run on into the second.
    Op2TestFile f;
    f.Label().BlockHeader("OUG");
    f.Subcase(MakeIdent(kStatic, 1, 4), DisplacementEntry(1, 1.0f, 0, 0, 0, 0, 0));
    f.Subcase(MakeIdent(kStatic, 1, 4), DisplacementEntry(1, 99.0f, 0, 0, 0, 0, 0));
    f.EndBlock().EndFile();
    const std::string path = f.Save(testing_support::MakeTempDir("op2stop"), "same.op2");
    CModelSet model;
    OP2Reader reader;
    ASSERT_EQ(0, reader.readCatalogue(path, &model, true, nullptr));
    ASSERT_EQ(2, model.GetResults().GetCount());
    const int id = PackedId(1, 1, 1, 1);
    model.GetResult(static_cast<UINT>(id))->m_loaded = CResultData::kRequested;
    reader.readResults(path, &model);
    EXPECT_FLOAT_EQ(1.0f, static_cast<float>(NodeVector(model, id, 1).x));
}
