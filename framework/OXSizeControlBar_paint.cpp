// COXSizeControlBar: the non-client area: caption geometry, the caption with its title and
// grip lines, and the close and maximize buttons.
#include "framework/OXSizeControlBar.h"
#include "platform/win/dc.h"

#include <algorithm>

namespace
{
constexpr int kTitleIndent = 6; // text start from the caption's start
constexpr int kGripWidth = 3;   // each grip line
constexpr int kGripStep = 4;    // from one grip line to the next
constexpr int kGripGap = 3;     // between the title and the grip lines
constexpr int kMinGripLength = 6;

// A raised 3-D frame: highlight top and left, shadow bottom and right.
void Draw3dRect(HDC dc, const CRect& r, COLORREF light, COLORREF shadow)
{
    CDC* cdc = CDC::FromHandle(dc);
    cdc->FillSolidRect(r.left, r.top, r.Width() - 1, 1, light);
    cdc->FillSolidRect(r.left, r.top, 1, r.Height() - 1, light);
    cdc->FillSolidRect(r.right - 1, r.top, 1, r.Height(), shadow);
    cdc->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, shadow);
}

// Where the client area's top-left lies in window coordinates.
CPoint ClientOrigin(const CWnd* wnd)
{
    CRect window;
    wnd->GetWindowRect(&window);
    POINT origin = {0, 0};
    ::ClientToScreen(wnd->m_hWnd, &origin);
    return CPoint(origin.x - window.left, origin.y - window.top);
}
} // namespace

BOOL COXSizeControlBar::HasCaption() const
{
    return !(m_dwSizeBarStyle & noCaption);
}

void COXSizeControlBar::RecalcCaptionRects()
{
    if (!m_hWnd)
        return;
    CRect caption;
    GetWindowRect(&caption);
    ScreenToClient(&caption);
    caption.DeflateRect(kBorder, kBorder);
    if (HasCaption() && !(m_dwStyle & CBRS_FLOATING))
    {
        const bool closeButton = !(m_dwSizeBarStyle & noCloseButton);
        const bool maximizeButton = !(m_dwSizeBarStyle & noMaximizeButton);
        if (IsHorzDocked())
        {
            // A strip down the left, the buttons at its top.
            caption.right = caption.left + kCaptionWidth;
            CRect* buttons[] = {closeButton ? &m_rectCloseButton : nullptr,
                                maximizeButton ? &m_rectMaximizeButton : nullptr};
            for (CRect* button : buttons)
            {
                if (!button)
                    continue;
                button->SetRect(caption.left, caption.top, caption.left + kCaptionWidth,
                                caption.top + kCaptionWidth);
                caption.top += kButtonStep;
            }
        }
        else
        {
            // A strip along the top, the buttons at its right end.
            caption.bottom = caption.top + kCaptionWidth;
            CRect* buttons[] = {closeButton ? &m_rectCloseButton : nullptr,
                                maximizeButton ? &m_rectMaximizeButton : nullptr};
            for (CRect* button : buttons)
            {
                if (!button)
                    continue;
                button->SetRect(caption.right - kCaptionWidth, caption.top, caption.right,
                                caption.top + kCaptionWidth);
                caption.right -= kButtonStep;
            }
        }
    }
    m_rectCaption = caption;
}

void COXSizeControlBar::PaintNonClientArea()
{
    const HDC hdc = ::GetWindowDC(m_hWnd);
    if (!hdc)
        return;
    CRect window;
    CRect client;
    fw::GetNonClientRects(m_hWnd, &window, &client);

    CDC* dc = CDC::FromHandle(hdc);
    DrawBorders(dc, window);
    ::ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
    ::IntersectClipRect(hdc, window.left, window.top, window.right, window.bottom);
    ::FillRect(hdc, &window, ::GetSysColorBrush(COLOR_BTNFACE));

    RecalcCaptionRects();
    if (!(m_dwSizeBarStyle & noCaption))
        DrawCaption(dc);
    if (!(m_dwSizeBarStyle & noCloseButton))
        DrawCloseButton(dc);
    if (!(m_dwSizeBarStyle & noMaximizeButton))
        DrawMaximizeButton(dc);
    ::ReleaseDC(m_hWnd, hdc);
}

void COXSizeControlBar::DrawCaption(CDC* dc)
{
    if ((m_dwSizeBarStyle & noCaption) || (m_dwStyle & CBRS_FLOATING))
        return;
    // Docked at the left or right, the caption runs along the top and reads across.
    const bool horzCaption = !IsHorzDocked();
    CRect caption = m_rectCaption;
    caption.OffsetRect(ClientOrigin(this));
    const HDC hdc = dc->GetSafeHdc();
    if (m_dwSizeBarStyle & solidCaption)
    {
        ::FillRect(hdc, &caption,
                   ::GetSysColorBrush(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    }
    else
    {
        caption.DeflateRect(2, 2);
    }
    CString title;
    GetWindowText(title);
    int textEnd = horzCaption ? caption.left : caption.bottom;
    if (!(m_dwSizeBarStyle & noTitle) && !title.IsEmpty())
        textEnd = DrawCaptionText(dc, caption, horzCaption, title);
    if (!(m_dwSizeBarStyle & solidCaption))
        DrawGripLines(dc, caption, horzCaption, textEnd);
}

int COXSizeControlBar::DrawCaptionText(CDC* dc, const CRect& caption, bool horzCaption,
                                       const CString& title)
{
    const HDC hdc = dc->GetSafeHdc();
    const bool solid = (m_dwSizeBarStyle & solidCaption) != 0;
    COLORREF color;
    if (solid)
        color = ::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    else
        color = ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    CFont rotated;
    HFONT font = m_fontTitle;
    if (!horzCaption)
    {
        // Reading upward along the strip.
        LOGFONTA logFont = {};
        ::GetObjectA(m_fontTitle, sizeof logFont, &logFont);
        logFont.lfEscapement = 900;
        logFont.lfOrientation = 900;
        if (rotated.CreateFontIndirect(&logFont))
            font = rotated;
    }
    const COLORREF oldColor = ::SetTextColor(hdc, color);
    const int oldMode = ::SetBkMode(hdc, solid ? TRANSPARENT : OPAQUE);
    const COLORREF oldBack = ::SetBkColor(hdc, ::GetSysColor(COLOR_BTNFACE));
    const HGDIOBJ oldFont = ::SelectObject(hdc, font);

    // Measured as one line, unrotated: cx along the text, cy across it.
    RECT measure = {0, 0, 0, 0};
    ::DrawTextA(hdc, title, title.GetLength(), &measure, DT_CALCRECT | DT_SINGLELINE);
    const int textLength = measure.right - measure.left;
    const int textHeight = measure.bottom - measure.top;
    int textEnd;
    if (horzCaption)
    {
        CRect text = caption;
        text.left += kTitleIndent;
        text.right = std::min<int>(text.right, text.left + textLength);
        text.top = caption.top + (caption.Height() - textHeight) / 2;
        text.bottom = text.top + textHeight;
        ::DrawTextA(hdc, title, title.GetLength(), &text,
                    DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
        textEnd = text.right;
    }
    else
    {
        CRect text = caption;
        text.bottom -= kTitleIndent;
        text.top = std::max<int>(text.top, text.bottom - textLength);
        const int x = caption.left + (caption.Width() - textHeight) / 2;
        ::ExtTextOutA(hdc, x, text.bottom, ETO_CLIPPED, &text, title, title.GetLength(), nullptr);
        textEnd = text.top;
    }
    ::SelectObject(hdc, oldFont);
    ::SetBkColor(hdc, oldBack);
    ::SetBkMode(hdc, oldMode);
    ::SetTextColor(hdc, oldColor);
    return textEnd;
}

void COXSizeControlBar::DrawGripLines(CDC* dc, const CRect& caption, bool horzCaption, int textEnd)
{
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const HDC hdc = dc->GetSafeHdc();
    const bool hasText = horzCaption ? textEnd > caption.left : textEnd < caption.bottom;
    if (horzCaption)
    {
        const int start = hasText ? textEnd + kGripGap : caption.left;
        if (caption.right - start < kMinGripLength)
            return;
        for (int i = 0; i < 2; ++i)
        {
            const int top = caption.top + i * kGripStep;
            Draw3dRect(hdc, CRect(start, top, caption.right, top + kGripWidth), light, shadow);
        }
    }
    else
    {
        const int end = hasText ? textEnd - kGripGap : caption.bottom;
        if (end - caption.top < kMinGripLength)
            return;
        for (int i = 0; i < 2; ++i)
        {
            const int left = caption.left + i * kGripStep;
            Draw3dRect(hdc, CRect(left, caption.top, left + kGripWidth, end), light, shadow);
        }
    }
}

void COXSizeControlBar::DrawCloseButton(CDC* dc)
{
    if ((m_dwSizeBarStyle & noCloseButton) || (m_dwStyle & CBRS_FLOATING) ||
        m_rectCloseButton.IsRectEmpty())
        return;
    CRect button = m_rectCloseButton;
    button.OffsetRect(ClientOrigin(this));
    UINT state = DFCS_CAPTIONCLOSE;
    if (m_nTrackedButton == trackClose)
        state |= DFCS_PUSHED;
    ::DrawFrameControl(dc->GetSafeHdc(), &button, DFC_CAPTION, state);
}

void COXSizeControlBar::DrawMaximizeButton(CDC* dc)
{
    if ((m_dwSizeBarStyle & noMaximizeButton) || (m_dwStyle & CBRS_FLOATING) ||
        m_rectMaximizeButton.IsRectEmpty())
        return;
    CRect button = m_rectMaximizeButton;
    button.OffsetRect(ClientOrigin(this));
    UINT state = m_bMaximized ? DFCS_CAPTIONMIN : DFCS_CAPTIONMAX;
    if (!CanMaximizeInRow())
        state |= DFCS_INACTIVE;
    if (m_nTrackedButton == trackMaximize)
        state |= DFCS_PUSHED;
    ::DrawFrameControl(dc->GetSafeHdc(), &button, DFC_CAPTION, state);
}

void COXSizeControlBar::RedrawButtons()
{
    const HDC hdc = ::GetWindowDC(m_hWnd);
    if (!hdc)
        return;
    CDC* dc = CDC::FromHandle(hdc);
    DrawCloseButton(dc);
    DrawMaximizeButton(dc);
    ::ReleaseDC(m_hWnd, hdc);
}
