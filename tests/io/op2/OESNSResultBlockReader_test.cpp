// Element stress and strain tables: plate results, solid corner slots, stress against strain,
// refusals and the piece contract.
#include "io/op2/OESNSResultBlockReader.h"

#include "tests/io/op2/ElementResultFixtures.h"

namespace
{
constexpr int kStressNumber = 12;
constexpr int kTableType = 5;

ElementIdent StressIdent(int elementType, int entryWords, bool isStrain = false)
{
    ElementIdent ident;
    ident.approachCode = 1;
    ident.tableCode = kTableType;
    ident.elementType = elementType;
    ident.entryWords = entryWords;
    ident.stressCode = isStrain ? 11 : 1;
    ident.StepValue(1.0f);
    return ident;
}

// A plate entry: element id with device code, then 16 values first, first + 1, ...
Op2Words PlateEntry(int elementId, float first)
{
    Op2Words entry;
    entry.I(elementId * 10 + 1);
    for (int i = 1; i < 17; ++i)
        entry.F(first + static_cast<float>(i - 1));
    return entry;
}

// A hexahedron entry: four header words, then 9 blocks of a grid and 20 values 1000 k + w.
Op2Words HexaEntry(int elementId)
{
    Op2Words entry;
    entry.I(elementId * 10 + 1).I(0).I(0).I(8);
    for (int k = 0; k < 9; ++k)
    {
        entry.I(k == 0 ? 0 : 100 + k);
        for (int w = 1; w < 21; ++w)
            entry.F(static_cast<float>(1000 * k + w));
    }
    return entry;
}
} // namespace

TEST(OESNSResultBlockReader, PlateTableGivesFourteenResults)
{
    CModelSet model;
    ASSERT_EQ(0, ReadElementBlock(
                     "OES1X1",
                     {{StressIdent(33, 17),
                       Op2Words().Append(PlateEntry(1, 1.0f)).Append(PlateEntry(2, 101.0f))}},
                     &model));
    ASSERT_EQ(14, model.GetResults().GetCount());
    const struct
    {
        int typeBits;
        int word;
    } kScalars[] = {{26, 1}, {28, 4},  {29, 5},  {30, 6},  {31, 7},  {32, 8},
                    {33, 9}, {35, 12}, {36, 13}, {37, 14}, {38, 15}, {39, 16}};
    for (const auto& c : kScalars)
    {
        SCOPED_TRACE(c.typeBits);
        const int id = PackedId(kStressNumber, c.typeBits, 1, 0);
        EXPECT_EQ(CResultData::kScalar, model.GetResult(id)->m_kind);
        EXPECT_STREQ("STRESS_QUAD", model.GetResult(id)->m_groupName.GetString());
        EXPECT_DOUBLE_EQ(c.word, ElementValue(model, id, 1));
        EXPECT_DOUBLE_EQ(100.0 + c.word, ElementValue(model, id, 2));
    }
    // The normal stresses of each fibre as an in-plane vector.
    const struct
    {
        int typeBits;
        double x;
        double y;
    } kVectors[] = {{27, 102.0, 103.0}, {34, 110.0, 111.0}};
    for (const auto& c : kVectors)
    {
        const CResultData* result = model.GetResult(PackedId(kStressNumber, c.typeBits, 1, 1));
        ASSERT_NE(nullptr, result);
        EXPECT_EQ(CResultData::kTensor, result->m_kind);
        CPoint3D v;
        ASSERT_TRUE(result->GetElementVector(2, &v));
        EXPECT_DOUBLE_EQ(c.x, v.x);
        EXPECT_DOUBLE_EQ(c.y, v.y);
        EXPECT_DOUBLE_EQ(0.0, v.z);
        EXPECT_EQ(8 | CResultData::kFlagVector, result->m_flags);
    }
}

TEST(OESNSResultBlockReader, HexahedronGivesNineSlotsCentreFirst)
{
    CModelSet model;
    ASSERT_EQ(0, ReadElementBlock("OES1X1", {{StressIdent(67, 193), HexaEntry(5), 50}}, &model));
    ASSERT_EQ(12, model.GetResults().GetCount());

    const CResultData* vonMises = model.GetResult(PackedId(kStressNumber, 57, 1, 0));
    ASSERT_NE(nullptr, vonMises);
    EXPECT_STREQ("STRESS_HEXA", vonMises->m_groupName.GetString());
    const CComponentSet* set = vonMises->GetComponentSet(5);
    ASSERT_NE(nullptr, set);
    ASSERT_EQ(9u, set->values.size());
    for (int k = 0; k < 9; ++k)
    {
        EXPECT_EQ(k == 0 ? 0 : 100 + k, set->nodeIds[static_cast<size_t>(k)]);
        EXPECT_DOUBLE_EQ(1000.0 * k + 8, set->values[static_cast<size_t>(k)]);
    }
    // Normal stresses x, y, z from block words 1, 9 and 15.
    const CResultData* normal = model.GetResult(PackedId(kStressNumber, 7, 1, 1));
    ASSERT_NE(nullptr, normal);
    EXPECT_EQ(CResultData::kTensor, normal->m_kind);
    const CComponentSet* normals = normal->GetComponentSet(5);
    ASSERT_NE(nullptr, normals);
    ASSERT_EQ(9u, normals->vectors.size());
    EXPECT_DOUBLE_EQ(3001.0, normals->vectors[3].x);
    EXPECT_DOUBLE_EQ(3009.0, normals->vectors[3].y);
    EXPECT_DOUBLE_EQ(3015.0, normals->vectors[3].z);
    const CResultData* direction = model.GetResult(PackedId(kStressNumber, 55, 1, 1));
    ASSERT_NE(nullptr, direction);
    EXPECT_EQ(CResultData::kVector, direction->m_kind);
    EXPECT_DOUBLE_EQ(8019.0, direction->GetComponentSet(5)->vectors[8].z);
}

TEST(OESNSResultBlockReader, StressAndStrainOfOneSubcaseStayApart)
{
    CModelSet model;
    ASSERT_EQ(0, ReadElementBlock("OES1X1", {{StressIdent(33, 17), PlateEntry(1, 1.0f)}}, &model));
    ASSERT_EQ(
        0, ReadElementBlock("OSTR1X", {{StressIdent(33, 17, true), PlateEntry(1, 0.5f)}}, &model));
    EXPECT_EQ(28, model.GetResults().GetCount());
    const int stressId = PackedId(kStressNumber, 32, 1, 0);
    const int strainId = PackedId(kTableType, 32, 1, 0);
    EXPECT_DOUBLE_EQ(8.0, ElementValue(model, stressId, 1));
    EXPECT_DOUBLE_EQ(7.5, ElementValue(model, strainId, 1));
    EXPECT_STREQ("STRAIN_QUAD", model.GetResult(strainId)->m_groupName.GetString());
}

TEST(OESNSResultBlockReader, RefusedTablesRegisterNothingAndSayWhy)
{
    const struct
    {
        const char* name;
        int tableCode;
        int elementType;
        int entryWords;
        const char* says;
    } kCases[] = {
        {"sort 2", 2005, 33, 17, "[OESNSResultBlockReader::createResults],Sort 2 not supported"},
        {"complex", 1005, 33, 17, "Results with imaginary components not supported"},
        {"triangle", 5, 74, 17,
         "[OESNSResultBlockReader::createResults],Record type not supported"},
        {"beam", 5, 2, 111, "Record type not supported"},
        {"short plate entry", 5, 33, 16, "too short"},
        {"record not whole entries", 5, 33, 18, "does not hold whole entries"},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.name);
        LogCapture log;
        CModelSet model;
        ElementIdent ident = StressIdent(c.elementType, c.entryWords);
        ident.tableCode = c.tableCode;
        EXPECT_EQ(0, ReadElementBlock("OES1X1", {{ident, PlateEntry(1, 1.0f)}}, &model, false));
        EXPECT_EQ(0, model.GetResults().GetCount());
        EXPECT_TRUE(log.Contains(c.says)) << log.Text();
    }
}

TEST(OESNSResultBlockReader, PieceOf150BytesStoresTwoPlates)
{
    CModelSet model;
    OESNSResultBlockReader reader;
    int* ident = reader.TableHeader();
    std::fill(ident, ident + NSResultBlockReader::kIdentWords, 0);
    ident[0] = 31;
    ident[1] = kTableType;
    ident[2] = 33;
    ident[9] = 17;
    ident[10] = 1;
    std::vector<int32_t> words =
        PlateEntry(1, 1.0f).Append(PlateEntry(2, 2.0f)).Append(PlateEntry(3, 3.0f)).Get();
    std::memcpy(reader.SharedBuffer(), words.data(), words.size() * 4);
    EXPECT_EQ(14, reader.readRecord(150, &model, nullptr));
    double value = 0.0;
    const CResultData* fibre = model.GetResult(PackedId(kStressNumber, 26, 0, 0));
    ASSERT_NE(nullptr, fibre);
    EXPECT_TRUE(fibre->GetElementValue(2, &value));
    EXPECT_FALSE(fibre->GetElementValue(3, &value));
}

TEST(OESNSResultBlockReader, SolidType93BlocksFollowTwoHeaderWords)
{
    CModelSet model;
    Op2Words entry;
    entry.I(9 * 10 + 1).I(0);
    for (int k = 0; k < 9; ++k)
    {
        entry.I(200 + k);
        for (int w = 1; w < 16; ++w)
            entry.F(static_cast<float>(100 * k + w));
    }
    ASSERT_EQ(0, ReadElementBlock("OES1", {{StressIdent(93, 146), entry}}, &model));
    ASSERT_EQ(11, model.GetResults().GetCount());
    const CResultData* strains = model.GetResult(PackedId(kStressNumber, 47, 1, 1));
    ASSERT_NE(nullptr, strains);
    EXPECT_STREQ("STRESS_SOLID", strains->m_groupName.GetString());
    const CComponentSet* set = strains->GetComponentSet(9);
    ASSERT_NE(nullptr, set);
    EXPECT_EQ(208, set->nodeIds[8]);
    EXPECT_DOUBLE_EQ(810.0, set->vectors[8].x);
    EXPECT_DOUBLE_EQ(812.0, set->vectors[8].z);
    const CComponentSet* creep =
        model.GetResult(PackedId(kStressNumber, 53, 1, 0))->GetComponentSet(9);
    ASSERT_NE(nullptr, creep);
    EXPECT_DOUBLE_EQ(409.0, creep->values[4]);
}
