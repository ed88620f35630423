// Aspect-ratio fitting.
#include "core/geometry/SizeFit.h"

#include <cmath>

namespace
{
LONG TruncateToLong(double value)
{
    if (!(std::fabs(value) < 2147483647.0))
        return 0;
    return static_cast<LONG>(value);
}
} // namespace

void FitAspectSize(const CSize& source, const CSize& target, CSize& out)
{
    if (source.cx <= 0 || source.cy <= 0)
    {
        out = CSize(0, 0);
        return;
    }
    const double width = std::trunc(static_cast<double>(source.cx) / source.cy * target.cy);
    if (width > target.cx)
    {
        out.cx = target.cx;
        out.cy = TruncateToLong(static_cast<double>(source.cy) / source.cx * target.cx);
    }
    else
    {
        out.cx = TruncateToLong(width);
        out.cy = target.cy;
    }
}
