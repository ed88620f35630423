// A 200 x 200 window with an OpenGL device for the render tests, and pixel reads from the back
// buffer (front-buffer reads after a swap are black under Wine).
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "platform/win/wnd.h"
#include "render/GLDevice.h"
#include "render/ViewVolume.h"

#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// Without an OpenGL context the GL tests skip, except where GRAVIK_REQUIRE_GL is set (the
// test script sets it), so that a broken display fails the run instead of passing it.
#define SKIP_OR_FAIL_WITHOUT_GL()                                                                  \
    do                                                                                             \
    {                                                                                              \
        if (std::getenv("GRAVIK_REQUIRE_GL"))                                                      \
            FAIL() << "no OpenGL context on this display";                                         \
        GTEST_SKIP() << "no OpenGL context on this display";                                       \
    } while (0)

namespace render_test
{
constexpr int kSize = 200;

class GLTestWindow
{
public:
    GLTestWindow();
    ~GLTestWindow();

    bool IsReady() const { return m_ready; }
    CGLDevice& Device() { return m_device; }
    CWnd& Window() { return m_wnd; }
    // A volume covering -100..100 in x and y (z -100..100) over the whole client area.
    static CViewVolume SquareVolume();

private:
    CWnd m_wnd;
    CGLDevice m_device;
    bool m_ready = false;
};

// RGB of a window pixel (y downwards) read from the back buffer.
std::array<int, 3> ReadPixel(int x, int y);
// Pixels of the rectangle that differ from the colour.
int CountPixelsDiffering(int left, int top, int right, int bottom, std::array<int, 3> colour);
// RGBA of the whole back buffer, bottom row first: frames compared pixel for pixel.
std::vector<unsigned char> ReadFrame();
// True when any pixel of the rectangle differs from the colour.
bool AnyPixelDiffers(int left, int top, int right, int bottom, std::array<int, 3> colour);

// One window and context for the whole suite: windows are slow to create under Wine.
class GLTest : public testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static GLTestWindow* s_window;
    CGLDevice& Device() { return s_window->Device(); }
    // Clears to black and calls the list over the square volume, finished: pixels read after
    // show it.
    void CallListOverSquare(UINT list);
};
} // namespace render_test
