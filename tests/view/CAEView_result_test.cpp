// The 3-D view's result display in the MDI frame: a result opens its own view with the
// camera of the old one, a contour, a legend and a title; Display Result opens the contour
// again; the load-case combo shows another case with its range; a result covering part of the
// model leaves the rest without contour; the contour reaches the screen in every display mode,
// and picked shells and solids stand out of it.
#include "StripModel.h"
#include "ViewTestFrame.h"
#include "ViewTestSupport.h"
#include "core/model/FEElement.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "platform/base/memory.h"
#include "platform/test/pump.h"
#include "render/AESet.h"
#include "render/RenderLog.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/support/FailingThreadStarts.h"
#include "view/Legend.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <new>
#include <set>
#include <string>
#include <vector>

using namespace view_window_test;

namespace
{
using Rgb = std::array<int, 3>;
constexpr int kSide = 300;
constexpr UINT kTypeBits = 0x1000000u;

// The strip and a result of two load cases at its nodes: 10 per unit from 0 at the left in
// case 1, half that in case 2.
UINT AddStripWithResult(CModelSet& model)
{
    view_test::AddStrip(model);
    view_test::AddNodalCase(model, 1, kTypeBits, 1, CResultData::kFlagAtNodes | 8, 10.0);
    view_test::AddNodalCase(model, 1, kTypeBits, 2, CResultData::kFlagAtNodes | 8, 5.0);
    return MakeLoadCaseKey(1, kTypeBits, 1);
}

class CAEViewResultTest : public ViewFixture
{
protected:
    // The model view, showing the strip; the result's contours in flat bands.
    CWendraView* OpenModelView()
    {
        m_resultId = AddStripWithResult(Model());
        Frame().m_project->m_settings.m_contourDefaults.m_nBandType = 0;
        Frame().m_project->m_settings.m_displayType = kRidgeLine;
        CWendraView* view = OpenView(kSide, kSide);
        if (view == nullptr)
            return nullptr;
        view->EditScene().SetDisplayMode(kRidgeLine);
        view->Renderer().AutoScale(view);
        view->Renderer().RenderAll();
        return view;
    }
    // The view made last, sized as the model view.
    CWendraView* LastView()
    {
        auto* view = dynamic_cast<CWendraView*>(Frame().GetFrameView(Frame().m_viewCounter));
        if (view != nullptr)
        {
            view->MoveWindow(0, 0, kSide, kSide);
            fw::test::Pump();
        }
        return view;
    }

    view_test::EnglishStrings m_strings;
    UINT m_resultId = 0;
};

// Paints the view now, as the system asks it to.
void Repaint(CWendraView* view)
{
    view->InvalidateView();
    view->UpdateWindow();
    fw::test::Pump();
}

// What the screen shows at a client point of a window.
Rgb ScreenPixel(CWnd* window, int x, int y)
{
    POINT point = {x, y};
    ::ClientToScreen(window->m_hWnd, &point);
    const HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The view drawn in the display mode, as the display-mode command does (enabled in the first
// view only): inside the last two quads of the strip the screen shows the highest band, red,
// and the one below.
void ExpectContourOnScreen(CWendraView* view, int mode)
{
    view->EditScene().SetDisplayMode(mode);
    view->Renderer().RenderAll();
    Repaint(view);
    const Rgb high = ScreenPixel(view, kSide / 2 + 117, kSide / 2 + 10);
    EXPECT_GT(high[0], 200);
    EXPECT_LT(high[1], 60);
    EXPECT_LT(high[2], 40);
    const Rgb below = ScreenPixel(view, kSide / 2 + 91, kSide / 2 + 10);
    EXPECT_NE(high, below);
    EXPECT_GT(below[0], 200);
    EXPECT_LT(below[2], 40);
}
} // namespace

TEST_F(CAEViewResultTest, ResultOpensAViewWithTheCameraContourLegendAndTitle)
{
    CWendraView* model = OpenModelView();
    ASSERT_NE(nullptr, model);
    model->Camera(0).m_panPoint = CPoint3D(0.25, 0, 0);
    model->DisplayResultView(static_cast<int>(m_resultId), 1, 2, TRUE);
    CWendraView* shown = LastView();
    ASSERT_NE(nullptr, shown);
    ASSERT_NE(model, shown);
    EXPECT_EQ(-1, model->Renderer().ContourResultId());
    EXPECT_EQ(static_cast<int>(m_resultId), shown->Renderer().ContourResultId());
    EXPECT_EQ(0.25, shown->Camera(0).m_panPoint.x);
    EXPECT_EQ(model->ModelBoxCorner(1).x, shown->ModelBoxCorner(1).x);
    EXPECT_EQ(1, Frame().m_geometryRefreshes);
    EXPECT_EQ(0u, Frame().m_project->m_settings.m_displayFilter & kKindNode);
    EXPECT_EQ(static_cast<int>(m_resultId), Frame().m_selectedInCombo);
    EXPECT_STREQ("Stress :  (Load case 1)", shown->ResultTitle().GetString());

    DrawFrame(shown);
    // The legend: the ten band colours in a bar in the left fifth.
    std::set<Rgb> bar;
    const int x = static_cast<int>(0.04 * kSide) + 2;
    for (int y = kSide - static_cast<int>(0.85 * kSide) + 2; y < kSide - kSide / 6 - 2; ++y)
        bar.insert(ReadPixel(x, y, kSide));
    EXPECT_EQ(10u, bar.size());
    EXPECT_LT(x, kSide / 5);
    // The contour: red at the right end of the strip.
    const Rgb right = ReadPixel(kSide / 2 + 130, kSide / 2, kSide);
    EXPECT_GT(right[0], 200);
    EXPECT_LT(right[2], 40);
}

// An element result whose elements alternate 100 and 0 along the strip, averaged to 50 at the
// nodes that two elements share.
UINT AddAlternatingElementResult(CModelSet& model)
{
    constexpr UINT kElementType = 0x3000000u;
    model.AddLoadCaseValue(4, kElementType, 1.0);
    auto* result = new CResultData();
    result->m_id = MakeLoadCaseKey(4, kElementType, 1);
    result->m_flags = 8; // at the elements, a static case
    result->m_loaded = CResultData::kLoaded;
    result->SetName("Energy");
    for (int element = 1; element <= 10; ++element)
        result->SetElementValue(element, element % 2 == 1 ? 100.0 : 0.0);
    for (int node = 1; node <= 22; ++node)
        result->SetNodeValue(node, 50.0);
    result->WidenRange(0.0);
    result->WidenRange(100.0);
    model.AddResult(result);
    return result->m_id;
}

// A new view shows the category asked for, whichever the view it was asked from shows:
// elements in their own colours, or the nodes' averages.
TEST_F(CAEViewResultTest, NewViewShowsAnElementResultInTheCategoryAskedFor)
{
    CWendraView* model = OpenModelView();
    ASSERT_NE(nullptr, model);
    const UINT energy = AddAlternatingElementResult(Model());
    struct Case
    {
        int category;
        const char* word;
    };
    CWendraView* from = model;
    for (const Case& c : {Case{0, "Elemental "}, Case{2, "Nodal "}})
    {
        SCOPED_TRACE(c.word);
        from->DisplayResultView(static_cast<int>(energy), 1, c.category, TRUE);
        CWendraView* shown = LastView();
        ASSERT_NE(nullptr, shown);
        ASSERT_NE(from, shown);
        EXPECT_EQ(c.category, shown->Scene().DisplayAttr().m_nResultCategory);
        EXPECT_EQ(0u, std::string(shown->ResultSubTitle().GetString()).find(c.word))
            << shown->ResultSubTitle().GetString();
        DrawFrame(shown);
        // Element 5 (x from -1 to 0) holds 100, element 6 (0 to 1) holds 0.
        const Rgb left = ReadPixel(kSide / 2 - 12, kSide / 2, kSide);
        const Rgb right = ReadPixel(kSide / 2 + 12, kSide / 2, kSide);
        if (c.category == 0)
        {
            EXPECT_GT(left[0], 200);
            EXPECT_LT(left[2], 40);
            EXPECT_GT(right[2], 200);
            EXPECT_LT(right[0], 40);
        }
        else
        {
            EXPECT_EQ(left, right);
            EXPECT_GT(std::max({left[0], left[1], left[2]}), 150);
        }
        from = shown;
    }
}

TEST_F(CAEViewResultTest, DisplayResultCommandOpensTheContourAgain)
{
    CWendraView* model = OpenModelView();
    ASSERT_NE(nullptr, model);
    model->DisplayResultView(static_cast<int>(m_resultId), 1, 2, TRUE);
    CWendraView* shown = LastView();
    ASSERT_NE(nullptr, shown);
    Frame().m_statusKeys.clear();
    Command(shown, ID_DISPLAY_RESULT);
    CWendraView* again = LastView();
    ASSERT_NE(shown, again);
    EXPECT_EQ(static_cast<int>(m_resultId), again->Renderer().ContourResultId());
    EXPECT_EQ(1, again->Renderer().ResultComponent());
    EXPECT_EQ((std::vector<std::string>{"MsgPane/DisplayResult"}), Frame().m_statusKeys);
}

TEST_F(CAEViewResultTest, LoadCaseComboShowsTheCaseWithItsRangeAndCaseText)
{
    CWendraView* model = OpenModelView();
    ASSERT_NE(nullptr, model);
    model->DisplayResultView(static_cast<int>(m_resultId), 1, 2, TRUE);
    CWendraView* shown = LastView();
    ASSERT_NE(nullptr, shown);
    EXPECT_EQ(100.0, shown->Scene().DisplayAttr().m_dataMax);
    const int views = Frame().m_viewCounter;
    Frame().m_selectedLoadCase = static_cast<int>(ResultIdWithLoadCase(m_resultId, 2));
    const HWND combo =
        ::CreateWindowA("COMBOBOX", "", WS_CHILD, 0, 0, 50, 50, Frame().m_hWnd,
                        reinterpret_cast<HMENU>(ID_LOADCASE_COMBO), nullptr, nullptr);
    shown->SendMessage(WM_COMMAND, MAKEWPARAM(ID_LOADCASE_COMBO, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    ::DestroyWindow(combo);
    EXPECT_EQ(views, Frame().m_viewCounter); // the same view
    EXPECT_EQ(Frame().m_selectedLoadCase, shown->Renderer().ContourResultId());
    EXPECT_EQ(50.0, shown->Scene().DisplayAttr().m_dataMax);
    EXPECT_STREQ("Stress :  (Load case 2)", shown->ResultTitle().GetString());
    EXPECT_NE(std::string::npos,
              std::string(shown->ResultSubTitle().GetString()).find("5.000E+001"));
}

TEST_F(CAEViewResultTest, ModelCommandsNeedAModel)
{
    CWendraView* view = OpenView(kSide, kSide);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(0, QueryUpdate(view, ID_EDIT_ELEMENT_PROPERTY).enabled);
    AddStripWithResult(Model());
    EXPECT_EQ(1, QueryUpdate(view, ID_EDIT_ELEMENT_PROPERTY).enabled);
}

TEST_F(CAEViewResultTest, NodalResultCoveringPartOfTheModelLeavesTheRestWithoutContour)
{
    CWendraView* model = OpenModelView();
    ASSERT_NE(nullptr, model);
    // Values at the nodes of the left half only (x from -5 to 0), rising to the right.
    constexpr UINT kHalfType = 0x2000000u;
    Model().AddLoadCaseValue(3, kHalfType, 1.0);
    auto* half = new CResultData();
    half->m_id = MakeLoadCaseKey(3, kHalfType, 1);
    half->m_flags = CResultData::kFlagAtNodes | 8;
    half->m_loaded = CResultData::kLoaded;
    half->SetName("Half");
    for (int node = 1; node <= 12; ++node)
    {
        const double value = 10.0 * ((node - 1) / 2);
        half->SetNodeValue(node, value);
        half->WidenRange(value);
    }
    Model().AddResult(half);
    model->DisplayResultView(static_cast<int>(half->m_id), 1, 2, TRUE);
    CWendraView* shown = LastView();
    ASSERT_NE(nullptr, shown);
    DrawFrame(shown);
    // The left half has band colours; the right end has no value and no contour.
    const Rgb left = ReadPixel(kSide / 2 - 95, kSide / 2, kSide);
    EXPECT_GT(std::max({left[0], left[1], left[2]}), 150);
    EXPECT_EQ((Rgb{0, 0, 0}), ReadPixel(kSide / 2 + 130, kSide / 2, kSide));
}

// The shaded and hidden-line modes draw the model's faces first and the result's faces at the
// same depth after them: the result must still be what the screen shows.
TEST_F(CAEViewResultTest, ContourReachesTheScreenInEveryDisplayMode)
{
    CWendraView* model = OpenModelView();
    ASSERT_NE(nullptr, model);
    model->DisplayResultView(static_cast<int>(m_resultId), 1, 2, TRUE);
    CWendraView* view = LastView();
    ASSERT_NE(nullptr, view);
    ASSERT_EQ(static_cast<int>(m_resultId), view->Renderer().ContourResultId());
    for (const int mode : {kShading, kRidgeLineShading, kHiddenLine, kWireframe, kRidgeLine})
    {
        SCOPED_TRACE(testing::Message() << "display mode " << mode);
        ExpectContourOnScreen(view, mode);
    }
}

// The faces and bands of a model large enough to be recorded on several threads, when the system
// gives 0, 1 or 2 of those threads: the screen shows the contour in every display mode.
TEST_F(CAEViewResultTest, ContourReachesTheScreenWhenRecordingThreadsDoNotStart)
{
    CAESet::SetParallelListElements(1, 1);
    CAESet::SetParallelContourElements(1, 1);
    CWendraView* model = OpenModelView();
    ASSERT_NE(nullptr, model);
    model->DisplayResultView(static_cast<int>(m_resultId), 1, 2, TRUE);
    CWendraView* view = LastView();
    ASSERT_NE(nullptr, view);
    for (const int started : {0, 1, 2})
    {
        const testing_support::FailingThreadStarts failing(started);
        for (const int mode : {kShading, kHiddenLine, kWireframe, kRidgeLine})
        {
            SCOPED_TRACE(testing::Message() << started << " started, display mode " << mode);
            ExpectContourOnScreen(view, mode);
        }
    }
    CAESet::SetParallelListElements(CAESet::kDefaultParallelListElements);
    CAESet::SetParallelContourElements(CAESet::kDefaultParallelContourElements);
}

// A list the renderer could not build for want of memory: the next paint says so in the output
// bar, once.
TEST_F(CAEViewResultTest, AListOutOfMemoryIsToldOnceInTheOutputBar)
{
    CWendraView* view = OpenModelView();
    ASSERT_NE(nullptr, view);
    const auto paint = [view] { Repaint(view); };
    paint();
    const size_t linesBefore = Frame().m_outputLines.size();
    render_log::RunLogged("CAEViewResultTest", [] { throw std::bad_alloc(); });
    paint();
    paint();
    ASSERT_EQ(linesBefore + 1, Frame().m_outputLines.size());
    EXPECT_EQ(0u, Frame().m_outputLines.back().find("Not enough memory to draw"));
}

// A paint that finds too little memory free for the GL driver (which stalls rather than fails
// when it runs out) leaves the model out of the picture and says so once; with memory back the
// contour returns. In every display mode.
TEST_F(CAEViewResultTest, APaintShortOfMemoryLeavesTheModelOutAndSaysSoOnce)
{
    CWendraView* model = OpenModelView();
    ASSERT_NE(nullptr, model);
    model->DisplayResultView(static_cast<int>(m_resultId), 1, 2, TRUE);
    CWendraView* view = LastView();
    ASSERT_NE(nullptr, view);
    const Rgb background = ScreenPixel(view, 3, kSide / 2);
    for (const int mode : {kShading, kHiddenLine, kWireframe, kRidgeLine, kRidgeLineShading})
    {
        SCOPED_TRACE(testing::Message() << "display mode " << mode);
        view->EditScene().SetDisplayMode(mode);
        view->Renderer().RenderAll();
        const auto paint = [view] { Repaint(view); };
        paint();
        const size_t linesBefore = Frame().m_outputLines.size();
        EXPECT_FALSE(render_log::IsShortOfMemoryNow());
        fw::SetHeadroomProbe([](size_t) { return false; });
        paint();
        paint();
        // Short now, for the watch of a window that stops: the second paint was short too.
        EXPECT_TRUE(render_log::IsShortOfMemoryNow());
        fw::SetHeadroomProbe(nullptr);
        EXPECT_EQ(background, ScreenPixel(view, kSide / 2 + 117, kSide / 2 + 10));
        ASSERT_EQ(linesBefore + 1, Frame().m_outputLines.size());
        EXPECT_EQ(0u, Frame().m_outputLines.back().find("Not enough memory to draw"));
        paint();
        EXPECT_FALSE(render_log::IsShortOfMemoryNow());
        const Rgb high = ScreenPixel(view, kSide / 2 + 117, kSide / 2 + 10);
        EXPECT_GT(high[0], 200);
        EXPECT_LT(high[1], 60);
    }
}

// In a small view the bands come closer together than the labels are high: a label is left out
// rather than written over the one below, also with a font of the default height (lfHeight 0,
// the shipped settings), whose height is what the font gets, not 0.
struct LegendFont
{
    LONG height;
    const char* face;
};

class LegendOfASmallView : public CAEViewResultTest, public testing::WithParamInterface<LegendFont>
{
};

TEST_P(LegendOfASmallView, LabelsStayApart)
{
    constexpr int kHeight = 110; // ten bands 7.7 pixels apart
    CFontSetting& font = Frame().m_project->m_settings.m_generalFont;
    font.font.lfHeight = GetParam().height;
    std::strcpy(font.font.lfFaceName, GetParam().face);
    font.color = RGB(255, 255, 255);
    // The model view has no title under the legend: the label column is all legend.
    CWendraView* view = OpenModelView();
    ASSERT_NE(nullptr, view);
    view->DisplayResultView(static_cast<int>(m_resultId), 1, 2, FALSE);
    ASSERT_EQ(static_cast<int>(m_resultId), view->Renderer().ContourResultId());
    view->MoveWindow(0, 0, kSide, kHeight);
    view->InvalidateView();
    view->UpdateWindow();
    fw::test::Pump();
    ASSERT_LT(0.7 * kHeight / view->Scene().DisplayAttr().m_nBands, 8.0);

    // Rows of the label column that hold text, gathered into runs: one run per label.
    const int fontHeight = LegendFontHeight(font.font);
    ASSERT_GT(fontHeight, 8);
    const int left = static_cast<int>(1.8 * 0.04 * kSide) + 1;
    std::vector<int> runs;
    bool inRun = false;
    for (int y = 0; y < kHeight; ++y)
    {
        bool text = false;
        for (int x = left; x < left + 60 && !text; ++x)
            text = ScreenPixel(view, x, y) == Rgb{255, 255, 255};
        if (text && !inRun)
            runs.push_back(0);
        if (text)
            ++runs.back();
        inRun = text;
    }
    std::string heights;
    for (const int run : runs)
        heights += std::to_string(run) + " ";
    ASSERT_GE(runs.size(), 3u) << "text rows in runs of " << heights;
    for (const int run : runs)
        EXPECT_LE(run, fontHeight) << "text rows in runs of " << heights;
}

INSTANTIATE_TEST_SUITE_P(Fonts, LegendOfASmallView,
                         testing::Values(LegendFont{0, ""}, LegendFont{14, "Arial"},
                                         LegendFont{-13, "Arial"}));

namespace
{
// A rectangle of the screen over a window's client area, read in one go, top row first.
class ScreenRect
{
public:
    ScreenRect(CWnd* window, const RECT& client)
        : m_rect(client)
    {
        for (const COLORREF pixel : fw::test::ScreenPixels(window->m_hWnd, client))
            m_pixels.push_back({GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)});
    }
    int Width() const { return m_rect.right - m_rect.left; }
    // At a client point inside the rectangle.
    Rgb At(int x, int y) const
    {
        return m_pixels[static_cast<size_t>((y - m_rect.top) * Width() + x - m_rect.left)];
    }
    int Count(const Rgb& colour) const
    {
        return static_cast<int>(std::count(m_pixels.begin(), m_pixels.end(), colour));
    }

private:
    RECT m_rect;
    std::vector<Rgb> m_pixels;
};

// Where a model point shows in the view's client area.
POINT ClientPointOf(CWendraView* view, const CPoint3D& point)
{
    view->MakeCurrent();
    const CPoint3D window = view->Device().ProjectToWindow(point, &view->Camera(0));
    return {static_cast<LONG>(window.x), static_cast<LONG>(window.y)};
}

// The view painted as the program paints it, and the screen read around an element.
ScreenRect PaintAndRead(CWendraView* view, const RECT& around)
{
    view->InvalidateView();
    view->UpdateWindow();
    fw::test::Pump();
    return ScreenRect(view, around);
}
} // namespace

// A result view's lists are compiled before its first paint and kept while the camera zooms;
// picked shells and solids must still stand out of the contour on the screen, filled red in the
// shaded and hidden-line modes and outlined in red in the line modes.
TEST_F(CAEViewResultTest, PickedShellsAndSolidsStandOutOfTheContourInEveryDisplayMode)
{
    m_resultId = AddStripWithResult(Model());
    // A brick above the middle of the strip (nodes 101 to 108), in the strip's 20 to 30 band.
    const double corners[8][3] = {{-1, 2, -1}, {1, 2, -1}, {1, 3, -1}, {-1, 3, -1},
                                  {-1, 2, 1},  {1, 2, 1},  {1, 3, 1},  {-1, 3, 1}};
    for (int i = 0; i < 8; ++i)
        AddTestNode(Model(), 101 + i, corners[i][0], corners[i][1], corners[i][2]);
    CFEElement* brick = AddBrick(Model(), 11, {101, 102, 103, 104, 105, 106, 107, 108});
    ASSERT_NE(nullptr, brick);
    Model().BuildElementFaces();
    CResultData* result = Model().GetResult(m_resultId);
    ASSERT_NE(nullptr, result);
    for (int node = 101; node <= 108; ++node)
        result->SetNodeValue(node, 25.0);
    Frame().m_project->m_settings.m_contourDefaults.m_nBandType = 0;
    CWendraView* model = OpenView(kSide, kSide);
    ASSERT_NE(nullptr, model);
    model->Renderer().AutoScale(model);
    // Shell 7 lies between x = 1 and 2 in the 60 to 70 band, right of the legend; the brick's
    // front face at z = 1.
    struct Picked
    {
        const char* name;
        CModelEntity* entity;
        CPoint3D low;
        CPoint3D high;
    };
    const Picked kPicked[] = {
        {"shell", Model().FindElement(7), CPoint3D(1, -1, 0), CPoint3D(2, 1, 0)},
        {"solid", brick, CPoint3D(-1, 2, 1), CPoint3D(1, 3, 1)}};
    const Rgb red = {255, 0, 0};
    for (const int mode : {kShading, kRidgeLineShading, kHiddenLine, kWireframe, kRidgeLine})
    {
        Frame().m_project->m_settings.m_displayType = static_cast<int16_t>(mode);
        model->DisplayResultView(static_cast<int>(m_resultId), 1, 2, TRUE);
        CWendraView* view = LastView();
        ASSERT_NE(nullptr, view);
        ASSERT_EQ(mode, view->Scene().DisplayMode());
        for (const Picked& picked : kPicked)
        {
            SCOPED_TRACE(testing::Message() << picked.name << ", display mode " << mode);
            ASSERT_NE(nullptr, picked.entity);
            const POINT a = ClientPointOf(view, picked.low);
            const POINT b = ClientPointOf(view, picked.high);
            const RECT around = {std::min(a.x, b.x) - 4, std::min(a.y, b.y) - 4,
                                 std::max(a.x, b.x) + 5, std::max(a.y, b.y) + 5};
            const int centreX = (a.x + b.x) / 2;
            const int centreY = (a.y + b.y) / 2;
            view->EditSelection().EditPicked().RemoveAll();
            const ScreenRect plain = PaintAndRead(view, around);
            EXPECT_EQ(0, plain.Count(red));
            view->EditSelection().EditPicked().SetAt(picked.entity, 1);
            const ScreenRect shown = PaintAndRead(view, around);
            if (mode == kWireframe || mode == kRidgeLine)
            {
                EXPECT_GT(shown.Count(red), 2 * (around.right - around.left));
                EXPECT_EQ(plain.At(centreX, centreY), shown.At(centreX, centreY));
            }
            else
            {
                EXPECT_EQ(red, shown.At(centreX, centreY));
            }
        }
        view->EditSelection().EditPicked().RemoveAll();
    }
}
