// The two lines of a view's result title: what is shown with its case, and its range with the
// category, title and component of a contour.
#pragma once

#include "platform/base/string.h"
#include "platform/base/types.h"

class CModelSet;
class CResultData;

struct CResultTitleLines
{
    CString line1;
    CString line2;
};

// What the title shows of a result.
struct CTitleRequest
{
    UINT shownId = 0;      // packed id of the load case shown
    bool isContour = true; // false: a vector plot (range only)
    int component = 1;     // the view's result kind, with or without the element-block 8
    int category = 2;      // 0 "Elemental", 2 "Nodal"
    double min = 0.0;      // range of the bands in effect
    double max = 0.0;
};

// "%6.3e" with an upper-case E and a three-digit exponent: "1.230E-003".
CString FormatTitleValue(double value);
// "UY : " and the like in front of a component's range; empty for scalars and vectors.
CString ComponentPrefix(int dataType, int component);
// " (Load case 3)", " (Step 2)" or " (Mode 1, 12.500000 Hz)" for the case of the shown id;
// empty for case 0 or a result without case kind, and for a mode without a frequency.
CString ComposeCaseText(const CResultData& result, const CModelSet& model, UINT shownId);
CResultTitleLines ComposeResultTitle(const CResultData& result, const CModelSet& model,
                                     const CTitleRequest& request);
