// Colour swatches.
#include "dialogs/settings/Swatches.h"

#include "platform/win/dc.h"
#include "platform/win/gdiobj.h"

#include <commctrl.h>

int ScreenBitsPerPixel(CWnd& window)
{
    CClientDC dc(&window);
    return dc.GetDeviceCaps(BITSPIXEL);
}

UINT ImageListColorFlag(int bitsPerPixel)
{
    switch (bitsPerPixel)
    {
    case 4: return ILC_COLOR4;
    case 8: return ILC_COLOR8;
    case 16: return ILC_COLOR16;
    case 32: return ILC_COLOR32;
    default: return ILC_COLOR24;
    }
}

std::unique_ptr<CBitmap> MakeSwatch(CWnd& window, COLORREF color)
{
    CClientDC screen(&window);
    CDC memory;
    auto bitmap = std::make_unique<CBitmap>();
    if (!memory.CreateCompatibleDC(&screen) ||
        !bitmap->CreateCompatibleBitmap(&screen, kSwatchWidth, kSwatchHeight))
        return nullptr;
    CBitmap* old = memory.SelectObject(bitmap.get());
    memory.FillSolidRect(0, 0, kSwatchWidth, kSwatchHeight, color);
    memory.SelectObject(old);
    return bitmap;
}
