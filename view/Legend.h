// The colour legend of a view: a vertical bar of the colour bands in the left fifth of the
// viewport, each band's lower level written beside it and the top level above the last.
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "platform/base/types.h"

class CDrawDevice;
class CResultDisplayAttr;

struct CLegendStyle
{
    double width = 0.0;      // viewport width in pixels
    double height = 0.0;     // viewport height in pixels
    int fontHeight = 0;      // height of the general font (LegendFontHeight)
    UINT fontListBase = 0;   // the view's bitmap font lists
    CColorRGBA textColor;    // the general text colour
    int legendTextList = -1; // the legend text's display list; -1 for none
};

// The height that keeps the labels apart: |lfHeight|, or for a font of the default height
// (lfHeight 0, as the shipped settings leave it) the height of the font that height gives, so
// that labels of small views do not run into each other.
int LegendFontHeight(const LOGFONT& font);

// Draws the legend as its own overlay scene. Out-of-range bands are left out; a label is left
// out where it would overlap the one below it.
void DrawColorLegend(CDrawDevice& device, const CResultDisplayAttr& bands,
                     const CLegendStyle& style);
