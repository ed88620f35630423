// The bitmap button's drawing: an off-screen picture of the face, image, text, drop-down arrow
// and focus marks, and the placement of image and text that sizing to the content shares.
#include "widgets/bars/OXBitmapButton.h"

#include <algorithm>
#include <commctrl.h>

namespace
{
// Bounds the search for a wrapped text's shape: it settles in a handful of steps.
constexpr int kMaxFitSteps = 32;

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    const HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

void Frame(HDC dc, const RECT& rect, COLORREF colour)
{
    const HBRUSH brush = ::CreateSolidBrush(colour);
    ::FrameRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

// Places a span of `size` inside [low, high) by a BS_LEFT/BS_RIGHT-style choice.
int Place(int low, int high, int size, bool atStart, bool atEnd)
{
    if (atStart)
        return low;
    if (atEnd)
        return high - size;
    return low + (high - low - size) / 2;
}

CRect Cut(const CRect& rect, const CRect& content)
{
    CRect cut;
    if (!cut.IntersectRect(&rect, &content))
        return CRect(rect.left, rect.top, rect.left, rect.top);
    return cut;
}
} // namespace

void COXBitmapButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    const CRect itemRect(item->rcItem);
    UINT state = item->itemState & ~ODS_DISABLED;
    if (!IsWindowEnabled())
        state |= ODS_DISABLED;

    const HDC dc = ::CreateCompatibleDC(item->hDC);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(item->hDC, itemRect.right, itemRect.bottom);
    const HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    FillSolid(dc, itemRect, ButtonFaceColor());
    const HFONT font = GetFont();
    const HGDIOBJ oldFont = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));

    const CSize reserved = GetReservedSpace();
    const CRect content(itemRect.left, itemRect.top, itemRect.right - reserved.cx,
                        itemRect.bottom - reserved.cy);
    CRect imageRect;
    CRect textRect;
    DistributeSpace(state, content, imageRect, textRect);
    const HPALETTE oldPalette = SelectPalette(dc);
    DrawButton(dc, state, itemRect);
    DrawImage(dc, state, imageRect, textRect);
    DrawText(dc, state, textRect);
    if (HasDropDownArrow())
        DrawDropDownArrow(dc, state, ArrowRect(content));
    if (state & ODS_FOCUS)
        DrawFocusRectangle(dc, state, content, imageRect, textRect);
    if (m_animation)
    {
        ::SetWindowPos(m_animation, nullptr, imageRect.left + 1, imageRect.top + 1, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(m_animation, nullptr, FALSE);
    }
    ::BitBlt(item->hDC, itemRect.left, itemRect.top, itemRect.Width(), itemRect.Height(), dc,
             itemRect.left, itemRect.top, SRCCOPY);
    RestorePalette(dc, oldPalette);
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
}

CRect COXBitmapButton::ArrowRect(const CRect& content) const
{
    CRect strip(content.right, content.top, content.right + GetArrowWidth() + 2, content.bottom);
    strip.right -= m_arrowAdjust.cx;
    strip.top += m_arrowAdjust.cy;
    strip.bottom -= m_arrowAdjust.cy;
    return strip;
}

CSize COXBitmapButton::GetReservedSpace()
{
    return HasDropDownArrow() ? CSize(GetArrowWidth() + 2, 0) : CSize(0, 0);
}

CSize COXBitmapButton::GetImageSize() const
{
    if (m_animation)
    {
        RECT window;
        ::GetWindowRect(m_animation, &window);
        return CSize(window.right - window.left + 2, window.bottom - window.top + 2);
    }
    int width = 0;
    int height = 0;
    if (m_images && ::ImageList_GetIconSize(m_images, &width, &height))
        return CSize(width, height);
    return CSize(0, 0);
}

CSize COXBitmapButton::GetTextSize(int availableWidth)
{
    const CString text = GetText();
    if (text.IsEmpty() || !m_hWnd)
        return CSize(0, 0);
    const HDC dc = ::GetDC(m_hWnd);
    const HFONT font = GetFont();
    const HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT rect = {0, 0, 0, 0};
    ::DrawTextA(dc, text, text.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE);
    if (GetStyle() & BS_MULTILINE)
    {
        const auto wrapped = [&](int width)
        {
            RECT wrap = {0, 0, std::max(width, 1), 0};
            ::DrawTextA(dc, text, text.GetLength(), &wrap, DT_CALCRECT | DT_WORDBREAK);
            return wrap;
        };
        if (availableWidth >= 0)
        {
            rect = wrapped(availableWidth);
        }
        else
        {
            // Fitting: change the width until the shape repeats or looks balanced.
            int width = rect.right;
            RECT last = {-1, -1, -1, -1};
            for (int step = 0; step < kMaxFitSteps; ++step)
            {
                const RECT now = wrapped(width);
                const double w = now.right;
                const double h = std::max<LONG>(now.bottom, 1);
                if (::EqualRect(&now, &last) || (w / h < 2.6 && h / std::max(w, 1.0) < 1.0))
                {
                    rect = now;
                    break;
                }
                rect = last = now;
                width = w / h < 2.0 ? width + width / 4 : width - width / 3;
            }
        }
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return CSize(rect.right - rect.left, rect.bottom - rect.top);
}

void COXBitmapButton::DistributeSpace(UINT state, const CRect& content, CRect& imageRect,
                                      CRect& textRect)
{
    const CSize image = GetImageSize();
    const bool hasImage = image.cx > 0 && image.cy > 0;
    const bool sideBySide = GetVerticalAlignment() == BS_VCENTER && hasImage;
    const int textWidthLeft =
        content.Width() + 2 * m_textMargin.cx - (sideBySide ? image.cx - 2 * m_imageMargin.cx : 0);
    const CSize text = GetTextSize(std::max(textWidthLeft, 0));
    const bool hasText = text.cx > 0 && text.cy > 0;
    const CSize imageSize =
        hasImage ? CSize(image.cx - 2 * m_imageMargin.cx, image.cy - 2 * m_imageMargin.cy)
                 : CSize(0, 0);
    const DWORD horizontal = GetHorizontalAlignment();
    const DWORD vertical = GetVerticalAlignment();
    const bool left = horizontal == BS_LEFT;
    const bool right = horizontal == BS_RIGHT;

    if (sideBySide)
    {
        const CSize textSize =
            hasText ? CSize(text.cx - m_textMargin.cx, text.cy - 2 * m_textMargin.cy) : CSize(0, 0);
        const int x = Place(content.left, content.right, imageSize.cx + textSize.cx, left, right);
        const int imageY = Place(content.top, content.bottom, imageSize.cy, false, false);
        const int textY = Place(content.top, content.bottom, textSize.cy, false, false);
        imageRect = Cut(CRect(CPoint(x, imageY), imageSize), content);
        textRect = Cut(CRect(CPoint(x + imageSize.cx, textY), textSize), content);
    }
    else
    {
        const int textGrowY = hasImage ? -m_textMargin.cy : -2 * m_textMargin.cy;
        const CSize textSize =
            hasText ? CSize(text.cx - 2 * m_textMargin.cx, text.cy + textGrowY) : CSize(0, 0);
        int imageY = content.top;
        int textY = content.top;
        if (!hasImage)
        {
            textY = Place(content.top, content.bottom, textSize.cy, false, false);
        }
        else if (vertical == BS_BOTTOM)
        {
            imageY = content.bottom - imageSize.cy;
            textY = imageY - textSize.cy;
        }
        else
        {
            textY = imageY + imageSize.cy;
        }
        imageRect =
            Cut(CRect(CPoint(Place(content.left, content.right, imageSize.cx, left, right), imageY),
                      imageSize),
                content);
        textRect =
            Cut(CRect(CPoint(Place(content.left, content.right, textSize.cx, left, right), textY),
                      textSize),
                content);
    }

    CSize offset(0, 0);
    if (state & ODS_SELECTED)
        offset = m_pressedOffset;
    else if (IsChecked())
        offset = m_checkedOffset;
    else if (m_bHyperLook && m_bMouseOver && !(state & ODS_DISABLED))
        offset = m_hoverOffset;
    imageRect.OffsetRect(offset);
    textRect.OffsetRect(offset);
}

HPALETTE COXBitmapButton::SelectPalette(HDC dc)
{
    if (!m_palette)
        return nullptr;
    const HPALETTE old = ::SelectPalette(dc, m_palette, FALSE);
    ::RealizePalette(dc);
    return old;
}

void COXBitmapButton::RestorePalette(HDC dc, HPALETTE old)
{
    if (old)
        ::SelectPalette(dc, old, TRUE);
}

void COXBitmapButton::DrawButton(HDC dc, UINT state, const CRect& rect)
{
    RECT face = rect;
    const bool pressed = (state & ODS_SELECTED) != 0;
    const bool disabled = (state & ODS_DISABLED) != 0;
    if (m_bHyperLook)
    {
        if (m_bBackgroundCaptured && m_background)
            ::ImageList_Draw(m_background, 0, dc, rect.left, rect.top, ILD_NORMAL);
        return;
    }
    if (IsIndeterminate() || pressed)
        ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    else if (IsChecked())
        ::DrawFrameControl(dc, &face, DFC_BUTTON,
                           IsDropDownButton() || (m_bTrackLook && m_bMouseOver)
                               ? DFCS_BUTTONPUSH | DFCS_PUSHED
                               : DFCS_BUTTONPUSH | DFCS_CHECKED);
    else if (m_bTrackLook && (!m_bMouseOver || disabled))
        FillSolid(dc, face, ButtonFaceColor());
    else if (disabled)
        ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_INACTIVE);
    else if ((state & ODS_FOCUS) && !m_bTrackLook)
    {
        ::InflateRect(&face, -1, -1);
        ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    else
        ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
}

void COXBitmapButton::DrawImage(HDC dc, UINT state, const CRect& imageRect, const CRect&)
{
    if (!m_images || imageRect.IsRectEmpty())
        return;
    int index = 0;
    if ((state & ODS_DISABLED) && !m_bHyperLook)
        index = 2;
    else if (IsIndeterminate() ||
             (m_bTrackLook && !m_bHyperLook && !m_bMouseOver && !(state & ODS_SELECTED)))
        index = 1;
    if (::ImageList_GetImageCount(m_images) <= index)
        index = 0;
    ::ImageList_Draw(m_images, index, dc, imageRect.left - m_imageMargin.cx,
                     imageRect.top - m_imageMargin.cy, ILD_TRANSPARENT);
}

void COXBitmapButton::DrawText(HDC dc, UINT state, const CRect& textRect)
{
    const CString text = GetText();
    if (text.IsEmpty() || textRect.IsRectEmpty())
        return;
    const DWORD style = GetStyle();
    UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    const DWORD horizontal = GetHorizontalAlignment();
    format |= horizontal == BS_LEFT ? DT_LEFT : horizontal == BS_RIGHT ? DT_RIGHT : DT_CENTER;
    format |= DT_VCENTER;
    ::SetBkMode(dc, TRANSPARENT);
    RECT rect = textRect;
    if ((state & ODS_DISABLED) && !m_bHyperLook)
    {
        // Embossed text wants a place of its own: find it as DrawText would centre it.
        RECT extent = rect;
        ::DrawTextA(dc, text, text.GetLength(), &extent, format | DT_CALCRECT);
        const int width = extent.right - extent.left;
        const int height = extent.bottom - extent.top;
        const int x = (format & DT_LEFT) == DT_LEFT && !(format & (DT_CENTER | DT_RIGHT))
                          ? rect.left
                      : (format & DT_RIGHT) ? rect.right - width
                                            : rect.left + (rect.right - rect.left - width) / 2;
        const int y = rect.top + (rect.bottom - rect.top - height) / 2;
        if (!::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.GetString()),
                          static_cast<WPARAM>(text.GetLength()), x, y, width, height,
                          DST_TEXT | DSS_DISABLED))
        {
            ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
            ::DrawTextA(dc, text, text.GetLength(), &rect, format);
        }
        return;
    }
    COLORREF colour = m_textColor;
    if (IsIndeterminate())
        colour = ::GetSysColor(COLOR_BTNSHADOW);
    else if (m_bTrackLook && !m_bHyperLook && !m_bMouseOver)
        colour = RGB(0, 0, 0);
    ::SetTextColor(dc, colour);
    ::DrawTextA(dc, text, text.GetLength(), &rect, format);
}

void COXBitmapButton::DrawFocusRectangle(HDC dc, UINT state, const CRect& content,
                                         const CRect& imageRect, const CRect& textRect)
{
    if (m_bHyperLook)
    {
        const CRect& around = textRect.IsRectEmpty() ? imageRect : textRect;
        const CPoint centre = around.CenterPoint();
        const HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
        const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(HOLLOW_BRUSH));
        ::Ellipse(dc, centre.x - m_focusCircle.cx / 2, centre.y - m_focusCircle.cy / 2,
                  centre.x - m_focusCircle.cx / 2 + m_focusCircle.cx,
                  centre.y - m_focusCircle.cy / 2 + m_focusCircle.cy);
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
        return;
    }
    CRect focus = content;
    focus.InflateRect(m_focusInflate);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::DrawFocusRect(dc, &focus);
    if (m_bTrackLook || IsChecked() || IsIndeterminate())
        return;
    CRect frame = content;
    frame.InflateRect(m_defaultInflate);
    Frame(dc, frame, RGB(0, 0, 0));
    if (state & ODS_SELECTED)
    {
        frame.DeflateRect(1, 1);
        Frame(dc, frame, ::GetSysColor(COLOR_BTNSHADOW));
    }
}

void COXBitmapButton::DrawDropDownArrow(HDC dc, UINT state, const CRect& arrowRect)
{
    CRect strip = arrowRect;
    if (m_bDrawSeparator && (!m_bTrackLook || m_bMouseOver))
    {
        RECT client;
        GetClientRect(&client);
        const int x = strip.left + m_arrowAdjust.cx;
        const RECT shadow = {x, client.top + 4, x + 1, client.bottom - 4};
        const RECT light = {x + 1, client.top + 4, x + 2, client.bottom - 4};
        FillSolid(dc, shadow, ::GetSysColor(COLOR_BTNSHADOW));
        FillSolid(dc, light, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    if (state & ODS_SELECTED)
        strip.OffsetRect(m_pressedOffset);
    else if (IsChecked())
        strip.OffsetRect(m_checkedOffset);
    LOGFONTA logFont = {};
    logFont.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = SYMBOL_CHARSET;
    lstrcpyA(logFont.lfFaceName, "Marlett");
    const HFONT font = ::CreateFontIndirectA(&logFont);
    const HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor((state & ODS_DISABLED) ? COLOR_BTNSHADOW : COLOR_BTNTEXT));
    const char* glyph = (m_styleEx & OXBB_EX_DROPDOWNRIGHT) ? "8" : "6";
    RECT rect = strip;
    ::DrawTextA(dc, glyph, 1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
}

CSize COXBitmapButton::GetFitButtonSize()
{
    const CSize image = GetImageSize();
    const CSize text = GetTextSize(-1);
    const bool hasImage = image.cx > 0 && image.cy > 0;
    const bool hasText = text.cx > 0 && text.cy > 0;
    CSize size(14, 12);
    if (GetVerticalAlignment() == BS_VCENTER)
    {
        if (hasImage && hasText)
            size = CSize(image.cx + 10 + text.cx + 7, std::max(image.cy + 10, text.cy + 12));
        else if (hasText)
            size = CSize(text.cx + 14, text.cy + 12);
        else if (hasImage)
            size = CSize(image.cx + 10, image.cy + 10);
    }
    else if (hasImage || hasText)
    {
        size.cx = std::max(hasImage ? image.cx + 10 : 0, hasText ? text.cx + 14 : 0);
        size.cy = hasImage ? image.cy + 10 + (hasText ? text.cy + 6 : 0) : text.cy + 12;
    }
    return size + GetReservedSpace();
}

void COXBitmapButton::SizeToContent()
{
    if (!m_hWnd)
        return;
    CRect before;
    GetWindowRect(&before);
    const CSize size = GetFitButtonSize();
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    CRect after;
    GetWindowRect(&after);
    if (CWnd* parent = GetParent())
    {
        CRect both;
        both.UnionRect(&before, &after);
        parent->ScreenToClient(&both);
        parent->InvalidateRect(&both);
    }
}
