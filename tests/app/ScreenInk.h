// Dark pixels of a rectangle of a device context, read in one go through a 32-bit DIB section:
// what the tests of texts drawn on the screen compare, and how well a text's ink fits them.
// Optionally written as a BMP for the log.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// True where the pixel is dark (its channels sum below 300), top row first.
std::vector<bool> ReadDarkPixels(HDC source, int left, int top, int width, int height,
                                 const std::string& bmp = "");

// Dark pixels of a rectangle, true where dark.
struct Ink
{
    int width = 0;
    int height = 0;
    std::vector<bool> dark;
    bool At(int x, int y) const { return dark[static_cast<size_t>(y * width + x)]; }
};

// A rectangle of a device context as ink.
Ink ReadInk(HDC source, int left, int top, int width, int height, const std::string& bmp = "");

// The share of the text's ink found where it fits best in the area, less the area's own ink
// there that the text lacks: 1 when the area shows exactly the text.
double BestFit(const Ink& area, const Ink& text);
