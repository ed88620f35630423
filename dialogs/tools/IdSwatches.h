// Colour swatches of property and material ids for report lists: one 90 x 16 picture per
// colour, in the desktop's colour depth, masked with a colour the swatch lacks so that it shows
// opaque.
#pragma once

#include "platform/ctrl/imagelist.h"

#include <windows.h>

#include <memory>
#include <vector>

class CWnd;

constexpr int kSwatchWidth = 90;
constexpr int kSwatchHeight = 16;

// A list of swatches made on the window's screen, picture i of colours[i]; null when the list
// could not be made.
std::unique_ptr<CImageList> MakeIdSwatches(CWnd& window, const std::vector<COLORREF>& colours);
