// The 3-D view in an MDI child: context, viewports and triads on resize, the frame drawn in the
// fixed order, closing.
#include "ViewTestFrame.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/services/OutputSink.h"
#include "io/bulk/BulkImport.h"
#include "platform/test/pump.h"
#include "render/ListCompiler.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/support/LogLines.h"
#include "tests/support/TestPaths.h"

#include <GL/gl.h>
#include <functional>
#include <gtest/gtest.h>
#include <system_error>
#include <thread>

using namespace view_window_test;

namespace
{
using Rgb = std::array<int, 3>;
constexpr Rgb kBlack = {0, 0, 0};

// What the view held when its window went.
struct ClosedViewState
{
    bool closed = false;
    bool hadContext = true;
};
ClosedViewState g_closed;

// A 3-D view that reports the state its destruction left.
class CClosingView : public CWendraView
{
    FW_CREATABLE(CClosingView, CWendraView)

public:
    FW_MESSAGE_TABLE()

protected:
    void OnDestroyProbe()
    {
        OnDestroy();
        g_closed.closed = true;
        g_closed.hadContext = Device().GetRenderingContext() != nullptr;
    }
};

FW_TABLE(CClosingView, CWendraView, fw::on<WM_DESTROY, &CClosingView::OnDestroyProbe>())

// A unit quad (property 1 coloured red) with its centre at (10, 10, 0), away from the origin.
void AddRedQuad(CModelSet& model)
{
    AddTestNode(model, 1, 9, 9, 0);
    AddTestNode(model, 2, 11, 9, 0);
    AddTestNode(model, 3, 11, 11, 0);
    AddTestNode(model, 4, 9, 11, 0);
    AddQuad(model, 1, 1, 2, 3, 4);
    model.BuildElementFaces();
    model.LookupPropertyColor(1)->color = static_cast<int>(RGB(200, 0, 0));
}

class CAEViewTest : public ViewFixture
{
};

class CAEViewClosingTest : public ViewFixture
{
protected:
    void SetUp() override
    {
        m_viewClass = RUNTIME_CLASS(CClosingView);
        ViewFixture::SetUp();
    }
};
} // namespace

TEST_F(CAEViewTest, ResizingSetsTheSceneAndTriadViewports)
{
    Frame().m_project->m_settings.m_triadPosition = CCAEView::kRightTop;
    CWendraView* view = OpenView(300, 300);
    ASSERT_NE(nullptr, view);
    ASSERT_NE(nullptr, view->Device().GetRenderingContext());
    view->Camera(0).m_copyStart = CPoint3D(-50, -50, -5);
    view->Camera(0).m_copyEnd = CPoint3D(50, 50, 5);
    view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 400));
    const CViewVolume& scene = view->Camera(0);
    EXPECT_EQ(0.0, scene.m_viewportP1.x);
    EXPECT_EQ(800.0, scene.m_viewportP2.x);
    EXPECT_EQ(400.0, scene.m_viewportP2.y);
    EXPECT_DOUBLE_EQ(-100.0, scene.m_volumeStart.x);
    EXPECT_DOUBLE_EQ(100.0, scene.m_volumeEnd.x);
    EXPECT_DOUBLE_EQ(50.0, scene.m_volumeEnd.y);
    const CViewVolume& triad = view->Camera(1);
    EXPECT_DOUBLE_EQ(720.0, triad.m_viewportP1.x);
    EXPECT_DOUBLE_EQ(320.0, triad.m_viewportP1.y);
    EXPECT_DOUBLE_EQ(800.0, triad.m_viewportP2.x);
    EXPECT_DOUBLE_EQ(400.0, triad.m_viewportP2.y);

    // Corners outside 0 to 3 put the triad at the left bottom.
    Frame().m_project->m_settings.m_triadPosition = 7;
    view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(500, 400));
    EXPECT_DOUBLE_EQ(0.0, view->Camera(1).m_viewportP1.x);
    EXPECT_DOUBLE_EQ(50.0, view->Camera(1).m_viewportP2.y);
}

TEST_F(CAEViewTest, NewViewStartsWithTheProjectDisplayTypeAndItsCamera)
{
    Frame().m_project->m_settings.m_displayType = kHiddenLine;
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(kHiddenLine, view->Scene().DisplayMode());
    EXPECT_EQ(&view->Renderer(), view->Renderer().View() ? &view->Renderer() : nullptr);
    EXPECT_EQ(-7.0, view->Camera(0).m_copyStart.x);
    EXPECT_EQ(4.0, view->Camera(0).m_copyEnd.z);
}

TEST_F(CAEViewTest, ShadedShellShowsItsPropertyColourAndWireframeItsEdges)
{
    AddRedQuad(Model());
    CWendraView* view = OpenView(300, 300);
    ASSERT_NE(nullptr, view);
    view->Renderer().AutoScale(view);
    Command(view, ID_VIEW_SHADING);
    EXPECT_EQ(kShading, view->Scene().DisplayMode());
    EXPECT_EQ("MsgPane/Shading", Frame().m_statusKeys.back());
    DrawFrame(view);
    const Rgb centre = ReadPixel(150, 150, 300);
    EXPECT_GE(centre[0], 200);
    EXPECT_LT(centre[1], 30);

    Command(view, ID_VIEW_WIREFRAME);
    DrawFrame(view);
    EXPECT_EQ(kBlack, ReadPixel(150, 150, 300));
    int edgePixels = 0;
    for (int x = 0; x < 300; ++x)
        edgePixels += ReadPixel(x, 150, 300) == Rgb{200, 0, 0} ? 1 : 0;
    EXPECT_EQ(2, edgePixels);
}

TEST_F(CAEViewTest, DisplayFilterLeavesTheTriadAloneAndTogglesBack)
{
    AddRedQuad(Model());
    CWendraView* view = OpenView(300, 300);
    ASSERT_NE(nullptr, view);
    view->Renderer().AutoScale(view);
    Command(view, ID_VIEW_SHADING);
    DrawFrame(view);
    const int drawn = CountDiffering(0, 0, 300, 300, 300, kBlack);

    for (const UINT id : {ID_DISPLAY_FILTER_SOLID, ID_DISPLAY_FILTER_SHELL, ID_DISPLAY_FILTER_BEAM,
                          ID_DISPLAY_FILTER_MASS, ID_DISPLAY_FILTER_ELASS})
        Command(view, id);
    EXPECT_EQ(0u, Frame().m_project->m_settings.m_displayFilter); // nodes were off already
    EXPECT_EQ(5, Frame().m_geometryRefreshes);
    DrawFrame(view);
    // Only the corner triad (left bottom, a tenth of the width) and its labels are left.
    EXPECT_EQ(0, CountDiffering(60, 0, 300, 300, 300, kBlack));
    EXPECT_EQ(0, CountDiffering(0, 0, 300, 240, 300, kBlack));
    EXPECT_GT(CountDiffering(0, 270, 30, 300, 300, kBlack), 0);

    for (const UINT id : {ID_DISPLAY_FILTER_SOLID, ID_DISPLAY_FILTER_SHELL, ID_DISPLAY_FILTER_BEAM,
                          ID_DISPLAY_FILTER_MASS, ID_DISPLAY_FILTER_ELASS})
        Command(view, id);
    DrawFrame(view);
    EXPECT_EQ(drawn, CountDiffering(0, 0, 300, 300, 300, kBlack));
    EXPECT_EQ(1, QueryUpdate(view, ID_DISPLAY_FILTER_SHELL).checked);
    EXPECT_EQ(0, QueryUpdate(view, ID_DISPLAY_FILTER_NODE).checked);
    EXPECT_EQ(-1, QueryUpdate(view, ID_DISPLAY_FILTER_NODE).enabled); // always enabled
}

TEST_F(CAEViewTest, ShadingModesOnlyInTheFirstView)
{
    CWendraView* first = OpenView();
    CWendraView* second = OpenView();
    ASSERT_NE(nullptr, second);
    for (const UINT id : {ID_VIEW_SHADING, ID_VIEW_RIDGELINE_SHADING, ID_VIEW_HIDDENLINE})
    {
        EXPECT_EQ(1, QueryUpdate(first, id).enabled);
        EXPECT_EQ(0, QueryUpdate(second, id).enabled);
    }
    EXPECT_EQ(-1, QueryUpdate(second, ID_VIEW_WIREFRAME).enabled);
    EXPECT_EQ(1, QueryUpdate(second, ID_VIEW_WIREFRAME).checked);
}

TEST_F(CAEViewClosingTest, ClosingAViewDeletesItsContextEndsTheCommandAndLeavesTheMap)
{
    CWendraView* view = OpenView();
    ASSERT_NE(nullptr, view);
    const int key = view->FrameKey();
    ASSERT_EQ(1u, Frame().m_frames.count(key));
    Frame().m_manager.m_entries.clear();
    g_closed = ClosedViewState();
    ActiveChild()->DestroyWindow();
    fw::test::Pump();
    EXPECT_TRUE(g_closed.closed);
    EXPECT_FALSE(g_closed.hadContext);
    ASSERT_EQ(1u, Frame().m_manager.m_entries.size());
    EXPECT_EQ(CCmdRecord::kEndCommand, Frame().m_manager.m_entries[0].code);
    EXPECT_EQ(key, Frame().m_manager.m_entries[0].frameKey);
    EXPECT_EQ(0u, Frame().m_frames.count(key));
}

// A model large enough compiles its lists on worker threads with contexts of their own: the
// picture is the same, and their windows and contexts go with the view.
TEST_F(CAEViewTest, ListWorkersDrawTheViewAndGoWithIt)
{
    AddRedQuad(Model());
    const auto workerWindows = []
    {
        int count = 0;
        const char* name = CListCompiler::kWorkerWindowClass;
        for (HWND w = FindWindowExA(nullptr, nullptr, name, nullptr); w != nullptr;
             w = FindWindowExA(nullptr, w, name, nullptr))
            ++count;
        return count;
    };
    const int windowsBefore = workerWindows();
    CAESet::SetParallelListElements(1);
    CWendraView* view = OpenView(300, 300);
    ASSERT_NE(nullptr, view);
    view->Renderer().AutoScale(view);
    Command(view, ID_VIEW_SHADING);
    DrawFrame(view);
    const Rgb centre = ReadPixel(150, 150, 300);
    EXPECT_GE(centre[0], 200);
    EXPECT_LT(centre[1], 30);
    EXPECT_EQ(windowsBefore + static_cast<int>(CListCompiler::kDefaultWorkers), workerWindows());
    ActiveChild()->DestroyWindow();
    fw::test::Pump();
    EXPECT_EQ(windowsBefore, workerWindows());
    CAESet::SetParallelListElements(CAESet::kDefaultParallelListElements);
}

// Workers whose threads do not start: said once in the log, and the view's thread compiles the
// lists, rebuild after rebuild; the model is on the screen.
TEST_F(CAEViewTest, ListWorkersThatDoNotStartLeaveTheListsToTheViewsThread)
{
    AddRedQuad(Model());
    const int logged = testing_support::CountLogLines("Gravik", CListCompiler::kNotStartedText);
    CAESet::SetParallelListElements(1);
    CListCompiler::SetThreadStart(
        [](std::function<void()>) -> std::thread {
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        });
    CWendraView* view = OpenView(300, 300);
    ASSERT_NE(nullptr, view);
    view->Renderer().AutoScale(view);
    for (const UINT mode : {ID_VIEW_SHADING, ID_VIEW_WIREFRAME})
    {
        SCOPED_TRACE(mode);
        Command(view, mode);
        view->Renderer().RenderAll();
        DrawFrame(view);
        EXPECT_GT(CountDiffering(0, 0, 300, 300, 300, kBlack), 20);
    }
    Command(view, ID_VIEW_SHADING);
    DrawFrame(view);
    const Rgb centre = ReadPixel(150, 150, 300);
    EXPECT_GE(centre[0], 200);
    EXPECT_LT(centre[1], 30);
    CListCompiler::SetThreadStart(nullptr);
    CAESet::SetParallelListElements(CAESet::kDefaultParallelListElements);
    EXPECT_EQ(logged + 1, testing_support::CountLogLines("Gravik", CListCompiler::kNotStartedText));
    ActiveChild()->DestroyWindow();
    fw::test::Pump();
}

TEST_F(CAEViewTest, SampleDeckDrawsInEveryModeWithoutAGlError)
{
    REQUIRE_SAMPLES();
    class NullSink : public COutputSink
    {
    public:
        void AddOutputLine(const std::string&) override {}
    } sink;
    ASSERT_TRUE(ImportBulkFile(
        Model(),
        testing_support::SamplePath("pyNastran/sol_101_elements/static_solid_shell_bar.bdf"),
        sink));
    Model().BuildElementFaces();
    ASSERT_GT(Model().GetDefaultGroup()->GetSolids().GetCount(), 0);
    ASSERT_GT(Model().GetDefaultGroup()->GetShells().GetCount(), 0);
    ASSERT_GT(Model().GetDefaultGroup()->GetBeams().GetCount(), 0);
    CWendraView* view = OpenView(300, 300);
    ASSERT_NE(nullptr, view);
    view->LoadElementFilter(&Model());
    view->Renderer().AutoScale(view);
    view->MakeCurrent();
    while (glGetError() != GL_NO_ERROR)
    {
    }
    for (const UINT id : {ID_VIEW_WIREFRAME, ID_VIEW_RIDGELINE, ID_VIEW_SHADING,
                          ID_VIEW_RIDGELINE_SHADING, ID_VIEW_HIDDENLINE})
    {
        SCOPED_TRACE(id);
        Command(view, id);
        DrawFrame(view);
        EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
        EXPECT_GT(CountDiffering(0, 0, 300, 270, 300, kBlack), 500);
    }
}
