// Renderer: the highlight of picked and hovered entities, the element direction arrows and the
// id labels, checked by the pixels of the back buffer; the line arrow by its lines.
#include "FakeSceneView.h"
#include "core/geometry/VectorMath.h"
#include "core/model/FEElement.h"
#include "render/LineArrowObject.h"
#include "tests/core/model/ModelFixtures.h"

#include <GL/gl.h>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using render_test::CountPixelsDiffering;
using render_test::GLTestWindow;
using render_test::kSize;
using render_test::ReadPixel;
using render_test::SceneTest;
using render_test::SetShellMaterial;

namespace
{
using Rgb = std::array<int, 3>;
constexpr Rgb kBlack = {0, 0, 0};
constexpr Rgb kRed = {255, 0, 0};
constexpr Rgb kPink = {255, 128, 255};

// Pixels of the rectangle with exactly the colour.
int CountColour(int left, int top, int right, int bottom, const Rgb& colour)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
    {
        for (int x = left; x < right; ++x)
            count += ReadPixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

// Pixels of the window whose strongest channel is the given one (0 red, 1 green, 2 blue).
int CountDominant(int channel)
{
    int count = 0;
    for (int y = 0; y < kSize; y += 1)
    {
        for (int x = 0; x < kSize; ++x)
        {
            const Rgb p = ReadPixel(x, y);
            count += p[channel] > 150 && p[(channel + 1) % 3] < 60 && p[(channel + 2) % 3] < 60;
        }
    }
    return count;
}

class HighlightTest : public SceneTest
{
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        // Dark grey shells, so that red and pink stand out.
        SetShellMaterial(View().m_settings, RGB(60, 60, 60), RGB(60, 60, 60));
        View().m_settings.m_colors[CSceneSettings::kShell] = RGB(60, 60, 60);
    }

    // A shell square of half-width h at height z, property 1 grey.
    CFEElement* AddSquare(int id, double h, double z)
    {
        const int n = 4 * (id - 1);
        AddTestNode(m_model, n + 1, -h, -h, z);
        AddTestNode(m_model, n + 2, h, -h, z);
        AddTestNode(m_model, n + 3, h, h, z);
        AddTestNode(m_model, n + 4, -h, h, z);
        return AddQuad(m_model, id, n + 1, n + 2, n + 3, n + 4);
    }

    void ShowModel()
    {
        m_model.BuildElementFaces();
        m_model.LookupPropertyColor(1)->color = static_cast<int>(RGB(60, 60, 60));
        View().Show(&m_model);
        View().Camera(0) = GLTestWindow::SquareVolume();
        Renderer().RenderAll();
    }

    // The scene and the highlight, as the view draws a frame.
    void DrawFrame()
    {
        View().Draw();
        View().Device().BeginScene(&View().Camera(0));
        Renderer().DrawSelection();
        View().Device().EndScene();
        glFinish();
    }

    void Pick(CModelEntity* entity) { View().EditSelection().EditPicked().SetAt(entity, 1); }
};
} // namespace

TEST_F(HighlightTest, NothingPickedChangesNoDeviceState)
{
    AddSquare(1, 40, 0);
    ShowModel();
    View().Device().SetLineWidth(5.0f);
    View().Device().SetColor(CColorRGBA(0.0f, 0.0f, 1.0f, 1.0f));
    glEnable(GL_DEPTH_TEST);
    Renderer().DrawSelection();
    GLfloat width = 0.0f;
    GLfloat colour[4] = {};
    glGetFloatv(GL_LINE_WIDTH, &width);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(5.0f, width);
    EXPECT_EQ(1.0f, colour[2]);
    EXPECT_EQ(0.0f, colour[0]);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(HighlightTest, PickedShellIsRedAndTheHoveredOnePink)
{
    CFEElement* square = AddSquare(1, 40, 0);
    ShowModel();
    Pick(square);
    DrawFrame();
    EXPECT_EQ(kRed, ReadPixel(100, 100));
    View().EditSelection().EditPicked().RemoveAll();
    View().EditSelection().SetHover(square);
    DrawFrame();
    EXPECT_EQ(kPink, ReadPixel(100, 100));
    GLfloat width = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(1.0f, width);
}

TEST_F(HighlightTest, ShadedModesHideWhatLiesBehindAndLineModesShowIt)
{
    AddSquare(1, 40, 10);                       // in front
    CFEElement* behind = AddSquare(2, 20, -10); // its edges at pixels 80 and 120
    ShowModel();
    Pick(behind);
    for (const int mode : {kShading, kRidgeLineShading, kHiddenLine})
    {
        SCOPED_TRACE(mode);
        View().EditScene().SetDisplayMode(mode);
        Renderer().RenderAll();
        DrawFrame();
        EXPECT_EQ(0, CountColour(70, 70, 130, 130, kRed));
    }
    for (const int mode : {kWireframe, kRidgeLine})
    {
        SCOPED_TRACE(mode);
        View().EditScene().SetDisplayMode(mode);
        Renderer().RenderAll();
        DrawFrame();
        EXPECT_GT(CountColour(76, 90, 84, 110, kRed), 0) << "the left edge shows through";
        EXPECT_EQ(0, CountColour(90, 90, 110, 110, kRed)) << "a linear face is outlined";
    }
}

TEST_F(HighlightTest, ShrunkHighlightFollowsTheShrunkModel)
{
    CFEElement* square = AddSquare(1, 40, 0);
    View().EditScene().SetShrunk(1);
    View().EditScene().SetShrinkFactor(0.8); // the square spans pixels 68 to 132
    ShowModel();
    Pick(square);
    DrawFrame();
    EXPECT_EQ(kRed, ReadPixel(100, 100));
    EXPECT_NE(kRed, ReadPixel(64, 100));
    for (const double factor : {0.0, 1.0, 1.5})
    {
        SCOPED_TRACE(factor);
        View().EditScene().SetShrinkFactor(factor);
        Renderer().RenderAll();
        DrawFrame();
        EXPECT_EQ(kRed, ReadPixel(64, 100));
    }
}

TEST_F(HighlightTest, ManyPickedEntitiesFollowEveryChangeOfThePicks)
{
    // 50 x 50 squares 4 pixels wide over the window: enough to keep their highlight in a list.
    constexpr int kSide = 50;
    for (int j = 0; j <= kSide; ++j)
    {
        for (int i = 0; i <= kSide; ++i)
            AddTestNode(m_model, j * (kSide + 1) + i + 1, -100 + 4 * i, -100 + 4 * j, 0);
    }
    for (int j = 0; j < kSide; ++j)
    {
        for (int i = 0; i < kSide; ++i)
        {
            const int n = j * (kSide + 1) + i + 1;
            AddQuad(m_model, j * kSide + i + 1, n, n + 1, n + kSide + 2, n + kSide + 1);
        }
    }
    ShowModel();
    for (int id = 1; id <= kSide * kSide; ++id)
        Pick(m_model.FindElement(id));
    DrawFrame();
    EXPECT_EQ(kRed, ReadPixel(102, 102));
    // The square from (0, -4) to (4, 0) unpicked, then another one in its place.
    CFEElement* centre = m_model.FindElement(24 * kSide + 26);
    View().EditSelection().EditPicked().RemoveKey(centre);
    DrawFrame();
    EXPECT_NE(kRed, ReadPixel(102, 102));
    EXPECT_EQ(kRed, ReadPixel(98, 102));
    Pick(centre);
    View().EditSelection().EditPicked().RemoveKey(m_model.FindElement(24 * kSide + 25));
    DrawFrame();
    EXPECT_EQ(kRed, ReadPixel(102, 102));
    EXPECT_NE(kRed, ReadPixel(98, 102));
    // Shrunk to half after a rebuild: a quarter of the area, less the edges drawn over it.
    const int unshrunk = CountColour(0, 0, kSize, kSize, kRed);
    View().EditScene().SetShrunk(1);
    View().EditScene().SetShrinkFactor(0.5);
    Renderer().RenderAll();
    DrawFrame();
    const int shrunk = CountColour(0, 0, kSize, kSize, kRed);
    EXPECT_GT(shrunk, 0);
    EXPECT_LT(shrunk, unshrunk / 3);
}

TEST_F(HighlightTest, MassOnAnUnknownNodeIsSkipped)
{
    AddSquare(1, 40, 0);
    AddTestNode(m_model, 50, 30, 30, 5);
    CFEElement* placed = AddTestElement(m_model, 2, kTagMass, 161, {50});
    CFEElement* lost = AddTestElement(m_model, 3, kTagMass, 161, {999});
    ASSERT_NE(nullptr, placed);
    ASSERT_NE(nullptr, lost);
    ShowModel();
    Pick(lost);
    DrawFrame();
    EXPECT_EQ(0, CountColour(0, 0, kSize, kSize, kRed));
    Pick(placed);
    DrawFrame();
    EXPECT_EQ(kRed, ReadPixel(130, 70));
}

TEST_F(HighlightTest, ShellGetsAGreenArrowAndAHexAGreenAndABlueOne)
{
    View().m_settings.m_displayFilter = 0; // nothing but the arrows
    CFEElement* shell = AddSquare(1, 40, 0);
    for (int k = 0; k < 8; ++k)
        AddTestNode(m_model, 11 + k, (k & 1) ? 20 : -20, (k & 2) ? 20 : -20, (k & 4) ? 20 : -20);
    CFEElement* hex = AddBrick(m_model, 2, {11, 12, 14, 13, 15, 16, 18, 17});
    AddTestElement(m_model, 3, kTagBeam, 21, {11, 12});
    ShowModel();
    const double theta = 35.0; // tilted, so that arrows along z show as lines
    View().Camera(0).SetRotationAngles(CPoint3D(theta, theta, 0));

    CEntityArray elements;
    elements.Add(shell);
    Renderer().CreateSelectionDisplayList(elements);
    View().Draw();
    EXPECT_GT(CountDominant(1), 10);
    EXPECT_EQ(0, CountDominant(2));

    elements.RemoveAll();
    elements.Add(hex);
    Renderer().CreateSelectionDisplayList(elements);
    View().Draw();
    EXPECT_GT(CountDominant(1), 10);
    EXPECT_GT(CountDominant(2), 10);

    elements.RemoveAll();
    elements.Add(m_model.FindElement(3)); // a beam has no faces
    Renderer().CreateSelectionDisplayList(elements);
    View().Draw();
    EXPECT_EQ(0, CountPixelsDiffering(0, 0, kSize, kSize, kBlack));
}

TEST_F(HighlightTest, NodeLabelsStayAtStoredPositionsAndAnEmptyListClearsThem)
{
    View().m_settings.m_displayFilter = 0;
    View().m_settings.m_nodeLabelColor = RGB(255, 255, 255);
    View().m_settings.m_elementLabelColor = RGB(255, 255, 255);
    AddTestNode(m_model, 7, -60, 60, 0);
    AddTestNode(m_model, 8, 60, -60, 0);
    CFEElement* quad = AddQuad(m_model, 1, 7, 8, 8, 7);
    ShowModel();
    LOGFONT font = {};
    font.lfHeight = 14;
    std::strcpy(font.lfFaceName, "Arial");
    const UINT fontBase = View().Device().CreateFontLists(&font);
    View().SetLabelFontBases(fontBase, fontBase);
    View().m_offset = CPoint3D(-100, -100, 0); // the deformed shape, far from the labels
    View().EditScene().SetNodeIdMode(1);
    CEntityArray nodes;
    nodes.Add(m_model.GetNode(7));
    Renderer().CreateNodeIdLabels(nodes);
    View().Draw();
    // "N7" starts at pixel (40, 40) and runs to the right, above the base line.
    EXPECT_GT(CountPixelsDiffering(40, 25, 70, 42, kBlack), 0);
    EXPECT_EQ(0, CountPixelsDiffering(100, 0, kSize, kSize, kBlack));

    View().EditScene().SetNodeIdMode(0);
    View().EditScene().SetElementIdMode(1);
    CEntityArray elements;
    elements.Add(quad);
    Renderer().CreateElementIdLabels(elements);
    View().Draw();
    EXPECT_GT(CountPixelsDiffering(100, 85, 130, 102, kBlack), 0) << "\"E1\" at the centre";
    Renderer().CreateElementIdLabels(CEntityArray());
    View().Draw();
    EXPECT_EQ(0, CountPixelsDiffering(0, 0, kSize, kSize, kBlack));
    View().EditScene().SetElementIdMode(0);
}

namespace
{
// Keeps the lines it is given.
class LineRecorder : public CDrawDevice
{
public:
    void DrawLine(const CPoint3D& a, const CPoint3D& b, UINT) override { lines.push_back({a, b}); }
    void DrawColoredPolygon(const CPoint3DArray*, const CColorRGBA*) override {}

    std::vector<std::pair<CPoint3D, CPoint3D>> lines;
};

void ExpectPoint(const CPoint3D& expected, const CPoint3D& actual)
{
    EXPECT_NEAR(expected.x, actual.x, 1e-12);
    EXPECT_NEAR(expected.y, actual.y, 1e-12);
    EXPECT_NEAR(expected.z, actual.z, 1e-12);
}
} // namespace

TEST(LineArrowObject, ShaftAndFourHeadLinesFromTheAnchor)
{
    LineRecorder device;
    const CLineArrowObject arrow(CLineArrowObject::kStartsAtAnchor, 10.0, 0.0);
    arrow.DrawBetween(CPoint3D(5, 0, 0), CPoint3D(0, 0, 0), &device); // points along +x
    ASSERT_EQ(5u, device.lines.size());
    // Head a quarter of the length, half as wide, across y and z at x = 7.5.
    const CPoint3D heads[4] = {CPoint3D(7.5, 0, 1.25), CPoint3D(7.5, 0, -1.25),
                               CPoint3D(7.5, 1.25, 0), CPoint3D(7.5, -1.25, 0)};
    for (int i = 0; i < 4; ++i)
    {
        ExpectPoint(CPoint3D(10, 0, 0), device.lines[i].first);
        const CPoint3D& end = device.lines[i].second;
        bool isHead = false;
        for (const CPoint3D& head : heads)
            isHead = isHead || Distance(head, end) < 1e-12;
        EXPECT_TRUE(isHead) << end.x << " " << end.y << " " << end.z;
    }
    ExpectPoint(CPoint3D(0, 0, 0), device.lines[4].first);
    ExpectPoint(CPoint3D(10, 0, 0), device.lines[4].second);
}

TEST(LineArrowObject, ModesAndHeadLengths)
{
    LineRecorder ending;
    CLineArrowObject arrow(CLineArrowObject::kEndsAtAnchor, 4.0, 3.0);
    arrow.m_pointA = CPoint3D(0, 0, 9);
    arrow.m_pointB = CPoint3D(0, 0, 1);
    arrow.Draw(&ending); // along +z, ending at the anchor, with the stored head
    ASSERT_EQ(5u, ending.lines.size());
    ExpectPoint(CPoint3D(0, 0, -3), ending.lines[4].first);
    ExpectPoint(CPoint3D(0, 0, 1), ending.lines[4].second);
    EXPECT_NEAR(3.0, 1.0 - ending.lines[0].second.z, 1e-12);

    LineRecorder longHead;
    const CLineArrowObject tooLong(CLineArrowObject::kStartsAtAnchor, 4.0, 5.0);
    tooLong.DrawBetween(CPoint3D(0, 1, 0), CPoint3D(0, 0, 0), &longHead);
    ASSERT_EQ(5u, longHead.lines.size());
    EXPECT_NEAR(3.0, longHead.lines[0].second.y, 1e-12) << "a head longer than the arrow: L/4";

    LineRecorder none;
    const CLineArrowObject unknown(3, 4.0, 1.0);
    unknown.DrawBetween(CPoint3D(1, 0, 0), CPoint3D(0, 0, 0), &none);
    const CLineArrowObject pointless(CLineArrowObject::kStartsAtAnchor, 4.0, 1.0);
    pointless.DrawBetween(CPoint3D(1, 1, 1), CPoint3D(1, 1, 1), &none);
    EXPECT_TRUE(none.lines.empty());
}
