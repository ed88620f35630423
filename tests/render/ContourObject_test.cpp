// Contour drawables: how elements become band fans, smooth faces, lines, iso-surfaces and
// beam pieces (recording device), and what a contoured shell looks like (pixels).
#include "render/ContourObject.h"

#include "ContourTestSupport.h"
#include "GLTestWindow.h"
#include "core/display/ResultDisplayAttr.h"
#include "tests/core/model/ModelFixtures.h"

#include <gtest/gtest.h>

using contour_test::ExpectColor;
using contour_test::ExpectPoint;
using contour_test::RecordingDevice;
using contour_test::ValueSource;

namespace
{
// A 10 x 10 quad on nodes 1..4, values 0 on the left and 10 on the right.
struct QuadFixture
{
    QuadFixture()
    {
        AddTestNode(model, 1, 0, 0, 0);
        AddTestNode(model, 2, 10, 0, 0);
        AddTestNode(model, 3, 10, 10, 0);
        AddTestNode(model, 4, 0, 10, 0);
        quad = AddQuad(model, 1, 1, 2, 3, 4);
        model.BuildElementFaces();
        quad->m_outerFace[0] = 1;
        values.nodeValues = {{1, 0.0}, {2, 10.0}, {3, 10.0}, {4, 0.0}};
        attr.SetRange(0.0, 12.0, 0.0, 12.0, 3); // levels 0, 4, 8, 12
        attr.m_nBandType = 0;
    }

    CModelSet model;
    CFEElement* quad = nullptr;
    ValueSource values{&model};
    CResultDisplayAttr attr;
};

// A unit brick on nodes 1..8 with the value 20 z.
struct BrickFixture
{
    BrickFixture()
    {
        const double corners[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                      {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
        for (int i = 0; i < 8; ++i)
        {
            AddTestNode(model, i + 1, corners[i][0], corners[i][1], corners[i][2]);
            values.nodeValues[i + 1] = 20.0 * corners[i][2];
        }
        brick = AddBrick(model, 1, {1, 2, 3, 4, 5, 6, 7, 8});
        model.BuildElementFaces();
        for (int f = 0; f < 6; ++f)
            brick->m_outerFace[f] = 1;
        attr.SetRange(0.0, 20.0, 0.0, 20.0, 2); // levels 0, 10, 20
        attr.m_nBandType = 0;
    }

    CModelSet model;
    CFEElement* brick = nullptr;
    ValueSource values{&model};
    CResultDisplayAttr attr;
};

void ExpectAllPointsWithin(const RecordingDevice& device, const char* name, double lo, double hi)
{
    for (const contour_test::Call* call : device.Find(name))
    {
        for (const CPoint3D& p : call->points)
        {
            EXPECT_GE(p.x, lo - 1e-9);
            EXPECT_LE(p.x, hi + 1e-9);
            EXPECT_GE(p.y, lo - 1e-9);
            EXPECT_LE(p.y, hi + 1e-9);
        }
    }
}
} // namespace

TEST(ContourObject, ShellBandsAreUnlitFansAndShrinkTowardTheCentre)
{
    QuadFixture f;
    CContourObject object(&f.attr, &f.values, 4);
    RecordingDevice device;
    object.DrawEntity(f.quad, &device);
    ASSERT_FALSE(device.Find("Facet").empty());
    EXPECT_EQ(kRenderFill, device.calls[0].mode);
    EXPECT_EQ(1u, device.Find("Mode").size());
    // Levels 4 and 8 cut every fan triangle except the left and right ones.
    EXPECT_EQ(3u + 2u + 3u + 2u, device.Find("Facet").size());
    ExpectAllPointsWithin(device, "Facet", 0.0, 10.0);

    device.calls.clear();
    object.m_shrinkFactor = 0.5;
    object.DrawEntity(f.quad, &device);
    ExpectAllPointsWithin(device, "Facet", 2.5, 7.5);

    // Lines keep their full size whatever the shrink factor.
    device.calls.clear();
    f.attr.m_nContourType = CResultDisplayAttr::kLines;
    object.DrawEntity(f.quad, &device);
    bool reachesEdge = false;
    for (const contour_test::Call* line : device.Find("Line"))
    {
        for (const CPoint3D& p : line->points)
            reachesEdge = reachesEdge || p.y < 1e-9;
    }
    EXPECT_TRUE(reachesEdge);
    ExpectAllPointsWithin(device, "Line", 0.0, 10.0);
}

TEST(ContourObject, BandTypeNeitherFlatNorSmoothDrawsNothing)
{
    QuadFixture f;
    f.attr.m_nBandType = 1;
    CContourObject object(&f.attr, &f.values, 4);
    RecordingDevice device;
    object.DrawEntity(f.quad, &device);
    EXPECT_TRUE(device.calls.empty());
}

TEST(ContourObject, SmoothShellIsOnePolygonWithAColourPerCorner)
{
    QuadFixture f;
    f.attr.m_nBandType = 2;
    f.attr.SetRange(0.0, 10.0, 0.0, 10.0, 10);
    CContourObject object(&f.attr, &f.values, 4);
    RecordingDevice device;
    object.DrawEntity(f.quad, &device);
    const auto smooth = device.Find("Smooth");
    ASSERT_EQ(1u, smooth.size());
    ASSERT_EQ(4u, smooth[0]->colors.size());
    CColorRGBA blue;
    CColorRGBA red;
    f.attr.GetRampColor(0.0, blue);
    f.attr.GetRampColor(1.0, red);
    ExpectColor(blue, smooth[0]->colors[0]);
    ExpectColor(red, smooth[0]->colors[1]);
}

TEST(ContourObject, SolidBandsFillFrontFacesOfItsOuterFacesOnly)
{
    BrickFixture f;
    for (int i = 1; i < 6; ++i)
        f.brick->m_outerFace[i] = 0;
    CContourObject object(&f.attr, &f.values, 4);
    RecordingDevice device;
    object.DrawEntity(f.brick, &device);
    EXPECT_EQ(kRenderFrontFill, device.calls[0].mode);
    // Face 0 is the bottom (z = 0, all values 0). Wholly in band 0, it is one facet of its
    // corners rather than four fan triangles of one colour.
    const auto facets = device.Find("Facet");
    ASSERT_EQ(1u, facets.size());
    EXPECT_EQ(4u, facets[0]->points.size());
    for (const contour_test::Call* facet : facets)
    {
        for (const CPoint3D& p : facet->points)
            EXPECT_NEAR(0.0, p.z, 1e-12);
    }
}

TEST(ContourObject, IsoSurfaceThroughABrickIsOneQuadrilateralInTheLowerBandColour)
{
    BrickFixture f;
    f.attr.m_nContourType = CResultDisplayAttr::kIsoSurface;
    CContourObject object(&f.attr, &f.values, 4);
    object.m_shrinkFactor = 0.5; // iso-surfaces are not shrunk
    RecordingDevice device;
    object.DrawEntity(f.brick, &device);
    const auto facets = device.Find("Facet");
    ASSERT_EQ(1u, facets.size());
    ASSERT_EQ(4u, facets[0]->points.size());
    for (const CPoint3D& p : facets[0]->points)
    {
        EXPECT_NEAR(0.5, p.z, 1e-12);
        EXPECT_TRUE(p.x == 0.0 || p.x == 1.0);
    }
    ExpectColor(f.attr.m_bandColors[0], device.ColorBefore(device.IndexOf(facets[0])));
    EXPECT_NEAR(1.0, std::fabs(facets[0]->normal.z), 1e-12);
}

TEST(ContourObject, IsoSurfaceOnAShellDrawsLitBandsOfTheFace)
{
    QuadFixture f;
    f.attr.m_nContourType = CResultDisplayAttr::kIsoSurface;
    CContourObject object(&f.attr, &f.values, 4);
    RecordingDevice device;
    object.DrawEntity(f.quad, &device);
    // Values 0..10 over levels 0, 4, 8, 12: bands 0, 1 and 2 are cut out of the face.
    const auto facets = device.Find("Facet");
    ASSERT_EQ(3u, facets.size());
    for (const contour_test::Call* facet : facets)
        ExpectPoint(0, 0, 1, facet->normal);
    EXPECT_EQ(3u, device.Find("Diffuse").size());
    for (const contour_test::Call* mode : device.Find("Mode"))
        EXPECT_EQ(kRenderLit, mode->mode);
}

TEST(ContourObject, ElementValuesAreTheElementsOwnAndLit)
{
    QuadFixture f;
    for (int node = 1; node <= 4; ++node)
        f.values.elementValues[{1, node}] = 11.0; // band 2, whatever the nodes say
    CElementContourObject object(&f.attr, &f.values);
    RecordingDevice device;
    object.DrawEntity(f.quad, &device);
    const auto facets = device.Find("Facet");
    ASSERT_EQ(1u, facets.size());
    ExpectPoint(0, 0, 1, facets[0]->normal);
    for (const contour_test::Call* mode : device.Find("Mode"))
        EXPECT_EQ(kRenderLit, mode->mode);
    ExpectColor(f.attr.m_bandColors[2], device.ColorBefore(device.IndexOf(facets[0])));

    // The element's display flag hides it from the element contour only.
    device.calls.clear();
    f.quad->m_display = 0;
    object.DrawEntity(f.quad, &device);
    EXPECT_TRUE(device.calls.empty());
    CContourObject nodal(&f.attr, &f.values, 4);
    nodal.DrawEntity(f.quad, &device);
    EXPECT_FALSE(device.calls.empty());
}

TEST(ContourObject, BeamAcrossThreeBandsIsThreePiecesInThreeColours)
{
    CModelSet model;
    AddTestNode(model, 1, 0, 0, 0);
    AddTestNode(model, 2, 30, 0, 0);
    CFEElement* beam = AddTestElement(model, 1, kTagBeam, 21, {1, 2});
    model.BuildElementFaces();
    ValueSource values(&model);
    values.nodeValues = {{1, 5.0}, {2, 25.0}};
    CResultDisplayAttr attr;
    attr.SetRange(0.0, 30.0, 0.0, 30.0, 3);
    CContourObject object(&attr, &values, 4);
    RecordingDevice device;
    object.DrawEntity(beam, &device);
    const auto lines = device.Find("Line");
    ASSERT_EQ(3u, lines.size());
    const double ends[4] = {0.0, 7.5, 22.5, 30.0};
    for (size_t k = 0; k < 3; ++k)
    {
        SCOPED_TRACE(k);
        ExpectPoint(ends[k], 0, 0, lines[k]->points[0]);
        ExpectPoint(ends[k + 1], 0, 0, lines[k]->points[1]);
        ExpectColor(attr.m_bandColors[k], device.ColorBefore(device.IndexOf(lines[k])));
    }

    // A three-node beam is drawn along its curve even without curve divisions.
    device.calls.clear();
    AddTestNode(model, 3, 15, 5, 0);
    beam->m_feDescriptorId = 24;
    beam->m_ids.RemoveAll();
    for (int id : {1, 3, 2})
        beam->m_ids.Add(id);
    values.nodeValues[3] = 15.0;
    CContourObject curved(&attr, &values, 0);
    curved.DrawEntity(beam, &device);
    EXPECT_GE(device.Find("Line").size(), 3u);
}

TEST(ContourObject, PolygonEntityTakesTheBandOfItsMeanValue)
{
    CModelSet model;
    ValueSource values(&model);
    values.points = {{1, CPoint3D(0, 0, 0)}, {2, CPoint3D(1, 0, 0)}, {3, CPoint3D(0, 1, 0)}};
    values.nodeValues = {{1, 0.0}, {2, 10.0}, {3, 35.0}}; // mean 15: band 1
    CResultDisplayAttr attr;
    attr.SetRange(0.0, 30.0, 0.0, 30.0, 3);
    CModelEntity polygon;
    polygon.type = CContourObject::kTagPolygonEntity;
    for (int id : {1, 2, 3})
        polygon.m_ids.Add(id);
    CContourObject object(&attr, &values, 4);
    RecordingDevice device;
    object.DrawEntity(&polygon, &device);
    const auto facets = device.Find("Facet");
    ASSERT_EQ(1u, facets.size());
    ExpectColor(attr.m_bandColors[1], device.Find("Diffuse")[0]->color);

    device.calls.clear();
    polygon.m_ids.RemoveAt(2);
    object.DrawEntity(&polygon, &device);
    EXPECT_TRUE(device.calls.empty());
}

TEST(ContourObject, SubdivideEdgeValuesStepsFromEachValueTowardTheNext)
{
    struct Case
    {
        int divisions;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {2, {0.0, 5.0, 10.0, 10.0, 5.0, 0.0}},
        {1, {0.0, 10.0, 10.0, 0.0}},
        {0, {0.0, 10.0}}, // no division by zero: one value per step
    };
    const double values[2] = {0.0, 10.0};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.divisions);
        std::vector<double> out;
        const double sum = CContourObject::SubdivideEdgeValues(values, 2, c.divisions, out);
        EXPECT_EQ(c.expected, out);
        double expectedSum = 0.0;
        for (double v : c.expected)
            expectedSum += v;
        EXPECT_DOUBLE_EQ(expectedSum, sum);
    }
}

namespace
{
using render_test::GLTest;
using render_test::ReadPixel;

bool IsNearColour(const std::array<int, 3>& expected, const std::array<int, 3>& actual)
{
    for (int i = 0; i < 3; ++i)
    {
        if (std::abs(expected[i] - actual[i]) > 16)
            return false;
    }
    return true;
}

// Ten quads across the window (x -100..100), values 0 at the left to 100 at the right.
class ContourPixels : public GLTest
{
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        for (int i = 0; i <= 10; ++i)
        {
            const double x = -100.0 + 20.0 * i;
            AddTestNode(m_model, 2 * i + 1, x, -50, 0);
            AddTestNode(m_model, 2 * i + 2, x, 50, 0);
            m_values.nodeValues[2 * i + 1] = 10.0 * i;
            m_values.nodeValues[2 * i + 2] = 10.0 * i;
        }
        for (int i = 0; i < 10; ++i)
            AddQuad(m_model, i + 1, 2 * i + 1, 2 * i + 3, 2 * i + 4, 2 * i + 2);
        m_model.BuildElementFaces();
        for (const auto& [id, element] : fw::Assocs(m_model.GetElements()))
        {
            element->m_outerFace[0] = 1;
        }
        m_attr.SetRange(0.0, 100.0, 0.0, 100.0, 10);
    }

    void Draw()
    {
        glClearColor(1, 1, 1, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        CViewVolume volume = render_test::GLTestWindow::SquareVolume();
        Device().BeginScene(&volume);
        Device().SetRenderMode(kRenderFill);
        CContourObject object(&m_attr, &m_values, 4);
        for (const auto& [id, element] : fw::Assocs(m_model.GetElements()))
        {
            object.DrawEntity(element, &Device());
        }
        Device().EndScene();
    }

    CModelSet m_model;
    ValueSource m_values{&m_model};
    CResultDisplayAttr m_attr;
};
} // namespace

TEST_F(ContourPixels, ShellRunsFromBlueAtTheLeftToRedAtTheRight)
{
    const std::array<int, 3> blue = {0, 0, 255};
    const std::array<int, 3> red = {255, 0, 0};
    for (int bandType : {0, 2})
    {
        SCOPED_TRACE(bandType);
        m_attr.m_nBandType = static_cast<unsigned char>(bandType);
        Draw();
        // Smooth shading blends toward the neighbouring ramp colour within the edge quads.
        EXPECT_PRED2(IsNearColour, blue, ReadPixel(2, 100));
        EXPECT_PRED2(IsNearColour, red, ReadPixel(197, 100));
        EXPECT_EQ((std::array<int, 3>{255, 255, 255}), ReadPixel(100, 10)); // above the strip
    }
}
