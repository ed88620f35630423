// Dark pixels of a rectangle of a device context, read in one go through a 32-bit DIB section:
// what the tests of texts drawn on the screen compare. Optionally written as a BMP for the log.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// True where the pixel is dark (its channels sum below 300), top row first.
std::vector<bool> ReadDarkPixels(HDC source, int left, int top, int width, int height,
                                 const std::string& bmp = "");
