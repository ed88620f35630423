// Band cutting: band facets with their flags, contour lines, fans, smooth colours, outlines
// and iso-surface chaining, through a recording device.
#include "render/ContourCutter.h"

#include "ContourTestSupport.h"
#include "core/display/ResultDisplayAttr.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

using contour_test::ExpectColor;
using contour_test::ExpectPoint;
using contour_test::RecordingDevice;

namespace
{
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Levels 0, 10, 20, 30: three bands, blue, ramp middle, red.
CResultDisplayAttr ThreeBands()
{
    CResultDisplayAttr attr;
    attr.SetRange(0.0, 30.0, 0.0, 30.0, 3);
    return attr;
}

CColorRGBA Ramp(const CResultDisplayAttr& attr, double t)
{
    CColorRGBA color;
    attr.GetRampColor(t, color);
    return color;
}
} // namespace

TEST(ContourCutter, ClassifiesEveryValueIntoABand)
{
    const CResultDisplayAttr attr = ThreeBands();
    const CContourCutter cutter(&attr);
    struct Case
    {
        double value;
        bool ok;
        int band;
        int kind;
    };
    const Case cases[] = {
        {5.0, true, 0, CResultDisplayAttr::kInside},
        {10.0, true, 0, CResultDisplayAttr::kOnUpperLevel}, // inner level: the band below
        {0.0, true, 0, CResultDisplayAttr::kOnLowerLevel},
        {30.0, true, 2, CResultDisplayAttr::kOnUpperLevel},
        {45.0, true, 2, CResultDisplayAttr::kOnUpperLevel}, // above the top: the top band
        {-7.0, true, 0, CResultDisplayAttr::kOnLowerLevel}, // below: the bottom band
        {kNaN, false, 0, 0},                                // no value
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        int kind = -1;
        int band = -1;
        ASSERT_EQ(c.ok, cutter.ClassifyValue(c.value, kind, band));
        if (!c.ok)
            continue;
        EXPECT_EQ(c.band, band);
        EXPECT_EQ(c.kind, kind);
    }

    // The value 0 on a top level of 0 has no band in the table (the tolerance is 0 there).
    CResultDisplayAttr negative;
    negative.SetRange(-30.0, 0.0, -30.0, 0.0, 3);
    const CContourCutter negativeCutter(&negative);
    int kind = -1;
    int band = -1;
    ASSERT_TRUE(negativeCutter.ClassifyValue(0.0, kind, band));
    EXPECT_EQ(2, band);
}

TEST(ContourCutter, TriangleAcrossThreeBandsGivesThreeBandFacets)
{
    const CResultDisplayAttr attr = ThreeBands();
    CContourCutter cutter(&attr);
    RecordingDevice device;
    const CPoint3D points[3] = {CPoint3D(0, 0, 0), CPoint3D(10, 0, 0), CPoint3D(0, 10, 0)};
    const double values[3] = {5.0, 25.0, 15.0};
    cutter.DrawPolygonBands(points, values, 3, &device, kRenderFill, nullptr);

    ASSERT_EQ(
        (std::vector<std::string>{"Mode", "Color", "Facet", "Color", "Facet", "Color", "Facet"}),
        device.Names());
    EXPECT_EQ(kRenderFill, device.calls[0].mode);
    struct Expected
    {
        std::vector<CPoint3D> points;
        std::vector<int> flags;
        double t; // ramp position of the band colour
    };
    // Worked by hand: level 10 crosses A-B at x 2.5 and C-A at y 5; level 20 crosses A-B at
    // x 7.5 and B-C half way.
    const Expected expected[3] = {
        {{CPoint3D(2.5, 0, 0), CPoint3D(0, 5, 0), CPoint3D(0, 0, 0)}, {1, 1, 2}, 0.0},
        {{CPoint3D(2.5, 0, 0), CPoint3D(7.5, 0, 0), CPoint3D(5, 5, 0), CPoint3D(0, 10, 0),
          CPoint3D(0, 5, 0)},
         {3, 1, 1, 2, 3},
         0.5},
        {{CPoint3D(7.5, 0, 0), CPoint3D(10, 0, 0), CPoint3D(5, 5, 0)}, {3, 2, 3}, 1.0},
    };
    for (int k = 0; k < 3; ++k)
    {
        SCOPED_TRACE(k);
        const contour_test::Call& facet = device.calls[static_cast<size_t>(2 + 2 * k)];
        ASSERT_EQ(expected[k].points.size(), facet.points.size());
        for (size_t i = 0; i < facet.points.size(); ++i)
        {
            const CPoint3D& p = expected[k].points[i];
            ExpectPoint(p.x, p.y, p.z, facet.points[i]);
        }
        EXPECT_EQ(expected[k].flags, facet.flags);
        ExpectColor(Ramp(attr, expected[k].t), device.calls[static_cast<size_t>(1 + 2 * k)].color);
    }
}

TEST(ContourCutter, PolygonInsideOneBandIsOneFacetOfItsCorners)
{
    const CResultDisplayAttr attr = ThreeBands();
    CContourCutter cutter(&attr);
    RecordingDevice device;
    const CPoint3D points[3] = {CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), CPoint3D(0, 1, 0)};
    // 20 lies on the upper level of band 1, not on the lower one of band 2.
    const double values[3] = {12.0, 15.0, 20.0};
    cutter.DrawPolygonBands(points, values, 3, &device, kRenderFill, nullptr);
    const auto facets = device.Find("Facet");
    ASSERT_EQ(1u, facets.size());
    EXPECT_EQ((std::vector<int>{2, 1, 2}), facets[0]->flags); // corners 1, 2, 0 in edge order
    ExpectColor(Ramp(attr, 0.5), device.ColorBefore(device.IndexOf(facets[0])));

    // A value out of every band joins the nearest band; NaN leaves the polygon out.
    device.calls.clear();
    const double above[3] = {25.0, 31.0, 99.0};
    cutter.DrawPolygonBands(points, above, 3, &device, kRenderFill, nullptr);
    ASSERT_EQ(1u, device.Find("Facet").size());
    device.calls.clear();
    const double missing[3] = {5.0, kNaN, 15.0};
    cutter.DrawPolygonBands(points, missing, 3, &device, kRenderFill, nullptr);
    EXPECT_TRUE(device.Find("Facet").empty());
}

TEST(ContourCutter, LitBandsSetTheBandColourAsMaterialWithTheNormal)
{
    const CResultDisplayAttr attr = ThreeBands();
    CContourCutter cutter(&attr);
    RecordingDevice device;
    const CPoint3D points[3] = {CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), CPoint3D(0, 1, 0)};
    const double values[3] = {25.0, 26.0, 27.0};
    const CPoint3D normal(0, 0, 1);
    cutter.DrawPolygonBands(points, values, 3, &device, kRenderLit, &normal);
    ASSERT_EQ((std::vector<std::string>{"Mode", "Diffuse", "Ambient", "Specular", "Emission",
                                        "Mode", "Facet"}),
              device.Names());
    const CColorRGBA red = Ramp(attr, 1.0);
    ExpectColor(red, device.calls[1].color);
    EXPECT_EQ(1.0f, device.calls[1].color.a);
    EXPECT_NEAR(0.4 * red.r, device.calls[2].color.r, 1e-6);
    ExpectColor(CColorRGBA(), device.calls[3].color);
    ExpectPoint(0, 0, 1, device.calls[6].normal);
}

TEST(ContourCutter, DeviceStateIsNotRepeatedForEveryPolygon)
{
    const CResultDisplayAttr attr = ThreeBands();
    CContourCutter cutter(&attr);
    RecordingDevice device;
    const CPoint3D points[3] = {CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), CPoint3D(0, 1, 0)};
    const double values[3] = {1.0, 2.0, 3.0};
    cutter.DrawPolygonBands(points, values, 3, &device, kRenderFill, nullptr);
    cutter.DrawPolygonBands(points, values, 3, &device, kRenderFill, nullptr);
    EXPECT_EQ((std::vector<std::string>{"Mode", "Color", "Facet", "Facet"}), device.Names());

    // Lit facets set material and mode again only for another colour.
    device.calls.clear();
    const CPoint3D normal(0, 0, 1);
    const double higher[3] = {21.0, 22.0, 23.0};
    cutter.DrawPolygonBands(points, values, 3, &device, kRenderLit, &normal);
    cutter.DrawPolygonBands(points, values, 3, &device, kRenderLit, &normal);
    cutter.DrawPolygonBands(points, higher, 3, &device, kRenderLit, &normal);
    EXPECT_EQ(3u, device.Find("Facet").size());
    EXPECT_EQ(2u, device.Find("Diffuse").size());

    cutter.ForgetDeviceState();
    device.calls.clear();
    cutter.DrawPolygonBands(points, values, 3, &device, kRenderFill, nullptr);
    EXPECT_EQ((std::vector<std::string>{"Mode", "Color", "Facet"}), device.Names());
}

TEST(ContourCutter, TriangleCrossedByOneLevelDrawsOneLineInTheLowerBandColour)
{
    CResultDisplayAttr attr;
    attr.SetRange(0.0, 20.0, 0.0, 20.0, 2);
    CContourCutter cutter(&attr);
    RecordingDevice device;
    const CPoint3D points[3] = {CPoint3D(0, 0, 0), CPoint3D(10, 0, 0), CPoint3D(10, 10, 0)};
    const double values[3] = {5.0, 15.0, 5.0};
    cutter.DrawPolygonLines(points, values, 3, &device);
    const auto lines = device.Find("Line");
    ASSERT_EQ(1u, lines.size());
    ExpectPoint(5, 0, 0, lines[0]->points[0]);
    ExpectPoint(10, 5, 0, lines[0]->points[1]);
    ExpectColor(attr.m_bandColors[0], device.ColorBefore(device.IndexOf(lines[0])));
    EXPECT_TRUE(device.Find("Mode").empty()); // the caller sets the mode for lines

    // Two levels through one triangle: a segment each, each in its own band's colour.
    device.calls.clear();
    attr.SetRange(0.0, 30.0, 0.0, 30.0, 3);
    CContourCutter threeBands(&attr);
    const double wide[3] = {5.0, 25.0, 5.0};
    threeBands.DrawPolygonLines(points, wide, 3, &device);
    const auto both = device.Find("Line");
    ASSERT_EQ(2u, both.size());
    ExpectColor(attr.m_bandColors[0], device.ColorBefore(device.IndexOf(both[0])));
    ExpectColor(attr.m_bandColors[1], device.ColorBefore(device.IndexOf(both[1])));
}

TEST(ContourCutter, FanCutsEachEdgeTriangleWithTheMeanAtTheCentroid)
{
    const CResultDisplayAttr attr = ThreeBands();
    CContourCutter cutter(&attr);
    RecordingDevice device;
    CFacet square;
    const double corners[4][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    for (const auto& c : corners)
    {
        square.AddVertex(new CPoint3D(c[0], c[1], 0), 0);
        square.m_values.Add(5.0);
    }
    square.m_values[2] = 25.0; // mean 10: the centroid lies on level 10
    cutter.DrawPolygonFanBands(square, &device, nullptr);
    // Four triangles; the two at corner 2 reach band 2, the others stay in band 0.
    const auto facets = device.Find("Facet");
    ASSERT_EQ(8u, facets.size());
    for (const contour_test::Call* facet : facets)
    {
        for (const CPoint3D& p : facet->points)
        {
            EXPECT_GE(p.x, 0.0);
            EXPECT_LE(p.x, 2.0);
        }
    }
    device.calls.clear();
    cutter.DrawPolygonFanLines(square, &device);
    EXPECT_FALSE(device.Find("Line").empty());
}

TEST(ContourCutter, SmoothPolygonTakesRampColoursAndSplitsPastEightVertices)
{
    CResultDisplayAttr attr;
    attr.SetRange(0.0, 100.0, 0.0, 100.0, 10);
    attr.SetOutOfRangeColor(CColorRGBA(0.5f, 0.5f, 0.5f, 0.0f));
    CContourCutter cutter(&attr);
    RecordingDevice device;
    const CPoint3D square[4] = {CPoint3D(0, 0, 0), CPoint3D(1, 0, 0), CPoint3D(1, 1, 0),
                                CPoint3D(0, 1, 0)};
    const double values[4] = {0.0, 100.0, 150.0, -1.0};
    cutter.DrawSmoothContour(square, values, 4, &device);
    ASSERT_EQ(1u, device.calls.size());
    const std::vector<CColorRGBA>& colors = device.calls[0].colors;
    ExpectColor(Ramp(attr, 0.0), colors[0]);
    ExpectColor(Ramp(attr, 1.0), colors[1]);
    ExpectColor(attr.m_outOfRangeColor, colors[2]); // above
    ExpectColor(attr.m_outOfRangeColor, colors[3]); // below

    device.calls.clear();
    CPoint3D ring[10];
    double ringValues[10];
    for (int i = 0; i < 10; ++i)
    {
        ring[i] = CPoint3D(std::cos(i * 0.628), std::sin(i * 0.628), 0.0);
        ringValues[i] = 10.0 * i;
    }
    cutter.DrawSmoothContour(ring, ringValues, 10, &device);
    ASSERT_EQ(10u, device.Find("Smooth").size());
    EXPECT_EQ(3u, device.calls[0].points.size());

    // A degenerate range: only the view minimum itself is on the ramp.
    attr.SetRange(5.0, 5.0, 5.0, 5.0, 10);
    CContourCutter flat(&attr);
    CColorRGBA color;
    ASSERT_TRUE(flat.SmoothColor(5.0, 0.0, color));
    ExpectColor(Ramp(attr, 0.0), color);
    ASSERT_TRUE(flat.SmoothColor(6.0, 0.0, color));
    ExpectColor(attr.m_outOfRangeColor, color);
    EXPECT_FALSE(flat.SmoothColor(kNaN, 0.0, color));
}

TEST(ContourCutter, OutlineIsDrawnInWhiteOnlyWhenAskedFor)
{
    CResultDisplayAttr attr = ThreeBands();
    CFacet facet;
    facet.AddVertex(new CPoint3D(0, 0, 0), 0);
    facet.AddVertex(new CPoint3D(1, 0, 0), 0);
    facet.AddVertex(new CPoint3D(0, 1, 0), 0);
    {
        CContourCutter cutter(&attr);
        RecordingDevice device;
        cutter.DrawFacetWithOutline(facet, &device);
        EXPECT_EQ((std::vector<std::string>{"Mode", "Facet"}), device.Names());
    }
    attr.m_nOutline = 0;
    CContourCutter cutter(&attr);
    RecordingDevice device;
    cutter.DrawFacetWithOutline(facet, &device);
    ASSERT_EQ((std::vector<std::string>{"Mode", "Facet", "Mode", "Color", "Facet"}),
              device.Names());
    EXPECT_EQ(kRenderFill, device.calls[0].mode);
    EXPECT_EQ(kRenderLines, device.calls[2].mode);
    ExpectColor(CColorRGBA(1, 1, 1, 0), device.calls[3].color);
}

TEST(ContourCutter, IsoSegmentsOfATetrahedronCloseIntoATriangle)
{
    CResultDisplayAttr attr;
    attr.SetRange(0.0, 20.0, 0.0, 20.0, 2);
    CContourCutter cutter(&attr);
    // Node 3 at value 20, the base at 0: level 10 cuts the three edges to node 3 half way.
    const CPoint3D p[4] = {CPoint3D(0, 0, 0), CPoint3D(2, 0, 0), CPoint3D(0, 2, 0),
                           CPoint3D(0, 0, 2)};
    const double v[4] = {0.0, 0.0, 0.0, 20.0};
    const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {1, 2, 3}, {2, 0, 3}};
    cutter.BeginIsoFaces(4);
    for (int f = 0; f < 4; ++f)
    {
        const CPoint3D points[3] = {p[faces[f][0]], p[faces[f][1]], p[faces[f][2]]};
        const double values[3] = {v[faces[f][0]], v[faces[f][1]], v[faces[f][2]]};
        cutter.CutIsoFace(f, points, values, 3);
    }
    std::vector<CPoint3D> polygon;
    ASSERT_TRUE(cutter.ChainIsoPolygon(0, polygon));
    ASSERT_EQ(3u, polygon.size());
    for (const CPoint3D& q : polygon)
        EXPECT_NEAR(1.0, q.z, 1e-9);
    EXPECT_FALSE(cutter.ChainIsoPolygon(1, polygon)); // nothing crosses level 20 inside
}

TEST(ContourCutter, IsoSegmentEndsFartherApartThanTheToleranceAreNotJoined)
{
    CResultDisplayAttr attr;
    attr.SetRange(0.0, 20.0, 0.0, 20.0, 2);
    CContourCutter cutter(&attr);
    cutter.BeginIsoFaces(2);
    // Two faces whose crossings miss each other by 0.001.
    const CPoint3D a[3] = {CPoint3D(0, 0, 0), CPoint3D(2, 0, 0), CPoint3D(0, 2, 0)};
    const CPoint3D b[3] = {CPoint3D(0, 0.001, 0), CPoint3D(2, 0.001, 0), CPoint3D(0, -2, 0)};
    const double values[3] = {0.0, 0.0, 20.0};
    cutter.CutIsoFace(0, a, values, 3);
    cutter.CutIsoFace(1, b, values, 3);
    CPoint3D start;
    CPoint3D current;
    ASSERT_TRUE(cutter.FindFirstIsoSegment(0, start, current));
    EXPECT_FALSE(cutter.FindNextIsoSegment(0, current));
}

TEST(ContourCutter, SetLitColorSendsTheMaterialOfTheColour)
{
    RecordingDevice device;
    CContourCutter::SetLitColor(CColorRGBA(1.0f, 0.5f, 0.25f, 0.0f), &device, 0.75);
    ASSERT_EQ((std::vector<std::string>{"Diffuse", "Ambient", "Specular", "Emission"}),
              device.Names());
    ExpectColor(CColorRGBA(1.0f, 0.5f, 0.25f, 0), device.calls[0].color);
    ExpectColor(CColorRGBA(0.4f, 0.2f, 0.1f, 0), device.calls[1].color);
    for (const contour_test::Call& call : device.calls)
        EXPECT_EQ(0.75f, call.color.a);
}

// A face across many bands is cut once per fan triangle, yet the device receives what cutting
// each triangle again for every band gave: band by band, the triangles in order within a band,
// each colour and material set once per band.
TEST(ContourCutter, FanBandByBandSendsWhatEachBandOfEachTriangleWould)
{
    CResultDisplayAttr attr;
    attr.SetRange(0.0, 120.0, 0.0, 120.0, 12);
    const CPoint3D square[4] = {CPoint3D(0, 0, 0), CPoint3D(2, 0, 0), CPoint3D(2, 2, 0),
                                CPoint3D(0, 2, 0)};
    const CPoint3D centre(1, 1, 0);
    const CPoint3D normal(0, 0, 1);
    struct Case
    {
        const char* name;
        double values[4];
        int mode;
        const CPoint3D* normal;
    };
    const Case cases[] = {
        {"all bands, unlit", {0.0, 119.0, 37.0, 64.0}, kRenderFill, nullptr},
        {"all bands, lit", {119.0, 3.0, 80.0, 20.0}, kRenderLit, &normal},
        {"corners on levels", {10.0, 50.0, 50.0, 90.0}, kRenderFrontFill, &normal},
        {"two bands", {5.0, 15.0, 5.0, 5.0}, kRenderFill, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        double mean = 0.0;
        for (const double v : c.values)
            mean += v / 4.0;
        int first = 12;
        int last = -1;
        CContourCutter reference(&attr);
        for (const double v : c.values)
        {
            int kind = 0;
            int band = 0;
            ASSERT_TRUE(reference.ClassifyValue(v, kind, band));
            first = std::min(first, band);
            last = std::max(last, band);
        }
        RecordingDevice expected;
        for (int band = first; band <= last; ++band)
        {
            for (int i = 0; i < 4; ++i)
            {
                const int j = (i + 1) % 4;
                const CPoint3D triangle[3] = {square[i], square[j], centre};
                const double values[3] = {c.values[i], c.values[j], mean};
                reference.DrawPolygonBand(triangle, values, 3, &expected, c.mode, c.normal, band);
            }
        }
        CContourCutter cutter(&attr);
        RecordingDevice device;
        cutter.DrawFanBandByBand(square, c.values, 4, centre, mean, &device, c.mode, c.normal);

        ASSERT_EQ(expected.Names(), device.Names());
        EXPECT_GT(device.Find("Facet").size(), 4u);
        for (size_t k = 0; k < device.calls.size(); ++k)
        {
            const contour_test::Call& want = expected.calls[k];
            const contour_test::Call& got = device.calls[k];
            EXPECT_EQ(want.mode, got.mode);
            ExpectColor(want.color, got.color);
            ExpectPoint(want.normal.x, want.normal.y, want.normal.z, got.normal);
            EXPECT_EQ(want.flags, got.flags);
            ASSERT_EQ(want.points.size(), got.points.size());
            for (size_t p = 0; p < got.points.size(); ++p)
                ExpectPoint(want.points[p].x, want.points[p].y, want.points[p].z, got.points[p]);
        }
    }
}
