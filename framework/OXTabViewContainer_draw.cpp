// COXTabViewContainer: painting of the buttons, splitter, size box and tabs; hit testing, the
// scroll buttons with their repeat timer, the splitter drag and tab scrolling.
#include "framework/OXTabViewContainer.h"
#include "platform/win/dc.h"
#include "platform/win/resource.h"
#include "resources/ids/framework_ids.h"

#include <windows.h>

#include <algorithm>

namespace
{
// Fills rect with a system colour.
void FillSys(HDC dc, const RECT& rect, int colorIndex)
{
    ::FillRect(dc, &rect, ::GetSysColorBrush(colorIndex));
}

// A one-pixel frame: top and left in one colour, bottom and right in the other.
void Draw3dFrame(HDC dc, const CRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const auto line = [dc](int x, int y, int width, int height, COLORREF color)
    {
        ::SetBkColor(dc, color);
        const RECT r = {x, y, x + width, y + height};
        ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    };
    line(rect.left, rect.top, rect.Width() - 1, 1, topLeft);
    line(rect.left, rect.top, 1, rect.Height() - 1, topLeft);
    line(rect.right - 1, rect.top, 1, rect.Height(), bottomRight);
    line(rect.left, rect.bottom - 1, rect.Width(), 1, bottomRight);
}

// A triangle of the button's arrow, with a bar in front for the first and last buttons.
void DrawArrow(HDC dc, const CRect& rect, bool pointsLeft, bool hasBar)
{
    const int size = std::max(2, std::min(rect.Width(), rect.Height()) / 4);
    const CPoint centre = rect.CenterPoint();
    const int tip = pointsLeft ? centre.x - size / 2 : centre.x + size / 2;
    const int back = pointsLeft ? tip + size : tip - size;
    const POINT triangle[3] = {{tip, centre.y}, {back, centre.y - size}, {back, centre.y + size}};
    const HBRUSH brush = ::GetSysColorBrush(COLOR_WINDOWTEXT);
    const HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    const HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    const HGDIOBJ oldPen = ::SelectObject(dc, pen);
    ::Polygon(dc, triangle, 3);
    if (hasBar)
    {
        const int barX = pointsLeft ? tip - 2 : tip + 1;
        const RECT bar = {barX, centre.y - size, barX + 2, centre.y + size + 1};
        ::FillRect(dc, &bar, brush);
    }
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(pen);
}
} // namespace

int COXTabViewContainer::HitTest(CPoint point) const
{
    if (m_rectSplitter.PtInRect(point))
        return hitSplitter;
    if (m_rectHorzBar.PtInRect(point))
        return hitHorzBar;
    if (m_rectVertBar.PtInRect(point))
        return hitVertBar;
    const int buttons[4] = {hitFirst, hitPrevious, hitNext, hitLast};
    for (int i = 0; i < 4; ++i)
    {
        if (m_rectScrollButtons[i].PtInRect(point))
            return buttons[i];
    }
    if (m_rectTabArea.PtInRect(point))
    {
        for (int i = 0; i < GetPageCount(); ++i)
        {
            CRect tab = GetTabRect(i);
            tab.bottom = m_rectTabArea.bottom;
            if (tab.PtInRect(point))
                return i;
        }
        return hitTabArea;
    }
    if (m_rectSizeBox.PtInRect(point))
        return hitSizeBox;
    if (m_rectPage.PtInRect(point))
        return hitPage;
    return hitNone;
}

void COXTabViewContainer::RedrawBottomStrip()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const CRect strip(client.left, m_rectSplitter.top, m_rectSplitter.right, client.bottom);
    InvalidateRect(&strip, FALSE);
    InvalidateRect(&m_rectSizeBox, FALSE);
}

void COXTabViewContainer::RedrawTabArea()
{
    if (m_hWnd)
        InvalidateRect(&m_rectTabArea, FALSE);
}

void COXTabViewContainer::RedrawButton(int hitCode)
{
    if (m_hWnd)
        InvalidateRect(&GetScrollButtonRect(hitCode), FALSE);
}

void COXTabViewContainer::EnsureTabVisible(int index, BOOL acceptPartial)
{
    const int areaWidth = m_rectTabArea.Width();
    if (areaWidth <= 0 || index < 0 || index >= static_cast<int>(m_tabRects.size()))
        return;
    const int left = m_tabRects[index].left + m_nTabOffset;
    const int right = m_tabRects[index].right + m_nTabOffset;
    const bool isInside = left >= 0 && right <= areaWidth;
    const bool coversArea = left <= 0 && right >= areaWidth;
    const bool isPartlyVisible = right > 0 && left < areaWidth;
    if (isInside || coversArea || (acceptPartial && isPartlyVisible))
        return;
    const int margin = std::min(areaWidth / 2, 20);
    const int lastIndex = static_cast<int>(m_tabRects.size()) - 1;
    if (left < 0)
        m_nTabOffset += -left + (index != 0 ? margin : 0);
    else if (right > areaWidth)
        m_nTabOffset -= right - areaWidth + (index != lastIndex ? margin : 0);
    m_nTabOffset = std::min(m_nTabOffset, 0);
    RedrawTabArea();
}

void COXTabViewContainer::DoScrollButtonAction(int hitCode)
{
    const int areaWidth = m_rectTabArea.Width();
    if (m_tabRects.empty() || areaWidth <= 0)
        return;
    const int lastRight = m_tabRects.back().right;
    const bool isLastBeyond = lastRight + m_nTabOffset > areaWidth;
    switch (hitCode)
    {
    case hitFirst: m_nTabOffset = 0; break;
    case hitPrevious: m_nTabOffset = std::min(m_nTabOffset + kTabScrollStep, 0); break;
    case hitNext:
        if (isLastBeyond)
            m_nTabOffset = std::max(m_nTabOffset - kTabScrollStep, areaWidth - lastRight);
        break;
    case hitLast:
        if (isLastBeyond)
            m_nTabOffset = areaWidth - lastRight;
        break;
    default: return;
    }
    RedrawTabArea();
}

void COXTabViewContainer::OnLButtonDown(UINT flags, CPoint point)
{
    const int hit = HitTest(point);
    if (hit >= 0)
    {
        if (hit != m_nActivePage)
            SetActivePageIndex(hit);
        return;
    }
    if (hit <= hitFirst && hit >= hitLast)
    {
        SetCapture();
        m_nPressedButton = hit;
        m_bPressedLook = TRUE;
        RedrawButton(hit);
        DoScrollButtonAction(hit);
        m_nTimer = SetTimer(kRepeatTimerId, kRepeatMs);
        return;
    }
    if (hit == hitSplitter)
    {
        SetCapture();
        m_bSplitterDrag = TRUE;
        return;
    }
    CWnd::OnLButtonDown(flags, point);
}

void COXTabViewContainer::OnMouseMove(UINT flags, CPoint point)
{
    if (m_nPressedButton != hitNone)
    {
        const BOOL isOver = HitTest(point) == m_nPressedButton;
        if (isOver != m_bPressedLook)
        {
            m_bPressedLook = isOver;
            RedrawButton(m_nPressedButton);
        }
        return;
    }
    if (m_bSplitterDrag)
    {
        DragSplitter(point.x);
        return;
    }
    CWnd::OnMouseMove(flags, point);
}

void COXTabViewContainer::DragSplitter(int cursorX)
{
    const int buttonsRight = m_rectScrollButtons[3].right;
    // The splitter stops kMinSplitterRoom short of the page's right edge, as the layout does.
    const int x = std::max(buttonsRight + kSplitterWidth / 2,
                           std::min<int>(cursorX, m_rectPage.right - kMinSplitterRoom + 3));
    const int oldLeft = m_rectSplitter.left;
    const int newLeft = x - kSplitterWidth / 2;
    if (newLeft == oldLeft)
        return;
    m_nTabButtonsAreaWidth = newLeft - buttonsRight;
    CalcLayout();
    if (m_horzBar.m_hWnd)
        m_horzBar.MoveWindow(m_rectHorzBar.left, m_rectHorzBar.top, m_rectHorzBar.Width(),
                             m_rectHorzBar.Height());
    // Moving right with the tabs scrolled left: the tabs follow while the last one fits.
    const int moved = newLeft - oldLeft;
    if (moved > 0 && m_nTabOffset < 0 && !m_tabRects.empty() &&
        m_tabRects.back().right + m_nTabOffset <= m_rectTabArea.Width())
        m_nTabOffset = std::min(m_nTabOffset + moved, 0);
    RedrawBottomStrip();
}

void COXTabViewContainer::EndMouseTracking()
{
    const int pressed = m_nPressedButton;
    // The repeat timer always stops: left running it would tick for nothing.
    if (m_nTimer != 0 && m_hWnd)
        KillTimer(m_nTimer);
    m_nTimer = 0;
    m_nPressedButton = hitNone;
    m_bPressedLook = FALSE;
    m_bSplitterDrag = FALSE;
    if (pressed != hitNone)
        RedrawButton(pressed);
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void COXTabViewContainer::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_nPressedButton == hitNone && !m_bSplitterDrag)
    {
        CWnd::OnLButtonUp(flags, point);
        return;
    }
    EndMouseTracking();
}

void COXTabViewContainer::OnCancelMode()
{
    EndMouseTracking();
    CWnd::OnCancelMode();
}

void COXTabViewContainer::OnTimer(UINT_PTR id)
{
    if (id != kRepeatTimerId)
    {
        CWnd::OnTimer(id);
        return;
    }
    if (m_nPressedButton != hitNone && m_bPressedLook)
        DoScrollButtonAction(m_nPressedButton);
}

BOOL COXTabViewContainer::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (hitTest == HTCLIENT)
    {
        POINT cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        if (m_bSplitterDrag || HitTest(cursor) == hitSplitter)
        {
            HCURSOR splitter = fw::LoadResourceCursor(IDC_OXTABVIEW_SPLITTER);
            ::SetCursor(splitter ? splitter : ::LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

BOOL COXTabViewContainer::OnEraseBkgnd(CDC* dc)
{
    if (m_pages.empty())
    {
        CRect client;
        GetClientRect(&client);
        FillSys(*dc, client, COLOR_BTNFACE);
    }
    return TRUE;
}

void COXTabViewContainer::FillUncoveredPage(CDC* dc)
{
    CWnd* page = GetActivePage();
    if (!page || !::IsWindow(page->m_hWnd))
        return;
    CRect covered;
    page->GetWindowRect(&covered);
    ScreenToClient(&covered);
    if ((covered & m_rectPage) == m_rectPage)
        return;
    HBRUSH brush = reinterpret_cast<HBRUSH>(::GetClassLongPtrA(page->m_hWnd, GCLP_HBRBACKGROUND));
    if (!brush)
        brush = ::GetSysColorBrush(COLOR_WINDOW);
    const HRGN uncovered = ::CreateRectRgnIndirect(&m_rectPage);
    const HRGN pageRegion = ::CreateRectRgnIndirect(&covered);
    ::CombineRgn(uncovered, uncovered, pageRegion, RGN_DIFF);
    ::FillRgn(*dc, uncovered, brush);
    ::DeleteObject(pageRegion);
    ::DeleteObject(uncovered);
}

void COXTabViewContainer::OnPaint()
{
    CPaintDC dc(this);
    FillUncoveredPage(&dc);
    DrawScrollButtons(&dc);
    DrawSplitter(&dc);
    DrawSizeBar(&dc);
    DrawTabButtons(&dc);
}

void COXTabViewContainer::DrawScrollButtons(CDC* dc)
{
    const int buttons[4] = {hitFirst, hitPrevious, hitNext, hitLast};
    for (int i = 0; i < 4; ++i)
        DrawButton(dc, m_rectScrollButtons[i], buttons[i]);
}

void COXTabViewContainer::DrawButton(CDC* dc, const CRect& rect, int hitCode)
{
    if (rect.IsRectEmpty())
        return;
    const HDC hdc = *dc;
    FillSys(hdc, rect, COLOR_BTNFACE);
    CRect content = rect;
    if (hitCode == m_nPressedButton && m_bPressedLook)
    {
        Draw3dFrame(hdc, rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
        content.OffsetRect(1, 1);
    }
    else
    {
        Draw3dFrame(hdc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    const bool pointsLeft = hitCode == hitFirst || hitCode == hitPrevious;
    DrawArrow(hdc, content, pointsLeft, hitCode == hitFirst || hitCode == hitLast);
}

void COXTabViewContainer::DrawSplitter(CDC* dc)
{
    if (m_rectSplitter.IsRectEmpty())
        return;
    const HDC hdc = *dc;
    CRect rect = m_rectSplitter;
    Draw3dFrame(hdc, rect, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOWFRAME));
    rect.DeflateRect(1, 1);
    Draw3dFrame(hdc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    FillSys(hdc, rect, COLOR_BTNFACE);
}

void COXTabViewContainer::DrawSizeBar(CDC* dc)
{
    if (m_rectSizeBox.IsRectEmpty())
        return;
    // A grip only where dragging the corner sizes something: a restored, sizeable MDI child.
    const HWND parent = ::GetParent(m_hWnd);
    const LONG_PTR parentExStyle = parent ? ::GetWindowLongPtrA(parent, GWL_EXSTYLE) : 0;
    const LONG_PTR parentStyle = parent ? ::GetWindowLongPtrA(parent, GWL_STYLE) : 0;
    const bool showsGrip =
        (parentExStyle & WS_EX_MDICHILD) && (parentStyle & WS_THICKFRAME) && !::IsZoomed(parent);
    CRect rect = m_rectSizeBox;
    if (showsGrip)
        ::DrawFrameControl(*dc, &rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    else
        FillSys(*dc, rect, COLOR_BTNFACE);
}

void COXTabViewContainer::DrawTabButtons(CDC* dc)
{
    if (m_rectTabArea.IsRectEmpty())
        return;
    const HDC hdc = *dc;
    const int saved = dc->SaveDC();
    ::IntersectClipRect(hdc, m_rectTabArea.left, m_rectTabArea.top, m_rectTabArea.right,
                        m_rectTabArea.bottom);
    FillSys(hdc, m_rectTabArea, COLOR_BTNFACE);
    const RECT topLine = {m_rectTabArea.left, m_rectTabArea.top, m_rectTabArea.right,
                          m_rectTabArea.top + 1};
    FillSys(hdc, topLine, COLOR_WINDOWTEXT);
    for (int i = 0; i < GetPageCount(); ++i)
    {
        if (i != m_nActivePage)
            DrawTab(dc, i);
    }
    if (m_nActivePage >= 0)
        DrawTab(dc, m_nActivePage); // last, over its neighbours
    dc->RestoreDC(saved);
}

void COXTabViewContainer::DrawTab(CDC* dc, int index)
{
    const CRect tab = GetTabRect(index);
    CRect visible;
    if (!visible.IntersectRect(&tab, &m_rectTabArea))
        return;
    const HDC hdc = *dc;
    const bool isActive = index == m_nActivePage;
    const POINT shape[4] = {{tab.left, tab.top},
                            {tab.left + 5, tab.bottom - 1},
                            {tab.right - 5, tab.bottom - 1},
                            {tab.right, tab.top}};
    const HGDIOBJ oldBrush =
        ::SelectObject(hdc, ::GetSysColorBrush(isActive ? COLOR_WINDOW : COLOR_BTNFACE));
    const HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(NULL_PEN));
    ::Polygon(hdc, shape, 4);
    const HPEN light = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    const HPEN dark = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    ::SelectObject(hdc, light);
    ::MoveToEx(hdc, shape[0].x, shape[0].y, nullptr);
    ::LineTo(hdc, shape[1].x, shape[1].y);
    ::SelectObject(hdc, dark);
    ::LineTo(hdc, shape[2].x, shape[2].y);
    ::LineTo(hdc, shape[3].x, shape[3].y);
    ::SelectObject(hdc, oldPen);
    ::SelectObject(hdc, oldBrush);
    ::DeleteObject(light);
    ::DeleteObject(dark);

    const HGDIOBJ oldFont =
        ::SelectObject(hdc, (isActive ? m_boldTabFont : m_tabFont).GetSafeHandle());
    ::SetTextColor(hdc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkMode(hdc, TRANSPARENT);
    CRect text = tab;
    const CString& title = m_pages[index].m_strTitle;
    ::DrawTextA(hdc, title, title.GetLength(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(hdc, oldFont);
}
