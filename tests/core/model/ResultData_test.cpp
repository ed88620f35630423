#include "core/model/ResultData.h"

#include <gtest/gtest.h>

TEST(ResultData, StartsEmptyWithUnsetRanges)
{
    CResultData result;
    EXPECT_EQ(-1, result.m_mode);
    EXPECT_EQ(0u, result.m_id);
    EXPECT_EQ(CResultData::kNotLoaded, result.m_loaded);
    EXPECT_EQ(1, result.m_average);
    EXPECT_EQ(kRangeUnsetMin, result.m_min);
    EXPECT_EQ(kRangeUnsetMax, result.m_max);
    EXPECT_EQ(kRangeUnsetMin, result.m_minVector.z);
    EXPECT_EQ(kRangeUnsetMax, result.m_maxVector.x);
    EXPECT_EQ(0.0, result.GetLargestValue());
    double value = 0.0;
    EXPECT_FALSE(result.GetNodeValue(0, &value));
    EXPECT_EQ(nullptr, result.GetComponentSet(0));
}

TEST(ResultData, ResetRangeSavesAndClearsUnlessValuesSitAtNodes)
{
    struct Case
    {
        int flags;
        bool isReset;
    };
    const Case cases[] = {{0, true},
                          {CResultData::kFlagVector | 8, true},
                          {CResultData::kFlagAtNodes, false},
                          {CResultData::kFlagElementNodes, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.flags);
        CResultData result;
        result.m_flags = c.flags;
        result.WidenRange(-2.0);
        result.WidenRange(5.0);
        result.WidenVectorRange(CPoint3D(1.0, -1.0, 3.0));
        EXPECT_DOUBLE_EQ(5.0, result.GetLargestValue());
        result.ResetRange();
        EXPECT_EQ(c.isReset, !result.HasRange());
        if (c.isReset)
        {
            EXPECT_DOUBLE_EQ(-2.0, result.m_savedMin);
            EXPECT_DOUBLE_EQ(5.0, result.m_savedMax);
            EXPECT_DOUBLE_EQ(-1.0, result.m_savedMinVector.y);
            EXPECT_EQ(kRangeUnsetMin, result.m_minVector.y);
        }
        else
        {
            EXPECT_DOUBLE_EQ(5.0, result.m_max);
        }
    }
}

TEST(ResultData, TablesGrowToTheIdWithEmptyCells)
{
    CResultData result;
    result.SetNodeValue(5, 2.5);
    EXPECT_EQ(6, result.GetNodeValueCount());
    double value = -1.0;
    ASSERT_TRUE(result.GetNodeValue(3, &value));
    EXPECT_EQ(0.0, value);
    result.SetElementValue(4, 0.0);
    EXPECT_TRUE(result.GetElementValue(4, &value)); // a stored zero is a value
    EXPECT_FALSE(result.GetElementValue(2, &value));
    result.SetNodeVector(2, CPoint3D(1.0, 2.0, 3.0));
    CPoint3D vector;
    EXPECT_TRUE(result.GetNodeVector(2, &vector));
    EXPECT_FALSE(result.GetNodeVector(1, &vector));
    EXPECT_FALSE(result.GetNodeVector(-1, &vector));

    CComponentSet& set = result.GetOrCreateComponentSet(3, 4);
    EXPECT_EQ(4u, set.nodeIds.size());
    set.nodeIds[2] = 17;
    EXPECT_EQ(2, result.GetComponentSet(3)->FindSlot(17));
    EXPECT_EQ(-1, result.GetComponentSet(3)->FindSlot(18));
    EXPECT_EQ(&set, &result.GetOrCreateComponentSet(3, 8)); // existing set is kept
}

TEST(ResultId, FieldsPackAndUnpack)
{
    UINT id = 0;
    ASSERT_TRUE(PackResultId(1023, 127, 1023, 7, &id));
    EXPECT_EQ(0x3FFFFFFFu, id);
    ASSERT_TRUE(PackResultId(5, 2, 9, 1, &id));
    EXPECT_EQ(5u, ResultIdNumber(id));
    EXPECT_EQ(2u << kResultTypeShift, ResultIdTypeBits(id));
    EXPECT_EQ(9u, ResultIdLoadCase(id));
    EXPECT_EQ(ResultIdKey(id) | (9u << 3) | 1u, id);
    EXPECT_EQ(4u, ResultIdLoadCase(ResultIdWithLoadCase(id, 4)));
    EXPECT_EQ(1u, ResultIdWithLoadCase(id, 4) & kResultVariantMask);

    const UINT kept = id;
    EXPECT_FALSE(PackResultId(1024, 0, 1, 0, &id));
    EXPECT_FALSE(PackResultId(1, 128, 1, 0, &id));
    EXPECT_FALSE(PackResultId(1, 0, 1024, 0, &id));
    EXPECT_FALSE(PackResultId(1, 0, 1, 8, &id));
    EXPECT_EQ(kept, id);
}

TEST(ResultData, FarIdsAreKeptWithoutArraysUpToTheirId)
{
    CResultData result;
    const int farId = 99999999;
    result.SetNodeVector(farId, CPoint3D(1.0, 2.0, 3.0));
    result.SetNodeValue(farId, 4.0);
    result.SetElementValue(farId - 1, 5.0);
    result.GetOrCreateComponentSet(farId, 3).values[1] = 6.0;
    result.ReserveNodes(farId + 1, true);
    EXPECT_EQ(farId + 1, result.GetNodeVectorCount());
    EXPECT_EQ(farId + 1, result.GetNodeValueCount());

    CPoint3D vector;
    ASSERT_TRUE(result.GetNodeVector(farId, &vector));
    EXPECT_EQ(3.0, vector.z);
    EXPECT_FALSE(result.GetNodeVector(farId - 1, &vector));
    double value = 0.0;
    ASSERT_TRUE(result.GetNodeValue(farId, &value));
    EXPECT_EQ(4.0, value);
    EXPECT_FALSE(result.GetNodeValue(farId - 5, &value)); // no array up to the far id
    ASSERT_TRUE(result.GetElementValue(farId - 1, &value));
    EXPECT_EQ(5.0, value);
    ASSERT_NE(nullptr, result.GetComponentSet(farId));
    EXPECT_EQ(6.0, result.GetComponentSet(farId)->values[1]);
}

TEST(ResultData, FarCellsMoveIntoTheArrayWhenTheIdsBecomeDense)
{
    CResultData result;
    const int farId = static_cast<int>(CIdTable<double>::kDenseIds) + 10;
    result.SetElementValue(farId, 7.0);
    result.SetElementValue(farId + 1000000, 8.0);
    // Dense ids from 0 up past the far one: the array takes over the far cell.
    for (int id = 0; id <= farId + 5; ++id)
        result.SetElementValue(id == farId ? farId + 1 : id, 1.0);
    double value = 0.0;
    ASSERT_TRUE(result.GetElementValue(farId, &value));
    EXPECT_EQ(7.0, value);
    ASSERT_TRUE(result.GetElementValue(farId + 1000000, &value));
    EXPECT_EQ(8.0, value);
    EXPECT_EQ(farId + 1000001, result.GetElementValueCount());
}
