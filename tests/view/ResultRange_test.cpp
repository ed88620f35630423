// Value ranges: the stored range by side and component, and the range over shown elements.
#include "view/ResultRange.h"

#include "core/display/ResultDisplayAttr.h"
#include "core/display/VectorDisplayAttr.h"
#include "core/model/ResultData.h"
#include "tests/core/model/ModelFixtures.h"

#include <gtest/gtest.h>
#include <set>

namespace
{
// Shows the elements whose ids it holds.
class SomeElementsView : public CVisibilityView
{
public:
    std::set<int> shown;

    int IsEntityVisible(const CFEElement* element) const override
    {
        return element && shown.count(element->m_id) ? 1 : 0;
    }
    bool HasVisibleElement(const CFENode*) const override { return true; }
};

// Three quads in a row on nodes 1..8; element values 1, 2, 30 and node values 10 * id.
struct RowFixture
{
    RowFixture()
    {
        for (int i = 0; i < 4; ++i)
        {
            AddTestNode(model, 2 * i + 1, i, 0, 0);
            AddTestNode(model, 2 * i + 2, i, 1, 0);
        }
        for (int i = 0; i < 3; ++i)
            AddQuad(model, i + 1, 2 * i + 1, 2 * i + 3, 2 * i + 4, 2 * i + 2);
        const double elementValues[3] = {1.0, 2.0, 30.0};
        for (int i = 0; i < 3; ++i)
        {
            result.SetElementValue(i + 1, elementValues[i]);
            result.SetElementVector(i + 1, CPoint3D(i, -i, 2 * i));
        }
        for (int id = 1; id <= 8; ++id)
        {
            result.SetNodeValue(id, 10.0 * id);
            result.SetNodeVector(id, CPoint3D(id, 0, 0));
        }
    }

    CModelSet model;
    CResultData result;
    SomeElementsView view;
};
} // namespace

TEST(ResultRange, StoredRangeByComponentAndSide)
{
    CResultData result;
    result.m_flags = CResultData::kFlagAtNodes;
    result.WidenRange(-2.0);
    result.WidenRange(5.0);
    result.WidenVectorRange(CPoint3D(1, -3, 7));
    result.WidenVectorRange(CPoint3D(4, 2, 9));
    struct Case
    {
        int kind;
        int location;
        double min;
        double max;
    };
    const Case cases[] = {
        {kKindScalar, kLocationNode, -2, 5},
        {kKindVector, kLocationAsResult, -2, 5},
        {kKindX, kLocationNode, 1, 4},
        {kKindY, kLocationNode, -3, 2},
        {kKindZ + kKindElementBlock, kLocationNode, 7, 9},
        {kKindScalar, 4, 0, 0}, // no such location
        {kKindScalar, kLocationElement, -2, 5},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.kind << " at " << c.location);
        const CValueRange range = GetStoredResultRange(result, c.kind, c.location);
        EXPECT_EQ(c.min, range.min);
        EXPECT_EQ(c.max, range.max);
    }
}

TEST(ResultRange, ElementResultAveragedToNodesKeepsItsElementRangeOnTheElementSide)
{
    CResultData result;
    result.WidenRange(0.0);
    result.WidenRange(30.0);
    result.ResetRange(); // as a reader does before the values are averaged
    result.WidenRange(10.0);
    result.WidenRange(20.0);
    EXPECT_EQ(0.0, GetStoredResultRange(result, kKindScalar, kLocationElement).min);
    EXPECT_EQ(30.0, GetStoredResultRange(result, kKindScalar, kLocationElement).max);
    EXPECT_EQ(10.0, GetStoredResultRange(result, kKindScalar, kLocationNode).min);
    EXPECT_EQ(20.0, GetStoredResultRange(result, kKindScalar, kLocationNode).max);
}

TEST(ResultRange, UnsetRangeReadsAsZeroAndStaysUnset)
{
    CResultData result;
    const CValueRange range = GetStoredResultRange(result, kKindScalar, kLocationNode);
    EXPECT_EQ(0.0, range.min);
    EXPECT_EQ(0.0, range.max);
    const CValueRange axis = GetStoredResultRange(result, kKindY, kLocationNode);
    EXPECT_EQ(0.0, axis.min);
    EXPECT_EQ(0.0, axis.max);
    // A later value still widens the range from nothing, not from 0.
    EXPECT_FALSE(result.HasRange());
    result.WidenRange(7.0);
    EXPECT_EQ(7.0, GetStoredResultRange(result, kKindScalar, kLocationNode).min);
}

TEST(ResultRange, StoredPointsFollowTheSide)
{
    CResultData result;
    result.m_flags = CResultData::kFlagAtNodes;
    SetStoredMinPoint(result, CPoint3D(1, 2, 3), kLocationAsResult);
    SetStoredMaxPoint(result, CPoint3D(4, 5, 6), kLocationNode);
    EXPECT_EQ(2.0, GetStoredMinPoint(result, kLocationNode).y);
    EXPECT_EQ(6.0, GetStoredMaxPoint(result, kLocationAsResult).z);
    SetStoredMaxPoint(result, CPoint3D(9, 9, 9), 4); // no such location: nothing stored
    EXPECT_EQ(6.0, GetStoredMaxPoint(result, kLocationNode).z);
    EXPECT_EQ(0.0, GetStoredMaxPoint(result, 4).z);
}

TEST(ResultRange, RangeOverShownElementsOnly)
{
    RowFixture f;
    f.view.shown = {1, 2};
    const CElementMap& elements = f.model.GetElements();
    struct Case
    {
        int kind;
        int location;
        double min;
        double max;
    };
    const Case cases[] = {
        {kKindScalar, kLocationElement, 1, 2}, // element 3 (30) is hidden
        {kKindScalar, kLocationNode, 10, 60},  // nodes 1..6
        {kKindX, kLocationElement, 0, 1},      {kKindY, kLocationElement, -1, 0},
        {kKindX, kLocationNode, 1, 6},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.kind << " at " << c.location);
        const CValueRange range =
            ComputeRangeOverElements(f.result, c.kind, c.location, elements, f.view);
        EXPECT_EQ(c.min, range.min);
        EXPECT_EQ(c.max, range.max);
    }
}

TEST(ResultRange, NothingShownGivesZeroToZero)
{
    RowFixture f;
    const CValueRange range = ComputeRangeOverElements(f.result, kKindScalar, kLocationElement,
                                                       f.model.GetElements(), f.view);
    EXPECT_EQ(0.0, range.min);
    EXPECT_EQ(0.0, range.max);
}

TEST(ResultRange, ElementsWithoutAValueAreLeftOut)
{
    RowFixture f;
    f.view.shown = {1, 2, 3};
    AddTestNode(f.model, 9, 5, 0, 0);
    AddTestNode(f.model, 10, 5, 1, 0);
    AddQuad(f.model, 4, 7, 9, 10, 8); // no element value
    f.view.shown.insert(4);
    const CValueRange range = ComputeRangeOverElements(f.result, kKindScalar, kLocationElement,
                                                       f.model.GetElements(), f.view);
    EXPECT_EQ(1.0, range.min);
    EXPECT_EQ(30.0, range.max);
}

TEST(ResultRange, BandsTakeTheRangeAndTheDefaultsOfTheirKind)
{
    CResultDisplayAttr contourDefaults;
    contourDefaults.m_nContourType = CResultDisplayAttr::kLines;
    contourDefaults.m_nBandType = 2;
    contourDefaults.m_nBands = 8;
    CVectorDisplayAttr vectorDefaults;
    vectorDefaults.m_nColorBands = 4;
    vectorDefaults.m_colorBands.m_bReverseBand = 1;
    const CBandDefaults contour = ContourBandDefaults(contourDefaults);
    const CBandDefaults vector = VectorBandDefaults(vectorDefaults);
    CResultDisplayAttr attr;
    attr.m_nContourType = CResultDisplayAttr::kIsoSurface;
    attr.m_nResultCategory = 0;

    const CResultDisplayAttr bands =
        PrepareBands(attr, CValueRange{-4.0, 12.0}, false, false, contour, vector);
    EXPECT_EQ(CResultDisplayAttr::kLines, bands.m_nContourType);
    EXPECT_EQ(2, bands.m_nBandType);
    EXPECT_EQ(8, bands.m_nBands);
    EXPECT_EQ(-4.0, bands.m_dataMin);
    EXPECT_EQ(12.0, bands.m_viewMax);
    EXPECT_EQ(12.0, bands.m_levels[8]);
    EXPECT_EQ(0, bands.m_nResultCategory); // the rest comes from attr
    CColorRGBA blue;
    bands.GetRampColor(0.0, blue);
    EXPECT_EQ(1.0f, blue.b);

    // A vector plot keeps flat bands and takes the vector defaults' count and reverse ramp.
    const CResultDisplayAttr arrows =
        PrepareBands(attr, CValueRange{0.0, 1.0}, false, true, contour, vector);
    EXPECT_EQ(CResultDisplayAttr::kBands, arrows.m_nContourType);
    EXPECT_EQ(0, arrows.m_nBandType);
    EXPECT_EQ(4, arrows.m_nBands);
    EXPECT_EQ(1, arrows.m_bReverseBand);
    EXPECT_EQ(1.0f, arrows.m_bandColors[0].r); // red first

    // Earlier reversed bands do not keep their ramp when the defaults are not reversed.
    const CResultDisplayAttr again =
        PrepareBands(arrows, CValueRange{0.0, 1.0}, true, false, contour, vector);
    EXPECT_EQ(0, again.m_bReverseBand);
    EXPECT_EQ(1.0f, again.m_bandColors[0].b);
}
