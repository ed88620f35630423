#include "tests/app/ScreenInk.h"

#include <algorithm>
#include <cstdio>

std::vector<bool> ReadDarkPixels(HDC source, int left, int top, int width, int height,
                                 const std::string& bmp)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC memory = ::CreateCompatibleDC(source);
    const HBITMAP bitmap = ::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
    ::GdiFlush();
    std::vector<bool> dark;
    const auto* raw = static_cast<const BYTE*>(bits);
    for (int i = 0; raw != nullptr && i < width * height; ++i)
        dark.push_back(raw[i * 4] + raw[i * 4 + 1] + raw[i * 4 + 2] < 3 * 100);
    if (!bmp.empty() && raw != nullptr)
    {
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + static_cast<DWORD>(width * height * 4);
        if (std::FILE* out = std::fopen(bmp.c_str(), "wb"))
        {
            std::fwrite(&file, sizeof file, 1, out);
            std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
            std::fwrite(bits, 4, static_cast<size_t>(width * height), out);
            std::fclose(out);
        }
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
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
