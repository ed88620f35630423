// Renderer: the clip plane's frame and the contours on the plane.
#include "ResultSceneView.h"
#include "core/geometry/Box3D.h"
#include "core/model/FEElement.h"
#include "core/model/ResultId.h"
#include "render/Segment3D.h"
#include "tests/core/model/ModelFixtures.h"

#include <gtest/gtest.h>

using render_test::kSize;
using render_test::ReadPixel;
using render_test::ResultSceneTest;

namespace
{
using Rgb = std::array<int, 3>;

void ExpectCorners(const CPoint3D expected[4], const CPoint3D actual[4])
{
    for (int i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(expected[i].x, actual[i].x);
        EXPECT_DOUBLE_EQ(expected[i].y, actual[i].y);
        EXPECT_DOUBLE_EQ(expected[i].z, actual[i].z);
    }
}
} // namespace

TEST(ClipPlaneCorners, SolvedForTheCoordinateWithACoefficient)
{
    const CBox3D box(CPoint3D(0, 0, 0), CPoint3D(10, 20, 30));
    CPoint3D corners[4];
    const double zPlane[4] = {0, 0, 1, -5};
    CAESet::ClipPlaneCorners(zPlane, box, corners);
    const CPoint3D atZ[4] = {CPoint3D(0, 0, 5), CPoint3D(0, 20, 5), CPoint3D(10, 20, 5),
                             CPoint3D(10, 0, 5)};
    ExpectCorners(atZ, corners);

    const double xPlane[4] = {1, 0, 0, -2};
    CAESet::ClipPlaneCorners(xPlane, box, corners);
    const CPoint3D atX[4] = {CPoint3D(2, 0, 0), CPoint3D(2, 20, 0), CPoint3D(2, 20, 30),
                             CPoint3D(2, 0, 30)};
    ExpectCorners(atX, corners);

    const double yPlane[4] = {0, 2, 0, -8};
    CAESet::ClipPlaneCorners(yPlane, box, corners);
    const CPoint3D atY[4] = {CPoint3D(0, 4, 0), CPoint3D(10, 4, 0), CPoint3D(10, 4, 30),
                             CPoint3D(0, 4, 30)};
    ExpectCorners(atY, corners);

    const double none[4] = {0, 0, 0, 3};
    CAESet::ClipPlaneCorners(none, box, corners);
    const CPoint3D origin[4];
    ExpectCorners(origin, corners);
}

TEST_F(ResultSceneTest, SectionThroughBricksShowsTheFrameAndTheBandsOnTheCut)
{
    // Two bricks side by side, x -1..1, y -0.5..0.5, z -0.5..0.5; nodal values 0 at the left
    // to 100 at the right.
    const UINT id = MakeLoadCaseKey(3, 0x800000u, 1);
    auto* result = new CResultData();
    result->m_id = id;
    int node = 1;
    for (int i = 0; i < 3; ++i)
    {
        for (const double z : {-0.5, 0.5})
        {
            for (const double y : {-0.5, 0.5})
            {
                AddTestNode(m_model, node, i - 1.0, y, z);
                result->SetNodeValue(node++, 50.0 * i);
            }
        }
    }
    // Nodes of column i: 4i+1 (y-, z-), 4i+2 (y+, z-), 4i+3 (y-, z+), 4i+4 (y+, z+).
    for (int i = 0; i < 2; ++i)
    {
        const int a = 4 * i;
        AddBrick(m_model, i + 1, {a + 1, a + 5, a + 6, a + 2, a + 3, a + 7, a + 8, a + 4});
    }
    m_model.BuildElementFaces();
    m_model.AddResult(result);
    View().Show(&m_model);
    View().EditScene().EditDisplayAttr().SetRange(0.0, 100.0, 0.0, 100.0, 10);
    View().EditScene().EditDisplayAttr().m_nBandType = 0;
    Renderer().SetContourResultId(static_cast<int>(id));
    Renderer().SetResultComponent(1);
    // Keep z <= 0 and look at the cut from above.
    Renderer().SetClipping(1);
    const double equation[4] = {0, 0, -1, 0};
    Renderer().SetClipEquation(equation);
    CSegment3D plane;
    plane.m_end = CPoint3D(0, 0, 1);
    Renderer().ClipPlane().SetPlane(plane, 0.0, 1);
    Renderer().ClipPlane().ComputeNodeDistances(m_model.GetDefaultGroup()->GetNodes(),
                                                m_model.GetNodeCount(), m_model.GetElements(),
                                                m_model.GetElementCount());
    Renderer().RenderAll();
    View().Draw();

    const int scale = static_cast<int>(kSize / 2.1); // pixels per unit, about
    const auto isNear = [](const Rgb& a, const Rgb& b)
    {
        for (int i = 0; i < 3; ++i)
        {
            if (std::abs(a[i] - b[i]) > 2)
                return false;
        }
        return true;
    };
    CColorRGBA low = View().Scene().DisplayAttr().m_bandColors[0];
    CColorRGBA high = View().Scene().DisplayAttr().m_bandColors[9];
    const auto rgb = [](const CColorRGBA& c)
    {
        return Rgb{static_cast<int>(c.r * 255 + 0.5), static_cast<int>(c.g * 255 + 0.5),
                   static_cast<int>(c.b * 255 + 0.5)};
    };
    EXPECT_PRED2(isNear, rgb(low), ReadPixel(kSize / 2 - scale + 4, kSize / 2));
    EXPECT_PRED2(isNear, rgb(high), ReadPixel(kSize / 2 + scale - 4, kSize / 2));
    // The yellow frame runs along the box's edges at the plane.
    int yellow = 0;
    for (int y = kSize / 2 - scale / 2 - 3; y <= kSize / 2 - scale / 2 + 3; ++y)
        yellow += ReadPixel(kSize / 2, y) == Rgb{255, 255, 0} ? 1 : 0;
    EXPECT_GE(yellow, 1);
}
