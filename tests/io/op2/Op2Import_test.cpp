#include "io/op2/Op2Import.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "io/results/ImportMessages.h"
#include "tests/support/Op2TestModel.h"
#include "tests/support/TestPaths.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace
{
// GEOM1 with grids 1 to gridCount, GEOM2 with quad 10 on nodes n1, n2, n3, n4.
void WriteMesh(Op2TestFile& f, int gridCount, int n1, int n2, int n3, int n4)
{
    f.Label().BlockHeader("GEOM1");
    Op2Words grids;
    for (int id = 1; id <= gridCount; ++id)
        grids.I(id).I(0).F(float(id % 2)).F(float(id / 3)).F(0).I(0).I(0).I(0);
    f.KeyedRecord(4501, 45, 1, grids).EndBlock().BlockHeader("GEOM2");
    f.KeyedRecord(
        2958, 51, 177,
        Op2Words().I(10).I(1).I(n1).I(n2).I(n3).I(n4).F(0).F(0).I(0).I(0).F(0).F(0).F(0).F(0));
    f.EndBlock();
}

// The mesh of grids 1-4 and quad 10, and one static subcase of displacements (of nodes 1 to
// 4, or as many as given).
std::string WriteRun(const std::string& dir, const char* name, int loadSet, float scale,
                     int displacedNodes = 4)
{
    Op2TestFile f;
    WriteMesh(f, 4, 1, 2, 4, 3);
    f.BlockHeader("OUGV1");
    Op2Words entries;
    for (int id = 1; id <= displacedNodes; ++id)
        entries.Append(DisplacementEntry(id, scale * id, 0, 0, 0, 0, 0));
    f.Subcase(MakeIdent(1, 1, loadSet), entries).EndBlock().EndFile();
    return f.Save(dir, name);
}

double NodeX(const CModelSet& model, UINT id, int node)
{
    CPoint3D v;
    const CResultData* result = model.GetResult(id);
    if (result == nullptr || !result->GetNodeVector(node, &v))
        return -1.0;
    return v.x;
}
} // namespace

TEST(Op2Import, ResultsOfTheDeckRunLandOnTheDeckMesh)
{
    const std::string path = WriteRun(testing_support::MakeTempDir("op2deck"), "run.op2", 1, 1.0f);
    CModelSet model;
    // What the deck gave: the same grids and the quad.
    for (int id = 1; id <= 4; ++id)
        ASSERT_TRUE(model.AddNode(new CFENode(id, CPoint3D(id % 2, id / 3, 0))));
    auto* quad = new CFEElement();
    quad->m_id = 10;
    quad->type = 132;
    quad->m_feDescriptorId = 94;
    for (int id : {1, 2, 4, 3})
        quad->m_ids.Add(id);
    quad->m_nodeCount = 4;
    ASSERT_TRUE(model.AddElement(quad));

    std::vector<std::string> inputs{"run.bdf"};
    CaptureSink sink;
    EXPECT_EQ(0, ImportOp2File(path, &model, inputs, ChooseAllOp2Results, &sink));
    EXPECT_EQ((std::vector<std::string>{"run.bdf", path}), inputs);
    EXPECT_EQ(4, model.GetNodeCount());
    EXPECT_EQ(1, model.GetElementCount());
    EXPECT_EQ(model.FindElement(10), quad);
    const UINT translation = static_cast<UINT>(PackedId(1, 1, 1, 1));
    EXPECT_DOUBLE_EQ(3.0, NodeX(model, translation, 3));
    EXPECT_EQ(static_cast<int>(translation), model.GetDefaultDisplacementId());
}

TEST(Op2Import, ReopenGivesTheSameResultsUnderTheSameIds)
{
    const std::string dir = testing_support::MakeTempDir("op2reopen");
    // Two runs whose load sets differ: load-case numbering depends on the file order.
    const std::string first = WriteRun(dir, "first.op2", 7, 1.0f);
    const std::string second = WriteRun(dir, "second.OP2", 3, 10.0f);
    CModelSet model;
    std::vector<std::string> inputs;
    ASSERT_EQ(0, ImportOp2File(first, &model, inputs, ChooseAllOp2Results, nullptr));
    // Of the second run only the translations are wanted.
    ASSERT_EQ(0, ImportOp2File(
                     second, &model, inputs,
                     [](const std::vector<CResultData*>& results)
                     {
                         for (CResultData* r : results)
                         {
                             if (((r->m_id >> 23) & 0x7f) == 1)
                                 r->m_loaded = CResultData::kRequested;
                         }
                     },
                     nullptr));
    EXPECT_EQ(1, model.GetElementCount());
    const std::vector<UINT> saved = CollectLoadedResultIds(model);
    ASSERT_EQ(3u, saved.size());

    CModelSet reopened;
    ReopenOp2Results(&reopened, inputs, saved, nullptr);
    EXPECT_EQ(saved, CollectLoadedResultIds(reopened));
    EXPECT_EQ(1, reopened.GetElementCount());
    for (UINT id : saved)
    {
        SCOPED_TRACE(id);
        for (int node = 1; node <= 4; ++node)
            EXPECT_DOUBLE_EQ(NodeX(model, id, node), NodeX(reopened, id, node));
    }
    EXPECT_DOUBLE_EQ(40.0, NodeX(reopened, static_cast<UINT>(PackedId(1, 1, 2, 1)), 4));
}

// The chooser runs between the two passes, as long as a user looks at the choice of results:
// what becomes of the file meanwhile gives this file's values, or one line that says its
// results were not read; never the other run's values.
TEST(Op2Import, ResultsComeFromTheFileListedOrAreToldNotRead)
{
    for (const Op2FileReplacement& c : kOp2FileReplacements)
    {
        SCOPED_TRACE(c.name);
        const std::string dir = testing_support::MakeTempDir("op2rewritten");
        const std::string path = WriteRun(dir, "run.op2", 1, 1.0f);
        const std::string other = WriteRun(dir, "other.op2", 1, 100.0f, 5);
        const auto replaceAndChoose = [&](const std::vector<CResultData*>& results)
        {
            c.apply(path, other);
            ChooseAllOp2Results(results);
        };
        CModelSet model;
        std::vector<std::string> inputs;
        CaptureSink sink;
        EXPECT_EQ(0, ImportOp2File(path, &model, inputs, replaceAndChoose, &sink));
        const UINT translation = static_cast<UINT>(PackedId(1, 1, 1, 1));
        ASSERT_NE(nullptr, model.GetResult(translation));
        if (c.isReadThrough)
            EXPECT_TRUE(model.GetResult(translation)->IsLoaded());
        if (model.GetResult(translation)->IsLoaded())
        {
            EXPECT_DOUBLE_EQ(3.0, NodeX(model, translation, 3));
            EXPECT_TRUE(sink.lines.empty());
        }
        else
        {
            EXPECT_DOUBLE_EQ(-1.0, NodeX(model, translation, 3));
            EXPECT_EQ(1u, sink.lines.size());
            for (const std::string& line : sink.lines)
                EXPECT_NE(std::string::npos, line.find(path)) << line;
        }
    }
}

TEST(Op2Import, RefusedFileChangesNothing)
{
    const std::string dir = testing_support::MakeTempDir("op2refused");
    Op2TestFile wide;
    wide.Raw(8).Raw(3).Raw(0).Raw(8);
    CModelSet model;
    std::vector<std::string> inputs;
    CaptureSink sink;
    EXPECT_GT(
        0, ImportOp2File(wide.Save(dir, "wide.op2"), &model, inputs, ChooseAllOp2Results, &sink));
    EXPECT_TRUE(inputs.empty());
    EXPECT_EQ(1u, sink.lines.size());
}

TEST(Op2Import, ElementsNamingUndefinedNodesAreKeptAndReported)
{
    Op2TestFile f;
    WriteMesh(f, 3, 1, 2, 9, 3);
    f.EndFile();
    const std::string path = f.Save(testing_support::MakeTempDir("op2missing"), "missing.op2");
    CModelSet model;
    std::vector<std::string> inputs;
    CaptureSink sink;
    ASSERT_EQ(0, ImportOp2File(path, &model, inputs, ChooseAllOp2Results, &sink));
    EXPECT_EQ(1, model.GetElementCount());
    const std::string first = ImportMessage("ElementMissingNodes", {10, "9"});
    EXPECT_EQ((std::vector<std::string>{ImportMessage("ElementsMissingNodes", {1, first})}),
              sink.lines);
}

// A file cut short keeps what came before the damage: that part is imported whole, faces and
// all, and the file is one of the project's inputs.
TEST(Op2Import, TruncatedFileKeepsAndFinishesWhatCameBefore)
{
    const std::string dir = testing_support::MakeTempDir("op2cut");
    const std::string whole = WriteRun(dir, "whole.op2", 1, 1.0f);
    std::ifstream in(whole, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string cut = dir + "/cut.op2";
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() - 40);
    CModelSet model;
    std::vector<std::string> inputs;
    CaptureSink sink;
    EXPECT_LT(ImportOp2File(cut, &model, inputs, ChooseAllOp2Results, &sink), 0);
    EXPECT_EQ((std::vector<std::string>{cut}), inputs);
    const CFEElement* quad = model.FindElement(10);
    ASSERT_NE(nullptr, quad);
    EXPECT_EQ(1, quad->m_faces.GetSize());
    EXPECT_EQ(4, model.GetNodeCount());
}
