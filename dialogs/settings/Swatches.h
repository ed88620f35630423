// Colour swatches of the settings dialogs' lists: 90 x 16 pictures of one colour each, in an
// image list of the screen's depth.
#pragma once

#include <windows.h>

#include <memory>

class CBitmap;
class CWnd;

constexpr int kSwatchWidth = 90;
constexpr int kSwatchHeight = 16;

// Bits per pixel of the window's screen.
int ScreenBitsPerPixel(CWnd& window);
// The image-list colour flag of a depth: 4, 8, 16 and 32 bits as such, anything else 24.
UINT ImageListColorFlag(int bitsPerPixel);
// A swatch compatible with the window's client area; null when none could be made.
std::unique_ptr<CBitmap> MakeSwatch(CWnd& window, COLORREF color);
// The mask colour to add a swatch with: one the swatch lacks, so that every pixel is opaque.
inline COLORREF SwatchMask(COLORREF color)
{
    return color == RGB(0, 0, 0) ? RGB(255, 255, 255) : RGB(0, 0, 0);
}
