// The range of each setting that a settings page edits and the product INI keeps. The page
// refuses a value outside it, and the start and the pages' Load Defaults read the INI through
// it, so that a value a page saves comes back at the next start and what the start accepts
// every page accepts.
#pragma once

#include "core/display/ResultDisplayAttr.h"

struct CIntRange
{
    int low;
    int high;

    bool Contains(long long value) const { return value >= low && value <= high; }
    // The nearest value of the range.
    int Clamp(int value) const { return value < low ? low : value > high ? high : value; }
};

struct CRealRange
{
    double low;
    double high;

    // False for NaN.
    bool Contains(double value) const { return value >= low && value <= high; }
    double Clamp(double value) const { return value < low ? low : value > high ? high : value; }
};

namespace setting_ranges
{
// Point sizes and line widths in pixels: past 20 a node or line hides its neighbours.
constexpr CIntRange kEntitySize{1, 20};
// Lighting: the page's slider runs over the shininess range (OpenGL would take up to 128).
constexpr CIntRange kShininess{0, 100};
constexpr CIntRange kOpacityPercent{0, 100};
// Straight pieces per node-to-node step of a curved edge; a curved face is cut into the square
// of it, so a large count stalls every view of a model with mid-side nodes.
constexpr CIntRange kCurveDivisions{1, 16};
constexpr int kDefaultCurveDivisions = 4;
constexpr CIntRange kBandCount{1, CResultDisplayAttr::kMaxBands};
// Arrow heads as a fraction of the arrow; the pages show it in percent.
constexpr CRealRange kArrowHeadFraction{0.0, 1.0};
constexpr CRealRange kArrowHeadPercent{0.0, 100.0};
// Arrow lengths are multiplied by it.
constexpr CRealRange kScaleFactor{0.0, 1.0e6};
} // namespace setting_ranges

// Ranged reads of the product INI, for the start and Load Defaults alike. A missing key gives
// missing; a value that is not a number (or, for whole numbers, not one of 0 or more: "-1",
// "abc") counts as missing; a number outside the range gives fallback. Both refusals are
// written to the "Project" log with the section, the key and the value used.
int ReadIniInt(const char* section, const char* key, const CIntRange& range, int missing,
               int fallback);
double ReadIniReal(const char* section, const char* key, const CRealRange& range, double missing,
                   double fallback);
// The same for a whole number of low..high beyond the int range (colours, bit sets).
long long ReadIniWhole(const char* section, const char* key, long long missing, long long low,
                       long long high, long long fallback);
