// Image files decoded back for tests: any format the Windows Imaging Component reads, as rows of
// blue, green, red from the top. COM must be initialised (fw::OleInit).
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace fw::test
{
struct DecodedImage
{
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> bgr;

    bool IsEmpty() const { return bgr.empty(); }
    // Red, green, blue of a pixel, y downwards.
    std::array<int, 3> At(UINT x, UINT y) const
    {
        const BYTE* p = &bgr[(static_cast<size_t>(y) * width + x) * 3];
        return {p[2], p[1], p[0]};
    }
};

// Empty when the file does not decode.
DecodedImage DecodeImage(const std::string& path);
} // namespace fw::test
