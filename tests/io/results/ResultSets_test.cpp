#include "io/results/ResultSets.h"

#include "core/services/OutputSink.h"
#include "tests/core/services/ServiceFolders.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
class CapturingSink : public COutputSink
{
public:
    void AddOutputLine(const std::string& line) override { lines.push_back(line); }

    std::vector<std::string> lines;
};

// Result number 3 of type 2, load case 1.
int StressId()
{
    UINT id = 0;
    EXPECT_TRUE(PackResultId(3, 2, 1, 0, &id));
    return static_cast<int>(id);
}

// A string file naming result 3 and type 2 (16777216 = 2 << 23), or only result 3.
void WriteNames(CServiceFolders& folders, bool withType)
{
    std::string text = "[Tree]\nResultName_3_ENG=Stress\n";
    if (withType)
        text += "ResultSub_16777216_ENG=Normal\n";
    text += "[Common]\nUndefined_ENG=Undefined\n";
    folders.WriteFile("string/standard.str", text);
    SetLanguageSuffix("_ENG");
}
} // namespace

TEST(ResultSets, NewResultIsNamedFromTheStringFile)
{
    for (bool withType : {true, false})
    {
        SCOPED_TRACE(withType);
        CServiceFolders folders("result-names");
        WriteNames(folders, withType);
        CModelSet model;
        CResultData* result = GetOrCreateResult(StressId(), &model, "STRESS_TABLE", 104,
                                                int64_t(5) << 32, "OES1X1", "C:\\run\\plate.op2");
        ASSERT_NE(nullptr, result);
        const char* expected = withType ? "Stress - Normal" : "Stress - Undefined";
        EXPECT_STREQ(expected, result->GetName().GetString());
        EXPECT_STREQ(expected, result->GetTitle().GetString());
        EXPECT_EQ(static_cast<UINT>(StressId()), result->m_id);
        EXPECT_EQ(104, result->m_kind);
        EXPECT_STREQ("STRESS_TABLE", result->m_groupName.GetString());
        EXPECT_STREQ("OES1X1", result->m_blockName.GetString());
        EXPECT_STREQ("C:\\run\\plate.op2", result->m_sourcePath.GetString());
        EXPECT_EQ(int64_t(5) << 32, result->m_filePosition); // beyond 4 GB
        EXPECT_EQ(result, model.GetResult(StressId()));
    }
}

TEST(ResultSets, StoringIntoAnExistingResultKeepsItsCatalogueEntry)
{
    CModelSet model;
    CResultData* result = GetOrCreateResult(StressId(), &model, "TABLE", 102, 400, "OUG1", "a.op2");
    result->SetName("Kept");
    AddNodeScalarValue(4, StressId(), 1.5f, &model, 8, 3);
    AddElementVectorValue(2, StressId(), CPoint3D(3, 4, 0), &model, 8, 3);
    EXPECT_EQ(result, GetOrCreateResult(StressId(), &model, "OTHER", 103, 0, "DEFAULT", "b.op2"));
    EXPECT_STREQ("Kept", result->GetName().GetString());
    EXPECT_STREQ("OUG1", result->m_blockName.GetString());
    EXPECT_EQ(400, result->m_filePosition);
    EXPECT_STREQ("a.op2", result->m_sourcePath.GetString());
    EXPECT_EQ(102, result->m_kind);
    EXPECT_EQ(1, model.GetResults().GetCount());
    EXPECT_EQ(nullptr, GetOrCreateResult(-1, &model, "", 103, 0, "DEFAULT", ""));
}

TEST(ResultSets, NodeScalarGrowsTheTableAndWidensTheRange)
{
    CModelSet model;
    AddNodeScalarValue(6, StressId(), 2.5f, &model, 8, -1);
    CResultData* result = model.GetResult(StressId());
    ASSERT_NE(nullptr, result);
    EXPECT_EQ(7, result->GetNodeValueCount());
    double value = -1.0;
    ASSERT_TRUE(result->GetNodeValue(3, &value));
    EXPECT_EQ(0.0, value);
    EXPECT_EQ(103, result->m_kind);
    EXPECT_STREQ("DEFAULT", result->m_blockName.GetString());
    EXPECT_EQ(8 | 2, result->m_flags);
    EXPECT_EQ(-1, result->m_mode);
    // Only stored values move the range, starting from the sentinels.
    EXPECT_DOUBLE_EQ(2.5, result->m_min);
    EXPECT_DOUBLE_EQ(2.5, result->m_max);
    AddNodeScalarValue(2, StressId(), -1.0f, &model, 8, 7);
    EXPECT_DOUBLE_EQ(-1.0, result->m_min);
    EXPECT_DOUBLE_EQ(2.5, result->m_max);
    EXPECT_EQ(7, result->m_mode);
}

TEST(ResultSets, VectorStoresKeepLengthAndComponentRanges)
{
    CModelSet model;
    AddNodeVectorValue(1, StressId(), CPoint3D(3, 4, 0), &model, 0, 2);
    AddNodeVectorValue(2, StressId(), CPoint3D(-1, 0, 2), &model, 0, 2);
    const CResultData* nodal = model.GetResult(StressId());
    CPoint3D vector;
    ASSERT_TRUE(nodal->GetNodeVector(1, &vector));
    EXPECT_EQ(4.0, vector.y);
    double value = 0.0;
    ASSERT_TRUE(nodal->GetNodeValue(1, &value));
    EXPECT_DOUBLE_EQ(5.0, value);
    EXPECT_EQ(0x3, nodal->m_flags);
    EXPECT_DOUBLE_EQ(-1.0, nodal->m_minVector.x);
    EXPECT_DOUBLE_EQ(2.0, nodal->m_maxVector.z);
    EXPECT_DOUBLE_EQ(5.0, nodal->m_max);

    const int elementId = StressId() + (1 << 13); // another result number
    AddElementVectorValue(9, elementId, CPoint3D(0, 0, 2), &model, 16, 4);
    const CResultData* elemental = model.GetResult(elementId);
    EXPECT_EQ(16 | 1, elemental->m_flags);
    ASSERT_TRUE(elemental->GetElementValue(9, &value));
    EXPECT_DOUBLE_EQ(2.0, value);
    ASSERT_TRUE(elemental->GetElementVector(9, &vector));
    EXPECT_FALSE(elemental->GetElementVector(8, &vector));

    AddElementScalarValue(3, elementId + (1 << 13), 6.0f, &model, 8, -1);
    EXPECT_EQ(8, model.GetResult(elementId + (1 << 13))->m_flags);
}

// A result filled at the grids and per element (grid point stresses of a surface) stays a
// result at the nodes: a later element store must not clear the flag that keeps its range.
TEST(ResultSets, StoresAddTheirFlagsToThoseOfEarlierStores)
{
    CModelSet model;
    AddNodeScalarValue(3, StressId(), 1.0f, &model, 8, -1);
    AddElementScalarValue(40, StressId(), 2.0f, &model, 8, -1);
    AddElementVectorValue(41, StressId(), CPoint3D(0, 0, 3), &model, 8, -1);
    CResultData* result = model.GetResult(StressId());
    EXPECT_EQ(8 | CResultData::kFlagAtNodes | CResultData::kFlagVector, result->m_flags);
    result->ResetRange();
    EXPECT_DOUBLE_EQ(1.0, result->m_min);
    EXPECT_DOUBLE_EQ(3.0, result->m_max);
}

TEST(ResultSets, ElementNodeValuesFillSlotsOfOneSetPerElement)
{
    CModelSet model;
    for (int slot = 0; slot < 4; ++slot)
        AddElementNodeScalarValue(7, 100 + slot, StressId(), slot * 1.0f, &model, slot, 4, 8, -1);
    AddElementNodeVectorValue(8, 200, StressId(), CPoint3D(0, 3, 4), &model, 1, 3, 8, -1);
    const CResultData* result = model.GetResult(StressId());
    const CComponentSet* set = result->GetComponentSet(7);
    ASSERT_NE(nullptr, set);
    EXPECT_EQ((std::vector<int>{100, 101, 102, 103}), set->nodeIds);
    EXPECT_EQ(3.0, set->values[set->FindSlot(103)]);
    const CComponentSet* vectors = result->GetComponentSet(8);
    ASSERT_NE(nullptr, vectors);
    EXPECT_EQ((std::vector<int>{0, 200, 0}), vectors->nodeIds);
    EXPECT_DOUBLE_EQ(5.0, vectors->values[1]);
    EXPECT_DOUBLE_EQ(4.0, vectors->vectors[1].z);
    EXPECT_EQ(8 | 4 | 1, result->m_flags);
    EXPECT_EQ(nullptr, result->GetComponentSet(6));
}

TEST(ResultSets, OutOfBoundsIdsAndSlotsAreRefusedWithAMessage)
{
    struct Case
    {
        const char* what;
        int elementId;
        int nodeId;
        int slot;
        int nodeCount;
    };
    const Case cases[] = {
        {"slot past the count", 1, 5, 4, 4},
        {"negative slot", 1, 5, -1, 4},
        {"no nodes", 1, 5, 0, 0},
        {"absurd node count", 1, 5, 0, 1 << 30},
        {"negative element", -3, 5, 0, 4},
        {"element id too large", kMaxEntityId + 1, 5, 0, 4},
        {"negative node", 1, -5, 0, 4},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CModelSet model;
        CapturingSink sink;
        model.SetOutputSink(&sink);
        AddElementNodeScalarValue(c.elementId, c.nodeId, StressId(), 1.0f, &model, c.slot,
                                  c.nodeCount, 0, -1);
        EXPECT_EQ(1u, sink.lines.size());
        const CResultData* result = model.GetResult(StressId());
        EXPECT_TRUE(result == nullptr || result->GetComponentSetCount() == 0);
    }

    // A set made for 3 nodes refuses slot 3 even when the caller now claims 8.
    CModelSet model;
    CapturingSink sink;
    model.SetOutputSink(&sink);
    AddElementNodeScalarValue(1, 5, StressId(), 1.0f, &model, 0, 3, 0, -1);
    AddElementNodeScalarValue(1, 6, StressId(), 1.0f, &model, 3, 8, 0, -1);
    EXPECT_EQ(1u, sink.lines.size());
    EXPECT_EQ(3u, model.GetResult(StressId())->GetComponentSet(1)->nodeIds.size());

    AddNodeScalarValue(kMaxEntityId + 1, StressId(), 1.0f, &model, 0, -1);
    AddElementScalarValue(-2, StressId(), 1.0f, &model, 0, -1);
    EXPECT_EQ(3u, sink.lines.size());
    AddNodeScalarValue(1, -1, 1.0f, &model, 0, -1); // unwanted result: silently skipped
    EXPECT_EQ(3u, sink.lines.size());
}

TEST(ResultSets, ResolveGroupResultIdKeepsOnlyWantedResults)
{
    CResultData wanted;
    CResultMap group;
    group.SetAt(40, &wanted);
    group.SetAt(48, nullptr);
    int out = 0;
    ResolveGroupResultId(&out, 40, &group);
    EXPECT_EQ(40, out);
    ResolveGroupResultId(&out, 48, &group);
    EXPECT_EQ(-1, out);
    ResolveGroupResultId(&out, 56, &group);
    EXPECT_EQ(-1, out);
    ResolveGroupResultId(&out, 56, nullptr);
    EXPECT_EQ(56, out);
}
