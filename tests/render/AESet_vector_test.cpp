// Renderer: vector arrow lists, checked by the pixels of the back buffer.
#include "ResultSceneView.h"
#include "core/model/FEElement.h"
#include "core/model/ResultId.h"
#include "tests/core/model/ModelFixtures.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

using render_test::kSize;
using render_test::ReadPixel;
using render_test::ResultSceneTest;

namespace
{
using Rgb = std::array<int, 3>;
constexpr Rgb kWhite = {255, 255, 255};
constexpr UINT kVectorId = MakeLoadCaseKey(2, 0x800000u, 1);

// Ten unit quads in a row from x = -5 to 5 (elements 1..10), each with the element vector
// (2, 0, 0), and the vector plot entry of the result: white arrows of the given length.
CVectorPlotEntry* AddVectorStrip(CModelSet& model, CSceneView& view, double length)
{
    render_test::AddQuadStrip(model, 0.5);
    auto* result = new CResultData();
    result->m_id = kVectorId;
    result->m_flags = CResultData::kFlagVector;
    for (int i = 1; i <= 10; ++i)
    {
        result->SetElementVector(i, CPoint3D(2, 0, 0));
        result->SetElementValue(i, 2.0);
    }
    model.AddResult(result);
    model.AddLoadCaseValueById(kVectorId, 1.0);
    CVectorPlotEntry* entry =
        view.EditScene().EditVectorPlots().FindOrAdd(static_cast<int>(kVectorId));
    entry->m_attr.m_length = length;
    entry->m_attr.m_bSameColor = 1;
    entry->m_attr.m_sameColor = CColorRGBA(1, 1, 1, 0);
    return entry;
}

int ElementX(int i)
{
    return kSize / 2 + static_cast<int>((i - 4.5) * kSize / 10.5);
}
} // namespace

TEST_F(ResultSceneTest, ConstantLengthArrowsSitCentredOnEachElement)
{
    AddVectorStrip(m_model, View(), 0.5);
    View().Show(&m_model);
    View().EditScene().EditDisplayAttr().m_nResultCategory =
        0; // per element, not averaged at the nodes
    Renderer().SetVectorResultId(static_cast<int>(kVectorId));
    Renderer().SetResultComponent(0);
    Renderer().RenderAll();
    View().Draw();
    const int y = kSize / 2;
    for (int i = 0; i < 10; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(kWhite, ReadPixel(ElementX(i), y));
        EXPECT_EQ(kWhite, ReadPixel(ElementX(i) + 3, y)); // a quarter of a unit ahead
        EXPECT_NE(kWhite, ReadPixel(ElementX(i) + 8, y)); // beyond the arrow
    }
}

TEST_F(ResultSceneTest, WithoutAPlotEntryTheVectorListsAreNotBuilt)
{
    AddVectorStrip(m_model, View(), 0.5);
    View().Show(&m_model);
    Renderer().SetVectorResultId(static_cast<int>(kVectorId + 8)); // load case 2: no entry
    View().Device().DeleteList(Renderer().ListName(CAESet::kShellVectorList));
    Renderer().RenderAll();
    EXPECT_FALSE(glIsList(Renderer().ListName(CAESet::kShellVectorList)));
}

TEST_F(ResultSceneTest, NodeArrowsStartAtTheirNodes)
{
    CVectorPlotEntry* entry = AddVectorStrip(m_model, View(), 0.5);
    entry->m_attr.m_nPosition = 2; // starting at the node
    CResultData* result = m_model.GetResult(kVectorId);
    result->m_flags |= CResultData::kFlagAtNodes;
    result->SetNodeVector(1, CPoint3D(0, 0, 1)); // along the line of sight: a dot at most
    result->SetNodeValue(1, 1.0);
    result->SetNodeVector(12, CPoint3D(0, 1, 0));
    result->SetNodeValue(12, 1.0);
    View().Show(&m_model);
    Renderer().SetVectorResultId(static_cast<int>(kVectorId));
    Renderer().SetResultComponent(0);
    Renderer().RenderAll();
    View().Draw();
    // Node 12 is at (0, 0.5), shared by elements 5 and 6: its arrow runs half a unit upwards
    // from there, away from the strip.
    const int nodeY = kSize / 2 - static_cast<int>(0.5 * kSize / 10.5);
    const auto whiteNear = [](int y)
    {
        int count = 0;
        for (int x = kSize / 2 - 2; x <= kSize / 2 + 1; ++x)
            count += ReadPixel(x, y) == kWhite ? 1 : 0;
        return count;
    };
    EXPECT_GE(whiteNear(nodeY - 5), 1);
    EXPECT_EQ(0, whiteNear(nodeY - 12));
    EXPECT_NE(kWhite, ReadPixel(ElementX(4), kSize / 2)); // no element arrows
}
