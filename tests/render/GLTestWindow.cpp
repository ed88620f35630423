// Shared OpenGL window of the render tests.
#include "GLTestWindow.h"

#include "platform/win/dc.h"

#include <GL/gl.h>
#include <vector>

namespace render_test
{
GLTestWindow* GLTest::s_window = nullptr;

GLTestWindow::GLTestWindow()
{
    const char* className = fw::RegisterWndClass(CS_OWNDC);
    if (!m_wnd.CreateEx(0, className, "render test", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        0, 0, kSize, kSize, nullptr, nullptr))
        return;
    m_ready = m_device.CreateRenderingContext(&m_wnd, CColorRGBA(0.0f, 0.0f, 1.0f, 1.0f)) != 0;
}

GLTestWindow::~GLTestWindow()
{
    m_device.DeleteRenderingContext();
    m_wnd.DestroyWindow();
}

CViewVolume GLTestWindow::SquareVolume()
{
    CViewVolume volume;
    volume.SetVolume(CPoint3D(-100, -100, -100), CPoint3D(100, 100, 100));
    volume.SetViewport(CPoint3D(0, 0, 0), CPoint3D(kSize, kSize, 0));
    return volume;
}

std::array<int, 3> ReadPixel(int x, int y)
{
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, kSize - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

std::vector<unsigned char> ReadFrame()
{
    std::vector<unsigned char> rgba(static_cast<size_t>(kSize) * kSize * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

bool AnyPixelDiffers(int left, int top, int right, int bottom, std::array<int, 3> colour)
{
    return CountPixelsDiffering(left, top, right, bottom, colour) > 0;
}

int CountPixelsDiffering(int left, int top, int right, int bottom, std::array<int, 3> colour)
{
    const int width = right - left;
    const int height = bottom - top;
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left, kSize - bottom, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int count = 0;
    for (size_t i = 0; i < rgba.size(); i += 4)
    {
        if (rgba[i] != colour[0] || rgba[i + 1] != colour[1] || rgba[i + 2] != colour[2])
            ++count;
    }
    return count;
}

void GLTest::SetUpTestSuite()
{
    s_window = new GLTestWindow();
}

void GLTest::TearDownTestSuite()
{
    delete s_window;
    s_window = nullptr;
}

void GLTest::SetUp()
{
    if (!s_window->IsReady())
        SKIP_OR_FAIL_WITHOUT_GL();
    // Each test starts from the same state whatever the one before left.
    wglMakeCurrent(s_window->Device().GetClientDC()->GetSafeHdc(),
                   s_window->Device().GetRenderingContext());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDepthRange(0.0, 1.0);
    Device().SetFontListBase(0);
}

void GLTest::CallListOverSquare(UINT list)
{
    const CViewVolume volume = GLTestWindow::SquareVolume();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Device().BeginScene(&volume);
    glCallList(list);
    Device().EndScene();
    glFinish();
}
} // namespace render_test
