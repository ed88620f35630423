// The renderer tests' view with result values: the shown result's value at a node (or at an
// element's node for element-node results), as the 3-D view answers through its entity set.
#pragma once

#include "FakeSceneView.h"
#include "core/model/ResultData.h"
#include "tests/core/model/ModelFixtures.h"

namespace render_test
{
class ResultSceneView : public FakeSceneView
{
public:
    double GetResultValue(int nodeId, int elementId) const override
    {
        const int shown = m_renderer->ContourResultId() != -1 ? m_renderer->ContourResultId()
                                                              : m_renderer->VectorResultId();
        const CResultData* result = m_renderer->FindResult(shown);
        if (result == nullptr)
            return 0.0;
        const int kind = m_renderer->ResultComponent() & ~8;
        double value = 0.0;
        CPoint3D vector;
        if (result->GetLocation() == CResultData::kFlagElementNodes)
        {
            const CComponentSet* set = result->GetComponentSet(elementId);
            const int slot = set ? set->FindSlot(nodeId) : -1;
            return slot >= 0 && kind == 1 ? set->values[static_cast<size_t>(slot)] : 0.0;
        }
        if (kind == 1)
            return result->GetNodeValue(nodeId, &value) ? value : 0.0;
        if (kind < 2 || kind > 4 || !result->GetNodeVector(nodeId, &vector))
            return 0.0;
        return kind == 2 ? vector.x : kind == 3 ? vector.y : vector.z;
    }
};

// Ten quads in a row from x = -5 to 5 and y = -halfHeight to halfHeight (elements 1..10),
// nodes 2i + 1 below and 2i + 2 above.
inline void AddQuadStrip(CModelSet& model, double halfHeight)
{
    for (int i = 0; i <= 10; ++i)
    {
        AddTestNode(model, 2 * i + 1, i - 5.0, -halfHeight, 0);
        AddTestNode(model, 2 * i + 2, i - 5.0, halfHeight, 0);
    }
    for (int i = 0; i < 10; ++i)
        AddQuad(model, i + 1, 2 * i + 1, 2 * i + 3, 2 * i + 4, 2 * i + 2);
    model.BuildElementFaces();
}

// A scene test whose view answers result values; every test starts with no result shown.
class ResultSceneTest : public SceneTest
{
protected:
    static void SetUpTestSuite() { s_view = new ResultSceneView(); }
    void SetUp() override
    {
        SceneTest::SetUp();
        View().EditScene().EditDisplayAttr() = CResultDisplayAttr();
        View().EditScene().SetDisplayMode(kRidgeLine);
        View().SetCurrentResult(nullptr);
    }
};
} // namespace render_test
