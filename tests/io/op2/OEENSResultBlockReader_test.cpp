// Element strain energy tables: three elemental scalars, mode steps, refusals, piece contract.
#include "io/op2/OEENSResultBlockReader.h"

#include "tests/io/op2/ElementResultFixtures.h"

namespace
{
constexpr int kEnergyNumber = 18;

ElementIdent EnergyIdent(int tableCode, int mode)
{
    ElementIdent ident;
    ident.approachCode = 2;
    ident.tableCode = tableCode;
    ident.stepWord = mode;
    ident.entryWords = 4;
    return ident;
}

Op2Words EnergyEntry(int elementId, float energy, float percent, float density)
{
    return Op2Words().I(elementId * 10 + 1).F(energy).F(percent).F(density);
}
} // namespace

TEST(OEENSResultBlockReader, EnergyTableGivesThreeElementalScalarsPerMode)
{
    CModelSet model;
    ASSERT_EQ(
        0, ReadElementBlock("ONRGY1",
                            {{EnergyIdent(18, 1), Op2Words()
                                                      .Append(EnergyEntry(1, 2.0f, 40.0f, 0.5f))
                                                      .Append(EnergyEntry(2, 3.0f, 60.0f, 0.25f))
                                                      .I(1000000000) // the element type's subtotal
                                                      .F(5.0f)
                                                      .F(100.0f)
                                                      .I(-1)},
                             {EnergyIdent(18, 2), EnergyEntry(1, 7.0f, 100.0f, 1.5f)}},
                            &model));
    ASSERT_EQ(6, model.GetResults().GetCount());
    // The subtotal is no element: nothing is stored under its key.
    EXPECT_EQ(3, model.GetResult(PackedId(kEnergyNumber, 20, 1, 0))->GetElementValueCount());
    const struct
    {
        int typeBits;
        int mode;
        int element;
        double value;
    } kValues[] = {{20, 1, 1, 2.0},  {21, 1, 1, 40.0}, {22, 1, 1, 0.5},  {20, 1, 2, 3.0},
                   {22, 1, 2, 0.25}, {20, 2, 1, 7.0},  {21, 2, 1, 100.0}};
    for (const auto& c : kValues)
    {
        SCOPED_TRACE(c.typeBits);
        const int id = PackedId(kEnergyNumber, c.typeBits, c.mode, 0);
        EXPECT_DOUBLE_EQ(c.value, ElementValue(model, id, c.element));
        const CResultData* result = model.GetResult(id);
        EXPECT_STREQ("ELEMENT_STRAIN_ENERGY", result->m_groupName.GetString());
        EXPECT_STREQ("OEE", result->m_blockName.GetString());
        EXPECT_EQ(CResultData::kScalar, result->m_kind);
        EXPECT_EQ(16, result->m_flags);
        EXPECT_EQ(c.mode, result->m_mode);
    }
}

TEST(OEENSResultBlockReader, OtherTablesAreRefused)
{
    const struct
    {
        const char* name;
        const char* block;
        int tableCode;
        const char* says; // null: nothing to say
    } kCases[] = {
        {"strain table", "OSTR2", 5, nullptr},
        {"sort 2", "ONRGY2", 2018, "Sort 2 not supported"},
        {"complex", "ONRGY1", 1018, "Results with imaginary components not supported"},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.name);
        LogCapture log;
        CModelSet model;
        EXPECT_EQ(0, ReadElementBlock(
                         c.block, {{EnergyIdent(c.tableCode, 1), EnergyEntry(1, 1.0f, 1.0f, 1.0f)}},
                         &model, false));
        EXPECT_EQ(0, model.GetResults().GetCount());
        if (c.says != nullptr)
            EXPECT_TRUE(log.Contains(c.says)) << log.Text();
        else
            EXPECT_EQ("", log.Text());
    }
}

TEST(OEENSResultBlockReader, PieceOf40BytesStoresTwoElements)
{
    CModelSet model;
    OEENSResultBlockReader reader;
    int* ident = reader.TableHeader();
    std::fill(ident, ident + NSResultBlockReader::kIdentWords, 0);
    ident[0] = 31;
    ident[1] = 18;
    ident[9] = 4;
    const std::vector<int32_t> words = EnergyEntry(1, 1.0f, 2.0f, 3.0f)
                                           .Append(EnergyEntry(2, 4.0f, 5.0f, 6.0f))
                                           .Append(EnergyEntry(3, 7.0f, 8.0f, 9.0f))
                                           .Get();
    std::memcpy(reader.SharedBuffer(), words.data(), words.size() * 4);
    EXPECT_EQ(8, reader.readRecord(40, &model, nullptr));
    EXPECT_DOUBLE_EQ(6.0, ElementValue(model, PackedId(kEnergyNumber, 22, 0, 0), 2));
    double value = 0.0;
    EXPECT_FALSE(model.GetResult(PackedId(kEnergyNumber, 20, 0, 0))->GetElementValue(3, &value));
}
