// Colour legend.
#include "view/Legend.h"

#include "core/display/ResultDisplayAttr.h"
#include "render/DrawDevice.h"
#include "render/ViewVolume.h"
#include "view/ResultTitle.h"

#include <windows.h>

#include <GL/gl.h>
#include <algorithm>

namespace
{
// A level's label and its tick from the bar's right edge, in the text colour.
void DrawLevel(CDrawDevice& device, const CLegendStyle& style, double level, double left,
               double right, double y)
{
    device.SetColor(style.textColor);
    device.DrawText3D(CPoint3D(1.8 * left, y, 0.0), FormatTitleValue(level).GetString());
    device.DrawLine(CPoint3D(right, y, 0.0), CPoint3D(1.7 * left, y, 0.0), 0);
}
} // namespace

int LegendFontHeight(const LOGFONT& font)
{
    if (font.lfHeight != 0)
        return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    const HFONT handle = ::CreateFontIndirectA(&font);
    if (handle == nullptr)
        return 0;
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, handle);
    TEXTMETRICA metrics = {};
    const int height = ::GetTextMetricsA(screen, &metrics) ? metrics.tmHeight : 0;
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(handle);
    return height;
}

void DrawColorLegend(CDrawDevice& device, const CResultDisplayAttr& bands,
                     const CLegendStyle& style)
{
    const double w = style.width;
    const double h = style.height;
    CViewVolume overlay;
    overlay.SetViewport(CPoint3D(0.0, 0.0, 0.0), CPoint3D(0.2 * w, h, 0.0));
    overlay.SetVolume(CPoint3D(0.0, 0.0, -20.0), CPoint3D(0.2 * w, h, 20.0));
    device.BeginScene(&overlay);
    device.SetRenderMode(kRenderFill);
    glDisable(GL_DEPTH_TEST);
    device.SetFontListBase(style.fontListBase);

    const double left = 0.04 * w;
    const double right = left + w / 60.0;
    const double base = h / 6.0;
    // No bands gives no bar rather than a division by zero.
    const double step = 0.7 * h / std::max(bands.m_nBands, 1);
    const double font = style.fontHeight < 0 ? -style.fontHeight : style.fontHeight;
    const int total = std::clamp(bands.m_nTotalBands, 0, CResultDisplayAttr::kMaxLevels - 1);
    double last = 0.0;
    int row = 0;
    int i = 0;
    for (; i < total; ++i)
    {
        if (i == 0 && bands.m_bLowBand)
            continue;
        if (i == total - 1 && bands.m_bHighBand)
            break;
        const double y0 = base + row * step;
        const double y1 = y0 + step;
        device.SetColor(bands.m_bandColors[i]);
        device.DrawQuad(CPoint3D(left, y0, 0.0), CPoint3D(right, y0, 0.0), CPoint3D(right, y1, 0.0),
                        CPoint3D(left, y1, 0.0), 0);
        if (font + last < y0)
        {
            DrawLevel(device, style, bands.m_levels[i], left, right, y0);
            last = y0;
        }
        ++row;
    }
    const double top = base + row * step;
    if (row > 0 && font + last < top)
        DrawLevel(device, style, bands.m_levels[i], left, right, top);
    if (style.legendTextList >= 0)
    {
        device.SetColor(style.textColor);
        device.DrawTextList(CPoint3D(1.8 * left, base - font, 0.0),
                            static_cast<UINT>(style.legendTextList));
    }
    device.EndScene();
    glEnable(GL_DEPTH_TEST);
}
