// COXBitmapMenu drawing: one owner-drawn item (background, image button, image, label and
// shortcut), separators, the submenu and expansion glyphs, and the customisation marks.
#include "platform/win/app.h"
#include "platform/win/dc.h"
#include "platform/win/wnd.h"
#include "widgets/bars/AnsiText.h"
#include "widgets/bars/OXBitmapMenu.h"
#include "widgets/bars/OXMenuOrganizer.h"

namespace
{
constexpr UINT kPopupId = 0xFFFFFFFFu;
constexpr UINT kExpansionLow = 0xFF56;

void FillRect(HDC dc, const CRect& rect, COLORREF colour)
{
    const COLORREF old = ::SetBkColor(dc, colour);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void DrawLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour)
{
    const HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    const HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, x0, y0, nullptr);
    ::LineTo(dc, x1, y1);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

// The "Marlett" glyph font at the menu check-mark height.
HFONT CreateGlyphFont()
{
    LOGFONTA font = {};
    font.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SYMBOL_CHARSET;
    lstrcpyA(font.lfFaceName, "Marlett");
    return ::CreateFontIndirectA(&font);
}

void DrawGlyph(HDC dc, const char* glyph, CRect rect, COLORREF colour)
{
    const HFONT font = CreateGlyphFont();
    const HGDIOBJ old = ::SelectObject(dc, font);
    const COLORREF oldColour = ::SetTextColor(dc, colour);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, glyph, 1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldColour);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
}

COLORREF TextColour(UINT state)
{
    if (state & ODS_DISABLED)
        return ::GetSysColor(COLOR_GRAYTEXT);
    return ::GetSysColor((state & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
}
} // namespace

HBRUSH COXBitmapMenu::CheckerBrush()
{
    // Alternating pixels of the 3-D highlight and the menu colour, made at each use so that
    // a colour change shows at once.
    const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    DWORD pixels[64];
    for (int y = 0; y < 8; ++y)
    {
        for (int x = 0; x < 8; ++x)
        {
            const COLORREF c = ((x + y) % 2 == 0) ? light : menu;
            pixels[y * 8 + x] = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;
        }
    }
    const HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 32, pixels);
    const HBRUSH brush = ::CreatePatternBrush(bitmap);
    ::DeleteObject(bitmap);
    return brush;
}

UINT COXBitmapMenu::RecentlyUsedState(UINT state, int position) const
{
    CWnd* main = AfxGetMainWnd();
    const COXMenuOrganizer* organizer =
        main ? COXMenuOrganizer::FindOrganizer(main->GetSafeHwnd()) : nullptr;
    if (!organizer || !organizer->IsShowOnlyRecentlyUsed() || position < 0 ||
        organizer->IsRecentlyUsed(m_hMenu, position))
        return state;
    state |= kOXBMStateHidden;
    const int count = ::GetMenuItemCount(m_hMenu);
    if (position > 0 && organizer->IsRecentlyUsed(m_hMenu, position - 1))
        state |= kOXBMStatePrevRecent;
    if (position < count - 1 && organizer->IsRecentlyUsed(m_hMenu, position + 1))
        state |= kOXBMStateNextRecent;
    return state;
}

void COXBitmapMenu::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (!item || !item->itemData)
        return;
    const CRect rect(item->rcItem);
    CDC* dc = CDC::FromHandle(item->hDC);
    const auto* data = reinterpret_cast<const BitmapMenuItemData*>(item->itemData);
    const CString text = data->text;
    const MenuImageInfo* image = data->image;
    const UINT id = item->itemID;
    CRect button;
    CRect imageRect;
    CRect label;
    CRect shortcut;
    if (id != 0 && id != 0xFFFF)
        ComputeItemRects(item->itemState, image, rect, button, imageRect, label, shortcut);
    const int position = GetItemFromPoint(rect.CenterPoint());
    const UINT state = RecentlyUsedState(item->itemState, position);

    if (id == 0 || id == 0xFFFF)
    {
        DrawSeparator(dc, rect);
    }
    else if (id == kPopupId)
    {
        DrawSubmenuItem(dc, state, text, image, rect, button, label, shortcut);
    }
    else
    {
        DrawBackground(dc, state, image, rect, button);
        DrawButton(dc, state, image, button);
        DrawImage(dc, state, image, imageRect);
        if (LOWORD(id) == kExpansionLow)
            DrawExpansionItem(dc, rect, state);
        else
            DrawItemText(dc, state, text, label, shortcut);
    }
    if (m_customizedItem != -1 && position == m_customizedItem &&
        GetMenuItemID(m_customizedItem) == id)
        DrawCustomizedFrame(dc, rect);
    if (m_dropInsertIndex != -1)
    {
        const int count = static_cast<int>(GetMenuItemCount());
        const BOOL before = m_dropInsertIndex < count;
        const int marked = before ? m_dropInsertIndex : m_dropInsertIndex - 1;
        if (position == marked)
            DrawInsertMark(dc, rect, before);
    }
}

void COXBitmapMenu::ComputeItemRects(UINT, const MenuImageInfo* image, const CRect& item,
                                     CRect& button, CRect& imageRect, CRect& label,
                                     CRect& shortcut) const
{
    if (image && image->imageList)
    {
        int cx = 0;
        int cy = 0;
        image->imageList->GetIconSize(&cx, &cy);
        const int top = item.top + (item.Height() - cy) / 2;
        imageRect.SetRect(item.left + kImageGapLeft, top, item.left + kImageGapLeft + cx, top + cy);
        button = imageRect;
        button.InflateRect(kButtonFrame, kButtonFrame);
    }
    const int top = item.top + (item.Height() - m_textHeight) / 2;
    label.left = kImageGapLeft + m_maxImageWidth + kImageLabelGap;
    label.right = label.left + m_maxLabelWidth;
    label.top = top;
    label.bottom = top + m_textHeight;
    shortcut.right = item.right - kShortcutGapRight;
    shortcut.left = shortcut.right - m_maxShortcutWidth;
    const int shift = (shortcut.left - label.right) / 2;
    shortcut.OffsetRect(-shift, 0);
    shortcut.top = label.top;
    shortcut.bottom = label.bottom;
}

void COXBitmapMenu::DrawBackground(CDC* dc, UINT state, const MenuImageInfo* image,
                                   const CRect& item, const CRect& button)
{
    const HDC hdc = dc->GetSafeHdc();
    const bool selected = (state & ODS_SELECTED) != 0;
    const bool checked = (state & ODS_CHECKED) != 0;
    const bool hidden = (state & kOXBMStateHidden) != 0;
    const bool checkMark = image && image->isCheckMark;
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);

    if (!button.IsRectEmpty())
    {
        if ((hidden && !checkMark) || (checked && !selected))
        {
            const HBRUSH checker = CheckerBrush();
            ::FillRect(hdc, &button, checker);
            ::DeleteObject(checker);
        }
        else if (!checked && selected && checkMark)
        {
            FillRect(hdc, button, highlight);
        }
        else
        {
            FillRect(hdc, button, menu);
        }
    }
    if (hidden && !selected)
    {
        const HBRUSH checker = CheckerBrush();
        ::FillRect(hdc, &item, checker);
        ::DeleteObject(checker);
        if (state & kOXBMStatePrevRecent)
            DrawLine(hdc, item.left, item.top, item.right, item.top, ::GetSysColor(COLOR_3DSHADOW));
        if (state & kOXBMStateNextRecent)
            DrawLine(hdc, item.left, item.bottom - 1, item.right, item.bottom - 1,
                     ::GetSysColor(COLOR_3DHILIGHT));
        return;
    }
    const int k = checked ? 2 : (checkMark ? -1 : 1);
    const int left = std::max(static_cast<int>(button.right), m_maxImageWidth + k + 2);
    FillRect(hdc, CRect(left, item.top, item.right, item.bottom - 1), selected ? highlight : menu);
}

void COXBitmapMenu::DrawButton(CDC* dc, UINT state, const MenuImageInfo* image, const CRect& button)
{
    if (button.IsRectEmpty())
        return;
    RECT rect = button;
    const bool selected = (state & ODS_SELECTED) != 0;
    const bool enabled = (state & ODS_DISABLED) == 0;
    const bool checked = (state & ODS_CHECKED) != 0;
    if (selected && enabled)
    {
        if (checked)
            ::DrawEdge(dc->GetSafeHdc(), &rect, BDR_SUNKENINNER, BF_RECT);
        else if (!(image && image->isCheckMark))
            ::DrawEdge(dc->GetSafeHdc(), &rect, BDR_RAISEDINNER, BF_RECT);
    }
    else if (checked)
    {
        ::DrawEdge(dc->GetSafeHdc(), &rect, BDR_SUNKENOUTER, BF_RECT);
    }
}

void COXBitmapMenu::DrawImage(CDC* dc, UINT state, const MenuImageInfo* image,
                              const CRect& imageRect)
{
    if (!image || !image->imageList || (image->isCheckMark && !(state & ODS_CHECKED)))
        return;
    const int index = ((state & ODS_SELECTED) && image->selectedIndex != -1) ? image->selectedIndex
                                                                             : image->index;
    if (!(state & ODS_DISABLED))
    {
        image->imageList->Draw(dc, index, imageRect.TopLeft(), ILD_TRANSPARENT);
        return;
    }
    const HICON icon = image->imageList->ExtractIcon(index);
    if (!icon)
        return;
    ::DrawStateA(dc->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0,
                 imageRect.left, imageRect.top, imageRect.Width(), imageRect.Height(),
                 DST_ICON | DSS_DISABLED);
    ::DestroyIcon(icon);
}

void COXBitmapMenu::DrawItemText(CDC* dc, UINT state, const CString& text, const CRect& label,
                                 const CRect& shortcut)
{
    const HDC hdc = dc->GetSafeHdc();
    const COLORREF oldColour = ::SetTextColor(hdc, TextColour(state));
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    // Embossed only when the highlight does not show the item anyway.
    const bool embossed = (state & ODS_DISABLED) && !(state & ODS_SELECTED);
    const int tab = text.Find('\t');
    const CString labelText = tab < 0 ? text : text.Left(tab);
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    const auto draw = [&](const CString& part, CRect rect, UINT format)
    {
        if (embossed)
        {
            // Embossed: the text in the highlight colour one pixel down-right, then in shadow.
            CRect offset = rect;
            offset.OffsetRect(1, 1);
            ::SetTextColor(hdc, ::GetSysColor(COLOR_3DHILIGHT));
            DrawAnsiText(hdc, part, part.GetLength(), &offset, format);
            ::SetTextColor(hdc, ::GetSysColor(COLOR_3DSHADOW));
        }
        DrawAnsiText(hdc, part, part.GetLength(), &rect, format);
    };
    draw(labelText, label, flags);
    if (tab >= 0)
    {
        const CString shortcutText = text.Mid(tab + 1);
        draw(shortcutText, shortcut, (flags & ~DT_LEFT) | DT_RIGHT);
    }
    ::SetBkMode(hdc, oldMode);
    ::SetTextColor(hdc, oldColour);
}

void COXBitmapMenu::DrawSeparator(CDC* dc, const CRect& rect)
{
    CRect line = rect;
    line.DeflateRect(2, 0);
    line.top = rect.top + rect.Height() / 2 - 1;
    line.bottom = line.top + 2;
    const HDC hdc = dc->GetSafeHdc();
    FillRect(hdc, CRect(line.left, line.top, line.right - 1, line.top + 1),
             ::GetSysColor(COLOR_3DSHADOW));
    FillRect(hdc, CRect(line.left, line.top, line.left + 1, line.bottom - 1),
             ::GetSysColor(COLOR_3DSHADOW));
    FillRect(hdc, CRect(line.left, line.bottom - 1, line.right, line.bottom),
             ::GetSysColor(COLOR_3DHILIGHT));
    FillRect(hdc, CRect(line.right - 1, line.top, line.right, line.bottom),
             ::GetSysColor(COLOR_3DHILIGHT));
}

void COXBitmapMenu::DrawSubmenuItem(CDC* dc, UINT state, const CString& text,
                                    const MenuImageInfo* image, const CRect& item,
                                    const CRect& button, const CRect& label, const CRect& shortcut)
{
    DrawBackground(dc, state, image, item, button);
    if (m_pPopupWnd)
        DrawGlyph(dc->GetSafeHdc(), "8", shortcut,
                  (state & ODS_DISABLED) ? ::GetSysColor(COLOR_3DSHADOW) : TextColour(state));
    DrawItemText(dc, state, text, label, shortcut);
}

void COXBitmapMenu::DrawExpansionItem(CDC* dc, const CRect& rect, UINT state)
{
    DrawGlyph(dc->GetSafeHdc(), "6", rect, TextColour(state));
}

void COXBitmapMenu::DrawCustomizedFrame(CDC* dc, const CRect& rect)
{
    // An inverted frame two pixels wide; drawing it again takes it away.
    const HDC hdc = dc->GetSafeHdc();
    const HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    const HGDIOBJ old = ::SelectObject(hdc, brush);
    ::PatBlt(hdc, rect.left, rect.top, rect.Width(), 2, PATINVERT);
    ::PatBlt(hdc, rect.left, rect.bottom - 2, rect.Width(), 2, PATINVERT);
    ::PatBlt(hdc, rect.left, rect.top + 2, 2, rect.Height() - 4, PATINVERT);
    ::PatBlt(hdc, rect.right - 2, rect.top + 2, 2, rect.Height() - 4, PATINVERT);
    ::SelectObject(hdc, old);
}

void COXBitmapMenu::DrawInsertMark(CDC* dc, const CRect& rect, BOOL before)
{
    CRect mark = rect;
    mark.DeflateRect(2, 0);
    if (before)
    {
        mark.top -= 2;
        mark.bottom = mark.top + 3;
    }
    else
    {
        mark.bottom += 1;
        mark.top = mark.bottom - 3;
    }
    const POINT points[] = {{mark.left, mark.top},
                            {mark.left + 1, mark.top + 1},
                            {mark.right - 1, mark.top + 1},
                            {mark.right, mark.top},
                            {mark.right, mark.bottom},
                            {mark.right - 1, mark.bottom - 1},
                            {mark.left + 1, mark.bottom - 1},
                            {mark.left, mark.bottom},
                            {mark.left, mark.top}};
    ::Polyline(dc->GetSafeHdc(), points, 9);
}
