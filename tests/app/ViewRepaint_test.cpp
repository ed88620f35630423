// What the screen shows of a view after the layout around it changes: the tree bar docked on
// the other side and back, the main frame made smaller and larger, another view activated and
// this one again. The screen at the view shows the frame the view draws now, not an old picture.
#include "core/geometry/ColorConvert.h"
#include "platform/test/pump.h"
#include "platform/win/dc.h"
#include "project/ProjectData.h"
#include "tests/app/ProjectAppFixture.h"
#include "view/WendraView.h"

#include <windows.h>

#include <GL/gl.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace
{
class ViewRepaint : public ProjectAppFixture
{
protected:
    // The frame drawn into the back buffer as a paint draws it, with the result title that
    // goes through the view's DC: RGBA, rows from the bottom.
    std::vector<unsigned char> ReadFrame(CCAEView* view, int* width, int* height)
    {
        std::vector<unsigned char> rgba;
        auto* wendra = dynamic_cast<CWendraView*>(view);
        if (wendra == nullptr || wendra->Device().GetClientDC() == nullptr)
            return rgba;
        CRect client;
        wendra->GetClientRect(&client);
        wendra->MakeCurrent();
        const CProjectData* project = Project();
        wendra->Device().SetColor(
            COLORREFToColor(project != nullptr ? project->m_settings.m_backgroundColor : 0));
        wendra->DrawAll(wendra->Device().GetClientDC());
        glFinish();
        *width = client.Width();
        *height = client.Height();
        rgba.resize(static_cast<size_t>(*width) * *height * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, *width, *height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    // Pixels of a grid over the view's client area where the screen differs from the frame the
    // view draws now (by more than a rounding step in any channel); the first one in *where.
    int CountStalePixels(CCAEView* view, std::string* where)
    {
        fw::test::Pump();
        int width = 0;
        int height = 0;
        const std::vector<unsigned char> rgba = ReadFrame(view, &width, &height);
        if (rgba.empty())
            return -1;
        const HDC screen = ::GetDC(nullptr);
        int stale = 0;
        for (int y = 2; y < height; y += 9)
        {
            for (int x = 2; x < width; x += 9)
            {
                POINT point = {x, y};
                ::ClientToScreen(view->m_hWnd, &point);
                const COLORREF shown = ::GetPixel(screen, point.x, point.y);
                const unsigned char* drawn =
                    &rgba[(static_cast<size_t>(height - 1 - y) * width + x) * 4];
                if (std::abs(GetRValue(shown) - drawn[0]) > 2 ||
                    std::abs(GetGValue(shown) - drawn[1]) > 2 ||
                    std::abs(GetBValue(shown) - drawn[2]) > 2)
                {
                    if (stale++ == 0)
                        *where = "(" + std::to_string(x) + ", " + std::to_string(y) + ") of " +
                                 std::to_string(width) + " x " + std::to_string(height);
                }
            }
        }
        ::ReleaseDC(nullptr, screen);
        return stale;
    }
};

// Started on the demo model: its view and the view of its displacement result.
class ViewRepaintAfterStart : public ViewRepaint
{
protected:
    void SetUp() override
    {
        m_commandLine = "/Automation \"" + m_demoModel + "\"";
        ViewRepaint::SetUp();
    }
};
} // namespace

TEST_F(ViewRepaint, ScreenShowsTheViewsFrameAfterTheTreeBarIsReDockedAndTheFrameResized)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    CCAEView* view = View(1);
    ASSERT_NE(nullptr, view);
    CMainFrame* frame = MainFrame();
    std::string where;
    ASSERT_EQ(0, CountStalePixels(view, &where)) << "before any change, at " << where;

    // The tree bar dragged to the right side and back: the view moves on the screen.
    CControlBar& tree = frame->GetProjectTreeBar();
    frame->DockControlBar(&tree, AFX_IDW_DOCKBAR_RIGHT);
    fw::test::Pump();
    EXPECT_EQ(0, CountStalePixels(view, &where)) << "tree bar docked on the right, at " << where;
    frame->DockControlBar(&tree, AFX_IDW_DOCKBAR_LEFT);
    fw::test::Pump();
    EXPECT_EQ(0, CountStalePixels(view, &where)) << "tree bar docked on the left, at " << where;

    CRect window;
    frame->GetWindowRect(&window);
    frame->MoveWindow(window.left, window.top, window.Width() - 200, window.Height() - 150);
    fw::test::Pump();
    EXPECT_EQ(0, CountStalePixels(view, &where)) << "frame made smaller, at " << where;

    frame->MoveWindow(window.left, window.top, window.Width(), window.Height());
    fw::test::Pump();
    EXPECT_EQ(0, CountStalePixels(view, &where)) << "frame made larger, at " << where;
}

TEST_F(ViewRepaintAfterStart, ScreenShowsEachViewsFrameAfterSwitchingBetweenViews)
{
    CCAEView* model = View(1);
    CCAEView* result = View(2);
    ASSERT_NE(nullptr, model);
    ASSERT_NE(nullptr, result);
    std::string where;
    for (CCAEView* view : {model, result, model, result})
    {
        const char* which = view == model ? "model view" : "result view";
        MainFrame()->MDIActivate(view->GetParent());
        fw::test::Pump();
        ASSERT_EQ(view->GetParent(), MainFrame()->MDIGetActive()) << which;
        EXPECT_EQ(0, CountStalePixels(view, &where)) << which << " activated, at " << where;
    }
}
