// Painting of the shortcut bar: background, headers with their 3-D frames, images and texts,
// and the mark where a dragged header would land; all through an off-screen bitmap.
#include "platform/win/dc.h"
#include "widgets/controls/OXShortcutBar.h"

#include <algorithm>
#include <cstdlib>

COLORREF ShbShiftColor(COLORREF color, int amount)
{
    const auto shift = [amount](int channel) { return std::clamp(channel + amount, 0, 255); };
    return RGB(shift(GetRValue(color)), shift(GetGValue(color)), shift(GetBValue(color)));
}

COLORREF ShbInverseColor(COLORREF color)
{
    return RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color));
}

bool ShbNearColors(COLORREF a, COLORREF b)
{
    const int sum = std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                    std::abs(GetBValue(a) - GetBValue(b));
    return sum <= 3 * 64;
}

namespace
{
void Fill(HDC dc, const RECT& rect, COLORREF color)
{
    ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// Top-left in one colour, bottom-right in the other.
void Frame3d(HDC dc, const CRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    Fill(dc, CRect(rect.left, rect.top, rect.right - 1, rect.top + 1), topLeft);
    Fill(dc, CRect(rect.left, rect.top, rect.left + 1, rect.bottom - 1), topLeft);
    Fill(dc, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), bottomRight);
    Fill(dc, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), bottomRight);
}
} // namespace

BOOL COXShortcutBar::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE; // painted whole, off-screen
}

void COXShortcutBar::OnPaint()
{
    PAINTSTRUCT ps;
    const HDC dc = ::BeginPaint(m_hWnd, &ps);
    CRect client;
    GetClientRect(&client);
    const HDC memory = ::CreateCompatibleDC(dc);
    const HBITMAP bitmap =
        ::CreateCompatibleBitmap(dc, std::max(1, client.Width()), std::max(1, client.Height()));
    const HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);

    DrawBackground(memory);
    for (HSHBGROUP group : m_order)
    {
        // The owner may draw the header itself (value: the DC).
        if (Notify(SHBN_DRAWHEADER, group, -1, reinterpret_cast<LPARAM>(memory)) == 0)
            DrawHeader(memory, group);
    }
    if (m_dragging && m_dropTargetGroup)
    {
        const CRect target = GetHeaderRect(m_dropTargetGroup);
        const bool nearRed =
            ShbNearColors(GetGroupHeaderBkColor(m_dropTargetGroup), RGB(255, 0, 0));
        Fill(memory, CRect(target.left, target.top, target.right, target.top + 2),
             nearRed ? RGB(0, 0, 255) : RGB(255, 0, 0));
    }

    ::BitBlt(dc, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::EndPaint(m_hWnd, &ps);
}

void COXShortcutBar::DrawBackground(HDC dc)
{
    CRect client;
    GetClientRect(&client);
    Fill(dc, client,
         m_expandedGroup ? GetGroupBkColor(m_expandedGroup) : ::GetSysColor(COLOR_WINDOW));
}

HFONT COXShortcutBar::HeaderFont(HSHBGROUP group)
{
    const Group* record = Find(group);
    if (!record || !(record->descriptor.mask & SHBD_HEADERFONT))
        return static_cast<HFONT>(m_font.GetSafeHandle());
    CFont& font = m_headerFonts[group];
    if (!font.GetSafeHandle())
        font.CreateFontIndirect(&record->descriptor.headerFont);
    return static_cast<HFONT>(font.GetSafeHandle());
}

void COXShortcutBar::DrawHeader(HDC dc, HSHBGROUP group)
{
    const Group* record = Find(group);
    if (!record || record->header.IsRectEmpty())
        return;
    const CRect rect = record->header;
    COLORREF background = GetGroupHeaderBkColor(group);
    COLORREF text = GetGroupHeaderTextColor(group);
    if (m_dragging && group == m_dragGroup)
    {
        background = ShbInverseColor(background);
        text = ShbInverseColor(text);
    }
    Fill(dc, rect, background);
    const COLORREF light = ShbShiftColor(background, 64);
    const COLORREF dark = ShbShiftColor(background, -128);
    const bool pressed =
        group == m_pressedGroup && (m_barStyle & SHBS_EXPANDONRELEASE) && !m_dragging;
    Frame3d(dc, rect, pressed ? dark : light, pressed ? light : dark);

    CRect textRect = rect;
    textRect.DeflateRect(4, 1);
    const int image = group == m_expandedGroup && record->imageExpanded >= 0 ? record->imageExpanded
                                                                             : record->image;
    if (m_images && m_images->GetSafeHandle() && image >= 0)
    {
        int cx = 16;
        int cy = 16;
        m_images->GetIconSize(&cx, &cy);
        const int top = rect.top + (rect.Height() - cy) / 2;
        ::ImageList_Draw(m_images->GetSafeHandle(), image, dc, textRect.left, top, ILD_TRANSPARENT);
        textRect.left += cx + 4;
    }
    const HGDIOBJ oldFont = ::SelectObject(dc, HeaderFont(group));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, text);
    ::DrawTextA(dc, record->text, record->text.GetLength(), &textRect,
                GetGroupHeaderTextFormat(group) | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
}

void COXShortcutBar::RedrawHeader(HSHBGROUP group)
{
    const Group* record = Find(group);
    if (record && m_hWnd)
        InvalidateRect(&record->header, FALSE);
}
