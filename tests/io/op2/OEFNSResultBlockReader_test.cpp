// Element force tables: shared components across element types, beam stations, entry sizes
// from the header and the refused table kinds.
#include "io/op2/OEFNSResultBlockReader.h"

#include "tests/io/op2/ElementResultFixtures.h"

namespace
{
constexpr int kForces = 4; // table type of element forces

int ForceId(int typeBits, int loadCase = 0)
{
    return PackedId(kForces, typeBits, loadCase, 0);
}

ElementIdent ForceIdent(int elementType, int entryWords)
{
    ElementIdent ident;
    ident.approachCode = 3; // no step value: load-case index 0
    ident.tableCode = kForces;
    ident.elementType = elementType;
    ident.entryWords = entryWords;
    return ident;
}

// An entry of an element id (device code 1) followed by values first, first + 1, ...
Op2Words Entry(int elementId, int words, float first)
{
    Op2Words entry;
    entry.I(elementId * 10 + 1);
    for (int i = 1; i < words; ++i)
        entry.F(first + static_cast<float>(i - 1));
    return entry;
}
} // namespace

TEST(OEFNSResultBlockReader, RodsAndBarsShareTheAxialForceResult)
{
    CModelSet model;
    const ElementSubcase rods{ForceIdent(1, 3),
                              Op2Words().I(11).F(100.0f).F(5.0f).I(21).F(200.0f).F(6.0f)};
    const ElementSubcase bars{ForceIdent(34, 9), Entry(3, 9, 1.0f)};
    ASSERT_EQ(0, ReadElementBlock("OEF1X", {rods, bars}, &model));

    const CResultData* axial = model.GetResult(ForceId(69));
    ASSERT_NE(nullptr, axial);
    EXPECT_STREQ("ELEMENT_FORCE_CROD", axial->m_groupName.GetString());
    EXPECT_STREQ("OEF", axial->m_blockName.GetString());
    EXPECT_EQ(CResultData::kScalar, axial->m_kind);
    EXPECT_DOUBLE_EQ(100.0, ElementValue(model, ForceId(69), 1));
    EXPECT_DOUBLE_EQ(200.0, ElementValue(model, ForceId(69), 2));
    EXPECT_DOUBLE_EQ(7.0, ElementValue(model, ForceId(69), 3)); // bar entry word 7
    EXPECT_DOUBLE_EQ(6.0, ElementValue(model, ForceId(74), 2));
    EXPECT_DOUBLE_EQ(8.0, ElementValue(model, ForceId(74), 3));
    // Bar words 1..6 go to the moments and shears in their own order.
    const struct
    {
        int typeBits;
        double value;
    } kBar[] = {{70, 1.0}, {72, 2.0}, {71, 3.0}, {73, 4.0}, {75, 5.0}, {76, 6.0}};
    for (const auto& c : kBar)
    {
        EXPECT_DOUBLE_EQ(c.value, ElementValue(model, ForceId(c.typeBits), 3)) << c.typeBits;
        EXPECT_STREQ("ELEMENT_FORCE_CBAR_34",
                     model.GetResult(ForceId(c.typeBits))->m_groupName.GetString());
    }
    EXPECT_EQ(8, model.GetResults().GetCount());
}

TEST(OEFNSResultBlockReader, BeamEntryFillsElevenStations)
{
    CModelSet model;
    Op2Words entry;
    entry.I(7 * 10 + 1);
    for (int s = 0; s < 11; ++s)
    {
        entry.I(s == 10 ? 102 : 101); // grid of the station
        for (int w = 1; w < 9; ++w)
            entry.F(static_cast<float>(100 * s + w));
    }
    ASSERT_EQ(0, ReadElementBlock("OEF1", {{ForceIdent(2, 100), entry, 37}}, &model));

    const struct
    {
        int typeBits;
        int word;
    } kStations[] = {{79, 1}, {77, 2}, {78, 3}, {75, 4}, {76, 5}, {69, 6}, {80, 7}, {81, 8}};
    for (const auto& c : kStations)
    {
        SCOPED_TRACE(c.typeBits);
        const CResultData* result = model.GetResult(ForceId(c.typeBits));
        ASSERT_NE(nullptr, result);
        EXPECT_STREQ("ELEMENT_FORCE_CBEAM", result->m_groupName.GetString());
        EXPECT_EQ(CResultData::kFlagElementNodes, result->m_flags & 0x7);
        const CComponentSet* set = result->GetComponentSet(7);
        ASSERT_NE(nullptr, set);
        ASSERT_EQ(11u, set->values.size());
        EXPECT_EQ(101, set->nodeIds[0]);
        EXPECT_EQ(102, set->nodeIds[10]);
        for (int s = 0; s < 11; ++s)
            EXPECT_DOUBLE_EQ(100.0 * s + c.word, set->values[static_cast<size_t>(s)]);
    }
}

TEST(OEFNSResultBlockReader, PlateEntriesGiveTheCentreValuesPerElement)
{
    // A CQUAD4 entry holds its values after the element key; a CQUAD8 entry puts "CEN/" and a
    // grid count before the centre's values and a block of 9 words per corner after them.
    const auto cornerEntry = [](int elementId, float first)
    {
        Op2Words entry = Op2Words().I(elementId * 10 + 1).Text("CEN/", 1).I(8);
        for (int w = 0; w < 8; ++w)
            entry.F(first + static_cast<float>(w));
        for (int corner = 1; corner <= 4; ++corner)
        {
            entry.I(100 + corner);
            for (int w = 0; w < 8; ++w)
                entry.F(-1000.0f);
        }
        return entry;
    };
    CModelSet model;
    ASSERT_EQ(0, ReadElementBlock(
                     "OEF1X",
                     {{ForceIdent(33, 9), Op2Words().Append(Entry(1, 9, 10.0f))},
                      {ForceIdent(64, 47),
                       Op2Words().Append(cornerEntry(2, 20.0f)).Append(cornerEntry(3, 30.0f))}},
                     &model));
    const struct
    {
        int typeBits;
        int word;
    } kPlate[] = {{94, 1}, {96, 2}, {95, 3}, {91, 4}, {93, 5}, {92, 6}, {97, 7}, {98, 8}};
    for (const auto& c : kPlate)
    {
        SCOPED_TRACE(c.typeBits);
        EXPECT_DOUBLE_EQ(9.0 + c.word, ElementValue(model, ForceId(c.typeBits), 1));
        EXPECT_DOUBLE_EQ(19.0 + c.word, ElementValue(model, ForceId(c.typeBits), 2));
        EXPECT_DOUBLE_EQ(29.0 + c.word, ElementValue(model, ForceId(c.typeBits), 3));
    }
}

TEST(OEFNSResultBlockReader, ModesNumberTheirLoadCasesByStepValue)
{
    CModelSet model;
    ElementIdent first = ForceIdent(1, 3);
    first.approachCode = 2;
    first.stepWord = 1;
    ElementIdent second = first;
    second.stepWord = 2;
    ASSERT_EQ(0, ReadElementBlock("OEF1X",
                                  {{first, Op2Words().I(11).F(1.5f).F(0.0f)},
                                   {second, Op2Words().I(11).F(2.5f).F(0.0f)}},
                                  &model));
    const CResultData* mode2 = model.GetResult(ForceId(69, 2));
    ASSERT_NE(nullptr, mode2);
    EXPECT_EQ(16, mode2->m_flags & CResultData::kFlagStepKind);
    EXPECT_EQ(2, mode2->m_mode);
    EXPECT_DOUBLE_EQ(1.5, ElementValue(model, ForceId(69, 1), 1));
    EXPECT_DOUBLE_EQ(2.5, ElementValue(model, ForceId(69, 2), 1));
}

TEST(OEFNSResultBlockReader, RefusedTablesRegisterNothingAndSayWhy)
{
    const struct
    {
        const char* name;
        int tableCode;
        int elementType;
        int entryWords;
        int thermal;
        const char* says; // null: refused without a line
    } kCases[] = {
        {"complex", 1004, 1, 3, 0, "[OP2 Read],Results with imaginary components not supported"},
        {"thermal", 4, 1, 3, 1, "[OP2 Read],Thermal element output not supported"},
        {"sort 2", 2004, 1, 3, 0, "[OP2 Read],Sort 2 not supported"},
        {"unknown element", 4, 39, 3, 0, "Record type not supported"},
        {"beam entry too short", 4, 2, 50, 0, "too short"},
        {"entry larger than the buffer", 4, 1, 0x10400 / 4 + 1, 0, "outside"},
        {"no entry size", 4, 1, 0, 0, nullptr},
        {"record not whole entries", 4, 1, 4, 0, "does not hold whole entries"},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.name);
        LogCapture log;
        CModelSet model;
        ElementIdent ident = ForceIdent(c.elementType, c.entryWords);
        ident.tableCode = c.tableCode;
        ident.thermal = c.thermal;
        // Six words: whole entries of 3 words, not of 4.
        EXPECT_EQ(0, ReadElementBlock("OEF1X", {{ident, Entry(1, 6, 1.0f)}}, &model, false));
        EXPECT_EQ(0, model.GetResults().GetCount());
        if (c.says != nullptr)
            EXPECT_TRUE(log.Contains(c.says)) << log.Text();
        else
            EXPECT_EQ("", log.Text());
    }
}

TEST(OEFNSResultBlockReader, PieceWithAPartialEntryKeepsItsTail)
{
    // The piece contract: whole entries are stored, the rest is handed back.
    CModelSet model;
    OEFNSResultBlockReader reader;
    int* ident = reader.TableHeader();
    std::fill(ident, ident + NSResultBlockReader::kIdentWords, 0);
    ident[0] = 31;
    ident[1] = kForces;
    ident[2] = 1;
    ident[9] = 3;
    const std::vector<int32_t> words = Entry(4, 3, 9.0f).Append(Entry(5, 3, 8.0f)).Get();
    std::memcpy(reader.SharedBuffer(), words.data(), words.size() * 4);
    EXPECT_EQ(0, reader.createResults(&model, 0));
    EXPECT_EQ(4, reader.readRecord(16, &model, nullptr));
    EXPECT_DOUBLE_EQ(9.0, ElementValue(model, ForceId(69), 4));
    double value = 0.0;
    EXPECT_FALSE(model.GetResult(ForceId(69))->GetElementValue(5, &value));
}

TEST(OEFNSResultBlockReader, BendEntryHoldsTwoEnds)
{
    // Element id, then per end: grid, two moments, two shears, axial force, torque.
    CModelSet model;
    Op2Words entry;
    entry.I(8 * 10 + 1);
    for (int end = 0; end < 2; ++end)
    {
        entry.I(300 + end);
        for (int w = 1; w < 7; ++w)
            entry.F(static_cast<float>(10 * end + w));
    }
    ASSERT_EQ(0, ReadElementBlock("OEF1X", {{ForceIdent(69, 15), entry}}, &model));
    ASSERT_EQ(6, model.GetResults().GetCount());
    const struct
    {
        int typeBits;
        int word;
    } kEnds[] = {{77, 1}, {78, 2}, {75, 3}, {76, 4}, {69, 5}, {74, 6}};
    for (const auto& c : kEnds)
    {
        SCOPED_TRACE(c.typeBits);
        const CComponentSet* set = model.GetResult(ForceId(c.typeBits))->GetComponentSet(8);
        ASSERT_NE(nullptr, set);
        ASSERT_EQ(2u, set->values.size());
        EXPECT_EQ(301, set->nodeIds[1]);
        EXPECT_DOUBLE_EQ(c.word, set->values[0]);
        EXPECT_DOUBLE_EQ(10.0 + c.word, set->values[1]);
    }
    EXPECT_STREQ("ELEMENT_FORCE_CBEND", model.GetResult(ForceId(74))->m_groupName.GetString());
}
