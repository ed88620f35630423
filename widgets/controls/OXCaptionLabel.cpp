// The etched caption line: its own copy of the text, and the line beside, before or around it.
#include "widgets/controls/OXCaptionLabel.h"

#include "platform/win/crackers.h"
#include "platform/win/dc.h"

#include <algorithm>
#include <cstring>
#include <string>

FW_TABLE(COXCaptionLabel, CStatic, fw::on<WM_ERASEBKGND, &COXCaptionLabel::OnEraseBkgnd>(),
         fw::on<WM_PAINT, &COXCaptionLabel::OnPaint>(), fw::on<WM_SIZE, &COXCaptionLabel::OnSize>(),
         fw::raw<WM_SETTEXT, &COXCaptionLabel::OnSetText>(),
         fw::raw<WM_GETTEXT, &COXCaptionLabel::OnGetText>(),
         fw::raw<WM_GETTEXTLENGTH, &COXCaptionLabel::OnGetTextLength>())

namespace
{
constexpr DWORD kFrameExStyles =
    WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;

// Keeps a font selected for one scope.
class SelectedFont
{
public:
    SelectedFont(HDC dc, HFONT font)
        : m_dc(dc)
        , m_old(font ? ::SelectObject(dc, font) : nullptr)
    {
    }
    ~SelectedFont()
    {
        if (m_old)
            ::SelectObject(m_dc, m_old);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};
} // namespace

COXCaptionLabel::COXCaptionLabel()
    : m_textColor(::GetSysColor(COLOR_WINDOWTEXT))
    , m_shadowColor(::GetSysColor(COLOR_BTNSHADOW))
    , m_highlightColor(::GetSysColor(COLOR_BTNHIGHLIGHT))
{
}

void COXCaptionLabel::SetLineColors(COLORREF shadow, COLORREF highlight)
{
    m_shadowColor = shadow;
    m_highlightColor = highlight;
}

BOOL COXCaptionLabel::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style &= ~WS_BORDER;
    cs.dwExStyle &= ~kFrameExStyles;
    m_text = cs.lpszName ? cs.lpszName : "";
    return CStatic::PreCreateWindow(cs);
}

void COXCaptionLabel::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
    if ((style & WS_BORDER) || (exStyle & kFrameExStyles))
    {
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, style & ~WS_BORDER);
        ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, exStyle & ~kFrameExStyles);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    // Before WM_CREATE (a window still being made) the window has no text yet; the creation
    // text came through PreCreateWindow.
    const int length = static_cast<int>(::DefWindowProcA(m_hWnd, WM_GETTEXTLENGTH, 0, 0));
    if (length > 0)
    {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        ::DefWindowProcA(m_hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        m_text = text.c_str();
    }
}

LRESULT COXCaptionLabel::OnSetText(WPARAM /*wParam*/, LPARAM lParam)
{
    m_text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    Default(); // keeps the window's own text for accessibility and the default handlers
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

LRESULT COXCaptionLabel::OnGetText(WPARAM wParam, LPARAM lParam)
{
    char* buffer = reinterpret_cast<char*>(lParam);
    const size_t size = static_cast<size_t>(wParam);
    if (!buffer || size == 0)
        return 0;
    // Room for the terminating null is kept: a buffer of length + 1 takes the whole text.
    const size_t copied = std::min(static_cast<size_t>(m_text.GetLength()), size - 1);
    std::memcpy(buffer, static_cast<const char*>(m_text), copied);
    buffer[copied] = '\0';
    return static_cast<LRESULT>(copied);
}

LRESULT COXCaptionLabel::OnGetTextLength(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return m_text.GetLength();
}

BOOL COXCaptionLabel::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client.left, client.top, client.Width(), client.Height(),
                      ::GetSysColor(COLOR_3DFACE));
    return TRUE;
}

void COXCaptionLabel::OnSize(UINT type, int cx, int cy)
{
    CStatic::OnSize(type, cx, cy);
    Invalidate();
}

void COXCaptionLabel::DrawLine(HDC dc, int from, int to, int centre, int thickness) const
{
    if (to <= from)
        return;
    // Shadow on the top-left, highlight on the bottom-right: a sunken 3-D rectangle.
    const int half = thickness / 2;
    CRect client;
    GetClientRect(&client);
    // Vertically the line's length runs upwards from the bottom, as the turned text does.
    const CRect line =
        m_vertical ? CRect(centre - half, client.bottom - to, centre + half, client.bottom - from)
                   : CRect(from, centre - half, to, centre + half);
    CDC* cdc = CDC::FromHandle(dc);
    cdc->FillSolidRect(line.left, line.top, line.Width(), 1, m_shadowColor);
    cdc->FillSolidRect(line.left, line.top, 1, line.Height(), m_shadowColor);
    cdc->FillSolidRect(line.left, line.bottom - 1, line.Width(), 1, m_highlightColor);
    cdc->FillSolidRect(line.right - 1, line.top, 1, line.Height(), m_highlightColor);
}

void COXCaptionLabel::OnPaint()
{
    PAINTSTRUCT ps;
    const HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (ps.fErase)
        OnEraseBkgnd(CDC::FromHandle(dc));
    CRect client;
    GetClientRect(&client);

    HFONT font = GetFont();
    HFONT turned = nullptr;
    if (m_vertical)
    {
        LOGFONTA logFont = {};
        ::GetObjectA(font ? font : ::GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
        logFont.lfEscapement = 900;
        logFont.lfOrientation = 900;
        turned = ::CreateFontIndirectA(&logFont);
        font = turned;
    }
    {
        const SelectedFont selected(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        SIZE extent = {0, 0};
        if (!m_text.IsEmpty())
            ::GetTextExtentPoint32A(dc, m_text, m_text.GetLength(), &extent);

        // Along the line (x, or y upwards when vertical) and across it.
        const int length = m_vertical ? client.Height() : client.Width();
        const int across = m_vertical ? client.Width() : client.Height();
        const int centre = across / 2;
        const int textLength = extent.cx;
        const DWORD align = GetStyle() & 0xF;
        int textStart = 0;
        if (align == SS_CENTER)
            textStart = (length - textLength) / 2;
        else if (align == SS_RIGHT)
            textStart = length - textLength;
        const int textEnd = textStart + textLength;

        if (m_text.IsEmpty())
            DrawLine(dc, 0, length, centre, 2);
        else if (align == SS_CENTER)
        {
            DrawLine(dc, 0, textStart - kTextGap, centre, 2);
            DrawLine(dc, textEnd + kTextGap, length, centre, 2);
        }
        else if (align == SS_RIGHT)
            DrawLine(dc, 0, textStart - kTextGap, centre, 2);
        else
            DrawLine(dc, textEnd + kTextGap, length, centre, 2);

        if (!m_text.IsEmpty())
        {
            ::SetTextColor(dc, m_textColor);
            if (m_vertical)
            {
                // Turned text runs upwards from its origin at the bottom.
                const int x = (across - extent.cy) / 2;
                ::TextOutA(dc, x, client.bottom - textStart, m_text, m_text.GetLength());
            }
            else
            {
                RECT textRect = {textStart, 0, textEnd, client.bottom};
                ::DrawTextA(dc, m_text, m_text.GetLength(), &textRect,
                            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
            }
        }
    }
    if (turned)
        ::DeleteObject(turned);
    ::EndPaint(m_hWnd, &ps);
}
