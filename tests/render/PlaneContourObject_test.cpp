// Contours on section planes: which planes cut an element, the section polygon, and how it is
// drawn by category, contour type and band type.
#include "render/PlaneContourObject.h"

#include "ContourTestSupport.h"
#include "core/display/ResultDisplayAttr.h"
#include "core/model/ResultData.h"
#include "render/ClipPlane.h"
#include "render/Segment3D.h"
#include "tests/core/model/ModelFixtures.h"

#include <gtest/gtest.h>

using contour_test::ExpectColor;
using contour_test::RecordingDevice;
using contour_test::ValueSource;

namespace
{
// A unit brick on nodes 1..8 with the nodal value 20 x, and a plane z = height stepped
// upwards.
struct SectionFixture
{
    SectionFixture()
    {
        const double corners[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                      {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
        for (int i = 0; i < 8; ++i)
        {
            AddTestNode(model, i + 1, corners[i][0], corners[i][1], corners[i][2]);
            result.SetNodeValue(i + 1, 20.0 * corners[i][0]);
        }
        brick = AddBrick(model, 1, {1, 2, 3, 4, 5, 6, 7, 8});
        model.BuildElementFaces();
        attr.SetRange(0.0, 20.0, 0.0, 20.0, 2); // levels 0, 10, 20
        attr.m_nBandType = 0;
        SetPlane(CPoint3D(0, 0, 0.5), CPoint3D(0, 0, 1), 0.0, 1);
    }

    void SetPlane(const CPoint3D& point, const CPoint3D& normal, double step, int steps)
    {
        CSegment3D segment;
        segment.m_start = point;
        segment.m_end = normal;
        plane.SetPlane(segment, step, steps);
        plane.ComputeNodeDistances(model.GetDefaultGroup()->GetNodes(), model.GetNodeCount(),
                                   model.GetElements(), model.GetElementCount());
    }

    std::vector<const contour_test::Call*> Draw(RecordingDevice& device)
    {
        CPlaneContourObject object(&values, &plane, &attr, &result, ValueBlock::NodeScalars, 0);
        object.DrawOnPlanes(*brick, &device);
        return device.Find("Facet");
    }

    CModelSet model;
    CFEElement* brick = nullptr;
    ValueSource values{&model};
    CResultData result;
    CResultDisplayAttr attr;
    CClipPlane plane;
};

// The brick's own corner records, 20 x at each corner as its nodes.
void AddCornerRecords(SectionFixture& f)
{
    CComponentSet& set = f.result.GetOrCreateComponentSet(1, 8);
    for (int i = 0; i < 8; ++i)
    {
        set.nodeIds[static_cast<size_t>(i)] = i + 1;
        set.values[static_cast<size_t>(i)] = 20.0 * f.model.GetNodePoint(i + 1).x;
    }
}

// The normal a polygon's corners wind about, right-handed (Newell's sums).
CPoint3D WindingNormal(const std::vector<CPoint3D>& points)
{
    CPoint3D n;
    for (size_t i = 0; i < points.size(); ++i)
    {
        const CPoint3D& p = points[i];
        const CPoint3D& q = points[(i + 1) % points.size()];
        n.x += (p.y - q.y) * (p.z + q.z);
        n.y += (p.z - q.z) * (p.x + q.x);
        n.z += (p.x - q.x) * (p.y + q.y);
    }
    return n;
}

// The render mode set last before call index i.
int ModeBefore(const RecordingDevice& device, size_t index)
{
    for (size_t i = index; i-- > 0;)
    {
        if (device.calls[i].name == "Mode")
            return device.calls[i].mode;
    }
    return -1;
}
} // namespace

TEST(PlaneContourObject, PlaneThroughABrickIsCutIntoBandsOnTheSection)
{
    SectionFixture f;
    RecordingDevice device;
    const auto facets = f.Draw(device);
    // The section z = 0.5 carries 0 at x = 0 and 20 at x = 1: two bands split at x = 0.5.
    ASSERT_EQ(2u, facets.size());
    for (size_t k = 0; k < 2; ++k)
    {
        ASSERT_EQ(4u, facets[k]->points.size());
        for (const CPoint3D& p : facets[k]->points)
        {
            EXPECT_NEAR(0.5, p.z, 1e-12);
            EXPECT_NEAR(k == 0 ? 0.25 : 0.75, p.x, 0.25 + 1e-12);
        }
        ExpectColor(f.attr.m_bandColors[k], device.ColorBefore(device.IndexOf(facets[k])));
    }
    EXPECT_EQ(kRenderFill, device.Find("Mode")[0]->mode);
}

TEST(PlaneContourObject, OnlyStepPlanesThatMeetTheElementAreCut)
{
    SectionFixture f;
    RecordingDevice device;
    // Offsets 0, 0.4, 0.8, 1.2, 1.6 from z = 0.1: three planes meet the brick.
    f.SetPlane(CPoint3D(0, 0, 0.1), CPoint3D(0, 0, 1), 0.4, 5);
    f.attr.m_nBandType = 2;
    f.Draw(device);
    EXPECT_EQ(3u, device.Find("Smooth").size());

    device.calls.clear();
    f.SetPlane(CPoint3D(0, 0, 2), CPoint3D(0, 0, 1), 0.1, 3); // wholly above
    EXPECT_TRUE(f.Draw(device).empty());

    // A plane through one corner only touches the element: one point, no polygon.
    f.SetPlane(CPoint3D(0, 0, 0), CPoint3D(1, 1, 1), 0.0, 1);
    EXPECT_TRUE(f.Draw(device).empty());
}

// A result kept at element corners, cut by node: each node takes the mean over the elements
// that hold a value there. The brick's corners carry 20 x; the plate on its side holds none and
// does not thin them, so the section shows the two bands of the node values.
TEST(PlaneContourObject, CornerResultByNodeCutsTheMeansOfTheElementsHoldingValues)
{
    SectionFixture f;
    AddTestElement(f.model, 2, kTagShell, 94, {1, 2, 6, 5});
    f.model.BuildElementFaces();
    f.SetPlane(CPoint3D(0, 0, 0.5), CPoint3D(0, 0, 1), 0.0, 1);
    CResultData corners;
    corners.m_flags = CResultData::kFlagElementNodes;
    CComponentSet& set = corners.GetOrCreateComponentSet(1, 8);
    for (int i = 0; i < 8; ++i)
    {
        set.nodeIds[i] = i + 1;
        set.values[i] = 20.0 * f.model.GetNodePoint(i + 1).x;
    }
    RecordingDevice device;
    CPlaneContourObject object(&f.values, &f.plane, &f.attr, &corners, ValueBlock::NodeScalars, 0);
    object.DrawOnPlanes(*f.brick, &device);
    const auto facets = device.Find("Facet");
    ASSERT_EQ(2u, facets.size());
    for (size_t k = 0; k < 2; ++k)
    {
        for (const CPoint3D& p : facets[k]->points)
            EXPECT_NEAR(k == 0 ? 0.25 : 0.75, p.x, 0.25 + 1e-12);
        ExpectColor(f.attr.m_bandColors[k], device.ColorBefore(device.IndexOf(facets[k])));
    }
}

// Nodes shown moved (a deformed display) are cut where the plane cuts the stored model, and
// the section is drawn on the moved shape: here 2 higher.
TEST(PlaneContourObject, DeformedDisplayIsCutWhereThePlaneCutsTheModel)
{
    SectionFixture f;
    for (int id = 1; id <= 8; ++id)
        f.values.points[id] = f.model.GetNodePoint(id) + CPoint3D(0, 0, 2);
    RecordingDevice device;
    const auto facets = f.Draw(device);
    ASSERT_EQ(2u, facets.size());
    for (const auto* facet : facets)
    {
        for (const CPoint3D& p : facet->points)
            EXPECT_NEAR(2.5, p.z, 1e-12);
    }
}

TEST(PlaneContourObject, FaceInThePlaneIsTheSection)
{
    SectionFixture f;
    RecordingDevice device;
    f.SetPlane(CPoint3D(0, 0, 0), CPoint3D(0, 0, 1), 0.0, 1);
    f.attr.m_nBandType = 2;
    f.Draw(device);
    const auto smooth = device.Find("Smooth");
    ASSERT_EQ(1u, smooth.size());
    EXPECT_EQ(4u, smooth[0]->points.size()); // the bottom face's corners
    for (const CPoint3D& p : smooth[0]->points)
        EXPECT_EQ(0.0, p.z);
}

TEST(PlaneContourObject, ElementCategoryFillsTheSectionInTheElementsBandColour)
{
    SectionFixture f;
    f.attr.m_nResultCategory = 0;
    f.result.SetElementValue(1, 15.0); // band 1
    RecordingDevice device;
    CPlaneContourObject object(&f.values, &f.plane, &f.attr, &f.result, ValueBlock::ElementScalars,
                               0);
    object.DrawOnPlanes(*f.brick, &device);
    ASSERT_EQ((std::vector<std::string>{"Color", "Mode", "Facet"}), device.Names());
    ExpectColor(f.attr.m_bandColors[1], device.calls[0].color);

    // In wireframe the section also gets a white outline.
    device.calls.clear();
    f.attr.m_nOutline = 0;
    CPlaneContourObject outlined(&f.values, &f.plane, &f.attr, &f.result,
                                 ValueBlock::ElementScalars, 0);
    outlined.DrawOnPlanes(*f.brick, &device);
    EXPECT_EQ((std::vector<std::string>{"Color", "Mode", "Facet", "Mode", "Color", "Facet"}),
              device.Names());

    // An element without a value has no section colour.
    device.calls.clear();
    CResultData empty;
    CPlaneContourObject none(&f.values, &f.plane, &f.attr, &empty, ValueBlock::ElementScalars, 0);
    none.DrawOnPlanes(*f.brick, &device);
    EXPECT_TRUE(device.calls.empty());
}

TEST(PlaneContourObject, LinesAndIsoSurfacesOnTheSection)
{
    SectionFixture f;
    RecordingDevice device;
    f.attr.m_nContourType = CResultDisplayAttr::kLines;
    f.attr.SetRange(-1.0, 21.0, -1.0, 21.0, 2); // no corner on a level
    f.Draw(device);
    // Level 10 crosses the section along x = 0.5.
    const auto lines = device.Find("Line");
    ASSERT_EQ(1u, lines.size());
    EXPECT_NEAR(0.5, lines[0]->points[0].x, 1e-12);
    EXPECT_NEAR(0.5, lines[0]->points[1].x, 1e-12);

    device.calls.clear();
    f.attr.m_nContourType = CResultDisplayAttr::kIsoSurface;
    f.Draw(device);
    EXPECT_TRUE(device.calls.empty());
}

TEST(PlaneContourObject, ElementNodeValuesComeFromTheElementsCornerRecords)
{
    SectionFixture f;
    CComponentSet& set = f.result.GetOrCreateComponentSet(1, 8);
    for (int i = 0; i < 8; ++i)
    {
        set.nodeIds[static_cast<size_t>(i)] = i + 1;
        set.values[static_cast<size_t>(i)] = 15.0; // band 1 everywhere
    }
    RecordingDevice device;
    CElementPlaneContourObject object(&f.values, &f.plane, &f.attr, &f.result, -1);
    EXPECT_EQ(15.0, object.CornerValue(3, 1));
    EXPECT_TRUE(std::isnan(object.CornerValue(3, 2))); // another element has no record
    object.DrawOnPlanes(*f.brick, &device);
    const auto facets = device.Find("Facet");
    ASSERT_EQ(1u, facets.size());
    EXPECT_EQ(kRenderLit, device.Find("Mode")[0]->mode);
    ExpectColor(f.attr.m_bandColors[1], device.Find("Diffuse")[0]->color);
}

// A corner result's section is lit as the faces of its contour are: on both sides, each band
// facet with the plane's normal turned to the side its corners wind towards, so that from
// either side OpenGL lights it as a face towards the eye. Planes both ways along each axis,
// through the brick and through one of its faces.
TEST(PlaneContourObject, CornerSectionIsLitOnBothSidesWithTheNormalItsPolygonWindsTo)
{
    const struct
    {
        CPoint3D point;
        CPoint3D normal;
    } kPlanes[] = {
        {CPoint3D(0.5, 0.5, 0.5), CPoint3D(0, 0, 1)}, {CPoint3D(0.5, 0.5, 0.5), CPoint3D(0, 0, -1)},
        {CPoint3D(0.5, 0.5, 0.5), CPoint3D(1, 0, 0)}, {CPoint3D(0.5, 0.5, 0.5), CPoint3D(-1, 0, 0)},
        {CPoint3D(0.5, 0.5, 0.5), CPoint3D(0, 1, 0)}, {CPoint3D(0.5, 0.5, 0.5), CPoint3D(0, -1, 0)},
        {CPoint3D(0, 0, 0), CPoint3D(0, 0, 1)},       {CPoint3D(0, 0, 0), CPoint3D(0, 0, -1)}};
    SectionFixture f;
    AddCornerRecords(f);
    for (const auto& plane : kPlanes)
    {
        SCOPED_TRACE(testing::Message() << "normal " << plane.normal.x << " " << plane.normal.y
                                        << " " << plane.normal.z << ", z " << plane.point.z);
        f.SetPlane(plane.point, plane.normal, 0.0, 1);
        RecordingDevice device;
        CElementPlaneContourObject object(&f.values, &f.plane, &f.attr, &f.result, -1);
        object.DrawOnPlanes(*f.brick, &device);
        const auto facets = device.Find("Facet");
        ASSERT_FALSE(facets.empty());
        for (const contour_test::Call* facet : facets)
        {
            EXPECT_EQ(kRenderLit, ModeBefore(device, device.IndexOf(facet)));
            const CPoint3D& n = facet->normal;
            const double along = n.x * plane.normal.x + n.y * plane.normal.y + n.z * plane.normal.z;
            EXPECT_NEAR(1.0, std::fabs(along), 1e-12) << "the plane's unit normal, either way";
            const CPoint3D winding = WindingNormal(facet->points);
            EXPECT_GT(n.x * winding.x + n.y * winding.y + n.z * winding.z, 0.0);
        }
    }
}

// A face lying in the plane is the section and is drawn by the contour type like any other:
// a corner result's lines stay lines, and nothing lit is left for the lines after them.
TEST(PlaneContourObject, CornerFaceInThePlaneIsDrawnByTheContourType)
{
    SectionFixture f;
    AddCornerRecords(f);
    f.attr.m_nContourType = CResultDisplayAttr::kLines;
    f.attr.SetRange(-1.0, 21.0, -1.0, 21.0, 2); // no corner on a level
    f.SetPlane(CPoint3D(0, 0, 0), CPoint3D(0, 0, 1), 0.0, 1);
    RecordingDevice device;
    CElementPlaneContourObject object(&f.values, &f.plane, &f.attr, &f.result, -1);
    object.DrawOnPlanes(*f.brick, &device);
    EXPECT_TRUE(device.Find("Facet").empty());
    const auto lines = device.Find("Line");
    ASSERT_EQ(1u, lines.size());
    EXPECT_NEAR(0.5, lines[0]->points[0].x, 1e-12);
    EXPECT_NEAR(0.5, lines[0]->points[1].x, 1e-12);
    for (const contour_test::Call* mode : device.Find("Mode"))
    {
        EXPECT_NE(kRenderFrontLit, mode->mode);
        EXPECT_NE(kRenderLit, mode->mode);
    }
}
