// The flat-look part: hover and focus tracking, the tooltip, and the flat border and scroll
// bars of the edit and list companions.
#include "widgets/bars/OXFlatLook.h"

#include <algorithm>
#include <commctrl.h>

namespace
{
constexpr int kMinThumb = 8;

bool HasClass(HWND hwnd, const char* name)
{
    char text[64] = {};
    ::GetClassNameA(hwnd, text, sizeof text);
    return lstrcmpiA(text, name) == 0;
}

HWND BuddyOf(HWND upDown)
{
    return reinterpret_cast<HWND>(::SendMessageA(upDown, UDM_GETBUDDY, 0, 0));
}

void Line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2)
{
    const HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
    ::SelectObject(dc, old);
}
} // namespace

HPEN COXFlatLook::Pen(PenIndex index)
{
    static const HPEN pens[] = {
        ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT)),
        ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE)),
        ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)),
        ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW)),
    };
    return pens[index];
}

void COXFlatLook::DrawEdges(HDC dc, const CRect& rect, HPEN topLeft, HPEN bottomRight)
{
    Line(dc, topLeft, rect.left, rect.bottom - 1, rect.left, rect.top);
    Line(dc, topLeft, rect.left, rect.top, rect.right, rect.top);
    Line(dc, bottomRight, rect.right - 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
    Line(dc, bottomRight, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1);
}

COXFlatLook::COXFlatLook(CWnd& wnd, Kind kind)
    : m_wnd(wnd)
    , m_kind(kind)
{
}

void COXFlatLook::Initialise()
{
    if (m_bInitialised || !m_wnd.GetSafeHwnd())
        return;
    m_bInitialised = TRUE;
    m_bFocus = Contains(::GetFocus());
    if (m_toolTip.Create(&m_wnd))
    {
        m_toolTip.Activate(TRUE);
        if (!m_toolTipText.IsEmpty())
            m_toolTip.AddTool(&m_wnd, m_toolTipText, nullptr, kToolId);
    }
}

void COXFlatLook::SetFlat(BOOL flat)
{
    m_bFlatLook = flat;
    if (flat && m_wnd.GetSafeHwnd())
    {
        CheckHover();
        m_bFocus = Contains(::GetFocus());
    }
    Redraw();
}

void COXFlatLook::SetHotState(BOOL hot)
{
    m_bHot = hot;
    if (hot && !m_timer)
        m_timer = m_wnd.SetTimer(kHoverTimer, kHoverIntervalMs);
    else if (!hot && m_timer)
    {
        m_wnd.KillTimer(kHoverTimer);
        m_timer = 0;
    }
    Redraw();
}

void COXFlatLook::SetFocusState(BOOL focus)
{
    m_bFocus = focus;
    Redraw();
    if (m_kind == kindEdit)
        RedrawUpDown();
}

void COXFlatLook::SetToolTipText(const char* text)
{
    const CString wanted(text ? text : "");
    if (wanted == m_toolTipText && m_bInitialised)
        return;
    m_toolTipText = wanted;
    if (!m_toolTip.GetSafeHwnd())
        return;
    m_toolTip.DelTool(&m_wnd, kToolId);
    if (!wanted.IsEmpty())
        m_toolTip.AddTool(&m_wnd, wanted, nullptr, kToolId);
}

void COXFlatLook::OnMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_toolTip.GetSafeHwnd() && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
    {
        MSG relayed = {m_wnd.GetSafeHwnd(), msg, wParam, lParam, 0, {0, 0}};
        m_toolTip.RelayEvent(&relayed);
    }
    if (m_bFlatLook && !m_bHot)
        CheckHover();
}

BOOL COXFlatLook::OnTimer(UINT_PTR id)
{
    if (id != kHoverTimer)
        return FALSE;
    if (m_bFlatLook)
        CheckHover();
    return TRUE;
}

void COXFlatLook::OnEnable()
{
    m_wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
}

void COXFlatLook::OnSize()
{
    if (!m_toolTip.GetSafeHwnd() || m_toolTipText.IsEmpty())
        return;
    CRect client;
    m_wnd.GetClientRect(&client);
    m_toolTip.SetToolRect(&m_wnd, kToolId, &client);
}

void COXFlatLook::OnDestroy()
{
    if (m_timer)
    {
        m_wnd.KillTimer(kHoverTimer);
        m_timer = 0;
    }
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.DestroyWindow();
}

void COXFlatLook::OnFocusChange(HWND newFocus)
{
    // A combo whose list is open keeps its look until the list closes.
    if (m_kind == kindCombo && m_wnd.SendMessage(CB_GETDROPPEDSTATE))
        return;
    const BOOL focus = Contains(newFocus);
    if (focus != m_bFocus)
        SetFocusState(focus);
}

BOOL COXFlatLook::Contains(HWND hwnd) const
{
    const HWND self = m_wnd.GetSafeHwnd();
    while (hwnd)
    {
        if (hwnd == self)
            return TRUE;
        const bool child = (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0;
        hwnd = child ? ::GetParent(hwnd) : ::GetWindow(hwnd, GW_OWNER);
    }
    return FALSE;
}

BOOL COXFlatLook::CheckHover()
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    const HWND under = ::WindowFromPoint(cursor);
    BOOL hot = Contains(under);
    if (!hot && under && HasClass(under, UPDOWN_CLASSA))
    {
        const HWND buddy = BuddyOf(under);
        if (m_kind == kindEdit && buddy == m_wnd.GetSafeHwnd())
            hot = TRUE;
        else if (buddy && HasClass(buddy, "Edit"))
            ::SendMessageA(buddy, WM_TIMER, kHoverTimer, 0); // its edit looks again
    }
    if (hot == m_bHot)
        return FALSE;
    SetHotState(hot);
    return TRUE;
}

void COXFlatLook::Redraw() const
{
    if (m_wnd.GetSafeHwnd())
        m_wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

HWND COXFlatLook::AttachedUpDown() const
{
    const HWND self = m_wnd.GetSafeHwnd();
    const HWND parent = ::GetParent(self);
    for (HWND child = parent ? ::GetWindow(parent, GW_CHILD) : nullptr; child;
         child = ::GetWindow(child, GW_HWNDNEXT))
    {
        const LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
        if (HasClass(child, UPDOWN_CLASSA) && BuddyOf(child) == self &&
            (style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)))
            return child;
    }
    return nullptr;
}

void COXFlatLook::RedrawUpDown() const
{
    if (const HWND upDown = AttachedUpDown())
        ::RedrawWindow(upDown, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void COXFlatLook::OnNcPaint()
{
    if (!m_bFlatLook)
        return;
    const HWND hwnd = m_wnd.GetSafeHwnd();
    CRect window;
    CRect client;
    fw::GetNonClientRects(hwnd, &window, &client);
    const HDC dc = ::GetWindowDC(hwnd);
    if (!dc)
        return;
    const bool raised = m_bHot || m_bFocus;
    const LONG_PTR style = ::GetWindowLongPtrA(hwnd, GWL_STYLE);
    // The border: the outer line shadowed, three-dimensional while hot or focused; further
    // border lines take the window colour when flat.
    if (client.left > 0 || client.top > 0)
    {
        DrawEdges(dc, window, Pen(penShadow), Pen(raised ? penHighlight : penShadow));
        CRect inner = window;
        inner.DeflateRect(1, 1);
        const HPEN flat = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOW));
        if (inner.left < client.left)
            DrawEdges(dc, inner, raised ? Pen(penDarkShadow) : flat, raised ? Pen(penFace) : flat);
        ::DeleteObject(flat);
    }
    if (style & WS_VSCROLL)
        DrawScrollBar(dc, client, SB_VERT);
    if (style & WS_HSCROLL)
        DrawScrollBar(dc, client, SB_HORZ);
    ::ReleaseDC(hwnd, dc);
}

void COXFlatLook::DrawScrollBar(HDC dc, const CRect& client, int bar) const
{
    const bool vertical = bar == SB_VERT;
    const int thickness = ::GetSystemMetrics(vertical ? SM_CXVSCROLL : SM_CYHSCROLL);
    const CRect area =
        vertical ? CRect(client.right, client.top, client.right + thickness, client.bottom)
                 : CRect(client.left, client.bottom, client.right, client.bottom + thickness);
    const int length = vertical ? area.Height() : area.Width();
    if (length <= 0)
        return;
    // Arrows as large as the system's, halved when the bar is too short for both.
    int arrow = ::GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    if (2 * arrow > length)
        arrow = length / 2;
    const bool raised = m_bHot || m_bFocus;
    const UINT look = raised ? 0 : DFCS_FLAT;
    CRect first = area;
    CRect second = area;
    if (vertical)
    {
        first.bottom = first.top + arrow;
        second.top = second.bottom - arrow;
    }
    else
    {
        first.right = first.left + arrow;
        second.left = second.right - arrow;
    }
    RECT drawn = first;
    ::DrawFrameControl(dc, &drawn, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | look);
    drawn = second;
    ::DrawFrameControl(dc, &drawn, DFC_SCROLL,
                       (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | look);
    CRect track = area;
    if (vertical)
        track.DeflateRect(0, arrow);
    else
        track.DeflateRect(arrow, 0);
    const int trackLength = vertical ? track.Height() : track.Width();
    if (trackLength < kMinThumb)
        return;
    ::FillRect(dc, &track, ::GetSysColorBrush(COLOR_BTNFACE));
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_wnd.GetSafeHwnd(), bar, &info) || info.nMax <= info.nMin)
        return;
    const int range = info.nMax - info.nMin + 1;
    const int page = info.nPage > 0 ? static_cast<int>(info.nPage) : 1;
    const int thumb = std::clamp(trackLength * page / range, kMinThumb, trackLength);
    const int travel = std::max(1, range - page);
    const int offset =
        (trackLength - thumb) * std::clamp(info.nPos - info.nMin, 0, travel) / travel;
    CRect thumbRect = track;
    if (vertical)
    {
        thumbRect.top += offset;
        thumbRect.bottom = thumbRect.top + thumb;
    }
    else
    {
        thumbRect.left += offset;
        thumbRect.right = thumbRect.left + thumb;
    }
    DrawEdges(dc, thumbRect, Pen(raised ? penHighlight : penShadow), Pen(penShadow));
}
