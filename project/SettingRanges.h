// The range of each setting that a settings page edits and the product INI keeps. The page
// refuses a value outside it, and the start and the pages' Load Defaults read the INI through
// it, so that a value a page saves comes back at the next start and what the start accepts
// every page accepts.
#pragma once

#include "core/display/EntityKinds.h"
#include "core/display/ResultDisplayAttr.h"

struct CIntRange
{
    int low;
    int high;

    bool Contains(long long value) const { return value >= low && value <= high; }
    // The nearest value of the range.
    int Clamp(long long value) const
    {
        return value < low ? low : value > high ? high : static_cast<int>(value);
    }
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
// Colour bands inside the colour bar; the record keeps room for a band below and one above.
constexpr CIntRange kBandCount{1, CResultDisplayAttr::kMaxBands};
// Arrow heads as a fraction of the arrow; the pages show it in percent.
constexpr CRealRange kArrowHeadFraction{0.0, 1.0};
constexpr CRealRange kArrowHeadPercent{0.0, 100.0};
// Arrow lengths are multiplied by it.
constexpr CRealRange kScaleFactor{0.0, 1.0e6};
// Vector codes: line width (1 thin, 2 normal, 5 thick), arrow position (1 centre, 2 from it,
// 3 to it), head size (1 constant, 2 a fraction of the arrow), head type (1 slim ... 3 large).
constexpr CIntRange kVectorThickness{1, 5};
constexpr CIntRange kVectorPosition{1, 3};
constexpr CIntRange kArrowHeadMode{1, 2};
constexpr CIntRange kArrowHeadType{1, 3};
// Windows colour values (blue, green, red bytes); the pages that write them as reals are read
// back cut to a whole value.
constexpr CIntRange kColor{0, 0xFFFFFF};
constexpr CRealRange kRealColor{0.0, 0xFFFFFF + 0.999999};
// Font heights and widths in pixels, either sign (larger letters fill the view or vanish), and
// the weights a LOGFONT knows.
constexpr CRealRange kFontSize{-200.0, 200.0};
constexpr CRealRange kFontWeight{0.0, 1000.0};
// View defaults: the reference triad's corner (0 left top ... 3 right bottom), the display
// mode of new views (0 wireframe ... 4 hidden line) and the entity kinds they draw.
constexpr CIntRange kTriadCorner{0, 3};
constexpr CIntRange kDisplayMode{0, 4};
constexpr CIntRange kDisplayFilter{0, kKindAll};
} // namespace setting_ranges

// Ranged reads of the product INI, for the start and Load Defaults alike. A missing key gives
// missing, and so does a value that is not one number ("abc"; for whole numbers "2.5" too); a
// number outside the range gives the nearest end of it. Both are written to the "Project" log
// with the section, the key and the value used.
int ReadIniInt(const char* section, const char* key, const CIntRange& range, int missing);
double ReadIniReal(const char* section, const char* key, const CRealRange& range, double missing);

// A band count that enters a record from a file (the INI, a project file): the nearest count
// of the band range, the change logged under the given location.
int ClampBandCount(int bands, const char* location);
