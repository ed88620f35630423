// OpenGL device on a real window under Wine: context, clearing, render modes, text, picking.
#include "render/GLDevice.h"

#include "GLTestWindow.h"
#include "platform/base/coll_array.h"

#include <GL/gl.h>
#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>

using render_test::AnyPixelDiffers;
using render_test::GLTest;
using render_test::GLTestWindow;
using render_test::ReadPixel;

namespace
{
const std::array<int, 3> kBlack = {0, 0, 0};
const std::array<int, 3> kBlue = {0, 0, 255};
const std::array<int, 3> kRed = {255, 0, 0};

void ClearTo(float r, float g, float b)
{
    glClearColor(r, g, b, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A square of half-width h about (cx, cy) at depth z, counter-clockwise towards the viewer.
void DrawSquare(CGLDevice& device, double cx, double cy, double h, double z, UINT name)
{
    device.DrawQuadWithNormal(CPoint3D(cx - h, cy - h, z), CPoint3D(cx + h, cy - h, z),
                              CPoint3D(cx + h, cy + h, z), CPoint3D(cx - h, cy + h, z),
                              CPoint3D(0, 0, 1), name);
}

LOGFONT TestFont()
{
    LOGFONT font = {};
    font.lfHeight = -16;
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}
} // namespace

class GLDevice : public GLTest
{
};

TEST(GLDeviceContext, ClearBuffersPaintsTheBackgroundGivenToTheContext)
{
    // A window and context of its own: the clear colour is the one given at creation.
    GLTestWindow window;
    ASSERT_TRUE(window.IsReady());
    window.Device().ClearBuffers();
    EXPECT_EQ(kBlue, ReadPixel(100, 100));
    EXPECT_EQ(kBlue, ReadPixel(0, 0));
    EXPECT_EQ(kBlue, ReadPixel(199, 199));
    // ClearBuffers leaves the drawing colour (black so far) as the next clear colour.
    window.Device().SetColor(CColorRGBA(1, 0, 0, 1));
    window.Device().ClearBuffers();
    EXPECT_EQ(kBlack, ReadPixel(100, 100));
    window.Device().ClearBuffers();
    EXPECT_EQ(kRed, ReadPixel(100, 100));
}

TEST_F(GLDevice, ShadedQuadIsLitInModeFourAndOutlinedInModeZero)
{
    const CViewVolume volume = GLTestWindow::SquareVolume();
    CGLDevice& device = Device();

    ClearTo(0, 0, 0);
    device.BeginScene(&volume);
    device.SetColor(CColorRGBA(1, 0, 0, 1));
    device.SetRenderMode(5);
    DrawSquare(device, 0, 0, 50, 0, 0);
    device.EndScene();
    const std::array<int, 3> unlit = ReadPixel(100, 100);
    EXPECT_EQ(kRed, unlit);

    ClearTo(0, 0, 0);
    device.BeginScene(&volume);
    device.SetColor(CColorRGBA(1, 0, 0, 1));
    device.SetRenderMode(4);
    DrawSquare(device, 0, 0, 50, 0, 0);
    device.EndScene();
    const std::array<int, 3> lit = ReadPixel(100, 100);
    EXPECT_NE(unlit, lit);
    EXPECT_NE(kBlack, lit);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

    ClearTo(0, 0, 0);
    device.BeginScene(&volume);
    device.SetColor(CColorRGBA(1, 0, 0, 1));
    device.SetRenderMode(0);
    DrawSquare(device, 0, 0, 50, 0, 0);
    device.EndScene();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(kBlack, ReadPixel(100, 100)); // inside stays empty
    // The left edge at x = -50 lies on pixel column 50.
    EXPECT_TRUE(AnyPixelDiffers(48, 80, 53, 120, kBlack));
}

TEST_F(GLDevice, DepthRangesOrderModesAtEqualDepth)
{
    const CViewVolume volume = GLTestWindow::SquareVolume();
    CGLDevice& device = Device();
    struct ModeCase
    {
        int mode;
        double nearEnd;
        double farEnd;
    };
    device.BeginScene(&volume);
    const double d = device.GetDepthOffset();
    const ModeCase cases[] = {
        {0, 0.0, 1.0 - d}, {1, d, 1.0}, {7, 0.0, 1.0 - d / 2}, {9, 0.0, 1.0 - d / 4}, {42, d, 1.0}};
    for (const ModeCase& c : cases)
    {
        SCOPED_TRACE(c.mode);
        device.SetRenderMode(c.mode);
        GLdouble range[2] = {};
        glGetDoublev(GL_DEPTH_RANGE, range);
        EXPECT_NEAR(c.nearEnd, range[0], 1e-6);
        EXPECT_NEAR(c.farEnd, range[1], 1e-6);
    }
    GLint polygonMode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(GL_LINE, polygonMode[0]); // an unknown mode draws wireframe
    device.EndScene();
}

// A list keeps the depth range of the camera it was compiled under, while lines and the
// highlight take the camera of the frame they are drawn in: a new view's lists are compiled
// before its first scene, and a zoom changes the camera under them.
TEST_F(GLDevice, ResultFacesStandBetweenLinesAndModelFacesOfAnyCamera)
{
    const CViewVolume wide = GLTestWindow::SquareVolume();
    CViewVolume narrow = wide;
    narrow.SetVolume(CPoint3D(-1, -1, -100), CPoint3D(1, 1, 100));
    const CViewVolume* const cameras[] = {&wide, &narrow};
    CGLDevice& device = Device();
    auto rangeOf = [&device](int mode)
    {
        device.SetRenderMode(mode);
        GLdouble range[2] = {};
        glGetDoublev(GL_DEPTH_RANGE, range);
        return std::make_pair(range[0], range[1]);
    };
    device.BeginScene(&narrow);
    const double smallest = device.GetDepthOffset();
    device.EndScene();
    device.BeginScene(&wide);
    EXPECT_LT(smallest, device.GetDepthOffset());
    device.EndScene();
    for (const CViewVolume* compiled : cameras)
    {
        device.BeginScene(compiled);
        const double d = device.GetDepthOffset();
        std::pair<double, double> result;
        {
            const CResultFacesInFront inFront(device);
            result = rangeOf(5);
            for (int mode = 1; mode <= 6; ++mode)
            {
                SCOPED_TRACE(mode);
                EXPECT_EQ(result, rangeOf(mode));
            }
        }
        EXPECT_FALSE(device.GetResultFacesInFront());
        const std::pair<double, double> model = rangeOf(5);
        EXPECT_NEAR(d, model.first, 1e-6);
        device.EndScene();
        for (const CViewVolume* drawn : cameras)
        {
            SCOPED_TRACE(testing::Message()
                         << "compiled " << (compiled == &wide ? "wide" : "narrow") << ", drawn "
                         << (drawn == &wide ? "wide" : "narrow"));
            device.BeginScene(drawn);
            const double lineFar = rangeOf(0).second;
            const double highlightFar = rangeOf(7).second;
            device.EndScene();
            // Window depths of one fragment at normalised depths through the volume.
            for (const double z : {0.0, 0.01, 0.5, 1.0})
            {
                const double resultDepth = result.first + z * (result.second - result.first);
                // Apart by two steps of the 16-bit depth buffer the views ask for.
                const double apart = 2.0 / 65535;
                EXPECT_GT(model.first + z * (model.second - model.first) - resultDepth, apart);
                EXPECT_GT(resultDepth - z * lineFar, apart);
                EXPECT_GT(resultDepth - z * highlightFar, apart);
            }
        }
    }
}

TEST_F(GLDevice, RenderModesSetShadingLightingAndPolygonsOfTheirFaces)
{
    struct ModeCase
    {
        int mode;
        GLenum shadeModel;
        bool isLit;   // lighting and blending on
        GLenum front; // GL_POINT: left as it was
        GLenum back;
    };
    const ModeCase cases[] = {
        {0, GL_SMOOTH, false, GL_LINE, GL_LINE},  {1, GL_SMOOTH, false, GL_FILL, GL_POINT},
        {2, GL_SMOOTH, false, GL_POINT, GL_FILL}, {3, GL_FLAT, true, GL_POINT, GL_FILL},
        {4, GL_SMOOTH, true, GL_FILL, GL_POINT},  {5, GL_SMOOTH, false, GL_FILL, GL_FILL},
        {6, GL_FLAT, true, GL_FILL, GL_FILL},     {7, GL_SMOOTH, false, GL_FILL, GL_FILL},
        {8, GL_FLAT, true, GL_FILL, GL_FILL},     {9, GL_SMOOTH, false, GL_FILL, GL_FILL},
        {-1, GL_SMOOTH, false, GL_LINE, GL_LINE},
    };
    CGLDevice& device = Device();
    device.SetMaterialDiffuse(0.25f, 0.5f, 0.75f, 0.5f);
    for (const ModeCase& c : cases)
    {
        SCOPED_TRACE(c.mode);
        glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
        const GLfloat cleared[4] = {0, 0, 0, 0};
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, cleared);
        device.SetRenderMode(c.mode);
        GLint shadeModel = 0;
        glGetIntegerv(GL_SHADE_MODEL, &shadeModel);
        EXPECT_EQ(static_cast<GLint>(c.shadeModel), shadeModel);
        EXPECT_EQ(c.isLit, glIsEnabled(GL_LIGHTING) == GL_TRUE);
        EXPECT_EQ(c.isLit, glIsEnabled(GL_LIGHT0) == GL_TRUE);
        EXPECT_EQ(c.isLit, glIsEnabled(GL_BLEND) == GL_TRUE);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        GLint polygonMode[2] = {};
        glGetIntegerv(GL_POLYGON_MODE, polygonMode);
        EXPECT_EQ(static_cast<GLint>(c.front), polygonMode[0]);
        EXPECT_EQ(static_cast<GLint>(c.back), polygonMode[1]);
        // A lit mode sends the device's material to the faces it fills.
        GLfloat frontDiffuse[4] = {};
        GLfloat backDiffuse[4] = {};
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, frontDiffuse);
        glGetMaterialfv(GL_BACK, GL_DIFFUSE, backDiffuse);
        EXPECT_EQ(c.isLit && c.front == GL_FILL ? 0.75f : 0.0f, frontDiffuse[2]);
        EXPECT_EQ(c.isLit && c.back == GL_FILL ? 0.75f : 0.0f, backDiffuse[2]);
    }
    device.SetMaterialDiffuse(0.5f, 0.5f, 0.5f, 0.5f);
    device.EnableLighting(FALSE);
}

TEST_F(GLDevice, DepthOffsetFollowsTheVolumeWidth)
{
    struct WidthCase
    {
        double width;
        double offset;
    };
    const WidthCase cases[] = {{200.0, 0.0008}, {100.0, 0.0005}, {20.0, 0.00015}};
    for (const WidthCase& c : cases)
    {
        CViewVolume volume = GLTestWindow::SquareVolume();
        volume.SetVolume(CPoint3D(0, -100, -100), CPoint3D(c.width, 100, 100));
        Device().BeginScene(&volume);
        Device().EndScene();
        EXPECT_NEAR(c.offset, Device().GetDepthOffset(), 1e-12) << c.width;
    }
}

TEST_F(GLDevice, LineStippleModes)
{
    struct StippleCase
    {
        int value;
        bool enabled;
        GLint factor;
    };
    const StippleCase cases[] = {{1, true, 8}, {2, true, 2}, {0, false, 2}, {3, true, 2}};
    for (const StippleCase& c : cases)
    {
        Device().SetLineStipple(c.value);
        GLint factor = 0;
        GLint pattern = 0;
        glGetIntegerv(GL_LINE_STIPPLE_REPEAT, &factor);
        glGetIntegerv(GL_LINE_STIPPLE_PATTERN, &pattern);
        EXPECT_EQ(c.enabled, glIsEnabled(GL_LINE_STIPPLE) == GL_TRUE) << c.value;
        EXPECT_EQ(c.factor, factor) << c.value;
        EXPECT_EQ(0x5555, pattern) << c.value;
    }
    Device().SetLineStipple(0);
}

namespace
{
struct MatrixState
{
    GLint modelViewDepth = 0;
    GLint projectionDepth = 0;
    GLdouble modelView[16] = {};
    GLdouble projection[16] = {};

    static MatrixState Read()
    {
        MatrixState state;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &state.modelViewDepth);
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &state.projectionDepth);
        glGetDoublev(GL_MODELVIEW_MATRIX, state.modelView);
        glGetDoublev(GL_PROJECTION_MATRIX, state.projection);
        return state;
    }
    bool operator==(const MatrixState& o) const
    {
        return modelViewDepth == o.modelViewDepth && projectionDepth == o.projectionDepth &&
               std::memcmp(modelView, o.modelView, sizeof modelView) == 0 &&
               std::memcmp(projection, o.projection, sizeof projection) == 0;
    }
};
} // namespace

TEST_F(GLDevice, Text2DWithoutFontListsDrawsNothingAndKeepsTheMatrices)
{
    const CViewVolume volume = GLTestWindow::SquareVolume();
    ClearTo(0, 0, 0);
    Device().BeginScene(&volume);
    Device().SetRenderMode(5);
    Device().SetColor(CColorRGBA(1, 1, 1, 1));
    const MatrixState before = MatrixState::Read();
    Device().DrawText2D(CPoint3D(50, 100, 0), "Hello");
    EXPECT_TRUE(before == MatrixState::Read());
    Device().EndScene();
    EXPECT_FALSE(AnyPixelDiffers(0, 0, render_test::kSize, render_test::kSize, kBlack));
}

TEST_F(GLDevice, Text2DWithFontListsPaintsNextToThePoint)
{
    const LOGFONT font = TestFont();
    const UINT base = Device().CreateFontLists(&font);
    ASSERT_NE(0u, base);
    Device().SetFontListBase(base);

    const CViewVolume volume = GLTestWindow::SquareVolume();
    ClearTo(0, 0, 0);
    Device().BeginScene(&volume);
    Device().SetRenderMode(5);
    Device().SetColor(CColorRGBA(1, 1, 1, 1));
    const MatrixState before = MatrixState::Read();
    // The point is taken in OpenGL's window y (upwards); text starts 2 pixels right and up.
    Device().DrawText2D(CPoint3D(50, 100, 0), "Hello");
    EXPECT_TRUE(before == MatrixState::Read());
    Device().EndScene();

    const int lit = render_test::CountPixelsDiffering(50, 80, 100, 100, kBlack);
    EXPECT_GT(lit, 20);
    EXPECT_LT(lit, 50 * 20 / 2);
    // Nothing left of or below the point.
    EXPECT_FALSE(AnyPixelDiffers(0, 0, 50, render_test::kSize, kBlack));
    EXPECT_FALSE(AnyPixelDiffers(0, 102, render_test::kSize, render_test::kSize, kBlack));
    glDeleteLists(base, 256);
    Device().SetFontListBase(0);
}

TEST_F(GLDevice, TextListShowsTheBitmapAtAModelPoint)
{
    const int list = Device().CreateTextList("Label", TestFont());
    ASSERT_GT(list, 0);
    const CViewVolume volume = GLTestWindow::SquareVolume();
    ClearTo(0, 0, 0);
    Device().BeginScene(&volume);
    Device().SetRenderMode(5);
    Device().SetColor(CColorRGBA(1, 1, 1, 1));
    Device().DrawTextList(CPoint3D(0, 0, 0), static_cast<UINT>(list));
    Device().EndScene();
    // The model origin is the window centre; the text lies right of and just above it.
    // Glyphs, not a filled box: far fewer than half the pixels of the text's extent are lit.
    const int lit = render_test::CountPixelsDiffering(100, 80, 150, 99, kBlack);
    EXPECT_GT(lit, 20);
    EXPECT_LT(lit, 50 * 19 / 2);
    EXPECT_FALSE(AnyPixelDiffers(0, 0, 99, render_test::kSize, kBlack));
    glDeleteLists(static_cast<GLuint>(list), 1);
}

TEST_F(GLDevice, MarkersFillOrOutline)
{
    // Markers take window-plane coordinates: draw them under a pixel projection.
    ClearTo(0, 0, 0);
    glViewport(0, 0, render_test::kSize, render_test::kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, render_test::kSize, 0, render_test::kSize, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Device().SetColor(CColorRGBA(1, 0, 0, 1));
    Device().DrawMarker(50, 150, 20, TRUE, 3);   // filled square, window (50, 50)
    Device().DrawMarker(150, 150, 20, FALSE, 0); // circle outline, window (150, 50)
    EXPECT_EQ(kRed, ReadPixel(50, 50));
    EXPECT_EQ(kBlack, ReadPixel(150, 50));
    EXPECT_TRUE(AnyPixelDiffers(168, 45, 172, 55, kBlack));
}

TEST_F(GLDevice, ClipPlaneIndicesOutsideTheImplementationAreRejected)
{
    GLint maxPlanes = 0;
    glGetIntegerv(GL_MAX_CLIP_PLANES, &maxPlanes);
    EXPECT_EQ(0, Device().EnableClipPlane(1, 0, 0, 0, 0));
    EXPECT_TRUE(glIsEnabled(GL_CLIP_PLANE0));
    EXPECT_EQ(0, Device().DisableClipPlane(0));
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
    EXPECT_EQ(-1, Device().EnableClipPlane(1, 0, 0, 0, -1));
    EXPECT_EQ(-1, Device().EnableClipPlane(1, 0, 0, 0, maxPlanes));
    EXPECT_EQ(-1, Device().DisableClipPlane(maxPlanes));
}

TEST_F(GLDevice, ProjectAndUnprojectAreInverse)
{
    CViewVolume volume = GLTestWindow::SquareVolume();
    volume.m_rotation = CPoint3D(20, 30, 40);
    const CPoint3D model(10, -20, 5);
    const CPoint3D window = Device().ProjectToWindow(model, &volume);
    const CPoint3D back = Device().UnprojectInScene(&volume, window);
    // Window x and y are whole pixels (one pixel is one model unit here).
    EXPECT_NEAR(model.x, back.x, 1.5);
    EXPECT_NEAR(model.y, back.y, 1.5);
    EXPECT_NEAR(model.z, back.z, 1.5);
    EXPECT_EQ(0.0, Device().ProjectToWindow(model, nullptr).x);
}

TEST_F(GLDevice, DeviceDefaultsAndStoredState)
{
    CGLDevice device;
    EXPECT_EQ(5, device.GetZoomStep());
    EXPECT_EQ(0, device.GetPointSize());
    EXPECT_EQ(0.0f, device.GetColor().r);
    EXPECT_EQ(0.0008, device.GetDepthOffset());
    // Without a context or DC nothing can be made.
    LOGFONT font = TestFont();
    EXPECT_EQ(0u, device.CreateFontLists(&font));
    EXPECT_FALSE(device.SetupPixelFormat());
    CWnd noWindow;
    EXPECT_FALSE(device.CreateRenderingContext(&noWindow, CColorRGBA()));
    EXPECT_FALSE(device.CreateRenderingContext(nullptr, CColorRGBA()));
    EXPECT_EQ(nullptr, device.GetRenderingContext());
}
