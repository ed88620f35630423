// Grid point stress tables: grid and element values of surfaces, volume vectors, load-case
// numbering by step value and the table codes that are not read.
#include "io/op2/OGSNSResultBlockReader.h"

#include "tests/io/op2/ElementResultFixtures.h"

namespace
{
ElementIdent GridIdent(int approachCode, int tableCode, float step, int entryWords)
{
    ElementIdent ident;
    ident.approachCode = approachCode;
    ident.tableCode = tableCode;
    ident.entryWords = entryWords;
    ident.StepValue(step);
    return ident;
}

// A surface entry: grid key, element id, fibre text, then 8 values first, first + 1, ...
Op2Words SurfaceEntry(int gridId, int elementId, float first)
{
    Op2Words entry;
    entry.I(gridId * 10 + 1).I(elementId).Text("Z1", 1);
    for (int i = 3; i < 11; ++i)
        entry.F(first + static_cast<float>(i - 3));
    return entry;
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

double NodeValue(const CModelSet& model, int packedId, int nodeId)
{
    double value = 0.0;
    const CResultData* result = model.GetResult(static_cast<UINT>(packedId));
    EXPECT_NE(nullptr, result);
    if (result != nullptr)
    {
        EXPECT_TRUE(result->GetNodeValue(nodeId, &value));
    }
    return value;
}
} // namespace

TEST(OGSNSResultBlockReader, SurfaceEntryStoresGridAndElementValues)
{
    CModelSet model;
    ASSERT_EQ(
        0, ReadElementBlock("OGS1",
                            {{GridIdent(1, 26, 1.0f, 11), Op2Words()
                                                              .Append(SurfaceEntry(3, 40, 1.0f))
                                                              .Append(SurfaceEntry(3, 41, 11.0f))
                                                              .Append(SurfaceEntry(4, 41, 21.0f))}},
                            &model));
    ASSERT_EQ(7, model.GetResults().GetCount());
    const int normalId = PackedId(26, 7, 1, 1);
    const CResultData* normal = model.GetResult(normalId);
    EXPECT_EQ(CResultData::kTensor, normal->m_kind);
    EXPECT_STREQ("GRID_POINT_STRESSES_SURFACE", normal->m_groupName.GetString());
    EXPECT_STREQ("OGS", normal->m_blockName.GetString());
    // Grid 3 is met twice: the later surface wins.
    EXPECT_DOUBLE_EQ(11.0, NodeVector(model, normalId, 3).x);
    EXPECT_DOUBLE_EQ(12.0, NodeVector(model, normalId, 3).y);
    EXPECT_DOUBLE_EQ(0.0, NodeVector(model, normalId, 3).z);
    CPoint3D elementVector;
    ASSERT_TRUE(normal->GetElementVector(40, &elementVector));
    EXPECT_DOUBLE_EQ(2.0, elementVector.y);
    const struct
    {
        int typeBits;
        int word;
    } kScalars[] = {{23, 5}, {8, 6}, {9, 7}, {10, 8}, {11, 9}, {12, 10}};
    for (const auto& c : kScalars)
    {
        SCOPED_TRACE(c.typeBits);
        const int id = PackedId(26, c.typeBits, 1, 0);
        EXPECT_EQ(CResultData::kScalar, model.GetResult(id)->m_kind);
        EXPECT_DOUBLE_EQ(18.0 + c.word, NodeValue(model, id, 4));
        EXPECT_DOUBLE_EQ(18.0 + c.word, ElementValue(model, id, 41));
        EXPECT_DOUBLE_EQ(c.word - 2.0, ElementValue(model, id, 40));
    }
}

TEST(OGSNSResultBlockReader, PrincipalVolumeStressesAreVectors)
{
    CModelSet model;
    Op2Words entry;
    entry.I(7 * 10 + 1);
    for (int w = 1; w < 15; ++w)
        entry.F(static_cast<float>(w));
    ASSERT_EQ(0, ReadElementBlock("OGS1", {{GridIdent(1, 28, 1.0f, 15), entry}}, &model));
    const struct
    {
        int typeBits;
        double x, y, z;
    } kVectors[] = {{14, 1, 4, 7}, {15, 2, 5, 8}, {16, 3, 6, 9}};
    for (const auto& c : kVectors)
    {
        const int id = PackedId(28, c.typeBits, 1, 1);
        EXPECT_EQ(CResultData::kVector, model.GetResult(id)->m_kind);
        const CPoint3D v = NodeVector(model, id, 7);
        EXPECT_DOUBLE_EQ(c.x, v.x);
        EXPECT_DOUBLE_EQ(c.y, v.y);
        EXPECT_DOUBLE_EQ(c.z, v.z);
    }
    EXPECT_DOUBLE_EQ(14.0, NodeValue(model, PackedId(28, 12, 1, 0), 7));
    EXPECT_DOUBLE_EQ(13.0, NodeValue(model, PackedId(28, 13, 1, 0), 7));
}

TEST(OGSNSResultBlockReader, LoadCasesFollowTheStepValue)
{
    CModelSet model;
    Op2Words entry = Op2Words().I(11).F(1.0f).F(2.0f).F(3.0f).F(4.0f).F(5.0f);
    ASSERT_EQ(0, ReadElementBlock("OGS1",
                                  {{GridIdent(1, 35, 1.0f, 6), entry},
                                   {GridIdent(1, 35, 2.0f, 6), entry},
                                   {GridIdent(1, 35, 1.0f, 6), entry}},
                                  &model));
    EXPECT_EQ(4, model.GetResults().GetCount()); // two results at load cases 1 and 2
    EXPECT_NE(nullptr, model.GetResult(PackedId(35, 23, 2, 0)));
    EXPECT_EQ(8 | CResultData::kFlagAtNodes, model.GetResult(PackedId(35, 23, 1, 0))->m_flags);

    CModelSet unstepped;
    ASSERT_EQ(0, ReadElementBlock("OGS", {{GridIdent(3, 35, 5.0f, 6), entry}}, &unstepped));
    EXPECT_DOUBLE_EQ(4.0, NodeValue(unstepped, PackedId(35, 23, 0, 0), 1));
    EXPECT_EQ(0, unstepped.GetResult(PackedId(35, 23, 0, 0))->m_flags & 0x18);
}

TEST(OGSNSResultBlockReader, VolumesOfOneSubcaseAreLoadedUpToItsEnd)
{
    // Each volume has a direct and a principal table; a direct result is filed at its first
    // table and takes the later volumes of the subcase too, but nothing of the next subcase
    // (which has the same step word, so the same result ids).
    const auto direct = [](int subcase, int gridId, float value)
    {
        ElementIdent ident = GridIdent(1, 27, 1.0f, 9);
        ident.subcase = subcase;
        Op2Words entry = Op2Words().I(gridId * 10 + 1);
        for (int w = 1; w < 9; ++w)
            entry.F(value);
        return ElementSubcase{ident, entry};
    };
    ElementIdent principal = GridIdent(1, 28, 1.0f, 15);
    principal.subcase = 1;
    Op2Words principalEntry = Op2Words().I(11);
    for (int w = 1; w < 15; ++w)
        principalEntry.F(5.0f);
    CModelSet model;
    ASSERT_EQ(0, ReadElementBlock("OGS1",
                                  {direct(1, 1, 1.0f),
                                   {principal, principalEntry},
                                   direct(1, 2, 2.0f),
                                   direct(2, 3, 3.0f)},
                                  &model));
    const int shearId = PackedId(27, 23, 1, 0);
    EXPECT_DOUBLE_EQ(1.0, NodeValue(model, shearId, 1));
    EXPECT_DOUBLE_EQ(2.0, NodeValue(model, shearId, 2));
    const CResultData* shear = model.GetResult(static_cast<UINT>(shearId));
    double value = 0.0;
    EXPECT_FALSE(shear->GetNodeValue(3, &value) && value != 0.0);
    EXPECT_DOUBLE_EQ(5.0, NodeValue(model, PackedId(28, 12, 1, 0), 1));
}

// 1026 is a grid point stress table of a form not read (logged); 29 and 5 are no grid point
// stress tables at all: refused, and said so.
TEST(OGSNSResultBlockReader, OtherTableCodesAreNotRead)
{
    for (const int tableCode : {1026, 29, 5})
    {
        SCOPED_TRACE(tableCode);
        LogCapture log;
        CModelSet model;
        CaptureSink sink;
        EXPECT_EQ(0, ReadElementBlock(
                         "OGS1", {{GridIdent(1, tableCode, 1.0f, 11), SurfaceEntry(1, 2, 1.0f)}},
                         &model, false, &sink));
        EXPECT_EQ(0, model.GetResults().GetCount());
        if (tableCode == 1026)
        {
            EXPECT_TRUE(
                log.Contains("[OGSNSResultBlockReader::createResults],Record type not supported"))
                << log.Text();
            EXPECT_TRUE(sink.lines.empty());
            continue;
        }
        ASSERT_EQ(1u, sink.lines.size());
        EXPECT_NE(std::string::npos, sink.lines[0].find("OGS1"));
        EXPECT_NE(std::string::npos, sink.lines[0].find(std::to_string(tableCode)));
    }
    EXPECT_EQ(44, OGSNSResultBlockReader::EntryBytesOf(26));
    EXPECT_EQ(0, OGSNSResultBlockReader::EntryBytesOf(1026));
}
