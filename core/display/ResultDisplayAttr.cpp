// Contour display settings: levels, band colours and band lookup.
#include "core/display/ResultDisplayAttr.h"

#include <algorithm>
#include <cmath>

namespace
{
struct Rgb
{
    float r, g, b;
};
// Blue to red; the seventh repeats the sixth so interpolation at t = 1 stays in range.
constexpr Rgb kRamp[CResultDisplayAttr::kRampSize] = {
    {0.0f, 0.0f, 1.0f},   {0.0f, 0.749f, 0.91f}, {0.13f, 0.96f, 0.13f}, {0.86f, 0.96f, 0.0f},
    {1.0f, 0.749f, 0.0f}, {1.0f, 0.0f, 0.0f},    {1.0f, 0.0f, 0.0f}};

void CopyRgb(CColorRGBA& target, const CColorRGBA& source)
{
    target.r = source.r;
    target.g = source.g;
    target.b = source.b;
}
} // namespace

CResultDisplayAttr::CResultDisplayAttr()
{
    LoadRamp();
    RecomputeBandColors();
}

CResultDisplayAttr::CResultDisplayAttr(const CResultDisplayAttr& other)
    : CDisplayObject(other)
{
    *this = other;
}

CResultDisplayAttr& CResultDisplayAttr::operator=(const CResultDisplayAttr& other)
{
    if (this == &other)
        return *this;
    m_dataMin = other.m_dataMin;
    m_dataMax = other.m_dataMax;
    m_viewMin = other.m_viewMin;
    m_viewMax = other.m_viewMax;
    m_nTotalBands = other.m_nTotalBands;
    m_nContourType = other.m_nContourType;
    m_nDisplayType = other.m_nDisplayType;
    m_nBandType = other.m_nBandType;
    m_nRampColors = other.m_nRampColors;
    for (int i = 0; i < kRampSize; ++i)
        CopyRgb(m_rampColors[i], other.m_rampColors[i]);
    m_nBands = other.m_nBands;
    m_bLowBand = other.m_bLowBand;
    m_bHighBand = other.m_bHighBand;
    m_nResultCategory = other.m_nResultCategory;
    m_outOfRangeColor = other.m_outOfRangeColor;
    m_bReverseBand = other.m_bReverseBand;
    m_nOutline = other.m_nOutline;
    // Only what is in use; a source with a broken count cannot copy past the tables.
    const int total = std::clamp(m_nTotalBands, 0, kMaxLevels - 1);
    for (int i = 0; i <= total; ++i)
        m_levels[i] = other.m_levels[i];
    for (int i = 0; i < total; ++i)
        m_bandColors[i] = other.m_bandColors[i];
    return *this;
}

void CResultDisplayAttr::SetRange(double dataMin, double dataMax, double viewMin, double viewMax,
                                  int bands)
{
    const int n = std::clamp(bands, 1, kMaxBands);
    m_dataMin = dataMin;
    m_dataMax = dataMax;
    m_viewMin = viewMin;
    m_viewMax = viewMax;
    m_nBands = n;
    m_nTotalBands = n;
    m_bLowBand = 0;
    m_bHighBand = 0;
    m_levels[0] = dataMin;

    int first = 0;
    if (viewMin > dataMin)
    {
        m_levels[1] = viewMin;
        m_nTotalBands = n + 1;
        m_bLowBand = 1;
        first = 1;
    }
    else if (viewMin < dataMin)
    {
        m_levels[0] = viewMin;
    }

    const double step = (viewMax - viewMin) / n;
    for (int k = 1; k <= n; ++k)
        m_levels[first + k] = m_levels[first + k - 1] + step;
    m_levels[first + n] = viewMax; // exact, whatever the steps added up to

    if (viewMax < dataMax)
    {
        m_levels[first + n + 1] = dataMax;
        m_bHighBand = 1;
        ++m_nTotalBands;
    }

    ColourBands();
    CopyRgb(m_bandColors[m_nTotalBands], m_outOfRangeColor);
}

void CResultDisplayAttr::SetOutOfRangeColor(CColorRGBA color)
{
    CopyRgb(m_outOfRangeColor, color);
}

void CResultDisplayAttr::SetReverseBand(bool reverse)
{
    m_bReverseBand = reverse ? 1 : 0;
    m_nRampColors = 6;
    LoadRamp();
    RecomputeBandColors();
}

void CResultDisplayAttr::RecomputeBandColors()
{
    ColourBands();
}

void CResultDisplayAttr::FindBand(double value, int& kind, int& band) const
{
    const double tolerance = std::fabs(value) * 1e-7;
    const int total = std::clamp(m_nTotalBands, 0, kMaxLevels - 1);
    for (int i = 0; i < total; ++i)
    {
        const double lo = m_levels[i];
        const double hi = m_levels[i + 1];
        if (lo < value && value < hi)
        {
            kind = kInside;
            band = i;
            return;
        }
        if (std::fabs(value - lo) <= tolerance)
        {
            kind = kOnLowerLevel;
            band = i;
            return;
        }
        if (std::fabs(value - hi) < tolerance)
        {
            kind = kOnUpperLevel;
            band = i;
            return;
        }
    }
    band = m_nTotalBands;
}

void CResultDisplayAttr::GetRampColor(double t, CColorRGBA& color) const
{
    // The ramp has kRampSize entries: keep i + 1 inside it whatever t and the count say.
    const int count = std::clamp(m_nRampColors, 1, kRampSize - 1);
    const double x = (count - 1) * std::clamp(t, 0.0, 1.0);
    const int i = std::min(static_cast<int>(x), kRampSize - 2);
    const float f = static_cast<float>(x - i);
    const CColorRGBA& a = m_rampColors[i];
    const CColorRGBA& b = m_rampColors[i + 1];
    color.r = a.r * (1.0f - f) + b.r * f;
    color.g = a.g * (1.0f - f) + b.g * f;
    color.b = a.b * (1.0f - f) + b.b * f;
}

void CResultDisplayAttr::LoadRamp()
{
    for (int i = 0; i < kRampSize; ++i)
    {
        // Reversed: red to blue, the seventh still repeating the sixth.
        const Rgb& c = m_bReverseBand ? kRamp[std::max(0, kRampSize - 2 - i)] : kRamp[i];
        m_rampColors[i] = CColorRGBA(c.r, c.g, c.b, 0.0f);
    }
}

void CResultDisplayAttr::ColourBands()
{
    const int total = std::clamp(m_nTotalBands, 0, kMaxLevels - 1);
    if (total < 1)
    {
        CopyRgb(m_bandColors[total], m_outOfRangeColor);
        return;
    }
    const int inRange = m_nBands;
    int j = 0;
    for (int k = 0; k < total; ++k)
    {
        const bool isOutOfRange = (k == 0 && m_bLowBand) || (k == total - 1 && m_bHighBand);
        if (isOutOfRange)
        {
            CopyRgb(m_bandColors[k], m_outOfRangeColor);
            continue;
        }
        const double t = inRange > 1 ? static_cast<double>(j) / (inRange - 1) : 0.0;
        GetRampColor(t, m_bandColors[k]);
        ++j;
    }
}
