// Conversion between the float colour and the 8-bit-per-channel Windows colour value 0x00BBGGRR.
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "platform/base/types.h"

// Each byte times 1/255; alpha 0 and the top byte ignored. Converting back gives the same value.
CColorRGBA COLORREFToColor(const COLORREF& value);
// Each component times 255, truncated and cut to its low 8 bits (not clamped); alpha ignored.
COLORREF ColorToCOLORREF(CColorRGBA color);
