// Off-screen OpenGL into a 32-bit DIB: the picture arrives, top row first.
#include "platform/win/dib.h"

#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace
{
struct Rgb
{
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

Rgb PixelAt(const std::vector<unsigned char>& rows, int width, int x, int y)
{
    const size_t at = (static_cast<size_t>(y) * width + x) * 3;
    return {rows[at], rows[at + 1], rows[at + 2]};
}
} // namespace

TEST(GlOffscreen, DrawsIntoAThirtyTwoBitBitmapTopRowFirst)
{
    constexpr int kWidth = 64;
    constexpr int kHeight = 48;
    fw::GlOffscreen offscreen;
    ASSERT_TRUE(offscreen.Create(kWidth, kHeight));
    ASSERT_TRUE(offscreen.MakeCurrent());
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    // A red band over the upper half of the picture (OpenGL y runs upwards).
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1, 0, 0);
    glBegin(GL_QUADS);
    glVertex2f(-1, 0);
    glVertex2f(1, 0);
    glVertex2f(1, 1);
    glVertex2f(-1, 1);
    glEnd();

    const std::vector<unsigned char> rows = offscreen.ReadRgbRows();
    ASSERT_EQ(static_cast<size_t>(kWidth * kHeight * 3), rows.size());
    EXPECT_TRUE((Rgb{255, 0, 0} == PixelAt(rows, kWidth, 10, 5)));
    EXPECT_TRUE((Rgb{0, 0, 255} == PixelAt(rows, kWidth, 10, kHeight - 5)));
    wglMakeCurrent(nullptr, nullptr);
}

TEST(GlOffscreen, EmptySizesAreRefused)
{
    fw::GlOffscreen offscreen;
    EXPECT_FALSE(offscreen.Create(0, 10));
    EXPECT_FALSE(offscreen.MakeCurrent());
    EXPECT_TRUE(offscreen.ReadRgbRows().empty());
}
