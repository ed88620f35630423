// An OpenGL frame in a child window reaches the screen, and the mouse still reaches the window.
#include "platform/win/glpresent.h"

#include "platform/test/pump.h"

#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace
{
class GlChild
{
public:
    GlChild()
    {
        const char* cls = fw::RegisterWndClass(CS_OWNDC);
        m_top = ::CreateWindowExA(0, cls, "present", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40,
                                  40, 300, 220, nullptr, nullptr, nullptr, nullptr);
        m_child = ::CreateWindowExA(0, cls, nullptr, WS_CHILD | WS_VISIBLE, 20, 20, 120, 80, m_top,
                                    nullptr, nullptr, nullptr);
        m_dc = ::GetDC(m_child);
        PIXELFORMATDESCRIPTOR format = {};
        format.nSize = sizeof format;
        format.nVersion = 1;
        format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        format.iPixelType = PFD_TYPE_RGBA;
        format.cColorBits = 24;
        format.cDepthBits = 16;
        ::SetPixelFormat(m_dc, ::ChoosePixelFormat(m_dc, &format), &format);
        m_context = ::wglCreateContext(m_dc);
        ::wglMakeCurrent(m_dc, m_context);
    }
    ~GlChild()
    {
        ::wglMakeCurrent(nullptr, nullptr);
        ::wglDeleteContext(m_context);
        ::ReleaseDC(m_child, m_dc);
        ::DestroyWindow(m_top);
    }

    // Clears the child's back buffer to a colour and shows it; with pump, lets the windows
    // handle what followed.
    void Show(float r, float g, float b, bool pump = true)
    {
        RECT client;
        ::GetClientRect(m_child, &client);
        glViewport(0, 0, client.right, client.bottom);
        glClearColor(r, g, b, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        fw::PresentGLFrame(m_dc);
        if (pump)
            fw::test::Pump();
    }

    // What the screen shows at a client point of the child.
    COLORREF ScreenPixel(int x, int y) const
    {
        POINT point = {x, y};
        ::ClientToScreen(m_child, &point);
        const HDC screen = ::GetDC(nullptr);
        const COLORREF colour = ::GetPixel(screen, point.x, point.y);
        ::ReleaseDC(nullptr, screen);
        return colour;
    }

    HWND m_top = nullptr;
    HWND m_child = nullptr;
    HDC m_dc = nullptr;
    HGLRC m_context = nullptr;
};
} // namespace

TEST(PresentGLFrame, TheScreenShowsTheFrameAndTheMouseReachesTheWindow)
{
    GlChild view;
    ASSERT_NE(nullptr, view.m_context);
    view.Show(0.0f, 200 / 255.0f, 0.0f);
    EXPECT_EQ(RGB(0, 200, 0), view.ScreenPixel(60, 40));

    POINT centre = {60, 40};
    ::ClientToScreen(view.m_child, &centre);
    EXPECT_EQ(view.m_child, ::WindowFromPoint(centre));

    // A larger window shows the next frame over all of it.
    ::SetWindowPos(view.m_child, nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    fw::test::Pump();
    view.Show(1.0f, 0.0f, 0.0f);
    EXPECT_EQ(RGB(255, 0, 0), view.ScreenPixel(60, 40));
    EXPECT_EQ(RGB(255, 0, 0), view.ScreenPixel(190, 140));
}

TEST(PresentGLFrame, TheCopyFollowsItsWindowsSizeAndAFrameOfANewSizeAsksForAnother)
{
    GlChild view;
    ASSERT_NE(nullptr, view.m_context);
    view.Show(0.0f, 0.0f, 1.0f);
    fw::CFrameCopyWnd* copy = fw::CFrameCopyWnd::Find(view.m_child);
    if (copy == nullptr)
        GTEST_SKIP() << "frames reach the screen without a copy window here";

    // A smaller window: the copy takes its size before any frame is drawn for it.
    ::SetWindowPos(view.m_child, nullptr, 0, 0, 70, 50, SWP_NOMOVE | SWP_NOZORDER);
    fw::FitFrameCopy(view.m_child);
    RECT shown = {};
    ::GetClientRect(copy->m_hWnd, &shown);
    EXPECT_EQ(70, shown.right);
    EXPECT_EQ(50, shown.bottom);

    // Its first frame at the new size may be drawn at the old one: another is asked for.
    ::ValidateRect(view.m_child, nullptr);
    view.Show(0.0f, 1.0f, 0.0f, false);
    EXPECT_TRUE(::GetUpdateRect(view.m_child, nullptr, FALSE));
    fw::test::Pump();
    // One more frame of the same size asks for nothing.
    ::ValidateRect(view.m_child, nullptr);
    view.Show(0.0f, 1.0f, 0.0f, false);
    EXPECT_FALSE(::GetUpdateRect(view.m_child, nullptr, FALSE));
    fw::test::Pump();
    EXPECT_EQ(RGB(0, 255, 0), view.ScreenPixel(60, 40));
}
