// Drag outlines: XOR on the desktop that leaves no trace, and the overlay window that takes
// its place where the desktop cannot be drawn on.
#include "platform/ctrl/dragoutline.h"

#include <gtest/gtest.h>

namespace fw
{
namespace
{
COLORREF ScreenPixel(int x, int y)
{
    const HDC dc = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(nullptr, dc);
    return colour;
}

TEST(DragOutline, XorOnTheDesktopShowsAndLeavesNoTrace)
{
    const COLORREF edge = ScreenPixel(140, 120);
    const COLORREF inside = ScreenPixel(200, 170);
    DragOutline outline;
    outline.Begin(); // Xvfb takes XOR: no overlay
    EXPECT_FALSE(outline.IsOverlay());
    ASSERT_NE(nullptr, outline.GetDC());

    const HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    outline.Show(CRect(140, 120, 300, 240), CSize(2, 2), white);
    EXPECT_EQ(CRect(140, 120, 300, 240), outline.ShownRect());
    EXPECT_EQ(edge ^ 0xFFFFFF, outline.GetDC()->GetPixel(140, 120));
    EXPECT_EQ(inside, outline.GetDC()->GetPixel(200, 170));
    // Moving it puts the old place back.
    outline.Show(CRect(150, 130, 310, 250), CSize(2, 2), white);
    EXPECT_EQ(edge, outline.GetDC()->GetPixel(140, 120));
    outline.End();
    EXPECT_FALSE(outline.IsActive());
    EXPECT_EQ(edge, ScreenPixel(140, 120));
    EXPECT_EQ(inside, ScreenPixel(200, 170));
}

TEST(DragOutline, OverlayWindowTakesTheOutlinesShape)
{
    DragOutline outline;
    outline.Begin(DragOutline::Mode::Overlay);
    ASSERT_TRUE(outline.IsOverlay());
    const HWND overlay = outline.OverlayWindow();
    outline.Show(CRect(100, 100, 300, 200), CSize(3, 3));
    EXPECT_TRUE(::IsWindowVisible(overlay));
    CRect window;
    ::GetWindowRect(overlay, &window);
    EXPECT_EQ(CRect(100, 100, 300, 200), window);
    // Only the ring is the window: the inside lets the mouse and the eye through.
    const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(overlay, region));
    EXPECT_TRUE(::PtInRegion(region, 1, 1));
    EXPECT_FALSE(::PtInRegion(region, 100, 50));
    ::DeleteObject(region);
    EXPECT_TRUE(::GetWindowLongPtrA(overlay, GWL_EXSTYLE) & WS_EX_TRANSPARENT);

    outline.Hide();
    EXPECT_FALSE(::IsWindowVisible(overlay));
    outline.End();
    EXPECT_FALSE(::IsWindow(overlay));
}
} // namespace
} // namespace fw
