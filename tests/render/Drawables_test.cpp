// Simple drawables and the lighting material, through a recording device and on a real window.
#include "GLTestWindow.h"
#include "core/geometry/EntitySet.h"
#include "core/model/FEElement.h"
#include "core/model/FEFace.h"
#include "render/BeamLine.h"
#include "render/FaceDrawObject.h"
#include "render/Facet.h"
#include "render/GLMaterialDevice.h"
#include "render/MassGlyph.h"
#include "render/QuadricGlyph.h"
#include "render/Segment3D.h"

#include <GL/gl.h>
#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

using render_test::AnyPixelDiffers;
using render_test::GLTest;
using render_test::GLTestWindow;
using render_test::ReadPixel;

namespace
{
struct Call
{
    std::string name;
    std::vector<CPoint3D> points;
    std::array<float, 4> values = {};
    double factor = 0.0;
    int fill = -1;
};

// Records what drawables send; draws nothing.
class CRecordingDevice : public CDrawDevice
{
public:
    std::vector<Call> calls;

    void DrawColoredPolygon(const CPoint3DArray*, const CColorRGBA*) override {}
    void DrawQuadWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                            const CPoint3D& p3, const CPoint3D& n, UINT) override
    {
        calls.push_back({"QuadWithNormal", {p0, p1, p2, p3, n}});
    }
    void DrawQuad(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, const CPoint3D& p3,
                  UINT) override
    {
        calls.push_back({"Quad", {p0, p1, p2, p3}});
    }
    void DrawTriangleWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                                const CPoint3D& n, UINT) override
    {
        calls.push_back({"TriangleWithNormal", {p0, p1, p2, n}});
    }
    void DrawTriangle(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, UINT) override
    {
        calls.push_back({"Triangle", {p0, p1, p2}});
    }
    void DrawFan(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill, UINT_PTR) override
    {
        RecordFan("Fan", ring, centre, fill);
    }
    void DrawFan2(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill, UINT_PTR) override
    {
        RecordFan("Fan2", ring, centre, fill);
    }
    void DrawShrunkLine(double factor, CPoint3D a, CPoint3D b, UINT) override
    {
        Call call{"ShrunkLine", {a, b}};
        call.factor = factor;
        calls.push_back(call);
    }
    void DrawShrunkCurve(const CPoint3DArray* curve, double factor, int) override
    {
        Call call{"ShrunkCurve", std::vector<CPoint3D>(curve->begin(), curve->end())};
        call.factor = factor;
        calls.push_back(call);
    }
    void SetMaterialAmbient(float r, float g, float b, float a) override
    {
        Record("Ambient", r, g, b, a);
    }
    void SetMaterialDiffuse(float r, float g, float b, float a) override
    {
        Record("Diffuse", r, g, b, a);
    }
    void SetMaterialSpecular(float r, float g, float b, float a) override
    {
        Record("Specular", r, g, b, a);
    }
    void SetMaterialEmission(float r, float g, float b, float a) override
    {
        Record("Emission", r, g, b, a);
    }
    void SetShininess(float s) override { Record("Shininess", s, 0, 0, 0); }

private:
    void Record(const char* name, float a, float b, float c, float d)
    {
        Call call;
        call.name = name;
        call.values = {a, b, c, d};
        calls.push_back(call);
    }
    void RecordFan(const char* name, const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill)
    {
        Call call{name, std::vector<CPoint3D>(ring->begin(), ring->end())};
        call.points.push_back(centre);
        call.fill = fill;
        calls.push_back(call);
    }
};

class CPointTable : public CEntitySet
{
public:
    std::map<int, CPoint3D> points;
    CPoint3D GetNodePoint(int id) const override
    {
        const auto found = points.find(id);
        return found != points.end() ? found->second : CPoint3D();
    }
};

void ExpectPoint(double x, double y, double z, const CPoint3D& p)
{
    EXPECT_NEAR(x, p.x, 1e-12);
    EXPECT_NEAR(y, p.y, 1e-12);
    EXPECT_NEAR(z, p.z, 1e-12);
}

std::vector<std::string> Names(const CRecordingDevice& device)
{
    std::vector<std::string> names;
    for (const Call& call : device.calls)
        names.push_back(call.name);
    return names;
}
} // namespace

TEST(GLMaterial, DefaultSendsNearlyTransparentBlackAndShininess50)
{
    CRecordingDevice device;
    ApplyMaterial(CGLMaterial(), &device, 1);
    ASSERT_EQ((std::vector<std::string>{"Ambient", "Diffuse", "Specular", "Emission", "Shininess"}),
              Names(device));
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ((std::array<float, 4>{0, 0, 0, 0.01f}),
                  device.calls[static_cast<size_t>(i)].values);
    }
    EXPECT_EQ(50.0f, device.calls[4].values[0]);
}

TEST(GLMaterial, SetColorMakesAnOpaqueMaterialAndAppliesTheFrontFace)
{
    CRecordingDevice device;
    CGLMaterial material;
    // The renderer hands the colour over on the 0..255 scale.
    SetMaterialColor(material, &device, CColorRGBA(255.0f, 127.9f, 0.0f, 1.0f));
    ASSERT_EQ(5u, device.calls.size());
    const float half = 127.0f / 255.0f; // 127.9 truncates to 127
    for (int i = 0; i < 2; ++i)
    {
        const std::array<float, 4>& v = device.calls[static_cast<size_t>(i)].values;
        EXPECT_EQ(1.0f, v[0]);
        EXPECT_NEAR(half, v[1], 1e-6f);
        EXPECT_EQ(0.0f, v[2]);
        EXPECT_EQ(1.0f, v[3]);
    }
    EXPECT_EQ((std::array<float, 4>{0, 0, 0, 1}), device.calls[2].values);
    EXPECT_EQ((std::array<float, 4>{0, 0, 0, 1}), device.calls[3].values);
    EXPECT_EQ(30.0f, device.calls[4].values[0]);
    EXPECT_EQ(RGB(255, 127, 0), material.m_diffuse[1]);
    EXPECT_EQ(30, material.m_shininess[1]);

    // Components outside the byte's range stay inside it.
    SetMaterialColor(material, &device, CColorRGBA(300.0f, -4.0f, 64.5f, 1.0f));
    EXPECT_EQ(RGB(255, 0, 64), material.m_ambient[0]);
}

TEST(BeamLine, DrawsByDescriptor)
{
    CPointTable points;
    points.points = {{1, CPoint3D(0, 0, 0)}, {2, CPoint3D(10, 0, 0)}, {3, CPoint3D(20, 5, 0)}};
    CBeamLine beam(&points, 0.8, 4);
    CFEElement element;
    element.m_ids.Add(1);
    element.m_ids.Add(2);
    element.m_ids.Add(3);

    struct BeamCase
    {
        int descriptor;
        const char* call; // null: nothing drawn
    };
    const BeamCase cases[] = {
        {21, "ShrunkLine"}, {24, "ShrunkCurve"}, {22, nullptr}, {11, nullptr}};
    for (const BeamCase& c : cases)
    {
        SCOPED_TRACE(c.descriptor);
        CRecordingDevice device;
        element.m_feDescriptorId = c.descriptor;
        beam.SetElement(&element);
        beam.DrawFilled(&device);
        if (!c.call)
        {
            EXPECT_TRUE(device.calls.empty());
            continue;
        }
        ASSERT_EQ(1u, device.calls.size());
        EXPECT_EQ(c.call, device.calls[0].name);
        EXPECT_EQ(0.8, device.calls[0].factor);
        ExpectPoint(10, 0, 0, device.calls[0].points[1]);
    }
    CRecordingDevice device;
    beam.SetElement(nullptr);
    beam.DrawOutline(&device);
    EXPECT_TRUE(device.calls.empty());
}

TEST(FaceDrawObject, LinearFacesUseNodePositionsShrunkTowardsTheCentre)
{
    CPointTable points;
    points.points = {{1, CPoint3D(0, 0, 0)},
                     {2, CPoint3D(4, 0, 0)},
                     {3, CPoint3D(4, 4, 0)},
                     {4, CPoint3D(0, 4, 0)}};
    CFEFace face;
    face.m_cornerCount = 4;
    for (int id = 1; id <= 4; ++id)
        face.m_ids.Add(id);
    face.m_normal = CPoint3D(0, 0, 1);

    CFaceDrawObject drawer(&face, &points, 0.5, CPoint3D(2, 2, 0));
    CRecordingDevice device;
    drawer.DrawFilled(&device);
    drawer.DrawOutline(&device);
    ASSERT_EQ((std::vector<std::string>{"QuadWithNormal", "Quad"}), Names(device));
    ExpectPoint(1, 1, 0, device.calls[0].points[0]);
    ExpectPoint(3, 3, 0, device.calls[0].points[2]);
    ExpectPoint(0, 0, 1, device.calls[0].points[4]);
    ExpectPoint(1, 1, 0, device.calls[1].points[0]);

    // A factor of 1 leaves the points where they are.
    CFaceDrawObject whole(&face, &points);
    face.m_cornerCount = 3;
    CRecordingDevice device3;
    whole.DrawFilled(&device3);
    whole.DrawOutline(&device3);
    ASSERT_EQ((std::vector<std::string>{"TriangleWithNormal", "Triangle"}), Names(device3));
    ExpectPoint(4, 4, 0, device3.calls[0].points[2]);
}

TEST(FaceDrawObject, ParabolicFacesUseTheirCurvePoints)
{
    CFEFace face;
    face.m_cornerCount = 8;
    face.m_outline.Add(CPoint3D(0, 0, 0));
    face.m_outline.Add(CPoint3D(6, 0, 0));
    face.m_outline.Add(CPoint3D(6, 6, 0));
    CFaceDrawObject drawer(&face, nullptr);
    CRecordingDevice device;
    drawer.DrawFilled(&device);
    drawer.DrawOutline(&device);
    face.m_cornerCount = 6;
    drawer.DrawFilled(&device);
    face.m_cornerCount = 5; // not a face kind
    drawer.DrawFilled(&device);
    ASSERT_EQ((std::vector<std::string>{"Fan", "Fan", "Fan2"}), Names(device));
    EXPECT_EQ(TRUE, device.calls[0].fill);
    ExpectPoint(4, 2, 0, device.calls[0].points[3]); // centroid of the curve points
    EXPECT_EQ(FALSE, device.calls[1].fill);
}

namespace
{
class CCountedPoint : public CPoint3D
{
public:
    explicit CCountedPoint(int* live)
        : m_live(live)
    {
        ++*m_live;
    }
    ~CCountedPoint() override { --*m_live; }

private:
    int* m_live;
};
} // namespace

TEST(Facet, OwnsItsVertices)
{
    int live = 0;
    {
        CFacet facet;
        EXPECT_EQ(120, facet.type);
        facet.AddVertex(new CCountedPoint(&live), 1);
        facet.AddVertex(new CCountedPoint(&live), 0);
        EXPECT_EQ(2, facet.GetVertexCount());
        EXPECT_EQ(2, facet.m_flags.GetSize());
        EXPECT_EQ(2, live);
    }
    EXPECT_EQ(0, live);
}

class DrawablesGL : public GLTest
{
protected:
    void Begin()
    {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Device().BeginScene(&m_volume);
        Device().SetRenderMode(5);
        Device().SetColor(CColorRGBA(1, 0, 0, 1));
    }
    void End() { Device().EndScene(); }

    CViewVolume m_volume = GLTestWindow::SquareVolume();
    const std::array<int, 3> kBlack = {0, 0, 0};
    const std::array<int, 3> kRed = {255, 0, 0};
};

TEST_F(DrawablesGL, FanIsOpenAsALineAndClosedWhenFilled)
{
    CPoint3DArray ring;
    ring.Add(CPoint3D(-50, -50, 0));
    ring.Add(CPoint3D(50, -50, 0));
    ring.Add(CPoint3D(50, 50, 0));
    ring.Add(CPoint3D(-50, 50, 0));

    Begin();
    Device().DrawFan(&ring, CPoint3D(), FALSE, 0);
    End();
    EXPECT_TRUE(AnyPixelDiffers(148, 90, 152, 110, kBlack)); // right edge drawn
    EXPECT_FALSE(AnyPixelDiffers(46, 60, 54, 140, kBlack));  // left edge left open
    EXPECT_EQ(kBlack, ReadPixel(100, 100));

    Begin();
    Device().DrawFan(&ring, CPoint3D(), TRUE, 0);
    End();
    EXPECT_EQ(kRed, ReadPixel(100, 100));
    EXPECT_EQ(kRed, ReadPixel(55, 100)); // the last triangle closes the ring
}

TEST_F(DrawablesGL, MassGlyphIsAHexagonAsWideAsTheMarkerSize)
{
    CSegment3D segment;
    segment.m_start = CPoint3D(0, 0, 0);
    CMassGlyph glyph;
    glyph.SetSize(80);
    Begin();
    glyph.Draw(&segment);
    End();
    EXPECT_EQ(kRed, ReadPixel(100, 100));
    EXPECT_EQ(kRed, ReadPixel(138, 100)); // a corner at 0 degrees, radius 40
    EXPECT_EQ(kBlack, ReadPixel(143, 100));
    EXPECT_EQ(kBlack, ReadPixel(100, 63)); // flat top at 40 * sin 60 = 34.6
}

TEST_F(DrawablesGL, ShrunkLinesAndCurvesStayAroundTheirMiddle)
{
    Begin();
    Device().DrawShrunkLine(0.5, CPoint3D(-80, 0, 0), CPoint3D(80, 0, 0), 0);
    End();
    EXPECT_TRUE(AnyPixelDiffers(130, 98, 139, 102, kBlack));
    EXPECT_FALSE(AnyPixelDiffers(142, 95, 200, 105, kBlack));

    CPoint3DArray curve;
    curve.Add(CPoint3D(-80, -40, 0));
    curve.Add(CPoint3D(0, 40, 0));
    curve.Add(CPoint3D(80, -40, 0));
    Begin();
    Device().DrawShrunkCurve(&curve, 1.0, 8);
    End();
    EXPECT_TRUE(AnyPixelDiffers(95, 56, 105, 64, kBlack));  // through the middle node
    EXPECT_TRUE(AnyPixelDiffers(18, 136, 24, 144, kBlack)); // reaches the first end
}

TEST_F(DrawablesGL, QuadricsDrawAndLeaveTheMatrixAlone)
{
    CQuadricGlyph glyph;
    Begin();
    GLdouble before[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, before);
    glyph.DrawArrow(CPoint3D(-70, -70, 0), CPoint3D(-70, -70, 0), 5); // nothing to draw
    glyph.DrawArrow(CPoint3D(0, 0, 50), CPoint3D(0, 0, -50), 20);     // along -z: no cross product
    glyph.DrawCylinder(CPoint3D(-50, 0, 0), CPoint3D(50, 0, 0), 20);
    glyph.DrawSphere(CPoint3D(60, 60, 0), 10);
    GLdouble after[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, after);
    End();
    EXPECT_EQ(0, std::memcmp(before, after, sizeof before));
    EXPECT_EQ(kRed, ReadPixel(100, 100));
    EXPECT_EQ(kRed, ReadPixel(160, 40));
    EXPECT_EQ(kBlack, ReadPixel(30, 170)); // the empty arrow left no trace
    EXPECT_EQ(kBlack, ReadPixel(100, 150));
}
