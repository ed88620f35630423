// The gradient static: background modes, own font and text colour, fitting to the text and the
// tooltip that follows the text.
#include "widgets/controls/OXStatic.h"

#include "platform/win/crackers.h"
#include "platform/win/dc.h"

#include <algorithm>
#include <vector>

FW_TABLE(COXStatic, CStatic, fw::reflect<WM_CTLCOLOR, &COXStatic::OnCtlColorReflect>(),
         fw::on<WM_ERASEBKGND, &COXStatic::OnEraseBkgnd>(), fw::on<WM_SIZE, &COXStatic::OnSize>(),
         fw::on<WM_DESTROY, &COXStatic::OnDestroy>(), fw::raw<WM_SETTEXT, &COXStatic::OnSetText>())

namespace
{
// The strip's colour at distance from the starting edge over a fading length: each channel
// falls quadratically to 0 at the far end.
COLORREF Faded(COLORREF color, long long distance, long long length)
{
    if (length <= 0)
        return color;
    const long long square = length * length;
    const auto fade = [&](int channel)
    {
        const long long value = channel - channel * distance * distance / square;
        return static_cast<BYTE>(std::clamp<long long>(value, 0, 255));
    };
    return RGB(fade(GetRValue(color)), fade(GetGValue(color)), fade(GetBValue(color)));
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF color)
{
    const RECT rect = {left, top, right, bottom};
    ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}
} // namespace

COXStatic::COXStatic()
    : m_bkColor(::GetSysColor(COLOR_BTNFACE))
    , m_textColor(::GetSysColor(COLOR_WINDOWTEXT))
{
}

BOOL COXStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    m_createdHere = TRUE;
    if (!CStatic::Create(text, style, rect, parent, id))
        return FALSE;
    SetUp();
    return TRUE;
}

void COXStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    // A window being created is set up once Create has it whole.
    if (!m_createdHere)
        SetUp();
}

void COXStatic::SetUp()
{
    RememberRect();
    if (!m_toolTip.GetSafeHwnd() && m_toolTip.Create(this))
    {
        CRect client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, m_toolTipText, &client, kToolId);
        m_toolTip.Activate(m_toolTipActive);
    }
    UpdateToolTipText();
    if (!m_fontTaken)
    {
        m_fontTaken = TRUE;
        LOGFONTA logFont;
        const HFONT current = GetFont();
        if (current && ::GetObjectA(current, sizeof logFont, &logFont))
            m_font.CreateFontIndirect(&logFont);
    }
}

void COXStatic::SetBkColor(COLORREF color, BOOL redraw)
{
    m_bkColor = color;
    if (redraw && m_hWnd)
        Invalidate();
}

void COXStatic::SetBkMode(int mode, BOOL redraw)
{
    m_bkMode = mode;
    if (redraw && m_hWnd)
        Invalidate();
}

void COXStatic::SetTextColor(COLORREF color, BOOL redraw)
{
    m_textColor = color;
    if (redraw && m_hWnd)
        Invalidate();
}

BOOL COXStatic::GetLogFont(LOGFONTA* logFont) const
{
    return m_font.GetSafeHandle() && m_font.GetLogFont(logFont) != 0;
}

BOOL COXStatic::SetTextLogFont(const LOGFONTA* logFont, BOOL redraw)
{
    m_font.DeleteObject();
    if (!m_font.CreateFontIndirect(logFont))
        return FALSE;
    if (m_fitToText)
        FitToText();
    else if (redraw && m_hWnd)
        Invalidate();
    return TRUE;
}

BOOL COXStatic::SetTextFont(CFont* font, BOOL redraw)
{
    LOGFONTA logFont;
    if (!font || !font->GetLogFont(&logFont))
        return FALSE;
    return SetTextLogFont(&logFont, redraw);
}

void COXStatic::SetFitToText(BOOL fit)
{
    m_fitToText = fit;
    FitToText();
}

void COXStatic::SetToolTipText(const char* text)
{
    m_toolTipText = text ? text : "";
    m_ownToolTipText = !m_toolTipText.IsEmpty();
    UpdateToolTipText();
}

CString COXStatic::GetToolTipText(BOOL forceOwn) const
{
    if (!m_ownToolTipText && !forceOwn)
        return CString();
    return m_toolTipText;
}

void COXStatic::SetToolTip(BOOL active)
{
    m_toolTipActive = active;
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.Activate(active);
    UpdateToolTipText();
}

BOOL COXStatic::ShowsText() const
{
    switch (GetStyle() & SS_TYPEMASK)
    {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE: return TRUE;
    default: return FALSE;
    }
}

void COXStatic::UpdateToolTipText()
{
    if (m_toolTipActive && !m_ownToolTipText)
    {
        m_toolTipText.Empty();
        if (m_hWnd && ShowsText())
            GetWindowText(m_toolTipText);
    }
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.UpdateTipText(m_toolTipText, this, kToolId);
}

void COXStatic::RememberRect()
{
    GetWindowRect(&m_rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&m_rect);
}

void COXStatic::FitToText()
{
    if (!m_hWnd)
        return;
    CRect rect = m_rect;
    if (m_fitToText && ShowsText())
    {
        CString text;
        GetWindowText(text);
        CClientDC dc(this);
        const HGDIOBJ oldFont = ::SelectObject(
            dc.GetSafeHdc(), m_font.GetSafeHandle() ? m_font.GetSafeHandle() : GetFont());
        RECT measured = {0, 0, 0, 0};
        const DWORD style = GetStyle();
        UINT format = DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE;
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        ::DrawTextA(dc.GetSafeHdc(), text, text.GetLength(), &measured, format);
        ::SelectObject(dc.GetSafeHdc(), oldFont);

        CRect parentClient(0, 0, measured.right, measured.bottom);
        if (CWnd* parent = GetParent())
            parent->GetClientRect(&parentClient);
        const int width = std::min<int>(measured.right - measured.left, parentClient.Width());
        const int height = std::min<int>(measured.bottom - measured.top, parentClient.Height());
        if (style & SS_CENTERIMAGE)
            rect.top = m_rect.top + (m_rect.Height() - height) / 2;
        rect.bottom = rect.top + height;
        switch (style & SS_TYPEMASK)
        {
        case SS_CENTER: rect.left = m_rect.left + (m_rect.Width() - width) / 2; break;
        case SS_RIGHT: rect.left = m_rect.right - width; break;
        default: break;
        }
        rect.right = rect.left + width;
        m_rect = rect;
    }
    if (m_toolTip.GetSafeHwnd())
    {
        const CRect tool(0, 0, rect.Width(), rect.Height());
        m_toolTip.SetToolRect(this, kToolId, &tool);
    }
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH COXStatic::OnCtlColorReflect(CDC* dc, UINT /*type*/)
{
    // Without SS_NOTIFY a static is transparent to the mouse and its tooltip never shows.
    if (!(GetStyle() & SS_NOTIFY))
        ModifyStyle(0, SS_NOTIFY);
    if (ShowsText())
    {
        if (m_font.GetSafeHandle())
            ::SelectObject(dc->GetSafeHdc(), m_font.GetSafeHandle());
        dc->SetTextColor(m_textColor);
        dc->SetBkMode(TRANSPARENT);
    }
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

BOOL COXStatic::OnEraseBkgnd(CDC* dc)
{
    if (m_bkColor == kNoBackground)
        return TRUE;
    CRect client;
    GetClientRect(&client);
    const HDC hdc = dc->GetSafeHdc();
    const int saved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, client.left, client.top, client.right, client.bottom);
    if (m_bkMode == kSolid)
        Fill(hdc, client.left, client.top, client.right, client.bottom, m_bkColor);
    else
        PaintGradient(hdc, client);
    ::RestoreDC(hdc, saved);
    return TRUE;
}

void COXStatic::PaintGradient(HDC dc, const RECT& area) const
{
    Fill(dc, area.left, area.top, area.right, area.bottom, RGB(0, 0, 0));
    const int width = area.right - area.left;
    if (width <= 0)
        return;
    const bool fromMiddle = m_bkMode == kFadeFromMiddle;
    const int length = fromMiddle ? width / 2 : width;
    const int strip = std::max(1, fromMiddle ? length / 256 : width / 128);
    const int middle = area.left + length;
    // A fade over no length (a control 1 pixel wide fading from the middle) is one strip.
    for (int x = 0; x < std::max(length, 1); x += strip)
    {
        const COLORREF color = Faded(m_bkColor, x, length);
        switch (m_bkMode)
        {
        case kFadeFromLeft:
            Fill(dc, area.left + x, area.top, area.left + x + strip, area.bottom, color);
            break;
        case kFadeFromRight:
            Fill(dc, area.right - x - strip, area.top, area.right - x, area.bottom, color);
            break;
        case kFadeFromMiddle:
            Fill(dc, middle + x, area.top, middle + x + strip, area.bottom, color);
            Fill(dc, middle - x - strip, area.top, middle - x, area.bottom, color);
            break;
        default: return;
        }
    }
}

void COXStatic::OnSize(UINT type, int cx, int cy)
{
    CStatic::OnSize(type, cx, cy);
    if (m_fitToText)
        FitToText();
    else
    {
        RememberRect();
        if (m_toolTip.GetSafeHwnd())
        {
            const CRect tool(0, 0, cx, cy);
            m_toolTip.SetToolRect(this, kToolId, &tool);
        }
    }
    Invalidate();
}

void COXStatic::OnDestroy()
{
    if (m_toolTip.GetSafeHwnd())
    {
        m_toolTip.DelTool(this, kToolId);
        m_toolTip.DestroyWindow();
    }
    CStatic::OnDestroy();
}

LRESULT COXStatic::OnSetText(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const LRESULT result = Default();
    UpdateToolTipText();
    if (m_fitToText)
        FitToText();
    Invalidate();
    return result;
}

LRESULT COXStatic::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && m_toolTip.GetSafeHwnd())
    {
        MSG relayed = {m_hWnd, msg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        const DWORD pos = ::GetMessagePos();
        relayed.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        m_toolTip.RelayEvent(&relayed);
    }
    return CStatic::WindowProc(msg, wParam, lParam);
}
