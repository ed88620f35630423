// The view's entity-set interface and element filter, on a view object without a window.
#include "ViewTestFrame.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "tests/core/model/ModelFixtures.h"
#include "view/ProjectOnlyMainFrame.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
constexpr UINT kDisplacementType = 0x800000;
constexpr UINT kStressType = 0x2000000;

// Two nodes and a beam; a displacement result (case 1) moving node 1 by (0, 0, 1) and a
// stress result (case 1) with node scalars and, for element 5, values at its nodes.
class ViewEntities : public testing::Test
{
protected:
    void SetUp() override
    {
        CModelSet& model = Model();
        AddTestNode(model, 1, 0, 0, 0);
        AddTestNode(model, 2, 2, 0, 0);
        AddTestElement(model, 5, kTagBeam, 21, {1, 2});
        model.BuildElementFaces();
        model.AddLoadCaseValue(1, kDisplacementType, 1.0);
        model.AddLoadCaseValue(1, kDisplacementType, 2.0);
        model.AddLoadCaseValue(2, kStressType, 1.0);
        model.AddLoadCaseValue(2, kStressType, 2.0);
        m_displacementId = MakeLoadCaseKey(1, kDisplacementType, 1);
        m_stressId = MakeLoadCaseKey(2, kStressType, 1);
        CResultData* displacement = AddResult(m_displacementId, CResultData::kFlagAtNodes);
        displacement->SetNodeVector(1, CPoint3D(0, 0, 1));
        displacement->SetNodeValue(2, 0.0); // a cell without a vector
        model.SetDefaultDisplacementId(static_cast<int>(MakeResultKey(1, kDisplacementType)));
        CResultData* stress = AddResult(m_stressId, CResultData::kFlagAtNodes);
        stress->SetNodeValue(1, 3.5);
        stress->SetNodeValue(2, 4.5);
        m_elementNodeId = MakeLoadCaseKey(2, kStressType, 1) | 1; // a variant of the same case
        m_view.SetMainFrame(&m_frame);
        m_view.SetCurrentGroup(model.GetDefaultGroup());
    }

    CModelSet& Model() { return m_frame.m_project.m_model; }

    CResultData* AddResult(UINT id, int flags)
    {
        CResultData* result = new CResultData();
        result->m_id = id;
        result->m_flags = flags;
        Model().AddResult(result);
        return result;
    }

    void ShowDeformed(int shownId, double factor)
    {
        m_view.Renderer().SetShowDeformation(CAESet::kAbsoluteScale);
        m_view.Renderer().SetContourResultId(shownId);
        m_view.Renderer().SetDeformationFactor(factor);
    }

    CProjectOnlyMainFrame m_frame;
    CWendraView m_view;
    UINT m_displacementId = 0;
    UINT m_stressId = 0;
    UINT m_elementNodeId = 0;
};

void ExpectPoint(const CPoint3D& expected, const CPoint3D& actual)
{
    EXPECT_DOUBLE_EQ(expected.x, actual.x);
    EXPECT_DOUBLE_EQ(expected.y, actual.y);
    EXPECT_DOUBLE_EQ(expected.z, actual.z);
}
} // namespace

TEST_F(ViewEntities, UndeformedWithoutDeformationOrResult)
{
    ExpectPoint(CPoint3D(0, 0, 0), m_view.GetNodePoint(1));
    m_view.Renderer().SetContourResultId(static_cast<int>(m_displacementId));
    m_view.Renderer().SetDeformationFactor(2.0);
    ExpectPoint(CPoint3D(0, 0, 0), m_view.GetNodePoint(1)); // mode 0
    ShowDeformed(-1, 2.0);
    ExpectPoint(CPoint3D(0, 0, 0), m_view.GetNodePoint(1)); // no result shown
}

TEST_F(ViewEntities, DeformedByTheShownDisplacementItself)
{
    ShowDeformed(static_cast<int>(m_displacementId), 2.0);
    ExpectPoint(CPoint3D(0, 0, 2), m_view.GetNodePoint(1));
    EXPECT_EQ(Model().GetResult(m_displacementId), m_view.CurrentResult());
    ExpectPoint(CPoint3D(2, 0, 0), m_view.GetNodePoint(2));  // no vector there
    ExpectPoint(CPoint3D(0, 0, 0), m_view.GetNodePoint(99)); // neither node nor vector
    // The centre follows the displayed positions.
    ExpectPoint(CPoint3D(1, 0, 1), m_view.GetElementCenter(Model().FindElement(5)));
}

TEST_F(ViewEntities, AnotherResultTakesTheModelsDisplacementOfItsCase)
{
    ShowDeformed(static_cast<int>(m_stressId), 0.5);
    ExpectPoint(CPoint3D(0, 0, 0.5), m_view.GetNodePoint(1));
    EXPECT_EQ(nullptr, m_view.CurrentResult()); // the cache is not changed

    // A load case the displacement result does not have: no deformation.
    ShowDeformed(static_cast<int>(MakeLoadCaseKey(2, kStressType, 5)), 0.5);
    ExpectPoint(CPoint3D(0, 0, 0), m_view.GetNodePoint(1));
}

TEST_F(ViewEntities, ValuesOfTheShownComponent)
{
    CAESet& renderer = m_view.Renderer();
    renderer.SetContourResultId(static_cast<int>(m_stressId));
    renderer.SetResultComponent(1);
    EXPECT_TRUE(std::isnan(m_view.GetNodeValue(1, 0))); // no current result yet
    m_view.SetCurrentResult(Model().GetResult(m_displacementId));
    EXPECT_DOUBLE_EQ(3.5, m_view.GetNodeValue(1, 0));
    EXPECT_EQ(Model().GetResult(m_stressId), m_view.CurrentResult());
    EXPECT_DOUBLE_EQ(4.5, m_view.GetResultValue(2, 0));
    EXPECT_TRUE(std::isnan(m_view.GetNodeValue(7, 0))); // a node the result does not cover

    renderer.SetContourResultId(static_cast<int>(m_displacementId));
    renderer.SetResultComponent(4); // z
    EXPECT_DOUBLE_EQ(1.0, m_view.GetNodeValue(1, 0));
    EXPECT_TRUE(std::isnan(m_view.GetNodeValue(2, 0))); // no vector at node 2
    renderer.SetResultComponent(4 | 8); // the element block's bit is not the component
    EXPECT_DOUBLE_EQ(1.0, m_view.GetNodeValue(1, 0));
    renderer.SetResultComponent(0);
    EXPECT_TRUE(std::isnan(m_view.GetNodeValue(1, 0)));
    renderer.SetContourResultId(-1);
    renderer.SetResultComponent(1);
    EXPECT_TRUE(std::isnan(m_view.GetNodeValue(1, 0)));
}

TEST_F(ViewEntities, ElementNodeValuesBelongToTheirElement)
{
    CResultData* corners = AddResult(m_elementNodeId, CResultData::kFlagElementNodes);
    CComponentSet& set = corners->GetOrCreateComponentSet(5, 2);
    set.nodeIds = {1, 2};
    set.values = {7.0, 8.0};
    m_view.Renderer().SetContourResultId(static_cast<int>(m_elementNodeId));
    m_view.Renderer().SetResultComponent(1);
    m_view.SetCurrentResult(corners);
    EXPECT_DOUBLE_EQ(8.0, m_view.GetNodeValue(2, 5));
    EXPECT_TRUE(std::isnan(m_view.GetNodeValue(3, 5))); // not a node of the element
    EXPECT_TRUE(std::isnan(m_view.GetNodeValue(2, 6))); // no such element
}

TEST_F(ViewEntities, ElementNodeValuesByNodeAloneAreTheMeanOverElementsHoldingOne)
{
    // Node 2 is used by the beam 5 and the shell 6; only the beam holds values, the shell's
    // set has none at node 2.
    AddTestNode(Model(), 3, 2, 1, 0);
    AddTestElement(Model(), 6, kTagShell, 91, {1, 2, 3});
    Model().BuildElementFaces();
    CResultData* corners = AddResult(m_elementNodeId, CResultData::kFlagElementNodes);
    CComponentSet& beam = corners->GetOrCreateComponentSet(5, 2);
    beam.nodeIds = {1, 2};
    beam.values = {7.0, 8.0};
    beam.vectors = {CPoint3D(1, 2, 3), CPoint3D(4, 5, 6)};
    CComponentSet& shell = corners->GetOrCreateComponentSet(6, 1);
    shell.nodeIds = {1};
    shell.values = {9.0};
    m_view.Renderer().SetContourResultId(static_cast<int>(m_elementNodeId));
    m_view.SetCurrentResult(corners);
    m_view.Renderer().SetResultComponent(1);
    EXPECT_DOUBLE_EQ(8.0, m_view.GetNodeValue(2, 0));
    EXPECT_DOUBLE_EQ(8.0, m_view.GetNodeValue(1, 0));   // (7 + 9) / 2
    EXPECT_TRUE(std::isnan(m_view.GetNodeValue(3, 0))); // no element holds a value there
    m_view.Renderer().SetResultComponent(3);            // y: the shell has no vectors
    EXPECT_DOUBLE_EQ(2.0, m_view.GetNodeValue(1, 0));
    EXPECT_DOUBLE_EQ(5.0, m_view.GetNodeValue(2, 5)); // an element asks for its own corner
}

namespace
{
struct VisibilityCase
{
    const char* name;
    int mode;
    int propertyValue; // -1: property not in the filter
    bool inVisibleSet;
    int expected;
};
const VisibilityCase kVisibility[] = {
    {"property missing", CCAEView::kFilterByProperty, -1, false, 1},
    {"property shown", CCAEView::kFilterByProperty, 1, false, 1},
    {"property hidden", CCAEView::kFilterByProperty, 0, true, 0},
    {"material missing", CCAEView::kFilterByMaterial, 0, false, 1},
    {"group, not in the set", CCAEView::kFilterByGroup, 1, false, 0},
    {"group, in the set", CCAEView::kFilterByGroup, 0, true, 1},
    {"no filter", CCAEView::kNoElementFilter, 0, false, 1},
};
} // namespace

TEST_F(ViewEntities, ElementFilterDecidesVisibility)
{
    const CFEElement* element = Model().FindElement(5);
    for (const VisibilityCase& c : kVisibility)
    {
        SCOPED_TRACE(c.name);
        m_view.ElementFilter().Properties().RemoveAll();
        m_view.ElementFilter().VisibleElementIds().RemoveAll();
        m_view.ElementFilter().SetMode(c.mode);
        if (c.propertyValue >= 0)
            m_view.ElementFilter().Properties().SetAt(1, c.propertyValue);
        if (c.inVisibleSet)
            m_view.ElementFilter().VisibleElementIds().SetAt(5, 1);
        EXPECT_EQ(c.expected, m_view.IsEntityVisible(element));
        EXPECT_EQ(0, m_view.IsEntityVisible(nullptr));
    }
}

TEST_F(ViewEntities, FilterIsActiveOnlyWithAHiddenId)
{
    m_view.ElementFilter().SetMode(CCAEView::kFilterByProperty);
    EXPECT_EQ(0, m_view.IsElementFilterActive()); // empty
    m_view.LoadElementFilter(&Model());
    EXPECT_EQ(0, m_view.IsElementFilterActive()); // every entry 1
    m_view.ElementFilter().Properties().SetAt(1, 0);
    EXPECT_EQ(1, m_view.IsElementFilterActive());
    m_view.ElementFilter().SetMode(CCAEView::kNoElementFilter);
    EXPECT_EQ(0, m_view.IsElementFilterActive());
    m_view.ElementFilter().SetMode(CCAEView::kFilterByGroup);
    EXPECT_EQ(0, m_view.IsElementFilterActive());
    m_view.ElementFilter().Groups().SetAt(0, 0);
    EXPECT_EQ(1, m_view.IsElementFilterActive());
}

TEST_F(ViewEntities, LoadElementFilterShowsEveryIdAndKeepsOthers)
{
    m_view.ElementFilter().Properties().SetAt(77, 0); // a property the model no longer has
    m_view.ElementFilter().Materials().SetAt(1, 0);
    m_view.LoadElementFilter(&Model());
    int value = -1;
    EXPECT_TRUE(m_view.ElementFilter().Properties().Lookup(1, value));
    EXPECT_EQ(1, value);
    EXPECT_TRUE(m_view.ElementFilter().Properties().Lookup(77, value));
    EXPECT_EQ(0, value);
    EXPECT_TRUE(m_view.ElementFilter().Materials().Lookup(1, value));
    EXPECT_EQ(1, value);
    EXPECT_TRUE(m_view.ElementFilter().Groups().Lookup(0, value)); // the default group
}

TEST_F(ViewEntities, VisibleElementOfAnIdList)
{
    CDWordArray ids;
    EXPECT_EQ(0, m_view.HasVisibleElement(ids));
    ids.Add(42); // no such element
    EXPECT_EQ(0, m_view.HasVisibleElement(ids));
    ids.Add(5);
    EXPECT_EQ(1, m_view.HasVisibleElement(ids));
    m_view.ElementFilter().Properties().SetAt(1, 0);
    EXPECT_EQ(0, m_view.HasVisibleElement(ids));
    EXPECT_FALSE(m_view.HasVisibleElement(Model().GetNode(1)));
}

TEST_F(ViewEntities, StoredRidgeEdgesAreLoadedAndCleared)
{
    CEdgeMap solid;
    CEdgeMap shell;
    solid.SetAt(MakeEdgeKey(1, 2), MakeEdgeValue(5, 0, 0));
    m_view.ShellRidgeEdges().SetAt(MakeEdgeKey(3, 4), 0);
    m_view.LoadViewIdMaps(solid, shell);
    EXPECT_EQ(1, m_view.SolidRidgeEdges().GetCount());
    EXPECT_EQ(1, m_view.ShellRidgeEdges().GetCount()); // an empty stored map changes nothing
    m_view.ClearStoredIdMaps();
    EXPECT_TRUE(m_view.SolidRidgeEdges().IsEmpty());
    EXPECT_TRUE(m_view.ShellRidgeEdges().IsEmpty());
}
