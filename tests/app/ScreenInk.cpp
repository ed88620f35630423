#include "tests/app/ScreenInk.h"

#include "platform/test/pump.h"

#include <algorithm>
#include <cstdio>

namespace
{
// The pixels as a top-down 32-bit BMP file, for the log.
void WriteBmp(const std::string& path, int width, int height, const std::vector<COLORREF>& pixels)
{
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
    std::vector<BYTE> bits;
    for (const COLORREF pixel : pixels)
        bits.insert(bits.end(), {GetBValue(pixel), GetGValue(pixel), GetRValue(pixel), 0});
    if (std::FILE* out = std::fopen(path.c_str(), "wb"))
    {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info, sizeof info, 1, out);
        std::fwrite(bits.data(), 1, bits.size(), out);
        std::fclose(out);
    }
}
} // namespace

std::vector<bool> ReadDarkPixels(HDC source, int left, int top, int width, int height,
                                 const std::string& bmp)
{
    const std::vector<COLORREF> pixels = fw::test::DrawnPixels(
        width, height,
        [&](HDC memory) { ::BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY); });
    std::vector<bool> dark;
    for (const COLORREF pixel : pixels)
        dark.push_back(GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 100);
    if (!bmp.empty() && !pixels.empty())
        WriteBmp(bmp, width, height, pixels);
    return dark;
}

Ink ReadInk(HDC source, int left, int top, int width, int height, const std::string& bmp)
{
    Ink ink;
    ink.width = width;
    ink.height = height;
    ink.dark = ReadDarkPixels(source, left, top, width, height, bmp);
    return ink;
}

double BestFit(const Ink& area, const Ink& text)
{
    int textInk = 0;
    for (bool dark : text.dark)
        textInk += dark;
    if (textInk == 0)
        return 0;
    double best = -1;
    for (int dy = 0; dy + text.height <= area.height; ++dy)
    {
        for (int dx = 0; dx + text.width <= area.width; ++dx)
        {
            int both = 0;
            int extra = 0;
            for (int y = 0; y < text.height; ++y)
            {
                for (int x = 0; x < text.width; ++x)
                {
                    const bool shown = area.At(dx + x, dy + y);
                    both += shown && text.At(x, y);
                    extra += shown && !text.At(x, y);
                }
            }
            best = std::max(best, static_cast<double>(both - extra) / textInk);
        }
    }
    return best;
}
