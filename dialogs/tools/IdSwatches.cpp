// Colour swatches of ids.
#include "dialogs/tools/IdSwatches.h"

#include "platform/win/dc.h"
#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"

namespace
{
UINT ScreenColourFlag(CDC& dc)
{
    switch (dc.GetDeviceCaps(BITSPIXEL))
    {
    case 4: return ILC_COLOR4;
    case 8: return ILC_COLOR8;
    case 16: return ILC_COLOR16;
    case 32: return ILC_COLOR32;
    default: return ILC_COLOR24;
    }
}
} // namespace

std::unique_ptr<CImageList> MakeIdSwatches(CWnd& window, const std::vector<COLORREF>& colours)
{
    CClientDC screen(&window);
    auto list = std::make_unique<CImageList>();
    if (!list->Create(kSwatchWidth, kSwatchHeight, ScreenColourFlag(screen) | ILC_MASK,
                      static_cast<int>(colours.size()), 1))
        return nullptr;
    CDC memory;
    if (!memory.CreateCompatibleDC(&screen))
        return list;
    for (const COLORREF colour : colours)
    {
        CBitmap swatch;
        if (!swatch.CreateCompatibleBitmap(&screen, kSwatchWidth, kSwatchHeight))
            continue;
        CBitmap* old = memory.SelectObject(&swatch);
        memory.FillSolidRect(0, 0, kSwatchWidth, kSwatchHeight, colour);
        memory.SelectObject(old);
        list->Add(&swatch, colour == RGB(0, 0, 0) ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
    return list;
}
