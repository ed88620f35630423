// Colour conversions.
#include "core/geometry/ColorConvert.h"

#include <cmath>
#include <cstdint>

namespace
{
constexpr double kByteToUnit = 0.00392156862745098; // 1/255

// Truncates towards zero and keeps the low 8 bits, as a wrapping integer conversion would; a
// value no integer holds (infinite, not a number, huge) gives 0 rather than undefined bits.
DWORD ChannelByte(float component)
{
    const double scaled = std::trunc(static_cast<double>(component) * 255.0);
    if (!(std::fabs(scaled) < 2147483648.0))
        return 0;
    return static_cast<DWORD>(static_cast<int32_t>(scaled)) & 0xFFu;
}
} // namespace

CColorRGBA COLORREFToColor(const COLORREF& value)
{
    return CColorRGBA(static_cast<float>(GetRValue(value) * kByteToUnit),
                      static_cast<float>(GetGValue(value) * kByteToUnit),
                      static_cast<float>(GetBValue(value) * kByteToUnit), 0.0f);
}

COLORREF ColorToCOLORREF(CColorRGBA color)
{
    return ChannelByte(color.r) | ChannelByte(color.g) << 8 | ChannelByte(color.b) << 16;
}
